// Tests of the diagnostic error log: opening and closing lines, the time stamp, message limits,
// and what it does to files and streams that are not its own.
#include "support/error_log.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// "Www Mmm dd hh:mm:ss.<ms>, yyyy\n", the day of the month padded with a blank as ctime does.
const std::string STAMP = "(Mon|Tue|Wed|Thu|Fri|Sat|Sun) "
                          "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                          "[ 123][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9]\\.(0|[1-9][0-9]{0,2}), "
                          "[0-9]{4}\n";
const std::string CLOSING = "\nClosing Error Output File.";

std::string OpeningLine(const std::string& escapedName)
{
    return "\nOpening Error Output File \\(" + escapedName + "\\) on " + STAMP + "\n";
}

// Open descriptors of this process, to see that a replaced log file is closed, not leaked.
long OpenDescriptors()
{
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
}

std::string ReadFile(const fs::path& path)
{
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void SetTimeZone(const char* zone)
{
    if (zone != nullptr) {
        setenv("TZ", zone, 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

} // namespace

// Each test runs in a fresh directory of its own, so file names stay short (the opening line
// must fit one message) and nothing is left behind.
class ErrorLogTest : public ::testing::Test {
protected:
    fs::path dir, oldDir;
    const char* oldZone = std::getenv("TZ");
    std::string oldZoneText = oldZone ? oldZone : "";

    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "helix_error_log_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        oldDir = fs::current_path();
        fs::current_path(dir);
    }

    void TearDown() override
    {
        ErrorLogClose();
        SetTimeZone(oldZone ? oldZoneText.c_str() : nullptr);
        fs::current_path(oldDir);
        fs::remove_all(dir);
    }
};

TEST_F(ErrorLogTest, WithNoLogOpenNothingIsWritten)
{
    ASSERT_EQ(ErrorLogFile, nullptr);
    EXPECT_EQ(ErrorLogWrite("\npixel format = %d", 16), 0);
    EXPECT_EQ(ErrorLogClose(), 0);
    // A file that cannot be created, or no name, leaves the log closed.
    EXPECT_EQ(ErrorLogOpen("missing/err.log", nullptr), 0);
    EXPECT_EQ(ErrorLogFile, nullptr);
    EXPECT_EQ(ErrorLogWrite("\nlost"), 0);
    EXPECT_EQ(ErrorLogOpen(nullptr, nullptr), 0);
    EXPECT_EQ(ErrorLogFile, nullptr);
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(ErrorLogTest, NamedLogIsCreatedAnewWithOpeningAndClosingLines)
{
    std::ofstream("err.log") << "left from an earlier run\n";
    ASSERT_EQ(ErrorLogOpen("err.log", nullptr), 1);
    ASSERT_NE(ErrorLogFile, nullptr);
    std::string opening = ReadFile("err.log");
    EXPECT_TRUE(std::regex_match(opening, std::regex(OpeningLine("err\\.log"))))
        << "got: " << opening;

    // Each write is in the file at once, behind the opening line.
    EXPECT_EQ(ErrorLogWrite("\npixel format = %d", 16), 1);
    EXPECT_EQ(ReadFile("err.log"), opening + "\npixel format = 16");
    const char* noFormat = nullptr;
    EXPECT_EQ(ErrorLogWrite(noFormat), 0);

    EXPECT_EQ(ErrorLogClose(), 1);
    EXPECT_EQ(ErrorLogFile, nullptr);
    std::string closed = ReadFile("err.log");
    EXPECT_EQ(closed, opening + "\npixel format = 16" + CLOSING);
    EXPECT_EQ(ErrorLogClose(), 0);
    EXPECT_EQ(ErrorLogWrite("\nlate"), 0);
    EXPECT_EQ(ReadFile("err.log"), closed);
}

TEST_F(ErrorLogTest, TimeStampIsLocalCtimeWithMillisecondsBeforeTheYear)
{
    char out[64];
    SetTimeZone("UTC");
    const long long tuesday = 1142327107; // 2006-03-14 09:05:07 UTC
    EXPECT_STREQ(ErrorLogTimeStamp(out, sizeof out, tuesday, 42), "Tue Mar 14 09:05:07.42, 2006\n");
    EXPECT_STREQ(ErrorLogTimeStamp(out, sizeof out, tuesday, 999),
                 "Tue Mar 14 09:05:07.999, 2006\n");
    EXPECT_STREQ(ErrorLogTimeStamp(out, sizeof out, 1141603199, 0), // 2006-03-05 23:59:59 UTC
                 "Sun Mar  5 23:59:59.0, 2006\n");

    SetTimeZone("EST5"); // five hours behind, no summer time
    EXPECT_STREQ(ErrorLogTimeStamp(out, sizeof out, tuesday, 42), "Tue Mar 14 04:05:07.42, 2006\n");

    // A short buffer gets a cut, terminated stamp and nothing past its end.
    char small[12];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(ErrorLogTimeStamp(small, 10, tuesday, 42), small);
    EXPECT_STREQ(small, "Tue Mar 1");
    EXPECT_EQ(small[10], '#');
}

TEST_F(ErrorLogTest, MessagesAreWrittenAsTextAndCutTo79Characters)
{
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&buffer, &size);
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(ErrorLogOpen("memory", stream), 1);
    EXPECT_EQ(ErrorLogWrite("\n%s", "100% sure %d %s %n"), 1);
    EXPECT_EQ(ErrorLogWrite("\n%d%%", 50), 1);
    const std::string longText(100, 'x');
    EXPECT_EQ(ErrorLogWrite("%s", longText.c_str()), 1);
    EXPECT_EQ(ErrorLogWrite("\nnext"), 1);
    EXPECT_EQ(ErrorLogClose(), 1); // a stream that is not standard output is closed with the log
    std::string text(buffer, size);
    std::free(buffer);

    EXPECT_TRUE(std::regex_match(
        text, std::regex(OpeningLine("memory") + "\n100% sure %d %s %n\n50%x{79}\nnext" + CLOSING)))
        << "got: " << text;
}

TEST_F(ErrorLogTest, OpeningLineWithALongFileNameIsCutLikeAnyMessage)
{
    const char* name = "an_error_log_with_a_rather_long_name.log";
    ASSERT_EQ(ErrorLogOpen(name, nullptr), 1);
    std::string opening = ReadFile(name);
    EXPECT_EQ(opening.size(), 79u);
    EXPECT_EQ(opening.rfind(
                  "\nOpening Error Output File (an_error_log_with_a_rather_long_name.log) on ", 0),
              0u);
    EXPECT_EQ(ErrorLogWrite("\nafter"), 1);
    EXPECT_EQ(ReadFile(name), opening + "\nafter");
}

TEST_F(ErrorLogTest, ClosingALogOnStandardOutputLeavesItOpen)
{
    // Standard output goes to a file for the length of the test, so its text can be read.
    ASSERT_EQ(std::fflush(stdout), 0);
    int saved = dup(STDOUT_FILENO);
    ASSERT_GE(saved, 0);
    int capture = open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(capture, 0);
    ASSERT_GE(dup2(capture, STDOUT_FILENO), 0);
    close(capture);

    int opened = ErrorLogOpen("stdout", stdout);
    int wrote = ErrorLogWrite("\nto the screen");
    int closed = ErrorLogClose();
    // A closed stdout would have closed its descriptor; only then would writing to it be unsafe.
    bool descriptorOpen = fcntl(STDOUT_FILENO, F_GETFD) != -1;
    int put = descriptorOpen ? std::fputs("\nafter the log", stdout) : EOF;
    int flushed = descriptorOpen ? std::fflush(stdout) : EOF;

    dup2(saved, STDOUT_FILENO);
    close(saved);

    EXPECT_EQ(opened, 1);
    EXPECT_EQ(wrote, 1);
    EXPECT_EQ(closed, 1);
    ASSERT_TRUE(descriptorOpen);
    EXPECT_NE(put, EOF);
    EXPECT_EQ(flushed, 0);
    std::string text = ReadFile("stdout.txt");
    EXPECT_TRUE(std::regex_match(
        text, std::regex(OpeningLine("stdout") + "\nto the screen" + CLOSING + "\nafter the log")))
        << "got: " << text;
}

TEST_F(ErrorLogTest, SecondOpenByNameReplacesTheFirstFile)
{
    int descriptors = OpenDescriptors();
    ASSERT_EQ(ErrorLogOpen("first.log", nullptr), 1);
    EXPECT_EQ(ErrorLogWrite("\none"), 1);
    std::string first = ReadFile("first.log");

    ASSERT_EQ(ErrorLogOpen("second.log", nullptr), 1);
    EXPECT_EQ(OpenDescriptors(), descriptors + 1) << "the first file is closed, not leaked";
    EXPECT_EQ(ErrorLogWrite("\ntwo"), 1);
    EXPECT_EQ(ErrorLogClose(), 1);
    EXPECT_EQ(OpenDescriptors(), descriptors);

    EXPECT_TRUE(std::regex_match(first, std::regex(OpeningLine("first\\.log") + "\none")));
    EXPECT_EQ(ReadFile("first.log"), first);
    std::string second = ReadFile("second.log");
    EXPECT_TRUE(
        std::regex_match(second, std::regex(OpeningLine("second\\.log") + "\ntwo" + CLOSING)))
        << "got: " << second;
}
