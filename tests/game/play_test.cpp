// The play screen (steering, the freeze after a catch, several catches a frame, the respawn
// timer's start) and the score screen. Faces built, judged and slid out, and the end of the game,
// are the golden run's.
#include "game/play.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/score_file.h"
#include "game/score_screen.h"
#include "graphics/display.h"
#include "graphics/palette.h"
#include "platform/keyboard.h"
#include "platform/message.h"
#include "platform/time.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "support/text.h"
#include "tests/game/world_fixture.h"

// A world on its first play frame in a live window, on the fake clock, without a display (the
// frames draw nothing, which the rules do not notice).
class PlayTest : public WindowedWorldTest {
protected:
    // Where pieces not to be caught wait: a corner the steering here never reaches.
    static constexpr int PARK_X = 400, PARK_Y = 440;

    void SetUp() override
    {
        WindowedWorldTest::SetUp();
        for (int layer = 0; layer < FACE_LAYER_COUNT; ++layer) {
            FaceLayers[layer] = PlainSprite(WorldPanelX(), FACE_TOP, PANEL_PICTURE_WIDTH,
                                            FACE_FRAME_COUNT, SPRITE_VISIBLE);
            FaceLayers[layer].frameIndex = BLANK_FACE_FRAME;
        }
        std::memset(MemoShown, 0, sizeof MemoShown);
        MemoShown[MEMO_BASE_PAGE] = 1;
        std::memset(Codon, 0, sizeof Codon);
        CodonLength = 0;
        std::memset(FaceLayerFrame, 0, sizeof FaceLayerFrame);
        std::memset(FaceLayerSet, 0, sizeof FaceLayerSet);
        GameScore = FacesCompleted = FaceExitActive = FaceExitDone = NameEntryOpen = 0;
        RankTitle = "Nothing";
        FaceExitSettled = 1;
        GameState = STATE_PLAY;
        for (int slot = 0; slot < PIECE_SLOTS; ++slot) {
            PutPiece(slot, 0, PARK_X, PARK_Y);
        }
        KeyboardClear();
        PlatformUseFakeClock(0);
    }

    void TearDown() override
    {
        KeyboardClear();
        PlatformUseRealClock();
        WindowedWorldTest::TearDown();
    }

    static void PutPiece(int slot, int kind, int x, int y)
    {
        Pieces[slot] = PlainSprite(x, y, PIECE_SIZE, PieceTemplates[kind].frameCount,
                                   SPRITE_CYCLE_FRAMES | SPRITE_VISIBLE);
        PieceKind[slot] = kind;
        if (SlotEmpty[slot] == 1) {
            SlotEmpty[slot] = 0;
            --EmptySlotCount;
        }
    }

    // A piece of this kind in slot 0, right under the catcher, caught by the next frame.
    static void CatchNext(int kind)
    {
        int x, y;
        SpriteGetPosition(&CatcherSprite, &x, &y);
        PutPiece(0, kind, x + 16, y + 16);
        PlayFrame();
        ASSERT_EQ(SlotEmpty[0], 1) << "the piece under the catcher was not caught";
    }
};

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

// The score screen on a headless display whose palette starts with the text colours, so each line
// lands in its own colour's index.
class ScoreScreenTest : public PlayTest {
protected:
    void SetUp() override
    {
        PlayTest::SetUp();
        ASSERT_EQ(DisplayInit(640, 480, 8, 1), 1);
        const PALETTEENTRY colours[] = {
            {0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 0, 255, 0}};
        for (int i = 0; i < PALETTE_SIZE; ++i) {
            PALETTEENTRY grey{128, 128, 128, 0};
            PaletteSetEntry(i, i < 5 ? &colours[i] : &grey);
        }
        GameState = STATE_SCORES;
        RankTitle = "Master of Genetics";
        std::strcpy(PlayerName, "Ada");
        ScoreSaved = 0;
        ScoreCount = SCORE_TABLE_SIZE;
        for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
            ScoreRecord& r = ScoreTable[i];
            std::snprintf(r.name, sizeof r.name, "player%d", i);
            std::snprintf(r.rank, sizeof r.rank, "Quack Scientist");
            std::snprintf(r.score, sizeof r.score, "%d", 20 + i);
        }
    }

    void TearDown() override
    {
        TextShutdown();
        DisplayShutdown();
        PlayTest::TearDown();
    }

    // Where the band has the index, row by row.
    static std::vector<bool> Band(int y, int height, uint8_t index)
    {
        int pitch = 0;
        uint8_t* pixels = DisplayLockSurface(BackSurface, &pitch);
        std::vector<bool> band;
        for (int i = y * pitch; i < (y + height) * pitch; ++i) {
            band.push_back(i % pitch < 640 && pixels[i] == index);
        }
        DisplayUnlockSurface(BackSurface);
        return band;
    }

    static int CountInBand(int y, int height, uint8_t index)
    {
        const std::vector<bool> band = Band(y, height, index);
        return static_cast<int>(std::count(band.begin(), band.end(), true));
    }
};

TEST_F(ScoreScreenTest, TheTableAppearsAfterTheSaveWithTheMostRecentFourteenRecords)
{
    constexpr uint8_t RED = 3, GREEN = 2, MAGENTA = 4;
    constexpr int ROW_0 = 120, ROW_HEIGHT = 25;

    ScoreScreenFrame();
    EXPECT_GT(CountInBand(70, 20, GREEN), 0) << "the name being typed";
    EXPECT_EQ(CountInBand(100, 380, RED) + CountInBand(100, 20, MAGENTA), 0)
        << "no table before the record is saved";
    EXPECT_EQ(PlatformTicks(), SCORE_FRAME_MS) << "the score screen keeps the frame time too";

    // A failed save says so under the name, in red, until a save succeeds.
    NameEntryOpen = 0;
    std::strcpy(ScoreFileError, "read-only");
    ScoreScreenFrame();
    EXPECT_GT(CountInBand(90, 16, RED), 200) << "the failed save's line";
    ScoreFileError[0] = '\0';

    // The oldest of the 15 records falls off the top: the first row shows the second record.
    ScoreSaved = 1;
    ScoreScreenFrame();
    EXPECT_GT(CountInBand(100, 20, MAGENTA), 0);
    EXPECT_GT(CountInBand(ROW_0 + 13 * ROW_HEIGHT, ROW_HEIGHT, RED), 0) << "the fourteenth row";
    const std::vector<bool> firstRow = Band(ROW_0, ROW_HEIGHT, RED);
    DisplayFill(BackSurface, 0, nullptr);
    DrawTextRGB("player1", 30, ROW_0, RGB(255, 0, 0), BackSurface);
    DrawTextRGB("Quack Scientist", 200, ROW_0, RGB(255, 0, 0), BackSurface);
    DrawTextRGB("21", 400, ROW_0, RGB(255, 0, 0), BackSurface);
    EXPECT_EQ(Band(ROW_0, ROW_HEIGHT, RED), firstRow);

    KeyboardSetKey(VK_ESCAPE, true);
    ScoreScreenFrame();
    EXPECT_TRUE(MessageQueueHas(MainWindow, WM_DESTROY, 0));
}
