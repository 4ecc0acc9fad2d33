// Tests of the data folder's search: the order in which the places are tried, and what counts as
// a data folder.
#include "support/data_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const char* const FILES[] = {"FaceTile.BMP", "untitled.WAV"};

TEST(DataFolder, SearchesTheWorkingFolderThenBesideTheProgramThenTheInstallFolder)
{
    // An installed tree (prefix/bin, prefix/share/helixdash), a build tree's data folder beside
    // the same program, the install folder and the working folder, each holding one file.
    const fs::path root = TestTempDir("data-folder");
    const fs::path prefix = root / "prefix";
    const fs::path places[] = {root / "work", prefix / "share/helixdash", prefix / "data",
                               root / "install"};
    for (const fs::path& place : places) {
        fs::create_directories(place);
        std::ofstream(place / FILES[1]) << "x";
    }
    fs::create_directories(prefix / "bin");
    const std::string program = (prefix / "bin/").string();
    const std::string install = places[3].string();
    const fs::path before = fs::current_path();
    fs::current_path(places[0]);

    const std::string expected[] = {"", program + "../share/helixdash", program + "../data",
                                    install};
    for (int found = 0; found < 4; ++found) {
        ASSERT_EQ(DataFolderFind(nullptr, FILES, 2, program.c_str(), install.c_str()), 1);
        EXPECT_EQ(DataFolder, expected[found]);
        fs::remove(places[found] / FILES[1]); // the next place must answer now
    }
    EXPECT_EQ(DataFolderFind(nullptr, FILES, 2, program.c_str(), install.c_str()), 0);
    EXPECT_STREQ(DataFolder, "");
    EXPECT_EQ(std::string(DataFoldersTried),
              "the working folder, " + expected[1] + ", " + expected[2] + ", " + expected[3]);
    // A folder named FaceTile.BMP is no picture.
    fs::create_directory(places[3] / FILES[0]);
    EXPECT_EQ(DataFolderFind(nullptr, FILES, 2, "", install.c_str()), 0);

    // The player's own folder is taken before all others and alone; a trailing slash is dropped.
    std::ofstream(places[0] / FILES[0]) << "x";
    std::ofstream(places[2] / FILES[0]) << "x";
    ASSERT_EQ(DataFolderFind((places[2].string() + "/").c_str(), FILES, 2, program.c_str(), ""), 1);
    EXPECT_EQ(DataFolder, places[2].string());
    EXPECT_EQ(DataPath("mainPalette.PAL"), places[2].string() + "/mainPalette.PAL");
    EXPECT_EQ(DataFolderFind(places[1].c_str(), FILES, 2, program.c_str(), ""), 0);
    EXPECT_EQ(DataFoldersTried, places[1].string());
    ASSERT_EQ(DataFolderFind(nullptr, FILES, 2, nullptr, nullptr), 1);
    EXPECT_EQ(DataPath("mainPalette.PAL"), "mainPalette.PAL"); // the working folder's, bare

    fs::current_path(before);
    fs::remove_all(root);
}

} // namespace
