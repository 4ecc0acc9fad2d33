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
#include <string>

class TransitionTest : public RasterTest {
protected:
    void SetUp() override
    {
        RasterTest::SetUp();
        PlatformUseFakeClock(1000);
    }
    void TearDown() override
    {
        PlatformUseRealClock();
        RasterTest::TearDown();
    }
    // Runs the effect on a screen of the given size and depth (clipped to itself) and gives the
    // milliseconds of frame clock it took.
    static uint32_t Run(int effect, int width, int height, int bpp, uint8_t* memory, int pitch)
    {
        std::tie(ScreenWidth, ScreenHeight, ScreenBpp) = std::tie(width, height, bpp);
        SetClip(0, 0, width - 1, height - 1);
        const uint32_t start = ClockGet();
        ScreenTransition(effect, memory, pitch);
        return ClockGet() - start;
    }
};

using Rgb = std::array<uint8_t, 3>;

static Rgb RgbOf(const PALETTEENTRY& entry)
{
    return {entry.peRed, entry.peGreen, entry.peBlue};
}

TEST_F(TransitionTest, FadesStepByTheirRulesAndEndInTheirColour)
{
    std::array<PALETTEENTRY, PALETTE_SIZE> palette{};
    palette[0] = palette[1] = {3, 10, 255, 0};
    palette[2] = {250, 3, 100, 4};
    // To black: above 4 less 3, else 0; entry 0 keeps its colour. Toward a primary: it rises by
    // 6, the others fall by 4. To white: all rise by 4 up to 255.
    EXPECT_EQ(TransitionFadeStep(TRANSITION_FADE_BLACK, palette.data(), 0), 1);
    EXPECT_EQ((std::array{RgbOf(palette[0]), RgbOf(palette[1]), RgbOf(palette[2])}),
              (std::array{Rgb{3, 10, 255}, Rgb{0, 7, 252}, Rgb{247, 0, 97}}));
    TransitionFadeStep(TRANSITION_FADE_BLUE, palette.data(), 0);
    EXPECT_EQ(RgbOf(palette[2]), (Rgb{243, 0, 103}));
    EXPECT_EQ(palette[2].peFlags, 4);
    for (uint8_t red : {247, 251, 255, 255}) {
        TransitionFadeStep(TRANSITION_FADE_WHITE, palette.data(), 0);
        EXPECT_EQ(palette[2].peRed, red);
    }
    EXPECT_EQ(TransitionFadeStep(TRANSITION_WIPE_SIDES, palette.data(), 0), 0);

    // Whole fades, from a palette with full channels (80 steps of 3 leave 15).
    for (auto [effect, ms, end] : {std::tuple{TRANSITION_FADE_BLACK, 80 * 12, Rgb{0, 0, 0}},
                                   std::tuple{TRANSITION_FADE_WHITE, 64 * 12, Rgb{255, 255, 255}},
                                   std::tuple{TRANSITION_FADE_RED, 64 * 12, Rgb{255, 0, 0}}}) {
        SCOPED_TRACE(effect);
        for (int i = 0; i < PALETTE_SIZE; ++i) {
            palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 255, 0};
        }
        PaletteSetAll(palette.data());
        EXPECT_EQ(Run(effect, 0, 0, 8, nullptr, 0), static_cast<uint32_t>(ms));
        std::array<PALETTEENTRY, PALETTE_SIZE> shown;
        PaletteGetDisplayEntries(0, PALETTE_SIZE, shown.data());
        for (int i = 0; i < PALETTE_SIZE; ++i) {
            const bool kept = effect == TRANSITION_FADE_BLACK && i == 0;
            ASSERT_EQ(RgbOf(PaletteEntries[i]), kept ? RgbOf(palette[0]) : end) << i;
            ASSERT_EQ(RgbOf(shown[i]), RgbOf(PaletteEntries[i])) << i;
        }
    }
}

