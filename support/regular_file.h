// Opening the game's files safely: only regular files are read or written, and opening never
// blocks, so a FIFO, a device or a folder in a file's place is refused at once with its reason.
// Also the one loop that writes a whole buffer to a descriptor.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>

// An open stdio file that closes itself: every reader of the game's files holds its file in one.
struct FileCloser {
    void operator()(std::FILE* file) const
    {
        std::fclose(file);
    }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// What FileOpenError says of a folder, FIFO, device or socket in a file's place.
constexpr const char* FILE_NOT_REGULAR = "not a regular file";

// Opens path with the open(2) flags and mode (O_NONBLOCK and O_CLOEXEC are added) and keeps the
// descriptor only when it names a regular file; the descriptor then blocks as usual. Returns it,
// or -1 with the reason in FileOpenError.
int FileOpenRegular(const char* path, int flags, int mode = 0);
// FileOpenRegular for reading, as a stdio stream opened "rb"; nullptr with the reason.
std::FILE* FileOpenRegularStream(const char* path);
// Why the latest FileOpenRegular or FileOpenRegularStream failed: "missing file", "not a regular
// file", or the system's own words ("Permission denied", ...); "" after one that succeeded.
const char* FileOpenError();

// Writes all size bytes of data to fd, going on after short writes and interruptions. 1 when all
// were written; 0 on failure, with errno telling why (ENOSPC for a write that took nothing).
int FileWriteFully(int fd, const void* data, std::size_t size);
