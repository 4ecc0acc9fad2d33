// Tests of the screen transitions and palette blinkers on the fake clock: the fade rules, each
// kind of effect's end state and its length in 12 ms steps, and blinker timing and bookkeeping.
#include "support/raster/transition.h"

#include "graphics/palette.h"
#include "platform/time.h"
#include "support/clock.h"
#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

class TransitionTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        PlatformUseRealClock();
    }
    // Runs the effect on a screen of the given size and depth (clipped to itself) and gives the
    // milliseconds of frame clock it took.
    static uint32_t Run(int effect, int width, int height, int bpp, uint8_t* memory, int pitch)
    {
        std::tie(ScreenWidth, ScreenHeight, ScreenBpp) = std::tie(width, height, bpp);
        SetClip(0, 0, width - 1, height - 1);
        PlatformUseFakeClock(1000);
        ScreenTransition(effect, memory, pitch);
        return ClockGet() - 1000;
    }
};

using Rgb = std::array<uint8_t, 3>;

static Rgb RgbOf(const PALETTEENTRY& entry)
{
    return {entry.peRed, entry.peGreen, entry.peBlue};
}

TEST_F(TransitionTest, FadesWipesAndTheDissolve)
{
    // To black: above 4 less 3, else 0; entry 0 keeps its colour. Toward a primary: it rises by
    // 6, the others fall by 4. To white: all rise by 4 up to 255.
    std::array<PALETTEENTRY, PALETTE_SIZE> palette{};
    palette[0] = palette[1] = {3, 10, 255, 0};
    palette[2] = {250, 3, 100, 4};
    EXPECT_EQ(TransitionFadeStep(TRANSITION_FADE_BLACK, palette.data(), 0), 1);
    EXPECT_EQ((std::array{RgbOf(palette[0]), RgbOf(palette[1]), RgbOf(palette[2])}),
              (std::array{Rgb{3, 10, 255}, Rgb{0, 7, 252}, Rgb{247, 0, 97}}));
    TransitionFadeStep(TRANSITION_FADE_BLUE, palette.data(), 0);
    EXPECT_EQ(RgbOf(palette[2]), (Rgb{243, 0, 103}));
    for (uint8_t red : {247, 251, 255, 255}) {
        TransitionFadeStep(TRANSITION_FADE_WHITE, palette.data(), 0);
        EXPECT_EQ(palette[2].peRed, red);
    }
    EXPECT_EQ(TransitionFadeStep(TRANSITION_WIPE_SIDES, palette.data(), 0), 0);

    // The whole fade to black takes 80 steps and ends black, also for full channels (80 steps of
    // 3 leave 15), on the screen and in the palette.
    palette.fill({200, 255, 4, 0});
    PaletteSetAll(palette.data());
    EXPECT_EQ(Run(TRANSITION_FADE_BLACK, 0, 0, 8, nullptr, 0), 80u * 12);
    PaletteGetDisplayEntries(0, PALETTE_SIZE, palette.data());
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        ASSERT_EQ(RgbOf(palette[i]), (i == 0 ? Rgb{200, 255, 4} : Rgb{0, 0, 0})) << i;
        ASSERT_EQ(RgbOf(PaletteEntries[i]), RgbOf(palette[i])) << i;
    }

    // Wipes draw 2 lines from each side per 12 ms step in colour 0, up to an odd middle line,
    // at either depth, and leave the pitch's padding alone; the dissolve is not paced.
    Canvas8 screen(640, 480, 643, 0x77);
    EXPECT_EQ(Run(TRANSITION_WIPE_TOP_BOTTOM, 640, 480, 8, screen.Memory(), 643), 120u * 12);
    EXPECT_EQ(screen.Other(0), Points{});
    EXPECT_EQ(screen.pixels.back(), 0x77);
    Canvas16 words(9, 33, 19, 0x7777);
    EXPECT_EQ(Run(TRANSITION_WIPE_ALL, 9, 33, 16, words.Memory(), 19), 3u * 12);
    EXPECT_EQ(words.Other(0), Points{});
    Canvas8 dissolved(40, 30, 40, 0x77);
    EXPECT_EQ(Run(TRANSITION_DISSOLVE, 40, 30, 8, dissolved.Memory(), 40), 0u);
    EXPECT_LT(dissolved.Other(0).size(), 40u * 30 / 20); // 4 throws miss one pixel in 55
    EXPECT_EQ(dissolved.Other(0).size() + dissolved.Other(0x77).size(), 40u * 30);
    Canvas8 untouched(16, 16, 16, 0x77); // other depths and effect numbers do nothing
    EXPECT_EQ(Run(TRANSITION_WIPE_ALL, 16, 16, 24, untouched.Memory(), 16) +
                  Run(9, 16, 16, 8, untouched.Memory(), 16),
              0u);
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
    // Off for 2 runs, on for 3, and round again; the shadow palette stays as it was.
    std::string seen;
    for (int run = 0; run <= 10; ++run) {
        PaletteGetDisplayEntries(9, 1, &shown);
        seen += shown.peGreen == 200 ? 'N' : shown.peRed == 10 ? 'F' : '?';
        EXPECT_EQ(PaletteBlink(BLINK_RUN, nullptr, 0), 1);
    }
    EXPECT_EQ(seen, "FFNNNFFNNNF");
    EXPECT_EQ(PaletteEntries[9].peRed, 1);

    // A full table, a free entry, no palette entry 256: -1, which no caller can take for a real
    // entry; a freed entry is the next one taken.
    for (int i = 1; i < BLINKER_COUNT; ++i) {
        ASSERT_EQ(PaletteBlink(BLINK_ADD, &blinker, 0), i);
    }
    PaletteBlinker stray{256, {}, {}, 1, 1, 0, 0};
    EXPECT_EQ(PaletteBlink(BLINK_ADD, &blinker, 0), -1);
    EXPECT_EQ(PaletteBlink(BLINK_DELETE, nullptr, 17), 17);
    EXPECT_EQ(PaletteBlink(BLINK_ADD, &stray, 0), -1);
    EXPECT_EQ(PaletteBlink(BLINK_ADD, &blinker, 0), 17);
}
