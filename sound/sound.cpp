// The sound-effect slots over SDL_mixer: slot i plays on mixer channel i, so restarting a slot
// restarts its channel and a slot never sounds twice at once.
#include "sound/sound.h"

#include "sound/convert.h"
#include "sound/music.h"
#include "sound/wav.h"
#include "support/error_log.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

SoundSlot SoundSlots[SOUND_SLOT_COUNT];
int SoundFirstCall = 1;
int SoundDevice = 0;

// Frames per mixing pass: about 46 ms at 11,025 Hz, short enough for a catch to sound at once.
static constexpr int SOUND_MIX_FRAMES = 512;
// Renderings kept per sound besides the ones slots are using; a frequency sweep must not grow
// memory without bound.
static constexpr std::size_t SOUND_CACHED_RATES = 4;
// The device is opened for 16-bit stereo and nothing else; only its rate may differ from ours.
static constexpr Uint16 SOUND_DEVICE_FORMAT = AUDIO_S16SYS;
static constexpr int SOUND_DEVICE_CHANNELS = 2;
static constexpr std::uint64_t SOUND_DEVICE_FRAME_BYTES = 4;
// A rendering larger than this is refused (a long sound slowed to 100 Hz would be gigabytes).
static constexpr std::size_t SOUND_RENDER_MAX_BYTES = 128u << 20;

// A sound's samples converted to the device's format as played at one rate. The chunk points
// into bytes; it is never handed to Mix_FreeChunk.
struct SoundRendering {
    int rate = 0;
    std::vector<Sint16> frames; // left, right
    Mix_Chunk chunk{};
};

// The samples of one loaded sound as 8-bit unsigned mono at SOUND_PLAY_RATE, shared by the slot
// that loaded it and its replicas.
struct SoundSamples {
    std::vector<std::uint8_t> bytes;
    std::vector<std::shared_ptr<SoundRendering>> renderings; // least recently used first
};

// The rate the mixer mixes at; valid while SoundDevice is 1.
static int DeviceRate = 0;

// One slot's sound: the shared samples and what this slot does with them.
struct SoundBuffer {
    std::shared_ptr<SoundSamples> samples;
    std::shared_ptr<SoundRendering> rendering; // at rate; null while the device is closed
    std::shared_ptr<SoundRendering> sounding;  // what the slot's channel was last started with
    int rate = SOUND_PLAY_RATE;
    int level = 0; // hundredths of a decibel, SOUND_LEVEL_MIN..0
    int pan = 0;   // hundredths of a decibel, SOUND_PAN_LEFT..SOUND_PAN_RIGHT
    unsigned playFlags = 0;
};

static char LoadError[256] = "";

static bool SlotInRange(int id)
{
    return id >= 0 && id < SOUND_SLOT_COUNT;
}

static SoundBuffer* BufferOf(int id)
{
    return SlotInRange(id) ? SoundSlots[id].buffer : nullptr;
}

static int LowestFreeSlot()
{
    for (int i = 0; i < SOUND_SLOT_COUNT; ++i) {
        if (SoundSlots[i].state == SOUND_FREE) {
            return i;
        }
    }
    return -1;
}

// DirectSound's amplitude curve: hundredths of a decibel to a linear factor.
static double LevelGain(int centibels)
{
    return std::pow(10.0, centibels / 2000.0);
}

// Converts the samples, played as 8-bit unsigned mono at rate Hz, to the device's 16-bit stereo by
// linear interpolation (as software mixers of the time resampled); reuses a cached rendering at
// that rate. Null when the device is closed or the rendering would be too large.
static std::shared_ptr<SoundRendering> Render(SoundSamples& samples, int rate)
{
    if (!SoundDevice) {
        return nullptr;
    }
    auto& cache = samples.renderings;
    for (std::size_t i = 0; i < cache.size(); ++i) {
        if (cache[i]->rate == rate) {
            auto hit = cache[i];
            cache.erase(cache.begin() + static_cast<std::ptrdiff_t>(i));
            cache.push_back(hit);
            return hit;
        }
    }
    const std::uint64_t inFrames = samples.bytes.size();
    const std::uint64_t outRate = static_cast<std::uint64_t>(DeviceRate);
    const std::uint64_t outFrames = (inFrames * outRate + static_cast<std::uint64_t>(rate) - 1) /
                                    static_cast<std::uint64_t>(rate);
    if (outFrames == 0 || outFrames * SOUND_DEVICE_FRAME_BYTES > SOUND_RENDER_MAX_BYTES) {
        return nullptr;
    }
    auto rendering = std::make_shared<SoundRendering>();
    rendering->frames.resize(static_cast<std::size_t>(outFrames) * 2);
    const std::uint8_t* in = samples.bytes.data();
    for (std::uint64_t j = 0; j < outFrames; ++j) {
        const std::uint64_t position = j * static_cast<std::uint64_t>(rate);
        const std::uint64_t i = position / outRate;
        const std::int64_t fraction = static_cast<std::int64_t>(position % outRate);
        const std::int64_t a = in[i];
        const std::int64_t b = in[std::min(i + 1, inFrames - 1)];
        const std::int64_t value =
            a * 256 + (b - a) * 256 * fraction / static_cast<std::int64_t>(outRate);
        const auto sample = static_cast<Sint16>(value - 128 * 256);
        rendering->frames[2 * j] = sample;
        rendering->frames[2 * j + 1] = sample;
    }
    rendering->rate = rate;
    rendering->chunk.allocated = 0;
    rendering->chunk.abuf = reinterpret_cast<Uint8*>(rendering->frames.data());
    rendering->chunk.alen = static_cast<Uint32>(outFrames * SOUND_DEVICE_FRAME_BYTES);
    rendering->chunk.volume = MIX_MAX_VOLUME;
    if (cache.size() >= SOUND_CACHED_RATES) {
        cache.erase(cache.begin()); // slots still using it keep it alive
    }
    cache.push_back(rendering);
    return rendering;
}

