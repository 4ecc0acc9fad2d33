// "DNAStrand2.BMP": the divider between the play field and the side panel, a double helix in a
// glass tube; and the helix painter that the title and the opening use too. Key 0.
#include <cmath>
#include <vector>

#include "game/sheet_layout.h"
#include "tools/assetgen/sheets.h"

static constexpr int CELL_WIDTH = STRAND_SHEET.cellWidth;
static constexpr int CELL_HEIGHT = STRAND_SHEET.cellHeight;

// The partner of each base (A-T, C-G): a rung is half one colour, half its partner's.
static constexpr int PARTNER[4] = {3, 2, 1, 0};

void PaintHelix(Canvas& canvas, float x0, float y0, float x1, float y1, const HelixStyle& style)
{
    const float length = std::hypot(x1 - x0, y1 - y0);
    if (length < 1.0f) {
        return;
    }
    const float ax = (x1 - x0) / length, ay = (y1 - y0) / length; // along the axis
    const float nx = -ay, ny = ax;                                // across it
    const float r = style.thickness * 0.5f;
    const float step = std::max(1.0f, r * 0.6f);
    // Angle of strand s at distance t along the axis; its offset across is sin, its depth cos.
    auto angle = [&](float t, int s) {
        return 2.0f * ART_PI * (t / style.period + style.phase + 0.5f * static_cast<float>(s));
    };
    auto point = [&](float t, int s, float* px, float* py) {
        float off = style.radius * std::sin(angle(t, s));
        *px = x0 + ax * t + nx * off;
        *py = y0 + ay * t + ny * off;
    };
    constexpr ArtRamp STRAND_RAMPS[2] = {RAMP_STEEL, RAMP_NAVY};

    // Far halves of both backbones, then the rungs, then the near halves over them.
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            const float rungGap = style.period / 10.0f; // ten base pairs a turn
            int n = 0;
            for (float t = rungGap * 0.5f; t < length; t += rungGap, ++n) {
                float xa, ya, xb, yb;
                point(t, 0, &xa, &ya);
                point(t, 1, &xb, &yb);
                float mx = (xa + xb) * 0.5f, my = (ya + yb) * 0.5f;
                // Bases follow a fixed, irregular sequence so the ladder does not look striped.
                int base = static_cast<int>((static_cast<unsigned>(n) * 2654435761u) >> 29) % 4;
                float rr = style.rungWidth * 0.5f;
                FillTube(canvas, xa, ya, mx, my, rr, PieceRamp(base), 0.25f, 0.85f, 0.0f);
                FillTube(canvas, mx, my, xb, yb, rr, PieceRamp(PARTNER[base]), 0.25f, 0.85f, 0.0f);
            }
        }
        for (int s = 0; s < 2; ++s) {
            for (float t = -step; t < length + step; t += step) {
                float depth = std::cos(angle(t + step * 0.5f, s));
                if ((pass == 0) != (depth < 0.0f)) {
                    continue;
                }
                float xa, ya, xb, yb;
                point(t, s, &xa, &ya);
                point(t + step, s, &xb, &yb);
                // Near parts are full width and bright, far parts thinner and dim.
                float size = r * (0.8f + 0.2f * depth);
                FillTube(canvas, xa, ya, xb, yb, size, STRAND_RAMPS[s], 0.25f, 1.0f,
                         std::max(0.0f, -depth));
            }
        }
    }
}

int StrandSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, STRAND_SHEET, ART_KEY_BLACK);
    Canvas canvas;
    CanvasInit(canvas, CELL_WIDTH, CELL_HEIGHT, {0, 0, 0}, 0.0f);
    // The glass tube: dark inside, light rims at both sides, a soft sheen left of the middle.
    for (int y = 0; y < CELL_HEIGHT; ++y) {
        for (int x = 0; x < CELL_WIDTH; ++x) {
            float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(CELL_WIDTH) * 2.0f -
                      1.0f; // -1 .. 1 across
            float glass = 0.10f + 0.10f * (1.0f - u * u);
            float sheen = std::exp(-std::pow((u + 0.45f) / 0.14f, 2.0f)) * 0.22f;
            float rim = std::max(0.0f, std::abs(u) - 0.78f) / 0.22f;
            ArtColour c = ArtRampColour(RAMP_NAVY, glass + sheen);
            c = ArtMix(c, ArtRampColour(RAMP_TEAL, 0.78f), rim * 0.85f);
            CanvasBlend(canvas, x, y, c, 1.0f);
        }
    }
    HelixStyle style = {4.6f, 56.0f, 0.0f, 3.4f, 1.8f};
    PaintHelix(canvas, CELL_WIDTH / 2.0f, static_cast<float>(BAND_BOTTOM), CELL_WIDTH / 2.0f,
               static_cast<float>(CELL_HEIGHT), style);
    // The band runs on over the tube's top, which a gold collar closes.
    PaintTextPlate(canvas, 0, 0, CELL_WIDTH, BAND_BOTTOM);
    for (int y = BAND_BOTTOM; y < BAND_BOTTOM + 5; ++y) {
        for (int x = 0; x < CELL_WIDTH; ++x) {
            float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(CELL_WIDTH) * 2.0f - 1.0f;
            float shade = 0.85f - 0.5f * static_cast<float>(y - BAND_BOTTOM) / 4.0f - 0.25f * u * u;
            CanvasBlend(canvas, x, y, ArtRampColour(RAMP_GOLD, shade), 1.0f);
        }
    }
    if (!SheetPutCell(sheet, 0, canvas)) {
        return 0;
    }
    return SheetWrite(sheet, dir);
}
