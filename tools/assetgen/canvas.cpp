// The generator's drawing toolkit: canvas, shapes, lettering and sheets.
#include "tools/assetgen/canvas.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <memory>

#include "graphics/display.h"
#include "support/raster/line.h"
#include "support/raster/triangle.h"
#include "support/text.h"
#include "tools/assetgen/bmp_writer.h"

static constexpr int SUPERSAMPLE = 4;

// Fonts by pixel size, opened on first use and kept until TextCloseFonts.
static std::map<int, TTF_Font*> Fonts;

const char* LetteringFontPath()
{
    static char path[TEXT_FONT_PATH_SIZE] = "";
    if (path[0] == '\0') {
        TextFindFont(path, sizeof path);
    }
    return path;
}

static TTF_Font* FontOfSize(int size)
{
    auto found = Fonts.find(size);
    if (found != Fonts.end()) {
        return found->second;
    }
    if (!TTF_WasInit() && TTF_Init() != 0) {
        return nullptr;
    }
    TTF_Font* font = TTF_OpenFont(LetteringFontPath(), size);
    if (font) {
        Fonts[size] = font;
    }
    return font;
}

using SurfacePtr = std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)>;

// The glyphs' coverage as a surface of 32-bit pixels whose alpha is the coverage.
static SurfacePtr RenderCoverage(TTF_Font* font, const std::string& text)
{
    SDL_Surface* rendered =
        TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) {
        return SurfacePtr(nullptr, SDL_FreeSurface);
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    return SurfacePtr(argb, SDL_FreeSurface);
}

template <class Paint>
static void BlendCoverage(Canvas& canvas, SDL_Surface* s, int x, int y, Paint paint)
{
    for (int row = 0; row < s->h; ++row) {
        const uint32_t* p = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(s->pixels) + row * s->pitch);
        for (int col = 0; col < s->w; ++col) {
            float coverage = static_cast<float>(p[col] >> 24) / 255.0f;
            if (coverage > 0.0f) {
                CanvasBlend(
                    canvas, x + col, y + row,
                    paint(static_cast<float>(x + col) + 0.5f, static_cast<float>(y + row) + 0.5f),
                    coverage);
            }
        }
    }
}

void CanvasInit(Canvas& canvas, int width, int height, ArtColour fill, float alpha)
{
    canvas.width = width;
    canvas.height = height;
    canvas.colour.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    canvas.alpha.assign(static_cast<size_t>(width) * static_cast<size_t>(height), alpha);
}

void CanvasBlend(Canvas& canvas, int x, int y, ArtColour colour, float coverage)
{
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) {
        return;
    }
    size_t i = static_cast<size_t>(y) * static_cast<size_t>(canvas.width) + static_cast<size_t>(x);
    float a = canvas.alpha[i];
    float outAlpha = coverage + a * (1.0f - coverage);
    if (outAlpha <= 0.0f) {
        return;
    }
    // Straight (not premultiplied) colour: a half-covered pixel over nothing keeps its colour,
    // so sprite edges do not darken towards the key.
    float keep = a * (1.0f - coverage) / outAlpha;
    canvas.colour[i] = ArtMix(colour, canvas.colour[i], keep);
    canvas.alpha[i] = outAlpha;
}

float SdfCircle(float x, float y, float cx, float cy, float r)
{
    return std::hypot(x - cx, y - cy) - r;
}

float SdfEllipse(float x, float y, float cx, float cy, float rx, float ry)
{
    // Distance scaled by the gradient of the implicit function: exact enough at the edge, which is
    // all the coverage needs.
    float dx = (x - cx) / rx, dy = (y - cy) / ry;
    float f = std::sqrt(dx * dx + dy * dy);
    float gx = dx / rx, gy = dy / ry;
    float g = std::sqrt(gx * gx + gy * gy);
    if (f < 1e-6f || g < 1e-9f) {
        return -std::min(rx, ry);
    }
    return (f - 1.0f) * f / g;
}

float SdfCapsule(float x, float y, float ax, float ay, float bx, float by, float r)
{
    float px = x - ax, py = y - ay, vx = bx - ax, vy = by - ay;
    float len2 = vx * vx + vy * vy;
    float t = len2 > 0.0f ? std::clamp((px * vx + py * vy) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - vx * t, py - vy * t) - r;
}

