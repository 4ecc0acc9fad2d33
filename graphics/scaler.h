// The display's own scaler: turns rectangles of the 8-bit (or 16-bit) picture into 32-bit output
// pixels at the output's size, sampled as the scale modes sample them, for the window-surface flip.
#pragma once

#include <cstdint>

// A rectangle of pixels with exclusive right and bottom edges.
struct ScalerRect {
    int left, top, right, bottom;
};

// Lays out the sampling from a picture of srcW x srcH pixels onto dstW x dstH output pixels. With
// factor 0 every output pixel takes the picture pixel under its centre (nearest, and integer
// multiples); with factor k >= 1 the picture is thought enlarged k times by copies and then
// filtered linearly down to dstW x dstH, which blends two picture pixels only where they meet
// (sharp). 0, keeping the layout before, for sizes outside 1..16384.
int ScalerSetup(int srcW, int srcH, int dstW, int dstH, int factor);

// The output pixels (relative to the picture's corner on the output) whose colour depends on some
// picture pixel inside area: the ones to draw again when that area of the picture changed.
ScalerRect ScalerOutputArea(const ScalerRect& area);

// Draws the output pixels of outArea (as ScalerOutputArea gives them) from the picture. pixels and
// pitch are the picture's (bytesPerPixel 1: palette indices looked up in lookup[256], or in pairs
// as ScalerConvertRow8 takes them; 2: 16-bit pixels looked up in lookup[65536]);
// out is the output, outPitch bytes a row, where the picture's top left corner lands at
// (originX, originY); outArea must lie inside the output there.
void ScalerDraw(const uint8_t* pixels, int pitch, int bytesPerPixel, const uint32_t* lookup,
                const uint64_t* pairs, uint32_t* out, int outPitch, int originX, int originY,
                const ScalerRect& outArea);

// Converts n palette indices into 32-bit pixels through lookup[256] and pairs, the lookup of two
// indices (first in the low byte) to two pixels (first at the lower address): two pixels a load
// and a store, for whole rows, where the 512 KB pair table pays for itself.
void ScalerConvertRow8(const uint8_t* from, uint32_t* to, int n, const uint32_t* lookup,
                       const uint64_t* pairs);
