// Tests of the sprites on the headless display: keyed and stretched draws, clipping at the screen's
// edges, frame loading from a cell grid, the animation rules, movement, the overlap test and the
// arguments every operation refuses.
#include "graphics/sprite.h"

#include "graphics/bitmap.h"
#include "graphics/display.h"
#include "tests/graphics/display_fixture.h"
#include "tests/graphics/surface_dump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int BACKGROUND = 9; // what the back surface holds before a draw
constexpr int KEY = 6;        // the sprites' colour key

// The game's 640 x 480 x 8 display, the back surface filled with BACKGROUND.
class SpriteTest : public DisplayTest {
protected:
    Sprite sprite{};
    std::vector<BitmapImage*> images;

    void SetUp() override
    {
        DisplayTest::SetUp();
        ASSERT_EQ(DisplayInit(640, 480, 8, 0), 1);
        DisplayFill(BackSurface, BACKGROUND, nullptr);
    }

    void TearDown() override
    {
        SpriteDestroy(&sprite);
        for (BitmapImage* image : images) {
            BitmapUnload(image);
            delete image;
        }
        DisplayTest::TearDown();
    }

    // A still, visible sprite of the given size and frames with colour key KEY.
    void Create(int width, int height, int frames = 1, int bits = 8, int key = KEY)
    {
        ASSERT_EQ(SpriteCreate(&sprite, 0, 0, width, height, frames, SPRITE_STILL | SPRITE_VISIBLE,
                               DDSCAPS_SYSTEMMEMORY, key, bits),
                  1);
    }

    // A picture in memory of the given depth whose pixel (x, y) is pixel(x, y).
    template <typename F>
    BitmapImage* MakeImage(int width, int height, F pixel, int bits = 8)
    {
        auto* image = new BitmapImage{};
        images.push_back(image);
        image->infoHeader.biWidth = width;
        image->infoHeader.biHeight = height;
        image->infoHeader.biBitCount = static_cast<uint16_t>(bits);
        image->pixels = static_cast<uint8_t*>(std::malloc(width * height * bits / 8));
        for (int i = 0; i < width * height; ++i) {
            const uint16_t value = static_cast<uint16_t>(pixel(i % width, i / width));
            std::memcpy(image->pixels + i * bits / 8, &value, bits / 8); // little-endian
        }
        return image;
    }
};

TEST_F(SpriteTest, KeyedDrawsLandAtTheTruncatedPositionSkipTheKeyAndStopAtTheScreensEdges)
{
    Create(4, 3);
    // Row-major 20 + x + 4y, with the key in the middle of the top row and at one corner.
    BitmapImage* image = MakeImage(4, 3, [](int x, int y) {
        return (y == 0 && (x == 1 || x == 2)) || (x == 3 && y == 2) ? KEY : 20 + x + 4 * y;
    });
    ASSERT_EQ(SpriteLoadFrame(&sprite, image, 0, 0, 0, 1), 1);

    // Hidden, a sprite draws nothing and still succeeds.
    SpriteHide(&sprite);
    EXPECT_EQ(SpriteDraw(&sprite, BackSurface), 1);
    EXPECT_TRUE(SurfaceRegionIs(BackSurface, 0, 0, 640, 480, [](int, int) { return BACKGROUND; }));
    SpriteShow(&sprite);
    // Between pixels; over the top left and the bottom right corners; just off the right and
    // the bottom; where the game parks its piece templates.
    const float places[][2] = {{10.9f, 20.2f}, {-2, -1}, {637, 478},
                               {640, 0},       {0, 480}, {-100, -100}};
    for (const auto [fx, fy] : places) {
        SCOPED_TRACE(testing::Message() << fx << "," << fy);
        DisplayFill(BackSurface, BACKGROUND, nullptr);
        sprite.x = fx;
        sprite.y = fy;
        ASSERT_EQ(SpriteDraw(&sprite, BackSurface), 1);
        const int px = static_cast<int>(fx), py = static_cast<int>(fy);
        EXPECT_TRUE(SurfaceRegionIs(BackSurface, 0, 0, 640, 480, [&](int x, int y) {
            bool inside = x >= px && x < px + 4 && y >= py && y < py + 3;
            int source = inside ? image->pixels[(y - py) * 4 + x - px] : KEY;
            return source == KEY ? BACKGROUND : source;
        }));
    }
}

