// Window timers: the table behind SetTimer, timed by the program's time source. The message queue
// turns due timers into WM_TIMER messages, at most one waiting per timer, and owns KillTimer,
// which also takes a stopped timer's waiting tick off the queue.
#pragma once

#include "platform/win_types.h"

constexpr int PLATFORM_MAX_TIMERS = 16;
// Shorter periods are raised to this, as on Windows.
constexpr UINT TIMER_MINIMUM_PERIOD = 10;

// Starts (or restarts) timer id of a live window with the given period. Callback procedures are
// not supported: timerProc must be nullptr. Returns the id (1 for id 0), or 0 on failure.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, void* timerProc);

// ---- for the platform layer itself ----
// Stops the timer; false when no such timer runs.
bool TimerStop(HWND window, UINT_PTR id);
// Stops every timer of a window (nullptr: of all windows).
void TimerStopAll(HWND window);
// Finds a timer whose period has passed since its last tick, starts its period again and names
// it; false when none is due. Called until false, it names each due timer once.
bool TimerTakeDue(HWND* window, UINT_PTR* id);
