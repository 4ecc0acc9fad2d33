// A whole run as a player makes it: the opening, Space on the title, nine faces played by the
// steering bot, a name typed on the score screen, Enter, and the record in "scores.brd"; Escape
// ends the program.
#include "tests/e2e/game_run.h"

#include "game/rank.h"
#include "game/world.h"

#include <numeric>

TEST_F(GameRunTest, TheBotPlaysNineFacesAndItsRecordIsSaved)
{
    const std::string scoresBefore = FileText("scores.brd");
    ThisRun.name = "Helix Bot";

    EXPECT_EQ(Play(2026), 0);

    const GameLog& log = ThisRun.log;
    ASSERT_LT(log.passes, ThisRun.passLimit) << "the game did not reach its end";
    ASSERT_EQ(log.faces.size(), 9u);
    EXPECT_EQ(FacesCompleted, 9);
    EXPECT_EQ(std::accumulate(log.facePoints.begin(), log.facePoints.end(), 0), GameScore);
    EXPECT_GT(log.refills, 0) << "the respawn timer refilled the field";
    EXPECT_STREQ(RankTitle, RankTitleForScore(GameScore));
    EXPECT_EQ(ScoreSaved, 1);
    EXPECT_EQ(FileText("scores.brd"),
              scoresBefore + "Helix Bot\n" + RankTitle + "\n" + std::to_string(GameScore) + "\n");
}
