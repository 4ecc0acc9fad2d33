// Face judging: the ordered rule list that sorts a finished face into one of fourteen verdicts,
// the verdict's points and bonus animation, and the sound that tells the player.
#pragma once

#include "game/sheet_layout.h"

// The verdict of a face whose layers show frames a, b, c, d (layers 0 .. 3, each 0 .. 19): the
// first rule that matches wins; VERDICT_NOTHING when none does.
int JudgeVerdict(int a, int b, int c, int d);
// The points a verdict is worth, 0 .. 100.
int JudgeVerdictPoints(int verdict);
// Judges the face of frames[0 .. 3]: adds the verdict's points to FaceScore, starts its bonus
// animation (verdict 0 leaves both bonus sprites as they are) and plays SoundFaceNothing for
// verdict 0, SoundFaceScored for any other. Returns 1.
int JudgeFace(const int frames[4]);
