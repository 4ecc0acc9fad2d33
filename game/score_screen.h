// The end of the game and the score screen: rank title, name entry and the recent scores.
#pragma once

// One frame of the score screen (STATE_SCORES).
int ScoreScreenFrame();
