// The generator's writers and palette: files laid out byte for byte as the game reads them, read
// back by an independent reader (SDL's), and a palette whose keys and text colours stay apart.
#include <SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "tests/temp_dir.h"
#include "tests/tools/sheet.h"
#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/wav_writer.h"

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[at + size_t(i)];
    return v;
}

class WritersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ArtPaletteBuild();
    }
    void TearDown() override
    {
        std::filesystem::remove_all(dir);
    }
    const std::filesystem::path dir = TestTempDir("helix-writers");
};

TEST_F(WritersTest, BmpIsBottomUpWithFullColourTableAndPaddedWidth)
{
    // 5 x 3 picture, top row first: row r holds 10r + x.
    std::vector<uint8_t> pixels(6 * 3, 0xEE); // pitch 6: the writer must not copy the 6th byte
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            pixels[size_t(y * 6 + x)] = uint8_t(10 * y + x);
    const auto path = dir / "t.bmp";
    ASSERT_EQ(BmpWrite8(path.c_str(), 5, 3, pixels.data(), 6, ArtPalette, 215), 1);
    EXPECT_EQ(BmpWrite8(path.c_str(), 0, 3, pixels.data(), 6, ArtPalette, 0), 0);

    // Width rounded up to a multiple of 4 (the game reads rows of biWidth bytes), biSizeImage
    // exact, the first stored row the bottom one, its padding the key.
    const std::vector<uint8_t> b = ReadAll(path);
    ASSERT_EQ(b.size(), 1078u + 8u * 3u);
    const std::vector<uint32_t> header = {Le(b, 0, 2),  Le(b, 2, 4),  Le(b, 10, 4), Le(b, 14, 4),
                                          Le(b, 18, 4), Le(b, 22, 4), Le(b, 28, 2), Le(b, 34, 4)};
    EXPECT_EQ(header, (std::vector<uint32_t>{0x4D42, uint32_t(b.size()), 1078, 40, 8, 3, 8, 24}));
    const std::vector<uint8_t> firstStored(b.begin() + 1078, b.begin() + 1086);
    EXPECT_EQ(firstStored, (std::vector<uint8_t>{20, 21, 22, 23, 24, 215, 215, 215}));

    // SDL's reader agrees on size, pixels and colours.
    SDL_Surface* s = SDL_LoadBMP(path.c_str());
    ASSERT_NE(s, nullptr) << SDL_GetError();
    EXPECT_EQ(std::tuple(s->w, s->h, int(s->format->BitsPerPixel)), std::tuple(8, 3, 8));
    const uint8_t* p = static_cast<const uint8_t*>(s->pixels);
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[s->pitch * 2 + 4], 24);
    for (int i = 0; i < 256; ++i) {
        const SDL_Color c = s->format->palette->colors[i];
        const PALETTEENTRY& e = ArtPalette[i];
        ASSERT_EQ(std::tuple(c.r, c.g, c.b), std::tuple(e.peRed, e.peGreen, e.peBlue)) << i;
    }
    SDL_FreeSurface(s);
}

TEST_F(WritersTest, WavIsPcm8BitMonoWithEighteenFormatBytesAndPaddedData)
{
    const uint8_t samples[] = {128, 200, 56};
    const auto path = dir / "s.WAV";
    ASSERT_EQ(WavWrite8(path.c_str(), samples, 3), 1);
    const std::vector<uint8_t> b = ReadAll(path);
    ASSERT_EQ(b.size(), 12u + 8u + 18u + 8u + 4u); // odd data gets its pad byte
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(std::string(b.begin() + 38, b.begin() + 42), "data");
    // RIFF size, format size, PCM, mono, rate, bits, cbSize, data size.
    const std::vector<uint32_t> header = {Le(b, 4, 4),  Le(b, 16, 4), Le(b, 20, 2), Le(b, 22, 2),
                                          Le(b, 24, 4), Le(b, 34, 2), Le(b, 36, 2), Le(b, 42, 4)};
    EXPECT_EQ(header, (std::vector<uint32_t>{uint32_t(b.size() - 8), 18, 1, 1, 11025, 8, 0, 3}));

    SDL_AudioSpec format;
    Uint8* data = nullptr;
    Uint32 length = 0;
    ASSERT_NE(SDL_LoadWAV(path.c_str(), &format, &data, &length), nullptr) << SDL_GetError();
    EXPECT_EQ(std::tuple(format.format, int(format.channels), format.freq, length),
              std::tuple(AUDIO_U8, 1, 11025, 3u));
    EXPECT_EQ(data[1], 200);
    SDL_FreeWAV(data);
}

TEST_F(WritersTest, PaletteKeepsKeysAndTextColoursApartAndNeverHandsThemOut)
{
    auto rgb = [](int i) {
        return std::tuple(ArtPalette[i].peRed, ArtPalette[i].peGreen, ArtPalette[i].peBlue);
    };
    // The game writes its text in these exact colours, and no colour repeats a key's.
    std::set<std::tuple<uint8_t, uint8_t, uint8_t>> colours;
    for (int i = 0; i < 256; ++i) {
        EXPECT_TRUE(i == ART_KEY_FACE || rgb(i) != rgb(ART_KEY_FACE)) << i;
        EXPECT_TRUE(i == ART_KEY_SPRITE || rgb(i) != rgb(ART_KEY_SPRITE)) << i;
        colours.insert(rgb(i));
    }
    for (auto text : {std::tuple(0, 0, 255), std::tuple(0, 255, 0), std::tuple(255, 0, 0),
                      std::tuple(255, 0, 255), std::tuple(0, 0, 0)})
        EXPECT_TRUE(colours.count(text));
    // Every ramp runs from dark to light.
    auto luma = [](int i) {
        return 3 * ArtPalette[i].peRed + 6 * ArtPalette[i].peGreen + ArtPalette[i].peBlue;
    };
    for (int r = 0; r < RAMP_COUNT; ++r)
        for (int i = 1; i < ArtRampLength[r]; ++i)
            EXPECT_GT(luma(ArtRampFirst[r] + i), luma(ArtRampFirst[r] + i - 1)) << r;
    // The search never answers with a key or the full-screen key black, not even for the keys'
    // own colours.
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                uint8_t i = ArtNearest({float(r), float(g), float(b)});
                ASSERT_TRUE(i != 0 && i != ART_KEY_FACE && i != ART_KEY_SPRITE) << r << g << b;
            }
    EXPECT_NE(ArtNearest({254, 0, 254}), ART_KEY_FACE);
}

} // namespace
