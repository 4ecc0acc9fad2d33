// Fuzz target for the RIFF WAVE reader: any bytes as a whole file; an accepted file must describe
// sample bytes that lie inside it.
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
    if (info.dataBytes == 0 || info.dataBytes > info.declaredBytes || info.dataOffset > size ||
        info.dataBytes > size - info.dataOffset || info.format.formatTag != WAV_FORMAT_PCM) {
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
