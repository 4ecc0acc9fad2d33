// The program's millisecond time source over SDL's tick counter, and the fake clock for tests.
#include "platform/time.h"

#include <SDL.h>

#include <ctime>

static bool FakeClockOn = false;       // true while a test has the fake clock installed
static std::uint32_t FakeClockNow = 0; // the fake clock's current tick
static bool TimeStopped = false;       // PlatformTimeStop is in force
static std::uint32_t StoppedAt = 0;    // the tick PlatformTicks reads while time is stopped
static std::uint32_t TimeLost = 0;     // source ticks spent stopped, never seen by the program

// The time source itself, running whether or not the program's time is stopped.
static std::uint32_t SourceTicks()
{
    if (FakeClockOn) {
        return FakeClockNow;
    }
    // Not SDL_GetTicks: it truncates the seconds and nanoseconds of its difference separately, so
    // for part of every second it reads a millisecond ahead and a 30 ms frame could end after 29.
    // Whole milliseconds of one counter difference keep every tick exactly 1 ms long.
    static const Uint64 origin = SDL_GetPerformanceCounter();
    const Uint64 perSecond = SDL_GetPerformanceFrequency();
    Uint64 elapsed = SDL_GetPerformanceCounter() - origin;
    return static_cast<std::uint32_t>(elapsed / perSecond * 1000 +
                                      elapsed % perSecond * 1000 / perSecond);
}

std::uint32_t PlatformTicks()
{
    return TimeStopped ? StoppedAt : SourceTicks() - TimeLost;
}

void PlatformTimeStop()
{
    if (!TimeStopped) {
        StoppedAt = PlatformTicks();
        TimeStopped = true;
    }
}

void PlatformTimeResume()
{
    if (TimeStopped) {
        TimeLost = SourceTicks() - StoppedAt; // wrapping arithmetic keeps this right
        TimeStopped = false;
    }
}

bool PlatformTimeStopped()
{
    return TimeStopped;
}

// A fresh time source runs, with nothing lost.
static void TimeRunAgain()
{
    TimeStopped = false;
    TimeLost = 0;
}

void PlatformSleep(std::uint32_t ms)
{
    if (FakeClockOn) {
        FakeClockNow += ms;
        return;
    }
    SDL_Delay(ms);
}

void PlatformNap()
{
    if (FakeClockOn) {
        FakeClockNow += 1;
        return;
    }
    // A quarter of a millisecond: short enough that a wait ends within a fraction of a tick
    // after its deadline, long enough that the processor is idle almost all the time.
    timespec pause{0, 250'000};
    nanosleep(&pause, nullptr);
}

void PlatformUseFakeClock(std::uint32_t startTick)
{
    FakeClockOn = true;
    FakeClockNow = startTick;
    TimeRunAgain();
}

void PlatformFakeClockAdvance(std::uint32_t ms)
{
    FakeClockNow += ms;
}

void PlatformUseRealClock()
{
    FakeClockOn = false;
    TimeRunAgain();
}

bool PlatformFakeClockActive()
{
    return FakeClockOn;
}
