// Bitmap blocks and the cell-to-surface copy.
#include "support/raster/block.h"

#include "support/raster/raster_memory.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

static bool BlockPresent(const BitmapBlock* block)
{
    return block != nullptr && block->state != 0 && block->pixels != nullptr && block->width > 0 &&
           block->height > 0 && (block->bitsPerPixel == 8 || block->bitsPerPixel == 16) &&
           static_cast<long long>(block->byteCount) ==
               static_cast<long long>(block->width) * block->height * (block->bitsPerPixel / 8);
}

// Whether the rectangle of width x height at (left, top) lies inside an area of the given size.
static bool RectangleFits(long long left, long long top, long long width, long long height,
                          long long areaWidth, long long areaHeight)
{
    return width >= 0 && height >= 0 && left >= 0 && top >= 0 && left + width <= areaWidth &&
           top + height <= areaHeight;
}

// The first byte of pixel (left, top) of the picture when a width x height rectangle there lies
// inside it and the picture has the depth asked for; null otherwise.
static const uint8_t* PictureRectangle(const BitmapImage* picture, int bitsPerPixel, long long left,
                                       long long top, int width, int height)
{
    if (picture == nullptr || picture->pixels == nullptr ||
        picture->infoHeader.biBitCount != bitsPerPixel ||
        !RectangleFits(left, top, width, height, picture->infoHeader.biWidth,
                       picture->infoHeader.biHeight)) {
        return nullptr;
    }
    long long stride = static_cast<long long>(picture->infoHeader.biWidth) * (bitsPerPixel / 8);
    return picture->pixels + top * stride + left * (bitsPerPixel / 8);
}

static long long CellStart(int cell, int size)
{
    return static_cast<long long>(cell) * (static_cast<long long>(size) + 1) + 1;
}

int BlockCreate(BitmapBlock* block, int x, int y, int width, int height, int bitsPerPixel)
{
    if (block == nullptr || width <= 0 || height <= 0 ||
        (bitsPerPixel != 8 && bitsPerPixel != 16)) {
        return 0;
    }
    long long byteCount = static_cast<long long>(width) * height * (bitsPerPixel / 8);
    if (byteCount > INT32_MAX) {
        return 0;
    }
    auto* pixels = static_cast<uint8_t*>(std::calloc(static_cast<std::size_t>(byteCount), 1));
    if (pixels == nullptr) {
        return 0;
    }
    *block =
        BitmapBlock{1, 0, x, y, width, height, static_cast<int>(byteCount), bitsPerPixel, pixels};
    return 1;
}

int BlockDestroy(BitmapBlock* block)
{
    if (block == nullptr || block->pixels == nullptr) {
        return 0;
    }
    std::free(block->pixels);
    *block = BitmapBlock{};
    return 1;
}

static int LoadBlock(BitmapBlock* block, int bitsPerPixel, const BitmapImage* picture, int cx,
                     int cy, int mode)
{
    if (!BlockPresent(block) || block->bitsPerPixel != bitsPerPixel) {
        return 0;
    }
    long long left = mode == 0 ? CellStart(cx, block->width) : cx;
    long long top = mode == 0 ? CellStart(cy, block->height) : cy;
    const uint8_t* source =
        PictureRectangle(picture, bitsPerPixel, left, top, block->width, block->height);
    if (source == nullptr) {
        return 0;
    }
    std::size_t rowBytes = static_cast<std::size_t>(block->width) * (bitsPerPixel / 8);
    std::size_t stride = static_cast<std::size_t>(picture->infoHeader.biWidth) * (bitsPerPixel / 8);
    for (int row = 0; row < block->height; ++row) {
        std::memcpy(block->pixels + row * rowBytes, source + row * stride, rowBytes);
    }
    block->attributes |= BLOCK_LOADED;
    return 1;
}

int BlockLoad8(BitmapBlock* block, const BitmapImage* picture, int cx, int cy, int mode)
{
    return LoadBlock(block, 8, picture, cx, cy, mode);
}

int BlockLoad16(BitmapBlock* block, const BitmapImage* picture, int cx, int cy, int mode)
{
    return LoadBlock(block, 16, picture, cx, cy, mode);
}

