// The window stand-ins: window class registration, the one 640 x 480 SDL window behind an HWND,
// the icon, cursor and stock-object handles that a window class record names.
#pragma once

#include "platform/icon.h"
#include "platform/win_types.h"

// At most this many classes and windows exist at once; the game uses one of each.
constexpr int PLATFORM_MAX_CLASSES = 4;
constexpr int PLATFORM_MAX_WINDOWS = 4;

// ---- process lifetime ----
// The program's only window; set by the entry point as soon as the window exists, before the
// game is set up. The display, the sound set-up, the screens and the respawn timer use it.
extern HWND MainWindow;

// The instance handle that the entry point passes to WinMain.
HINSTANCE PlatformInstance();

// Registers a class. Fails (0) when the record's size is wrong, it has no procedure or name, or a
// class of that name is already registered. Returns the class atom.
ATOM RegisterClassEx(const WNDCLASSEX* windowClass);
BOOL UnregisterClass(const char* className, HINSTANCE instance);
// Copies the registered record of a class; 0 when no class has that name.
BOOL GetClassInfoEx(HINSTANCE instance, const char* className, WNDCLASSEX* out);

// What PlatformWindowError says when no display answered: SDL fell back on a video driver that
// shows nothing without the user asking for it in SDL_VIDEODRIVER (as tests do).
constexpr const char* PLATFORM_NO_DISPLAY = "no display found";

// Makes a window of a registered class as an SDL window (WS_POPUP: borderless; WS_VISIBLE: shown)
// and sends it WM_CREATE. Returns no window (nullptr) when the class is unknown, no display is
// found, or SDL's video cannot start or make the window; PlatformWindowError says which.
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, void* menu, HINSTANCE instance,
                    void* createParam);
// Why the latest CreateWindowEx made no window (PLATFORM_NO_DISPLAY, or SDL's own words); ""
// after one that made its window.
const char* PlatformWindowError();
// 1 while the handle names a window that exists.
BOOL IsWindow(HWND window);
// The window's place and size on the desktop.
BOOL GetWindowRect(HWND window, RECT* rect);

// The built-in icon for ICON_RESOURCE_HELIX; no icon for any other id.
HICON LoadIcon(HINSTANCE instance, int resourceId);
// The system arrow for IDC_ARROW; no cursor for any other id.
HCURSOR LoadCursor(HINSTANCE instance, int cursorId);
// The stock black brush for BLACK_BRUSH; none for other objects.
HBRUSH GetStockObject(int object);

// Raises (show) or lowers the cursor's display count and returns the new count; the mouse cursor
// is visible over the window while the count is 0 or more.
int ShowCursor(BOOL show);

// ---- for the platform layer itself ----
// The procedure of a live window's class; nullptr for a handle that names no window.
WNDPROC PlatformWindowProcedure(HWND window);

// Closes a live window's SDL window without a message; nothing for a handle that names none.
// DestroyWindow (the message queue's) calls it after the window's WM_DESTROY.
void PlatformWindowClose(HWND window);
// Closes every window without messages, forgets the classes, the icon and the cursor count, and
// stops SDL's video if a window started it. Part of PlatformShutdown.
void PlatformWindowShutdown();
