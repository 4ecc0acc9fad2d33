// The generated palette: fixed entries, keys and the shade ramps, and the nearest-colour search.
#include "tools/assetgen/palette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

PALETTEENTRY ArtPalette[PALETTE_SIZE];
int ArtRampFirst[RAMP_COUNT];
int ArtRampLength[RAMP_COUNT];
int ArtFreeEntries;

// A ramp runs dark -> base -> light; shadows lean cooler and more saturated, highlights paler,
// as hand-made 8-bit ramps do, which the three anchors give without further rules.
struct RampDesign {
    ArtRamp ramp;
    int length;
    ArtColour dark, base, light;
};

static constexpr RampDesign RAMP_DESIGNS[] = {
    {RAMP_GREY, 16, {14, 14, 20}, {118, 122, 134}, {248, 248, 252}},
    {RAMP_NAVY, 16, {4, 8, 34}, {34, 84, 186}, {196, 226, 255}},
    {RAMP_TEAL, 12, {0, 28, 36}, {0, 150, 158}, {192, 255, 246}},
    {RAMP_GREEN, 12, {0, 38, 12}, {34, 186, 58}, {212, 255, 190}},
    {RAMP_BLUE, 12, {0, 16, 72}, {28, 104, 238}, {190, 222, 255}},
    {RAMP_AMBER, 12, {72, 28, 0}, {246, 158, 18}, {255, 242, 176}},
    {RAMP_RED, 12, {62, 0, 10}, {224, 36, 48}, {255, 202, 192}},
    {RAMP_GOLD, 12, {82, 48, 0}, {232, 184, 32}, {255, 255, 214}},
    {RAMP_PURPLE, 12, {30, 0, 52}, {142, 62, 204}, {238, 206, 255}},
    {RAMP_SKIN, 16, {64, 32, 20}, {204, 142, 102}, {255, 232, 212}},
    {RAMP_PINK, 10, {84, 10, 42}, {230, 92, 142}, {255, 216, 232}},
    {RAMP_BROWN, 10, {26, 12, 6}, {112, 62, 26}, {214, 164, 104}},
    {RAMP_BLONDE, 8, {100, 70, 20}, {222, 182, 84}, {255, 246, 194}},
    {RAMP_GINGER, 8, {72, 20, 6}, {204, 84, 22}, {255, 184, 112}},
    {RAMP_LIME, 8, {22, 52, 0}, {142, 212, 32}, {236, 255, 172}},
    {RAMP_CREAM, 8, {122, 102, 72}, {236, 222, 182}, {255, 252, 242}},
    {RAMP_STEEL, 8, {28, 38, 50}, {110, 130, 152}, {222, 232, 242}},
};

struct FixedEntry {
    int index;
    uint8_t r, g, b;
};
static constexpr FixedEntry FIXED[] = {
    {ART_KEY_BLACK, 0, 0, 0},    {ART_TEXT_BLUE, 0, 0, 255},      {ART_TEXT_GREEN, 0, 255, 0},
    {ART_TEXT_RED, 255, 0, 0},   {ART_TEXT_MAGENTA, 255, 0, 255}, {ART_BLACK, 0, 0, 0},
    {ART_KEY_FACE, 254, 0, 254}, {ART_WHITE, 255, 255, 255},      {ART_KEY_SPRITE, 0, 254, 1},
};

// Entries the nearest-colour search may hand out.
static std::array<bool, PALETTE_SIZE> Usable;
// Nearest entry per colour quantised to 6 bits a channel; 0 = not searched yet (0 is never an
// answer, since it is the key of the full-screen sheets).
static std::vector<uint8_t> NearestCache;

static bool IsFixed(int index)
{
    return std::any_of(std::begin(FIXED), std::end(FIXED),
                       [index](const FixedEntry& e) { return e.index == index; });
}

static uint8_t Channel(float v)
{
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 255.0f)));
}

