// The generated pictures as the game reads them: through BitmapLoad and PaletteLoadFile, with the
// cells that the sprites cut, the colour keys, moving animations and readable text plates.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/palette.h"

namespace {

const std::string DATA = HELIX_DATA_DIR;

// A sheet as the game cuts it: cells of w x h framed by one-pixel lines, `cells` of them counted
// row by row over `columns`; the size is the one we draw at (at least what the game needs).
struct SheetSpec {
    const char* name;
    int width, height;
    int cellWidth, cellHeight, columns, cells;
    int key;
};

constexpr SheetSpec SHEETS[] = {
    {"BrindleTile.BMP", 1924, 2405, 640, 480, 3, 13, 0},
    {"TitleBack.bmp", 644, 481, 640, 480, 1, 1, 0},
    {"background.bmp", 644, 481, 640, 480, 1, 1, 0},
    {"DNAStrand2.BMP", 20, 481, 16, 480, 1, 1, 0},
    {"chromoTile.bmp", 828, 330, 32, 32, 25, 244, 215},
    {"CatcherTile.BMP", 456, 1300, 64, 64, 7, 140, 215},
};

// A loaded sheet, unloaded again at the end of the scope.
struct Loaded {
    BitmapImage image{};
    Loaded(const std::string& name)
    {
        loaded = BitmapLoad(&image, (DATA + "/" + name).c_str());
    }
    ~Loaded()
    {
        BitmapUnload(&image);
    }
    int At(int x, int y) const
    {
        return image.pixels[size_t(y) * size_t(image.infoHeader.biWidth) + size_t(x)];
    }
    int loaded = 0;
};

int CellLeft(const SheetSpec& s, int n)
{
    return (n % s.columns) * (s.cellWidth + 1) + 1;
}

int CellTop(const SheetSpec& s, int n)
{
    return (n / s.columns) * (s.cellHeight + 1) + 1;
}

std::vector<uint8_t> Cell(const Loaded& l, const SheetSpec& s, int n)
{
    std::vector<uint8_t> out;
    for (int y = 0; y < s.cellHeight; ++y)
        for (int x = 0; x < s.cellWidth; ++x)
            out.push_back(uint8_t(l.At(CellLeft(s, n) + x, CellTop(s, n) + y)));
    return out;
}

const SheetSpec& Spec(const char* name)
{
    for (const SheetSpec& s : SHEETS)
        if (std::string(s.name) == name)
            return s;
    throw std::runtime_error(name);
}

std::vector<uint8_t> ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST(GeneratedAssets, EverySheetLoadsWithTheGamesPaletteAndFramesItsCellsWhereTheyAreCut)
{
    PALETTEENTRY palette[PALETTE_SIZE] = {};
    ASSERT_EQ(PaletteLoadFile((DATA + "/mainPalette.PAL").c_str(), palette), 1);
    for (const SheetSpec& s : SHEETS) {
        SCOPED_TRACE(s.name);
        Loaded l(s.name);
        ASSERT_EQ(l.loaded, 1);
        const BITMAPINFOHEADER& info = l.image.infoHeader;
        EXPECT_EQ(info.biBitCount, 8);
        EXPECT_EQ(info.biWidth, s.width);
        EXPECT_EQ(info.biHeight, s.height);
        for (int i = 0; i < PALETTE_SIZE; ++i) {
            ASSERT_EQ(l.image.palette[i].peRed, palette[i].peRed) << i;
            ASSERT_EQ(l.image.palette[i].peGreen, palette[i].peGreen) << i;
            ASSERT_EQ(l.image.palette[i].peBlue, palette[i].peBlue) << i;
        }
        // Every cell lies inside, framed by lines of one colour on each side the image has room
        // for, so a cell drawn one pixel off would cover a line.
        const int line = l.At(0, 0);
        EXPECT_NE(line, s.key);
        for (int n = 0; n < s.cells; ++n) {
            const int left = CellLeft(s, n), top = CellTop(s, n);
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
    for (const SheetSpec& s : SHEETS) {
        SCOPED_TRACE(s.name);
        Loaded l(s.name);
        ASSERT_EQ(l.loaded, 1);
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
        const char* sheet;
        int first, count;
        bool loops;
    };
    const Run runs[] = {
        {"BrindleTile.BMP", 0, 13, true},  {"chromoTile.bmp", 0, 50, true},
        {"chromoTile.bmp", 50, 50, true},  {"chromoTile.bmp", 100, 50, true},
        {"chromoTile.bmp", 150, 50, true}, {"chromoTile.bmp", 200, 44, true},
    };
    std::vector<Run> all(std::begin(runs), std::end(runs));
    for (int row = 0; row < 20; ++row)
        all.push_back({"CatcherTile.BMP", 7 * row, 7, true});
    for (const Run& run : all) {
        SCOPED_TRACE(std::string(run.sheet) + " from " + std::to_string(run.first));
        Loaded l(run.sheet);
        ASSERT_EQ(l.loaded, 1);
        const SheetSpec& s = Spec(run.sheet);
        for (int i = 0; i < run.count; ++i) {
            if (i == run.count - 1 && !run.loops)
                break;
            int next = run.first + (i + 1) % run.count;
            EXPECT_NE(Cell(l, s, run.first + i), Cell(l, s, next)) << "frame " << i;
        }
    }
    // The catcher rows facing one way start from the same plain pose (the game shows it still).
    Loaded catcher("CatcherTile.BMP");
    const SheetSpec& c = Spec("CatcherTile.BMP");
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
        Loaded l(p.sheet);
        ASSERT_EQ(l.loaded, 1);
        double sum = 0;
        int count = 0, darkest = 255;
        for (int y = p.top; y <= p.bottom; ++y)
            for (int x = p.left; x <= p.right; ++x) {
                const PALETTEENTRY& e = l.image.palette[l.At(x + 1, y + 1)];
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
    const auto dir =
        std::filesystem::temp_directory_path() / ("helix-assets-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string command = std::string(HELIX_ASSETGEN) + " " + dir.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name :
         {"mainPalette.PAL", "BrindleTile.BMP", "TitleBack.bmp", "background.bmp", "DNAStrand2.BMP",
          "chromoTile.bmp", "CatcherTile.BMP"})
        EXPECT_EQ(ReadAll(dir / name), ReadAll(std::filesystem::path(DATA) / name)) << name;
    std::filesystem::remove_all(dir);
}

TEST(GeneratedAssets, TheScoreFileIsMadeWhenMissingAndNeverRewritten)
{
    const auto dir =
        std::filesystem::temp_directory_path() / ("helix-scores-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto scores = dir / "scores.brd";
    const std::string command =
        std::string(HELIX_CMAKE) + " -DSCORES=" + scores.string() + " -P " + HELIX_ENSURE_SCORES;
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(std::filesystem::exists(scores));
    EXPECT_EQ(std::filesystem::file_size(scores), 0u);
    std::ofstream(scores) << "Ada\nGene Genie\n120\n";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::vector<uint8_t> kept = ReadAll(scores);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "Ada\nGene Genie\n120\n");
    std::filesystem::remove_all(dir);
}

} // namespace
