// The diagnostic error log.
#include "support/error_log.h"

#include <cstdarg>
#include <ctime>

std::FILE* ErrorLogFile = nullptr;

// True while ErrorLogFile is a file the log opened by name: only such a stream is the log's to
// close when another open replaces it.
static bool ErrorLogOwnsFile = false;

static bool IsStandardStream(std::FILE* stream)
{
    return stream == stdout || stream == stderr;
}

char* ErrorLogTimeStamp(char* out, int size, long long seconds, unsigned short milliseconds)
{
    std::time_t t = static_cast<std::time_t>(seconds);
    char text[32] = "";
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr || asctime_r(&local, text) == nullptr) {
        text[0] = '\0';
    }
    // ctime text: "Www Mmm dd hh:mm:ss yyyy\n"; the year starts at its 21st character.
    const char* year = text[0] != '\0' ? text + 20 : "";
    std::snprintf(out, static_cast<std::size_t>(size), "%.19s.%hu, %s", text, milliseconds, year);
    return out;
}

int ErrorLogWrite(const char* format, ...)
{
    if (format == nullptr || ErrorLogFile == nullptr) {
        return 0;
    }
    char message[ERROR_LOG_MESSAGE_SIZE];
    va_list values;
    va_start(values, format);
    std::vsnprintf(message, sizeof message, format, values); // cuts at 79 characters
    va_end(values);
    std::fputs(message, ErrorLogFile); // the message is text now, never a format again
    std::fflush(ErrorLogFile);
    return 1;
}

char StartFailure[ERROR_REPORT_SIZE] = {};

static void Report(const char* message)
{
    std::fprintf(stderr, "%s: %s\n", ERROR_PROGRAM_NAME, message);
    std::fflush(stderr);
    if (ErrorLogFile != nullptr && ErrorLogFile != stderr) {
        std::fprintf(ErrorLogFile, "\n%s: %s", ERROR_PROGRAM_NAME, message);
        std::fflush(ErrorLogFile);
    }
}

void ErrorReport(const char* format, ...)
{
    char message[ERROR_REPORT_SIZE];
    va_list values;
    va_start(values, format);
    std::vsnprintf(message, sizeof message, format, values);
    va_end(values);
    Report(message);
}

int ErrorStartFailed(const char* format, ...)
{
    va_list values;
    va_start(values, format);
    std::vsnprintf(StartFailure, sizeof StartFailure, format, values);
    va_end(values);
    Report(StartFailure);
    return 0;
}

int ErrorLogOpen(const char* fileName, std::FILE* stream)
{
    std::FILE* opened = stream;
    if (opened == nullptr) {
        if (fileName == nullptr || (opened = std::fopen(fileName, "w")) == nullptr) {
            return 0;
        }
    }
    if (ErrorLogFile != nullptr && ErrorLogOwnsFile && ErrorLogFile != opened) {
        std::fclose(ErrorLogFile);
    }
    ErrorLogFile = opened;
    ErrorLogOwnsFile = stream == nullptr;

    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    char stamp[64];
    ErrorLogTimeStamp(stamp, sizeof stamp, now.tv_sec,
                      static_cast<unsigned short>(now.tv_nsec / 1'000'000));
    ErrorLogWrite("\nOpening Error Output File (%s) on %s\n", fileName ? fileName : "", stamp);

    if (stream != nullptr) {
        return 1;
    }
    // Reopened for appending, so later writes always land behind what is already there.
    std::fclose(ErrorLogFile);
    ErrorLogFile = std::fopen(fileName, "a+");
    ErrorLogOwnsFile = ErrorLogFile != nullptr;
    return ErrorLogFile != nullptr ? 1 : 0;
}

int ErrorLogClose()
{
    if (ErrorLogFile == nullptr) {
        return 0;
    }
    ErrorLogWrite("\nClosing Error Output File.");
    if (!IsStandardStream(ErrorLogFile)) {
        std::fclose(ErrorLogFile);
    }
    ErrorLogFile = nullptr;
    ErrorLogOwnsFile = false;
    return 1;
}
