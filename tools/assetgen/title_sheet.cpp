// "TitleBack.bmp": the title illustration. The logo over a sunburst, the catcher in the middle
// with the four bases and the special star floating round it, a helix along the bottom, and a
// light plate where the game writes "Spacebar to continue!" in blue. Key 0, never used.
#include <cmath>

#include "tools/assetgen/sheets.h"

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;
constexpr int SHEET_WIDTH = 644;
constexpr int SHEET_HEIGHT = 481;
// The plate behind the prompt at (240, 420).
constexpr float PLATE_LEFT = 226, PLATE_TOP = 410, PLATE_RIGHT = 434, PLATE_BOTTOM = 444;

void PaintSunburst(Canvas& canvas)
{
    const float cx = 320.0f, cy = 250.0f;
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
            float r = std::hypot(dx, dy) / 420.0f;
            float a = std::atan2(dy, dx);
            // Sixteen soft rays, brighter towards the middle.
            float ray = 0.5f + 0.5f * std::cos(16.0f * a);
            float shade = 0.46f - 0.34f * r + 0.06f * ray * (1.0f - r);
            CanvasBlend(canvas, x, y, ArtRampColour(RAMP_NAVY, shade), 1.0f);
        }
}

} // namespace

int TitleSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, SHEET_WIDTH, SHEET_HEIGHT, WIDTH, HEIGHT, 1, ART_KEY_BLACK,
              uint8_t(ArtRampIndex(RAMP_GREY, 0.5f)));
    Canvas canvas;
    CanvasInit(canvas, WIDTH, HEIGHT, {0, 0, 0}, 1.0f);
    PaintSunburst(canvas);

    HelixStyle helix = {30.0f, 150.0f, 0.15f, 11.0f, 5.0f};
    PaintHelix(canvas, -10.0f, 372.0f, 650.0f, 372.0f, helix);

    // The bases float round the catcher: A and C on the left, G and T on the right, the star above.
    const float pieces[5][3] = {
        {110, 220, 0}, {150, 318, 1}, {530, 220, 2}, {490, 318, 3}, {428, 176, 4}};
    for (const auto& p : pieces)
        PaintPiece(canvas, p[0], p[1], p[2] == KIND_SPECIAL ? 70.0f : 78.0f, int(p[2]), 0.1f);
    CatcherPose pose = {0, 0.6f, 0.0f, RAMP_PURPLE, 0.0f};
    PaintCatcher(canvas, 320.0f, 270.0f, 190.0f, pose);

    PaintLogo(canvas, 320.0f, 22, 86, 0.55f);
    // Glints on the lettering and round the catcher.
    const float glints[][3] = {{52, 36, 13},  {300, 98, 9},   {585, 40, 11}, {372, 30, 7},
                               {222, 200, 8}, {420, 330, 10}, {96, 150, 6},  {560, 150, 7}};
    for (const auto& g : glints)
        PaintGlint(canvas, g[0], g[1], g[2], RAMP_GOLD);

    // The prompt's plate: cream with a bevel and a gold rim.
    const float cx = (PLATE_LEFT + PLATE_RIGHT) * 0.5f, cy = (PLATE_TOP + PLATE_BOTTOM) * 0.5f;
    const float hw = (PLATE_RIGHT - PLATE_LEFT) * 0.5f, hh = (PLATE_BOTTOM - PLATE_TOP) * 0.5f;
    CanvasFillShape(
        canvas, PLATE_LEFT - 3, PLATE_TOP - 3, PLATE_RIGHT + 3, PLATE_BOTTOM + 3,
        [&](float x, float y) { return SdfRoundBox(x, y, cx, cy, hw + 3, hh + 3, 9.0f); },
        [&](float, float y, float) { return ArtRampColour(RAMP_GOLD, y < cy ? 0.7f : 0.35f); });
    CanvasFillShape(
        canvas, PLATE_LEFT, PLATE_TOP, PLATE_RIGHT, PLATE_BOTTOM,
        [&](float x, float y) { return SdfRoundBox(x, y, cx, cy, hw, hh, 7.0f); },
        [&](float, float y, float) {
            return ArtRampColour(RAMP_CREAM,
                                 0.98f - 0.3f * (y - PLATE_TOP) / (PLATE_BOTTOM - PLATE_TOP));
        });

    if (!SheetPutCell(sheet, 0, canvas, 8.0f))
        return 0;
    return SheetWrite(sheet, dir, "TitleBack.bmp");
}
