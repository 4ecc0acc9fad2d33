// The generator's drawing toolkit: a colour canvas with coverage (anti-aliased shapes from signed
// distances, polygons through the raster library on a supersampled mask, SDL_ttf lettering,
// gradients and lighting), quantised through the palette ramps into 8-bit sheets whose cells sit
// exactly where the game cuts them.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/sheet_layout.h"
#include "tools/assetgen/palette.h"

// A picture being drawn: a colour and an opacity per pixel. Pixels left at opacity below one
// half become the sheet's key colour.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<ArtColour> colour;
    std::vector<float> alpha;
};

// An 8-bit sheet: cells of cellWidth x cellHeight framed by one-pixel lines, everything else key.
struct Sheet {
    const SheetLayout* layout = nullptr; // set by SheetInit
    int width = 0;
    int height = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int columns = 0;
    uint8_t key = 0;
    std::vector<uint8_t> pixels; // width x height, top row first
};

// A small deterministic random source (xorshift), so the art is the same on every run.
struct ArtRandom {
    uint32_t state;
};

constexpr float ART_PI = 3.14159265f;

void CanvasInit(Canvas& canvas, int width, int height, ArtColour fill, float alpha);
// Lays colour over the pixel with the given coverage (0..1); pixels off the canvas are ignored.
void CanvasBlend(Canvas& canvas, int x, int y, ArtColour colour, float coverage);

// Fills the shape whose signed distance (pixels, negative inside) sdf(x, y) gives, over the box
// x0..x1, y0..y1, with the colour shade(x, y, distance); the edge pixels are covered partly.
template <class Sdf, class Shade>
void CanvasFillShape(Canvas& canvas, float x0, float y0, float x1, float y1, Sdf sdf, Shade shade)
{
    int ix0 = std::max(0, static_cast<int>(std::floor(x0)) - 1),
        iy0 = std::max(0, static_cast<int>(std::floor(y0)) - 1);
    int ix1 = std::min(canvas.width - 1, static_cast<int>(std::ceil(x1)) + 1);
    int iy1 = std::min(canvas.height - 1, static_cast<int>(std::ceil(y1)) + 1);
    for (int y = iy0; y <= iy1; ++y) {
        for (int x = ix0; x <= ix1; ++x) {
            float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            float d = sdf(px, py);
            float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (coverage > 0.0f) {
                CanvasBlend(canvas, x, y, shade(px, py, d), coverage);
            }
        }
    }
}

// Coverage 0..1 of a region's pixels, for shapes not given by a distance.
struct CoverageMask {
    int x0 = 0, y0 = 0, width = 0, height = 0;
    std::vector<float> coverage;
};

// The coverage of a polygon (n points, x and y interleaved, in canvas pixels): the raster library
// fills it at four times the resolution and the covered samples are counted per pixel.
void PolygonCoverage(const float* points, int n, CoverageMask& mask);

// Lays shade(x, y) over the canvas with the mask's coverage.
template <class Shade>
void CanvasFillMask(Canvas& canvas, const CoverageMask& mask, Shade shade)
{
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            float c = mask.coverage[static_cast<size_t>(y) * static_cast<size_t>(mask.width) +
                                    static_cast<size_t>(x)];
            int cx = mask.x0 + x, cy = mask.y0 + y;
            if (c > 0.0f) {
                CanvasBlend(canvas, cx, cy,
                            shade(static_cast<float>(cx) + 0.5f, static_cast<float>(cy) + 0.5f), c);
            }
        }
    }
}

// Signed distances, negative inside.
float SdfCircle(float x, float y, float cx, float cy, float r);
float SdfEllipse(float x, float y, float cx, float cy, float rx, float ry);
float SdfCapsule(float x, float y, float ax, float ay, float bx, float by, float r);
float SdfRoundBox(float x, float y, float cx, float cy, float halfW, float halfH, float radius);
// A convex polygon (points in order, x and y interleaved): the largest distance to its edges.
float SdfConvex(float x, float y, const std::vector<float>& p);

// Light from the upper left onto a sphere: (nx, ny) is the point within the unit disc. Returns the
// ramp shade 0..1 (ambient + diffuse) and, through highlight, a specular amount 0..1.
float ShadeSphere(float nx, float ny, float* highlight);

// A lit tube (capsule) from a to b of radius r in a ramp: shades lowShade..highShade by the light
// across it, with a specular glint; dim 0..1 darkens it (for the far side of a helix).
void FillTube(Canvas& canvas, float ax, float ay, float bx, float by, float r, ArtRamp ramp,
              float lowShade, float highShade, float dim);

// The lettering's font file, the game's own face found as the game finds it (fontconfig); "" when
// the system has none. assetgen refuses to draw without it rather than leave letters out.
const char* LetteringFontPath();

// Lettering with DejaVu Sans Bold at pixel size `size`: coverage from SDL_ttf, colour from
// shade(x, y) (x, y in canvas pixels), an outline of outlineWidth pixels in outlineColour when
// outlineWidth > 0. (x, y) is the top left of the text box; returns the text's width, or -1 when
// the font cannot be used.
using TextShade = std::function<ArtColour(float x, float y)>;
int CanvasText(Canvas& canvas, const std::string& text, int size, int x, int y,
               const TextShade& shade, int outlineWidth, ArtColour outlineColour);
// Width and height of the text box at that size, without outline.
int TextMeasure(const std::string& text, int size, int* width, int* height);
// Closes the fonts opened by the lettering; called once when every sheet is done.
void TextCloseFonts();

// Sheets.
// A sheet laid out as the game cuts it, every pixel the key but the grey frame lines round the
// cells.
void SheetInit(Sheet& sheet, const SheetLayout& layout, uint8_t key);
// Copies a canvas (sized like a cell) into cell n, counted row by row: opaque pixels become
// their nearest palette entry, the others the key. dither (0: none) spreads an ordered 4 x 4
// pattern of that many colour steps over smooth gradients, as 8-bit pictures did, so they do not
// band. 0 when the cell lies outside the sheet.
int SheetPutCell(Sheet& sheet, int n, const Canvas& canvas, float dither = 0.0f);
// Writes the sheet into dir under its layout's file name. 1 when written.
int SheetWrite(const Sheet& sheet, const std::string& dir);

void RandomSeed(ArtRandom& random, uint32_t seed);
float RandomFloat(ArtRandom& random); // 0 .. 1
