// Shared set-up for the main-loop tests: a fresh world, fresh doubles and the fake clock.
#pragma once

#include "app/winmain.h"
#include "game/world.h"
#include "platform/message.h"
#include "platform/time.h"
#include "platform/window.h"
#include "platform/window_sdl.h"
#include "tests/app/game_doubles.h"
#include "tests/sdl_events.h"

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
};
