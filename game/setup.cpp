// Game set-up: every picture cut into the frames of its sprites, the starting world, the sounds
// and the score table, built once before the first frame and in a fixed order. A picture or sound
// that cannot be used stops the set-up with one line on standard error naming the file.
#include "game/setup.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "game/placement.h"
#include "game/score_file.h"
#include "game/sheet_layout.h"
#include "game/world.h"
#include "graphics/display.h"
#include "graphics/palette.h"
#include "platform/window.h"
#include "sound/sound.h"
#include "support/data_folder.h"
#include "support/error_log.h"
#include "support/regular_file.h"
#include "support/text.h"

Sprite OpeningSprite = {};
Sprite TitleSprite = {};
long SetupSeed = -1;
int SetupWindowed = 0;

// A sound file and the sound id its slot fills.
struct SoundFile {
    int* id;
    const char* fileName;
};
static const std::array<SoundFile, 7> SOUND_FILES{{
    {&SoundStart, "Untitled4.WAV"},
    {&SoundCatch, "untitled.WAV"},
    {&SoundCatchSpecial, "untitled2.WAV"},
    {&SoundFaceNothing, "untitled3.WAV"},
    {&SoundFaceScored, "untitled5.WAV"},
    {&SoundBadCodon, "untitled6.WAV"},
    {&SoundGameOver, "untitled7.WAV"},
}};

const char* const SetupDataFiles[SETUP_DATA_FILE_COUNT] = {
    BRINDLE_SHEET.fileName,  TITLE_SHEET.fileName,    BACKGROUND_SHEET.fileName,
    FACE_SHEET.fileName,     MEMO_SHEET.fileName,     STRAND_SHEET.fileName,
    CHROMO_SHEET.fileName,   CATCHER_SHEET.fileName,  BONUS_SHEET.fileName,
    SOUND_FILES[0].fileName, SOUND_FILES[1].fileName, SOUND_FILES[2].fileName,
    SOUND_FILES[3].fileName, SOUND_FILES[4].fileName, SOUND_FILES[5].fileName,
    SOUND_FILES[6].fileName, DISPLAY_PALETTE_FILE,
};

// Every sound slot: volume, pan and frequency control (DirectSound's DSBCAPS_CTRL* bits).
static constexpr unsigned SOUND_CAPS = 0xE0;
static constexpr int SCREEN_BPP = 8;
static constexpr int OPENING_LOGO_FRAMES = 13;
static constexpr int CATCHER_FRAMES = 140;
// The catcher sheet holds one animation per row of seven cells: row 4 x direction + kind catches
// an ordinary piece, rows 16 to 19 the special piece; a direction's plain frame opens its rows.
static constexpr int CATCHER_ROW_CELLS = 7;
static constexpr int CATCHER_SPECIAL_ROW = 16;
static constexpr int BONUS_A_FRAMES = 208;
static constexpr int BONUS_B_FRAMES = 130;
static constexpr int BONUS_BLANK_FRAME = 25; // the blank cell of every bonus row
static constexpr int BONUS_ROW_CELLS = 26;   // one verdict's animation per sheet row
static constexpr int BONUS_X = 513;          // over the face in the side panel
static constexpr int BONUS_Y = 48;
static constexpr int KEY_BLACK = 0; // colour keys: the palette index that is see-through
static constexpr int KEY_FACE = 6;
static constexpr int KEY_SHEET = 215;
static constexpr int PARKED = -100;              // templates wait off screen, never drawn
static constexpr int BLANK_FACE_CELL_ROW = 8;    // cell (0, 8): the blank layer of every face layer
static constexpr int SPECIAL_FACE_ROW_SHIFT = 4; // special pictures lie four rows below ordinary

// Whether the sound file can be opened for reading; fails naming it when not, so a missing file
// (or a folder or FIFO in its place) is told apart from one whose contents are wrong.
static bool FileOpens(const std::string& path)
{
    const int fd = FileOpenRegular(path.c_str(), O_RDONLY);
    if (fd < 0) {
        return ErrorStartFailed("cannot load \"%s\": %s", path.c_str(), FileOpenError());
    }
    close(fd);
    return true;
}

// A picture held from its load to the end of the step that cuts it, so at most one is held at a
// time and a failing step gives it back too.
struct LoadedSheet {
    const SheetLayout& layout;
    BitmapImage image{};
    explicit LoadedSheet(const SheetLayout& sheet) : layout(sheet) {}
    LoadedSheet(const LoadedSheet&) = delete;
    LoadedSheet& operator=(const LoadedSheet&) = delete;
    ~LoadedSheet()
    {
        BitmapUnload(&image);
    }
};

