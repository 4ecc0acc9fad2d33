// "bonusTile.BMP": the verdict animations played over the face when it is judged, one row per
// verdict: a flash that is held, then a badge with the verdict's name on a ribbon popping in, its
// points popping up under it, sparkles, and the badge shrinking away before the blank frame.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "game/judging.h"
#include "game/sheet_layout.h"
#include "tools/assetgen/sheets.h"

static constexpr int CELL = BONUS_SHEET.cellWidth;
static constexpr int COLUMNS = BONUS_SHEET.columns;
static constexpr int VERDICTS = VERDICT_COUNT - 1; // verdict v on row v - 1
static constexpr int PLAYED_CELLS = 25;            // cell 0 (held) and cells 1 .. 24 (played once)

// A verdict's badge. Its word and points are filled in from the game when the sheet is drawn, so
// the badge says what the judging pays.
struct BonusVerdict {
    ArtRamp badge;          // the badge's colour
    int rays;               // 0: a round badge; more rays for the richer verdicts
    const char* label = ""; // VERDICT_BADGES
    char points[8] = {};    // "+" and JudgeVerdictPoints
};

// Verdicts 1 .. 13: the clown's, the pirate's, the robot's and the alien's, then the plain faces.
static constexpr BonusVerdict VERDICT_ART[VERDICTS] = {
    {RAMP_RED, 10},   {RAMP_RED, 14},  {RAMP_GOLD, 18}, {RAMP_TEAL, 10},   {RAMP_BROWN, 14},
    {RAMP_STEEL, 10}, {RAMP_BLUE, 14}, {RAMP_NAVY, 18}, {RAMP_PURPLE, 10}, {RAMP_LIME, 14},
    {RAMP_GREEN, 18}, {RAMP_AMBER, 0}, {RAMP_PINK, 0},
};

static constexpr float CX = 32.0f;
static constexpr float BADGE_Y = 26.0f;
static constexpr float BADGE_R = 21.0f;
// Every shape of the animation is ringed in ink this wide, so it stands out from both the steel
// panel and the light sky of the face box it is drawn over.
static constexpr float INK_WIDTH = 2.2f;
// The ribbon across the badge that carries the name: its greatest width and its height at full
// size.
static constexpr float RIBBON_WIDTH = 59.0f;
static constexpr float RIBBON_MARGIN =
    6.0f; // between the name and the ribbon's ends, room allowing
static constexpr float RIBBON_LEAST_MARGIN = 3.5f;
static constexpr float RIBBON_HEIGHT = 14.0f;
// The name's size and the points' size at full size; 11 pixels is the least with capitals 8 high.
static constexpr int LABEL_SIZE = 12;
static constexpr int LABEL_LEAST_SIZE = 11;
static constexpr int POINTS_SIZE = 13;
static constexpr float POINTS_Y = 53.0f;

static ArtColour Ink()
{
    return ArtEntryColour(ArtRampIndex(RAMP_NAVY, 0.0f));
}

static float EaseOutBack(float t)
{
    const float k = 1.5f; // overshoots by 8 %
    t = std::clamp(t, 0.0f, 1.0f) - 1.0f;
    return 1.0f + (k + 1.0f) * t * t * t + k * t * t;
}

// Fills a shape ringed in ink: the ink is the shape grown by INK_WIDTH, drawn first.
template <class Sdf, class Shade>
static void FillInked(Canvas& c, float x0, float y0, float x1, float y1, Sdf sdf, Shade shade)
{
    const ArtColour ink = Ink();
    CanvasFillShape(
        c, x0 - INK_WIDTH, y0 - INK_WIDTH, x1 + INK_WIDTH, y1 + INK_WIDTH,
        [&](float x, float y) { return sdf(x, y) - INK_WIDTH; },
        [&](float, float, float) { return ink; });
    CanvasFillShape(c, x0, y0, x1, y1, sdf, shade);
}

