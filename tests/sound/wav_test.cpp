// Tests of the RIFF WAVE reader: which layouts it accepts, which it refuses, and what it makes of
// sizes that lie.
#include "sound/wav.h"

#include "tests/sound/sound_files.h"

#include <gtest/gtest.h>

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

TEST(WavParse, FindsFormatAndSamplesPastOtherChunks)
{
    const Bytes samples = SquareWave(101);
    WavInfo info{};

    // An odd-sized chunk (with its pad byte) before "fmt " and another between "fmt " and "data".
    const Bytes withExtras =
        RiffWave({Chunk("LIST", Bytes(7, 'x')), Chunk("fmt ", FormatRecord(1, 1, 11025, 8)),
                  Chunk("fact", Bytes(4, 0)), Chunk("data", samples)});
    ASSERT_EQ(Parse(withExtras, &info), WAV_OK);
    EXPECT_EQ(DataOf(withExtras, info), samples);
    EXPECT_EQ(info.format.samplesPerSec, 11025u);

    // Stereo 16-bit 44.1 kHz is read all the same, in whole frames: of 101 bytes, 25 frames.
    const Bytes stereo =
        RiffWave({Chunk("fmt ", FormatRecord(1, 2, 44100, 16, true)), Chunk("data", samples)});
    ASSERT_EQ(Parse(stereo, &info), WAV_OK);
    EXPECT_EQ(info.format.channels, 2);
    EXPECT_EQ(info.format.bitsPerSample, 16);
    EXPECT_EQ(info.format.samplesPerSec, 44100u);
    EXPECT_EQ(DataOf(stereo, info), Bytes(samples.begin(), samples.begin() + 100));
    EXPECT_EQ(info.declaredBytes, 101u);

    // The RIFF form is found behind another top-level chunk, as the classic reader finds it.
    Bytes behindJunk = Chunk("JUNK", Bytes(3, 0));
    const Bytes plain = PlainWave(samples);
    behindJunk.insert(behindJunk.end(), plain.begin(), plain.end());
    ASSERT_EQ(Parse(behindJunk, &info), WAV_OK);
    EXPECT_EQ(DataOf(behindJunk, info), samples);
}

