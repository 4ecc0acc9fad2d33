// "TitleBack.bmp": the title illustration. The logo over a sunburst, the catcher on the left with
// the four bases and the special star floating round it, a "How to play" panel on the right, a
// helix along the bottom, and a light plate where the game writes "Spacebar to continue!" in blue.
// Key 0, never used.
#include <algorithm>
#include <cmath>
#include <vector>

#include "game/sheet_layout.h"
#include "tools/assetgen/sheets.h"

static constexpr int WIDTH = TITLE_SHEET.cellWidth;
static constexpr int HEIGHT = TITLE_SHEET.cellHeight;
// The plate behind the prompt at (240, 420).
static constexpr float PLATE_LEFT = 226, PLATE_TOP = 410, PLATE_RIGHT = 434, PLATE_BOTTOM = 444;
// The "How to play" panel: pictures in a column on its left, short lines beside them. The
// lettering stays at least 14 pixels (capitals about 10 high) so a newcomer reads it at 1x.
static constexpr int PANEL_LEFT = 236, PANEL_TOP = 88, PANEL_RIGHT = 630, PANEL_BOTTOM = 354;
static constexpr int HEADING_SIZE = 22;
static constexpr int LINE_SIZE = 14;
static constexpr int LINE_STEP = 16;
static constexpr int ROW_GAP = 10;                  // between the panel's rows
static constexpr float PICTURE_X = PANEL_LEFT + 42; // the centre of the picture column
static constexpr int TEXT_LEFT = PANEL_LEFT + 80;

static void PaintSunburst(Canvas& canvas)
{
    // Centred on the catcher, so the rays come from it.
    const float cx = 130.0f, cy = 240.0f;
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            float dx = static_cast<float>(x) + 0.5f - cx, dy = static_cast<float>(y) + 0.5f - cy;
            float r = std::min(1.0f, std::hypot(dx, dy) / 560.0f);
            float a = std::atan2(dy, dx);
            // Sixteen soft rays, brighter towards the middle.
            float ray = 0.5f + 0.5f * std::cos(16.0f * a);
            float shade = 0.46f - 0.34f * r + 0.06f * ray * (1.0f - r);
            CanvasBlend(canvas, x, y, ArtRampColour(RAMP_NAVY, shade), 1.0f);
        }
    }
}

// Lays `picture` (drawn large for detail) over the canvas shrunk to `size` pixels across,
// centred at (cx, cy); each pixel averages the picture's samples under it.
static void PaintShrunk(Canvas& canvas, const Canvas& picture, float cx, float cy, float size)
{
    const float scale = static_cast<float>(picture.width) / size;
    const int x0 = static_cast<int>(std::floor(cx - size * 0.5f)),
              y0 = static_cast<int>(std::floor(cy - size * 0.5f));
    const int n = static_cast<int>(std::ceil(scale)) * 2; // samples per pixel along each axis
    for (int y = y0; y <= y0 + static_cast<int>(size) + 1; ++y) {
        for (int x = x0; x <= x0 + static_cast<int>(size) + 1; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    float px = (static_cast<float>(x) +
                                (static_cast<float>(i) + 0.5f) / static_cast<float>(n) -
                                (cx - size * 0.5f));
                    float py = (static_cast<float>(y) +
                                (static_cast<float>(j) + 0.5f) / static_cast<float>(n) -
                                (cy - size * 0.5f));
                    int sx = static_cast<int>(std::floor(px * scale)),
                        sy = static_cast<int>(std::floor(py * scale));
                    if (sx < 0 || sy < 0 || sx >= picture.width || sy >= picture.height) {
                        continue;
                    }
                    size_t k = static_cast<size_t>(sy) * static_cast<size_t>(picture.width) +
                               static_cast<size_t>(sx);
                    float w = picture.alpha[k];
                    r += picture.colour[k].r * w;
                    g += picture.colour[k].g * w;
                    b += picture.colour[k].b * w;
                    a += w;
                }
            }
            if (a > 0.0f) {
                CanvasBlend(canvas, x, y, {r / a, g / a, b / a}, a / static_cast<float>(n * n));
            }
        }
    }
}

