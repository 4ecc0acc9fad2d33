// The RIFF WAVE writer of the asset generator.
#include "tools/assetgen/wav_writer.h"
#include "tools/assetgen/file_writer.h"

#include <cstdio>
#include <memory>
#include <vector>

static void Put(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

static void PutTag(std::vector<uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(tag[i]));
    }
}

int WavWrite8(const char* path, const uint8_t* samples, size_t count)
{
    if (!samples && count > 0) {
        return 0;
    }
    const uint32_t pad = count & 1u;
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put(out, static_cast<uint32_t>(4 + 8 + WAV_FORMAT_BYTES + 8 + count + pad), 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put(out, WAV_FORMAT_BYTES, 4);
    Put(out, 1, 2);        // PCM
    Put(out, 1, 2);        // mono
    Put(out, WAV_RATE, 4); // samples per second
    Put(out, WAV_RATE, 4); // bytes per second
    Put(out, 1, 2);        // block align
    Put(out, 8, 2);        // bits per sample
    Put(out, 0, 2);        // cbSize: no extra format bytes
    PutTag(out, "data");
    Put(out, static_cast<uint32_t>(count), 4);
    out.insert(out.end(), samples, samples + count);
    if (pad) {
        out.push_back(128);
    }

    return FileWriteAll(path, out);
}
