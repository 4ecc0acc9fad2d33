// The display's own scaler: separable sampling tables made once per output size, a palette lookup
// per picture row, a horizontal pass per picture row and a vertical blend per output row.
#include "graphics/scaler.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

constexpr int SCALER_MAX_SIDE = 16384;
// Rows at least this wide are converted through the pair lookup: across a whole row it is twice
// as fast, where for a few tiles its misses in the cache cost more than it saves.
constexpr int SCALER_PAIRS_WIDTH = 256;

// One output column (or row): the two picture columns it blends and the weight of the second,
// 0..255; 0 means the first alone, and then b == a.
struct ScalerTap {
    int a, b, weight;
};

// The taps of one axis, and for each picture index s the output range that reads it: first[s]
// is the first output whose b >= s, end[s] one past the last output whose a <= s.
struct ScalerAxis {
    int src = 0, dst = 0;
    std::vector<ScalerTap> taps;
    std::vector<int> first, end;
    // The taps again, one array a field, for the horizontal pass: the weight once for each of
    // the four bytes of a pixel; blends is false when every weight is 0 (nearest).
    std::vector<int> a, b;
    std::vector<uint8_t> byteWeight;
    bool blends = false;
};

static ScalerAxis Columns, Rows;
static bool Identity = false; // one output pixel per picture pixel: the plain conversion
// Two picture rows scaled across (output width), the picture row each holds (-1: none), and one
// picture row converted to 32 bits; reused across calls to save allocations.
static std::vector<uint32_t> ScaledRow[2];
static int ScaledRowIndex[2] = {-1, -1};
static std::vector<uint32_t> ConvertedRow;
// The two picture pixels of each output column of one row, before they are blended.
static std::vector<uint32_t> FirstPixels, SecondPixels;

static void BuildAxis(ScalerAxis& axis, int src, int dst, int factor)
{
    axis.src = src;
    axis.dst = dst;
    axis.taps.resize(dst);
    // Sample positions are output pixel centres mapped into the (enlarged) picture, in 1/256ths:
    // the position of a texture filter, so the result matches a renderer's by construction.
    const long long enlarged = static_cast<long long>(src) * std::max(factor, 1);
    for (int x = 0; x < dst; ++x) {
        ScalerTap& t = axis.taps[x];
        if (factor == 0) {
            t.a = t.b = static_cast<int>((2LL * x + 1) * src / (2LL * dst));
            t.weight = 0;
            continue;
        }
        const long long u = std::max(0LL, (2LL * x + 1) * enlarged * 256 / (2LL * dst) - 128);
        const long long i0 = std::min(u >> 8, enlarged - 1);
        const long long i1 = std::min(i0 + 1, enlarged - 1);
        t.a = static_cast<int>(i0 / factor);
        t.b = static_cast<int>(i1 / factor);
        t.weight = t.a == t.b ? 0 : static_cast<int>(u & 255);
        if (t.weight == 0) {
            t.b = t.a;
        }
    }
    axis.a.resize(dst);
    axis.b.resize(dst);
    axis.byteWeight.resize(4 * static_cast<size_t>(dst));
    axis.blends = false;
    for (int x = 0; x < dst; ++x) {
        axis.a[x] = axis.taps[x].a;
        axis.b[x] = axis.taps[x].b;
        std::fill_n(axis.byteWeight.begin() + 4 * x, 4, static_cast<uint8_t>(axis.taps[x].weight));
        axis.blends = axis.blends || axis.taps[x].weight != 0;
    }
    // Both a and b grow with x, so one walk along each fills the ranges.
    axis.first.assign(src + 1, dst);
    axis.end.assign(src + 1, dst);
    int s = 0;
    for (int x = 0; x < dst; ++x) {
        for (; s <= axis.taps[x].b; ++s) {
            axis.first[s] = x;
        }
    }
    int x = 0;
    for (s = 0; s <= src; ++s) {
        for (; x < dst && axis.taps[x].a <= s; ++x) {
        }
        axis.end[s] = x;
    }
}

