// The one way the rules play a sound effect, keeping a note of it so a test or a state dump can
// tell which sound a rule chose without listening to the mixer.
#pragma once

// ==== whole run ====
// The id the latest RuleSoundPlay was given; -1 before any.
extern int RuleSoundLast;
// Calls of RuleSoundPlay so far.
extern int RuleSoundCount;

// Plays the sound once from its start (SoundPlay without looping) and notes it. The result is
// SoundPlay's: 0 for an id without a loaded sound, which the rules ignore as the game has no
// way to show it.
int RuleSoundPlay(int id);
