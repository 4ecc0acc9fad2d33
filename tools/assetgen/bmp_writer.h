// Writes 8-bit BMP sheets in the one layout the game's loader reads: 14 + 40 header bytes, the full
// 256-entry colour table, bottom row first, the width rounded up to a multiple of 4.
#pragma once

#include <cstdint>

#include "graphics/palette.h"

constexpr uint32_t BMP_HEADER_BYTES = 14 + 40 + 4 * PALETTE_SIZE; // 1078, where the pixels start

// pixels: height rows of width indices, top row first, rows pitch bytes apart. Columns added to
// reach a multiple of 4 are filled with padIndex (the sheet's key). 1 when written, 0 on a bad
// size or a failed write.
int BmpWrite8(const char* path, int width, int height, const uint8_t* pixels, int pitch,
              const PALETTEENTRY* palette, uint8_t padIndex);
