// "FaceTile.BMP": the four layers of the face in the side panel (head, eyes, nose, mouth), ten
// ordinary people and ten mutations each, drawn on one shared set of feature positions so that
// any four pictures stack into one face.
#include "game/sheet_layout.h"
#include "tools/assetgen/face_parts.h"
#include "tools/assetgen/sheets.h"

static constexpr int CELL = FACE_SHEET.cellWidth;
static constexpr int COLUMNS = FACE_SHEET.columns;

void PaintFaceLayer(Canvas& canvas, int layer, int frame)
{
    CanvasInit(canvas, CELL, CELL, {0, 0, 0}, 0.0f);
    if (frame < 0 || frame >= 20) {
        return;
    }
    switch (layer) {
        case 0:
            FacePaintHead(canvas, frame);
            break;
        case 1:
            FacePaintEyes(canvas, frame);
            break;
        case 2:
            FacePaintNose(canvas, frame);
            break;
        default:
            FacePaintMouth(canvas, frame);
            break;
    }
}

int FaceSheetWrite(const std::string& dir)
{
    Sheet sheet;
    SheetInit(sheet, FACE_SHEET, ART_KEY_FACE);
    Canvas canvas;
    for (int layer = 0; layer < 4; ++layer) {
        for (int frame = 0; frame < 20; ++frame) {
            PaintFaceLayer(canvas, layer, frame);
            // Row L holds the ordinary pictures, row L + 4 the special ones.
            int row = frame < 10 ? layer : layer + 4;
            if (!SheetPutCell(sheet, row * COLUMNS + frame % 10, canvas)) {
                return 0;
            }
        }
    }
    // Cell (0, 8), the blank layer, and the rest of row 8 stay key colour.
    return SheetWrite(sheet, dir);
}
