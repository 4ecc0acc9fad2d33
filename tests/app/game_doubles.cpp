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

// What every screen frame does around its own work: Escape ends the program, and the test's
// frame budget ends a run that would otherwise go on for ever.
static int Frame(const char* name, const std::function<void()>& work)
{
    Doubles.calls.push_back(name);
    ++Doubles.frames;
    if (Doubles.escapePolling && (GetAsyncKeyState(VK_ESCAPE) & 0x8000)) {
        PostMessage(MainWindow, WM_DESTROY, 0, 0);
    }
    if (work) {
        work();
    }
    if (Doubles.frameLimit != 0 && Doubles.frames == Doubles.frameLimit) {
        PostMessage(MainWindow, WM_DESTROY, 0, 0);
    }
    return 1;
}

int GameInit()
{
    Doubles.calls.push_back("GameInit");
    if (Doubles.onGameInit) {
        Doubles.onGameInit();
    }
    return Doubles.initResult;
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

int GameShutdown()
{
    Doubles.calls.push_back("GameShutdown");
    if (Doubles.onShutdown) {
        Doubles.onShutdown();
    }
    return 1;
}

int RespawnTick()
{
    Doubles.calls.push_back("RespawnTick");
    ++Doubles.respawnTicks;
    return 1;
}

int SaveScore()
{
    Doubles.calls.push_back("SaveScore");
    ++Doubles.saveCalls;
    return Doubles.saveResult;
}
