// Tests of the RIFF WAVE reader: which layouts it accepts, which it refuses, and what it makes of
// sizes that lie.
#include "sound/wav.h"

#include "tests/sound/sound_files.h"
#include "tests/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(WavParse, FindsTheSamplesInWholeFramesInsideTheFileOrSaysWhyNot)
{
    const Bytes samples = SquareWave(302);
    const Bytes pcm = FormatRecord(1, 1, 11025, 8);
    Bytes behindJunk = Chunk("JUNK", Bytes(3, 0)); // the RIFF form behind another chunk
    const Bytes plain = PlainWave(samples);
    behindJunk.insert(behindJunk.end(), plain.begin(), plain.end());
    Bytes truncated = plain;
    truncated.resize(truncated.size() - 202); // stops 100 bytes into its samples
    Bytes notWave = plain;
    notWave[8] = 'A'; // form "AAVE"
    Bytes shortFormat = RiffWave({Chunk("fmt ", pcm)});
    shortFormat.resize(shortFormat.size() - 15); // 1 byte short of an 18-byte format record
    struct Case {
        Bytes file;
        WavResult result;
        std::size_t bytes; // of samples held, from the first
    };
    const Case cases[] = {
        // An odd-sized chunk (with its pad byte) before "fmt ", another between it and "data".
        {RiffWave({Chunk("LIST", Bytes(7, 'x')), Chunk("fmt ", pcm), Chunk("fact", Bytes(4, 0)),
                   Chunk("data", samples)}),
         WAV_OK, 302},
        {RiffWave({Chunk("fmt ", FormatRecord(1, 2, 44100, 16, true)), Chunk("data", samples)}),
         WAV_OK, 300}, // stereo 16-bit: whole frames only
        {behindJunk, WAV_OK, 302},
        // "data" and RIFF sizes that claim nearly 4 GiB, or a file that stops early: cut to
        // the file; a "data" size that claims less: its claim.
        {RiffWave({Chunk("fmt ", pcm), Chunk("data", samples, 0xFFFFFFF0)}, 0xFFFFFFFF), WAV_OK,
         302},
        {truncated, WAV_OK, 100},
        {RiffWave({Chunk("fmt ", pcm), Chunk("data", samples, 10)}), WAV_OK, 10},
        {RiffWave({Chunk("fmt ", FormatRecord(3, 1, 11025, 32)), Chunk("data", samples)}),
         WAV_NOT_PCM, 0},
        {RiffWave({Chunk("fmt ", pcm), Chunk("LIST", samples)}), WAV_NO_DATA, 0},
        // "data" before "fmt " is not looked for: the search only goes forward.
        {RiffWave({Chunk("data", samples), Chunk("fmt ", pcm), Chunk("LIST", {})}), WAV_NO_DATA, 0},
        {RiffWave({Chunk("data", samples)}), WAV_NO_FORMAT, 0},
        {notWave, WAV_NOT_WAVE, 0},
        {Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A'}, WAV_NOT_WAVE, 0},
        {shortFormat, WAV_SHORT_FORMAT, 0},
        // A "fmt " size that jumps past the end, a RIFF size that ends before "data", chunk sizes
        // that would wrap a 32-bit offset: not found, never read out of bounds.
        {RiffWave({Chunk("fmt ", pcm, 0xFFFFFFFE), Chunk("data", samples)}), WAV_NO_DATA, 0},
        {RiffWave({Chunk("fmt ", pcm), Chunk("data", samples)}, 4 + 24), WAV_NO_DATA, 0},
        {RiffWave({Chunk("LIST", {}, 0xFFFFFFF7), Chunk("fmt ", pcm), Chunk("data", samples)}),
         WAV_NO_FORMAT, 0},
        // A header-only "data" chunk at the very end; less than one 16-bit stereo frame.
        {RiffWave({Chunk("fmt ", pcm), Chunk("data", {}, 500)}), WAV_EMPTY_DATA, 0},
        {RiffWave({Chunk("fmt ", FormatRecord(1, 2, 44100, 16)), Chunk("data", Bytes(3, 1))}),
         WAV_EMPTY_DATA, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        WavInfo info{};
        ASSERT_EQ(WavParse(c.file.data(), c.file.size(), &info), c.result);
        if (c.result == WAV_OK) {
            EXPECT_EQ(Bytes(c.file.begin() + info.dataOffset,
                            c.file.begin() + info.dataOffset + info.dataBytes),
                      Bytes(samples.begin(), samples.begin() + c.bytes));
        }
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
    EXPECT_EQ(format.samplesPerSec, 11025u);
}

} // namespace
