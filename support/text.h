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

// 1 when drawn; 0 when the surface cannot take text (null, or no font could be opened).
int DrawTextRGB(const char* text, int x, int y, COLORREF colour, DisplaySurface surface);
// As DrawTextRGB in the colour of PaletteEntries[index].
int DrawTextPaletteIndex(const char* text, int x, int y, unsigned index, DisplaySurface surface);
// Closes the font; the next call opens it again.
void TextShutdown();
