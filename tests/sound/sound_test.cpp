// Tests of the sound-effect slots on SDL's dummy audio driver: slot allocation and loading, what
// play, stop, pause and replicas do to the mixer's channels, the setters' ranges, and silent
// running without an audio device. What reaches the speakers is sound_output_test's.
#include "sound/sound.h"

#include "tests/sound/sound_files.h"
#include "tests/temp_dir.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace {

class SoundTest : public ::testing::Test {
protected:
    std::string shortWav = WriteFile(TestProcessFile("short.wav"), PlainWave(SquareWave(551)));
    std::string longWav = WriteFile(TestProcessFile("long.wav"), PlainWave(SquareWave(33075)));

    void SetUp() override
    {
        ASSERT_EQ(SoundInit(), 1) << SDL_GetError();
        ASSERT_EQ(SoundDevice, 1);
    }
    void TearDown() override
    {
        SoundShutdown();
    }
};

TEST_F(SoundTest, SlotsAreHandedOutLowestFirstAndRefusedFilesSayWhy)
{
    EXPECT_EQ(SoundLoadWav(shortWav.c_str(), 0xE0), 0);
    EXPECT_EQ(SoundLoadWav(shortWav.c_str(), 0xE0), 1);
    SoundDelete(1); // keeps its place until the next SoundInit
    EXPECT_EQ(SoundStatus(1), -1);
    EXPECT_EQ(SoundPlay(1, 0), 1); // nothing to play, and no failure

    // Nothing but a regular file is read, and a FIFO does not hold the load up (the alarm ends
    // the test program if it does); what is not PCM is refused. The slot stays free.
    const std::string fifo = TestProcessFile("fifo.wav");
    mkfifo(fifo.c_str(), 0600);
    const std::string floats = WriteFile(
        TestProcessFile("float.wav"),
        RiffWave({Chunk("fmt ", FormatRecord(3, 1, 11025, 32)), Chunk("data", SquareWave(64))}));
    for (auto [file, reason] : {std::pair{fifo, "is not a regular file"}, {floats, "is not PCM"}}) {
        alarm(10);
        EXPECT_EQ(SoundLoadWav(file.c_str(), 0), -1);
        alarm(0);
        EXPECT_EQ(SoundLoadError(), file + " " + reason);
    }
    EXPECT_EQ(SoundLoadWav(shortWav.c_str(), 0), 2);

    SoundPlay(0, DSBPLAY_LOOPING);
    ASSERT_EQ(SoundInit(), 1); // empties the table and silences every channel
    EXPECT_EQ(Mix_Playing(0), 0);
    EXPECT_EQ(SoundSlots[2].buffer, nullptr);
    EXPECT_EQ(SoundLoadWav(shortWav.c_str(), 0), 0);
}

