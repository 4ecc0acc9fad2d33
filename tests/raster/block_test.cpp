// Tests of bitmap blocks: life cycle, loading cells from pictures, drawing with and without
// transparency, copying and scrolling, and refusal of every rectangle that does not fit.
#include "support/raster/block.h"

#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

// A picture in memory as the loader leaves it: rows top first, pixel (x, y) of an 8-bit picture
// holding (x + 3 y) & 0xFF, of a 16-bit one x + 1000 y.
struct TestPicture {
    BitmapImage image{};
    TestPicture(int width, int height, int bits)
    {
        image.fileHeader.bfType = BITMAP_ID;
        image.infoHeader.biWidth = width;
        image.infoHeader.biHeight = height;
        image.infoHeader.biBitCount = static_cast<uint16_t>(bits);
        image.infoHeader.biSizeImage = static_cast<uint32_t>(width * height * bits / 8);
        image.pixels = static_cast<uint8_t*>(std::malloc(image.infoHeader.biSizeImage));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (bits == 8) {
                    image.pixels[y * width + x] = static_cast<uint8_t>(x + 3 * y);
                } else {
                    uint16_t value = static_cast<uint16_t>(x + 1000 * y);
                    std::memcpy(image.pixels + 2 * (y * width + x), &value, 2);
                }
            }
        }
    }
    ~TestPicture()
    {
        std::free(image.pixels);
    }
};

class BlockTest : public RasterTest {
protected:
    void TearDown() override
    {
        BlockDestroy(&block_);
        BlockDestroy(&other_);
        RasterTest::TearDown();
    }
    BitmapBlock block_{};
    BitmapBlock other_{};
};

static std::vector<uint8_t> Bytes(const BitmapBlock& block)
{
    return std::vector<uint8_t>(block.pixels, block.pixels + block.byteCount);
}

TEST_F(BlockTest, LifeCycleAndRefusals)
{
    ASSERT_EQ(BlockCreate(&block_, 3, 4, 5, 2, 16), 1);
    EXPECT_EQ(block_.state, 1);
    EXPECT_EQ(block_.attributes, 0u);
    EXPECT_EQ(block_.byteCount, 20);
    EXPECT_EQ(Bytes(block_), std::vector<uint8_t>(20, 0));
    Canvas16 words(16, 16, 32);
    EXPECT_EQ(BlockDraw16(&block_, words.Memory(), words.pitch, 0), 0) << "not loaded yet";

    EXPECT_EQ(BlockDestroy(&block_), 1);
    EXPECT_EQ(block_.state, 0);
    EXPECT_EQ(block_.pixels, nullptr);
    EXPECT_EQ(BlockDestroy(&block_), 0);
    EXPECT_EQ(BlockScroll(&block_, 1, 0), 0);

    // Sizes and depths that cannot make a block leave the record as it was.
    for (auto [w, h, bits] : {std::array{0, 4, 8}, std::array{4, -1, 8}, std::array{4, 4, 24},
                              std::array{70000, 70000, 8}}) {
        EXPECT_EQ(BlockCreate(&block_, 0, 0, w, h, bits), 0);
        EXPECT_EQ(block_.state, 0);
    }
}

TEST_F(BlockTest, LoadsCellsAndPositionsInsideThePictureOnly)
{
    TestPicture picture(100, 70, 8);
    ASSERT_EQ(BlockCreate(&block_, 0, 0, 32, 32, 8), 1);
    // Cell (1, 0) of 32 x 32 cells starts at picture pixel (34, 1).
    ASSERT_EQ(BlockLoad8(&block_, &picture.image, 1, 0, 0), 1);
    EXPECT_TRUE(block_.attributes & BLOCK_LOADED);
    EXPECT_EQ(block_.pixels[0], 34 + 3 * 1);
    EXPECT_EQ(block_.pixels[31 * 32 + 31], (65 + 3 * 32) & 0xFF);

    // By pixel position; the last position that still fits.
    ASSERT_EQ(BlockLoad8(&block_, &picture.image, 68, 38, 1), 1);
    EXPECT_EQ(block_.pixels[0], 68 + 3 * 38);

    // Cell (3, 0) would start at x = 100, past the picture; cell (0, 2) ends below it; a negative
    // position; a 16-bit picture into an 8-bit block. All refused, the block untouched.
    std::vector<uint8_t> before = Bytes(block_);
    EXPECT_EQ(BlockLoad8(&block_, &picture.image, 3, 0, 0), 0);
    EXPECT_EQ(BlockLoad8(&block_, &picture.image, 0, 2, 0), 0);
    EXPECT_EQ(BlockLoad8(&block_, &picture.image, -1, 0, 1), 0);
    EXPECT_EQ(BlockLoad8(&block_, &picture.image, 69, 0, 1), 0);
    TestPicture words(100, 70, 16);
    EXPECT_EQ(BlockLoad8(&block_, &words.image, 0, 0, 0), 0);
    EXPECT_EQ(BlockLoad16(&block_, &words.image, 0, 0, 0), 0);
    EXPECT_EQ(BlockLoad8(&block_, nullptr, 0, 0, 0), 0);
    EXPECT_EQ(Bytes(block_), before);

    ASSERT_EQ(BlockCreate(&other_, 0, 0, 3, 2, 16), 1);
    ASSERT_EQ(BlockLoad16(&other_, &words.image, 1, 1, 0), 1); // starts at (5, 4)
    uint16_t first = 0;
    std::memcpy(&first, other_.pixels, 2);
    EXPECT_EQ(first, 5 + 4000);
}

