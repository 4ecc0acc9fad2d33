// "memoTile.bmp": the genome log of the side panel. Page 40 is the empty notebook (a title, the
// four layers as column heads and a 4 x 10 grid); page 10L + f fills only box (L, f) with the codon
// that gives layer L picture f, and a tick beside it. The game overlays every page found on the
// notebook.
#include <algorithm>
#include <cmath>

#include "game/catching.h"
#include "game/sheet_layout.h"
#include "tools/assetgen/pixel_letters.h"
#include "tools/assetgen/sheets.h"

static constexpr int PAGE_WIDTH = MEMO_SHEET.cellWidth;
static constexpr int PAGE_HEIGHT = MEMO_SHEET.cellHeight;
static constexpr int NOTEBOOK_PAGE = 40;
static constexpr int LAYERS = 4;
static constexpr int PICTURES = 10; // ordinary pictures per layer, one grid row each

static ArtColour Ink()
{
    return ArtRampColour(RAMP_NAVY, 0.22f);
}

static ArtColour RuleLine()
{
    return ArtRampColour(RAMP_NAVY, 0.68f);
}

// Fills an axis-aligned rounded box with one colour.
static void FillRoundBox(Canvas& c, float x0, float y0, float x1, float y1, float radius,
                         ArtColour colour)
{
    float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    CanvasFillShape(
        c, x0, y0, x1, y1,
        [=](float x, float y) {
            return SdfRoundBox(x, y, cx, cy, (x1 - x0) * 0.5f, (y1 - y0) * 0.5f, radius);
        },
        [=](float, float, float) { return colour; });
}

// A miniature of a face picture: the region (sx, sy, size w x h) of the 128 x 128 picture
// box-filtered into the page at (dx, dy), `scale` source pixels to one.
static void PaintMiniature(Canvas& page, int layer, int frame, int sx, int sy, int w, int h, int dx,
                           int dy, int scale)
{
    Canvas face;
    PaintFaceLayer(face, layer, frame);
    for (int y = 0; y < h / scale; ++y) {
        for (int x = 0; x < w / scale; ++x) {
            ArtColour sum = {0, 0, 0};
            float cover = 0.0f;
            for (int j = 0; j < scale; ++j) {
                for (int i = 0; i < scale; ++i) {
                    size_t at =
                        static_cast<size_t>(sy + y * scale + j) * static_cast<size_t>(face.width) +
                        static_cast<size_t>(sx + x * scale + i);
                    float a = face.alpha[at];
                    sum = {sum.r + face.colour[at].r * a, sum.g + face.colour[at].g * a,
                           sum.b + face.colour[at].b * a};
                    cover += a;
                }
            }
            if (cover > 0.0f) {
                CanvasBlend(page, dx + x, dy + y, {sum.r / cover, sum.g / cover, sum.b / cover},
                            cover / static_cast<float>(scale * scale));
            }
        }
    }
}