// A four-pointed sparkle of radius r: the astroid, with a bright core. Too small to carry its
// ink ring it is left out, and so is one that would cross the cell's edge.
static void PaintSparkle(Canvas& c, float x, float y, float r, float brightness)
{
    r *= brightness;
    if (r < 2.5f) {
        return;
    }
    const float margin = r + INK_WIDTH + 1.0f;
    if (x < margin || y < margin || x > CELL - margin || y > CELL - margin) {
        return;
    }
    FillInked(
        c, x - r, y - r, x + r, y + r,
        [=](float px, float py) {
            float f = std::sqrt(std::abs(px - x)) + std::sqrt(std::abs(py - y)) - std::sqrt(r);
            return f * std::sqrt(r) * 0.9f;
        },
        [=](float px, float py, float) {
            float d = std::hypot(px - x, py - y) / r;
            return ArtMix(ArtEntryColour(ART_WHITE), ArtRampColour(RAMP_GOLD, 0.6f),
                          std::clamp(d * 1.4f, 0.0f, 1.0f));
        });
    CanvasFillShape(
        c, x - 2, y - 2, x + 2, y + 2,
        [=](float px, float py) { return SdfCircle(px, py, x, y, 1.1f); },
        [](float, float, float) { return ArtEntryColour(ART_WHITE); });
}

// The badge: a starburst (or a disc) in the verdict's colour, lit from the upper left, ringed in
// ink; `turn` turns its rays.
static void PaintBadge(Canvas& c, const BonusVerdict& v, float scale, float turn)
{
    const float r = BADGE_R * scale;
    if (r < 1.0f) {
        return;
    }
    auto outline = [&](float x, float y) {
        float dx = x - CX, dy = y - BADGE_Y, a = std::atan2(dy, dx);
        float edge = v.rays
                         ? r * (0.88f + 0.12f * std::cos(static_cast<float>(v.rays) * (a + turn)))
                         : r * 0.92f;
        return (std::hypot(dx, dy) - edge) * 0.85f;
    };
    FillInked(c, CX - r, BADGE_Y - r, CX + r, BADGE_Y + r, outline, [&](float x, float y, float) {
        float glint = 0.0f;
        float light = ShadeSphere((x - CX) / (r * 1.3f), (y - BADGE_Y) / (r * 1.3f), &glint);
        ArtColour col = ArtRampColour(v.badge, 0.3f + 0.5f * light);
        return ArtMix(col, ArtEntryColour(ART_WHITE), 0.5f * glint);
    });
    // An inner ring, as on a stamped medal.
    CanvasFillShape(
        c, CX - r, BADGE_Y - r, CX + r, BADGE_Y + r,
        [&](float x, float y) {
            return std::abs(std::hypot(x - CX, y - BADGE_Y) - r * 0.7f) - 0.6f * scale;
        },
        [&](float, float, float) { return ArtRampColour(v.badge, 0.85f); });
}

// The width of the text's box at that size with `tracking` pixels added between its letters
// (negative: closer), or -1 when the font cannot be used.
static int TrackedWidth(const char* text, int size, int tracking)
{
    int w = 0, h = 0;
    if (tracking == 0) {
        return TextMeasure(text, size, &w, &h) ? w : -1;
    }
    int total = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (!TextMeasure(std::string(1, *p), size, &w, &h)) {
            return -1;
        }
        total += w + (p == text ? 0 : tracking);
    }
    return total;
}

