// Tests of bitmap blocks: worked examples of loading, drawing, scrolling and copying, with the
// rectangles that do not fit refused and nothing touched.
#include "support/raster/block.h"

#include "tests/raster/raster_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

class BlockTest : public ::testing::Test {
protected:
    BitmapBlock block_{};
    void TearDown() override
    {
        BlockDestroy(&block_);
    }
    std::vector<uint8_t> Bytes()
    {
        return std::vector<uint8_t>(block_.pixels, block_.pixels + block_.byteCount);
    }
};

TEST_F(BlockTest, WorkedExamples)
{
    // A 100 x 70 8-bit picture whose pixel (x, y) holds (x + 3 y) & 0xFF. Cell (1, 0) of 32 x 32
    // cells framed by one-pixel lines starts at its pixel (34, 1); cells past it are refused.
    std::vector<uint8_t> pixels(100 * 70);
    for (int i = 0; i < 100 * 70; ++i) {
        pixels[i] = static_cast<uint8_t>(i % 100 + 3 * (i / 100));
    }
    BitmapImage picture{};
    std::tie(picture.infoHeader.biWidth, picture.infoHeader.biHeight) = std::pair{100, 70};
    picture.infoHeader.biBitCount = 8;
    picture.pixels = pixels.data();
    ASSERT_EQ(BlockCreate(&block_, 0, 0, 32, 32, 8), 1);
    ASSERT_EQ(BlockLoad8(&block_, &picture, 1, 0, 0), 1);
    EXPECT_EQ(block_.pixels[31 * 32 + 31], (65 + 3 * 32) & 0xFF);
    EXPECT_EQ(BlockLoad8(&block_, &picture, 3, 0, 0) + BlockLoad8(&block_, &picture, -1, 0, 1), 0);
    EXPECT_EQ(block_.pixels[0], 34 + 3);
    BlockDestroy(&block_);

    // Drawn transparent, colour 0 leaves the memory as it was; drawn opaque, it does not. The
    // block must be loaded and lie inside the window and the pitch.
    SetClip(0, 0, 9, 7);
    ASSERT_EQ(BlockCreate(&block_, 2, 3, 3, 2, 8), 1);
    Canvas8 canvas(10, 8, 12, 0x55);
    EXPECT_EQ(BlockDraw8(&block_, canvas.Memory(), canvas.pitch, 0), 0) << "not loaded yet";
    block_.attributes |= BLOCK_LOADED;
    const uint8_t pattern[6] = {1, 0, 2, 0, 3, 0};
    std::memcpy(block_.pixels, pattern, 6);
    EXPECT_EQ(BlockDraw8(&block_, canvas.Memory(), 4, 0), 0);
    ASSERT_EQ(BlockDraw8(&block_, canvas.Memory(), canvas.pitch, 1), 1);
    EXPECT_EQ(canvas.Other(0x55), (Points{{2, 3}, {4, 3}, {3, 4}}));
    ASSERT_EQ(BlockDraw8(&block_, canvas.Memory(), canvas.pitch, 0), 1);
    EXPECT_EQ(canvas.Other(0x55).size(), 6u);
    block_.x = 8;
    EXPECT_EQ(BlockDraw8(&block_, canvas.Memory(), canvas.pitch, 0), 0);
    BlockDestroy(&block_);

    // Rows scroll sideways with wrap-around: right by 1, and left by 5, which is left by 1.
    ASSERT_EQ(BlockCreate(&block_, 0, 0, 4, 2, 8), 1);
    std::iota(block_.pixels, block_.pixels + 8, 1);
    ASSERT_EQ(BlockScroll(&block_, 1, 0), 1);
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{4, 1, 2, 3, 8, 5, 6, 7}));
    ASSERT_EQ(BlockScroll(&block_, -5, 0) + BlockScroll(&block_, -1, 0), 2);
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{2, 3, 4, 1, 6, 7, 8, 5}));
    BlockDestroy(&block_);

    // A copy within one block, overlapping, down and right by one: no row is overwritten before
    // it is read. Copies reaching past the block are refused.
    ASSERT_EQ(BlockCreate(&block_, 0, 0, 4, 4, 8), 1);
    std::iota(block_.pixels, block_.pixels + 16, 1);
    ASSERT_EQ(BlockCopy(&block_, 1, 1, &block_, 0, 0, 3, 3), 1);
    EXPECT_EQ(BlockCopy(&block_, 2, 0, &block_, 0, 0, 3, 1) +
                  BlockCopy(&block_, 0, 0, &block_, 0, 3, 1, 2),
              0);
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{1, 2, 3, 4, 5, 1, 2, 3, 9, 5, 6, 7, 13, 9, 10, 11}));
}
