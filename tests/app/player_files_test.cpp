// Tests of where the player's score file lives: the XDG data folder made on the first run, the
// old scores copied once, the --scores file, and a home-less environment.
#include "app/player_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/score_file.h"
#include "tests/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PlayerFilesTest : public ::testing::Test {
protected:
    fs::path root = TestTempDir("player-files");
    fs::path before = fs::current_path();

    void SetUp() override
    {
        setenv("HOME", (root / "home").c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        fs::current_path(root);
    }

    void TearDown() override
    {
        fs::current_path(before);
        fs::remove_all(root);
        std::strcpy(ScoreFilePath, SCORE_FILE_NAME);
    }
};

TEST_F(PlayerFilesTest, OldScoresAreCopiedOnceIntoTheFolderMadeOnTheFirstRun)
{
    const fs::path empty = root / "empty.brd", old = root / "old.brd";
    std::ofstream(empty).flush();
    std::ofstream(old) << "Ada\nGenius\n100\n";
    const char* oldFiles[] = {empty.c_str(), "/nonexistent/scores.brd", old.c_str()};

    setenv("XDG_DATA_HOME", (root / "xdg").c_str(), 1);
    ASSERT_EQ(PlayerScoreFileFind(nullptr, oldFiles, 3), 1);
    const fs::path mine = root / "xdg/helixdash/scores.brd";
    EXPECT_EQ(ScoreFilePath, mine.string());
    EXPECT_EQ(ReadText(mine), "Ada\nGenius\n100\n"); // the first non-empty one
    EXPECT_EQ((fs::status(root / "xdg").permissions() & fs::perms::all), fs::perms::owner_all);

    std::ofstream(old, std::ios::app) << "Bob\nNovice\n1\n";
    std::ofstream(mine, std::ios::app) << "Cy\nNovice\n2\n";
    ASSERT_EQ(PlayerScoreFileFind(nullptr, oldFiles, 3), 1);
    EXPECT_EQ(ReadText(mine), "Ada\nGenius\n100\nCy\nNovice\n2\n"); // never copied over again

    // A relative XDG_DATA_HOME is not the player's; HOME's default folder is. With no old
    // scores the file starts empty.
    setenv("XDG_DATA_HOME", "relative", 1);
    ASSERT_EQ(PlayerScoreFileFind(nullptr, oldFiles, 1), 1);
    EXPECT_EQ(ScoreFilePath, (root / "home/.local/share/helixdash/scores.brd").string());
    EXPECT_EQ(ReadText(ScoreFilePath), "");
}

TEST_F(PlayerFilesTest, ChosenFileMakesNoFolderAndNoHomeMeansTheWorkingFolder)
{
    const fs::path chosen = root / "mine.brd";
    ASSERT_EQ(PlayerScoreFileFind(chosen.c_str(), nullptr, 0), 1);
    EXPECT_EQ(ScoreFilePath, chosen.string());
    EXPECT_TRUE(fs::is_regular_file(chosen));
    EXPECT_FALSE(fs::exists(root / "home"));

    unsetenv("HOME");
    testing::internal::CaptureStderr();
    ASSERT_EQ(PlayerScoreFileFind(nullptr, nullptr, 0), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "helixdash: neither XDG_DATA_HOME nor HOME is set: the scores are kept in the "
              "working folder\n");
    EXPECT_STREQ(ScoreFilePath, SCORE_FILE_NAME);
    EXPECT_TRUE(fs::is_regular_file(root / SCORE_FILE_NAME));
}

} // namespace
