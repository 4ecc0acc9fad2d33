// "chromoTile.bmp": the pieces. Kinds 0-3 are the bases A, C, G, T, each an X-shaped chromosome
// in its colour turning behind a button with its letter (50 frames); kind 4, the special piece,
// is a bevelled gold star turning among twinkling glints (44 frames). Key 215.
#include <cmath>

#include "game/sheet_layout.h"
#include "tools/assetgen/pixel_letters.h"
#include "tools/assetgen/sheets.h"

static constexpr int CELL = CHROMO_SHEET.cellWidth;
static constexpr int BASE_FRAMES = 50;
static constexpr int SPECIAL_FRAMES = 44;
// Pieces this size and larger (the title's) letter their buttons with the font, whose curves
// pay off there; smaller ones use the pixel letters.
static constexpr float FONT_LETTER_SIZE = 48.0f;

// One arm of the chromosome: from the centre outwards at angle a.
struct Arm {
    float ax, ay, bx, by;
};

static void PaintBase(Canvas& canvas, float cx, float cy, float size, int kind, float phase)
{
    const ArtRamp ramp = PieceRamp(kind);
    const float armLength = 0.355f * size, armRadius = 0.12f * size;
    // The button is wide enough for its letter to stand clear of the rim.
    const float discRadius = 0.30f * size * (1.0f + 0.03f * std::sin(2.0f * ART_PI * phase));
    const float turn = ART_PI / 4.0f + (ART_PI / 2.0f) * phase; // the X repeats every quarter turn
    Arm arms[4];
    for (int i = 0; i < 4; ++i) {
        float a = turn + static_cast<float>(i) * ART_PI / 2.0f;
        // The arms bow slightly, as chromatids do, so the X does not look like a plus sign.
        arms[i] = {cx + std::cos(a) * 0.10f * size, cy + std::sin(a) * 0.10f * size,
                   cx + std::cos(a + 0.08f) * armLength, cy + std::sin(a + 0.08f) * armLength};
    }
    auto armsSdf = [&](float x, float y) {
        float d = 1e9f;
        for (const Arm& arm : arms) {
            d = std::min(d, SdfCapsule(x, y, arm.ax, arm.ay, arm.bx, arm.by, armRadius));
        }
        return d;
    };
    const float outline = std::max(1.0f, size / 32.0f * 1.3f);
    const float reach = armLength + armRadius + outline + 1.0f;
    const ArtColour dark = ArtRampColour(ramp, 0.02f);

    // Silhouette outline, then the arms lit as tubes with a dark band across each.
    CanvasFillShape(
        canvas, cx - reach, cy - reach, cx + reach, cy + reach,
        [&](float x, float y) {
            return std::min(armsSdf(x, y), SdfCircle(x, y, cx, cy, discRadius)) - outline;
        },
        [&](float, float, float) { return dark; });
    CanvasFillShape(
        canvas, cx - reach, cy - reach, cx + reach, cy + reach, armsSdf,
        [&](float x, float y, float) {
            // The arm nearest the point gives the tube's normal.
            const Arm* best = &arms[0];
            float bestD = 1e9f, along = 0.0f;
            for (const Arm& arm : arms) {
                float vx = arm.bx - arm.ax, vy = arm.by - arm.ay;
                float t = std::clamp(((x - arm.ax) * vx + (y - arm.ay) * vy) / (vx * vx + vy * vy),
                                     0.0f, 1.0f);
                float d = std::hypot(x - arm.ax - vx * t, y - arm.ay - vy * t);
                if (d < bestD) {
                    bestD = d;
                    best = &arm;
                    along = t;
                }
            }
            float vx = best->bx - best->ax, vy = best->by - best->ay;
            float px = best->ax + vx * along, py = best->ay + vy * along;
            float highlight = 0.0f;
            float shade = ShadeSphere((x - px) / armRadius, (y - py) / armRadius, &highlight);
            // A darker band two thirds of the way out.
            float band = std::abs(along - 0.62f) < 0.09f ? 0.72f : 1.0f;
            ArtColour c = ArtRampColour(ramp, 0.08f + 0.78f * shade * band);
            return ArtMix(c, ArtEntryColour(ART_WHITE), 0.6f * highlight);
        });

    // The button with the letter: a light disc with a rim and a soft top-left shine.
    CanvasFillShape(
        canvas, cx - discRadius - 1, cy - discRadius - 1, cx + discRadius + 1, cy + discRadius + 1,
        [&](float x, float y) { return SdfCircle(x, y, cx, cy, discRadius); },
        [&](float x, float y, float d) {
            float nx = (x - cx) / discRadius, ny = (y - cy) / discRadius;
            float rim = std::clamp((-d - 0.03f * size) / (0.05f * size), 0.0f, 1.0f);
            float light = 0.90f + 0.10f * std::clamp(-(nx + ny) * 0.7f, -1.0f, 1.0f);
            ArtColour face = ArtMix(ArtRampColour(ramp, light), ArtEntryColour(ART_WHITE), 0.35f);
            ArtColour edge = ArtRampColour(ramp, 0.38f);
            return ArtMix(edge, face, rim);
        });
    const ArtColour ink = ArtRampColour(ramp, 0.04f);
    if (size >= FONT_LETTER_SIZE) {
        const int fontSize = static_cast<int>(std::lround(size * 0.56f));
        int w = 0, h = 0;
        if (TextMeasure(PieceLetter(kind), fontSize, &w, &h)) {
            CanvasText(
                canvas, PieceLetter(kind), fontSize,
                static_cast<int>(std::lround(cx - static_cast<float>(w) * 0.5f)),
                static_cast<int>(std::lround(cy - static_cast<float>(h) * 0.5f)),
                [&](float, float) { return ink; }, 0, ink);
        }
        return;
    }
    const PixelLetterSize letterSize = size >= 28.0f ? LETTERS_LARGE : LETTERS_SMALL;
    const PixelPattern& letter = PixelLetter(kind, letterSize);
    float unit = size / (letterSize == LETTERS_LARGE ? 32.0f : 24.0f);
    float left = cx - static_cast<float>(letter.width) * unit * 0.5f,
          top = cy - static_cast<float>(letter.height) * unit * 0.5f;
    // Near its own size a letter goes on whole pixels, so every stroke is solid ink.
    if (std::abs(unit - 1.0f) < 0.2f) {
        unit = 1.0f;
        left = std::round(left);
        top = std::round(top);
    }
    PaintPixelPattern(canvas, letter, left, top, unit, ink);
}

