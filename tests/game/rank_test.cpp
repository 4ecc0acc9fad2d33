// Rank titles at the edges of their score ranges.
#include "game/rank.h"

#include <gtest/gtest.h>

#include <string>

#include "game/world.h"

TEST(RankTest, TitleChangesExactlyAtEachBound)
{
    // The first and last rows, and one bound between rows from each side.
    const struct {
        int score;
        const char* title;
    } cases[] = {
        {-5, "Phony Outlaw"},      {19, "Phony Outlaw"},        {20, "Quack Scientist"},
        {109, "Advanced Creator"}, {110, "Recognized Creator"}, {999, "God to the Smiley Heads"},
    };
    for (const auto& c : cases) {
        RankTitle = "Nothing";
        EXPECT_EQ(RankSetTitle(c.score), 1);
        EXPECT_EQ(std::string(RankTitle), c.title) << c.score;
    }
    // Out of reach of nine faces: no row, the title stays.
    RankTitle = "Nothing";
    EXPECT_EQ(RankSetTitle(1000), 0);
    EXPECT_EQ(std::string(RankTitle), "Nothing");
}
