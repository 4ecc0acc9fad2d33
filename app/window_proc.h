// The main window's procedure: the end of the program, the typing of the player's name and the
// respawn timer's tick.
#pragma once

#include "platform/win_types.h"

LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
