// BMP reading: 8-, 16- and 24-bit files, and broken, compressed and irregular files that must be
// refused with their reason and without touching the record.
#include "graphics/bitmap.h"

#include "graphics/display.h"
#include "tests/graphics/irregular_files.h"
#include "tests/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A BMP file in memory: headers, a colour table for 8-bit files, then the given rows (stored
// bottom row first, each already as long as the file should hold it).
struct BmpFile {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    std::vector<uint8_t> table;
    std::vector<uint8_t> data;

    // Entry i of an 8-bit file's colour table is blue i, red 255 - i.
    BmpFile(int width, int height, int bitCount, std::vector<uint8_t> rows) : data(std::move(rows))
    {
        file.bfType = BITMAP_ID;
        info.biSize = sizeof info;
        info.biWidth = width;
        info.biHeight = height;
        info.biPlanes = 1;
        info.biBitCount = static_cast<uint16_t>(bitCount);
        info.biSizeImage = static_cast<uint32_t>(data.size());
        for (int i = 0; bitCount == 8 && i < 256; ++i) {
            table.insert(table.end(), {uint8_t(i), 0, uint8_t(255 - i), 0});
        }
    }

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> out(sizeof file + sizeof info);
        std::memcpy(out.data(), &file, sizeof file);
        std::memcpy(out.data() + sizeof file, &info, sizeof info);
        out.insert(out.end(), table.begin(), table.end());
        out.insert(out.end(), data.begin(), data.end());
        return out;
    }
};

std::string Write(const char* name, const std::vector<uint8_t>& bytes)
{
    const std::string path = TestProcessFile(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

class BitmapTest : public ::testing::Test {
protected:
    BitmapImage image{};
    void TearDown() override
    {
        BitmapUnload(&image);
        PixelFormat = 16;
    }
};

} // namespace

TEST_F(BitmapTest, EightBitFileGivesTopRowFirstAndItsColourTable)
{
    BmpFile bmp(4, 2, 8, {1, 2, 3, 4, 5, 6, 7, 8});
    std::copy_n("\x0A\x14\x1E", 3, &bmp.table[20]); // entry 5: blue 10, green 20, red 30
    ASSERT_EQ(BitmapLoad(&image, Write("eight.bmp", bmp.Bytes()).c_str()), 1);
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(image.pixels, image.pixels + 8),
              (std::vector<uint8_t>{5, 6, 7, 8, 1, 2, 3, 4}));
    const PALETTEENTRY& five = image.palette[5];
    EXPECT_EQ((std::array{five.peRed, five.peGreen, five.peBlue, five.peFlags}),
              (std::array<uint8_t, 4>{30, 20, 10, PC_NOCOLLAPSE}));

    // Loading into a loaded record replaces its picture; a short colour table (biClrUsed) leaves
    // the other entries black.
    BmpFile few(4, 1, 8, {0, 1, 2, 3});
    few.info.biClrUsed = 2;
    few.table.resize(8);
    ASSERT_EQ(BitmapLoad(&image, Write("few.bmp", few.Bytes()).c_str()), 1);
    EXPECT_EQ(image.pixels[3], 3);
    EXPECT_EQ(image.palette[1].peBlue, 1);
    EXPECT_EQ(image.palette[2].peRed, 0);
    EXPECT_EQ(BitmapUnload(&image), 1);
    EXPECT_EQ(image.pixels, nullptr);
}

TEST_F(BitmapTest, SixteenBitIsKeptAndTwentyFourBitIsPackedForThePixelFormat)
{
    BmpFile sixteen(2, 2, 16, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08});
    ASSERT_EQ(BitmapLoad(&image, Write("sixteen.bmp", sixteen.Bytes()).c_str()), 1);
    EXPECT_EQ(std::vector<uint8_t>(image.pixels, image.pixels + 8),
              (std::vector<uint8_t>{0x05, 0x06, 0x07, 0x08, 0x01, 0x02, 0x03, 0x04}));

    // Bottom row: white, (blue 0, green 4, red 0); top row: red 8, blue 8. Each channel keeps its
    // top bits: 5.6.5, or 5.5.5 when PixelFormat is 15.
    const std::vector<uint8_t> rows = {255, 255, 255, 0, 4, 0, 0, 0, 8, 8, 0, 0};
    const std::string path = Write("twentyfour.bmp", BmpFile(2, 2, 24, rows).Bytes());
    const auto pixel = [&](int i) {
        uint16_t p;
        std::memcpy(&p, image.pixels + 2 * i, 2);
        return p;
    };
    PixelFormat = 16;
    ASSERT_EQ(BitmapLoad(&image, path.c_str()), 1);
    EXPECT_EQ(+image.infoHeader.biBitCount, 16);
    EXPECT_EQ((std::array{pixel(0), pixel(1), pixel(2), pixel(3)}),
              (std::array<uint16_t, 4>{0x0800, 0x0001, 0xFFFF, 0x0020}));
    PixelFormat = 15;
    ASSERT_EQ(BitmapLoad(&image, path.c_str()), 1);
    EXPECT_EQ((std::array{pixel(0), pixel(1), pixel(2), pixel(3)}),
              (std::array<uint16_t, 4>{0x0400, 0x0001, 0x7FFF, 0x0000}));

    // Rows padded to four bytes, as most painting programs write them: 3 x 2, 9 + 3 bytes a row.
    std::vector<uint8_t> padded(24, 0);
    padded[12] = padded[13] = padded[14] = 255; // top row, first pixel white
    PixelFormat = 16;
    ASSERT_EQ(BitmapLoad(&image, Write("padded.bmp", BmpFile(3, 2, 24, padded).Bytes()).c_str()),
              1);
    EXPECT_EQ((std::array{pixel(0), pixel(1), pixel(3)}), (std::array<uint16_t, 3>{0xFFFF, 0, 0}));
}

