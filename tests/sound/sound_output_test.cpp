// What the slots really send to the speakers: SDL's disk audio driver writes the mixed stream to a
// file, and the test reads it back.
#include "sound/sound.h"

#include "tests/sound/sound_files.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

namespace {

// One stretch of sound in the output, between stretches of silence.
struct Stretch {
    std::size_t start = 0; // frame index in the stream
    std::size_t frames = 0;
    int leftPeak = 0;
    int rightPeak = 0;
};

// Splits a stream of 16-bit stereo frames into its sounding stretches; quiet gaps shorter than
// gapFrames belong to the stretch around them.
std::vector<Stretch> Stretches(const std::vector<Sint16>& stream, std::size_t gapFrames)
{
    constexpr int LOUD = 500;
    std::vector<Stretch> out;
    std::size_t lastLoud = 0;
    std::size_t start = 0;
    bool open = false;
    for (std::size_t f = 0; f + 1 < stream.size(); f += 2) {
        const int left = std::abs(stream[f]);
        const int right = std::abs(stream[f + 1]);
        const std::size_t frame = f / 2;
        if (left < LOUD && right < LOUD) {
            continue;
        }
        if (!open || frame - lastLoud > gapFrames) {
            out.push_back(Stretch{frame});
            start = frame;
            open = true;
        }
        lastLoud = frame;
        out.back().frames = frame - start + 1;
        out.back().leftPeak = std::max(out.back().leftPeak, left);
        out.back().rightPeak = std::max(out.back().rightPeak, right);
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
    }
    SDL_Delay(150);
}

// Opens the audio device on the disk driver, writing the mixed stream to path.
void OpenOnDisk(const std::string& path)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    ASSERT_EQ(SoundInit(), 1) << SDL_GetError();
}

// Closes the device and reads back the stream it wrote, left and right samples in turn.
std::vector<Sint16> CloseAndRead(const std::string& path)
{
    SoundShutdown();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::ifstream in(path, std::ios::binary);
    std::vector<Sint16> samples;
    Sint16 value;
    while (in.read(reinterpret_cast<char*>(&value), sizeof value)) {
        samples.push_back(value);
    }
    return samples;
}

TEST(SoundOutput, PlayedSlotsReachTheStreamAsAsked)
{
    TempFolder folder("helix-sound-output");
    const std::string stream = (folder.path / "stream.raw").string();
    const std::string wav = (folder.path / "tone.wav").string();
    constexpr std::size_t SAMPLES = 4410; // 0.4 s at 11,025 Hz
    WriteFile(wav, PlainWave(SquareWave(SAMPLES)));

    ASSERT_NO_FATAL_FAILURE(OpenOnDisk(stream));
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
    ASSERT_EQ(format, AUDIO_S16SYS);
    ASSERT_EQ(channels, 2);
    const int tone = SoundLoadWav(wav.c_str(), 0xE0);
    const int twin = SoundReplicate(tone);
    ASSERT_GE(twin, 0);

    PlayThrough({tone}); // 1: once
    SoundPlay(tone, 0);  // 2: restarted halfway
    SDL_Delay(150);
    PlayThrough({tone});
    PlayThrough({tone, twin});                    // 3: with its replica
    ASSERT_EQ(SoundSetFrequency(tone, 22050), 1); // 4: twice as fast
    PlayThrough({tone});
    ASSERT_EQ(SoundSetFrequency(tone, 0), 1); // 5: on the left only
    ASSERT_EQ(SoundSetPan(tone, SOUND_PAN_LEFT), 1);
    PlayThrough({tone});

    const std::vector<Stretch> heard = Stretches(CloseAndRead(stream), 200);
    ASSERT_EQ(heard.size(), 5u);
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
    EXPECT_GT(heard[4].leftPeak, 5000);
    EXPECT_LT(heard[4].rightPeak, heard[4].leftPeak / 100 + 1);
}

// Root mean square and sign changes of the left channel over a stretch.
struct Level {
    double rms = 0;
    int zeroCrossings = 0;
};

Level LevelOf(const std::vector<Sint16>& stream, const Stretch& stretch)
{
    Level level;
    double sum = 0;
    for (std::size_t f = stretch.start; f < stretch.start + stretch.frames; ++f) {
        const double left = stream[2 * f];
        sum += left * left;
        if (f > stretch.start && (left < 0) != (stream[2 * f - 2] < 0)) {
            level.zeroCrossings++;
        }
    }
    level.rms = std::sqrt(sum / static_cast<double>(stretch.frames));
    return level;
}

// A quarter of a second of a 441 Hz sine, once as 8-bit mono 11,025 Hz and once as 16-bit stereo
// 44,100 Hz: the wide file is converted on loading and sounds like its twin, not as noise.
TEST(SoundOutput, AWideStereoFileSoundsLikeItsNarrowTwin)
{
    TempFolder folder("helix-sound-wide");
    const std::string stream = (folder.path / "stream.raw").string();
    const std::string narrow = (folder.path / "narrow.wav").string();
    const std::string wide = (folder.path / "wide.wav").string();
    constexpr double TWO_PI = 6.283185307179586;
    constexpr double AMPLITUDE = 0.6; // of full scale
    Bytes narrowSamples;
    for (int i = 0; i < 11025 / 4; ++i) {
        narrowSamples.push_back(
            std::uint8_t(std::lround(128 + 127 * AMPLITUDE * std::sin(TWO_PI * 441 * i / 11025))));
    }
    Bytes wideSamples;
    for (int i = 0; i < 44100 / 4; ++i) {
        const long value = std::lround(32767 * AMPLITUDE * std::sin(TWO_PI * 441 * i / 44100));
        Put(Put(wideSamples, std::uint32_t(value), 2), std::uint32_t(value), 2); // left, right
    }
    WriteFile(narrow, PlainWave(narrowSamples));
    WriteFile(wide,
              RiffWave({Chunk("fmt ", FormatRecord(1, 2, 44100, 16)), Chunk("data", wideSamples)}));

    ASSERT_NO_FATAL_FAILURE(OpenOnDisk(stream));
    const int narrowId = SoundLoadWav(narrow.c_str(), 0);
    const int wideId = SoundLoadWav(wide.c_str(), 0);
    ASSERT_GE(narrowId, 0);
    ASSERT_GE(wideId, 0) << SoundLoadError();
    PlayThrough({narrowId});
    PlayThrough({wideId});
    const std::vector<Sint16> samples = CloseAndRead(stream);

    const std::vector<Stretch> heard = Stretches(samples, 200);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_NEAR(double(heard[1].frames), double(heard[0].frames), heard[0].frames * 0.02);
    const Level twin = LevelOf(samples, heard[0]);
    const Level converted = LevelOf(samples, heard[1]);
    RecordProperty("narrowRms", int(std::lround(twin.rms)));
    RecordProperty("wideRms", int(std::lround(converted.rms)));
    RecordProperty("narrowZeroCrossings", twin.zeroCrossings);
    RecordProperty("wideZeroCrossings", converted.zeroCrossings);
    EXPECT_NEAR(converted.rms, twin.rms, twin.rms * 0.1);
    EXPECT_NEAR(converted.zeroCrossings, twin.zeroCrossings, twin.zeroCrossings * 0.05);
}

} // namespace
