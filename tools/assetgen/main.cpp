// assetgen: draws the game's pictures and writes them with the palette file into a folder, or
// the desktop icons into an icon theme folder.
// Usage: assetgen OUTPUT_FOLDER | assetgen --icons FOLDER. The output is the same, byte for byte,
// on every run.
#include <cstdio>
#include <string>

#include "tools/assetgen/app_icon.h"
#include "tools/assetgen/canvas.h"
#include "tools/assetgen/pal_writer.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/sheets.h"

struct Output {
    const char* name;
    int (*write)(const std::string& dir);
};

static int PaletteFileWrite(const std::string& dir)
{
    return PalWrite((dir + "/mainPalette.PAL").c_str(), ArtPalette);
}

static constexpr Output OUTPUTS[] = {
    {"mainPalette.PAL", PaletteFileWrite},       {BRINDLE_SHEET.fileName, BrindleSheetWrite},
    {TITLE_SHEET.fileName, TitleSheetWrite},     {BACKGROUND_SHEET.fileName, BackgroundSheetWrite},
    {STRAND_SHEET.fileName, StrandSheetWrite},   {CHROMO_SHEET.fileName, ChromoSheetWrite},
    {CATCHER_SHEET.fileName, CatcherSheetWrite}, {FACE_SHEET.fileName, FaceSheetWrite},
    {MEMO_SHEET.fileName, MemoSheetWrite},       {BONUS_SHEET.fileName, BonusSheetWrite},
    {"the sound effects", SoundEffectsWrite},
};

// The game's layout of its sheets, one line each ("FaceTile.BMP 128 128 10 9 1292 1161": cell
// width and height, columns and rows cut, sheet width and height), for scripts that cut cells.
static void PrintLayout()
{
    for (const SheetLayout* sheet : SHEETS) {
        std::printf("%s %d %d %d %d %d %d\n", sheet->fileName, sheet->cellWidth, sheet->cellHeight,
                    sheet->columns, sheet->rows, sheet->width, sheet->height);
    }
}

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--layout") {
        PrintLayout();
        return 0;
    }
    const bool icons = argc == 3 && std::string(argv[1]) == "--icons";
    if (!icons && (argc != 2 || argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_FOLDER\n       assetgen --icons FOLDER\n"
                             "       assetgen --layout\n");
        return 2;
    }
    ArtPaletteBuild();
    // The icons use no lettering, so they do not wait for the font.
    if (icons) {
        if (AppIconWriteAll(argv[2])) {
            return 0;
        }
        std::fprintf(stderr, "assetgen: cannot write the icons into %s\n", argv[2]);
        return 1;
    }
    const std::string dir = argv[1];
    int width = 0, height = 0;
    if (!TextMeasure("A", 16, &width, &height)) {
        std::fprintf(stderr, "assetgen: no lettering font: DejaVu Sans Bold (fonts-dejavu-core) "
                             "or another bold sans-serif font is needed\n");
        return 1;
    }
    int failed = 0;
    for (const Output& output : OUTPUTS) {
        if (!output.write(dir)) {
            std::fprintf(stderr, "assetgen: cannot write %s/%s\n", dir.c_str(), output.name);
            failed = 1;
            break;
        }
    }
    TextCloseFonts();
    return failed;
}
