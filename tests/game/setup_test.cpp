// The game set-up on the generated data and the screens around the play screen: what is built,
// what a missing file changes, that shutdown gives everything back, the opening, the title and
// the score screen.
#include "game/front_screens.h"
#include "game/score_file.h"
#include "game/score_screen.h"
#include "game/setup.h"
#include "game/world.h"
#include "graphics/bitmap.h"
#include "graphics/display.h"
#include "graphics/palette.h"
#include "platform/keyboard.h"
#include "platform/message.h"
#include "platform/time.h"
#include "platform/window.h"
#include "sound/sound.h"
#include "support/clock.h"
#include "support/error_log.h"
#include "support/text.h"
#include "tests/temp_dir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

class SetupTest : public ::testing::Test {
protected:
    fs::path previousDir, workDir;

    void SetUp() override
    {
        previousDir = fs::current_path();
        workDir = TestTempDir("helix-setup");
        for (const fs::directory_entry& entry : fs::directory_iterator(HELIX_DATA_DIR)) {
            fs::copy_file(entry.path(), workDir / entry.path().filename());
        }
        std::ofstream(workDir / SCORE_FILE_NAME).flush(); // as the program makes it on a first run
        fs::current_path(workDir);

        GameState = STATE_OPENING;
        OpeningFrameCount = ScoreCount = 0;
        SetupSeed = 2026;
        WNDCLASSEX c{};
        c.cbSize = sizeof(WNDCLASSEX);
        c.lpfnWndProc = DefWindowProc;
        c.lpszClassName = "WINCLASS1";
        ASSERT_NE(RegisterClassEx(&c), 0);
        MainWindow = CreateWindowEx(0, "WINCLASS1", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                    PlatformInstance(), nullptr);
        ASSERT_NE(MainWindow, nullptr);
    }

    void TearDown() override
    {
        GameShutdown();
        KeyboardClear();
        PlatformShutdown();
        PlatformUseRealClock();
        SetupSeed = -1;
        fs::current_path(previousDir);
        fs::remove_all(workDir);
    }

    // The pixels of a w x h area of an 8-bit surface, row by row.
    static std::vector<uint8_t> Pixels(SDL_Surface* surface, int x, int y, int w, int h)
    {
        std::vector<uint8_t> area;
        for (int row = y; row < y + h; ++row) {
            const uint8_t* start = static_cast<uint8_t*>(surface->pixels) + row * surface->pitch;
            area.insert(area.end(), start + x, start + x + w);
        }
        return area;
    }

    // How many pixels of a band of the screen something was drawn on (the fill is index 0).
    static long Drawn(int y, int height)
    {
        const std::vector<uint8_t> band = Pixels(BackSurface, 0, y, 640, height);
        return static_cast<long>(band.size()) - std::count(band.begin(), band.end(), 0);
    }

    // Whether the sprite's frame holds exactly the cell (column, row) of the picture.
    static bool FrameIsCell(const Sprite& sprite, int frame, const char* picture, int column,
                            int row)
    {
        BitmapImage image{};
        const SDL_Surface* surface = sprite.frames[frame];
        bool same = surface != nullptr && BitmapLoad(&image, picture) == 1;
        const int left = column * (sprite.width + 1) + 1, top = row * (sprite.height + 1) + 1;
        for (int y = 0; same && y < sprite.height; ++y) {
            same = std::memcmp(image.pixels + (top + y) * image.infoHeader.biWidth + left,
                               static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch,
                               static_cast<size_t>(sprite.width)) == 0;
        }
        BitmapUnload(&image);
        return same;
    }
};

TEST_F(SetupTest, BuildsEverySpriteFromItsCellsAndShutdownGivesItAllBack)
{
    ASSERT_EQ(GameInit(), SETUP_DONE) << StartFailure;
    EXPECT_STREQ(StartFailure, "");

    // Frames come from the right cells: counted row by row, a special face row, the last cell,
    // the second bonus sprite after the first one's 208 cells.
    EXPECT_TRUE(FrameIsCell(OpeningSprite, 7, "BrindleTile.BMP", 1, 2));
    EXPECT_TRUE(FrameIsCell(FaceLayers[2], 13, "FaceTile.BMP", 3, 6));
    EXPECT_TRUE(FrameIsCell(CatcherSprite, 139, "CatcherTile.BMP", 6, 19));
    EXPECT_TRUE(FrameIsCell(BonusSpriteB, 5, "bonusTile.BMP", 5, 8));

    BitmapImage bonus{};
    ASSERT_EQ(BitmapLoad(&bonus, "bonusTile.BMP"), 1);
    EXPECT_EQ(std::memcmp(PaletteEntries, bonus.palette, sizeof PaletteEntries), 0);
    BitmapUnload(&bonus);

    EXPECT_EQ(SoundStatus(SoundStart) & DSBSTATUS_PLAYING, SoundDevice ? DSBSTATUS_PLAYING : 0);
    EXPECT_EQ(ShowCursor(1), 0) << "the cursor was hidden once";
    ShowCursor(0);

    GameShutdown();
    for (const Sprite* sprite :
         {&OpeningSprite, &TitleSprite, &BackgroundSprite, &StrandSprite, &CatcherSprite,
          &MemoPages[40], &FaceLayers[3], &PieceTemplates[4], &BonusSpriteB}) {
        EXPECT_EQ(sprite->frames[0], nullptr);
    }
    EXPECT_EQ(BackSurface, nullptr);
    EXPECT_EQ(SoundStatus(SoundStart), -1);
}

