// Text drawing: one line of text onto a surface, transparent background, upper-left at (x, y).
#pragma once

#include <cstdint>

#include "graphics/display.h"

// A GDI colour reference, 0x00BBGGRR.
using COLORREF = uint32_t;
constexpr COLORREF RGB(int red, int green, int blue)
{
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// The font: DejaVu Sans Bold at the size of the classic 16-pixel system font (a line is 16 pixels
// high, 13 above the base line), found through fontconfig wherever the system keeps it.
constexpr const char* TEXT_FONT_NAME = "DejaVu Sans:bold";
constexpr int TEXT_FONT_POINTS = 13;
constexpr int TEXT_FONT_PATH_SIZE = 4096;

// ---- process lifetime ----
// The font file that the first call after start or TextShutdown opens; nullptr (the start value)
// means the one TextFindFont finds. Tests point it at a file of their choice.
extern const char* TextFontPath;

// Finds the game's font through fontconfig and writes its file's path into path (size bytes).
// DejaVu Sans Bold is taken first, else another bold sans-serif family that the system's
// configuration names for sans-serif; fontconfig's last-resort substitute for anything else is
// refused, since the screens are laid out for a sans-serif face. 1 when found, else 0 and "".
int TextFindFont(char* path, int size);
// Opens the font now, so that set-up can refuse to start without one. 1 when it is open; 0 when
// no usable font exists, and TextError says why.
int TextOpen();
// Why the font could not be opened, in the player's words; "" while it has not failed.
const char* TextError();

// Draws the text (8-bit characters, Latin-1) with its upper-left corner at (x, y), trimmed to the
// surface. On an 8-bit surface the glyphs take the entry of PaletteEntries nearest to the colour.
// 1 when drawn (an empty text draws nothing); 0 when the surface cannot take text (null, held
// locked, an unknown depth) or the font cannot be opened, and then nothing is drawn.
int DrawTextRGB(const char* text, int x, int y, COLORREF colour, DisplaySurface surface);
// As DrawTextRGB in the colour of PaletteEntries[index]; 0 for an index past the palette.
int DrawTextPaletteIndex(const char* text, int x, int y, unsigned index, DisplaySurface surface);
// Closes the font; the next call opens it again.
void TextShutdown();
