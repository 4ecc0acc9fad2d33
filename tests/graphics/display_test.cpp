// Display tests: set-up and the full-screen toggle, clippers, fills, keyed and clipped copies, the
// flip's colour conversion and its wait for a lock, the scale modes and the redraw of changed
// tiles.
#include "graphics/display.h"

#include "graphics/palette.h"
#include "platform/message.h"
#include "platform/window_sdl.h"
#include "tests/graphics/display_fixture.h"
#include "tests/graphics/surface_dump.h"
#include "tests/sdl_events.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Writes a pattern into an 8-bit surface: index f(x, y) at every pixel.
template <typename F>
void Paint(DisplaySurface s, F f)
{
    int pitch = 0;
    uint8_t* p = DisplayLockSurface(s, &pitch);
    ASSERT_NE(p, nullptr);
    for (int y = 0; y < s->h; ++y) {
        for (int x = 0; x < s->w; ++x) {
            p[y * pitch + x] = static_cast<uint8_t>(f(x, y));
        }
    }
    DisplayUnlockSurface(s);
}

// The presented picture as the output holds it, ARGB8888, w x h.
std::vector<Uint32> ReadScreen(int w = 640, int h = 480)
{
    std::vector<uint32_t> pixels;
    int shownW = 0, shownH = 0;
    EXPECT_EQ(DisplayReadOutput(&pixels, &shownW, &shownH), 1) << SDL_GetError();
    EXPECT_EQ(shownW, w);
    EXPECT_EQ(shownH, h);
    pixels.resize(static_cast<size_t>(w) * h);
    return pixels;
}

// The width of each stripe along one output row, given each column's share of the light colour:
// a stripe is a run of columns where its colour outweighs the other, and it also owns the rest of
// its neighbours' edge columns (half of a one-column neighbour's, which borders on two stripes).
std::vector<double> StripeWidths(const std::vector<double>& light)
{
    std::vector<double> widths;
    double next = 0; // the next stripe's part of the latest column
    for (size_t x = 0; x < light.size(); ++x) {
        const bool startsRun = x == 0 || (light[x] >= 0.5) != (light[x - 1] >= 0.5);
        const bool endsRun = x + 1 == light.size() || (light[x] >= 0.5) != (light[x + 1] >= 0.5);
        const double own = light[x] >= 0.5 ? light[x] : 1 - light[x];
        if (startsRun) {
            if (!widths.empty()) {
                widths.back() += (1 - own) / (endsRun ? 2 : 1);
            }
            widths.push_back(next);
        }
        widths.back() += own;
        next = endsRun ? (1 - own) / (startsRun ? 2 : 1) : 0;
    }
    return widths;
}

} // namespace

TEST_F(DisplayTest, SetUpReadsThePaletteFileRunsAgainAfterAShutdownAndAltEnterTogglesFullScreen)
{
    std::ofstream("mainPalette.PAL") << "\n255 0 0 4\n1 2 3 0\n9 9 9 0";
    ASSERT_EQ(DisplayInit(640, 480, 8, 1), 1);
    EXPECT_EQ((std::array{ClipMinX, ClipMinY, ClipMaxX, ClipMaxY}), (std::array{0, 0, 639, 479}));
    EXPECT_EQ(BackSurface->format->palette, DisplayPalette);
    EXPECT_EQ(PaletteEntries[1].peGreen, 2);
    EXPECT_EQ(DisplayPalette->colors[2].r, 9);

    // Again without a palette file: everything black, full screen the desktop's full screen,
    // which Alt+Enter and DisplayToggleFullScreen switch to a window and back.
    std::remove("mainPalette.PAL");
    DisplayShutdown();
    EXPECT_EQ(BackSurface, nullptr);
    ASSERT_EQ(DisplayInit(640, 480, 8, 0), 1);
    EXPECT_EQ(DisplayPalette->colors[2].r, 0);
    SDL_Window* window = PlatformSdlWindow(MainWindow);
    EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    PushKey(MainWindow, SDL_SCANCODE_RETURN, SDLK_RETURN, true, KMOD_LALT);
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
    EXPECT_EQ(Windowed, 1);
    EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    EXPECT_EQ(DisplayToggleFullScreen(), 1);
    EXPECT_EQ(Windowed, 0);
    EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    EXPECT_EQ(DisplayFlip(), 1);
}

