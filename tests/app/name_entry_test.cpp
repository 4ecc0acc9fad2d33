// Typing the player's name: entry opens only at the end of the game, keeps printable characters
// up to 20, Backspace removes one, and Enter on the score screen saves once.
#include "tests/app/app_fixture.h"

#include "app/window_proc.h"
#include "platform/message.h"

#include <string>

// Characters as the window procedure receives them: '\b' is Backspace, '\r' Enter.
static void Type(const std::string& text)
{
    for (unsigned char c : text) {
        MainWindowProc(nullptr, WM_CHAR, c, 1);
    }
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
        Type(" Ada\r");
        EXPECT_EQ(NameLength, 0);
        EXPECT_EQ(Doubles.saveCalls, 0) << "state " << state;
        EXPECT_EQ(ScoreSaved, 0);
    }
    OpenAtEndOfGame();
    Type("Ada");
    EXPECT_STREQ(PlayerName, "Ada") << "the title's Space left nothing in the name";
}

TEST_F(NameEntryTest, KeepsTwentyPrintableCharactersAndBackspaceRemovesOne)
{
    const struct {
        const char* keys;
        const char* name;
    } cases[] = {
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRST"},
        {"\b", ""},
        {"AB\b", "A"}, // no blank left behind
        {"AB\bda", "Ada"},
        {"A\x01\t\n\x1b\x7f\xe9", "A\xe9"}, // control characters are never stored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        SetUp();
        OpenAtEndOfGame();
        Type(c.keys);
        EXPECT_STREQ(PlayerName, c.name);
        EXPECT_EQ(NameLength, static_cast<int>(std::string(c.name).size()));
    }
}

TEST_F(NameEntryTest, EnterClosesEntryAndSavesOnceRetryingAFailedSave)
{
    OpenAtEndOfGame();
    Type("Ada");
    Doubles.saveResult = 0;
    Type("\r");
    EXPECT_EQ(ScoreSaved, 0);
    EXPECT_EQ(NameEntryOpen, 0);
    Type("X\b");
    EXPECT_STREQ(PlayerName, "Ada") << "the name is fixed once Enter was pressed";

    Doubles.saveResult = 1;
    Type("\r");
    EXPECT_EQ(ScoreSaved, 1);
    Type("\r");
    EXPECT_EQ(Doubles.saveCalls, 2) << "at most one record a run";
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
