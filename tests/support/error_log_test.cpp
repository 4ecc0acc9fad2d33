// Tests of the diagnostic error log: opening and closing lines, the time stamp, message limits,
// and what it does to files and the standard output.
#include "support/error_log.h"

#include "tests/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::string CLOSING = "\nClosing Error Output File.";

std::string ReadFile(const fs::path& path)
{
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Whether text starts with the opening line for the file name, stamped in this century (the
// stamp's own form is the time stamp test's).
bool OpensFor(const std::string& text, const std::string& name)
{
    const std::string start = "\nOpening Error Output File (" + name + ") on ";
    const std::size_t end = text.find(", 20");
    return text.rfind(start, 0) == 0 && end != std::string::npos && text[end + 6] == '\n';
}

// Open descriptors of this process, to see that a replaced log file is closed, not leaked.
long OpenDescriptors()
{
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
}

} // namespace

// Each test runs in a fresh directory of its own, so file names stay short (the opening line
// must fit one message) and nothing is left behind.
class ErrorLogTest : public ::testing::Test {
protected:
    fs::path dir = TestTempDir("helix-error-log"), oldDir = fs::current_path();

    void SetUp() override
    {
        fs::current_path(dir);
    }
    void TearDown() override
    {
        ErrorLogClose();
        fs::current_path(oldDir);
        fs::remove_all(dir);
    }
};

TEST_F(ErrorLogTest, ANamedLogIsCreatedAnewWrittenAtOnceAndReplacedByTheNext)
{
    // With no log open, or one that cannot be created, nothing is written anywhere.
    EXPECT_EQ(ErrorLogWrite("\npixel format = %d", 16), 0);
    EXPECT_EQ(ErrorLogClose(), 0);
    EXPECT_EQ(ErrorLogOpen("missing/err.log", nullptr), 0);
    EXPECT_EQ(ErrorLogOpen(nullptr, nullptr), 0);
    EXPECT_EQ(ErrorLogFile, nullptr);
    EXPECT_TRUE(fs::is_empty(dir));

    const long descriptors = OpenDescriptors();
    std::ofstream("err.log") << "left from an earlier run\n";
    ASSERT_EQ(ErrorLogOpen("err.log", nullptr), 1);
    const std::string opening = ReadFile("err.log");
    EXPECT_TRUE(OpensFor(opening, "err.log")) << opening;
    // Each message is in the file at once, as text, cut to 79 characters.
    EXPECT_EQ(ErrorLogWrite("\npixel format = %d", 16), 1);
    EXPECT_EQ(ReadFile("err.log"), opening + "\npixel format = 16");
    EXPECT_EQ(ErrorLogWrite("\n%s", "100% sure %d %s %n"), 1);
    EXPECT_EQ(ErrorLogWrite("\n%d%%", 50), 1);
    EXPECT_EQ(ErrorLogWrite("%s", std::string(100, 'x').c_str()), 1);
    const std::string first =
        opening + "\npixel format = 16\n100% sure %d %s %n\n50%" + std::string(79, 'x');
    EXPECT_EQ(ReadFile("err.log"), first);

    // A second open closes the first file as it is, without a closing line, and does not leak it.
    ASSERT_EQ(ErrorLogOpen("second.log", nullptr), 1);
    EXPECT_EQ(OpenDescriptors(), descriptors + 1);
    EXPECT_EQ(ReadFile("err.log"), first);
    EXPECT_EQ(ErrorLogWrite("\ntwo"), 1);
    EXPECT_EQ(ErrorLogClose(), 1);
    EXPECT_EQ(OpenDescriptors(), descriptors);
    const std::string second = ReadFile("second.log");
    EXPECT_TRUE(OpensFor(second, "second.log")) << second;
    EXPECT_EQ(second.substr(second.size() - 4 - CLOSING.size()), "\ntwo" + CLOSING);
}

TEST_F(ErrorLogTest, TimeStampIsLocalCtimeWithMillisecondsBeforeTheYear)
{
    const char* oldZone = std::getenv("TZ");
    const std::string kept = oldZone ? oldZone : "";
    char out[64];
    const long long tuesday = 1142327107; // 2006-03-14 09:05:07 UTC
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_STREQ(ErrorLogTimeStamp(out, sizeof out, tuesday, 999),
                 "Tue Mar 14 09:05:07.999, 2006\n");
    EXPECT_STREQ(ErrorLogTimeStamp(out, sizeof out, 1141603199, 0), // 2006-03-05 23:59:59 UTC
                 "Sun Mar  5 23:59:59.0, 2006\n");
    setenv("TZ", "EST5", 1); // five hours behind, no summer time
    tzset();
    EXPECT_STREQ(ErrorLogTimeStamp(out, sizeof out, tuesday, 42), "Tue Mar 14 04:05:07.42, 2006\n");
    oldZone ? setenv("TZ", kept.c_str(), 1) : unsetenv("TZ");
    tzset();
}

TEST_F(ErrorLogTest, ALogOnStandardOutputLeavesItOpen)
{
    ASSERT_EQ(ErrorLogOpen("stdout", stdout), 1);
    EXPECT_EQ(ErrorLogClose(), 1);
    EXPECT_NE(fcntl(STDOUT_FILENO, F_GETFD), -1);
    EXPECT_NE(std::fputs("\n", stdout), EOF);
    EXPECT_EQ(std::fflush(stdout), 0);
}
