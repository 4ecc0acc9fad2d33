// Tests of the screen transitions and palette blinkers on the fake clock: each effect's end state
// and its length in 12 ms steps, the fade rules, and blinker timing and bookkeeping.
#include "support/raster/transition.h"

#include "graphics/palette.h"
#include "platform/time.h"
#include "support/clock.h"
#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <set>

class TransitionTest : public RasterTest {
protected:
    void SetUp() override
    {
        RasterTest::SetUp();
        PlatformUseFakeClock(1000);
        for (int id = 0; id < BLINKER_COUNT; ++id) {
            PaletteBlink(BLINK_DELETE, nullptr, id);
        }
    }
    void TearDown() override
    {
        PlatformUseRealClock();
        RasterTest::TearDown();
    }
    // A screen of the given size and depth whose clip window is the whole screen.
    static void UseScreen(int width, int height, int bpp)
    {
        ScreenWidth = width;
        ScreenHeight = height;
        ScreenBpp = bpp;
        SetClip(0, 0, width - 1, height - 1);
    }
    // Runs the effect and gives the milliseconds of frame clock it took.
    static uint32_t Run(int effect, uint8_t* memory, int pitch)
    {
        uint32_t start = ClockGet();
        ScreenTransition(effect, memory, pitch);
        return ClockGet() - start;
    }
};

static std::array<PALETTEENTRY, PALETTE_SIZE> VariedPalette()
{
    std::array<PALETTEENTRY, PALETTE_SIZE> palette;
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                      static_cast<uint8_t>((i * 37) & 0xFF), PC_NOCOLLAPSE};
    }
    palette[7] = {255, 255, 255, PC_NOCOLLAPSE};
    return palette;
}

using Rgb = std::array<uint8_t, 3>;

static Rgb RgbOf(const PALETTEENTRY& entry)
{
    return {entry.peRed, entry.peGreen, entry.peBlue};
}

TEST_F(TransitionTest, FadeStepRules)
{
    std::array<PALETTEENTRY, PALETTE_SIZE> palette{};
    palette[0] = palette[1] = {3, 10, 255, 0};
    palette[2] = {250, 3, 100, 4};
    EXPECT_EQ(TransitionFadeStep(TRANSITION_FADE_BLACK, palette.data(), 0), 1);
    EXPECT_EQ(RgbOf(palette[1]), (Rgb{0, 7, 252}));
    EXPECT_EQ(RgbOf(palette[0]), (Rgb{3, 10, 255})) << "entry 0 keeps its colour";
    EXPECT_EQ(RgbOf(palette[2]), (Rgb{247, 0, 97}));
    TransitionFadeStep(TRANSITION_FADE_BLUE, palette.data(), 0);
    EXPECT_EQ(RgbOf(palette[2]), (Rgb{243, 0, 103}));
    EXPECT_EQ(palette[2].peFlags, 4);
    for (uint8_t red : {247, 251, 255, 255}) {
        TransitionFadeStep(TRANSITION_FADE_WHITE, palette.data(), 0);
        EXPECT_EQ(palette[2].peRed, red) << "capped once the sum reaches 255";
    }
    EXPECT_EQ(TransitionFadeStep(TRANSITION_WIPE_SIDES, palette.data(), 0), 0);
}

TEST_F(TransitionTest, FadesEndInTheirColourAfterTheirSteps)
{
    struct Fade {
        int effect;
        uint32_t ms;
        Rgb end;
    };
    for (const Fade& fade : {Fade{TRANSITION_FADE_BLACK, 80 * 12, {0, 0, 0}},
                             Fade{TRANSITION_FADE_WHITE, 64 * 12, {255, 255, 255}},
                             Fade{TRANSITION_FADE_BLUE, 64 * 12, {0, 0, 255}},
                             Fade{TRANSITION_FADE_RED, 64 * 12, {255, 0, 0}},
                             Fade{TRANSITION_FADE_GREEN, 64 * 12, {0, 255, 0}}}) {
        SCOPED_TRACE(fade.effect);
        std::array<PALETTEENTRY, PALETTE_SIZE> start = VariedPalette();
        PaletteSetAll(start.data());
        EXPECT_EQ(Run(fade.effect, nullptr, 0), fade.ms);
        std::array<PALETTEENTRY, PALETTE_SIZE> shown;
        PaletteGetDisplayEntries(0, PALETTE_SIZE, shown.data());
        for (int i = 0; i < PALETTE_SIZE; ++i) {
            const PALETTEENTRY& entry = PaletteEntries[i];
            Rgb expected = fade.end;
            if (fade.effect == TRANSITION_FADE_BLACK && i == 0) {
                expected = RgbOf(start[0]);
            }
            ASSERT_EQ(RgbOf(entry), expected) << i;
            ASSERT_EQ(RgbOf(shown[i]), expected);
        }
    }
}