TEST_F(DisplayTest, ClippersTrimFillsToTheirRectangles)
{
    ASSERT_EQ(DisplayInit(640, 480, 8, 1), 1);
    DisplaySurface s = DisplayCreateSurface(64, 48, DDSCAPS_OFFSCREENPLAIN, 0);
    ASSERT_NE(s, nullptr);

    DisplayClipper* none = DisplayAttachClipper(s, 0, nullptr);
    ASSERT_NE(none, nullptr);
    DisplayFill(s, 9, nullptr); // an empty region lets nothing through
    EXPECT_TRUE(SurfaceRegionIs(s, 0, 0, 64, 48, [](int, int) { return 0; }));

    const RECT two[] = {{4, 6, 10, 8}, {30, 2, 70, 5}};
    DisplayClipper* c = DisplayAttachClipper(s, 2, two);
    ASSERT_NE(c, nullptr);
    DisplayFillRect(0, 0, 40, 48, 0x107, s); // an 8-bit pixel keeps the low byte
    EXPECT_TRUE(SurfaceRegionIs(s, 0, 0, 64, 48, [](int x, int y) {
        const bool inFirst = x >= 4 && x < 10 && y >= 6 && y < 8;
        const bool inSecond = x >= 30 && x < 40 && y >= 2 && y < 5;
        return inFirst || inSecond ? 7 : 0;
    }));

    // Replacing the back surface's clipper moves BackClipper along with it.
    const RECT screen{0, 0, 640, 480};
    DisplayClipper* again = DisplayAttachClipper(BackSurface, 1, &screen);
    EXPECT_EQ(BackClipper, again);
    DisplayDestroySurface(s);
}

TEST_F(DisplayTest, KeyedCopiesSkipTheKeyAndStayInsideTheClipRegion)
{
    ASSERT_EQ(DisplayInit(640, 480, 8, 1), 1);
    // 21 columns: whole eight-pixel words of every kind plus a tail.
    const auto pattern = [](int x, int y) { return (x * 7 + y * 3) % 5 == 0 ? 200 : 1 + x + y; };
    DisplaySurface sprite = DisplayCreateSurface(21, 10, DDSCAPS_SYSTEMMEMORY, 200);
    ASSERT_NE(sprite, nullptr);
    Paint(sprite, pattern);
    Paint(BackSurface, [](int x, int y) { return 100 + (x + y) % 3; });
    const auto back = [](int x, int y) { return 100 + (x + y) % 3; };

    // Keyed, only the key lets the back surface through; unkeyed below, everything is copied.
    RECT at{50, 60, 71, 70};
    ASSERT_EQ(DisplayBlit(sprite, nullptr, BackSurface, &at, 1), 1);
    EXPECT_TRUE(SurfaceRegionIs(BackSurface, 45, 55, 31, 20, [&](int x, int y) {
        const bool in = x >= 50 && x < 71 && y >= 60 && y < 70;
        const int p = in ? pattern(x - 50, y - 60) : 200;
        return in && p != 200 ? p : back(x, y);
    }));

    // Hanging unkeyed over each of the four edges of a clip region: only the inside changes.
    const RECT region{100, 100, 300, 200};
    DisplayAttachClipper(BackSurface, 1, &region);
    Paint(BackSurface, [](int, int) { return 0; });
    const int places[4][2] = {{90, 150}, {290, 150}, {200, 95}, {200, 195}};
    for (const auto& p : places) {
        at = RECT{p[0], p[1], p[0] + 21, p[1] + 10};
        ASSERT_EQ(DisplayBlit(sprite, nullptr, BackSurface, &at, 0), 1);
    }
    EXPECT_TRUE(SurfaceRegionIs(BackSurface, 80, 85, 240, 130, [&](int x, int y) {
        if (x < 100 || x >= 300 || y < 100 || y >= 200) {
            return 0;
        }
        for (const auto& p : places) {
            if (x >= p[0] && x < p[0] + 21 && y >= p[1] && y < p[1] + 10) {
                return pattern(x - p[0], y - p[1]);
            }
        }
        return 0;
    }));

    // Without a clipper a copy stops at the surface's edges; one wholly outside draws nothing.
    DisplaySurface small = DisplayCreateSurface(8, 8, 0, 0);
    ASSERT_NE(small, nullptr);
    at = RECT{-15, 3, 6, 13};
    EXPECT_EQ(DisplayBlit(sprite, nullptr, small, &at, 0), 1);
    EXPECT_TRUE(SurfaceRegionIs(small, 0, 0, 8, 8, [&](int x, int y) {
        return x < 6 && y >= 3 ? pattern(x + 15, y - 3) : 0;
    }));
    at = RECT{1000, 1000, 1021, 1010};
    EXPECT_EQ(DisplayBlit(sprite, nullptr, small, &at, 0), 1);

    // A source rectangle outside the source is refused.
    const RECT outside{15, 0, 30, 10};
    EXPECT_EQ(DisplayBlit(sprite, &outside, small, nullptr, 0), 0);
    DisplayDestroySurface(small);
    DisplayDestroySurface(sprite);
}

