// The game's seven sound effects, synthesised: band-limited square, triangle and saw voices,
// bells, a resonant vowel filter and noise, shaped by envelopes, then set to their places in the
// game's hierarchy of loudness and written as 8-bit mono at 11,025 Hz.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/sheets.h"
#include "tools/assetgen/wav_writer.h"

static constexpr float RATE = static_cast<float>(WAV_RATE);
static constexpr float NYQUIST_GUARD =
    0.45f * RATE; // partials above this would fold back as whistles
static constexpr float TWO_PI = 6.28318531f;

// Loudness is the highest RMS over any 100 ms of the sound (full scale 1): about the time over
// which the ear sums a short sound, so a 0.12 s blip is judged as it is heard, and the quiet
// tails and gaps of a tune do not count against it.
static constexpr float LOUDNESS_WINDOW_S = 0.1f;
// The levels, in decibels of that loudness. The face verdicts and the start and game-over tunes
// lead; the catch chirp and the bad-codon buzz, heard many times a game, sit 6 dB under them; the
// special catch, a reward but still a catch, halfway between.
static constexpr float LEVEL_LEAD_DB = -15.5f;
static constexpr float LEVEL_SPECIAL_DB = LEVEL_LEAD_DB - 3.0f;
static constexpr float LEVEL_SMALL_DB = LEVEL_LEAD_DB - 6.0f;
// The game's mixer sums its effects' channels and clamps the sum to the range of one full-scale
// 8-bit sound (127 up, 128 down from the midpoint, times 256), so no effect swings further than
// 63 from the midpoint: any two sounding together, at any offset, stay inside it. The lead level
// leaves every effect a little under this.
static constexpr float PEAK_LIMIT = 63.0f / 127.0f;
static constexpr float FADE_IN_S = 0.004f;
static constexpr float FADE_OUT_S = 0.012f;

using Buffer = std::vector<float>;

enum Wave { WAVE_SQUARE, WAVE_TRIANGLE, WAVE_SAW, WAVE_SINE };

// One sample of a band-limited wave at phase p (radians) for fundamental f: the wave's harmonics
// summed up to the guard, so high notes stay clean at this low sample rate.
static float WaveSample(Wave wave, float p, float f)
{
    if (wave == WAVE_SINE) {
        return std::sin(p);
    }
    float sum = 0.0f;
    for (int h = 1; static_cast<float>(h) * f < NYQUIST_GUARD; ++h) {
        if (wave == WAVE_SAW) {
            sum += std::sin(static_cast<float>(h) * p) / static_cast<float>(h);
        } else if (h % 2 == 1 && wave == WAVE_SQUARE) {
            sum += std::sin(static_cast<float>(h) * p) / static_cast<float>(h);
        } else if (h % 2 == 1) { // triangle: odd harmonics, alternating sign, 1/h^2
            sum += ((h / 2) % 2 ? -1.0f : 1.0f) * std::sin(static_cast<float>(h) * p) /
                   static_cast<float>(h * h);
        }
    }
    if (wave == WAVE_SQUARE) {
        return sum * 4.0f / 3.14159265f * 0.8f;
    }
    if (wave == WAVE_TRIANGLE) {
        return sum * 8.0f / (3.14159265f * 3.14159265f);
    }
    return sum * 2.0f / 3.14159265f * 0.8f;
}

static float NoteHz(int midi)
{
    return 440.0f * std::pow(2.0f, static_cast<float>(midi - 69) / 12.0f);
}

// Attack, then an exponential fall to `sustain` with time constant decay, released linearly over
// release seconds at the note's end.
static float Envelope(float t, float length, float attack, float decay, float sustain,
                      float release)
{
    if (t < 0.0f || t >= length) {
        return 0.0f;
    }
    float level =
        t < attack ? t / attack : sustain + (1.0f - sustain) * std::exp(-(t - attack) / decay);
    float left = length - t;
    if (left < release) {
        level *= left / release;
    }
    return level;
}

