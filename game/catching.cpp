// The catch, the catcher's plain animation and clamp, and the codon decoding tables.
#include "game/catching.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "game/rule_sound.h"
#include "game/world.h"

// "No picture" in a decoding table.
static constexpr int NO_LAYER = -1;

using DecodingTable = std::array<std::array<int, ORDINARY_KIND_COUNT>, ORDINARY_KIND_COUNT>;

// CodonTables[L][b1][b2]: the ordinary frame that a codon (L, b1, b2) gives layer L. In each
// layer the pair (L, L) gives frame 0; pairs starting with L and pairs of two equal kinds other
// than L give nothing; the other nine pairs give frames 1 .. 9.
static constexpr std::array<DecodingTable, FACE_LAYER_COUNT> CodonTables = {{
    {{
        {0, NO_LAYER, NO_LAYER, NO_LAYER},
        {1, NO_LAYER, 3, 2},
        {7, 9, NO_LAYER, 8},
        {4, 5, 6, NO_LAYER},
    }},
    {{
        {NO_LAYER, 5, 6, 4},
        {NO_LAYER, 0, NO_LAYER, NO_LAYER},
        {8, 7, NO_LAYER, 9},
        {2, 1, 3, NO_LAYER},
    }},
    {{
        {NO_LAYER, 2, 1, 3},
        {5, NO_LAYER, 4, 6},
        {NO_LAYER, NO_LAYER, 0, NO_LAYER},
        {8, 9, 7, NO_LAYER},
    }},
    {{
        {NO_LAYER, 2, 3, 1},
        {5, NO_LAYER, 6, 4},
        {8, 9, NO_LAYER, 7},
        {NO_LAYER, NO_LAYER, NO_LAYER, 0},
    }},
}};

// Memo pages: ten per layer, one per ordinary frame.
static constexpr int MEMO_PAGES_PER_LAYER = ORDINARY_FACE_FRAMES;
// Special pictures are ORDINARY_FACE_FRAMES .. 2 * ORDINARY_FACE_FRAMES - 1.
static constexpr int SPECIAL_PICTURES = ORDINARY_FACE_FRAMES;

int CatchPiece(int slot)
{
    CatcherActive = 0;
    FramesSinceCatch = 0;
    SlotEmpty[slot] = 1;
    ++EmptySlotCount;
    int kind = PieceKind[slot];
    if (kind == KIND_SPECIAL) {
        SpriteSetSequence(&CatcherSprite, CATCHER_ANIM_SPECIAL + CatcherDirection);
        RuleSoundPlay(SoundCatchSpecial);
    } else {
        SpriteSetSequence(&CatcherSprite, ORDINARY_KIND_COUNT * CatcherDirection + kind);
        RuleSoundPlay(SoundCatch);
    }
    // The piece is a clone: this only forgets the frames it shares with its template.
    SpriteDestroy(&Pieces[slot]);
    return 1;
}

int SetCatcherIdleAnimation()
{
    SpriteSetSequence(&CatcherSprite, CATCHER_ANIM_IDLE + CatcherDirection);
    return 1;
}

int ClampCatcher(int maxX, int minX, int maxY, int minY, int x, int y)
{
    bool reached = x <= minX || x >= maxX || y <= minY || y >= maxY;
    if (reached) {
        SpriteSetPosition(&CatcherSprite, std::clamp(x, minX, maxX), std::clamp(y, minY, maxY));
    }
    return 1;
}

// A codon without a picture: the bad-codon sound, the blank frame and the memo base page.
static void NoPicture(int* frame, int* page)
{
    RuleSoundPlay(SoundBadCodon);
    *frame = BLANK_FACE_FRAME;
    *page = MEMO_BASE_PAGE;
}

int DecodeCodon(const int codon[3], int* frame, int* page)
{
    int layer = codon[0];
    // KEPT: a codon that starts with the special piece names no layer, so it builds nothing,
    // though the same piece later in a codon gives a special picture.
    if (layer == KIND_SPECIAL) {
        NoPicture(frame, page);
        return FACE_LAYER_COUNT;
    }
    int b1 = codon[1];
    int b2 = codon[2];
    if (b1 == KIND_SPECIAL || b2 == KIND_SPECIAL) {
        *frame = ORDINARY_FACE_FRAMES + std::rand() % SPECIAL_PICTURES;
        *page = MEMO_BASE_PAGE;
        return layer + 1;
    }
    int picture = CodonTables[layer][b1][b2];
    if (picture == NO_LAYER) {
        NoPicture(frame, page);
    } else {
        *frame = picture;
        *page = MEMO_PAGES_PER_LAYER * layer + picture;
    }
    return layer + 1;
}
