// Layer 0 of the face: ten ordinary people with their hair, shirts and ears, and ten mutations.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/face_parts.h"

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

// The shoulders, the shirt and the neck under a head.
static void PaintBody(Canvas& c, ArtRamp shirt, const Shade& skin)
{
    FaceRoundRect(c, CX, 112.0f, 12.0f, 14.0f, 5.0f, skin, 1.4f);
    FaceEllipse(c, CX, 140.0f, 58.0f, 24.0f,
                FaceLit(shirt, 0.55f, CX - 20.0f, 120.0f, 70.0f, 40.0f), 1.4f);
    // The collar: a V of skin and two flaps.
    FacePolygon(c, {CX - 10.0f, 117.0f, CX + 10.0f, 117.0f, CX, 127.0f}, skin);
    FacePolygon(c, {CX - 14.0f, 116.0f, CX - 1.0f, 128.0f, CX - 16.0f, 124.0f},
                FaceFlat(FaceRamp(shirt, 0.78f)), 1.0f, FaceEdge(FaceRamp(shirt, 0.5f)));
    FacePolygon(c, {CX + 14.0f, 116.0f, CX + 16.0f, 124.0f, CX + 1.0f, 128.0f},
                FaceFlat(FaceRamp(shirt, 0.78f)), 1.0f, FaceEdge(FaceRamp(shirt, 0.5f)));
}

static void PaintEars(Canvas& c, const Shade& skin, ArtColour inner)
{
    for (float s : {-1.0f, 1.0f}) {
        FaceEllipse(c, CX + s * 41.0f, 70.0f, 7.5f, 11.0f, skin, 1.4f);
        FaceStroke(c,
                   FaceArc(CX + s * 41.5f, 70.0f, 3.5f, 6.0f, s < 0 ? 0.6f * PI : -0.4f * PI,
                           s < 0 ? 1.4f * PI : 0.4f * PI, 6),
                   1.4f, inner);
    }
}

// The head oval and its skin.
static void PaintFace(Canvas& c, const Shade& skin)
{
    FaceEllipse(c, CX, HEAD_Y, HEAD_RX, HEAD_RY, skin, 1.6f);
}

// Hair that falls behind the head (drawn before it).
static void PaintHairBack(Canvas& c, const Person& p)
{
    Shade hair = FaceHairShade(p.hair, p.hairShade - 0.08f);
    switch (p.style) {
        case HAIR_LONG:
            FaceFillBox(
                c, {14, 10, 114, 124},
                [](float x, float y) {
                    return std::max(SdfRoundBox(x, y, CX, 70.0f, 50.0f, 56.0f, 30.0f),
                                    -SdfEllipse(x, y, CX, 140.0f, 26.0f, 22.0f));
                },
                hair, 1.4f);
            break;
        case HAIR_AFRO:
            FaceFillBox(
                c, {4, 0, 124, 100},
                [](float x, float y) {
                    float a = std::atan2(y - 48.0f, x - CX);
                    return SdfEllipse(x, y, CX, 48.0f, 58.0f, 47.0f) + 2.5f * std::sin(a * 14.0f);
                },
                hair, 1.4f);
            break;
        case HAIR_BOB:
            FaceFillBox(
                c, {16, 10, 112, 104},
                [](float x, float y) { return SdfRoundBox(x, y, CX, 56.0f, 48.0f, 46.0f, 26.0f); },
                hair, 1.4f);
            break;
        case HAIR_BUN:
            FaceCircle(c, CX, 12.0f, 14.0f, hair, 1.4f);
            break;
        case HAIR_PIGTAILS:
            for (float s : {-1.0f, 1.0f}) {
                FaceEllipse(c, CX + s * 50.0f, 76.0f, 12.0f, 20.0f, hair, 1.4f);
                FaceCircle(c, CX + s * 45.0f, 56.0f, 4.0f,
                           FaceLit(RAMP_RED, 0.6f, CX + s * 44.0f, 55.0f, 4, 4), 1.0f);
            }
            break;
        default:
            break;
    }
}

