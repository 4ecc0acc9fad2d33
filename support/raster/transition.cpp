// Screen transitions and palette blinkers.
#include "support/raster/transition.h"

#include "graphics/display.h"
#include "support/clock.h"
#include "support/raster/line.h"

#include <algorithm>
#include <array>
#include <cstdlib>

PaletteBlinker PaletteBlinkers[BLINKER_COUNT];

static void PaceStep()
{
    ClockStart();
    ClockWait(TRANSITION_STEP_MS);
}

static uint8_t Lower(uint8_t value, int by)
{
    return static_cast<uint8_t>(std::max(value - by, 0));
}

static uint8_t Raise(uint8_t value, int by)
{
    return static_cast<uint8_t>(std::min(value + by, 255));
}

// Fade to black: channels above 4 lose 3 a step, the rest go to 0. Eighty steps of 3 leave a
// full channel at 15, so the last step takes whatever is left to 0 and the fade really ends black.
static void FadeToBlack(PALETTEENTRY& entry, bool last)
{
    for (uint8_t* channel : {&entry.peRed, &entry.peGreen, &entry.peBlue}) {
        *channel = (!last && *channel > 4) ? static_cast<uint8_t>(*channel - 3) : 0;
    }
}

static void FadeToWhite(PALETTEENTRY& entry)
{
    for (uint8_t* channel : {&entry.peRed, &entry.peGreen, &entry.peBlue}) {
        *channel = Raise(*channel, 4);
    }
}

// Fade towards one primary: it rises by 6 while the other two fall by 4.
static void FadeToward(PALETTEENTRY& entry, uint8_t PALETTEENTRY::*primary)
{
    for (uint8_t PALETTEENTRY::*channel :
         {&PALETTEENTRY::peRed, &PALETTEENTRY::peGreen, &PALETTEENTRY::peBlue}) {
        entry.*channel = channel == primary ? Raise(entry.*channel, 6) : Lower(entry.*channel, 4);
    }
}

// The line and pixel routines of the screen's depth, in colour 0.
struct ScreenPen {
    uint8_t* memory;
    int pitch;
    bool words;

    void Row(int y) const
    {
        words ? DrawHLine16(0, ScreenWidth - 1, y, 0, memory, pitch)
              : DrawHLine8(0, ScreenWidth - 1, y, 0, memory, pitch);
    }
    void Column(int x) const
    {
        words ? DrawVLine16(0, ScreenHeight - 1, x, 0, memory, pitch)
              : DrawVLine8(0, ScreenHeight - 1, x, 0, memory, pitch);
    }
    void Pixel(int x, int y) const
    {
        words ? PlotPixel16(x, y, 0, memory, pitch) : PlotPixel8(x, y, 0, memory, pitch);
    }
};

// Half a size, rounded up: the wipes meet in the middle, and an odd size keeps no middle line
// undrawn. For the even sizes of real screens this is the plain half.
static int HalfUp(int size)
{
    return (size + 1) / 2;
}

// Lines at both ends of the size, i and i + 1 from each.
static void ClosingPair(int i, int size, void (ScreenPen::*line)(int) const, const ScreenPen& pen)
{
    (pen.*line)(size - 1 - i);
    (pen.*line)(i);
    (pen.*line)(size - 2 - i);
    (pen.*line)(i + 1);
}

static void Wipe(int effect, const ScreenPen& pen)
{
    if (effect == TRANSITION_WIPE_TOP_BOTTOM) {
        for (int i = 0; i < HalfUp(ScreenHeight); i += 2) {
            PaceStep();
            ClosingPair(i, ScreenHeight, &ScreenPen::Row, pen);
        }
        return;
    }
    for (int i = 0; i < HalfUp(ScreenWidth); i += 2) {
        PaceStep();
        if (effect == TRANSITION_WIPE_ALL) {
            ClosingPair(i % HalfUp(ScreenHeight), ScreenHeight, &ScreenPen::Row, pen);
        }
        ClosingPair(i, ScreenWidth, &ScreenPen::Column, pen);
    }
}

static void Dissolve(const ScreenPen& pen)
{
    long long count = 4LL * ScreenWidth * ScreenHeight + 1;
    for (long long n = 0; n < count; ++n) {
        int y = std::rand() % ScreenHeight;
        int x = std::rand() % ScreenWidth;
        pen.Pixel(x, y);
    }
}

static int FadeSteps(int effect)
{
    switch (effect) {
        case TRANSITION_FADE_BLACK:
            return 80;
        case TRANSITION_FADE_WHITE:
        case TRANSITION_FADE_BLUE:
        case TRANSITION_FADE_RED:
        case TRANSITION_FADE_GREEN:
            return 64;
        default:
            return 0;
    }
}

