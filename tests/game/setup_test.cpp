// The game set-up on the generated data and the opening and title screens: what is built, what a
// missing file changes, and that shutdown gives everything back.
#include "game/front_screens.h"
#include "game/score_file.h"
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
#include "tests/temp_dir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

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
    ASSERT_EQ(GameInit(), SETUP_DONE) << SetupError;
    EXPECT_STREQ(SetupError, "");

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
    EXPECT_STREQ(SetupError, "");
    EXPECT_EQ(ScoreCount, 0);
    EXPECT_NE(BonusSpriteB.frames[129], nullptr);
    EXPECT_EQ(SoundStatus(SoundStart), 0);
    EXPECT_EQ(ShowCursor(0), -1) << "the cursor was still shown";
}

TEST_F(SetupTest, OpeningShowsFortyFourFramesThenTheTitleWaitsForSpaceAndEscapeEndsEither)
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
    // The prompt is drawn over the title picture.
    const SDL_Surface *drawn = BackSurface, *title = TitleSprite.frames[0];
    int differing = 0;
    for (int y = 420; y < 440; ++y) {
        for (int x = 240; x < 400; ++x) {
            differing += static_cast<uint8_t*>(drawn->pixels)[y * drawn->pitch + x] !=
                         static_cast<uint8_t*>(title->pixels)[y * title->pitch + x];
        }
    }
    EXPECT_GT(differing, 100);
    EXPECT_FALSE(MessageQueueHas(MainWindow, WM_DESTROY, 0));

    KeyboardSetKey(VK_SPACE, true);
    KeyboardSetKey(VK_ESCAPE, true);
    TitleFrame();
    EXPECT_EQ(GameState, STATE_PLAY);
    EXPECT_TRUE(MessageQueueHas(MainWindow, WM_DESTROY, 0));
}
