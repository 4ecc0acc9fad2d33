// A fresh, empty folder of the test's own under the system's temporary folder. The name is made
// unique by mkdtemp, so two test runs on one machine (two checkouts, or CI beside a developer)
// never share or delete each other's files.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline std::filesystem::path TestTempDir(const std::string& prefix)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary folder " << pattern;
        return {};
    }
    return pattern;
}

// A file name in a folder of this test process's own, removed when the process ends; for suites
// that write loose files rather than working in a folder.
inline std::string TestProcessFile(const std::string& name)
{
    struct Folder {
        std::filesystem::path path = TestTempDir("helix-test");
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static Folder folder;
    return (folder.path / name).string();
}
