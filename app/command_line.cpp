// Reading the command line with getopt_long.
#include "app/command_line.h"

#include "app/settings.h"

#include <getopt.h>

#include <cstdio>

#include "support/error_log.h"

#ifndef HELIX_VERSION
#define HELIX_VERSION "0"
#endif

CommandLineChoices CommandLine = {};

static constexpr const char* USAGE =
    "Usage: helixdash [--window | --fullscreen] [--scale=MODE] [--data-dir DIR] [--scores FILE]\n"
    "                 [--log FILE] [--no-pause]\n"
    "Catch the bases, build faces from codons: HELIX DASH, a genetics arcade game.\n"
    "\n"
    "  --window          play in a window (Alt+Enter switches while playing)\n"
    "  --fullscreen      play full screen (the default)\n"
    "  --scale=MODE      how the picture fills the screen: sharp (the default: crisp at any\n"
    "                    size), nearest (plain pixel copies) or integer (whole multiples only)\n"
    "  --data-dir DIR    read the game's pictures and sounds from DIR\n"
    "  --scores FILE     keep the scores in FILE instead of the player's data folder\n"
    "                    ($XDG_DATA_HOME/helixdash/scores.brd)\n"
    "  --log FILE        write a diagnostic log to FILE\n"
    "  --no-pause        keep playing while the window is in the background\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n";

enum : int {
    OPTION_WINDOW = 256,
    OPTION_FULLSCREEN,
    OPTION_DATA_DIR,
    OPTION_SCORES,
    OPTION_LOG,
    OPTION_NO_PAUSE,
    OPTION_SCALE,
    OPTION_HELP,
    OPTION_VERSION,
};

// One line naming what was wrong with which argument, then the usage.
static int Refuse(const char* what, const char* argument)
{
    std::fprintf(stderr, "%s: %s '%s'\n%s", ERROR_PROGRAM_NAME, what, argument, USAGE);
    return COMMAND_LINE_BAD;
}

int CommandLineRead(int argc, char** argv)
{
    static const option OPTIONS[] = {
        {"window", no_argument, nullptr, OPTION_WINDOW},
        {"fullscreen", no_argument, nullptr, OPTION_FULLSCREEN},
        {"data-dir", required_argument, nullptr, OPTION_DATA_DIR},
        {"scores", required_argument, nullptr, OPTION_SCORES},
        {"log", required_argument, nullptr, OPTION_LOG},
        {"no-pause", no_argument, nullptr, OPTION_NO_PAUSE},
        {"scale", required_argument, nullptr, OPTION_SCALE},
        {"help", no_argument, nullptr, OPTION_HELP},
        {"version", no_argument, nullptr, OPTION_VERSION},
        {nullptr, 0, nullptr, 0},
    };
    CommandLine = CommandLineChoices{};
    CommandLine.windowed = -1;
    CommandLine.scaleMode = -1;
    optind = 0; // getopt starts over, as a second read must
    opterr = 0; // the messages are ours, so every usage error reads the same way
    for (;;) {
        // The leading ':' tells a missing value apart from an unknown option.
        const int option = getopt_long(argc, argv, ":", OPTIONS, nullptr);
        if (option == -1) {
            break;
        }
        switch (option) {
            case OPTION_WINDOW:
                CommandLine.windowed = 1;
                break;
            case OPTION_FULLSCREEN:
                CommandLine.windowed = 0;
                break;
            case OPTION_DATA_DIR:
                CommandLine.dataFolder = optarg;
                break;
            case OPTION_SCORES:
                CommandLine.scoreFile = optarg;
                break;
            case OPTION_LOG:
                CommandLine.logFile = optarg;
                break;
            case OPTION_NO_PAUSE:
                CommandLine.noPause = 1;
                break;
            case OPTION_SCALE:
                CommandLine.scaleMode = SettingsScaleFromName(optarg);
                if (CommandLine.scaleMode < 0) {
                    return Refuse("--scale takes sharp, nearest or integer, not", optarg);
                }
                break;
            case OPTION_HELP:
                std::fputs(USAGE, stdout);
                return COMMAND_LINE_DONE;
            case OPTION_VERSION:
                std::printf("helixdash %s\n", HELIX_VERSION);
                return COMMAND_LINE_DONE;
            case ':':
                return Refuse("this option needs a value:", argv[optind - 1]);
            default:
                if (optopt != 0) { // a short option, perhaps inside a group such as -xv
                    const char shortOption[3] = {'-', static_cast<char>(optopt), '\0'};
                    return Refuse("unknown option", shortOption);
                }
                return Refuse("unknown option", argv[optind - 1]);
        }
    }
    if (optind < argc) {
        return Refuse("unexpected argument", argv[optind]);
    }
    return COMMAND_LINE_PLAY;
}
