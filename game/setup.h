// Game set-up: loads every picture and sound, builds every sprite and the starting world.
#pragma once

#include "graphics/sprite.h"

// What GameInit reports.
constexpr int SETUP_DONE = 1; // everything is built; the start sound plays, the cursor is hidden
// The score file could not be read: the game is complete and playable all the same, with an empty
// score table, no start sound and the mouse cursor still shown.
constexpr int SETUP_NO_SCORES = 0;
// A picture, a sound, a sprite, the display or the font could not be had. The reason went to the
// player through ErrorStartFailed; the frames must not run. GameShutdown releases what was made.
constexpr int SETUP_FAILED = -1;

// ==== from GameInit to the end of the opening (or GameShutdown when it is cut short) ====
// The animated logo of the opening screen, 640 x 480, one sequence of OPENING_FRAMES entries.
extern Sprite OpeningSprite;

// ==== from GameInit to GameShutdown ====
// The picture of the title screen, 640 x 480.
extern Sprite TitleSprite;

// ==== whole run ====
// The seed GameInit gives srand: below 0 (the start value) the current time in seconds, as a
// player gets; 0 or more that value, so golden runs and benchmarks see the same field each time.
extern long SetupSeed;
// 1: the display starts in a window (the player's --window); 0 (the start value): full screen.
extern int SetupWindowed;

// The files set-up reads from the data folder: the nine pictures, the seven sounds and the
// display's palette file.
constexpr int SETUP_DATA_FILE_COUNT = 17;
extern const char* const SetupDataFiles[SETUP_DATA_FILE_COUNT];

// Runs once, after the window exists and before the main loop: SETUP_DONE, SETUP_NO_SCORES or
// SETUP_FAILED.
int GameInit();
