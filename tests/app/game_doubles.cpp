// Doubles for the game's functions that the main loop and the window procedure call.
#include "tests/app/game_doubles.h"

#include "game/front_screens.h"
#include "game/placement.h"
#include "game/play.h"
#include "game/score_file.h"
#include "game/score_screen.h"
#include "game/setup.h"
#include "platform/keyboard.h"
#include "platform/message.h"
#include "platform/window.h"

GameDoubles Doubles;

void ResetDoubles()
{
    Doubles = GameDoubles{};
}

// Records the call, runs the test's work for it and answers `result`.
static int Call(const char* name, const std::function<void()>& work, int result = 1)
{
    Doubles.calls.push_back(name);
    if (work) {
        work();
    }
    return result;
}

// A screen frame also does what every screen does: Escape ends the program. The test's frame
// budget ends a run that would otherwise go on for ever.
static int Frame(const char* name, const std::function<void()>& work)
{
    ++Doubles.frames;
    if (GetAsyncKeyState(VK_ESCAPE) & 0x8000) {
        PostMessage(MainWindow, WM_DESTROY, 0, 0);
    }
    Call(name, work);
    if (Doubles.frameLimit != 0 && Doubles.frames == Doubles.frameLimit) {
        PostMessage(MainWindow, WM_DESTROY, 0, 0);
    }
    return 1;
}

int GameInit()
{
    return Call("GameInit", Doubles.onGameInit);
}

int GameShutdown()
{
    return Call("GameShutdown", Doubles.onShutdown);
}

int RespawnTick()
{
    ++Doubles.respawnTicks;
    return Call("RespawnTick", nullptr);
}

int SaveScore()
{
    ++Doubles.saveCalls;
    return Call("SaveScore", nullptr, Doubles.saveResult);
}

int OpeningFrame()
{
    return Frame("Opening", Doubles.onOpening);
}

int TitleFrame()
{
    return Frame("Title", Doubles.onTitle);
}

int PlayFrame()
{
    return Frame("Play", Doubles.onPlay);
}

int ScoreScreenFrame()
{
    return Frame("Scores", Doubles.onScores);
}
