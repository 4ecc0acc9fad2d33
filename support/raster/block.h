// Bitmap blocks: rectangles of pixels in plain memory, cut from pictures, drawn into locked memory,
// copied and scrolled sideways; and the copy of a picture's cell into a display surface.
#pragma once

#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/display.h"

constexpr uint32_t BLOCK_LOADED = 0x80; // attributes bit: pixels came from a picture

// A block; every field is 0 before BlockCreate and after BlockDestroy.
struct BitmapBlock {
    int state;           // 1 once created, 0 when destroyed
    uint32_t attributes; // BLOCK_LOADED once loaded; drawing requires it
    int x;               // left edge where the block is drawn
    int y;               // top edge where the block is drawn
    int width;           // pixels
    int height;          // pixels
    int byteCount;       // width x height x bytes per pixel
    int bitsPerPixel;    // 8 or 16
    uint8_t* pixels;     // byteCount bytes, rows top to bottom without padding; owned
};

// Every operation below returns 1 on success and 0 when a block is absent (never created, or
// destroyed), when depths do not match, or when a rectangle does not fit the block, picture or
// memory it names; nothing is read or written then.

// A block of zero pixels (not loaded yet). Sizes must be positive and the depth 8 or 16. Create
// over a live block only after destroying it.
int BlockCreate(BitmapBlock* block, int x, int y, int width, int height, int bitsPerPixel);
int BlockDestroy(BitmapBlock* block);

// Fills the block from the picture of the same depth: mode 0 takes cell (cx, cy) of a grid of
// block-sized cells framed by one-pixel lines, i.e. the pixel (cx (width + 1) + 1,
// cy (height + 1) + 1); any other mode takes the pixel position (cx, cy) itself.
int BlockLoad8(BitmapBlock* block, const BitmapImage* picture, int cx, int cy, int mode);
int BlockLoad16(BitmapBlock* block, const BitmapImage* picture, int cx, int cy, int mode);

// Draws a loaded block at its (x, y) into locked memory of its depth. Transparent: source pixels
// of 0 leave the memory as it was. The block must lie inside the clip window (which stands for
// the memory's extent) and within the pitch; nothing is trimmed.
int BlockDraw8(const BitmapBlock* block, uint8_t* memory, int pitch, int transparent);
int BlockDraw16(const BitmapBlock* block, uint8_t* memory, int pitch, int transparent);

// Copies width x height pixels from (sx, sy) of the source to (dx, dy) of the destination, both
// of one depth. They may be the same block, also overlapping.
int BlockCopy(BitmapBlock* destination, int dx, int dy, const BitmapBlock* source, int sx, int sy,
              int width, int height);

// Scrolls the rows sideways by dx pixels with wrap-around (right for positive dx); dy is not
// used. 0 for an absent block or when both amounts are 0; 1 otherwise.
int BlockScroll(BitmapBlock* block, int dx, int dy);

// Copies cell (cx, cy) of the 8-bit picture, as big as the 8-bit surface, into the surface.
int SurfaceLoadCell8(const BitmapImage* picture, DisplaySurface surface, int cx, int cy);