TEST_F(TransitionTest, WipesClearTheWholeScreenStepByStep)
{
    struct Wipe {
        int effect;
        int width;
        int height;
        uint32_t ms;
    };
    // 2 pixels from each side per 12 ms step: 640 x 480 takes 160 and 120 steps; odd sizes close
    // their middle line too.
    for (const Wipe& wipe : {Wipe{TRANSITION_WIPE_SIDES, 640, 480, 160 * 12},
                             Wipe{TRANSITION_WIPE_TOP_BOTTOM, 640, 480, 120 * 12},
                             Wipe{TRANSITION_WIPE_ALL, 640, 480, 160 * 12},
                             Wipe{TRANSITION_WIPE_SIDES, 45, 7, 12 * 12},
                             Wipe{TRANSITION_WIPE_TOP_BOTTOM, 8, 45, 12 * 12},
                             Wipe{TRANSITION_WIPE_ALL, 9, 33, 3 * 12}}) {
        SCOPED_TRACE(testing::Message() << wipe.effect << " " << wipe.width << "x" << wipe.height);
        UseScreen(wipe.width, wipe.height, 8);
        Canvas8 screen(wipe.width, wipe.height, wipe.width + 3, 0x77);
        EXPECT_EQ(Run(wipe.effect, screen.Memory(), screen.pitch), wipe.ms);
        EXPECT_EQ(screen.CountOtherThan(0), 0);
        EXPECT_EQ(screen.pixels.back(), 0x77) << "the pitch's padding is left alone";

        UseScreen(wipe.width, wipe.height, 16);
        Canvas16 words(wipe.width, wipe.height, 2 * wipe.width + 1, 0x7777);
        Run(wipe.effect, words.Memory(), words.pitch);
        EXPECT_EQ(words.CountOtherThan(0), 0);
    }

    // Other depths and effect numbers draw nothing and take no time.
    UseScreen(16, 16, 24);
    Canvas8 screen(16, 16, 16, 0x77);
    EXPECT_EQ(Run(TRANSITION_WIPE_ALL, screen.Memory(), screen.pitch), 0u);
    UseScreen(16, 16, 8);
    EXPECT_EQ(Run(9, screen.Memory(), screen.pitch), 0u);
    EXPECT_EQ(Run(-1, screen.Memory(), screen.pitch), 0u);
    EXPECT_EQ(screen.CountOtherThan(0x77), 0);
}

TEST_F(TransitionTest, DissolveClearsTheRandomPixelsWithoutPacing)
{
    UseScreen(40, 30, 8);
    Canvas8 screen(40, 30, 41, 0x77);
    std::srand(2026);
    EXPECT_EQ(Run(TRANSITION_DISSOLVE, screen.Memory(), screen.pitch), 0u);

    // The same dice, thrown again: y first, then x, 40 x 30 x 4 + 1 times.
    std::srand(2026);
    std::set<std::pair<int, int>> hit;
    for (int n = 0; n < 40 * 30 * 4 + 1; ++n) {
        int y = std::rand() % 30;
        int x = std::rand() % 40;
        hit.insert({x, y});
    }
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(screen.At(x, y), hit.count({x, y}) ? 0 : 0x77) << x << "," << y;
        }
    }
    EXPECT_GT(hit.size(), 1000u); // most of the 1200 pixels
}

static PALETTEENTRY Shown(int index)
{
    PALETTEENTRY entry;
    PaletteGetDisplayEntries(index, 1, &entry);
    return entry;
}

TEST_F(TransitionTest, BlinkersFollowTheirTimesInALowestFreeFirstTable)
{
    PALETTEENTRY shadow = {1, 2, 3, 0};
    PaletteSetEntry(9, &shadow);
    PaletteSetEntry(6, &shadow);
    PaletteBlinker blinker{9, {0, 200, 0, 0}, {10, 0, 0, 0}, 3, 2, 77, 55};
    ASSERT_EQ(PaletteBlink(BLINK_ADD, &blinker, 0), 0);
    EXPECT_EQ(PaletteBlinkers[0].counter, 0);
    // Off for 2 runs, on for 3, and round again.
    auto state = [] { return Shown(9).peGreen == 200 ? 'N' : Shown(9).peRed == 10 ? 'F' : '?'; };
    std::string seen(1, state());
    for (int run = 0; run < 10; ++run) {
        EXPECT_EQ(PaletteBlink(BLINK_RUN, nullptr, 0), 1);
        seen += state();
    }
    EXPECT_EQ(seen, "FFNNNFFNNNF");
    EXPECT_EQ(PaletteEntries[9].peRed, 1) << "blinking leaves the shadow palette alone";

    // An update takes new colours and times and shows the present state's colour at once.
    PaletteBlinker dimmer{0, {0, 0, 250, 0}, {0, 0, 50, 0}, 1, 1, 0, 0};
    EXPECT_EQ(PaletteBlink(BLINK_UPDATE, &dimmer, 0), 0);
    EXPECT_EQ(Shown(9).peBlue, 50);
    EXPECT_EQ(PaletteBlinkers[0].colourIndex, 9);

    for (int i = 1; i < BLINKER_COUNT; ++i) {
        ASSERT_EQ(PaletteBlink(BLINK_ADD, &blinker, 0), i);
    }
    // A full table refuses with -1, which no caller can take for a real entry.
    PaletteBlinker other{6, {9, 9, 9, 0}, {8, 8, 8, 0}, 1, 1, 0, 0};
    EXPECT_EQ(PaletteBlink(BLINK_ADD, &other, 0), -1);
    EXPECT_EQ(Shown(6).peRed, 1);
    EXPECT_EQ(PaletteBlink(BLINK_DELETE, nullptr, 17), 17);
    EXPECT_EQ(PaletteBlink(BLINK_DELETE, nullptr, 17), -1);
    EXPECT_EQ(PaletteBlink(BLINK_UPDATE, &other, 17), -1);
    EXPECT_EQ(PaletteBlink(BLINK_ADD, &other, 0), 17);
    EXPECT_EQ(PaletteBlink(BLINK_DELETE, nullptr, 256), -1);
    EXPECT_EQ(PaletteBlink(BLINK_DELETE, nullptr, 3), 3);
    PaletteBlinker stray{256, {}, {}, 1, 1, 0, 0};
    EXPECT_EQ(PaletteBlink(BLINK_ADD, &stray, 0), -1) << "no palette entry 256";
    EXPECT_EQ(PaletteBlink(42, nullptr, 0), 1);
}
