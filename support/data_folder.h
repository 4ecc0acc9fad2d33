// Where the game's own files are read from: the data folder chosen at start, the search that
// chooses it, and the paths of the files in it. Data folders are only ever read.
#pragma once

#include <string>

constexpr int DATA_PATH_SIZE = 4096;
// The folder name under the system's (or an installed tree's) shared data folder.
constexpr const char* DATA_FOLDER_NAME = "helixdash";

// ---- process lifetime ----
// The folder the pictures, sounds and palette are read from, without a trailing slash; "" (the
// start value) is the working folder, whose files are named bare.
extern char DataFolder[DATA_PATH_SIZE];
// After a DataFolderFind that found nothing: the folders it tried, in order, separated by ", ".
extern char DataFoldersTried[DATA_PATH_SIZE];

// The path of one of the game's files in DataFolder.
std::string DataPath(const char* fileName);

// Chooses DataFolder, the first of:
//   1. chosen, when not null (the player's --data-dir), and then nothing else is tried;
//   2. the working folder, when it holds any of the files (running inside a data folder);
//   3. "../share/helixdash" beside the executable (an installed tree, wherever it was moved);
//   4. "../data" beside the executable (the build tree's data folder);
//   5. installFolder, the data folder the program was built to be installed with.
// A folder counts when it holds any of the count files named (set-up then names each one that is
// missing). executableFolder may be null
// or "" when unknown. 1 when a folder was chosen; 0 when none holds any file, DataFolder then ""
// and DataFoldersTried naming the folders looked at.
int DataFolderFind(const char* chosen, const char* const* files, int count,
                   const char* executableFolder, const char* installFolder);

// The folder of the running program (from the system), with a trailing slash; "" when unknown.
std::string DataExecutableFolder();
// The data folder of the installed game, fixed when the program was built.
const char* DataInstallFolder();