TEST(WavParse, RefusesWhatIsNotPlayablePcm)
{
    const Bytes samples = SquareWave(64);
    WavInfo info{};
    const Bytes pcm = FormatRecord(1, 1, 11025, 8);

    EXPECT_EQ(
        Parse(RiffWave({Chunk("fmt ", FormatRecord(3, 1, 11025, 32)), Chunk("data", samples)}),
              &info),
        WAV_NOT_PCM);
    EXPECT_EQ(Parse(RiffWave({Chunk("fmt ", pcm), Chunk("LIST", samples)}), &info), WAV_NO_DATA);
    // "data" before "fmt " is not looked for: the search only goes forward.
    EXPECT_EQ(
        Parse(RiffWave({Chunk("data", samples), Chunk("fmt ", pcm), Chunk("LIST", {})}), &info),
        WAV_NO_DATA);
    EXPECT_EQ(Parse(RiffWave({Chunk("data", samples)}), &info), WAV_NO_FORMAT);
    EXPECT_EQ(Parse(RiffWave({Chunk("fmt ", pcm), Chunk("data", {})}), &info), WAV_EMPTY_DATA);

    Bytes notWave = PlainWave(samples);
    notWave[8] = 'A'; // form "AAVE"
    EXPECT_EQ(Parse(notWave, &info), WAV_NOT_WAVE);
    EXPECT_EQ(Parse(Bytes(), &info), WAV_NOT_WAVE);
    EXPECT_EQ(Parse(Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A'}, &info), WAV_NOT_WAVE);

    // The file ends 1 byte short of the 18-byte format record.
    Bytes shortFormat = RiffWave({Chunk("fmt ", pcm)});
    shortFormat.resize(shortFormat.size() - 15);
    EXPECT_EQ(Parse(shortFormat, &info), WAV_SHORT_FORMAT);
}

TEST(WavParse, SizesThatLieNeverReachPastTheFile)
{
    const Bytes samples = SquareWave(300);
    const Bytes pcm = FormatRecord(1, 1, 11025, 8);
    WavInfo info{};

    // A 16-byte format record: the 2 further bytes come from the "data" header behind it.
    ASSERT_EQ(Parse(PlainWave(samples), &info), WAV_OK);

    // A "data" chunk claiming nearly 4 GiB, with the RIFF size claiming as much: cut to the file.
    const Bytes huge =
        RiffWave({Chunk("fmt ", pcm), Chunk("data", samples, 0xFFFFFFF0)}, 0xFFFFFFFF);
    ASSERT_EQ(Parse(huge, &info), WAV_OK);
    EXPECT_EQ(info.declaredBytes, 0xFFFFFFF0u);
    EXPECT_EQ(DataOf(huge, info), samples);

    // The file stops 100 bytes into its samples.
    Bytes truncated = PlainWave(samples);
    truncated.resize(truncated.size() - 200);
    ASSERT_EQ(Parse(truncated, &info), WAV_OK);
    EXPECT_EQ(info.dataBytes, 100u);
    EXPECT_EQ(DataOf(truncated, info), Bytes(samples.begin(), samples.begin() + 100));

    // A "data" chunk that claims less than the file holds keeps to its claim.
    const Bytes modest = RiffWave({Chunk("fmt ", pcm), Chunk("data", samples, 10)});
    ASSERT_EQ(Parse(modest, &info), WAV_OK);
    EXPECT_EQ(info.dataBytes, 10u);

    // A "fmt " size that jumps past the end, a RIFF size that ends before "data", chunk sizes
    // that would wrap a 32-bit offset: not found, never read out of bounds.
    EXPECT_EQ(Parse(RiffWave({Chunk("fmt ", pcm, 0xFFFFFFFE), Chunk("data", samples)}), &info),
              WAV_NO_DATA);
    EXPECT_EQ(Parse(RiffWave({Chunk("fmt ", pcm), Chunk("data", samples)}, 4 + 24), &info),
              WAV_NO_DATA);
    EXPECT_EQ(
        Parse(RiffWave({Chunk("LIST", {}, 0xFFFFFFF7), Chunk("fmt ", pcm), Chunk("data", samples)}),
              &info),
        WAV_NO_FORMAT);
    // A header-only "data" chunk at the very end holds no samples.
    EXPECT_EQ(Parse(RiffWave({Chunk("fmt ", pcm), Chunk("data", {}, 500)}), &info), WAV_EMPTY_DATA);
    // Less than one 16-bit stereo frame is no sound at all.
    EXPECT_EQ(
        Parse(RiffWave({Chunk("fmt ", FormatRecord(1, 2, 44100, 16)), Chunk("data", Bytes(3, 1))}),
              &info),
        WAV_EMPTY_DATA);
}

TEST(WavReadFile, RefusesMissingAndOversizedFiles)
{
    TempFolder folder("helix-wav");
    WavFormat format{};
    Bytes samples;
    EXPECT_EQ(WavReadFile((folder.path / "none.wav").c_str(), &format, &samples), WAV_CANNOT_OPEN);

    const auto big = folder.path / "big.wav";
    WriteFile(big, PlainWave(SquareWave(1000)));
    std::filesystem::resize_file(big, WAV_MAX_FILE_BYTES + 1);
    EXPECT_EQ(WavReadFile(big.c_str(), &format, &samples), WAV_TOO_LARGE);
    EXPECT_TRUE(samples.empty());

    std::filesystem::resize_file(big, WAV_MAX_FILE_BYTES); // at the limit: read, and cut
    ASSERT_EQ(WavReadFile(big.c_str(), &format, &samples), WAV_OK);
    EXPECT_EQ(samples.size(), 1000u);
}

} // namespace
