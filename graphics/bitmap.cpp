// BMP files: an uncompressed 8-, 16- or 24-bit picture read from a regular file into memory, top
// row first; a file that is compressed or whose header disagrees with its size is refused before
// anything is allocated.
#include "graphics/bitmap.h"

#include "graphics/display.h"
#include "support/regular_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

// Wider or taller pictures than this are taken for a broken header.
constexpr int BITMAP_MAX_SIDE = 16384;

static bool ReadExact(std::FILE* file, void* out, size_t bytes)
{
    return std::fread(out, 1, bytes, file) == bytes;
}

static const char* LoadError = ""; // a static text: the reason of the latest failed BitmapLoad

static int BitmapRefuse(const char* why)
{
    LoadError = why;
    return 0;
}

// A read that came up short: the file ended early, or the system could not read it.
static int BitmapRefuseRead(std::FILE* file)
{
    return BitmapRefuse(std::ferror(file) ? "read error" : "cut short");
}

// 24-bit blue, green, red to the 16-bit packing of the display (5.5.5 only when it says 15).
static uint16_t PackBgr(const uint8_t* bgr)
{
    const int blue = bgr[0], green = bgr[1], red = bgr[2];
    return static_cast<uint16_t>(PixelFormat == 15 ? Rgb16From555(red, green, blue)
                                                   : Rgb16From565(red, green, blue));
}

