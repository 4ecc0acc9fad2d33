// What the slots really send to the speakers: SDL's disk audio driver writes the mixed stream to a
// file, and the test reads it back.
#include "sound/sound.h"

#include "tests/sound/sound_files.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

// One stretch of sound in the output, between stretches of silence.
struct Stretch {
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
            out.push_back(Stretch{});
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

TEST(SoundOutput, PlayedSlotsReachTheStreamAsAsked)
{
    TempFolder folder("helix-sound-output");
    const std::string stream = (folder.path / "stream.raw").string();
    const std::string wav = (folder.path / "tone.wav").string();
    constexpr std::size_t SAMPLES = 4410; // 0.4 s at 11,025 Hz
    WriteFile(wav, PlainWave(SquareWave(SAMPLES)));

    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", stream.c_str(), 1);
    ASSERT_EQ(SoundInit(), 1) << SDL_GetError();
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
    SoundShutdown();
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    std::ifstream in(stream, std::ios::binary);
    std::vector<Sint16> samples;
    Sint16 value;
    while (in.read(reinterpret_cast<char*>(&value), sizeof value)) {
        samples.push_back(value);
    }
    const std::vector<Stretch> heard = Stretches(samples, 200);
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

} // namespace
