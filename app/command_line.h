// The program's command line: the options a player can give, and what they chose.
#pragma once

// What CommandLineRead found.
constexpr int COMMAND_LINE_PLAY = 0; // start the game with CommandLine's choices
constexpr int COMMAND_LINE_DONE = 1; // --help or --version was answered on standard output
constexpr int COMMAND_LINE_BAD = 2;  // a usage error was reported on standard error

// What a usage error ends the program with, as other command-line programs do.
constexpr int COMMAND_LINE_EXIT_USAGE = 2;

struct CommandLineChoices {
    int windowed;           // 1: --window; 0: --fullscreen; -1: neither (the remembered choice)
    const char* dataFolder; // --data-dir DIR, or nullptr to search for the data
    const char* scoreFile;  // --scores FILE, or nullptr for the player's own folder
    const char* logFile;    // --log FILE, or nullptr for no log
    int noPause;            // 1: --no-pause, the game runs on while its window is in the background
    int scaleMode;          // --scale: 0 sharp, 1 nearest, 2 integer; -1: not given
};

// ---- process lifetime ----
// The choices of the latest CommandLineRead; the strings point into its argv.
extern CommandLineChoices CommandLine;

// Reads the arguments (argv[0] is the program). --help prints the usage and --version the
// version on standard output (COMMAND_LINE_DONE); an unknown option, a missing value or a stray
// argument prints one line saying so and the usage on standard error (COMMAND_LINE_BAD). The
// later of --window and --fullscreen wins. Can be called again (tests do).
int CommandLineRead(int argc, char** argv);
