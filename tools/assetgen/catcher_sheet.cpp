// "CatcherTile.BMP": the catcher, a round ribosome creature (a purple large subunit under a teal
// small subunit) that swallows the pieces. Row 4d + k: facing d, swallowing a base of kind k;
// rows 16-19: the special catch facing d. Each row's first cell is the plain pose. Key 215.
#include <cmath>

#include "game/sheet_layout.h"
#include "tools/assetgen/sheets.h"

static constexpr int CELL = CATCHER_SHEET.cellWidth;
static constexpr int COLUMNS = CATCHER_SHEET.columns;
static constexpr int DIRECTIONS = 4;

// Unit vector of each facing: down, right, up, left (y grows downwards).
static constexpr float FACING[DIRECTIONS][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};

// The swallow, frame by frame: mouth opening, where the piece is (distance from the mouth's
// pivot in catcher sizes, < 0: gone), the glow of the swallowed colour, glints, and a squash.
struct SwallowStep {
    float mouth, pieceAt, glow, sparkle, squash;
};
static constexpr SwallowStep SWALLOW[COLUMNS] = {
    {0.30f, -1.0f, 0.0f, 0.0f, 0.0f},   {0.75f, 0.36f, 0.0f, 0.0f, 0.0f},
    {1.00f, 0.26f, 0.0f, 0.0f, 0.03f},  {0.55f, 0.13f, 0.0f, 0.2f, 0.06f},
    {0.00f, -1.0f, 1.0f, 1.0f, 0.10f},  {0.12f, -1.0f, 0.7f, 0.6f, 0.04f},
    {0.24f, -1.0f, 0.3f, 0.25f, 0.01f},
};

// Signed distance to a wedge with its apex at (px, py) opening along (fx, fy) by halfAngle.
static float SdfWedge(float x, float y, float px, float py, float fx, float fy, float halfAngle)
{
    float u = (x - px) * fx + (y - py) * fy;
    float v = std::abs(-(x - px) * fy + (y - py) * fx);
    return v * std::cos(halfAngle) - u * std::sin(halfAngle);
}

static float SmoothMin(float a, float b, float k)
{
    float h = std::clamp(0.5f + 0.5f * (b - a) / k, 0.0f, 1.0f);
    return b + (a - b) * h - k * h * (1.0f - h);
}

static void PaintEye(Canvas& canvas, float x, float y, float r, float lookX, float lookY,
                     float squint)
{
    ArtColour white = ArtEntryColour(ART_WHITE);
    ArtColour ink = ArtEntryColour(ART_BLACK);
    ArtColour outline = ArtRampColour(RAMP_PURPLE, 0.02f);
    const float ry = r * (1.0f - 0.55f * squint);
    CanvasFillShape(
        canvas, x - r - 2, y - r - 2, x + r + 2, y + r + 2,
        [&](float px, float py) { return SdfEllipse(px, py, x, y, r, ry) - 0.9f; },
        [&](float, float, float) { return outline; });
    CanvasFillShape(
        canvas, x - r, y - r, x + r, y + r,
        [&](float px, float py) { return SdfEllipse(px, py, x, y, r, ry); },
        [&](float, float py, float) {
            // A little shade under the lid keeps the eyeball round.
            return ArtMix(white, ArtRampColour(RAMP_GREY, 0.72f),
                          std::clamp((y - py) / ry * 0.5f, 0.0f, 0.5f));
        });
    const float pr = r * 0.52f, px0 = x + lookX * r * 0.42f, py0 = y + lookY * ry * 0.42f;
    CanvasFillShape(
        canvas, px0 - pr, py0 - pr, px0 + pr, py0 + pr,
        [&](float px, float py) {
            return std::max(SdfCircle(px, py, px0, py0, pr), SdfEllipse(px, py, x, y, r, ry));
        },
        [&](float, float, float) { return ink; });
    const float gr = std::max(0.9f, r * 0.2f);
    CanvasFillShape(
        canvas, px0 - pr, py0 - pr, px0 + pr, py0 + pr,
        [&](float px, float py) {
            return SdfCircle(px, py, px0 - pr * 0.35f, py0 - pr * 0.4f, gr);
        },
        [&](float, float, float) { return white; });
}

static void PaintGlints(Canvas& canvas, float cx, float cy, float size, float amount, ArtRamp ramp)
{
    if (amount <= 0.05f) {
        return;
    }
    // Eight glints on a ring, alternately large and small, lit in the swallowed colour.
    for (int i = 0; i < 8; ++i) {
        float a = static_cast<float>(i) * ART_PI / 4.0f + 0.3f;
        float ring = size * (0.40f + 0.06f * amount);
        float x = cx + std::cos(a) * ring, y = cy + std::sin(a) * ring;
        PaintGlint(canvas, x, y, size * (i % 2 ? 0.06f : 0.10f) * amount, ramp);
    }
}