TEST_F(SpriteTest, ScaledDrawStretchesTheFrameAndKeepsTheKey)
{
    Create(2, 2);
    BitmapImage* image =
        MakeImage(2, 2, [](int x, int y) { return x == 1 && y == 1 ? KEY : 30 + x + 2 * y; });
    ASSERT_EQ(SpriteLoadFrame(&sprite, image, 0, 0, 0, 1), 1);
    SpriteSetPosition(&sprite, 100, 50);

    ASSERT_EQ(SpriteDrawScaled(&sprite, 6, 4, BackSurface), 1);
    EXPECT_TRUE(SurfaceRegionIs(BackSurface, 0, 0, 640, 480, [](int x, int y) {
        x -= 100, y -= 50; // each source pixel becomes 3 x 2; the key's block stays empty
        bool inside = x >= 0 && x < 6 && y >= 0 && y < 4 && !(x >= 3 && y >= 2);
        return inside ? 30 + x / 3 + 2 * (y / 2) : BACKGROUND;
    }));
    // Across the screen's left edge the visible part keeps its place in the stretched frame.
    SpriteSetPosition(&sprite, -4, 50);
    ASSERT_EQ(SpriteDrawScaled(&sprite, 6, 4, BackSurface), 1);
    EXPECT_TRUE(SurfaceRegionIs(BackSurface, 0, 50, 2, 2, [](int, int) { return 31; }));
}

TEST_F(SpriteTest, OnASixteenBitDisplayFramesFillsAndKeyedDrawsMoveTwoBytesAPixel)
{
    ASSERT_EQ(DisplayInit(640, 480, 16, 1), 1);
    EXPECT_EQ(DisplayFill(BackSurface, 0x12345, nullptr), 1); // the colour's low 16 bits
    BitmapImage* image = MakeImage(
        7, 3, [](int x, int y) { return 1000 + x + 10 * y; }, 16);
    Create(2, 2, 2, 16, 0x10000 + 1014); // the key is the colour key's low 16 bits
    ASSERT_EQ(SpriteLoadFrame16(&sprite, image, 0, 3, 1, 1), 1); // pixels (3, 1) to (4, 2)
    ASSERT_EQ(SpriteLoadFrame16(&sprite, image, 1, 1, 0, 0), 1); // cell (1, 0): left 4, top 1
    EXPECT_EQ(SpriteLoadFrame(&sprite, image, 1, 0, 0, 1), 0);   // 16-bit pixels, 8-bit copy
    EXPECT_TRUE(SurfaceRegionIs(sprite.frames[1], 0, 0, 2, 2,
                                [](int x, int y) { return 1014 + x + 10 * y; }));
    SpriteSetPosition(&sprite, 10, 20);
    ASSERT_EQ(SpriteDraw(&sprite, BackSurface), 1);
    EXPECT_TRUE(SurfaceRegionIs(BackSurface, 9, 19, 4, 4, [](int x, int y) {
        const bool inside = x >= 10 && x < 12 && y >= 20 && y < 22;
        const int p = 1013 + (x - 10) + 10 * (y - 20);
        return inside && p != 1014 ? p : 0x2345;
    }));
}

