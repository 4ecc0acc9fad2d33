// The window timers' table, timed by the program's time source.
#include "platform/timer.h"

#include "platform/time.h"
#include "platform/window.h"

struct WindowTimer {
    bool active;
    HWND window;
    UINT_PTR id;
    UINT period;            // milliseconds between ticks
    std::uint32_t lastTick; // time of the latest tick (or of SetTimer)
};

static WindowTimer Timers[PLATFORM_MAX_TIMERS];

static WindowTimer* FindTimer(HWND window, UINT_PTR id)
{
    for (WindowTimer& t : Timers) {
        if (t.active && t.window == window && t.id == id) {
            return &t;
        }
    }
    return nullptr;
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, void* timerProc)
{
    if (!IsWindow(window) || timerProc != nullptr) {
        return 0;
    }
    WindowTimer* timer = FindTimer(window, id);
    for (int i = 0; timer == nullptr && i < PLATFORM_MAX_TIMERS; ++i) {
        if (!Timers[i].active) {
            timer = &Timers[i];
        }
    }
    if (timer == nullptr) {
        return 0;
    }
    *timer = WindowTimer{true, window, id,
                         periodMs < TIMER_MINIMUM_PERIOD ? TIMER_MINIMUM_PERIOD : periodMs,
                         PlatformTicks()};
    return id != 0 ? id : 1;
}

bool TimerStop(HWND window, UINT_PTR id)
{
    WindowTimer* timer = FindTimer(window, id);
    if (timer == nullptr) {
        return false;
    }
    timer->active = false;
    return true;
}

void TimerStopAll(HWND window)
{
    for (WindowTimer& t : Timers) {
        if (window == nullptr || t.window == window) {
            t.active = false;
        }
    }
}

bool TimerTakeDue(HWND* window, UINT_PTR* id)
{
    const std::uint32_t now = PlatformTicks();
    for (WindowTimer& t : Timers) {
        // Unsigned difference: correct across the wrap of the tick counter.
        if (!t.active || now - t.lastTick < t.period) {
            continue;
        }
        t.lastTick = now;
        *window = t.window;
        *id = t.id;
        return true;
    }
    return false;
}
