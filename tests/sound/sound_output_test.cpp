// What the slots really send to the speakers: SDL's disk audio driver writes the mixed stream to a
// file, and the test reads it back.
#include "sound/sound.h"

#include "tests/sound/sound_files.h"
#include "tests/temp_dir.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

namespace {

// One stretch of sound in the output, between stretches of silence, with the root mean square
// and the sign changes of its left channel.
struct Stretch {
    std::size_t start = 0; // frame index in the stream
    std::size_t frames = 0;
    int leftPeak = 0;
    int rightPeak = 0;
    double rms = 0;
    int zeroCrossings = 0;
};

// Splits a stream of 16-bit stereo frames into its sounding stretches; quiet gaps shorter than
// 200 frames belong to the stretch around them.
std::vector<Stretch> Stretches(const std::vector<Sint16>& stream)
{
    std::vector<Stretch> out;
    std::size_t lastLoud = 0;
    for (std::size_t f = 0; f + 1 < stream.size(); f += 2) {
        const int left = std::abs(stream[f]);
        const int right = std::abs(stream[f + 1]);
        const std::size_t frame = f / 2;
        if (left < 500 && right < 500) {
            continue;
        }
        if (out.empty() || frame - lastLoud > 200) {
            out.push_back(Stretch{frame});
        }
        lastLoud = frame;
        Stretch& s = out.back();
        s.frames = frame - s.start + 1;
        s.leftPeak = std::max(s.leftPeak, left);
        s.rightPeak = std::max(s.rightPeak, right);
    }
    for (Stretch& s : out) {
        double sum = 0;
        for (std::size_t f = s.start; f < s.start + s.frames; ++f) {
            sum += double(stream[2 * f]) * stream[2 * f];
            s.zeroCrossings += f > s.start && (stream[2 * f] < 0) != (stream[2 * f - 2] < 0);
        }
        s.rms = std::sqrt(sum / double(s.frames));
    }
    return out;
}

// Plays the slots together, waits until they are quiet and leaves a gap of silence behind.
void PlayThrough(std::initializer_list<int> ids)
{
    for (int id : ids) {
        SoundPlay(id, 0);
    }
    for (int id : ids) {
        for (int waited = 0; SoundStatus(id) > 0 && waited < 3000; waited += 5) {
            SDL_Delay(5);
        }
        EXPECT_EQ(SoundStatus(id), 0) << "a sound played once ends by itself";
    }
    SDL_Delay(150);
}

// A square tone played in several ways, then a quarter of a second of a 441 Hz sine once as 8-bit
// mono 11,025 Hz and once as 16-bit stereo 44,100 Hz: the wide file is converted on loading and
// sounds like its twin, not as noise.
TEST(SoundOutput, PlayedSlotsReachTheStreamAsAsked)
{
    constexpr std::size_t SAMPLES = 4410; // 0.4 s at 11,025 Hz
    const std::string tonePath =
        WriteFile(TestProcessFile("tone.wav"), PlainWave(SquareWave(SAMPLES)));
    constexpr double TWO_PI = 6.283185307179586;
    constexpr double AMPLITUDE = 0.6; // of full scale
    Bytes narrowSamples, wideSamples;
    for (int i = 0; i < 44100 / 4; ++i) {
        const double wave = AMPLITUDE * std::sin(TWO_PI * 441 * i / 44100);
        const auto sample = std::uint32_t(std::lround(32767 * wave));
        Put(Put(wideSamples, sample, 2), sample, 2); // left, right
        if (i % 4 == 0) {
            narrowSamples.push_back(std::uint8_t(std::lround(128 + 127 * wave)));
        }
    }
    const std::string narrowPath =
        WriteFile(TestProcessFile("narrow.wav"), PlainWave(narrowSamples));
    const std::string widePath = WriteFile(
        TestProcessFile("wide.wav"),
        RiffWave({Chunk("fmt ", FormatRecord(1, 2, 44100, 16)), Chunk("data", wideSamples)}));

    const std::string stream = TestProcessFile("stream.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", stream.c_str(), 1);
    ASSERT_EQ(SoundInit(), 1) << SDL_GetError();
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
    ASSERT_TRUE(format == AUDIO_S16SYS && channels == 2) << format << " " << channels;
    const int tone = SoundLoadWav(tonePath.c_str(), 0xE0);
    const int twin = SoundReplicate(tone);
    const int narrow = SoundLoadWav(narrowPath.c_str(), 0);
    const int wide = SoundLoadWav(widePath.c_str(), 0);
    ASSERT_GE(twin, 0);
    ASSERT_GE(wide, 0) << SoundLoadError();

    PlayThrough({tone}); // 1: once
    SoundPlay(tone, 0);  // 2: restarted halfway
    SDL_Delay(150);
    PlayThrough({tone});
    PlayThrough({tone, twin});                    // 3: with its replica
    ASSERT_EQ(SoundSetFrequency(tone, 22050), 1); // 4: twice as fast
    PlayThrough({tone});
    ASSERT_EQ(SoundSetFrequency(tone, 0), 1); // 5: at the first rate again, on the left only
    ASSERT_EQ(SoundSetPan(tone, SOUND_PAN_LEFT), 1);
    PlayThrough({tone});
    SoundPlay(tone, DSBPLAY_LOOPING); // 6: looping for one and a half lengths
    SDL_Delay(600);
    EXPECT_EQ(SoundStatus(tone), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    SoundStop(tone);
    SDL_Delay(150);
    PlayThrough({narrow}); // 7 and 8: the sine twins
    PlayThrough({wide});
    SoundShutdown();
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    std::ifstream in(stream, std::ios::binary);
    std::vector<Sint16> samples;
    for (Sint16 value; in.read(reinterpret_cast<char*>(&value), sizeof value);) {
        samples.push_back(value);
    }
    const std::vector<Stretch> heard = Stretches(samples);
    ASSERT_EQ(heard.size(), 8u);
    const double oneFrames = static_cast<double>(SAMPLES) * frequency / 11025;
    const Stretch& once = heard[0];
    EXPECT_NEAR(static_cast<double>(once.frames), oneFrames, oneFrames * 0.02);
    EXPECT_GT(once.leftPeak, 5000);
    EXPECT_NEAR(once.rightPeak, once.leftPeak, once.leftPeak * 0.02);
    // The restart cut the first play off: longer, but never two voices at once.
    EXPECT_GT(heard[1].frames, oneFrames * 1.2);
    EXPECT_LT(heard[1].leftPeak, once.leftPeak * 1.1);
    // The replica sounds together with its source.
    EXPECT_GT(heard[2].leftPeak, once.leftPeak * 1.6);
    EXPECT_NEAR(static_cast<double>(heard[3].frames), oneFrames / 2, oneFrames * 0.02);
    EXPECT_NEAR(static_cast<double>(heard[4].frames), oneFrames, oneFrames * 0.02);
    EXPECT_GT(heard[4].leftPeak, 5000);
    EXPECT_LT(heard[4].rightPeak, heard[4].leftPeak / 100 + 1);
    EXPECT_GT(heard[5].frames, oneFrames * 1.3);

    const Stretch &narrowHeard = heard[6], &wideHeard = heard[7];
    EXPECT_NEAR(double(wideHeard.frames), double(narrowHeard.frames), narrowHeard.frames * 0.02);
    EXPECT_NEAR(wideHeard.rms, narrowHeard.rms, narrowHeard.rms * 0.1);
    EXPECT_NEAR(wideHeard.zeroCrossings, narrowHeard.zeroCrossings,
                narrowHeard.zeroCrossings * 0.05);
}

} // namespace