TEST_F(DisplayTest, AFlipWaitsForTheLockToBeGivenBackAndEndsWithTheWindow)
{
    ASSERT_EQ(DisplayInit(640, 480, 8, 1), 1);
    const PALETTEENTRY red{255, 0, 0, 0};
    PaletteSetEntry(3, &red);
    DisplayFill(BackSurface, 3, nullptr);
    // While the back surface is locked a flip presents nothing: the screen keeps the black
    // picture of the set-up.
    int pitch = 0;
    ASSERT_NE(DisplayLockSurface(BackSurface, &pitch), nullptr);
    EXPECT_EQ(DisplayFlip(), 0);
    EXPECT_EQ(ReadScreen()[0] & 0xFFFFFFu, 0u);
    EXPECT_EQ(DisplayUnlockSurface(BackSurface), 1);
    EXPECT_EQ(DisplayFlip(), 1);
    EXPECT_EQ(ReadScreen()[0] & 0xFFFFFFu, 0xFF0000u);

    // The window destroyed before the display is shut down: nothing is drawn into it any more.
    ASSERT_EQ(DestroyWindow(MainWindow), 1);
    EXPECT_EQ(DisplayFlip(), 0);
    EXPECT_EQ(DisplayShutdown(), 1);
}

TEST_F(DisplayTest, ScaleModesKeepEveryColumnAndShowThePalettesColours)
{
    // One-pixel vertical stripes of a dark and a light grey (neither is the bars' black), shown
    // in a window that grows to 1024 x 768 after set-up: the default sharp mode follows it.
    ASSERT_EQ(DisplayInit(640, 480, 8, 1), 1);
    const PALETTEENTRY dark{20, 20, 20, 0}, light{220, 220, 220, 0};
    PaletteSetDisplayEntries(1, 1, &dark);
    PaletteSetDisplayEntries(2, 1, &light);
    Paint(BackSurface, [](int x, int) { return 1 + (x & 1); });
    SDL_SetWindowSize(PlatformSdlWindow(MainWindow), 1024, 768);
    // The bottom row after a flip, each column as its share of the light colour.
    const auto shownRow = [] {
        EXPECT_EQ(DisplayFlip(), 1);
        const std::vector<Uint32> screen = ReadScreen(1024, 768);
        std::vector<double> row(1024);
        for (int x = 0; x < 1024; ++x) {
            row[x] = (static_cast<int>(screen[767 * 1024 + x] >> 8 & 0xFF) - 20) / 200.0;
        }
        return row;
    };
    std::vector<double> row = shownRow();
    std::vector<double> widths = StripeWidths(row);
    // Every source column kept, all about 1.6 wide, a blend never beside another blend.
    ASSERT_EQ(widths.size(), 640u);
    EXPECT_EQ(
        std::count_if(widths.begin(), widths.end(), [](double w) { return w < 1.35 || w > 1.85; }),
        0);
    const auto blended = [&](int x) { return row[x] > 0.2 && row[x] < 0.8; };
    int blendPairs = 0;
    for (int x = 1; x < 1024; ++x) {
        blendPairs += blended(x - 1) && blended(x);
    }
    EXPECT_EQ(blendPairs, 0);

    // Nearest: plain colours, 384 columns two pixels wide and 256 one pixel wide.
    ASSERT_EQ(DisplaySetScaleMode(DISPLAY_SCALE_NEAREST), 1);
    row = shownRow();
    widths = StripeWidths(row);
    EXPECT_EQ(std::count(row.begin(), row.end(), 0.0) + std::count(row.begin(), row.end(), 1.0),
              1024);
    EXPECT_EQ(std::count(widths.begin(), widths.end(), 2.0), 384);
    EXPECT_EQ(std::count(widths.begin(), widths.end(), 1.0), 256);

    // Integer: one to one in the middle, black around, each pixel in its colour in the display
    // palette of the moment (PaletteEntries, the shadow copy, does not count).
    EXPECT_EQ(DisplaySetScaleMode(3), 0);
    ASSERT_EQ(DisplaySetScaleMode(DISPLAY_SCALE_INTEGER), 1);
    std::vector<PALETTEENTRY> colours(PALETTE_SIZE);
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        colours[i] = PALETTEENTRY{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                  static_cast<uint8_t>(i * 7), 0};
    }
    PaletteSetAll(colours.data());
    const PALETTEENTRY white{255, 255, 255, 0};
    PaletteSetDisplayEntries(5, 1, &white);
    EXPECT_EQ(PaletteEntries[5].peRed, 5);
    Paint(BackSurface, [](int x, int y) { return (x + 3 * y) & 0xFF; });
    ASSERT_EQ(DisplayFlip(), 1);
    const std::vector<Uint32> screen = ReadScreen(1024, 768);
    int wrong = 0;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            const bool inside = x >= 192 && x < 832 && y >= 144 && y < 624;
            const int i = (x - 192 + 3 * (y - 144)) & 0xFF;
            const Uint32 colour = Uint32(i) << 16 | Uint32(255 - i) << 8 | ((i * 7) & 0xFF);
            const Uint32 want = !inside ? 0 : i == 5 ? 0xFFFFFF : colour;
            wrong += (screen[y * 1024 + x] & 0xFFFFFF) != want;
        }
    }
    EXPECT_EQ(wrong, 0) << SurfaceDump(BackSurface, "flipped");
}

