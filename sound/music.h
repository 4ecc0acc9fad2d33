// Music: Standard MIDI files in 64 song slots, played one at a time by the mixer's MIDI synthesiser
// (FluidSynth with a General MIDI sound font) on the audio device that SoundInit opened.
#pragma once

constexpr int MUSIC_SLOT_COUNT = 64;
constexpr unsigned MUSIC_NONE = 0;
constexpr unsigned MUSIC_LOADED = 1;
constexpr unsigned MUSIC_PLAYING = 2;
constexpr unsigned MUSIC_STOPPED = 3;
// The instruments every song is played with.
constexpr const char* MUSIC_SOUND_FONT = "/usr/share/sounds/sf2/TimGM6mb.sf2";

struct MusicSong; // a loaded song; opaque outside sound/

struct MusicSlot {
    MusicSong* song; // null when the slot holds no song
    int slotId;      // the slot's own index
    unsigned state;  // MUSIC_NONE, MUSIC_LOADED, MUSIC_PLAYING or MUSIC_STOPPED
};

// ---- from MusicInit to MusicShutdown ----
// The song slots; a music id is an index into them, -1 stands for no song.
extern MusicSlot MusicSlots[MUSIC_SLOT_COUNT];
extern int MusicCurrent; // the song MusicPlay last started, -1 when none (or after any MusicStop)
extern int MusicReady;   // 1 between a successful MusicInit and MusicShutdown

// Sets the synthesiser up on the open audio device and clears the slots (freeing songs a former
// MusicInit left). 1, or 0 when SoundInit has not opened the device or MIDI cannot be played.
int MusicInit();
// Loads a MIDI file, named relative to the current working directory, into the lowest free slot:
// its id, or -1 (also for a FIFO, a device or a folder, which are never read).
int MusicLoadMidi(const char* fileName);
// Stops the current song and starts this one once. 1, or 0 when the slot holds no song.
int MusicPlay(int id);
// Stops the song if it sounds; MusicCurrent becomes -1 in any case. 1, or 0 without a song.
int MusicStop(int id);
// MUSIC_PLAYING while the song sounds, MUSIC_STOPPED once it was stopped or ended by itself (the
// slot's state follows), 0 when the slot holds no song.
int MusicStatus(int id);
int MusicDelete(int id); // stops and frees the song; the slot is free again; always 1
int MusicDeleteAll();    // always 1
int MusicShutdown();     // stops the music and frees every song; always 1
