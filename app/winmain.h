// The program's entry point: registers the window class, makes the window, sets the game up and
// runs the main loop, every waiting message and then one screen frame per pass, until the quit
// message.
#pragma once

#include "platform/win_types.h"

// Returns 0 when the window class or the window cannot be made, EXIT_CANNOT_START when a picture,
// a sound, the display or the font cannot be had (after releasing what was made), else the quit
// message's wParam (0). Only the instance is used.
int WinMain(HINSTANCE instance, HINSTANCE previousInstance, char* commandLine, int showCommand);

// ---- test seam ----
// Called at the end of every pass of the main loop, after the pass's frame (none while the game
// is paused); null (the start value) in the game. End-to-end tests press keys and watch the world
// through it, and end the run the way a player does, with Escape.
extern void (*MainLoopPassHook)();
