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

// ---- process lifetime ----
// Counts changes of the display palette; the flip rebuilds its colour lookup when it moves.
extern unsigned PaletteVersion;

int Rgb16From565(int red, int green, int blue);
int Rgb16From555(int red, int green, int blue);
// Reads up to 256 entries of four whitespace-separated decimal numbers each (red, green, blue,
// flags), each number taken as its low 8 bits (300 is 44, -1 is 255). Reading stops at the end of
// the file or at anything that is not a number; the entries after the last complete one keep
// their values, and numbers after the 256th entry are ignored. 0 only when the file cannot be
// opened or is not a regular file (a FIFO, a device or a folder is refused without waiting on it).
int PaletteLoadFile(const char* fileName, PALETTEENTRY* entries);
// Writes "\n%d %d %d %d" for each of the 256 entries. 0 when the file cannot be written, and at
// once when something other than a regular file is in its place.
int PaletteSaveFile(const char* fileName, const PALETTEENTRY* entries);
// The entry operations refuse (0) an index outside 0..255 and a null entry pointer.
int PaletteSetEntry(int index, const PALETTEENTRY* colour);
int PaletteGetEntry(int index, PALETTEENTRY* out);
int PaletteSetAll(const PALETTEENTRY* entries);
int PaletteCopyOut(PALETTEENTRY* out);
// Moves the display colours of first..last up one index, the colour of last wrapping round to
// first, then copies the whole display palette into PaletteEntries. 0 unless
// 0 <= first < last <= 255.
int PaletteRotate(int first, int last);

// The display palette itself (what the screen shows from the next flip on), which may differ from
// PaletteEntries while the raster library's blinkers change it. count entries from first; 0 when
// the range leaves 0..255. It is kept even while no display is set up, and DisplayInit replaces it
// with PaletteEntries.
int PaletteSetDisplayEntries(int first, int count, const PALETTEENTRY* entries);
int PaletteGetDisplayEntries(int first, int count, PALETTEENTRY* out);
