// Rank titles at the edges of their score ranges.
#include "game/rank.h"

#include <gtest/gtest.h>

#include <string>

#include "game/world.h"

TEST(RankTest, TitleChangesExactlyAtEachBound)
{
    const struct {
        int first, last;
        const char* title;
    } rows[] = {
        {-5, 19, "Phony Outlaw"},
        {20, 29, "Quack Scientist"},
        {30, 59, "Controversial Creator"},
        {60, 89, "Intermediate Creator"},
        {90, 109, "Advanced Creator"},
        {110, 129, "Recognized Creator"},
        {130, 149, "Nobel Prize Scientist"},
        {150, 199, "Extremely Wealthy"},
        {200, 299, "You Have Formulas Named After You"},
        {300, 399, "Worshipped by your colleagues and students"},
        {400, 499, "Master of Genetics"},
        {500, 999, "God to the Smiley Heads"},
    };
    for (const auto& row : rows) {
        for (int score : {row.first, row.last}) {
            RankTitle = "Nothing";
            EXPECT_EQ(RankSetTitle(score), 1);
            EXPECT_EQ(std::string(RankTitle), row.title) << score;
        }
    }
    // Out of reach of nine faces: no row, the title stays.
    RankTitle = "Nothing";
    EXPECT_EQ(RankSetTitle(1000), 0);
    EXPECT_EQ(RankSetTitle(250000), 0);
    EXPECT_EQ(std::string(RankTitle), "Nothing");
}
