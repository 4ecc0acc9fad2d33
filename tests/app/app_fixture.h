// Shared set-up for the main-loop tests: a fresh world, fresh doubles, the fake clock, and
// helpers that feed SDL events to the window the way a player's keyboard would.
#pragma once

#include "app/winmain.h"
#include "game/world.h"
#include "platform/time.h"
#include "platform/window.h"
#include "platform/window_sdl.h"
#include "tests/app/game_doubles.h"

#include <gtest/gtest.h>

#include <cstring>

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDoubles();
        GameState = STATE_OPENING;
        RespawnTimerIdle = 1;
        NameEntryOpen = 0;
        std::memset(PlayerName, 0, sizeof PlayerName);
        NameLength = 0;
        ScoreSaved = 0;
        PlatformUseFakeClock(1000);
    }

    void TearDown() override
    {
        PlatformShutdown();
        PlatformUseRealClock();
    }

    static int RunWinMain()
    {
        char commandLine[] = "";
        return WinMain(PlatformInstance(), nullptr, commandLine, SW_SHOWNORMAL);
    }

    static void PushKey(SDL_Scancode scancode, SDL_Keycode sym, bool down, Uint16 mod = 0)
    {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.windowID = SDL_GetWindowID(PlatformSdlWindow(MainWindow));
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.scancode = scancode;
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }

    static void PushText(const char* utf8)
    {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = SDL_GetWindowID(PlatformSdlWindow(MainWindow));
        std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
        SDL_PushEvent(&e);
    }

    static void PushWindowClose()
    {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = SDL_WINDOWEVENT_CLOSE;
        e.window.windowID = SDL_GetWindowID(PlatformSdlWindow(MainWindow));
        SDL_PushEvent(&e);
    }
};