float SdfRoundBox(float x, float y, float cx, float cy, float halfW, float halfH, float radius)
{
    float qx = std::abs(x - cx) - halfW + radius, qy = std::abs(y - cy) - halfH + radius;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float SdfConvex(float x, float y, const std::vector<float>& p)
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

float ShadeSphere(float nx, float ny, float* highlight)
{
    float r2 = std::min(1.0f, nx * nx + ny * ny);
    float nz = std::sqrt(1.0f - r2);
    const float lx = -0.48f, ly = -0.62f, lz = 0.62f; // unit vector to the light
    float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
    // Reflection of the light about the normal against the view (0, 0, 1).
    float rz = 2.0f * (nx * lx + ny * ly + nz * lz) * nz - lz;
    if (highlight) {
        *highlight = std::pow(std::max(0.0f, rz), 24.0f);
    }
    return std::clamp(0.18f + 0.82f * diffuse, 0.0f, 1.0f);
}

void FillTube(Canvas& canvas, float ax, float ay, float bx, float by, float r, ArtRamp ramp,
              float lowShade, float highShade, float dim)
{
    const float vx = bx - ax, vy = by - ay, len2 = std::max(vx * vx + vy * vy, 1e-6f);
    CanvasFillShape(
        canvas, std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r,
        std::max(ay, by) + r, [&](float x, float y) { return SdfCapsule(x, y, ax, ay, bx, by, r); },
        [&](float x, float y, float) {
            float t = std::clamp(((x - ax) * vx + (y - ay) * vy) / len2, 0.0f, 1.0f);
            float highlight = 0.0f;
            float shade = ShadeSphere((x - ax - vx * t) / r, (y - ay - vy * t) / r, &highlight);
            ArtColour c = ArtRampColour(ramp, (lowShade + (highShade - lowShade) * shade) *
                                                  (1.0f - 0.55f * dim));
            return ArtMix(c, ArtEntryColour(ART_WHITE), 0.7f * highlight * (1.0f - dim));
        });
}

void PolygonCoverage(const float* points, int n, CoverageMask& mask)
{
    mask = CoverageMask{};
    if (n < 3) {
        return;
    }
    float minX = points[0], maxX = points[0], minY = points[1], maxY = points[1];
    float cx = 0.0f, cy = 0.0f;
    for (int i = 0; i < n; ++i) {
        minX = std::min(minX, points[2 * i]);
        maxX = std::max(maxX, points[2 * i]);
        minY = std::min(minY, points[2 * i + 1]);
        maxY = std::max(maxY, points[2 * i + 1]);
        cx += points[2 * i] / static_cast<float>(n);
        cy += points[2 * i + 1] / static_cast<float>(n);
    }
    mask.x0 = static_cast<int>(std::floor(minX));
    mask.y0 = static_cast<int>(std::floor(minY));
    mask.width = static_cast<int>(std::ceil(maxX)) - mask.x0 + 1;
    mask.height = static_cast<int>(std::ceil(maxY)) - mask.y0 + 1;
    const int sw = mask.width * SUPERSAMPLE, sh = mask.height * SUPERSAMPLE;
    std::vector<uint8_t> samples(static_cast<size_t>(sw) * static_cast<size_t>(sh), 0);

    // The triangles clip against the display's clip window: make it the sample buffer.
    const int saved[4] = {ClipMinX, ClipMinY, ClipMaxX, ClipMaxY};
    ClipMinX = 0;
    ClipMinY = 0;
    ClipMaxX = sw - 1;
    ClipMaxY = sh - 1;
    auto sx = [&](float x) {
        return static_cast<int>(std::lround((x - static_cast<float>(mask.x0)) * SUPERSAMPLE));
    };
    auto sy = [&](float y) {
        return static_cast<int>(std::lround((y - static_cast<float>(mask.y0)) * SUPERSAMPLE));
    };
    // A fan from the centre: exact for convex and star-shaped outlines such as stars and wedges.
    for (int i = 0; i < n; ++i) {
        int j = (i + 1) % n;
        DrawTriangle8(sx(cx), sy(cy), sx(points[2 * i]), sy(points[2 * i + 1]), sx(points[2 * j]),
                      sy(points[2 * j + 1]), 1, samples.data(), sw);
    }
    ClipMinX = saved[0];
    ClipMinY = saved[1];
    ClipMaxX = saved[2];
    ClipMaxY = saved[3];

    mask.coverage.assign(static_cast<size_t>(mask.width) * static_cast<size_t>(mask.height), 0.0f);
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < sw; ++x) {
            if (samples[static_cast<size_t>(y) * static_cast<size_t>(sw) +
                        static_cast<size_t>(x)]) {
                mask.coverage[static_cast<size_t>(y / SUPERSAMPLE) *
                                  static_cast<size_t>(mask.width) +
                              static_cast<size_t>(x / SUPERSAMPLE)] +=
                    1.0f / static_cast<float>(SUPERSAMPLE * SUPERSAMPLE);
            }
        }
    }
}

