// The generated data as the game reads it: a sheet through the game's BMP loader, its cells cut as
// the game cuts them (by the game's own layout of the sheet), and whole files.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/sheet_layout.h"
#include "graphics/bitmap.h"

inline std::string DataPath(const std::string& name)
{
    return std::string(HELIX_DATA_DIR) + "/" + name;
}

inline std::vector<uint8_t> ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct DataSheet {
    const SheetLayout* layout = nullptr; // null for a file read as a whole picture
    int width = 0, height = 0, bitCount = 0;
    std::vector<uint8_t> pixels; // empty when the loader refused the file
    PALETTEENTRY palette[PALETTE_SIZE] = {};

    explicit DataSheet(const SheetLayout& sheet) : DataSheet(std::string(sheet.fileName))
    {
        layout = &sheet;
    }
    explicit DataSheet(const std::string& name)
    {
        BitmapImage image{};
        EXPECT_EQ(BitmapLoad(&image, DataPath(name).c_str()), 1) << name;
        if (image.pixels != nullptr) {
            width = image.infoHeader.biWidth;
            height = image.infoHeader.biHeight;
            bitCount = image.infoHeader.biBitCount;
            pixels.assign(image.pixels, image.pixels + size_t(width) * size_t(height));
            std::copy(std::begin(image.palette), std::end(image.palette), palette);
        }
        BitmapUnload(&image);
    }
    int At(int x, int y) const
    {
        return pixels[size_t(y) * size_t(width) + size_t(x)];
    }
    // The pixel (x, y) of the cell (column, row), where the game cuts it.
    int CellAt(int column, int row, int x, int y) const
    {
        return At(SheetCellLeft(*layout, column) + x, SheetCellTop(*layout, row) + y);
    }
};

// Whether two palettes agree on every colour (the flags byte aside).
inline bool SameColours(const PALETTEENTRY* a, const PALETTEENTRY* b)
{
    return std::equal(a, a + PALETTE_SIZE, b, [](const PALETTEENTRY& x, const PALETTEENTRY& y) {
        return x.peRed == y.peRed && x.peGreen == y.peGreen && x.peBlue == y.peBlue;
    });
}
