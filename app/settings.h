// The player's settings, remembered from one run to the next in
// $XDG_CONFIG_HOME/helixdash/settings.ini (by default ~/.config/helixdash/settings.ini): the last
// choice of window or full screen, the window's size and the scale mode. Read at start, written
// on exit; the command line wins over them for its run.
#pragma once

constexpr int SETTINGS_WINDOW_MIN = 320;   // the smallest window side remembered
constexpr int SETTINGS_WINDOW_MAX = 16384; // the largest
constexpr int SETTINGS_SCALE_MODES = 3;    // sharp, nearest, integer: the display's own numbers

struct SettingsRecord {
    int windowed;    // 1: in a window; 0: full screen
    int windowWidth; // the window's size, when in a window
    int windowHeight;
    int scaleMode; // 0 sharp, 1 nearest, 2 integer
};

// ---- process lifetime ----
// The settings in force: the start values (full screen, 640 x 480, sharp) until SettingsLoad.
extern SettingsRecord Settings;

// What SettingsLoad found.
constexpr int SETTINGS_READ = 1;     // the file's settings are in Settings
constexpr int SETTINGS_NONE = 0;     // no file yet: Settings keeps its start values
constexpr int SETTINGS_DAMAGED = -1; // a file that is not ours: ignored with one warning line

// Reads the settings file at path into Settings. A damaged file (a line that is no setting of
// ours, a value out of range, a file too large or no regular file) changes nothing in Settings
// and is reported with one line (ErrorReport); the next SettingsSave writes it anew.
int SettingsLoad(const char* path);
// Writes Settings to path whole (a new file renamed over the old one), making its folder. 1 on
// success; 0, reported with one line, when it cannot be written.
int SettingsSave(const char* path);
// Where the settings live: $XDG_CONFIG_HOME/helixdash/settings.ini, or ~/.config/helixdash/... ;
// "" when neither XDG_CONFIG_HOME (absolute) nor HOME is set.
const char* SettingsPath();

// The scale mode named (sharp, nearest, integer), or -1; and the name of a mode.
int SettingsScaleFromName(const char* name);
const char* SettingsScaleName(int mode);
