// One frame of the play screen, in the order the player sees it: keys, the picture, the catcher,
// the catches and what they build, the exit of a judged face, the score lines.
#include "game/play.h"

#include <climits>
#include <cstdio>

#include "game/catching.h"
#include "game/judging.h"
#include "game/score_screen.h"
#include "game/screen.h"
#include "game/world.h"
#include "graphics/display.h"
#include "graphics/sprite.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "support/clock.h"
#include "support/text.h"

// The score lines along the top of the field: the name and the keys on the left, the two scores
// stacked on the right.
static constexpr int TOP_LINE_Y = 8;
static constexpr int NAME_X = 8;
static constexpr int KEYS_HINT_X = 125;
static constexpr int SCORES_X = 490;
static constexpr int FACE_SCORE_Y = 24;

// KEPT: the catcher keeps the velocity of the last arrow pressed, so it glides on after the key is
// let go, and a vertical key beats a horizontal one because it is applied last.
static void SteerCatcher()
{
    if (ScreenKeyDown(VK_RIGHT)) {
        CatcherDirection = DIR_RIGHT;
        SpriteSetVelocity(&CatcherSprite, CATCHER_SPEED, 0);
    } else if (ScreenKeyDown(VK_LEFT)) {
        CatcherDirection = DIR_LEFT;
        SpriteSetVelocity(&CatcherSprite, -CATCHER_SPEED, 0);
    }
    if (ScreenKeyDown(VK_UP)) {
        CatcherDirection = DIR_UP;
        SpriteSetVelocity(&CatcherSprite, 0, -CATCHER_SPEED);
    } else if (ScreenKeyDown(VK_DOWN)) {
        CatcherDirection = DIR_DOWN;
        SpriteSetVelocity(&CatcherSprite, 0, CATCHER_SPEED);
    }
}

// Back to front: background, strand, live pieces, shown memo pages, face, bonuses, catcher.
static void DrawPlayField()
{
    SpriteDraw(&BackgroundSprite, BackSurface);
    SpriteDraw(&StrandSprite, BackSurface);
    for (int slot = 0; slot < PIECE_SLOTS; ++slot) {
        if (SlotEmpty[slot] == 0) {
            SpriteDraw(&Pieces[slot], BackSurface);
        }
    }
    for (int page = 0; page < MEMO_PAGE_COUNT; ++page) {
        if (MemoShown[page] == 1) {
            SpriteDraw(&MemoPages[page], BackSurface);
        }
    }
    for (const Sprite& layer : FaceLayers) {
        SpriteDraw(&layer, BackSurface);
    }
    SpriteDraw(&BonusSpriteA, BackSurface);
    SpriteDraw(&BonusSpriteB, BackSurface);
    SpriteDrawScaled(&CatcherSprite, CatcherSize, CatcherSize, BackSurface);
}

static void AnimatePlayField()
{
    for (int slot = 0; slot < PIECE_SLOTS; ++slot) {
        if (SlotEmpty[slot] == 0) {
            SpriteAnimate(&Pieces[slot]);
        }
    }
    SpriteAnimate(&BonusSpriteA);
    SpriteAnimate(&BonusSpriteB);
    SpriteAnimate(&CatcherSprite);
}

// The freeze after a catch ends after CATCHER_FREEZE_FRAMES frames; a frozen catcher neither
// moves nor is clamped, and one standing behind a sliding face is clamped but not moved.
static void MoveCatcher()
{
    if (FramesSinceCatch < INT_MAX) {
        ++FramesSinceCatch;
    }
    if (FramesSinceCatch >= CATCHER_FREEZE_FRAMES) {
        CatcherActive = 1;
    }
    if (CatcherActive != 1) {
        return;
    }
    if (FaceExitActive == 0) {
        SpriteMove(&CatcherSprite);
    }
    int x = 0;
    int y = 0;
    SpriteGetPosition(&CatcherSprite, &x, &y);
    ClampCatcher(FieldWidth - CatcherSize, 0, FieldHeight - CatcherSize, 0, x, y);
}

// The catch that leaves RESPAWN_START_EMPTY slots empty starts the refills. The timer counts as
// running only once it really started, so a refused start is tried again by the next catch
// rather than leaving the field to run dry.
static void StartRespawnTimer()
{
    if (RespawnTimerIdle != 1 || EmptySlotCount < RESPAWN_START_EMPTY) {
        return;
    }
    if (SetTimer(MainWindow, RESPAWN_TIMER_ID, RESPAWN_PERIOD_MS, nullptr) != 0) {
        RespawnTimerIdle = 0;
    }
}

