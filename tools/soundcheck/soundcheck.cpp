// helix_soundcheck: how often the game's sound effects clip in the mixer when they overlap.
// Plays whole games with the end-to-end runs' steering bot, headless on the fake clock, notes
// when each effect starts, then mixes those starts offline as the game's mixer does (8-bit samples
// times 256 into 16 bits, one channel a slot at full volume, summed and clamped) and counts the
// samples the clamp changes. With --real-time the games play on the real clock with SDL's disk
// audio driver recording the mixer's own output, whose samples at full scale are counted as well:
// a check of the offline mix that takes as long as the games.
// Usage: helix_soundcheck [--games N] [--seed S] [--real-time] [DATA_FOLDER]
#include "app/winmain.h"
#include "game/score_file.h"
#include "game/setup.h"
#include "game/world.h"
#include "platform/keyboard.h"
#include "platform/message.h"
#include "platform/time.h"
#include "platform/window.h"
#include "sound/convert.h"
#include "sound/wav.h"
#include "support/regular_file.h"
#include "tests/e2e/game_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

static constexpr int MIX_RATE = 11025;
// The mixer fills the device in passes of this many frames (sound.cpp's SOUND_MIX_FRAMES) and a
// sound started between passes begins at the next one.
static constexpr std::uint64_t MIX_PASS_FRAMES = 512;
static constexpr int MIX_HIGHEST = 32767, MIX_LOWEST = -32768;
// A game the bot has not finished after this many passes of the main loop (half an hour of
// play) is ended with Escape; its sounds are still mixed.
static constexpr int PASS_LIMIT = 60000;
// The score screen is left this long after it appears, once the game-over tune has played out.
static constexpr std::uint32_t SCORES_MS = 3000;
static constexpr int GAMES_MAX = 100;

struct Effect {
    const int* id; // the game's slot id for it, set when the game loads its sounds
    const char* fileName;
};

// The game's sounds and where it keeps their slot ids; an effect's index here is its channel in
// the offline mix, as each slot has a mixer channel of its own.
static const Effect EFFECTS[] = {
    {&SoundStart, "Untitled4.WAV"},        {&SoundCatch, "untitled.WAV"},
    {&SoundCatchSpecial, "untitled2.WAV"}, {&SoundFaceNothing, "untitled3.WAV"},
    {&SoundFaceScored, "untitled5.WAV"},   {&SoundBadCodon, "untitled6.WAV"},
    {&SoundGameOver, "untitled7.WAV"},
};
static constexpr int EFFECT_COUNT = static_cast<int>(std::size(EFFECTS));

// An effect started at a tick of the game's clock.
struct EffectStart {
    std::uint32_t tick;
    std::int32_t effect;
};

// ---- in the process that plays ----

static std::vector<EffectStart> Starts;
static int Passes = 0;
static bool Finished = false;
static std::uint32_t ScoresTick = 0; // when the score screen appeared

static void NoteStart(int id)
{
    for (int e = 0; e < EFFECT_COUNT; ++e) {
        if (id >= 0 && *EFFECTS[e].id == id) {
            Starts.push_back({PlatformTicks(), e});
        }
    }
}

// Space on the title, the bot on the play screen, Escape once the game-over tune has played on the
// score screen, or when the game runs too long.
static void PassHook()
{
    ++Passes;
    KeyboardSetKey(VK_SPACE, GameState == STATE_TITLE);
    const int arrow = GameState == STATE_PLAY ? BotArrowKey() : 0;
    for (int vk : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) {
        KeyboardSetKey(vk, vk == arrow);
    }
    if (!Finished && GameState == STATE_SCORES) {
        Finished = true;
        ScoresTick = PlatformTicks();
    }
    if ((Finished && PlatformTicks() - ScoresTick >= SCORES_MS) || Passes >= PASS_LIMIT) {
        KeyboardSetKey(VK_ESCAPE, true);
    }
}

// Plays one game in this process (the game's world lives as long as its process) and writes the
// starts to fd: whether the game finished, then the starts. The exit status is WinMain's. With a
// disk file the game runs on the real clock and the mixer's output goes into that file.
[[noreturn]] static void PlayGame(long seed, const std::string& dataDir,
                                  const std::string& diskFile, int fd)
{
    std::filesystem::current_path(dataDir);
    // An empty score file of the game's own, as a first run has: the data folder is only read.
    const std::filesystem::path scores = std::filesystem::temp_directory_path() /
                                         ("helix-soundcheck-" + std::to_string(getpid()) + ".brd");
    std::ofstream(scores, std::ios::trunc).flush();
    std::snprintf(ScoreFilePath, sizeof ScoreFilePath, "%s", scores.c_str());
    if (diskFile.empty()) {
        PlatformUseFakeClock(1000);
    } else {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", diskFile.c_str(), 1);
    }
    SetupSeed = seed;
    MainLoopPassHook = PassHook;
    char commandLine[] = "";
    const int result = WinMain(PlatformInstance(), nullptr, commandLine, SW_SHOWNORMAL);
    PlatformShutdown();
    std::filesystem::remove(scores);
    const std::uint8_t finished = Finished ? 1 : 0;
    if (!FileWriteFully(fd, &finished, 1) ||
        !FileWriteFully(fd, Starts.data(), Starts.size() * sizeof(EffectStart))) {
        _exit(1);
    }
    _exit(result);
}

