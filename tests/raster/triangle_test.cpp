// Tests of the filled triangles: worked rows of each form and of degenerate triangles, and random
// triangles in every vertex order against the true triangle and a guard band around the window.
#include "support/raster/triangle.h"

#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>
#include <string>

using TriangleDraw = void (*)(int, int, int, int, int, int, uint8_t, uint8_t*, int);

class TriangleTest : public RasterTest {};

TEST_F(TriangleTest, WorkedRowsAndDegenerateTriangles)
{
    struct Case {
        TriangleDraw draw;
        int clipLeft;
        std::array<int, 6> v;
        const char* rows; // "first-last" of each row with pixels, top to bottom
    };
    // Apex (10, 2) over the base (7, 6)-(13, 6): the edges step 3/4 pixel a row.
    const Case cases[] = {
        {DrawTriangle8, 0, {14, 2, 10, 6, 10, 2}, "10-14 10-13 10-12 10-11 10-10"},
        {DrawTriangleFixed8, 0, {14, 2, 10, 6, 10, 2}, "10-14 10-13 10-12 10-11 10-10"},
        // float: left truncated, trunc(r - l + 1)
        {DrawFlatBottomTriangle8, 0, {10, 2, 7, 6, 13, 6}, "10-10 9-10 8-11 7-11 7-13"},
        // fixed: edges and run rounded
        {DrawFlatBottomTriangleFixed8, 0, {10, 2, 13, 6, 7, 6}, "10-10 9-11 9-12 8-13 7-13"},
        // float: right edge starts half right
        {DrawFlatTopTriangle8, 0, {13, 2, 7, 2, 10, 6}, "7-13 7-12 8-11 9-11 10-10"},
        // past the window: both edges, cut
        {DrawFlatBottomTriangle8, 8, {10, 2, 7, 6, 13, 6}, "10-10 9-10 8-11 8-12 8-13"},
        {DrawTriangle8, 0, {1, 5, 30, 5, 60, 5}, ""},             // three equal y
        {DrawTriangleFixed8, 0, {7, 1, 7, 30, 7, 40}, ""},        // three equal x
        {DrawTriangle8, 0, {-9, 1, -1, 30, -5, 40}, ""},          // left of the window
        {DrawFlatTopTriangleFixed8, 0, {8, 5, 20, 5, 14, 5}, ""}, // apex on the flat row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetClip(c.clipLeft, 0, 63, 47);
        Canvas8 canvas(64, 48, 64);
        c.draw(c.v[0], c.v[1], c.v[2], c.v[3], c.v[4], c.v[5], 1, canvas.Memory(), canvas.pitch);
        std::map<int, std::pair<int, int>> rows; // the points come by x, then y
        for (auto [x, y] : canvas.Other(0)) {
            rows.try_emplace(y, x, x).first->second.second = x;
        }
        std::string spans;
        for (auto [y, row] : rows) {
            spans += (spans.empty() ? "" : " ") + std::to_string(row.first) + "-" +
                     std::to_string(row.second);
        }
        EXPECT_EQ(spans, c.rows);
    }
}

// How far (x, y) lies inside the triangle (negative: outside): the least distance from its edges.
static double InsideDistance(const std::array<int, 6>& v, int x, int y)
{
    double least = 1e9;
    for (int i = 0; i < 6; i += 2) {
        const int ax = v[i], ay = v[i + 1], bx = v[(i + 2) % 6], by = v[(i + 3) % 6];
        const int cx = v[(i + 4) % 6], cy = v[(i + 5) % 6];
        const double nx = ay - by, ny = bx - ax;
        const double side = nx * (cx - ax) + ny * (cy - ay) >= 0 ? 1 : -1;
        least = std::min(least, side * (nx * (x - ax) + ny * (y - ay)) / std::hypot(nx, ny));
    }
    return least;
}

TEST_F(TriangleTest, RandomTrianglesKeepTheirShapeInEveryOrderAndForm)
{
    SetClip(6, 5, 57, 40);
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> wide(-30, 90);
    std::uniform_int_distribution<int> across(6, 57), down(5, 40);
    const int orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (int round = 0; round < 600; ++round) {
        // Half the triangles lie inside the window, the others reach past it.
        const bool inside = round % 2 == 0;
        std::array<int, 6> v;
        for (int i = 0; i < 3; ++i) {
            v[2 * i] = inside ? across(random) : wide(random);
            v[2 * i + 1] = inside ? down(random) : wide(random);
        }
        if (round % 10 == 1) {
            v[3] = v[1]; // a flat edge now and then
        }
        // The 16-bit form, drawn into words with an odd pitch, sets the float form's pixels.
        Canvas16 words(64, 48, 129, 0x5A5A);
        DrawTriangle16(v[0], v[1], v[2], v[3], v[4], v[5], 0x0101, words.Memory(), words.pitch);
        for (TriangleDraw draw : {DrawTriangle8, DrawTriangleFixed8}) {
            SCOPED_TRACE(testing::Message() << (draw == DrawTriangle8) << " round " << round);
            Canvas8 first(64, 48, 64);
            for (const auto& o : orders) {
                Canvas8 canvas(64, 48, 64);
                draw(v[2 * o[0]], v[2 * o[0] + 1], v[2 * o[1]], v[2 * o[1] + 1], v[2 * o[2]],
                     v[2 * o[2] + 1], 1, canvas.Memory(), canvas.pitch);
                if (&o == &orders[0]) {
                    first = canvas;
                }
                ASSERT_EQ(canvas.pixels, first.pixels);
            }
            ASSERT_EQ(first.Other(0, true), Points{});
            if (draw == DrawTriangle8) {
                ASSERT_EQ(words.Other(0x5A5A), first.Other(0));
                ASSERT_EQ(words.Other(0x5A5A).size() + words.Other(0x0101).size(), 64u * 48);
            }
            // Every pixel 1.5 pixels inside the true triangle is set; the rounding of the split
            // and of the runs never sets one more than 2.5 pixels outside it.
            for (int y = ClipMinY; y <= ClipMaxY; ++y) {
                for (int x = ClipMinX; x <= ClipMaxX; ++x) {
                    const double distance = InsideDistance(v, x, y);
                    if (distance >= 1.5 || distance <= -2.5) {
                        ASSERT_EQ(first.At(x, y), distance > 0 ? 1 : 0) << x << "," << y;
                    }
                }
            }
        }
    }
}