int ScalerSetup(int srcW, int srcH, int dstW, int dstH, int factor)
{
    if (srcW < 1 || srcH < 1 || dstW < 1 || dstH < 1 || srcW > SCALER_MAX_SIDE ||
        srcH > SCALER_MAX_SIDE || dstW > SCALER_MAX_SIDE || dstH > SCALER_MAX_SIDE || factor < 0 ||
        factor > SCALER_MAX_SIDE / std::max(srcW, srcH) + 1) {
        return 0;
    }
    BuildAxis(Columns, srcW, dstW, factor);
    BuildAxis(Rows, srcH, dstH, factor);
    Identity = srcW == dstW && srcH == dstH;
    for (int i = 0; i < 2; ++i) {
        ScaledRow[i].resize(dstW);
    }
    ConvertedRow.resize(srcW);
    FirstPixels.resize(dstW);
    SecondPixels.resize(dstW);
    return 1;
}

static void ClampArea(ScalerRect& r, int w, int h)
{
    r.left = std::clamp(r.left, 0, w);
    r.right = std::clamp(r.right, r.left, w);
    r.top = std::clamp(r.top, 0, h);
    r.bottom = std::clamp(r.bottom, r.top, h);
}

ScalerRect ScalerOutputArea(const ScalerRect& area)
{
    ScalerRect a = area;
    ClampArea(a, Columns.src, Rows.src);
    if (a.left == a.right || a.top == a.bottom) {
        return ScalerRect{0, 0, 0, 0};
    }
    ScalerRect out{Columns.first[a.left], Rows.first[a.top], Columns.end[a.right - 1],
                   Rows.end[a.bottom - 1]};
    if (out.left >= out.right || out.top >= out.bottom) {
        return ScalerRect{0, 0, 0, 0}; // a picture area no output pixel samples (shrinking)
    }
    return out;
}

void ScalerConvertRow8(const uint8_t* from, uint32_t* to, int n, const uint32_t* lookup,
                       const uint64_t* pairs)
{
    int i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= n; i += 8) {
            uint64_t v;
            std::memcpy(&v, from + i, 8);
            const uint64_t out[4] = {pairs[v & 0xFFFF], pairs[(v >> 16) & 0xFFFF],
                                     pairs[(v >> 32) & 0xFFFF], pairs[v >> 48]};
            std::memcpy(to + i, out, sizeof out);
        }
    }
    for (; i < n; ++i) {
        to[i] = lookup[from[i]];
    }
}

// One index a lookup: between flips the pair table (512 KB) falls out of the cache, and a few
// changed tiles would pay a miss for nearly every pair, where the 1 KB table stays at hand.
static void ConvertRow8(const uint8_t* from, uint32_t* to, int n, const uint32_t* lookup)
{
    for (int i = 0; i < n; ++i) {
        to[i] = lookup[from[i]];
    }
}

static void ConvertRow16(const uint8_t* from, uint32_t* to, int n, const uint32_t* lookup)
{
    for (int i = 0; i < n; ++i) {
        uint16_t p;
        std::memcpy(&p, from + 2 * i, 2);
        to[i] = lookup[p];
    }
}

// Two rows of pixels mixed byte by byte as (p * (256 - w) + q * w) / 256, whatever the order of
// the channels, in 16-bit lanes the compiler turns into vector code: with one weight for all, or
// with a weight for each byte.
static void BlendRows(const uint32_t* first, const uint32_t* second, uint32_t* to, int n,
                      unsigned weight)
{
    const auto* p = reinterpret_cast<const uint8_t*>(first);
    const auto* q = reinterpret_cast<const uint8_t*>(second);
    auto* out = reinterpret_cast<uint8_t*>(to);
    const auto w = static_cast<uint16_t>(weight);
    const auto v = static_cast<uint16_t>(256 - weight);
    for (int i = 0; i < 4 * n; ++i) {
        out[i] = static_cast<uint8_t>(static_cast<uint16_t>(p[i] * v + q[i] * w) >> 8);
    }
}

static void BlendRowsWeighted(const uint32_t* first, const uint32_t* second, uint32_t* to, int n,
                              const uint8_t* weights)
{
    const auto* p = reinterpret_cast<const uint8_t*>(first);
    const auto* q = reinterpret_cast<const uint8_t*>(second);
    auto* out = reinterpret_cast<uint8_t*>(to);
    for (int i = 0; i < 4 * n; ++i) {
        const uint16_t w = weights[i];
        out[i] = static_cast<uint8_t>(static_cast<uint16_t>(p[i] * (256 - w) + q[i] * w) >> 8);
    }
}

