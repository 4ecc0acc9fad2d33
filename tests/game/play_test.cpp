// The play screen: steering, the freeze after a catch, several catches a frame, the respawn
// timer's start. Faces built, judged and slid out, and the end of the game, are the golden run's.
#include "game/play.h"

#include "platform/timer.h"
#include "tests/game/world_fixture.h"

// The world on its first play frame, without a display (the frames draw nothing, which the rules
// do not notice).
using PlayTest = WorldTest;

// A piece of this kind in slot 0, right under the catcher, caught by the next frame.
static void CatchNext(int kind)
{
    int x, y;
    SpriteGetPosition(&CatcherSprite, &x, &y);
    WorldTest::PutPiece(0, kind, x + 16, y + 16);
    PlayFrame();
    ASSERT_EQ(SlotEmpty[0], 1) << "the piece under the catcher was not caught";
}

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

    KeyboardSetKey(VK_DOWN, true);
    CatchNext(1);
    EXPECT_EQ(CatcherActive, 0);
    EXPECT_EQ(CatcherSprite.sequenceIndex, 4 * DIR_DOWN + 1) << "the catch animation plays";
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

TEST_F(PlayTest, EveryPieceUnderTheCatcherIsCaughtAndTheSixthEmptySlotStartsTheRespawnTimer)
{
    SlotEmpty[9] = SlotEmpty[10] = SlotEmpty[11] = 1; // caught earlier
    EmptySlotCount = 3;
    PutPiece(2, 2, 110, 110);
    PutPiece(5, 3, 120, 100);

    PlayFrame();
    EXPECT_EQ(SlotEmpty[2], 1);
    EXPECT_EQ(SlotEmpty[5], 1);
    EXPECT_EQ(EmptySlotCount, 5);
    EXPECT_EQ(CodonLength, 2);
    EXPECT_EQ(Codon[0] * 10 + Codon[1], 23);
    EXPECT_EQ(RespawnTimerIdle, 1) << "five empty slots do not start the timer";
    EXPECT_EQ(KillTimer(MainWindow, RESPAWN_TIMER_ID), 0);

    CatchNext(0);
    EXPECT_EQ(EmptySlotCount, 6);
    EXPECT_EQ(RespawnTimerIdle, 0) << "the sixth empty slot starts the refills";
    EXPECT_EQ(KillTimer(MainWindow, RESPAWN_TIMER_ID), 1);
    EXPECT_EQ(CodonLength, 0);
    EXPECT_EQ(FaceLayerFrame[2], 8) << "codon (2, 3, 0) gives layer 2 picture 8";
    EXPECT_EQ(MemoShown[28], 1);
}