// The hair over the top of the head: a cap of the head's outline cut by a hairline.
static void PaintHairFront(Canvas& c, const Person& p)
{
    Shade hair = FaceHairShade(p.hair, p.hairShade);
    auto cap = [&](auto hairline) {
        FaceFillBox(
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
            FaceStroke(c, {50.0f, 16.0f, 44.0f, 30.0f}, 1.2f,
                       FaceEdge(FaceRamp(p.hair, p.hairShade)));
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
                FaceStroke(c, {x, 24.0f, x + 1.0f, 36.0f}, 1.0f,
                           FaceEdge(FaceRamp(p.hair, p.hairShade)));
            }
            break;
        case HAIR_BUN:
        case HAIR_PIGTAILS:
            cap([&](float x) { return sides(x, 26.0f + 0.2f * std::abs(x - CX), 58.0f); });
            FaceStroke(c, {CX, 12.0f, CX, 26.0f}, 1.2f, FaceEdge(FaceRamp(p.hair, p.hairShade)));
            break;
        case HAIR_CROP:
            cap([&](float x) { return sides(x, 28.0f, 56.0f); });
            break;
        case HAIR_QUIFF:
            cap([&](float x) { return sides(x, 32.0f, 56.0f); });
            FaceEllipse(c, CX - 4.0f, 16.0f, 34.0f, 14.0f, hair, 1.4f);
            FaceStroke(c, FaceArc(CX - 4.0f, 22.0f, 24.0f, 10.0f, 1.05f * PI, 1.8f * PI, 8), 1.2f,
                       FaceEdge(FaceRamp(p.hair, p.hairShade)));
            break;
        case HAIR_SPIKY: {
            for (int i = 0; i < 7; ++i) {
                float x = 28.0f + 12.0f * static_cast<float>(i);
                float top = 2.0f + 4.0f * std::abs(static_cast<float>(i) - 3.0f);
                FacePolygon(c, {x - 9.0f, 34.0f, x, top, x + 9.0f, 34.0f}, hair, 1.4f);
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
    Shade hair = FaceHairShade(p.hair, p.hairShade);
    FaceFillBox(
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
    return FaceLit(RAMP_SKIN, tone, CX - 6.0f, HEAD_Y - 10.0f, 56.0f, 64.0f, 0.22f);
}

static void PaintPerson(Canvas& c, const Person& p)
{
    Shade skin = SkinShade(p.skin);
    PaintHairBack(c, p);
    PaintBody(c, p.shirt, skin);
    PaintEars(c, skin, FaceRamp(RAMP_SKIN, p.skin - 0.25f));
    PaintFace(c, skin);
    if (p.freckles) {
        for (float s : {-1.0f, 1.0f}) {
            for (int i = 0; i < 5; ++i) {
                FaceCircle(c, CX + s * (24.0f + static_cast<float>(i % 3) * 4.0f),
                           78.0f + static_cast<float>(i / 3) * 4.0f + static_cast<float>(i % 2),
                           1.0f, FaceFlat(FaceRamp(RAMP_GINGER, 0.45f)));
            }
        }
    }
    if (p.beard) {
        PaintBeard(c, p);
    }
    PaintHairFront(c, p);
}

// ---- the mutated heads ----

static void HeadClown(Canvas& c)
{
    Shade paint = FaceLit(RAMP_GREY, 0.97f, CX - 6, HEAD_Y - 10, 56, 64, 0.12f);
    PaintBody(c, RAMP_GOLD, paint);
    // A ruff of coloured frills under the chin.
    for (int i = 0; i < 7; ++i) {
        ArtRamp r = i % 3 == 0 ? RAMP_RED : (i % 3 == 1 ? RAMP_BLUE : RAMP_GOLD);
        FaceCircle(c, 28.0f + 12.0f * static_cast<float>(i),
                   120.0f - 4.0f * std::sin(static_cast<float>(i) * PI / 6.0f), 9.0f,
                   FaceLit(r, 0.6f, 26.0f + 12.0f * static_cast<float>(i), 116.0f, 10, 10), 1.2f);
    }
    PaintEars(c, paint, FaceRamp(RAMP_GREY, 0.7f));
    PaintFace(c, paint);
    // Bright red tufts on the sides of a bald top.
    for (float s : {-1.0f, 1.0f}) {
        for (int i = 0; i < 4; ++i) {
            FaceCircle(c, CX + s * (40.0f + 4.0f * static_cast<float>(i % 2)),
                       30.0f + 9.0f * static_cast<float>(i), 10.0f, FaceHairShade(RAMP_RED, 0.62f),
                       1.2f);
        }
    }
    // A little polka-dot hat.
    FacePolygon(c, {CX - 12, 17, CX + 12, 17, CX + 3, 4, CX - 3, 4},
                FaceLit(RAMP_BLUE, 0.6f, CX - 4, 8, 12, 12), 1.3f);
    FaceCircle(c, CX, 4.5f, 4.0f, FaceLit(RAMP_GOLD, 0.7f, CX - 1, 3.5f, 4, 4), 1.0f);
    for (float x : {CX - 5.0f, CX + 4.0f}) {
        FaceCircle(c, x, 12.0f, 1.8f, FaceFlat(FaceRamp(RAMP_GOLD, 0.85f)));
    }
}

static void HeadPirate(Canvas& c)
{
    const Person p = {0.58f, RAMP_GREY, 0.1f, HAIR_NONE, RAMP_CREAM, true, false};
    Shade skin = SkinShade(p.skin);
    // Long black hair behind and a striped shirt.
    FaceFillBox(
        c, {16, 30, 112, 112},
        [](float x, float y) { return SdfRoundBox(x, y, CX, 70.0f, 48.0f, 40.0f, 20.0f); },
        FaceHairShade(RAMP_GREY, 0.06f), 1.4f);
    PaintBody(c, RAMP_CREAM, skin);
    for (float y = 122.0f; y < 130.0f; y += 5.0f) {
        FaceStroke(c, {12.0f, y, 50.0f, y}, 2.0f, FaceRamp(RAMP_RED, 0.45f));
        FaceStroke(c, {78.0f, y, 116.0f, y}, 2.0f, FaceRamp(RAMP_RED, 0.45f));
    }
    PaintEars(c, skin, FaceRamp(RAMP_SKIN, 0.35f));
    // A gold earring.
    FaceStroke(c, FaceArc(CX + 42.0f, 84.0f, 4.0f, 4.0f, 0, 2 * PI, 12), 1.8f,
               FaceRamp(RAMP_GOLD, 0.7f));
    PaintFace(c, skin);
    PaintBeard(c, p);
    // The red bandana with white dots, knotted at the side.
    FaceFillBox(
        c, {14, 4, 114, 44},
        [](float x, float y) {
            return std::max(SdfEllipse(x, y, CX, HEAD_Y - 2, HEAD_RX + 5, HEAD_RY + 4),
                            y - (36.0f + 0.004f * (x - CX) * (x - CX)));
        },
        FaceLit(RAMP_RED, 0.55f, CX - 10, 10, 50, 30), 1.4f);
    for (int i = 0; i < 9; ++i) {
        FaceCircle(c, 34.0f + 7.5f * static_cast<float>(i),
                   22.0f + 8.0f * static_cast<float>(i % 2), 1.8f,
                   FaceFlat(FaceRgb(250, 240, 230)));
    }
    FacePolygon(c, {104, 36, 120, 30, 118, 46}, FaceLit(RAMP_RED, 0.5f, 110, 36, 10, 10), 1.2f);
    FacePolygon(c, {104, 38, 114, 52, 104, 54}, FaceLit(RAMP_RED, 0.45f, 106, 46, 10, 10), 1.2f);
}

static void HeadRobot(Canvas& c)
{
    Shade metal = [](float x, float y) {
        float t = 0.45f + 0.35f * (1.0f - (x - 22.0f) / 84.0f) - 0.1f * (y - 10.0f) / 110.0f;
        return FaceRamp(RAMP_STEEL, t);
    };
    // Neck of rings, square shoulders.
    FaceRoundRect(c, CX, 140.0f, 56.0f, 24.0f, 10.0f, FaceLit(RAMP_STEEL, 0.45f, 40, 120, 60, 30),
                  1.4f);
    for (float y : {112.0f, 118.0f}) {
        FaceRoundRect(c, CX, y, 14.0f, 3.0f, 2.0f, FaceFlat(FaceRamp(RAMP_STEEL, 0.3f)), 1.0f);
    }
    // Bolts for ears, an antenna with a red light.
    for (float s : {-1.0f, 1.0f}) {
        FaceRoundRect(c, CX + s * 46.0f, 66.0f, 6.0f, 12.0f, 3.0f,
                      FaceFlat(FaceRamp(RAMP_STEEL, 0.35f)), 1.3f);
        FaceCircle(c, CX + s * 47.0f, 66.0f, 3.0f, FaceFlat(FaceRamp(RAMP_STEEL, 0.8f)), 1.0f);
    }
    FaceStroke(c, {CX, 16.0f, CX, 3.0f}, 2.4f, FaceRamp(RAMP_STEEL, 0.3f));
    FaceCircle(c, CX, 4.0f, 4.5f, FaceLit(RAMP_RED, 0.75f, CX - 1.5f, 2.5f, 4.5f, 4.5f), 1.0f);
    FaceRoundRect(c, CX, 62.0f, 42.0f, 50.0f, 12.0f, metal, 1.8f);
    // Panel seams and rivets.
    FaceStroke(c, {26.0f, 30.0f, 102.0f, 30.0f}, 1.2f, FaceRamp(RAMP_STEEL, 0.25f));
    for (float x : {30.0f, 98.0f}) {
        for (float y : {20.0f, 104.0f}) {
            FaceCircle(c, x, y, 2.2f, FaceLit(RAMP_STEEL, 0.8f, x - 0.7f, y - 0.7f, 2.2f, 2.2f),
                       0.8f);
        }
    }
}

static void HeadCat(Canvas& c)
{
    Shade fur = [](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - CX) / 56.0f, (y - 54.0f) / 64.0f, &glint);
        return FaceRamp(RAMP_GINGER, 0.55f + 0.3f * (light - 0.6f));
    };
    PaintBody(c, RAMP_TEAL, fur);
    for (float s : {-1.0f, 1.0f}) {
        FacePolygon(c, {CX + s * 16.0f, 24.0f, CX + s * 42.0f, -2.0f, CX + s * 42.0f, 40.0f}, fur,
                    1.4f);
        FacePolygon(c, {CX + s * 24.0f, 22.0f, CX + s * 38.0f, 8.0f, CX + s * 38.0f, 30.0f},
                    FaceFlat(FaceRamp(RAMP_PINK, 0.75f)));
    }
    PaintFace(c, fur);
    // Tabby stripes on the forehead and cheeks.
    for (float dx : {-8.0f, 0.0f, 8.0f}) {
        FaceStroke(c, {CX + dx, 14.0f, CX + dx * 0.8f, 30.0f}, 3.0f, FaceRamp(RAMP_GINGER, 0.28f));
    }
    for (float s : {-1.0f, 1.0f}) {
        for (float y : {66.0f, 76.0f}) {
            FaceStroke(c, {CX + s * 42.0f, y, CX + s * 32.0f, y + 2.0f}, 2.6f,
                       FaceRamp(RAMP_GINGER, 0.28f));
        }
    }
    // Pale muzzle.
    FaceEllipse(c, CX, 92.0f, 24.0f, 20.0f, FaceFlat(FaceRamp(RAMP_CREAM, 0.9f)));
}

static void HeadFish(Canvas& c)
{
    Shade scales = [](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - CX + 6) / 56.0f, (y - 54.0f) / 64.0f, &glint);
        float sx = std::fmod(x + (static_cast<int>(y / 6.0f) % 2) * 4.0f, 8.0f) - 4.0f;
        float sy = std::fmod(y, 6.0f);
        float scale = (sx * sx / 16.0f + sy / 6.0f) > 1.0f ? -0.06f : 0.0f;
        return ArtMix(FaceRamp(RAMP_TEAL, 0.6f + 0.3f * (light - 0.6f) + scale), GLINT,
                      0.3f * glint);
    };
    PaintBody(c, RAMP_NAVY, scales);
    // Fins for ears and a crest along the top.
    for (float s : {-1.0f, 1.0f}) {
        FacePolygon(c,
                    {CX + s * 38.0f, 56.0f, CX + s * 58.0f, 50.0f, CX + s * 56.0f, 90.0f,
                     CX + s * 38.0f, 82.0f},
                    FaceLit(RAMP_BLUE, 0.6f, CX + s * 48, 60, 16, 30), 1.3f);
    }
    FacePolygon(c, {CX - 14, 16, CX, -4, CX + 22, 2, CX + 18, 20},
                FaceLit(RAMP_BLUE, 0.62f, CX, 6, 20, 14), 1.3f);
    PaintFace(c, scales);
    for (float s : {-1.0f, 1.0f}) {
        for (int i = 0; i < 3; ++i) {
            FaceStroke(c,
                       FaceArc(CX + s * 38.0f, 86.0f + 5.0f * static_cast<float>(i), 5.0f, 3.0f,
                               s < 0 ? -0.4f * PI : 0.6f * PI, s < 0 ? 0.4f * PI : 1.4f * PI, 6),
                       1.3f, FaceRamp(RAMP_TEAL, 0.25f));
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
        return FaceRamp(r, (r == RAMP_PURPLE ? 0.62f : 0.72f) + 0.22f * (light - 0.6f));
    };
    PaintBody(c, RAMP_LIME, skin);
    PaintEars(c, skin, FaceRamp(RAMP_PURPLE, 0.35f));
    PaintFace(c, skin);
    Person hair = {0.7f, RAMP_PINK, 0.55f, HAIR_SHORT, RAMP_LIME, false, false};
    PaintHairFront(c, hair);
    // A mohawk stripe down the middle.
    for (int i = 0; i < 5; ++i) {
        FacePolygon(c,
                    {CX - 7.0f, 24.0f + 2.0f * static_cast<float>(i), CX + 7.0f,
                     24.0f + 2.0f * static_cast<float>(i), CX + 2.0f - static_cast<float>(i),
                     -2.0f + 6.0f * static_cast<float>(i)},
                    FaceHairShade(RAMP_LIME, 0.6f), 1.2f);
    }
}

static void HeadImp(Canvas& c)
{
    Shade skin = FaceLit(RAMP_RED, 0.58f, CX - 6, HEAD_Y - 10, 56, 64, 0.24f);
    PaintBody(c, RAMP_GREY, skin);
    // Pointed ears and two horns.
    for (float s : {-1.0f, 1.0f}) {
        FacePolygon(c, {CX + s * 36.0f, 60.0f, CX + s * 58.0f, 50.0f, CX + s * 38.0f, 82.0f}, skin,
                    1.4f);
        FacePolygon(c, {CX + s * 14.0f, 22.0f, CX + s * 34.0f, -2.0f, CX + s * 30.0f, 28.0f},
                    FaceLit(RAMP_CREAM, 0.7f, CX + s * 26, 8, 12, 16), 1.4f);
    }
    PaintFace(c, skin);
    // A widow's peak of black hair.
    Person hair = {0.5f, RAMP_GREY, 0.1f, HAIR_NONE, RAMP_GREY, false, false};
    Shade hs = FaceHairShade(hair.hair, hair.hairShade);
    FaceFillBox(
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
    Shade skin = FaceLit(RAMP_LIME, 0.7f, CX - 10, 30, 60, 80, 0.34f);
    FaceRoundRect(c, CX, 112.0f, 9.0f, 14.0f, 4.0f, skin, 1.4f);
    FaceEllipse(c, CX, 142.0f, 54.0f, 24.0f, FaceLit(RAMP_STEEL, 0.6f, CX - 20, 120, 70, 40), 1.4f);
    FaceRoundRect(c, CX, 122.0f, 22.0f, 4.0f, 3.0f, FaceFlat(FaceRamp(RAMP_STEEL, 0.85f)), 1.2f);
    FaceFillBox(c, {12, 2, 116, 122}, AlienHead, skin, 1.6f);
    // Brain folds on the dome.
    for (float s : {-1.0f, 1.0f}) {
        FaceStroke(c,
                   FaceArc(CX + s * 20.0f, 34.0f, 14.0f, 10.0f, s < 0 ? 1.0f * PI : 1.5f * PI,
                           s < 0 ? 1.5f * PI : 2.0f * PI, 8),
                   1.4f, FaceRamp(RAMP_LIME, 0.45f));
    }
    FaceStroke(c, {CX, 12.0f, CX, 26.0f}, 1.4f, FaceRamp(RAMP_LIME, 0.45f));
}

static void HeadCyborg(Canvas& c)
{
    const Person p = {0.7f, RAMP_BROWN, 0.3f, HAIR_SHORT, RAMP_STEEL, false, false};
    Shade skin = SkinShade(p.skin);
    PaintBody(c, RAMP_GREY, skin);
    PaintEars(c, skin, FaceRamp(RAMP_SKIN, 0.45f));
    PaintFace(c, skin);
    // The right half of the head is a steel plate with rivets and a cable.
    Shade metal = FaceLit(RAMP_STEEL, 0.58f, CX + 10, 40, 50, 60, 0.4f);
    FaceFillBox(
        c, {CX, 8, 112, 120},
        [](float x, float y) {
            return std::max(SdfEllipse(x, y, CX, HEAD_Y, HEAD_RX + 1.0f, HEAD_RY + 1.0f),
                            CX + 4.0f + 3.0f * std::sin(y * 0.25f) - x);
        },
        metal, 1.4f);
    for (float y : {34.0f, 60.0f, 86.0f}) {
        FaceCircle(c, CX + 28.0f, y, 2.0f, FaceFlat(FaceRamp(RAMP_STEEL, 0.9f)), 0.8f);
    }
    FaceStroke(c, {CX + 38.0f, 96.0f, CX + 44.0f, 110.0f, CX + 40.0f, 124.0f}, 2.4f,
               FaceRamp(RAMP_RED, 0.45f));
    FaceFillBox(
        c, {16, 4, CX + 4, 60},
        [](float x, float y) {
            return std::max({SdfEllipse(x, y, CX, HEAD_Y - 2, HEAD_RX + 4, HEAD_RY + 4),
                             y - (34.0f + 22.0f * Smooth(28.0f, 38.0f, std::abs(x - CX))),
                             x - CX - 4.0f});
        },
        FaceHairShade(p.hair, p.hairShade), 1.4f);
}

// The martian: round, bumpy and green, with two antennae.
static void HeadMartian(Canvas& c)
{
    Shade skin = [](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - CX + 6) / 56.0f, (y - 54.0f) / 64.0f, &glint);
        float spots = std::sin(x * 0.45f) * std::sin(y * 0.5f) > 0.8f ? -0.12f : 0.0f;
        return ArtMix(FaceRamp(RAMP_GREEN, 0.62f + 0.3f * (light - 0.6f) + spots), GLINT,
                      0.3f * glint);
    };
    for (float s : {-1.0f, 1.0f}) {
        FaceStroke(c, {CX + s * 18.0f, 20.0f, CX + s * 28.0f, 6.0f, CX + s * 34.0f, 4.0f}, 2.4f,
                   FaceRamp(RAMP_GREEN, 0.35f));
        FaceCircle(c, CX + s * 36.0f, 5.0f, 5.0f,
                   FaceLit(RAMP_GOLD, 0.75f, CX + s * 35, 3.5f, 5, 5), 1.0f);
    }
    PaintBody(c, RAMP_PURPLE, skin);
    for (float s : {-1.0f, 1.0f}) {
        FaceEllipse(c, CX + s * 42.0f, 66.0f, 9.0f, 6.0f, skin, 1.4f);
    }
    FaceEllipse(c, CX, HEAD_Y, HEAD_RX + 2.0f, HEAD_RY, skin, 1.6f);
}

void FacePaintHead(Canvas& c, int f)
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
