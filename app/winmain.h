// The program's entry point: registers the window class, makes the window, sets the game up and
// runs the main loop, one waiting message and one screen frame per pass, until the quit message.
#pragma once

#include "platform/win_types.h"

// Returns 0 when the window class or the window cannot be made, else the quit message's wParam.
// Only the instance is used.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, char* commandLine, int showCommand);
