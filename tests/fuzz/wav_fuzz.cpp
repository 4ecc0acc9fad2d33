// Fuzz target for the RIFF WAVE reader: any bytes as a whole file; an accepted file must describe
// whole frames of sample bytes that lie inside it.
#include "sound/wav.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

static volatile unsigned SampleSum;

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
    return 0;
}
