// "FaceTile.BMP": the four layers of the face in the side panel (head, eyes, nose, mouth), ten
// ordinary people and ten mutations each, drawn on one shared set of feature positions so that
// any four pictures stack into one face.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assetgen/sheets.h"

static constexpr int CELL = 128;
static constexpr int COLUMNS = 10;
static constexpr int SHEET_WIDTH = 1292;
static constexpr int SHEET_HEIGHT = 1161;

// Where every head puts its face, and so where every feature sits.
static constexpr float CX = 64.0f;
static constexpr float HEAD_Y = 64.0f;
static constexpr float HEAD_RX = 42.0f;
static constexpr float HEAD_RY = 52.0f;
static constexpr float EYE_Y = 60.0f;
static constexpr float EYE_DX = 17.0f; // each eye's distance from the middle
static constexpr float NOSE_Y = 76.0f;
static constexpr float MOUTH_Y = 96.0f;

using Shade = std::function<ArtColour(float x, float y)>;
using Distance = std::function<float(float x, float y)>;

static ArtColour Rgb(float r, float g, float b)
{
    return {r, g, b};
}
static const ArtColour INK = {38, 22, 20};    // outlines
static const ArtColour CREASE = {96, 46, 30}; // nose and face lines, dark enough on every skin
static const ArtColour EYE_WHITE = {250, 250, 246};
static const ArtColour GLINT = {255, 255, 255};

static ArtColour Ramp(ArtRamp ramp, float shade)
{
    return ArtRampColour(ramp, shade);
}

// Darker twin of a fill, for its outline.
static ArtColour Edge(ArtColour c)
{
    return ArtMix(c, INK, 0.72f);
}

// ---- shapes: fills with optional outline, all by signed distance over a box ----

struct FaceBox {
    float x0, y0, x1, y1;
};

static void FillBox(Canvas& c, FaceBox b, const Distance& d, const Shade& shade,
                    float outline = 0.0f, ArtColour ink = INK)
{
    if (outline > 0.0f) {
        CanvasFillShape(
            c, b.x0 - outline, b.y0 - outline, b.x1 + outline, b.y1 + outline,
            [&](float x, float y) { return d(x, y) - outline; },
            [&](float, float, float) { return ink; });
    }
    CanvasFillShape(c, b.x0, b.y0, b.x1, b.y1, d,
                    [&](float x, float y, float) { return shade(x, y); });
}

static Shade Flat(ArtColour colour)
{
    return [colour](float, float) { return colour; };
}

// A ramp lit like a ball centred at (cx, cy) with radii (rx, ry): base shade plus light.
static Shade Lit(ArtRamp ramp, float base, float cx, float cy, float rx, float ry,
                 float range = 0.3f)
{
    return [=](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - cx) / rx, (y - cy) / ry, &glint);
        ArtColour col = Ramp(ramp, base + range * (light - 0.6f));
        return ArtMix(col, GLINT, 0.35f * glint);
    };
}

static void Ellipse(Canvas& c, float cx, float cy, float rx, float ry, const Shade& shade,
                    float outline = 0.0f, ArtColour ink = INK)
{
    FillBox(
        c, {cx - rx, cy - ry, cx + rx, cy + ry},
        [=](float x, float y) { return SdfEllipse(x, y, cx, cy, rx, ry); }, shade, outline, ink);
}

static void Circle(Canvas& c, float cx, float cy, float r, const Shade& shade, float outline = 0.0f,
                   ArtColour ink = INK)
{
    Ellipse(c, cx, cy, r, r, shade, outline, ink);
}

static void RoundRect(Canvas& c, float cx, float cy, float hw, float hh, float radius,
                      const Shade& shade, float outline = 0.0f, ArtColour ink = INK)
{
    FillBox(
        c, {cx - hw, cy - hh, cx + hw, cy + hh},
        [=](float x, float y) { return SdfRoundBox(x, y, cx, cy, hw, hh, radius); }, shade, outline,
        ink);
}

// A convex polygon (points in order, x and y interleaved): the largest distance to its edges.
static float SdfConvex(float x, float y, const std::vector<float>& p)
{
    size_t n = p.size() / 2;
    float area = 0.0f;
    for (size_t i = 0; i < n; ++i) {
        size_t j = (i + 1) % n;
        area += p[2 * i] * p[2 * j + 1] - p[2 * j] * p[2 * i + 1];
    }
    float sign = area > 0.0f ? 1.0f : -1.0f, d = -1e9f;
    for (size_t i = 0; i < n; ++i) {
        size_t j = (i + 1) % n;
        float ex = p[2 * j] - p[2 * i], ey = p[2 * j + 1] - p[2 * i + 1];
        float len = std::max(std::hypot(ex, ey), 1e-6f);
        d = std::max(d, sign * ((x - p[2 * i]) * ey - (y - p[2 * i + 1]) * ex) / len);
    }
    return d;
}

static void Polygon(Canvas& c, const std::vector<float>& p, const Shade& shade,
                    float outline = 0.0f, ArtColour ink = INK)
{
    FaceBox b = {1e9f, 1e9f, -1e9f, -1e9f};
    for (size_t i = 0; i < p.size(); i += 2) {
        b = {std::min(b.x0, p[i]), std::min(b.y0, p[i + 1]), std::max(b.x1, p[i]),
             std::max(b.y1, p[i + 1])};
    }
    FillBox(
        c, b, [p](float x, float y) { return SdfConvex(x, y, p); }, shade, outline, ink);
}

// A stroke through points (x and y interleaved), `width` pixels wide, round ends and joints.
static void Stroke(Canvas& c, const std::vector<float>& p, float width, ArtColour colour)
{
    FaceBox b = {1e9f, 1e9f, -1e9f, -1e9f};
    for (size_t i = 0; i < p.size(); i += 2) {
        b = {std::min(b.x0, p[i]), std::min(b.y0, p[i + 1]), std::max(b.x1, p[i]),
             std::max(b.y1, p[i + 1])};
    }
    const float r = width * 0.5f;
    CanvasFillShape(
        c, b.x0 - r, b.y0 - r, b.x1 + r, b.y1 + r,
        [&](float x, float y) {
            float d = 1e9f;
            for (size_t i = 0; i + 3 < p.size(); i += 2) {
                d = std::min(d, SdfCapsule(x, y, p[i], p[i + 1], p[i + 2], p[i + 3], r));
            }
            return d;
        },
        [&](float, float, float) { return colour; });
}

// Points along an elliptic arc around (cx, cy) from angle a0 to a1 (radians, y down).
static std::vector<float> Arc(float cx, float cy, float rx, float ry, float a0, float a1,
                              int steps = 12)
{
    std::vector<float> p;
    for (int i = 0; i <= steps; ++i) {
        float a = a0 + (a1 - a0) * static_cast<float>(i) / static_cast<float>(steps);
        p.push_back(cx + rx * std::cos(a));
        p.push_back(cy + ry * std::sin(a));
    }
    return p;
}

// The same stroke mirrored to both sides of the face.
static void StrokeBoth(Canvas& c, std::vector<float> p, float width, ArtColour colour)
{
    Stroke(c, p, width, colour);
    for (size_t i = 0; i < p.size(); i += 2) {
        p[i] = 2.0f * CX - p[i];
    }
    Stroke(c, p, width, colour);
}

static constexpr float PI = ART_PI;

// ---- layer 0: heads ----

enum HairStyle {
    HAIR_NONE,
    HAIR_SHORT,
    HAIR_LONG,
    HAIR_AFRO,
    HAIR_BOB,
    HAIR_BUN,
    HAIR_PIGTAILS,
    HAIR_QUIFF,
    HAIR_SPIKY,
    HAIR_CROP
};

struct Person {
    float skin;      // shade on the skin ramp: 0.25 deep .. 0.88 pale
    ArtRamp hair;    // hair colour
    float hairShade; // its shade
    HairStyle style;
    ArtRamp shirt;
    bool beard;
    bool freckles;
};

static constexpr Person PEOPLE[10] = {
    {0.76f, RAMP_BROWN, 0.45f, HAIR_SHORT, RAMP_NAVY, false, false},
    {0.62f, RAMP_BLONDE, 0.55f, HAIR_LONG, RAMP_RED, false, false},
    {0.26f, RAMP_GREY, 0.1f, HAIR_AFRO, RAMP_TEAL, false, false},
    {0.88f, RAMP_GINGER, 0.5f, HAIR_BOB, RAMP_GREEN, false, true},
    {0.55f, RAMP_GREY, 0.06f, HAIR_BUN, RAMP_PURPLE, false, false},
    {0.4f, RAMP_GREY, 0.72f, HAIR_CROP, RAMP_AMBER, true, false},
    {0.8f, RAMP_BLONDE, 0.7f, HAIR_PIGTAILS, RAMP_PINK, false, false},
    {0.5f, RAMP_BROWN, 0.22f, HAIR_QUIFF, RAMP_BLUE, false, false},
    {0.68f, RAMP_GREY, 0.12f, HAIR_LONG, RAMP_GOLD, false, false},
    {0.34f, RAMP_BROWN, 0.12f, HAIR_SPIKY, RAMP_STEEL, false, false},
};

