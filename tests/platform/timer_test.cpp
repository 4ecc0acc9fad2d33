// Tests of the window timers on the fake clock: when ticks come, how they coalesce, and what
// KillTimer and a dead window do to them.
#include "platform_fixture.h"

#include "platform/timer.h"

#include <cstdint>

class TimerTest : public PlatformTest {
protected:
    HWND window = nullptr;

    void StartAt(std::uint32_t tick)
    {
        PlatformUseFakeClock(tick);
        window = MakeWindow();
        ASSERT_NE(window, nullptr);
    }

    // The timer ids of the WM_TIMER messages waiting now, in order, taking them off the queue.
    // Stops after a few more than there are timers, so a timer that ticks on every look cannot
    // keep the test looping.
    std::vector<WPARAM> TakeTicks()
    {
        std::vector<WPARAM> ids;
        MSG m;
        while (ids.size() <= PLATFORM_MAX_TIMERS && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
            EXPECT_EQ(m.message, WM_TIMER);
            EXPECT_EQ(m.hwnd, window);
            ids.push_back(m.wParam);
        }
        return ids;
    }
};

using Ids = std::vector<WPARAM>;

TEST_F(TimerTest, TicksOncePerPeriodAndNotBefore)
{
    StartAt(10'000);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    PlatformFakeClockAdvance(999);
    EXPECT_EQ(TakeTicks(), Ids{});
    PlatformFakeClockAdvance(1);
    EXPECT_EQ(TakeTicks(), Ids{1});
    PlatformFakeClockAdvance(999);
    EXPECT_EQ(TakeTicks(), Ids{});
    PlatformFakeClockAdvance(1);
    EXPECT_EQ(TakeTicks(), Ids{1});
}

TEST_F(TimerTest, PeriodsBelowTheMinimumAreRaised)
{
    StartAt(0);
    ASSERT_EQ(SetTimer(window, 7, 1, nullptr), 7u);
    PlatformFakeClockAdvance(TIMER_MINIMUM_PERIOD - 1);
    EXPECT_EQ(TakeTicks(), Ids{});
    PlatformFakeClockAdvance(1);
    EXPECT_EQ(TakeTicks(), Ids{7});
}

TEST_F(TimerTest, AtMostOneTickWaitsPerTimer)
{
    StartAt(0);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    ASSERT_EQ(SetTimer(window, 2, 1000, nullptr), 2u);
    // A long frame: five periods pass without the queue being looked at.
    PlatformFakeClockAdvance(5000);
    EXPECT_EQ(TakeTicks(), (Ids{1, 2}));

    // A tick seen but not taken is still the only one when the next period ends.
    PlatformFakeClockAdvance(1000);
    MSG m;
    ASSERT_EQ(PeekMessage(&m, window, WM_TIMER, WM_TIMER, PM_NOREMOVE), 1);
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(TakeTicks(), (Ids{1, 2}));
}

TEST_F(TimerTest, KillTimerDropsTheWaitingTickOfThatTimerOnly)
{
    StartAt(0);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    ASSERT_EQ(SetTimer(window, 2, 1000, nullptr), 2u);
    PlatformFakeClockAdvance(1000);
    MSG m;
    ASSERT_EQ(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE), 1) << "both ticks are queued now";

    EXPECT_EQ(KillTimer(window, 1), 1);
    EXPECT_EQ(KillTimer(window, 1), 0);
    EXPECT_EQ(KillTimer(window, 99), 0);
    EXPECT_EQ(TakeTicks(), Ids{2});
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(TakeTicks(), Ids{2});
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
    MSG m;
    EXPECT_EQ(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE), 0);
}

TEST_F(TimerTest, RestartingATimerStartsItsPeriodAgain)
{
    StartAt(0);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    PlatformFakeClockAdvance(600);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    PlatformFakeClockAdvance(400);
    EXPECT_EQ(TakeTicks(), Ids{}) << "the old period's end is forgotten";
    PlatformFakeClockAdvance(600);
    EXPECT_EQ(TakeTicks(), Ids{1});
}

TEST_F(TimerTest, TicksAcrossTheWrapOfTheTickCounter)
{
    StartAt(0xFFFFFFFFu - 300);
    ASSERT_EQ(SetTimer(window, 1, 1000, nullptr), 1u);
    // The deadline has wrapped to 699 while the counter has not yet: no early tick here.
    PlatformFakeClockAdvance(200);
    EXPECT_EQ(TakeTicks(), Ids{});
    PlatformFakeClockAdvance(799); // the counter has wrapped to 698
    EXPECT_EQ(TakeTicks(), Ids{});
    PlatformFakeClockAdvance(1);
    EXPECT_EQ(TakeTicks(), Ids{1});
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(TakeTicks(), Ids{1});
}
