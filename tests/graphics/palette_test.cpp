// Palette tests: the 16-bit packings, the palette text file and its odd inputs, and the entry
// operations on the display palette and its shadow copy.
#include "graphics/palette.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string TempFile(const char* name)
{
    return (std::filesystem::path(::testing::TempDir()) / name).string();
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Same(const PALETTEENTRY& a, const PALETTEENTRY& b)
{
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue &&
           a.peFlags == b.peFlags;
}

} // namespace

TEST(Palette, SixteenBitPackings)
{
    EXPECT_EQ(Rgb16From565(255, 255, 255), 0xFFFF);
    EXPECT_EQ(Rgb16From555(255, 255, 255), 0x7FFF);
    EXPECT_EQ(Rgb16From565(0, 4, 0), 0x0020);
    EXPECT_EQ(Rgb16From565(8, 0, 0), 0x0800);
    EXPECT_EQ(Rgb16From555(8, 0, 0), 0x0400);
    EXPECT_EQ(Rgb16From555(0, 4, 0), 0);
    EXPECT_EQ(Rgb16From565(7, 3, 7), 0);
    EXPECT_EQ(Rgb16From565(0x1F8, 0, 0), 0xF800); // each part masked to its width
}

TEST(Palette, FileRoundTripAndOddInputs)
{
    PALETTEENTRY saved[PALETTE_SIZE];
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        saved[i] = PALETTEENTRY{static_cast<uint8_t>(i), static_cast<uint8_t>(i * 3),
                                static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i % 8)};
    }
    saved[0] = PALETTEENTRY{255, 0, 0, 4};
    const std::string path = TempFile("round.PAL");
    ASSERT_EQ(PaletteSaveFile(path.c_str(), saved), 1);
    const std::string text = ReadText(path);
    EXPECT_EQ(text.rfind("\n255 0 0 4\n1 3 254 1\n", 0), 0u) << text.substr(0, 40);
    EXPECT_EQ(text.back(), '7'); // no newline after the last entry: 255 253 0 7
    PALETTEENTRY loaded[PALETTE_SIZE] = {};
    ASSERT_EQ(PaletteLoadFile(path.c_str(), loaded), 1);
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        EXPECT_TRUE(Same(loaded[i], saved[i])) << "entry " << i;
    }

    // Any whitespace between numbers; each number keeps its low 8 bits; the file ends early.
    WriteText(path, "300\t-1\n\n 256 +7\r\n1 2 3 4 5 6 7");
    PALETTEENTRY entries[PALETTE_SIZE];
    for (PALETTEENTRY& e : entries) {
        e = PALETTEENTRY{9, 9, 9, 9};
    }
    ASSERT_EQ(PaletteLoadFile(path.c_str(), entries), 1);
    EXPECT_TRUE(Same(entries[0], PALETTEENTRY{44, 255, 0, 7}));
    EXPECT_TRUE(Same(entries[1], PALETTEENTRY{1, 2, 3, 4}));
    EXPECT_TRUE(Same(entries[2], PALETTEENTRY{9, 9, 9, 9})); // the cut entry is left alone
    EXPECT_TRUE(Same(entries[255], PALETTEENTRY{9, 9, 9, 9}));

    // More than 256 entries: the first 256. Text where a number should be ends the reading.
    std::string many;
    for (int i = 0; i < 300; ++i) {
        many += "\n" + std::to_string(i) + " 1 2 3";
    }
    WriteText(path, many);
    ASSERT_EQ(PaletteLoadFile(path.c_str(), entries), 1);
    EXPECT_TRUE(Same(entries[255], PALETTEENTRY{255, 1, 2, 3}));
    WriteText(path, "1 2 3 4\n5 six 7 8\n9 10 11 12");
    entries[1] = PALETTEENTRY{0, 0, 0, 0};
    ASSERT_EQ(PaletteLoadFile(path.c_str(), entries), 1);
    EXPECT_TRUE(Same(entries[1], PALETTEENTRY{0, 0, 0, 0}));
    EXPECT_EQ(entries[2].peRed, 2);

    // A file that cannot be opened or written: 0, entries untouched.
    EXPECT_EQ(PaletteLoadFile(TempFile("no-such.PAL").c_str(), entries), 0);
    EXPECT_EQ(entries[0].peRed, 1);
    EXPECT_EQ(PaletteSaveFile(TempFile("no-such-dir/x.PAL").c_str(), saved), 0);
    EXPECT_EQ(PaletteSaveFile("/dev/full", saved), 0);
}

TEST(Palette, EntryOperationsKeepTheShadowCopyAndTheDisplayPalette)
{
    PALETTEENTRY all[PALETTE_SIZE] = {};
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        all[i].peRed = static_cast<uint8_t>(i);
    }
    const unsigned before = PaletteVersion;
    ASSERT_EQ(PaletteSetAll(all), 1);
    EXPECT_NE(PaletteVersion, before);

    const PALETTEENTRY a{1, 0, 0, 0}, b{2, 0, 0, 0}, c{3, 0, 0, 0};
    PaletteSetEntry(10, &a);
    PaletteSetEntry(11, &b);
    PaletteSetEntry(12, &c);
    ASSERT_EQ(PaletteRotate(10, 12), 1);
    PALETTEENTRY shown[3];
    PaletteGetDisplayEntries(10, 3, shown);
    EXPECT_TRUE(Same(shown[0], c));
    EXPECT_TRUE(Same(shown[1], a));
    EXPECT_TRUE(Same(shown[2], b));
    PALETTEENTRY out;
    ASSERT_EQ(PaletteGetEntry(10, &out), 1);
    EXPECT_TRUE(Same(out, c));
    EXPECT_EQ(PaletteEntries[9].peRed, 9);
    EXPECT_EQ(PaletteEntries[13].peRed, 13);

    PALETTEENTRY copy[PALETTE_SIZE];
    ASSERT_EQ(PaletteCopyOut(copy), 1);
    EXPECT_TRUE(Same(copy[11], a));

    // Indices and ranges outside the palette are refused and change nothing.
    EXPECT_EQ(PaletteSetEntry(256, &a), 0);
    EXPECT_EQ(PaletteSetEntry(-1, &a), 0);
    EXPECT_EQ(PaletteGetEntry(256, &out), 0);
    EXPECT_EQ(PaletteRotate(12, 10), 0);
    EXPECT_EQ(PaletteRotate(250, 256), 0);
    EXPECT_EQ(PaletteSetDisplayEntries(250, 7, all), 0);
    EXPECT_EQ(PaletteGetDisplayEntries(-1, 2, shown), 0);
    EXPECT_TRUE(Same(PaletteEntries[255], PALETTEENTRY{255, 0, 0, 0}));
}
