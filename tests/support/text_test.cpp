// Tests of text drawing on plain 8-bit surfaces: the palette entry nearest to the colour, a
// transparent background, the exact position, trimming at the edges and a missing font.
#include "support/text.h"

#include "graphics/palette.h"
#include "tests/graphics/surface_dump.h"
#include "tests/temp_dir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int BACKGROUND = 9;

class TextTest : public ::testing::Test {
protected:
    SDL_Surface* surface = MakeSurface(200, 60);

    void SetUp() override
    {
        for (int i = 0; i < PALETTE_SIZE; ++i) { // a grey ramp, so only the entries below are blue
            PaletteEntries[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i),
                                 static_cast<uint8_t>(i), 0};
        }
        PaletteEntries[17] = {0, 0, 250, 0};
        PaletteEntries[40] = {10, 10, 255, 0};
    }
    void TearDown() override
    {
        SDL_FreeSurface(surface);
        TextFontPath = nullptr;
        TextShutdown();
    }
    static SDL_Surface* MakeSurface(int width, int height)
    {
        SDL_Surface* s =
            SDL_CreateRGBSurfaceWithFormat(0, width, height, 8, SDL_PIXELFORMAT_INDEX8);
        SDL_FillRect(s, nullptr, BACKGROUND);
        return s;
    }
    static int Count(SDL_Surface* s, int value)
    {
        int n = 0;
        for (int i = 0; i < s->w * s->h; ++i) {
            n += SurfacePixel(s, i % s->w, i / s->w) == value;
        }
        return n;
    }
};

TEST_F(TextTest, GlyphsTakeTheNearestPaletteEntryInTheirCellAndAreTrimmedAtTheEdges)
{
    ASSERT_EQ(DrawTextRGB("Score: 12345", 5, 7, RGB(0, 0, 255), surface), 1);
    const int glyphs = Count(surface, 17);
    EXPECT_GT(glyphs, 100);
    EXPECT_EQ(glyphs + Count(surface, BACKGROUND), 200 * 60);
    // The line's cell starts at (5, 7) and is 16 pixels high; the glyphs stay inside it.
    const auto background = [](int, int) { return BACKGROUND; };
    EXPECT_TRUE(SurfaceRegionIs(surface, 0, 0, 200, 7, background));
    EXPECT_TRUE(SurfaceRegionIs(surface, 0, 7 + 16, 200, 60 - 7 - 16, background));
    EXPECT_TRUE(SurfaceRegionIs(surface, 0, 0, 5, 60, background));
    int start = 0; // glyph pixels in the cell's first 3 columns: the text starts at once
    for (int i = 0; i < 3 * 16; ++i) {
        start += SurfacePixel(surface, 5 + i % 3, 7 + i / 3) == 17;
    }
    EXPECT_GT(start, 0);

    // A change of the palette changes the choice; of two equal entries the lower wins; a palette
    // index gives its own entry.
    PaletteEntries[40] = PaletteEntries[41] = {0, 0, 255, 0};
    ASSERT_EQ(DrawTextRGB("Score: 12345", 5, 7, RGB(0, 0, 255), surface), 1);
    EXPECT_EQ(Count(surface, 40), glyphs) << "drawn again, no box builds up behind the text";
    ASSERT_EQ(DrawTextPaletteIndex("Score: 12345", 5, 7, 17, surface), 1);
    EXPECT_EQ(Count(surface, 17), glyphs);
    EXPECT_EQ(DrawTextPaletteIndex("Score: 12345", 5, 7, PALETTE_SIZE, surface), 0);

    // Eight-bit characters are Latin-1: an e with an acute accent is a glyph of its own.
    SDL_FillRect(surface, nullptr, BACKGROUND);
    ASSERT_EQ(DrawTextRGB("e", 0, 0, RGB(255, 255, 255), surface), 1);
    const int plain = Count(surface, 255);
    ASSERT_EQ(DrawTextRGB("\xe9", 100, 0, RGB(255, 255, 255), surface), 1);
    EXPECT_GT(plain, 10);
    EXPECT_GT(Count(surface, 255) - plain, plain);

    // Text is trimmed at every edge: each place shows exactly the part of the line drawn wholly
    // inside at (60, 20) that stays on the surface.
    SDL_Surface* whole = MakeSurface(200, 60);
    ASSERT_EQ(DrawTextRGB("Hello World", 60, 20, RGB(255, 255, 255), whole), 1);
    for (auto [x, y] :
         {std::pair{-40, 20}, {150, 20}, {60, -9}, {60, 50}, {-70, -12}, {190, 55}, {-5000, 200}}) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        SDL_FillRect(surface, nullptr, BACKGROUND);
        ASSERT_EQ(DrawTextRGB("Hello World", x, y, RGB(255, 255, 255), surface), 1);
        EXPECT_TRUE(SurfaceRegionIs(surface, 0, 0, 200, 60, [&](int px, int py) {
            const int pixel = SurfacePixel(whole, px - x + 60, py - y + 20);
            return pixel < 0 ? BACKGROUND : pixel; // outside the reference picture
        }));
    }
    SDL_FreeSurface(whole);
}

