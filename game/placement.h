// Piece placement: where pieces appear at start and how the respawn timer refills empty slots.
// Every random value is one rand() draw, taken in the order the functions below describe, so a
// fixed seed gives the same field every time.
#pragma once

// Draws the kind of a new piece: one draw mod 12, and 7 there gives KIND_SPECIAL (1 in 12);
// otherwise a second draw mod 4 gives an ordinary kind. Returns 1.
int ChoosePieceKind(int* kind);
// Draws a piece's top-left corner in the field: x = draw mod (FieldWidth - 35), then
// y = draw mod (FieldHeight - 35). Returns 1.
int ChoosePiecePosition(int* x, int* y);
// Whether a piece may be placed at (x, y), clear of the zone around the catcher: at start the zone
// is fixed around the catcher's start position, later it follows the catcher. The slot is not
// looked at. The zone's left edge refuses a place, its top edge does not.
bool IsClearOfCatcher(int slot, bool atStart, int x, int y);
// Makes the slot's piece a clone of the kind's template at (x, y), stepping one frame per
// SpriteAnimate. Returns 1.
int SpawnPiece(int slot, int kind, int x, int y);
// Moves a new piece on by one draw mod 44 frames, so pieces do not blink in step. Returns 1.
int RandomisePieceFrame(int slot);
// Fills all PIECE_SLOTS slots, in order, at places clear of the catcher's start position. Run once
// by the game set-up after the templates are built. Returns 1.
int PlaceStartingPieces();
// The respawn timer's tick: refills the lowest empty slot away from the catcher, or stops the
// timer when none is empty (and ends the program when the timer cannot be stopped). Returns 1.
int RespawnTick();
