// Layer 1 of the face: ten ordinary pairs of eyes (brows, lashes, glasses) and ten mutations.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assetgen/face_parts.h"

static const ArtColour EYE_WHITE = {250, 250, 246};

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
    FaceFillBox(
        c, {ex - e.rx, ey - e.ry, ex + e.rx, ey + e.ry},
        [=](float x, float y) { return std::max(SdfEllipse(x, y, ex, ey, e.rx, e.ry), lidY - y); },
        FaceFlat(EYE_WHITE), 1.3f);
    float ir = std::min(e.ry, 5.0f);
    FaceFillBox(
        c, {ex - ir + lookX, ey - ir, ex + ir + lookX, ey + ir},
        [=](float x, float y) {
            return std::max({SdfCircle(x, y, ex + lookX, ey + 0.5f, ir),
                             SdfEllipse(x, y, ex, ey, e.rx - 0.5f, e.ry - 0.5f), lidY - y});
        },
        FaceLit(e.iris, e.irisShade, ex + lookX - 1.5f, ey - 1.5f, ir, ir, 0.5f));
    FaceFillBox(
        c, {ex - 3, ey - 3, ex + 3, ey + 3},
        [=](float x, float y) {
            return std::max(SdfCircle(x, y, ex + lookX, ey + 0.5f, ir * 0.45f), lidY - y);
        },
        FaceFlat(FaceRgb(16, 12, 14)));
    if (lidY < ey - 1.5f) {
        FaceCircle(c, ex + lookX - 1.6f, ey - 1.2f, 1.2f, FaceFlat(GLINT));
    }
    // The upper lid: a line along the lid's edge.
    if (e.lid > 0.05f) {
        FaceStroke(c,
                   {ex - e.rx + 0.5f, std::max(lidY, ey - e.ry * 0.6f), ex, lidY, ex + e.rx - 0.5f,
                    std::max(lidY, ey - e.ry * 0.6f)},
                   1.8f, INK);
    } else {
        FaceStroke(c, FaceArc(ex, ey, e.rx, e.ry, 1.1f * PI, 1.9f * PI, 8), 1.8f, INK);
    }
}

// A closed, happy eye: an arch.
static void PaintClosedEye(Canvas& c, float ex, float ey)
{
    FaceStroke(c, FaceArc(ex, ey + 3.0f, 8.0f, 6.0f, 1.1f * PI, 1.9f * PI, 10), 2.4f, INK);
}

static void PaintBrow(Canvas& c, float ex, float s, const EyeStyle& e, ArtColour colour)
{
    if (e.browWidth <= 0.0f) {
        return;
    }
    float y = EYE_Y - e.ry - 6.0f - e.browLift;
    // s is -1 on the left eye: its inner end is the right end.
    float inner = ex - s * 9.0f, outer = ex + s * 9.0f;
    FaceStroke(c, {outer, y + 1.5f, ex, y - 1.0f, inner, y + e.browTilt}, e.browWidth, colour);
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
            FaceStroke(c, {px, py, px + s * 3.0f, py - 3.0f}, 1.3f, INK);
        }
        PaintBrow(c, ex, s, e, BROW);
    }
    if (e.glasses == 1) {
        for (float s : {-1.0f, 1.0f}) {
            FaceStroke(c, FaceArc(CX + s * EYE_DX, EYE_Y, 11.5f, 10.5f, 0, 2 * PI, 24), 2.0f,
                       FaceRamp(RAMP_GOLD, 0.45f));
        }
        FaceStroke(c, FaceArc(CX, EYE_Y + 1.0f, 6.0f, 3.0f, 1.15f * PI, 1.85f * PI, 6), 2.0f,
                   FaceRamp(RAMP_GOLD, 0.45f));
    } else if (e.glasses == 2) {
        for (float s : {-1.0f, 1.0f}) {
            float ex = CX + s * EYE_DX;
            FaceStroke(c,
                       {ex - 12, EYE_Y - 9, ex + 12, EYE_Y - 9, ex + 11, EYE_Y + 8, ex - 11,
                        EYE_Y + 8, ex - 12, EYE_Y - 9},
                       2.6f, FaceRgb(30, 30, 40));
        }
        FaceStroke(c, {CX - 5, EYE_Y - 5, CX + 5, EYE_Y - 5}, 2.6f, FaceRgb(30, 30, 40));
    }
}