int TransitionFadeStep(int effect, PALETTEENTRY* entries, int last)
{
    if (FadeSteps(effect) == 0 || entries == nullptr) {
        return 0;
    }
    // The fade to black leaves entry 0 alone.
    for (int i = effect == TRANSITION_FADE_BLACK ? 1 : 0; i < PALETTE_SIZE; ++i) {
        PALETTEENTRY& entry = entries[i];
        switch (effect) {
            case TRANSITION_FADE_BLACK:
                FadeToBlack(entry, last != 0);
                break;
            case TRANSITION_FADE_WHITE:
                FadeToWhite(entry);
                break;
            case TRANSITION_FADE_BLUE:
                FadeToward(entry, &PALETTEENTRY::peBlue);
                break;
            case TRANSITION_FADE_RED:
                FadeToward(entry, &PALETTEENTRY::peRed);
                break;
            default:
                FadeToward(entry, &PALETTEENTRY::peGreen);
                break;
        }
    }
    return 1;
}

// Each step changes a working copy of the palette, writes it back whole and is paced.
static void FadePalette(int effect)
{
    std::array<PALETTEENTRY, PALETTE_SIZE> work;
    PaletteCopyOut(work.data());
    int steps = FadeSteps(effect);
    for (int step = 1; step <= steps; ++step) {
        TransitionFadeStep(effect, work.data(), step == steps);
        PaletteSetAll(work.data());
        PaceStep();
    }
}

void ScreenTransition(int effect, uint8_t* memory, int pitch)
{
    if (FadeSteps(effect) != 0) {
        FadePalette(effect);
        return;
    }
    if (effect != TRANSITION_WIPE_SIDES && effect != TRANSITION_WIPE_TOP_BOTTOM &&
        effect != TRANSITION_DISSOLVE && effect != TRANSITION_WIPE_ALL) {
        return;
    }
    if ((ScreenBpp != 8 && ScreenBpp != 16) || memory == nullptr || ScreenWidth <= 0 ||
        ScreenHeight <= 0) {
        return;
    }
    ScreenPen pen{memory, pitch, ScreenBpp == 16};
    if (effect == TRANSITION_DISSOLVE) {
        Dissolve(pen);
    } else {
        Wipe(effect, pen);
    }
}

static bool FirstBlinkCall = true;

static void ShowColour(const PaletteBlinker& blinker, const PALETTEENTRY& colour)
{
    PaletteSetDisplayEntries(blinker.colourIndex, 1, &colour);
}

static bool ValidBlinkerId(int id)
{
    return id >= 0 && id < BLINKER_COUNT && PaletteBlinkers[id].state != 0;
}

int PaletteBlink(int command, const PaletteBlinker* blinker, int id)
{
    if (FirstBlinkCall) {
        std::fill(std::begin(PaletteBlinkers), std::end(PaletteBlinkers), PaletteBlinker{});
        FirstBlinkCall = false;
    }
    switch (command) {
        case BLINK_ADD: {
            if (blinker == nullptr || blinker->colourIndex < 0 ||
                blinker->colourIndex >= PALETTE_SIZE) {
                return -1;
            }
            auto* slot = std::find_if(std::begin(PaletteBlinkers), std::end(PaletteBlinkers),
                                      [](const PaletteBlinker& b) { return b.state == 0; });
            if (slot == std::end(PaletteBlinkers)) {
                return -1;
            }
            *slot = *blinker;
            slot->counter = 0;
            slot->state = BLINK_OFF;
            ShowColour(*slot, slot->offColour);
            return static_cast<int>(slot - std::begin(PaletteBlinkers));
        }
        case BLINK_DELETE:
            if (!ValidBlinkerId(id)) {
                return -1;
            }
            PaletteBlinkers[id] = PaletteBlinker{};
            return id;
        case BLINK_UPDATE: {
            if (!ValidBlinkerId(id) || blinker == nullptr) {
                return -1;
            }
            PaletteBlinker& entry = PaletteBlinkers[id];
            entry.onColour = blinker->onColour;
            entry.offColour = blinker->offColour;
            entry.onTime = blinker->onTime;
            entry.offTime = blinker->offTime;
            ShowColour(entry, entry.state == BLINK_ON ? entry.onColour : entry.offColour);
            return id;
        }
        case BLINK_RUN:
            for (PaletteBlinker& entry : PaletteBlinkers) {
                if (entry.state == 0) {
                    continue;
                }
                bool on = entry.state == BLINK_ON;
                if (++entry.counter >= (on ? entry.onTime : entry.offTime)) {
                    entry.counter = 0;
                    entry.state = on ? BLINK_OFF : BLINK_ON;
                    ShowColour(entry, on ? entry.offColour : entry.onColour);
                }
            }
            return 1;
        default:
            return 1;
    }
}
