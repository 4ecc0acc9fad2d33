// The end of the game and the score screen: rank title, name entry and the recent scores.
#pragma once

// Rows of the "Recent Scores: " table: the most recent records read at start, oldest first.
constexpr int SCORE_SCREEN_ROWS = 14;
// Milliseconds a score-screen frame lasts at least, so typing a name does not hold a core busy.
constexpr unsigned SCORE_FRAME_MS = 30;

// Ends the game: the game-over sound, the rank title of GameScore, name entry opened and the
// score screen next. Called by the play frame when the ninth face has left the panel. Returns 1.
int FinishGame();
// One frame of the score screen (STATE_SCORES): Escape, the rank, the score and the name being
// typed, and once the record is saved the table of the most recent scores. Returns 1.
int ScoreScreenFrame();