// A note of a voice: start and length in seconds, loudness, envelope shape and a vibrato that
// sets in after the attack (depth in semitones).
struct Note {
    int midi;
    float start, length, gain;
};
struct Voice {
    Wave wave;
    float attack, decay, sustain, release;
    float vibratoDepth, vibratoHz;
};

static void AddNote(Buffer& out, const Voice& v, const Note& n)
{
    const float f0 = NoteHz(n.midi);
    float phase = 0.0f;
    int first = static_cast<int>(n.start * RATE), count = static_cast<int>(n.length * RATE);
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        float t = static_cast<float>(i) / RATE;
        float vib = v.vibratoDepth * std::min(1.0f, t / 0.25f) * std::sin(TWO_PI * v.vibratoHz * t);
        float f = f0 * std::pow(2.0f, vib / 12.0f);
        phase += TWO_PI * f / RATE;
        out[static_cast<size_t>(first + i)] +=
            n.gain * Envelope(t, n.length, v.attack, v.decay, v.sustain, v.release) *
            WaveSample(v.wave, phase, f);
    }
}

static void AddNotes(Buffer& out, const Voice& v, const std::vector<Note>& notes)
{
    for (const Note& n : notes) {
        AddNote(out, v, n);
    }
}

// A struck bell: slightly inharmonic partials that die away faster the higher they are.
static void AddBell(Buffer& out, float hz, float start, float gain, float ring)
{
    static constexpr float RATIOS[] = {1.0f, 2.02f, 3.01f, 4.16f};
    static constexpr float LEVELS[] = {1.0f, 0.55f, 0.3f, 0.18f};
    int first = static_cast<int>(start * RATE);
    for (int p = 0; p < 4; ++p) {
        float f = hz * RATIOS[p];
        if (f >= NYQUIST_GUARD) {
            break;
        }
        float tau = ring / (1.0f + static_cast<float>(p));
        for (int i = 0; first + i < static_cast<int>(out.size()); ++i) {
            float t = static_cast<float>(i) / RATE;
            float env = std::min(1.0f, t / 0.002f) * std::exp(-t / tau);
            if (env < 1e-4f && t > 0.01f) {
                break;
            }
            out[static_cast<size_t>(first + i)] +=
                gain * LEVELS[p] * env * std::sin(TWO_PI * f * t);
        }
    }
}

// A state-variable band-pass: the vowel colour of the "wah", its centre and width moving.
struct BandPass {
    float low = 0.0f, band = 0.0f;
    float Step(float in, float centreHz, float q)
    {
        float f = 2.0f * std::sin(3.14159265f * std::min(centreHz, 0.2f * RATE) / RATE);
        float high = in - low - band / q;
        band += f * high;
        low += f * band;
        return band;
    }
};

// A gentle one-pole low-pass that takes the fizz off raw buzzes.
static void LowPass(Buffer& b, float cutoffHz)
{
    float a = 1.0f - std::exp(-TWO_PI * cutoffHz / RATE), y = 0.0f;
    for (float& s : b) {
        s = y += a * (s - y);
    }
}

// A soft echo, as if played in a small room.
static void Echo(Buffer& b, float delayS, float feedback)
{
    size_t d = static_cast<size_t>(delayS * RATE);
    for (size_t i = d; i < b.size(); ++i) {
        b[i] += feedback * b[i - d];
    }
}

static Buffer Silence(float seconds)
{
    return Buffer(static_cast<size_t>(seconds * RATE), 0.0f);
}

// ---- the effects ----