TEST_F(DisplayTest, FlipsRedrawJustTheChangedTilesAndAllAfterAPaletteChange)
{
    // Every flip must leave the output as a whole redraw of the same picture would (a stale tile
    // shows as a difference), touching no output pixel far from what changed; through the
    // window's surface and through a renderer, at 1.6 times in sharp mode, where blends reach
    // into the neighbours.
    for (const int forced : {0, 1}) {
        SCOPED_TRACE(forced ? "renderer" : "window surface");
        DisplayForceRenderer = forced;
        ASSERT_EQ(DisplayInit(640, 480, 8, 1), 1);
        SDL_SetWindowSize(PlatformSdlWindow(MainWindow), 1024, 768);
        std::vector<PALETTEENTRY> colours(PALETTE_SIZE);
        for (int i = 0; i < PALETTE_SIZE; ++i) {
            colours[i] = PALETTEENTRY{static_cast<uint8_t>(i), static_cast<uint8_t>(i * 5),
                                      static_cast<uint8_t>(255 - i), 0};
        }
        PaletteSetAll(colours.data());
        Paint(BackSurface, [](int x, int y) { return (x * 7 + y * 13) & 0x7F; });
        ASSERT_EQ(DisplayFlip(), 1);
        std::vector<Uint32> before = ReadScreen(1024, 768);
        // The output of a flip, checked against a whole redraw of the primary.
        const auto flipped = [] {
            EXPECT_EQ(DisplayFlip(), 1);
            const std::vector<Uint32> shown = ReadScreen(1024, 768);
            EXPECT_EQ(DisplayShowPrimary(), 1);
            EXPECT_TRUE(ReadScreen(1024, 768) == shown) << "a tile was left stale";
            return shown;
        };

        // Pixels at the corners and edges of tiles and of the screen, one at a time.
        const int spots[][2] = {{0, 0}, {31, 15}, {32, 16}, {300, 200}, {639, 479}, {320, 0}};
        for (const auto& spot : spots) {
            const int x = spot[0], y = spot[1];
            static_cast<uint8_t*>(BackSurface->pixels)[y * BackSurface->pitch + x] = 200;
            const std::vector<Uint32> after = flipped();
            int near = 0, far = 0;
            for (int oy = 0; oy < 768; ++oy) {
                for (int ox = 0; ox < 1024; ++ox) {
                    if (after[oy * 1024 + ox] == before[oy * 1024 + ox]) {
                        continue;
                    }
                    const bool close = ox >= x * 8 / 5 - 2 && ox <= (x + 1) * 8 / 5 + 2 &&
                                       oy >= y * 8 / 5 - 2 && oy <= (y + 1) * 8 / 5 + 2;
                    ++(close ? near : far);
                }
            }
            EXPECT_GT(near, 0) << x << "," << y;
            EXPECT_EQ(far, 0) << x << "," << y;
            before = after;
        }

        // An unchanged flip changes nothing; a new colour shows everywhere it is used.
        EXPECT_TRUE(flipped() == before);
        const PALETTEENTRY white{255, 255, 255, 0};
        PaletteSetDisplayEntries(200, 1, &white);
        const std::vector<Uint32> recoloured = flipped();
        EXPECT_EQ(recoloured[0] | 0xFF000000u, 0xFFFFFFFFu);
        EXPECT_EQ(recoloured[767 * 1024 + 1023] | 0xFF000000u, 0xFFFFFFFFu);
        DisplayShutdown();
    }
}
