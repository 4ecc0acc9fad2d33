// Fuzz target for PaletteLoadFile: any text loads without harm, and what it loaded survives a
// save and a second load unchanged.
#include "graphics/palette.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

// An in-memory file, named by its /proc path, holding size bytes of data (none: emptied).
static int MemoryFile(const char* name, const uint8_t* data, size_t size, char* path,
                      size_t pathSize)
{
    const int fd = memfd_create(name, 0);
    if (fd < 0) {
        return -1;
    }
    if (pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
        close(fd);
        return -1;
    }
    std::snprintf(path, pathSize, "/proc/self/fd/%d", fd);
    return fd;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char input[64], copy[64];
    const int inputFd = MemoryFile("helix-palette-fuzz", data, size, input, sizeof input);
    const int copyFd = MemoryFile("helix-palette-copy", nullptr, 0, copy, sizeof copy);
    if (inputFd >= 0 && copyFd >= 0) {
        PALETTEENTRY loaded[PALETTE_SIZE];
        std::memset(loaded, 0x5A, sizeof loaded);
        if (PaletteLoadFile(input, loaded) != 1) {
            __builtin_trap();
        }
        PALETTEENTRY again[PALETTE_SIZE] = {};
        if (PaletteSaveFile(copy, loaded) != 1 || PaletteLoadFile(copy, again) != 1 ||
            std::memcmp(loaded, again, sizeof loaded) != 0) {
            __builtin_trap();
        }
    }
    if (inputFd >= 0) {
        close(inputFd);
    }
    if (copyFd >= 0) {
        close(copyFd);
    }
    return 0;
}