// Start of the game: a bright rising arpeggio on a square lead over a triangle bass, landing on a
// held chord with vibrato.
static Buffer StartJingle()
{
    Buffer b = Silence(2.05f);
    const float s = 0.105f; // one step of the tune
    const Voice lead = {WAVE_SQUARE, 0.006f, 0.12f, 0.45f, 0.04f, 0.0f, 0.0f};
    const Voice held = {WAVE_SQUARE, 0.01f, 0.3f, 0.5f, 0.35f, 0.25f, 5.5f};
    const Voice bass = {WAVE_TRIANGLE, 0.008f, 0.25f, 0.6f, 0.06f, 0.0f, 0.0f};
    // C E G C' | E' D' C' G | A B D' (leading up) | C' held with E' and G' under it
    const int tune[] = {72, 76, 79, 84, 88, 86, 84, 79, 81, 83, 86};
    std::vector<Note> notes;
    for (int i = 0; i < 11; ++i) {
        notes.push_back({tune[i], s * static_cast<float>(i), s * 0.92f, i == 4 ? 0.34f : 0.28f});
    }
    AddNotes(b, lead, notes);
    AddNotes(b, held,
             {{84, 11 * s, 0.88f, 0.3f}, {88, 11 * s, 0.88f, 0.13f}, {79, 11 * s, 0.88f, 0.13f}});
    AddNotes(b, bass,
             {{48, 0, 4 * s, 0.5f},
              {52, 4 * s, 4 * s, 0.5f},
              {53, 8 * s, 3 * s, 0.5f},
              {48, 11 * s, 0.88f, 0.55f}});
    Echo(b, 0.16f, 0.22f);
    return b;
}

// Catching a base: a quick upward chirp with a hint of a fifth above.
static Buffer CatchBlip()
{
    Buffer b = Silence(0.12f);
    float phase = 0.0f;
    for (size_t i = 0; i < b.size(); ++i) {
        float t = static_cast<float>(i) / RATE;
        float f = 620.0f * std::pow(3.0f, std::min(t / 0.07f, 1.0f)); // 620 -> 1860 Hz
        phase += TWO_PI * f / RATE;
        float env = std::min(1.0f, t / 0.004f) * std::exp(-t / 0.045f);
        b[i] = env * (0.8f * WaveSample(WAVE_TRIANGLE, phase, f) + 0.25f * std::sin(1.5f * phase));
    }
    return b;
}

// Catching the special piece: bells climbing a major pentatonic, with a shimmer of noise.
static Buffer SpecialSparkle()
{
    Buffer b = Silence(0.39f);
    const int steps[] = {79, 84, 88, 91, 96};
    for (int i = 0; i < 5; ++i) {
        AddBell(b, NoteHz(steps[i]), 0.045f * static_cast<float>(i), 0.32f,
                0.09f + 0.02f * static_cast<float>(i));
    }
    uint32_t seed = 12345;
    Buffer shimmer(b.size());
    for (size_t i = 0; i < b.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        float t = static_cast<float>(i) / RATE;
        float noise = static_cast<float>(seed >> 9) / static_cast<float>(1u << 23) - 1.0f;
        shimmer[i] = 0.05f * noise * std::sin(3.14159265f * std::min(1.0f, t / 0.3f));
    }
    // Only the hiss's top end: subtract its low-passed self.
    Buffer low = shimmer;
    LowPass(low, 2500.0f);
    for (size_t i = 0; i < b.size(); ++i) {
        b[i] += shimmer[i] - low[i];
    }
    return b;
}

// A face worth nothing: a sagging "wah-waah", a saw sliding down through a vowel filter that
// closes from "ah" to "oo".
static Buffer FaceNothingWah()
{
    Buffer b = Silence(0.78f);
    BandPass vowel;
    float phase = 0.0f;
    for (size_t i = 0; i < b.size(); ++i) {
        float t = static_cast<float>(i) / RATE;
        // Two syllables: a short one at 233 Hz, then a long one sliding from 220 to 147 Hz.
        bool second = t >= 0.22f;
        float ts = second ? t - 0.22f : t;
        float f = second ? 220.0f * std::pow(147.0f / 220.0f, std::min(ts / 0.45f, 1.0f)) : 233.0f;
        f *= 1.0f +
             (second ? 0.012f * std::sin(TWO_PI * 6.0f * ts) * std::min(ts / 0.2f, 1.0f) : 0.0f);
        phase += TWO_PI * f / RATE;
        float len = second ? 0.56f : 0.2f;
        float env = Envelope(ts, len, 0.025f, 0.3f, 0.75f, second ? 0.18f : 0.05f);
        // Each syllable opens then closes the filter: "wah".
        float open = std::sin(3.14159265f * std::min(ts / len, 1.0f));
        float centre = 380.0f + 900.0f * open * (second ? 0.85f : 1.0f);
        b[i] = env * vowel.Step(WaveSample(WAVE_SAW, phase, f), centre, 4.5f) * 1.8f;
    }
    return b;
}

