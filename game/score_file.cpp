// Reading the score table from the score file (the append is in score_save.cpp).
#include "game/score_file.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "support/regular_file.h"

char ScoreFilePath[SCORE_PATH_SIZE] = "scores.brd";
char ScoreFileError[SCORE_ERROR_SIZE] = "";
ScoreRecord ScoreTable[SCORE_TABLE_SIZE] = {};
int ScoreCount = 0;

// The line reader's state: once failed, every later line reads empty; the end of the file after
// a last line without a break is not yet a failure.
struct LineReader {
    std::FILE* stream;
    bool failed = false;
    bool atEnd = false;
};

// Reads one line into a field of size bytes: the first size - 1 characters are kept, the rest of
// the line is dropped, the break is consumed, and a '\r' before the break (a file written on
// Windows) is no part of the line. An end of file before any character fails.
static void ReadLine(LineReader& reader, char* field, int size)
{
    field[0] = '\0';
    if (reader.failed || reader.atEnd) {
        reader.failed = true;
        return;
    }
    int length = 0;
    int stored = 0;
    bool endsInReturn = false; // the line's latest character is a '\r' that was stored
    for (;;) {
        int c = std::getc(reader.stream);
        if (c == EOF) {
            if (length == 0) {
                reader.failed = true;
            } else {
                reader.atEnd = true;
            }
            break;
        }
        if (c == '\n') {
            break;
        }
        endsInReturn = c == '\r' && stored < size - 1;
        if (stored < size - 1) {
            field[stored++] = static_cast<char>(c);
        }
        ++length;
    }
    if (endsInReturn) {
        --stored;
    }
    field[stored] = '\0';
}

static void ClearTable()
{
    std::memset(ScoreTable, 0, sizeof ScoreTable);
    ScoreCount = 0;
}

int LoadScoresFrom(std::FILE* stream)
{
    ClearTable();
    // The file only grows at its end, so its last records are the recent ones: keep a ring of
    // the latest SCORE_TABLE_SIZE while reading, then lay it out oldest first.
    ScoreRecord ring[SCORE_TABLE_SIZE] = {};
    long long records = 0;
    LineReader reader{stream};
    for (;;) {
        ScoreRecord record{};
        ReadLine(reader, record.name, SCORE_NAME_SIZE);
        if (reader.failed) {
            break; // nothing left: no record
        }
        ReadLine(reader, record.rank, SCORE_RANK_SIZE);
        ReadLine(reader, record.score, SCORE_TEXT_SIZE);
        ring[records % SCORE_TABLE_SIZE] = record;
        ++records;
        if (reader.failed) {
            break;
        }
    }
    if (std::ferror(stream)) {
        return 0;
    }
    int kept = records < SCORE_TABLE_SIZE ? static_cast<int>(records) : SCORE_TABLE_SIZE;
    long long first = records - kept;
    for (int i = 0; i < kept; ++i) {
        ScoreTable[i] = ring[(first + i) % SCORE_TABLE_SIZE];
    }
    ScoreCount = kept;
    return 1;
}

int LoadScores()
{
    FileHandle stream(FileOpenRegularStream(ScoreFilePath));
    if (!stream) {
        std::snprintf(ScoreFileError, sizeof ScoreFileError, "%s", FileOpenError());
        ClearTable();
        return 0;
    }
    if (!LoadScoresFrom(stream.get())) {
        std::snprintf(ScoreFileError, sizeof ScoreFileError, "read error");
        return 0;
    }
    ScoreFileError[0] = '\0';
    return 1;
}
