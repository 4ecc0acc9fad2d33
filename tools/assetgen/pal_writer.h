// Writes the palette text file the display reads at start ("mainPalette.PAL").
#pragma once

#include "graphics/palette.h"

// Each of the 256 entries as a newline and "red green blue flags"; no newline after the last.
// 1 when written, 0 when the file cannot be written completely.
int PalWrite(const char* path, const PALETTEENTRY* palette);