// A scored face: a brass-like "ta-ta-ta-taaa" on saws whose brightness opens with each note.
static Buffer ScoredFanfare()
{
    Buffer b = Silence(0.98f);
    struct Hit {
        int midi;
        float start, length;
    };
    const Hit hits[] = {
        {67, 0.0f, 0.11f}, {67, 0.12f, 0.11f}, {67, 0.24f, 0.11f}, {72, 0.36f, 0.6f}};
    for (const Hit& h : hits) {
        // The chord under the last note: a third and a fifth.
        const int chord[] = {h.midi, h.midi + 4, h.midi + 7};
        int voices = h.length > 0.3f ? 3 : 1;
        for (int c = 0; c < voices; ++c) {
            Buffer note = Silence(h.length);
            Voice brass = {WAVE_SAW, 0.02f, 0.15f, 0.7f, 0.08f, h.length > 0.3f ? 0.18f : 0.0f,
                           6.0f};
            AddNote(note, brass, {chord[c], 0.0f, h.length, c == 0 ? 0.42f : 0.2f});
            // Brightness follows the note: a low-pass that opens on the attack and settles.
            float y = 0.0f;
            for (size_t i = 0; i < note.size(); ++i) {
                float t = static_cast<float>(i) / RATE;
                float cutoff = 900.0f + 2600.0f * std::exp(-t / 0.08f);
                float a = 1.0f - std::exp(-TWO_PI * cutoff / RATE);
                y += a * (note[i] - y);
                size_t at = static_cast<size_t>(h.start * RATE) + i;
                if (at < b.size()) {
                    b[at] += y;
                }
            }
        }
    }
    Echo(b, 0.11f, 0.18f);
    return b;
}

// A codon that fills no layer: two short low buzzes, a detuned pair of squares.
static Buffer BadCodonBuzz()
{
    Buffer b = Silence(0.33f);
    const Voice buzz = {WAVE_SQUARE, 0.006f, 0.2f, 0.8f, 0.03f, 0.0f, 0.0f};
    for (float start : {0.0f, 0.17f}) {
        AddNote(b, buzz, {45, start, 0.13f, 0.35f}); // A2
        AddNote(b, buzz, {46, start, 0.13f, 0.3f});  // and a rough semitone above
    }
    LowPass(b, 1400.0f);
    return b;
}

// The end of the game: a calm closing phrase that settles on the home chord.
static Buffer GameOverTune()
{
    Buffer b = Silence(2.4f);
    const float s = 0.2f;
    const Voice lead = {WAVE_TRIANGLE, 0.01f, 0.2f, 0.55f, 0.06f, 0.0f, 0.0f};
    const Voice soft = {WAVE_SQUARE, 0.01f, 0.25f, 0.35f, 0.06f, 0.0f, 0.0f};
    const Voice last = {WAVE_TRIANGLE, 0.01f, 0.5f, 0.45f, 0.45f, 0.2f, 5.0f};
    // G E C E | D B- G B | C held
    const int tune[] = {79, 76, 72, 76, 74, 71, 67, 71};
    std::vector<Note> leadNotes, echoNotes;
    for (int i = 0; i < 8; ++i) {
        leadNotes.push_back({tune[i], s * static_cast<float>(i), s * 0.95f, 0.5f});
        echoNotes.push_back({tune[i] - 12, s * static_cast<float>(i), s * 0.95f, 0.12f});
    }
    AddNotes(b, lead, leadNotes);
    AddNotes(b, soft, echoNotes);
    AddNotes(b, last,
             {{72, 8 * s, 0.78f, 0.5f}, {76, 8 * s, 0.78f, 0.22f}, {67, 8 * s, 0.78f, 0.22f}});
    const Voice bass = {WAVE_TRIANGLE, 0.01f, 0.3f, 0.6f, 0.08f, 0.0f, 0.0f};
    AddNotes(b, bass, {{48, 0, 4 * s, 0.4f}, {43, 4 * s, 4 * s, 0.4f}, {36, 8 * s, 0.78f, 0.45f}});
    Echo(b, 0.2f, 0.2f);
    return b;
}

