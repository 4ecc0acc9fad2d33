// Builders of the WAV files the sound tests write: whole files as bytes, with every size field open
// to a lie.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Appends value in bytes little-endian, or big-endian when bytes is negative.
inline Bytes& Put(Bytes& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < std::abs(bytes); ++i) {
        out.push_back(std::uint8_t(value >> 8 * (bytes > 0 ? i : -bytes - 1 - i)));
    }
    return out;
}

// One chunk: id, size (the true one unless claimedSize says otherwise), data, a pad byte after
// odd data.
inline Bytes Chunk(const char* id, const Bytes& data, long long claimedSize = -1)
{
    Bytes out(id, id + 4);
    Put(out, std::uint32_t(claimedSize < 0 ? data.size() : claimedSize), 4);
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2) {
        out.push_back(0);
    }
    return out;
}

// A "fmt " record of 16 bytes (plain PCM) or 18 (with the extra-size field).
inline Bytes FormatRecord(int tag, int channels, int rate, int bits, bool withExtra = false)
{
    const int align = channels * bits / 8;
    Bytes out;
    Put(Put(Put(out, tag, 2), channels, 2), rate, 4);
    Put(Put(Put(out, rate * align, 4), align, 2), bits, 2);
    return withExtra ? Put(out, 0, 2) : out;
}

// "RIFF" size "WAVE" and the given sub-chunks; the RIFF size is the true one unless told.
inline Bytes RiffWave(const std::vector<Bytes>& chunks, long long claimedSize = -1)
{
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) {
        body.insert(body.end(), c.begin(), c.end());
    }
    return Chunk("RIFF", body, claimedSize);
}

// A square wave of 8-bit unsigned samples around 128, half a period high, half low.
inline Bytes SquareWave(std::size_t samples, int amplitude = 40, std::size_t period = 50)
{
    Bytes out(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        out[i] = std::uint8_t(128 + ((i % period) < period / 2 ? amplitude : -amplitude));
    }
    return out;
}

// The game's own kind of file: 8-bit mono 11,025 Hz PCM.
inline Bytes PlainWave(const Bytes& samples)
{
    return RiffWave({Chunk("fmt ", FormatRecord(1, 1, 11025, 8)), Chunk("data", samples)});
}

inline std::string WriteFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}
