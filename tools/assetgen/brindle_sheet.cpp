// "BrindleTile.BMP": the opening. Frame 0 is the finished "HELIX DASH" logo over a turning double
// helix on black; frames 1-12 turn the helix once round and sweep a light across the letters, so
// the sequence 0, 1..12, 0 plays without a jump. The logo lettering is shared with the title.
// Key 0: the black around the picture is the screen's own black.
#include <cmath>

#include "game/sheet_layout.h"
#include "tools/assetgen/sheets.h"

static constexpr int WIDTH = BRINDLE_SHEET.cellWidth;
static constexpr int HEIGHT = BRINDLE_SHEET.cellHeight;
static constexpr int FRAMES = 13;

// One word of the logo: its fill ramp runs light at the top to deep at the bottom.
static void PaintWord(Canvas& canvas, const char* word, int x, int y, int size, int height,
                      ArtRamp ramp, float sweepX, float sweepWidth)
{
    const int outline = std::max(2, size / 20);
    const ArtColour shadow = ArtRampColour(RAMP_NAVY, 0.03f);
    const ArtColour ink = ArtRampColour(ramp, 0.0f);
    const int drop = std::max(2, size / 14);
    CanvasText(
        canvas, word, size, x + drop, y + drop, [&](float, float) { return shadow; }, outline,
        shadow);
    CanvasText(
        canvas, word, size, x, y,
        [&](float px, float py) {
            float t =
                std::clamp((py - static_cast<float>(y)) / static_cast<float>(height), 0.0f, 1.0f);
            // Light top, a bright stripe just above the middle, deep bottom: chrome-like lettering.
            float shade = 0.98f - 0.62f * t;
            shade += 0.18f * std::exp(-std::pow((t - 0.42f) / 0.06f, 2.0f));
            ArtColour c = ArtRampColour(ramp, shade);
            if (sweepWidth > 0.0f) {
                // The light band leans right, as if the light came from the upper left.
                float band = px - (sweepX + (py - static_cast<float>(y)) * 0.45f);
                float light = std::exp(-std::pow(band / sweepWidth, 2.0f));
                c = ArtMix(c, ArtEntryColour(ART_WHITE), 0.85f * light);
            }
            return c;
        },
        outline, ink);
}

int PaintLogo(Canvas& canvas, float cx, int y, int size, float sweep)
{
    int w1 = 0, w2 = 0, space = 0, h = 0;
    if (!TextMeasure("HELIX", size, &w1, &h) || !TextMeasure("DASH", size, &w2, &h) ||
        !TextMeasure(" ", size, &space, &h)) {
        return 0;
    }
    const int width = w1 + space + w2;
    const int left = static_cast<int>(std::lround(cx - static_cast<float>(width) * 0.5f));
    // The text box is taller than the capitals: their tops sit about a fifth of the way down.
    const int capTop = y + static_cast<int>(static_cast<float>(h) * 0.17f),
              capHeight = static_cast<int>(static_cast<float>(h) * 0.62f);
    const float sweepX = static_cast<float>(left) - 80.0f + sweep * static_cast<float>(width + 160);
    const float sweepWidth = sweep < 0.0f ? 0.0f : static_cast<float>(size) * 0.35f;
    PaintWord(canvas, "HELIX", left, y, size, capHeight + (capTop - y), RAMP_GOLD, sweepX,
              sweepWidth);
    PaintWord(canvas, "DASH", left + w1 + space, y, size, capHeight + (capTop - y), RAMP_BLUE,
              sweepX, sweepWidth);
    return width;
}

int BrindleSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, BRINDLE_SHEET, ART_KEY_BLACK);
    Canvas canvas;
    for (int f = 0; f < FRAMES; ++f) {
        CanvasInit(canvas, WIDTH, HEIGHT, {0, 0, 0}, 0.0f);
        // A faint halo behind the logo, fading to the black of the screen.
        CanvasFillShape(
            canvas, 40, 80, 600, 420,
            [&](float x, float y) { return SdfEllipse(x, y, 320, 250, 280, 150); },
            [&](float x, float y, float) {
                float r = std::hypot((x - 320.0f) / 280.0f, (y - 250.0f) / 150.0f);
                return ArtMix(ArtEntryColour(ART_BLACK), ArtRampColour(RAMP_NAVY, 0.2f),
                              std::clamp(1.0f - r * r, 0.0f, 1.0f));
            });
        // The helix turns once over frames 1-12 and frame 0 closes the turn.
        HelixStyle helix = {46.0f, 190.0f, static_cast<float>(f) / static_cast<float>(FRAMES),
                            15.0f, 7.0f};
        PaintHelix(canvas, 20.0f, 315.0f, 620.0f, 315.0f, helix);
        float sweep = f == 0 ? -1.0f : static_cast<float>(f - 1) / static_cast<float>(FRAMES - 2);
        PaintLogo(canvas, 320.0f, 156, 84, sweep);
        int w = 0, h = 0;
        const char* tagline = "a genetic arcade game";
        if (TextMeasure(tagline, 20, &w, &h)) {
            ArtColour teal = ArtRampColour(RAMP_TEAL, 0.8f);
            CanvasText(
                canvas, tagline, 20, 320 - w / 2, 392, [&](float, float) { return teal; }, 0, teal);
        }
        // Empty pixels stay key 0; the halo fades into them.
        if (!SheetPutCell(sheet, f, canvas, 6.0f)) {
            return 0;
        }
    }
    return SheetWrite(sheet, dir);
}
