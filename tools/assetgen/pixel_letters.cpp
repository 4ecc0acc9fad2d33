// The bases' letters on the pixel grid, and the painter of one-colour grid pictures.
#include "tools/assetgen/pixel_letters.h"

#include <algorithm>
#include <cmath>

// Bold strokes two pixels wide, square shoulders rounded by one pixel, as arcade lettering was
// drawn; the T's bar is as heavy as its stem so it never thins into the button's rim.
static constexpr PixelPattern LARGE[4] = {
    {8,
     10,
     {"..####..", ".######.", "###..###", "##....##", "##....##", "########", "########",
      "##....##", "##....##", "##....##"}},
    {8,
     10,
     {"..######", ".#######", "###.....", "##......", "##......", "##......", "##......",
      "###.....", ".#######", "..######"}},
    {8,
     10,
     {"..######", ".#######", "###.....", "##......", "##..####", "##..####", "##....##",
      "###...##", ".#######", "..######"}},
    {8,
     10,
     {"########", "########", "...##...", "...##...", "...##...", "...##...", "...##...",
      "...##...", "...##...", "...##..."}},
};

static constexpr PixelPattern SMALL[4] = {
    {6, 8, {"..##..", ".####.", "##..##", "##..##", "######", "##..##", "##..##", "##..##"}},
    {6, 8, {".#####", "######", "##....", "##....", "##....", "##....", "######", ".#####"}},
    {6, 8, {".#####", "######", "##....", "##.###", "##..##", "##..##", "######", ".#####"}},
    {6, 8, {"######", "######", "..##..", "..##..", "..##..", "..##..", "..##..", "..##.."}},
};

// Length of the overlap of [a0, a1) and [b0, b1).
static float Overlap(float a0, float a1, float b0, float b1)
{
    return std::max(0.0f, std::min(a1, b1) - std::max(a0, b0));
}

const PixelPattern& PixelLetter(int kind, PixelLetterSize size)
{
    const int k = std::clamp(kind, 0, 3);
    return size == LETTERS_LARGE ? LARGE[k] : SMALL[k];
}

void PaintPixelPattern(Canvas& canvas, const PixelPattern& pattern, float left, float top,
                       float unit, ArtColour ink)
{
    const int x0 = static_cast<int>(std::floor(left)), y0 = static_cast<int>(std::floor(top));
    const int x1 = static_cast<int>(std::ceil(left + static_cast<float>(pattern.width) * unit));
    const int y1 = static_cast<int>(std::ceil(top + static_cast<float>(pattern.height) * unit));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            // The grid squares are disjoint, so the pixel's coverage is the sum of its overlaps.
            float coverage = 0.0f;
            for (int row = 0; row < pattern.height; ++row) {
                const float h = Overlap(static_cast<float>(y), static_cast<float>(y + 1),
                                        top + static_cast<float>(row) * unit,
                                        top + static_cast<float>(row + 1) * unit);
                if (h <= 0.0f) {
                    continue;
                }
                for (int col = 0; col < pattern.width; ++col) {
                    if (pattern.rows[row][col] == '#') {
                        coverage += h * Overlap(static_cast<float>(x), static_cast<float>(x + 1),
                                                left + static_cast<float>(col) * unit,
                                                left + static_cast<float>(col + 1) * unit);
                    }
                }
            }
            if (coverage > 0.0f) {
                CanvasBlend(canvas, x, y, ink, std::min(coverage, 1.0f));
            }
        }
    }
}
