// The score file "scores.brd": three-line records of name, rank title and score.
#pragma once

// Appends the player's record; non-zero on success, 0 on failure (a later call tries again).
int SaveScore();
