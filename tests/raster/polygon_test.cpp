// Tests of the polygon toolkit: worked examples of each operation, and random fills against the
// Bresenham outline they must cover row by row.
#include "support/raster/polygon.h"

#include "support/raster/line.h"
#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <random>
#include <vector>

class PolygonTest : public RasterTest {};

static Polygon2D MakePolygon(std::vector<Vertex2D>& vertices, int x0, int y0, uint32_t colour)
{
    return Polygon2D{1, static_cast<int>(vertices.size()), x0, y0, colour, vertices.data()};
}

TEST_F(PolygonTest, WorkedExamples)
{
    // A 6 x 6 square: its outline is the 20 border pixels, its fill all 36; inactive, without
    // vertices or absent it draws nothing.
    SetClip(0, 0, 31, 31);
    Canvas8 canvas(32, 32, 32);
    std::vector<Vertex2D> square = {{0, 0}, {5, 0}, {5, 5}, {0, 5}};
    Polygon2D polygon = MakePolygon(square, 4, 4, 7);
    polygon.state = 0;
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

    // A quarter turn, and a negative angle with one turn added; the matrix forms give the same
    // floats as the direct ones.
    std::vector<Vertex2D> direct = {{1, 0}, {-7.0f, 11.0f}}, viaMatrix = direct;
    Polygon2D a = MakePolygon(direct, 10, 20, 1), b = MakePolygon(viaMatrix, 10, 20, 1);
    EXPECT_EQ(RotatePolygon(&a, 90) + RotatePolygonMat(&b, -270), 2);
    EXPECT_EQ((std::array{direct[0].x, direct[0].y}), (std::array{viaMatrix[0].x, viaMatrix[0].y}));
    EXPECT_NEAR(direct[0].y, 1, 1e-6);
    EXPECT_EQ(ScalePolygon(&a, 1.5f, -0.5f) + ScalePolygonMat(&b, 1.5f, -0.5f), 2);
    EXPECT_EQ(TranslatePolygon(&a, -7, 9) + TranslatePolygonMat(&b, -7, 9), 2);
    EXPECT_EQ((std::array{direct[1].x, direct[1].y}), (std::array{viaMatrix[1].x, viaMatrix[1].y}));
    EXPECT_EQ((std::array{a.x0, a.y0, b.x0, b.y0}), (std::array{3, 29, 3, 29}));
    // Bounds take (0, 0) in.
    std::vector<Vertex2D> positive = {{2, 3}, {8, 5}, {4, 9}};
    Polygon2D box = MakePolygon(positive, 0, 0, 1);
    float minX = -1, maxX = -1, minY = -1, maxY = -1;
    EXPECT_EQ(PolygonBounds(&box, &minX, &maxX, &minY, &maxY), 1);
    EXPECT_EQ((std::array{minX, maxX, minY, maxY}), (std::array{0.0f, 8.0f, 0.0f, 9.0f}));

    // Boxes shrink to 3/4: 16-wide boxes (half 6, centre at x + 6) overlap while their centres
    // are closer than 12.
    EXPECT_EQ(RectsOverlap(0, 0, 16, 16, 11, 0, 16, 16), 1);
    EXPECT_EQ(RectsOverlap(0, 0, 16, 16, 12, 0, 16, 16), 0);
    EXPECT_EQ(RectsOverlap(0, 0, 16, 16, 0, -12, 16, 16), 0);

    ScreenWidth = 20;
    ScreenHeight = 10;
    Canvas8 screen(20, 10, 24);
    screen.At(19, 9) = 40;
    EXPECT_EQ(ColourScan8(500, 500, 15, 5, 30, 50, screen.Memory(), screen.pitch), 1)
        << "reaching past the screen scans its last pixel";
    EXPECT_EQ(ColourScan8(0, 0, 19, 9, 41, 255, screen.Memory(), screen.pitch), 0);

    EXPECT_EQ(FastDistance2D(-3, 4), 6);
    EXPECT_EQ(FastDistance2D(100, -100), 131); // 200 - 50 - 25 + 6, truly 141
    EXPECT_EQ(FastDistance2D(INT_MIN, INT_MIN), INT_MAX) << "saturates instead of overflowing";
    // (3, 4, 12), truly 13: a = 3072, b = 4096, c = 12288; (12288 + 11 * 128 + 768) >> 10 = 14.
    EXPECT_EQ(FastDistance3D(3, -4, 12), 14.0f);
}

// The reference fill: the outline drawn with DrawLine8 on a big plain canvas (no clipping), then
// every row filled from its leftmost to its rightmost outline pixel.
static Canvas8 ReferenceFill(const std::vector<std::pair<int, int>>& points)
{
    const int offset = 100;
    Canvas8 big(300, 300, 300);
    for (std::size_t i = 0; i < points.size(); ++i) {
        auto [x1, y1] = points[i];
        auto [x2, y2] = points[(i + 1) % points.size()];
        DrawLine8(x1 + offset, y1 + offset, x2 + offset, y2 + offset, 1, big.Memory(), big.pitch);
    }
    Canvas8 result(64, 48, 64);
    for (int y = 0; y < 48; ++y) {
        int left = INT_MAX, right = INT_MIN;
        for (int x = 0; x < 300; ++x) {
            if (big.At(x, y + offset)) {
                left = std::min(left, x - offset);
                right = std::max(right, x - offset);
            }
        }
        for (int x = std::max(left, ClipMinX); x <= std::min(right, ClipMaxX); ++x) {
            result.At(x, y) = InsideClip(x, y) ? 1 : 0;
        }
    }
    return result;
}

TEST_F(PolygonTest, FillsCoverTheOutlineRowByRowAndStayInsideTheWindow)
{
    SetClip(6, 5, 57, 40);
    std::mt19937 random(99);
    std::uniform_int_distribution<int> count(1, 7);
    std::uniform_int_distribution<int> coordinate(-6000, 12000);
    for (int round = 0; round < 1500; ++round) {
        std::vector<Vertex2D> vertices(static_cast<std::size_t>(count(random)));
        std::vector<std::pair<int, int>> points;
        for (Vertex2D& vertex : vertices) {
            // Offsets with fractions, both signs: the screen position truncates toward zero.
            vertex.x = coordinate(random) / 100.0f - 30;
            vertex.y = coordinate(random) / 100.0f - 30;
            points.push_back({static_cast<int>(30 + vertex.x), static_cast<int>(20 + vertex.y)});
        }
        Polygon2D polygon = MakePolygon(vertices, 30, 20, 1);
        Canvas8 canvas(64, 48, 64);
        FillPolygon8(&polygon, canvas.Memory(), canvas.pitch);
        ASSERT_EQ(canvas.pixels, ReferenceFill(points).pixels) << "round " << round;
    }
}
