// Tests of the frame clock on the fake time source: a frame lasts exactly its time, never less,
// also across the wrap of the tick counter.
#include "support/clock.h"

#include "platform/time.h"

#include <gtest/gtest.h>

#include <cstdint>

class ClockTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        PlatformUseRealClock();
    }
};

TEST_F(ClockTest, WaitEndsExactlyWhenTheFrameTimeHasPassed)
{
    // Short times matter as much as long ones: the wait switches from sleeping to napping 2 ms
    // before the end, and the screen transitions use 12 ms steps.
    for (std::uint32_t frame : {1u, 2u, 3u, 12u, 30u, 120u}) {
        SCOPED_TRACE(frame);
        PlatformUseFakeClock(5000);
        std::uint32_t start = ClockStart();
        EXPECT_EQ(start, 5000u);
        EXPECT_EQ(FrameStartTick, 5000u);
        EXPECT_EQ(ClockWait(frame), start + frame);
        EXPECT_EQ(ClockGet(), start + frame);
    }

    // The frame's own work counts towards its time.
    PlatformUseFakeClock(100);
    std::uint32_t start = ClockStart();
    PlatformFakeClockAdvance(17);
    EXPECT_EQ(ClockWait(30), start + 30);
}

TEST_F(ClockTest, WaitReturnsAtOnceWhenNothingIsLeftToWait)
{
    PlatformUseFakeClock(2000);
    ClockStart();
    EXPECT_EQ(ClockWait(0), 2000u);
    EXPECT_EQ(ClockGet(), 2000u) << "a zero wait must not sleep";

    // A frame whose work overran is not shortened, and nothing is made up for it.
    PlatformFakeClockAdvance(45);
    EXPECT_EQ(ClockWait(30), 2045u);
    EXPECT_EQ(ClockGet(), 2045u);
    EXPECT_EQ(ClockWait(45), 2045u) << "a frame that took exactly its time";
}

TEST_F(ClockTest, WaitSpanningTheWrapOfTheTickCounterIsFullLength)
{
    PlatformUseFakeClock(0xFFFFFFF0u);
    EXPECT_EQ(ClockStart(), 0xFFFFFFF0u);
    EXPECT_EQ(ClockWait(30), 14u); // 0xFFFFFFF0 + 30 mod 2^32

    // Work that already crossed the wrap before the wait.
    PlatformUseFakeClock(0xFFFFFFFEu);
    ClockStart();
    PlatformFakeClockAdvance(10);
    EXPECT_EQ(ClockWait(30), 28u);
}

// Before the first ClockStart a wait measures from tick 0: a moment after start-up the first wait
// returns at once.
TEST_F(ClockTest, BeforeAnyStartTheWaitMeasuresFromTickZero)
{
    FrameStartTick = 0; // as the program starts; an earlier test may have moved it
    PlatformUseFakeClock(1000);
    EXPECT_EQ(ClockWait(30), 1000u);
    PlatformUseFakeClock(10);
    EXPECT_EQ(ClockWait(30), 30u);
}