// The highest RMS over any LOUDNESS_WINDOW_S of b (all of b when it is shorter).
static float Loudness(const Buffer& b)
{
    const size_t window = std::min(b.size(), static_cast<size_t>(LOUDNESS_WINDOW_S * RATE));
    double sum = 0.0, highest = 0.0;
    for (size_t i = 0; i < b.size(); ++i) {
        sum += static_cast<double>(b[i]) * static_cast<double>(b[i]);
        if (i >= window) {
            sum -= static_cast<double>(b[i - window]) * static_cast<double>(b[i - window]);
        }
        if (i + 1 >= window) {
            highest = std::max(highest, sum);
        }
    }
    return static_cast<float>(
        std::sqrt(std::max(highest, 0.0) / static_cast<double>(std::max<size_t>(window, 1))));
}

// Fades, level and the 8-bit conversion; the fades keep both ends free of clicks.
static std::vector<uint8_t> Finish(Buffer b, float levelDb)
{
    const size_t in = static_cast<size_t>(FADE_IN_S * RATE),
                 out = static_cast<size_t>(FADE_OUT_S * RATE);
    float peak = 1e-6f;
    for (size_t i = 0; i < b.size(); ++i) {
        b[i] *= std::min({1.0f, static_cast<float>(i) / static_cast<float>(in),
                          static_cast<float>(b.size() - 1 - i) / static_cast<float>(out)});
        peak = std::max(peak, std::abs(b[i]));
    }
    const float target = std::pow(10.0f, levelDb / 20.0f);
    const float gain = std::min(target / std::max(Loudness(b), 1e-6f), PEAK_LIMIT / peak);
    std::vector<uint8_t> samples(b.size());
    for (size_t i = 0; i < b.size(); ++i) {
        samples[i] =
            static_cast<uint8_t>(std::clamp(std::lround(128.0f + 127.0f * b[i] * gain), 1L, 255L));
    }
    return samples;
}

struct Effect {
    const char* name;
    Buffer (*make)();
    float levelDb;
};

static constexpr Effect EFFECTS[] = {
    {"Untitled4.WAV", StartJingle, LEVEL_LEAD_DB},
    {"untitled.WAV", CatchBlip, LEVEL_SMALL_DB},
    {"untitled2.WAV", SpecialSparkle, LEVEL_SPECIAL_DB},
    {"untitled3.WAV", FaceNothingWah, LEVEL_LEAD_DB},
    {"untitled5.WAV", ScoredFanfare, LEVEL_LEAD_DB},
    {"untitled6.WAV", BadCodonBuzz, LEVEL_SMALL_DB},
    {"untitled7.WAV", GameOverTune, LEVEL_LEAD_DB},
};

int SoundEffectsWrite(const std::string& dir)
{
    for (const Effect& e : EFFECTS) {
        std::vector<uint8_t> samples = Finish(e.make(), e.levelDb);
        if (!WavWrite8((dir + "/" + e.name).c_str(), samples.data(), samples.size())) {
            return 0;
        }
    }
    return 1;
}