// Distance weighted for the eye ("redmean"): close enough to perceptual for picking shades.
static float Distance(ArtColour a, int index)
{
    const PALETTEENTRY& p = ArtPalette[index];
    float rm = (a.r + p.peRed) * 0.5f;
    float dr = a.r - p.peRed, dg = a.g - p.peGreen, db = a.b - p.peBlue;
    return (2.0f + rm / 256.0f) * dr * dr + 4.0f * dg * dg +
           (2.0f + (255.0f - rm) / 256.0f) * db * db;
}

ArtColour ArtMix(ArtColour a, ArtColour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

ArtColour ArtEntryColour(int index)
{
    const PALETTEENTRY& p = ArtPalette[index & 0xFF];
    return {static_cast<float>(p.peRed), static_cast<float>(p.peGreen),
            static_cast<float>(p.peBlue)};
}

void ArtPaletteBuild()
{
    for (PALETTEENTRY& e : ArtPalette) {
        e = {0, 0, 0, 0};
    }
    Usable.fill(false);
    for (const FixedEntry& f : FIXED) {
        ArtPalette[f.index] = {f.r, f.g, f.b, 0};
    }
    Usable[ART_TEXT_BLUE] = Usable[ART_TEXT_GREEN] = Usable[ART_TEXT_RED] = true;
    Usable[ART_TEXT_MAGENTA] = Usable[ART_BLACK] = Usable[ART_WHITE] = true;

    int next = 0;
    for (const RampDesign& d : RAMP_DESIGNS) {
        while (IsFixed(next)) {
            ++next;
        }
        // A ramp never straddles a fixed entry, so its shades are consecutive indices.
        auto straddles = [&](int first) {
            for (int i = first; i < first + d.length; ++i) {
                if (IsFixed(i)) {
                    return true;
                }
            }
            return false;
        };
        while (straddles(next)) {
            ++next;
        }
        ArtRampFirst[d.ramp] = next;
        ArtRampLength[d.ramp] = d.length;
        for (int i = 0; i < d.length; ++i) {
            float t = static_cast<float>(i) / static_cast<float>(d.length - 1);
            ArtColour c = t < 0.5f ? ArtMix(d.dark, d.base, t * 2.0f)
                                   : ArtMix(d.base, d.light, (t - 0.5f) * 2.0f);
            ArtPalette[next + i] = {Channel(c.r), Channel(c.g), Channel(c.b), 0};
            Usable[next + i] = true;
        }
        next += d.length;
    }
    ArtFreeEntries = 0;
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        if (!Usable[i] && !IsFixed(i)) {
            ++ArtFreeEntries;
        }
    }
    NearestCache.assign(static_cast<size_t>(1) << 18, 0);
}

int ArtRampIndex(ArtRamp ramp, float shade)
{
    int n = ArtRampLength[ramp];
    int i =
        static_cast<int>(std::lround(std::clamp(shade, 0.0f, 1.0f) * static_cast<float>(n - 1)));
    return ArtRampFirst[ramp] + i;
}

ArtColour ArtRampColour(ArtRamp ramp, float shade)
{
    int n = ArtRampLength[ramp];
    float pos = std::clamp(shade, 0.0f, 1.0f) * static_cast<float>(n - 1);
    int i = std::min(static_cast<int>(pos), n - 2);
    return ArtMix(ArtEntryColour(ArtRampFirst[ramp] + i),
                  ArtEntryColour(ArtRampFirst[ramp] + i + 1), pos - static_cast<float>(i));
}

uint8_t ArtNearest(ArtColour colour)
{
    int r = Channel(colour.r) >> 2, g = Channel(colour.g) >> 2, b = Channel(colour.b) >> 2;
    uint8_t& cached = NearestCache[static_cast<size_t>((r << 12) | (g << 6) | b)];
    if (cached != 0) {
        return cached;
    }
    // Search with the centre of the quantised cell so every colour in it gets the same answer.
    ArtColour centre = {static_cast<float>(r * 4 + 2), static_cast<float>(g * 4 + 2),
                        static_cast<float>(b * 4 + 2)};
    int best = ART_BLACK;
    float bestDistance = Distance(centre, best);
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        if (!Usable[i]) {
            continue;
        }
        float d = Distance(centre, i);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    cached = static_cast<uint8_t>(best);
    return cached;
}
