// Tests of the filled triangles: a worked flat triangle, degenerate ones, the same pixels for
// every vertex order, the float and fixed-point forms against the true triangle, and random
// triangles against a guard band around the clip window.
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

static const std::array<TriangleForm, 3> FORMS = {{
    {"float 8-bit", DrawTriangle8},
    {"float 16-bit", DrawTriangle16Probe},
    {"fixed 8-bit", DrawTriangleFixed8},
}};

class TriangleTest : public RasterTest {};

static std::vector<int> RowRuns(const Canvas8& canvas)
{
    std::vector<int> runs;
    for (int y = 0; y < canvas.height; ++y) {
        int count = 0;
        for (int x = 0; x < canvas.width; ++x) {
            count += canvas.At(x, y) != 0;
        }
        runs.push_back(count);
    }
    return runs;
}

TEST_F(TriangleTest, WorkedAndDegenerateTriangles)
{
    SetClip(0, 0, 63, 47);
    for (const TriangleForm& form : FORMS) {
        SCOPED_TRACE(form.name);
        // Flat top from (10, 2)-(14, 2) down to (10, 6): rows of 5, 4, 3, 2, 1 pixels from x = 10.
        Canvas8 flat(64, 48, 64);
        form.draw(14, 2, 10, 6, 10, 2, 9, flat.Memory(), flat.pitch);
        std::vector<int> runs = RowRuns(flat);
        EXPECT_EQ(std::vector<int>(runs.begin() + 1, runs.begin() + 8),
                  (std::vector<int>{0, 5, 4, 3, 2, 1, 0}));
        for (int y = 2; y <= 6; ++y) {
            EXPECT_EQ(flat.At(10, y), 9);
            EXPECT_EQ(flat.At(9, y), 0);
        }

        Canvas8 none(64, 48, 64);
        form.draw(1, 5, 30, 5, 60, 5, 9, none.Memory(), none.pitch);    // three equal y
        form.draw(7, 1, 7, 30, 7, 40, 9, none.Memory(), none.pitch);    // three equal x
        form.draw(-9, 1, -1, 30, -5, 40, 9, none.Memory(), none.pitch); // left of the window
        form.draw(5, 50, 40, 60, 9, 90, 9, none.Memory(), none.pitch);  // below it
        EXPECT_EQ(none.CountOtherThan(0), 0);
    }
}

// The first and last pixel set on each row from top to bottom (rows with nothing are skipped).
static std::vector<std::pair<int, int>> RowSpans(const Canvas8& canvas)
{
    std::vector<std::pair<int, int>> spans;
    for (int y = 0; y < canvas.height; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < canvas.width; ++x) {
            if (canvas.At(x, y) != 0) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        if (first >= 0) {
            spans.push_back({first, last});
        }
    }
    return spans;
}

using Spans = std::vector<std::pair<int, int>>;

TEST_F(TriangleTest, EdgeRoundingOfTheFloatAndFixedForms)
{
    SetClip(0, 0, 63, 47);
    // Apex (10, 2) over the base (7, 6)-(13, 6): edges step 3/4 pixel a row. The float form
    // truncates the left edge and runs trunc(right - left + 1) pixels; the fixed form rounds.
    Canvas8 flat(64, 48, 64);
    DrawFlatBottomTriangle8(10, 2, 7, 6, 13, 6, 1, flat.Memory(), flat.pitch);
    EXPECT_EQ(RowSpans(flat), (Spans{{10, 10}, {9, 10}, {8, 11}, {7, 11}, {7, 13}}));
    Canvas8 fixed(64, 48, 64);
    DrawFlatBottomTriangleFixed8(10, 2, 13, 6, 7, 6, 1, fixed.Memory(), fixed.pitch);
    EXPECT_EQ(RowSpans(fixed), (Spans{{10, 10}, {9, 11}, {9, 12}, {8, 13}, {7, 13}}));

    // Flat top (7, 2)-(13, 2) over the apex (10, 6): the float form's right edge starts half a
    // pixel right.
    Canvas8 top(64, 48, 64);
    DrawFlatTopTriangle8(13, 2, 7, 2, 10, 6, 1, top.Memory(), top.pitch);
    EXPECT_EQ(RowSpans(top), (Spans{{7, 13}, {7, 12}, {8, 11}, {9, 11}, {10, 10}}));

    // With the window's left edge at 8 the first triangle reaches beyond it: each row then takes
    // both truncated edges and is cut at the window.
    SetClip(8, 0, 63, 47);
    Canvas8 cut(64, 48, 64);
    DrawFlatBottomTriangle8(10, 2, 7, 6, 13, 6, 1, cut.Memory(), cut.pitch);
    EXPECT_EQ(RowSpans(cut), (Spans{{10, 10}, {9, 10}, {8, 11}, {8, 12}, {8, 13}}));

    // A half whose apex lies on its flat edge's row draws nothing.
    Canvas8 none(64, 48, 64);
    DrawFlatTopTriangleFixed8(8, 5, 20, 5, 14, 5, 1, none.Memory(), none.pitch);
    DrawFlatBottomTriangle8(14, 5, 8, 5, 20, 5, 1, none.Memory(), none.pitch);
    EXPECT_EQ(none.CountOtherThan(0), 0);
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
                    ASSERT_EQ(GuardBandWrites<uint8_t>(canvas, 0), 0);
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
