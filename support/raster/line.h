// Pixels, clipped spans and Bresenham lines written straight into locked pixel memory, and the
// one-pass line clipper against the display's clip window.
#pragma once

#include <cstdint>

// Every routine comes as an 8-bit twin (palette index per byte) and a 16-bit twin (packed pixel
// per word). A pitch is always in bytes; the 16-bit forms step rows by the pitch halved (an odd
// pitch loses its last byte).

// Outcodes of a point against the clip window, combined by OR; a point gets at most one of left
// and right and at most one of above and below.
constexpr int OUT_LEFT = 1;  // x < ClipMinX
constexpr int OUT_RIGHT = 2; // x > ClipMaxX
constexpr int OUT_BELOW = 4; // y > ClipMaxY
constexpr int OUT_ABOVE = 8; // y < ClipMinY

// Unclipped: the caller keeps (x, y) inside the memory. Return 1.
int PlotPixel8(int x, int y, uint8_t colour, uint8_t* memory, int pitch);
int PlotPixel16(int x, int y, uint16_t colour, uint8_t* memory, int pitch);

// Writes value into count consecutive words.
void FillWords(uint16_t* destination, uint16_t value, unsigned count);

// Spans from x1 to x2 (or y1 to y2) inclusive, in either order, trimmed to the clip window; they
// never write outside it.
void DrawHLine8(int x1, int x2, int y, uint8_t colour, uint8_t* memory, int pitch);
void DrawHLine16(int x1, int x2, int y, uint16_t colour, uint8_t* memory, int pitch);
void DrawVLine8(int y1, int y2, int x, uint8_t colour, uint8_t* memory, int pitch);
void DrawVLine16(int y1, int y2, int x, uint16_t colour, uint8_t* memory, int pitch);

// The outcode of (x, y) against the clip window as it stands.
int ClipOutcode(int x, int y);

// Clips the line to the clip window in one pass. 1 when accepted: the four values are then the
// clipped endpoints, all inside the window (a line with both ends inside is left as it is).
// 0 when rejected, with the values unchanged: both ends beyond the same edge, or a clipped end
// that still falls outside the window (a line that only grazes a corner).
int ClipLine(int& x1, int& y1, int& x2, int& y2);

// Unclipped Bresenham lines, both endpoints drawn; the caller keeps them inside the memory.
// Return 1.
int DrawLine8(int x1, int y1, int x2, int y2, uint8_t colour, uint8_t* memory, int pitch);
int DrawLine16(int x1, int y1, int x2, int y2, uint16_t colour, uint8_t* memory, int pitch);

// ClipLine, then the Bresenham line when accepted; never writes outside the clip window.
// Return 1 always.
int DrawClippedLine8(int x1, int y1, int x2, int y2, uint8_t colour, uint8_t* memory, int pitch);
int DrawClippedLine16(int x1, int y1, int x2, int y2, uint16_t colour, uint8_t* memory, int pitch);
