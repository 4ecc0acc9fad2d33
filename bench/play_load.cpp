// Ten seconds of play on the real clock through the real main loop, headless: the share of one
// core the game takes while it is played, and the process's peak resident memory. Goals: 2.5 % or
// less, 48 MB or less. Full screen (the desktop's size), or a 640 x 480 window with --window. Run
// from the build tree's data folder (or give the folder):
//     build-release/bench/helix_play_load [--window] [data-folder]
#include "app/winmain.h"
#include "game/score_file.h"
#include "game/setup.h"
#include "game/world.h"
#include "platform/keyboard.h"
#include "platform/message.h"
#include "platform/time.h"
#include "platform/window.h"

#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

static constexpr std::uint32_t PLAY_MS = 10000;
// The catcher turns every this many milliseconds, right, down, left, up, so it sweeps the field
// and catches pieces as a player would.
static constexpr std::uint32_t TURN_MS = 700;

static std::uint32_t PlayStartTick = 0;
static bool Playing = false;
static bool PlayEnded = false;
static int PlayFrames = 0;
static rusage PlayStartUsage{};
static rusage PlayEndUsage{};
// The main thread alone (the loop and its frames), without the sound mixer's thread.
static rusage LoopStartUsage{};
static rusage LoopEndUsage{};

static double CpuSeconds(const rusage& u)
{
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

// Space on the title; on the play screen the sweep, then Escape after PLAY_MS.
static void PassHook()
{
    if (GameState == STATE_TITLE) {
        KeyboardSetKey(VK_SPACE, true);
        return;
    }
    if (GameState != STATE_PLAY || PlayEnded) {
        return;
    }
    if (!Playing) {
        Playing = true;
        KeyboardSetKey(VK_SPACE, false);
        PlayStartTick = PlatformTicks();
        getrusage(RUSAGE_SELF, &PlayStartUsage);
        getrusage(RUSAGE_THREAD, &LoopStartUsage);
    }
    ++PlayFrames;
    const std::uint32_t elapsed = PlatformTicks() - PlayStartTick;
    constexpr int TURNS[] = {VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP};
    for (int i = 0; i < 4; ++i) {
        KeyboardSetKey(TURNS[i], i == static_cast<int>(elapsed / TURN_MS % 4));
    }
    if (elapsed >= PLAY_MS) {
        getrusage(RUSAGE_SELF, &PlayEndUsage);
        getrusage(RUSAGE_THREAD, &LoopEndUsage);
        PlayEnded = true;
        KeyboardSetKey(VK_ESCAPE, true);
    }
}

int main(int argc, char** argv)
{
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    const char* dataFolder = HELIX_DATA_DIR;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0) {
            SetupWindowed = 1;
        } else {
            dataFolder = argv[i];
        }
    }
    std::filesystem::current_path(dataFolder);
    // An empty score file of its own, as a first run has: the data folder is only read.
    const std::filesystem::path scores =
        std::filesystem::temp_directory_path() / "helix-play-load-scores.brd";
    std::ofstream(scores, std::ios::trunc).flush();
    std::strcpy(ScoreFilePath, scores.c_str());
    SetupSeed = 7;
    MainLoopPassHook = PassHook;
    char commandLine[] = "";
    const int result = WinMain(PlatformInstance(), nullptr, commandLine, SW_SHOWNORMAL);
    PlatformShutdown();
    rusage end{};
    getrusage(RUSAGE_SELF, &end);
    if (result != 0 || !PlayEnded) {
        std::fprintf(stderr, "helix_play_load: the game did not play for %u ms\n", PLAY_MS);
        return 1;
    }
    const double cpu = CpuSeconds(PlayEndUsage) - CpuSeconds(PlayStartUsage);
    const double loop = CpuSeconds(LoopEndUsage) - CpuSeconds(LoopStartUsage);
    const double seconds = PLAY_MS / 1000.0;
    std::printf("play: %d frames in %.2f s, %.3f s of processor time: %.2f %% of one core "
                "(main loop %.2f %%, %.3f ms a frame)\n",
                PlayFrames, seconds, cpu, 100.0 * cpu / seconds, 100.0 * loop / seconds,
                1000.0 * loop / PlayFrames);
    std::printf("peak resident memory: %.1f MB\n", static_cast<double>(end.ru_maxrss) / 1024.0);
    return 0;
}
