// Builders of the WAV and MIDI files the sound tests write: whole files as bytes, with every size
// field open to a lie.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
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
    Bytes out;
    const int blockAlign = channels * bits / 8;
    for (auto [value, bytes] : {std::pair{tag, 2},
                                {channels, 2},
                                {rate, 4},
                                {rate * blockAlign, 4},
                                {blockAlign, 2},
                                {bits, 2},
                                {0, withExtra ? 2 : 0}}) {
        Put(out, std::uint32_t(value), bytes);
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

// A format-0 MIDI file with one piano note of the given length (96 ticks per quarter note at the
// standard 120 beats a minute: 192 ticks a second).
inline Bytes OneNoteMidi(std::uint32_t noteTicks)
{
    Bytes length; // the note's length as a variable-length number, 7 bits a byte
    for (std::uint32_t rest = noteTicks, more = 0; length.empty() || rest;
         rest >>= 7, more = 0x80) {
        length.insert(length.begin(), std::uint8_t(more | (rest & 0x7F)));
    }
    Bytes track{0, 0x90, 60, 100}; // note on, middle C
    track.insert(track.end(), length.begin(), length.end());
    track.insert(track.end(), {0x80, 60, 0, 0, 0xFF, 0x2F, 0x00}); // note off, end of track
    Bytes out{'M', 'T', 'h', 'd'};
    Put(Put(Put(Put(out, 6, -4), 0, -2), 1, -2), 96, -2); // format 0, one track, 96 a quarter
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    Put(out, std::uint32_t(track.size()), -4);
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
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

// Runs load, which may open the FIFO at fifo. Should load still be busy after two seconds (an
// open(2) of a FIFO without O_NONBLOCK waits for a writer), a writer comes and goes at the other
// end, so a blocking open returns and the test fails instead of hanging. True when load returned
// by itself.
inline bool ReturnsAtOnce(const std::string& fifo, const std::function<void()>& load)
{
    std::atomic<bool> done{false};
    std::atomic<bool> rescued{false};
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!done) {
            if (std::chrono::steady_clock::now() > deadline) {
                const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                if (writer >= 0) { // only succeeds while a reader waits
                    rescued = true;
                    ::close(writer);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    load();
    done = true;
    watchdog.join();
    return !rescued;
}
