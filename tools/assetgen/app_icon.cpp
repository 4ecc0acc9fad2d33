// The application icon: a double helix lying from lower left to upper right, its two backbones
// twisting round rungs in the colours of the bases, the catcher and a few glints at the sizes
// that have room for them, and a soft dark rim that keeps it readable on light and dark menus.
#include "tools/assetgen/app_icon.h"

#include <cmath>
#include <filesystem>
#include <vector>

#include "tools/assetgen/png_writer.h"
#include "tools/assetgen/sheets.h"

// How one size is drawn. Lengths are in pixels of that size: the small icons get fewer, thicker
// strokes so each rung stays a visible block of colour; the large ones more rungs, the catcher
// and the glints.
struct IconDesign {
    int size;
    float inset;        // from the edges to the helix's ends on each axis; the rim ends inside
    float turns;        // turns of the helix from end to end
    float radius;       // backbone distance from the axis
    float thickness;    // backbone width
    float rungWidth;    // rung width
    int rungsPerTurn;   // rungs too short to show (near a crossing) are left out
    float outlineSolid; // the dark rim's full-strength width
    float outlineFade;  // and the width over which it fades out
    float catcherSize;  // 0: no catcher
    int glints;         // glints in the clear corner above the helix
};

static constexpr IconDesign DESIGNS[] = {
    {32, 4.9f, 1.0f, 9.0f, 4.4f, 3.0f, 6, 1.0f, 1.0f, 0.0f, 0},
    {48, 6.6f, 1.0f, 13.0f, 6.0f, 3.6f, 8, 1.2f, 1.4f, 0.0f, 0},
    {64, 9.2f, 1.5f, 15.0f, 7.0f, 4.0f, 8, 1.5f, 1.8f, 28.0f, 0},
    {128, 15.5f, 1.5f, 30.0f, 12.0f, 6.0f, 10, 2.5f, 3.0f, 52.0f, 2},
    {256, 26.5f, 2.0f, 52.0f, 19.0f, 9.0f, 10, 4.0f, 5.0f, 104.0f, 3},
};

// Base pairs along the ladder: the first two rungs already show all four colours, so even the
// smallest icon does.
static constexpr int RUNG_BASES[8] = {0, 2, 1, 3, 2, 0, 3, 1};
static constexpr int PARTNER[4] = {3, 2, 1, 0}; // A-T, C-G

static constexpr ArtRamp STRAND_RAMPS[2] = {RAMP_TEAL, RAMP_PINK};

// One stretch of a backbone on one side of the axis: points along its middle line with their
// depth (1 nearest the viewer, -1 furthest).
struct StrandPoint {
    float x, y, depth;
};

// Fills a stretch of backbone as one lit tube, thinner and dimmer where it lies further back.
// Drawn as one shape rather than a chain of capsules, so the light runs smoothly along it
// instead of beading at every joint.
static void PaintStrand(Canvas& canvas, const std::vector<StrandPoint>& points, ArtRamp ramp,
                        float r)
{
    if (points.size() < 2) {
        return;
    }
    float left = points[0].x, right = left, top = points[0].y, bottom = top;
    for (const StrandPoint& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int x0 = std::max(0, static_cast<int>(left - r) - 2),
              x1 = std::min(canvas.width - 1, static_cast<int>(right + r) + 2);
    const int y0 = std::max(0, static_cast<int>(top - r) - 2),
              y1 = std::min(canvas.height - 1, static_cast<int>(bottom + r) + 2);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            float best = 1e9f, nearX = 0, nearY = 0, nearR = r, nearDepth = 0;
            for (size_t i = 0; i + 1 < points.size(); ++i) {
                const StrandPoint& a = points[i];
                const StrandPoint& b = points[i + 1];
                const float vx = b.x - a.x, vy = b.y - a.y;
                const float len2 = std::max(vx * vx + vy * vy, 1e-6f);
                const float t = std::clamp(((px - a.x) * vx + (py - a.y) * vy) / len2, 0.0f, 1.0f);
                const float depth = a.depth + (b.depth - a.depth) * t;
                const float radius = r * (0.82f + 0.18f * depth);
                const float qx = a.x + vx * t, qy = a.y + vy * t;
                const float d = std::hypot(px - qx, py - qy) - radius;
                if (d < best) {
                    best = d;
                    nearX = qx;
                    nearY = qy;
                    nearR = radius;
                    nearDepth = depth;
                }
            }
            const float coverage = std::clamp(0.5f - best, 0.0f, 1.0f);
            if (coverage <= 0.0f) {
                continue;
            }
            const float dim = 0.6f * std::max(0.0f, -nearDepth);
            float highlight = 0.0f;
            const float shade = ShadeSphere((px - nearX) / nearR, (py - nearY) / nearR, &highlight);
            const ArtColour c = ArtRampColour(ramp, (0.3f + 0.7f * shade) * (1.0f - 0.55f * dim));
            CanvasBlend(canvas, x, y,
                        ArtMix(c, ArtEntryColour(ART_WHITE), 0.7f * highlight * (1.0f - dim)),
                        coverage);
        }
    }
}

