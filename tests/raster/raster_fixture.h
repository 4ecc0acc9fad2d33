// Shared by the raster tests: pixel buffers with any pitch, and the clip window. Each test sets
// the clip window and screen size it draws with (and runs in a process of its own).
#pragma once

#include "graphics/display.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

using Points = std::set<std::pair<int, int>>;

// width x height visible pixels in rows of pitch bytes (16-bit rows step by pitch / 2 words, as
// the raster routines do), filled with one background value.
template <typename Pixel>
struct Canvas {
    int width, height, pitch;
    std::vector<Pixel> pixels;

    Canvas(int w, int h, int pitchBytes, Pixel background = 0)
        : width(w), height(h), pitch(pitchBytes),
          pixels(static_cast<std::size_t>(h) * (pitch / sizeof(Pixel)), background)
    {}
    uint8_t* Memory()
    {
        return reinterpret_cast<uint8_t*>(pixels.data());
    }
    Pixel& At(int x, int y)
    {
        return pixels[y * (pitch / sizeof(Pixel)) + x];
    }
    // The visible pixels other than value.
    Points Other(Pixel value)
    {
        Points points;
        for (int i = 0; i < width * height; ++i) {
            if (At(i % width, i / width) != value) {
                points.insert({i % width, i / width});
            }
        }
        return points;
    }
};

using Canvas8 = Canvas<uint8_t>;
using Canvas16 = Canvas<uint16_t>;

inline void SetClip(int minX, int minY, int maxX, int maxY)
{
    std::tie(ClipMinX, ClipMinY, ClipMaxX, ClipMaxY) = std::tie(minX, minY, maxX, maxY);
}