TEST_F(TransitionTest, WipesAndTheDissolveClearTheScreen)
{
    // 2 pixels from each side per 12 ms step: 640 x 480 takes 160 and 120 steps; odd sizes close
    // their middle line too.
    for (auto [effect, width, height, ms] :
         {std::array{TRANSITION_WIPE_SIDES, 640, 480, 160 * 12},
          std::array{TRANSITION_WIPE_TOP_BOTTOM, 640, 480, 120 * 12},
          std::array{TRANSITION_WIPE_ALL, 640, 480, 160 * 12},
          std::array{TRANSITION_WIPE_ALL, 9, 33, 3 * 12}}) {
        SCOPED_TRACE(testing::Message() << effect << " " << width << "x" << height);
        Canvas8 screen(width, height, width + 3, 0x77);
        EXPECT_EQ(Run(effect, width, height, 8, screen.Memory(), screen.pitch), uint32_t(ms));
        EXPECT_EQ(screen.Other(0), Points{});
        EXPECT_EQ(screen.pixels.back(), 0x77) << "the pitch's padding is left alone";
        Canvas16 words(width, height, 2 * width + 1, 0x7777);
        Run(effect, width, height, 16, words.Memory(), words.pitch);
        EXPECT_EQ(words.Other(0), Points{});
    }
    // The dissolve is not paced; 4 throws a pixel miss about one pixel in 55.
    Canvas8 screen(40, 30, 40, 0x77);
    EXPECT_EQ(Run(TRANSITION_DISSOLVE, 40, 30, 8, screen.Memory(), screen.pitch), 0u);
    EXPECT_LT(screen.Other(0).size(), 40u * 30 / 20);
    EXPECT_EQ(screen.Other(0).size() + screen.Other(0x77).size(), 40u * 30) << "only colour 0";

    // Other depths and effect numbers draw nothing and take no time.
    Canvas8 untouched(16, 16, 16, 0x77);
    EXPECT_EQ(Run(TRANSITION_WIPE_ALL, 16, 16, 24, untouched.Memory(), 16), 0u);
    EXPECT_EQ(Run(9, 16, 16, 8, untouched.Memory(), 16), 0u);
    EXPECT_EQ(Run(-1, 16, 16, 8, untouched.Memory(), 16), 0u);
    EXPECT_EQ(untouched.Other(0x77), Points{});
}

TEST_F(TransitionTest, BlinkersFollowTheirTimesInALowestFreeFirstTable)
{
    for (int id = 0; id < BLINKER_COUNT; ++id) {
        PaletteBlink(BLINK_DELETE, nullptr, id);
    }
    PALETTEENTRY shadow = {1, 2, 3, 0}, shown;
    PaletteSetEntry(9, &shadow);
    PaletteBlinker blinker{9, {0, 200, 0, 0}, {10, 0, 0, 0}, 3, 2, 77, 55};
    ASSERT_EQ(PaletteBlink(BLINK_ADD, &blinker, 0), 0);
    // Off for 2 runs, on for 3, and round again.
    std::string seen;
    for (int run = 0; run <= 10; ++run) {
        PaletteGetDisplayEntries(9, 1, &shown);
        seen += shown.peGreen == 200 ? 'N' : shown.peRed == 10 ? 'F' : '?';
        EXPECT_EQ(PaletteBlink(BLINK_RUN, nullptr, 0), 1);
    }
    EXPECT_EQ(seen, "FFNNNFFNNNF");
    EXPECT_EQ(PaletteEntries[9].peRed, 1) << "blinking leaves the shadow palette alone";
    // An update takes new colours and times and shows the present state's colour at once.
    PaletteBlinker dimmer{0, {0, 0, 250, 0}, {0, 0, 50, 0}, 1, 1, 0, 0};
    EXPECT_EQ(PaletteBlink(BLINK_UPDATE, &dimmer, 0), 0);
    PaletteGetDisplayEntries(9, 1, &shown);
    EXPECT_EQ(shown.peBlue, 50);

    for (int i = 1; i < BLINKER_COUNT; ++i) {
        ASSERT_EQ(PaletteBlink(BLINK_ADD, &blinker, 0), i);
    }
    // A full table, a free or absent entry, no palette entry 256: -1, which no caller can take
    // for a real entry; a freed entry is the next one taken.
    PaletteBlinker stray{256, {}, {}, 1, 1, 0, 0};
    const std::pair<int, int> calls[] = {
        {PaletteBlink(BLINK_ADD, &blinker, 0), -1},
        {PaletteBlink(BLINK_DELETE, nullptr, 17), 17},
        {PaletteBlink(BLINK_DELETE, nullptr, 17), -1},
        {PaletteBlink(BLINK_UPDATE, &dimmer, 17), -1},
        {PaletteBlink(BLINK_ADD, &blinker, 0), 17},
        {PaletteBlink(BLINK_DELETE, nullptr, 256), -1},
        {PaletteBlink(BLINK_DELETE, nullptr, 3), 3},
        {PaletteBlink(BLINK_ADD, &stray, 0), -1},
        {PaletteBlink(42, nullptr, 0), 1},
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        EXPECT_EQ(calls[i].first, calls[i].second) << "call " << i;
    }
}