static float Smooth(float a, float b, float x)
{
    float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Hair shading: the head's light with fine strands running down.
static Shade HairShade(ArtRamp ramp, float base)
{
    return [=](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - CX) / 50.0f, (y - 50.0f) / 56.0f, &glint);
        float strands = 0.05f * std::sin(x * 1.3f + 0.15f * y);
        ArtColour col = Ramp(ramp, base + 0.34f * (light - 0.6f) + strands);
        return ArtMix(col, GLINT, 0.25f * glint);
    };
}

// The shoulders, the shirt and the neck under a head.
static void PaintBody(Canvas& c, ArtRamp shirt, const Shade& skin)
{
    RoundRect(c, CX, 112.0f, 12.0f, 14.0f, 5.0f, skin, 1.4f);
    Ellipse(c, CX, 140.0f, 58.0f, 24.0f, Lit(shirt, 0.55f, CX - 20.0f, 120.0f, 70.0f, 40.0f), 1.4f);
    // The collar: a V of skin and two flaps.
    Polygon(c, {CX - 10.0f, 117.0f, CX + 10.0f, 117.0f, CX, 127.0f}, skin);
    Polygon(c, {CX - 14.0f, 116.0f, CX - 1.0f, 128.0f, CX - 16.0f, 124.0f},
            Flat(Ramp(shirt, 0.78f)), 1.0f, Edge(Ramp(shirt, 0.5f)));
    Polygon(c, {CX + 14.0f, 116.0f, CX + 16.0f, 124.0f, CX + 1.0f, 128.0f},
            Flat(Ramp(shirt, 0.78f)), 1.0f, Edge(Ramp(shirt, 0.5f)));
}

static void PaintEars(Canvas& c, const Shade& skin, ArtColour inner)
{
    for (float s : {-1.0f, 1.0f}) {
        Ellipse(c, CX + s * 41.0f, 70.0f, 7.5f, 11.0f, skin, 1.4f);
        Stroke(c,
               Arc(CX + s * 41.5f, 70.0f, 3.5f, 6.0f, s < 0 ? 0.6f * PI : -0.4f * PI,
                   s < 0 ? 1.4f * PI : 0.4f * PI, 6),
               1.4f, inner);
    }
}

// The head oval and its skin.
static void PaintFace(Canvas& c, const Shade& skin)
{
    Ellipse(c, CX, HEAD_Y, HEAD_RX, HEAD_RY, skin, 1.6f);
}

// Hair that falls behind the head (drawn before it).
static void PaintHairBack(Canvas& c, const Person& p)
{
    Shade hair = HairShade(p.hair, p.hairShade - 0.08f);
    switch (p.style) {
        case HAIR_LONG:
            FillBox(
                c, {14, 10, 114, 124},
                [](float x, float y) {
                    return std::max(SdfRoundBox(x, y, CX, 70.0f, 50.0f, 56.0f, 30.0f),
                                    -SdfEllipse(x, y, CX, 140.0f, 26.0f, 22.0f));
                },
                hair, 1.4f);
            break;
        case HAIR_AFRO:
            FillBox(
                c, {4, 0, 124, 100},
                [](float x, float y) {
                    float a = std::atan2(y - 48.0f, x - CX);
                    return SdfEllipse(x, y, CX, 48.0f, 58.0f, 47.0f) + 2.5f * std::sin(a * 14.0f);
                },
                hair, 1.4f);
            break;
        case HAIR_BOB:
            FillBox(
                c, {16, 10, 112, 104},
                [](float x, float y) { return SdfRoundBox(x, y, CX, 56.0f, 48.0f, 46.0f, 26.0f); },
                hair, 1.4f);
            break;
        case HAIR_BUN:
            Circle(c, CX, 12.0f, 14.0f, hair, 1.4f);
            break;
        case HAIR_PIGTAILS:
            for (float s : {-1.0f, 1.0f}) {
                Ellipse(c, CX + s * 50.0f, 76.0f, 12.0f, 20.0f, hair, 1.4f);
                Circle(c, CX + s * 45.0f, 56.0f, 4.0f,
                       Lit(RAMP_RED, 0.6f, CX + s * 44.0f, 55.0f, 4, 4), 1.0f);
            }
            break;
        default:
            break;
    }
}

// The hair over the top of the head: a cap of the head's outline cut by a hairline.
static void PaintHairFront(Canvas& c, const Person& p)
{
    Shade hair = HairShade(p.hair, p.hairShade);
    auto cap = [&](auto hairline) {
        FillBox(
            c, {16, 4, 112, 80},
            [hairline](float x, float y) {
                return std::max(SdfEllipse(x, y, CX, HEAD_Y - 2.0f, HEAD_RX + 4.0f, HEAD_RY + 4.0f),
                                y - hairline(x));
            },
            hair, 1.4f);
    };
    // Sides come down to the ears; the forehead line is the style's own.
    auto sides = [](float x, float forehead, float sideY) {
        return forehead + (sideY - forehead) * Smooth(27.0f, 37.0f, std::abs(x - CX));
    };
    switch (p.style) {
        case HAIR_SHORT:
            cap([&](float x) {
                return sides(x,
                             34.0f - 9.0f * std::exp(-std::pow((x - 48.0f) / 12.0f, 2.0f)) +
                                 4.0f * Smooth(50.0f, 90.0f, x),
                             58.0f);
            });
            Stroke(c, {50.0f, 16.0f, 44.0f, 30.0f}, 1.2f, Edge(Ramp(p.hair, p.hairShade)));
            break;
        case HAIR_LONG:
            cap([&](float x) { return sides(x, 36.0f + 3.0f * std::sin(x * 0.5f), 76.0f); });
            break;
        case HAIR_AFRO:
            cap([&](float x) { return sides(x, 30.0f, 52.0f); });
            break;
        case HAIR_BOB:
            cap([&](float x) { return sides(x, 38.0f, 86.0f); });
            for (float x = 40.0f; x <= 88.0f; x += 8.0f) {
                Stroke(c, {x, 24.0f, x + 1.0f, 36.0f}, 1.0f, Edge(Ramp(p.hair, p.hairShade)));
            }
            break;
        case HAIR_BUN:
        case HAIR_PIGTAILS:
            cap([&](float x) { return sides(x, 26.0f + 0.2f * std::abs(x - CX), 58.0f); });
            Stroke(c, {CX, 12.0f, CX, 26.0f}, 1.2f, Edge(Ramp(p.hair, p.hairShade)));
            break;
        case HAIR_CROP:
            cap([&](float x) { return sides(x, 28.0f, 56.0f); });
            break;
        case HAIR_QUIFF:
            cap([&](float x) { return sides(x, 32.0f, 56.0f); });
            Ellipse(c, CX - 4.0f, 16.0f, 34.0f, 14.0f, hair, 1.4f);
            Stroke(c, Arc(CX - 4.0f, 22.0f, 24.0f, 10.0f, 1.05f * PI, 1.8f * PI, 8), 1.2f,
                   Edge(Ramp(p.hair, p.hairShade)));
            break;
        case HAIR_SPIKY: {
            for (int i = 0; i < 7; ++i) {
                float x = 28.0f + 12.0f * static_cast<float>(i);
                float top = 2.0f + 4.0f * std::abs(static_cast<float>(i) - 3.0f);
                Polygon(c, {x - 9.0f, 34.0f, x, top, x + 9.0f, 34.0f}, hair, 1.4f);
            }
            cap([&](float x) { return sides(x, 32.0f, 56.0f); });
            break;
        }
        default:
            break;
    }
}

static void PaintBeard(Canvas& c, const Person& p)
{
    Shade hair = HairShade(p.hair, p.hairShade);
    FillBox(
        c, {22, 70, 106, 120},
        [](float x, float y) {
            float jaw = SdfEllipse(x, y, CX, HEAD_Y + 4.0f, HEAD_RX + 1.0f, HEAD_RY + 2.0f);
            float below = 78.0f + 0.018f * (x - CX) * (x - CX) - y;
            float mouth = -SdfEllipse(x, y, CX, MOUTH_Y, 17.0f, 9.0f);
            return std::max({jaw, below, mouth});
        },
        hair, 1.2f);
}

static Shade SkinShade(float tone)
{
    return Lit(RAMP_SKIN, tone, CX - 6.0f, HEAD_Y - 10.0f, 56.0f, 64.0f, 0.22f);
}

static void PaintPerson(Canvas& c, const Person& p)
{
    Shade skin = SkinShade(p.skin);
    PaintHairBack(c, p);
    PaintBody(c, p.shirt, skin);
    PaintEars(c, skin, Ramp(RAMP_SKIN, p.skin - 0.25f));
    PaintFace(c, skin);
    if (p.freckles) {
        for (float s : {-1.0f, 1.0f}) {
            for (int i = 0; i < 5; ++i) {
                Circle(c, CX + s * (24.0f + static_cast<float>(i % 3) * 4.0f),
                       78.0f + static_cast<float>(i / 3) * 4.0f + static_cast<float>(i % 2), 1.0f,
                       Flat(Ramp(RAMP_GINGER, 0.45f)));
            }
        }
    }
    if (p.beard) {
        PaintBeard(c, p);
    }
    PaintHairFront(c, p);
}

// ---- layer 0: the mutated heads ----

