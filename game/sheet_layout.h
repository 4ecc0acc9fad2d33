// Where the game's pictures lie: each picture sheet's cell grid, the piece kinds (the rows of the
// piece sheet) and the verdicts (the rows of the bonus sheet). Set-up cuts its sprites by these,
// and the art generator, its tests and the preview script draw and read by the same ones.
#pragma once

// A picture sheet: cells of cellWidth x cellHeight framed by one-pixel lines, of which the game
// cuts `columns` by `rows`; cell number n lies in column n mod columns, row n div columns. The file
// is width x height pixels, which may leave room beside and below the cells it cuts.
struct SheetLayout {
    const char* fileName;
    int cellWidth;
    int cellHeight;
    int columns;
    int rows;
    int width;
    int height;
};

// The cell (column, row)'s top-left pixel in its sheet, behind the frame lines before it.
constexpr int SheetCellLeft(const SheetLayout& sheet, int column)
{
    return column * (sheet.cellWidth + 1) + 1;
}
constexpr int SheetCellTop(const SheetLayout& sheet, int row)
{
    return row * (sheet.cellHeight + 1) + 1;
}

inline constexpr SheetLayout BRINDLE_SHEET{"BrindleTile.BMP", 640, 480, 3, 5, 1924, 2405};
inline constexpr SheetLayout TITLE_SHEET{"TitleBack.bmp", 640, 480, 1, 1, 644, 481};
inline constexpr SheetLayout BACKGROUND_SHEET{"background.bmp", 640, 480, 1, 1, 644, 481};
inline constexpr SheetLayout FACE_SHEET{"FaceTile.BMP", 128, 128, 10, 9, 1292, 1161};
inline constexpr SheetLayout MEMO_SHEET{"memoTile.bmp", 128, 256, 10, 5, 1292, 1285};
inline constexpr SheetLayout STRAND_SHEET{"DNAStrand2.BMP", 16, 480, 1, 1, 20, 481};
inline constexpr SheetLayout CHROMO_SHEET{"chromoTile.bmp", 32, 32, 25, 10, 828, 330};
inline constexpr SheetLayout CATCHER_SHEET{"CatcherTile.BMP", 64, 64, 7, 20, 456, 1300};
inline constexpr SheetLayout BONUS_SHEET{"bonusTile.BMP", 64, 64, 26, 13, 1692, 845};

constexpr int SHEET_COUNT = 9;
inline constexpr const SheetLayout* SHEETS[SHEET_COUNT] = {
    &BRINDLE_SHEET, &TITLE_SHEET,  &BACKGROUND_SHEET, &FACE_SHEET,  &MEMO_SHEET,
    &STRAND_SHEET,  &CHROMO_SHEET, &CATCHER_SHEET,    &BONUS_SHEET,
};

// Piece kinds: the four bases of a codon, A, C, G and T, then the special piece.
constexpr int ORDINARY_KIND_COUNT = 4; // kinds 0 .. 3
constexpr int KIND_SPECIAL = 4;
constexpr int PIECE_KIND_COUNT = 5;

// The verdicts of a judged face, each named for the word on its badge. The clown's, the pirate's,
// the robot's and the alien's rise with how much of the theme the face shows; the last two are
// plain faces. Verdict v (1 ..) animates row v - 1 of the bonus sheet.
constexpr int VERDICT_NOTHING = 0;
constexpr int VERDICT_SILLY = 1; // the clown's
constexpr int VERDICT_JOKER = 2;
constexpr int VERDICT_JESTER = 3;
constexpr int VERDICT_ODD = 4; // the pirate's
constexpr int VERDICT_PIRATE = 5;
constexpr int VERDICT_TIN = 6; // the robot's
constexpr int VERDICT_ROBOT = 7;
constexpr int VERDICT_MECHA = 8;
constexpr int VERDICT_WEIRD = 9; // the alien's
constexpr int VERDICT_ALIEN = 10;
constexpr int VERDICT_MARTIAN = 11;
constexpr int VERDICT_SMILE = 12; // plain faces
constexpr int VERDICT_CUTE = 13;
constexpr int VERDICT_COUNT = 14;
// The word on each verdict's badge.
inline constexpr const char* VERDICT_BADGES[VERDICT_COUNT] = {
    "",      "SILLY", "JOKER", "JESTER", "ODD",     "PIRATE", "TIN",
    "ROBOT", "MECHA", "WEIRD", "ALIEN",  "MARTIAN", "SMILE",  "CUTE",
};
// The bonus sprites share the verdicts: the first shows the clown's, pirate's and robot's, the
// second the alien's and the plain faces'.
constexpr int BONUS_A_LAST_VERDICT = VERDICT_MECHA;
