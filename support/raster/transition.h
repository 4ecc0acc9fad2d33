// Effects for the 8-bit palette display: nine blocking full-screen transitions (fades, wipes, a
// dissolve) and up to 256 palette entries that blink between two colours on their own timers.
#pragma once

#include <cstdint>

#include "graphics/palette.h"

// ScreenTransition effects. The fades step the palette, the wipes draw colour-0 lines over the
// screen; all of these take 12 ms per step on the frame clock. The dissolve is not paced.
constexpr int TRANSITION_FADE_BLACK = 0;      // 80 steps; entry 0 keeps its colour
constexpr int TRANSITION_FADE_WHITE = 1;      // 64 steps
constexpr int TRANSITION_WIPE_SIDES = 2;      // columns close in from left and right
constexpr int TRANSITION_WIPE_TOP_BOTTOM = 3; // rows close in from top and bottom
constexpr int TRANSITION_DISSOLVE = 4;        // width x height x 4 + 1 random pixels
constexpr int TRANSITION_WIPE_ALL = 5;        // rows and columns together
constexpr int TRANSITION_FADE_BLUE = 6;       // 64 steps
constexpr int TRANSITION_FADE_RED = 7;        // 64 steps
constexpr int TRANSITION_FADE_GREEN = 8;      // 64 steps
constexpr uint32_t TRANSITION_STEP_MS = 12;

// Runs one effect to its end on the screen's memory (ScreenWidth x ScreenHeight pixels of
// ScreenBpp bits, 8 or 16; other depths draw nothing) and the display palette. Blocks the caller
// meanwhile and handles no window messages. It draws but does not flip. Effect numbers outside
// 0..8 do nothing.
void ScreenTransition(int effect, uint8_t* memory, int pitch);

// One step of a fade effect applied to a 256-entry palette copy (entries 1 to 255 for the fade
// to black, all for the others), for a caller that runs its own loop; last marks the effect's
// final step. 1 for the five fades, 0 (nothing changed) for any other effect.
int TransitionFadeStep(int effect, PALETTEENTRY* entries, int last);

// PaletteBlink commands.
constexpr int BLINK_ADD = 0;
constexpr int BLINK_DELETE = 1;
constexpr int BLINK_UPDATE = 2;
constexpr int BLINK_RUN = 3;
// Blinker states; 0 is a free entry.
constexpr int BLINK_ON = 1;
constexpr int BLINK_OFF = -1;
constexpr int BLINKER_COUNT = 256;

// One palette entry that blinks: off for offTime BLINK_RUN calls, then on for onTime, and so on.
struct PaletteBlinker {
    int colourIndex;        // the palette entry, 0 to 255
    PALETTEENTRY onColour;  // shown while on
    PALETTEENTRY offColour; // shown while off
    int onTime;             // BLINK_RUN calls spent on
    int offTime;            // BLINK_RUN calls spent off
    int counter;            // BLINK_RUN calls counted in the present state
    int state;              // 0 free, BLINK_ON or BLINK_OFF
};

// ---- process lifetime; cleared by the first PaletteBlink call ----
extern PaletteBlinker PaletteBlinkers[BLINKER_COUNT];

// BLINK_ADD: takes the lowest free entry, starts it off (showing offColour) and returns its id;
//   -1 when all entries are taken or the record is absent or names no palette entry 0..255.
// BLINK_DELETE: frees entry id (the palette entry keeps its colour); returns id, or -1 if free.
// BLINK_UPDATE: takes the colours and times of the record, keeps index, counter and state, shows
//   the present state's colour; returns id, or -1 if free.
// BLINK_RUN: advances every blinker by one call; returns 1. Other commands do nothing and give 1.
// Blinkers change only the display palette, never PaletteEntries.
int PaletteBlink(int command, const PaletteBlinker* blinker, int id);
