// The face layers, the genome log, the verdict animations and the sound effects, read back through
// the game's own loaders: cells where the game cuts them, keys where nothing may show, features
// that stay on every head, log pages that keep to their boxes, and sounds the mixer takes as they
// are.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "game/catching.h"
#include "sound/sound.h"
#include "sound/wav.h"
#include "tests/tools/sheet.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/sheets.h"

namespace {

// The sheet the build drew, its size what the game cuts and its colours the one palette.
DataSheet Load(const char* name, int width, int height)
{
    DataSheet sheet(name);
    EXPECT_EQ(sheet.width, width) << name;
    EXPECT_EQ(sheet.height, height) << name;
    EXPECT_EQ(sheet.bitCount, 8) << name;
    ArtPaletteBuild();
    EXPECT_TRUE(SameColours(sheet.palette, ArtPalette))
        << name << " does not carry the one palette";
    return sheet;
}

TEST(Artwork2, FaceLayersStackOnEveryHeadAndTheBlankLayerIsKey)
{
    const DataSheet face = Load("FaceTile.BMP", 1292, 1161);
    ASSERT_FALSE(face.pixels.empty());
    auto at = [&](int layer, int frame, int x, int y) {
        return face.CellAt(frame % 10, frame < 10 ? layer : layer + 4, 128, 128, x, y);
    };
    // Where every one of the twenty heads is opaque: the eyes, noses and mouths must keep to it,
    // or some head would show a feature floating off its face.
    std::vector<bool> onEveryHead(128 * 128, true);
    for (int frame = 0; frame < 20; ++frame)
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (at(0, frame, x, y) == ART_KEY_FACE)
                    onEveryHead[size_t(y * 128 + x)] = false;
    for (int layer = 0; layer < 4; ++layer)
        for (int frame = 0; frame < 20; ++frame) {
            int shown = 0, astray = 0;
            for (int y = 0; y < 128; ++y)
                for (int x = 0; x < 128; ++x)
                    if (at(layer, frame, x, y) != ART_KEY_FACE) {
                        ++shown;
                        astray += layer > 0 && !onEveryHead[size_t(y * 128 + x)];
                    }
            EXPECT_GT(shown, 12) << "layer " << layer << " picture " << frame << " shows nothing";
            EXPECT_EQ(astray, 0) << "layer " << layer << " picture " << frame;
        }
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(face.CellAt(0, 8, 128, 128, x, y), ART_KEY_FACE) << "blank layer at " << x;
}

TEST(Artwork2, GenomeLogPagesFillOnlyTheirOwnBoxWithTheirCodon)
{
    const DataSheet memo = Load("memoTile.bmp", 1292, 1285);
    ASSERT_FALSE(memo.pixels.empty());
    std::set<std::vector<uint8_t>> entries;
    for (int page = 0; page < 40; ++page) {
        const int layer = page / 10, picture = page % 10;
        // The page's codon decodes, by the game's rule, to this layer and picture (so no two pages
        // share a codon).
        int codon[3] = {-1, -1, -1}, frame = -1, shown = -1;
        ASSERT_EQ(MemoCodonOfPage(page, codon), 1) << page;
        EXPECT_EQ(DecodeCodon(codon, &frame, &shown), layer + 1);
        EXPECT_EQ(frame, picture);
        EXPECT_EQ(shown, page);
        // Nothing outside the box, something inside it.
        const int x0 = MemoBoxLeft(layer), y0 = MemoBoxTop(picture);
        std::vector<uint8_t> box;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 128; ++x) {
                uint8_t v = memo.CellAt(page % 10, page / 10, 128, 256, x, y);
                bool inside =
                    x >= x0 && x < x0 + MEMO_BOX_WIDTH && y >= y0 && y < y0 + MEMO_BOX_HEIGHT;
                if (inside)
                    box.push_back(v);
                else
                    ASSERT_EQ(v, ART_KEY_SPRITE) << "page " << page << " at " << x << ", " << y;
            }
        EXPECT_EQ(std::count(box.begin(), box.end(), ART_KEY_SPRITE), 0) << "page " << page;
        entries.insert(box);
        // The game draws the notebook over the pages found: the box is see-through there, and the
        // rule line above and left of it is drawn.
        for (int y = y0; y < y0 + MEMO_BOX_HEIGHT; ++y)
            for (int x = x0; x < x0 + MEMO_BOX_WIDTH; ++x)
                ASSERT_EQ(memo.CellAt(0, 4, 128, 256, x, y), ART_KEY_SPRITE) << x << ", " << y;
        EXPECT_NE(memo.CellAt(0, 4, 128, 256, x0 - 1, y0 + 5), ART_KEY_SPRITE) << "page " << page;
        EXPECT_NE(memo.CellAt(0, 4, 128, 256, x0 + 5, y0 - 1), ART_KEY_SPRITE) << "page " << page;
    }
    EXPECT_EQ(entries.size(), 40u) << "two entries show the same letters";
}

