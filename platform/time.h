// The one millisecond time source of the program (unsigned 32-bit, wrapping), with sleeping,
// and a fake clock that tests install so time-driven code runs instantly and exactly.
#pragma once

#include <cstdint>

// Milliseconds since the time source started; wraps to 0 after 2^32 ms. Every timed part of the
// program (frame clock, window timers) reads time through here.
std::uint32_t PlatformTicks();

// Stops the program's time: PlatformTicks stands still until PlatformTimeResume, which goes on
// from the same tick, so every timer and frame clock resumes with the time it had left. The game
// stands still this way while its window is in the background. Stopping twice is stopping once.
void PlatformTimeStop();
void PlatformTimeResume();
bool PlatformTimeStopped();

// Sleeps for about ms milliseconds (never spins). On the fake clock it advances the clock by ms.
void PlatformSleep(std::uint32_t ms);

// Sleeps until PlatformTicks reaches tick, in one sleep to the moment that tick begins (a tick
// already reached returns at once). On the fake clock it moves the clock to tick.
void PlatformSleepUntil(std::uint32_t tick);

// A short pause of a fraction of a millisecond, for waits that must end close to a tick
// boundary without holding the processor. On the fake clock it advances the clock by 1 ms.
void PlatformNap();

// ---- test seam: the fake clock ----
// Replaces the real time source with a counter that starts at startTick and moves only through
// PlatformFakeClockAdvance, PlatformSleep and PlatformNap (time running: no stop in force).
void PlatformUseFakeClock(std::uint32_t startTick);
void PlatformFakeClockAdvance(std::uint32_t ms);
// Goes back to the real time source.
void PlatformUseRealClock();
bool PlatformFakeClockActive();
