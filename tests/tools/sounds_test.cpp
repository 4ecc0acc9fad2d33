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

const char* const LEAD[] = {"Untitled4.WAV", "untitled3.WAV", "untitled5.WAV", "untitled7.WAV"};
const char* const SMALL[] = {"untitled.WAV", "untitled6.WAV"};
const char* const SPECIAL = "untitled2.WAV";
const char* const ALL[] = {"Untitled4.WAV", "untitled.WAV",  "untitled2.WAV", "untitled3.WAV",
                           "untitled5.WAV", "untitled6.WAV", "untitled7.WAV"};

// The samples, read by the game's reader, which must find what the mixer is given: 8-bit mono PCM
// at 11025 samples a second.
std::vector<uint8_t> Samples(const char* name)
{
    WavFormat format{};
    std::vector<uint8_t> samples;
    EXPECT_EQ(WavReadFile(DataPath(name).c_str(), &format, &samples), WAV_OK) << name;
    EXPECT_EQ(
        std::tuple(format.formatTag, format.channels, format.bitsPerSample, format.samplesPerSec),
        std::tuple(WAV_FORMAT_PCM, 1, 8, 11025u))
        << name;
    return samples;
}

// Loudness as the generator levels it: the highest RMS over any 100 ms, in decibels of full scale.
double LoudnessDb(const char* name)
{
    const std::vector<uint8_t> s = Samples(name);
    const size_t window = std::min<size_t>(s.size(), 1102);
    if (window == 0)
        return -200.0;
    double sum = 0.0, highest = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        sum += (s[i] - 128.0) * (s[i] - 128.0);
        if (i >= window)
            sum -= (s[i - window] - 128.0) * (s[i - window] - 128.0);
        highest = std::max(highest, sum);
    }
    return 10.0 * std::log10(std::max(highest, 1e-9) / double(window) / (128.0 * 128.0));
}

TEST(SoundLevels, EachEffectLastsItsLengthAndStartsAndEndsInSilence)
{
    // Shortest and longest, in seconds.
    const std::tuple<const char*, double, double> lengths[] = {
        {"Untitled4.WAV", 1.5, 2.5}, {"untitled.WAV", 0.03, 0.15}, {"untitled2.WAV", 0.1, 0.4},
        {"untitled3.WAV", 0.3, 0.8}, {"untitled5.WAV", 0.4, 1.0},  {"untitled6.WAV", 0.1, 0.35},
        {"untitled7.WAV", 1.0, 2.5},
    };
    for (const auto& [name, shortest, longest] : lengths) {
        const std::vector<uint8_t> s = Samples(name);
        ASSERT_FALSE(s.empty()) << name;
        const double seconds = double(s.size()) / 11025.0;
        EXPECT_TRUE(seconds >= shortest && seconds <= longest) << name << ": " << seconds << " s";
        // Silence (128) at both ends, so a start or a cut-off does not click.
        EXPECT_NEAR(s.front(), 128, 2) << name;
        EXPECT_NEAR(s.back(), 128, 2) << name;
    }
}

TEST(SoundLevels, ChirpAndBuzzSitAboutSixDecibelsUnderTheLeadSoundsAndTheSpecialCatchBetween)
{
    double quietestLead = 0.0, loudestLead = -200.0, loudestSmall = -200.0;
    for (const char* name : LEAD) {
        quietestLead = std::min(quietestLead, LoudnessDb(name));
        loudestLead = std::max(loudestLead, LoudnessDb(name));
    }
    EXPECT_LE(loudestLead - quietestLead, 1.0) << "the four lead sounds are levelled alike";
    for (const char* name : SMALL) {
        const double under = quietestLead - LoudnessDb(name);
        EXPECT_TRUE(under >= 4.5 && under <= 7.5) << name << " is " << under << " dB under";
        loudestSmall = std::max(loudestSmall, LoudnessDb(name));
    }
    const double special = LoudnessDb(SPECIAL);
    EXPECT_GE(quietestLead - special, 1.5);
    EXPECT_GE(special - loudestSmall, 1.5);
}

TEST(SoundLevels, AnyTwoEffectsMixWithoutClippingAtAnyOffset)
{
    // The game's mixer widens each 8-bit sample to 16 bits as (v - 128) x 256, sums the effects'
    // channels at full volume and clamps the sum. Every pair of positions in two sounds meets at
    // some offset, so the loudest mix of the two is exactly the sum of their highest samples (and
    // of their lowest); a device at another rate interpolates between neighbouring samples, which
    // stays within them. A sound is paired with itself too, as a replicated slot would play it.
    int highest[std::size(ALL)], lowest[std::size(ALL)];
    for (size_t i = 0; i < std::size(ALL); ++i) {
        const std::vector<uint8_t> s = Samples(ALL[i]);
        ASSERT_FALSE(s.empty()) << ALL[i];
        highest[i] = (*std::max_element(s.begin(), s.end()) - 128) * 256;
        lowest[i] = (*std::min_element(s.begin(), s.end()) - 128) * 256;
    }
    for (size_t a = 0; a < std::size(ALL); ++a)
        for (size_t b = a; b < std::size(ALL); ++b) {
            EXPECT_LE(highest[a] + highest[b], 32767) << ALL[a] << " + " << ALL[b];
            EXPECT_GE(lowest[a] + lowest[b], -32768) << ALL[a] << " + " << ALL[b];
        }
}

} // namespace
