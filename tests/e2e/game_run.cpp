// The end-to-end runs' driver: the pass hook that watches the world and works the keys, the
// steering bot, the state dump and the key scripts.
#include "tests/e2e/game_run.h"

#include "app/winmain.h"
#include "game/score_file.h"
#include "game/setup.h"
#include "game/world.h"
#include "platform/keyboard.h"
#include "platform/message.h"
#include "platform/time.h"
#include "platform/window.h"
#include "tests/sdl_events.h"
#include "tests/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

GameRun ThisRun;

// Closer than this to the piece along x, the catcher turns to head along y: the catch boxes
// overlap up to 36 pixels between centres, 4 of which the catcher's off-centre box takes.
static constexpr int ALIGNED = 24;
// What a piece that does not help the codon costs on top of its distance.
static constexpr int NO_HELP_COST = 10000;

// ---- the bot ----

// A piece helps when it starts a codon for a layer still missing; once a codon is started, any
// piece goes on with it (most codons give a picture).
static bool HelpsCodon(int slot)
{
    const int kind = PieceKind[slot];
    return CodonLength != 0 || (kind != KIND_SPECIAL && FaceLayerSet[kind] == 0);
}

int BotArrowKey()
{
    int cx = 0, cy = 0, bestCost = -1, dx = 0, dy = 0;
    SpriteGetPosition(&CatcherSprite, &cx, &cy);
    for (int slot = 0; slot < PIECE_SLOTS; ++slot) {
        if (SlotEmpty[slot] == 1) {
            continue;
        }
        int px = 0, py = 0;
        SpriteGetPosition(&Pieces[slot], &px, &py);
        // From the catcher's centre to the piece's.
        const int sx = px + PIECE_SIZE / 2 - cx - CatcherSize / 2;
        const int sy = py + PIECE_SIZE / 2 - cy - CatcherSize / 2;
        const int cost = std::abs(sx) + std::abs(sy) + (HelpsCodon(slot) ? 0 : NO_HELP_COST);
        if (bestCost < 0 || cost < bestCost) {
            bestCost = cost;
            dx = sx;
            dy = sy;
        }
    }
    if (std::abs(dx) >= ALIGNED) {
        return dx < 0 ? VK_LEFT : VK_RIGHT;
    }
    return dy < 0 ? VK_UP : VK_DOWN;
}

// ---- the pass hook ----

static std::array<unsigned char, PIECE_SLOTS> PreviousEmpty{};
static int PreviousState = STATE_OPENING;
static int PreviousFaces = 0;
static int PreviousScore = 0;
static bool NameSent = false;

// What the pass did, seen from outside. A pass handles one message (a respawn tick refills a
// slot) and then runs the frame of the state the previous pass left (catches empty slots, in slot
// order); a refilled piece is never under the catcher, so no slot is refilled and caught in one
// pass.
static void WatchPass()
{
    GameLog& log = ThisRun.log;
    ++log.passes;
    log.playFrames += PreviousState == STATE_PLAY;
    for (int slot = 0; slot < PIECE_SLOTS; ++slot) {
        if (PreviousEmpty[slot] == 0 && SlotEmpty[slot] == 1) {
            log.kinds.push_back(PieceKind[slot]);
        } else if (PreviousEmpty[slot] == 1 && SlotEmpty[slot] == 0) {
            ++log.refills;
        }
        PreviousEmpty[slot] = SlotEmpty[slot];
    }
    if (FacesCompleted > PreviousFaces) {
        log.faces.push_back(
            {FaceLayerFrame[0], FaceLayerFrame[1], FaceLayerFrame[2], FaceLayerFrame[3]});
        log.facePoints.push_back(GameScore - PreviousScore);
    }
    PreviousFaces = FacesCompleted;
    PreviousScore = GameScore;
    PreviousState = GameState;
}

static void SetKey(int vk, bool down)
{
    if (((GetAsyncKeyState(vk) & 0x8000) != 0) == down) {
        return;
    }
    KeyboardSetKey(vk, down);
    ThisRun.keys.push_back({ThisRun.log.passes, vk, down});
}

static void BotKeys()
{
    SetKey(VK_SPACE, GameState == STATE_TITLE);
    const int arrow = GameState == STATE_PLAY ? BotArrowKey() : 0;
    for (int vk : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) {
        SetKey(vk, vk == arrow);
    }
}