// Loads the sheet and checks that it is an 8-bit picture holding every cell the game cuts.
static bool LoadSheet(LoadedSheet* sheet)
{
    const SheetLayout& layout = sheet->layout;
    const std::string path = DataPath(layout.fileName);
    // The loader names a missing file, or a folder or FIFO in its place, as FileOpens would.
    if (!BitmapLoad(&sheet->image, path.c_str())) {
        return ErrorStartFailed("cannot load \"%s\": %s", path.c_str(), BitmapLoadError());
    }
    if (sheet->image.infoHeader.biBitCount != 8) {
        return ErrorStartFailed("cannot load \"%s\": not an 8-bit picture", path.c_str());
    }
    // The last cell needs no frame line after it.
    const int needWidth = layout.columns * (layout.cellWidth + 1);
    const int needHeight = layout.rows * (layout.cellHeight + 1);
    const int width = sheet->image.infoHeader.biWidth;
    const int height = sheet->image.infoHeader.biHeight;
    if (width < needWidth || height < needHeight) {
        return ErrorStartFailed(
            "cannot load \"%s\": too small for its cells (%d x %d, needs at least %d x %d)",
            path.c_str(), width, height, needWidth, needHeight);
    }
    return true;
}

// Creates a sprite as every sprite of the game is made: system memory, 8 bits per pixel.
static bool MakeSprite(Sprite* sprite, const SheetLayout& sheet, int x, int y, int frames,
                       unsigned attributes, int colourKey)
{
    if (!SpriteCreate(sprite, x, y, sheet.cellWidth, sheet.cellHeight, frames, attributes,
                      DDSCAPS_SYSTEMMEMORY, colourKey, SCREEN_BPP)) {
        return ErrorStartFailed(
            "cannot make the sprites of \"%s\": the display refused a %d x %d surface",
            sheet.fileName, sheet.cellWidth, sheet.cellHeight);
    }
    return true;
}

static bool CutCell(Sprite* sprite, const LoadedSheet& sheet, int frame, int column, int row)
{
    if (!SpriteLoadFrame(sprite, &sheet.image, frame, column, row, 0)) {
        return ErrorStartFailed("cannot make the sprites of \"%s\": cell (%d, %d) cannot be copied",
                                sheet.layout.fileName, column, row);
    }
    return true;
}

// Cuts frames 0 .. count - 1 from cell numbers firstCell .. firstCell + count - 1.
static bool CutCells(Sprite* sprite, const LoadedSheet& sheet, int firstCell, int count)
{
    const int columns = sheet.layout.columns;
    for (int frame = 0; frame < count; ++frame) {
        const int cell = firstCell + frame;
        if (!CutCell(sprite, sheet, frame, cell % columns, cell / columns)) {
            return false;
        }
    }
    return true;
}

// Creates a sprite and cuts all its frames from consecutive cells of the loaded sheet.
static bool MakeSpriteFromCells(Sprite* sprite, const LoadedSheet& sheet, int x, int y, int frames,
                                unsigned attributes, int colourKey, int firstCell)
{
    return MakeSprite(sprite, sheet.layout, x, y, frames, attributes, colourKey) &&
           CutCells(sprite, sheet, firstCell, frames);
}

static void StoreSequence(Sprite* sprite, int index, const std::vector<int>& frames)
{
    SpriteLoadSequence(sprite, index, static_cast<int>(frames.size()), frames.data());
}

// The logo shows frame 0 for 8 frames, frames 1 to 12 for two each, then frame 0 for 12: one
// entry per opening frame.
static std::vector<int> OpeningSequence()
{
    std::vector<int> frames(8, 0);
    for (int frame = 1; frame <= 12; ++frame) {
        frames.insert(frames.end(), 2, frame);
    }
    frames.insert(frames.end(), 12, 0);
    return frames;
}

// The seven frames of a catcher row and back to its first: one catch animation.
static std::vector<int> CatcherRowAndBack(int row)
{
    const int first = CATCHER_ROW_CELLS * row;
    std::vector<int> frames;
    for (int frame = first; frame < first + CATCHER_ROW_CELLS; ++frame) {
        frames.push_back(frame);
    }
    frames.push_back(first);
    return frames;
}

// A verdict's animation on a bonus sprite: its row's first cell held for five frames, the next 24
// cells, then the blank frame.
static std::vector<int> BonusSequence(int row)
{
    const int first = BONUS_ROW_CELLS * row;
    std::vector<int> frames(5, first);
    for (int frame = first + 1; frame <= first + 24; ++frame) {
        frames.push_back(frame);
    }
    frames.push_back(BONUS_BLANK_FRAME);
    return frames;
}

