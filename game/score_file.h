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

// ==== whole run: read once at start ====
// The most recent SCORE_TABLE_SIZE records of the file, oldest first; entries from ScoreCount on
// are empty. A record cut short by the end of the file keeps the lines it has.
extern ScoreRecord ScoreTable[SCORE_TABLE_SIZE];
// Records held in ScoreTable, 0 .. SCORE_TABLE_SIZE.
extern int ScoreCount;

// Reads ScoreFilePath into ScoreTable. 1 when the file was read (an empty file too), 0 when it
// cannot be opened or read; the table is then empty.
int LoadScores();
// Reads score records from an open stream into ScoreTable, as LoadScores does. 1 unless the
// stream reports a read error (the table is then empty).
int LoadScoresFrom(std::FILE* stream);
// Appends the record of PlayerName, RankTitle and GameScore to ScoreFilePath in one write and
// makes it durable before returning 1. Returns 0 on any failure, with nothing of the record left
// in the file, so a later call can simply try again. Appends of several processes never mix.
int SaveScore();