static void PaintIconHelix(Canvas& canvas, const IconDesign& d)
{
    const float n = static_cast<float>(d.size);
    const float x0 = d.inset, y0 = n - d.inset, x1 = n - d.inset, y1 = d.inset;
    const float length = std::hypot(x1 - x0, y1 - y0);
    const float ax = (x1 - x0) / length, ay = (y1 - y0) / length; // along the axis
    const float nx = -ay, ny = ax;                                // across it
    const float period = length / d.turns;
    auto angle = [&](float t, int s) {
        return 2.0f * ART_PI * (t / period + 0.5f * static_cast<float>(s));
    };
    auto point = [&](float t, int s) {
        // The backbones close in towards both ends, so the ends reach into the corners while
        // the middle spreads across the icon.
        const float taper = std::sqrt(std::max(0.0f, std::sin(ART_PI * t / length)));
        const float off = d.radius * taper * std::sin(angle(t, s));
        return StrandPoint{x0 + ax * t + nx * off, y0 + ay * t + ny * off, std::cos(angle(t, s))};
    };
    // Each backbone cut where it passes the axis, into stretches behind it and in front of it.
    struct Stretch {
        int strand;
        std::vector<StrandPoint> points;
    };
    std::vector<Stretch> behind, front;
    const int samples = static_cast<int>(std::ceil(length));
    for (int s = 0; s < 2; ++s) {
        Stretch stretch{s, {}};
        for (int i = 0; i <= samples; ++i) {
            const StrandPoint p =
                point(length * static_cast<float>(i) / static_cast<float>(samples), s);
            auto& points = stretch.points;
            if (!points.empty() && (points.back().depth < 0.0f) != (p.depth < 0.0f)) {
                // The stretch ends where the next begins, so the two join without a gap.
                points.push_back(p);
                (points.front().depth < 0.0f ? behind : front).push_back(stretch);
                points.clear();
            }
            points.push_back(p);
        }
        (stretch.points.front().depth < 0.0f ? behind : front).push_back(stretch);
    }
    const float r = d.thickness * 0.5f;
    for (const Stretch& stretch : behind) {
        PaintStrand(canvas, stretch.points, STRAND_RAMPS[stretch.strand], r);
    }

    // The rungs between the two: half in one base's colour, half in its partner's.
    const float gap = period / static_cast<float>(d.rungsPerTurn);
    int shown = 0;
    for (float t = gap * 0.5f; t < length; t += gap) {
        if (std::abs(std::sin(angle(t, 0))) < 0.35f) {
            continue;
        }
        const StrandPoint a = point(t, 0), b = point(t, 1);
        const float mx = (a.x + b.x) * 0.5f, my = (a.y + b.y) * 0.5f;
        const int base = RUNG_BASES[shown++ % 8];
        const float rr = d.rungWidth * 0.5f;
        FillTube(canvas, a.x, a.y, mx, my, rr, PieceRamp(base), 0.35f, 0.9f, 0.0f);
        FillTube(canvas, mx, my, b.x, b.y, rr, PieceRamp(PARTNER[base]), 0.35f, 0.9f, 0.0f);
    }
    for (const Stretch& stretch : front) {
        PaintStrand(canvas, stretch.points, STRAND_RAMPS[stretch.strand], r);
    }
}

