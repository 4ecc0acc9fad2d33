// Polygons, the angle tables, 3 x 2 and 3 x 3 matrices, box overlap, colour scans and fast
// distances.
#include "support/raster/polygon.h"

#include "graphics/display.h"
#include "support/raster/line.h"
#include "support/raster/raster_memory.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

float CosTable[ANGLE_TABLE_SIZE];
float SinTable[ANGLE_TABLE_SIZE];

static bool SinCosBuilt = false;

// A float truncated toward zero to an int, saturating instead of overflowing (NaN gives 0).
static int SaturateToInt(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(
        std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

static bool HasVertices(const Polygon2D* polygon)
{
    return polygon != nullptr && polygon->vertexCount > 0 && polygon->vertices != nullptr;
}

struct ScreenPoint {
    int x;
    int y;
};

static ScreenPoint VertexOnScreen(const Polygon2D& polygon, int index)
{
    const Vertex2D& vertex = polygon.vertices[index];
    return {SaturateToInt(static_cast<double>(polygon.x0) + vertex.x),
            SaturateToInt(static_cast<double>(polygon.y0) + vertex.y)};
}

template <typename Pixel>
static int OutlinePolygon(const Polygon2D* polygon, uint8_t* memory, int pitch)
{
    if (!HasVertices(polygon) || polygon->state == 0) {
        return 0;
    }
    Pixel colour = static_cast<Pixel>(polygon->colour);
    int count = polygon->vertexCount;
    for (int i = 0; i < count; ++i) {
        ScreenPoint from = VertexOnScreen(*polygon, i);
        ScreenPoint to = VertexOnScreen(*polygon, (i + 1) % count);
        if constexpr (sizeof(Pixel) == 1) {
            DrawClippedLine8(from.x, from.y, to.x, to.y, colour, memory, pitch);
        } else {
            DrawClippedLine16(from.x, from.y, to.x, to.y, colour, memory, pitch);
        }
    }
    return 1;
}

int DrawPolygon8(const Polygon2D* polygon, uint8_t* memory, int pitch)
{
    return OutlinePolygon<uint8_t>(polygon, memory, pitch);
}

int DrawPolygon16(const Polygon2D* polygon, uint8_t* memory, int pitch)
{
    return OutlinePolygon<uint16_t>(polygon, memory, pitch);
}

// floor((a j + b) / d) for j, j + 1, ... with one division at the start and none per row
// (a >= 0, d > 0).
struct RowStepper {
    long long value;
    long long remainder; // (a j + b) - value d, in [0, d)
    long long wholeStep;
    long long partStep;
    long long divisor;

    void Start(long long a, long long b, long long d, long long j)
    {
        __int128 numerator = static_cast<__int128>(a) * j + b;
        __int128 quotient = numerator / d;
        __int128 rest = numerator % d;
        if (rest < 0) {
            quotient -= 1;
            rest += d;
        }
        value = static_cast<long long>(quotient);
        remainder = static_cast<long long>(rest);
        wholeStep = a / d;
        partStep = a % d;
        divisor = d;
    }

    void Next()
    {
        value += wholeStep;
        remainder += partStep;
        if (remainder >= divisor) {
            ++value;
            remainder -= divisor;
        }
    }
};

// The rows top..bottom being filled, with the leftmost and rightmost outline pixel of each.
struct RowExtents {
    long long top;
    long long bottom;
    std::vector<long long> left;
    std::vector<long long> right;

    void Mark(long long y, long long x1, long long x2)
    {
        std::size_t row = static_cast<std::size_t>(y - top);
        left[row] = std::min({left[row], x1, x2});
        right[row] = std::max({right[row], x1, x2});
    }
};

// Widens the rows' extents by the pixels that DrawLine8 would set from a to b, on the rows being
// filled only. Pixel k of an x-major line lies on row floor((2 dy k + dx) / (2 dx)), so row j holds
// pixels K(j) to K(j + 1) - 1 with K(j) = ceil((2 dx j - dx) / (2 dy)); a y-major line has one
// pixel per row, at floor((2 dx j + dy) / (2 dy)). Both follow the line's own error term exactly,
// and the rows are reached without walking the line outside them.
static void MarkEdge(ScreenPoint a, ScreenPoint b, RowExtents& rows)
{
    long long dx = static_cast<long long>(b.x) - a.x;
    long long dy = static_cast<long long>(b.y) - a.y;
    long long xSign = dx < 0 ? -1 : 1;
    long long ySign = dy < 0 ? -1 : 1;
    dx = std::llabs(dx);
    dy = std::llabs(dy);
    long long from = std::max<long long>(std::min(a.y, b.y), rows.top);
    long long to = std::min<long long>(std::max(a.y, b.y), rows.bottom);
    if (from > to) {
        return;
    }
    // Rows are visited in the line's own order, j counting from a.
    long long jFirst = ySign > 0 ? from - a.y : a.y - to;
    long long jLast = ySign > 0 ? to - a.y : a.y - from;
    auto mark = [&](long long j, long long kFirst, long long kLast) {
        rows.Mark(a.y + ySign * j, a.x + xSign * kFirst, a.x + xSign * kLast);
    };
    if (dy == 0) {
        mark(0, 0, dx);
    } else if (dx > dy) {
        RowStepper boundary; // K(j), before clamping to the line's pixels 0..dx
        boundary.Start(2 * dx, 2 * dy - 1 - dx, 2 * dy, jFirst);
        for (long long j = jFirst; j <= jLast; ++j) {
            long long kFirst = std::max(0LL, boundary.value);
            boundary.Next();
            mark(j, kFirst, std::min(dx, boundary.value - 1));
        }
    } else {
        RowStepper column;
        column.Start(2 * dx, dy, 2 * dy, jFirst);
        for (long long j = jFirst; j <= jLast; ++j, column.Next()) {
            mark(j, column.value, column.value);
        }
    }
}

template <typename Pixel>
static void FillPolygonRows(const Polygon2D* polygon, uint8_t* memory, int pitch)
{
    if (!HasVertices(polygon) || polygon->state == 0) {
        return;
    }
    int count = polygon->vertexCount;
    static std::vector<ScreenPoint> points;
    points.resize(static_cast<std::size_t>(count));
    long long top = LLONG_MAX;
    long long bottom = LLONG_MIN;
    for (int i = 0; i < count; ++i) {
        points[static_cast<std::size_t>(i)] = VertexOnScreen(*polygon, i);
        top = std::min<long long>(top, points[static_cast<std::size_t>(i)].y);
        bottom = std::max<long long>(bottom, points[static_cast<std::size_t>(i)].y);
    }
    top = std::max<long long>(top, ClipMinY);
    bottom = std::min<long long>(bottom, ClipMaxY);
    if (top > bottom) {
        return;
    }
    static RowExtents rows;
    rows.top = top;
    rows.bottom = bottom;
    rows.left.assign(static_cast<std::size_t>(bottom - top + 1), LLONG_MAX);
    rows.right.assign(static_cast<std::size_t>(bottom - top + 1), LLONG_MIN);
    for (int i = 0; i < count; ++i) {
        MarkEdge(points[static_cast<std::size_t>(i)],
                 points[static_cast<std::size_t>((i + 1) % count)], rows);
    }
    Pixel colour = static_cast<Pixel>(polygon->colour);
    for (long long y = top; y <= bottom; ++y) {
        std::size_t row = static_cast<std::size_t>(y - top);
        if (rows.left[row] <= rows.right[row]) {
            RasterClippedSpan<Pixel>(rows.left[row], rows.right[row], static_cast<int>(y), colour,
                                     memory, pitch);
        }
    }
}

void FillPolygon8(const Polygon2D* polygon, uint8_t* memory, int pitch)
{
    FillPolygonRows<uint8_t>(polygon, memory, pitch);
}

void FillPolygon16(const Polygon2D* polygon, uint8_t* memory, int pitch)
{
    FillPolygonRows<uint16_t>(polygon, memory, pitch);
}

int TranslatePolygon(Polygon2D* polygon, int dx, int dy)
{
    if (polygon == nullptr) {
        return 0;
    }
    polygon->x0 += dx;
    polygon->y0 += dy;
    return 1;
}

void BuildSinCosTables()
{
    for (int angle = 0; angle < ANGLE_TABLE_SIZE; ++angle) {
        double radians = angle * 3.1415927 / 180.0;
        CosTable[angle] = static_cast<float>(std::cos(radians));
        SinTable[angle] = static_cast<float>(std::sin(radians));
    }
    SinCosBuilt = true;
}

// The table index of an angle: -360..360 as given (a negative one gets one turn added), anything
// further out first reduced by whole turns. The tables are built on first use, so a rotation
// never collapses a polygon through empty tables.
static int TableAngle(int angle)
{
    if (!SinCosBuilt) {
        BuildSinCosTables();
    }
    if (angle > 360 || angle < -360) {
        angle %= 360;
    }
    return angle < 0 ? angle + 360 : angle;
}

int RotatePolygon(Polygon2D* polygon, int angle)
{
    if (polygon == nullptr || (polygon->vertexCount > 0 && polygon->vertices == nullptr)) {
        return 0;
    }
    int index = TableAngle(angle);
    float c = CosTable[index];
    float s = SinTable[index];
    for (int i = 0; i < polygon->vertexCount; ++i) {
        Vertex2D& vertex = polygon->vertices[i];
        float x = vertex.x * c - vertex.y * s;
        float y = vertex.x * s + vertex.y * c;
        vertex = {x, y};
    }
    return 1;
}

int ScalePolygon(Polygon2D* polygon, float sx, float sy)
{
    if (polygon == nullptr || (polygon->vertexCount > 0 && polygon->vertices == nullptr)) {
        return 0;
    }
    for (int i = 0; i < polygon->vertexCount; ++i) {
        polygon->vertices[i].x *= sx;
        polygon->vertices[i].y *= sy;
    }
    return 1;
}

int PolygonBounds(const Polygon2D* polygon, float* minX, float* maxX, float* minY, float* maxY)
{
    if (!HasVertices(polygon) || !minX || !maxX || !minY || !maxY) {
        return 0;
    }
    *minX = *maxX = *minY = *maxY = 0.0f;
    for (int i = 0; i < polygon->vertexCount; ++i) {
        const Vertex2D& vertex = polygon->vertices[i];
        *minX = std::min(*minX, vertex.x);
        *maxX = std::max(*maxX, vertex.x);
        *minY = std::min(*minY, vertex.y);
        *maxY = std::max(*maxY, vertex.y);
    }
    return 1;
}

// Every vertex times the matrix.
static int TransformVertices(Polygon2D* polygon, const float matrix[6])
{
    if (polygon == nullptr || (polygon->vertexCount > 0 && polygon->vertices == nullptr)) {
        return 0;
    }
    for (int i = 0; i < polygon->vertexCount; ++i) {
        Vertex2D& vertex = polygon->vertices[i];
        float point[2] = {vertex.x, vertex.y};
        MatMul1x2By3x2(point, matrix, point);
        vertex = {point[0], point[1]};
    }
    return 1;
}

int TranslatePolygonMat(Polygon2D* polygon, int dx, int dy)
{
    if (polygon == nullptr) {
        return 0;
    }
    float matrix[6];
    MatInit3x2(matrix, 1, 0, 0, 1, static_cast<float>(dx), static_cast<float>(dy));
    float origin[2] = {static_cast<float>(polygon->x0), static_cast<float>(polygon->y0)};
    MatMul1x2By3x2(origin, matrix, origin);
    polygon->x0 = SaturateToInt(origin[0]);
    polygon->y0 = SaturateToInt(origin[1]);
    return 1;
}

int RotatePolygonMat(Polygon2D* polygon, int angle)
{
    int index = TableAngle(angle);
    float matrix[6];
    MatInit3x2(matrix, CosTable[index], SinTable[index], -SinTable[index], CosTable[index], 0, 0);
    return TransformVertices(polygon, matrix);
}

int ScalePolygonMat(Polygon2D* polygon, float sx, float sy)
{
    float matrix[6];
    MatInit3x2(matrix, sx, 0, 0, sy, 0, 0);
    return TransformVertices(polygon, matrix);
}

int MatInit3x2(float matrix[6], float m00, float m01, float m10, float m11, float m20, float m21)
{
    matrix[0] = m00;
    matrix[1] = m01;
    matrix[2] = m10;
    matrix[3] = m11;
    matrix[4] = m20;
    matrix[5] = m21;
    return 1;
}

int MatMul1x2By3x2(const float point[2], const float matrix[6], float result[2])
{
    float x = point[0] * matrix[0] + point[1] * matrix[2] + matrix[4];
    float y = point[0] * matrix[1] + point[1] * matrix[3] + matrix[5];
    result[0] = x;
    result[1] = y;
    return 1;
}

int MatMul1x3By3x3(const float row[3], const float matrix[9], float result[3])
{
    float product[3];
    for (int column = 0; column < 3; ++column) {
        product[column] =
            row[0] * matrix[column] + row[1] * matrix[3 + column] + row[2] * matrix[6 + column];
    }
    std::copy(product, product + 3, result);
    return 1;
}

int MatMul3x3(const float a[9], const float b[9], float result[9])
{
    float product[9];
    for (int row = 0; row < 3; ++row) {
        MatMul1x3By3x3(a + 3 * row, b, product + 3 * row);
    }
    std::copy(product, product + 9, result);
    return 1;
}

int RectsOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2)
{
    long long halfWidth1 = (w1 >> 1) - (w1 >> 3);
    long long halfHeight1 = (h1 >> 1) - (h1 >> 3);
    long long halfWidth2 = (w2 >> 1) - (w2 >> 3);
    long long halfHeight2 = (h2 >> 1) - (h2 >> 3);
    long long apartX = std::llabs((x1 + halfWidth1) - (x2 + halfWidth2));
    long long apartY = std::llabs((y1 + halfHeight1) - (y2 + halfHeight2));
    return apartX < halfWidth1 + halfWidth2 && apartY < halfHeight1 + halfHeight2;
}

// The scanned rectangle: both corners trimmed to the screen and put in order. False when the
// screen has no pixels.
static bool ScanRectangle(int& x1, int& y1, int& x2, int& y2)
{
    if (ScreenWidth <= 0 || ScreenHeight <= 0) {
        return false;
    }
    x1 = std::clamp(x1, 0, ScreenWidth - 1);
    x2 = std::clamp(x2, 0, ScreenWidth - 1);
    y1 = std::clamp(y1, 0, ScreenHeight - 1);
    y2 = std::clamp(y2, 0, ScreenHeight - 1);
    if (x2 < x1) {
        std::swap(x1, x2);
    }
    if (y2 < y1) {
        std::swap(y1, y2);
    }
    return true;
}

template <typename Pixel, typename Match>
static int ScanPixels(int x1, int y1, int x2, int y2, uint8_t* memory, int pitch, Match match)
{
    if (!ScanRectangle(x1, y1, x2, y2)) {
        return 0;
    }
    for (int y = y1; y <= y2; ++y) {
        const Pixel* row = RasterRow<Pixel>(memory, pitch, y);
        if (std::any_of(row + x1, row + x2 + 1, match)) {
            return 1;
        }
    }
    return 0;
}

int ColourScan8(int x1, int y1, int x2, int y2, uint8_t low, uint8_t high, uint8_t* memory,
                int pitch)
{
    return ScanPixels<uint8_t>(x1, y1, x2, y2, memory, pitch,
                               [=](uint8_t pixel) { return pixel >= low && pixel <= high; });
}

int ColourScan16(int x1, int y1, int x2, int y2, uint16_t a, uint16_t b, uint8_t* memory, int pitch)
{
    return ScanPixels<uint16_t>(x1, y1, x2, y2, memory, pitch,
                                [=](uint16_t pixel) { return pixel == a || pixel == b; });
}

int FastDistance2D(int dx, int dy)
{
    long long x = std::llabs(static_cast<long long>(dx));
    long long y = std::llabs(static_cast<long long>(dy));
    long long m = std::min(x, y);
    long long estimate = x + y - (m >> 1) - (m >> 2) + (m >> 4);
    return static_cast<int>(std::min<long long>(estimate, INT_MAX));
}

float FastDistance3D(float dx, float dy, float dz)
{
    // Lengths in 1/1024 pixels; the clamp keeps the conversion defined for absurd inputs.
    auto scaled = [](float value) {
        double magnitude = std::fabs(static_cast<double>(value)) * 1024.0;
        return std::isnan(magnitude) ? 0LL : static_cast<long long>(std::min(magnitude, 1e17));
    };
    long long sides[3] = {scaled(dx), scaled(dy), scaled(dz)};
    std::sort(sides, sides + 3);
    long long a = sides[0];
    long long b = sides[1];
    long long c = sides[2];
    return static_cast<float>((c + 11 * (b >> 5) + (a >> 2)) >> 10);
}
