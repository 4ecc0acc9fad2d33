// The RIFF WAVE reader: chunk search, the format record and the sample bytes, all bounds-checked.
#include "sound/wav.h"

#include "support/regular_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

static constexpr std::size_t CHUNK_HEADER_BYTES = 8; // four-character id, then a 32-bit size

static std::uint16_t ReadLe16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

static std::uint32_t ReadLe32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

static bool IsId(const std::uint8_t* p, const char* id)
{
    return std::memcmp(p, id, 4) == 0;
}

// The offset after a chunk whose header starts at pos: its data rounded up to an even size.
// 64-bit, so a size near 4 GiB cannot wrap around to an earlier offset.
static std::uint64_t NextChunk(std::uint64_t pos, std::uint32_t chunkSize)
{
    return pos + CHUNK_HEADER_BYTES + chunkSize + (chunkSize & 1u);
}

// Finds the chunk named id whose header lies wholly in [pos, end); its header offset, or -1.
static long long FindChunk(const std::uint8_t* bytes, std::uint64_t pos, std::uint64_t end,
                           const char* id)
{
    while (pos + CHUNK_HEADER_BYTES <= end) {
        if (IsId(bytes + pos, id)) {
            return static_cast<long long>(pos);
        }
        pos = NextChunk(pos, ReadLe32(bytes + pos + 4));
    }
    return -1;
}

WavResult WavParse(const std::uint8_t* bytes, std::size_t size, WavInfo* info)
{
    // The RIFF chunk of form "WAVE" among the top-level chunks.
    std::uint64_t pos = 0;
    std::uint64_t riffEnd = 0;
    for (;;) {
        if (pos + CHUNK_HEADER_BYTES + 4 > size) {
            return WAV_NOT_WAVE;
        }
        const std::uint32_t chunkSize = ReadLe32(bytes + pos + 4);
        if (IsId(bytes + pos, "RIFF") && IsId(bytes + pos + CHUNK_HEADER_BYTES, "WAVE")) {
            riffEnd = std::min<std::uint64_t>(pos + CHUNK_HEADER_BYTES + chunkSize, size);
            pos += CHUNK_HEADER_BYTES + 4;
            break;
        }
        pos = NextChunk(pos, chunkSize);
    }

    const long long fmt = FindChunk(bytes, pos, riffEnd, "fmt ");
    if (fmt < 0) {
        return WAV_NO_FORMAT;
    }
    const std::uint64_t fmtData = static_cast<std::uint64_t>(fmt) + CHUNK_HEADER_BYTES;
    if (fmtData + WAV_FORMAT_BYTES > size) {
        return WAV_SHORT_FORMAT;
    }
    const std::uint8_t* record = bytes + fmtData;
    WavFormat& format = info->format;
    format.formatTag = ReadLe16(record);
    format.channels = ReadLe16(record + 2);
    format.samplesPerSec = ReadLe32(record + 4);
    format.avgBytesPerSec = ReadLe32(record + 8);
    format.blockAlign = ReadLe16(record + 12);
    format.bitsPerSample = ReadLe16(record + 14);
    format.extraSize = ReadLe16(record + 16);
    if (format.formatTag != WAV_FORMAT_PCM) {
        return WAV_NOT_PCM;
    }
    // These fields say how to walk the samples frame by frame: fields that make no sense are
    // refused here, so nothing behind the reader has to guess.
    if (format.channels == 0) {
        return WAV_NO_CHANNELS;
    }
    if (format.samplesPerSec == 0) {
        return WAV_NO_RATE;
    }
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16 && format.bitsPerSample != 32) {
        return WAV_BAD_BITS;
    }
    if (format.blockAlign != format.channels * (format.bitsPerSample / 8)) {
        return WAV_BAD_ALIGN;
    }

    // "data" is looked for after the "fmt " chunk only, as the classic reader walks forward.
    const std::uint64_t afterFmt =
        NextChunk(static_cast<std::uint64_t>(fmt), ReadLe32(bytes + fmt + 4));
    const long long data = FindChunk(bytes, afterFmt, riffEnd, "data");
    if (data < 0) {
        return WAV_NO_DATA;
    }
    const std::uint64_t dataStart = static_cast<std::uint64_t>(data) + CHUNK_HEADER_BYTES;
    info->declaredBytes = ReadLe32(bytes + data + 4);
    // A chunk that claims more than the file holds is cut to the bytes that are there.
    const std::uint64_t held = std::min<std::uint64_t>(info->declaredBytes, size - dataStart);
    info->dataBytes = static_cast<std::uint32_t>(held - held % format.blockAlign);
    info->dataOffset = static_cast<std::size_t>(dataStart);
    return info->dataBytes == 0 ? WAV_EMPTY_DATA : WAV_OK;
}

WavResult WavReadFile(const char* fileName, WavFormat* format, std::vector<std::uint8_t>* samples)
{
    FileHandle file(FileOpenRegularStream(fileName));
    if (!file) {
        return std::strcmp(FileOpenError(), "not a regular file") == 0 ? WAV_NOT_REGULAR
                                                                       : WAV_CANNOT_OPEN;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return WAV_CANNOT_OPEN;
    }
    const long fileSize = std::ftell(file.get());
    if (fileSize < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return WAV_CANNOT_OPEN;
    }
    if (static_cast<unsigned long>(fileSize) > WAV_MAX_FILE_BYTES) {
        return WAV_TOO_LARGE;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(fileSize));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return WAV_CANNOT_OPEN;
    }
    WavInfo info;
    const WavResult result = WavParse(bytes.data(), bytes.size(), &info);
    if (result != WAV_OK) {
        return result;
    }
    *format = info.format;
    samples->assign(bytes.begin() + static_cast<std::ptrdiff_t>(info.dataOffset),
                    bytes.begin() + static_cast<std::ptrdiff_t>(info.dataOffset + info.dataBytes));
    return WAV_OK;
}

const char* WavResultText(WavResult result)
{
    switch (result) {
        case WAV_OK:
            return "read";
        case WAV_CANNOT_OPEN:
            return "cannot be opened or read";
        case WAV_NOT_REGULAR:
            return "is not a regular file";
        case WAV_TOO_LARGE:
            return "is too large for a sound effect";
        case WAV_NOT_WAVE:
            return "is not a RIFF WAVE file";
        case WAV_NO_FORMAT:
            return "has no \"fmt \" chunk";
        case WAV_SHORT_FORMAT:
            return "ends inside its format record";
        case WAV_NOT_PCM:
            return "is not PCM";
        case WAV_NO_CHANNELS:
            return "has 0 channels";
        case WAV_NO_RATE:
            return "has a sample rate of 0 Hz";
        case WAV_BAD_BITS:
            return "has samples of neither 8, 16 nor 32 bits";
        case WAV_BAD_ALIGN:
            return "has a block align that is not one frame";
        case WAV_NO_DATA:
            return "has no \"data\" chunk";
        case WAV_EMPTY_DATA:
            return "holds no whole sample frame";
    }
    return "cannot be read";
}
