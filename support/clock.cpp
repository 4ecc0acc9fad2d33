// The millisecond frame clock over the platform's time source.
#include "support/clock.h"

#include "platform/time.h"

std::uint32_t FrameStartTick = 0;

// Below this many milliseconds left, the wait stops sleeping whole milliseconds: a sleep may
// overshoot by a tick or so, and the frame must end as close to its time as the counter allows.
static constexpr std::uint32_t CLOCK_SLEEP_MARGIN_MS = 2;

std::uint32_t ClockGet()
{
    return PlatformTicks();
}

std::uint32_t ClockStart()
{
    FrameStartTick = ClockGet();
    return FrameStartTick;
}

std::uint32_t ClockWait(std::uint32_t frameMs)
{
    for (;;) {
        std::uint32_t elapsed = ClockGet() - FrameStartTick;
        if (elapsed >= frameMs) {
            break;
        }
        std::uint32_t remaining = frameMs - elapsed;
        if (remaining > CLOCK_SLEEP_MARGIN_MS) {
            PlatformSleep(remaining - CLOCK_SLEEP_MARGIN_MS);
        } else {
            PlatformNap();
        }
    }
    return ClockGet();
}