static void PaintSpecial(Canvas& canvas, float cx, float cy, float size, float phase)
{
    const float outer = 0.40f * size, inner = 0.18f * size;
    const float turn = -ART_PI / 2.0f + (2.0f * ART_PI / 5.0f) * phase; // a fifth of a turn a loop
    float tips[10][2];
    for (int i = 0; i < 10; ++i) {
        float a = turn + static_cast<float>(i) * ART_PI / 5.0f;
        float r = (i % 2 == 0) ? outer : inner;
        tips[i][0] = cx + std::cos(a) * r;
        tips[i][1] = cy + std::sin(a) * r;
    }
    // A dark rim: the same star a little larger.
    const float grow = 1.0f + std::max(1.2f, size / 32.0f * 1.4f) / inner;
    float rim[20];
    for (int i = 0; i < 10; ++i) {
        rim[2 * i] = cx + (tips[i][0] - cx) * (i % 2 ? grow : 1.0f + (grow - 1.0f) * 0.55f);
        rim[2 * i + 1] = cy + (tips[i][1] - cy) * (i % 2 ? grow : 1.0f + (grow - 1.0f) * 0.55f);
    }
    CoverageMask mask;
    PolygonCoverage(rim, 10, mask);
    ArtColour rimColour = ArtRampColour(RAMP_GOLD, 0.05f);
    CanvasFillMask(canvas, mask, [&](float, float) { return rimColour; });

    // Bevelled facets: each half of a point is a flat triangle lit by its facing.
    for (int i = 0; i < 10; ++i) {
        int j = (i + 1) % 10;
        const float tri[] = {cx, cy, tips[i][0], tips[i][1], tips[j][0], tips[j][1]};
        float mx = (tips[i][0] + tips[j][0]) * 0.5f - cx,
              my = (tips[i][1] + tips[j][1]) * 0.5f - cy;
        float len = std::hypot(mx, my);
        float facing = (-(mx / len) * 0.55f - (my / len) * 0.83f); // towards the upper-left light
        float shade = std::clamp(0.55f + 0.38f * facing, 0.15f, 0.95f);
        PolygonCoverage(tri, 3, mask);
        CanvasFillMask(canvas, mask, [&](float x, float y) {
            float toCentre = std::hypot(x - cx, y - cy) / outer;
            return ArtRampColour(RAMP_GOLD, shade + 0.12f * (1.0f - toCentre));
        });
    }
    // Glints that twinkle twice a loop, each in its own time.
    const float glints[3][3] = {
        {-0.34f, -0.30f, 0.0f}, {0.36f, -0.12f, 0.33f}, {0.05f, 0.38f, 0.66f}};
    for (const auto& g : glints) {
        float b = 0.5f + 0.5f * std::sin(2.0f * ART_PI * (2.0f * phase + g[2]));
        PaintGlint(canvas, cx + g[0] * size, cy + g[1] * size, 0.16f * size * b * b, RAMP_GOLD);
    }
    PaintGlint(canvas, cx - 0.08f * size, cy - 0.08f * size,
               0.10f * size * (0.6f + 0.4f * std::sin(2.0f * ART_PI * phase)), RAMP_GOLD);
}

