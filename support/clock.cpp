// The millisecond frame clock over the platform's time source.
#include "support/clock.h"

#include "platform/time.h"

std::uint32_t FrameStartTick = 0;

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
        // One sleep to the moment the frame's last tick begins; a wake-up a little early (a
        // signal) goes round again.
        PlatformSleepUntil(FrameStartTick + frameMs);
    }
    return ClockGet();
}
