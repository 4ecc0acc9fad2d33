// What the four face layers share: the feature positions they all draw on and their brushes.
#pragma once

#include <functional>
#include <vector>

#include "tools/assetgen/canvas.h"

// Where every head puts its face, and so where every feature sits: any head, eyes, nose and
// mouth drawn here stack into one face.
constexpr float CX = 64.0f;
constexpr float HEAD_Y = 64.0f;
constexpr float HEAD_RX = 42.0f;
constexpr float HEAD_RY = 52.0f;
constexpr float EYE_Y = 60.0f;
constexpr float EYE_DX = 17.0f; // each eye's distance from the middle
constexpr float NOSE_Y = 76.0f;
constexpr float MOUTH_Y = 96.0f;

constexpr float PI = ART_PI;

constexpr ArtColour INK = {38, 22, 20}; // outlines
constexpr ArtColour GLINT = {255, 255, 255};

// A colour at (x, y) in cell pixels, and a signed distance there (negative inside).
using Shade = std::function<ArtColour(float x, float y)>;
using Distance = std::function<float(float x, float y)>;

ArtColour FaceRgb(float r, float g, float b);
ArtColour FaceRamp(ArtRamp ramp, float shade);
// Darker twin of a fill, for its outline.
ArtColour FaceEdge(ArtColour c);

Shade FaceFlat(ArtColour colour);
// A ramp lit like a ball centred at (cx, cy) with radii (rx, ry): base shade plus light.
Shade FaceLit(ArtRamp ramp, float base, float cx, float cy, float rx, float ry, float range = 0.3f);
// Hair shading: the head's light with fine strands running down.
Shade FaceHairShade(ArtRamp ramp, float base);

// ---- shapes: fills with optional outline, all by signed distance over a box ----

struct FaceBox {
    float x0, y0, x1, y1;
};

void FaceFillBox(Canvas& c, FaceBox b, const Distance& d, const Shade& shade, float outline = 0.0f,
                 ArtColour ink = INK);
void FaceEllipse(Canvas& c, float cx, float cy, float rx, float ry, const Shade& shade,
                 float outline = 0.0f, ArtColour ink = INK);
void FaceCircle(Canvas& c, float cx, float cy, float r, const Shade& shade, float outline = 0.0f,
                ArtColour ink = INK);
void FaceRoundRect(Canvas& c, float cx, float cy, float hw, float hh, float radius,
                   const Shade& shade, float outline = 0.0f, ArtColour ink = INK);
// A convex polygon, points in order with x and y interleaved.
void FacePolygon(Canvas& c, const std::vector<float>& p, const Shade& shade, float outline = 0.0f,
                 ArtColour ink = INK);
// A stroke through points (x and y interleaved), `width` pixels wide, round ends and joints.
void FaceStroke(Canvas& c, const std::vector<float>& p, float width, ArtColour colour);
// The same stroke mirrored to both sides of the face.
void FaceStrokeBoth(Canvas& c, std::vector<float> p, float width, ArtColour colour);
// Points along an elliptic arc around (cx, cy) from angle a0 to a1 (radians, y down).
std::vector<float> FaceArc(float cx, float cy, float rx, float ry, float a0, float a1,
                           int steps = 12);

// The layers' pictures on a 128 x 128 canvas: f 0-9 the ordinary ones, 10-19 the mutations.
void FacePaintHead(Canvas& c, int f);
void FacePaintEyes(Canvas& c, int f);
void FacePaintNose(Canvas& c, int f);
void FacePaintMouth(Canvas& c, int f);
