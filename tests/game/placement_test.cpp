// Piece placement: the zone around the catcher, and the respawn timer's refills and stop.
#include "game/placement.h"

#include <cstdlib>

#include "platform/timer.h"
#include "tests/game/world_fixture.h"

using PlacementTest = WorldTest;

TEST_F(PlacementTest, ZoneRefusesItsLeftEdgeButNotItsTopEdge)
{
    struct Case {
        int x, y;
        bool clear;
    };
    // At start the zone is x, y in 68 .. 196 around the catcher's start (100, 100); later it
    // follows the catcher: at (200, 300) it is x 168 .. 296, y 268 .. 396.
    auto check = [](bool atStart, int left, int top, int right, int bottom) {
        const Case cases[] = {
            {left, top + 10, false}, // the left edge belongs to the zone
            {left - 1, top + 10, true},
            {left + 10, top, true}, // the top edge does not
            {left + 10, top + 1, false},
            {right - 33, top + 10, false}, // the piece's right side just inside
            {right - 32, top + 10, true},
            {left + 10, bottom - 33, false},
            {left + 10, bottom - 32, true},
        };
        for (const Case& c : cases) {
            EXPECT_EQ(IsClearOfCatcher(3, atStart, c.x, c.y), c.clear)
                << (atStart ? "start " : "follow ") << c.x << "," << c.y;
        }
    };
    check(true, 68, 68, 196, 196);
    SpriteSetPosition(&CatcherSprite, 200, 300);
    check(false, 168, 268, 296, 396);
    check(true, 68, 68, 196, 196); // the start zone ignores where the catcher is
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
