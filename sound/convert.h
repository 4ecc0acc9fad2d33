// Converting a WAV file's PCM samples to the one form every sound slot plays, 8-bit unsigned mono
// at 11,025 Hz, so that a wide or stereo file sounds as recorded and volume, pan and frequency
// changes treat every file alike.
#pragma once

#include "sound/wav.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The longest converted sound a slot takes: as many samples as the largest file could hold, over
// six minutes. A file at a very low rate would otherwise grow without bound.
constexpr std::size_t SOUND_CONVERTED_MAX_BYTES = WAV_MAX_FILE_BYTES;

// Converts size bytes of samples in format (as WavParse accepted it: 8-bit unsigned or 16- or
// 32-bit signed little-endian, whole frames) to 8-bit unsigned mono at SOUND_PLAY_RATE: the
// channels are averaged, the rate changed by SDL's band-limited resampler, and out holds
// ceil(frames x SOUND_PLAY_RATE / rate) samples. A file already in that form is copied byte for
// byte. 1, or 0 with out empty and the reason in SoundConvertError.
int SoundConvert(const WavFormat& format, const std::uint8_t* bytes, std::size_t size,
                 std::vector<std::uint8_t>* out);
// Why the latest SoundConvert failed, worded to follow a file name ("" after a success).
const char* SoundConvertError();
