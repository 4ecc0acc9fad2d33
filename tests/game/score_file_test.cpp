// The score file: records written and read back byte for byte, odd files, a failed save retried,
// saves of several processes at once, and a save that survives the process being killed.
#include "game/score_file.h"
#include "tests/temp_dir.h"

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
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

// What one save did to a score file: its result, the reason it gave and the file afterwards.
struct SaveOutcome {
    int result = -1;
    std::string error, file;
};

// Saves "Rel Tester" into a fresh tmpfs mounted over the test's folder in a mount namespace of a
// child's own, so a read-only or full file system can be made without touching the machine's.
// Returns false when this machine does not let the test mount (not root, or in a container).
static bool SaveOnOwnFileSystem(const char* options, bool readOnly, const std::string& before,
                                SaveOutcome* outcome)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const std::string here = fs::current_path().string();
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", here.c_str(), "tmpfs", 0, options) != 0) {
            _exit(77);
        }
        fs::current_path(here); // the mount now covers the folder
        std::ofstream(SCORE_FILE_NAME, std::ios::binary) << before;
        if (readOnly && mount(nullptr, here.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr)) {
            _exit(77);
        }
        std::strcpy(PlayerName, "Rel Tester");
        RankTitle = "Nothing";
        GameScore = 7;
        const int result = SaveScore();
        std::ifstream in(SCORE_FILE_NAME, std::ios::binary);
        const std::string text = std::to_string(result) + "\n" + ScoreFileError + "\n" +
                                 std::string(std::istreambuf_iterator<char>(in), {});
        const ssize_t written = write(pipeEnds[1], text.data(), text.size());
        _exit(written == static_cast<ssize_t>(text.size()) ? 0 : 1);
    }
    close(pipeEnds[1]);
    std::string text;
    char chunk[4096];
    for (ssize_t got; (got = read(pipeEnds[0], chunk, sizeof chunk)) > 0;) {
        text.append(chunk, static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 77) {
        return false;
    }
    const size_t first = text.find('\n'), second = text.find('\n', first + 1);
    outcome->result = std::stoi(text.substr(0, first));
    outcome->error = text.substr(first + 1, second - first - 1);
    outcome->file = text.substr(second + 1);
    return true;
}

TEST_F(ScoreFileTest, BrokenFilesAreCompletedAndFailedSavesSayWhyAndChangeNothing)
{
    const std::string rel = "Rel Tester\nNothing\n7\n";
    const std::string full = std::string(4096 - 9, 'x') + "\nRank\n1\n"; // one whole page
    const struct {
        const char* what;
        const char* mount; // a file system of its own, or nullptr
        bool readOnly;
        std::string before;
        int result;
        const char* error;
        std::string after;
        std::vector<std::string> table; // read back after the save
    } cases[] = {
        {"no last line break",
         nullptr,
         false,
         "Alpha\nRankA\n10\nBeta\nRankB\n2",
         1,
         "",
         "Alpha\nRankA\n10\nBeta\nRankB\n2\n" + rel,
         {"Alpha|RankA|10", "Beta|RankB|2", "Rel Tester|Nothing|7"}},
        {"a record cut short",
         nullptr,
         false,
         "Alpha\nRankA\n10\nBeta\nRankB\n",
         1,
         "",
         "Alpha\nRankA\n10\nBeta\nRankB\n\n" + rel,
         {"Alpha|RankA|10", "Beta|RankB|", "Rel Tester|Nothing|7"}},
        {"Windows line ends",
         nullptr,
         false,
         "Ann\r\nPhony Outlaw\r\n0\r\n",
         1,
         "",
         "Ann\r\nPhony Outlaw\r\n0\r\n" + rel,
         {"Ann|Phony Outlaw|0", "Rel Tester|Nothing|7"}},
        {"read-only file system",
         "size=64k",
         true,
         "Ann\nPhony Outlaw\n0\n",
         0,
         "read-only",
         "Ann\nPhony Outlaw\n0\n",
         {}},
        {"full disk", "size=4k", false, full, 0, "disk full", full, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SaveOutcome outcome;
        if (c.mount != nullptr) {
            if (!SaveOnOwnFileSystem(c.mount, c.readOnly, c.before, &outcome)) {
                std::printf("[ SKIPPED  ] %s: this machine does not let the test mount a file "
                            "system\n",
                            c.what);
                continue;
            }
        } else {
            WriteFile(c.before);
            SetRecord("Rel Tester", "Nothing", 7);
            outcome.result = SaveScore();
            outcome.error = ScoreFileError;
            outcome.file = ReadFile();
        }
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.error, c.error);
        EXPECT_EQ(outcome.file, c.after);
        if (c.result == 1) {
            EXPECT_EQ(LoadScores(), 1);
            ExpectTable(c.table);
        }
    }
}

TEST_F(ScoreFileTest, FailedSaveWritesNothingAndALaterSaveWorks)
{
    // A folder or a FIFO in the way of the file, even for root: refused at once, never waited on.
    SetRecord("Greg", "Master of Genetics", 420);
    fs::create_directory(SCORE_FILE_NAME);
    EXPECT_EQ(SaveScore(), 0);
    EXPECT_STREQ(ScoreFileError, "not a regular file");
    EXPECT_EQ(LoadScores(), 0);
    EXPECT_STREQ(ScoreFileError, "not a regular file");
    fs::remove(SCORE_FILE_NAME);
    ASSERT_EQ(mkfifo(SCORE_FILE_NAME, 0644), 0);
    alarm(10); // a blocking open would end the test here instead of hanging the run
    EXPECT_EQ(LoadScores(), 0);
    EXPECT_EQ(SaveScore(), 0);
    alarm(0);
    EXPECT_STREQ(ScoreFileError, "not a regular file");
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
