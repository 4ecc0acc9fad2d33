// The face layers, the genome log, the verdict animations and the sound effects, read back through
// the game's own loaders: cells where the game cuts them, keys where nothing may show, features
// that stay on every head, log pages that keep to their boxes, and sounds the mixer takes as they
// are.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "game/catching.h"
#include "graphics/bitmap.h"
#include "sound/sound.h"
#include "sound/wav.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/sheets.h"

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
    // The pixel (x, y) of the cell (column, row) of cells w x h, cut as the game cuts it.
    uint8_t At(int column, int row, int w, int h, int x, int y) const
    {
        int left = column * (w + 1) + 1, top = row * (h + 1) + 1;
        return pixels[size_t(top + y) * size_t(width) + size_t(left + x)];
    }
};

const std::string DATA = HELIX_DATA_DIR;

std::string Path(const char* name)
{
    return DATA + "/" + name;
}

// The sheet the build drew, through the game's BMP loader, with its size checked against what the
// game cuts and its colour table against the one palette.
Picture Load(const char* name, int width, int height)
{
    BitmapImage image{};
    Picture p;
    EXPECT_EQ(BitmapLoad(&image, Path(name).c_str()), 1) << name;
    if (!image.pixels)
        return p;
    EXPECT_EQ(image.infoHeader.biWidth, width) << name;
    EXPECT_EQ(image.infoHeader.biHeight, height) << name;
    EXPECT_EQ(image.infoHeader.biBitCount, 8) << name;
    ArtPaletteBuild();
    EXPECT_TRUE(std::equal(image.palette, image.palette + PALETTE_SIZE, ArtPalette,
                           [](const PALETTEENTRY& a, const PALETTEENTRY& b) {
                               return a.peRed == b.peRed && a.peGreen == b.peGreen &&
                                      a.peBlue == b.peBlue;
                           }))
        << name << " does not carry the one palette";
    p.width = width;
    p.height = height;
    p.pixels.assign(image.pixels, image.pixels + size_t(width) * size_t(height));
    BitmapUnload(&image);
    return p;
}

TEST(Artwork2, FaceLayersStackOnEveryHeadAndTheBlankLayerIsKey)
{
    const Picture face = Load("FaceTile.BMP", 1292, 1161);
    ASSERT_FALSE(face.pixels.empty());
    auto at = [&](int layer, int frame, int x, int y) {
        return face.At(frame % 10, frame < 10 ? layer : layer + 4, 128, 128, x, y);
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
            ASSERT_EQ(face.At(0, 8, 128, 128, x, y), ART_KEY_FACE) << "blank layer at " << x;
}

TEST(Artwork2, GenomeLogPagesFillOnlyTheirOwnBoxWithTheirCodon)
{
    const Picture memo = Load("memoTile.bmp", 1292, 1285);
    ASSERT_FALSE(memo.pixels.empty());
    std::set<std::vector<int>> codons;
    std::set<std::vector<uint8_t>> entries;
    for (int page = 0; page < 40; ++page) {
        const int layer = page / 10, picture = page % 10;
        // The page's codon decodes, by the game's rule, to this layer and picture.
        int codon[3] = {-1, -1, -1}, frame = -1, shown = -1;
        ASSERT_EQ(MemoCodonOfPage(page, codon), 1) << page;
        EXPECT_EQ(DecodeCodon(codon, &frame, &shown), layer + 1);
        EXPECT_EQ(frame, picture);
        EXPECT_EQ(shown, page);
        codons.insert({codon[0], codon[1], codon[2]});
        // Nothing outside the box, something inside it.
        const int x0 = MemoBoxLeft(layer), y0 = MemoBoxTop(picture);
        std::vector<uint8_t> box;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 128; ++x) {
                uint8_t v = memo.At(page % 10, page / 10, 128, 256, x, y);
                bool inside =
                    x >= x0 && x < x0 + MEMO_BOX_WIDTH && y >= y0 && y < y0 + MEMO_BOX_HEIGHT;
                if (inside)
                    box.push_back(v);
                else
                    ASSERT_EQ(v, ART_KEY_SPRITE) << "page " << page << " at " << x << ", " << y;
            }
        EXPECT_EQ(std::count(box.begin(), box.end(), ART_KEY_SPRITE), 0) << "page " << page;
        entries.insert(box);
    }
    EXPECT_EQ(codons.size(), 40u);
    EXPECT_EQ(entries.size(), 40u) << "two entries show the same letters";
    // The game draws the notebook over the pages found: each box is see-through, and the rule line
    // above and left of it is drawn.
    for (int page = 0; page < 40; ++page) {
        const int x0 = MemoBoxLeft(page / 10), y0 = MemoBoxTop(page % 10);
        for (int y = y0; y < y0 + MEMO_BOX_HEIGHT; ++y)
            for (int x = x0; x < x0 + MEMO_BOX_WIDTH; ++x)
                ASSERT_EQ(memo.At(0, 4, 128, 256, x, y), ART_KEY_SPRITE) << x << ", " << y;
        EXPECT_NE(memo.At(0, 4, 128, 256, x0 - 1, y0 + 5), ART_KEY_SPRITE) << "page " << page;
        EXPECT_NE(memo.At(0, 4, 128, 256, x0 + 5, y0 - 1), ART_KEY_SPRITE) << "page " << page;
    }
}

TEST(Artwork2, VerdictRowsAnimateAndTheirBlankFramesAreKey)
{
    const Picture bonus = Load("bonusTile.BMP", 1692, 845);
    ASSERT_FALSE(bonus.pixels.empty());
    auto opaque = [&](int column, int row) {
        int n = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                n += bonus.At(column, row, 64, 64, x, y) != ART_KEY_SPRITE;
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
        WavFormat format{};
        std::vector<uint8_t> samples;
        ASSERT_EQ(WavReadFile(Path(s.name).c_str(), &format, &samples), WAV_OK) << s.name;
        EXPECT_EQ(format.formatTag, WAV_FORMAT_PCM) << s.name;
        EXPECT_EQ(format.channels, 1) << s.name;
        EXPECT_EQ(format.samplesPerSec, 11025u) << s.name;
        EXPECT_EQ(format.bitsPerSample, 8) << s.name;
        const int id = SoundLoadWav(Path(s.name).c_str(), 0xE0);
        ASSERT_GE(id, 0) << s.name;
        EXPECT_EQ(SoundSlots[id].sampleRate, 11025u) << s.name;
        EXPECT_EQ(SoundSlots[id].dataBytes, samples.size()) << s.name;
        const double seconds = double(samples.size()) / 11025.0;
        EXPECT_GE(seconds, s.shortest) << s.name;
        EXPECT_LE(seconds, s.longest) << s.name;
        // No clipping, and silence (128) at both ends so a start or a cut-off does not click.
        EXPECT_LE(std::count_if(samples.begin(), samples.end(),
                                [](uint8_t v) { return v == 0 || v == 255; }),
                  2)
            << s.name;
        EXPECT_NEAR(samples.front(), 128, 2) << s.name;
        EXPECT_NEAR(samples.back(), 128, 2) << s.name;
        // Levels matched: each effect about as loud as the others (RMS near a fifth of full
        // scale), none of them silent or blaring.
        double sum = 0.0;
        for (uint8_t v : samples)
            sum += (double(v) - 128.0) * (double(v) - 128.0);
        const double rms = std::sqrt(sum / double(samples.size())) / 128.0;
        EXPECT_GT(rms, 0.15) << s.name;
        EXPECT_LT(rms, 0.25) << s.name;
    }
    SoundDeleteAll();
    SoundShutdown();
}

} // namespace
