// The opening logo and title screens, and the orderly shutdown at the end of the run.
#pragma once

// Frames the opening lasts; also the length of the opening logo's one sequence.
constexpr int OPENING_FRAMES = 44;
constexpr unsigned OPENING_FRAME_MS = 120;
constexpr unsigned TITLE_FRAME_MS = 30;

// ==== whole run ====
// Opening frames shown so far; only grows, so the opening is shown once per run.
extern int OpeningFrameCount;

// One frame of the opening logo animation (STATE_OPENING); the 44th hands over to the title and
// destroys the logo. Returns 1.
int OpeningFrame();
// One frame of the title screen (STATE_TITLE); Space starts the game. Returns 1.
int TitleFrame();
// Releases the sprites, the display and the sound, after the main loop has ended or after a
// failed set-up (whatever was not made is skipped). Returns 1.
int GameShutdown();