TEST_F(BitmapTest, BrokenFilesAreRefusedWithTheirReasonAndLeaveTheRecordAlone)
{
    const BmpFile good(4, 2, 8, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_EQ(BitmapLoad(&image, Write("good.bmp", good.Bytes()).c_str()), 1);
    const BitmapImage before = image;
    std::vector<uint8_t> pixelsBefore(image.pixels, image.pixels + 8);

    struct Case {
        const char* what;
        std::string path;
        const char* reason;
    };
    std::vector<Case> cases;
    const auto bytes = [&](const char* what, const char* reason, const std::vector<uint8_t>& b) {
        const std::string name = "broken-" + std::to_string(cases.size()) + ".bmp";
        cases.push_back({what, Write(name.c_str(), b), reason});
    };
    const auto variant = [&](const char* what, const char* reason, auto change) {
        BmpFile b = good;
        change(b);
        bytes(what, reason, b.Bytes());
    };
    const char* const badSize = "bad picture size";
    const char* const badData = "pixel data smaller than the picture";
    variant("wrong magic", "not a BMP file", [](BmpFile& b) { b.file.bfType = 0x4D43; });
    variant("zero width", badSize, [](BmpFile& b) { b.info.biWidth = 0; });
    variant("negative height", badSize, [](BmpFile& b) { b.info.biHeight = -2; });
    variant("absurd width", badSize, [](BmpFile& b) { b.info.biWidth = 20000; });
    variant("image size below the picture", badData, [](BmpFile& b) { b.info.biSizeImage = 7; });
    variant("image size beyond the file", "cut short",
            [](BmpFile& b) { b.info.biSizeImage = 5000; });
    variant("height beyond the data", badData, [](BmpFile& b) { b.info.biHeight = 3; });
    variant("4-bit", "unsupported bit count", [](BmpFile& b) { b.info.biBitCount = 4; });
    variant("cut colour table", "cut short", [](BmpFile& b) { b.table.resize(600); });
    variant("info header size beyond the file", "bad info header size",
            [](BmpFile& b) { b.info.biSize = 100000; });
    // Compressed pixels would otherwise be read as raw ones: the sizes here all fit.
    const char* const compressed = "compressed BMP files are not supported";
    variant("RLE8", compressed, [](BmpFile& b) { b.info.biCompression = 1; });
    BmpFile fields(2, 2, 16, std::vector<uint8_t>(8, 0x11));
    fields.info.biCompression = 3;
    bytes("BITFIELDS", compressed, fields.Bytes());
    const std::vector<uint8_t> whole = good.Bytes();
    for (size_t cut : {size_t{10}, size_t{30}, whole.size() - 3}) {
        bytes("truncated", "cut short", std::vector<uint8_t>(whole.begin(), whole.begin() + cut));
    }
    cases.push_back({"no such file", TestProcessFile("no-such-file.bmp"), "missing file"});
    for (const IrregularFile& irregular : IrregularFiles()) {
        cases.push_back({irregular.what, irregular.path, "not a regular file"});
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int loaded = -1;
        EXPECT_TRUE(CallReturnsAtOnce([&] { loaded = BitmapLoad(&image, c.path.c_str()); }));
        EXPECT_EQ(loaded, 0);
        EXPECT_STREQ(BitmapLoadError(), c.reason);
        EXPECT_EQ(std::memcmp(&image, &before, offsetof(BitmapImage, pixels)), 0);
        EXPECT_EQ(image.pixels, before.pixels);
        EXPECT_EQ(std::vector<uint8_t>(image.pixels, image.pixels + 8), pixelsBefore);
    }
    // A success clears the reason of the failure before it.
    ASSERT_EQ(BitmapLoad(&image, Write("good.bmp", good.Bytes()).c_str()), 1);
    EXPECT_STREQ(BitmapLoadError(), "");
}

TEST(BitmapRows, FlipRowsTurnsThePictureUpsideDown)
{
    uint8_t p[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(BitmapFlipRows(p, 3, 3), 1);
    EXPECT_EQ(std::vector<uint8_t>(p, p + 9), (std::vector<uint8_t>{7, 8, 9, 4, 5, 6, 1, 2, 3}));
    EXPECT_EQ(BitmapFlipRows(nullptr, 3, 3), 0);
}