static void HeadClown(Canvas& c)
{
    Shade paint = Lit(RAMP_GREY, 0.97f, CX - 6, HEAD_Y - 10, 56, 64, 0.12f);
    PaintBody(c, RAMP_GOLD, paint);
    // A ruff of coloured frills under the chin.
    for (int i = 0; i < 7; ++i) {
        ArtRamp r = i % 3 == 0 ? RAMP_RED : (i % 3 == 1 ? RAMP_BLUE : RAMP_GOLD);
        Circle(c, 28.0f + 12.0f * static_cast<float>(i),
               120.0f - 4.0f * std::sin(static_cast<float>(i) * PI / 6.0f), 9.0f,
               Lit(r, 0.6f, 26.0f + 12.0f * static_cast<float>(i), 116.0f, 10, 10), 1.2f);
    }
    PaintEars(c, paint, Ramp(RAMP_GREY, 0.7f));
    PaintFace(c, paint);
    // Bright red tufts on the sides of a bald top.
    for (float s : {-1.0f, 1.0f}) {
        for (int i = 0; i < 4; ++i) {
            Circle(c, CX + s * (40.0f + 4.0f * static_cast<float>(i % 2)),
                   30.0f + 9.0f * static_cast<float>(i), 10.0f, HairShade(RAMP_RED, 0.62f), 1.2f);
        }
    }
    // A little polka-dot hat.
    Polygon(c, {CX - 12, 17, CX + 12, 17, CX + 3, 4, CX - 3, 4},
            Lit(RAMP_BLUE, 0.6f, CX - 4, 8, 12, 12), 1.3f);
    Circle(c, CX, 4.5f, 4.0f, Lit(RAMP_GOLD, 0.7f, CX - 1, 3.5f, 4, 4), 1.0f);
    for (float x : {CX - 5.0f, CX + 4.0f}) {
        Circle(c, x, 12.0f, 1.8f, Flat(Ramp(RAMP_GOLD, 0.85f)));
    }
}

static void HeadPirate(Canvas& c)
{
    const Person p = {0.58f, RAMP_GREY, 0.1f, HAIR_NONE, RAMP_CREAM, true, false};
    Shade skin = SkinShade(p.skin);
    // Long black hair behind and a striped shirt.
    FillBox(
        c, {16, 30, 112, 112},
        [](float x, float y) { return SdfRoundBox(x, y, CX, 70.0f, 48.0f, 40.0f, 20.0f); },
        HairShade(RAMP_GREY, 0.06f), 1.4f);
    PaintBody(c, RAMP_CREAM, skin);
    for (float y = 122.0f; y < 130.0f; y += 5.0f) {
        Stroke(c, {12.0f, y, 50.0f, y}, 2.0f, Ramp(RAMP_RED, 0.45f));
        Stroke(c, {78.0f, y, 116.0f, y}, 2.0f, Ramp(RAMP_RED, 0.45f));
    }
    PaintEars(c, skin, Ramp(RAMP_SKIN, 0.35f));
    // A gold earring.
    Stroke(c, Arc(CX + 42.0f, 84.0f, 4.0f, 4.0f, 0, 2 * PI, 12), 1.8f, Ramp(RAMP_GOLD, 0.7f));
    PaintFace(c, skin);
    PaintBeard(c, p);
    // The red bandana with white dots, knotted at the side.
    FillBox(
        c, {14, 4, 114, 44},
        [](float x, float y) {
            return std::max(SdfEllipse(x, y, CX, HEAD_Y - 2, HEAD_RX + 5, HEAD_RY + 4),
                            y - (36.0f + 0.004f * (x - CX) * (x - CX)));
        },
        Lit(RAMP_RED, 0.55f, CX - 10, 10, 50, 30), 1.4f);
    for (int i = 0; i < 9; ++i) {
        Circle(c, 34.0f + 7.5f * static_cast<float>(i), 22.0f + 8.0f * static_cast<float>(i % 2),
               1.8f, Flat(Rgb(250, 240, 230)));
    }
    Polygon(c, {104, 36, 120, 30, 118, 46}, Lit(RAMP_RED, 0.5f, 110, 36, 10, 10), 1.2f);
    Polygon(c, {104, 38, 114, 52, 104, 54}, Lit(RAMP_RED, 0.45f, 106, 46, 10, 10), 1.2f);
}

static void HeadRobot(Canvas& c)
{
    Shade metal = [](float x, float y) {
        float t = 0.45f + 0.35f * (1.0f - (x - 22.0f) / 84.0f) - 0.1f * (y - 10.0f) / 110.0f;
        return Ramp(RAMP_STEEL, t);
    };
    // Neck of rings, square shoulders.
    RoundRect(c, CX, 140.0f, 56.0f, 24.0f, 10.0f, Lit(RAMP_STEEL, 0.45f, 40, 120, 60, 30), 1.4f);
    for (float y : {112.0f, 118.0f}) {
        RoundRect(c, CX, y, 14.0f, 3.0f, 2.0f, Flat(Ramp(RAMP_STEEL, 0.3f)), 1.0f);
    }
    // Bolts for ears, an antenna with a red light.
    for (float s : {-1.0f, 1.0f}) {
        RoundRect(c, CX + s * 46.0f, 66.0f, 6.0f, 12.0f, 3.0f, Flat(Ramp(RAMP_STEEL, 0.35f)), 1.3f);
        Circle(c, CX + s * 47.0f, 66.0f, 3.0f, Flat(Ramp(RAMP_STEEL, 0.8f)), 1.0f);
    }
    Stroke(c, {CX, 16.0f, CX, 3.0f}, 2.4f, Ramp(RAMP_STEEL, 0.3f));
    Circle(c, CX, 4.0f, 4.5f, Lit(RAMP_RED, 0.75f, CX - 1.5f, 2.5f, 4.5f, 4.5f), 1.0f);
    RoundRect(c, CX, 62.0f, 42.0f, 50.0f, 12.0f, metal, 1.8f);
    // Panel seams and rivets.
    Stroke(c, {26.0f, 30.0f, 102.0f, 30.0f}, 1.2f, Ramp(RAMP_STEEL, 0.25f));
    for (float x : {30.0f, 98.0f}) {
        for (float y : {20.0f, 104.0f}) {
            Circle(c, x, y, 2.2f, Lit(RAMP_STEEL, 0.8f, x - 0.7f, y - 0.7f, 2.2f, 2.2f), 0.8f);
        }
    }
}

static void HeadCat(Canvas& c)
{
    Shade fur = [](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - CX) / 56.0f, (y - 54.0f) / 64.0f, &glint);
        return Ramp(RAMP_GINGER, 0.55f + 0.3f * (light - 0.6f));
    };
    PaintBody(c, RAMP_TEAL, fur);
    for (float s : {-1.0f, 1.0f}) {
        Polygon(c, {CX + s * 16.0f, 24.0f, CX + s * 42.0f, -2.0f, CX + s * 42.0f, 40.0f}, fur,
                1.4f);
        Polygon(c, {CX + s * 24.0f, 22.0f, CX + s * 38.0f, 8.0f, CX + s * 38.0f, 30.0f},
                Flat(Ramp(RAMP_PINK, 0.75f)));
    }
    PaintFace(c, fur);
    // Tabby stripes on the forehead and cheeks.
    for (float dx : {-8.0f, 0.0f, 8.0f}) {
        Stroke(c, {CX + dx, 14.0f, CX + dx * 0.8f, 30.0f}, 3.0f, Ramp(RAMP_GINGER, 0.28f));
    }
    for (float s : {-1.0f, 1.0f}) {
        for (float y : {66.0f, 76.0f}) {
            Stroke(c, {CX + s * 42.0f, y, CX + s * 32.0f, y + 2.0f}, 2.6f,
                   Ramp(RAMP_GINGER, 0.28f));
        }
    }
    // Pale muzzle.
    Ellipse(c, CX, 92.0f, 24.0f, 20.0f, Flat(Ramp(RAMP_CREAM, 0.9f)));
}

static void HeadFish(Canvas& c)
{
    Shade scales = [](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - CX + 6) / 56.0f, (y - 54.0f) / 64.0f, &glint);
        float sx = std::fmod(x + (static_cast<int>(y / 6.0f) % 2) * 4.0f, 8.0f) - 4.0f;
        float sy = std::fmod(y, 6.0f);
        float scale = (sx * sx / 16.0f + sy / 6.0f) > 1.0f ? -0.06f : 0.0f;
        return ArtMix(Ramp(RAMP_TEAL, 0.6f + 0.3f * (light - 0.6f) + scale), GLINT, 0.3f * glint);
    };
    PaintBody(c, RAMP_NAVY, scales);
    // Fins for ears and a crest along the top.
    for (float s : {-1.0f, 1.0f}) {
        Polygon(c,
                {CX + s * 38.0f, 56.0f, CX + s * 58.0f, 50.0f, CX + s * 56.0f, 90.0f,
                 CX + s * 38.0f, 82.0f},
                Lit(RAMP_BLUE, 0.6f, CX + s * 48, 60, 16, 30), 1.3f);
    }
    Polygon(c, {CX - 14, 16, CX, -4, CX + 22, 2, CX + 18, 20}, Lit(RAMP_BLUE, 0.62f, CX, 6, 20, 14),
            1.3f);
    PaintFace(c, scales);
    for (float s : {-1.0f, 1.0f}) {
        for (int i = 0; i < 3; ++i) {
            Stroke(c,
                   Arc(CX + s * 38.0f, 86.0f + 5.0f * static_cast<float>(i), 5.0f, 3.0f,
                       s < 0 ? -0.4f * PI : 0.6f * PI, s < 0 ? 0.4f * PI : 1.4f * PI, 6),
                   1.3f, Ramp(RAMP_TEAL, 0.25f));
        }
    }
}

