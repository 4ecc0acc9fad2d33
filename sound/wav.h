// The RIFF WAVE reader of the sound-effect layer: finds the format record and the sample bytes of
// a WAV file, from a file or from bytes already in memory (the asset tools and the fuzzer use
// that), and refuses format records that describe no playable PCM.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Files above this size are refused before anything is allocated: the game's sounds are a few
// seconds long, and 4 MiB of 8-bit 11,025 Hz samples play for over six minutes.
constexpr std::size_t WAV_MAX_FILE_BYTES = 4u << 20;
// The format record is read as its first 18 bytes, whatever the "fmt " chunk declares; a plain
// PCM record holds 16, and the last 2 then come from whatever follows it in the file.
constexpr std::size_t WAV_FORMAT_BYTES = 18;
constexpr std::uint16_t WAV_FORMAT_PCM = 1;

enum WavResult {
    WAV_OK = 0,
    WAV_CANNOT_OPEN,  // the file cannot be opened or read
    WAV_NOT_REGULAR,  // a FIFO, a device or a folder in the file's place
    WAV_TOO_LARGE,    // over WAV_MAX_FILE_BYTES
    WAV_NOT_WAVE,     // no RIFF chunk of form "WAVE"
    WAV_NO_FORMAT,    // no "fmt " chunk in it
    WAV_SHORT_FORMAT, // fewer than 18 bytes from the start of the "fmt " data to the end of file
    WAV_NOT_PCM,      // a format tag other than 1
    WAV_NO_CHANNELS,  // 0 channels
    WAV_NO_RATE,      // 0 samples a second
    WAV_BAD_BITS,     // a sample size other than 8, 16 or 32 bits
    WAV_BAD_ALIGN,    // a block align other than channels x bytes a sample
    WAV_NO_DATA,      // no "data" chunk after the "fmt " chunk
    WAV_EMPTY_DATA,   // a "data" chunk without a single whole frame in the file
};

// The format record as the file holds it (little-endian WAVEFORMATEX).
struct WavFormat {
    std::uint16_t formatTag;
    std::uint16_t channels;
    std::uint32_t samplesPerSec;
    std::uint32_t avgBytesPerSec;
    std::uint16_t blockAlign;
    std::uint16_t bitsPerSample;
    std::uint16_t extraSize;
};

// Where the samples lie in the bytes that were parsed.
struct WavInfo {
    WavFormat format;
    std::size_t dataOffset; // first sample byte
    // Sample bytes present: the declared size, cut at the end of file and then to whole frames.
    std::uint32_t dataBytes;
    std::uint32_t declaredBytes; // what the "data" chunk header claims
};

// Parses a whole WAV file held in memory. Chunks are found as the classic multimedia reader finds
// them: the first RIFF chunk of form "WAVE" among the top-level chunks, then "fmt " among its
// sub-chunks, then "data" among the sub-chunks after "fmt "; other chunks are passed over (sizes
// rounded up to even). No offset or size is trusted before it is checked against size. A PCM
// record must hold 1 or more channels, a rate above 0 and 8-, 16- or 32-bit samples, with a block
// align of one frame; an incomplete last frame is left out. On WAV_OK, info describes the file;
// otherwise info is left unspecified.
WavResult WavParse(const std::uint8_t* bytes, std::size_t size, WavInfo* info);

// Reads fileName whole and parses it; on WAV_OK, samples holds the sample bytes. Only a regular
// file is read, and opening never blocks (a FIFO in its place is refused at once).
WavResult WavReadFile(const char* fileName, WavFormat* format, std::vector<std::uint8_t>* samples);

// A short English description of a result, for error messages.
const char* WavResultText(WavResult result);