// Text whose inked glyphs are centred on (cx, cy): drawn aside first, so the centre is that of
// the letters themselves rather than of the font's line box. A tracking other than 0 sets the
// letters one by one, that much closer or further apart.
static void CentredText(Canvas& c, const char* text, int size, int tracking, float cx, float cy,
                        const TextShade& shade, int outlineWidth)
{
    Canvas aside;
    CanvasInit(aside, 2 * CELL, CELL, {0, 0, 0}, 0.0f);
    int w = TrackedWidth(text, size, tracking), h = 0, unused = 0;
    if (w < 0 || !TextMeasure(text, size, &unused, &h)) {
        return;
    }
    int x = (aside.width - w) / 2;
    const int y = (aside.height - h) / 2;
    if (tracking == 0) {
        if (CanvasText(aside, text, size, x, y, shade, outlineWidth, Ink()) < 0) {
            return;
        }
    } else {
        for (const char* p = text; *p != '\0'; ++p) {
            int advance =
                CanvasText(aside, std::string(1, *p), size, x, y, shade, outlineWidth, Ink());
            if (advance < 0) {
                return;
            }
            x += advance + tracking;
        }
    }
    int left = aside.width, top = aside.height, right = -1, bottom = -1;
    for (int ay = 0; ay < aside.height; ++ay) {
        for (int ax = 0; ax < aside.width; ++ax) {
            if (aside.alpha[static_cast<size_t>(ay) * static_cast<size_t>(aside.width) +
                            static_cast<size_t>(ax)] >= 0.5f) {
                left = std::min(left, ax);
                top = std::min(top, ay);
                right = std::max(right, ax);
                bottom = std::max(bottom, ay);
            }
        }
    }
    if (right < 0) {
        return;
    }
    const int dx = static_cast<int>(std::lround(cx - static_cast<float>(left + right + 1) * 0.5f));
    const int dy = static_cast<int>(std::lround(cy - static_cast<float>(top + bottom + 1) * 0.5f));
    for (int ay = 0; ay < aside.height; ++ay) {
        for (int ax = 0; ax < aside.width; ++ax) {
            size_t i = static_cast<size_t>(ay) * static_cast<size_t>(aside.width) +
                       static_cast<size_t>(ax);
            if (aside.alpha[i] > 0.0f) {
                CanvasBlend(c, ax + dx, ay + dy, aside.colour[i], aside.alpha[i]);
            }
        }
    }
}

// The verdict's name in ink on a light ribbon across the badge, so it reads whatever the badge's
// colour; the ribbon is ringed in ink where it reaches past the badge. The name keeps capitals
// 8 pixels high: a name too long for the ribbon at that size is set closer instead.
static void PaintNameRibbon(Canvas& c, const BonusVerdict& v, float scale)
{
    const float room = RIBBON_WIDTH - 2.0f * RIBBON_LEAST_MARGIN;
    int size = LABEL_SIZE, tracking = 0;
    while (size > LABEL_LEAST_SIZE && static_cast<float>(TrackedWidth(v.label, size, 0)) > room) {
        --size;
    }
    while (tracking > -2 && static_cast<float>(TrackedWidth(v.label, size, tracking)) > room) {
        --tracking;
    }
    const float w = static_cast<float>(TrackedWidth(v.label, size, tracking));
    // The ribbon never leaves the cell, not even while the badge overshoots as it pops in.
    const float width = std::min(RIBBON_WIDTH, w + 2.0f * RIBBON_MARGIN);
    const float halfW = std::min(width * 0.5f * scale, RIBBON_WIDTH * 0.5f);
    const float halfH = RIBBON_HEIGHT * 0.5f * scale;
    const ArtColour face = ArtRampColour(RAMP_CREAM, 0.92f),
                    shade = ArtRampColour(RAMP_CREAM, 0.6f);
    // Swallowtail ends, a wedge cut into each end, as deep as the name leaves room for.
    const float notch = std::clamp((width - w) * 0.5f - 1.5f, 0.0f, 3.5f) * scale;
    const float slope = std::hypot(1.0f, notch / halfH);
    FillInked(
        c, CX - halfW, BADGE_Y - halfH, CX + halfW, BADGE_Y + halfH,
        [&](float x, float y) {
            float box = SdfRoundBox(x, y, CX, BADGE_Y, halfW, halfH, 0.0f);
            float wedge =
                (notch * (1.0f - std::abs(y - BADGE_Y) / halfH) - (halfW - std::abs(x - CX))) /
                slope;
            return std::max(box, wedge);
        },
        [&](float, float y, float) {
            // Lit from above: the lower edge a shade darker.
            return y > BADGE_Y + halfH - 2.0f ? shade : face;
        });
    // While the badge pops in and shrinks away the name is scaled with it; it is only read at
    // full size.
    const int scaled =
        static_cast<int>(std::lround(static_cast<float>(size) * std::min(scale, 1.0f)));
    if (scaled < 6) {
        return;
    }
    const ArtColour ink = Ink();
    CentredText(
        c, v.label, scaled, tracking, CX, BADGE_Y, [=](float, float) { return ink; }, 0);
}

