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
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr int BACKGROUND = 9;

class TextTest : public ::testing::Test {
protected:
    SDL_Surface* surface = nullptr;

    void SetUp() override
    {
        std::memset(PaletteEntries, 0, sizeof(PaletteEntries));
        for (int i = 0; i < PALETTE_SIZE; ++i) { // a grey ramp, so only the entries below are blue
            PaletteEntries[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i),
                                 static_cast<uint8_t>(i), 0};
        }
        PaletteEntries[17] = {0, 0, 250, 0};
        PaletteEntries[40] = {10, 10, 255, 0};
        surface = MakeSurface(200, 60);
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

TEST_F(TextTest, GlyphsTakeTheNearestPaletteEntryAndLeaveTheBackground)
{
    ASSERT_EQ(DrawTextRGB("Score: 12345", 5, 7, RGB(0, 0, 255), surface), 1);
    int glyphs = Count(surface, 17);
    EXPECT_GT(glyphs, 100);
    EXPECT_EQ(glyphs + Count(surface, BACKGROUND), 200 * 60);

    // The line's cell starts at (5, 7) and is 16 pixels high; the glyphs stay inside it.
    int left = 200, right = -1;
    for (int i = 0; i < 200 * 60; ++i) {
        const int x = i % 200, y = i / 200;
        if (SurfacePixel(surface, x, y) == 17) {
            EXPECT_TRUE(y >= 7 && y < 7 + 16) << y;
            left = std::min(left, x), right = std::max(right, x);
        }
    }
    EXPECT_TRUE(left >= 5 && left <= 7) << left;
    EXPECT_GT(right, 5 + 60);

    // Drawn again on the same place it looks the same: no box builds up behind the text.
    SDL_Surface* once = MakeSurface(200, 60);
    SDL_BlitSurface(surface, nullptr, once, nullptr);
    ASSERT_EQ(DrawTextRGB("Score: 12345", 5, 7, RGB(0, 0, 255), surface), 1);
    EXPECT_TRUE(SurfaceRegionIs(surface, 0, 0, 200, 60,
                                [&](int x, int y) { return SurfacePixel(once, x, y); }));
    SDL_FreeSurface(once);

    // A change of the palette changes the choice; a palette colour gives its own entry.
    PaletteEntries[40] = {0, 0, 255, 0};
    ASSERT_EQ(DrawTextRGB("Score: 12345", 5, 7, RGB(0, 0, 255), surface), 1);
    EXPECT_EQ(Count(surface, 40), glyphs);
    EXPECT_EQ(Count(surface, 17), 0);
    ASSERT_EQ(DrawTextPaletteIndex("Score: 12345", 5, 7, 17, surface), 1);
    EXPECT_EQ(Count(surface, 17), glyphs);
    EXPECT_EQ(DrawTextPaletteIndex("Score: 12345", 5, 7, PALETTE_SIZE, surface), 0);

    // Of two equal entries the lower index wins.
    PaletteEntries[60] = PaletteEntries[61] = {0, 200, 0, 0};
    ASSERT_EQ(DrawTextRGB("Score: 12345", 5, 7, RGB(0, 190, 0), surface), 1);
    EXPECT_EQ(Count(surface, 60), glyphs);

    // Eight-bit characters are Latin-1: an e with an acute accent is a glyph of its own.
    SDL_Surface* plain = MakeSurface(40, 20);
    SDL_Surface* accented = MakeSurface(40, 20);
    ASSERT_EQ(DrawTextRGB("e", 0, 0, RGB(255, 255, 255), plain), 1);
    ASSERT_EQ(DrawTextRGB("\xe9", 0, 0, RGB(255, 255, 255), accented), 1);
    EXPECT_GT(Count(accented, 255), Count(plain, 255));
    EXPECT_GT(Count(plain, 255), 10);
    SDL_FreeSurface(plain);
    SDL_FreeSurface(accented);
}

TEST_F(TextTest, TextIsTrimmedAtEveryEdgeOfTheSurface)
{
    // Reference: the line drawn wholly inside at (60, 20). Each other place shows exactly the
    // part of that picture that stays on the surface.
    SDL_Surface* whole = MakeSurface(200, 60);
    ASSERT_EQ(DrawTextRGB("Hello World", 60, 20, RGB(255, 255, 255), whole), 1);
    const int places[][2] = {{-40, 20}, {150, 20}, {60, -9}, {60, 50}, {-70, -12}, {190, 55}};
    for (const auto& place : places) {
        SCOPED_TRACE(testing::Message() << place[0] << "," << place[1]);
        SDL_FillRect(surface, nullptr, BACKGROUND);
        ASSERT_EQ(DrawTextRGB("Hello World", place[0], place[1], RGB(255, 255, 255), surface), 1);
        EXPECT_TRUE(SurfaceRegionIs(surface, 0, 0, 200, 60, [&](int x, int y) {
            const int pixel = SurfacePixel(whole, x - place[0] + 60, y - place[1] + 20);
            return pixel < 0 ? BACKGROUND : pixel; // outside the reference picture
        }));
    }
    SDL_FillRect(surface, nullptr, BACKGROUND);
    EXPECT_EQ(DrawTextRGB("Hello World", -5000, 200, RGB(255, 255, 255), surface), 1);
    EXPECT_EQ(Count(surface, BACKGROUND), 200 * 60);
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

    // Without its font the text layer draws nothing and keeps why, and recovers once the font
    // is back.
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
    EXPECT_LT(Count(surface, BACKGROUND), 200 * 60);

    // Other depths get the colour in their own format.
    SDL_Surface* deep = SDL_CreateRGBSurfaceWithFormat(0, 60, 20, 16, SDL_PIXELFORMAT_RGB565);
    ASSERT_EQ(DrawTextRGB("16 bit", 0, 0, RGB(255, 0, 0), deep), 1);
    const int red = Count(deep, 0xF800);
    EXPECT_EQ(red + Count(deep, 0), 60 * 20);
    EXPECT_GT(red, 20);
    SDL_FreeSurface(deep);
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
    const std::string serifOnly = (folder / "fonts.conf").string();
    std::FILE* conf = std::fopen(serifOnly.c_str(), "w");
    ASSERT_NE(conf, nullptr);
    std::fprintf(conf,
                 "<?xml version=\"1.0\"?>\n<fontconfig><include ignore_missing=\"yes\">"
                 "/etc/fonts/conf.d</include><dir>%s/fonts</dir><cachedir>%s</cachedir>"
                 "</fontconfig>\n",
                 folder.c_str(), folder.c_str());
    std::fclose(conf);
    const char* before = std::getenv("FONTCONFIG_FILE");
    const std::string kept = before != nullptr ? before : "";
    setenv("FONTCONFIG_FILE", serifOnly.c_str(), 1);
    EXPECT_EQ(TextFindFont(path, sizeof path), 0);
    TextShutdown();
    EXPECT_EQ(TextOpen(), 0);
    EXPECT_EQ(std::string(TextError()).rfind("no usable font", 0), 0u);
    if (before != nullptr) {
        setenv("FONTCONFIG_FILE", kept.c_str(), 1);
    } else {
        unsetenv("FONTCONFIG_FILE");
    }
    TextShutdown();
    EXPECT_EQ(TextOpen(), 1);
}

} // namespace
