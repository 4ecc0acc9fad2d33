// The entry point and main loop: the window before the set-up, every waiting message and one frame
// per pass, no frame while the window is in the background, and the roads that end the program.
// Which screen's frame a pass runs and the respawn timer's ticks are the golden run's; a failed
// set-up's status is the game program tests'.
#include "tests/app/app_fixture.h"

#include "platform/message.h"
#include "platform/timer.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

using Calls = std::vector<std::string>;

TEST_F(AppTest, MakesTheWindowThenRunsGameInitAndTheLoopUntilTheCloseButton)
{
    bool windowReady = false;
    RECT r{};
    Doubles.onGameInit = [&] { windowReady = IsWindow(MainWindow) != 0; };
    Doubles.onOpening = [] {
        if (Doubles.frames == 3) {
            PushWindowClose(MainWindow);
        }
    };
    Doubles.onShutdown = [&] { GetWindowRect(MainWindow, &r); };

    EXPECT_EQ(RunWinMain(), 0);

    EXPECT_TRUE(windowReady) << "MainWindow must exist before GameInit runs";
    EXPECT_EQ(std::pair(r.right - r.left, r.bottom - r.top), std::pair(640, 480))
        << "the display is shut down while its window exists";
    // Pass 4 takes the close, whose destroy posts the quit behind it; the same pass takes WM_QUIT
    // and leaves before any frame.
    EXPECT_EQ(Doubles.calls, (Calls{"GameInit", "Opening", "Opening", "Opening", "GameShutdown"}));
}

TEST_F(AppTest, EachPassHandlesEveryWaitingMessageSoTypingAndEscapeNeverLag)
{
    GameState = STATE_SCORES;
    NameEntryOpen = 1;
    std::vector<int> lengths;
    // 200 characters typed fast (600 events), then a tap of Escape, all before the first frame.
    Doubles.onGameInit = [] {
        for (int i = 0; i < 200; ++i) {
            PushKey(MainWindow, SDL_SCANCODE_A, SDLK_a, true);
            PushText(MainWindow, "a");
            PushKey(MainWindow, SDL_SCANCODE_A, SDLK_a, false);
        }
        PushKey(MainWindow, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, true);
        PushKey(MainWindow, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, false);
    };
    Doubles.onScores = [&] { lengths.push_back(NameLength); };
    Doubles.frameLimit = 50;

    RunWinMain();

    // The first frame sees every character and the tap, and posts WM_DESTROY; the next pass
    // handles it and the quit it brings, and leaves.
    EXPECT_EQ(lengths, (std::vector<int>{NAME_MAX_LENGTH}));
    EXPECT_EQ(Doubles.calls, (Calls{"GameInit", "Scores", "GameShutdown"}));
}

// What a pass saw: the frames run, the game time and the respawn ticks so far.
static std::vector<std::array<int, 3>> Seen;

TEST_F(AppTest, TheGameStandsStillWhileItsWindowIsInTheBackground)
{
    for (int pauseWhenInactive : {1, 0}) { // 0: --no-pause
        SCOPED_TRACE(pauseWhenInactive);
        SetUp();
        PauseWhenInactive = pauseWhenInactive;
        // The respawn timer runs with a second to go; each pass lets 100 ms of real time go by.
        // The focus goes after pass 3 and comes back after pass 23; pass 40 ends the run.
        Doubles.onGameInit = [] { SetTimer(MainWindow, RESPAWN_TIMER_ID, 1000, nullptr); };
        Seen.clear();
        MainLoopPassHook = [] {
            Seen.push_back({Doubles.frames, int(PlatformTicks()), Doubles.respawnTicks});
            PlatformFakeClockAdvance(100);
            if (Seen.size() == 3) {
                PushWindowEvent(MainWindow, SDL_WINDOWEVENT_FOCUS_LOST);
            } else if (Seen.size() == 23) {
                PushWindowEvent(MainWindow, SDL_WINDOWEVENT_FOCUS_GAINED);
            } else if (Seen.size() == 40) {
                PostMessage(MainWindow, WM_DESTROY, 0, 0);
            }
        };
        RunWinMain();
        MainLoopPassHook = nullptr;
        PauseWhenInactive = 1;

        ASSERT_EQ(Seen.size(), 40u);
        if (pauseWhenInactive == 0) {
            EXPECT_EQ(Seen[39][0], 40) << "a frame on every pass";
            EXPECT_EQ(Seen[12][2], 1) << "the timer ran on";
        } else {
            // Passes 4 to 23 run no frame and see neither time nor a timer tick go by; then the
            // game goes on from the tick where it stopped, and the timer has its time left.
            EXPECT_EQ(Seen[22][0], Seen[3][0]);
            EXPECT_EQ(Seen[23][0], Seen[22][0] + 1);
            EXPECT_EQ(Seen[22][1], Seen[3][1]);
            EXPECT_EQ(Seen[24][1] - Seen[23][1], 100);
            EXPECT_EQ(Seen[22][2], 0);
            EXPECT_EQ(Seen[29][2], 0);
            EXPECT_EQ(Seen[39][2], 1) << "a second of game time: 10 passes, 3 before";
        }
        TearDown();
    }
}