TEST_F(SpriteTest, CloneSharesTheFramesAndDestroyingItLeavesTheSourceDrawable)
{
    Create(8, 8);
    ASSERT_EQ(SpriteLoadFrame(&sprite, MakeImage(8, 8, [](int, int) { return 12; }), 0, 0, 0, 1),
              1);
    const int steps[] = {0};
    ASSERT_EQ(SpriteLoadSequence(&sprite, 4, 1, steps), 1);
    Sprite clone{};
    ASSERT_EQ(SpriteClone(&sprite, &clone), 1);
    EXPECT_EQ(clone.attributes, sprite.attributes | SPRITE_CLONE);
    EXPECT_EQ(clone.sequences[4], sprite.sequences[4]);
    EXPECT_EQ(SpriteDestroy(&clone), 1);
    EXPECT_EQ(SpriteDraw(&clone, BackSurface), 0);

    SpriteSetPosition(&sprite, 10, 10);
    ASSERT_EQ(SpriteDraw(&sprite, BackSurface), 1);
    EXPECT_TRUE(SurfaceRegionIs(BackSurface, 8, 8, 12, 12, [](int x, int y) {
        return x >= 10 && x < 18 && y >= 10 && y < 18 ? 12 : BACKGROUND;
    }));
    // The owner gives its surfaces back once; a second destroy finds nothing left to free.
    EXPECT_EQ(SpriteDestroy(&sprite), 1);
    EXPECT_EQ(sprite.frames[0], nullptr);
    EXPECT_EQ(sprite.sequences[4], nullptr);
    EXPECT_EQ(SpriteDestroy(&sprite), 1);
}

TEST_F(SpriteTest, AnimationRules)
{
    Create(2, 2, 5);
    sprite.attributes = SPRITE_CYCLE_FRAMES | SPRITE_VISIBLE;
    auto shown = [&](int steps) {
        std::vector<int> frames;
        for (int i = 0; i < steps; ++i) {
            EXPECT_EQ(SpriteAnimate(&sprite), 1);
            frames.push_back(sprite.frameIndex);
        }
        return frames;
    };

    // Cycling: ticksPerFrame 0 (as created) steps on every call, exactly like 1; 2 every other.
    EXPECT_EQ(shown(6), (std::vector<int>{1, 2, 3, 4, 0, 1}));
    SpriteSetAnimSpeed(&sprite, 2);
    EXPECT_EQ(shown(4), (std::vector<int>{1, 2, 2, 3}));

    // Still pins frame 0 whatever else is set.
    sprite.attributes = SPRITE_STILL | SPRITE_CYCLE_FRAMES | SPRITE_VISIBLE;
    SpriteSetFrame(&sprite, 3);
    EXPECT_EQ(shown(1), (std::vector<int>{0}));

    // A looping sequence starts at element 1 and wraps round to element 0.
    const int loop[] = {10, 11, 12};
    ASSERT_EQ(SpriteLoadSequence(&sprite, 2, 3, loop), 1);
    sprite.attributes = SPRITE_SEQUENCES | SPRITE_VISIBLE;
    SpriteSetAnimSpeed(&sprite, 1);
    SpriteSetFrame(&sprite, 4);
    ASSERT_EQ(SpriteSetSequence(&sprite, 2), 1);
    EXPECT_EQ(sprite.frameIndex, 4); // setting the sequence does not change the shown frame
    EXPECT_EQ(shown(4), (std::vector<int>{11, 12, 10, 11}));

    // Played once it holds its last element.
    const int once[] = {20, 21, 22};
    ASSERT_EQ(SpriteLoadSequence(&sprite, 0, 3, once), 1);
    sprite.attributes |= SPRITE_PLAY_ONCE;
    SpriteSetSequence(&sprite, 0);
    EXPECT_EQ(shown(3), (std::vector<int>{21, 22, 22}));

    // Slower sequences step on every ticksPerFrame-th call.
    sprite.attributes &= ~SPRITE_PLAY_ONCE;
    SpriteSetAnimSpeed(&sprite, 3);
    SpriteSetSequence(&sprite, 2);
    EXPECT_EQ(shown(6), (std::vector<int>{22, 22, 11, 11, 11, 12}));

    // A shorter sequence stored under the playing index while it plays goes on from its end;
    // an index with nothing stored leaves the frame alone.
    SpriteSetAnimSpeed(&sprite, 1);
    const int two[] = {50, 51};
    int* earlier = sprite.sequences[2];
    ASSERT_EQ(SpriteLoadSequence(&sprite, 2, 2, two), 1);
    EXPECT_EQ(shown(2), (std::vector<int>{50, 51}));
    std::free(earlier); // replacing a sequence does not free the one it replaces
    EXPECT_EQ(SpriteSetSequence(&sprite, 3), 1);
    EXPECT_EQ(SpriteAnimate(&sprite), 0);
    EXPECT_EQ(sprite.frameIndex, 51);
}

