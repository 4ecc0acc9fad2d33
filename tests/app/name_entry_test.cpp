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

using NameEntryTest = AppTest;

TEST_F(NameEntryTest, KeepsTwentyPrintableCharactersOnlyAtTheEndOfTheGame)
{
    const struct {
        int state;
        const char* keys;
        const char* name;
    } cases[] = {
        {STATE_PLAY, " Ada\r", ""}, // nothing is typed or saved before the end of the game
        {STATE_SCORES, "ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRST"},
        {STATE_SCORES, "\b", ""},
        {STATE_SCORES, "AB\bda", "Ada"},                  // no blank left behind
        {STATE_SCORES, "A\x01\t\n\x1b\x7f\xe9", "A\xe9"}, // control characters are never stored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        SetUp();
        GameState = c.state;
        NameEntryOpen = c.state == STATE_SCORES;
        Type(c.keys);
        EXPECT_STREQ(PlayerName, c.name);
        EXPECT_EQ(NameLength, static_cast<int>(std::string(c.name).size()));
        EXPECT_EQ(Doubles.saveCalls, 0);
    }
}

TEST_F(NameEntryTest, EnterClosesEntryAndSavesOnceRetryingAFailedSave)
{
    GameState = STATE_SCORES;
    NameEntryOpen = 1;
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