static void EyesClown(Canvas& c)
{
    // Painted blue diamonds through round eyes, raised red brows.
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        FacePolygon(c, {ex, EYE_Y - 17, ex + 7, EYE_Y, ex, EYE_Y + 17, ex - 7, EYE_Y},
                    FaceLit(RAMP_BLUE, 0.55f, ex - 2, EYE_Y - 6, 8, 16));
        PaintEye(c, ex, EYE_Y, {RAMP_BLUE, 0.4f, 7.5f, 7.5f, 0.0f, 0, 0, 0, 0, 0});
        FaceStroke(c, FaceArc(ex, EYE_Y - 8.0f, 9.0f, 8.0f, 1.15f * PI, 1.85f * PI, 8), 3.0f,
                   FaceRamp(RAMP_RED, 0.5f));
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
        FacePolygon(c,
                    {lx, EYE_Y, star[2 * d], star[2 * d + 1], star[2 * a], star[2 * a + 1],
                     star[2 * b], star[2 * b + 1]},
                    FaceFlat(FaceRamp(RAMP_GOLD, 0.7f)));
    }
    PaintEye(c, lx, EYE_Y, {RAMP_BROWN, 0.45f, 7.0f, 6.5f, 0.0f, 0, 0, 0, 0, 0});
    PaintBrow(c, lx, -1.0f, {RAMP_BROWN, 0, 8, 6.5f, 0, 5, -2, 2.6f, 0, 0}, BROW);
    PaintEye(c, rx, EYE_Y + 1.0f, {RAMP_BROWN, 0.45f, 8.0f, 5.0f, 0.55f, 0, 0, 0, 0, 0});
    PaintBrow(c, rx, 1.0f, {RAMP_BROWN, 0, 8, 5, 0.5f, -3, 3, 3.0f, 0, 0}, BROW);
    FaceStroke(c, {rx + 5, EYE_Y - 16, rx - 3, EYE_Y + 12}, 2.2f, FaceRamp(RAMP_PINK, 0.35f));
    for (float t : {0.3f, 0.55f, 0.8f}) {
        float x = rx + 5 - 8 * t, y = EYE_Y - 16 + 28 * t;
        FaceStroke(c, {x - 3, y - 1, x + 3, y + 1}, 1.4f, FaceRamp(RAMP_PINK, 0.35f));
    }
}

static void EyesPatch(Canvas& c)
{
    // A black patch on a strap, the other eye squinting under a heavy brow.
    float lx = CX - EYE_DX, rx = CX + EYE_DX;
    FaceStroke(c, {26.0f, 40.0f, lx, EYE_Y - 4.0f, 102.0f, 72.0f}, 2.6f, FaceRgb(28, 24, 26));
    FaceEllipse(c, lx, EYE_Y + 1.0f, 11.0f, 9.5f,
                FaceLit(RAMP_GREY, 0.12f, lx - 3, EYE_Y - 3, 11, 10), 1.2f);
    PaintEye(c, rx, EYE_Y + 1.0f, {RAMP_TEAL, 0.45f, 8.5f, 5.5f, 0.45f, 0, 0, 0, 0, 0});
    PaintBrow(c, rx, 1.0f, {RAMP_BROWN, 0, 8, 5, 0.5f, -2, 4, 3.4f, 0, 0}, BROW);
}

static void EyesHearts(Canvas& c)
{
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        FaceFillBox(
            c, {ex - 10, EYE_Y - 9, ex + 10, EYE_Y + 10},
            [ex](float x, float y) {
                float lobes = std::min(SdfCircle(x, y, ex - 4.5f, EYE_Y - 3, 5.5f),
                                       SdfCircle(x, y, ex + 4.5f, EYE_Y - 3, 5.5f));
                float point =
                    SdfConvex(x, y, {ex - 9.6f, EYE_Y - 1, ex + 9.6f, EYE_Y - 1, ex, EYE_Y + 10});
                return std::min(lobes, point);
            },
            FaceLit(RAMP_RED, 0.6f, ex - 3, EYE_Y - 4, 10, 10), 1.3f);
        FaceCircle(c, ex - 5, EYE_Y - 4.5f, 1.6f, FaceFlat(GLINT));
    }
}

static void EyesRobot(Canvas& c)
{
    // Steel-rimmed lenses glowing red, joined by a bar.
    FaceRoundRect(c, CX, EYE_Y, 30.0f, 4.0f, 2.0f, FaceFlat(FaceRamp(RAMP_STEEL, 0.35f)), 1.2f);
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        FaceCircle(c, ex, EYE_Y, 11.0f, FaceLit(RAMP_STEEL, 0.6f, ex - 3, EYE_Y - 3, 11, 11), 1.4f);
        FaceCircle(c, ex, EYE_Y, 7.5f, [ex](float x, float y) {
            float d = std::hypot(x - ex, y - EYE_Y) / 7.5f;
            return FaceRamp(RAMP_RED, 0.95f - 0.55f * d);
        });
        FaceCircle(c, ex - 2.5f, EYE_Y - 2.5f, 1.6f, FaceFlat(GLINT));
    }
}

