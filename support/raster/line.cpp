// Pixels, clipped spans, Bresenham lines and the one-pass line clipper.
#include "support/raster/line.h"

#include "graphics/display.h"
#include "support/raster/raster_memory.h"

#include <algorithm>
#include <cstdint>

template <typename Pixel>
void RasterClippedSpan(long long left, long long right, int y, Pixel colour, uint8_t* memory,
                       int pitch)
{
    if (y < ClipMinY || y > ClipMaxY) {
        return;
    }
    if (left > right) {
        std::swap(left, right);
    }
    if (left > ClipMaxX || right < ClipMinX) {
        return;
    }
    left = std::max<long long>(left, ClipMinX);
    right = std::min<long long>(right, ClipMaxX);
    if (right < left) { // an empty clip window
        return;
    }
    RasterFill<Pixel>(RasterRow<Pixel>(memory, pitch, y) + left, colour, right - left + 1);
}
template void RasterClippedSpan<uint8_t>(long long, long long, int, uint8_t, uint8_t*, int);
template void RasterClippedSpan<uint16_t>(long long, long long, int, uint16_t, uint8_t*, int);

int PlotPixel8(int x, int y, uint8_t colour, uint8_t* memory, int pitch)
{
    RasterRow<uint8_t>(memory, pitch, y)[x] = colour;
    return 1;
}

int PlotPixel16(int x, int y, uint16_t colour, uint8_t* memory, int pitch)
{
    RasterRow<uint16_t>(memory, pitch, y)[x] = colour;
    return 1;
}

void FillWords(uint16_t* destination, uint16_t value, unsigned count)
{
    std::fill_n(destination, count, value);
}

void DrawHLine8(int x1, int x2, int y, uint8_t colour, uint8_t* memory, int pitch)
{
    RasterClippedSpan<uint8_t>(x1, x2, y, colour, memory, pitch);
}

void DrawHLine16(int x1, int x2, int y, uint16_t colour, uint8_t* memory, int pitch)
{
    RasterClippedSpan<uint16_t>(x1, x2, y, colour, memory, pitch);
}

template <typename Pixel>
static void ClippedVLine(int y1, int y2, int x, Pixel colour, uint8_t* memory, int pitch)
{
    if (x < ClipMinX || x > ClipMaxX) {
        return;
    }
    if (y1 > y2) {
        std::swap(y1, y2);
    }
    if (y1 > ClipMaxY || y2 < ClipMinY) {
        return;
    }
    y1 = std::max(y1, ClipMinY);
    y2 = std::min(y2, ClipMaxY);
    std::ptrdiff_t step = RasterRowPixels<Pixel>(pitch);
    Pixel* pixel = RasterRow<Pixel>(memory, pitch, y1) + x;
    for (int y = y1; y <= y2; ++y, pixel += step) {
        *pixel = colour;
    }
}

void DrawVLine8(int y1, int y2, int x, uint8_t colour, uint8_t* memory, int pitch)
{
    ClippedVLine<uint8_t>(y1, y2, x, colour, memory, pitch);
}

void DrawVLine16(int y1, int y2, int x, uint16_t colour, uint8_t* memory, int pitch)
{
    ClippedVLine<uint16_t>(y1, y2, x, colour, memory, pitch);
}

int ClipOutcode(int x, int y)
{
    int code = 0;
    if (x < ClipMinX) {
        code |= OUT_LEFT;
    } else if (x > ClipMaxX) {
        code |= OUT_RIGHT;
    }
    if (y < ClipMinY) {
        code |= OUT_ABOVE;
    } else if (y > ClipMaxY) {
        code |= OUT_BELOW;
    }
    return code;
}

// One clipped coordinate: start + quotient, where the quotient is the integer product-over-divisor
// of the edge crossing. The rounded form (start + 0.5 + quotient in double precision, truncated
// toward zero) gives one more than the plain sum only when that sum is negative. The product is
// taken wide enough never to overflow; for coordinates whose 32-bit product fits, the result is the
// same as in 32 bits.
static long long ClipCoordinate(long long start, long long toEdge, long long along,
                                long long across, bool rounded)
{
    long long quotient = static_cast<long long>(static_cast<__int128>(toEdge) * along / across);
    if (rounded) {
        return static_cast<long long>(static_cast<double>(start) + 0.5 +
                                      static_cast<double>(quotient));
    }
    return start + quotient;
}

struct ClipPoint {
    long long x;
    long long y;
};

