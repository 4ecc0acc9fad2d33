// The program's start: runs the game in the current folder, which must hold its pictures, sounds
// and score file, and ends the platform layer after it.
#include <cstdio>

#include "app/winmain.h"
#include "platform/window.h"

int main()
{
    char commandLine[] = "";
    const int result = WinMain(PlatformInstance(), nullptr, commandLine, SW_SHOWNORMAL);
    const bool windowMade = MainWindow != nullptr;
    PlatformShutdown();
    if (!windowMade) {
        std::fprintf(stderr, "helixdash: cannot open the game's 640 x 480 window (is a display "
                             "available?)\n");
        return 1;
    }
    return result;
}
