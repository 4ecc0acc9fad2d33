// The player's files: where the score file lives, its first making and the copy of old scores.
#include "app/player_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/score_file.h"
#include "support/data_folder.h"
#include "support/error_log.h"
#include "support/regular_file.h"

// An old score file larger than this is no score file of ours and is not copied.
static constexpr long OLD_SCORES_MAX_BYTES = 16L * 1024 * 1024;

std::string PlayerFolder(const char* xdgVariable, const char* homeDefault)
{
    const char* xdg = std::getenv(xdgVariable);
    const char* home = std::getenv("HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return std::string(xdg) + "/" + DATA_FOLDER_NAME;
    }
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/" + homeDefault + "/" + DATA_FOLDER_NAME;
    }
    return "";
}

int PlayerMakeFolders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return 0;
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    struct stat status {};
    return stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The whole contents of a non-empty regular file of a sensible size; "" otherwise.
static std::string ReadOldScores(const char* path)
{
    const int fd = FileOpenRegular(path, O_RDONLY);
    if (fd < 0) {
        return "";
    }
    std::string contents;
    struct stat status {};
    if (fstat(fd, &status) == 0 && status.st_size > 0 && status.st_size <= OLD_SCORES_MAX_BYTES) {
        contents.resize(static_cast<size_t>(status.st_size));
        size_t got = 0;
        while (got < contents.size()) {
            const ssize_t n = read(fd, contents.data() + got, contents.size() - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break;
            }
            got += static_cast<size_t>(n);
        }
        contents.resize(got);
    }
    close(fd);
    return contents;
}

int PlayerWriteWhole(const std::string& path, const std::string& contents)
{
    const std::string partial = path + ".part";
    const int fd = open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return 0;
    }
    const bool written = FileWriteFully(fd, contents.data(), contents.size()) && fsync(fd) == 0;
    if (close(fd) != 0 || !written || rename(partial.c_str(), path.c_str()) != 0) {
        unlink(partial.c_str());
        return 0;
    }
    return 1;
}

// Makes an empty file where none is; an existing file is left exactly as it is.
static int MakeEmptyFile(const std::string& path)
{
    const int fd = FileOpenRegular(path.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) {
        return 0;
    }
    close(fd);
    return 1;
}

static int ChooseScoreFile(const std::string& path)
{
    if (path.size() >= sizeof ScoreFilePath) {
        ErrorReport("the score file's path is too long: %s", path.c_str());
        return 0;
    }
    std::strcpy(ScoreFilePath, path.c_str());
    return 1;
}

static int IsRegularFile(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

int PlayerScoreFileFind(const char* chosen, const char* const* oldScoreFiles, int count)
{
    std::string path;
    if (chosen != nullptr) {
        path = chosen;
    } else if (const std::string folder = PlayerFolder("XDG_DATA_HOME", ".local/share");
               folder.empty()) {
        ErrorReport("neither XDG_DATA_HOME nor HOME is set: the scores are kept in the working "
                    "folder");
        path = SCORE_FILE_NAME;
    } else {
        path = folder + "/" + SCORE_FILE_NAME;
        if (!PlayerMakeFolders(folder)) {
            ErrorReport("cannot make the folder for the scores, %s: %s", folder.c_str(),
                        std::strerror(errno));
            ChooseScoreFile(path);
            return 0;
        }
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0) {
            for (int i = 0; i < count; ++i) {
                const std::string old = ReadOldScores(oldScoreFiles[i]);
                if (old.empty()) {
                    continue;
                }
                if (!PlayerWriteWhole(path, old)) {
                    ErrorReport("cannot copy the old scores of %s to %s: %s", oldScoreFiles[i],
                                path.c_str(), std::strerror(errno));
                }
                break;
            }
        }
    }
    if (!ChooseScoreFile(path)) {
        return 0;
    }
    // Whatever is there already is the score file's reader's to accept or refuse, with its reason.
    struct stat status {};
    if (lstat(path.c_str(), &status) == 0) {
        return IsRegularFile(path);
    }
    if (!MakeEmptyFile(path)) {
        ErrorReport("cannot make the score file %s: %s", path.c_str(), std::strerror(errno));
        return 0;
    }
    return 1;
}
