// Tests of the sound-effect slots on SDL's dummy audio driver: slot allocation, loading, playing,
// replicas, the setters and silent running without an audio device.
#include "sound/sound.h"

#include "tests/sound/sound_files.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// The dummy driver consumes samples in real time, so a short sound ends by itself soon.
bool WaitUntilQuiet(int id, int timeoutMs = 3000)
{
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (SoundStatus(id) == 0) {
            return true;
        }
        SDL_Delay(10);
    }
    return false;
}

class SoundTest : public ::testing::Test {
protected:
    TempFolder folder{"helix-sound"};
    std::string shortWav = (folder.path / "short.wav").string(); // 50 ms
    std::string longWav = (folder.path / "long.wav").string();   // 3 s

    void SetUp() override
    {
        WriteFile(shortWav, PlainWave(SquareWave(551)));
        WriteFile(longWav, PlainWave(SquareWave(3 * 11025)));
        ASSERT_EQ(SoundInit(), 1) << SDL_GetError();
        ASSERT_EQ(SoundDevice, 1);
    }
    void TearDown() override
    {
        SoundShutdown();
    }
};

TEST_F(SoundTest, SlotsAreHandedOutLowestFirstAndResetByInit)
{
    EXPECT_EQ(SoundLoadWav(shortWav.c_str(), 0xE0), 0);
    EXPECT_EQ(SoundLoadWav(shortWav.c_str(), 0xE0), 1);
    EXPECT_EQ(SoundLoadWav(shortWav.c_str(), 0xE0), 2);
    EXPECT_EQ(SoundSlots[1].slotId, 1);
    EXPECT_EQ(SoundSlots[1].dataBytes, 551u);
    EXPECT_EQ(SoundSlots[1].sampleRate, 11025u);

    // A deleted slot keeps its place until the next SoundInit.
    SoundDelete(1);
    EXPECT_EQ(SoundSlots[1].state, SOUND_LOADED);
    EXPECT_EQ(SoundStatus(1), -1);
    EXPECT_EQ(SoundPlay(1, 0), 1); // nothing to play, and no failure
    EXPECT_EQ(SoundLoadWav(shortWav.c_str(), 0), 3);

    // A refused file leaves its slot free for the next load.
    const std::string bad = (folder.path / "float.wav").string();
    WriteFile(bad, RiffWave({Chunk("fmt ", FormatRecord(3, 1, 11025, 32)),
                             Chunk("data", SquareWave(8))}));
    EXPECT_EQ(SoundLoadWav(bad.c_str(), 0), -1);
    EXPECT_NE(std::string(SoundLoadError()).find("float.wav is not PCM"), std::string::npos);
    EXPECT_EQ(SoundSlots[4].state, SOUND_FREE);

    for (int id = 4; id < SOUND_SLOT_COUNT; ++id) {
        ASSERT_EQ(SoundLoadWav(shortWav.c_str(), 0), id);
    }
    // With every slot taken the file is not even opened.
    const int watcher = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watcher, 0);
    ASSERT_GE(inotify_add_watch(watcher, shortWav.c_str(), IN_OPEN), 0);
    EXPECT_EQ(SoundLoadWav(shortWav.c_str(), 0), -1);
    EXPECT_EQ(SoundReplicate(0), -1);
    char events[256];
    EXPECT_LT(read(watcher, events, sizeof events), 0) << "the file was opened";

    SoundPlay(0, DSBPLAY_LOOPING);
    ASSERT_EQ(SoundInit(), 1);
    EXPECT_EQ(Mix_Playing(0), 0);
    for (int id = 0; id < SOUND_SLOT_COUNT; ++id) {
        EXPECT_EQ(SoundSlots[id].state, SOUND_FREE);
        EXPECT_EQ(SoundSlots[id].buffer, nullptr);
        EXPECT_EQ(SoundSlots[id].slotId, id);
    }
    EXPECT_EQ(SoundLoadWav(shortWav.c_str(), 0), 0);
    // The control: a load with a free slot does open the file.
    EXPECT_GT(read(watcher, events, sizeof events), 0);
    close(watcher);
}

// A stereo 16-bit file whose "data" chunk claims more than the file holds: the slot records the
// file's rate and holds the frames that are there, converted to 11,025 Hz mono.
TEST_F(SoundTest, LoadRecordsTheFileRateAndTheBytesHeld)
{
    Bytes file = RiffWave({Chunk("fmt ", FormatRecord(1, 2, 44100, 16, true)),
                           Chunk("data", SquareWave(900), 0x7FFFFFFF)});
    file.resize(file.size() - 400);
    const std::string wav = (folder.path / "stereo.wav").string();
    WriteFile(wav, file);
    ASSERT_EQ(SoundLoadWav(wav.c_str(), 0), 0);
    EXPECT_EQ(SoundSlots[0].sampleRate, 44100u);
    EXPECT_EQ(SoundSlots[0].dataBytes, 32u); // 500 bytes: 125 frames at 44,100 Hz, 31.25 at ours
    EXPECT_EQ(SoundPlay(0, 0), 1);
}

