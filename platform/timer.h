// Window timers: SetTimer/KillTimer with ticks delivered as WM_TIMER through the message queue,
// timed by the program's time source, at most one tick waiting per timer.
#pragma once

#include "platform/win_types.h"

constexpr int PLATFORM_MAX_TIMERS = 16;
// Shorter periods are raised to this, as on Windows.
constexpr UINT TIMER_MINIMUM_PERIOD = 10;

// Starts (or restarts) timer id of a live window with the given period. Callback procedures are
// not supported: timerProc must be nullptr. Returns the id (1 for id 0), or 0 on failure.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, void* timerProc);

// Stops the timer and drops its tick if one still waits in the queue (a stale tick would reach
// code that believes the timer stopped). Returns 0 when no such timer runs.
BOOL KillTimer(HWND window, UINT_PTR id);

// ---- for the platform layer itself ----
// Posts a WM_TIMER for every timer whose period has passed since its last tick; a timer whose
// tick still waits gets no second one, and its period starts again.
void TimerPostDue();
// Stops every timer of a window (nullptr: of all windows).
void TimerKillAll(HWND window);
