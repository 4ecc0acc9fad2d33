// Sound effects played by the rules, with the note of the latest one.
#include "game/rule_sound.h"

#include "sound/sound.h"

int RuleSoundLast = -1;
int RuleSoundCount = 0;

int RuleSoundPlay(int id)
{
    RuleSoundLast = id;
    ++RuleSoundCount;
    return SoundPlay(id, 0);
}