void PaintCatcher(Canvas& canvas, float cx, float cy, float size, const CatcherPose& pose)
{
    const int d = std::clamp(pose.direction, 0, DIRECTIONS - 1);
    const float fx = FACING[d][0], fy = FACING[d][1];
    const float s = size;
    // Large subunit: the round body; small subunit: the cap on top.
    const float bodyX = cx, bodyY = cy + 0.07f * s, bodyR = 0.355f * s;
    const float capX = cx, capY = cy - 0.20f * s, capRx = 0.27f * s, capRy = 0.16f * s;
    const float pivotX = bodyX - fx * 0.04f * s, pivotY = bodyY - fy * 0.04f * s;
    const float halfAngle = (0.04f + 0.70f * pose.mouth) * 0.5f * ART_PI * 0.5f;
    const float outline = std::max(1.2f, s / 64.0f * 1.6f);

    auto bodySdf = [&](float x, float y) {
        float body = SdfCircle(x, y, bodyX, bodyY, bodyR);
        float cap = SdfEllipse(x, y, capX, capY, capRx, capRy);
        return SmoothMin(body, cap, 0.05f * s);
    };
    // Facing down the catcher looks at the player and opens a round "D" mouth; facing the other
    // ways its mouth is a wedge into its side, open towards where it goes.
    const float mouthX = cx, mouthTop = cy + 0.13f * s;
    const float mouthRx = (0.12f + 0.07f * pose.mouth) * s,
                mouthRy = (0.03f + 0.15f * pose.mouth) * s;
    auto mouthCut = [&](float x, float y) {
        if (d == 0) {
            return std::max(SdfEllipse(x, y, mouthX, mouthTop, mouthRx, mouthRy), mouthTop - y);
        }
        return SdfWedge(x, y, pivotX, pivotY, fx, fy, halfAngle);
    };
    auto withMouth = [&](float x, float y) { return std::max(bodySdf(x, y), -mouthCut(x, y)); };
    const float reach = 0.5f * s;

    // The throat behind the mouth, with a tongue, then the piece being swallowed over it.
    const float throatX = d == 0 ? mouthX : pivotX,
                throatY = d == 0 ? mouthTop + mouthRy * 0.5f : pivotY;
    const float throatR = d == 0 ? mouthRx + 0.02f * s : 0.25f * s;
    const float tongueX = throatX + fx * throatR * 0.45f, tongueY = throatY + fy * throatR * 0.45f;
    CanvasFillShape(
        canvas, throatX - throatR, throatY - throatR, throatX + throatR, throatY + throatR,
        [&](float x, float y) { return SdfCircle(x, y, throatX, throatY, throatR); },
        [&](float x, float y, float) {
            if (SdfEllipse(x, y, tongueX, tongueY, throatR * 0.55f, throatR * 0.4f) < 0.0f) {
                return ArtRampColour(RAMP_PINK, 0.55f - 0.3f * (tongueY - y) / throatR);
            }
            float t = std::hypot(x - throatX, y - throatY) / throatR;
            return ArtMix(ArtRampColour(RAMP_RED, 0.02f), ArtRampColour(RAMP_RED, 0.3f), t);
        });
    if (pose.pieceKind >= 0 && !pose.pieceInFront) {
        PaintPiece(canvas, cx + pose.pieceX, cy + pose.pieceY, pose.pieceSize, pose.pieceKind,
                   0.1f);
    }

    // Squash and stretch when the catch lands are done by the caller's size; the glow tints the
    // body towards the swallowed colour at the same shade.
    // The flash: while it is strong the whole body takes the swallowed colour (mixing two hues
    // would only give greys); as it fades the body is its own colour again, still lit up.
    const bool flash = pose.glow >= 0.5f;
    auto bodyColour = [&](ArtRamp ramp, float shade) {
        return ArtRampColour(flash ? pose.glowRamp : ramp,
                             std::min(1.0f, shade + 0.12f * pose.glow));
    };
    ArtColour rim = ArtRampColour(flash ? pose.glowRamp : RAMP_PURPLE, 0.02f);
    CanvasFillShape(
        canvas, cx - reach, cy - reach, cx + reach, cy + reach,
        [&](float x, float y) { return withMouth(x, y) - outline; },
        [&](float, float, float) { return rim; });
    CanvasFillShape(
        canvas, cx - reach, cy - reach, cx + reach, cy + reach, withMouth,
        [&](float x, float y, float) {
            float highlight = 0.0f;
            float capD = SdfEllipse(x, y, capX, capY, capRx, capRy);
            float bodyD = SdfCircle(x, y, bodyX, bodyY, bodyR);
            bool onCap = capD < bodyD - 0.02f * s;
            // A groove where the two subunits meet.
            float groove = std::exp(-std::pow((capD - bodyD + 0.02f * s) / (0.025f * s), 2.0f));
            float shade = onCap ? ShadeSphere((x - capX) / capRx, (y - capY) / capRy, &highlight)
                                : ShadeSphere((x - bodyX) / bodyR, (y - bodyY) / bodyR, &highlight);
            ArtColour c = bodyColour(onCap ? RAMP_TEAL : RAMP_PURPLE,
                                     (0.10f + 0.80f * shade) * (1.0f - 0.45f * groove));
            return ArtMix(c, ArtEntryColour(ART_WHITE), 0.75f * highlight);
        });
    // Eyes, looking where the catcher goes, squinting as it swallows.
    const float eyeR = 0.085f * s;
    float eyes[2][2];
    if (d == 0 || d == 2) {
        float ey = d == 0 ? cy - 0.03f * s : cy + 0.02f * s;
        eyes[0][0] = cx - 0.13f * s;
        eyes[1][0] = cx + 0.13f * s;
        eyes[0][1] = eyes[1][1] = ey;
    } else {
        eyes[0][0] = cx - fx * 0.06f * s;
        eyes[1][0] = cx + fx * 0.14f * s;
        eyes[0][1] = cy - 0.05f * s;
        eyes[1][1] = cy - 0.08f * s;
    }
    const float squint = std::clamp(pose.glow * 1.2f - 0.2f, 0.0f, 1.0f);
    for (auto& e : eyes) {
        PaintEye(canvas, e[0], e[1], eyeR, fx, fy, squint);
    }
    if (d == 0) {
        // Rosy cheeks on the front view.
        for (float side : {-1.0f, 1.0f}) {
            float x = cx + side * 0.23f * s, y = cy + 0.08f * s;
            CanvasFillShape(
                canvas, x - 0.07f * s, y - 0.05f * s, x + 0.07f * s, y + 0.05f * s,
                [&](float px, float py) { return SdfEllipse(px, py, x, y, 0.055f * s, 0.03f * s); },
                [&](float, float, float) { return ArtRampColour(RAMP_PINK, 0.62f); });
        }
    }
    if (pose.pieceKind >= 0 && pose.pieceInFront) {
        PaintPiece(canvas, cx + pose.pieceX, cy + pose.pieceY, pose.pieceSize, pose.pieceKind,
                   0.1f);
    }
    PaintGlints(canvas, cx, cy, s, pose.sparkle, pose.glowRamp);
}

int CatcherSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, CATCHER_SHEET, ART_KEY_SPRITE);
    Canvas canvas;
    // Rows 0-15: direction d, base k; rows 16-19: the special piece facing d.
    for (int row = 0; row < 4 * DIRECTIONS + DIRECTIONS; ++row) {
        const int d = row < 16 ? row / 4 : row - 16;
        const int kind = row < 16 ? row % 4 : KIND_SPECIAL;
        for (int f = 0; f < COLUMNS; ++f) {
            const SwallowStep& step = SWALLOW[f];
            CanvasInit(canvas, CELL, CELL, {0, 0, 0}, 0.0f);
            const float c = CELL / 2.0f,
                        size = static_cast<float>(CELL) * (1.0f - 0.5f * step.squash);
            const float fx = FACING[d][0], fy = FACING[d][1];
            CatcherPose pose = {d, f == 0 ? SWALLOW[0].mouth : step.mouth,
                                f == 0 ? 0.0f : step.glow, PieceRamp(kind),
                                f == 0 ? 0.0f
                                       : step.sparkle * (kind == KIND_SPECIAL ? 1.0f : 0.6f)};
            // The piece shrinks as it goes in. From the side it comes from beyond the mouth, and
            // the lips close over it; seen from the front it is held up before the mouth, then
            // drops in through it.
            if (step.pieceAt > 0.0f && f > 0) {
                pose.pieceKind = kind;
                if (d == 0) {
                    pose.pieceY = 0.22f * CELL;
                    pose.pieceSize = static_cast<float>(CELL) * (0.18f + 0.5f * step.pieceAt);
                    pose.pieceInFront = f == 1;
                } else {
                    pose.pieceX = fx * step.pieceAt * CELL;
                    pose.pieceY = 0.07f * CELL + fy * step.pieceAt * CELL;
                    pose.pieceSize = static_cast<float>(CELL) * (0.26f + 0.22f * step.pieceAt);
                }
            }
            PaintCatcher(canvas, c, c, size, pose);
            if (!SheetPutCell(sheet, row * COLUMNS + f, canvas)) {
                return 0;
            }
        }
    }
    return SheetWrite(sheet, dir);
}