// Picture row s scaled across into the output columns of outArea, in the slot that does not hold
// the row keep; the slots remember their rows within one ScalerDraw.
static const uint32_t* ScaledRowOf(int s, int keep, const uint8_t* pixels, int pitch,
                                   int bytesPerPixel, const uint32_t* lookup,
                                   const ScalerRect& outArea)
{
    for (int i = 0; i < 2; ++i) {
        if (ScaledRowIndex[i] == s) {
            return ScaledRow[i].data();
        }
    }
    const int slot = ScaledRowIndex[0] == keep ? 1 : 0;
    ScaledRowIndex[slot] = s;
    uint32_t* row = ScaledRow[slot].data();
    const ScalerTap* taps = Columns.taps.data();
    const int from = taps[outArea.left].a;
    const int to = taps[outArea.right - 1].b + 1;
    const uint8_t* source = pixels + static_cast<long long>(s) * pitch + from * bytesPerPixel;
    uint32_t* converted = ConvertedRow.data();
    if (bytesPerPixel == 1) {
        ConvertRow8(source, converted + from, to - from, lookup);
    } else {
        ConvertRow16(source, converted + from, to - from, lookup);
    }
    const int* a = Columns.a.data();
    if (!Columns.blends) {
        for (int x = outArea.left; x < outArea.right; ++x) {
            row[x] = converted[a[x]];
        }
        return row;
    }
    // Gathered first, then blended in one vector pass (a weight of 0 gives the first pixel).
    const int* b = Columns.b.data();
    uint32_t* firsts = FirstPixels.data();
    uint32_t* seconds = SecondPixels.data();
    for (int x = outArea.left; x < outArea.right; ++x) {
        firsts[x] = converted[a[x]];
        seconds[x] = converted[b[x]];
    }
    const int left = outArea.left;
    BlendRowsWeighted(firsts + left, seconds + left, row + left, outArea.right - left,
                      Columns.byteWeight.data() + 4 * static_cast<size_t>(left));
    return row;
}

void ScalerDraw(const uint8_t* pixels, int pitch, int bytesPerPixel, const uint32_t* lookup,
                const uint64_t* pairs, uint32_t* out, int outPitch, int originX, int originY,
                const ScalerRect& outArea)
{
    ScalerRect area = outArea;
    ClampArea(area, Columns.dst, Rows.dst);
    const int width = area.right - area.left;
    if (width == 0 || area.top == area.bottom) {
        return;
    }
    // The output row of picture row y, at the picture's column area.left.
    const auto outRow = [&](int y) {
        return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(out) +
                                           static_cast<long long>(y + originY) * outPitch) +
               originX + area.left;
    };
    if (Identity) {
        for (int y = area.top; y < area.bottom; ++y) {
            const uint8_t* from =
                pixels + static_cast<long long>(y) * pitch + area.left * bytesPerPixel;
            uint32_t* to = outRow(y);
            if (bytesPerPixel == 1 && width >= SCALER_PAIRS_WIDTH) {
                ScalerConvertRow8(from, to, width, lookup, pairs);
            } else if (bytesPerPixel == 1) {
                ConvertRow8(from, to, width, lookup);
            } else {
                ConvertRow16(from, to, width, lookup);
            }
        }
        return;
    }
    ScaledRowIndex[0] = ScaledRowIndex[1] = -1;
    for (int y = area.top; y < area.bottom; ++y) {
        const ScalerTap t = Rows.taps[y];
        uint32_t* to = outRow(y);
        const uint32_t* first =
            ScaledRowOf(t.a, t.b, pixels, pitch, bytesPerPixel, lookup, area) + area.left;
        if (t.weight == 0) {
            std::memcpy(to, first, static_cast<size_t>(width) * 4);
            continue;
        }
        const uint32_t* second =
            ScaledRowOf(t.b, t.a, pixels, pitch, bytesPerPixel, lookup, area) + area.left;
        BlendRows(first, second, to, width, static_cast<unsigned>(t.weight));
    }
}
