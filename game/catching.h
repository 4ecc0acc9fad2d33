// Catching pieces and decoding codons: what a catch does to the slot, the catcher and the sound,
// how the catcher is held in the field, and how three caught kinds give a face layer a picture.
#pragma once

// Takes the slot's piece off the field: the slot empties, the catcher freezes for
// CATCHER_FREEZE_FRAMES frames and plays the catch animation of its direction and the piece's
// kind, and the catch sound plays. Returns 1.
int CatchPiece(int slot);
// Rewinds the catcher's plain animation for its direction. Returns 1.
int SetCatcherIdleAnimation();
// Puts the catcher, at integer position (x, y), back inside minX..maxX by minY..maxY when it has
// reached a bound; otherwise it stays where it is. Returns 1.
int ClampCatcher(int maxX, int minX, int maxY, int minY, int x, int y);
// Decodes a codon of three kinds, in the order caught. Returns the layer result 1 .. 4 (layer + 1)
// and sets frame (0 .. 19, or BLANK_FACE_FRAME when no layer gets a picture) and the memo page to
// show. A codon without a picture plays the bad-codon sound.
int DecodeCodon(const int codon[3], int* frame, int* page);
