// The rules tests' world at its start values, in a live hidden window of the game's class (for
// rules that use the respawn timer or post to the window) on the fake clock: plain sprite records
// (the rules only move, clone and sequence them) and distinct sound ids, so RuleSoundLast tells
// which sound a rule chose.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "game/rule_sound.h"
#include "game/world.h"
#include "platform/keyboard.h"
#include "platform/message.h"
#include "platform/time.h"
#include "platform/window.h"

class WorldTest : public ::testing::Test {
public:
    // Ids of no loaded sound: SoundPlay refuses them, the rules' note still names them.
    static constexpr int ID_CATCH = 201, ID_FACE_NOTHING = 203, ID_FACE_SCORED = 204,
                         ID_BAD_CODON = 205;
    // Where pieces wait that are not to be caught: a corner the steering here never reaches.
    static constexpr int PARK_X = 400, PARK_Y = 440;

    static Sprite PlainSprite(int x, int y, int size, int frameCount, unsigned attributes)
    {
        Sprite s{};
        s.x = static_cast<float>(x);
        s.y = static_cast<float>(y);
        s.width = s.height = size;
        s.frameCount = frameCount;
        s.attributes = attributes;
        return s;
    }

    static void PutPiece(int slot, int kind, int x, int y)
    {
        Pieces[slot] = PlainSprite(x, y, PIECE_SIZE, PieceTemplates[kind].frameCount,
                                   SPRITE_CYCLE_FRAMES | SPRITE_VISIBLE);
        PieceKind[slot] = kind;
        if (SlotEmpty[slot] == 1) {
            SlotEmpty[slot] = 0;
            --EmptySlotCount;
        }
    }

protected:
    void SetUp() override
    {
        PlatformShutdown();
        WNDCLASSEX c{};
        c.cbSize = sizeof(WNDCLASSEX);
        c.lpfnWndProc = DefWindowProc;
        c.lpszClassName = "WINCLASS1";
        c.hInstance = PlatformInstance();
        ASSERT_NE(RegisterClassEx(&c), 0);
        MainWindow = CreateWindowEx(0, "WINCLASS1", "rules", WS_POPUP, 0, 0, 640, 480, nullptr,
                                    nullptr, PlatformInstance(), nullptr);
        ASSERT_NE(MainWindow, nullptr);
        MessageQueueClear();
        KeyboardClear();
        PlatformUseFakeClock(0);

        FieldWidth = FIELD_WIDTH;
        FieldHeight = FIELD_HEIGHT;
        CatcherSize = 64;
        for (int kind = 0; kind < PIECE_KIND_COUNT; ++kind) {
            int frames = kind == KIND_SPECIAL ? SPECIAL_PIECE_FRAMES : PIECE_FRAMES;
            PieceTemplates[kind] =
                PlainSprite(-100, -100, PIECE_SIZE, frames, SPRITE_CYCLE_FRAMES | SPRITE_VISIBLE);
        }
        CatcherSprite = PlainSprite(CATCHER_START_X, CATCHER_START_Y, 64, 140,
                                    SPRITE_SEQUENCES | SPRITE_PLAY_ONCE | SPRITE_VISIBLE);
        BonusSpriteA = PlainSprite(513, 48, 64, 208, SPRITE_SEQUENCES | SPRITE_PLAY_ONCE);
        BonusSpriteB = PlainSprite(513, 48, 64, 130, SPRITE_SEQUENCES | SPRITE_PLAY_ONCE);
        std::memset(SlotEmpty, 0, sizeof SlotEmpty);
        std::memset(FaceLayerSet, 0, sizeof FaceLayerSet);
        EmptySlotCount = RespawnSlot = FramesSinceCatch = FaceScore = RuleSoundCount = 0;
        CodonLength = GameScore = FacesCompleted = FaceExitActive = FaceExitDone = 0;
        for (int slot = 0; slot < PIECE_SLOTS; ++slot) {
            PutPiece(slot, 0, PARK_X, PARK_Y);
        }
        CatcherDirection = DIR_DOWN;
        CatcherActive = RespawnTimerIdle = FaceExitSettled = 1;
        GameState = STATE_PLAY;
        SoundCatch = ID_CATCH;
        SoundFaceNothing = ID_FACE_NOTHING;
        SoundFaceScored = ID_FACE_SCORED;
        SoundBadCodon = ID_BAD_CODON;
        RuleSoundLast = -1;
    }

    void TearDown() override
    {
        KeyboardClear();
        PlatformUseRealClock();
        PlatformShutdown();
        MainWindow = nullptr;
    }
};
