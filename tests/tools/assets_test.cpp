// The generated pictures as the game reads them: through BitmapLoad and PaletteLoadFile, with the
// cells that the sprites cut, the colour keys, moving animations and light text plates; and the
// generator's output the same on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "graphics/palette.h"
#include "tests/temp_dir.h"
#include "tests/tools/sheet.h"

namespace {

// A sheet the game cuts into `cells` sprite frames, counted row by row; the key is where a sprite
// shows nothing. Runs of `loop` cells (the last run may be shorter) are animations the game shows
// round and round: the logo's 13 frames, the pieces' five loops, the catcher's 20 rows of 7.
struct CutSheet {
    const SheetLayout& layout;
    int cells, key, loop;
};

const CutSheet SHEETS_CUT[] = {
    {BRINDLE_SHEET, 13, 0, 13}, {TITLE_SHEET, 1, 0, 0},       {BACKGROUND_SHEET, 1, 0, 0},
    {STRAND_SHEET, 1, 0, 0},    {CHROMO_SHEET, 244, 215, 50}, {CATCHER_SHEET, 140, 215, 7},
};

TEST(GeneratedAssets, SheetsFrameTheirCellsWhereTheGameCutsThemKeepTheirKeysAndAnimate)
{
    PALETTEENTRY palette[PALETTE_SIZE] = {};
    ASSERT_EQ(PaletteLoadFile(DataPath("mainPalette.PAL").c_str(), palette), 1);
    for (const SheetLayout* sheet : {&FACE_SHEET, &MEMO_SHEET, &BONUS_SHEET})
        EXPECT_TRUE(SameColours(DataSheet(*sheet).palette, palette)) << sheet->fileName;
    for (const CutSheet& c : SHEETS_CUT) {
        const SheetLayout& s = c.layout;
        SCOPED_TRACE(s.fileName);
        const DataSheet l(s);
        ASSERT_FALSE(l.pixels.empty());
        EXPECT_EQ(l.bitCount, 8);
        EXPECT_TRUE(SameColours(l.palette, palette));
        // The cell n, counted row by row.
        auto cell = [&](int n) {
            std::vector<uint8_t> out;
            for (int y = 0; y < s.cellHeight; ++y)
                for (int x = 0; x < s.cellWidth; ++x)
                    out.push_back(uint8_t(l.CellAt(n % s.columns, n / s.columns, x, y)));
            return out;
        };
        // Every cell lies inside, framed by lines of one colour on each side the image has room
        // for, so a cell drawn one pixel off would cover a line.
        const int line = l.At(0, 0);
        EXPECT_NE(line, c.key);
        for (int n = 0; n < c.cells; ++n) {
            const int left = SheetCellLeft(s, n % s.columns);
            const int top = SheetCellTop(s, n / s.columns);
            const int right = left + s.cellWidth, bottom = top + s.cellHeight;
            ASSERT_LE(right, l.width) << n;
            ASSERT_LE(bottom, l.height) << n;
            for (int y = top - 1; y < std::min(bottom + 1, l.height); ++y) {
                ASSERT_EQ(l.At(left - 1, y), line) << n;
                ASSERT_TRUE(right == l.width || l.At(right, y) == line) << n;
            }
            for (int x = left - 1; x < std::min(right + 1, l.width); ++x) {
                ASSERT_EQ(l.At(x, top - 1), line) << n;
                ASSERT_TRUE(bottom == l.height || l.At(x, bottom) == line) << n;
            }
            // The face key and the other sheets' key never appear; 0 never in an opaque picture;
            // a sprite cell shows something, and has key round it.
            const bool opaque = &s != &BRINDLE_SHEET && c.key == 0;
            int keyed = 0;
            for (uint8_t p : cell(n)) {
                ASSERT_NE(p, 6);
                ASSERT_TRUE(c.key == 215 || p != 215);
                ASSERT_FALSE(opaque && p == 0) << "cell " << n;
                keyed += p == c.key;
            }
            if (c.key == 215) {
                EXPECT_GT(keyed, 0) << n;
                EXPECT_LT(keyed, s.cellWidth * s.cellHeight * 9 / 10) << n;
            }
        }
        // Each frame of a loop differs from the next, the last from the first.
        for (int first = 0; c.loop > 0 && first < c.cells; first += c.loop) {
            const int count = std::min(c.loop, c.cells - first);
            for (int i = 0; i < count; ++i)
                EXPECT_NE(cell(first + i), cell(first + (i + 1) % count)) << "cell " << first + i;
        }
        // The catcher rows facing one way start from the same plain pose (the game shows it
        // still).
        for (int d = 0; &s == &CATCHER_SHEET && d < 4; ++d)
            for (int k = 1; k < 4; ++k)
                EXPECT_EQ(cell(28 * d), cell(28 * d + 7 * k)) << d << k;
    }
}

TEST(GeneratedAssets, ThePlayScreensTextPlatesAreLightWhereTheGameWritesItsText)
{
    // The field's band (title and help line), and the panel's score lines right of the strand
    // (which covers x 448-463). Magenta text (luminance 105) needs the lightest ground.
    const DataSheet l(BACKGROUND_SHEET);
    ASSERT_FALSE(l.pixels.empty());
    for (auto [left, top, right, bottom] : {std::array{0, 0, 447, 22}, {464, 0, 639, 44}}) {
        SCOPED_TRACE(left);
        double sum = 0;
        int count = 0, darkest = 255;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                const PALETTEENTRY& e = l.palette[l.At(x + 1, y + 1)];
                int luma = (299 * e.peRed + 587 * e.peGreen + 114 * e.peBlue) / 1000;
                sum += luma;
                darkest = std::min(darkest, luma);
                ++count;
            }
        EXPECT_GE(sum / count, 200.0);
        EXPECT_GE(darkest, 130);
    }
}

TEST(GeneratedAssets, TheGeneratorDrawsTheSameBytesEveryRun)
{
    const std::filesystem::path dir = TestTempDir("helix-assets");
    const std::string command = std::string(HELIX_ASSETGEN) + " " + dir.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    int files = 0;
    for (const auto& drawn : std::filesystem::directory_iterator(dir)) {
        EXPECT_EQ(ReadAll(drawn.path()), ReadAll(DataPath(drawn.path().filename())))
            << drawn.path();
        ++files;
    }
    EXPECT_GT(files, 0);
    std::filesystem::remove_all(dir);
}

} // namespace
