// Tests of the window timers on the fake clock: when ticks come, how they coalesce, and what
// KillTimer and a dead window do to them.
#include "platform_fixture.h"

#include "platform/timer.h"

#include <cstdint>
#include <utility>

using Ids = std::vector<WPARAM>;

class TimerTest : public PlatformTest {
protected:
    HWND window = nullptr;

    void StartAt(std::uint32_t tick)
    {
        PlatformUseFakeClock(tick);
        window = MakeWindow();
        ASSERT_NE(window, nullptr);
    }

    // Moves the clock on by each step's milliseconds and expects that step's ticks, taken off the
    // queue (a few more than there are timers at most, so a timer that ticks on every look cannot
    // loop forever).
    void Expect(std::initializer_list<std::pair<std::uint32_t, Ids>> steps)
    {
        for (const auto& [ms, ids] : steps) {
            PlatformFakeClockAdvance(ms);
            Ids taken;
            for (MSG m = Take(); m.message != 0 && taken.size() <= PLATFORM_MAX_TIMERS;
                 m = Take()) {
                EXPECT_EQ(m.message, WM_TIMER);
                EXPECT_EQ(m.hwnd, window);
                taken.push_back(m.wParam);
            }
            EXPECT_EQ(taken, ids) << "at " << PlatformTicks();
        }
    }
};

TEST_F(TimerTest, TicksOncePerPeriodAndNotBeforeAlsoAcrossTheWrap)
{
    StartAt(0xFFFFFFFFu - 300);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    // The deadline has wrapped to 699 while the counter has not yet: no early tick.
    Expect({{200, {}}, {799, {}}, {1, {1}}, {999, {}}, {1, {1}}});

    // Setting a timer again starts its period again: the old period's end is forgotten.
    PlatformFakeClockAdvance(600);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    Expect({{400, {}}, {600, {1}}});
}

TEST_F(TimerTest, AtMostOneTickWaitsPerTimerAndKillTimerDropsIt)
{
    StartAt(0);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    ASSERT_EQ(SetTimer(window, 2, 1000, nullptr), 2u);
    Expect({{5000, {1, 2}}}); // a long frame: five periods pass unseen

    // A tick seen but not taken is still the only one when the next period ends.
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(Take(PM_NOREMOVE, window, WM_TIMER, WM_TIMER).message, UINT(WM_TIMER));
    Expect({{1000, {1, 2}}});

    // Killing a timer drops its waiting tick, and only its own.
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(KillTimer(window, 1), 1);
    EXPECT_EQ(KillTimer(window, 1), 0);
    EXPECT_EQ(KillTimer(window, 99), 0);
    Expect({{0, {2}}, {1000, {2}}});

    // No callbacks, no dead or absent windows.
    int callback = 0;
    EXPECT_EQ(SetTimer(window, 3, 1000, &callback), 0u);
    EXPECT_EQ(SetTimer(nullptr, 3, 1000, nullptr), 0u);
    ASSERT_EQ(DestroyWindow(window), 1);
    EXPECT_EQ(SetTimer(window, 3, 1000, nullptr), 0u);
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(Take().message, 0u);
}
