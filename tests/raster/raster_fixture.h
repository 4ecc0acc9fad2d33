// Shared by the raster tests: pixel buffers with any pitch, and a fixture that puts the clip
// window and screen size back after each test.
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

// Saves the display globals that the raster routines read, and restores them after each test.
class RasterTest : public ::testing::Test {
    std::tuple<int, int, int, int, int, int, int> saved_ =
        std::tie(ClipMinX, ClipMinY, ClipMaxX, ClipMaxY, ScreenWidth, ScreenHeight, ScreenBpp);

protected:
    void TearDown() override
    {
        std::tie(ClipMinX, ClipMinY, ClipMaxX, ClipMaxY, ScreenWidth, ScreenHeight, ScreenBpp) =
            saved_;
    }
};
