// The state of the one game a run plays: every global the screens, the rules and the window
// procedure share, grouped by lifetime, with the named constants beside the arrays they size.
#pragma once

#include "game/sheet_layout.h"
#include "graphics/sprite.h"

// ---- screens ----
constexpr int STATE_OPENING = 0;
constexpr int STATE_TITLE = 1;
constexpr int STATE_PLAY = 2;
constexpr int STATE_SCORES = 3;

// ---- screen geometry ----
constexpr int SCREEN_PIXELS_WIDE = 640;
constexpr int FIELD_WIDTH = 448;         // the play field spans x 0 .. 447; the side panel the rest
constexpr int FIELD_HEIGHT = 480;        // y 0 .. 479
constexpr int PANEL_PICTURE_WIDTH = 128; // face layers and memo pages, centred in the side panel
constexpr int FACE_TOP = 70;             // y of the face layers
constexpr int MEMO_TOP = 198;            // y of the memo pages
constexpr int PIECE_SIZE = 32;           // side of a piece, pixels

// ---- pieces ----
constexpr int PIECE_SLOTS = 12;
constexpr int PIECE_FRAMES = 50;         // frames of an ordinary piece's template
constexpr int SPECIAL_PIECE_FRAMES = 44; // frames of the special piece's template
// A catch that leaves this many slots empty starts the respawn timer.
constexpr int RESPAWN_START_EMPTY = 6;

// ---- catcher ----
constexpr int DIR_DOWN = 0;
constexpr int DIR_RIGHT = 1;
constexpr int DIR_UP = 2;
constexpr int DIR_LEFT = 3;
constexpr int CATCHER_SPEED = 6;         // pixels per frame along the current direction
constexpr int CATCHER_FREEZE_FRAMES = 8; // frames the catcher stands still after a catch
constexpr int CATCHER_START_X = 100;     // where the catcher starts, facing down
constexpr int CATCHER_START_Y = 100;
// Catcher animations: 4 * direction + kind catches an ordinary piece, CATCHER_ANIM_IDLE +
// direction is the plain frame of a direction, CATCHER_ANIM_SPECIAL + direction catches the
// special piece.
constexpr int CATCHER_ANIM_IDLE = 16;
constexpr int CATCHER_ANIM_SPECIAL = 20;
constexpr int CATCHER_ANIM_COUNT = 24;

// ---- codons, face and memo panel ----
constexpr int CODON_LENGTH = 3;
constexpr int FACE_LAYER_COUNT = 4;
constexpr int FACE_FRAME_COUNT = 21;
constexpr int ORDINARY_FACE_FRAMES = 10; // frames 0 .. 9; 10 .. 19 are the special pictures
constexpr int BLANK_FACE_FRAME = 20;
constexpr int MEMO_PAGE_COUNT = 41;
constexpr int MEMO_BASE_PAGE = 40; // shown from the start; named by every codon without a picture
constexpr int FACES_PER_GAME = 9;
constexpr int FACE_EXIT_X = 650; // the sliding face is gone once layer 0 reaches this x

// ---- timers ----
// The window timer that refills empty piece slots, one per tick.
constexpr unsigned int RESPAWN_TIMER_ID = 1;
constexpr unsigned int RESPAWN_PERIOD_MS = 1000;

// ---- name entry and texts ----
// The most characters the player's name takes.
constexpr int NAME_MAX_LENGTH = 20;
constexpr int TEXT_BUFFER_SIZE = 84;

// ==== whole run: built once by the game set-up, given back at shutdown ====
// The play screen's background, 640 x 480, one frame at (0, 0).
extern Sprite BackgroundSprite;
// The divider between field and panel, 16 x 480 at (FieldWidth, 0).
extern Sprite StrandSprite;
// One template per piece kind, parked at (-100, -100) and never drawn; pieces are its clones.
extern Sprite PieceTemplates[PIECE_KIND_COUNT];
// The catcher the player steers, 64 x 64, CATCHER_ANIM_COUNT animations played once.
extern Sprite CatcherSprite;
// The four stacked layers of the face being built, 128 x 128 at (WorldPanelX(), FACE_TOP).
extern Sprite FaceLayers[FACE_LAYER_COUNT];
// Page p of the memo panel is picture p of the memo sheet; all at (WorldPanelX(), MEMO_TOP).
extern Sprite MemoPages[MEMO_PAGE_COUNT];
// Bonus animations: A shows verdicts 1 .. 8, B verdicts 9 .. 13; animation 0 is blank.
extern Sprite BonusSpriteA;
extern Sprite BonusSpriteB;