static void PaintNotebook(Canvas& c)
{
    const ArtColour paper = ArtRampColour(RAMP_CREAM, 0.9f);
    // The page with a soft shadow along its right and bottom edges.
    FillRoundBox(c, 0, 0, PAGE_WIDTH, PAGE_HEIGHT, 6.0f, ArtRampColour(RAMP_CREAM, 0.35f));
    CanvasFillShape(
        c, 0, 0, PAGE_WIDTH - 2, PAGE_HEIGHT - 2,
        [](float x, float y) {
            return SdfRoundBox(x, y, (PAGE_WIDTH - 2) * 0.5f, (PAGE_HEIGHT - 2) * 0.5f,
                               (PAGE_WIDTH - 2) * 0.5f - 1.0f, (PAGE_HEIGHT - 2) * 0.5f - 1.0f,
                               5.0f);
        },
        [&](float, float y, float) {
            // Paper that is a shade warmer towards the bottom, as if lit from above.
            return ArtMix(paper, ArtRampColour(RAMP_CREAM, 0.7f),
                          y / static_cast<float>(PAGE_HEIGHT) * 0.5f);
        });
    // Spiral binding along the top.
    for (int i = 0; i < 9; ++i) {
        float x = 12.0f + 13.0f * static_cast<float>(i);
        FillRoundBox(c, x - 2.5f, 1.0f, x + 2.5f, 8.0f, 2.0f, ArtRampColour(RAMP_STEEL, 0.4f));
        FillRoundBox(c, x - 1.2f, 2.0f, x + 0.5f, 6.5f, 0.8f, ArtRampColour(RAMP_STEEL, 0.9f));
    }
    // The title, with a small helix on either side.
    const char* title = "GENOME LOG";
    int w = 0, h = 0;
    if (TextMeasure(title, 12, &w, &h)) {
        CanvasText(
            c, title, 12, (PAGE_WIDTH - w) / 2, 11,
            [](float, float y) {
                return ArtMix(ArtRampColour(RAMP_NAVY, 0.35f), ArtRampColour(RAMP_TEAL, 0.35f),
                              std::clamp((y - 12.0f) / 14.0f, 0.0f, 1.0f));
            },
            0, Ink());
    }
    for (float side : {-1.0f, 1.0f}) {
        float cx = PAGE_WIDTH * 0.5f + side * (static_cast<float>(w) * 0.5f + 7.0f);
        // Rungs in the four base colours, then the two strands over them.
        for (int r = 0; r < 4; ++r) {
            float t = (static_cast<float>(r) + 0.5f) / 4.0f, y = 11.0f + 14.0f * t;
            float half = 3.0f * std::abs(std::sin(t * 3.0f * ART_PI));
            for (float x = cx - half; x <= cx + half; x += 1.0f) {
                CanvasBlend(c, static_cast<int>(x), static_cast<int>(y),
                            ArtRampColour(PieceRamp(r), 0.5f), 1.0f);
            }
        }
        for (int k = 0; k < 2; ++k) {
            for (float t = 0.0f; t <= 1.0f; t += 0.02f) {
                float y = 11.0f + 14.0f * t;
                float x = cx + 3.5f * std::sin(t * 3.0f * ART_PI + static_cast<float>(k) * ART_PI);
                CanvasBlend(c, static_cast<int>(x), static_cast<int>(y),
                            ArtRampColour(RAMP_NAVY, 0.3f + 0.2f * static_cast<float>(k)), 1.0f);
            }
        }
    }
    // Column heads: miniatures of the first picture of each layer.
    PaintMiniature(c, 0, 0, 14, 4, 100, 120, MemoBoxLeft(0) + 4, 29, 5);
    PaintMiniature(c, 1, 0, 34, 48, 60, 24, MemoBoxLeft(1) + 0, 34, 2);
    PaintMiniature(c, 2, 0, 40, 56, 48, 36, MemoBoxLeft(2) + 3, 32, 2);
    PaintMiniature(c, 3, 0, 40, 80, 48, 32, MemoBoxLeft(3) + 3, 32, 2);
    // The grid: the game draws this page over the pages of the codons found, so every box is left
    // see-through (key colour) for a found codon's box to show in it; an empty box shows the
    // panel's own paper behind the log.
    for (int layer = 0; layer < LAYERS; ++layer) {
        for (int f = 0; f < PICTURES; ++f) {
            for (int y = MemoBoxTop(f); y < MemoBoxTop(f) + MEMO_BOX_HEIGHT; ++y) {
                for (int x = MemoBoxLeft(layer); x < MemoBoxLeft(layer) + MEMO_BOX_WIDTH; ++x) {
                    c.alpha[static_cast<size_t>(y) * c.width + x] = 0.0f;
                }
            }
        }
    }
    for (int layer = 0; layer <= LAYERS; ++layer) {
        int x = MemoBoxLeft(0) + layer * (MEMO_BOX_WIDTH + 1) - 1;
        for (int y = MemoBoxTop(0) - 1; y <= MemoBoxTop(PICTURES) - 1; ++y) {
            CanvasBlend(c, x, y, RuleLine(), 1.0f);
        }
    }
    for (int f = 0; f <= PICTURES; ++f) {
        int y = MemoBoxTop(f) - 1;
        for (int x = MemoBoxLeft(0) - 1; x <= MemoBoxLeft(LAYERS) - 1; ++x) {
            CanvasBlend(c, x, y, RuleLine(), 1.0f);
        }
    }
}

