// Palette tests: the palette text file and its odd inputs (irregular files in its place among
// them), and the entry operations on the display palette and its shadow copy.
#include "graphics/palette.h"
#include "tests/graphics/irregular_files.h"
#include "tests/temp_dir.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstring>
#include <fstream>
#include <string>

namespace {

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// "red green blue flags", so an entry compares as one value.
std::string Entry(const PALETTEENTRY& e)
{
    return std::to_string(e.peRed) + " " + std::to_string(e.peGreen) + " " +
           std::to_string(e.peBlue) + " " + std::to_string(e.peFlags);
}

} // namespace

TEST(Palette, FileRoundTripAndOddInputs)
{
    PALETTEENTRY saved[PALETTE_SIZE];
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        saved[i] = PALETTEENTRY{static_cast<uint8_t>(i), static_cast<uint8_t>(i * 3),
                                static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i % 8)};
    }
    saved[0] = PALETTEENTRY{255, 0, 0, 4};
    const std::string path = TestProcessFile("round.PAL");
    ASSERT_EQ(PaletteSaveFile(path.c_str(), saved), 1);
    PALETTEENTRY loaded[PALETTE_SIZE] = {};
    ASSERT_EQ(PaletteLoadFile(path.c_str(), loaded), 1);
    EXPECT_EQ(std::memcmp(loaded, saved, sizeof saved), 0);

    // Any whitespace between numbers; each number keeps its low 8 bits; the file ends early.
    WriteText(path, "300\t-1\n\n 256 +7\r\n1 2 3 4 5 6 7");
    PALETTEENTRY entries[PALETTE_SIZE];
    for (PALETTEENTRY& e : entries) {
        e = PALETTEENTRY{9, 9, 9, 9};
    }
    ASSERT_EQ(PaletteLoadFile(path.c_str(), entries), 1);
    EXPECT_EQ(Entry(entries[0]), "44 255 0 7");
    EXPECT_EQ(Entry(entries[1]), "1 2 3 4");
    EXPECT_EQ(Entry(entries[2]), "9 9 9 9"); // the cut entry is left alone
    EXPECT_EQ(Entry(entries[255]), "9 9 9 9");

    // More than 256 entries: the first 256. Text where a number should be ends the reading.
    std::string many;
    for (int i = 0; i < 300; ++i) {
        many += "\n" + std::to_string(i) + " 1 2 3";
    }
    WriteText(path, many);
    ASSERT_EQ(PaletteLoadFile(path.c_str(), entries), 1);
    EXPECT_EQ(Entry(entries[255]), "255 1 2 3");
    WriteText(path, "1 2 3 4\n5 six 7 8\n9 10 11 12");
    entries[1] = PALETTEENTRY{0, 0, 0, 0};
    ASSERT_EQ(PaletteLoadFile(path.c_str(), entries), 1);
    EXPECT_EQ(Entry(entries[1]), "0 0 0 0");
    EXPECT_EQ(entries[2].peRed, 2);

    // A file that cannot be opened or written: 0, entries untouched. A FIFO, a folder or a device
    // in the file's place is refused at once, for reading and for writing.
    EXPECT_EQ(PaletteLoadFile(TestProcessFile("no-such.PAL").c_str(), entries), 0);
    EXPECT_EQ(entries[0].peRed, 1);
    EXPECT_EQ(PaletteSaveFile(TestProcessFile("no-such-dir/x.PAL").c_str(), saved), 0);
    for (const IrregularFile& irregular : IrregularFiles()) {
        SCOPED_TRACE(irregular.what);
        int loaded = -1, written = -1;
        EXPECT_TRUE(
            CallReturnsAtOnce([&] { loaded = PaletteLoadFile(irregular.path.c_str(), entries); }));
        EXPECT_TRUE(
            CallReturnsAtOnce([&] { written = PaletteSaveFile(irregular.path.c_str(), saved); }));
        EXPECT_EQ(loaded, 0);
        EXPECT_EQ(written, 0);
        EXPECT_EQ(entries[0].peRed, 1);
    }

    // A full disk shows only when the buffered text is written out at the close; a file size
    // limit below the palette's size stands in for it.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    rlimit small = limit;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const int full = PaletteSaveFile(path.c_str(), saved);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(full, 0);
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
    EXPECT_EQ(Entry(shown[0]) + ", " + Entry(shown[1]) + ", " + Entry(shown[2]),
              "3 0 0 0, 1 0 0 0, 2 0 0 0");
    PALETTEENTRY out;
    ASSERT_EQ(PaletteGetEntry(10, &out), 1);
    EXPECT_EQ(Entry(out), "3 0 0 0");
    EXPECT_EQ((std::array{PaletteEntries[9].peRed, PaletteEntries[13].peRed}),
              (std::array<uint8_t, 2>{9, 13}));

    PALETTEENTRY copy[PALETTE_SIZE];
    ASSERT_EQ(PaletteCopyOut(copy), 1);
    EXPECT_EQ(std::memcmp(copy, PaletteEntries, sizeof copy), 0);

    // Indices and ranges outside the palette are refused and change nothing.
    EXPECT_EQ(PaletteSetEntry(256, &a), 0);
    EXPECT_EQ(PaletteSetEntry(-1, &a), 0);
    EXPECT_EQ(PaletteGetEntry(256, &out), 0);
    EXPECT_EQ(PaletteRotate(12, 10), 0);
    EXPECT_EQ(PaletteRotate(250, 256), 0);
    EXPECT_EQ(PaletteSetDisplayEntries(250, 7, all), 0);
    EXPECT_EQ(PaletteGetDisplayEntries(-1, 2, shown), 0);
    EXPECT_EQ(Entry(PaletteEntries[255]), "255 0 0 0");
}