TEST_F(SpriteTest, MovementWrapsAndBouncesAtTheClipBounds)
{
    ASSERT_EQ(SpriteCreate(&sprite, 0, 0, 32, 32, 1, SPRITE_WRAP, 0, 0, 8), 1);
    // Wrapping comes in at -32 once past 639 (or 479) and at 639 (479) once wholly past -32.
    // Bouncing turns the velocity only, the sprite is not pulled back inside; without either
    // bit a move is a plain addition.
    const struct {
        unsigned attributes;
        float x, y, vx, vy, movedX, movedY, turnedVx, turnedVy;
    } moves[] = {{SPRITE_WRAP, 630, 100, 6, 0, 636, 100, 6, 0},
                 {SPRITE_WRAP, 636, 100, 6, 0, -32, 100, 6, 0},
                 {SPRITE_WRAP, 0, -32, 0, -3, 0, 479, 0, -3},
                 {SPRITE_BOUNCE, 606, 10, 4, -20, 610, -10, -4, 20},
                 {0, 610, -10, 0.25f, 20, 610.25f, 10, 0.25f, 20}};
    for (const auto& m : moves) {
        SCOPED_TRACE(testing::Message() << m.x << "," << m.y);
        sprite.attributes = m.attributes;
        sprite.x = m.x, sprite.y = m.y, sprite.velocityX = m.vx, sprite.velocityY = m.vy;
        SpriteMove(&sprite);
        EXPECT_EQ((std::array{sprite.x, sprite.y, sprite.velocityX, sprite.velocityY}),
                  (std::array{m.movedX, m.movedY, m.turnedVx, m.turnedVy}));
    }
}

TEST_F(SpriteTest, CollisionUsesReducedBoxesAndPositionsTruncateTowardZero)
{
    Sprite a{}, b{};
    a.width = b.width = a.height = b.height = 64; // half-extents 32 - 8 = 24
    a.x = 100;
    a.y = 200;
    for (auto [bx, by, hit] :
         {std::array{100, 200, 1}, std::array{148, 200, 0}, std::array{147, 200, 1},
          std::array{100, 152, 0}, std::array{100, 153, 1}}) {
        b.x = static_cast<float>(bx);
        b.y = static_cast<float>(by);
        EXPECT_EQ(SpriteCollide(&a, &b), hit) << bx << "," << by;
        EXPECT_EQ(SpriteCollide(&b, &a), hit) << bx << "," << by;
    }

    int x = 99, y = 99;
    a.x = -0.5f;
    a.y = -1.7f;
    ASSERT_EQ(SpriteGetPosition(&a, &x, &y), 1);
    EXPECT_EQ((std::array{x, y}), (std::array{0, -1}));
}

