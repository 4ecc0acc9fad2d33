// Fuzz target for the RIFF WAVE reader and the sample converter: any bytes as a whole file; an
// accepted file must describe whole frames of sample bytes that lie inside it, and those convert
// to exactly as many 11,025 Hz samples as they last.
#include "sound/convert.h"
#include "sound/sound.h"
#include "sound/wav.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

static volatile unsigned SampleSum;

// Conversions longer than this are skipped: slowing a few bytes down from a rate of 1 Hz makes
// millions of samples, which would only slow the fuzzer down.
static constexpr std::uint64_t FUZZ_CONVERT_MAX_SAMPLES = 1u << 16;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WavInfo info;
    if (WavParse(data, size, &info) != WAV_OK) {
        return 0;
    }
    const WavFormat& format = info.format;
    if (info.dataBytes == 0 || info.dataBytes > info.declaredBytes || info.dataOffset > size ||
        info.dataBytes > size - info.dataOffset || format.formatTag != WAV_FORMAT_PCM ||
        format.samplesPerSec == 0 || format.blockAlign == 0 ||
        (format.bitsPerSample != 8 && format.bitsPerSample != 16 && format.bitsPerSample != 32) ||
        format.blockAlign != format.channels * (format.bitsPerSample / 8) ||
        info.dataBytes % format.blockAlign != 0) {
        std::abort();
    }
    // Touch every sample byte, so a wrong offset shows as an out-of-bounds read.
    unsigned sum = 0;
    for (std::size_t i = 0; i < info.dataBytes; ++i) {
        sum += data[info.dataOffset + i];
    }
    SampleSum = sum;

    const std::uint64_t frames = info.dataBytes / format.blockAlign;
    const std::uint64_t samples =
        (frames * SOUND_PLAY_RATE + format.samplesPerSec - 1) / format.samplesPerSec;
    if (samples <= FUZZ_CONVERT_MAX_SAMPLES) {
        std::vector<std::uint8_t> out;
        const int converted = SoundConvert(format, data + info.dataOffset, info.dataBytes, &out);
        if (converted ? out.size() != samples : (!out.empty() || *SoundConvertError() == '\0')) {
            std::abort();
        }
    }
    return 0;
}
