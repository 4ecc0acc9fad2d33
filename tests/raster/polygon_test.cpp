// Tests of the polygon toolkit: worked examples of outlines and fills, transforms, box overlap,
// colour scans and the fast distances.
#include "support/raster/polygon.h"

#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <vector>

TEST(PolygonTest, WorkedExamples)
{
    // A 6 x 6 square: its outline is the 20 border pixels, its fill all 36; inactive or absent it
    // draws nothing. Moved half past the window's corner, its fill is cut to the 9 inside.
    SetClip(0, 0, 31, 31);
    Canvas8 canvas(32, 32, 32);
    std::vector<Vertex2D> square = {{0, 0}, {5, 0}, {5, 5}, {0, 5}};
    Polygon2D polygon{0, 4, 4, 4, 7, square.data()};
    EXPECT_EQ(DrawPolygon8(&polygon, canvas.Memory(), canvas.pitch), 0);
    FillPolygon8(&polygon, canvas.Memory(), canvas.pitch);
    EXPECT_EQ(DrawPolygon8(nullptr, canvas.Memory(), canvas.pitch), 0);
    EXPECT_EQ(canvas.Other(0), Points{});
    polygon.state = 1;
    EXPECT_EQ(DrawPolygon8(&polygon, canvas.Memory(), canvas.pitch), 1);
    EXPECT_EQ(canvas.Other(0).size(), 20u);
    Canvas16 words(32, 32, 65);
    polygon.colour = 0x1234;
    FillPolygon16(&polygon, words.Memory(), words.pitch);
    EXPECT_EQ(words.Other(0).size(), 36u);
    EXPECT_EQ(words.At(9, 9), 0x1234);
    Canvas8 corner(32, 32, 32);
    EXPECT_EQ(TranslatePolygon(&polygon, -7, -7), 1);
    FillPolygon8(&polygon, corner.Memory(), corner.pitch);
    EXPECT_EQ(corner.Other(0),
              (Points{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1}, {2, 2}}));

    // A quarter turn, and a negative angle that takes one turn added; the matrix forms give the
    // same floats as the direct ones.
    std::vector<Vertex2D> direct = {{1, 0}}, viaMatrix = direct;
    Polygon2D a{1, 1, 0, 0, 1, direct.data()}, b{1, 1, 0, 0, 1, viaMatrix.data()};
    EXPECT_EQ(RotatePolygon(&a, 90) + RotatePolygonMat(&b, -270), 2);
    EXPECT_NEAR(direct[0].y, 1, 1e-6);
    EXPECT_EQ((std::array{direct[0].x, direct[0].y}), (std::array{viaMatrix[0].x, viaMatrix[0].y}));

    // Boxes shrink to 3/4: 16-wide boxes (half 6, centre at x + 6) overlap while their centres
    // are closer than 12.
    EXPECT_EQ(RectsOverlap(0, 0, 16, 16, 11, 0, 16, 16), 1);
    EXPECT_EQ(RectsOverlap(0, 0, 16, 16, 12, 0, 16, 16), 0);
    EXPECT_EQ(RectsOverlap(0, 0, 16, 16, 0, -12, 16, 16), 0);

    // A scan reaching past the screen scans its last pixel.
    ScreenWidth = 20;
    ScreenHeight = 10;
    Canvas8 screen(20, 10, 24);
    screen.At(19, 9) = 40;
    EXPECT_EQ(ColourScan8(500, 500, 15, 5, 30, 50, screen.Memory(), screen.pitch), 1);
    EXPECT_EQ(ColourScan8(0, 0, 19, 9, 41, 255, screen.Memory(), screen.pitch), 0);

    EXPECT_EQ(FastDistance2D(-3, 4), 6);
    EXPECT_EQ(FastDistance2D(100, -100), 131); // 200 - 50 - 25 + 6, truly 141
    EXPECT_EQ(FastDistance2D(INT_MIN, INT_MIN), INT_MAX) << "saturates instead of overflowing";
    // (3, 4, 12), truly 13: a = 3072, b = 4096, c = 12288; (12288 + 11 * 128 + 768) >> 10 = 14.
    EXPECT_EQ(FastDistance3D(3, -4, 12), 14.0f);
}