// Nothing but a regular file is read, and a FIFO does not hold the load up; format fields that
// describe no sound are refused. Each time the loader says why and the slot stays free.
TEST_F(SoundTest, IrregularFilesAndSenselessFormatsAreRefusedWithTheirReason)
{
    const auto path = [&](const char* name) { return (folder.path / name).string(); };
    const std::string fifo = path("fifo.wav");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(path("folder.wav"));
    std::filesystem::create_symlink("/dev/zero", path("zero.wav"));
    const auto withFormat = [&](const char* name, Bytes record) {
        WriteFile(path(name), RiffWave({Chunk("fmt ", record), Chunk("data", SquareWave(64))}));
        return path(name);
    };
    Bytes alignLies = FormatRecord(1, 2, 22050, 16);
    alignLies[12] = 2; // one 16-bit sample, not a stereo frame

    const std::pair<std::string, const char*> cases[] = {
        {fifo, "is not a regular file"},
        {path("folder.wav"), "is not a regular file"},
        {path("zero.wav"), "is not a regular file"},
        {withFormat("mute.wav", FormatRecord(1, 0, 11025, 8)), "has 0 channels"},
        {withFormat("still.wav", FormatRecord(1, 1, 0, 8)), "has a sample rate of 0 Hz"},
        {withFormat("bits0.wav", FormatRecord(1, 1, 11025, 0)),
         "has samples of neither 8, 16 nor 32 bits"},
        {withFormat("bits7.wav", FormatRecord(1, 1, 11025, 7)),
         "has samples of neither 8, 16 nor 32 bits"},
        {withFormat("align.wav", alignLies), "has a block align that is not one frame"},
    };
    for (const auto& [file, reason] : cases) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(ReturnsAtOnce(fifo, [&] { EXPECT_EQ(SoundLoadWav(file.c_str(), 0), -1); }));
        EXPECT_EQ(SoundLoadError(), file + " " + reason);
        EXPECT_EQ(SoundSlots[0].state, SOUND_FREE);
    }
}

