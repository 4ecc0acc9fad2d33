// The music slots over SDL_mixer's music stream: one song sounds at a time, so the mixer's single
// music channel is all the layer needs.
#include "sound/music.h"

#include "sound/sound.h"
#include "support/regular_file.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

MusicSlot MusicSlots[MUSIC_SLOT_COUNT];
int MusicCurrent = -1;
int MusicReady = 0;

struct MusicSong {
    Mix_Music* music;
};

// The slot whose song was last handed to the mixer; MusicCurrent can be -1 while it still sounds.
static int MusicSounding = -1;

// A song file larger than this is refused before it is read (the longest General MIDI songs
// are a few hundred kilobytes).
static constexpr std::uint64_t MUSIC_MAX_FILE_BYTES = 4u << 20;

static MusicSong* SongOf(int id)
{
    if (id < 0 || id >= MUSIC_SLOT_COUNT || MusicSlots[id].state == MUSIC_NONE) {
        return nullptr;
    }
    return MusicSlots[id].song;
}

static std::uint32_t ReadBe32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// Reads a Standard MIDI file whole and checks its frame: an "MThd" header of at least 6 bytes
// declaring format 0 to 2 and at least one track, and that many "MTrk" chunks inside the file.
// The synthesiser would take anything and then play silence. Only a regular file is read, and
// opening never blocks: a FIFO in the file's place is refused at once instead of hanging the game.
static bool ReadMidiFile(const char* fileName, std::vector<std::uint8_t>* bytes)
{
    FileHandle file(FileOpenRegularStream(fileName));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) {
        return false;
    }
    const long size = std::ftell(file.get());
    if (size < 14 || static_cast<std::uint64_t>(size) > MUSIC_MAX_FILE_BYTES ||
        std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return false;
    }
    bytes->resize(static_cast<std::size_t>(size));
    if (std::fread(bytes->data(), 1, bytes->size(), file.get()) != bytes->size()) {
        return false;
    }
    const std::uint8_t* p = bytes->data();
    const std::uint64_t headerBytes = ReadBe32(p + 4);
    const unsigned format = static_cast<unsigned>(p[8] << 8 | p[9]);
    unsigned tracks = static_cast<unsigned>(p[10] << 8 | p[11]);
    if (std::memcmp(p, "MThd", 4) != 0 || headerBytes < 6 || format > 2 || tracks == 0) {
        return false;
    }
    std::uint64_t pos = 8 + headerBytes;
    while (tracks > 0 && pos + 8 <= bytes->size()) {
        const std::uint64_t chunkBytes = ReadBe32(p + pos + 4);
        if (std::memcmp(p + pos, "MTrk", 4) == 0) {
            if (pos + 8 + chunkBytes > bytes->size()) {
                return false;
            }
            --tracks;
        }
        pos += 8 + chunkBytes;
    }
    return tracks == 0;
}

int MusicInit()
{
    MusicDeleteAll();
    MusicReady = 0;
    if (!SoundDevice) {
        return 0;
    }
    Mix_SetSoundFonts(MUSIC_SOUND_FONT);
    if ((Mix_Init(MIX_INIT_MID) & MIX_INIT_MID) == 0) {
        return 0;
    }
    for (int i = 0; i < MUSIC_SLOT_COUNT; ++i) {
        MusicSlots[i] = MusicSlot{nullptr, i, MUSIC_NONE};
    }
    MusicCurrent = -1;
    MusicSounding = -1;
    MusicReady = 1;
    return 1;
}

int MusicLoadMidi(const char* fileName)
{
    if (!MusicReady) {
        return -1;
    }
    for (int id = 0; id < MUSIC_SLOT_COUNT; ++id) {
        if (MusicSlots[id].state != MUSIC_NONE) {
            continue;
        }
        // The file is read whole now, so its name counts from today's working directory.
        std::vector<std::uint8_t> bytes;
        if (!ReadMidiFile(fileName, &bytes)) {
            return -1;
        }
        SDL_RWops* memory = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        Mix_Music* music = memory ? Mix_LoadMUSType_RW(memory, MUS_MID, 1) : nullptr;
        if (!music) {
            return -1;
        }
        MusicSlots[id] = MusicSlot{new MusicSong{music}, id, MUSIC_LOADED};
        return id;
    }
    return -1;
}

int MusicPlay(int id)
{
    MusicSong* song = SongOf(id);
    if (!song) {
        return 0;
    }
    if (MusicCurrent != -1) {
        MusicStop(MusicCurrent);
    }
    Mix_PlayMusic(song->music, 0); // a failure shows as MUSIC_STOPPED at the next MusicStatus
    MusicSounding = id;
    MusicSlots[id].state = MUSIC_PLAYING;
    MusicCurrent = id;
    return 1;
}

int MusicStop(int id)
{
    if (!SongOf(id)) {
        return 0;
    }
    if (MusicSounding == id) {
        Mix_HaltMusic();
        MusicSounding = -1;
    }
    MusicSlots[id].state = MUSIC_STOPPED;
    MusicCurrent = -1;
    return 1;
}

int MusicStatus(int id)
{
    if (!SongOf(id)) {
        return 0;
    }
    const bool playing = MusicSounding == id && Mix_PlayingMusic();
    MusicSlots[id].state = playing ? MUSIC_PLAYING : MUSIC_STOPPED;
    return static_cast<int>(MusicSlots[id].state);
}

int MusicDelete(int id)
{
    if (id < 0 || id >= MUSIC_SLOT_COUNT || !MusicSlots[id].song) {
        return 1;
    }
    if (MusicSounding == id) {
        Mix_HaltMusic();
        MusicSounding = -1;
    }
    if (MusicCurrent == id) {
        MusicCurrent = -1;
    }
    Mix_FreeMusic(MusicSlots[id].song->music);
    delete MusicSlots[id].song;
    MusicSlots[id] = MusicSlot{nullptr, id, MUSIC_NONE};
    return 1;
}

int MusicDeleteAll()
{
    for (int i = 0; i < MUSIC_SLOT_COUNT; ++i) {
        MusicDelete(i);
    }
    return 1;
}

int MusicShutdown()
{
    if (MusicReady) {
        Mix_HaltMusic();
    }
    MusicDeleteAll();
    MusicReady = 0;
    MusicCurrent = -1;
    MusicSounding = -1;
    return 1;
}