static void StoreBonusSequences(Sprite* sprite, int verdictCount)
{
    StoreSequence(sprite, 0, {BONUS_BLANK_FRAME});
    for (int n = 1; n <= verdictCount; ++n) {
        StoreSequence(sprite, n, BonusSequence(n - 1));
    }
    SpriteSetSequence(sprite, 0);
}

static bool BuildOpening()
{
    LoadedSheet sheet(BRINDLE_SHEET);
    if (!LoadSheet(&sheet) ||
        !MakeSpriteFromCells(&OpeningSprite, sheet, 0, 0, OPENING_LOGO_FRAMES,
                             SPRITE_SEQUENCES | SPRITE_PLAY_ONCE | SPRITE_VISIBLE, KEY_BLACK, 0)) {
        return false;
    }
    StoreSequence(&OpeningSprite, 0, OpeningSequence());
    SpriteSetSequence(&OpeningSprite, 0);
    return true;
}

// The title picture and the play screen's background: one full-screen cell each.
static bool BuildStill(Sprite* sprite, const SheetLayout& layout)
{
    LoadedSheet sheet(layout);
    return LoadSheet(&sheet) &&
           MakeSpriteFromCells(sprite, sheet, 0, 0, 1, SPRITE_STILL | SPRITE_VISIBLE, KEY_BLACK, 0);
}

// Layer L takes its ten ordinary pictures from row L, its ten special ones from row L + 4, and
// the blank layer from the cell all layers share.
static bool BuildFaceLayers()
{
    LoadedSheet sheet(FACE_SHEET);
    if (!LoadSheet(&sheet)) {
        return false;
    }
    for (int layer = 0; layer < FACE_LAYER_COUNT; ++layer) {
        Sprite* sprite = &FaceLayers[layer];
        if (!MakeSprite(sprite, FACE_SHEET, WorldPanelX(), FACE_TOP, FACE_FRAME_COUNT,
                        SPRITE_CYCLE_FRAMES | SPRITE_VISIBLE, KEY_FACE)) {
            return false;
        }
        for (int column = 0; column < ORDINARY_FACE_FRAMES; ++column) {
            if (!CutCell(sprite, sheet, column, column, layer) ||
                !CutCell(sprite, sheet, ORDINARY_FACE_FRAMES + column, column,
                         layer + SPECIAL_FACE_ROW_SHIFT)) {
                return false;
            }
        }
        if (!CutCell(sprite, sheet, BLANK_FACE_FRAME, 0, BLANK_FACE_CELL_ROW)) {
            return false;
        }
    }
    for (Sprite& layer : FaceLayers) {
        SpriteSetFrame(&layer, BLANK_FACE_FRAME);
    }
    return true;
}

static bool BuildMemoPages()
{
    LoadedSheet sheet(MEMO_SHEET);
    if (!LoadSheet(&sheet)) {
        return false;
    }
    for (int page = 0; page < MEMO_PAGE_COUNT; ++page) {
        if (!MakeSpriteFromCells(&MemoPages[page], sheet, WorldPanelX(), MEMO_TOP, 1,
                                 SPRITE_STILL | SPRITE_VISIBLE, KEY_SHEET, page)) {
            return false;
        }
    }
    return true;
}

static bool BuildStrand()
{
    LoadedSheet sheet(STRAND_SHEET);
    return LoadSheet(&sheet) &&
           MakeSpriteFromCells(&StrandSprite, sheet, FieldWidth, 0, 1,
                               SPRITE_CYCLE_FRAMES | SPRITE_VISIBLE, KEY_BLACK, 0);
}

// The five templates, then the twelve starting pieces as their clones while the sheet is held.
static bool BuildPieces()
{
    LoadedSheet sheet(CHROMO_SHEET);
    if (!LoadSheet(&sheet)) {
        return false;
    }
    for (int kind = 0; kind < PIECE_KIND_COUNT; ++kind) {
        const int frames = kind == KIND_SPECIAL ? SPECIAL_PIECE_FRAMES : PIECE_FRAMES;
        if (!MakeSpriteFromCells(&PieceTemplates[kind], sheet, PARKED, PARKED, frames,
                                 SPRITE_CYCLE_FRAMES | SPRITE_VISIBLE, KEY_SHEET,
                                 PIECE_FRAMES * kind)) {
            return false;
        }
    }
    PlaceStartingPieces();
    return true;
}