TEST_F(SpriteTest, FramesComeFromCellsOfTheGridAndBadArgumentsAreRefused)
{
    // Three 4 x 3 cells across and two down, framed by one-pixel lines of colour 1; a cell's
    // pixels are 40 + 10 * cell number + the position inside the cell.
    constexpr int W = 4, H = 3;
    BitmapImage* sheet = MakeImage(3 * (W + 1) + 1, 2 * (H + 1) + 1, [](int x, int y) {
        if (x % (W + 1) == 0 || y % (H + 1) == 0) {
            return 1;
        }
        int cell = (y / (H + 1)) * 3 + x / (W + 1);
        return 40 + 10 * cell + (x % (W + 1) - 1) + W * (y % (H + 1) - 1);
    });
    Create(W, H, 3);
    ASSERT_EQ(SpriteLoadFrame(&sprite, sheet, 0, 2, 1, 0), 1); // cell 5: left 11, top 5
    ASSERT_EQ(SpriteLoadFrame(&sprite, sheet, 1, 6, 1, 1), 1); // pixel mode: cell 1
    EXPECT_TRUE(SurfaceRegionIs(sprite.frames[0], 0, 0, W, H,
                                [](int x, int y) { return 40 + 50 + x + W * y; }));
    EXPECT_TRUE(SurfaceRegionIs(sprite.frames[1], 0, 0, W, H,
                                [](int x, int y) { return 40 + 10 + x + W * y; }));

    // Refused, and frame 2 left as it was.
    DisplayFill(sprite.frames[2], 3, nullptr);
    BitmapImage empty = *sheet;
    empty.pixels = nullptr;
    const int values[] = {0};
    int x = 0, y = 0;
    const struct {
        const char* what;
        int result;
    } refused[] = {
        {"cell past the right edge", SpriteLoadFrame(&sprite, sheet, 2, 3, 0, 0)},
        {"cell past the bottom edge", SpriteLoadFrame(&sprite, sheet, 2, 0, 2, 0)},
        {"cell left of the picture", SpriteLoadFrame(&sprite, sheet, 2, -1, 0, 0)},
        {"pixels past the right edge", SpriteLoadFrame(&sprite, sheet, 2, 13, 0, 1)},
        {"pixels past the bottom edge", SpriteLoadFrame(&sprite, sheet, 2, 0, 7, 1)},
        {"a cell number that overflows", SpriteLoadFrame(&sprite, sheet, 2, 0x7FFFFFFF, 0, 0)},
        {"frame past the last", SpriteLoadFrame(&sprite, sheet, 3, 0, 0, 0)},
        {"frame before the first", SpriteLoadFrame(&sprite, sheet, -1, 0, 0, 0)},
        {"picture without pixels", SpriteLoadFrame(&sprite, &empty, 2, 0, 0, 0)},
        {"8-bit picture into a 16-bit copy", SpriteLoadFrame16(&sprite, sheet, 2, 0, 0, 0)},
        {"load into null", SpriteLoadFrame(nullptr, sheet, 2, 0, 0, 0)},
        {"load from null", SpriteLoadFrame(&sprite, nullptr, 2, 0, 0, 0)},
        {"create without frames", SpriteCreate(&sprite, 0, 0, 4, 4, 0, 0, 0, KEY, 8)},
        {"create past the frame limit",
         SpriteCreate(&sprite, 0, 0, 4, 4, SPRITE_MAX_FRAMES + 1, 0, 0, KEY, 8)},
        {"draw a frame the sprite never had",
         (SpriteSetFrame(&sprite, 3), SpriteDraw(&sprite, BackSurface))},
        {"draw null", SpriteDraw(nullptr, BackSurface)},
        {"clone from null", SpriteClone(nullptr, &sprite)},
        {"clone into null", SpriteClone(&sprite, nullptr)},
        {"clone onto itself", SpriteClone(&sprite, &sprite)},
        {"destroy null", SpriteDestroy(nullptr)},
        {"sequence index past the last",
         SpriteLoadSequence(&sprite, SPRITE_MAX_SEQUENCES, 1, values)},
        {"empty sequence", SpriteLoadSequence(&sprite, 5, 0, values)},
        {"play a sequence index past the last", SpriteSetSequence(&sprite, SPRITE_MAX_SEQUENCES)},
        {"animate null", SpriteAnimate(nullptr)},
        {"collide with null", SpriteCollide(&sprite, nullptr)},
        {"collide null", SpriteCollide(nullptr, &sprite)},
        {"position of null", SpriteGetPosition(nullptr, &x, &y)},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(r.result, 0) << r.what;
    }
    EXPECT_TRUE(SurfaceRegionIs(sprite.frames[2], 0, 0, W, H, [](int, int) { return 3; }));
    EXPECT_EQ(sprite.attributes & SPRITE_CLONE, 0u); // the refused clone onto itself left no mark
    DisplaySurface kept = sprite.frames[2];
    sprite.frames[2] = nullptr; // a frame without a surface
    EXPECT_EQ(SpriteLoadFrame(&sprite, sheet, 2, 0, 0, 0), 0);
    sprite.frames[2] = kept;
}

} // namespace