static void HeadTwoTone(Canvas& c)
{
    // Half of the face in one colour, half in the other: a chimera.
    Shade skin = [](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - CX + 6) / 56.0f, (y - 54.0f) / 64.0f, &glint);
        ArtRamp r = x < CX + 2.0f * std::sin(y * 0.2f) ? RAMP_PURPLE : RAMP_SKIN;
        return Ramp(r, (r == RAMP_PURPLE ? 0.62f : 0.72f) + 0.22f * (light - 0.6f));
    };
    PaintBody(c, RAMP_LIME, skin);
    PaintEars(c, skin, Ramp(RAMP_PURPLE, 0.35f));
    PaintFace(c, skin);
    Person hair = {0.7f, RAMP_PINK, 0.55f, HAIR_SHORT, RAMP_LIME, false, false};
    PaintHairFront(c, hair);
    // A mohawk stripe down the middle.
    for (int i = 0; i < 5; ++i) {
        Polygon(c,
                {CX - 7.0f, 24.0f + 2.0f * static_cast<float>(i), CX + 7.0f,
                 24.0f + 2.0f * static_cast<float>(i), CX + 2.0f - static_cast<float>(i),
                 -2.0f + 6.0f * static_cast<float>(i)},
                HairShade(RAMP_LIME, 0.6f), 1.2f);
    }
}

static void HeadImp(Canvas& c)
{
    Shade skin = Lit(RAMP_RED, 0.58f, CX - 6, HEAD_Y - 10, 56, 64, 0.24f);
    PaintBody(c, RAMP_GREY, skin);
    // Pointed ears and two horns.
    for (float s : {-1.0f, 1.0f}) {
        Polygon(c, {CX + s * 36.0f, 60.0f, CX + s * 58.0f, 50.0f, CX + s * 38.0f, 82.0f}, skin,
                1.4f);
        Polygon(c, {CX + s * 14.0f, 22.0f, CX + s * 34.0f, -2.0f, CX + s * 30.0f, 28.0f},
                Lit(RAMP_CREAM, 0.7f, CX + s * 26, 8, 12, 16), 1.4f);
    }
    PaintFace(c, skin);
    // A widow's peak of black hair.
    Person hair = {0.5f, RAMP_GREY, 0.1f, HAIR_NONE, RAMP_GREY, false, false};
    Shade hs = HairShade(hair.hair, hair.hairShade);
    FillBox(
        c, {16, 4, 112, 60},
        [](float x, float y) {
            return std::max(SdfEllipse(x, y, CX, HEAD_Y - 2, HEAD_RX + 4, HEAD_RY + 4),
                            y - (22.0f + 0.3f * std::abs(x - CX) +
                                 14.0f * std::exp(-std::pow((x - CX) / 5.0f, 2.0f))));
        },
        hs, 1.4f);
}

// The big-brained alien: a pale green dome over a narrow chin.
static float AlienHead(float x, float y)
{
    float dome = SdfEllipse(x, y, CX, 48.0f, 50.0f, 44.0f);
    float chin = SdfEllipse(x, y, CX, 84.0f, 32.0f, 36.0f);
    float k = 10.0f, h = std::clamp(0.5f + 0.5f * (chin - dome) / k, 0.0f, 1.0f);
    return chin + (dome - chin) * h - k * h * (1.0f - h); // smooth union
}

static void HeadAlien(Canvas& c)
{
    Shade skin = Lit(RAMP_LIME, 0.7f, CX - 10, 30, 60, 80, 0.34f);
    RoundRect(c, CX, 112.0f, 9.0f, 14.0f, 4.0f, skin, 1.4f);
    Ellipse(c, CX, 142.0f, 54.0f, 24.0f, Lit(RAMP_STEEL, 0.6f, CX - 20, 120, 70, 40), 1.4f);
    RoundRect(c, CX, 122.0f, 22.0f, 4.0f, 3.0f, Flat(Ramp(RAMP_STEEL, 0.85f)), 1.2f);
    FillBox(c, {12, 2, 116, 122}, AlienHead, skin, 1.6f);
    // Brain folds on the dome.
    for (float s : {-1.0f, 1.0f}) {
        Stroke(c,
               Arc(CX + s * 20.0f, 34.0f, 14.0f, 10.0f, s < 0 ? 1.0f * PI : 1.5f * PI,
                   s < 0 ? 1.5f * PI : 2.0f * PI, 8),
               1.4f, Ramp(RAMP_LIME, 0.45f));
    }
    Stroke(c, {CX, 12.0f, CX, 26.0f}, 1.4f, Ramp(RAMP_LIME, 0.45f));
}

static void HeadCyborg(Canvas& c)
{
    const Person p = {0.7f, RAMP_BROWN, 0.3f, HAIR_SHORT, RAMP_STEEL, false, false};
    Shade skin = SkinShade(p.skin);
    PaintBody(c, RAMP_GREY, skin);
    PaintEars(c, skin, Ramp(RAMP_SKIN, 0.45f));
    PaintFace(c, skin);
    // The right half of the head is a steel plate with rivets and a cable.
    Shade metal = Lit(RAMP_STEEL, 0.58f, CX + 10, 40, 50, 60, 0.4f);
    FillBox(
        c, {CX, 8, 112, 120},
        [](float x, float y) {
            return std::max(SdfEllipse(x, y, CX, HEAD_Y, HEAD_RX + 1.0f, HEAD_RY + 1.0f),
                            CX + 4.0f + 3.0f * std::sin(y * 0.25f) - x);
        },
        metal, 1.4f);
    for (float y : {34.0f, 60.0f, 86.0f}) {
        Circle(c, CX + 28.0f, y, 2.0f, Flat(Ramp(RAMP_STEEL, 0.9f)), 0.8f);
    }
    Stroke(c, {CX + 38.0f, 96.0f, CX + 44.0f, 110.0f, CX + 40.0f, 124.0f}, 2.4f,
           Ramp(RAMP_RED, 0.45f));
    FillBox(
        c, {16, 4, CX + 4, 60},
        [](float x, float y) {
            return std::max({SdfEllipse(x, y, CX, HEAD_Y - 2, HEAD_RX + 4, HEAD_RY + 4),
                             y - (34.0f + 22.0f * Smooth(28.0f, 38.0f, std::abs(x - CX))),
                             x - CX - 4.0f});
        },
        HairShade(p.hair, p.hairShade), 1.4f);
}

// The martian: round, bumpy and green, with two antennae.
static void HeadMartian(Canvas& c)
{
    Shade skin = [](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - CX + 6) / 56.0f, (y - 54.0f) / 64.0f, &glint);
        float spots = std::sin(x * 0.45f) * std::sin(y * 0.5f) > 0.8f ? -0.12f : 0.0f;
        return ArtMix(Ramp(RAMP_GREEN, 0.62f + 0.3f * (light - 0.6f) + spots), GLINT, 0.3f * glint);
    };
    for (float s : {-1.0f, 1.0f}) {
        Stroke(c, {CX + s * 18.0f, 20.0f, CX + s * 28.0f, 6.0f, CX + s * 34.0f, 4.0f}, 2.4f,
               Ramp(RAMP_GREEN, 0.35f));
        Circle(c, CX + s * 36.0f, 5.0f, 5.0f, Lit(RAMP_GOLD, 0.75f, CX + s * 35, 3.5f, 5, 5), 1.0f);
    }
    PaintBody(c, RAMP_PURPLE, skin);
    for (float s : {-1.0f, 1.0f}) {
        Ellipse(c, CX + s * 42.0f, 66.0f, 9.0f, 6.0f, skin, 1.4f);
    }
    Ellipse(c, CX, HEAD_Y, HEAD_RX + 2.0f, HEAD_RY, skin, 1.6f);
}

// ---- layer 1: eyes ----

struct EyeStyle {
    ArtRamp iris;
    float irisShade;
    float rx, ry;    // the eye white
    float lid;       // 0 open .. 1 closed (upper lid down)
    float browLift;  // pixels above the usual place
    float browTilt;  // inner end down (stern) when positive
    float browWidth; // 0: no brows
    int lashes;      // lashes on the outer corner
    int glasses;     // 0 none, 1 round, 2 square
};

static constexpr EyeStyle EYES[10] = {
    {RAMP_BROWN, 0.5f, 8.0f, 6.5f, 0.15f, 0, 0, 2.4f, 0, 0},
    {RAMP_BLUE, 0.55f, 9.5f, 5.5f, 0.2f, 1, -1, 1.8f, 0, 0},
    {RAMP_GREEN, 0.5f, 8.5f, 6.5f, 0.1f, 2, 0, 1.8f, 3, 0},
    {RAMP_AMBER, 0.35f, 8.5f, 6.0f, 0.5f, 0, 1, 2.2f, 0, 0},
    {RAMP_BROWN, 0.5f, 8.0f, 6.0f, 1.0f, 2, -1, 2.2f, 0, 0},
    {RAMP_BROWN, 0.35f, 7.0f, 6.0f, 0.1f, 1, 0, 2.2f, 0, 1},
    {RAMP_BLUE, 0.4f, 9.0f, 8.5f, 0.0f, 6, -2, 2.0f, 0, 0},
    {RAMP_STEEL, 0.5f, 8.0f, 5.5f, 0.25f, -2, 3, 3.6f, 0, 0},
    {RAMP_BROWN, 0.45f, 8.0f, 6.5f, 0.1f, 2, 0, 2.2f, 1, 0},
    {RAMP_TEAL, 0.4f, 7.5f, 6.0f, 0.1f, 0, 0, 2.4f, 0, 2},
};

