// Measures the work of one play-screen frame on the generated data, headless: the whole screen
// drawn, every animation stepped, the catcher steered round the field catching what it meets, the
// score lines and the flip, without the 30 ms wait (the fake clock takes it). BM_FrameWork plays
// in a 640 x 480 window (goal: 0.25 ms or less, median), BM_FrameWorkFullScreen on the whole
// desktop with the default scaling.
#include "bench/game_bench.h"
#include "game/front_screens.h"
#include "game/placement.h"
#include "game/play.h"
#include "game/setup.h"
#include "game/world.h"
#include "platform/keyboard.h"
#include "platform/message.h"
#include "platform/time.h"
#include "support/error_log.h"

#include <benchmark/benchmark.h>

#include <filesystem>

// The catcher turns every this many frames, right, down, left, up, so it sweeps the field.
static constexpr int TURN_FRAMES = 40;

static void PlayFrames(benchmark::State& state, int windowed)
{
    const std::filesystem::path previousDir = BenchGameEnter();
    PlatformUseFakeClock(0);
    SetupSeed = 7;
    SetupWindowed = windowed;
    GameState = STATE_OPENING;
    if (GameInit() == SETUP_FAILED) {
        state.SkipWithError(StartFailure);
        return;
    }
    GameState = STATE_PLAY;
    constexpr int TURNS[] = {VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP};
    int frame = 0;
    for (auto _ : state) {
        const int turn = (frame / TURN_FRAMES) % 4;
        for (int i = 0; i < 4; ++i) {
            KeyboardSetKey(TURNS[i], i == turn);
        }
        PlayFrame();
        ++frame;
        // The respawn timer's ticks come through the queue; refill as the window procedure would.
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER && msg.wParam == RESPAWN_TIMER_ID) {
                RespawnTick();
            }
        }
    }
    KeyboardClear();
    GameShutdown();
    SetupWindowed = 0;
    PlatformUseRealClock();
    std::filesystem::current_path(previousDir);
}

static void BM_FrameWork(benchmark::State& state)
{
    PlayFrames(state, 1);
}
BENCHMARK(BM_FrameWork)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_FrameWorkFullScreen(benchmark::State& state)
{
    PlayFrames(state, 0);
}
BENCHMARK(BM_FrameWorkFullScreen)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
