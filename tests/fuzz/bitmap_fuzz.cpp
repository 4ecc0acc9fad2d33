// Fuzz target for BitmapLoad: any file either loads into an uncompressed picture whose every pixel
// can be read, or is refused with its reason and the record as it was.
#include "graphics/bitmap.h"
#include "graphics/display.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

// The input lives in an in-memory file that BitmapLoad opens by its /proc name.
static int InputFile(const uint8_t* data, size_t size, char* path, size_t pathSize)
{
    static int fd = memfd_create("helix-bitmap-fuzz", 0);
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
        return 0;
    }
    std::snprintf(path, pathSize, "/proc/self/fd/%d", fd);
    return 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char path[64];
    if (!InputFile(data, size, path, sizeof path)) {
        return 0;
    }
    PixelFormat = (size & 1) ? 15 : 16; // both 24-bit packings
    static BitmapImage image{};
    // Load twice: into an empty record, then over the picture just loaded.
    for (int round = 0; round < 2; ++round) {
        BitmapImage before = image;
        if (!BitmapLoad(&image, path)) {
            if (image.pixels != before.pixels || BitmapLoadError()[0] == '\0' ||
                std::memcmp(&image.infoHeader, &before.infoHeader, sizeof image.infoHeader) != 0) {
                __builtin_trap();
            }
            continue;
        }
        const BITMAPINFOHEADER& h = image.infoHeader;
        const size_t bytes = static_cast<size_t>(h.biWidth) * (h.biBitCount / 8) * h.biHeight;
        if (image.pixels == nullptr || bytes != h.biSizeImage || h.biCompression != 0 ||
            BitmapLoadError()[0] != '\0') {
            __builtin_trap();
        }
        unsigned sum = 0;
        for (size_t i = 0; i < bytes; ++i) {
            sum += image.pixels[i];
        }
        BitmapFlipRows(image.pixels, h.biWidth * (h.biBitCount / 8), h.biHeight);
        image.pixels[bytes - 1] = static_cast<uint8_t>(sum);
    }
    BitmapUnload(&image);
    return 0;
}
