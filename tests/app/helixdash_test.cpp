// The game program itself, run as a child process headless on the generated data: a picture or
// sound that is missing or damaged ends it at once with status 1 and one line naming the file;
// a missing palette file or score file does not.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tests/temp_dir.h"

namespace fs = std::filesystem;

static const char* const PICTURES[] = {
    "BrindleTile.BMP", "TitleBack.bmp",  "background.bmp",  "FaceTile.BMP",  "memoTile.bmp",
    "DNAStrand2.BMP",  "chromoTile.bmp", "CatcherTile.BMP", "bonusTile.BMP",
};
static const char* const SOUNDS[] = {
    "Untitled4.WAV", "untitled.WAV",  "untitled2.WAV", "untitled3.WAV",
    "untitled5.WAV", "untitled6.WAV", "untitled7.WAV",
};

// One run of the program in a folder of its own, and how it ended.
struct GameRun {
    std::string what;              // the case, for messages
    fs::path folder;               // its working folder, a data folder unless the case says
    std::vector<std::string> args; // its command-line arguments
    std::vector<std::string> env;  // "NAME=value" set, or "NAME" unset, over the test's own
    int stopAfterMs = -1;          // when >= 0: asked to end (SIGTERM) once it has run this long
    pid_t pid = -1;                // while it runs
    bool exited = false;           // ended by itself (else it was killed)
    int status = -1;               // its exit status when it exited
    std::string output;            // everything it wrote on standard output
    std::string errors;            // everything it wrote on standard error
};

static std::vector<uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

static uint32_t Get32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

