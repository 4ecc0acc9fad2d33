// Tests of pixels, spans, Bresenham lines and the line clipper: worked values at the window's
// edges and corners, and random lines and spans against a guard band around the clip window.
#include "support/raster/line.h"

#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <utility>

using Points = std::set<std::pair<int, int>>;

template <typename Pixel>
static Points PixelsOf(const Canvas<Pixel>& canvas, Pixel background = 0)
{
    Points points;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            if (canvas.At(x, y) != background) {
                points.insert({x, y});
            }
        }
    }
    return points;
}

class LineTest : public RasterTest {};

TEST_F(LineTest, BresenhamLinesSetTheExpectedPixelsInBothDepths)
{
    Canvas8 canvas(8, 8, 11); // a pitch wider than the row
    EXPECT_EQ(DrawLine8(0, 0, 3, 3, 5, canvas.Memory(), canvas.pitch), 1);
    EXPECT_EQ(PixelsOf(canvas), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));

    Canvas8 point(8, 8, 8);
    DrawLine8(4, 2, 4, 2, 9, point.Memory(), point.pitch);
    EXPECT_EQ(PixelsOf(point), (Points{{4, 2}}));

    // x-major, drawn right to left and upwards: the error term decides each row change.
    Canvas8 shallow(8, 8, 8);
    DrawLine8(5, 2, 0, 0, 1, shallow.Memory(), shallow.pitch);
    EXPECT_EQ(PixelsOf(shallow), (Points{{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}));

    // The 16-bit twin sets the same pixels, also with an odd pitch (rows of 4 words).
    Canvas16 words(4, 3, 9, 0xABCD);
    EXPECT_EQ(DrawLine16(3, 0, 0, 2, 0x1234, words.Memory(), words.pitch), 1);
    EXPECT_EQ(PixelsOf<uint16_t>(words, 0xABCD), (Points{{3, 0}, {2, 1}, {1, 1}, {0, 2}}));
    EXPECT_EQ(words.At(1, 1), 0x1234);
    EXPECT_EQ(PlotPixel16(2, 2, 0x0F0F, words.Memory(), words.pitch), 1);
    EXPECT_EQ(words.At(2, 2), 0x0F0F);
}

TEST_F(LineTest, SpansAreOrderedAndCutAtTheWindow)
{
    SetClip(2, 1, 9, 5);
    Canvas8 forward(12, 7, 12);
    Canvas8 backward(12, 7, 12);
    DrawHLine8(3, 7, 2, 4, forward.Memory(), forward.pitch);
    DrawHLine8(7, 3, 2, 4, backward.Memory(), backward.pitch);
    EXPECT_EQ(PixelsOf(forward), PixelsOf(backward));
    EXPECT_EQ(forward.CountOtherThan(0), 5);

    Canvas8 cut(12, 7, 12);
    DrawHLine8(-5, 1, 3, 4, cut.Memory(), cut.pitch); // wholly left of the window
    DrawHLine8(0, 4, 6, 4, cut.Memory(), cut.pitch);  // below it
    EXPECT_EQ(cut.CountOtherThan(0), 0);
    DrawHLine8(-50, 4, 3, 4, cut.Memory(), cut.pitch); // straddles the left edge
    EXPECT_EQ(PixelsOf(cut), (Points{{2, 3}, {3, 3}, {4, 3}}));

    Canvas16 column(12, 7, 24);
    DrawVLine16(100, -100, 9, 7, column.Memory(), column.pitch);
    DrawVLine16(0, 6, 10, 7, column.Memory(), column.pitch); // right of the window
    EXPECT_EQ(PixelsOf<uint16_t>(column), (Points{{9, 1}, {9, 2}, {9, 3}, {9, 4}, {9, 5}}));
}

TEST_F(LineTest, ClipLineWorkedCases)
{
    SetClip(0, 0, 639, 479);
    int x1 = 10, y1 = -5, x2 = 600, y2 = -1;
    EXPECT_EQ(ClipLine(x1, y1, x2, y2), 0) << "both above";
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{10, -5, 600, -1}));

    x1 = 3, y1 = 4, x2 = 639, y2 = 479;
    EXPECT_EQ(ClipLine(x1, y1, x2, y2), 1) << "both inside";
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{3, 4, 639, 479}));

    // From the upper-left corner region: the top edge is crossed at x = -4 + 0.5 + 7040 / 60 = 113,
    // inside, so the top edge is taken. The far end is cut at the right edge in the integer form:
    // y = 50 + 3660 / -704 = 45.
    x1 = -4, y1 = -10, x2 = 700, y2 = 50;
    EXPECT_EQ(ClipLine(x1, y1, x2, y2), 1);
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{113, 0, 639, 45}));

    // A steep line from above-left crosses the top edge left of the window (x = -30 + 0.5 + 6,
    // truncated: -23), so the left edge is taken instead: y = -20 + 0.5 + 30 * 120 / 40 = 70.
    x1 = -30, y1 = -20, x2 = 10, y2 = 100;
    EXPECT_EQ(ClipLine(x1, y1, x2, y2), 1);
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{0, 70, 10, 100}));

    // From the upper-right corner region the top edge is crossed at x = 700 + 0.5 - 16 = 684,
    // right of the window, so the right edge is taken: y = -20 + 0.5 + 7320 / 100 = 53.
    x1 = 700, y1 = -20, x2 = 600, y2 = 100;
    EXPECT_EQ(ClipLine(x1, y1, x2, y2), 1);
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{639, 53, 600, 100}));

    // A line that only passes beside the corner: its cut ends fall outside, so it is rejected and
    // nothing changes.
    x1 = -10, y1 = 5, x2 = 5, y2 = -10;
    EXPECT_EQ(ClipLine(x1, y1, x2, y2), 0);
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{-10, 5, 5, -10}));
}

