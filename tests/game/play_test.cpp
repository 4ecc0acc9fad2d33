// The play screen's frame: steering, the edge, the freeze after a catch, Escape. Several catches in
// a frame, the respawn timer's start, faces built, judged and slid out, and the end of the game
// are the golden run's.
#include "game/play.h"

#include "tests/game/world_fixture.h"

// The world on its first play frame, without a display (the frames draw nothing, which the rules
// do not notice).
using PlayTest = WorldTest;

TEST_F(PlayTest, ArrowsSteerTheCatcherWhichKeepsMovingUntilTheEdgeAndFreezesAfterACatch)
{
    PlayFrame();
    EXPECT_EQ(CatcherSprite.x, CATCHER_START_X) << "the catcher stands still before any key";
    EXPECT_EQ(PlatformTicks(), PLAY_FRAME_MS) << "a frame lasts its time";

    KeyboardSetKey(VK_RIGHT, true);
    KeyboardSetKey(VK_UP, true);
    PlayFrame();
    EXPECT_EQ(CatcherDirection, DIR_UP) << "the vertical key wins";
    EXPECT_EQ(CatcherSprite.x, 100);
    EXPECT_EQ(CatcherSprite.y, 94);

    KeyboardClear();
    for (int frame = 0; frame < 30; ++frame) {
        PlayFrame();
    }
    EXPECT_EQ(CatcherSprite.y, 0) << "released keys leave it moving until the edge holds it";
    EXPECT_EQ(CatcherSprite.x, 100);

    // A piece right under the catcher is caught by the next frame.
    KeyboardSetKey(VK_DOWN, true);
    PutPiece(0, 1, 116, 16);
    PlayFrame();
    ASSERT_EQ(SlotEmpty[0], 1);
    EXPECT_EQ(CatcherActive, 0);
    EXPECT_EQ(CatcherSprite.sequenceIndex, 4 * DIR_DOWN + 1) << "the catch animation plays";
    EXPECT_EQ(RuleSoundLast, ID_CATCH);
    for (int frame = 1; frame < CATCHER_FREEZE_FRAMES; ++frame) {
        PlayFrame();
        EXPECT_EQ(CatcherSprite.y, 6) << "still frozen " << frame << " frames after the catch";
        EXPECT_EQ(CatcherSprite.sequenceIndex, 4 * DIR_DOWN + 1);
    }
    PlayFrame();
    EXPECT_EQ(CatcherSprite.y, 12) << "the eighth frame after the catch moves again";
    EXPECT_EQ(CatcherSprite.sequenceIndex, CATCHER_ANIM_IDLE + DIR_DOWN);

    EXPECT_FALSE(MessageQueueHas(MainWindow, WM_DESTROY, 0));
    KeyboardSetKey(VK_ESCAPE, true);
    PlayFrame();
    EXPECT_TRUE(MessageQueueHas(MainWindow, WM_DESTROY, 0));
    EXPECT_EQ(CatcherSprite.y, 18) << "the frame that sees Escape still runs";
}
