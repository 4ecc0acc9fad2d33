// Whole games through the real main loop, headless on the fake clock in a copy of the generated
// data folder: a steering bot or a recorded key script at the keys, and a log of what the game
// did (catches, codons, faces, scores) taken between the passes of the loop.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

// What a watched game did.
struct GameLog {
    int passes = 0;                        // passes of the main loop
    int playFrames = 0;                    // passes that ran the play screen
    int refills = 0;                       // empty slots filled again by the respawn timer
    std::vector<int> kinds;                // kinds of the caught pieces, in the order caught
    std::vector<std::array<int, 4>> faces; // the four layer frames of each judged face
    std::vector<int> facePoints;           // the points each face added to the game score
};

// One key change of a recorded script: before the frame of pass `pass + 1`, key vk goes down/up.
struct KeyChange {
    int pass;
    int vk;
    bool down;
};

// The one game this process plays (the game's world lives as long as the process, as in the game
// itself, so each end-to-end program runs one).
struct GameRun {
    GameLog log;
    // The keys: the bot steers unless a script is given; every change is recorded in `keys`.
    std::vector<KeyChange> script, keys;
    // On the score screen: the name typed before Enter, or empty for Escape at once.
    std::string name;
    // A run that has not reached the end after this many passes is ended with Escape.
    int passLimit = 60000;
};

extern GameRun ThisRun;

// The play screen's bot: heads for the nearest piece that helps the codon being collected, the
// nearest of any kind when none helps. Returns the arrow key to hold.
int BotArrowKey();

// The state dump of a finished run: seed, play frames, game score, rank, faces and codon log.
std::string GameDump(long seed);

// Key scripts as text, one "pass vk down" line per change.
std::string KeyScriptText(const std::vector<KeyChange>& keys);
std::vector<KeyChange> KeyScriptParse(const std::string& text);

std::string FileText(const std::filesystem::path& path);

// Each test plays its game in a fresh copy of the data folder on the fake clock, with the seed
// given to GameRunTest::Play.
class GameRunTest : public ::testing::Test {
protected:
    std::filesystem::path previousDir, workDir;

    void SetUp() override;
    void TearDown() override;
    // Runs WinMain with the pass hook and returns its result.
    static int Play(long seed);
};
