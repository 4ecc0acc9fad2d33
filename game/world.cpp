// The game world's globals and their start values.
#include "game/world.h"

int GameState = STATE_OPENING;
unsigned char RespawnTimerIdle = 1;

unsigned char NameEntryOpen = 0;
char PlayerName[NAME_MAX_LENGTH + 1] = {};
int NameLength = 0;
unsigned char ScoreSaved = 0;