// The game's rules and its set-up start every effect through SoundPlay; the link routes those
// calls through here first (--wrap), so the game plays exactly as it does without the tool.
extern "C" int __real__Z9SoundPlayij(int id, unsigned flags);
extern "C" int __wrap__Z9SoundPlayij(int id, unsigned flags)
{
    NoteStart(id);
    return __real__Z9SoundPlayij(id, flags);
}

// ---- in the process that measures ----

struct Game {
    bool finished = false;
    std::vector<EffectStart> starts;
};

// Plays the game with the seed in a child process; 1 with its starts, 0 when it failed.
static int RecordGame(long seed, const std::string& dataDir, const std::string& diskFile,
                      Game* game)
{
    int fds[2];
    if (pipe(fds) != 0) {
        return 0;
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        return 0;
    }
    if (child == 0) {
        close(fds[0]);
        PlayGame(seed, dataDir, diskFile, fds[1]);
    }
    close(fds[1]);
    std::vector<char> bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    close(fds[0]);
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        bytes.empty() || (bytes.size() - 1) % sizeof(EffectStart) != 0) {
        return 0;
    }
    game->finished = bytes[0] == 1;
    game->starts.resize((bytes.size() - 1) / sizeof(EffectStart));
    std::memcpy(game->starts.data(), bytes.data() + 1, bytes.size() - 1);
    for (const EffectStart& s : game->starts) {
        if (s.effect < 0 || s.effect >= EFFECT_COUNT) {
            return 0;
        }
    }
    return 1;
}

// Each effect's samples as a slot holds them: the file read and converted by the sound layer.
static int LoadEffects(const std::string& dataDir, std::vector<std::uint8_t> samples[EFFECT_COUNT])
{
    for (int e = 0; e < EFFECT_COUNT; ++e) {
        const std::string path = dataDir + "/" + EFFECTS[e].fileName;
        WavFormat format{};
        std::vector<std::uint8_t> bytes;
        const WavResult result = WavReadFile(path.c_str(), &format, &bytes);
        if (result != WAV_OK) {
            std::fprintf(stderr, "helix_soundcheck: %s %s\n", path.c_str(), WavResultText(result));
            return 0;
        }
        if (!SoundConvert(format, bytes.data(), bytes.size(), &samples[e])) {
            std::fprintf(stderr, "helix_soundcheck: %s %s\n", path.c_str(), SoundConvertError());
            return 0;
        }
    }
    return 1;
}

struct MixCount {
    std::uint64_t frames = 0, clipped = 0;
    int highest = 0, lowest = 0; // of the unclamped sum
    // Clipped samples by the effects sounding at them.
    std::map<std::string, std::uint64_t> clippedBy;
};

// Mixes one game's starts from its first on. A slot started again is cut off and restarted, as
// the game's sound layer does; the rest of the effects play to their ends.
static void MixGame(const std::vector<EffectStart>& starts,
                    const std::vector<std::uint8_t> samples[EFFECT_COUNT], MixCount* count)
{
    if (starts.empty()) {
        return;
    }
    struct Span {
        std::uint64_t from, to;
        int effect;
    };
    std::vector<Span> spans;
    std::uint64_t end = 0;
    std::uint64_t sounding[EFFECT_COUNT] = {}; // 1 + the index in spans of the effect's latest
    for (const EffectStart& s : starts) {
        const std::uint64_t frame = std::uint64_t(s.tick - starts[0].tick) * MIX_RATE / 1000;
        const std::uint64_t from =
            (frame + MIX_PASS_FRAMES - 1) / MIX_PASS_FRAMES * MIX_PASS_FRAMES;
        if (sounding[s.effect] != 0) {
            Span& cut = spans[sounding[s.effect] - 1];
            cut.to = std::min(cut.to, from);
        }
        spans.push_back({from, from + samples[s.effect].size(), s.effect});
        sounding[s.effect] = spans.size();
        end = std::max(end, spans.back().to);
    }
    std::vector<std::int32_t> mix(end, 0);
    std::vector<std::uint8_t> who(end, 0); // a bit per effect sounding
    for (const Span& span : spans) {
        for (std::uint64_t f = span.from; f < span.to; ++f) {
            mix[f] += (std::int32_t(samples[span.effect][f - span.from]) - 128) * 256;
            who[f] |= static_cast<std::uint8_t>(1u << span.effect);
        }
    }
    count->frames += end;
    for (std::uint64_t f = 0; f < end; ++f) {
        count->highest = std::max(count->highest, mix[f]);
        count->lowest = std::min(count->lowest, mix[f]);
        if (mix[f] <= MIX_HIGHEST && mix[f] >= MIX_LOWEST) {
            continue;
        }
        ++count->clipped;
        std::string names;
        for (int e = 0; e < EFFECT_COUNT; ++e) {
            if (who[f] & (1u << e)) {
                names += std::string(names.empty() ? "" : " + ") + EFFECTS[e].fileName;
            }
        }
        ++count->clippedBy[names];
    }
}

