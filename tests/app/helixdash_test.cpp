// The game program itself, run as a child process headless on the generated data: each kind of
// damaged data file and of bad start ends it with its status and one line; the scores and
// settings live in the player's folders and outlast a run.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/temp_dir.h"

namespace fs = std::filesystem;

// One run of the program in a folder of its own, and how it ended.
struct GameRun {
    std::string what;              // the case, for messages
    fs::path folder;               // its working folder
    std::vector<std::string> args; // its command-line arguments
    std::vector<std::string> env;  // "NAME=value" set, or "NAME" unset, over the test's own
    bool stop = false;             // asked to end (SIGTERM) once it has run a second
    int status = -1;               // its exit status; 128 + the signal that ended it
    std::string output, errors;    // everything it wrote on standard output and error
};

static std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

static void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Runs the game in every run's folder at once (a run mostly waits on SDL's audio thread), each
// through the shell with its output, errors and exit status left in files there. The player's
// folders are the run's own, so no run writes into the home of whoever runs the tests; a run that
// does not end is killed after half a minute.
static void RunAll(std::vector<GameRun>& runs)
{
    std::string script;
    for (const GameRun& run : runs) {
        const std::string folder = run.folder.string();
        std::string unset, set;
        for (const std::string& change : run.env) {
            if (change.find('=') == std::string::npos) {
                unset += " -u '" + change + "'";
            } else {
                set += " '" + change + "'";
            }
        }
        script += "(cd " + folder + " && env" + unset + " XDG_DATA_HOME=" + folder +
                  "/player-data XDG_CONFIG_HOME=" + folder + "/player-config" + set +
                  " timeout --preserve-status " + (run.stop ? "1" : "-s KILL 30") +
                  " " HELIX_GAME_BINARY;
        for (const std::string& arg : run.args) {
            script += " '" + arg + "'";
        }
        script += " >stdout.txt 2>stderr.txt; echo $? >status.txt) &\n";
    }
    ASSERT_EQ(std::system((script + "wait\n").c_str()), 0);
    for (GameRun& run : runs) {
        run.status = std::stoi("0" + ReadText(run.folder / "status.txt"));
        run.output = ReadText(run.folder / "stdout.txt");
        run.errors = ReadText(run.folder / "stderr.txt");
    }
}

class GameProgramTest : public ::testing::Test {
protected:
    fs::path base = TestTempDir("helixdash");
    std::vector<GameRun> runs;

    void TearDown() override
    {
        fs::remove_all(base);
    }

    // A run in a fresh folder, with links to the generated data files when `withData`.
    GameRun& AddRun(const std::string& what, bool withData)
    {
        GameRun& run = runs.emplace_back();
        run.what = what;
        run.folder = base / std::to_string(runs.size());
        fs::create_directories(run.folder);
        for (const fs::directory_entry& file : fs::directory_iterator(HELIX_DATA_DIR)) {
            if (!withData) {
                break;
            }
            fs::create_symlink(file.path(), run.folder / file.path().filename());
        }
        return run;
    }
};

