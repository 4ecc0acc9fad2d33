// The opening logo and title screens, and the orderly shutdown at the end of the run.
#pragma once

// One frame of the opening logo animation (STATE_OPENING).
int OpeningFrame();
// One frame of the title screen (STATE_TITLE); Space starts the game.
int TitleFrame();
// Releases the sprites, the display and the sound, after the main loop has ended.
int GameShutdown();
