// Catching: the slot, catcher and animation after a catch, the clamp, the decoding of every codon.
#include "game/catching.h"

#include <cstdlib>
#include <string>
#include <utility>

#include "tests/game/world_fixture.h"

using CatchingTest = WorldTest;

TEST_F(CatchingTest, CatchChoosesAnimationBySideAndKindAndFreesTheSlot)
{
    for (int direction = 0; direction < 4; ++direction) {
        for (int kind = 0; kind < PIECE_KIND_COUNT; ++kind) {
            SCOPED_TRACE(std::to_string(direction) + " " + std::to_string(kind));
            SetUp();
            int slot = 2 + kind;
            SpriteClone(&PieceTemplates[kind], &Pieces[slot]);
            PieceKind[slot] = kind;
            CatcherDirection = direction;
            FramesSinceCatch = 30;
            CatcherSprite.sequencePos = 5;
            CatchPiece(slot);
            int animation = kind == KIND_SPECIAL ? 20 + direction : 4 * direction + kind;
            EXPECT_EQ(CatcherSprite.sequenceIndex, animation);
            EXPECT_EQ(CatcherSprite.sequencePos, 0);
            EXPECT_EQ(SlotEmpty[slot], 1);
            EXPECT_EQ(EmptySlotCount, 1);
            EXPECT_EQ(CatcherActive, 0);
            EXPECT_EQ(FramesSinceCatch, 0);
            EXPECT_EQ(RuleSoundLast, kind == KIND_SPECIAL ? ID_CATCH_SPECIAL : ID_CATCH);
            EXPECT_EQ(RuleSoundCount, 1);
            SetCatcherIdleAnimation();
            EXPECT_EQ(CatcherSprite.sequenceIndex, 16 + direction);
        }
    }
}

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

// The four decoding tables, rows b1 and columns b2, '-' for no picture.
static const char* const Tables[4][4] = {
    {"0---", "1-32", "79-8", "456-"},
    {"-564", "-0--", "87-9", "213-"},
    {"-213", "5-46", "--0-", "897-"},
    {"-231", "5-64", "89-7", "---0"},
};

TEST_F(CatchingTest, EveryOrdinaryCodonDecodesByItsLayerTable)
{
    for (int layer = 0; layer < 4; ++layer) {
        for (int b1 = 0; b1 < 4; ++b1) {
            for (int b2 = 0; b2 < 4; ++b2) {
                const int codon[3] = {layer, b1, b2};
                SCOPED_TRACE(std::to_string(layer) + std::to_string(b1) + std::to_string(b2));
                const char cell = Tables[layer][b1][b2];
                const bool blank = cell == '-';
                int frame = -7, page = -7, sounds = RuleSoundCount;
                RuleSoundLast = -1;
                EXPECT_EQ(DecodeCodon(codon, &frame, &page), layer + 1);
                EXPECT_EQ(frame, blank ? BLANK_FACE_FRAME : cell - '0');
                EXPECT_EQ(page, blank ? MEMO_BASE_PAGE : 10 * layer + (cell - '0'));
                // Only a codon without a picture sounds.
                EXPECT_EQ(RuleSoundCount, sounds + blank);
                EXPECT_EQ(RuleSoundLast, blank ? ID_BAD_CODON : -1);
            }
        }
    }
}

TEST_F(CatchingTest, SpecialPiecesGiveSpecialPicturesOrNothing)
{
    int frame = 0, page = 0;
    for (int b1 = 0; b1 < 5; ++b1) { // a special piece first: no layer, the bad-codon sound
        const int codon[3] = {KIND_SPECIAL, b1, 4 - b1};
        RuleSoundLast = -1;
        EXPECT_EQ(DecodeCodon(codon, &frame, &page), 4);
        EXPECT_EQ(frame, BLANK_FACE_FRAME);
        EXPECT_EQ(page, MEMO_BASE_PAGE);
        EXPECT_EQ(RuleSoundLast, ID_BAD_CODON);
    }
    // Second or third: a special picture of one draw, silently.
    const int codons[][3] = {{2, 4, 1}, {0, 0, 4}, {3, 4, 4}, {1, 1, 4}};
    for (unsigned seed = 1; seed < 40; ++seed) {
        for (const auto& codon : codons) {
            std::srand(seed);
            int expected = 10 + std::rand() % 10, after = std::rand(), sounds = RuleSoundCount;
            std::srand(seed);
            EXPECT_EQ(DecodeCodon(codon, &frame, &page), codon[0] + 1);
            EXPECT_EQ(frame, expected);
            EXPECT_EQ(page, MEMO_BASE_PAGE);
            EXPECT_EQ(RuleSoundCount, sounds);
            EXPECT_EQ(std::rand(), after) << "exactly one draw";
        }
    }
}
