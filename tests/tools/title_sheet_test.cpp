// The title picture as the game shows it: the prompt's plate left clear for the game's own line,
// and the "How to play" panel lettered large enough to read at 1x.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "tests/tools/sheet.h"

namespace {

// Where the title sheet draws its panel, and where the panel's lines start.
constexpr int PANEL_LEFT = 236, PANEL_TOP = 88, PANEL_RIGHT = 630, PANEL_BOTTOM = 354;
constexpr int TEXT_LEFT = 316;

int Luma(const DataSheet& sheet, int x, int y)
{
    const PALETTEENTRY& e = sheet.palette[sheet.CellAt(0, 0, x, y)];
    return (299 * e.peRed + 587 * e.peGreen + 114 * e.peBlue) / 1000;
}

// The height of the lettering's glyph that holds (x, y): its lit pixels, joined by edges or
// corners, within the panel.
int GlyphHeight(const DataSheet& sheet, int x, int y, int lit)
{
    std::vector<bool> seen(size_t(640 * 480), false);
    std::vector<std::pair<int, int>> todo = {{x, y}};
    seen[size_t(y * 640 + x)] = true;
    int top = y, bottom = y;
    while (!todo.empty()) {
        auto [px, py] = todo.back();
        todo.pop_back();
        top = std::min(top, py);
        bottom = std::max(bottom, py);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                int nx = px + dx, ny = py + dy;
                if (nx < PANEL_LEFT || nx >= PANEL_RIGHT || ny < PANEL_TOP || ny >= PANEL_BOTTOM ||
                    seen[size_t(ny * 640 + nx)] || Luma(sheet, nx, ny) < lit)
                    continue;
                seen[size_t(ny * 640 + nx)] = true;
                todo.push_back({nx, ny});
            }
    }
    return bottom - top + 1;
}

TEST(TitleSheet, ThePromptsPlateIsClearAndEveryPanelLineStartsWithALegibleCapital)
{
    const DataSheet title(TITLE_SHEET);
    ASSERT_FALSE(title.pixels.empty());
    // Where the game writes "Spacebar to continue!" nothing else is drawn: each row of the plate
    // is one light shade, give or take the dithering.
    for (int y = 414; y <= 440; ++y) {
        int lightest = 0, darkest = 255;
        for (int x = 230; x <= 430; ++x) {
            lightest = std::max(lightest, Luma(title, x, y));
            darkest = std::min(darkest, Luma(title, x, y));
        }
        EXPECT_GE(darkest, 170) << "row " << y;
        EXPECT_LE(lightest - darkest, 24) << "row " << y;
    }

    // The panel's lines (the heading first) each start with a capital, light on dark glass: its
    // height at half coverage is the lettering's cap height, which must reach 9 pixels.
    const int lit = 130;
    auto litInStrip = [&](int y, int* x) {
        for (*x = TEXT_LEFT; *x < TEXT_LEFT + 60; ++*x)
            if (Luma(title, *x, y) >= lit)
                return true;
        return false;
    };
    std::vector<int> capitals;
    for (int y = PANEL_TOP; y < PANEL_BOTTOM; ++y) {
        int x = 0;
        if (!litInStrip(y, &x))
            continue;
        // The line's first glyph is the lit pixel furthest left in the rows of the line.
        int firstX = x, firstY = y;
        for (; y < PANEL_BOTTOM && litInStrip(y, &x); ++y)
            if (x < firstX) {
                firstX = x;
                firstY = y;
            }
        capitals.push_back(GlyphHeight(title, firstX, firstY, lit));
    }
    EXPECT_GE(capitals.size(), 10u) << "the heading and two lines for each of the five rows";
    for (size_t i = 0; i < capitals.size(); ++i)
        EXPECT_GE(capitals[i], 9) << "line " << i;
}

} // namespace
