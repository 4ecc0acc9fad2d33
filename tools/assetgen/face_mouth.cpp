// Layer 3 of the face: ten ordinary mouths and ten mutations.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assetgen/face_parts.h"

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
    FaceFillBox(c, {CX - w, y, CX + w, y + h}, shape, FaceFlat(MOUTH_INSIDE), 1.8f, FaceEdge(lip));
    if (tongue) {
        FaceFillBox(
            c, {CX - w, y, CX + w, y + h},
            [=](float x, float yy) {
                return std::max(shape(x, yy), SdfEllipse(x, yy, CX, y + h, w * 0.55f, h * 0.55f));
            },
            FaceFlat(FaceRamp(RAMP_PINK, 0.55f)));
    }
    if (teeth) {
        FaceFillBox(
            c, {CX - w, y, CX + w, y + h * 0.38f},
            [=](float x, float yy) { return std::max(shape(x, yy), yy - (y + h * 0.36f)); },
            FaceFlat(TEETH));
        for (float x = CX - w * 0.6f; x <= CX + w * 0.61f; x += w * 0.3f) {
            if (!(gap && std::abs(x - CX) < 1.0f)) {
                FaceStroke(c, {x, y + 0.5f, x, y + h * 0.34f}, 0.9f, FaceRgb(180, 176, 170));
            }
        }
        if (gap) {
            FaceRoundRect(c, CX, y + h * 0.18f, 2.0f, h * 0.17f, 0.5f, FaceFlat(MOUTH_INSIDE));
        }
        if (gold) {
            FaceRoundRect(c, CX + w * 0.45f, y + h * 0.18f, w * 0.14f, h * 0.16f, 1.0f,
                          FaceFlat(FaceRamp(RAMP_GOLD, 0.72f)));
        }
    }
}

