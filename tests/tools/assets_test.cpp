// The generated pictures as the game reads them: through BitmapLoad and PaletteLoadFile, with the
// cells that the sprites cut, the colour keys, moving animations and readable text plates.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "graphics/palette.h"
#include "tests/temp_dir.h"
#include "tests/tools/sheet.h"

namespace {

// A sheet as the game cuts it: cells of w x h framed by one-pixel lines, `cells` of them counted
// row by row over `columns`; the size is the one we draw at (at least what the game needs).
struct SheetLayout {
    const char* name;
    int width, height;
    int cellWidth, cellHeight, columns, cells;
    int key;
};

constexpr SheetLayout SHEETS[] = {
    {"BrindleTile.BMP", 1924, 2405, 640, 480, 3, 13, 0},
    {"TitleBack.bmp", 644, 481, 640, 480, 1, 1, 0},
    {"background.bmp", 644, 481, 640, 480, 1, 1, 0},
    {"DNAStrand2.BMP", 20, 481, 16, 480, 1, 1, 0},
    {"chromoTile.bmp", 828, 330, 32, 32, 25, 244, 215},
    {"CatcherTile.BMP", 456, 1300, 64, 64, 7, 140, 215},
};

// The cell n of the sheet, counted row by row.
std::vector<uint8_t> Cell(const DataSheet& l, const SheetLayout& s, int n)
{
    std::vector<uint8_t> out;
    for (int y = 0; y < s.cellHeight; ++y)
        for (int x = 0; x < s.cellWidth; ++x)
            out.push_back(
                uint8_t(l.CellAt(n % s.columns, n / s.columns, s.cellWidth, s.cellHeight, x, y)));
    return out;
}

TEST(GeneratedAssets, EverySheetLoadsWithTheGamesPaletteAndFramesItsCellsWhereTheyAreCut)
{
    PALETTEENTRY palette[PALETTE_SIZE] = {};
    ASSERT_EQ(PaletteLoadFile(DataPath("mainPalette.PAL").c_str(), palette), 1);
    for (const SheetLayout& s : SHEETS) {
        SCOPED_TRACE(s.name);
        const DataSheet l(s.name);
        ASSERT_FALSE(l.pixels.empty());
        EXPECT_EQ(std::tuple(l.bitCount, l.width, l.height), std::tuple(8, s.width, s.height));
        EXPECT_TRUE(SameColours(l.palette, palette));
        // Every cell lies inside, framed by lines of one colour on each side the image has room
        // for, so a cell drawn one pixel off would cover a line.
        const int line = l.At(0, 0);
        EXPECT_NE(line, s.key);
        for (int n = 0; n < s.cells; ++n) {
            const int left = (n % s.columns) * (s.cellWidth + 1) + 1;
            const int top = (n / s.columns) * (s.cellHeight + 1) + 1;
            const int right = left + s.cellWidth, bottom = top + s.cellHeight;
            ASSERT_LE(right, s.width) << n;
            ASSERT_LE(bottom, s.height) << n;
            for (int y = top - 1; y < std::min(bottom + 1, s.height); ++y) {
                ASSERT_EQ(l.At(left - 1, y), line) << n;
                ASSERT_TRUE(right == s.width || l.At(right, y) == line) << n;
            }
            for (int x = left - 1; x < std::min(right + 1, s.width); ++x) {
                ASSERT_EQ(l.At(x, top - 1), line) << n;
                ASSERT_TRUE(bottom == s.height || l.At(x, bottom) == line) << n;
            }
        }
    }
}

TEST(GeneratedAssets, KeyColoursMarkOnlyTransparencyAndOpaquePicturesAvoidThem)
{
    for (const SheetLayout& s : SHEETS) {
        SCOPED_TRACE(s.name);
        const DataSheet l(s.name);
        ASSERT_FALSE(l.pixels.empty());
        const bool opaque = std::string(s.name) != "BrindleTile.BMP" && s.key == 0;
        for (int n = 0; n < s.cells; ++n) {
            int keyed = 0;
            for (uint8_t p : Cell(l, s, n)) {
                // The face key and the other sheets' key never appear; 0 never in an opaque
                // picture.
                ASSERT_NE(p, 6);
                ASSERT_TRUE(s.key == 215 || p != 215);
                ASSERT_FALSE(opaque && p == 0) << "cell " << n;
                keyed += p == s.key;
            }
            // A sprite cell shows something, and has key round it.
            if (s.key == 215) {
                EXPECT_GT(keyed, 0) << n;
                EXPECT_LT(keyed, s.cellWidth * s.cellHeight * 9 / 10) << n;
            }
        }
    }
}

TEST(GeneratedAssets, AnimationFramesChangeFromEachFrameToTheNextAndRoundTheLoop)
{
    struct Run {
        int sheet, first, count; // frames first .. first + count - 1 of SHEETS[sheet], a loop
    };
    // The logo's 13 frames, the pieces' five loops, the catcher's 20 rows of 7.
    std::vector<Run> all = {{0, 0, 13}, {4, 200, 44}};
    for (int kind = 0; kind < 4; ++kind)
        all.push_back({4, 50 * kind, 50});
    for (int row = 0; row < 20; ++row)
        all.push_back({5, 7 * row, 7});
    for (const Run& run : all) {
        const SheetLayout& s = SHEETS[run.sheet];
        SCOPED_TRACE(std::string(s.name) + " from " + std::to_string(run.first));
        const DataSheet l(s.name);
        ASSERT_FALSE(l.pixels.empty());
        for (int i = 0; i < run.count; ++i) {
            int next = run.first + (i + 1) % run.count;
            EXPECT_NE(Cell(l, s, run.first + i), Cell(l, s, next)) << "frame " << i;
        }
    }
    // The catcher rows facing one way start from the same plain pose (the game shows it still).
    const DataSheet catcher("CatcherTile.BMP");
    const SheetLayout& c = SHEETS[5];
    for (int d = 0; d < 4; ++d)
        for (int k = 1; k < 4; ++k)
            EXPECT_EQ(Cell(catcher, c, 28 * d), Cell(catcher, c, 28 * d + 7 * k)) << d << k;
}

TEST(GeneratedAssets, TextPlatesAreLightWhereTheGameWritesItsText)
{
    struct Plate {
        const char* sheet;
        int left, top, right, bottom; // inclusive
    };
    // The field's band (title and help line), the panel's score lines right of the strand (which
    // covers x 448-463), and the title's prompt.
    const Plate plates[] = {{"background.bmp", 0, 0, 447, 22},
                            {"background.bmp", 464, 0, 639, 44},
                            {"TitleBack.bmp", 230, 414, 430, 440}};
    for (const Plate& p : plates) {
        SCOPED_TRACE(std::string(p.sheet) + " at " + std::to_string(p.left));
        const DataSheet l(p.sheet);
        ASSERT_FALSE(l.pixels.empty());
        double sum = 0;
        int count = 0, darkest = 255;
        for (int y = p.top; y <= p.bottom; ++y)
            for (int x = p.left; x <= p.right; ++x) {
                const PALETTEENTRY& e = l.palette[l.At(x + 1, y + 1)];
                int luma = (299 * e.peRed + 587 * e.peGreen + 114 * e.peBlue) / 1000;
                sum += luma;
                darkest = std::min(darkest, luma);
                ++count;
            }
        // Magenta text (luminance 105) needs the lightest ground of the four colours.
        EXPECT_GE(sum / count, 200.0);
        EXPECT_GE(darkest, 130);
    }
}

TEST(GeneratedAssets, TheGeneratorDrawsTheSameBytesEveryRun)
{
    const std::filesystem::path dir = TestTempDir("helix-assets");
    const std::string command = std::string(HELIX_ASSETGEN) + " " + dir.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name :
         {"mainPalette.PAL", "BrindleTile.BMP", "TitleBack.bmp", "background.bmp", "DNAStrand2.BMP",
          "chromoTile.bmp", "CatcherTile.BMP", "Untitled4.WAV", "untitled.WAV", "untitled2.WAV",
          "untitled3.WAV", "untitled5.WAV", "untitled6.WAV", "untitled7.WAV"})
        EXPECT_EQ(ReadAll(dir / name), ReadAll(DataPath(name))) << name;
    std::filesystem::remove_all(dir);
}

} // namespace