static void EyesAlien(Canvas& c)
{
    // Huge slanted black eyes with a blue sheen.
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * 18.0f;
        FaceFillBox(
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
                return ArtMix(FaceRgb(8, 10, 20), FaceRamp(RAMP_NAVY, 0.45f), t * t * 0.8f);
            },
            1.2f);
        FaceEllipse(c, ex - s * 3.0f, EYE_Y - 3.0f, 3.5f, 2.0f, FaceFlat(FaceRgb(220, 236, 255)));
    }
}

static void EyesCat(Canvas& c)
{
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        FaceEllipse(c, ex, EYE_Y, 9.0f, 7.5f,
                    FaceLit(RAMP_AMBER, 0.72f, ex - 2, EYE_Y - 2, 9, 8, 0.4f), 1.4f);
        FaceEllipse(c, ex, EYE_Y, 1.8f, 6.5f, FaceFlat(FaceRgb(16, 12, 10)));
        FaceCircle(c, ex - 3.0f, EYE_Y - 3.0f, 1.3f, FaceFlat(GLINT));
        FaceStroke(c, {ex - s * 9.0f, EYE_Y - 2.0f, ex + s * 12.0f, EYE_Y - 8.0f}, 1.8f, INK);
    }
}

static void EyesSpiral(Canvas& c)
{
    for (float s : {-1.0f, 1.0f}) {
        float ex = CX + s * EYE_DX;
        FaceCircle(c, ex, EYE_Y, 9.5f, FaceFlat(EYE_WHITE), 1.4f);
        std::vector<float> p;
        for (int i = 0; i <= 40; ++i) {
            float a = s * static_cast<float>(i) * 0.42f,
                  r = 0.5f + 8.0f * static_cast<float>(i) / 40.0f;
            p.push_back(ex + r * std::cos(a));
            p.push_back(EYE_Y + r * std::sin(a));
        }
        FaceStroke(c, p, 1.6f, FaceRamp(RAMP_PURPLE, 0.35f));
    }
}

static void EyesCyclops(Canvas& c)
{
    // One big eye in the middle of the face.
    FaceFillBox(
        c, {CX - 18, EYE_Y - 14, CX + 18, EYE_Y + 14},
        [](float x, float y) { return SdfEllipse(x, y, CX, EYE_Y, 17.0f, 13.0f); },
        FaceFlat(EYE_WHITE), 1.6f);
    FaceCircle(c, CX, EYE_Y + 1, 8.5f, FaceLit(RAMP_PURPLE, 0.55f, CX - 3, EYE_Y - 3, 9, 9, 0.5f));
    FaceCircle(c, CX, EYE_Y + 1, 4.0f, FaceFlat(FaceRgb(16, 12, 14)));
    FaceCircle(c, CX - 3, EYE_Y - 2.5f, 2.0f, FaceFlat(GLINT));
    FaceStroke(c, FaceArc(CX, EYE_Y, 17.0f, 13.0f, 1.1f * PI, 1.9f * PI, 12), 2.2f, INK);
    FaceStroke(c, {CX - 16, EYE_Y - 20, CX, EYE_Y - 23, CX + 16, EYE_Y - 20}, 3.0f, BROW);
}

static void EyesMartian(Canvas& c)
{
    // Three yellow eyes with slit pupils: two and one above.
    const float spots[3][3] = {
        {CX - 17, EYE_Y + 2, 7.5f}, {CX + 17, EYE_Y + 2, 7.5f}, {CX, EYE_Y - 14, 6.5f}};
    for (const auto& e : spots) {
        FaceCircle(c, e[0], e[1], e[2],
                   FaceLit(RAMP_GOLD, 0.8f, e[0] - 2, e[1] - 2, e[2], e[2], 0.4f), 1.5f);
        FaceEllipse(c, e[0], e[1], 1.6f, e[2] * 0.8f, FaceFlat(FaceRgb(20, 30, 10)));
        FaceCircle(c, e[0] - 2.2f, e[1] - 2.2f, 1.3f, FaceFlat(GLINT));
    }
}

void FacePaintEyes(Canvas& c, int f)
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