template <typename Pixel>
static int DrawBlock(const BitmapBlock* block, uint8_t* memory, int pitch, int transparent)
{
    if (!BlockPresent(block) || !(block->attributes & BLOCK_LOADED) ||
        block->bitsPerPixel != 8 * static_cast<int>(sizeof(Pixel)) || memory == nullptr) {
        return 0;
    }
    // The memory's extent is the clip window; a row must also fit the pitch.
    long long right = static_cast<long long>(block->x) + block->width - 1;
    long long bottom = static_cast<long long>(block->y) + block->height - 1;
    if (block->x < 0 || block->y < 0 || block->x < ClipMinX || block->y < ClipMinY ||
        right > ClipMaxX || bottom > ClipMaxY || right >= RasterRowPixels<Pixel>(pitch)) {
        return 0;
    }
    const Pixel* source = reinterpret_cast<const Pixel*>(block->pixels);
    for (int row = 0; row < block->height; ++row, source += block->width) {
        Pixel* target = RasterRow<Pixel>(memory, pitch, block->y + row) + block->x;
        if (transparent) {
            for (int column = 0; column < block->width; ++column) {
                if (source[column] != 0) {
                    target[column] = source[column];
                }
            }
        } else {
            std::memcpy(target, source, static_cast<std::size_t>(block->width) * sizeof(Pixel));
        }
    }
    return 1;
}

int BlockDraw8(const BitmapBlock* block, uint8_t* memory, int pitch, int transparent)
{
    return DrawBlock<uint8_t>(block, memory, pitch, transparent);
}

int BlockDraw16(const BitmapBlock* block, uint8_t* memory, int pitch, int transparent)
{
    return DrawBlock<uint16_t>(block, memory, pitch, transparent);
}

int BlockCopy(BitmapBlock* destination, int dx, int dy, const BitmapBlock* source, int sx, int sy,
              int width, int height)
{
    if (!BlockPresent(destination) || !BlockPresent(source) ||
        destination->bitsPerPixel != source->bitsPerPixel ||
        !RectangleFits(dx, dy, width, height, destination->width, destination->height) ||
        !RectangleFits(sx, sy, width, height, source->width, source->height)) {
        return 0;
    }
    int bytes = source->bitsPerPixel / 8;
    std::size_t rowBytes = static_cast<std::size_t>(width) * bytes;
    auto at = [bytes](const BitmapBlock* block, int x, int y) {
        return block->pixels + (static_cast<std::size_t>(y) * block->width + x) * bytes;
    };
    // Within one block, rows moving down are copied bottom first so none is overwritten before
    // it is read; memmove takes care of overlap within a row.
    bool upwards = destination == source && dy > sy;
    for (int i = 0; i < height; ++i) {
        int row = upwards ? height - 1 - i : i;
        std::memmove(at(destination, dx, dy + row), at(source, sx, sy + row), rowBytes);
    }
    return 1;
}

int BlockScroll(BitmapBlock* block, int dx, int dy)
{
    if (!BlockPresent(block) || (dx == 0 && dy == 0)) {
        return 0;
    }
    int shift = dx % block->width; // the sign of dx; 0 for whole turns
    if (shift == 0) {
        return 1;
    }
    int bytes = block->bitsPerPixel / 8;
    std::size_t rowBytes = static_cast<std::size_t>(block->width) * bytes;
    // Right by s: the last s columns come round to the front; left by s: the first s go to the
    // back.
    std::size_t pivot = static_cast<std::size_t>(shift > 0 ? block->width - shift : -shift) * bytes;
    for (int row = 0; row < block->height; ++row) {
        uint8_t* start = block->pixels + row * rowBytes;
        std::rotate(start, start + pivot, start + rowBytes);
    }
    return 1;
}

int SurfaceLoadCell8(const BitmapImage* picture, DisplaySurface surface, int cx, int cy)
{
    if (surface == nullptr || surface->format->BitsPerPixel != 8) {
        return 0;
    }
    int width = surface->w;
    int height = surface->h;
    const uint8_t* source =
        PictureRectangle(picture, 8, CellStart(cx, width), CellStart(cy, height), width, height);
    if (source == nullptr) {
        return 0;
    }
    int pitch = 0;
    uint8_t* memory = DisplayLockSurface(surface, &pitch);
    if (memory == nullptr) {
        return 0;
    }
    for (int row = 0; row < height; ++row) {
        std::memcpy(memory + static_cast<std::ptrdiff_t>(row) * pitch,
                    source + static_cast<std::ptrdiff_t>(row) * picture->infoHeader.biWidth,
                    static_cast<std::size_t>(width));
    }
    DisplayUnlockSurface(surface);
    return 1;
}
