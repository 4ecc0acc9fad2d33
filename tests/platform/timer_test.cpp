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

    // The timer ids of the WM_TIMER messages waiting now, taken off the queue; stops after a few
    // more than there are timers, so a timer that ticks on every look cannot loop forever.
    Ids TakeTicks()
    {
        Ids ids;
        for (MSG m = Take(); m.message != 0 && ids.size() <= PLATFORM_MAX_TIMERS; m = Take()) {
            EXPECT_EQ(m.message, WM_TIMER);
            EXPECT_EQ(m.hwnd, window);
            ids.push_back(m.wParam);
        }
        return ids;
    }

    // Moves the clock on by each step's milliseconds and expects that step's ticks.
    void Expect(std::initializer_list<std::pair<std::uint32_t, Ids>> steps)
    {
        for (const auto& [ms, ids] : steps) {
            PlatformFakeClockAdvance(ms);
            EXPECT_EQ(TakeTicks(), ids) << "at " << PlatformTicks();
        }
    }
};

TEST_F(TimerTest, TicksOncePerPeriodAndNotBefore)
{
    StartAt(10'000);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    Expect({{999, {}}, {1, {1}}, {999, {}}, {1, {1}}});

    // Periods below the minimum are raised to it.
    ASSERT_EQ(SetTimer(window, 7, 1, nullptr), 7u);
    Expect({{TIMER_MINIMUM_PERIOD - 1, {}}, {1, {7}}});
}

TEST_F(TimerTest, RestartingATimerStartsItsPeriodAgain)
{
    StartAt(0);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    PlatformFakeClockAdvance(600);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    Expect({{400, {}}, {600, {1}}}); // the old period's end is forgotten
}

TEST_F(TimerTest, TicksAcrossTheWrapOfTheTickCounter)
{
    StartAt(0xFFFFFFFFu - 300);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    // The deadline has wrapped to 699 while the counter has not yet: no early tick.
    Expect({{200, {}}, {799, {}}, {1, {1}}, {1000, {1}}});
}

TEST_F(TimerTest, AtMostOneTickWaitsPerTimer)
{
    StartAt(0);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    ASSERT_EQ(SetTimer(window, 2, 1000, nullptr), 2u);
    Expect({{5000, {1, 2}}}); // a long frame: five periods pass unseen

    // A tick seen but not taken is still the only one when the next period ends.
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(Take(PM_NOREMOVE, window, WM_TIMER, WM_TIMER).message, UINT(WM_TIMER));
    Expect({{1000, {1, 2}}});
}

TEST_F(TimerTest, KillTimerDropsTheWaitingTickOfThatTimerOnly)
{
    StartAt(0);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    ASSERT_EQ(SetTimer(window, 2, 1000, nullptr), 2u);
    PlatformFakeClockAdvance(1000);
    ASSERT_EQ(Take(PM_NOREMOVE).message, UINT(WM_TIMER)) << "both ticks are queued now";

    EXPECT_EQ(KillTimer(window, 1), 1);
    EXPECT_EQ(KillTimer(window, 1), 0);
    EXPECT_EQ(KillTimer(window, 99), 0);
    Expect({{0, {2}}, {1000, {2}}});
}

TEST_F(TimerTest, SetTimerNeedsALiveWindowAndNoCallback)
{
    StartAt(0);
    int callback = 0;
    EXPECT_EQ(SetTimer(window, 1, 1000, &callback), 0u);
    EXPECT_EQ(SetTimer(nullptr, 1, 1000, nullptr), 0u);
    ASSERT_EQ(DestroyWindow(window), 1);
    EXPECT_EQ(SetTimer(window, 1, 1000, nullptr), 0u);
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(Take().message, 0u);
}
