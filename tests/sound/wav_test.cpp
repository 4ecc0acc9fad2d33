// Tests of the RIFF WAVE reader: which layouts it accepts, which it refuses, and what it makes of
// sizes that lie.
#include "sound/wav.h"

#include "tests/sound/sound_files.h"
#include "tests/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

namespace {

WavResult Parse(const Bytes& file, WavInfo* info)
{
    return WavParse(file.data(), file.size(), info);
}

Bytes DataOf(const Bytes& file, const WavInfo& info)
{
    return Bytes(file.begin() + static_cast<std::ptrdiff_t>(info.dataOffset),
                 file.begin() + static_cast<std::ptrdiff_t>(info.dataOffset + info.dataBytes));
}

TEST(WavParse, FindsTheSamplesAndCutsThemToWholeFramesInsideTheFile)
{
    const Bytes samples = SquareWave(302);
    const Bytes pcm = FormatRecord(1, 1, 11025, 8);
    Bytes behindJunk = Chunk("JUNK", Bytes(3, 0)); // the RIFF form behind another chunk
    const Bytes plain = PlainWave(samples);
    behindJunk.insert(behindJunk.end(), plain.begin(), plain.end());
    Bytes truncated = PlainWave(samples);
    truncated.resize(truncated.size() - 202); // stops 100 bytes into its samples
    struct Case {
        Bytes file;
        std::size_t bytes; // of samples, from the first
        const char* what;
    };
    const Case cases[] = {
        {RiffWave({Chunk("LIST", Bytes(7, 'x')), Chunk("fmt ", pcm), Chunk("fact", Bytes(4, 0)),
                   Chunk("data", samples)}),
         302, "odd chunk (with its pad byte) before fmt, another between fmt and data"},
        {RiffWave({Chunk("fmt ", FormatRecord(1, 2, 44100, 16, true)), Chunk("data", samples)}),
         300, "stereo 16-bit 44.1 kHz: whole frames"},
        {behindJunk, 302, "behind another top-level chunk"},
        {plain, 302, "a 16-byte format record: the 2 further bytes are data's header"},
        {RiffWave({Chunk("fmt ", pcm), Chunk("data", samples, 0xFFFFFFF0)}, 0xFFFFFFFF), 302,
         "data and RIFF sizes claiming nearly 4 GiB: cut to the file"},
        {truncated, 100, "cut to the file"},
        {RiffWave({Chunk("fmt ", pcm), Chunk("data", samples, 10)}), 10, "claims less: its claim"},
    };
    for (const Case& c : cases) {
        WavInfo info{};
        ASSERT_EQ(Parse(c.file, &info), WAV_OK) << c.what;
        EXPECT_EQ(DataOf(c.file, info), Bytes(samples.begin(), samples.begin() + c.bytes))
            << c.what;
    }
    WavInfo info{};
    Parse(cases[1].file, &info);
    EXPECT_EQ((std::array{int(info.format.channels), int(info.format.bitsPerSample)}),
              (std::array{2, 16}));
    EXPECT_EQ(info.format.samplesPerSec, 44100u);
    EXPECT_EQ(info.declaredBytes, 302u);
}

TEST(WavParse, RefusesWhatIsNotPlayablePcmAndNeverReadsPastTheFile)
{
    const Bytes samples = SquareWave(64);
    const Bytes pcm = FormatRecord(1, 1, 11025, 8);
    Bytes notWave = PlainWave(samples);
    notWave[8] = 'A'; // form "AAVE"
    Bytes shortFormat = RiffWave({Chunk("fmt ", pcm)});
    shortFormat.resize(shortFormat.size() - 15); // 1 byte short of an 18-byte format record
    const std::pair<Bytes, WavResult> cases[] = {
        {RiffWave({Chunk("fmt ", FormatRecord(3, 1, 11025, 32)), Chunk("data", samples)}),
         WAV_NOT_PCM},
        {RiffWave({Chunk("fmt ", pcm), Chunk("LIST", samples)}), WAV_NO_DATA},
        // "data" before "fmt " is not looked for: the search only goes forward.
        {RiffWave({Chunk("data", samples), Chunk("fmt ", pcm), Chunk("LIST", {})}), WAV_NO_DATA},
        {RiffWave({Chunk("data", samples)}), WAV_NO_FORMAT},
        {RiffWave({Chunk("fmt ", pcm), Chunk("data", {})}), WAV_EMPTY_DATA},
        {notWave, WAV_NOT_WAVE},
        {Bytes(), WAV_NOT_WAVE},
        {Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A'}, WAV_NOT_WAVE},
        {shortFormat, WAV_SHORT_FORMAT},
        // A "fmt " size that jumps past the end, a RIFF size that ends before "data", chunk sizes
        // that would wrap a 32-bit offset: not found, never read out of bounds.
        {RiffWave({Chunk("fmt ", pcm, 0xFFFFFFFE), Chunk("data", samples)}), WAV_NO_DATA},
        {RiffWave({Chunk("fmt ", pcm), Chunk("data", samples)}, 4 + 24), WAV_NO_DATA},
        {RiffWave({Chunk("LIST", {}, 0xFFFFFFF7), Chunk("fmt ", pcm), Chunk("data", samples)}),
         WAV_NO_FORMAT},
        // A header-only "data" chunk at the very end, less than one 16-bit stereo frame.
        {RiffWave({Chunk("fmt ", pcm), Chunk("data", {}, 500)}), WAV_EMPTY_DATA},
        {RiffWave({Chunk("fmt ", FormatRecord(1, 2, 44100, 16)), Chunk("data", Bytes(3, 1))}),
         WAV_EMPTY_DATA},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        WavInfo info{};
        EXPECT_EQ(Parse(cases[i].first, &info), cases[i].second) << "case " << i;
    }
}

TEST(WavReadFile, RefusesMissingAndOversizedFiles)
{
    WavFormat format{};
    Bytes samples;
    EXPECT_EQ(WavReadFile(TestProcessFile("none.wav").c_str(), &format, &samples), WAV_CANNOT_OPEN);

    const std::string big = WriteFile(TestProcessFile("big.wav"), PlainWave(SquareWave(1000)));
    std::filesystem::resize_file(big, WAV_MAX_FILE_BYTES + 1);
    EXPECT_EQ(WavReadFile(big.c_str(), &format, &samples), WAV_TOO_LARGE);
    EXPECT_TRUE(samples.empty());

    std::filesystem::resize_file(big, WAV_MAX_FILE_BYTES); // at the limit: read, and cut
    ASSERT_EQ(WavReadFile(big.c_str(), &format, &samples), WAV_OK);
    EXPECT_EQ(samples.size(), 1000u);
}

} // namespace
