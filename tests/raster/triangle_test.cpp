// Tests of the filled triangles: worked rows of each form, whatever the order of the vertices, and
// of degenerate triangles.
#include "support/raster/triangle.h"

#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

using TriangleDraw = void (*)(int, int, int, int, int, int, uint8_t, uint8_t*, int);

TEST(TriangleTest, WorkedRowsAndDegenerateTriangles)
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
    // The general forms give the same rows for the vertices in any order.
    const int orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const Case& c : cases) {
        const bool general = c.draw == DrawTriangle8 || c.draw == DrawTriangleFixed8;
        for (const auto& o : orders) {
            SCOPED_TRACE(testing::Message() << (&c - cases) << " order " << (&o - orders));
            SetClip(c.clipLeft, 0, 63, 47);
            Canvas8 canvas(64, 48, 64);
            c.draw(c.v[2 * o[0]], c.v[2 * o[0] + 1], c.v[2 * o[1]], c.v[2 * o[1] + 1],
                   c.v[2 * o[2]], c.v[2 * o[2] + 1], 1, canvas.Memory(), canvas.pitch);
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
            if (!general) {
                break;
            }
        }
    }
    // The 16-bit form sets the words the 8-bit float form sets, with rows of an odd pitch.
    SetClip(0, 0, 63, 47);
    Canvas8 bytes(64, 48, 64);
    Canvas16 words(64, 48, 129, 0x5A5A);
    DrawTriangle8(-20, 40, 30, -9, 70, 25, 1, bytes.Memory(), bytes.pitch);
    DrawTriangle16(-20, 40, 30, -9, 70, 25, 0x0101, words.Memory(), words.pitch);
    EXPECT_EQ(words.Other(0x5A5A), bytes.Other(0));
    EXPECT_EQ(words.Other(0x5A5A).size() + words.Other(0x0101).size(), 64u * 48);
}
