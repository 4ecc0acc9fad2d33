// What every screen shares: the colours of its text, whether a key is down this frame, and
// Escape, which ends the program from any screen.
#pragma once

#include "support/text.h"

// The screens' text colours.
constexpr COLORREF TEXT_BLACK = RGB(0, 0, 0);
constexpr COLORREF TEXT_RED = RGB(255, 0, 0);
constexpr COLORREF TEXT_GREEN = RGB(0, 255, 0);
constexpr COLORREF TEXT_BLUE = RGB(0, 0, 255);
constexpr COLORREF TEXT_MAGENTA = RGB(255, 0, 255);

// Whether the keyboard or a gamepad holds the key, or a tap of it is latched for this frame.
bool ScreenKeyDown(int vk);

// Asks the main window to close (WM_DESTROY) while Escape is down. The frame that sees it still
// runs to its end; the main loop ends at the quit message the window's destruction posts.
void ScreenEndOnEscape();
