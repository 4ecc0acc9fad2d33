// The game world's globals and their start values.
#include "game/world.h"

Sprite BackgroundSprite = {};
Sprite StrandSprite = {};
Sprite PieceTemplates[PIECE_KIND_COUNT] = {};
Sprite CatcherSprite = {};
Sprite FaceLayers[FACE_LAYER_COUNT] = {};
Sprite MemoPages[MEMO_PAGE_COUNT] = {};
Sprite BonusSpriteA = {};
Sprite BonusSpriteB = {};

int SoundStart = -1;
int SoundCatch = -1;
int SoundCatchSpecial = -1;
int SoundFaceNothing = -1;
int SoundFaceScored = -1;
int SoundBadCodon = -1;
int SoundGameOver = -1;

int GameState = STATE_OPENING;
int FieldWidth = 0;
int FieldHeight = 0;
int CatcherSize = 64;

Sprite Pieces[PIECE_SLOTS] = {};
int PieceKind[PIECE_SLOTS] = {};
unsigned char SlotEmpty[PIECE_SLOTS] = {};
int EmptySlotCount = 0;
int RespawnSlot = 0;

int CatcherDirection = DIR_DOWN;
unsigned char CatcherActive = 1;
int FramesSinceCatch = 0;

int Codon[CODON_LENGTH] = {};
int CodonLength = 0;
int FaceLayerFrame[FACE_LAYER_COUNT] = {};
unsigned char FaceLayerSet[FACE_LAYER_COUNT] = {};
unsigned char MemoShown[MEMO_PAGE_COUNT] = {};

int GameScore = 0;
int FaceScore = 0;
int FacesCompleted = 0;
const char* RankTitle = "Nothing";

unsigned char FaceExitActive = 0;
unsigned char FaceExitDone = 0;
unsigned char FaceExitSettled = 1;

unsigned char RespawnTimerIdle = 1;

unsigned char NameEntryOpen = 0;
char PlayerName[NAME_MAX_LENGTH + 1] = {};
int NameLength = 0;
unsigned char ScoreSaved = 0;
char TextBuffer[TEXT_BUFFER_SIZE] = {};

int WorldPanelX()
{
    return FieldWidth + (SCREEN_PIXELS_WIDE - FieldWidth - PANEL_PICTURE_WIDTH) / 2;
}