TEST_F(BlockTest, DrawsOpaqueOrTransparentInsideTheWindowOnly)
{
    SetClip(0, 0, 9, 7);
    ASSERT_EQ(BlockCreate(&block_, 2, 3, 3, 2, 8), 1);
    block_.attributes |= BLOCK_LOADED;
    Canvas8 canvas(10, 8, 12, 0x55);
    // All zero: a transparent draw changes nothing, an opaque one writes the zeros.
    ASSERT_EQ(BlockDraw8(&block_, canvas.Memory(), canvas.pitch, 1), 1);
    EXPECT_EQ(canvas.CountOtherThan(0x55), 0);
    const uint8_t pattern[6] = {1, 0, 2, 0, 3, 0};
    std::memcpy(block_.pixels, pattern, 6);
    ASSERT_EQ(BlockDraw8(&block_, canvas.Memory(), canvas.pitch, 1), 1);
    EXPECT_EQ(canvas.At(2, 3), 1);
    EXPECT_EQ(canvas.At(3, 3), 0x55);
    EXPECT_EQ(canvas.At(3, 4), 3);
    EXPECT_EQ(canvas.CountOtherThan(0x55), 3);
    ASSERT_EQ(BlockDraw8(&block_, canvas.Memory(), canvas.pitch, 0), 1);
    EXPECT_EQ(canvas.At(3, 3), 0);
    EXPECT_EQ(canvas.CountOtherThan(0x55), 6);

    // Reaching past the window (the memory's extent) on any side: refused, nothing written.
    Canvas8 untouched(10, 8, 12, 0x55);
    for (auto [x, y] : {std::pair{8, 0}, std::pair{0, 7}, std::pair{-1, 0}, std::pair{0, -2}}) {
        block_.x = x;
        block_.y = y;
        EXPECT_EQ(BlockDraw8(&block_, untouched.Memory(), untouched.pitch, 0), 0);
    }
    EXPECT_EQ(untouched.CountOtherThan(0x55), 0);
    block_.x = 0;
    block_.y = 0;
    EXPECT_EQ(BlockDraw8(&block_, untouched.Memory(), 2, 0), 0) << "a row longer than the pitch";
    EXPECT_EQ(BlockDraw16(&block_, untouched.Memory(), untouched.pitch, 0), 0) << "wrong depth";

    // 16-bit rows step by the pitch rounded down to even bytes.
    ASSERT_EQ(BlockCreate(&other_, 1, 1, 2, 2, 16), 1);
    other_.attributes |= BLOCK_LOADED;
    const uint16_t words[4] = {0x1111, 0, 0x3333, 0x4444};
    std::memcpy(other_.pixels, words, 8);
    Canvas16 screen(10, 8, 21, 0xAAAA);
    ASSERT_EQ(BlockDraw16(&other_, screen.Memory(), screen.pitch, 1), 1);
    EXPECT_EQ(screen.At(1, 1), 0x1111);
    EXPECT_EQ(screen.At(2, 1), 0xAAAA);
    EXPECT_EQ(screen.At(1, 2), 0x3333);
    EXPECT_EQ(screen.At(2, 2), 0x4444);
}

static void SetRow(BitmapBlock& block, std::vector<uint8_t> values)
{
    std::memcpy(block.pixels, values.data(), values.size());
}

