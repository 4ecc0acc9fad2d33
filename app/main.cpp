// The program's start: reads the command line, finds the game's data and the player's score file,
// runs the game and ends the platform layer after it. A failure that stops the start is one line on
// standard error (ErrorStartFailed) and the exit status EXIT_CANNOT_START.
#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/player_files.h"
#include "app/settings.h"
#include "app/winmain.h"
#include "game/score_file.h"
#include "game/setup.h"
#include "graphics/display.h"
#include "platform/message.h"
#include "platform/window.h"
#include "support/data_folder.h"
#include "support/error_log.h"

int main(int argc, char** argv)
{
    switch (CommandLineRead(argc, argv)) {
        case COMMAND_LINE_DONE:
            return 0;
        case COMMAND_LINE_BAD:
            return COMMAND_LINE_EXIT_USAGE;
        default:
            break;
    }
    if (CommandLine.logFile != nullptr && !ErrorLogOpen(CommandLine.logFile, nullptr)) {
        ErrorReport("cannot open the log file %s", CommandLine.logFile);
    }

    const std::string executableFolder = DataExecutableFolder();
    if (!DataFolderFind(CommandLine.dataFolder, SetupDataFiles, SETUP_DATA_FILE_COUNT,
                        executableFolder.c_str(), DataInstallFolder())) {
        ErrorStartFailed("cannot find the game's pictures and sounds; looked in %s",
                         DataFoldersTried);
        ErrorLogClose();
        return EXIT_CANNOT_START;
    }
    ErrorLogWrite("\ndata folder: %s", DataFolder[0] != '\0' ? DataFolder : ".");

    // Earlier versions kept the scores beside the game's data, in the build tree.
    const std::string besideData = DataPath(SCORE_FILE_NAME);
    const std::string buildTreeData = executableFolder + "../data/" + SCORE_FILE_NAME;
    const char* oldScoreFiles[] = {besideData.c_str(), buildTreeData.c_str()};
    PlayerScoreFileFind(CommandLine.scoreFile, oldScoreFiles, executableFolder.empty() ? 1 : 2);

    // The remembered settings, under what the command line chose for this run.
    const std::string settingsPath = SettingsPath();
    if (!settingsPath.empty()) {
        SettingsLoad(settingsPath.c_str());
    }
    SetupWindowed = CommandLine.windowed >= 0 ? CommandLine.windowed : Settings.windowed;
    DisplayScaleMode = CommandLine.scaleMode >= 0 ? CommandLine.scaleMode : Settings.scaleMode;
    DisplayWindowedWidth = Settings.windowWidth;
    DisplayWindowedHeight = Settings.windowHeight;
    PauseWhenInactive = CommandLine.noPause ? 0 : 1;
    char noCommandLine[] = "";
    int result = WinMain(PlatformInstance(), nullptr, noCommandLine, SW_SHOWNORMAL);
    if (MainWindow == nullptr) {
        ErrorStartFailed("%s", PlatformWindowError()[0] != '\0' ? PlatformWindowError()
                                                                : "cannot open the game's window");
        result = EXIT_CANNOT_START;
    }
    // The display as the player left it is what the next run starts with.
    if (DisplayEndedWindowed >= 0 && !settingsPath.empty()) {
        Settings.windowed = DisplayEndedWindowed;
        Settings.windowWidth = DisplayWindowedWidth;
        Settings.windowHeight = DisplayWindowedHeight;
        Settings.scaleMode = DisplayScaleMode;
        SettingsSave(settingsPath.c_str());
    }
    PlatformShutdown();
    ErrorLogClose();
    return result;
}