// Frames of the disk driver's recording (16-bit stereo in the machine's byte order, as the sound
// layer opens the device) with a side at full scale, where the mixer's clamp may have acted; -1
// when the file cannot be read or does not hold whole frames.
static long long FullScaleFrames(const std::string& diskFile)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(diskFile, error) ||
        std::filesystem::file_size(diskFile, error) % (2 * sizeof(std::int16_t)) != 0) {
        return -1;
    }
    std::ifstream in(diskFile, std::ios::binary);
    long long count = 0;
    std::int16_t frame[2];
    while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) {
        count += frame[0] == MIX_HIGHEST || frame[0] == MIX_LOWEST || frame[1] == MIX_HIGHEST ||
                 frame[1] == MIX_LOWEST;
    }
    return in.eof() ? count : -1;
}

static std::string Minutes(std::uint64_t frames)
{
    const std::uint64_t seconds = frames / MIX_RATE;
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(seconds / 60),
                  static_cast<unsigned long long>(seconds % 60));
    return text;
}

static int Usage()
{
    std::fprintf(stderr,
                 "usage: helix_soundcheck [--games N] [--seed S] [--real-time] [DATA_FOLDER]\n");
    return 2;
}

int main(int argc, char** argv)
{
    int games = 5;
    long seed = 1;
    bool realTime = false;
    std::string dataDir = HELIX_DATA_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--games" || arg == "--seed") && i + 1 < argc) {
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < (arg == "--games" ? 1 : 0) ||
                (arg == "--games" && value > GAMES_MAX)) {
                return Usage();
            }
            if (arg == "--games") {
                games = static_cast<int>(value);
            } else {
                seed = value;
            }
        } else if (arg == "--real-time") {
            realTime = true;
        } else if (arg.empty() || arg[0] == '-') {
            return Usage();
        } else {
            dataDir = std::filesystem::absolute(arg).string();
        }
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    std::vector<std::uint8_t> samples[EFFECT_COUNT];
    if (!LoadEffects(dataDir, samples)) {
        return 1;
    }
    MixCount total;
    std::uint64_t started = 0;
    for (int g = 0; g < games; ++g) {
        Game game;
        const std::string diskFile =
            realTime ? (std::filesystem::temp_directory_path() /
                        ("helix-soundcheck-" + std::to_string(getpid()) + ".raw"))
                           .string()
                     : "";
        if (!RecordGame(seed + g, dataDir, diskFile, &game)) {
            std::fprintf(stderr, "helix_soundcheck: the game with seed %ld did not run\n",
                         seed + g);
            return 1;
        }
        // Every game starts with the start tune: no starts means the calls were not noted.
        if (game.starts.empty()) {
            std::fprintf(stderr, "helix_soundcheck: no sound was noted in the game with seed %ld\n",
                         seed + g);
            return 1;
        }
        MixCount count;
        MixGame(game.starts, samples, &count);
        std::printf("seed %ld: %s of play, %zu effects, %llu clipped samples", seed + g,
                    Minutes(count.frames).c_str(), game.starts.size(),
                    static_cast<unsigned long long>(count.clipped));
        if (realTime) {
            const long long fullScale = FullScaleFrames(diskFile);
            std::remove(diskFile.c_str());
            if (fullScale < 0) {
                std::fprintf(stderr, "\nhelix_soundcheck: no recording of the mixer's output\n");
                return 1;
            }
            std::printf("; the mixer's recorded output: %lld samples at full scale", fullScale);
        }
        std::printf("%s\n", game.finished ? "" : " (the bot did not finish the game)");
        started += game.starts.size();
        total.frames += count.frames;
        total.clipped += count.clipped;
        total.highest = std::max(total.highest, count.highest);
        total.lowest = std::min(total.lowest, count.lowest);
        for (const auto& [names, n] : count.clippedBy) {
            total.clippedBy[names] += n;
        }
    }
    std::printf("%d games, %s of play at %d Hz, %llu effects: %llu clipped samples; the mix "
                "reached %+d and %+d (16-bit range %+d to %+d)\n",
                games, Minutes(total.frames).c_str(), MIX_RATE,
                static_cast<unsigned long long>(started),
                static_cast<unsigned long long>(total.clipped), total.highest, total.lowest,
                MIX_HIGHEST, MIX_LOWEST);
    for (const auto& [names, n] : total.clippedBy) {
        std::printf("  %llu clipped under %s\n", static_cast<unsigned long long>(n), names.c_str());
    }
    return 0;
}
