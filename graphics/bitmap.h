// BMP files in memory: an uncompressed 8-, 16- or 24-bit picture read into a BitmapImage, top row
// first, with its colour table.
#pragma once

#include <cstdint>

#include "graphics/palette.h"

#pragma pack(push, 1)
struct BITMAPFILEHEADER {
    uint16_t bfType; // "BM", 0x4D42
    uint32_t bfSize;
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits;
};
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
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14 && sizeof(BITMAPINFOHEADER) == 40);

constexpr uint16_t BITMAP_ID = 0x4D42;

// A loaded picture. pixels holds biHeight rows of biWidth x (biBitCount / 8) bytes, top row first,
// and is owned by the record; null when nothing is loaded.
struct BitmapImage {
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER infoHeader;
    PALETTEENTRY palette[PALETTE_SIZE];
    uint8_t* pixels;
};

// Loads a BMP file. 0 on any failure, with the record's pixels untouched.
int BitmapLoad(BitmapImage* image, const char* fileName);
int BitmapUnload(BitmapImage* image);
int BitmapFlipRows(uint8_t* pixels, int bytesPerLine, int height);
