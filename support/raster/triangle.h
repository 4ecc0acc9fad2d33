// Filled triangles clipped to the display's clip window: 8- and 16-bit with floating-point edges,
// 8-bit with 16.16 fixed-point edges, each split into a flat-top and a flat-bottom half.
#pragma once

#include <cstdint>

// The pixels drawn do not depend on the order the vertices are given in. Nothing is drawn when
// the three x or the three y are equal, or when the triangle lies wholly beyond one edge of the
// clip window; nothing is ever written outside the clip window.
void DrawTriangle8(int x1, int y1, int x2, int y2, int x3, int y3, uint8_t colour, uint8_t* memory,
                   int pitch);
void DrawTriangle16(int x1, int y1, int x2, int y2, int x3, int y3, uint16_t colour,
                    uint8_t* memory, int pitch);
void DrawTriangleFixed8(int x1, int y1, int x2, int y2, int x3, int y3, uint8_t colour,
                        uint8_t* memory, int pitch);

// The halves. Flat top: (x1, y1)-(x2, y2) is the top edge (y1 = y2), (x3, y3) the apex below it.
// Flat bottom: (x1, y1) is the apex, (x2, y2)-(x3, y3) the bottom edge (y2 = y3) below it. Both
// draw rows y1 to y3 and nothing when the apex lies on the flat edge's row (or the other side).
void DrawFlatTopTriangle8(int x1, int y1, int x2, int y2, int x3, int y3, uint8_t colour,
                          uint8_t* memory, int pitch);
void DrawFlatBottomTriangle8(int x1, int y1, int x2, int y2, int x3, int y3, uint8_t colour,
                             uint8_t* memory, int pitch);
void DrawFlatTopTriangle16(int x1, int y1, int x2, int y2, int x3, int y3, uint16_t colour,
                           uint8_t* memory, int pitch);
void DrawFlatBottomTriangle16(int x1, int y1, int x2, int y2, int x3, int y3, uint16_t colour,
                              uint8_t* memory, int pitch);
void DrawFlatTopTriangleFixed8(int x1, int y1, int x2, int y2, int x3, int y3, uint8_t colour,
                               uint8_t* memory, int pitch);
void DrawFlatBottomTriangleFixed8(int x1, int y1, int x2, int y2, int x3, int y3, uint8_t colour,
                                  uint8_t* memory, int pitch);