// Sets every pixel on the outside of what the cell shows to solid ink. A keyed sprite cannot
// blend its edge with a background it does not know, and where a ray's tip is sharper than the
// ink ring a pixel would mix the badge's colour into its edge, grey on the grey panel.
static void InkSilhouette(Canvas& c)
{
    auto shown = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < c.width && y < c.height &&
               c.alpha[static_cast<size_t>(y) * static_cast<size_t>(c.width) +
                       static_cast<size_t>(x)] >= 0.5f;
    };
    std::vector<size_t> edge;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            if (shown(x, y) &&
                (!shown(x - 1, y) || !shown(x + 1, y) || !shown(x, y - 1) || !shown(x, y + 1))) {
                edge.push_back(static_cast<size_t>(y) * static_cast<size_t>(c.width) +
                               static_cast<size_t>(x));
            }
        }
    }
    for (size_t i : edge) {
        c.colour[i] = Ink();
    }
}

static void PaintCell(Canvas& c, const BonusVerdict& v, int cell, int verdictIndex)
{
    CanvasInit(c, CELL, CELL, {0, 0, 0}, 0.0f);
    if (cell == 0) {
        // The flash held before the badge appears.
        FillInked(
            c, CX - 10, BADGE_Y - 10, CX + 10, BADGE_Y + 10,
            [](float x, float y) {
                return std::abs(std::hypot(x - CX, y - BADGE_Y) - 8.0f) - 0.9f;
            },
            [&](float, float, float) { return ArtRampColour(v.badge, 0.85f); });
        PaintSparkle(c, CX, BADGE_Y, 14.0f, 1.0f);
        return;
    }
    const float t = static_cast<float>(cell);
    // Pop in over cells 1 .. 7, hold, shrink away over the last four.
    float scale = EaseOutBack((t - 0.5f) / 6.5f);
    if (cell >= 21) {
        scale *= 1.0f - static_cast<float>(cell - 20) / 5.0f;
    }
    const float turn = 0.05f * t;
    // Sparkles circling the badge, each twinkling in its own time.
    for (int k = 0; k < 6; ++k) {
        float a =
            static_cast<float>(k) * ART_PI / 3.0f + 0.12f * t + static_cast<float>(verdictIndex);
        float dist = 26.0f + 3.0f * std::sin(t * 0.7f + static_cast<float>(k));
        if (cell >= 21) {
            dist += 2.5f * static_cast<float>(cell - 20); // they fly apart as the badge goes
        }
        float bright = 0.5f + 0.5f * std::sin(t * 1.3f + static_cast<float>(k) * 2.1f);
        if (cell < 3) {
            bright *= static_cast<float>(cell) / 3.0f;
        }
        PaintSparkle(c, CX + dist * std::cos(a), BADGE_Y + 2.0f + dist * 0.8f * std::sin(a), 7.0f,
                     bright);
    }
    PaintBadge(c, v, scale, turn);
    if (scale > 0.5f) {
        PaintNameRibbon(c, v, scale);
    }
    // The points pop up under the badge from cell 4 and leave with it.
    if (cell >= 4) {
        float grow = cell >= 21 ? scale : EaseOutBack((t - 3.5f) / 3.0f);
        int size = static_cast<int>(std::lround(static_cast<float>(POINTS_SIZE) * grow));
        if (size >= 6) {
            CentredText(
                c, v.points, size, 0, CX, POINTS_Y,
                [](float, float py) {
                    return ArtRampColour(
                        RAMP_GOLD,
                        0.82f - 0.4f * std::clamp((py - POINTS_Y + 5.0f) / 10.0f, 0.0f, 1.0f));
                },
                2);
        }
    }
}

int BonusSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, BONUS_SHEET, ART_KEY_SPRITE);
    Canvas canvas;
    for (int v = 0; v < VERDICTS; ++v) {
        BonusVerdict verdict = VERDICT_ART[v];
        verdict.label = VERDICT_BADGES[v + 1];
        std::snprintf(verdict.points, sizeof verdict.points, "+%d", JudgeVerdictPoints(v + 1));
        for (int cell = 0; cell < PLAYED_CELLS; ++cell) {
            PaintCell(canvas, verdict, cell, v);
            InkSilhouette(canvas);
            if (!SheetPutCell(sheet, v * COLUMNS + cell, canvas)) {
                return 0;
            }
        }
    }
    // Column 25 stays key colour: cells 25 and 233 are the two sprites' blank frames.
    return SheetWrite(sheet, dir);
}