// A face stacked from the four layers' pictures (head, eyes, nose, mouth), `size` across.
static void PaintSmallFace(Canvas& canvas, float cx, float cy, float size, const int pictures[4])
{
    Canvas face, layer;
    PaintFaceLayer(face, 0, pictures[0]);
    for (int l = 1; l < 4; ++l) {
        PaintFaceLayer(layer, l, pictures[l]);
        for (size_t i = 0; i < layer.alpha.size(); ++i) {
            if (layer.alpha[i] > 0.0f) {
                CanvasBlend(face, static_cast<int>(i % static_cast<size_t>(layer.width)),
                            static_cast<int>(i / static_cast<size_t>(layer.width)), layer.colour[i],
                            layer.alpha[i]);
            }
        }
    }
    PaintShrunk(canvas, face, cx, cy, size);
}

// A keyboard key with an arrow on it pointing (dx, dy), `size` pixels square.
static void PaintArrowKey(Canvas& canvas, float cx, float cy, float size, float dx, float dy)
{
    const float h = size * 0.5f;
    CanvasFillShape(
        canvas, cx - h, cy - h, cx + h, cy + h,
        [&](float x, float y) { return SdfRoundBox(x, y, cx, cy, h, h, 3.0f); },
        [&](float, float y, float) {
            // A bevel: light top, darker sides and bottom.
            return ArtRampColour(RAMP_STEEL, y > cy + h - 3.0f ? 0.35f : 0.62f);
        });
    CanvasFillShape(
        canvas, cx - h, cy - h, cx + h, cy + h,
        [&](float x, float y) {
            return SdfRoundBox(x, y, cx, cy - 1.5f, h - 2.5f, h - 3.0f, 2.0f);
        },
        [&](float, float y, float) {
            return ArtRampColour(RAMP_STEEL, 0.92f - 0.2f * (y - cy + h) / size);
        });
    // The arrow: a triangle pointing along (dx, dy).
    const float s = size * 0.28f, ax = cx, ay = cy - 1.5f;
    const float px = -dy, py = dx; // across the arrow
    const float points[] = {ax + dx * s,          ay + dy * s,          ax - dx * s + px * s,
                            ay - dy * s + py * s, ax - dx * s - px * s, ay - dy * s - py * s};
    CoverageMask mask;
    PolygonCoverage(points, 3, mask);
    CanvasFillMask(canvas, mask, [](float, float) { return ArtRampColour(RAMP_NAVY, 0.12f); });
}

// A line of the panel in pieces of their own colours, from (TEXT_LEFT, y); returns the x after
// it, or -1 when the lettering cannot be drawn.
struct Words {
    const char* text;
    ArtColour colour;
};
static int PaintLine(Canvas& canvas, int y, const std::vector<Words>& words)
{
    int x = TEXT_LEFT;
    for (const Words& w : words) {
        int width = CanvasText(
            canvas, w.text, LINE_SIZE, x, y, [&](float, float) { return w.colour; }, 0, w.colour);
        if (width < 0) {
            return -1;
        }
        x += width;
    }
    return x;
}

// A rounded box with a three-pixel gold rim, its inside coloured by height (fill(y)): the
// prompt's plate and the how-to-play panel.
template <typename Fill>
static void PaintRimmedBox(Canvas& canvas, int left, int top, int right, int bottom, float radius,
                           const Fill& fill)
{
    const float cx = (left + right) * 0.5f, cy = (top + bottom) * 0.5f;
    const float hw = (right - left) * 0.5f, hh = (bottom - top) * 0.5f;
    CanvasFillShape(
        canvas, left - 3, top - 3, right + 3, bottom + 3,
        [&](float x, float y) { return SdfRoundBox(x, y, cx, cy, hw + 3, hh + 3, radius + 2); },
        [&](float, float y, float) { return ArtRampColour(RAMP_GOLD, y < cy ? 0.7f : 0.35f); });
    CanvasFillShape(
        canvas, left, top, right, bottom,
        [&](float x, float y) { return SdfRoundBox(x, y, cx, cy, hw, hh, radius); },
        [&](float, float y, float) { return fill(y); });
}

