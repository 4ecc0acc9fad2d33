// Doubles for the game's set-up, screens and rules, so the main loop and the window procedure can
// be driven by tests: each records its calls and runs whatever the test asks of it.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct GameDoubles {
    std::vector<std::string> calls; // every call in order: "GameInit", "Opening", ...
    int saveResult = 1;             // what SaveScore answers
    int saveCalls = 0, respawnTicks = 0;
    // Run inside the named call (after it is recorded), when set.
    std::function<void()> onOpening, onTitle, onPlay, onScores, onGameInit, onShutdown;
    int frames = 0;     // frame functions called so far
    int frameLimit = 0; // when non-zero, a frame posts WM_DESTROY once this many have run
};

extern GameDoubles Doubles;

// Puts every double back to its start.
void ResetDoubles();
