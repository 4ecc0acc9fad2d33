// The game window and data folder of the game's benchmarks.
#include "bench/game_bench.h"

#include "game/score_file.h"
#include "platform/message.h"
#include "platform/window.h"

#include <cstdlib>
#include <cstring>
#include <fstream>

std::filesystem::path BenchGameEnter()
{
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    std::filesystem::path previousDir = std::filesystem::current_path();
    std::filesystem::current_path(HELIX_DATA_DIR);
    // An empty score file of the benchmarks' own, as a first run has: the data folder is only read.
    const std::filesystem::path scores =
        std::filesystem::temp_directory_path() / "helix-bench-scores.brd";
    std::ofstream(scores, std::ios::trunc).flush();
    std::strcpy(ScoreFilePath, scores.c_str());
    if (MainWindow == nullptr) {
        WNDCLASSEX c{};
        c.cbSize = sizeof(WNDCLASSEX);
        c.lpfnWndProc = DefWindowProc;
        c.lpszClassName = "WINCLASS1";
        RegisterClassEx(&c);
        MainWindow = CreateWindowEx(0, "WINCLASS1", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                    PlatformInstance(), nullptr);
    }
    return previousDir;
}
