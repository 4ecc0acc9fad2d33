// Measures the game's start: GameInit on the generated data (display, sound, every picture cut
// into its sprites, the sounds and the score file) up to the first opening frame on screen.
// Goal: 60 ms or less. Runs in the build tree's data folder.
#include "bench/game_bench.h"
#include "game/front_screens.h"
#include "game/setup.h"
#include "game/world.h"
#include "platform/time.h"
#include "support/error_log.h"

#include <benchmark/benchmark.h>

#include <filesystem>

static void BM_GameInit(benchmark::State& state)
{
    const std::filesystem::path previousDir = BenchGameEnter();
    // The opening frame's 120 ms wait is not start-up work.
    PlatformUseFakeClock(0);
    SetupSeed = 1;
    for (auto _ : state) {
        GameState = STATE_OPENING;
        OpeningFrameCount = 0;
        if (GameInit() == SETUP_FAILED) {
            state.SkipWithError(StartFailure);
            break;
        }
        OpeningFrame();
        state.PauseTiming();
        GameShutdown();
        state.ResumeTiming();
    }
    PlatformUseRealClock();
    std::filesystem::current_path(previousDir);
}
BENCHMARK(BM_GameInit)->Unit(benchmark::kMillisecond)->MinTime(2.0);