void PaintGlint(Canvas& canvas, float x, float y, float r, ArtRamp tint)
{
    if (r < 1.0f) {
        return;
    }
    const float w = r * 0.22f;
    const float points[] = {x, y - r, x + w, y - w, x + r, y, x + w, y + w,
                            x, y + r, x - w, y + w, x - r, y, x - w, y - w};
    CoverageMask mask;
    PolygonCoverage(points, 8, mask);
    const ArtColour white = ArtEntryColour(ART_WHITE);
    const ArtColour light = ArtRampColour(tint, 0.88f);
    CanvasFillMask(canvas, mask, [&](float px, float py) {
        return ArtMix(white, light, std::clamp(std::hypot(px - x, py - y) / r * 1.3f, 0.0f, 1.0f));
    });
}

ArtRamp PieceRamp(int kind)
{
    constexpr ArtRamp RAMPS[PIECE_KIND_COUNT] = {RAMP_GREEN, RAMP_BLUE, RAMP_AMBER, RAMP_RED,
                                                 RAMP_GOLD};
    return RAMPS[std::clamp(kind, 0, PIECE_KIND_COUNT - 1)];
}

const char* PieceLetter(int kind)
{
    constexpr const char* LETTERS[PIECE_KIND_COUNT] = {"A", "C", "G", "T", "*"};
    return LETTERS[std::clamp(kind, 0, PIECE_KIND_COUNT - 1)];
}

void PaintPiece(Canvas& canvas, float cx, float cy, float size, int kind, float phase)
{
    if (kind == KIND_SPECIAL) {
        PaintSpecial(canvas, cx, cy, size, phase);
    } else {
        PaintBase(canvas, cx, cy, size, kind, phase);
    }
}

int ChromoSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, CHROMO_SHEET, ART_KEY_SPRITE);
    Canvas canvas;
    for (int kind = 0; kind < PIECE_KIND_COUNT; ++kind) {
        const int frames = kind == KIND_SPECIAL ? SPECIAL_FRAMES : BASE_FRAMES;
        for (int f = 0; f < frames; ++f) {
            CanvasInit(canvas, CELL, CELL, {0, 0, 0}, 0.0f);
            PaintPiece(canvas, CELL / 2.0f, CELL / 2.0f, static_cast<float>(CELL), kind,
                       static_cast<float>(f) / static_cast<float>(frames));
            if (!SheetPutCell(sheet, BASE_FRAMES * kind + f, canvas)) {
                return 0;
            }
        }
    }
    return SheetWrite(sheet, dir);
}
