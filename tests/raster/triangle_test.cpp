// Tests of the filled triangles: worked rows of each form and degenerate ones; random triangles
// in every vertex order and form against the true triangle and a guard band around the window.
#include "support/raster/triangle.h"

#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

using TriangleDraw = void (*)(int, int, int, int, int, int, uint8_t, uint8_t*, int);

struct TriangleForm {
    const char* name;
    TriangleDraw draw;
};

// The 16-bit form seen through 8-bit eyes, so every check below covers all three forms alike: drawn
// into words with an odd pitch, then every word that was written is copied back as the colour it
// should hold, or 0xFF if it holds anything else.
static void DrawTriangle16Probe(int x1, int y1, int x2, int y2, int x3, int y3, uint8_t colour,
                                uint8_t* memory, int pitch)
{
    const uint16_t background = 0x5A5A;
    const uint16_t word = static_cast<uint16_t>(colour * 257);
    Canvas16 words(64, 48, 2 * pitch + 1, background);
    DrawTriangle16(x1, y1, x2, y2, x3, y3, word, words.Memory(), words.pitch);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (words.At(x, y) != background) {
                memory[y * pitch + x] = words.At(x, y) == word ? colour : 0xFF;
            }
        }
    }
}

static const std::array<TriangleForm, 3> FORMS = {{{"float 8-bit", DrawTriangle8},
                                                   {"float 16-bit", DrawTriangle16Probe},
                                                   {"fixed 8-bit", DrawTriangleFixed8}}};

class TriangleTest : public RasterTest {};

// "first-last" of the pixels set on each row, top to bottom, rows with nothing skipped.
static std::string RowSpans(const Canvas8& canvas)
{
    std::string spans;
    for (int y = 0; y < canvas.height; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < canvas.width; ++x) {
            if (canvas.At(x, y) != 0) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        if (first >= 0) {
            spans +=
                (spans.empty() ? "" : " ") + std::to_string(first) + "-" + std::to_string(last);
        }
    }
    return spans;
}

TEST_F(TriangleTest, WorkedRowsAndDegenerateTriangles)
{
    struct Case {
        TriangleDraw draw;
        int clipLeft;
        std::array<int, 6> v;
        const char* rows;
    };
    const std::array<int, 6> flatTop = {14, 2, 10, 6, 10, 2};
    const char* flatTopRows = "10-14 10-13 10-12 10-11 10-10";
    // Apex (10, 2) over the base (7, 6)-(13, 6): the edges step 3/4 pixel a row.
    const Case cases[] = {
        {DrawTriangle8, 0, flatTop, flatTopRows},       // flat top, float
        {DrawTriangle16Probe, 0, flatTop, flatTopRows}, // flat top, 16-bit
        {DrawTriangleFixed8, 0, flatTop, flatTopRows},  // flat top, fixed
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
        {DrawTriangle16Probe, 0, {-9, 1, -1, 30, -5, 40}, ""},    // left of the window
        {DrawTriangle8, 0, {5, 50, 40, 60, 9, 90}, ""},           // below the window
        {DrawFlatTopTriangleFixed8, 0, {8, 5, 20, 5, 14, 5}, ""}, // apex on the flat row
        {DrawFlatBottomTriangle8, 0, {14, 5, 8, 5, 20, 5}, ""},   // apex on the flat row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetClip(c.clipLeft, 0, 63, 47);
        Canvas8 canvas(64, 48, 64);
        c.draw(c.v[0], c.v[1], c.v[2], c.v[3], c.v[4], c.v[5], 1, canvas.Memory(), canvas.pitch);
        EXPECT_EQ(RowSpans(canvas), c.rows);
    }
}

// Signed distance of (x, y) from the edge a-b, positive on the side of c.
static double EdgeDistance(double ax, double ay, double bx, double by, double cx, double cy,
                           double x, double y)
{
    double nx = ay - by;
    double ny = bx - ax;
    double length = std::hypot(nx, ny);
    double side = (nx * (cx - ax) + ny * (cy - ay)) >= 0 ? 1 : -1;
    return side * (nx * (x - ax) + ny * (y - ay)) / length;
}

static double InsideDistance(const std::array<int, 6>& v, int x, int y)
{
    return std::min({EdgeDistance(v[0], v[1], v[2], v[3], v[4], v[5], x, y),
                     EdgeDistance(v[2], v[3], v[4], v[5], v[0], v[1], x, y),
                     EdgeDistance(v[4], v[5], v[0], v[1], v[2], v[3], x, y)});
}

TEST_F(TriangleTest, RandomTrianglesKeepTheirShapeInEveryOrderAndForm)
{
    SetClip(6, 5, 57, 40);
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> wide(-30, 90);
    std::uniform_int_distribution<int> across(6, 57), down(5, 40);
    const std::array<std::array<int, 3>, 6> orders = {
        {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
    for (int round = 0; round < 600; ++round) {
        // Half the triangles lie inside the window, the others reach past it.
        bool inside = round % 2 == 0;
        std::array<int, 6> v;
        for (int i = 0; i < 3; ++i) {
            v[2 * i] = inside ? across(random) : wide(random);
            v[2 * i + 1] = inside ? down(random) : wide(random);
        }
        if (round % 10 == 1) {
            v[3] = v[1]; // a flat edge now and then
        }
        std::array<Canvas8, 3> first = {Canvas8(64, 48, 64), Canvas8(64, 48, 64),
                                        Canvas8(64, 48, 64)};
        for (std::size_t f = 0; f < FORMS.size(); ++f) {
            SCOPED_TRACE(std::string(FORMS[f].name) + " round " + std::to_string(round));
            for (const auto& order : orders) {
                Canvas8 canvas(64, 48, 64);
                FORMS[f].draw(v[2 * order[0]], v[2 * order[0] + 1], v[2 * order[1]],
                              v[2 * order[1] + 1], v[2 * order[2]], v[2 * order[2] + 1], 1,
                              canvas.Memory(), canvas.pitch);
                if (&order == &orders[0]) {
                    first[f] = canvas;
                    ASSERT_EQ(canvas.Other(0, true), Points{});
                } else {
                    ASSERT_EQ(canvas.pixels, first[f].pixels);
                }
            }
        }
        // Against the true triangle: every pixel 1.5 pixels inside it is set by every form, so the
        // forms agree on the interior; the rounding of the split and of the runs never sets a pixel
        // more than 2.5 pixels outside it.
        for (int y = ClipMinY; y <= ClipMaxY; ++y) {
            for (int x = ClipMinX; x <= ClipMaxX; ++x) {
                double distance = InsideDistance(v, x, y);
                for (std::size_t f = 0; f < FORMS.size(); ++f) {
                    if (distance >= 1.5) {
                        ASSERT_EQ(first[f].At(x, y), 1) << FORMS[f].name << " " << x << "," << y;
                    } else if (distance <= -2.5) {
                        ASSERT_EQ(first[f].At(x, y), 0) << FORMS[f].name << " " << x << "," << y;
                    }
                }
            }
        }
    }
}
