// The palette text writer of the asset generator.
#include "tools/assetgen/pal_writer.h"

#include <cstdio>
#include <memory>

int PalWrite(const char* path, const PALETTEENTRY* palette)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "w"), std::fclose);
    if (!file) {
        return 0;
    }
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        const PALETTEENTRY& e = palette[i];
        if (std::fprintf(file.get(), "\n%d %d %d %d", e.peRed, e.peGreen, e.peBlue, e.peFlags) <
            0) {
            return 0;
        }
    }
    return std::fclose(file.release()) == 0 ? 1 : 0;
}
