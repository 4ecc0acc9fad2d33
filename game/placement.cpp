// Piece placement at start and the respawn timer's refills.
#include "game/placement.h"

#include <cstdlib>

#include "game/world.h"
#include "platform/message.h"
#include "platform/timer.h"
#include "platform/window.h"

// A place is drawn so the whole piece lies in the field with a little room to the edges.
static constexpr int PLACE_MARGIN = 35;
// The special kind comes up when the first draw mod 12 lands here.
static constexpr int SPECIAL_DRAW_RANGE = 12;
static constexpr int SPECIAL_DRAW_HIT = 7;
// Pieces keep this far from the catcher when they appear.
static constexpr int CATCHER_CLEARANCE = 32;
// The fixed zone around the catcher's start position used by the starting placement.
static constexpr int START_ZONE_LOW = CATCHER_START_X - CATCHER_CLEARANCE;
static constexpr int START_ZONE_EXTRA = CATCHER_START_X + CATCHER_CLEARANCE;
// A new piece starts this many frames into its animation at most (the special piece's length).
static constexpr int FRAME_SPREAD = SPECIAL_PIECE_FRAMES;

int ChoosePieceKind(int* kind)
{
    if (std::rand() % SPECIAL_DRAW_RANGE == SPECIAL_DRAW_HIT) {
        *kind = KIND_SPECIAL;
    } else {
        *kind = std::rand() % ORDINARY_KIND_COUNT;
    }
    return 1;
}

int ChoosePiecePosition(int* x, int* y)
{
    *x = std::rand() % (FieldWidth - PLACE_MARGIN);
    *y = std::rand() % (FieldHeight - PLACE_MARGIN);
    return 1;
}

bool IsClearOfCatcher(int /*slot*/, bool atStart, int x, int y)
{
    int left, top, right, bottom;
    if (atStart) {
        left = top = START_ZONE_LOW;
        right = bottom = CatcherSize + START_ZONE_EXTRA;
    } else {
        int cx = 0, cy = 0;
        SpriteGetPosition(&CatcherSprite, &cx, &cy);
        left = cx - CATCHER_CLEARANCE;
        top = cy - CATCHER_CLEARANCE;
        right = cx + CatcherSize + CATCHER_CLEARANCE;
        bottom = cy + CatcherSize + CATCHER_CLEARANCE;
    }
    // The x test takes in its lower bound and the y test leaves it out: a piece may touch the
    // zone's top edge but not its left one.
    bool inside = x >= left && x + PIECE_SIZE < right && y > top && y + PIECE_SIZE < bottom;
    return !inside;
}

int SpawnPiece(int slot, int kind, int x, int y)
{
    Sprite* piece = &Pieces[slot];
    SpriteClone(&PieceTemplates[kind], piece);
    SpriteSetPosition(piece, x, y);
    PieceKind[slot] = kind;
    SpriteSetSequence(piece, 0);
    SpriteSetAnimSpeed(piece, 0);
    return 1;
}

int RandomisePieceFrame(int slot)
{
    int steps = std::rand() % FRAME_SPREAD;
    for (int i = 0; i < steps; ++i) {
        SpriteAnimate(&Pieces[slot]);
    }
    return 1;
}

// Draws a kind and then places until the place is clear, in that order of draws.
static void PlacePiece(int slot, bool atStart)
{
    int kind = 0, x = 0, y = 0;
    ChoosePieceKind(&kind);
    ChoosePiecePosition(&x, &y);
    while (!IsClearOfCatcher(slot, atStart, x, y)) {
        ChoosePiecePosition(&x, &y);
    }
    SpawnPiece(slot, kind, x, y);
    RandomisePieceFrame(slot);
    SlotEmpty[slot] = 0;
}

int PlaceStartingPieces()
{
    for (int slot = 0; slot < PIECE_SLOTS; ++slot) {
        PlacePiece(slot, true);
    }
    return 1;
}

// The lowest slot waiting for a respawn, or -1.
static int LowestEmptySlot()
{
    for (int slot = 0; slot < PIECE_SLOTS; ++slot) {
        if (SlotEmpty[slot] == 1) {
            return slot;
        }
    }
    return -1;
}

int RespawnTick()
{
    int slot = EmptySlotCount > 0 ? LowestEmptySlot() : -1;
    if (slot >= 0) {
        RespawnSlot = slot;
        PlacePiece(RespawnSlot, false);
        --EmptySlotCount;
        return 1;
    }
    RespawnTimerIdle = 1;
    if (!KillTimer(MainWindow, RESPAWN_TIMER_ID)) {
        PostMessage(MainWindow, WM_DESTROY, 0, 0);
    }
    return 1;
}