static void ApplyVolume(int id, const SoundBuffer& buffer)
{
    if (SoundDevice) {
        Mix_Volume(id, static_cast<int>(std::lround(LevelGain(buffer.level) * MIX_MAX_VOLUME)));
    }
}

// The mixer drops a channel's panning when the channel stops, so every start sets it again.
static int ApplyPan(int id, const SoundBuffer& buffer)
{
    if (!SoundDevice) {
        return 1;
    }
    const double left = buffer.pan > 0 ? LevelGain(-buffer.pan) : 1.0;
    const double right = buffer.pan < 0 ? LevelGain(buffer.pan) : 1.0;
    return Mix_SetPanning(id, static_cast<Uint8>(std::lround(left * 255)),
                          static_cast<Uint8>(std::lround(right * 255))) != 0;
}

// The game goes on without sound, and the player is told why once.
static int SilentFromNowOn(const char* why)
{
    ErrorReport("no sound: %s; the game plays silently", why);
    return 0;
}

static int OpenDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return SilentFromNowOn(SDL_GetError());
    }
    if (Mix_OpenAudioDevice(SOUND_PLAY_RATE, SOUND_DEVICE_FORMAT, SOUND_DEVICE_CHANNELS,
                            SOUND_MIX_FRAMES, nullptr, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE) != 0) {
        SilentFromNowOn(Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&DeviceRate, &format, &channels);
    if (format != SOUND_DEVICE_FORMAT || channels != SOUND_DEVICE_CHANNELS || DeviceRate <= 0 ||
        Mix_AllocateChannels(SOUND_SLOT_COUNT) != SOUND_SLOT_COUNT) {
        SilentFromNowOn("the sound device refused the mixing format or its channels");
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    return 1;
}

// Stops the slot's channel, frees its sound and clears it to a free slot.
static void ResetSlot(int id)
{
    SoundDelete(id);
    SoundSlots[id] = SoundSlot{nullptr, SOUND_FREE, 0, 0, id};
    if (SoundDevice) {
        Mix_Volume(id, MIX_MAX_VOLUME);
        Mix_UnregisterAllEffects(id);
    }
}

int SoundInit()
{
    int opened = 1;
    if (SoundFirstCall) {
        SoundFirstCall = 0;
        SoundDevice = OpenDevice();
        opened = SoundDevice;
    }
    for (int i = 0; i < SOUND_SLOT_COUNT; ++i) {
        ResetSlot(i);
    }
    return opened;
}

int SoundLoadWav(const char* fileName, unsigned capabilityFlags)
{
    (void)capabilityFlags; // every slot has volume, pan and frequency control
    const int id = LowestFreeSlot();
    if (id < 0) {
        std::snprintf(LoadError, sizeof LoadError, "%s: all %d sound slots are taken", fileName,
                      SOUND_SLOT_COUNT);
        return -1;
    }
    WavFormat format;
    std::vector<std::uint8_t> fileSamples;
    const WavResult result = WavReadFile(fileName, &format, &fileSamples);
    if (result != WAV_OK) {
        std::snprintf(LoadError, sizeof LoadError, "%s %s", fileName, WavResultText(result));
        return -1;
    }
    auto samples = std::make_shared<SoundSamples>();
    if (!SoundConvert(format, fileSamples.data(), fileSamples.size(), &samples->bytes)) {
        std::snprintf(LoadError, sizeof LoadError, "%s %s", fileName, SoundConvertError());
        return -1;
    }
    // From here on the slot is taken, even if the sound cannot be made playable.
    SoundSlot& slot = SoundSlots[id];
    slot.sampleRate = format.samplesPerSec;
    slot.dataBytes = static_cast<unsigned>(samples->bytes.size());
    slot.state = SOUND_LOADED;

    auto buffer = std::make_unique<SoundBuffer>();
    buffer->samples = samples;
    if (SoundDevice) {
        buffer->rendering = Render(*samples, SOUND_PLAY_RATE);
        if (!buffer->rendering) {
            std::snprintf(LoadError, sizeof LoadError, "%s is too long to be played", fileName);
            return -1;
        }
    }
    slot.buffer = buffer.release();
    return id;
}

const char* SoundLoadError()
{
    return LoadError;
}

int SoundReplicate(int id)
{
    const SoundBuffer* source = BufferOf(id);
    const int copy = LowestFreeSlot();
    if (!source || copy < 0) {
        return -1;
    }
    auto buffer = std::make_unique<SoundBuffer>(*source);
    buffer->sounding = nullptr;
    buffer->playFlags = 0;
    SoundSlots[copy] = SoundSlots[id];
    SoundSlots[copy].slotId = copy;
    SoundSlots[copy].buffer = buffer.release();
    ApplyVolume(copy, *SoundSlots[copy].buffer);
    return copy;
}

int SoundPlay(int id, unsigned flags)
{
    SoundBuffer* buffer = BufferOf(id);
    if (!buffer) {
        return 1;
    }
    buffer->playFlags = flags;
    if (!SoundDevice) {
        return 1; // silent running
    }
    // Halting first keeps the panning set below: the mixer drops a channel's effects only when
    // it stops a chunk that is playing.
    Mix_HaltChannel(id);
    buffer->sounding = buffer->rendering;
    if (!buffer->sounding) {
        return 1;
    }
    if (!ApplyPan(id, *buffer)) {
        return 0;
    }
    const int loops = (flags & DSBPLAY_LOOPING) ? -1 : 0;
    return Mix_PlayChannel(id, &buffer->sounding->chunk, loops) == id;
}

int SoundStop(int id)
{
    SoundBuffer* buffer = BufferOf(id);
    if (buffer && SoundDevice) {
        Mix_HaltChannel(id);
        buffer->sounding = nullptr; // only once the mixer has let go of it
    }
    return 1;
}

int SoundStopAll()
{
    for (int i = 0; i < SOUND_SLOT_COUNT; ++i) {
        SoundStop(i);
    }
    return 1;
}

int SoundPauseAll(int paused)
{
    if (SoundDevice) {
        if (paused) {
            Mix_Pause(-1);
        } else {
            Mix_Resume(-1);
        }
    }
    return 1;
}

int SoundDelete(int id)
{
    SoundStop(id);
    if (SoundBuffer* buffer = BufferOf(id)) {
        delete buffer;
        SoundSlots[id].buffer = nullptr;
    }
    return 1;
}

int SoundDeleteAll()
{
    for (int i = 0; i < SOUND_SLOT_COUNT; ++i) {
        SoundDelete(i);
    }
    return 1;
}

int SoundSetVolume(int id, int volume)
{
    SoundBuffer* buffer = BufferOf(id);
    const long long level = (100LL - volume) * -30;
    if (!buffer || level > 0 || level < SOUND_LEVEL_MIN) {
        return 0;
    }
    buffer->level = static_cast<int>(level);
    ApplyVolume(id, *buffer);
    return 1;
}

int SoundSetFrequency(int id, int rate)
{
    SoundBuffer* buffer = BufferOf(id);
    if (rate == 0) {
        rate = SOUND_PLAY_RATE; // DirectSound's "original rate"
    }
    if (!buffer || rate < SOUND_RATE_MIN || rate > SOUND_RATE_MAX) {
        return 0;
    }
    if (SoundDevice) {
        auto rendering = Render(*buffer->samples, rate);
        if (!rendering) {
            return 0;
        }
        buffer->rendering = std::move(rendering);
    }
    buffer->rate = rate;
    // A one-shot already sounding ends at its old rate; a loop would never end, so it restarts.
    if ((buffer->playFlags & DSBPLAY_LOOPING) && SoundStatus(id) > 0) {
        return SoundPlay(id, buffer->playFlags);
    }
    return 1;
}

int SoundSetPan(int id, int pan)
{
    SoundBuffer* buffer = BufferOf(id);
    if (!buffer || pan < SOUND_PAN_LEFT || pan > SOUND_PAN_RIGHT) {
        return 0;
    }
    buffer->pan = pan;
    return SoundStatus(id) > 0 ? ApplyPan(id, *buffer) : 1;
}

int SoundStatus(int id)
{
    const SoundBuffer* buffer = BufferOf(id);
    if (!buffer) {
        return -1;
    }
    if (!SoundDevice || !Mix_Playing(id)) {
        return 0;
    }
    return DSBSTATUS_PLAYING | ((buffer->playFlags & DSBPLAY_LOOPING) ? DSBSTATUS_LOOPING : 0);
}

int SoundShutdown()
{
    MusicShutdown(); // songs must go before the device they play on
    SoundDeleteAll();
    if (SoundDevice) {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        SoundDevice = 0;
    }
    SoundFirstCall = 1; // the layer may be started again
    return 1;
}