int BitmapLoad(BitmapImage* image, const char* fileName)
{
    if (image == nullptr || fileName == nullptr) {
        return BitmapRefuse("no file name");
    }
    // Only a regular file: a FIFO in the picture's place would otherwise hang the start.
    FileHandle file(FileOpenRegularStream(fileName));
    if (!file) {
        return BitmapRefuse(FileOpenError());
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return BitmapRefuse("read error");
    }
    const long long fileSize = std::ftell(file.get());
    if (fileSize < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return BitmapRefuse("read error");
    }
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER info;
    if (!ReadExact(file.get(), &fileHeader, sizeof fileHeader)) {
        return BitmapRefuseRead(file.get());
    }
    if (fileHeader.bfType != BITMAP_ID) {
        return BitmapRefuse("not a BMP file");
    }
    if (!ReadExact(file.get(), &info, sizeof info)) {
        return BitmapRefuseRead(file.get());
    }

    // Run-length or bit-field pixels read as raw ones would be garbage that looks like a picture;
    // this comes first so a 4-bit run-length file is told as compressed, not as its bit count.
    if (info.biCompression != BITMAP_RGB) {
        return BitmapRefuse("compressed BMP files are not supported");
    }
    // Everything the header claims must fit the file: the headers, the colour table, then the
    // pixel data, which is the file's last biSizeImage bytes.
    const int bitCount = info.biBitCount;
    if (bitCount != 8 && bitCount != 16 && bitCount != 24) {
        return BitmapRefuse("unsupported bit count");
    }
    if (info.biWidth <= 0 || info.biHeight <= 0 || info.biWidth > BITMAP_MAX_SIDE ||
        info.biHeight > BITMAP_MAX_SIDE) {
        return BitmapRefuse("bad picture size");
    }
    if (info.biSize < sizeof(BITMAPINFOHEADER) || info.biSize > fileSize) {
        return BitmapRefuse("bad info header size");
    }
    const long long width = info.biWidth, height = info.biHeight;
    const long long rowBytes = width * (bitCount / 8); // as stored in the file
    const long long paddedRow = (rowBytes + 3) / 4 * 4;
    const int colours = bitCount != 8 ? 0
                        : info.biClrUsed >= 1 && info.biClrUsed <= 256
                            ? static_cast<int>(info.biClrUsed)
                            : PALETTE_SIZE;
    const long long tableStart = static_cast<long long>(sizeof fileHeader) + info.biSize;
    const long long tableEnd = tableStart + 4LL * colours;
    const long long dataSize = info.biSizeImage;
    if (dataSize < rowBytes * height) {
        return BitmapRefuse("pixel data smaller than the picture");
    }
    if (tableEnd > fileSize || dataSize > fileSize - tableEnd) {
        return BitmapRefuse("cut short");
    }
    // Rows are read unpadded, as the game's files are stored, unless the data is exactly the
    // size of rows padded to four bytes, as other painting programs store them.
    const long long stride = dataSize == paddedRow * height ? paddedRow : rowBytes;

    PALETTEENTRY palette[PALETTE_SIZE];
    std::memcpy(palette, image->palette, sizeof palette);
    if (bitCount == 8) {
        std::vector<uint8_t> table(4 * colours);
        if (std::fseek(file.get(), static_cast<long>(tableStart), SEEK_SET) != 0 ||
            !ReadExact(file.get(), table.data(), table.size())) {
            return BitmapRefuseRead(file.get());
        }
        // The file's blue, green, red, reserved order becomes red, green, blue, flags.
        for (int i = 0; i < PALETTE_SIZE; ++i) {
            const uint8_t* t = i < colours ? &table[4 * i] : nullptr;
            palette[i] = PALETTEENTRY{t ? t[2] : uint8_t{0}, t ? t[1] : uint8_t{0},
                                      t ? t[0] : uint8_t{0}, PC_NOCOLLAPSE};
        }
    }

    // The picture as kept: 8 and 16 bits as stored, 24 bits packed into 16; top row first.
    const long long keptRow = bitCount == 24 ? width * 2 : rowBytes;
    const size_t keptSize = static_cast<size_t>(keptRow * height);
    auto* pixels = static_cast<uint8_t*>(std::malloc(keptSize));
    if (pixels == nullptr) {
        return BitmapRefuse("out of memory");
    }
    std::vector<uint8_t> row(static_cast<size_t>(stride));
    bool read = std::fseek(file.get(), static_cast<long>(fileSize - dataSize), SEEK_SET) == 0;
    for (long long y = 0; read && y < height; ++y) {
        read = ReadExact(file.get(), row.data(), row.size());
        uint8_t* out = pixels + (height - 1 - y) * keptRow;
        if (bitCount != 24) {
            std::memcpy(out, row.data(), static_cast<size_t>(rowBytes));
            continue;
        }
        for (long long x = 0; x < width; ++x) {
            const uint16_t packed = PackBgr(&row[3 * x]);
            std::memcpy(out + 2 * x, &packed, 2);
        }
    }
    if (!read) {
        std::free(pixels);
        return BitmapRefuseRead(file.get());
    }

    BitmapUnload(image);
    image->fileHeader = fileHeader;
    image->infoHeader = info;
    image->infoHeader.biBitCount = static_cast<uint16_t>(bitCount == 24 ? 16 : bitCount);
    // From here on the header speaks of the pixels held, never of more.
    image->infoHeader.biSizeImage = static_cast<uint32_t>(keptSize);
    std::memcpy(image->palette, palette, sizeof palette);
    image->pixels = pixels;
    LoadError = "";
    return 1;
}

const char* BitmapLoadError()
{
    return LoadError;
}

int BitmapUnload(BitmapImage* image)
{
    if (image == nullptr) {
        return 0;
    }
    std::free(image->pixels);
    image->pixels = nullptr;
    return 1;
}

int BitmapFlipRows(uint8_t* pixels, int bytesPerLine, int height)
{
    if (pixels == nullptr || bytesPerLine < 0 || height < 0) {
        return 0;
    }
    // Swapping rows in place needs no working copy, so there is nothing to fail.
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        uint8_t* a = pixels + static_cast<size_t>(top) * bytesPerLine;
        uint8_t* b = pixels + static_cast<size_t>(bottom) * bytesPerLine;
        std::swap_ranges(a, a + bytesPerLine, b);
    }
    return 1;
}
