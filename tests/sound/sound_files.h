// Builders of the WAV and MIDI files the sound tests write: whole files as bytes, with every size
// field open to a lie.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void PutLe(Bytes& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline void PutBe(Bytes& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// One chunk: id, size (the true one unless told otherwise), data, a pad byte after odd data.
inline Bytes Chunk(const char* id, const Bytes& data, long long claimedSize = -1)
{
    Bytes out(id, id + 4);
    PutLe(out,
          claimedSize < 0 ? static_cast<std::uint32_t>(data.size())
                          : static_cast<std::uint32_t>(claimedSize),
          4);
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2) {
        out.push_back(0);
    }
    return out;
}

// A "fmt " record of 16 bytes (plain PCM) or 18 (with the extra-size field).
inline Bytes FormatRecord(int tag, int channels, int rate, int bits, bool withExtra = false)
{
    Bytes out;
    const int blockAlign = channels * bits / 8;
    PutLe(out, static_cast<std::uint32_t>(tag), 2);
    PutLe(out, static_cast<std::uint32_t>(channels), 2);
    PutLe(out, static_cast<std::uint32_t>(rate), 4);
    PutLe(out, static_cast<std::uint32_t>(rate * blockAlign), 4);
    PutLe(out, static_cast<std::uint32_t>(blockAlign), 2);
    PutLe(out, static_cast<std::uint32_t>(bits), 2);
    if (withExtra) {
        PutLe(out, 0, 2);
    }
    return out;
}

// "RIFF" size "WAVE" and the given sub-chunks; the RIFF size is the true one unless told.
inline Bytes RiffWave(const std::vector<Bytes>& chunks, long long claimedSize = -1)
{
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) {
        body.insert(body.end(), c.begin(), c.end());
    }
    Bytes out{'R', 'I', 'F', 'F'};
    PutLe(out,
          claimedSize < 0 ? static_cast<std::uint32_t>(body.size())
                          : static_cast<std::uint32_t>(claimedSize),
          4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A square wave of 8-bit unsigned samples around 128, half a period high, half low.
inline Bytes SquareWave(std::size_t samples, int amplitude = 40, std::size_t period = 50)
{
    Bytes out(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        out[i] =
            static_cast<std::uint8_t>(128 + ((i % period) < period / 2 ? amplitude : -amplitude));
    }
    return out;
}

// The game's own kind of file: 8-bit mono 11,025 Hz PCM.
inline Bytes PlainWave(const Bytes& samples)
{
    return RiffWave({Chunk("fmt ", FormatRecord(1, 1, 11025, 8)), Chunk("data", samples)});
}

// A format-0 MIDI file with one piano note of the given length (96 ticks per quarter note at the
// standard 120 beats a minute: 192 ticks a second).
inline Bytes OneNoteMidi(std::uint32_t noteTicks)
{
    Bytes track;
    auto delta = [&track](std::uint32_t ticks) {
        Bytes groups{static_cast<std::uint8_t>(ticks & 0x7F)};
        while (ticks >>= 7) {
            groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (ticks & 0x7F)));
        }
        track.insert(track.end(), groups.begin(), groups.end());
    };
    delta(0);
    track.insert(track.end(), {0x90, 60, 100}); // note on, middle C
    delta(noteTicks);
    track.insert(track.end(), {0x80, 60, 0}); // note off
    delta(0);
    track.insert(track.end(), {0xFF, 0x2F, 0x00}); // end of track
    Bytes out{'M', 'T', 'h', 'd'};
    PutBe(out, 6, 4);
    PutBe(out, 0, 2);  // format 0
    PutBe(out, 1, 2);  // one track
    PutBe(out, 96, 2); // ticks per quarter note
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    PutBe(out, static_cast<std::uint32_t>(track.size()), 4);
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A fresh, empty folder under the system's temporary folder, removed by the destructor.
struct TempFolder {
    std::filesystem::path path;
    explicit TempFolder(const std::string& name)
        : path(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};
