// What the game's benchmarks share: the game window (headless when there is no display) and the
// build tree's data folder as the working folder while they run.
#pragma once

#include <filesystem>

// Makes the game window on first use, enters the data folder and gives the game an empty score
// file in the temporary folder. Returns the folder to go back to.
std::filesystem::path BenchGameEnter();
