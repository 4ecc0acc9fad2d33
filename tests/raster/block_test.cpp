// Tests of bitmap blocks: life cycle, loading cells from pictures, drawing with and without
// transparency, copying and scrolling, and refusal of every rectangle that does not fit.
#include "support/raster/block.h"

#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

// A picture as the loader leaves it, rows top first: pixel (x, y) of an 8-bit picture holds
// (x + 3 y) & 0xFF, of a 16-bit one x + 1000 y.
struct TestPicture {
    BitmapImage image{};
    TestPicture(int width, int height, int bits)
    {
        image.infoHeader.biWidth = width;
        image.infoHeader.biHeight = height;
        image.infoHeader.biBitCount = static_cast<uint16_t>(bits);
        image.pixels = static_cast<uint8_t*>(std::malloc(width * height * bits / 8));
        for (int i = 0; i < width * height; ++i) {
            const uint16_t word = static_cast<uint16_t>(i % width + 1000 * (i / width));
            if (bits == 8) {
                image.pixels[i] = static_cast<uint8_t>(i % width + 3 * (i / width));
            } else {
                std::memcpy(image.pixels + 2 * i, &word, 2);
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
    BitmapBlock block_{}, other_{};
    void TearDown() override
    {
        BlockDestroy(&block_);
        BlockDestroy(&other_);
        RasterTest::TearDown();
    }
};

static std::vector<uint8_t> Bytes(const BitmapBlock& block)
{
    return std::vector<uint8_t>(block.pixels, block.pixels + block.byteCount);
}

TEST_F(BlockTest, LifeCycleAndLoadingFromPictures)
{
    ASSERT_EQ(BlockCreate(&block_, 0, 0, 32, 32, 8), 1);
    EXPECT_EQ(block_.attributes, 0u);
    EXPECT_EQ(Bytes(block_), std::vector<uint8_t>(32 * 32, 0));
    // Sizes and depths that cannot make a block leave the record as it was.
    for (auto [w, h, bits] : {std::array{0, 4, 8}, std::array{4, -1, 8}, std::array{4, 4, 24},
                              std::array{70000, 70000, 8}}) {
        EXPECT_EQ(BlockCreate(&other_, 0, 0, w, h, bits), 0);
        EXPECT_EQ(other_.state, 0);
    }

    // Cell (1, 0) of 32 x 32 cells starts at picture pixel (34, 1); mode 1 takes a position.
    TestPicture picture(100, 70, 8), words(100, 70, 16);
    ASSERT_EQ(BlockLoad8(&block_, &picture.image, 1, 0, 0), 1);
    EXPECT_TRUE(block_.attributes & BLOCK_LOADED);
    EXPECT_EQ(block_.pixels[0], 34 + 3 * 1);
    EXPECT_EQ(block_.pixels[31 * 32 + 31], (65 + 3 * 32) & 0xFF);
    ASSERT_EQ(BlockLoad8(&block_, &picture.image, 68, 38, 1), 1); // the last position that fits
    EXPECT_EQ(block_.pixels[0], 68 + 3 * 38);

    // Past the picture's right edge or bottom, negative, of another depth: refused, untouched.
    const std::vector<uint8_t> before = Bytes(block_);
    EXPECT_EQ(BlockLoad8(&block_, &picture.image, 3, 0, 0), 0);
    EXPECT_EQ(BlockLoad8(&block_, &picture.image, 0, 2, 0), 0);
    EXPECT_EQ(BlockLoad8(&block_, &picture.image, -1, 0, 1), 0);
    EXPECT_EQ(BlockLoad8(&block_, &words.image, 0, 0, 0), 0);
    EXPECT_EQ(BlockLoad16(&block_, &words.image, 0, 0, 0), 0);
    EXPECT_EQ(Bytes(block_), before);
    ASSERT_EQ(BlockCreate(&other_, 0, 0, 3, 2, 16), 1);
    ASSERT_EQ(BlockLoad16(&other_, &words.image, 1, 1, 0), 1); // starts at (5, 4)
    EXPECT_EQ(other_.pixels[0] | other_.pixels[1] << 8, 5 + 4000);

    EXPECT_EQ(BlockDestroy(&block_), 1);
    EXPECT_EQ(block_.pixels, nullptr);
    EXPECT_EQ(BlockDestroy(&block_), 0);
    EXPECT_EQ(BlockLoad8(&block_, &picture.image, 0, 0, 0), 0);
}

TEST_F(BlockTest, DrawsOpaqueOrTransparentInsideTheWindowOnly)
{
    SetClip(0, 0, 9, 7);
    ASSERT_EQ(BlockCreate(&block_, 2, 3, 3, 2, 8), 1);
    Canvas8 canvas(10, 8, 12, 0x55);
    EXPECT_EQ(BlockDraw8(&block_, canvas.Memory(), canvas.pitch, 0), 0) << "not loaded";
    block_.attributes |= BLOCK_LOADED;
    const uint8_t pattern[6] = {1, 0, 2, 0, 3, 0};
    std::memcpy(block_.pixels, pattern, 6);
    ASSERT_EQ(BlockDraw8(&block_, canvas.Memory(), canvas.pitch, 1), 1);
    EXPECT_EQ(canvas.Other(0x55), (Points{{2, 3}, {4, 3}, {3, 4}}));
    EXPECT_EQ(canvas.At(3, 4), 3);
    ASSERT_EQ(BlockDraw8(&block_, canvas.Memory(), canvas.pitch, 0), 1);
    EXPECT_EQ(canvas.CountOtherThan(0x55), 6);

    // Reaching past the window (the memory's extent) or the pitch, or of another depth: refused.
    Canvas8 untouched(10, 8, 12, 0x55);
    for (auto [x, y, pitch] : {std::array{8, 0, 12}, std::array{0, 7, 12}, std::array{-1, 0, 12},
                               std::array{0, -2, 12}, std::array{0, 0, 2}}) {
        block_.x = x;
        block_.y = y;
        EXPECT_EQ(BlockDraw8(&block_, untouched.Memory(), pitch, 0), 0) << x << "," << y;
    }
    EXPECT_EQ(BlockDraw16(&block_, untouched.Memory(), untouched.pitch, 0), 0);
    EXPECT_EQ(untouched.CountOtherThan(0x55), 0);

    // 16-bit rows step by the pitch rounded down to even bytes.
    ASSERT_EQ(BlockCreate(&other_, 1, 1, 2, 2, 16), 1);
    other_.attributes |= BLOCK_LOADED;
    const uint16_t words[4] = {0x1111, 0, 0x3333, 0x4444};
    std::memcpy(other_.pixels, words, 8);
    Canvas16 screen(10, 8, 21, 0xAAAA);
    ASSERT_EQ(BlockDraw16(&other_, screen.Memory(), screen.pitch, 1), 1);
    EXPECT_EQ(
        (std::vector<uint16_t>{screen.At(1, 1), screen.At(2, 1), screen.At(1, 2), screen.At(2, 2)}),
        (std::vector<uint16_t>{0x1111, 0xAAAA, 0x3333, 0x4444}));
}

TEST_F(BlockTest, ScrollsSidewaysAndCopiesRectanglesThatFit)
{
    ASSERT_EQ(BlockCreate(&block_, 0, 0, 4, 2, 8), 1);
    struct Scroll {
        int dx, dy, result;
        std::vector<uint8_t> rows;
    };
    // Right by 1, left by 1, by 5 (as 1), by whole turns, and only ever sideways.
    for (const Scroll& s :
         {Scroll{1, 0, 1, {4, 1, 2, 3, 8, 5, 6, 7}}, Scroll{-1, 9, 1, {2, 3, 4, 1, 6, 7, 8, 5}},
          Scroll{5, 0, 1, {4, 1, 2, 3, 8, 5, 6, 7}}, Scroll{-8, 0, 1, {1, 2, 3, 4, 5, 6, 7, 8}},
          Scroll{0, 3, 1, {1, 2, 3, 4, 5, 6, 7, 8}}, Scroll{0, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}}}) {
        SCOPED_TRACE(testing::Message() << s.dx << "," << s.dy);
        std::iota(block_.pixels, block_.pixels + 8, 1);
        EXPECT_EQ(BlockScroll(&block_, s.dx, s.dy), s.result);
        EXPECT_EQ(Bytes(block_), s.rows);
    }
    ASSERT_EQ(BlockCreate(&other_, 0, 0, 3, 1, 16), 1);
    std::iota(other_.pixels, other_.pixels + 6, 1);
    ASSERT_EQ(BlockScroll(&other_, -2, 0), 1);
    EXPECT_EQ(Bytes(other_), (std::vector<uint8_t>{5, 6, 1, 2, 3, 4}));
    BlockDestroy(&block_);
    BlockDestroy(&other_);

    ASSERT_EQ(BlockCreate(&block_, 0, 0, 4, 4, 8), 1);
    std::iota(block_.pixels, block_.pixels + 16, 1);
    ASSERT_EQ(BlockCreate(&other_, 0, 0, 3, 3, 8), 1);
    ASSERT_EQ(BlockCopy(&other_, 1, 1, &block_, 2, 2, 2, 2), 1);
    EXPECT_EQ(Bytes(other_), (std::vector<uint8_t>{0, 0, 0, 0, 11, 12, 0, 15, 16}));
    // Within one block, overlapping, down and right by one.
    ASSERT_EQ(BlockCopy(&block_, 1, 1, &block_, 0, 0, 3, 3), 1);
    EXPECT_EQ(Bytes(block_),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 1, 2, 3, 9, 5, 6, 7, 13, 9, 10, 11}));
    // Past the destination, past the source, negative, of another depth: refused, untouched.
    const std::vector<uint8_t> before = Bytes(other_);
    EXPECT_EQ(BlockCopy(&other_, 2, 0, &block_, 0, 0, 2, 1), 0);
    EXPECT_EQ(BlockCopy(&other_, 0, 0, &block_, 3, 3, 2, 1), 0);
    EXPECT_EQ(BlockCopy(&other_, 0, 0, &block_, -1, 0, 1, 1), 0);
    BlockDestroy(&block_);
    ASSERT_EQ(BlockCreate(&block_, 0, 0, 4, 4, 16), 1);
    EXPECT_EQ(BlockCopy(&other_, 0, 0, &block_, 0, 0, 1, 1), 0);
    EXPECT_EQ(Bytes(other_), before);
}

