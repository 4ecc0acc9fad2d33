// The sound effects as the game reads and mixes them: 8-bit mono files of their lengths that start
// and end in silence; the face verdicts and the tunes lead, the catch chirp and the bad-codon buzz
// sit about 6 dB under them, the special catch between, and any two effects sound together
// without clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "sound/wav.h"
#include "tests/tools/sheet.h"

namespace {

enum Part { LEAD, SMALL, SPECIAL };

// Each effect, its part in the mix and its shortest and longest length in seconds.
const struct Effect {
    const char* name;
    Part part;
    double shortest, longest;
} EFFECTS[] = {
    {"Untitled4.WAV", LEAD, 1.5, 2.5},    {"untitled.WAV", SMALL, 0.03, 0.15},
    {"untitled2.WAV", SPECIAL, 0.1, 0.4}, {"untitled3.WAV", LEAD, 0.3, 0.8},
    {"untitled5.WAV", LEAD, 0.4, 1.0},    {"untitled6.WAV", SMALL, 0.1, 0.35},
    {"untitled7.WAV", LEAD, 1.0, 2.5},
};

// Loudness as the generator levels it: the highest RMS over any 100 ms, in decibels of full scale.
double LoudnessDb(const std::vector<uint8_t>& s)
{
    const size_t window = std::min<size_t>(s.size(), 1102);
    double sum = 0.0, highest = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        sum += (s[i] - 128.0) * (s[i] - 128.0);
        if (i >= window)
            sum -= (s[i - window] - 128.0) * (s[i - window] - 128.0);
        highest = std::max(highest, sum);
    }
    return 10.0 * std::log10(std::max(highest, 1e-9) / double(window) / (128.0 * 128.0));
}

TEST(SoundLevels, EffectsLastTheirLengthsEndQuietKeepTheirLevelsAndMixWithoutClipping)
{
    constexpr size_t N = std::size(EFFECTS);
    double loudness[N];
    int highest[N], lowest[N];
    for (size_t i = 0; i < N; ++i) {
        const Effect& e = EFFECTS[i];
        SCOPED_TRACE(e.name);
        // Read by the game's reader, which must find what the mixer is given.
        WavFormat format{};
        std::vector<uint8_t> s;
        ASSERT_EQ(WavReadFile(DataPath(e.name).c_str(), &format, &s), WAV_OK);
        EXPECT_EQ(std::tuple(format.formatTag, format.channels, format.bitsPerSample,
                             format.samplesPerSec),
                  std::tuple(WAV_FORMAT_PCM, 1, 8, 11025u));
        ASSERT_FALSE(s.empty());
        const double seconds = double(s.size()) / 11025.0;
        EXPECT_TRUE(seconds >= e.shortest && seconds <= e.longest) << seconds << " s";
        // Silence (128) at both ends, so a start or a cut-off does not click.
        EXPECT_NEAR(s.front(), 128, 2);
        EXPECT_NEAR(s.back(), 128, 2);
        loudness[i] = LoudnessDb(s);
        // The game's mixer widens a sample to 16 bits as (v - 128) x 256.
        highest[i] = (*std::max_element(s.begin(), s.end()) - 128) * 256;
        lowest[i] = (*std::min_element(s.begin(), s.end()) - 128) * 256;
    }

    auto levels = [&](Part part) {
        std::vector<double> found;
        for (size_t i = 0; i < N; ++i)
            if (EFFECTS[i].part == part)
                found.push_back(loudness[i]);
        return found;
    };
    const std::vector<double> lead = levels(LEAD), small = levels(SMALL);
    const double quietestLead = *std::min_element(lead.begin(), lead.end());
    const double special = levels(SPECIAL).at(0);
    EXPECT_LE(*std::max_element(lead.begin(), lead.end()) - quietestLead, 1.0);
    for (double level : small)
        EXPECT_TRUE(quietestLead - level >= 4.5 && quietestLead - level <= 7.5) << level;
    EXPECT_GE(quietestLead - special, 1.5);
    EXPECT_GE(special - *std::max_element(small.begin(), small.end()), 1.5);

    // The mixer sums the effects' channels at full volume and clamps the sum. Every pair of
    // positions in two sounds meets at some offset, so the loudest mix of the two is exactly the
    // sum of their highest samples (and of their lowest); a device at another rate interpolates
    // between neighbouring samples, which stays within them. A sound is paired with itself too,
    // as a replicated slot would play it.
    for (size_t a = 0; a < N; ++a)
        for (size_t b = a; b < N; ++b) {
            EXPECT_LE(highest[a] + highest[b], 32767)
                << EFFECTS[a].name << " + " << EFFECTS[b].name;
            EXPECT_GE(lowest[a] + lowest[b], -32768) << EFFECTS[a].name << " + " << EFFECTS[b].name;
        }
}

} // namespace
