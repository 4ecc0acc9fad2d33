// BMP files in memory: an uncompressed 8-, 16- or 24-bit picture read into a BitmapImage, top row
// first, with its colour table.
#pragma once

#include <cstdint>

#include "graphics/palette.h"

// The file header is packed to its 14 stored bytes; the info header's 40 bytes need no packing,
// so its fields stay naturally aligned in memory.
#pragma pack(push, 1)
struct BITMAPFILEHEADER {
    uint16_t bfType; // "BM", 0x4D42
    uint32_t bfSize;
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits;
};
#pragma pack(pop)
struct BITMAPINFOHEADER {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
static_assert(sizeof(BITMAPFILEHEADER) == 14 && sizeof(BITMAPINFOHEADER) == 40);

constexpr uint16_t BITMAP_ID = 0x4D42;
// biCompression of a file whose pixels are stored as they are; the only kind loaded.
constexpr uint32_t BITMAP_RGB = 0;

// A loaded picture. pixels holds biHeight rows of biWidth x (biBitCount / 8) bytes, top row first,
// and is owned by the record; null when nothing is loaded. After a load, biSizeImage is the size
// of that buffer and biBitCount 16 for a converted 24-bit file; the other header fields are the
// file's.
struct BitmapImage {
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER infoHeader;
    PALETTEENTRY palette[PALETTE_SIZE];
    uint8_t* pixels;
};

// Loads a BMP file: 8 and 16 bits per pixel as stored, 24 bits packed to 16 (5.5.5 when
// PixelFormat is 15, else 5.6.5). The pixel data is the file's last biSizeImage bytes, rows bottom
// first, unpadded unless biSizeImage is exactly the size of rows padded to four bytes; an 8-bit
// file's colour table (biClrUsed entries, 256 when 0) follows the info header. Returns 0, with the
// record untouched and the reason in BitmapLoadError, when the file cannot be read whole or its
// header disagrees with it: no "BM", compressed pixels (run-length, bit fields, anything but
// BITMAP_RGB), a bit count other than 8, 16 or 24, a width or height outside 1..16384, biSizeImage
// smaller than the picture or larger than what follows the colour table, or a cut-off colour
// table.
int BitmapLoad(BitmapImage* image, const char* fileName);
// Why the latest BitmapLoad failed, as short lowercase text for a message such as
// `cannot load "X": REASON`: "no file name", "missing file", "not a regular file" (a FIFO, a
// device or a folder, refused without waiting on it), "read error", "cut short", "not a BMP file",
// "compressed BMP files are not supported", "unsupported bit count", "bad picture size", "bad info
// header size", "pixel data smaller than the picture", "out of memory", or the system's own words
// for a file it would not open ("Permission denied", ...). "" after a BitmapLoad that succeeded.
const char* BitmapLoadError();
// Frees the pixels (if any); 1.
int BitmapUnload(BitmapImage* image);
// Turns the rows upside down in place; 0 only for a null buffer or a negative size.
int BitmapFlipRows(uint8_t* pixels, int bytesPerLine, int height);