TEST_F(SoundTest, PlayRestartsStatusFollowsAndStopRewinds)
{
    const int shortId = SoundLoadWav(shortWav.c_str(), 0xE0);
    const int longId = SoundLoadWav(longWav.c_str(), 0xE0);
    EXPECT_EQ(SoundStatus(longId), 0);

    EXPECT_EQ(SoundPlay(longId, 0), 1);
    EXPECT_EQ(SoundStatus(longId), DSBSTATUS_PLAYING);
    EXPECT_EQ(SoundPlay(longId, DSBPLAY_LOOPING), 1); // restarted, now looping
    EXPECT_EQ(SoundStatus(longId), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(SoundStop(longId), 1);
    EXPECT_EQ(SoundStatus(longId), 0);

    // A one-shot ends by itself; a looping short sound does not.
    EXPECT_EQ(SoundPlay(shortId, 0), 1);
    EXPECT_TRUE(WaitUntilQuiet(shortId));
    SoundPlay(shortId, DSBPLAY_LOOPING);
    SDL_Delay(200); // four times its length
    EXPECT_EQ(SoundStatus(shortId), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    SoundPauseAll(1); // the game in the background holds its sounds where they are
    EXPECT_EQ(Mix_Paused(shortId), 1);
    EXPECT_EQ(SoundStatus(shortId), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    SoundPauseAll(0);
    EXPECT_EQ(Mix_Paused(shortId), 0);
    SoundStopAll();
    EXPECT_EQ(SoundStatus(shortId), 0);

    // Deleting a playing slot silences its channel.
    SoundPlay(longId, 0);
    SoundDelete(longId);
    EXPECT_EQ(Mix_Playing(longId), 0);
    EXPECT_EQ(SoundStatus(longId), -1);
}

TEST_F(SoundTest, ReplicaPlaysAlongsideItsSourceAndOutlivesIt)
{
    const int source = SoundLoadWav(longWav.c_str(), 0);
    ASSERT_EQ(SoundSetVolume(source, 50), 1);
    const int replica = SoundReplicate(source);
    ASSERT_EQ(replica, 1);
    EXPECT_EQ(SoundSlots[replica].slotId, replica);
    EXPECT_EQ(SoundSlots[replica].dataBytes, SoundSlots[source].dataBytes);
    EXPECT_EQ(SoundSlots[replica].state, SOUND_LOADED);
    EXPECT_EQ(Mix_Volume(replica, -1), Mix_Volume(source, -1)); // it takes the source's level

    SoundPlay(source, DSBPLAY_LOOPING);
    SoundPlay(replica, 0);
    EXPECT_EQ(SoundStatus(source), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(SoundStatus(replica), DSBSTATUS_PLAYING);
    SoundStop(source);
    EXPECT_EQ(SoundStatus(replica), DSBSTATUS_PLAYING);

    // The shared samples live on while the replica plays them.
    SoundPlay(source, 0);
    SoundDelete(source);
    SDL_Delay(50);
    EXPECT_EQ(SoundStatus(replica), DSBSTATUS_PLAYING);
    EXPECT_EQ(SoundReplicate(source), -1); // nothing left to share
    EXPECT_EQ(SoundReplicate(-1), -1);
    SoundDelete(replica);
}

TEST_F(SoundTest, SettersTakeDirectSoundRangesAndRefuseTheRest)
{
    const int id = SoundLoadWav(longWav.c_str(), 0xE0);

    // Volume: (100 - v) x -30 hundredths of a decibel, gain 10^(level / 2000).
    EXPECT_EQ(SoundSetVolume(id, 100), 1);
    EXPECT_EQ(Mix_Volume(id, -1), MIX_MAX_VOLUME);
    EXPECT_EQ(SoundSetVolume(id, 50), 1); // -1500: 0.178
    EXPECT_EQ(Mix_Volume(id, -1), 23);
    EXPECT_EQ(SoundSetVolume(id, 0), 1); // -3000: 0.032, not silence
    EXPECT_EQ(Mix_Volume(id, -1), 4);
    EXPECT_EQ(SoundSetVolume(id, -233), 1); // -9990
    EXPECT_EQ(SoundSetVolume(id, 101), 0);  // +30: above full level
    EXPECT_EQ(SoundSetVolume(id, -234), 0); // -10020: below the floor
    EXPECT_EQ(SoundSetVolume(id, 1 << 30), 0);
    EXPECT_EQ(Mix_Volume(id, -1), 0); // the last accepted level, -9990, stays

    EXPECT_EQ(SoundSetPan(id, SOUND_PAN_LEFT), 1);
    EXPECT_EQ(SoundSetPan(id, SOUND_PAN_RIGHT), 1);
    EXPECT_EQ(SoundSetPan(id, 0), 1);
    EXPECT_EQ(SoundSetPan(id, SOUND_PAN_RIGHT + 1), 0);
    EXPECT_EQ(SoundSetPan(id, SOUND_PAN_LEFT - 1), 0);

    EXPECT_EQ(SoundSetFrequency(id, SOUND_RATE_MIN), 1);
    EXPECT_EQ(SoundSetFrequency(id, SOUND_RATE_MAX), 1);
    EXPECT_EQ(SoundSetFrequency(id, 0), 1);
    EXPECT_EQ(SoundSetFrequency(id, SOUND_RATE_MIN - 1), 0);
    EXPECT_EQ(SoundSetFrequency(id, SOUND_RATE_MAX + 1), 0);
    EXPECT_EQ(SoundSetFrequency(id, -22050), 0);

    // A looping slot is restarted at once at its new rate and keeps looping.
    SoundPlay(id, DSBPLAY_LOOPING);
    const Mix_Chunk* original = Mix_GetChunk(id);
    EXPECT_EQ(SoundSetFrequency(id, 22050), 1);
    EXPECT_EQ(SoundStatus(id), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_NE(Mix_GetChunk(id), original);

    // A slot without sound, or an id outside the table, takes no value.
    SoundDelete(id);
    EXPECT_EQ(SoundSetVolume(id, 100), 0);
    EXPECT_EQ(SoundSetPan(id, 0), 0);
    EXPECT_EQ(SoundSetFrequency(id, 0), 0);
    EXPECT_EQ(SoundSetVolume(SOUND_SLOT_COUNT, 100), 0);
    EXPECT_EQ(SoundStatus(-1), -1);
}

// Without an audio device the game still starts: sounds load, plays succeed in silence.
TEST(SoundWithoutDevice, LoadsAndPlaysSilently)
{
    TempFolder folder("helix-nodevice");
    const std::string wav = (folder.path / "a.wav").string();
    WriteFile(wav, PlainWave(SquareWave(2000)));
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(SoundInit(), 0);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_EQ(SoundDevice, 0);
    EXPECT_EQ(SoundInit(), 1); // a later call only resets the table

    const int id = SoundLoadWav(wav.c_str(), 0xE0);
    ASSERT_EQ(id, 0);
    EXPECT_EQ(SoundReplicate(id), 1);
    EXPECT_EQ(SoundPlay(id, DSBPLAY_LOOPING), 1);
    EXPECT_EQ(SoundStatus(id), 0);
    EXPECT_EQ(SoundSetVolume(id, 80), 1);
    EXPECT_EQ(SoundSetFrequency(id, 22050), 1);
    EXPECT_EQ(SoundSetPan(id, -500), 1);
    EXPECT_EQ(SoundDeleteAll(), 1);
    EXPECT_EQ(SoundShutdown(), 1);
}

} // namespace