TEST_F(LineTest, ClipLineRoundsTheFirstEndOnlyWhereTheSumIsNegative)
{
    // A window around the origin: the first end's double form (-5 + 0.5 + 0, truncated) gives -4,
    // the second end's integer form gives -5 for the same crossing.
    SetClip(-10, -10, 10, 10);
    int x1 = -5, y1 = -20, x2 = -4, y2 = 0;
    ASSERT_EQ(ClipLine(x1, y1, x2, y2), 1);
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{-4, -10, -4, 0}));
    x1 = -4, y1 = 0, x2 = -5, y2 = -20;
    ASSERT_EQ(ClipLine(x1, y1, x2, y2), 1);
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{-4, 0, -5, -10}));
    // On the positive side both forms agree.
    x1 = 5, y1 = -20, x2 = 6, y2 = 0;
    ASSERT_EQ(ClipLine(x1, y1, x2, y2), 1);
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{5, -10, 6, 0}));
}

TEST_F(LineTest, ClipLineKeepsHugeCoordinatesExact)
{
    // A 32-bit product would overflow here; the crossing must still be the true one.
    SetClip(0, 0, 639, 479);
    int x1 = -2000000000, y1 = 240, x2 = 2000000000, y2 = 240;
    ASSERT_EQ(ClipLine(x1, y1, x2, y2), 1);
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{0, 240, 639, 240}));
    x1 = -2000000000, y1 = -2000000000, x2 = 2000000000, y2 = 2000000000;
    ASSERT_EQ(ClipLine(x1, y1, x2, y2), 1);
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{0, 0, 479, 479}));
}

// DrawClippedLine8/16 or DrawLine8/16, by the canvas's depth.
template <typename Pixel>
static void DrawLineOn(bool clipped, int x1, int y1, int x2, int y2, Canvas<Pixel>& canvas)
{
    if constexpr (sizeof(Pixel) == 1) {
        (clipped ? DrawClippedLine8 : DrawLine8)(x1, y1, x2, y2, 0xEE, canvas.Memory(),
                                                 canvas.pitch);
    } else {
        (clipped ? DrawClippedLine16 : DrawLine16)(x1, y1, x2, y2, 0xBEEF, canvas.Memory(),
                                                   canvas.pitch);
    }
}

template <typename Pixel>
static void CheckRandomClippedLines(int pitch)
{
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> coordinate(-40, 100);
    const Pixel background = 0x5A;
    for (int round = 0; round < 4000; ++round) {
        Canvas<Pixel> canvas(64, 48, pitch, background);
        // Every fourth line has both ends inside the window.
        std::uniform_int_distribution<int> across(ClipMinX, ClipMaxX), down(ClipMinY, ClipMaxY);
        bool inside = round % 4 == 0;
        int x1 = inside ? across(random) : coordinate(random);
        int y1 = inside ? down(random) : coordinate(random);
        int x2 = inside ? across(random) : coordinate(random);
        int y2 = inside ? down(random) : coordinate(random);
        DrawLineOn<Pixel>(true, x1, y1, x2, y2, canvas);
        ASSERT_EQ(GuardBandWrites<Pixel>(canvas, background), 0)
            << x1 << "," << y1 << " " << x2 << "," << y2;

        int cx1 = x1, cy1 = y1, cx2 = x2, cy2 = y2;
        if (ClipLine(cx1, cy1, cx2, cy2)) {
            ASSERT_TRUE(ClipOutcode(cx1, cy1) == 0 && ClipOutcode(cx2, cy2) == 0);
        }
        if (ClipOutcode(x1, y1) == 0 && ClipOutcode(x2, y2) == 0) {
            Canvas<Pixel> plain(64, 48, pitch, background);
            DrawLineOn<Pixel>(false, x1, y1, x2, y2, plain);
            ASSERT_EQ(canvas.pixels, plain.pixels);
        }
    }
}

TEST_F(LineTest, RandomClippedLinesStayInsideTheWindow)
{
    // The window leaves a guard band of memory on every side.
    SetClip(6, 5, 57, 40);
    CheckRandomClippedLines<uint8_t>(70);
    CheckRandomClippedLines<uint16_t>(131);
}

TEST_F(LineTest, RandomSpansStayInsideTheWindow)
{
    SetClip(6, 5, 57, 40);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-40, 100);
    for (int round = 0; round < 2000; ++round) {
        Canvas8 across(64, 48, 64, 0x33);
        Canvas16 down(64, 48, 128, 0x3333);
        int a = coordinate(random), b = coordinate(random), at = coordinate(random);
        DrawHLine8(a, b, at, 1, across.Memory(), across.pitch);
        DrawVLine16(a, b, at, 1, down.Memory(), down.pitch);
        ASSERT_EQ(GuardBandWrites<uint8_t>(across, 0x33), 0);
        ASSERT_EQ(GuardBandWrites<uint16_t>(down, 0x3333), 0);
        // Inside the window a span is exactly its pixels.
        int expected = 0;
        for (int x = std::min(a, b); x <= std::max(a, b); ++x) {
            expected += InsideClip(x, at);
        }
        ASSERT_EQ(across.CountOtherThan(0x33), expected);
        int expectedDown = 0;
        for (int y = std::min(a, b); y <= std::max(a, b); ++y) {
            expectedDown += InsideClip(at, y);
        }
        ASSERT_EQ(down.CountOtherThan(0x3333), expectedDown);
    }
}