static void Put32(std::vector<uint8_t>& b, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A well-formed picture of the same file with only its bottom half of rows: valid, but too small
// for the cells the game cuts from it.
static std::vector<uint8_t> BottomHalf(std::vector<uint8_t> bmp)
{
    const uint32_t height = Get32(bmp, 22), stride = Get32(bmp, 34) / height;
    bmp.resize(Get32(bmp, 10) + stride * (height / 2));
    Put32(bmp, 2, static_cast<uint32_t>(bmp.size()));
    Put32(bmp, 22, height / 2);
    Put32(bmp, 34, stride * (height / 2));
    return bmp;
}

// Starts the game in the run's folder, its standard output and error into files there. The
// player's folders are the run's own, so no run writes into the home of whoever runs the tests.
static pid_t StartGame(const GameRun& run)
{
    const pid_t child = fork();
    if (child == 0) {
        const fs::path& folder = run.folder;
        const int err = open((folder / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int out = open((folder / "stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err < 0 || out < 0 || chdir(folder.c_str()) != 0) {
            _exit(127);
        }
        dup2(err, 2);
        dup2(out, 1);
        setenv("XDG_DATA_HOME", (folder / "player-data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder / "player-config").c_str(), 1);
        for (const std::string& change : run.env) {
            const size_t equals = change.find('=');
            if (equals == std::string::npos) {
                unsetenv(change.c_str());
            } else {
                setenv(change.substr(0, equals).c_str(), change.c_str() + equals + 1, 1);
            }
        }
        std::vector<char*> argv{const_cast<char*>("helixdash")};
        for (const std::string& arg : run.args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execv(HELIX_GAME_BINARY, argv.data());
        _exit(127);
    }
    return child;
}

// Runs the game in each run's folder, several at once (a run mostly waits on SDL's audio thread),
// and records how each ended. A run is never left going beyond a generous limit.
static void RunAll(std::vector<GameRun>& runs)
{
    using namespace std::chrono;
    std::vector<steady_clock::time_point> started(runs.size());
    for (size_t next = 0, done = 0; done < runs.size();) {
        for (; next < runs.size() && next - done < 8; ++next) {
            started[next] = steady_clock::now();
            runs[next].pid = StartGame(runs[next]);
            ASSERT_GT(runs[next].pid, 0) << "fork failed";
        }
        std::this_thread::sleep_for(milliseconds(5));
        for (size_t i = 0; i < next; ++i) {
            GameRun& run = runs[i];
            int status = 0;
            if (run.pid < 0) {
                continue;
            }
            const auto ran = duration_cast<milliseconds>(steady_clock::now() - started[i]).count();
            if (waitpid(run.pid, &status, WNOHANG) != run.pid) {
                if (run.stopAfterMs >= 0 && ran >= run.stopAfterMs) {
                    kill(run.pid, SIGTERM);
                    run.stopAfterMs = -1;
                } else if (ran > 30000) {
                    ADD_FAILURE() << run.what << ": the game did not end";
                    kill(run.pid, SIGKILL);
                }
                continue;
            }
            run.pid = -1;
            run.exited = WIFEXITED(status);
            run.status = run.exited ? WEXITSTATUS(status) : -1;
            const std::vector<uint8_t> errors = ReadFile(run.folder / "stderr.txt");
            run.errors.assign(errors.begin(), errors.end());
            const std::vector<uint8_t> output = ReadFile(run.folder / "stdout.txt");
            run.output.assign(output.begin(), output.end());
            ++done;
        }
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

    // A run in a fresh data folder: links to the generated files, without `leaveOut`.
    GameRun& AddRun(const std::string& what, const std::string& leaveOut = "")
    {
        GameRun& run = AddRunIn(what);
        std::vector<std::string> files(std::begin(PICTURES), std::end(PICTURES));
        files.insert(files.end(), std::begin(SOUNDS), std::end(SOUNDS));
        files.push_back("mainPalette.PAL");
        for (const std::string& name : files) {
            if (name != leaveOut) {
                fs::create_symlink(fs::path(HELIX_DATA_DIR) / name, run.folder / name);
            }
        }
        return run;
    }

    // A run in a fresh, empty folder.
    GameRun& AddRunIn(const std::string& what)
    {
        GameRun& run = runs.emplace_back();
        run.what = what;
        run.folder = base / std::to_string(runs.size());
        fs::create_directories(run.folder);
        return run;
    }
};

// The names and sizes of the files in a folder, to see that a run wrote nothing there.
static std::string Listing(const fs::path& folder)
{
    std::vector<std::string> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        entries.push_back(entry.path().filename().string() + " " +
                          std::to_string(fs::file_size(entry.path())));
    }
    std::sort(entries.begin(), entries.end());
    std::string listing;
    for (const std::string& entry : entries) {
        listing += entry + "\n";
    }
    return listing;
}

static void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

static std::string ReadText(const fs::path& path)
{
    const std::vector<uint8_t> bytes = ReadFile(path);
    return {bytes.begin(), bytes.end()};
}

TEST_F(GameProgramTest, EachMissingOrDamagedPictureOrSoundEndsTheGameWithOneLineNamingIt)
{
    std::vector<std::string> lines; // the start of each run's one line
    // A run with the file missing (no bytes) or replaced (the generated file stays as it is).
    auto add = [&](const std::string& file, const char* how, const std::vector<uint8_t>& bytes,
                   const std::string& line) {
        const fs::path folder = AddRun(file + " " + how, file).folder;
        if (!bytes.empty()) {
            std::ofstream(folder / file, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
        }
        lines.push_back("helixdash: cannot load \"" + file + "\": " + line);
    };
    for (const char* picture : PICTURES) {
        const std::vector<uint8_t> bytes = ReadFile(fs::path(HELIX_DATA_DIR) / picture);
        add(picture, "missing", {}, "missing file\n");
        add(picture, "cut short", {bytes.begin(), bytes.begin() + bytes.size() / 2}, "cut short\n");
        add(picture, "half as high", BottomHalf(bytes), "too small for its cells (");
    }
    for (const char* sound : SOUNDS) {
        // Cut off inside its format record. (A file cut inside its sound data still plays, as
        // far as it goes.)
        const std::vector<uint8_t> bytes = ReadFile(fs::path(HELIX_DATA_DIR) / sound);
        add(sound, "missing", {}, "missing file\n");
        add(sound, "cut short", {bytes.begin(), bytes.begin() + 30}, "not a valid WAV (");
    }
    // A FIFO or a folder in a file's place is refused at once, never waited on.
    add("FaceTile.BMP", "a FIFO", {}, "not a regular file\n");
    ASSERT_EQ(mkfifo((runs.back().folder / "FaceTile.BMP").c_str(), 0644), 0);
    add("untitled3.WAV", "a folder", {}, "not a regular file\n");
    fs::create_directory(runs.back().folder / "untitled3.WAV");
    RunAll(runs);
    for (size_t i = 0; i < runs.size(); ++i) {
        const GameRun& run = runs[i];
        EXPECT_TRUE(run.exited) << run.what << ": the game crashed or hung";
        EXPECT_EQ(run.status, 1) << run.what;
        EXPECT_EQ(run.errors.rfind(lines[i], 0), 0u) << run.what << ": " << run.errors;
        EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1)
            << run.what << ": not one line: " << run.errors;
    }
}

TEST_F(GameProgramTest, CommandLineAndStartFailuresEndWithTheirStatusAndOneLine)
{
    // fontconfig reading a configuration without a single font.
    const fs::path noFonts = base / "no-fonts.conf";
    WriteText(noFonts, "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" + base.string() +
                           "</cachedir></fontconfig>\n");
    const fs::path empty = base / "empty";
    fs::create_directories(empty);
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> env;
        int status;
        std::string output; // its start
        std::string errors; // its start, or its last line for the no-display case
    };
    const Case cases[] = {
        {{"--help"}, {}, 0, "Usage: helixdash [--window | --fullscreen] [--scale=MODE]", ""},
        {{"--version"}, {}, 0, "helixdash " HELIX_VERSION "\n", ""},
        {{"--no-pause", "--scale=nearest", "--window", "--version"}, {}, 0, "helixdash ", ""},
        {{"--frobnicate"}, {}, 2, "", "helixdash: unknown option '--frobnicate'\nUsage: "},
        {{"--window", "stray"}, {}, 2, "", "helixdash: unexpected argument 'stray'\nUsage: "},
        {{"--data-dir"}, {}, 2, "", "helixdash: this option needs a value: '--data-dir'\n"},
        {{"--scale=blurry"}, {}, 2, "", "helixdash: --scale takes sharp, nearest or integer, not"},
        {{"--data-dir", empty.string()},
         {},
         1,
         "",
         "helixdash: cannot find the game's pictures and sounds; looked in " + empty.string() +
             "\n"},
        {{}, {"FONTCONFIG_FILE=" + noFonts.string()}, 1, "", "helixdash: no usable font: "},
        {{}, {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}, 1, "", "no display"},
    };
    for (const Case& c : cases) {
        GameRun& run = AddRun("helixdash " + (c.args.empty() ? c.env.front() : c.args.front()));
        run.args = c.args;
        run.env = c.env;
    }
    RunAll(runs);
    for (size_t i = 0; i < runs.size(); ++i) {
        const GameRun& run = runs[i];
        const Case& c = cases[i];
        EXPECT_TRUE(run.exited) << run.what << ": crashed or hung";
        EXPECT_EQ(run.status, c.status) << run.what << ": " << run.errors;
        EXPECT_EQ(run.output.rfind(c.output, 0), 0u) << run.what << ": " << run.output;
        if (c.errors == "no display") {
            // Libraries may speak first; the program's own word is the last line.
            EXPECT_TRUE(run.errors.ends_with("\nhelixdash: no display found\n") ||
                        run.errors == "helixdash: no display found\n")
                << run.errors;
        } else {
            EXPECT_EQ(run.errors.rfind(c.errors, 0), 0u) << run.what << ": " << run.errors;
            if (c.status == 1) {
                EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
            }
        }
    }
}

TEST_F(GameProgramTest, KeepsScoresInThePlayersFolderAndNeverWritesIntoTheDataFolder)
{
    // Each run is asked to end well after its set-up (SIGTERM, as the desktop does at log-out)
    // and shuts down through the window's close road.
    AddRun("no mainPalette.PAL", "mainPalette.PAL");
    const std::string oldScores = "Ada\nGenius\n100\n";
    WriteText(AddRun("old scores beside the data").folder / "scores.brd", oldScores);
    const fs::path mine = base / "mine.brd";
    AddRun("--scores FILE").args = {"--scores", mine.string()};
    const fs::path fifo = base / "fifo.brd";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    AddRun("a FIFO for a score file").args = {"--scores", fifo.string()};
    const std::string dataBefore = Listing(HELIX_DATA_DIR);
    AddRunIn("--data-dir from another folder").args = {"--window", "--data-dir", HELIX_DATA_DIR};
    for (GameRun& run : runs) {
        run.stopAfterMs = 1500;
    }
    RunAll(runs);
    for (const GameRun& run : runs) {
        EXPECT_TRUE(run.exited) << run.what << ": the game crashed";
        EXPECT_EQ(run.status, 0) << run.what;
        EXPECT_EQ(run.errors, run.args.size() == 2 && run.args[1] == fifo.string()
                                  ? "helixdash: cannot read the score file " + fifo.string() +
                                        ": not a regular file\n"
                                  : "")
            << run.what;
    }
    const auto playerScores = [&](int run) {
        return runs[run].folder / "player-data/helixdash/scores.brd";
    };
    EXPECT_EQ(ReadText(playerScores(0)), "") << "a first run makes an empty score file";
    EXPECT_EQ(ReadText(playerScores(1)), oldScores) << "old scores are copied, not lost";
    EXPECT_EQ(ReadText(runs[1].folder / "scores.brd"), oldScores);
    EXPECT_TRUE(fs::exists(mine));
    EXPECT_FALSE(fs::exists(runs[2].folder / "player-data")) << "--scores makes no folder";
    EXPECT_TRUE(fs::exists(playerScores(4)));
    EXPECT_EQ(Listing(HELIX_DATA_DIR), dataBefore);
}

TEST_F(GameProgramTest, RemembersTheDisplayFromOneRunToTheNextAndMendsDamagedSettings)
{
    const auto settings = [&](int run) {
        return ReadText(runs[run].folder / "player-config/helixdash/settings.ini");
    };
    AddRun("--window --scale=integer").args = {"--window", "--scale=integer"};
    GameRun& damaged = AddRun("damaged settings");
    fs::create_directories(damaged.folder / "player-config/helixdash");
    WriteText(damaged.folder / "player-config/helixdash/settings.ini", "volume = 11\n");
    for (GameRun& run : runs) {
        run.stopAfterMs = 1000;
    }
    RunAll(runs);
    EXPECT_EQ(settings(0), "# HELIX DASH settings, written when the game ends.\n[display]\n"
                           "fullscreen = no\nwindow = 640x480\nscale = integer\n");
    EXPECT_EQ(runs[1].errors,
              "helixdash: ignoring the settings in " +
                  (runs[1].folder / "player-config/helixdash/settings.ini").string() +
                  " (line 1); they will be written anew\n");
    EXPECT_NE(settings(1).find("[display]\n"), std::string::npos) << "written anew";

    // The next run in the first one's folders starts as that one ended; the command line wins.
    runs[0].args = {};
    runs[1].args = {"--fullscreen"};
    for (GameRun& run : runs) {
        run.stopAfterMs = 1000;
    }
    RunAll(runs);
    EXPECT_NE(settings(0).find("fullscreen = no\n"), std::string::npos) << settings(0);
    EXPECT_NE(settings(0).find("scale = integer\n"), std::string::npos) << settings(0);
    EXPECT_EQ(runs[1].errors, "");
    EXPECT_NE(settings(1).find("fullscreen = yes\n"), std::string::npos) << settings(1);
}
