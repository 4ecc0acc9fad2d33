// The game window and data folder of the game's benchmarks.
#include "bench/game_bench.h"

#include "platform/message.h"
#include "platform/window.h"

#include <cstdlib>

std::filesystem::path BenchGameEnter()
{
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    std::filesystem::path previousDir = std::filesystem::current_path();
    std::filesystem::current_path(HELIX_DATA_DIR);
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
