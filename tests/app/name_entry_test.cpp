// Typing the player's name: entry opens only at the end of the game, keeps printable characters
// up to 20, Backspace removes one, and Enter on the score screen saves once.
#include "tests/app/app_fixture.h"

#include "app/window_proc.h"
#include "platform/message.h"

#include <string>

static void Type(const std::string& text)
{
    for (unsigned char c : text) {
        MainWindowProc(nullptr, WM_CHAR, c, 1);
    }
}

static void Enter()
{
    MainWindowProc(nullptr, WM_CHAR, 13, 1);
}

static void Backspace()
{
    MainWindowProc(nullptr, WM_CHAR, 8, 1);
}

class NameEntryTest : public AppTest {
protected:
    void OpenAtEndOfGame()
    {
        GameState = STATE_SCORES;
        NameEntryOpen = 1;
    }
};

TEST_F(NameEntryTest, NothingIsTypedOrSavedBeforeTheEndOfTheGame)
{
    for (int state : {STATE_OPENING, STATE_TITLE, STATE_PLAY}) {
        GameState = state;
        Type(" Ada");
        Enter();
        EXPECT_EQ(NameLength, 0);
        EXPECT_EQ(Doubles.saveCalls, 0) << "state " << state;
        EXPECT_EQ(ScoreSaved, 0);
    }
    OpenAtEndOfGame();
    Type("Ada");
    EXPECT_STREQ(PlayerName, "Ada") << "the title's Space left nothing in the name";
}

TEST_F(NameEntryTest, KeepsTheFirstTwentyCharacters)
{
    OpenAtEndOfGame();
    Type("ABCDEFGHIJKLMNOPQRSTUVWXY"); // 25
    EXPECT_EQ(NameLength, 20);
    EXPECT_STREQ(PlayerName, "ABCDEFGHIJKLMNOPQRST");
}

TEST_F(NameEntryTest, BackspaceRemovesTheLastCharacter)
{
    OpenAtEndOfGame();
    Backspace();
    EXPECT_EQ(NameLength, 0);
    EXPECT_EQ(PlayerName[0], '\0');

    Type("AB");
    Backspace();
    EXPECT_EQ(NameLength, 1);
    EXPECT_STREQ(PlayerName, "A") << "no blank is left behind";
    Type("da");
    EXPECT_STREQ(PlayerName, "Ada");
}

TEST_F(NameEntryTest, ControlCharactersAreNeverStored)
{
    OpenAtEndOfGame();
    Type(std::string("A\x01\t\n\x1b\x7f") + "\xe9");
    EXPECT_EQ(NameLength, 2);
    EXPECT_STREQ(PlayerName, "A\xe9");
}

TEST_F(NameEntryTest, EnterSavesOnceAndClosesEntry)
{
    OpenAtEndOfGame();
    Type("Ada");
    Enter();
    EXPECT_EQ(Doubles.saveCalls, 1);
    EXPECT_EQ(ScoreSaved, 1);
    EXPECT_EQ(NameEntryOpen, 0);

    Type("X");
    Backspace();
    Enter();
    EXPECT_STREQ(PlayerName, "Ada");
    EXPECT_EQ(Doubles.saveCalls, 1) << "at most one record a run";
}

TEST_F(NameEntryTest, AFailedSaveIsRetriedByTheNextEnter)
{
    OpenAtEndOfGame();
    Type("Ada");
    Doubles.saveResult = 0;
    Enter();
    EXPECT_EQ(ScoreSaved, 0);
    EXPECT_EQ(NameEntryOpen, 0);
    Type("X");
    EXPECT_STREQ(PlayerName, "Ada") << "the name is fixed once Enter was pressed";

    Doubles.saveResult = 1;
    Enter();
    EXPECT_EQ(Doubles.saveCalls, 2);
    EXPECT_EQ(ScoreSaved, 1);
}

TEST_F(NameEntryTest, TimerMessagesReachRespawnTickOnlyForItsId)
{
    MainWindowProc(nullptr, WM_TIMER, 2, 0);
    EXPECT_EQ(Doubles.respawnTicks, 0);
    MainWindowProc(nullptr, WM_TIMER, RESPAWN_TIMER_ID, 0);
    EXPECT_EQ(Doubles.respawnTicks, 1);
}

TEST_F(NameEntryTest, KeyboardTypingAndEnterThroughTheRealLoop)
{
    OpenAtEndOfGame();
    Doubles.onGameInit = [] {
        PushText(MainWindow, "Zoë");
        PushKey(MainWindow, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, true);
        PushKey(MainWindow, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, false);
        PushText(MainWindow, "e!");
        PushKey(MainWindow, SDL_SCANCODE_RETURN, SDLK_RETURN, true);
        PushKey(MainWindow, SDL_SCANCODE_RETURN, SDLK_RETURN, false);
    };
    Doubles.frameLimit = 30;

    RunWinMain();

    EXPECT_STREQ(PlayerName, "Zoe!");
    EXPECT_EQ(Doubles.saveCalls, 1);
    EXPECT_EQ(ScoreSaved, 1);
}
