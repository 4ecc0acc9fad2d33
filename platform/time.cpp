// The program's millisecond time source over SDL's tick counter, and the fake clock for tests.
#include "platform/time.h"

#include <SDL.h>

#include <ctime>

static bool FakeClockOn = false;       // true while a test has the fake clock installed
static std::uint32_t FakeClockNow = 0; // the fake clock's current tick
static bool TimeStopped = false;       // PlatformTimeStop is in force
static std::uint32_t StoppedAt = 0;    // the tick PlatformTicks reads while time is stopped
static std::uint32_t TimeLost = 0;     // source ticks spent stopped, never seen by the program

// The performance counter's reading at the time source's tick 0.
static Uint64 CounterOrigin()
{
    static const Uint64 origin = SDL_GetPerformanceCounter();
    return origin;
}

// The time source itself, running whether or not the program's time is stopped.
static std::uint32_t SourceTicks()
{
    if (FakeClockOn) {
        return FakeClockNow;
    }
    // Not SDL_GetTicks: it truncates the seconds and nanoseconds of its difference separately, so
    // for part of every second it reads a millisecond ahead and a 30 ms frame could end after 29.
    // Whole milliseconds of one counter difference keep every tick exactly 1 ms long.
    const Uint64 perSecond = SDL_GetPerformanceFrequency();
    Uint64 elapsed = SDL_GetPerformanceCounter() - CounterOrigin();
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

void PlatformSleepUntil(std::uint32_t tick)
{
    if (FakeClockOn) {
        const std::uint32_t ahead = tick - PlatformTicks();
        if (ahead <= 0x7FFFFFFFu) { // wrapping: a tick already reached is "far ahead"
            FakeClockNow += ahead;
        }
        return;
    }
    if (TimeStopped) {
        SDL_Delay(1); // no tick comes while time stands still
        return;
    }
    // One counter reading gives both the program's tick now and the counter reading where the
    // wanted tick begins, so a frame's wait is one sleep instead of whole milliseconds and naps.
    const Uint64 perSecond = SDL_GetPerformanceFrequency();
    const Uint64 elapsed = SDL_GetPerformanceCounter() - CounterOrigin();
    const Uint64 sourceTicks = elapsed / perSecond * 1000 + elapsed % perSecond * 1000 / perSecond;
    const std::uint32_t ahead = tick - (static_cast<std::uint32_t>(sourceTicks) - TimeLost);
    if (ahead == 0 || ahead > 0x7FFFFFFFu) {
        return;
    }
    const Uint64 targetTicks = sourceTicks + ahead;
    const Uint64 target =
        targetTicks / 1000 * perSecond + (targetTicks % 1000 * perSecond + 999) / 1000;
    const Uint64 wait = target > elapsed ? target - elapsed : 0;
    timespec pause{static_cast<time_t>(wait / perSecond),
                   static_cast<long>(wait % perSecond * 1'000'000'000 / perSecond)};
    nanosleep(&pause, nullptr);
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