TEST_F(BlockTest, ScrollsSidewaysWithWrapAround)
{
    ASSERT_EQ(BlockCreate(&block_, 0, 0, 4, 2, 8), 1);
    SetRow(block_, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_EQ(BlockScroll(&block_, 1, 0), 1);
    EXPECT_EQ(Bytes(block_), (std::vector<uint8_t>{4, 1, 2, 3, 8, 5, 6, 7}));
    SetRow(block_, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_EQ(BlockScroll(&block_, -1, 9), 1);
    EXPECT_EQ(Bytes(block_), (std::vector<uint8_t>{2, 3, 4, 1, 6, 7, 8, 5}));
    SetRow(block_, {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_EQ(BlockScroll(&block_, 5, 0), 1); // as 1
    EXPECT_EQ(Bytes(block_), (std::vector<uint8_t>{4, 1, 2, 3, 8, 5, 6, 7}));
    ASSERT_EQ(BlockScroll(&block_, -8, 0), 1); // whole turns
    ASSERT_EQ(BlockScroll(&block_, 0, 3), 1);  // only sideways
    EXPECT_EQ(Bytes(block_), (std::vector<uint8_t>{4, 1, 2, 3, 8, 5, 6, 7}));
    EXPECT_EQ(BlockScroll(&block_, 0, 0), 0);

    ASSERT_EQ(BlockCreate(&other_, 0, 0, 3, 1, 16), 1);
    const uint16_t words[3] = {0x0102, 0x0304, 0x0506};
    std::memcpy(other_.pixels, words, 6);
    ASSERT_EQ(BlockScroll(&other_, -2, 0), 1);
    uint16_t scrolled[3];
    std::memcpy(scrolled, other_.pixels, 6);
    EXPECT_EQ((std::vector<uint16_t>(scrolled, scrolled + 3)),
              (std::vector<uint16_t>{0x0506, 0x0102, 0x0304}));
}

TEST_F(BlockTest, CopiesRectanglesThatFitBothBlocks)
{
    ASSERT_EQ(BlockCreate(&block_, 0, 0, 4, 4, 8), 1);
    std::iota(block_.pixels, block_.pixels + 16, 1);
    ASSERT_EQ(BlockCreate(&other_, 0, 0, 3, 3, 8), 1);
    ASSERT_EQ(BlockCopy(&other_, 1, 1, &block_, 2, 2, 2, 2), 1);
    EXPECT_EQ(Bytes(other_), (std::vector<uint8_t>{0, 0, 0, 0, 11, 12, 0, 15, 16}));

    // Within one block, overlapping, down and right by one.
    ASSERT_EQ(BlockCopy(&block_, 1, 1, &block_, 0, 0, 3, 3), 1);
    EXPECT_EQ(Bytes(block_),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 1, 2, 3, 9, 5, 6, 7, 13, 9, 10, 11}));

    std::vector<uint8_t> before = Bytes(other_);
    EXPECT_EQ(BlockCopy(&other_, 2, 0, &block_, 0, 0, 2, 1), 0) << "past the destination";
    EXPECT_EQ(BlockCopy(&other_, 0, 0, &block_, 3, 3, 2, 1), 0) << "past the source";
    EXPECT_EQ(BlockCopy(&other_, 0, 0, &block_, -1, 0, 1, 1), 0);
    BitmapBlock words{};
    ASSERT_EQ(BlockCreate(&words, 0, 0, 4, 4, 16), 1);
    EXPECT_EQ(BlockCopy(&other_, 0, 0, &words, 0, 0, 1, 1), 0) << "depths differ";
    BlockDestroy(&words);
    EXPECT_EQ(BlockCopy(&other_, 0, 0, &words, 0, 0, 1, 1), 0) << "destroyed";
    EXPECT_EQ(Bytes(other_), before);
}

TEST_F(BlockTest, SurfaceTakesAPictureCellOfItsOwnSize)
{
    ScreenBpp = 8;
    TestPicture picture(100, 70, 8);
    DisplaySurface surface = DisplayCreateSurface(32, 32, 0, 0);
    ASSERT_NE(surface, nullptr);
    int pitch = 0;
    uint8_t* memory = DisplayLockSurface(surface, &pitch);
    std::memset(memory, 0xEE, static_cast<std::size_t>(pitch) * 32);
    DisplayUnlockSurface(surface);

    // Cell (1, 0) of 32 x 32 cells: picture pixel (34, 1) onwards.
    EXPECT_EQ(SurfaceLoadCell8(&picture.image, surface, 1, 0), 1);
    memory = DisplayLockSurface(surface, &pitch);
    EXPECT_EQ(memory[0], 34 + 3);
    EXPECT_EQ(memory[31 * pitch + 31], (65 + 3 * 32) & 0xFF);
    memory[0] = 0xEE;
    DisplayUnlockSurface(surface);

    // Cells past the picture, pictures of another depth: refused, the surface untouched.
    TestPicture words(100, 70, 16);
    EXPECT_EQ(SurfaceLoadCell8(&picture.image, surface, 0, 2), 0);
    EXPECT_EQ(SurfaceLoadCell8(&picture.image, surface, -1, 0), 0);
    EXPECT_EQ(SurfaceLoadCell8(&words.image, surface, 0, 0), 0);
    EXPECT_EQ(SurfaceLoadCell8(&picture.image, nullptr, 0, 0), 0);
    memory = DisplayLockSurface(surface, &pitch);
    EXPECT_EQ(memory[0], 0xEE);
    DisplayUnlockSurface(surface);
    DisplayDestroySurface(surface);
}
