// The bases' letters drawn on the pixel grid, for the pieces and the genome log: at play size a
// font's stems fall between pixels and blur (a T turns into "II"); these land on whole pixels.
#pragma once

#include "tools/assetgen/canvas.h"

// A one-colour picture on a grid: '#' is ink, anything else is left alone.
constexpr int PIXEL_PATTERN_ROWS = 10;
struct PixelPattern {
    int width;
    int height;
    const char* rows[PIXEL_PATTERN_ROWS];
};

enum PixelLetterSize {
    LETTERS_LARGE, // 8 x 10, on the pieces' buttons
    LETTERS_SMALL, // 6 x 8, in the genome log and on small pieces
};

// The letter of base `kind` (0-3: A, C, G, T; clamped) at that size.
const PixelPattern& PixelLetter(int kind, PixelLetterSize size);

// Draws the pattern with its top left at (left, top), each grid square `unit` canvas pixels
// wide, covering each pixel by the area the ink takes of it: at unit 1 on whole coordinates every
// ink pixel is solid and every other pixel untouched.
void PaintPixelPattern(Canvas& canvas, const PixelPattern& pattern, float left, float top,
                       float unit, ArtColour ink);