// The end (x, y) of the line to (xo, yo) moved onto the edge its outcode names. A corner code tries
// its horizontal edge first and falls back to its vertical edge when that crossing lies beside the
// window. The divisors are never 0: both ends beyond one edge were rejected before.
static ClipPoint ClipEnd(int x, int y, int xo, int yo, int code, bool rounded)
{
    bool corner = (code & (OUT_LEFT | OUT_RIGHT)) && (code & (OUT_ABOVE | OUT_BELOW));
    rounded = rounded || corner;
    if (code & (OUT_ABOVE | OUT_BELOW)) {
        int edge = (code & OUT_ABOVE) ? ClipMinY : ClipMaxY;
        ClipPoint point{ClipCoordinate(x, static_cast<long long>(edge) - y,
                                       static_cast<long long>(xo) - x,
                                       static_cast<long long>(yo) - y, rounded),
                        edge};
        if (!corner || (point.x >= ClipMinX && point.x <= ClipMaxX)) {
            return point;
        }
    }
    int edge = (code & OUT_LEFT) ? ClipMinX : ClipMaxX;
    return {edge,
            ClipCoordinate(y, static_cast<long long>(edge) - x, static_cast<long long>(yo) - y,
                           static_cast<long long>(xo) - x, rounded)};
}

static bool InsideClipWindow(const ClipPoint& point)
{
    return point.x >= ClipMinX && point.x <= ClipMaxX && point.y >= ClipMinY && point.y <= ClipMaxY;
}

int ClipLine(int& x1, int& y1, int& x2, int& y2)
{
    int code1 = ClipOutcode(x1, y1);
    int code2 = ClipOutcode(x2, y2);
    if (code1 & code2) {
        return 0;
    }
    if (code1 == 0 && code2 == 0) {
        return 1;
    }
    // Both ends are computed from the four values as given. The first end always takes the rounded
    // form; the second only at a corner.
    ClipPoint first{x1, y1};
    ClipPoint second{x2, y2};
    if (code1 != 0) {
        first = ClipEnd(x1, y1, x2, y2, code1, true);
    }
    if (code2 != 0) {
        second = ClipEnd(x2, y2, x1, y1, code2, false);
    }
    if (!InsideClipWindow(first) || !InsideClipWindow(second)) {
        return 0;
    }
    x1 = static_cast<int>(first.x);
    y1 = static_cast<int>(first.y);
    x2 = static_cast<int>(second.x);
    y2 = static_cast<int>(second.y);
    return 1;
}

template <typename Pixel>
static void BresenhamLine(int x1, int y1, int x2, int y2, Pixel colour, uint8_t* memory, int pitch)
{
    Pixel* origin = reinterpret_cast<Pixel*>(memory);
    std::ptrdiff_t rowStep = RasterRowPixels<Pixel>(pitch);
    std::ptrdiff_t at = static_cast<std::ptrdiff_t>(y1) * rowStep + x1;
    long long dx = static_cast<long long>(x2) - x1;
    long long dy = static_cast<long long>(y2) - y1;
    std::ptrdiff_t xStep = 1;
    std::ptrdiff_t yStep = rowStep;
    if (dx < 0) {
        xStep = -1;
        dx = -dx;
    }
    if (dy < 0) {
        yStep = -yStep;
        dy = -dy;
    }
    if (dx > dy) {
        long long error = 2 * dy - dx;
        for (long long i = 0; i <= dx; ++i) {
            origin[at] = colour;
            if (error >= 0) {
                at += yStep;
                error -= 2 * dx;
            }
            error += 2 * dy;
            at += xStep;
        }
    } else {
        // Also the diagonal: (0, 0) to (3, 3) steps in y every time and in x every time.
        long long error = 2 * dx - dy;
        for (long long i = 0; i <= dy; ++i) {
            origin[at] = colour;
            if (error >= 0) {
                at += xStep;
                error -= 2 * dy;
            }
            error += 2 * dx;
            at += yStep;
        }
    }
}

int DrawLine8(int x1, int y1, int x2, int y2, uint8_t colour, uint8_t* memory, int pitch)
{
    BresenhamLine<uint8_t>(x1, y1, x2, y2, colour, memory, pitch);
    return 1;
}

int DrawLine16(int x1, int y1, int x2, int y2, uint16_t colour, uint8_t* memory, int pitch)
{
    BresenhamLine<uint16_t>(x1, y1, x2, y2, colour, memory, pitch);
    return 1;
}

int DrawClippedLine8(int x1, int y1, int x2, int y2, uint8_t colour, uint8_t* memory, int pitch)
{
    if (ClipLine(x1, y1, x2, y2)) {
        BresenhamLine<uint8_t>(x1, y1, x2, y2, colour, memory, pitch);
    }
    return 1;
}

int DrawClippedLine16(int x1, int y1, int x2, int y2, uint16_t colour, uint8_t* memory, int pitch)
{
    if (ClipLine(x1, y1, x2, y2)) {
        BresenhamLine<uint16_t>(x1, y1, x2, y2, colour, memory, pitch);
    }
    return 1;
}