TEST_F(BlockTest, SurfaceTakesAPictureCellOfItsOwnSize)
{
    ScreenBpp = 8;
    TestPicture picture(100, 70, 8), words(100, 70, 16);
    DisplaySurface surface = DisplayCreateSurface(32, 32, 0, 0);
    ASSERT_NE(surface, nullptr);
    int pitch = 0;
    EXPECT_EQ(SurfaceLoadCell8(&picture.image, surface, 1, 0), 1); // from picture pixel (34, 1)
    uint8_t* memory = DisplayLockSurface(surface, &pitch);
    EXPECT_EQ(memory[0], 34 + 3);
    EXPECT_EQ(memory[31 * pitch + 31], (65 + 3 * 32) & 0xFF);
    memory[0] = 0xEE;
    DisplayUnlockSurface(surface);
    // Cells past the picture, pictures of another depth: refused, the surface untouched.
    EXPECT_EQ(SurfaceLoadCell8(&picture.image, surface, 0, 2), 0);
    EXPECT_EQ(SurfaceLoadCell8(&picture.image, surface, -1, 0), 0);
    EXPECT_EQ(SurfaceLoadCell8(&words.image, surface, 0, 0), 0);
    EXPECT_EQ(SurfaceLoadCell8(&picture.image, nullptr, 0, 0), 0);
    EXPECT_EQ(DisplayLockSurface(surface, &pitch)[0], 0xEE);
    DisplayUnlockSurface(surface);
    DisplayDestroySurface(surface);
}