// The third kind completes the codon: its layer takes the picture it names, if any, and its memo
// page is shown for the rest of the game.
static void AddToCodon(int kind)
{
    Codon[CodonLength] = kind;
    ++CodonLength;
    if (CodonLength < CODON_LENGTH) {
        return;
    }
    CodonLength = 0;
    int frame = BLANK_FACE_FRAME;
    int page = MEMO_BASE_PAGE;
    const int layer = DecodeCodon(Codon, &frame, &page) - 1;
    if (frame != BLANK_FACE_FRAME) {
        SpriteSetFrame(&FaceLayers[layer], frame);
        FaceLayerFrame[layer] = frame;
        FaceLayerSet[layer] = 1;
    }
    MemoShown[page] = 1;
}

// A face whose four layers were all set since the last judging is judged, scored and sent on its
// way out of the panel; the catcher hides until it has gone.
static void JudgeCompleteFace()
{
    for (unsigned char set : FaceLayerSet) {
        if (set != 1) {
            return;
        }
    }
    // The label shows this face's points until the next face is judged.
    FaceScore = 0;
    JudgeFace(FaceLayerFrame);
    GameScore += FaceScore;
    for (unsigned char& set : FaceLayerSet) {
        set = 0;
    }
    ++FacesCompleted;
    SpriteHide(&CatcherSprite);
    FaceExitActive = 1;
    FaceExitDone = 0;
}

// Every live piece under the catcher is caught in this frame, not only the first.
static void CatchTouchedPieces()
{
    for (int slot = 0; slot < PIECE_SLOTS; ++slot) {
        if (SlotEmpty[slot] == 1) {
            continue;
        }
        if (SpriteCollide(&CatcherSprite, &Pieces[slot])) {
            const int kind = PieceKind[slot];
            CatchPiece(slot);
            StartRespawnTimer();
            AddToCodon(kind);
            JudgeCompleteFace();
        } else if (CatcherActive == 1) {
            SetCatcherIdleAnimation();
        }
    }
}

// The judged face slides right until layer 0 reaches FACE_EXIT_X (85 frames from the panel),
// then the blank layers are put back; the catcher reappears standing still, and the exit of the
// ninth face ends the game.
// KEPT: the sliding face is drawn over the panel's frame and off the screen's edge.
static void RunFaceExit()
{
    if (FaceExitActive != 1) {
        return;
    }
    if (FaceExitDone == 0) {
        SpriteSetVelocity(&CatcherSprite, 0, 0);
        for (Sprite& layer : FaceLayers) {
            SpriteSetVelocity(&layer, FACE_EXIT_SPEED, 0);
            SpriteMove(&layer);
        }
        int x = 0;
        int y = 0;
        SpriteGetPosition(&FaceLayers[0], &x, &y);
        if (x >= FACE_EXIT_X) {
            for (Sprite& layer : FaceLayers) {
                SpriteSetFrame(&layer, BLANK_FACE_FRAME);
                SpriteSetPosition(&layer, WorldPanelX(), FACE_TOP);
                SpriteDraw(&layer, BackSurface);
            }
            FaceExitSettled = 0;
            FaceExitDone = 1;
        }
    }
    if (FaceExitSettled == 0) {
        FaceExitSettled = 1;
        SpriteShow(&CatcherSprite);
        FaceExitActive = 0;
        if (FacesCompleted >= FACES_PER_GAME) {
            FinishGame();
        }
    }
}

static void DrawPlayTexts()
{
    DrawTextRGB("HELIX DASH", NAME_X, TOP_LINE_Y, TEXT_MAGENTA, BackSurface);
    DrawTextRGB("Use arrow keys to move, press <ESC> to Exit.", KEYS_HINT_X, TOP_LINE_Y, TEXT_BLACK,
                BackSurface);
    std::snprintf(TextBuffer, sizeof TextBuffer, "Game Score: %d", GameScore);
    DrawTextRGB(TextBuffer, SCORES_X, TOP_LINE_Y, TEXT_BLUE, BackSurface);
    std::snprintf(TextBuffer, sizeof TextBuffer, "Face Score: %d", FaceScore);
    DrawTextRGB(TextBuffer, SCORES_X, FACE_SCORE_Y, TEXT_RED, BackSurface);
}

int PlayFrame()
{
    ScreenEndOnEscape();
    ClockStart();
    DisplayFill(BackSurface, 0, nullptr);
    SteerCatcher();
    DrawPlayField();
    AnimatePlayField();
    MoveCatcher();
    CatchTouchedPieces();
    RunFaceExit();
    DrawPlayTexts();
    DisplayFlip();
    ClockWait(PLAY_FRAME_MS);
    return 1;
}
