// The frame clock: each screen frame starts it before drawing and waits after the flip until its
// frame time has passed, so a frame lasts at least its time and never less.
#pragma once

#include <cstdint>

// ---- process lifetime ----
// The tick count taken by the latest ClockStart; 0 before the first.
extern std::uint32_t FrameStartTick;

// The current tick count in milliseconds (unsigned 32-bit, wrapping).
std::uint32_t ClockGet();

// Sets FrameStartTick to ClockGet and returns it.
std::uint32_t ClockStart();

// Waits until frameMs milliseconds have passed since the latest ClockStart (measured with an
// unsigned difference, so a wrap of the tick counter in between changes nothing) and returns a
// fresh ClockGet reading taken after the wait. Sleeps in one go to the moment the last tick
// begins, so the processor wakes about once a frame. A frame time of 0, or a frame whose work
// already took longer, returns at once.
std::uint32_t ClockWait(std::uint32_t frameMs);