static const ArtColour BROW = {64, 40, 28};

// One open eye at (ex, ey): white, iris, pupil, glint and the upper lid line.
static void PaintEye(Canvas& c, float ex, float ey, const EyeStyle& e, float lookX = 0.0f)
{
    float lidY = ey - e.ry + 2.0f * e.ry * e.lid;
    FillBox(
        c, {ex - e.rx, ey - e.ry, ex + e.rx, ey + e.ry},
        [=](float x, float y) { return std::max(SdfEllipse(x, y, ex, ey, e.rx, e.ry), lidY - y); },
        Flat(EYE_WHITE), 1.3f);
    float ir = std::min(e.ry, 5.0f);
    FillBox(
        c, {ex - ir + lookX, ey - ir, ex + ir + lookX, ey + ir},
        [=](float x, float y) {
            return std::max({SdfCircle(x, y, ex + lookX, ey + 0.5f, ir),
                             SdfEllipse(x, y, ex, ey, e.rx - 0.5f, e.ry - 0.5f), lidY - y});
        },
        Lit(e.iris, e.irisShade, ex + lookX - 1.5f, ey - 1.5f, ir, ir, 0.5f));
    FillBox(
        c, {ex - 3, ey - 3, ex + 3, ey + 3},
        [=](float x, float y) {
            return std::max(SdfCircle(x, y, ex + lookX, ey + 0.5f, ir * 0.45f), lidY - y);
        },
        Flat(Rgb(16, 12, 14)));
    if (lidY < ey - 1.5f) {
        Circle(c, ex + lookX - 1.6f, ey - 1.2f, 1.2f, Flat(GLINT));
    }
    // The upper lid: a line along the lid's edge.
    if (e.lid > 0.05f) {
        Stroke(c,
               {ex - e.rx + 0.5f, std::max(lidY, ey - e.ry * 0.6f), ex, lidY, ex + e.rx - 0.5f,
                std::max(lidY, ey - e.ry * 0.6f)},
               1.8f, INK);
    } else {
        Stroke(c, Arc(ex, ey, e.rx, e.ry, 1.1f * PI, 1.9f * PI, 8), 1.8f, INK);
    }
}

// A closed, happy eye: an arch.
static void PaintClosedEye(Canvas& c, float ex, float ey)
{
    Stroke(c, Arc(ex, ey + 3.0f, 8.0f, 6.0f, 1.1f * PI, 1.9f * PI, 10), 2.4f, INK);
}

static void PaintBrow(Canvas& c, float ex, float s, const EyeStyle& e, ArtColour colour)
{
    if (e.browWidth <= 0.0f) {
        return;
    }
    float y = EYE_Y - e.ry - 6.0f - e.browLift;
    // s is -1 on the left eye: its inner end is the right end.
    float inner = ex - s * 9.0f, outer = ex + s * 9.0f;
    Stroke(c, {outer, y + 1.5f, ex, y - 1.0f, inner, y + e.browTilt}, e.browWidth, colour);
}

static void PaintEyes(Canvas& c, const EyeStyle& e, int index)
{
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        bool wink = index == 8 && s > 0.0f;
        if (e.lid >= 1.0f || wink) {
            PaintClosedEye(c, ex, EYE_Y);
        } else {
            PaintEye(c, ex, EYE_Y, e);
        }
        for (int i = 0; i < e.lashes && !wink; ++i) {
            float a = (s > 0 ? 1.75f : 1.25f) * PI + s * 0.18f * static_cast<float>(i);
            float px = ex + e.rx * std::cos(a) * 0.95f, py = EYE_Y + e.ry * std::sin(a) * 0.95f;
            Stroke(c, {px, py, px + s * 3.0f, py - 3.0f}, 1.3f, INK);
        }
        PaintBrow(c, ex, s, e, BROW);
    }
    if (e.glasses == 1) {
        for (float s : {-1.0f, 1.0f}) {
            Stroke(c, Arc(CX + s * EYE_DX, EYE_Y, 11.5f, 10.5f, 0, 2 * PI, 24), 2.0f,
                   Ramp(RAMP_GOLD, 0.45f));
        }
        Stroke(c, Arc(CX, EYE_Y + 1.0f, 6.0f, 3.0f, 1.15f * PI, 1.85f * PI, 6), 2.0f,
               Ramp(RAMP_GOLD, 0.45f));
    } else if (e.glasses == 2) {
        for (float s : {-1.0f, 1.0f}) {
            float ex = CX + s * EYE_DX;
            Stroke(c,
                   {ex - 12, EYE_Y - 9, ex + 12, EYE_Y - 9, ex + 11, EYE_Y + 8, ex - 11, EYE_Y + 8,
                    ex - 12, EYE_Y - 9},
                   2.6f, Rgb(30, 30, 40));
        }
        Stroke(c, {CX - 5, EYE_Y - 5, CX + 5, EYE_Y - 5}, 2.6f, Rgb(30, 30, 40));
    }
}

static void EyesClown(Canvas& c)
{
    // Painted blue diamonds through round eyes, raised red brows.
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        Polygon(c, {ex, EYE_Y - 17, ex + 7, EYE_Y, ex, EYE_Y + 17, ex - 7, EYE_Y},
                Lit(RAMP_BLUE, 0.55f, ex - 2, EYE_Y - 6, 8, 16));
        PaintEye(c, ex, EYE_Y, {RAMP_BLUE, 0.4f, 7.5f, 7.5f, 0.0f, 0, 0, 0, 0, 0});
        Stroke(c, Arc(ex, EYE_Y - 8.0f, 9.0f, 8.0f, 1.15f * PI, 1.85f * PI, 8), 3.0f,
               Ramp(RAMP_RED, 0.5f));
    }
}

static void EyesRogue(Canvas& c)
{
    // A painted star round one eye and a squint with a scar on the other: half jester, half rogue.
    float lx = CX - EYE_DX, rx = CX + EYE_DX;
    std::vector<float> star;
    for (int i = 0; i < 10; ++i) {
        float a = -PI / 2 + static_cast<float>(i) * PI / 5.0f, r = i % 2 ? 6.0f : 15.0f;
        star.push_back(lx + r * std::cos(a));
        star.push_back(EYE_Y + r * std::sin(a));
    }
    for (int i = 0; i < 5; ++i) { // a star is five convex wedges round its centre
        int a = 2 * i, b = (2 * i + 1) % 10, d = (2 * i + 9) % 10;
        Polygon(c,
                {lx, EYE_Y, star[2 * d], star[2 * d + 1], star[2 * a], star[2 * a + 1], star[2 * b],
                 star[2 * b + 1]},
                Flat(Ramp(RAMP_GOLD, 0.7f)));
    }
    PaintEye(c, lx, EYE_Y, {RAMP_BROWN, 0.45f, 7.0f, 6.5f, 0.0f, 0, 0, 0, 0, 0});
    PaintBrow(c, lx, -1.0f, {RAMP_BROWN, 0, 8, 6.5f, 0, 5, -2, 2.6f, 0, 0}, BROW);
    PaintEye(c, rx, EYE_Y + 1.0f, {RAMP_BROWN, 0.45f, 8.0f, 5.0f, 0.55f, 0, 0, 0, 0, 0});
    PaintBrow(c, rx, 1.0f, {RAMP_BROWN, 0, 8, 5, 0.5f, -3, 3, 3.0f, 0, 0}, BROW);
    Stroke(c, {rx + 5, EYE_Y - 16, rx - 3, EYE_Y + 12}, 2.2f, Ramp(RAMP_PINK, 0.35f));
    for (float t : {0.3f, 0.55f, 0.8f}) {
        float x = rx + 5 - 8 * t, y = EYE_Y - 16 + 28 * t;
        Stroke(c, {x - 3, y - 1, x + 3, y + 1}, 1.4f, Ramp(RAMP_PINK, 0.35f));
    }
}

static void EyesPatch(Canvas& c)
{
    // A black patch on a strap, the other eye squinting under a heavy brow.
    float lx = CX - EYE_DX, rx = CX + EYE_DX;
    Stroke(c, {26.0f, 40.0f, lx, EYE_Y - 4.0f, 102.0f, 72.0f}, 2.6f, Rgb(28, 24, 26));
    Ellipse(c, lx, EYE_Y + 1.0f, 11.0f, 9.5f, Lit(RAMP_GREY, 0.12f, lx - 3, EYE_Y - 3, 11, 10),
            1.2f);
    PaintEye(c, rx, EYE_Y + 1.0f, {RAMP_TEAL, 0.45f, 8.5f, 5.5f, 0.45f, 0, 0, 0, 0, 0});
    PaintBrow(c, rx, 1.0f, {RAMP_BROWN, 0, 8, 5, 0.5f, -2, 4, 3.4f, 0, 0}, BROW);
}

