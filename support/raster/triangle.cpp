// Filled triangles: sorted by y, split at the middle vertex into a flat-bottom and a flat-top
// half, each filled row by row between two stepped edges and trimmed to the clip window.
#include "support/raster/triangle.h"

#include "graphics/display.h"
#include "support/raster/raster_memory.h"

#include <algorithm>
#include <type_traits>
#include <utility>

// Float edges are interpolated between int vertices, so they stay within a few units of the int
// range, far inside what converts to long long.
static long long Truncate(float value)
{
    return static_cast<long long>(value);
}

// Floating-point edges are truncated to a pixel; 16.16 fixed-point edges are rounded.
static long long EdgePixel(float edge)
{
    return Truncate(edge);
}

static long long EdgePixel(long long edge)
{
    return (edge + 32768) >> 16;
}

// The run of a row when the whole triangle lies inside the window horizontally.
static long long RunWidth(float left, float right)
{
    return Truncate(right - left + 1.0f);
}

static long long RunWidth(long long left, long long right)
{
    return ((right - left + 32768) >> 16) + 1;
}

static bool InsideClipColumns(int x1, int x2, int x3)
{
    return std::min({x1, x2, x3}) >= ClipMinX && std::max({x1, x2, x3}) <= ClipMaxX;
}

// Fills rows top..bottom between two edges that start at left and right on the top row and move by
// their steps each row. Rows above the window advance the edges without drawing. When the triangle
// lies inside the window horizontally (inside), a row is the run from the left edge; otherwise it
// is the two edges' pixels, trimmed. Either way nothing lands outside the window: float steps can
// drift a fraction past a vertex, so the run is trimmed as well.
template <typename Pixel, typename Edge>
static void FillRows(long long top, long long bottom, Edge left, Edge right, Edge leftStep,
                     Edge rightStep, bool inside, Pixel colour, uint8_t* memory, int pitch)
{
    if (bottom < ClipMinY || top > ClipMaxY) {
        return;
    }
    if (top < ClipMinY) {
        Edge skipped = static_cast<Edge>(ClipMinY - top);
        left += leftStep * skipped;
        right += rightStep * skipped;
        top = ClipMinY;
    }
    bottom = std::min<long long>(bottom, ClipMaxY);
    for (long long y = top; y <= bottom; ++y, left += leftStep, right += rightStep) {
        long long first = EdgePixel(left);
        long long last = inside ? first + RunWidth(left, right) - 1 : EdgePixel(right);
        // A row wholly beside the window ends up empty after the trim.
        first = std::max<long long>(first, ClipMinX);
        last = std::min<long long>(last, ClipMaxX);
        if (last >= first) {
            RasterFill<Pixel>(RasterRow<Pixel>(memory, pitch, static_cast<int>(y)) + first, colour,
                              last - first + 1);
        }
    }
}

// An edge's start and its step per row over height rows, in the edge type.
template <typename Edge>
static Edge EdgeStart(int x)
{
    if constexpr (std::is_same_v<Edge, float>) {
        return static_cast<float>(x);
    } else {
        return static_cast<long long>(x) << 16;
    }
}

template <typename Edge>
static Edge EdgeStep(int from, int to, long long height)
{
    long long run = static_cast<long long>(to) - from;
    if constexpr (std::is_same_v<Edge, float>) {
        return static_cast<float>(run) / static_cast<float>(height);
    } else {
        return (run << 16) / height;
    }
}

// Flat top: (x1, y1)-(x2, y2) on top, apex (x3, y3) below. The float form starts the right edge
// half a pixel right; the fixed form rounds both edges instead.
template <typename Pixel, typename Edge>
static void FlatTop(int x1, int y1, int x2, int x3, int y3, Pixel colour, uint8_t* memory,
                    int pitch)
{
    long long height = static_cast<long long>(y3) - y1;
    if (height <= 0) {
        return;
    }
    if (x2 < x1) {
        std::swap(x1, x2);
    }
    Edge right = EdgeStart<Edge>(x2);
    if constexpr (std::is_same_v<Edge, float>) {
        right += 0.5f;
    }
    FillRows<Pixel, Edge>(y1, y3, EdgeStart<Edge>(x1), right, EdgeStep<Edge>(x1, x3, height),
                          EdgeStep<Edge>(x2, x3, height), InsideClipColumns(x1, x2, x3), colour,
                          memory, pitch);
}

