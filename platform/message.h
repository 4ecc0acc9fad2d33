// The thread's message queue: SDL's events and due timers become Win32-style messages, taken one
// at a time without blocking, translated, dispatched to the window procedure, or posted by the
// program. This module alone touches the queue, so what ends a window or a timer lives here too.
#pragma once

#include "platform/win_types.h"

// Posted messages waiting at once; PostMessage fails when the queue is full.
constexpr int MESSAGE_QUEUE_SIZE = 1024;

// Pumps SDL's events into the queue (key messages, WM_CHAR for typed printable Latin-1
// characters, WM_CLOSE for the window's close button) and the gamepads' into the key table, posts
// due timer ticks, then hands out the
// first message that matches the filter (window nullptr: any; minMsg = maxMsg = 0: any number).
// Never blocks. Returns 1 when a message was copied to msg, 0 when none waits. PM_REMOVE takes
// the message out of the queue.
BOOL PeekMessage(MSG* msg, HWND window, UINT minMsg, UINT maxMsg, UINT removeFlag);

// For a key press of Enter, Backspace or Escape, puts WM_CHAR 13, 8 or 27 at the head of the
// queue, so it is the next message taken. Printable characters come from SDL's text input
// instead. Returns 1 when a character message was made.
BOOL TranslateMessage(const MSG* msg);

// Calls the procedure of the message's window and returns its result; 0 for a message without a
// live window.
LRESULT DispatchMessage(const MSG* msg);

// Calls the window's procedure at once; 0 when the window does not exist.
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Appends a message for a live window (or a thread message, window nullptr) to the queue.
// Fails (0) for a window that does not exist or when the queue is full.
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks the loop to end: a WM_QUIT with this exit code joins the end of the queue.
void PostQuitMessage(int exitCode);

// Stops the timer (platform/timer.h's SetTimer starts it) and drops its tick if one still waits
// in the queue: a stale tick would reach code that believes the timer stopped. Returns 0 when no
// such timer runs.
BOOL KillTimer(HWND window, UINT_PTR id);

// Sends WM_DESTROY, stops the window's timers, drops its queued messages and closes it.
BOOL DestroyWindow(HWND window);

// The default handling: WM_CLOSE destroys the window (its procedure then gets WM_DESTROY);
// everything else is ignored. Returns 0.
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Painting brackets for WM_PAINT; nothing is drawn through them.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);

// Called on Alt+Enter key presses (the display uses it to switch between full screen and a
// window); no character or key message is made for them.
void PlatformSetAltEnterHandler(void (*handler)());
// Called when the window system asks for a window to be drawn again (the display, which sends
// only what changed, then sends its whole picture once more); WM_PAINT is queued as well.
void PlatformSetExposeHandler(void (*handler)());

// ---- the game in the background ----
// 1 (the start value): the game stands still while its window has lost the input focus or is
// minimised; 0 (the player's --no-pause): it runs on.
extern int PauseWhenInactive;

// Whether the game stands still now: PauseWhenInactive, and the window has reported losing the
// focus or being minimised (its events, as pumped by PeekMessage) and not yet regaining it. The
// program's time (platform/time.h) is stopped for exactly that long.
bool PlatformPaused();
// What the main loop does in place of a frame while paused: sleeps a twentieth of a second, so
// the paused process takes next to nothing of the processor and still answers its window.
void PlatformWaitWhilePaused();

// Ends the platform layer at process end (or between tests): closes every window without
// messages, forgets classes, queued messages, timers and keys, closes the gamepads and stops
// SDL's video and game-controller subsystems.
void PlatformShutdown();

// ---- for the platform layer and tests ----
// Whether a message with this window, number and wParam waits in the queue.
bool MessageQueueHas(HWND window, UINT message, WPARAM wParam);
// Empties the queue, forgets a pending quit and a pause.
void MessageQueueClear();
