// Tests of the music slots on SDL's dummy audio driver with MIDI files the test writes.
#include "sound/music.h"

#include "sound/sound.h"
#include "tests/sound/sound_files.h"
#include "tests/temp_dir.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace {

// A format-0 MIDI file with one piano note lasting the given ticks (a variable-length number, 7
// bits a byte; at 96 ticks a quarter note, 192 ticks a second).
Bytes OneNoteMidi(Bytes length)
{
    Bytes track{0, 0x90, 60, 100}; // note on, middle C
    track.insert(track.end(), length.begin(), length.end());
    track.insert(track.end(), {0x80, 60, 0, 0, 0xFF, 0x2F, 0x00}); // note off, end of track
    Bytes out{'M', 'T', 'h', 'd'};
    Put(Put(Put(Put(out, 6, -4), 0, -2), 1, -2), 96, -2); // format 0, one track, 96 a quarter
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    Put(out, std::uint32_t(track.size()), -4);
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

TEST(MusicTest, SongsLoadPlayOneAtATimeAndEnd)
{
    // The loads name files relative to the working directory.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(TestProcessFile("music")).parent_path());
    WriteFile("a.mid", OneNoteMidi({0x8F, 0x00})); // ten seconds
    Bytes cut = OneNoteMidi({0x30});
    cut.resize(cut.size() - 1); // its track ends early
    WriteFile("broken.mid", cut);
    Bytes wrongTag = OneNoteMidi({0x30});
    wrongTag[3] = 'X';
    WriteFile("tag.mid", wrongTag);
    mkfifo("fifo.mid", 0600);
    ASSERT_EQ(SoundInit(), 1);
    ASSERT_EQ(MusicInit(), 1) << SDL_GetError();

    alarm(10); // a FIFO is refused at once, not waited on; the alarm ends the program if not
    for (const char* refused : {"broken.mid", "tag.mid", "fifo.mid", "missing.mid"}) {
        EXPECT_EQ(MusicLoadMidi(refused), -1) << refused;
    }
    alarm(0);
    const int a = MusicLoadMidi("a.mid");
    const int b = MusicLoadMidi("a.mid");
    ASSERT_EQ(a, 0);
    ASSERT_EQ(b, 1);

    ASSERT_EQ(MusicPlay(a), 1);
    EXPECT_EQ(MusicStatus(a), static_cast<int>(MUSIC_PLAYING));
    ASSERT_EQ(MusicPlay(b), 1);
    EXPECT_EQ(MusicSlots[a].state, MUSIC_STOPPED);
    EXPECT_EQ(MusicStatus(b), static_cast<int>(MUSIC_PLAYING));
    EXPECT_EQ(MusicCurrent, b);
    // Stopping a song that is not sounding forgets the current one but leaves it playing.
    EXPECT_EQ(MusicStop(a), 1);
    EXPECT_EQ(MusicCurrent, -1);
    EXPECT_EQ(MusicStatus(b), static_cast<int>(MUSIC_PLAYING));
    // The mixer ending the song, as at its last note, shows as stopped; it plays again after.
    Mix_HaltMusic();
    EXPECT_EQ(MusicStatus(b), static_cast<int>(MUSIC_STOPPED));
    EXPECT_EQ(MusicSlots[b].state, MUSIC_STOPPED);
    ASSERT_EQ(MusicPlay(b), 1);
    EXPECT_EQ(MusicStatus(b), static_cast<int>(MUSIC_PLAYING));

    // A deleted slot is free again for the next load, and plays nothing.
    EXPECT_EQ(MusicDelete(a), 1);
    EXPECT_EQ(MusicStatus(a), 0);
    EXPECT_EQ(MusicPlay(a), 0);
    EXPECT_EQ(MusicLoadMidi("a.mid"), a);

    SoundShutdown(); // takes the music down first
    std::filesystem::current_path(previous);
}

} // namespace
