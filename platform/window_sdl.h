// The SDL objects behind platform handles, for the modules that draw or play through SDL.
#pragma once

#include "platform/win_types.h"

#include <SDL.h>

// The SDL window of a live window; nullptr for a handle that names none.
SDL_Window* PlatformSdlWindow(HWND window);
// The window whose SDL window has this id; nullptr when none does.
HWND PlatformWindowFromSdlId(Uint32 windowId);
// The picture of an icon handle (owned by the platform layer); nullptr for no icon.
SDL_Surface* PlatformIconSurface(HICON icon);
// Called with the SDL window of a window that is being destroyed, just before it goes, so that
// whatever draws into it (the display's renderer) lets go first. One handler; nullptr for none.
void PlatformSetWindowCloseHandler(void (*handler)(SDL_Window* window));
