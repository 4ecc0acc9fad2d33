// The sample converter: channels mixed down by us, the rate changed by SDL's resampler, the length
// made exact whatever SDL hands back.
#include "sound/convert.h"

#include "sound/sound.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

static char ConvertError[160] = "";

static int Refuse(std::vector<std::uint8_t>* out, const char* why, const char* detail = nullptr)
{
    if (detail) {
        std::snprintf(ConvertError, sizeof ConvertError, "%s (%s)", why, detail);
    } else {
        std::snprintf(ConvertError, sizeof ConvertError, "%s", why);
    }
    out->clear();
    return 0;
}

// One sample as a fraction of full scale, -1 to just under 1.
static double SampleAt(const std::uint8_t* p, unsigned bits)
{
    switch (bits) {
        case 8:
            return (p[0] - 128) / 128.0;
        case 16:
            return static_cast<std::int16_t>(p[0] | p[1] << 8) / 32768.0;
        default:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) |
                                             static_cast<std::uint32_t>(p[1]) << 8 |
                                             static_cast<std::uint32_t>(p[2]) << 16 |
                                             static_cast<std::uint32_t>(p[3]) << 24) /
                   2147483648.0;
    }
}

// Changes the rate of the mono samples in place. SDL may hand back a frame less than the exact
// length (its resampler rounds down); the caller pads.
static int Resample(std::vector<float>* mono, std::uint32_t rate, std::vector<std::uint8_t>* out)
{
    if (rate > static_cast<std::uint32_t>(INT_MAX)) {
        return Refuse(out, "has a sample rate too high to convert");
    }
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, AUDIO_F32SYS, 1, static_cast<int>(rate), AUDIO_F32SYS, 1,
                          SOUND_PLAY_RATE) < 0) {
        return Refuse(out, "cannot be converted to 11,025 Hz", SDL_GetError());
    }
    if (!cvt.needed) {
        return 1;
    }
    // SDL converts in place in a buffer len_mult times the input; its sizes are ints.
    const std::uint64_t inBytes = mono->size() * sizeof(float);
    const std::uint64_t workBytes = inBytes * static_cast<std::uint64_t>(cvt.len_mult);
    if (workBytes > static_cast<std::uint64_t>(INT_MAX)) {
        return Refuse(out, "plays too long for a sound effect");
    }
    mono->resize(static_cast<std::size_t>(workBytes / sizeof(float)));
    cvt.buf = reinterpret_cast<Uint8*>(mono->data());
    cvt.len = static_cast<int>(inBytes);
    if (SDL_ConvertAudio(&cvt) != 0) {
        return Refuse(out, "cannot be converted to 11,025 Hz", SDL_GetError());
    }
    mono->resize(static_cast<std::size_t>(cvt.len_cvt) / sizeof(float));
    return 1;
}

int SoundConvert(const WavFormat& format, const std::uint8_t* bytes, std::size_t size,
                 std::vector<std::uint8_t>* out)
{
    const unsigned bits = format.bitsPerSample;
    const std::size_t frameBytes = static_cast<std::size_t>(format.channels) * (bits / 8);
    if (format.formatTag != WAV_FORMAT_PCM || format.channels == 0 || format.samplesPerSec == 0 ||
        (bits != 8 && bits != 16 && bits != 32) || format.blockAlign != frameBytes ||
        size % frameBytes != 0) {
        return Refuse(out, "is not in a PCM format that can be converted");
    }
    const std::uint64_t frames = size / frameBytes;
    const std::uint64_t rate = format.samplesPerSec;
    const std::uint64_t outFrames = (frames * SOUND_PLAY_RATE + rate - 1) / rate;
    if (outFrames > SOUND_CONVERTED_MAX_BYTES) {
        return Refuse(out, "plays too long for a sound effect");
    }
    if (bits == 8 && format.channels == 1 && rate == SOUND_PLAY_RATE) {
        out->assign(bytes, bytes + size); // the game's own sounds, as they are
        ConvertError[0] = '\0';
        return 1;
    }

    std::vector<float> mono(static_cast<std::size_t>(frames));
    const std::size_t sampleBytes = bits / 8;
    for (std::size_t f = 0; f < mono.size(); ++f) {
        const std::uint8_t* frame = bytes + f * frameBytes;
        double sum = 0;
        for (std::size_t c = 0; c < format.channels; ++c) {
            sum += SampleAt(frame + c * sampleBytes, bits);
        }
        mono[f] = static_cast<float>(sum / format.channels);
    }
    if (!Resample(&mono, format.samplesPerSec, out)) {
        return 0;
    }
    mono.resize(static_cast<std::size_t>(outFrames), 0.0f); // silence for what SDL left off

    out->resize(mono.size());
    for (std::size_t i = 0; i < mono.size(); ++i) {
        const long level = std::lround(mono[i] * 128.0f) + 128;
        (*out)[i] = static_cast<std::uint8_t>(std::clamp(level, 0L, 255L));
    }
    ConvertError[0] = '\0';
    return 1;
}

const char* SoundConvertError()
{
    return ConvertError;
}
