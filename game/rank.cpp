// The rank titles and the scores they start below.
#include "game/rank.h"

#include <array>

#include "game/world.h"

struct RankRow {
    int below; // the row holds scores under this bound and at or over the previous row's
    const char* title;
};

static constexpr std::array<RankRow, RANK_COUNT> Ranks = {{
    {20, "Phony Outlaw"},
    {30, "Quack Scientist"},
    {60, "Controversial Creator"},
    {90, "Intermediate Creator"},
    {110, "Advanced Creator"},
    {130, "Recognized Creator"},
    {150, "Nobel Prize Scientist"},
    {200, "Extremely Wealthy"},
    {300, "You Have Formulas Named After You"},
    {400, "Worshipped by your colleagues and students"},
    {500, "Master of Genetics"},
    {RANK_SCORE_LIMIT, "God to the Smiley Heads"},
}};

const char* RankTitleForScore(int score)
{
    for (const RankRow& row : Ranks) {
        if (score < row.below) {
            return row.title;
        }
    }
    return nullptr;
}

int RankSetTitle(int score)
{
    const char* title = RankTitleForScore(score);
    if (title == nullptr) {
        return 0;
    }
    RankTitle = title;
    return 1;
}
