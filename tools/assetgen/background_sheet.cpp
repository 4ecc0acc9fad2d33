// "background.bmp": the play screen. The field (x 0-447) is a dark lab dish on graph paper that
// the bright pieces stand out on, with a light band at the top for the title and the help line;
// the side panel (x 448-639) is brushed steel with a light plate for the score lines, a frame
// round the face box and the genome log, and a legend of the four bases. Key 0, never used.
#include <cmath>

#include "game/sheet_layout.h"
#include "tools/assetgen/sheets.h"

static constexpr int WIDTH = BACKGROUND_SHEET.cellWidth;
static constexpr int HEIGHT = BACKGROUND_SHEET.cellHeight;
static constexpr int FIELD_WIDTH = 448;
static constexpr int STRAND_RIGHT = 464; // the strand covers x 448-463
static constexpr int PLATE_BOTTOM = 47;  // the panel's score plate: y 0-46 (text at y 8 and 24)
// The face box and the genome log below it, as the game places them.
static constexpr int BOX_LEFT = 480, BOX_RIGHT = 607, FACE_TOP = 70, FACE_BOTTOM = 197,
                     MEMO_BOTTOM = 453;

static void PaintField(Canvas& canvas)
{
    const float dishX = 224.0f, dishY = 254.0f, dishR = 206.0f;
    for (int y = BAND_BOTTOM; y < HEIGHT; ++y) {
        for (int x = 0; x < FIELD_WIDTH; ++x) {
            float fx = static_cast<float>(x) + 0.5f, fy = static_cast<float>(y) + 0.5f;
            float toCentre = std::hypot(fx - dishX, fy - dishY) / 330.0f;
            float shade = 0.20f - 0.09f * toCentre * toCentre; // vignette
            // Graph paper: a faint line every 16 pixels, a clearer one every 64.
            if (x % 16 == 0 || y % 16 == 0) {
                shade += 0.035f;
            }
            if (x % 64 == 0 || y % 64 == 0) {
                shade += 0.035f;
            }
            // Inside the dish the agar is a little lighter.
            float inDish =
                std::clamp((dishR - std::hypot(fx - dishX, fy - dishY)) / 30.0f, 0.0f, 1.0f);
            ArtColour c = ArtRampColour(RAMP_NAVY, shade + 0.035f * inDish);
            CanvasBlend(canvas, x, y, c, 1.0f);
        }
    }
    // A few quiet cells in the agar, drawn from a fixed seed.
    ArtRandom random;
    RandomSeed(random, 0x5EED0001u);
    for (int i = 0; i < 9; ++i) {
        float a = RandomFloat(random) * 2.0f * ART_PI, rr = std::sqrt(RandomFloat(random)) * 160.0f;
        float cx = dishX + std::cos(a) * rr, cy = dishY + std::sin(a) * rr;
        float r = 9.0f + RandomFloat(random) * 12.0f;
        CanvasFillShape(
            canvas, cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2,
            [&](float x, float y) { return std::abs(SdfCircle(x, y, cx, cy, r)) - 0.9f; },
            [&](float, float, float) { return ArtRampColour(RAMP_TEAL, 0.26f); });
        CanvasFillShape(
            canvas, cx - r, cy - r, cx + r, cy + r,
            [&](float x, float y) {
                return SdfCircle(x, y, cx + r * 0.2f, cy - r * 0.1f, r * 0.3f);
            },
            [&](float, float, float) { return ArtRampColour(RAMP_NAVY, 0.27f); });
    }
    // The dish's glass rim with a shine along its upper left.
    CanvasFillShape(
        canvas, dishX - dishR - 4, dishY - dishR - 4, dishX + dishR + 4, dishY + dishR + 4,
        [&](float x, float y) { return std::abs(SdfCircle(x, y, dishX, dishY, dishR)) - 2.2f; },
        [&](float x, float y, float) {
            float a = std::atan2(y - dishY, x - dishX); // -pi .. pi, upper left near -2.4
            float shine = std::exp(-std::pow((a + 2.3f) / 0.5f, 2.0f));
            return ArtMix(ArtRampColour(RAMP_TEAL, 0.42f), ArtEntryColour(ART_WHITE), 0.7f * shine);
        });
}

