// Tests of spans, Bresenham lines and the line clipper: worked values, at the window's edges and
// corners for the clipper.
#include "support/raster/line.h"

#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <array>

TEST(LineTest, BresenhamLinesAndSpansSetTheExpectedPixels)
{
    // x-major, right to left and upwards, with a pitch wider than the row: the error term decides
    // each row change.
    Canvas8 shallow(12, 8, 13);
    EXPECT_EQ(DrawLine8(5, 2, 0, 0, 1, shallow.Memory(), shallow.pitch), 1);
    EXPECT_EQ(shallow.Other(0), (Points{{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}));
    // Spans in either order, cut at the window or dropped beside it.
    SetClip(2, 1, 9, 5);
    Canvas8 spans(12, 8, 12);
    DrawHLine8(7, 3, 2, 4, spans.Memory(), spans.pitch);
    DrawHLine8(-5, 1, 3, 4, spans.Memory(), spans.pitch); // left of the window
    DrawHLine8(0, 4, 6, 4, spans.Memory(), spans.pitch);  // below it
    DrawHLine8(-50, 4, 4, 4, spans.Memory(), spans.pitch);
    EXPECT_EQ(spans.Other(0),
              (Points{{3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 2}, {2, 4}, {3, 4}, {4, 4}}));
    Canvas16 column(12, 8, 24);
    DrawVLine16(100, -100, 9, 7, column.Memory(), column.pitch);
    DrawVLine16(0, 6, 10, 7, column.Memory(), column.pitch); // right of the window
    EXPECT_EQ(column.Other(0), (Points{{9, 1}, {9, 2}, {9, 3}, {9, 4}, {9, 5}}));
    // A clipped line is cut at the window; the plain line is not.
    Canvas8 clipped(12, 8, 12);
    EXPECT_EQ(DrawClippedLine8(-5, 3, 20, 3, 1, clipped.Memory(), clipped.pitch), 1);
    EXPECT_EQ(DrawClippedLine8(0, 0, 11, 0, 1, clipped.Memory(), clipped.pitch), 1);
    EXPECT_EQ(clipped.Other(0),
              (Points{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 3}, {9, 3}}));
}

TEST(LineTest, ClipLineCases)
{
    using Four = std::array<int, 4>;
    struct Case {
        Four window; // min x, min y, max x, max y
        Four line;
        int accepted;
        Four result;
        const char* what;
    };
    const Four screen = {0, 0, 639, 479};
    const Four centred = {-10, -10, 10, 10};
    const Case cases[] = {
        {screen, {10, -5, 600, -1}, 0, {10, -5, 600, -1}, "both above"},
        {screen, {3, 4, 639, 479}, 1, {3, 4, 639, 479}, "both inside"},
        // Ends on the right and left edges are inside: a clipped first end would move (see below).
        {centred, {10, -3, 0, 5}, 1, {10, -3, 0, 5}, "first end on the right edge"},
        {centred, {-10, -3, 0, 5}, 1, {-10, -3, 0, 5}, "first end on the left edge"},
        // Top edge at x = -4 + 0.5 + 7040 / 60; the far end in integers: 50 + 3660 / -704.
        {screen, {-4, -10, 700, 50}, 1, {113, 0, 639, 45}, "upper-left region, top edge"},
        // Top edge at -30 + 0.5 + 6 (left of the window), so the left edge: -20 + 0.5 + 90.
        {screen, {-30, -20, 10, 100}, 1, {0, 70, 10, 100}, "upper-left region, left edge"},
        // Top edge at 700 + 0.5 - 16 (right of it), so the right edge: -20 + 0.5 + 73.
        {screen, {700, -20, 600, 100}, 1, {639, 53, 600, 100}, "upper-right region, right edge"},
        {screen, {-10, 5, 5, -10}, 0, {-10, 5, 5, -10}, "passes beside the corner"},
        // Where the sum is negative the first end's double form gives one more.
        {centred, {-5, -20, -4, 0}, 1, {-4, -10, -4, 0}, "first end: -5 + 0.5 + 0"},
        {centred, {-4, 0, -5, -20}, 1, {-4, 0, -5, -10}, "second end: -5 + 0"},
        {centred, {5, -20, 6, 0}, 1, {5, -10, 6, 0}, "positive: the forms agree"},
        // A 32-bit product would overflow; the crossings must still be the true ones.
        {screen, {-2000000000, 240, 2000000000, 240}, 1, {0, 240, 639, 240}, "huge, level"},
        {screen,
         {-2000000000, -2000000000, 2000000000, 2000000000},
         1,
         {0, 0, 479, 479},
         "huge, diagonal"},
    };
    for (const Case& c : cases) {
        SetClip(c.window[0], c.window[1], c.window[2], c.window[3]);
        Four v = c.line;
        EXPECT_EQ(ClipLine(v[0], v[1], v[2], v[3]), c.accepted) << c.what;
        EXPECT_EQ(v, c.result) << c.what;
    }
}
