// The sheets the generator draws, one source file each, and the painters they share: the pieces,
// the catcher, the double helix and the title lettering appear on more than one sheet.
#pragma once

#include <string>

#include "game/sheet_layout.h"
#include "tools/assetgen/canvas.h"

// Each writes its file into dir; 1 when written.
int BrindleSheetWrite(const std::string& dir);    // "BrindleTile.BMP", the opening
int TitleSheetWrite(const std::string& dir);      // "TitleBack.bmp"
int BackgroundSheetWrite(const std::string& dir); // "background.bmp"
int StrandSheetWrite(const std::string& dir);     // "DNAStrand2.BMP"
int ChromoSheetWrite(const std::string& dir);     // "chromoTile.bmp", the pieces
int CatcherSheetWrite(const std::string& dir);    // "CatcherTile.BMP"
int FaceSheetWrite(const std::string& dir);       // "FaceTile.BMP", the face layers
int MemoSheetWrite(const std::string& dir);       // "memoTile.bmp", the genome log
int BonusSheetWrite(const std::string& dir);      // "bonusTile.BMP", the verdict animations
// The seven sound effects, "Untitled4.WAV" and "untitled.WAV" .. "untitled7.WAV".
int SoundEffectsWrite(const std::string& dir);

// Face layer `layer` (0 head, 1 eyes, 2 nose, 3 mouth) picture `frame` (0-9 ordinary, 10-19
// special) on a 128 x 128 canvas that is transparent round the feature.
void PaintFaceLayer(Canvas& canvas, int layer, int frame);

// The genome log's grid: box (layer, picture) of MEMO_BOX_WIDTH x MEMO_BOX_HEIGHT pixels at
// (MemoBoxLeft(layer), MemoBoxTop(picture)) on each 128 x 256 page, inside the rule lines.
constexpr int MEMO_BOX_WIDTH = 29;
constexpr int MEMO_BOX_HEIGHT = 18;
int MemoBoxLeft(int layer);
int MemoBoxTop(int picture);
// The codon whose decoding shows log page `page` (0-39): 1 and the three kinds, or 0 when no
// codon of ordinary pieces reaches that page.
int MemoCodonOfPage(int page, int codon[3]);

// The ramp of each kind's colour (A green, C blue, G amber, T red, special gold).
ArtRamp PieceRamp(int kind);
const char* PieceLetter(int kind);

// A piece of the given kind centred at (cx, cy), `size` pixels across (32 on the sheet); phase
// 0..1 runs once around its looping animation.
void PaintPiece(Canvas& canvas, float cx, float cy, float size, int kind, float phase);

// A four-pointed glint of radius r (nothing below a pixel), white at its heart and tinted at its
// tips.
void PaintGlint(Canvas& canvas, float x, float y, float r, ArtRamp tint);

// The catcher, a round ribosome creature, centred at (cx, cy), `size` pixels across (64 on the
// sheet), facing direction 0 down, 1 right, 2 up, 3 left. mouth 0..1 opens its mouth; glow 0..1
// lights it in glowRamp's colour (a swallowed base); sparkle 0..1 adds glints. A piece of
// pieceKind (-1: none) at (pieceX, pieceY) pixels from the centre, pieceSize across, is being
// swallowed: held before the mouth when pieceInFront, else inside it behind the lips.
struct CatcherPose {
    int direction;
    float mouth;
    float glow;
    ArtRamp glowRamp;
    float sparkle;
    int pieceKind = -1;
    float pieceX = 0, pieceY = 0, pieceSize = 0;
    bool pieceInFront = false;
};
void PaintCatcher(Canvas& canvas, float cx, float cy, float size, const CatcherPose& pose);

// A double helix along the line from (x0, y0) to (x1, y1): backbones `radius` pixels from the
// axis, one turn every `period` pixels, turned by `phase` (0..1 is a full turn), with rungs in
// the base colours. `thickness` is the backbone's width in pixels.
struct HelixStyle {
    float radius;
    float period;
    float phase;
    float thickness;
    float rungWidth;
};
void PaintHelix(Canvas& canvas, float x0, float y0, float x1, float y1, const HelixStyle& style);

// The play screen's light band across the top of the field (y 0 to BAND_BOTTOM - 1), where the
// game writes its title and help line; the strand continues it so the line stays readable.
constexpr int BAND_BOTTOM = 25;
// A light plate for text over columns left..right-1 and rows top..bottom-1.
void PaintTextPlate(Canvas& canvas, int left, int top, int right, int bottom);

// "HELIX DASH" in the game's logo lettering, centred on cx with its top at y, glyphs of pixel
// size `size`; sweep 0..1 moves a light band across it (negative: none). Returns the width.
int PaintLogo(Canvas& canvas, float cx, int y, int size, float sweep);
