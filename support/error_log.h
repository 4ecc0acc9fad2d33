// The diagnostic error log: printf-style messages to a named file (created anew with a
// time-stamped opening line) or to a stream the caller has, flushed at once. Writes while no log
// is open do nothing and report 0. ErrorReport is the one road by which a failure reaches the
// player, ErrorStartFailed the one for a failure that ends the program before it starts.
#pragma once

#include <cstdio>

// One formatted message holds at most this many characters (the buffer keeps one for the end).
constexpr int ERROR_LOG_MESSAGE_SIZE = 80;

// ---- process lifetime ----
// The log's stream; nullptr while no log is open.
extern std::FILE* ErrorLogFile;

// Opens the log on the given stream, or, when stream is nullptr, on the named file (emptied or
// created, then reopened for appending). Writes the opening line with the file name and a time
// stamp. 1 on success; 0 when the file cannot be created or reopened (the log is then closed).
int ErrorLogOpen(const char* fileName, std::FILE* stream);

// Writes the closing line and closes the stream, except the standard output and error streams,
// which stay open. 1 if a log was open, 0 if none was.
int ErrorLogClose();

// Formats a message by the printf rules (cut to 79 characters) and writes it, flushed. 1 if
// written; 0 when no log is open or the format is absent.
int ErrorLogWrite(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The name the program gives itself at the start of every line it writes for the player.
constexpr const char* ERROR_PROGRAM_NAME = "helixdash";

// Tells the player about a failure, whichever module met it: one line "helixdash: MESSAGE" on
// standard error (the message formatted by the printf rules), and the same line in the log when
// one is open. Informational lines go to the log alone (ErrorLogWrite), so a start that goes well
// prints nothing.
void ErrorReport(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Room for one line ErrorReport writes, without the program's name.
constexpr int ERROR_REPORT_SIZE = 512;

// What the program ends with when it cannot start: no data, no window, no display, a damaged
// file, no font.
constexpr int EXIT_CANNOT_START = 1;

// ---- whole run ----
// Why the program cannot start, as told to the player (without the program's name); "" while
// nothing stopped it.
extern char StartFailure[ERROR_REPORT_SIZE];

// The one road for a failure that stops the start: reported as ErrorReport does and kept in
// StartFailure. Returns 0, so a step can end with `return ErrorStartFailed(...)`; whoever meets it
// unwinds, and the program ends with EXIT_CANNOT_START.
int ErrorStartFailed(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The time stamp of the opening line for a moment given as seconds and milliseconds of the local
// time: the ctime text up to the seconds, a point, the milliseconds without leading zeros, a
// comma, a blank and the year with its newline ("Tue Mar 14 09:05:07.42, 2006\n"). Writes at most
// size bytes including the terminator; returns out.
char* ErrorLogTimeStamp(char* out, int size, long long seconds, unsigned short milliseconds);
