// The play screen: steering, catching, codons, faces and the score lines, one frame at a time.
#pragma once

// Milliseconds a play frame lasts at least.
constexpr unsigned PLAY_FRAME_MS = 30;
// Pixels per frame a judged face slides right on its way out of the panel.
constexpr int FACE_EXIT_SPEED = 2;

// One frame of the play screen (STATE_PLAY): Escape, the arrow keys, the whole screen drawn,
// every animation stepped, the catcher moved and held in the field, every live piece under it
// caught, codons decoded, a complete face judged, the judged face slid out (the ninth one ends
// the game), the score lines, the flip and the wait for PLAY_FRAME_MS. Returns 1.
int PlayFrame();
