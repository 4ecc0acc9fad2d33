// Appending the player's record to the score file. Kept apart from the reading side and free of
// C++ library templates, so a program that links a stand-in SaveScore (the main-loop tests)
// never has this file pulled in for an unrelated library symbol.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "game/score_file.h"
#include "support/regular_file.h"

// Room for the longest record: name, rank title and score, each with its line break, and what
// completes a broken end of the file before it (a line break and two empty lines).
static constexpr int RECORD_BUFFER_SIZE = 128;
static constexpr int LINES_PER_RECORD = 3;

// Keeps why the save failed, in the player's words, and returns 0.
static int SaveFailed(const char* why)
{
    std::snprintf(ScoreFileError, sizeof ScoreFileError, "%s", why);
    return 0;
}

// The reason for errno, short: the two a player can act on by name, else the system's words.
static int SaveFailedWithErrno(int error)
{
    switch (error) {
        case EROFS:
        case EACCES:
        case EPERM:
            return SaveFailed("read-only");
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return SaveFailed("disk full");
        default:
            break;
    }
    char why[SCORE_ERROR_SIZE];
    std::snprintf(why, sizeof why, "%s", std::strerror(error));
    why[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(why[0])));
    return SaveFailed(why);
}

// Counts the file's lines (a last line without its break counts too) and tells whether the last
// byte is a line break. 0 when the file cannot be read.
static int CountLines(int fd, off_t size, long long* lines, bool* endsWithBreak)
{
    char chunk[4096];
    long long breaks = 0;
    char last = '\n';
    for (off_t at = 0; at < size;) {
        const ssize_t got = pread(fd, chunk, sizeof chunk, at);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return 0;
        }
        for (ssize_t i = 0; i < got; ++i) {
            breaks += chunk[i] == '\n';
        }
        last = chunk[got - 1];
        at += got;
    }
    *endsWithBreak = last == '\n';
    *lines = breaks + (*endsWithBreak ? 0 : 1);
    return 1;
}

int SaveScore()
{
    // Opened afresh on every call, so a save that failed (a missing directory, a full disk) can
    // succeed when the player tries again; never blocking, and never onto anything but a file.
    // Read access lets the end of the file be checked before the append.
    int fd = FileOpenRegular(ScoreFilePath, O_RDWR | O_APPEND | O_CREAT, 0644);
    if (fd < 0) {
        const int why = errno;
        if (std::strcmp(FileOpenError(), FILE_NOT_REGULAR) == 0) {
            return SaveFailed(FILE_NOT_REGULAR);
        }
        return SaveFailedWithErrno(why);
    }
    // The lock keeps another game's append from landing inside ours, even when a write comes
    // back short; a file system without locks still gets the single append.
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    struct stat before {};
    long long lines = 0;
    bool endsWithBreak = true;
    if (fstat(fd, &before) != 0 || !CountLines(fd, before.st_size, &lines, &endsWithBreak)) {
        const int why = errno;
        close(fd);
        return SaveFailedWithErrno(why);
    }
    // A hand-edited file may end inside a line or inside a record: complete both, so the new
    // record starts on a line of its own at a record's first line.
    char record[RECORD_BUFFER_SIZE];
    int length = 0;
    if (!endsWithBreak) {
        record[length++] = '\n';
    }
    for (long long line = lines; line % LINES_PER_RECORD != 0; ++line) {
        record[length++] = '\n';
    }
    const int written = std::snprintf(record + length, sizeof record - length, "%s\n%s\n%d\n",
                                      PlayerName, RankTitle, GameScore);
    if (written < 0 || written >= static_cast<int>(sizeof record) - length) {
        close(fd);
        return SaveFailed("record too long");
    }
    length += written;
    int ok = FileWriteFully(fd, record, static_cast<size_t>(length)) && fsync(fd) == 0;
    const int why = errno;
    if (!ok) {
        // Take back whatever part of the record got in, so the file keeps whole records and a
        // retry does not leave a broken one behind. Should this fail too, nothing more can be
        // done: the save is reported failed either way.
        int truncated = ftruncate(fd, before.st_size);
        (void)truncated;
    }
    close(fd); // the lock goes with the descriptor
    if (!ok) {
        return SaveFailedWithErrno(why);
    }
    ScoreFileError[0] = '\0';
    return 1;
}
