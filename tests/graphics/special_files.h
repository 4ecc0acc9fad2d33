// Files that are not regular files, for the readers that must refuse them: a FIFO nobody writes,
// a folder and a symlink to /dev/zero, and a guard that tells a call that blocked from one that
// returned.
#pragma once

#include "tests/temp_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

struct SpecialFile {
    const char* what;
    std::string path;
};

// Made once per test process, in its own folder.
inline const std::vector<SpecialFile>& SpecialFiles()
{
    static const std::vector<SpecialFile> files = [] {
        const std::string fifo = TestProcessFile("special-fifo");
        const std::string folder = TestProcessFile("special-folder");
        const std::string zero = TestProcessFile("special-zero");
        std::error_code error;
        EXPECT_EQ(mkfifo(fifo.c_str(), 0600), 0) << fifo;
        EXPECT_TRUE(std::filesystem::create_directory(folder, error)) << folder;
        std::filesystem::create_symlink("/dev/zero", zero, error);
        EXPECT_FALSE(error) << zero;
        return std::vector<SpecialFile>{{"fifo", fifo}, {"folder", folder}, {"/dev/zero", zero}};
    }();
    return files;
}

inline volatile std::sig_atomic_t SpecialAlarmRang = 0;

// Runs call under a 10 s alarm whose handler does not restart system calls, so an open that waits
// for a FIFO's other end is broken off (EINTR) instead of hanging the test run. false when the
// alarm had to break in: the call blocked.
template <typename Call>
bool SpecialCallReturns(Call call)
{
    struct sigaction ring {
    }, previous{};
    ring.sa_handler = [](int) { SpecialAlarmRang = 1; };
    sigemptyset(&ring.sa_mask);
    sigaction(SIGALRM, &ring, &previous);
    SpecialAlarmRang = 0;
    alarm(10);
    call();
    alarm(0);
    sigaction(SIGALRM, &previous, nullptr);
    return SpecialAlarmRang == 0;
}
