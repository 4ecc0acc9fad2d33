// Shared by the raster tests: plain pixel buffers with any pitch, and a fixture that sets the clip
// window (and screen size) for a test and puts the display's values back afterwards.
#pragma once

#include "graphics/display.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

// Pixel memory of width x height visible pixels in rows of pitch bytes (the 16-bit rows step by
// pitch / 2 words, as the raster routines do), filled with one background value.
template <typename Pixel>
struct Canvas {
    int width;
    int height;
    int pitch;
    std::vector<Pixel> pixels;

    Canvas(int w, int h, int pitchBytes, Pixel background = 0)
        : width(w), height(h), pitch(pitchBytes),
          pixels(static_cast<std::size_t>(h) * RowPixels(), background)
    {}
    std::size_t RowPixels() const
    {
        return std::is_same_v<Pixel, uint8_t> ? pitch : pitch / 2;
    }
    uint8_t* Memory()
    {
        return reinterpret_cast<uint8_t*>(pixels.data());
    }
    Pixel At(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * RowPixels() + x];
    }
    Pixel& At(int x, int y)
    {
        return pixels[static_cast<std::size_t>(y) * RowPixels() + x];
    }
    // Count of visible pixels that differ from value.
    int CountOtherThan(Pixel value) const
    {
        int count = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                count += At(x, y) != value;
            }
        }
        return count;
    }
};

using Canvas8 = Canvas<uint8_t>;
using Canvas16 = Canvas<uint16_t>;

using Points = std::set<std::pair<int, int>>;

// The visible pixels that differ from the background.
template <typename Pixel>
Points PixelsOf(const Canvas<Pixel>& canvas, Pixel background = 0)
{
    Points points;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            if (canvas.At(x, y) != background) {
                points.insert({x, y});
            }
        }
    }
    return points;
}

inline void SetClip(int minX, int minY, int maxX, int maxY)
{
    ClipMinX = minX;
    ClipMinY = minY;
    ClipMaxX = maxX;
    ClipMaxY = maxY;
}
inline bool InsideClip(int x, int y)
{
    return x >= ClipMinX && x <= ClipMaxX && y >= ClipMinY && y <= ClipMaxY;
}
// The number of pixels outside the clip window that differ from the background: the guard band
// that every clipped routine must leave alone.
template <typename Pixel>
int GuardBandWrites(const Canvas<Pixel>& canvas, Pixel background)
{
    int count = 0;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            count += !InsideClip(x, y) && canvas.At(x, y) != background;
        }
    }
    return count;
}

// Saves the display globals that the raster routines read, and restores them after each test.
class RasterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = Globals();
    }
    void TearDown() override
    {
        Globals() = saved_;
    }

private:
    using Saved = std::tuple<int, int, int, int, int, int, int>;
    static std::tuple<int&, int&, int&, int&, int&, int&, int&> Globals()
    {
        return std::tie(ClipMinX, ClipMinY, ClipMaxX, ClipMaxY, ScreenWidth, ScreenHeight,
                        ScreenBpp);
    }
    Saved saved_;
};