static void MouthOrdinary(Canvas& c, int f)
{
    const float y = MOUTH_Y;
    const ArtColour lip = FaceRamp(RAMP_PINK, 0.45f);
    switch (f) {
        case 0: // big smile with teeth
            OpenSmile(c, 15.0f, 11.0f, lip, true, true);
            break;
        case 1: // closed smile
            FaceStroke(c, FaceArc(CX, y - 10, 14.0f, 11.0f, 0.2f * PI, 0.8f * PI, 12), 2.4f,
                       FaceEdge(lip));
            FaceStrokeBoth(c, {CX - 15, y - 5, CX - 12, y - 2}, 1.6f, FaceEdge(lip));
            break;
        case 2: // full lips, gentle smile
            FaceFillBox(
                c, {CX - 14, y - 7, CX + 14, y + 7},
                [=](float x, float yy) {
                    float upper = SdfEllipse(x, yy, CX, y - 1, 13.0f, 5.0f) -
                                  1.5f * std::exp(-std::pow((x - CX) / 3.0f, 2.0f)) *
                                      (yy < y - 3 ? -1.0f : 0.0f);
                    return std::min(upper, SdfEllipse(x, yy, CX, y + 2, 11.0f, 5.0f));
                },
                FaceLit(RAMP_PINK, 0.5f, CX - 4, y - 4, 14, 7, 0.4f), 1.2f, FaceEdge(lip));
            FaceStroke(c, FaceArc(CX, y - 10, 13.0f, 11.0f, 0.25f * PI, 0.75f * PI, 10), 1.4f,
                       FaceRamp(RAMP_PINK, 0.2f));
            break;
        case 3: // lopsided grin
            FaceFillBox(
                c, {CX - 16, y - 6, CX + 16, y + 8},
                [=](float x, float yy) {
                    float tilt = (x - CX) * 0.18f;
                    return std::max(SdfEllipse(x, yy + tilt, CX + 2, y - 2, 14.0f, 9.0f),
                                    y - 2 - tilt - yy);
                },
                FaceFlat(TEETH), 1.8f, FaceEdge(lip));
            FaceStroke(c, {CX - 10, y + 1.5f, CX + 12, y - 2.5f}, 1.0f, FaceRgb(180, 176, 170));
            break;
        case 4: // a small "oh"
            FaceEllipse(c, CX, y, 5.5f, 6.5f, FaceFlat(MOUTH_INSIDE), 2.2f, FaceEdge(lip));
            break;
        case 5: // laughing, wide open
            OpenSmile(c, 14.0f, 14.0f, lip, true, true);
            break;
        case 6: // moustache over a small smile
            FaceStroke(c, FaceArc(CX, y - 6, 8.0f, 6.0f, 0.25f * PI, 0.75f * PI, 8), 2.0f,
                       FaceEdge(lip));
            FaceFillBox(
                c, {CX - 20, y - 14, CX + 20, y - 2},
                [=](float x, float yy) {
                    float s = x < CX ? -1.0f : 1.0f;
                    float d = SdfEllipse(x, yy, CX + s * 8.0f, y - 8, 10.0f, 4.5f);
                    float tip = SdfCircle(x, yy, CX + s * 17.0f, y - 9, 2.6f);
                    return std::min(d, tip);
                },
                FaceHairShade(RAMP_BROWN, 0.35f), 1.2f);
            break;
        case 7: // smirk
            FaceStroke(c, {CX - 12, y - 1, CX - 2, y + 1, CX + 8, y - 1, CX + 13, y - 5}, 2.4f,
                       FaceEdge(lip));
            FaceStroke(c, {CX + 12, y - 1, CX + 14, y - 4}, 1.4f, FaceEdge(lip));
            break;
        case 8: // red lipstick smile
            FaceFillBox(
                c, {CX - 15, y - 6, CX + 15, y + 8},
                [=](float x, float yy) {
                    float smile = SdfEllipse(x, yy, CX, y - 7, 15.0f, 13.0f);
                    return std::max(smile, -SdfEllipse(x, yy, CX, y - 11, 15.0f, 13.0f));
                },
                FaceLit(RAMP_RED, 0.5f, CX - 4, y, 15, 6, 0.4f), 1.2f, FaceRamp(RAMP_RED, 0.2f));
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
            FaceFillBox(
                c, {CX - 26, y - 14, CX + 26, y + 14},
                [=](float x, float yy) {
                    return std::max(SdfEllipse(x, yy, CX, y - 8, 25.0f, 20.0f),
                                    -SdfEllipse(x, yy, CX, y - 16, 25.0f, 20.0f) - 4.0f);
                },
                FaceLit(RAMP_RED, 0.55f, CX - 6, y, 24, 10, 0.4f), 1.4f);
            OpenSmile(c, 15.0f, 10.0f, FaceRamp(RAMP_RED, 0.5f), true, true, false, true);
            break;
        }
        case 11: // vampire fangs
            FaceStroke(c, FaceArc(CX, y - 10, 14.0f, 10.0f, 0.2f * PI, 0.8f * PI, 12), 2.4f,
                       FaceEdge(FaceRamp(RAMP_RED, 0.4f)));
            for (float s : {-1.0f, 1.0f}) {
                FacePolygon(c, {CX + s * 5, y - 1, CX + s * 10, y - 1.5f, CX + s * 7.5f, y + 7},
                            FaceFlat(TEETH), 1.0f);
            }
            break;
        case 12: // alien "o"
            FaceEllipse(c, CX, y, 6.0f, 5.0f, FaceFlat(FaceRgb(20, 34, 16)), 1.8f,
                        FaceRamp(RAMP_LIME, 0.3f));
            break;
        case 13: // alien slit, thin and wavy
            FaceStroke(
                c, {CX - 14, y - 2, CX - 7, y + 1.5f, CX, y - 1, CX + 7, y + 1.5f, CX + 14, y - 2},
                2.6f, FaceRgb(24, 40, 20));
            break;
        case 14: // robot speaker grille
            FaceRoundRect(c, CX, y, 16.0f, 7.0f, 2.5f,
                          FaceLit(RAMP_STEEL, 0.4f, CX - 6, y - 3, 16, 7), 1.4f);
            for (float x = CX - 12; x <= CX + 12.1f; x += 4.0f) {
                FaceStroke(c, {x, y - 4, x, y + 4}, 1.6f, FaceRamp(RAMP_STEEL, 0.1f));
            }
            break;
        case 15: // tongue out
            FaceStroke(c, FaceArc(CX, y - 10, 13.0f, 9.0f, 0.2f * PI, 0.8f * PI, 12), 2.4f,
                       FaceEdge(FaceRamp(RAMP_PINK, 0.45f)));
            FaceFillBox(
                c, {CX - 7, y - 1, CX + 7, y + 14},
                [=](float x, float yy) {
                    return SdfRoundBox(x, yy, CX + 1, y + 5, 6.0f, 8.0f, 5.5f);
                },
                FaceLit(RAMP_PINK, 0.6f, CX - 2, y + 3, 7, 9), 1.2f, FaceRamp(RAMP_PINK, 0.2f));
            FaceStroke(c, {CX + 1, y + 1, CX + 1, y + 7}, 1.0f, FaceRamp(RAMP_PINK, 0.35f));
            break;
        case 16: // buck teeth
            FaceStroke(c, FaceArc(CX, y - 9, 13.0f, 8.0f, 0.2f * PI, 0.8f * PI, 12), 2.4f,
                       FaceEdge(FaceRamp(RAMP_PINK, 0.45f)));
            for (float s : {-1.0f, 1.0f}) {
                FaceRoundRect(c, CX + s * 3.2f, y + 1, 3.0f, 5.0f, 1.0f, FaceFlat(TEETH), 1.0f);
            }
            break;
        case 17: // kiss with a heart
            FaceEllipse(c, CX, y, 7.0f, 5.5f, FaceLit(RAMP_RED, 0.55f, CX - 2, y - 2, 7, 6, 0.4f),
                        1.2f);
            FaceStroke(c, {CX - 5, y, CX + 5, y}, 1.0f, FaceRamp(RAMP_RED, 0.25f));
            FaceFillBox(
                c, {CX + 12, y - 14, CX + 26, y - 2},
                [=](float x, float yy) {
                    float lobes = std::min(SdfCircle(x, yy, CX + 16, y - 10, 3.2f),
                                           SdfCircle(x, yy, CX + 22, y - 10, 3.2f));
                    return std::min(
                        lobes,
                        SdfConvex(x, yy, {CX + 13.3f, y - 9, CX + 24.7f, y - 9, CX + 19, y - 3}));
                },
                FaceFlat(FaceRamp(RAMP_RED, 0.62f)));
            break;
        case 18: // zig-zag stitches
            FaceStroke(c, {CX - 14, y, CX + 14, y}, 2.0f, INK);
            for (float x = CX - 11; x <= CX + 11.1f; x += 5.5f) {
                FaceStroke(c, {x, y - 4, x, y + 4}, 1.6f, INK);
            }
            break;
        default: // 19: a glowing wave on a dark screen
            FaceRoundRect(c, CX, y, 16.0f, 7.5f, 3.0f, FaceFlat(FaceRgb(14, 28, 22)), 1.4f,
                          FaceRamp(RAMP_STEEL, 0.35f));
            {
                std::vector<float> p;
                for (int i = 0; i <= 16; ++i) {
                    float x = CX - 12.0f + 1.5f * static_cast<float>(i);
                    p.push_back(x);
                    p.push_back(y + 3.5f * std::sin(static_cast<float>(i) * 0.9f));
                }
                FaceStroke(c, p, 1.6f, FaceRamp(RAMP_LIME, 0.85f));
            }
            break;
    }
}

void FacePaintMouth(Canvas& c, int f)
{
    if (f < 10) {
        MouthOrdinary(c, f);
    } else {
        MouthSpecial(c, f);
    }
}
