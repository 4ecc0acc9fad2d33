// Tests of the music slots on SDL's dummy audio driver with MIDI files the test writes.
#include "sound/music.h"

#include "sound/sound.h"
#include "tests/sound/sound_files.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// Each test runs in a folder of its own: the loads name files relative to the working directory.
class MusicTest : public ::testing::Test {
protected:
    TempFolder folder{"helix-music"};
    std::filesystem::path previous = std::filesystem::current_path();

    void SetUp() override
    {
        std::filesystem::current_path(folder.path);
        WriteFile("short.mid", OneNoteMidi(48));  // a quarter of a second
        WriteFile("long.mid", OneNoteMidi(1920)); // ten seconds
        WriteFile("other.mid", OneNoteMidi(1920));
        Bytes cut = OneNoteMidi(48);
        cut.resize(cut.size() - 1); // its track ends early
        WriteFile("broken.mid", cut);
        ASSERT_EQ(SoundInit(), 1);
        ASSERT_EQ(MusicInit(), 1) << SDL_GetError();
    }
    void TearDown() override
    {
        SoundShutdown(); // takes the music down first
        std::filesystem::current_path(previous);
    }
};

TEST_F(MusicTest, ASongPlaysAndThenEndsByItself)
{
    EXPECT_EQ(MusicLoadMidi("broken.mid"), -1);
    ASSERT_EQ(mkfifo("fifo.mid", 0600), 0); // refused at once, not waited on
    EXPECT_TRUE(ReturnsAtOnce("fifo.mid", [] { EXPECT_EQ(MusicLoadMidi("fifo.mid"), -1); }));
    std::filesystem::create_directory("elsewhere");
    std::filesystem::current_path("elsewhere");
    EXPECT_EQ(MusicLoadMidi("short.mid"), -1); // not in this working directory
    std::filesystem::current_path(folder.path);
    const int id = MusicLoadMidi("short.mid");
    ASSERT_EQ(id, 0);
    EXPECT_EQ(MusicSlots[id].state, MUSIC_LOADED);

    ASSERT_EQ(MusicPlay(id), 1);
    EXPECT_EQ(MusicCurrent, id);
    EXPECT_EQ(MusicStatus(id), static_cast<int>(MUSIC_PLAYING));
    // The synthesiser lets the last note ring out and then idles about two seconds before it
    // reports the end.
    for (int waited = 0; MusicStatus(id) == MUSIC_PLAYING && waited < 10000; waited += 20) {
        SDL_Delay(20);
    }
    EXPECT_EQ(MusicStatus(id), static_cast<int>(MUSIC_STOPPED));
    EXPECT_EQ(MusicSlots[id].state, MUSIC_STOPPED);

    // Played again from the start after it ended.
    ASSERT_EQ(MusicPlay(id), 1);
    EXPECT_EQ(MusicStatus(id), static_cast<int>(MUSIC_PLAYING));
    EXPECT_EQ(MusicDelete(id), 1);
    EXPECT_EQ(MusicStatus(id), 0);
    EXPECT_EQ(MusicPlay(id), 0);
    EXPECT_EQ(MusicCurrent, -1);
}

TEST_F(MusicTest, PlayingOneSongStopsTheOther)
{
    const int a = MusicLoadMidi("long.mid");
    const int b = MusicLoadMidi("other.mid");
    ASSERT_EQ(a, 0);
    ASSERT_EQ(b, 1);

    MusicPlay(a);
    EXPECT_EQ(MusicStatus(a), static_cast<int>(MUSIC_PLAYING));
    MusicPlay(b);
    EXPECT_EQ(MusicSlots[a].state, MUSIC_STOPPED);
    EXPECT_EQ(MusicStatus(a), static_cast<int>(MUSIC_STOPPED));
    EXPECT_EQ(MusicStatus(b), static_cast<int>(MUSIC_PLAYING));
    EXPECT_EQ(MusicCurrent, b);

    // Stopping a song that is not sounding forgets the current one but leaves it playing.
    EXPECT_EQ(MusicStop(a), 1);
    EXPECT_EQ(MusicCurrent, -1);
    EXPECT_EQ(MusicStatus(b), static_cast<int>(MUSIC_PLAYING));
    EXPECT_EQ(MusicStop(b), 1);
    EXPECT_EQ(MusicStatus(b), static_cast<int>(MUSIC_STOPPED));

    // A deleted slot is free again for the next load.
    MusicDelete(a);
    EXPECT_EQ(MusicSlots[a].state, MUSIC_NONE);
    EXPECT_EQ(MusicLoadMidi("other.mid"), a);
    EXPECT_EQ(MusicStop(5), 0);
    EXPECT_EQ(MusicDeleteAll(), 1);
    EXPECT_EQ(MusicSlots[b].song, nullptr);
}

TEST(MusicWithoutDevice, InitFailsCleanly)
{
    SoundShutdown();
    EXPECT_EQ(MusicInit(), 0);
    EXPECT_EQ(MusicLoadMidi("anything.mid"), -1);
    EXPECT_EQ(MusicPlay(0), 0);
    EXPECT_EQ(MusicShutdown(), 1);
}

} // namespace
