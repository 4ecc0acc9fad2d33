// The data folder: where the game's pictures, sounds and palette are found.
#include "support/data_folder.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cstring>

#ifndef HELIX_INSTALL_DATA_DIR
#define HELIX_INSTALL_DATA_DIR "/usr/local/share/helixdash"
#endif

char DataFolder[DATA_PATH_SIZE] = "";
char DataFoldersTried[DATA_PATH_SIZE] = "";

std::string DataPath(const char* fileName)
{
    if (DataFolder[0] == '\0') {
        return fileName;
    }
    std::string path = DataFolder;
    if (path.back() != '/') {
        path += '/';
    }
    return path + fileName;
}

// Whether the folder holds at least one of the files as a regular file.
static bool HoldsAny(const std::string& folder, const char* const* files, int count)
{
    for (int i = 0; i < count; ++i) {
        struct stat status {};
        const std::string path = folder.empty() ? files[i] : folder + "/" + files[i];
        if (stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
            return true;
        }
    }
    return false;
}

static int Choose(const std::string& folder)
{
    if (folder.size() >= sizeof DataFolder) {
        return 0;
    }
    std::strcpy(DataFolder, folder.c_str());
    return 1;
}

// The folder with any trailing slash taken off ("/" stays).
static std::string WithoutTrailingSlash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

int DataFolderFind(const char* chosen, const char* const* files, int count,
                   const char* executableFolder, const char* installFolder)
{
    DataFolder[0] = '\0';
    DataFoldersTried[0] = '\0';
    if (chosen != nullptr) {
        // The player's own folder is the only one looked at: a folder with none of the files
        // is named as tried, one with some of them names each missing file as set-up meets it.
        const std::string folder = WithoutTrailingSlash(chosen);
        if (!folder.empty() && HoldsAny(folder, files, count)) {
            return Choose(folder);
        }
        std::snprintf(DataFoldersTried, sizeof DataFoldersTried, "%s", chosen);
        return 0;
    }
    std::string candidates[4];
    int candidateCount = 0;
    candidates[candidateCount++] = "";
    if (executableFolder != nullptr && executableFolder[0] != '\0') {
        const std::string beside = WithoutTrailingSlash(executableFolder);
        candidates[candidateCount++] = beside + "/../share/" + DATA_FOLDER_NAME;
        candidates[candidateCount++] = beside + "/../data";
    }
    if (installFolder != nullptr && installFolder[0] != '\0') {
        candidates[candidateCount++] = WithoutTrailingSlash(installFolder);
    }
    std::string tried;
    for (int i = 0; i < candidateCount; ++i) {
        if (HoldsAny(candidates[i], files, count)) {
            return Choose(candidates[i]);
        }
        tried += (tried.empty() ? "" : ", ") +
                 (candidates[i].empty() ? std::string("the working folder") : candidates[i]);
    }
    std::snprintf(DataFoldersTried, sizeof DataFoldersTried, "%s", tried.c_str());
    return 0;
}

std::string DataExecutableFolder()
{
    char* base = SDL_GetBasePath();
    if (base == nullptr) {
        return "";
    }
    std::string folder = base;
    SDL_free(base);
    return folder;
}

const char* DataInstallFolder()
{
    return HELIX_INSTALL_DATA_DIR;
}