TEST_F(GameProgramTest, EachKindOfBadDataOrStartEndsTheGameWithItsStatusAndOneLine)
{
    // fontconfig reading a configuration without a single font.
    const fs::path noFonts = base / "no-fonts.conf";
    WriteText(noFonts, "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" + base.string() +
                           "</cachedir></fontconfig>\n");
    const std::string notFound =
        "helixdash: cannot find the game's pictures and sounds; looked in " + base.string() + "\n";
    struct Expect {
        int status;
        std::string output; // its start
        std::string errors; // its start, or its last line for the no-display case
    };
    std::vector<Expect> expected;

    // A damaged data file: missing (no bytes), a FIFO (refused at once, never waited on), or
    // replaced by these bytes.
    const std::string face = ReadText(fs::path(HELIX_DATA_DIR) / "FaceTile.BMP");
    const std::string sound = ReadText(fs::path(HELIX_DATA_DIR) / "untitled5.WAV");
    const std::string FIFO = "(a FIFO)";
    const struct {
        const char* file;
        std::string bytes;
        const char* error;
    } damaged[] = {
        {"memoTile.bmp", "", "missing file\n"},
        {"FaceTile.BMP", face.substr(0, face.size() / 2), "cut short\n"},
        // A well-formed picture, too small for the cells the game cuts from this one.
        {"FaceTile.BMP", ReadText(fs::path(HELIX_DATA_DIR) / "background.bmp"),
         "too small for its cells ("},
        // Cut inside its format record; a file cut inside its sound data still plays.
        {"untitled5.WAV", sound.substr(0, 30), "not a valid WAV ("},
        {"chromoTile.bmp", FIFO, "not a regular file\n"},
    };
    for (const auto& d : damaged) {
        const fs::path file = AddRun(d.file + std::string(" ") + d.error, true).folder / d.file;
        fs::remove(file);
        if (d.bytes == FIFO) {
            ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
        } else if (!d.bytes.empty()) {
            WriteText(file, d.bytes);
        }
        expected.push_back(
            {1, "", "helixdash: cannot load \"" + std::string(d.file) + "\": " + d.error});
    }

    const struct {
        std::vector<std::string> args, env;
        Expect expect;
    } starts[] = {
        {{}, {"FONTCONFIG_FILE=" + noFonts.string()}, {1, "", "helixdash: no usable font: "}},
        {{}, {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}, {1, "", "no display"}},
        {{"--data-dir", base.string()}, {}, {1, "", notFound}},
        {{"--help"}, {}, {0, "Usage: helixdash [--window | --fullscreen] [--scale=MODE]", ""}},
        {{"--version"}, {}, {0, "helixdash " HELIX_VERSION "\n", ""}},
        {{"--frobnicate"}, {}, {2, "", "helixdash: unknown option '--frobnicate'\nUsage: "}},
        {{"--window", "stray"}, {}, {2, "", "helixdash: unexpected argument 'stray'\nUsage: "}},
        {{"--data-dir"}, {}, {2, "", "helixdash: this option needs a value: '--data-dir'\n"}},
        {{"--scale=blurry"}, {}, {2, "", "helixdash: --scale takes sharp, nearest or"}},
    };
    for (const auto& c : starts) {
        GameRun& run =
            AddRun("helixdash " + (c.args.empty() ? c.env.front() : c.args.front()), true);
        run.args = c.args;
        run.env = c.env;
        expected.push_back(c.expect);
    }
    RunAll(runs);
    for (size_t i = 0; i < runs.size(); ++i) {
        const GameRun& run = runs[i];
        const Expect& c = expected[i];
        EXPECT_EQ(run.status, c.status) << run.what << ": " << run.errors;
        EXPECT_EQ(run.output.rfind(c.output, 0), 0u) << run.what << ": " << run.output;
        if (c.errors == "no display") {
            // Libraries may speak first; the program's own word is the last line.
            EXPECT_TRUE(run.errors.ends_with("\nhelixdash: no display found\n") ||
                        run.errors == "helixdash: no display found\n")
                << run.errors;
            continue;
        }
        EXPECT_EQ(run.errors.rfind(c.errors, 0), 0u) << run.what << ": " << run.errors;
        if (c.status == 1) {
            EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1)
                << run.what << ": not one line: " << run.errors;
        }
    }
}

TEST_F(GameProgramTest, RemembersTheDisplayInThePlayersFolderAndTheCommandLineWins)
{
    // Each run is asked to end well after its set-up (SIGTERM, as the desktop does at log-out)
    // and shuts down through the window's close road; the next round runs in the same folders.
    const fs::file_time_type dataBefore = fs::last_write_time(HELIX_DATA_DIR);
    const auto settings = [&](int run) {
        return ReadText(runs[run].folder / "player-config/helixdash/settings.ini");
    };
    const auto runAll = [&] {
        for (GameRun& run : runs) {
            run.stop = true;
        }
        RunAll(runs);
        for (const GameRun& run : runs) {
            EXPECT_TRUE(run.status == 0 && run.errors.empty())
                << run.what << ": " << run.status << " " << run.errors;
        }
    };
    AddRun("windowed", false).args = {"--window", "--scale=integer", "--data-dir", HELIX_DATA_DIR};
    AddRun("full screen", false).args = {"--data-dir", HELIX_DATA_DIR};
    runAll();
    EXPECT_EQ(settings(0), "# HELIX DASH settings, written when the game ends.\n[display]\n"
                           "fullscreen = no\nwindow = 640x480\nscale = integer\n");
    EXPECT_NE(settings(1).find("fullscreen = yes\n"), std::string::npos) << settings(1);
    EXPECT_EQ(ReadText(runs[0].folder / "player-data/helixdash/scores.brd"), "")
        << "a first run makes an empty score file";
    EXPECT_EQ(fs::last_write_time(HELIX_DATA_DIR), dataBefore) << "a file made in the data folder";

    runs[0].args = {"--data-dir", HELIX_DATA_DIR};
    runs[1].args = {"--window", "--data-dir", HELIX_DATA_DIR};
    runAll();
    EXPECT_NE(settings(0).find("fullscreen = no\n"), std::string::npos) << settings(0);
    EXPECT_NE(settings(0).find("scale = integer\n"), std::string::npos) << settings(0);
    EXPECT_NE(settings(1).find("fullscreen = no\n"), std::string::npos) << settings(1);
}