static void EyesHearts(Canvas& c)
{
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        FillBox(
            c, {ex - 10, EYE_Y - 9, ex + 10, EYE_Y + 10},
            [ex](float x, float y) {
                float lobes = std::min(SdfCircle(x, y, ex - 4.5f, EYE_Y - 3, 5.5f),
                                       SdfCircle(x, y, ex + 4.5f, EYE_Y - 3, 5.5f));
                float point =
                    SdfConvex(x, y, {ex - 9.6f, EYE_Y - 1, ex + 9.6f, EYE_Y - 1, ex, EYE_Y + 10});
                return std::min(lobes, point);
            },
            Lit(RAMP_RED, 0.6f, ex - 3, EYE_Y - 4, 10, 10), 1.3f);
        Circle(c, ex - 5, EYE_Y - 4.5f, 1.6f, Flat(GLINT));
    }
}

static void EyesRobot(Canvas& c)
{
    // Steel-rimmed lenses glowing red, joined by a bar.
    RoundRect(c, CX, EYE_Y, 30.0f, 4.0f, 2.0f, Flat(Ramp(RAMP_STEEL, 0.35f)), 1.2f);
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        Circle(c, ex, EYE_Y, 11.0f, Lit(RAMP_STEEL, 0.6f, ex - 3, EYE_Y - 3, 11, 11), 1.4f);
        Circle(c, ex, EYE_Y, 7.5f, [ex](float x, float y) {
            float d = std::hypot(x - ex, y - EYE_Y) / 7.5f;
            return Ramp(RAMP_RED, 0.95f - 0.55f * d);
        });
        Circle(c, ex - 2.5f, EYE_Y - 2.5f, 1.6f, Flat(GLINT));
    }
}

static void EyesAlien(Canvas& c)
{
    // Huge slanted black eyes with a blue sheen.
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * 18.0f;
        FillBox(
            c, {ex - 14, EYE_Y - 12, ex + 14, EYE_Y + 12},
            [ex, s](float x, float y) {
                // An ellipse turned so its outer end rises.
                float a = s * -0.45f, dx = x - ex, dy = y - EYE_Y;
                float u = dx * std::cos(a) + dy * std::sin(a);
                float v = -dx * std::sin(a) + dy * std::cos(a);
                return SdfEllipse(u, v, 0, 0, 13.0f, 7.5f);
            },
            [](float, float y) {
                // Black on top, a blue sheen pooling at the bottom.
                float t = std::clamp((y - EYE_Y + 8) / 16.0f, 0.0f, 1.0f);
                return ArtMix(Rgb(8, 10, 20), Ramp(RAMP_NAVY, 0.45f), t * t * 0.8f);
            },
            1.2f);
        Ellipse(c, ex - s * 3.0f, EYE_Y - 3.0f, 3.5f, 2.0f, Flat(Rgb(220, 236, 255)));
    }
}

static void EyesCat(Canvas& c)
{
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        Ellipse(c, ex, EYE_Y, 9.0f, 7.5f, Lit(RAMP_AMBER, 0.72f, ex - 2, EYE_Y - 2, 9, 8, 0.4f),
                1.4f);
        Ellipse(c, ex, EYE_Y, 1.8f, 6.5f, Flat(Rgb(16, 12, 10)));
        Circle(c, ex - 3.0f, EYE_Y - 3.0f, 1.3f, Flat(GLINT));
        Stroke(c, {ex - s * 9.0f, EYE_Y - 2.0f, ex + s * 12.0f, EYE_Y - 8.0f}, 1.8f, INK);
    }
}

static void EyesSpiral(Canvas& c)
{
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        Circle(c, ex, EYE_Y, 9.5f, Flat(EYE_WHITE), 1.4f);
        std::vector<float> p;
        for (int i = 0; i <= 40; ++i) {
            float a = s * static_cast<float>(i) * 0.42f,
                  r = 0.5f + 8.0f * static_cast<float>(i) / 40.0f;
            p.push_back(ex + r * std::cos(a));
            p.push_back(EYE_Y + r * std::sin(a));
        }
        Stroke(c, p, 1.6f, Ramp(RAMP_PURPLE, 0.35f));
    }
}

static void EyesCyclops(Canvas& c)
{
    // One big eye in the middle of the face.
    FillBox(
        c, {CX - 18, EYE_Y - 14, CX + 18, EYE_Y + 14},
        [](float x, float y) { return SdfEllipse(x, y, CX, EYE_Y, 17.0f, 13.0f); }, Flat(EYE_WHITE),
        1.6f);
    Circle(c, CX, EYE_Y + 1, 8.5f, Lit(RAMP_PURPLE, 0.55f, CX - 3, EYE_Y - 3, 9, 9, 0.5f));
    Circle(c, CX, EYE_Y + 1, 4.0f, Flat(Rgb(16, 12, 14)));
    Circle(c, CX - 3, EYE_Y - 2.5f, 2.0f, Flat(GLINT));
    Stroke(c, Arc(CX, EYE_Y, 17.0f, 13.0f, 1.1f * PI, 1.9f * PI, 12), 2.2f, INK);
    Stroke(c, {CX - 16, EYE_Y - 20, CX, EYE_Y - 23, CX + 16, EYE_Y - 20}, 3.0f, BROW);
}

static void EyesMartian(Canvas& c)
{
    // Three yellow eyes with slit pupils: two and one above.
    const float spots[3][3] = {
        {CX - 17, EYE_Y + 2, 7.5f}, {CX + 17, EYE_Y + 2, 7.5f}, {CX, EYE_Y - 14, 6.5f}};
    for (const auto& e : spots) {
        Circle(c, e[0], e[1], e[2], Lit(RAMP_GOLD, 0.8f, e[0] - 2, e[1] - 2, e[2], e[2], 0.4f),
               1.5f);
        Ellipse(c, e[0], e[1], 1.6f, e[2] * 0.8f, Flat(Rgb(20, 30, 10)));
        Circle(c, e[0] - 2.2f, e[1] - 2.2f, 1.3f, Flat(GLINT));
    }
}

// ---- layer 2: noses ----

static void NoseOrdinary(Canvas& c, int f)
{
    const float y = NOSE_Y;
    switch (f) {
        case 0: // button
            Stroke(c, Arc(CX, y + 2, 6.0f, 4.0f, 0.15f * PI, 0.85f * PI, 8), 2.0f, CREASE);
            for (float s : {-1.0f, 1.0f}) {
                Ellipse(c, CX + s * 3.2f, y + 3.5f, 1.6f, 1.1f, Flat(CREASE));
            }
            break;
        case 1: // long and straight
            Stroke(c, {CX - 3, y - 16, CX - 2, y - 2, CX + 3, y + 5, CX, y + 7, CX - 4, y + 6},
                   1.8f, CREASE);
            break;
        case 2: // wide, flared
            Stroke(c, Arc(CX, y + 1, 10.0f, 6.0f, 0.1f * PI, 0.9f * PI, 10), 2.0f, CREASE);
            StrokeBoth(c, Arc(CX - 9, y + 1, 3.5f, 4.5f, 0.4f * PI, 1.4f * PI, 6), 2.0f, CREASE);
            break;
        case 3: // hooked bridge
            Stroke(c, {CX + 1, y - 16, CX + 5, y - 8, CX + 7, y + 2, CX + 3, y + 6, CX - 3, y + 5},
                   2.0f, CREASE);
            Ellipse(c, CX - 3, y + 3, 1.5f, 1.0f, Flat(CREASE));
            break;
        case 4: // small, with freckles across it
            Stroke(c, Arc(CX, y + 2, 4.0f, 3.0f, 0.1f * PI, 0.9f * PI, 8), 1.8f, CREASE);
            for (int i = 0; i < 12; ++i) {
                float s = i % 2 ? 1.0f : -1.0f;
                Circle(c,
                       CX + s * (8.0f + 4.0f * static_cast<float>(i / 2 % 3) +
                                 1.0f * static_cast<float>(i / 6)),
                       y - 2.0f + 3.0f * static_cast<float>(i / 6) + static_cast<float>(i / 2 % 3),
                       1.0f, Flat(Ramp(RAMP_BROWN, 0.45f)));
            }
            break;
        case 5: // round, with rosy cheeks
            Stroke(c, Arc(CX, y, 6.0f, 5.5f, -0.1f * PI, 1.1f * PI, 10), 1.8f, CREASE);
            for (float s : {-1.0f, 1.0f}) {
                Ellipse(c, CX + s * 23.0f, y + 8.0f, 7.0f, 4.5f, Flat(Ramp(RAMP_PINK, 0.66f)));
            }
            break;
        case 6: // snub, turned up
            Stroke(c, {CX - 5, y + 1, CX - 2, y + 4, CX + 2, y + 4, CX + 5, y + 1}, 1.8f, CREASE);
            for (float s : {-1.0f, 1.0f}) {
                Ellipse(c, CX + s * 2.6f, y + 1.5f, 1.4f, 1.8f, Flat(CREASE));
            }
            break;
        case 7: // broad wings
            StrokeBoth(c,
                       {CX - 2, y - 12, CX - 5, y - 2, CX - 9, y + 2, CX - 7, y + 6, CX - 2, y + 5},
                       2.0f, CREASE);
            break;
        case 8: // thin and pointed
            Stroke(c, {CX, y - 14, CX + 5, y + 4, CX - 1, y + 5}, 1.6f, CREASE);
            break;
        default: // big and round, shaded
            Stroke(c, Arc(CX, y + 1, 8.0f, 7.0f, -0.15f * PI, 1.15f * PI, 12), 2.0f, CREASE);
            StrokeBoth(c, {CX - 2, y - 14, CX - 4, y - 6}, 1.6f, CREASE);
            break;
    }
}

