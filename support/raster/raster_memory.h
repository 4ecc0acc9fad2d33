// Addressing shared by the raster routines: the row of a pixel in locked memory given its pitch in
// bytes, and runs of one colour, for 8-bit (byte) and 16-bit (word) pixels alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "support/raster/line.h"

// Pixels per row of memory with this pitch: the pitch itself for bytes, halved for words.
template <typename Pixel>
inline std::ptrdiff_t RasterRowPixels(int pitch)
{
    static_assert(std::is_same_v<Pixel, uint8_t> || std::is_same_v<Pixel, uint16_t>);
    return std::is_same_v<Pixel, uint8_t> ? pitch : (pitch >> 1);
}

// The first pixel of row y.
template <typename Pixel>
inline Pixel* RasterRow(uint8_t* memory, int pitch, int y)
{
    return reinterpret_cast<Pixel*>(memory) +
           static_cast<std::ptrdiff_t>(y) * RasterRowPixels<Pixel>(pitch);
}

template <typename Pixel>
inline void RasterFill(Pixel* destination, Pixel colour, std::ptrdiff_t count)
{
    if constexpr (std::is_same_v<Pixel, uint8_t>) {
        std::memset(destination, colour, static_cast<std::size_t>(count));
    } else {
        FillWords(destination, colour, static_cast<unsigned>(count));
    }
}

// Fills pixels left..right of row y after trimming them to the clip window (nothing when the row
// or the whole run lies outside it).
template <typename Pixel>
void RasterClippedSpan(long long left, long long right, int y, Pixel colour, uint8_t* memory,
                       int pitch);
