// Game set-up: loads every picture and sound, builds every sprite and the starting world.
#pragma once

// Runs once, after the window exists and before the main loop. 1 on success.
int GameInit();