// Sixteen catch animations, the plain frame of each direction, and the four special catches.
static bool BuildCatcher()
{
    LoadedSheet sheet(CATCHER_SHEET);
    if (!LoadSheet(&sheet) ||
        !MakeSpriteFromCells(&CatcherSprite, sheet, CATCHER_START_X, CATCHER_START_Y,
                             CATCHER_FRAMES, SPRITE_SEQUENCES | SPRITE_PLAY_ONCE | SPRITE_VISIBLE,
                             KEY_SHEET, 0)) {
        return false;
    }
    for (int n = 0; n < CATCHER_ANIM_IDLE; ++n) {
        StoreSequence(&CatcherSprite, n, CatcherRowAndBack(n));
    }
    for (int direction = 0; direction < 4; ++direction) {
        StoreSequence(&CatcherSprite, CATCHER_ANIM_IDLE + direction,
                      {CATCHER_ROW_CELLS * 4 * direction});
        StoreSequence(&CatcherSprite, CATCHER_ANIM_SPECIAL + direction,
                      CatcherRowAndBack(CATCHER_SPECIAL_ROW + direction));
    }
    SpriteSetSequence(&CatcherSprite, CATCHER_ANIM_IDLE + DIR_DOWN);
    CatcherDirection = DIR_DOWN;
    return true;
}

// The bonus sheet's palette becomes the display palette, the palette every picture is drawn in.
static bool BuildBonusSprites()
{
    LoadedSheet sheet(BONUS_SHEET);
    if (!LoadSheet(&sheet)) {
        return false;
    }
    PaletteSetAll(sheet.image.palette);
    constexpr unsigned attributes = SPRITE_SEQUENCES | SPRITE_PLAY_ONCE | SPRITE_VISIBLE;
    if (!MakeSpriteFromCells(&BonusSpriteA, sheet, BONUS_X, BONUS_Y, BONUS_A_FRAMES, attributes,
                             KEY_SHEET, 0) ||
        !MakeSpriteFromCells(&BonusSpriteB, sheet, BONUS_X, BONUS_Y, BONUS_B_FRAMES, attributes,
                             KEY_SHEET, BONUS_A_FRAMES)) {
        return false;
    }
    StoreBonusSequences(&BonusSpriteA, BONUS_A_LAST_VERDICT);
    StoreBonusSequences(&BonusSpriteB, VERDICT_COUNT - 1 - BONUS_A_LAST_VERDICT);
    return true;
}

static bool LoadSounds()
{
    for (const SoundFile& sound : SOUND_FILES) {
        const std::string path = DataPath(sound.fileName);
        if (!FileOpens(path)) {
            return false;
        }
        *sound.id = SoundLoadWav(path.c_str(), SOUND_CAPS);
        if (*sound.id < 0) {
            // The loader's reason starts with the file's path, which the line names already.
            const char* why = SoundLoadError();
            if (std::strncmp(why, path.c_str(), path.size()) == 0 && why[path.size()] == ' ') {
                why += path.size() + 1;
            }
            return ErrorStartFailed("cannot load \"%s\": not a valid WAV (%s)", path.c_str(), why);
        }
    }
    return true;
}

int GameInit()
{
    StartFailure[0] = '\0';
    std::srand(SetupSeed >= 0 ? static_cast<unsigned>(SetupSeed)
                              : static_cast<unsigned>(std::time(nullptr)));
    if (!DisplayInit(SCREEN_PIXELS_WIDE, FIELD_HEIGHT, SCREEN_BPP, SetupWindowed)) {
        ErrorStartFailed("cannot set up the %d x %d display: %s", SCREEN_PIXELS_WIDE, FIELD_HEIGHT,
                         DisplayError());
        return SETUP_FAILED;
    }
    // Every screen writes text, so a game without a font is no game to start.
    if (!TextOpen()) {
        ErrorStartFailed("%s", TextError());
        return SETUP_FAILED;
    }
    // Without a sound device the game runs silently.
    SoundInit();
    FieldWidth = FIELD_WIDTH;
    FieldHeight = FIELD_HEIGHT;

    if (!BuildOpening() || !BuildStill(&TitleSprite, TITLE_SHEET) ||
        !BuildStill(&BackgroundSprite, BACKGROUND_SHEET) || !BuildFaceLayers() ||
        !BuildMemoPages() || !BuildStrand() || !BuildPieces() || !BuildCatcher() ||
        !BuildBonusSprites()) {
        return SETUP_FAILED;
    }
    std::memset(MemoShown, 0, sizeof MemoShown);
    MemoShown[MEMO_BASE_PAGE] = 1;
    if (!LoadSounds()) {
        return SETUP_FAILED;
    }
    if (!LoadScores()) {
        ErrorReport("cannot read the score file %s: %s", ScoreFilePath, ScoreFileError);
        return SETUP_NO_SCORES;
    }
    SoundPlay(SoundStart, 0);
    // The same rectangle as the clipper the display set-up attached; it takes that one's place.
    const RECT screen{0, 0, ScreenWidth, ScreenHeight};
    BackClipper = DisplayAttachClipper(BackSurface, 1, &screen);
    ShowCursor(0);
    return SETUP_DONE;
}
