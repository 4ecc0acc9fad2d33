// Catching: the clamp, and codon decoding. The catch itself is the play test's.
#include "game/catching.h"

#include <utility>

#include "tests/game/world_fixture.h"

using CatchingTest = WorldTest;

TEST_F(CatchingTest, ClampPutsTheCatcherBackOnlyWhenABoundIsReached)
{
    struct Case {
        float x, y, wantX, wantY; // where the move left the catcher, where the clamp puts it
    };
    const Case cases[] = {
        {386, 100, 384, 100},               // right, y unchanged
        {-2, 420, 0, 416},                  // left and bottom together
        {200.5f, -6, 200, 0},               // top: x is taken as its integer
        {384, 416, 384, 416},               // on the corner counts as reached
        {200.5f, 100.25f, 200.5f, 100.25f}, // inside: untouched, fractions kept
    };
    for (const Case& c : cases) {
        CatcherSprite.x = c.x;
        CatcherSprite.y = c.y;
        int x, y;
        SpriteGetPosition(&CatcherSprite, &x, &y);
        ClampCatcher(384, 0, 416, 0, x, y);
        EXPECT_EQ(std::pair(CatcherSprite.x, CatcherSprite.y), std::pair(c.wantX, c.wantY))
            << c.x << "," << c.y;
    }
}

TEST_F(CatchingTest, CodonsDecodeByTheirLayersTableAndSpecialPiecesGiveSpecialPictures)
{
    // A few cells of each layer's table; -1 for a codon without a picture.
    const struct {
        int codon[3], frame;
    } cases[] = {
        {{0, 0, 0}, 0},  {{0, 1, 2}, 3}, {{0, 1, 3}, 2}, {{0, 0, 1}, -1}, {{1, 2, 0}, 8},
        {{1, 3, 3}, -1}, {{2, 3, 2}, 7}, {{2, 1, 3}, 6}, {{3, 3, 3}, 0},  {{3, 0, 3}, 1},
    };
    int frame = 0, page = 0;
    for (const auto& c : cases) {
        const int* codon = c.codon;
        SCOPED_TRACE(testing::Message() << codon[0] << codon[1] << codon[2]);
        RuleSoundLast = -1;
        EXPECT_EQ(DecodeCodon(codon, &frame, &page), codon[0] + 1);
        EXPECT_EQ(frame, c.frame < 0 ? BLANK_FACE_FRAME : c.frame);
        EXPECT_EQ(page, c.frame < 0 ? MEMO_BASE_PAGE : 10 * codon[0] + c.frame);
        // Only a codon without a picture sounds.
        EXPECT_EQ(RuleSoundLast, c.frame < 0 ? ID_BAD_CODON : -1);
    }

    const int specialFirst[3] = {KIND_SPECIAL, 1, 3}; // no layer, the bad-codon sound
    EXPECT_EQ(DecodeCodon(specialFirst, &frame, &page), FACE_LAYER_COUNT);
    EXPECT_EQ(std::pair(frame, page), std::pair(BLANK_FACE_FRAME, MEMO_BASE_PAGE));
    EXPECT_EQ(RuleSoundLast, ID_BAD_CODON);

    // Second or third: one of the ten special pictures, silently.
    const int specialLater[3] = {2, 1, KIND_SPECIAL};
    RuleSoundLast = -1;
    EXPECT_EQ(DecodeCodon(specialLater, &frame, &page), 3);
    EXPECT_TRUE(frame >= ORDINARY_FACE_FRAMES && frame < BLANK_FACE_FRAME) << frame;
    EXPECT_EQ(std::pair(page, RuleSoundLast), std::pair(MEMO_BASE_PAGE, -1));
}