static void ScriptKeys()
{
    static size_t next = 0;
    for (; next < ThisRun.script.size() && ThisRun.script[next].pass == ThisRun.log.passes;
         ++next) {
        SetKey(ThisRun.script[next].vk, ThisRun.script[next].down);
    }
}

// The score screen: the name typed and Enter, as a player's keyboard sends them; Escape once the
// record is saved (at once when no name is to be typed).
static void ScoreScreenKeys()
{
    if (!ThisRun.name.empty() && !NameSent) {
        NameSent = true;
        PushText(MainWindow, ThisRun.name.c_str());
        PushKey(MainWindow, SDL_SCANCODE_RETURN, SDLK_RETURN, true);
        PushKey(MainWindow, SDL_SCANCODE_RETURN, SDLK_RETURN, false);
    }
    if (ThisRun.name.empty() || ScoreSaved == 1) {
        KeyboardSetKey(VK_ESCAPE, true);
    }
}

static void PassHook()
{
    WatchPass();
    if (!ThisRun.script.empty()) {
        ScriptKeys();
    } else {
        BotKeys();
    }
    if (GameState == STATE_SCORES) {
        ScoreScreenKeys();
    }
    if (ThisRun.log.passes >= ThisRun.passLimit) {
        KeyboardSetKey(VK_ESCAPE, true);
    }
}

// ---- dumps and scripts ----

std::string GameDump(long seed)
{
    const GameLog& log = ThisRun.log;
    std::ostringstream out;
    out << "seed " << seed << "\nplay frames " << log.playFrames << "\nrefills " << log.refills
        << "\ngame score " << GameScore << "\nrank " << RankTitle << "\nfaces " << log.faces.size()
        << "\n";
    for (size_t i = 0; i < log.faces.size(); ++i) {
        const auto& f = log.faces[i];
        out << "face " << i + 1 << ": " << f[0] << " " << f[1] << " " << f[2] << " " << f[3]
            << " = " << log.facePoints[i] << "\n";
    }
    out << "codons " << log.kinds.size() / CODON_LENGTH << "\n";
    for (size_t i = 0; i + CODON_LENGTH <= log.kinds.size(); i += CODON_LENGTH) {
        out << log.kinds[i] << " " << log.kinds[i + 1] << " " << log.kinds[i + 2] << "\n";
    }
    out << "unfinished codon:";
    for (size_t i = log.kinds.size() - log.kinds.size() % CODON_LENGTH; i < log.kinds.size(); ++i) {
        out << " " << log.kinds[i];
    }
    out << "\n";
    return out.str();
}

std::string KeyScriptText(const std::vector<KeyChange>& keys)
{
    std::ostringstream out;
    for (const KeyChange& k : keys) {
        out << k.pass << " " << k.vk << " " << (k.down ? 1 : 0) << "\n";
    }
    return out.str();
}

std::vector<KeyChange> KeyScriptParse(const std::string& text)
{
    std::vector<KeyChange> script;
    std::istringstream in(text);
    int pass = 0, vk = 0, down = 0;
    while (in >> pass >> vk >> down) {
        script.push_back({pass, vk, down != 0});
    }
    return script;
}

std::string FileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// ---- the fixture ----

void GameRunTest::SetUp()
{
    PlatformShutdown();
    previousDir = fs::current_path();
    workDir = TestTempDir("helix-e2e");
    fs::copy(HELIX_DATA_DIR, workDir, fs::copy_options::recursive);
    std::ofstream(workDir / SCORE_FILE_NAME).flush(); // as the program makes it on a first run
    fs::current_path(workDir);
    KeyboardClear();
    PlatformUseFakeClock(1000);
}

void GameRunTest::TearDown()
{
    MainLoopPassHook = nullptr;
    KeyboardClear();
    PlatformShutdown();
    PlatformUseRealClock();
    fs::current_path(previousDir);
    fs::remove_all(workDir);
}

int GameRunTest::Play(long seed)
{
    SetupSeed = seed;
    MainLoopPassHook = PassHook;
    char commandLine[] = "";
    return WinMain(PlatformInstance(), nullptr, commandLine, SW_SHOWNORMAL);
}
