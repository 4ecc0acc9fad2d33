// The PNG writer of the asset generator: signature, IHDR, one zlib-compressed IDAT, IEND.
#include "tools/assetgen/png_writer.h"
#include "tools/assetgen/file_writer.h"

#include <zlib.h>

#include <cstdio>
#include <memory>
#include <vector>

// The largest side we write; far above any icon, and it keeps every size below in 32 bits.
static constexpr int PNG_MAX_SIDE = 4096;

static void PutBig32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(v >> shift));
    }
}

// A chunk: length, type, data, and the CRC of type and data.
static void PutChunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data,
                     uint32_t size)
{
    PutBig32(out, size);
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    if (size > 0) {
        out.insert(out.end(), data, data + size);
    }
    PutBig32(out,
             static_cast<uint32_t>(crc32(0L, out.data() + typeAt, static_cast<uInt>(4 + size))));
}

int PngWriteRgba(const char* path, int width, int height, const uint8_t* rgba)
{
    if (width <= 0 || height <= 0 || width > PNG_MAX_SIDE || height > PNG_MAX_SIDE || !rgba) {
        return 0;
    }
    const size_t rowBytes = 4 * static_cast<size_t>(width);
    // Every row starts with its filter byte; filter 0 (none) keeps the writer small, and zlib
    // still packs an icon's large clear areas to almost nothing.
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const uint8_t* row = rgba + static_cast<size_t>(y) * rowBytes;
        raw.insert(raw.end(), row, row + rowBytes);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK) {
        return 0;
    }

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(width));
    PutBig32(header, static_cast<uint32_t>(height));
    // 8 bits a channel, colour type 6 (RGBA), deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});
    PutChunk(out, "IHDR", header.data(), static_cast<uint32_t>(header.size()));
    PutChunk(out, "IDAT", packed.data(), static_cast<uint32_t>(packedSize));
    PutChunk(out, "IEND", nullptr, 0);

    return FileWriteAll(path, out);
}