// Lays a dark rim under everything drawn: full strength for `solid` pixels out from the picture,
// then fading over `fade` more, so the icon keeps its shape on a light menu and on a dark one.
static void PaintSoftOutline(Canvas& canvas, float solid, float fade)
{
    const Canvas art = canvas;
    const int reach = static_cast<int>(std::ceil(solid + fade));
    std::vector<float> rim(art.alpha.size(), 0.0f);
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            float best = 0.0f;
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= art.width || sy >= art.height) {
                        continue;
                    }
                    const float a =
                        art.alpha[static_cast<size_t>(sy) * static_cast<size_t>(art.width) +
                                  static_cast<size_t>(sx)];
                    const float dist = std::hypot(static_cast<float>(dx), static_cast<float>(dy));
                    const float falloff = std::clamp((solid + fade - dist) / fade, 0.0f, 1.0f);
                    best = std::max(best, a * falloff);
                }
            }
            rim[static_cast<size_t>(y) * static_cast<size_t>(art.width) + static_cast<size_t>(x)] =
                best;
        }
    }
    CanvasInit(canvas, art.width, art.height, ArtRampColour(RAMP_NAVY, 0.0f), 0.0f);
    for (size_t i = 0; i < rim.size(); ++i) {
        canvas.alpha[i] = 0.92f * rim[i] * rim[i] * (3.0f - 2.0f * rim[i]);
    }
    for (int y = 0; y < art.height; ++y) {
        for (int x = 0; x < art.width; ++x) {
            const size_t i =
                static_cast<size_t>(y) * static_cast<size_t>(art.width) + static_cast<size_t>(x);
            CanvasBlend(canvas, x, y, art.colour[i], art.alpha[i]);
        }
    }
}

int AppIconPaint(Canvas& canvas, int size)
{
    for (const IconDesign& d : DESIGNS) {
        if (d.size != size) {
            continue;
        }
        CanvasInit(canvas, size, size, {0, 0, 0}, 0.0f);
        PaintIconHelix(canvas, d);
        if (d.catcherSize > 0.0f) {
            // Facing the viewer with its mouth half open, as on the title.
            CatcherPose pose = {0, 0.6f, 0.0f, RAMP_PURPLE, 0.0f};
            PaintCatcher(canvas, static_cast<float>(size) * 0.74f, static_cast<float>(size) * 0.74f,
                         d.catcherSize, pose);
        }
        // Glints in the clear corner above the helix, as on the title: x, y and radius in icon
        // sizes.
        constexpr float GLINTS[3][3] = {
            {0.22f, 0.20f, 0.075f}, {0.40f, 0.09f, 0.04f}, {0.10f, 0.40f, 0.035f}};
        for (int i = 0; i < d.glints; ++i) {
            PaintGlint(canvas, GLINTS[i][0] * static_cast<float>(size),
                       GLINTS[i][1] * static_cast<float>(size),
                       GLINTS[i][2] * static_cast<float>(size), RAMP_GOLD);
        }
        PaintSoftOutline(canvas, d.outlineSolid, d.outlineFade);
        return 1;
    }
    return 0;
}

int AppIconWriteAll(const std::string& folder)
{
    Canvas canvas;
    for (int size : APP_ICON_SIZES) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path dir = std::filesystem::path(folder) / name / "apps";
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        if (error || !AppIconPaint(canvas, size)) {
            return 0;
        }
        // Straight alpha; a clear pixel carries no colour, so equal pictures give equal bytes.
        std::vector<uint8_t> rgba(static_cast<size_t>(size) * static_cast<size_t>(size) * 4, 0);
        for (size_t i = 0; i < canvas.alpha.size(); ++i) {
            const int a =
                static_cast<int>(std::lround(std::clamp(canvas.alpha[i], 0.0f, 1.0f) * 255.0f));
            if (a == 0) {
                continue;
            }
            const ArtColour c = canvas.colour[i];
            rgba[4 * i + 0] = static_cast<uint8_t>(std::lround(std::clamp(c.r, 0.0f, 255.0f)));
            rgba[4 * i + 1] = static_cast<uint8_t>(std::lround(std::clamp(c.g, 0.0f, 255.0f)));
            rgba[4 * i + 2] = static_cast<uint8_t>(std::lround(std::clamp(c.b, 0.0f, 255.0f)));
            rgba[4 * i + 3] = static_cast<uint8_t>(a);
        }
        if (!PngWriteRgba((dir / "helixdash.png").c_str(), size, size, rgba.data())) {
            return 0;
        }
    }
    return 1;
}
