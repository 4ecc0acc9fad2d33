// Appending the player's record to the score file. Kept apart from the reading side and free of
// C++ library templates, so a program that links a stand-in SaveScore (the main-loop tests)
// never has this file pulled in for an unrelated library symbol.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "game/score_file.h"

// Room for the longest record: name, rank title and score, each with its line break.
static constexpr int RECORD_BUFFER_SIZE = 128;

// Writes all of data, going on after short writes and interruptions. 0 on any failure.
static int WriteAll(int fd, const char* data, size_t size)
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

int SaveScore()
{
    char record[RECORD_BUFFER_SIZE];
    int length =
        std::snprintf(record, sizeof record, "%s\n%s\n%d\n", PlayerName, RankTitle, GameScore);
    if (length < 0 || length >= RECORD_BUFFER_SIZE) {
        return 0;
    }
    // Opened afresh on every call, so a save that failed (a missing directory, a full disk) can
    // succeed when the player tries again.
    int fd = open(ScoreFilePath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
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
    int ok = WriteAll(fd, record, static_cast<size_t>(length)) && fsync(fd) == 0;
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
