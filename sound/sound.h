// Sound effects: a table of 256 slots, each one short sound read from a RIFF WAVE file and played
// as 8-bit mono 11,025 Hz on a mixer channel of its own.
#pragma once

#include <cstdint>

constexpr int SOUND_SLOT_COUNT = 256;
constexpr unsigned SOUND_FREE = 0;
constexpr unsigned SOUND_LOADED = 1;
// Play flags and status bits (DirectSound values).
constexpr unsigned DSBPLAY_LOOPING = 1;
constexpr int DSBSTATUS_PLAYING = 1;
constexpr int DSBSTATUS_BUFFERLOST = 2;
constexpr int DSBSTATUS_LOOPING = 4;

struct SoundBuffer; // the slot's sound data and playback state; opaque outside sound/

struct SoundSlot {
    SoundBuffer* buffer; // null when the slot holds no sound
    unsigned state;      // SOUND_FREE or SOUND_LOADED
    unsigned sampleRate; // as the file declares it; recorded only
    unsigned dataBytes;  // bytes of sound data held
    int slotId;          // the slot's own index
};

// ---- process lifetime ----
extern SoundSlot SoundSlots[SOUND_SLOT_COUNT];
extern int SoundFirstCall; // 1 until the first SoundInit has opened the audio device

int SoundInit();
// Loads a WAV file into the lowest free slot: its id, or -1.
int SoundLoadWav(const char* fileName, unsigned capabilityFlags);
int SoundReplicate(int id);
int SoundPlay(int id, unsigned flags);
int SoundStop(int id);
int SoundStopAll();
int SoundDelete(int id);
int SoundDeleteAll();
int SoundSetVolume(int id, int volume);
int SoundSetFrequency(int id, int rate);
int SoundSetPan(int id, int pan);
int SoundStatus(int id);
int SoundShutdown();