TEST(Artwork2, VerdictRowsAnimateAndTheirBlankFramesAreKey)
{
    const DataSheet bonus = Load("bonusTile.BMP", 1692, 845);
    ASSERT_FALSE(bonus.pixels.empty());
    auto opaque = [&](int column, int row) {
        int n = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                n += bonus.CellAt(column, row, 64, 64, x, y) != ART_KEY_SPRITE;
        return n;
    };
    // The sprites' sequence 0 shows cell 25 of rows 0 and 8.
    EXPECT_EQ(opaque(25, 0), 0);
    EXPECT_EQ(opaque(25, 8), 0);
    for (int row = 0; row < 13; ++row) {
        for (int cell = 0; cell < 25; ++cell)
            EXPECT_GT(opaque(cell, row), 0) << "verdict " << row + 1 << " cell " << cell;
        // The badge is at full size in mid-animation and gone small by the last cell.
        EXPECT_GT(opaque(12, row), 2 * opaque(24, row)) << "verdict " << row + 1;
    }
}

TEST(Artwork2, SoundsLoadThroughTheGameLoaderQuietAtTheEndsUnclippedAndWithinTheirLengths)
{
    struct Expected {
        const char* name;
        double shortest, longest; // seconds
    };
    const Expected sounds[] = {
        {"Untitled4.WAV", 1.5, 2.5}, {"untitled.WAV", 0.03, 0.15}, {"untitled2.WAV", 0.1, 0.4},
        {"untitled3.WAV", 0.3, 0.8}, {"untitled5.WAV", 0.4, 1.0},  {"untitled6.WAV", 0.1, 0.35},
        {"untitled7.WAV", 1.0, 2.5},
    };
    SoundInit(); // without an audio device the slots still load, silently
    for (const Expected& s : sounds) {
        SCOPED_TRACE(s.name);
        WavFormat format{};
        std::vector<uint8_t> samples;
        ASSERT_EQ(WavReadFile(DataPath(s.name).c_str(), &format, &samples), WAV_OK);
        EXPECT_EQ(std::tuple(format.formatTag, format.channels, format.bitsPerSample),
                  std::tuple(WAV_FORMAT_PCM, 1, 8));
        EXPECT_EQ(format.samplesPerSec, 11025u);
        const int id = SoundLoadWav(DataPath(s.name).c_str(), 0xE0);
        ASSERT_GE(id, 0);
        EXPECT_EQ(SoundSlots[id].sampleRate, 11025u);
        EXPECT_EQ(SoundSlots[id].dataBytes, samples.size());
        const double seconds = double(samples.size()) / 11025.0;
        EXPECT_TRUE(seconds >= s.shortest && seconds <= s.longest) << seconds << " s";
        // No clipping, and silence (128) at both ends so a start or a cut-off does not click.
        EXPECT_LE(std::count_if(samples.begin(), samples.end(),
                                [](uint8_t v) { return v == 0 || v == 255; }),
                  2);
        EXPECT_NEAR(samples.front(), 128, 2);
        EXPECT_NEAR(samples.back(), 128, 2);
    }
    SoundDeleteAll();
    SoundShutdown();
}

} // namespace