// Flat bottom: apex (x1, y1) on top, (x2, y2)-(x3, y3) below; both edges start at the apex.
template <typename Pixel, typename Edge>
static void FlatBottom(int x1, int y1, int x2, int x3, int y3, Pixel colour, uint8_t* memory,
                       int pitch)
{
    long long height = static_cast<long long>(y3) - y1;
    if (height <= 0) {
        return;
    }
    if (x3 < x2) {
        std::swap(x2, x3);
    }
    FillRows<Pixel, Edge>(y1, y3, EdgeStart<Edge>(x1), EdgeStart<Edge>(x1),
                          EdgeStep<Edge>(x1, x2, height), EdgeStep<Edge>(x1, x3, height),
                          InsideClipColumns(x1, x2, x3), colour, memory, pitch);
}

template <typename Pixel, typename Edge>
static void Triangle(int x1, int y1, int x2, int y2, int x3, int y3, Pixel colour, uint8_t* memory,
                     int pitch)
{
    if ((x1 == x2 && x2 == x3) || (y1 == y2 && y2 == y3)) {
        return;
    }
    if (y2 < y1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    if (y3 < y1) {
        std::swap(x1, x3);
        std::swap(y1, y3);
    }
    if (y3 < y2) {
        std::swap(x2, x3);
        std::swap(y2, y3);
    }
    if (y3 < ClipMinY || y1 > ClipMaxY) {
        return;
    }
    if (std::max({x1, x2, x3}) < ClipMinX || std::min({x1, x2, x3}) > ClipMaxX) {
        return;
    }
    if (y1 == y2) {
        FlatTop<Pixel, Edge>(x1, y1, x2, x3, y3, colour, memory, pitch);
    } else if (y2 == y3) {
        FlatBottom<Pixel, Edge>(x1, y1, x2, x3, y3, colour, memory, pitch);
    } else {
        // The long edge's x on the middle vertex's row, rounded half up (toward zero below 0).
        double across = static_cast<double>(static_cast<long long>(y2) - y1) *
                        static_cast<double>(static_cast<long long>(x3) - x1) /
                        static_cast<double>(static_cast<long long>(y3) - y1);
        int xm = static_cast<int>(x1 + static_cast<long long>(across + 0.5));
        FlatBottom<Pixel, Edge>(x1, y1, xm, x2, y2, colour, memory, pitch);
        FlatTop<Pixel, Edge>(x2, y2, xm, x3, y3, colour, memory, pitch);
    }
}

void DrawTriangle8(int x1, int y1, int x2, int y2, int x3, int y3, uint8_t colour, uint8_t* memory,
                   int pitch)
{
    Triangle<uint8_t, float>(x1, y1, x2, y2, x3, y3, colour, memory, pitch);
}

void DrawTriangle16(int x1, int y1, int x2, int y2, int x3, int y3, uint16_t colour,
                    uint8_t* memory, int pitch)
{
    Triangle<uint16_t, float>(x1, y1, x2, y2, x3, y3, colour, memory, pitch);
}

void DrawTriangleFixed8(int x1, int y1, int x2, int y2, int x3, int y3, uint8_t colour,
                        uint8_t* memory, int pitch)
{
    Triangle<uint8_t, long long>(x1, y1, x2, y2, x3, y3, colour, memory, pitch);
}

void DrawFlatTopTriangle8(int x1, int y1, int x2, int, int x3, int y3, uint8_t colour,
                          uint8_t* memory, int pitch)
{
    FlatTop<uint8_t, float>(x1, y1, x2, x3, y3, colour, memory, pitch);
}

void DrawFlatBottomTriangle8(int x1, int y1, int x2, int, int x3, int y3, uint8_t colour,
                             uint8_t* memory, int pitch)
{
    FlatBottom<uint8_t, float>(x1, y1, x2, x3, y3, colour, memory, pitch);
}

void DrawFlatTopTriangle16(int x1, int y1, int x2, int, int x3, int y3, uint16_t colour,
                           uint8_t* memory, int pitch)
{
    FlatTop<uint16_t, float>(x1, y1, x2, x3, y3, colour, memory, pitch);
}

void DrawFlatBottomTriangle16(int x1, int y1, int x2, int, int x3, int y3, uint16_t colour,
                              uint8_t* memory, int pitch)
{
    FlatBottom<uint16_t, float>(x1, y1, x2, x3, y3, colour, memory, pitch);
}

void DrawFlatTopTriangleFixed8(int x1, int y1, int x2, int, int x3, int y3, uint8_t colour,
                               uint8_t* memory, int pitch)
{
    FlatTop<uint8_t, long long>(x1, y1, x2, x3, y3, colour, memory, pitch);
}

void DrawFlatBottomTriangleFixed8(int x1, int y1, int x2, int, int x3, int y3, uint8_t colour,
                                  uint8_t* memory, int pitch)
{
    FlatBottom<uint8_t, long long>(x1, y1, x2, x3, y3, colour, memory, pitch);
}