// The panel teaches the game in five rows, each a small picture and a line or three. 0 when the
// lettering cannot be drawn: a panel with words missing would mislead.
static int PaintPanel(Canvas& canvas)
{
    const float cx = (PANEL_LEFT + PANEL_RIGHT) * 0.5f;
    // A gold rim round dark glass, like the prompt's plate turned to night.
    PaintRimmedBox(canvas, PANEL_LEFT, PANEL_TOP, PANEL_RIGHT, PANEL_BOTTOM, 11.0f, [&](float y) {
        return ArtRampColour(RAMP_NAVY,
                             0.13f - 0.06f * (y - PANEL_TOP) / (PANEL_BOTTOM - PANEL_TOP));
    });

    // The heading in the logo's gold, on a rule.
    const char* heading = "HOW TO PLAY";
    int w = 0, h = 0;
    if (!TextMeasure(heading, HEADING_SIZE, &w, &h)) {
        return 0;
    }
    const TextShade gold = [](float, float y) {
        return ArtRampColour(RAMP_GOLD, 0.95f - 0.3f * (y - PANEL_TOP - 10) / 16.0f);
    };
    int ok = CanvasText(canvas, heading, HEADING_SIZE, static_cast<int>(cx) - w / 2, PANEL_TOP + 7,
                        gold, 1, ArtRampColour(RAMP_BROWN, 0.1f)) > 0;
    for (int x = PANEL_LEFT + 16; x < PANEL_RIGHT - 16; ++x) {
        CanvasBlend(canvas, x, PANEL_TOP + 36, ArtRampColour(RAMP_GOLD, 0.3f), 0.8f);
    }

    const ArtColour ink = ArtRampColour(RAMP_CREAM, 0.98f);
    const ArtColour quiet = ArtRampColour(RAMP_TEAL, 0.85f);
    auto base = [](int kind) { return ArtRampColour(PieceRamp(kind), 0.82f); };
    int y = PANEL_TOP + 44;
    auto line = [&](int lineY, const std::vector<Words>& words) {
        int after = PaintLine(canvas, lineY, words);
        ok &= after > 0;
        return after;
    };

    // Steer.
    PaintArrowKey(canvas, PICTURE_X, static_cast<float>(y) + 8.0f, 16.0f, 0.0f, -1.0f);
    for (int i = -1; i <= 1; ++i) {
        PaintArrowKey(canvas, PICTURE_X + 17.0f * static_cast<float>(i),
                      static_cast<float>(y) + 25.0f, 16.0f, i == 0 ? 0.0f : static_cast<float>(i),
                      i == 0 ? 1.0f : 0.0f);
    }
    line(y, {{"Arrow keys steer the catcher.", ink}});
    line(y + LINE_STEP, {{"It keeps going the way you sent it.", quiet}});
    y += 2 * LINE_STEP + ROW_GAP;

    // Catch.
    for (int k = 0; k < 4; ++k) {
        PaintPiece(canvas, PICTURE_X - 11.0f + 22.0f * static_cast<float>(k % 2),
                   static_cast<float>(y) + 5.0f + 22.0f * static_cast<float>(k / 2), 24.0f, k,
                   0.1f);
    }
    line(y, {{"Catch the bases ", ink},
             {"A ", base(0)},
             {"C ", base(1)},
             {"G ", base(2)},
             {"T", base(3)},
             {".", ink}});
    const int after = line(y + LINE_STEP, {{"Now and then a gold star", ink}});
    PaintPiece(canvas, static_cast<float>(after) + 14.0f, static_cast<float>(y + LINE_STEP) + 8.0f,
               22.0f, KIND_SPECIAL, 0.1f);
    y += 2 * LINE_STEP + ROW_GAP;

    // Three make a codon, a codon makes a layer.
    const int codon[3] = {0, 2, 3};
    FillTube(canvas, PICTURE_X - 18.0f, static_cast<float>(y) + 16.0f, PICTURE_X + 18.0f,
             static_cast<float>(y) + 16.0f, 2.5f, RAMP_GREY, 0.4f, 0.9f, 0.0f);
    for (int i = 0; i < 3; ++i) {
        PaintPiece(canvas, PICTURE_X - 18.0f + 18.0f * static_cast<float>(i),
                   static_cast<float>(y) + 16.0f, 20.0f, codon[i], 0.1f);
    }
    line(y, {{"Three bases make a codon.", ink}});
    line(y + LINE_STEP, {{"A codon draws one layer of the face:", ink}});
    line(y + 2 * LINE_STEP, {{"A", base(0)},
                             {" head  ", quiet},
                             {"C", base(1)},
                             {" eyes  ", quiet},
                             {"G", base(2)},
                             {" nose  ", quiet},
                             {"T", base(3)},
                             {" mouth", quiet}});
    y += 3 * LINE_STEP + ROW_GAP;

    // Four layers make a judged face.
    const int person[4] = {0, 0, 0, 0};
    PaintSmallFace(canvas, PICTURE_X, static_cast<float>(y) + 14.0f, 40.0f, person);
    line(y, {{"Four layers make a face.", ink}});
    line(y + LINE_STEP, {{"Each face is judged for points.", quiet}});
    y += 2 * LINE_STEP + ROW_GAP;

    // Nine faces end the game.
    const int faces[3][4] = {{3, 2, 4, 5}, {10, 10, 10, 10}, {6, 7, 1, 2}};
    for (int i = 0; i < 3; ++i) {
        PaintSmallFace(canvas, PICTURE_X - 18.0f + 18.0f * static_cast<float>(i),
                       static_cast<float>(y) + 14.0f, 32.0f, faces[i]);
    }
    line(y, {{"Nine faces end the game.", ink}});
    line(y + LINE_STEP, {{"Your score earns a rank title.", quiet}});
    return ok;
}

int TitleSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, TITLE_SHEET, ART_KEY_BLACK);
    Canvas canvas;
    CanvasInit(canvas, WIDTH, HEIGHT, {0, 0, 0}, 1.0f);
    PaintSunburst(canvas);

    HelixStyle helix = {24.0f, 140.0f, 0.15f, 10.0f, 5.0f};
    PaintHelix(canvas, -10.0f, 386.0f, 650.0f, 386.0f, helix);

    // The bases float round the catcher: A and C on the left, G and T on the right, the star
    // above.
    const float pieces[5][3] = {
        {38, 150, 0}, {36, 300, 1}, {200, 158, 2}, {206, 300, 3}, {150, 112, 4}};
    for (const auto& p : pieces) {
        PaintPiece(canvas, p[0], p[1], p[2] == KIND_SPECIAL ? 44.0f : 50.0f, static_cast<int>(p[2]),
                   0.1f);
    }
    CatcherPose pose = {0, 0.6f, 0.0f, RAMP_PURPLE, 0.0f};
    PaintCatcher(canvas, 120.0f, 236.0f, 150.0f, pose);

    PaintLogo(canvas, 320.0f, 2, 70, 0.55f);
    if (!PaintPanel(canvas)) {
        return 0;
    }
    // Glints on the lettering and round the catcher.
    const float glints[][3] = {{70, 20, 11}, {318, 72, 8},  {566, 24, 10}, {380, 16, 6},
                               {90, 98, 6},  {222, 222, 7}, {18, 228, 6}};
    for (const auto& g : glints) {
        PaintGlint(canvas, g[0], g[1], g[2], RAMP_GOLD);
    }

    // The prompt's plate: cream with a bevel and a gold rim.
    PaintRimmedBox(canvas, PLATE_LEFT, PLATE_TOP, PLATE_RIGHT, PLATE_BOTTOM, 7.0f, [&](float y) {
        return ArtRampColour(RAMP_CREAM,
                             0.98f - 0.3f * (y - PLATE_TOP) / (PLATE_BOTTOM - PLATE_TOP));
    });

    if (!SheetPutCell(sheet, 0, canvas, 8.0f)) {
        return 0;
    }
    return SheetWrite(sheet, dir);
}