TEST_F(SetupTest, WithoutScoreOrPaletteFileTheGameIsBuiltButTheStartSoundAndCursorStay)
{
    fs::remove("scores.brd");
    fs::remove("mainPalette.PAL");
    EXPECT_EQ(GameInit(), SETUP_NO_SCORES);
    EXPECT_STREQ(StartFailure, "");
    EXPECT_EQ(ScoreCount, 0);
    EXPECT_NE(BonusSpriteB.frames[129], nullptr);
    EXPECT_EQ(SoundStatus(SoundStart), 0);
    EXPECT_EQ(ShowCursor(0), -1) << "the cursor was still shown";
}

TEST_F(SetupTest, OpeningTitleAndScoreScreensRunTheirFramesAndEachEndsOnEscape)
{
    ASSERT_EQ(GameInit(), SETUP_DONE);
    PlatformUseFakeClock(5000);
    KeyboardSetKey(VK_ESCAPE, true); // ends the program, and the frame still runs
    OpeningFrame();
    EXPECT_TRUE(MessageQueueHas(MainWindow, WM_DESTROY, 0));
    EXPECT_EQ(OpeningFrameCount, 1);
    KeyboardClear();
    MessageQueueClear();
    for (int frame = 2; frame < OPENING_FRAMES; ++frame) {
        OpeningFrame();
    }
    EXPECT_EQ(GameState, STATE_OPENING);
    EXPECT_NE(OpeningSprite.frames[0], nullptr);
    OpeningFrame();
    EXPECT_EQ(GameState, STATE_TITLE);
    EXPECT_EQ(OpeningSprite.frames[0], nullptr) << "the opening gives its logo back";
    EXPECT_GE(ClockGet() - 5000, OPENING_FRAMES * OPENING_FRAME_MS);

    TitleFrame();
    EXPECT_EQ(GameState, STATE_TITLE);
    EXPECT_NE(Pixels(BackSurface, 240, 420, 160, 20),
              Pixels(TitleSprite.frames[0], 240, 420, 160, 20))
        << "the prompt is drawn over the title picture";
    EXPECT_FALSE(MessageQueueHas(MainWindow, WM_DESTROY, 0));

    KeyboardSetKey(VK_SPACE, true);
    KeyboardSetKey(VK_ESCAPE, true);
    TitleFrame();
    EXPECT_EQ(GameState, STATE_PLAY);
    EXPECT_TRUE(MessageQueueHas(MainWindow, WM_DESTROY, 0));

    // The score screen shows the most recent fourteen records only once the record is saved.
    constexpr int ROW_0 = 120, ROW_HEIGHT = 25;
    KeyboardClear();
    MessageQueueClear();
    PlatformUseFakeClock(0);
    GameState = STATE_SCORES;
    NameEntryOpen = 1;
    ScoreCount = SCORE_TABLE_SIZE;
    for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
        ScoreRecord& r = ScoreTable[i];
        std::snprintf(r.name, sizeof r.name, "player%d", i);
        std::snprintf(r.rank, sizeof r.rank, "Quack Scientist");
        std::snprintf(r.score, sizeof r.score, "%d", 20 + i);
    }
    ScoreScreenFrame();
    EXPECT_EQ(Drawn(100, 340), 0) << "no table before the record is saved";
    EXPECT_EQ(PlatformTicks(), SCORE_FRAME_MS) << "the score screen keeps the frame time too";

    // A failed save says so under the name until a save succeeds.
    NameEntryOpen = 0;
    std::strcpy(ScoreFileError, "read-only");
    ScoreScreenFrame();
    EXPECT_GT(Drawn(90, 10), 200) << "the failed save's line";
    ScoreFileError[0] = '\0';

    // The oldest of the 15 records falls off the top: the first row shows the second record.
    ScoreSaved = 1;
    ScoreScreenFrame();
    EXPECT_GT(Drawn(ROW_0 + 13 * ROW_HEIGHT, ROW_HEIGHT), 0) << "the fourteenth row";
    const std::vector<uint8_t> firstRow = Pixels(BackSurface, 0, ROW_0, 640, ROW_HEIGHT);
    DisplayFill(BackSurface, 0, nullptr);
    DrawTextRGB("player1", 30, ROW_0, RGB(255, 0, 0), BackSurface);
    DrawTextRGB("Quack Scientist", 200, ROW_0, RGB(255, 0, 0), BackSurface);
    DrawTextRGB("21", 400, ROW_0, RGB(255, 0, 0), BackSurface);
    EXPECT_EQ(Pixels(BackSurface, 0, ROW_0, 640, ROW_HEIGHT), firstRow);

    KeyboardSetKey(VK_ESCAPE, true);
    ScoreScreenFrame();
    EXPECT_TRUE(MessageQueueHas(MainWindow, WM_DESTROY, 0));
}
