// The score file: records written and read back byte for byte, odd files, a failed save retried,
// saves of several processes at once, and a save that survives the process being killed.
#include "game/score_file.h"
#include "tests/temp_dir.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

class ScoreFileTest : public ::testing::Test {
protected:
    fs::path home, folder;

    // Each test runs in a fresh folder of its own, where "scores.brd" is its own file.
    void SetUp() override
    {
        home = fs::current_path();
        folder = TestTempDir("helix-scores");
        fs::current_path(folder);
        SetRecord("", "Nothing", 0);
    }

    void TearDown() override
    {
        fs::current_path(home);
        fs::remove_all(folder);
    }

    static void SetRecord(const std::string& name, const char* title, int score)
    {
        std::strncpy(PlayerName, name.c_str(), NAME_MAX_LENGTH);
        PlayerName[NAME_MAX_LENGTH] = '\0';
        NameLength = static_cast<int>(std::strlen(PlayerName));
        RankTitle = title;
        GameScore = score;
    }

    static void WriteFile(const std::string& text)
    {
        std::ofstream(SCORE_FILE_NAME, std::ios::binary) << text;
    }

    static std::string ReadFile()
    {
        std::ifstream in(SCORE_FILE_NAME, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The table holds these records, then empty ones.
    static void ExpectTable(const std::vector<std::string>& records)
    {
        for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
            const ScoreRecord& r = ScoreTable[i];
            EXPECT_EQ(std::string(r.name) + "|" + r.rank + "|" + r.score,
                      i < int(records.size()) ? records[size_t(i)] : "||")
                << "record " << i;
        }
        EXPECT_EQ(ScoreCount, int(records.size()));
    }
};

TEST_F(ScoreFileTest, RecordsAppendAndReadBackWhole)
{
    const std::string longName = "Rosalind E Franklin!";                  // 20 characters
    const char* longTitle = "Worshipped by your colleagues and students"; // 42 characters
    SetRecord(longName, longTitle, 900);
    EXPECT_EQ(SaveScore(), 1);
    SetRecord("AB", "Quack Scientist", 25);
    EXPECT_EQ(SaveScore(), 1);
    EXPECT_EQ(ReadFile(), longName + "\n" + longTitle + "\n900\nAB\nQuack Scientist\n25\n");

    EXPECT_EQ(LoadScores(), 1);
    ExpectTable({longName + "|" + longTitle + "|900", "AB|Quack Scientist|25"});
}

TEST_F(ScoreFileTest, OddFilesReadByTheLineRules)
{
    EXPECT_EQ(LoadScores(), 0) << "no file";
    EXPECT_EQ(ScoreCount, 0);

    // A long file: the fifteen most recent records, oldest first.
    std::ostringstream many;
    std::vector<std::string> lastFifteen;
    for (int i = 0; i < 1000; ++i) {
        many << "p" << i << "\nNothing\n" << i % 901 << "\n";
        if (i >= 1000 - SCORE_TABLE_SIZE) {
            lastFifteen.push_back("p" + std::to_string(i) + "|Nothing|" + std::to_string(i % 901));
        }
    }
    const struct {
        std::string text;
        std::vector<std::string> table;
    } files[] = {
        {"", {}},
        // The last line without a break still counts.
        {"Ann\nPhony Outlaw\n0\nBo\nMaster of Genetics\n450",
         {"Ann|Phony Outlaw|0", "Bo|Master of Genetics|450"}},
        // Over-long lines keep their start, without shifting the lines after them; a record cut
        // short by the end of the file keeps what it has.
        {std::string(30, 'n') + "\n" + std::string(50, 'r') + "\n1234567\nCy\nNothing\n",
         {std::string(20, 'n') + "|" + std::string(42, 'r') + "|12345", "Cy|Nothing|"}},
        {many.str(), lastFifteen},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.text.substr(0, 40));
        WriteFile(f.text);
        EXPECT_EQ(LoadScores(), 1);
        ExpectTable(f.table);
    }
}

TEST_F(ScoreFileTest, FailedSaveWritesNothingAndALaterSaveWorks)
{
    fs::create_directory(SCORE_FILE_NAME); // in the way of the file, even for root
    SetRecord("Greg", "Master of Genetics", 420);
    EXPECT_EQ(SaveScore(), 0);
    EXPECT_EQ(LoadScores(), 0);
    fs::remove(SCORE_FILE_NAME);

    EXPECT_EQ(SaveScore(), 1);
    EXPECT_EQ(ReadFile(), "Greg\nMaster of Genetics\n420\n");

    // A disk that fills up in the middle of the record: the part written is taken back.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = 32; // room for 5 more bytes
        setrlimit(RLIMIT_FSIZE, &limit);
        SetRecord("Hal", "Recognized Creator", 111);
        _exit(SaveScore() == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a short write was not seen";
    EXPECT_EQ(ReadFile(), "Greg\nMaster of Genetics\n420\n");
    SetRecord("Hal", "Recognized Creator", 111);
    EXPECT_EQ(SaveScore(), 1);
    EXPECT_EQ(ReadFile(), "Greg\nMaster of Genetics\n420\nHal\nRecognized Creator\n111\n");
}

TEST_F(ScoreFileTest, ConcurrentSavesNeverMixTheirLines)
{
    constexpr int PROCESSES = 4;
    constexpr int SAVES = 60;
    for (int p = 0; p < PROCESSES; ++p) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int failures = 0;
            for (int i = 0; i < SAVES; ++i) {
                SetRecord("player " + std::to_string(p) + "-" + std::to_string(i),
                          "Extremely Wealthy", 100 * p + i);
                failures += SaveScore() != 1;
            }
            _exit(failures == 0 ? 0 : 1);
        }
    }
    for (int p = 0; p < PROCESSES; ++p) {
        int status = 0;
        wait(&status);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::istringstream file(ReadFile());
    std::set<std::string> seen;
    std::string name, rank, score;
    while (std::getline(file, name) && std::getline(file, rank) && std::getline(file, score)) {
        ASSERT_EQ(rank, "Extremely Wealthy");
        int p = name[7] - '0';
        int i = std::stoi(name.substr(9));
        ASSERT_EQ(name, "player " + std::to_string(p) + "-" + std::to_string(i));
        ASSERT_EQ(score, std::to_string(100 * p + i));
        seen.insert(name);
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(PROCESSES * SAVES));
}

TEST_F(ScoreFileTest, SavedRecordSurvivesTheProcessBeingKilled)
{
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SetRecord("Kim", "Advanced Creator", 95);
        SaveScore();
        raise(SIGKILL); // no exit handlers, no stream flushing
        _exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(ReadFile(), "Kim\nAdvanced Creator\n95\n");
}
