// The opening logo and title screens, and the orderly release of everything the set-up made.
#include "game/front_screens.h"

#include "game/screen.h"
#include "game/setup.h"
#include "game/world.h"
#include "graphics/display.h"
#include "platform/window.h"
#include "sound/sound.h"
#include "support/clock.h"
#include "support/text.h"

int OpeningFrameCount = 0;

static constexpr int TITLE_PROMPT_X = 240;
static constexpr int TITLE_PROMPT_Y = 420;

int OpeningFrame()
{
    ScreenEndOnEscape();
    ClockStart();
    DisplayFill(BackSurface, 0, nullptr);
    // Drawn before it is animated, so the 44 frames show the logo's sequence entry by entry.
    SpriteDraw(&OpeningSprite, BackSurface);
    SpriteAnimate(&OpeningSprite);
    if (++OpeningFrameCount >= OPENING_FRAMES) {
        GameState = STATE_TITLE;
    }
    DisplayFlip();
    ClockWait(OPENING_FRAME_MS);
    if (GameState == STATE_TITLE) {
        SpriteDestroy(&OpeningSprite);
    }
    return 1;
}

int TitleFrame()
{
    ScreenEndOnEscape();
    // KEPT: the frame that sees Space is still drawn as a title frame; the next pass plays.
    if (ScreenKeyDown(VK_SPACE)) {
        GameState = STATE_PLAY;
    }
    ClockStart();
    DisplayFill(BackSurface, 0, nullptr);
    SpriteDraw(&TitleSprite, BackSurface);
    DrawTextRGB("Spacebar to continue!", TITLE_PROMPT_X, TITLE_PROMPT_Y, TEXT_BLUE, BackSurface);
    DisplayFlip();
    ClockWait(TITLE_FRAME_MS);
    return 1;
}

int GameShutdown()
{
    // Pieces share their templates' surfaces, so they go first.
    for (Sprite& piece : Pieces) {
        SpriteDestroy(&piece);
    }
    for (Sprite& page : MemoPages) {
        SpriteDestroy(&page);
    }
    SpriteDestroy(&CatcherSprite);
    SpriteDestroy(&StrandSprite);
    SpriteDestroy(&BackgroundSprite);
    SpriteDestroy(&TitleSprite);
    for (Sprite& layer : FaceLayers) {
        SpriteDestroy(&layer);
    }
    for (Sprite& pieceTemplate : PieceTemplates) {
        SpriteDestroy(&pieceTemplate);
    }
    SpriteDestroy(&BonusSpriteA);
    SpriteDestroy(&BonusSpriteB);
    // Gone already when the opening ran to its end; destroying a destroyed sprite does nothing.
    SpriteDestroy(&OpeningSprite);
    DisplayShutdown();
    TextShutdown();
    SoundDeleteAll();
    SoundShutdown();
    return 1;
}
