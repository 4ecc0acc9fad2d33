// Reading and writing settings.ini.
#include "app/settings.h"

#include "app/player_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/error_log.h"
#include "support/regular_file.h"

SettingsRecord Settings = {0, 640, 480, 0};

static constexpr const char* SCALE_NAMES[SETTINGS_SCALE_MODES] = {"sharp", "nearest", "integer"};
static constexpr int SETTINGS_LINE_MAX = 256; // a longer line is no line of ours
static constexpr int SETTINGS_LINES_MAX = 64; // nor is a longer file

int SettingsScaleFromName(const char* name)
{
    for (int mode = 0; mode < SETTINGS_SCALE_MODES; ++mode) {
        if (name != nullptr && std::strcmp(name, SCALE_NAMES[mode]) == 0) {
            return mode;
        }
    }
    return -1;
}

const char* SettingsScaleName(int mode)
{
    return mode >= 0 && mode < SETTINGS_SCALE_MODES ? SCALE_NAMES[mode] : SCALE_NAMES[0];
}

const char* SettingsPath()
{
    static std::string path;
    const std::string folder = PlayerFolder("XDG_CONFIG_HOME", ".config");
    path = folder.empty() ? "" : folder + "/settings.ini";
    return path.c_str();
}

// A whole number in [low, high] that is the entire text; else -1.
static int NumberIn(const char* text, int low, int high)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < low || value > high) {
        return -1;
    }
    return static_cast<int>(value);
}

// Takes one "key = value" line into read; false when it is no setting of ours.
static bool ReadSetting(const std::string& key, const std::string& value, SettingsRecord* read)
{
    if (key == "fullscreen") {
        if (value != "yes" && value != "no") {
            return false;
        }
        read->windowed = value == "no" ? 1 : 0;
        return true;
    }
    if (key == "window") { // WIDTHxHEIGHT
        const size_t x = value.find('x');
        if (x == std::string::npos) {
            return false;
        }
        read->windowWidth =
            NumberIn(value.substr(0, x).c_str(), SETTINGS_WINDOW_MIN, SETTINGS_WINDOW_MAX);
        read->windowHeight =
            NumberIn(value.substr(x + 1).c_str(), SETTINGS_WINDOW_MIN, SETTINGS_WINDOW_MAX);
        return read->windowWidth > 0 && read->windowHeight > 0;
    }
    if (key == "scale") {
        read->scaleMode = SettingsScaleFromName(value.c_str());
        return read->scaleMode >= 0;
    }
    return false;
}

static std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

static int Damaged(const char* path, const char* why)
{
    ErrorReport("ignoring the settings in %s (%s); they will be written anew", path, why);
    return SETTINGS_DAMAGED;
}

int SettingsLoad(const char* path)
{
    FileHandle file(FileOpenRegularStream(path));
    if (!file) {
        return std::strcmp(FileOpenError(), "missing file") == 0 ? SETTINGS_NONE
                                                                 : Damaged(path, FileOpenError());
    }
    SettingsRecord read = Settings;
    char line[SETTINGS_LINE_MAX + 2];
    int lines = 0;
    while (std::fgets(line, sizeof line, file.get()) != nullptr) {
        const size_t length = std::strlen(line);
        if (++lines > SETTINGS_LINES_MAX ||
            (length == sizeof line - 1 && line[length - 1] != '\n')) {
            return Damaged(path, "too long");
        }
        const std::string text = Trimmed(std::string(line, length - (line[length - 1] == '\n')));
        if (text.empty() || text[0] == '#' || text[0] == ';' || text == "[display]") {
            continue;
        }
        const size_t equals = text.find('=');
        if (equals == std::string::npos || !ReadSetting(Trimmed(text.substr(0, equals)),
                                                        Trimmed(text.substr(equals + 1)), &read)) {
            return Damaged(path, ("line " + std::to_string(lines)).c_str());
        }
    }
    if (std::ferror(file.get())) {
        return Damaged(path, "read error");
    }
    Settings = read;
    return SETTINGS_READ;
}

int SettingsSave(const char* path)
{
    const std::string target = path;
    const size_t slash = target.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        PlayerMakeFolders(target.substr(0, slash));
    }
    char text[256];
    std::snprintf(text, sizeof text,
                  "# HELIX DASH settings, written when the game ends.\n[display]\nfullscreen = %s\n"
                  "window = %dx%d\nscale = %s\n",
                  Settings.windowed ? "no" : "yes",
                  std::clamp(Settings.windowWidth, SETTINGS_WINDOW_MIN, SETTINGS_WINDOW_MAX),
                  std::clamp(Settings.windowHeight, SETTINGS_WINDOW_MIN, SETTINGS_WINDOW_MAX),
                  SettingsScaleName(Settings.scaleMode));
    if (!PlayerWriteWhole(target, text)) {
        ErrorReport("cannot write the settings to %s: %s", path, std::strerror(errno));
        return 0;
    }
    return 1;
}
