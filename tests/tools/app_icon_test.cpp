// The desktop icons as the build drew them, read back with zlib: a well-formed RGBA PNG of the
// right size at every size, clear in the corners and solid where the picture is.
#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "tests/tools/sheet.h"
#include "tools/assetgen/app_icon.h"

namespace {

uint32_t Big32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// Undoes the row filters in place (rows of 1 + rowBytes, four bytes a pixel); false on an unknown
// filter.
bool Unfilter(std::vector<uint8_t>& raw, size_t rowBytes, int height)
{
    const std::vector<uint8_t> zeros(rowBytes, 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = raw.data() + size_t(y) * (rowBytes + 1);
        const uint8_t* up = y > 0 ? row - rowBytes : zeros.data();
        const int filter = row[0];
        if (filter > 4)
            return false;
        ++row;
        for (size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= 4 ? row[i - 4] : 0, b = up[i], c = i >= 4 ? up[i - 4] : 0;
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b),
                      pc = std::abs(p - c);
            const int predict[5] = {0, a, b, (a + b) / 2,
                                    pa <= pb && pa <= pc ? a : (pb <= pc ? b : c)};
            row[i] = uint8_t(row[i] + predict[filter]);
        }
    }
    return true;
}

TEST(AppIcon, EverySizeIsAValidRgbaPngClearInTheCornersAndSolidInTheMiddle)
{
    for (int n : APP_ICON_SIZES) {
        const std::string name = std::to_string(n) + "x" + std::to_string(n);
        SCOPED_TRACE(name);
        const std::vector<uint8_t> b =
            ReadAll(std::string(HELIX_ICON_DIR) + "/" + name + "/apps/helixdash.png");
        const std::array<uint8_t, 8> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        ASSERT_GE(b.size(), 8u);
        ASSERT_TRUE(std::equal(signature.begin(), signature.end(), b.begin()));

        // Every chunk lies inside the file and its CRC covers its type and data.
        std::vector<std::string> types;
        std::vector<uint8_t> header, packed;
        for (size_t at = 8; at < b.size();) {
            ASSERT_LE(at + 12, b.size());
            const uint32_t length = Big32(b, at);
            ASSERT_LE(length, b.size() - at - 12);
            const uint8_t* typeAndData = b.data() + at + 4;
            EXPECT_EQ(Big32(b, at + 8 + length), uint32_t(crc32(0L, typeAndData, 4 + length)))
                << "chunk " << types.size();
            const std::string& type = types.emplace_back(typeAndData, typeAndData + 4);
            if (type == "IHDR")
                header.assign(typeAndData + 4, typeAndData + 4 + length);
            if (type == "IDAT")
                packed.insert(packed.end(), typeAndData + 4, typeAndData + 4 + length);
            at += 12 + size_t(length);
        }
        ASSERT_GE(types.size(), 3u);
        EXPECT_EQ(types.front(), "IHDR");
        EXPECT_EQ(types.back(), "IEND");
        // Width, height, then bit depth 8, colour type 6 (RGBA), no interlace.
        ASSERT_EQ(header.size(), 13u);
        EXPECT_EQ(std::tuple(Big32(header, 0), Big32(header, 4), header[8], header[9], header[12]),
                  std::tuple(uint32_t(n), uint32_t(n), 8, 6, 0));

        // A room one byte larger than the picture tells a stream that runs over from one that fits.
        const size_t rowBytes = 4 * size_t(n), expected = size_t(n) * (rowBytes + 1);
        std::vector<uint8_t> raw(expected + 1);
        uLongf rawSize = uLongf(raw.size());
        ASSERT_EQ(uncompress(raw.data(), &rawSize, packed.data(), uLong(packed.size())), Z_OK);
        ASSERT_EQ(size_t(rawSize), expected);
        ASSERT_TRUE(Unfilter(raw, rowBytes, n));

        auto alpha = [&](int x, int y) { return raw[size_t(y) * (rowBytes + 1) + 1 + 4 * x + 3]; };
        for (auto [x, y] : {std::pair(0, 0), {n - 1, 0}, {0, n - 1}, {n - 1, n - 1}})
            EXPECT_EQ(int(alpha(x, y)), 0) << x << "," << y;
        int opaque = 0;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                opaque += alpha(x, y) == 255;
        EXPECT_GE(opaque, n * n / 4) << "the picture fills too little of the icon";
    }
}

} // namespace
