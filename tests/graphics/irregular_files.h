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

struct IrregularFile {
    const char* what;
    std::string path;
};

// Made once per test process, in its own folder.
inline const std::vector<IrregularFile>& IrregularFiles()
{
    static const std::vector<IrregularFile> files = [] {
        const std::string fifo = TestProcessFile("irregular-fifo");
        const std::string folder = TestProcessFile("irregular-folder");
        const std::string zero = TestProcessFile("irregular-zero");
        std::error_code error;
        EXPECT_EQ(mkfifo(fifo.c_str(), 0600), 0) << fifo;
        EXPECT_TRUE(std::filesystem::create_directory(folder, error)) << folder;
        std::filesystem::create_symlink("/dev/zero", zero, error);
        EXPECT_FALSE(error) << zero;
        return std::vector<IrregularFile>{{"fifo", fifo}, {"folder", folder}, {"/dev/zero", zero}};
    }();
    return files;
}

inline volatile std::sig_atomic_t IrregularAlarmRang = 0;

// Runs call under a 10 s alarm whose handler does not restart system calls, so an open that waits
// for a FIFO's other end is broken off (EINTR) instead of hanging the test run. false when the
// alarm had to break in: the call blocked.
template <typename Call>
bool CallReturnsAtOnce(Call call)
{
    struct sigaction ring {
    }, previous{};
    ring.sa_handler = [](int) { IrregularAlarmRang = 1; };
    sigemptyset(&ring.sa_mask);
    sigaction(SIGALRM, &ring, &previous);
    IrregularAlarmRang = 0;
    alarm(10);
    call();
    alarm(0);
    sigaction(SIGALRM, &previous, nullptr);
    return IrregularAlarmRang == 0;
}
