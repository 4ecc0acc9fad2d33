// Measures the frame clock on the real time source: how much processor a 30 ms frame wait
// holds, and how late past its deadline the wait returns.
#include "support/clock.h"

#include "platform/time.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>

static double Seconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// One iteration is one play-screen frame with no work in it: the whole 30 ms is waiting, so the
// processor share is that of the wait alone. The play screen's budget is a few percent at most.
static void BM_ClockWait30(benchmark::State& state)
{
    constexpr std::uint32_t FRAME_MS = 30;
    PlatformUseRealClock();

    // A frame's deadline is the moment the tick counter reaches start + 30, not 30 ms after
    // ClockStart was called (which happens somewhere inside a millisecond). Catching one turn of
    // the counter gives where every later turn falls on CLOCK_MONOTONIC_RAW, the clock under
    // SDL's performance counter on Linux. It also lines the first frame up with a turn, as later
    // ones are.
    std::uint32_t before = ClockGet();
    while (ClockGet() == before) {
    }
    double counterOrigin = Seconds(CLOCK_MONOTONIC_RAW) - ClockGet() * 1e-3;

    double lateness = 0;
    double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    double wallStart = Seconds(CLOCK_MONOTONIC);
    for (auto _ : state) {
        std::uint32_t start = ClockStart();
        benchmark::DoNotOptimize(ClockWait(FRAME_MS));
        double deadline = counterOrigin + static_cast<std::uint32_t>(start + FRAME_MS) * 1e-3;
        lateness += Seconds(CLOCK_MONOTONIC_RAW) - deadline;
    }
    double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    double wall = Seconds(CLOCK_MONOTONIC) - wallStart;

    state.counters["cpu_share"] = wall > 0 ? cpu / wall : 0;
    state.counters["overshoot_us"] = lateness / static_cast<double>(state.iterations()) * 1e6;
}
BENCHMARK(BM_ClockWait30)->Iterations(100)->UseRealTime()->Unit(benchmark::kMillisecond);
