// Writes the game's sound effects as RIFF WAVE files: PCM, 8-bit unsigned, mono, 11,025 Hz.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int WAV_RATE = 11025;
constexpr int WAV_FORMAT_BYTES = 18; // the "fmt " chunk carries cbSize 0, so 18 bytes are readable

// samples: count unsigned 8-bit samples (128 is silence). An odd data chunk gets its pad byte.
// 1 when written, 0 on a failed write.
int WavWrite8(const char* path, const uint8_t* samples, size_t count);
