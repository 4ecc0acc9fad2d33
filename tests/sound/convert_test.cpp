// Tests of the sample converter: the game's own files pass untouched, wide and many-channel files
// come out at their level, and conversions that would run too long are refused.
#include "sound/convert.h"

#include "tests/sound/sound_files.h"

#include <gtest/gtest.h>

namespace {

WavFormat Format(int channels, std::uint32_t rate, int bits)
{
    const auto align = static_cast<std::uint16_t>(channels * bits / 8);
    return WavFormat{WAV_FORMAT_PCM, static_cast<std::uint16_t>(channels), rate, rate * align,
                     align,          static_cast<std::uint16_t>(bits),     0};
}

TEST(SoundConvert, ChannelsAreAveragedAndTheRateBroughtTo11025)
{
    Bytes out;
    const Bytes plain = SquareWave(1001);
    ASSERT_EQ(SoundConvert(Format(1, 11025, 8), plain.data(), plain.size(), &out), 1);
    EXPECT_EQ(out, plain);

    // Three 32-bit channels at +1/2, -1/4 and +1/2 of full scale average to +1/4: 160 in 8 bits.
    Bytes wide;
    for (int frame = 0; frame < 2205; ++frame) {
        Put(Put(Put(wide, 0x40000000u, 4), 0xE0000000u, 4), 0x40000000u, 4);
    }
    ASSERT_EQ(SoundConvert(Format(3, 22050, 32), wide.data(), wide.size(), &out), 1);
    ASSERT_EQ(out.size(), 1103u); // 2,205 frames at 22,050 Hz, rounded up
    EXPECT_EQ(out[out.size() / 2], 160);

    // Slowed from 1 Hz, 401 samples would play for over six minutes; 5 MHz is beyond SDL.
    EXPECT_EQ(SoundConvert(Format(1, 1, 8), plain.data(), 401, &out), 0);
    EXPECT_STREQ(SoundConvertError(), "plays too long for a sound effect");
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(SoundConvert(Format(1, 5000000, 8), plain.data(), plain.size(), &out), 0);
    EXPECT_EQ(std::string(SoundConvertError()).rfind("cannot be converted to 11,025 Hz (", 0), 0u);
}

} // namespace
