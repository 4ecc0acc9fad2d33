// The fills, strokes and shades the four face layers draw with.
#include "tools/assetgen/face_parts.h"

#include <algorithm>
#include <cmath>

ArtColour FaceRgb(float r, float g, float b)
{
    return {r, g, b};
}

ArtColour FaceRamp(ArtRamp ramp, float shade)
{
    return ArtRampColour(ramp, shade);
}

ArtColour FaceEdge(ArtColour c)
{
    return ArtMix(c, INK, 0.72f);
}

void FaceFillBox(Canvas& c, FaceBox b, const Distance& d, const Shade& shade, float outline,
                 ArtColour ink)
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

Shade FaceFlat(ArtColour colour)
{
    return [colour](float, float) { return colour; };
}

Shade FaceLit(ArtRamp ramp, float base, float cx, float cy, float rx, float ry, float range)
{
    return [=](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - cx) / rx, (y - cy) / ry, &glint);
        ArtColour col = FaceRamp(ramp, base + range * (light - 0.6f));
        return ArtMix(col, GLINT, 0.35f * glint);
    };
}

void FaceEllipse(Canvas& c, float cx, float cy, float rx, float ry, const Shade& shade,
                 float outline, ArtColour ink)
{
    FaceFillBox(
        c, {cx - rx, cy - ry, cx + rx, cy + ry},
        [=](float x, float y) { return SdfEllipse(x, y, cx, cy, rx, ry); }, shade, outline, ink);
}

void FaceCircle(Canvas& c, float cx, float cy, float r, const Shade& shade, float outline,
                ArtColour ink)
{
    FaceEllipse(c, cx, cy, r, r, shade, outline, ink);
}

void FaceRoundRect(Canvas& c, float cx, float cy, float hw, float hh, float radius,
                   const Shade& shade, float outline, ArtColour ink)
{
    FaceFillBox(
        c, {cx - hw, cy - hh, cx + hw, cy + hh},
        [=](float x, float y) { return SdfRoundBox(x, y, cx, cy, hw, hh, radius); }, shade, outline,
        ink);
}

void FacePolygon(Canvas& c, const std::vector<float>& p, const Shade& shade, float outline,
                 ArtColour ink)
{
    FaceBox b = {1e9f, 1e9f, -1e9f, -1e9f};
    for (size_t i = 0; i < p.size(); i += 2) {
        b = {std::min(b.x0, p[i]), std::min(b.y0, p[i + 1]), std::max(b.x1, p[i]),
             std::max(b.y1, p[i + 1])};
    }
    FaceFillBox(
        c, b, [p](float x, float y) { return SdfConvex(x, y, p); }, shade, outline, ink);
}

void FaceStroke(Canvas& c, const std::vector<float>& p, float width, ArtColour colour)
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

std::vector<float> FaceArc(float cx, float cy, float rx, float ry, float a0, float a1, int steps)
{
    std::vector<float> p;
    for (int i = 0; i <= steps; ++i) {
        float a = a0 + (a1 - a0) * static_cast<float>(i) / static_cast<float>(steps);
        p.push_back(cx + rx * std::cos(a));
        p.push_back(cy + ry * std::sin(a));
    }
    return p;
}

void FaceStrokeBoth(Canvas& c, std::vector<float> p, float width, ArtColour colour)
{
    FaceStroke(c, p, width, colour);
    for (size_t i = 0; i < p.size(); i += 2) {
        p[i] = 2.0f * CX - p[i];
    }
    FaceStroke(c, p, width, colour);
}

Shade FaceHairShade(ArtRamp ramp, float base)
{
    return [=](float x, float y) {
        float glint = 0.0f;
        float light = ShadeSphere((x - CX) / 50.0f, (y - 50.0f) / 56.0f, &glint);
        float strands = 0.05f * std::sin(x * 1.3f + 0.15f * y);
        ArtColour col = FaceRamp(ramp, base + 0.34f * (light - 0.6f) + strands);
        return ArtMix(col, GLINT, 0.25f * glint);
    };
}
