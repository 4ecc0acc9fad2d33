// The keys every screen polls the same way: whether a key is down this frame, and Escape, which
// ends the program from any screen.
#pragma once

// Whether the keyboard or a gamepad holds the key, or a tap of it is latched for this frame.
bool ScreenKeyDown(int vk);

// Asks the main window to close (WM_DESTROY) while Escape is down. The frame that sees it still
// runs to its end; the main loop ends at the quit message the window's destruction posts.
void ScreenEndOnEscape();