int CanvasText(Canvas& canvas, const std::string& text, int size, int x, int y,
               const TextShade& shade, int outlineWidth, ArtColour outlineColour)
{
    TTF_Font* font = FontOfSize(size);
    if (!font) {
        return -1;
    }
    if (outlineWidth > 0) {
        TTF_SetFontOutline(font, outlineWidth);
        SurfacePtr outline = RenderCoverage(font, text);
        TTF_SetFontOutline(font, 0);
        if (!outline) {
            return -1;
        }
        BlendCoverage(canvas, outline.get(), x - outlineWidth, y - outlineWidth,
                      [&](float, float) { return outlineColour; });
    }
    SurfacePtr glyphs = RenderCoverage(font, text);
    if (!glyphs) {
        return -1;
    }
    BlendCoverage(canvas, glyphs.get(), x, y, shade);
    return glyphs->w;
}

int TextMeasure(const std::string& text, int size, int* width, int* height)
{
    TTF_Font* font = FontOfSize(size);
    if (!font) {
        return 0;
    }
    return TTF_SizeUTF8(font, text.c_str(), width, height) == 0 ? 1 : 0;
}

void TextCloseFonts()
{
    for (auto& [size, font] : Fonts) {
        TTF_CloseFont(font);
    }
    Fonts.clear();
    if (TTF_WasInit()) {
        TTF_Quit();
    }
}

void SheetInit(Sheet& sheet, const SheetLayout& layout, uint8_t key)
{
    const int width = layout.width;
    const int height = layout.height;
    const int cellWidth = layout.cellWidth;
    const int cellHeight = layout.cellHeight;
    const auto lineIndex = static_cast<uint8_t>(ArtRampIndex(RAMP_GREY, 0.5f));
    sheet.layout = &layout;
    sheet.width = width;
    sheet.height = height;
    sheet.cellWidth = cellWidth;
    sheet.cellHeight = cellHeight;
    sheet.columns = layout.columns;
    sheet.key = key;
    sheet.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), key);
    // The frame lines between the cells, drawn with the raster spans clipped to the sheet.
    const int saved[4] = {ClipMinX, ClipMinY, ClipMaxX, ClipMaxY};
    ClipMinX = 0;
    ClipMinY = 0;
    ClipMaxX = width - 1;
    ClipMaxY = height - 1;
    for (int x = 0; x < width; x += cellWidth + 1) {
        DrawVLine8(0, height - 1, x, lineIndex, sheet.pixels.data(), width);
    }
    for (int y = 0; y < height; y += cellHeight + 1) {
        DrawHLine8(0, width - 1, y, lineIndex, sheet.pixels.data(), width);
    }
    ClipMinX = saved[0];
    ClipMinY = saved[1];
    ClipMaxX = saved[2];
    ClipMaxY = saved[3];
}

int SheetPutCell(Sheet& sheet, int n, const Canvas& canvas, float dither)
{
    static constexpr float BAYER[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const int left = SheetCellLeft(*sheet.layout, n % sheet.columns);
    const int top = SheetCellTop(*sheet.layout, n / sheet.columns);
    if (canvas.width != sheet.cellWidth || canvas.height != sheet.cellHeight ||
        left + sheet.cellWidth > sheet.width || top + sheet.cellHeight > sheet.height) {
        return 0;
    }
    for (int y = 0; y < sheet.cellHeight; ++y) {
        uint8_t* row = sheet.pixels.data() +
                       static_cast<size_t>(top + y) * static_cast<size_t>(sheet.width) +
                       static_cast<size_t>(left);
        for (int x = 0; x < sheet.cellWidth; ++x) {
            size_t i =
                static_cast<size_t>(y) * static_cast<size_t>(canvas.width) + static_cast<size_t>(x);
            if (canvas.alpha[i] < 0.5f) {
                row[x] = sheet.key;
                continue;
            }
            float offset = dither * ((BAYER[y & 3][x & 3] + 0.5f) / 16.0f - 0.5f);
            ArtColour c = canvas.colour[i];
            row[x] = ArtNearest({c.r + offset, c.g + offset, c.b + offset});
        }
    }
    return 1;
}

int SheetWrite(const Sheet& sheet, const std::string& dir)
{
    std::string path = dir + "/" + sheet.layout->fileName;
    return BmpWrite8(path.c_str(), sheet.width, sheet.height, sheet.pixels.data(), sheet.width,
                     ArtPalette, sheet.key);
}

void RandomSeed(ArtRandom& random, uint32_t seed)
{
    random.state = seed ? seed : 0x9E3779B9u;
}

float RandomFloat(ArtRandom& random)
{
    uint32_t x = random.state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    random.state = x;
    return static_cast<float>(x >> 8) / static_cast<float>(1u << 24);
}
