// Regular files only, opened without blocking, and whole buffers written.
#include "support/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

static const char* FileError = ""; // a static text: the reason of the latest failed open

static int Refuse(const char* why)
{
    FileError = why;
    return -1;
}

int FileOpenRegular(const char* path, int flags, int mode)
{
    if (path == nullptr) {
        return Refuse("no file name");
    }
    // Without O_NONBLOCK, opening a FIFO waits for its other end, for ever if none comes.
    const int fd = open(path, flags | O_NONBLOCK | O_CLOEXEC, mode);
    if (fd < 0) {
        switch (errno) {
            case ENOENT:
                return Refuse("missing file");
            case EISDIR:
            case ENXIO: // a FIFO nobody reads, opened for writing
                return Refuse(FILE_NOT_REGULAR);
            default:
                return Refuse(std::strerror(errno));
        }
    }
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        const int why = errno;
        close(fd);
        return Refuse(std::strerror(why));
    }
    if (!S_ISREG(status.st_mode)) {
        close(fd);
        return Refuse(FILE_NOT_REGULAR);
    }
    const int statusFlags = fcntl(fd, F_GETFL);
    if (statusFlags >= 0) {
        fcntl(fd, F_SETFL, statusFlags & ~O_NONBLOCK);
    }
    FileError = "";
    return fd;
}

std::FILE* FileOpenRegularStream(const char* path)
{
    const int fd = FileOpenRegular(path, O_RDONLY);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* stream = fdopen(fd, "rb");
    if (stream == nullptr) {
        const int why = errno;
        close(fd);
        Refuse(std::strerror(why));
    }
    return stream;
}

const char* FileOpenError()
{
    return FileError;
}

int FileWriteFully(int fd, const void* data, std::size_t size)
{
    const char* at = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, at, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written == 0) {
            errno = ENOSPC;
        }
        if (written <= 0) {
            return 0;
        }
        at += written;
        size -= static_cast<std::size_t>(written);
    }
    return 1;
}