// The tick a found codon gets, in a marker colour none of the bases has.
static constexpr PixelPattern TICK = {
    6, 7, {"....##", "....##", "...##.", "#..##.", "##.##.", ".###..", "..#..."}};

// Box (layer, picture) filled: a light wash, the codon's letters in their bases' colours and the
// tick beside them, all on whole pixels inside the box.
static void PaintEntry(Canvas& c, int layer, int picture, const int codon[3])
{
    const int x0 = MemoBoxLeft(layer), y0 = MemoBoxTop(picture);
    FillRoundBox(c, static_cast<float>(x0), static_cast<float>(y0),
                 static_cast<float>(x0 + MEMO_BOX_WIDTH), static_cast<float>(y0 + MEMO_BOX_HEIGHT),
                 0.0f, ArtMix(ArtRampColour(RAMP_LIME, 0.9f), ArtEntryColour(ART_WHITE), 0.55f));
    const int top = y0 + (MEMO_BOX_HEIGHT - PixelLetter(0, LETTERS_SMALL).height) / 2;
    int x = x0 + 1;
    for (int i = 0; i < 3; ++i) {
        const PixelPattern& letter = PixelLetter(codon[i], LETTERS_SMALL);
        const ArtColour colour = ArtEntryColour(ArtRampIndex(PieceRamp(codon[i]), 0.2f));
        PaintPixelPattern(c, letter, static_cast<float>(x), static_cast<float>(top), 1.0f, colour);
        x += letter.width + 1;
    }
    // Standing on the letters' baseline, as far from them as they are apart.
    const int tickTop = top + PixelLetter(0, LETTERS_SMALL).height - TICK.height;
    PaintPixelPattern(c, TICK, static_cast<float>(x), static_cast<float>(tickTop), 1.0f,
                      ArtEntryColour(ArtRampIndex(RAMP_TEAL, 0.35f)));
}

int MemoBoxLeft(int layer)
{
    return 5 + layer * (MEMO_BOX_WIDTH + 1);
}

int MemoBoxTop(int picture)
{
    return 57 + picture * (MEMO_BOX_HEIGHT + 1);
}

int MemoCodonOfPage(int page, int codon[3])
{
    // Every codon of three ordinary bases, decoded by the game's own rule; the one that names
    // this page is its entry.
    for (int b0 = 0; b0 < LAYERS; ++b0) {
        for (int b1 = 0; b1 < LAYERS; ++b1) {
            for (int b2 = 0; b2 < LAYERS; ++b2) {
                const int candidate[3] = {b0, b1, b2};
                int frame = 0, shown = 0;
                DecodeCodon(candidate, &frame, &shown);
                if (shown == page && page != NOTEBOOK_PAGE) {
                    std::copy(candidate, candidate + 3, codon);
                    return 1;
                }
            }
        }
    }
    return 0;
}

int MemoSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, MEMO_SHEET, ART_KEY_SPRITE);
    Canvas page;
    CanvasInit(page, PAGE_WIDTH, PAGE_HEIGHT, {0, 0, 0}, 0.0f);
    PaintNotebook(page);
    if (!SheetPutCell(sheet, NOTEBOOK_PAGE, page)) {
        return 0;
    }
    for (int p = 0; p < NOTEBOOK_PAGE; ++p) {
        int codon[3];
        if (!MemoCodonOfPage(p, codon)) {
            return 0; // a page no codon reaches: the decoding rule changed under the log
        }
        CanvasInit(page, PAGE_WIDTH, PAGE_HEIGHT, {0, 0, 0}, 0.0f);
        PaintEntry(page, p / PICTURES, p % PICTURES, codon);
        if (!SheetPutCell(sheet, p, page)) {
            return 0;
        }
    }
    return SheetWrite(sheet, dir);
}
