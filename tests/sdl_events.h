// Feeds SDL events to a window the way a player's keyboard and desktop would, for tests that
// drive the message pump.
#pragma once

#include "platform/window_sdl.h"

#include <gtest/gtest.h>

#include <cstring>

inline void PushKey(HWND window, SDL_Scancode scancode, SDL_Keycode sym, bool down,
                    Uint16 mod = KMOD_NONE, Uint8 repeat = 0)
{
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = SDL_GetWindowID(PlatformSdlWindow(window));
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

inline void PushText(HWND window, const char* utf8)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = SDL_GetWindowID(PlatformSdlWindow(window));
    ASSERT_LT(std::strlen(utf8), sizeof e.text.text);
    std::strcpy(e.text.text, utf8);
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

// A window event of SDL's (SDL_WINDOWEVENT_CLOSE, _FOCUS_LOST, _MINIMIZED, ...).
inline void PushWindowEvent(HWND window, Uint8 event)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = SDL_GetWindowID(PlatformSdlWindow(window));
    e.window.event = event;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

inline void PushWindowClose(HWND window)
{
    PushWindowEvent(window, SDL_WINDOWEVENT_CLOSE);
}
