// The score file: odd files read by the line rules, broken files completed by a save, failed saves
// that change nothing, and saves of several processes at once that outlive their processes.
#include "game/score_file.h"
#include "tests/temp_dir.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
};

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

// One save of "Rel Tester" over a score file holding `before`, run in a child process so a file
// size limit can cut its record short after `room` bytes when `room` >= 0. Returns the save's
// result, the reason it gave and the file afterwards as "result|reason|file".
static std::string SaveInChild(const std::string& before, long room)
{
    WriteFile(before);
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
        if (room >= 0) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(before.size()) + room;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        SetRecord("Rel Tester", "Nothing", 7);
        const int saved = SaveScore();
        const std::string text = std::to_string(saved) + "|" + ScoreFileError + "|" + ReadFile();
        _exit(write(pipeEnds[1], text.data(), text.size()) == ssize_t(text.size()) ? 0 : 1);
    }
    close(pipeEnds[1]);
    std::string outcome;
    char chunk[4096];
    for (ssize_t got; (got = read(pipeEnds[0], chunk, sizeof chunk)) > 0;) {
        outcome.append(chunk, static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    return outcome;
}

TEST_F(ScoreFileTest, SavesCompleteBrokenFilesAndAFailedSaveSaysWhyAndChangesNothing)
{
    const std::string rel = "Rel Tester\nNothing\n7\n", REL = "Rel Tester|Nothing|7";
    const std::string two = "Alpha\nRankA\n10\nBeta\nRankB\n";
    const std::string crlf = "Ann\r\nPhony Outlaw\r\n0\r\n", ann = "Ann\nPhony Outlaw\n0\n";
    const struct {
        std::string before;
        long room;                      // bytes the disk has left for the save, or -1
        std::string outcome;            // the save's result, its reason and the file afterwards
        std::vector<std::string> table; // read back after a save that worked
    } cases[] = {
        {"", -1, "1||" + rel, {REL}},
        // A last line without its break, or a record cut short: completed before the save.
        {two + "2", -1, "1||" + two + "2\n" + rel, {"Alpha|RankA|10", "Beta|RankB|2", REL}},
        {two, -1, "1||" + two + "\n" + rel, {"Alpha|RankA|10", "Beta|RankB|", REL}},
        {crlf, -1, "1||" + crlf + rel, {"Ann|Phony Outlaw|0", REL}},
        // The part of the record written before the disk filled up is taken back.
        {ann, 5, "0|disk full|" + ann, {}},
        {ann, 0, "0|disk full|" + ann, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before.substr(0, 20) + " room " + std::to_string(c.room));
        EXPECT_EQ(SaveInChild(c.before, c.room), c.outcome);
        if (c.outcome[0] == '1') {
            EXPECT_EQ(LoadScores(), 1);
            ExpectTable(c.table);
        }
    }
}

TEST_F(ScoreFileTest, AFolderOrFifoInTheWayIsRefusedAtOnce)
{
    fs::create_directory(SCORE_FILE_NAME);
    EXPECT_EQ(SaveScore(), 0);
    EXPECT_STREQ(ScoreFileError, "not a regular file");
    fs::remove(SCORE_FILE_NAME);
    ASSERT_EQ(mkfifo(SCORE_FILE_NAME, 0644), 0);
    alarm(10); // a blocking open would end the test here instead of hanging the run
    EXPECT_EQ(LoadScores(), 0);
    EXPECT_STREQ(ScoreFileError, "not a regular file");
    EXPECT_EQ(SaveScore(), 0);
    alarm(0);
    EXPECT_STREQ(ScoreFileError, "not a regular file");
}

// Each process saves its records and is then killed, so no exit handler or stream flush helps.
TEST_F(ScoreFileTest, ConcurrentSavesNeverMixTheirLinesAndOutliveTheProcess)
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
            if (failures == 0) {
                raise(SIGKILL);
            }
            _exit(1);
        }
    }
    for (int p = 0; p < PROCESSES; ++p) {
        int status = 0;
        wait(&status);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "a save failed";
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