// Sound ids from the sound loader, -1 until loaded.
extern int SoundStart;
extern int SoundCatch;
extern int SoundCatchSpecial;
extern int SoundFaceNothing;
extern int SoundFaceScored;
extern int SoundBadCodon;
extern int SoundGameOver;

// ==== whole run: the screens ====
// The current screen, STATE_OPENING .. STATE_SCORES. Read by the main loop; written by the
// opening and title screens and by the end of the game. Nothing leaves STATE_SCORES.
extern int GameState;
// Field size in pixels: 0 until the game set-up sets FIELD_WIDTH and FIELD_HEIGHT.
extern int FieldWidth;
extern int FieldHeight;
// Side of the catcher, pixels: its size in clamping and in the placement test.
extern int CatcherSize;

// ==== one game: the field ====
// The piece in each slot: a clone of its kind's template.
extern Sprite Pieces[PIECE_SLOTS];
// Kind of the piece in each slot, 0 .. KIND_SPECIAL.
extern int PieceKind[PIECE_SLOTS];
// 1 = the slot's piece was caught and waits for a respawn: not drawn, animated or tested.
extern unsigned char SlotEmpty[PIECE_SLOTS];
// Slots whose SlotEmpty is 1.
extern int EmptySlotCount;
// The slot the latest respawn tick filled.
extern int RespawnSlot;

// ==== one game: the catcher ====
// DIR_DOWN .. DIR_LEFT: the last arrow key pressed.
extern int CatcherDirection;
// 1 = the catcher moves, is clamped and shows its plain animation; a catch sets 0.
extern unsigned char CatcherActive;
// Play frames since the last catch; at CATCHER_FREEZE_FRAMES the catcher is active again.
extern int FramesSinceCatch;

// ==== one game: codon, face and memo panel ====
// Kinds of the pieces caught for the codon being collected, in the order caught.
extern int Codon[CODON_LENGTH];
// Entries of Codon filled, 0 .. CODON_LENGTH - 1 between frames.
extern int CodonLength;
// The frame last given to each face layer: 0 .. 9 ordinary, 10 .. 19 special.
extern int FaceLayerFrame[FACE_LAYER_COUNT];
// 1 = the layer was given a frame since the last judged face; all four set judges the face.
extern unsigned char FaceLayerSet[FACE_LAYER_COUNT];
// 1 = the memo page is drawn; pages stay shown for the rest of the game.
extern unsigned char MemoShown[MEMO_PAGE_COUNT];

// ==== one game: scores and progress ====
// Points of every judged face; at most 900 in a game.
extern int GameScore;
// Points of the last judged face (0 before the first), shown by the "Face Score" label from the
// frame it is judged until the next face is judged; GameScore takes them when it is judged.
extern int FaceScore;
// Faces judged so far; FACES_PER_GAME ends the game.
extern int FacesCompleted;
// The rank title the end of the game gives; "Nothing" until then.
extern const char* RankTitle;

// ==== one game: the exit of a judged face ====
// 1 from the judging of a face until it has left the panel; the catcher is hidden meanwhile.
extern unsigned char FaceExitActive;
// 1 once the sliding layers were reset to the blank frame in the panel.
extern unsigned char FaceExitDone;
// 0 for the one step between the reset of the layers and the end of the exit.
extern unsigned char FaceExitSettled;

// ==== respawn timer ====
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
// Where the play and score screens format their score lines.
extern char TextBuffer[TEXT_BUFFER_SIZE];

// The left edge of the face and the memo pages: the side panel's picture column, centred (480).
int WorldPanelX();
