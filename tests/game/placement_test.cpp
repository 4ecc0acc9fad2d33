// Piece placement: the zone around the catcher, and the respawn timer's refills and stop.
#include "game/placement.h"

#include <cstdlib>

#include "platform/timer.h"
#include "tests/game/world_fixture.h"

using PlacementTest = WorldTest;

// At start the zone is x, y in 68 .. 196 around the catcher's start (100, 100), wherever the
// catcher is; later it follows the catcher: at (200, 300) it is x 168 .. 296, y 268 .. 396.
TEST_F(PlacementTest, ZoneRefusesItsLeftEdgeButNotItsTopEdge)
{
    SpriteSetPosition(&CatcherSprite, 200, 300);
    const struct {
        bool atStart;
        int x, y;
        bool clear;
    } cases[] = {
        {true, 68, 100, false},                            // the left edge belongs to the zone
        {true, 67, 100, true},    {true, 100, 68, true},   // the top edge does not
        {true, 100, 69, false},   {true, 163, 100, false}, // the piece's right side just inside
        {true, 164, 100, true},   {true, 100, 164, true},  // and its bottom side just outside
        {false, 168, 300, false}, {false, 200, 268, true},
        {false, 264, 300, true},  {false, 200, 363, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsClearOfCatcher(3, c.atStart, c.x, c.y), c.clear)
            << (c.atStart ? "start " : "follow ") << c.x << "," << c.y;
    }
}

using RespawnTest = WorldTest;

TEST_F(RespawnTest, RefillsLowestSlotFirstAwayFromTheCatcherThenStops)
{
    PlaceStartingPieces();
    const int caught[] = {9, 1, 11, 4, 3, 7};
    for (int slot : caught) {
        SlotEmpty[slot] = 1;
        ++EmptySlotCount;
    }
    RespawnTimerIdle = 0;
    ASSERT_NE(SetTimer(MainWindow, RESPAWN_TIMER_ID, RESPAWN_PERIOD_MS, nullptr), 0u);

    const int expected[] = {1, 3, 4, 7, 9, 11};
    std::srand(5);
    for (int tick = 0; tick < 6; ++tick) {
        // The zone follows the catcher, which moves between ticks.
        SpriteSetPosition(&CatcherSprite, 40 + 60 * tick, 30 + 70 * tick);
        RespawnTick();
        int slot = expected[tick];
        EXPECT_EQ(RespawnSlot, slot);
        EXPECT_EQ(SlotEmpty[slot], 0);
        EXPECT_EQ(EmptySlotCount, 5 - tick);
        int x = static_cast<int>(Pieces[slot].x), y = static_cast<int>(Pieces[slot].y);
        EXPECT_TRUE(IsClearOfCatcher(slot, false, x, y)) << "slot " << slot;
        EXPECT_TRUE(x >= 0 && x <= 412 && y >= 0 && y <= 444);
        EXPECT_EQ(RespawnTimerIdle, 0);
    }
    // The seventh tick finds nothing to refill: the timer stops, and the game goes on.
    RespawnTick();
    EXPECT_EQ(RespawnTimerIdle, 1);
    EXPECT_EQ(KillTimer(MainWindow, RESPAWN_TIMER_ID), 0) << "the tick left the timer running";
    EXPECT_FALSE(MessageQueueHas(MainWindow, WM_DESTROY, 0));

    // A tick for a timer that cannot be stopped ends the program.
    RespawnTimerIdle = 0;
    RespawnTick();
    EXPECT_EQ(RespawnTimerIdle, 1);
    EXPECT_TRUE(MessageQueueHas(MainWindow, WM_DESTROY, 0));
}
