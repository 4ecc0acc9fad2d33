// The state of the one game a run plays: every global the screens, the rules and the window
// procedure share, grouped by lifetime, with the named constants beside the arrays they size.
#pragma once

// ---- screens ----
constexpr int STATE_OPENING = 0;
constexpr int STATE_TITLE = 1;
constexpr int STATE_PLAY = 2;
constexpr int STATE_SCORES = 3;

// ---- timers ----
// The window timer that refills empty piece slots, one per tick.
constexpr unsigned int RESPAWN_TIMER_ID = 1;
constexpr unsigned int RESPAWN_PERIOD_MS = 1000;

// ---- name entry ----
// The most characters the player's name takes.
constexpr int NAME_MAX_LENGTH = 20;

// ==== whole run ====
// The current screen, STATE_OPENING .. STATE_SCORES. Read by the main loop; written by the
// opening and title screens and by the end of the game. Nothing leaves STATE_SCORES.
extern int GameState;

// 1 = the respawn timer is not running. The play screen starts it; the tick that finds no empty
// slot stops it; the window procedure stops it at the end of the program only while it runs.
extern unsigned char RespawnTimerIdle;

// ==== score screen and name entry ====
// 1 = typed characters go into PlayerName. Closed until the end of the game opens it; Enter on
// the score screen closes it.
extern unsigned char NameEntryOpen;
// The name typed by the player: at most NAME_MAX_LENGTH characters, always terminated.
extern char PlayerName[NAME_MAX_LENGTH + 1];
// Characters in PlayerName, 0 .. NAME_MAX_LENGTH.
extern int NameLength;
// 1 once the player's record was appended to the score file; it never goes back to 0, so a run
// saves at most one record.
extern unsigned char ScoreSaved;
