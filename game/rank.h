// Rank titles: the title the end of the game gives the player for the game score.
#pragma once

// The titles run from rank 0 (lowest) to RANK_COUNT - 1.
constexpr int RANK_COUNT = 12;
// Scores from here on (out of reach of nine faces) have no row: the title stays as it was.
constexpr int RANK_SCORE_LIMIT = 1000;

// The title of a game score, or nullptr for RANK_SCORE_LIMIT and above.
const char* RankTitleForScore(int score);
// Sets RankTitle to the title of the score; RANK_SCORE_LIMIT and above leave it unchanged.
// Returns 1 when the title was set, 0 when it was left.
int RankSetTitle(int score);
