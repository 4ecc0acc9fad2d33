// The 256-entry display palette: its shadow copy, the palette text file, and the two packings of
// red, green and blue into a 16-bit pixel.
#pragma once

#include <cstdint>

constexpr int PALETTE_SIZE = 256;
constexpr uint8_t PC_EXPLICIT = 2;
constexpr uint8_t PC_NOCOLLAPSE = 4;

// One palette entry: red, green, blue, flags (the Win32 PALETTEENTRY layout).
struct PALETTEENTRY {
    uint8_t peRed;
    uint8_t peGreen;
    uint8_t peBlue;
    uint8_t peFlags;
};

// ---- set by DisplayInit, valid until DisplayShutdown ----
// Mirror of the display palette; every operation here that sets display entries updates it.
extern PALETTEENTRY PaletteEntries[PALETTE_SIZE];
// Rgb16From555 or Rgb16From565, chosen by DisplayInit from PixelFormat.
extern int (*Rgb16Builder)(int red, int green, int blue);

int Rgb16From565(int red, int green, int blue);
int Rgb16From555(int red, int green, int blue);
// Reads 256 entries of four numbers each; a short file leaves the later entries as they were.
// 0 only when the file cannot be opened.
int PaletteLoadFile(const char* fileName, PALETTEENTRY* entries);
int PaletteSaveFile(const char* fileName, const PALETTEENTRY* entries);
int PaletteSetEntry(int index, const PALETTEENTRY* colour);
int PaletteGetEntry(int index, PALETTEENTRY* out);
int PaletteSetAll(const PALETTEENTRY* entries);
int PaletteCopyOut(PALETTEENTRY* out);
// Moves the colours of first..last up one index, the colour of last wrapping round to first.
int PaletteRotate(int first, int last);

// The display palette itself (what the screen shows), which may differ from PaletteEntries while
// the raster library's blinkers change it. Count entries from first.
int PaletteSetDisplayEntries(int first, int count, const PALETTEENTRY* entries);
int PaletteGetDisplayEntries(int first, int count, PALETTEENTRY* out);
