// The BMP writer of the asset generator.
#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/file_writer.h"

#include <cstdio>
#include <memory>
#include <vector>

static void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

static void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

int BmpWrite8(const char* path, int width, int height, const uint8_t* pixels, int pitch,
              const PALETTEENTRY* palette, uint8_t padIndex)
{
    if (width <= 0 || height <= 0 || pitch < width || !pixels || !palette) {
        return 0;
    }
    const uint32_t stride = (static_cast<uint32_t>(width) + 3u) & ~3u;
    const uint32_t imageBytes = stride * static_cast<uint32_t>(height);

    std::vector<uint8_t> out;
    out.reserve(BMP_HEADER_BYTES + imageBytes);
    // File header.
    Put16(out, 0x4D42);
    Put32(out, BMP_HEADER_BYTES + imageBytes);
    Put32(out, 0);
    Put32(out, BMP_HEADER_BYTES);
    // Info header: the stored width is the rounded one, so every row is exactly biWidth bytes.
    Put32(out, 40);
    Put32(out, stride);
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0); // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, PALETTE_SIZE);
    Put32(out, 0);
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        out.push_back(palette[i].peBlue);
        out.push_back(palette[i].peGreen);
        out.push_back(palette[i].peRed);
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch);
        out.insert(out.end(), row, row + width);
        out.insert(out.end(), stride - static_cast<uint32_t>(width), padIndex);
    }

    return FileWriteAll(path, out);
}
