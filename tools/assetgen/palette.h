// The one palette of every generated picture: black, the exact text colours, the two colour keys
// and shade ramps per hue family, with the nearest-colour search that turns blended colours
// (anti-aliased edges, gradients, lighting) back into palette indices.
#pragma once

#include <cstdint>

#include "graphics/palette.h"

// Fixed entries. 0 is black and the key of the full-screen sheets and the strand, so opaque black
// in those sheets uses ART_BLACK instead. The keys 6 and 215 hold colours found nowhere else.
constexpr int ART_KEY_BLACK = 0;
constexpr int ART_TEXT_BLUE = 1;    // (0, 0, 255)
constexpr int ART_TEXT_GREEN = 2;   // (0, 255, 0)
constexpr int ART_TEXT_RED = 3;     // (255, 0, 0)
constexpr int ART_TEXT_MAGENTA = 4; // (255, 0, 255)
constexpr int ART_BLACK = 5;        // (0, 0, 0), opaque black and the black text colour
constexpr int ART_KEY_FACE = 6;     // (254, 0, 254), key of the face sheet
constexpr int ART_WHITE = 7;        // (255, 255, 255)
constexpr int ART_KEY_SPRITE = 215; // (0, 254, 1), key of the memo, piece, catcher, bonus sheets

// Hue families, each a ramp from its darkest to its lightest shade.
enum ArtRamp {
    RAMP_GREY,   // neutral greys, slightly cool
    RAMP_NAVY,   // lab blues: night navy to sky
    RAMP_TEAL,   // lab teals and glass
    RAMP_GREEN,  // base A
    RAMP_BLUE,   // base C
    RAMP_AMBER,  // base G
    RAMP_RED,    // base T
    RAMP_GOLD,   // the special piece, sparkles, lettering
    RAMP_PURPLE, // the catcher, mutations
    RAMP_SKIN,   // pale to deep skin tones
    RAMP_PINK,   // lips, cheeks
    RAMP_BROWN,  // hair browns, wood
    RAMP_BLONDE, // fair hair
    RAMP_GINGER, // red hair, orange
    RAMP_LIME,   // alien greens
    RAMP_CREAM,  // paper of the genome log, light plates
    RAMP_STEEL,  // robot metal, lab equipment
    RAMP_COUNT
};

// A colour being drawn, before it becomes a palette index; channels 0..255.
struct ArtColour {
    float r, g, b;
};

// ---- built by ArtPaletteBuild, read-only afterwards ----
extern PALETTEENTRY ArtPalette[PALETTE_SIZE]; // what every sheet and mainPalette.PAL carry
extern int ArtRampFirst[RAMP_COUNT];          // index of each ramp's darkest entry
extern int ArtRampLength[RAMP_COUNT];         // entries in each ramp, 8 to 16
extern int ArtFreeEntries;                    // entries left for sheets still to be designed

// Fills ArtPalette and the ramp tables; the same result every time.
void ArtPaletteBuild();
// The entry of a ramp at shade 0 (darkest) .. 1 (lightest), clamped.
int ArtRampIndex(ArtRamp ramp, float shade);
// The colour between the ramp's entries at that shade, for smooth lighting before quantising.
ArtColour ArtRampColour(ArtRamp ramp, float shade);
// The designed entry closest to the colour; never a key, never 0, never a free entry.
uint8_t ArtNearest(ArtColour colour);
// Colour arithmetic used all over the sheets.
ArtColour ArtMix(ArtColour a, ArtColour b, float t);
ArtColour ArtEntryColour(int index);