TEST_F(TextTest, CallsThatCannotDrawReturnZeroAndTouchNothing)
{
    EXPECT_EQ(DrawTextRGB("", 0, 0, RGB(255, 255, 255), surface), 1);
    EXPECT_EQ(DrawTextRGB(nullptr, 0, 0, RGB(255, 255, 255), surface), 0);
    EXPECT_EQ(DrawTextRGB("x", 0, 0, RGB(255, 255, 255), nullptr), 0);
    SDL_LockSurface(surface);
    EXPECT_EQ(DrawTextRGB("locked", 0, 0, RGB(255, 255, 255), surface), 0);
    SDL_UnlockSurface(surface);

    // Without its font the text layer draws nothing and keeps why, and draws again once the
    // font is back.
    TextShutdown();
    TextFontPath = "/nonexistent/helix-dash-font.ttf";
    EXPECT_EQ(DrawTextRGB("no font", 0, 0, RGB(255, 255, 255), surface), 0);
    EXPECT_EQ(std::string(TextError())
                  .rfind("cannot open the font \"/nonexistent/helix-dash-font.ttf\"", 0),
              0u);
    EXPECT_EQ(DrawTextPaletteIndex("no font", 0, 0, 255, surface), 0);
    EXPECT_EQ(Count(surface, BACKGROUND), 200 * 60);
    TextFontPath = nullptr;
    TextShutdown();
    EXPECT_EQ(DrawTextRGB("font", 0, 0, RGB(255, 255, 255), surface), 1);
}

// fontconfig finds the game's face wherever the system keeps it, and a system whose only fonts
// are of other kinds gives none rather than its last-resort substitute.
TEST(TextFontSearch, FindsDejaVuSansBoldAndRefusesASerifSubstitute)
{
    char path[TEXT_FONT_PATH_SIZE];
    ASSERT_EQ(TextFindFont(path, sizeof path), 1);
    EXPECT_NE(std::string(path).find("DejaVuSans-Bold"), std::string::npos) << path;
    EXPECT_EQ(TextFindFont(path, 8), 0); // a path that does not fit is no path
    EXPECT_STREQ(path, "");

    // A system whose only font is a serif face: the configuration's own aliases apply, and
    // fontconfig would offer the serif for want of anything better.
    const std::filesystem::path folder = TestTempDir("font-search");
    std::filesystem::create_directory(folder / "fonts");
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
                               folder / "fonts/DejaVuSerif-Bold.ttf");
    std::ofstream(folder / "fonts.conf")
        << "<?xml version=\"1.0\"?>\n<fontconfig><include ignore_missing=\"yes\">/etc/fonts/conf.d"
        << "</include><dir>" << folder.string() << "/fonts</dir><cachedir>" << folder.string()
        << "</cachedir></fontconfig>\n";
    const char* before = std::getenv("FONTCONFIG_FILE");
    const std::string kept = before != nullptr ? before : "";
    setenv("FONTCONFIG_FILE", (folder / "fonts.conf").c_str(), 1);
    EXPECT_EQ(TextFindFont(path, sizeof path), 0);
    TextShutdown();
    EXPECT_EQ(TextOpen(), 0);
    EXPECT_EQ(std::string(TextError()).rfind("no usable font", 0), 0u);
    before != nullptr ? setenv("FONTCONFIG_FILE", kept.c_str(), 1) : unsetenv("FONTCONFIG_FILE");
    TextShutdown();
    EXPECT_EQ(TextOpen(), 1);
    std::filesystem::remove_all(folder);
}

} // namespace
