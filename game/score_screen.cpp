// The end of the game and the score screen.
#include "game/score_screen.h"

#include <algorithm>
#include <cstdio>

#include "game/rank.h"
#include "game/rule_sound.h"
#include "game/score_file.h"
#include "game/screen.h"
#include "game/world.h"
#include "graphics/display.h"
#include "support/clock.h"
#include "support/text.h"

// The screen's lines, top to bottom: the player's rank, score and name, then either why the save
// failed or, once saved, the table of recent scores under its heading.
static constexpr int LABEL_X = 30;
static constexpr int VALUE_X = 200;
static constexpr int RANK_Y = 30;
static constexpr int SCORE_Y = 50;
static constexpr int NAME_Y = 70;
static constexpr int SAVE_ERROR_Y = 90; // under the name, where the table's heading comes later
static constexpr int TABLE_HEADING_Y = 100;
static constexpr int TABLE_TOP = 120;
static constexpr int TABLE_ROW_HEIGHT = 25;
static constexpr int TABLE_SCORE_X = 400;
static constexpr int EXIT_HINT_X = 400; // "ESC to exit", at the bottom right
static constexpr int EXIT_HINT_Y = 450;

int FinishGame()
{
    RuleSoundPlay(SoundGameOver);
    RankSetTitle(GameScore);
    NameEntryOpen = 1;
    GameState = STATE_SCORES;
    return 1;
}

// The table lists the SCORE_SCREEN_ROWS most recent records, oldest first; rows without a record
// stay empty.
// KEPT: it shows the records read at start, so the game just played is not among them.
static void DrawRecentScores()
{
    DrawTextRGB("Recent Scores: ", LABEL_X, TABLE_HEADING_Y, TEXT_MAGENTA, BackSurface);
    const int first = std::max(0, ScoreCount - SCORE_SCREEN_ROWS);
    for (int row = 0; row < SCORE_SCREEN_ROWS && first + row < ScoreCount; ++row) {
        const ScoreRecord& record = ScoreTable[first + row];
        const int y = TABLE_TOP + TABLE_ROW_HEIGHT * row;
        DrawTextRGB(record.name, LABEL_X, y, TEXT_RED, BackSurface);
        DrawTextRGB(record.rank, VALUE_X, y, TEXT_RED, BackSurface);
        DrawTextRGB(record.score, TABLE_SCORE_X, y, TEXT_RED, BackSurface);
    }
}

int ScoreScreenFrame()
{
    ScreenEndOnEscape();
    ClockStart();
    DisplayFill(BackSurface, 0, nullptr);
    DrawTextRGB("Your rank: ", LABEL_X, RANK_Y, TEXT_BLUE, BackSurface);
    DrawTextRGB(RankTitle, VALUE_X, RANK_Y, TEXT_GREEN, BackSurface);
    DrawTextRGB("Your score: ", LABEL_X, SCORE_Y, TEXT_BLUE, BackSurface);
    std::snprintf(TextBuffer, sizeof TextBuffer, "%d", GameScore);
    DrawTextRGB(TextBuffer, VALUE_X, SCORE_Y, TEXT_BLUE, BackSurface);
    DrawTextRGB("Enter your name:", LABEL_X, NAME_Y, TEXT_BLUE, BackSurface);
    DrawTextRGB(PlayerName, VALUE_X, NAME_Y, TEXT_GREEN, BackSurface);
    // A save that failed says why until one succeeds, so Escape never loses a record unknowingly.
    if (ScoreSaved == 0 && NameEntryOpen == 0 && ScoreFileError[0] != '\0') {
        char line[48 + SCORE_ERROR_SIZE];
        std::snprintf(line, sizeof line, "Could not save the score: %s. Enter tries again.",
                      ScoreFileError);
        DrawTextRGB(line, LABEL_X, SAVE_ERROR_Y, TEXT_RED, BackSurface);
    }
    DrawTextRGB("ESC to exit", EXIT_HINT_X, EXIT_HINT_Y, TEXT_BLUE, BackSurface);
    if (ScoreSaved == 1) {
        DrawRecentScores();
    }
    DisplayFlip();
    ClockWait(SCORE_FRAME_MS);
    return 1;
}
