// The score file "scores.brd": three-line records of name, rank title and score, appended once per
// game and read at start into the table of the most recent records.
#pragma once

#include <cstdio>

#include "game/world.h"

constexpr const char* SCORE_FILE_NAME = "scores.brd";
constexpr int SCORE_PATH_SIZE = 4096;
// Records the table keeps: the most recent ones of the file.
constexpr int SCORE_TABLE_SIZE = 15;
// Field sizes with the terminator: the longest name and the longest rank title read back whole.
constexpr int SCORE_NAME_SIZE = NAME_MAX_LENGTH + 1;
constexpr int SCORE_RANK_SIZE = 43;
constexpr int SCORE_TEXT_SIZE = 6;
constexpr int SCORE_ERROR_SIZE = 64;

// One record as read: a field keeps the first size - 1 characters of its line.
struct ScoreRecord {
    char name[SCORE_NAME_SIZE];
    char rank[SCORE_RANK_SIZE];
    char score[SCORE_TEXT_SIZE];
};

// ==== whole run: chosen at start ====
// The score file's path: SCORE_FILE_NAME in the working folder (the start value) unless the
// program chose the player's own file before set-up.
extern char ScoreFilePath[SCORE_PATH_SIZE];

// Why the latest LoadScores or SaveScore failed, in a few words for the player ("read-only",
// "disk full", "not a regular file", ...); "" after one that succeeded.
extern char ScoreFileError[SCORE_ERROR_SIZE];

// ==== whole run: read once at start ====
// The most recent SCORE_TABLE_SIZE records of the file, oldest first; entries from ScoreCount on
// are empty. A record cut short by the end of the file keeps the lines it has.
extern ScoreRecord ScoreTable[SCORE_TABLE_SIZE];
// Records held in ScoreTable, 0 .. SCORE_TABLE_SIZE.
extern int ScoreCount;

// Reads ScoreFilePath into ScoreTable. 1 when the file was read (an empty file too), 0 when it
// cannot be opened or read, or is no regular file (a folder, a FIFO, a device); the table is then
// empty. A line may end in "\r\n" as well as "\n".
int LoadScores();
// Reads score records from an open stream into ScoreTable, as LoadScores does. 1 unless the
// stream reports a read error (the table is then empty).
int LoadScoresFrom(std::FILE* stream);
// Appends the record of PlayerName, RankTitle and GameScore to ScoreFilePath in one write and
// makes it durable before returning 1. A file left without its last line break, or with a record
// cut short, is completed first (the break added, empty lines for the missing fields), so the new
// record and every later one read back whole. Returns 0 on any failure, with the file as it was
// and the reason in ScoreFileError, so a later call can simply try again; a folder, FIFO or
// device in the file's place fails at once. Appends of several processes never mix.
int SaveScore();