static void PaintPanel(Canvas& canvas)
{
    // Brushed steel: fine horizontal streaks from a fixed seed.
    ArtRandom random;
    RandomSeed(random, 0x5EED0002u);
    for (int y = 0; y < HEIGHT; ++y) {
        float streak = RandomFloat(random) * 0.05f;
        for (int x = FIELD_WIDTH; x < WIDTH; ++x) {
            float v = static_cast<float>(y) / static_cast<float>(HEIGHT);
            float shade = 0.34f + 0.12f * (1.0f - v) + streak;
            if (x < STRAND_RIGHT) { // under the strand: dark
                shade = 0.1f;
            }
            CanvasBlend(canvas, x, y, ArtRampColour(RAMP_STEEL, shade), 1.0f);
        }
    }
    PaintTextPlate(canvas, FIELD_WIDTH, 0, WIDTH, PLATE_BOTTOM);

    // The frame round the face box and the log: a raised gold moulding, and behind the face a
    // soft sky, so whatever the face is made of stands on light.
    const float l = BOX_LEFT - 6.0f, r = BOX_RIGHT + 7.0f, t = FACE_TOP - 6.0f,
                b = MEMO_BOTTOM + 7.0f;
    CanvasFillShape(
        canvas, l, t, r, b,
        [&](float x, float y) {
            return SdfRoundBox(x, y, (l + r) * 0.5f, (t + b) * 0.5f, (r - l) * 0.5f, (b - t) * 0.5f,
                               5.0f);
        },
        [&](float, float, float d) {
            float across = std::clamp(-d / 6.0f, 0.0f, 1.0f); // 0 outside edge .. 1 inner edge
            return ArtRampColour(RAMP_GOLD, 0.25f + 0.6f * std::sin(across * ART_PI * 0.9f));
        });
    for (int y = FACE_TOP; y <= FACE_BOTTOM; ++y) {
        for (int x = BOX_LEFT; x <= BOX_RIGHT; ++x) {
            float v = static_cast<float>(y - FACE_TOP) / static_cast<float>(FACE_BOTTOM - FACE_TOP);
            float glow = std::exp(-std::pow(
                std::hypot(static_cast<float>(x - 544), static_cast<float>(y - 125)) / 70.0f,
                2.0f));
            ArtColour c = ArtMix(ArtRampColour(RAMP_NAVY, 0.78f + 0.1f * v),
                                 ArtEntryColour(ART_WHITE), 0.35f * glow);
            CanvasBlend(canvas, x, y, c, 1.0f);
        }
    }
    for (int y = FACE_BOTTOM + 1; y <= MEMO_BOTTOM; ++y) {
        for (int x = BOX_LEFT; x <= BOX_RIGHT; ++x) {
            CanvasBlend(canvas, x, y, ArtRampColour(RAMP_CREAM, 0.55f), 1.0f);
        }
    }
    // A divider notch on the moulding where the face box meets the log.
    for (float side : {l + 3.0f, r - 3.0f}) {
        CanvasFillShape(
            canvas, side - 4, FACE_BOTTOM - 3.0f, side + 4, FACE_BOTTOM + 4.0f,
            [&](float x, float y) { return SdfCircle(x, y, side, FACE_BOTTOM + 0.5f, 2.6f); },
            [&](float, float, float) { return ArtRampColour(RAMP_GOLD, 0.1f); });
    }

    // Legend under the log: the four bases, at the size their small pixel letters are drawn for.
    for (int k = 0; k < 4; ++k) {
        PaintPiece(canvas, static_cast<float>(BOX_LEFT) + 16.0f + 32.0f * static_cast<float>(k),
                   468.0f, 24.0f, k, 0.0f);
    }
    // Rivets in the panel's corners.
    for (float x : {static_cast<float>(STRAND_RIGHT + 7), static_cast<float>(WIDTH - 8)}) {
        for (float y : {60.0f, 470.0f}) {
            float highlight = 0.0f;
            CanvasFillShape(
                canvas, x - 4, y - 4, x + 4, y + 4,
                [&](float px, float py) { return SdfCircle(px, py, x, y, 3.0f); },
                [&](float px, float py, float) {
                    float s = ShadeSphere((px - x) / 3.0f, (py - y) / 3.0f, &highlight);
                    return ArtRampColour(RAMP_STEEL, 0.1f + 0.85f * s);
                });
        }
    }
}

void PaintTextPlate(Canvas& canvas, int left, int top, int right, int bottom)
{
    // Exact palette entries row by row, so dithering leaves the plate flat and the strand's copy
    // of the band matches this one pixel for pixel.
    const ArtColour shine = ArtEntryColour(ArtRampIndex(RAMP_CREAM, 1.0f));
    const ArtColour face = ArtEntryColour(ArtRampIndex(RAMP_CREAM, 0.86f));
    const ArtColour shadow = ArtEntryColour(ArtRampIndex(RAMP_CREAM, 0.15f));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            CanvasBlend(canvas, x, y, y < top + 2 ? shine : y >= bottom - 2 ? shadow : face, 1.0f);
        }
    }
}

int BackgroundSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, BACKGROUND_SHEET, ART_KEY_BLACK);
    Canvas canvas;
    CanvasInit(canvas, WIDTH, HEIGHT, ArtRampColour(RAMP_NAVY, 0.1f), 1.0f);
    PaintField(canvas);
    PaintTextPlate(canvas, 0, 0, FIELD_WIDTH, BAND_BOTTOM);
    PaintPanel(canvas);
    if (!SheetPutCell(sheet, 0, canvas, 10.0f)) {
        return 0;
    }
    return SheetWrite(sheet, dir);
}