static void NoseSpecial(Canvas& c, int f)
{
    const float y = NOSE_Y;
    switch (f) {
        case 10: // the clown's red ball
            Circle(c, CX, y, 9.0f, Lit(RAMP_RED, 0.6f, CX - 3, y - 3, 9, 9, 0.5f), 1.4f);
            break;
        case 11: // a broken hook with a sticking plaster
            Stroke(c, {CX - 2, y - 16, CX + 6, y - 6, CX + 8, y + 2, CX + 3, y + 6, CX - 4, y + 5},
                   2.2f, CREASE);
            RoundRect(c, CX + 3, y - 8, 7.0f, 2.8f, 1.4f, Flat(Ramp(RAMP_CREAM, 0.75f)), 1.0f,
                      Ramp(RAMP_BROWN, 0.4f));
            break;
        case 12: // alien slits
            for (float s : {-1.0f, 1.0f}) {
                Ellipse(c, CX + s * 3.0f, y + 2, 1.2f, 3.0f, Flat(Rgb(24, 40, 20)));
            }
            break;
        case 13: // pig snout
            Ellipse(c, CX, y + 1, 10.0f, 7.5f, Lit(RAMP_PINK, 0.72f, CX - 3, y - 2, 10, 8), 1.4f);
            for (float s : {-1.0f, 1.0f}) {
                Ellipse(c, CX + s * 3.8f, y + 1, 1.8f, 3.0f, Flat(Ramp(RAMP_PINK, 0.15f)));
            }
            break;
        case 14: // a bird's beak
            Polygon(c, {CX - 9, y - 4, CX + 9, y - 4, CX, y + 12},
                    Lit(RAMP_AMBER, 0.6f, CX - 3, y, 9, 10), 1.4f);
            Stroke(c, {CX - 8, y - 1, CX + 8, y - 1}, 1.2f, Ramp(RAMP_AMBER, 0.3f));
            break;
        case 15: // carrot
            Polygon(c, {CX - 2, y - 5, CX - 2, y + 5, CX + 26, y + 2},
                    Lit(RAMP_GINGER, 0.65f, CX + 6, y - 2, 14, 6), 1.3f);
            for (float x : {CX + 6.0f, CX + 13.0f}) {
                Stroke(c, {x, y - 2, x + 1, y + 2}, 1.0f, Ramp(RAMP_GINGER, 0.3f));
            }
            break;
        case 16: // cat nose and whiskers
            Polygon(c, {CX - 5, y, CX + 5, y, CX, y + 5}, Flat(Ramp(RAMP_PINK, 0.5f)), 1.0f);
            for (float s : {-1.0f, 1.0f}) {
                for (float d : {-4.0f, 0.0f, 4.0f}) {
                    Stroke(c, {CX + s * 10, y + 5, CX + s * 30, y + 3 + 1.6f * d}, 1.2f,
                           Rgb(60, 50, 50));
                }
            }
            break;
        case 17: // big red bulb
            Ellipse(c, CX, y + 1, 11.0f, 9.0f, Lit(RAMP_PINK, 0.45f, CX - 4, y - 3, 11, 9, 0.45f),
                    1.4f);
            for (float s : {-1.0f, 1.0f}) {
                Ellipse(c, CX + s * 4.0f, y + 6, 2.0f, 1.2f, Flat(Ramp(RAMP_PINK, 0.12f)));
            }
            break;
        case 18: // robot vent with bolts
            RoundRect(c, CX, y, 7.0f, 8.0f, 2.0f, Lit(RAMP_STEEL, 0.55f, CX - 3, y - 3, 8, 9),
                      1.3f);
            for (float dy : {-4.0f, 0.0f, 4.0f}) {
                Stroke(c, {CX - 4, y + dy, CX + 4, y + dy}, 1.4f, Ramp(RAMP_STEEL, 0.15f));
            }
            break;
        default: // 19: a glowing crystal
            Polygon(c, {CX, y - 10, CX + 6, y, CX, y + 8, CX - 6, y},
                    Lit(RAMP_TEAL, 0.75f, CX - 2, y - 4, 6, 9, 0.5f), 1.3f);
            Stroke(c, {CX, y - 9, CX, y + 7}, 1.0f, Ramp(RAMP_TEAL, 0.95f));
            break;
    }
}

// ---- layer 3: mouths ----

static const ArtColour MOUTH_INSIDE = {70, 16, 24};
static const ArtColour TEETH = {250, 248, 236};

// An open smile: a half-moon of mouth with teeth along the top and a tongue below.
static void OpenSmile(Canvas& c, float w, float h, ArtColour lip, bool teeth, bool tongue,
                      bool gap = false, bool gold = false)
{
    const float y = MOUTH_Y - 3.0f;
    auto shape = [=](float x, float yy) {
        return std::max(SdfEllipse(x, yy, CX, y, w, h), y - yy);
    };
    FillBox(c, {CX - w, y, CX + w, y + h}, shape, Flat(MOUTH_INSIDE), 1.8f, Edge(lip));
    if (tongue) {
        FillBox(
            c, {CX - w, y, CX + w, y + h},
            [=](float x, float yy) {
                return std::max(shape(x, yy), SdfEllipse(x, yy, CX, y + h, w * 0.55f, h * 0.55f));
            },
            Flat(Ramp(RAMP_PINK, 0.55f)));
    }
    if (teeth) {
        FillBox(
            c, {CX - w, y, CX + w, y + h * 0.38f},
            [=](float x, float yy) { return std::max(shape(x, yy), yy - (y + h * 0.36f)); },
            Flat(TEETH));
        for (float x = CX - w * 0.6f; x <= CX + w * 0.61f; x += w * 0.3f) {
            if (!(gap && std::abs(x - CX) < 1.0f)) {
                Stroke(c, {x, y + 0.5f, x, y + h * 0.34f}, 0.9f, Rgb(180, 176, 170));
            }
        }
        if (gap) {
            RoundRect(c, CX, y + h * 0.18f, 2.0f, h * 0.17f, 0.5f, Flat(MOUTH_INSIDE));
        }
        if (gold) {
            RoundRect(c, CX + w * 0.45f, y + h * 0.18f, w * 0.14f, h * 0.16f, 1.0f,
                      Flat(Ramp(RAMP_GOLD, 0.72f)));
        }
    }
}

static void MouthOrdinary(Canvas& c, int f)
{
    const float y = MOUTH_Y;
    const ArtColour lip = Ramp(RAMP_PINK, 0.45f);
    switch (f) {
        case 0: // big smile with teeth
            OpenSmile(c, 15.0f, 11.0f, lip, true, true);
            break;
        case 1: // closed smile
            Stroke(c, Arc(CX, y - 10, 14.0f, 11.0f, 0.2f * PI, 0.8f * PI, 12), 2.4f, Edge(lip));
            StrokeBoth(c, {CX - 15, y - 5, CX - 12, y - 2}, 1.6f, Edge(lip));
            break;
        case 2: // full lips, gentle smile
            FillBox(
                c, {CX - 14, y - 7, CX + 14, y + 7},
                [=](float x, float yy) {
                    float upper = SdfEllipse(x, yy, CX, y - 1, 13.0f, 5.0f) -
                                  1.5f * std::exp(-std::pow((x - CX) / 3.0f, 2.0f)) *
                                      (yy < y - 3 ? -1.0f : 0.0f);
                    return std::min(upper, SdfEllipse(x, yy, CX, y + 2, 11.0f, 5.0f));
                },
                Lit(RAMP_PINK, 0.5f, CX - 4, y - 4, 14, 7, 0.4f), 1.2f, Edge(lip));
            Stroke(c, Arc(CX, y - 10, 13.0f, 11.0f, 0.25f * PI, 0.75f * PI, 10), 1.4f,
                   Ramp(RAMP_PINK, 0.2f));
            break;
        case 3: // lopsided grin
            FillBox(
                c, {CX - 16, y - 6, CX + 16, y + 8},
                [=](float x, float yy) {
                    float tilt = (x - CX) * 0.18f;
                    return std::max(SdfEllipse(x, yy + tilt, CX + 2, y - 2, 14.0f, 9.0f),
                                    y - 2 - tilt - yy);
                },
                Flat(TEETH), 1.8f, Edge(lip));
            Stroke(c, {CX - 10, y + 1.5f, CX + 12, y - 2.5f}, 1.0f, Rgb(180, 176, 170));
            break;
        case 4: // a small "oh"
            Ellipse(c, CX, y, 5.5f, 6.5f, Flat(MOUTH_INSIDE), 2.2f, Edge(lip));
            break;
        case 5: // laughing, wide open
            OpenSmile(c, 14.0f, 14.0f, lip, true, true);
            break;
        case 6: // moustache over a small smile
            Stroke(c, Arc(CX, y - 6, 8.0f, 6.0f, 0.25f * PI, 0.75f * PI, 8), 2.0f, Edge(lip));
            FillBox(
                c, {CX - 20, y - 14, CX + 20, y - 2},
                [=](float x, float yy) {
                    float s = x < CX ? -1.0f : 1.0f;
                    float d = SdfEllipse(x, yy, CX + s * 8.0f, y - 8, 10.0f, 4.5f);
                    float tip = SdfCircle(x, yy, CX + s * 17.0f, y - 9, 2.6f);
                    return std::min(d, tip);
                },
                HairShade(RAMP_BROWN, 0.35f), 1.2f);
            break;
        case 7: // smirk
            Stroke(c, {CX - 12, y - 1, CX - 2, y + 1, CX + 8, y - 1, CX + 13, y - 5}, 2.4f,
                   Edge(lip));
            Stroke(c, {CX + 12, y - 1, CX + 14, y - 4}, 1.4f, Edge(lip));
            break;
        case 8: // red lipstick smile
            FillBox(
                c, {CX - 15, y - 6, CX + 15, y + 8},
                [=](float x, float yy) {
                    float smile = SdfEllipse(x, yy, CX, y - 7, 15.0f, 13.0f);
                    return std::max(smile, -SdfEllipse(x, yy, CX, y - 11, 15.0f, 13.0f));
                },
                Lit(RAMP_RED, 0.5f, CX - 4, y, 15, 6, 0.4f), 1.2f, Ramp(RAMP_RED, 0.2f));
            break;
        default: // toothy grin with a gap
            OpenSmile(c, 13.0f, 9.0f, lip, true, false, true);
            break;
    }
}

