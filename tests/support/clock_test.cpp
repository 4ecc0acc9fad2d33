// Tests of the frame clock on the fake time source: a frame lasts exactly its time, never less,
// also across the wrap of the tick counter.
#include "support/clock.h"

#include "platform/time.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(ClockTest, WaitEndsExactlyWhenTheFrameTimeHasPassed)
{
    struct Case {
        std::uint32_t start; // the tick ClockStart reads
        std::uint32_t work;  // ms the frame's own work took
        std::uint32_t frame; // ms the frame lasts
        std::uint32_t end;   // the tick ClockWait returns at
    };
    // Short frames matter as much as long ones: the wait switches from sleeping to napping 2 ms
    // before the end, and the screen transitions use 12 ms steps. An overrun frame is not
    // shortened, and nothing is made up for it.
    const Case cases[] = {
        {5000, 0, 1, 5001},   {5000, 0, 2, 5002},       {5000, 0, 12, 5012},
        {100, 17, 30, 130},   {2000, 0, 0, 2000},       {2000, 45, 30, 2045},
        {2000, 45, 45, 2045}, {0xFFFFFFF0u, 0, 30, 14}, {0xFFFFFFFEu, 10, 30, 28},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " " << c.work << " " << c.frame);
        PlatformUseFakeClock(c.start);
        EXPECT_EQ(ClockStart(), c.start);
        EXPECT_EQ(FrameStartTick, c.start);
        PlatformFakeClockAdvance(c.work);
        EXPECT_EQ(ClockWait(c.frame), c.end);
        EXPECT_EQ(ClockGet(), c.end);
    }

    PlatformUseRealClock();
}
