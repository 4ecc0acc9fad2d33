// Tests of the settings file: a round trip, the place it lives, and damaged files ignored.
#include "app/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "tests/temp_dir.h"

namespace fs = std::filesystem;

namespace {

TEST(Settings, RoundTripInTheConfigFolderAndDamagedFilesChangeNothing)
{
    const fs::path root = TestTempDir("settings");
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    const std::string path = SettingsPath();
    EXPECT_EQ(path, (root / "config/helixdash/settings.ini").string());
    setenv("XDG_CONFIG_HOME", "relative", 1); // not the player's: HOME's default folder is
    setenv("HOME", (root / "home").c_str(), 1);
    EXPECT_EQ(std::string(SettingsPath()), (root / "home/.config/helixdash/settings.ini").string());

    const SettingsRecord chosen{1, 1024, 768, 2};
    EXPECT_EQ(SettingsLoad(path.c_str()), SETTINGS_NONE) << "no file on a first run";
    Settings = chosen;
    ASSERT_EQ(SettingsSave(path.c_str()), 1); // makes the folders too
    Settings = SettingsRecord{0, 640, 480, 0};
    ASSERT_EQ(SettingsLoad(path.c_str()), SETTINGS_READ);
    EXPECT_EQ(std::tuple(Settings.windowed, Settings.windowWidth, Settings.windowHeight,
                         Settings.scaleMode),
              std::tuple(1, 1024, 768, 2));

    // Each damaged file is ignored whole, with one line saying so.
    const std::string damaged[] = {
        "fullscreen = maybe\n", "window = 99999x768\n", "window = 800\n",
        "scale = blurry\n",     "colour = red\n",       std::string(300, 'x') + "\n",
    };
    for (const std::string& text : damaged) {
        SCOPED_TRACE(text.substr(0, 30));
        std::ofstream(path) << "[display]\nfullscreen = yes\n" << text;
        testing::internal::CaptureStderr();
        EXPECT_EQ(SettingsLoad(path.c_str()), SETTINGS_DAMAGED);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.rfind("helixdash: ignoring the settings in " + path, 0), 0u) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1);
        EXPECT_EQ(Settings.windowed, 1) << "nothing of a damaged file is taken";
    }
    fs::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(SettingsLoad(path.c_str()), SETTINGS_DAMAGED) << "a FIFO is not waited on";
    testing::internal::GetCapturedStderr();
    fs::remove_all(root);
}

} // namespace