static void MouthSpecial(Canvas& c, int f)
{
    const float y = MOUTH_Y;
    switch (f) {
        case 10: { // the clown's wide painted grin, with a gold tooth
            FillBox(
                c, {CX - 26, y - 14, CX + 26, y + 14},
                [=](float x, float yy) {
                    return std::max(SdfEllipse(x, yy, CX, y - 8, 25.0f, 20.0f),
                                    -SdfEllipse(x, yy, CX, y - 16, 25.0f, 20.0f) - 4.0f);
                },
                Lit(RAMP_RED, 0.55f, CX - 6, y, 24, 10, 0.4f), 1.4f);
            OpenSmile(c, 15.0f, 10.0f, Ramp(RAMP_RED, 0.5f), true, true, false, true);
            break;
        }
        case 11: // vampire fangs
            Stroke(c, Arc(CX, y - 10, 14.0f, 10.0f, 0.2f * PI, 0.8f * PI, 12), 2.4f,
                   Edge(Ramp(RAMP_RED, 0.4f)));
            for (float s : {-1.0f, 1.0f}) {
                Polygon(c, {CX + s * 5, y - 1, CX + s * 10, y - 1.5f, CX + s * 7.5f, y + 7},
                        Flat(TEETH), 1.0f);
            }
            break;
        case 12: // alien "o"
            Ellipse(c, CX, y, 6.0f, 5.0f, Flat(Rgb(20, 34, 16)), 1.8f, Ramp(RAMP_LIME, 0.3f));
            break;
        case 13: // alien slit, thin and wavy
            Stroke(c,
                   {CX - 14, y - 2, CX - 7, y + 1.5f, CX, y - 1, CX + 7, y + 1.5f, CX + 14, y - 2},
                   2.6f, Rgb(24, 40, 20));
            break;
        case 14: // robot speaker grille
            RoundRect(c, CX, y, 16.0f, 7.0f, 2.5f, Lit(RAMP_STEEL, 0.4f, CX - 6, y - 3, 16, 7),
                      1.4f);
            for (float x = CX - 12; x <= CX + 12.1f; x += 4.0f) {
                Stroke(c, {x, y - 4, x, y + 4}, 1.6f, Ramp(RAMP_STEEL, 0.1f));
            }
            break;
        case 15: // tongue out
            Stroke(c, Arc(CX, y - 10, 13.0f, 9.0f, 0.2f * PI, 0.8f * PI, 12), 2.4f,
                   Edge(Ramp(RAMP_PINK, 0.45f)));
            FillBox(
                c, {CX - 7, y - 1, CX + 7, y + 14},
                [=](float x, float yy) {
                    return SdfRoundBox(x, yy, CX + 1, y + 5, 6.0f, 8.0f, 5.5f);
                },
                Lit(RAMP_PINK, 0.6f, CX - 2, y + 3, 7, 9), 1.2f, Ramp(RAMP_PINK, 0.2f));
            Stroke(c, {CX + 1, y + 1, CX + 1, y + 7}, 1.0f, Ramp(RAMP_PINK, 0.35f));
            break;
        case 16: // buck teeth
            Stroke(c, Arc(CX, y - 9, 13.0f, 8.0f, 0.2f * PI, 0.8f * PI, 12), 2.4f,
                   Edge(Ramp(RAMP_PINK, 0.45f)));
            for (float s : {-1.0f, 1.0f}) {
                RoundRect(c, CX + s * 3.2f, y + 1, 3.0f, 5.0f, 1.0f, Flat(TEETH), 1.0f);
            }
            break;
        case 17: // kiss with a heart
            Ellipse(c, CX, y, 7.0f, 5.5f, Lit(RAMP_RED, 0.55f, CX - 2, y - 2, 7, 6, 0.4f), 1.2f);
            Stroke(c, {CX - 5, y, CX + 5, y}, 1.0f, Ramp(RAMP_RED, 0.25f));
            FillBox(
                c, {CX + 12, y - 14, CX + 26, y - 2},
                [=](float x, float yy) {
                    float lobes = std::min(SdfCircle(x, yy, CX + 16, y - 10, 3.2f),
                                           SdfCircle(x, yy, CX + 22, y - 10, 3.2f));
                    return std::min(
                        lobes,
                        SdfConvex(x, yy, {CX + 13.3f, y - 9, CX + 24.7f, y - 9, CX + 19, y - 3}));
                },
                Flat(Ramp(RAMP_RED, 0.62f)));
            break;
        case 18: // zig-zag stitches
            Stroke(c, {CX - 14, y, CX + 14, y}, 2.0f, INK);
            for (float x = CX - 11; x <= CX + 11.1f; x += 5.5f) {
                Stroke(c, {x, y - 4, x, y + 4}, 1.6f, INK);
            }
            break;
        default: // 19: a glowing wave on a dark screen
            RoundRect(c, CX, y, 16.0f, 7.5f, 3.0f, Flat(Rgb(14, 28, 22)), 1.4f,
                      Ramp(RAMP_STEEL, 0.35f));
            {
                std::vector<float> p;
                for (int i = 0; i <= 16; ++i) {
                    float x = CX - 12.0f + 1.5f * static_cast<float>(i);
                    p.push_back(x);
                    p.push_back(y + 3.5f * std::sin(static_cast<float>(i) * 0.9f));
                }
                Stroke(c, p, 1.6f, Ramp(RAMP_LIME, 0.85f));
            }
            break;
    }
}

// ---- the sheet ----

static void PaintHead(Canvas& c, int f)
{
    if (f < 10) {
        PaintPerson(c, PEOPLE[f]);
        return;
    }
    switch (f) {
        case 10:
            HeadClown(c);
            break;
        case 11:
            HeadPirate(c);
            break;
        case 12:
            HeadRobot(c);
            break;
        case 13:
            HeadCat(c);
            break;
        case 14:
            HeadFish(c);
            break;
        case 15:
            HeadTwoTone(c);
            break;
        case 16:
            HeadImp(c);
            break;
        case 17:
            HeadAlien(c);
            break;
        case 18:
            HeadCyborg(c);
            break;
        default:
            HeadMartian(c);
            break;
    }
}

static void PaintEyesPicture(Canvas& c, int f)
{
    if (f < 10) {
        PaintEyes(c, EYES[f], f);
        return;
    }
    switch (f) {
        case 10:
            EyesClown(c);
            break;
        case 11:
            EyesRogue(c);
            break;
        case 12:
            EyesPatch(c);
            break;
        case 13:
            EyesHearts(c);
            break;
        case 14:
            EyesRobot(c);
            break;
        case 15:
            EyesAlien(c);
            break;
        case 16:
            EyesCat(c);
            break;
        case 17:
            EyesSpiral(c);
            break;
        case 18:
            EyesCyclops(c);
            break;
        default:
            EyesMartian(c);
            break;
    }
}

void PaintFaceLayer(Canvas& canvas, int layer, int frame)
{
    CanvasInit(canvas, CELL, CELL, {0, 0, 0}, 0.0f);
    if (frame < 0 || frame >= 20) {
        return;
    }
    switch (layer) {
        case 0:
            PaintHead(canvas, frame);
            break;
        case 1:
            PaintEyesPicture(canvas, frame);
            break;
        case 2:
            frame < 10 ? NoseOrdinary(canvas, frame) : NoseSpecial(canvas, frame);
            break;
        default:
            frame < 10 ? MouthOrdinary(canvas, frame) : MouthSpecial(canvas, frame);
            break;
    }
}

int FaceSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, SHEET_WIDTH, SHEET_HEIGHT, CELL, CELL, COLUMNS, ART_KEY_FACE,
              static_cast<uint8_t>(ArtRampIndex(RAMP_GREY, 0.5f)));
    Canvas canvas;
    for (int layer = 0; layer < 4; ++layer) {
        for (int frame = 0; frame < 20; ++frame) {
            PaintFaceLayer(canvas, layer, frame);
            // Row L holds the ordinary pictures, row L + 4 the special ones.
            int row = frame < 10 ? layer : layer + 4;
            if (!SheetPutCell(sheet, row * COLUMNS + frame % 10, canvas)) {
                return 0;
            }
        }
    }
    // Cell (0, 8), the blank layer, and the rest of row 8 stay key colour.
    return SheetWrite(sheet, dir, "FaceTile.BMP");
}
