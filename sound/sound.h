// Sound effects: a table of 256 slots, each one short sound read from a RIFF WAVE file, held as
// 8-bit mono 11,025 Hz and played on a mixer channel of its own.
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
// The rate every sound is played at unless SoundSetFrequency says otherwise.
constexpr int SOUND_PLAY_RATE = 11025;
// Setter limits (DirectSound's): levels in hundredths of a decibel, rates in Hz.
constexpr int SOUND_LEVEL_MIN = -10000;
constexpr int SOUND_PAN_LEFT = -10000;
constexpr int SOUND_PAN_RIGHT = 10000;
constexpr int SOUND_RATE_MIN = 100;
constexpr int SOUND_RATE_MAX = 200000;

struct SoundBuffer; // the slot's sound data and playback state; opaque outside sound/

struct SoundSlot {
    SoundBuffer* buffer; // null when the slot holds no sound
    unsigned state;      // SOUND_FREE or SOUND_LOADED
    unsigned sampleRate; // as the file declares it; recorded only
    unsigned dataBytes;  // bytes of sound data held, as converted to 8-bit mono 11,025 Hz
    int slotId;          // the slot's own index
};

// ---- process lifetime ----
// The slots; a sound id is an index into them, -1 stands for no sound.
extern SoundSlot SoundSlots[SOUND_SLOT_COUNT];
// 1 until SoundInit has tried to open the audio device, and again after SoundShutdown.
extern int SoundFirstCall;
// ---- from the first SoundInit to SoundShutdown ----
extern int SoundDevice; // 1 while the mixer holds the audio device open; 0 means silent running

// Resets the table (stopping and freeing every sound) and, on the first call, opens the audio
// device with one mixer channel per slot. 0 when that first opening fails: the layer then runs
// silently (loads work, plays do nothing) and later calls only reset the table.
int SoundInit();
// Loads a WAV file into the lowest free slot: its id, or -1. No file is opened when no slot is
// free. PCM of any channel count, 8-, 16- or 32-bit samples and any rate is converted to 8-bit
// mono 11,025 Hz, so it sounds as recorded; a file already in that form is held as it is.
// capabilityFlags (DirectSound's DSBCAPS_* bits) are accepted for the callers' sake; every slot
// has volume, pan and frequency control.
int SoundLoadWav(const char* fileName, unsigned capabilityFlags);
// Why the latest SoundLoadWav returned -1, naming the file ("" before any failure).
const char* SoundLoadError();
// A second slot sharing the sound data of id, with its volume, pan and rate, that plays
// independently of it: the new id, or -1.
int SoundReplicate(int id);
// Rewinds the slot and starts it, once or (DSBPLAY_LOOPING) looping; a slot that is sounding is
// cut off and restarted. 1, also for a slot without sound (nothing happens); 0 if the mixer
// refuses.
int SoundPlay(int id, unsigned flags);
int SoundStop(int id); // stops and rewinds; always 1
int SoundStopAll();    // always 1
// Holds every playing sound where it is (paused 1), or lets them all go on (0), while the game
// stands still in the background. Always 1.
int SoundPauseAll(int paused);
int SoundDelete(int id); // stops and frees the sound; the slot stays taken until SoundInit
int SoundDeleteAll();    // always 1
// Volume 0 to 100 becomes (100 - volume) x -30 hundredths of a decibel (100: full level, 0: 30 dB
// down). 0 when the level falls outside SOUND_LEVEL_MIN..0 or the slot holds no sound.
int SoundSetVolume(int id, int volume);
// Plays the slot's samples at rate Hz (0: back to 11,025) from its next start; a looping slot is
// restarted at once at the new rate. 0 for a rate outside SOUND_RATE_MIN..SOUND_RATE_MAX or a
// slot without sound.
int SoundSetFrequency(int id, int rate);
// Pan in hundredths of a decibel: negative values lower the right side, positive the left.
// 0 outside SOUND_PAN_LEFT..SOUND_PAN_RIGHT or for a slot without sound.
int SoundSetPan(int id, int pan);
// DSBSTATUS_PLAYING, with DSBSTATUS_LOOPING when started looping, or 0; -1 without sound.
int SoundStatus(int id);
// Stops everything (music too), frees every sound and closes the audio device; always 1.
int SoundShutdown();
