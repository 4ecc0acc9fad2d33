// "bonusTile.BMP": the verdict animations played over the face when it is judged, one row per
// verdict: a flash that is held, then a badge with the verdict's name popping in, its points
// rising under it, sparkles, and the badge shrinking away before the blank frame.
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/assetgen/sheets.h"

namespace {

constexpr int CELL = 64;
constexpr int COLUMNS = 26;
constexpr int SHEET_WIDTH = 1692;
constexpr int SHEET_HEIGHT = 845;
constexpr int VERDICTS = 13;
constexpr int PLAYED_CELLS = 25; // cell 0 (held) and cells 1 .. 24 (played once)

struct Verdict {
    const char* label;
    const char* points;
    ArtRamp badge; // the badge's colour
    int rays;      // 0: a round badge; more rays for the richer verdicts
};

// Verdicts 1 .. 13: the clown's, the pirate's, the robot's and the alien's, then the plain faces.
constexpr Verdict VERDICT_ART[VERDICTS] = {
    {"SILLY", "+50", RAMP_RED, 10},      {"JOKER", "+75", RAMP_RED, 14},
    {"JESTER", "+100", RAMP_GOLD, 18},   {"ODD", "+50", RAMP_TEAL, 10},
    {"PIRATE", "+75", RAMP_BROWN, 14},   {"TIN", "+50", RAMP_STEEL, 10},
    {"ROBOT", "+75", RAMP_BLUE, 14},     {"MECHA", "+100", RAMP_NAVY, 18},
    {"WEIRD", "+50", RAMP_PURPLE, 10},   {"ALIEN", "+75", RAMP_LIME, 14},
    {"MARTIAN", "+100", RAMP_GREEN, 18}, {"SMILE", "+10", RAMP_AMBER, 0},
    {"CUTE", "+10", RAMP_PINK, 0},
};

constexpr float CX = 32.0f;
constexpr float BADGE_Y = 25.0f;
constexpr float BADGE_R = 21.0f;

float EaseOutBack(float t)
{
    const float k = 1.9f;
    t = std::clamp(t, 0.0f, 1.0f) - 1.0f;
    return 1.0f + (k + 1.0f) * t * t * t + k * t * t;
}

// A four-pointed sparkle of radius r: the astroid, with a bright core.
void PaintSparkle(Canvas& c, float x, float y, float r, float brightness)
{
    if (brightness <= 0.05f || r < 1.0f)
        return;
    r *= brightness;
    CanvasFillShape(
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

// The badge: a starburst (or a disc) in the verdict's colour, lit from the upper left, with a
// darker rim; `turn` turns its rays.
void PaintBadge(Canvas& c, const Verdict& v, float scale, float turn)
{
    const float r = BADGE_R * scale;
    if (r < 1.0f)
        return;
    auto outline = [&](float x, float y) {
        float dx = x - CX, dy = y - BADGE_Y, a = std::atan2(dy, dx);
        float edge =
            v.rays ? r * (0.88f + 0.12f * std::cos(float(v.rays) * (a + turn))) : r * 0.92f;
        return (std::hypot(dx, dy) - edge) * 0.85f;
    };
    const ArtColour rim = ArtRampColour(v.badge, 0.12f);
    CanvasFillShape(
        c, CX - r - 2, BADGE_Y - r - 2, CX + r + 2, BADGE_Y + r + 2,
        [&](float x, float y) { return outline(x, y) - 1.6f; },
        [&](float, float, float) { return rim; });
    CanvasFillShape(
        c, CX - r, BADGE_Y - r, CX + r, BADGE_Y + r, outline, [&](float x, float y, float) {
            float glint = 0.0f;
            float light = ShadeSphere((x - CX) / (r * 1.3f), (y - BADGE_Y) / (r * 1.3f), &glint);
            ArtColour col = ArtRampColour(v.badge, 0.3f + 0.45f * light);
            return ArtMix(col, ArtEntryColour(ART_WHITE), 0.5f * glint);
        });
    // An inner ring, as on a stamped medal.
    CanvasFillShape(
        c, CX - r, BADGE_Y - r, CX + r, BADGE_Y + r,
        [&](float x, float y) {
            return std::abs(std::hypot(x - CX, y - BADGE_Y) - r * 0.7f) - 0.6f * scale;
        },
        [&](float, float, float) { return ArtRampColour(v.badge, 0.78f); });
}

// Text centred on (cx, cy) at the largest size up to `size` whose width fits `room`.
void CentredText(Canvas& c, const char* text, int size, float room, float cx, float cy,
                 const TextShade& shade, ArtColour outline)
{
    int w = 0, h = 0;
    while (size > 5 && (!TextMeasure(text, size, &w, &h) || float(w) > room))
        --size;
    if (size <= 5)
        return;
    CanvasText(c, text, size, int(std::lround(cx - float(w) * 0.5f)),
               int(std::lround(cy - float(h) * 0.5f)), shade, 1, outline);
}

void PaintCell(Canvas& c, const Verdict& v, int cell, int verdictIndex)
{
    CanvasInit(c, CELL, CELL, {0, 0, 0}, 0.0f);
    if (cell == 0) {
        // The flash held before the badge appears.
        PaintSparkle(c, CX, BADGE_Y, 14.0f, 1.0f);
        CanvasFillShape(
            c, CX - 10, BADGE_Y - 10, CX + 10, BADGE_Y + 10,
            [](float x, float y) {
                return std::abs(std::hypot(x - CX, y - BADGE_Y) - 8.0f) - 0.9f;
            },
            [&](float, float, float) { return ArtRampColour(v.badge, 0.85f); });
        return;
    }
    const float t = float(cell);
    // Pop in over cells 1 .. 7, hold, shrink away over the last four.
    float scale = EaseOutBack((t - 0.5f) / 6.5f);
    if (cell >= 21)
        scale *= 1.0f - float(cell - 20) / 5.0f;
    const float turn = 0.05f * t;
    // Sparkles circling the badge, each twinkling in its own time.
    for (int k = 0; k < 6; ++k) {
        float a = float(k) * ART_PI / 3.0f + 0.12f * t + float(verdictIndex);
        float dist = 26.0f + 3.0f * std::sin(t * 0.7f + float(k));
        if (cell >= 21)
            dist += 2.5f * float(cell - 20); // they fly apart as the badge goes
        float bright = 0.5f + 0.5f * std::sin(t * 1.3f + float(k) * 2.1f);
        if (cell < 3)
            bright *= float(cell) / 3.0f;
        PaintSparkle(c, CX + dist * std::cos(a), BADGE_Y + 2.0f + dist * 0.8f * std::sin(a), 7.0f,
                     bright);
    }
    PaintBadge(c, v, scale, turn);
    if (scale > 0.45f) {
        const ArtColour dark = ArtRampColour(v.badge, 0.05f);
        int size = int(std::lround(14.0f * std::min(scale, 1.1f)));
        CentredText(
            c, v.label, size, 58.0f * std::min(scale, 1.05f), CX, BADGE_Y,
            [](float, float y) {
                return ArtMix(ArtEntryColour(ART_WHITE), ArtRampColour(RAMP_CREAM, 0.75f),
                              std::clamp((y - BADGE_Y + 2.0f) / 8.0f, 0.0f, 1.0f));
            },
            dark);
    }
    // The points rise into place under the badge from cell 4 and leave with it.
    if (cell >= 4) {
        float rise = std::clamp((t - 4.0f) / 4.0f, 0.0f, 1.0f);
        float y = 62.0f - 12.0f * EaseOutBack(rise);
        int size = cell >= 21 ? int(13.0f * scale) : 13;
        CentredText(
            c, v.points, size, 60.0f, CX, y,
            [](float, float py) {
                return ArtRampColour(RAMP_GOLD,
                                     0.95f - 0.5f * std::clamp((py - 44.0f) / 14.0f, 0.0f, 1.0f));
            },
            ArtRampColour(RAMP_AMBER, 0.08f));
    }
}

} // namespace

int BonusSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, SHEET_WIDTH, SHEET_HEIGHT, CELL, CELL, COLUMNS, ART_KEY_SPRITE,
              uint8_t(ArtRampIndex(RAMP_GREY, 0.5f)));
    Canvas canvas;
    for (int v = 0; v < VERDICTS; ++v)
        for (int cell = 0; cell < PLAYED_CELLS; ++cell) {
            PaintCell(canvas, VERDICT_ART[v], cell, v);
            if (!SheetPutCell(sheet, v * COLUMNS + cell, canvas))
                return 0;
        }
    // Column 25 stays key colour: cells 25 and 233 are the two sprites' blank frames.
    return SheetWrite(sheet, dir, "bonusTile.BMP");
}
