// Reading the score table and appending the player's record.
#include "game/score_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

ScoreRecord ScoreTable[SCORE_TABLE_SIZE] = {};
int ScoreCount = 0;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const
    {
        std::fclose(f);
    }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The line reader's state: once failed, every later line reads empty; the end of the file after
// a last line without a break is not yet a failure.
struct LineReader {
    std::FILE* stream;
    bool failed = false;
    bool atEnd = false;
};

// Reads one line into a field of size bytes: the first size - 1 characters are kept, the rest of
// the line is dropped, the break is consumed. An end of file before any character fails.
void ReadLine(LineReader& reader, char* field, int size)
{
    field[0] = '\0';
    if (reader.failed || reader.atEnd) {
        reader.failed = true;
        return;
    }
    int length = 0;
    int stored = 0;
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
        if (stored < size - 1) {
            field[stored++] = static_cast<char>(c);
        }
        ++length;
    }
    field[stored] = '\0';
}

void ClearTable()
{
    std::memset(ScoreTable, 0, sizeof ScoreTable);
    ScoreCount = 0;
}

int RetryWrite(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return 0;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return 1;
}

} // namespace

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
    FileHandle stream(std::fopen(SCORE_FILE_NAME, "r"));
    if (!stream) {
        ClearTable();
        return 0;
    }
    return LoadScoresFrom(stream.get());
}

int SaveScore()
{
    std::string record =
        std::string(PlayerName) + "\n" + RankTitle + "\n" + std::to_string(GameScore) + "\n";
    // Opened afresh on every call, so a save that failed (a missing directory, a full disk) can
    // succeed when the player tries again.
    int fd = open(SCORE_FILE_NAME, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return 0;
    }
    // The lock keeps another game's append from landing inside ours, even when a write comes
    // back short; a file system without locks still gets the single append.
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    struct stat before {};
    if (fstat(fd, &before) != 0) {
        close(fd);
        return 0;
    }
    int ok = RetryWrite(fd, record.data(), record.size()) && fsync(fd) == 0;
    if (!ok) {
        // Take back whatever part of the record got in, so the file keeps whole records and a
        // retry does not leave a broken one behind. Should this fail too, nothing more can be
        // done: the save is reported failed either way.
        int truncated = ftruncate(fd, before.st_size);
        (void)truncated;
    }
    close(fd); // the lock goes with the descriptor
    return ok;
}