TEST_F(SoundTest, PlayStopPauseAndReplicasDriveTheirChannels)
{
    const int source = SoundLoadWav(longWav.c_str(), 0xE0);
    EXPECT_EQ(SoundPlay(source, 0), 1);
    EXPECT_EQ(SoundStatus(source), DSBSTATUS_PLAYING);
    EXPECT_EQ(SoundPlay(source, DSBPLAY_LOOPING), 1); // restarted, now looping
    // The game in the background holds its sounds where they are. The mixer marks a paused
    // channel with the tick of the pause, and tick 0, just after SDL starts, reads as not paused.
    SDL_Delay(1);
    SoundPauseAll(1);
    EXPECT_EQ(Mix_Paused(source), 1);
    EXPECT_EQ(SoundStatus(source), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    SoundPauseAll(0);
    EXPECT_EQ(Mix_Paused(source), 0);
    SoundStopAll();
    EXPECT_EQ(SoundStatus(source), 0);

    // A replica takes the source's level and plays alongside it; the shared samples live on
    // when the source is deleted, which silences the source's channel.
    ASSERT_EQ(SoundSetVolume(source, 50), 1);
    const int replica = SoundReplicate(source);
    ASSERT_EQ(replica, 1);
    EXPECT_EQ(Mix_Volume(replica, -1), Mix_Volume(source, -1));
    SoundPlay(source, 0);
    SoundPlay(replica, 0);
    EXPECT_EQ(SoundStop(source), 1);
    EXPECT_EQ(SoundStatus(replica), DSBSTATUS_PLAYING);
    SoundPlay(source, 0);
    SoundDelete(source);
    EXPECT_EQ(Mix_Playing(source), 0);
    EXPECT_EQ(SoundStatus(replica), DSBSTATUS_PLAYING);
    EXPECT_EQ(SoundReplicate(source), -1); // nothing left to share
}

TEST_F(SoundTest, SettersTakeDirectSoundRangesAndRefuseTheRest)
{
    const int id = SoundLoadWav(longWav.c_str(), 0xE0);
    // Volume: (100 - v) x -30 hundredths of a decibel, gain 10^(level / 2000); a refused level
    // leaves the last one.
    for (auto [volume, accepted, mixVolume] :
         {std::array{100, 1, MIX_MAX_VOLUME}, std::array{50, 1, 23}, std::array{0, 1, 4},
          std::array{-233, 1, 0}, std::array{101, 0, 0}, std::array{-234, 0, 0}}) {
        EXPECT_EQ(SoundSetVolume(id, volume), accepted) << volume;
        EXPECT_EQ(Mix_Volume(id, -1), mixVolume) << volume;
    }
    // Pans and rates at the ends of their ranges and past them.
    EXPECT_EQ(SoundSetPan(id, SOUND_PAN_LEFT) + SoundSetPan(id, SOUND_PAN_RIGHT), 2);
    EXPECT_EQ(SoundSetPan(id, SOUND_PAN_LEFT - 1) + SoundSetPan(id, SOUND_PAN_RIGHT + 1), 0);
    EXPECT_EQ(SoundSetFrequency(id, SOUND_RATE_MIN) + SoundSetFrequency(id, SOUND_RATE_MAX), 2);
    EXPECT_EQ(SoundSetFrequency(id, SOUND_RATE_MIN - 1) + SoundSetFrequency(id, SOUND_RATE_MAX + 1),
              0);

    // A looping slot is restarted at once at its new rate and keeps looping.
    SoundPlay(id, DSBPLAY_LOOPING);
    const Mix_Chunk* original = Mix_GetChunk(id);
    EXPECT_EQ(SoundSetFrequency(id, 22050), 1);
    EXPECT_EQ(SoundStatus(id), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_NE(Mix_GetChunk(id), original);

    // A slot without sound, or an id outside the table, takes no value.
    SoundDelete(id);
    for (int gone : {id, SOUND_SLOT_COUNT, -1}) {
        EXPECT_EQ(SoundSetVolume(gone, 100) + SoundSetPan(gone, 0) + SoundSetFrequency(gone, 0), 0);
    }
}

// Without an audio device the game still starts: sounds load, plays succeed in silence.
TEST(SoundWithoutDevice, LoadsAndPlaysSilently)
{
    const std::string wav = WriteFile(TestProcessFile("a.wav"), PlainWave(SquareWave(2000)));
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(SoundInit(), 0);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_EQ(SoundDevice, 0);
    EXPECT_EQ(SoundInit(), 1); // a later call only resets the table
    ASSERT_EQ(SoundLoadWav(wav.c_str(), 0xE0), 0);
    EXPECT_EQ(SoundReplicate(0), 1);
    EXPECT_EQ(SoundPlay(0, DSBPLAY_LOOPING), 1);
    EXPECT_EQ(SoundStatus(0), 0);
    EXPECT_EQ(SoundSetVolume(0, 80) + SoundSetFrequency(0, 22050) + SoundSetPan(0, -500), 3);
    EXPECT_EQ(SoundShutdown(), 1);
}

} // namespace
