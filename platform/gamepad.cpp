// Open game controllers and what their D-pads, buttons and left sticks hold in the key table.
#include "platform/gamepad.h"

#include "platform/keyboard.h"
#include "platform/win_types.h"

#include <cstdint>
#include <cstdlib>

struct GamepadSlot {
    SDL_GameController* controller; // nullptr while the slot is free
    SDL_JoystickID id;              // the pad's instance id, which its events carry
    std::uint32_t buttons;          // bit b set while SDL_CONTROLLER_BUTTON b is down
    std::uint8_t stick;             // STICK_ bits of the arrows the left stick presses
};

static_assert(SDL_CONTROLLER_BUTTON_MAX <= 32, "a pad's buttons are bits of one 32-bit word");

static GamepadSlot Pads[GAMEPAD_MAX];
static bool StartedHere = false; // GamepadStart started SDL's game-controller subsystem

static constexpr std::uint8_t STICK_LEFT = 1;
static constexpr std::uint8_t STICK_RIGHT = 2;
static constexpr std::uint8_t STICK_UP = 4;
static constexpr std::uint8_t STICK_DOWN = 8;

static constexpr std::uint32_t ButtonBit(SDL_GameControllerButton button)
{
    return std::uint32_t{1} << button;
}

// A key the pads press, and what holds it: any of these buttons, or the stick leaning that way.
struct PadKey {
    int vk;
    std::uint32_t buttons;
    std::uint8_t stick;
};
static constexpr PadKey PAD_KEYS[] = {
    {VK_LEFT, ButtonBit(SDL_CONTROLLER_BUTTON_DPAD_LEFT), STICK_LEFT},
    {VK_RIGHT, ButtonBit(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), STICK_RIGHT},
    {VK_UP, ButtonBit(SDL_CONTROLLER_BUTTON_DPAD_UP), STICK_UP},
    {VK_DOWN, ButtonBit(SDL_CONTROLLER_BUTTON_DPAD_DOWN), STICK_DOWN},
    {VK_SPACE, ButtonBit(SDL_CONTROLLER_BUTTON_A) | ButtonBit(SDL_CONTROLLER_BUTTON_START), 0},
    {VK_ESCAPE, ButtonBit(SDL_CONTROLLER_BUTTON_BACK), 0},
};

// Brings the pads' key table in line with what the open pads hold. Only a change is passed on,
// so a key already held by another button or pad is not pressed (and latched) again.
static void UpdateKeys()
{
    for (const PadKey& key : PAD_KEYS) {
        bool held = false;
        for (const GamepadSlot& pad : Pads) {
            held = held || (pad.buttons & key.buttons) != 0 || (pad.stick & key.stick) != 0;
        }
        if (held != (PadKeyTable[key.vk] != 0)) {
            KeyboardSetPadKey(key.vk, held);
        }
    }
}

static GamepadSlot* FindPad(SDL_JoystickID id)
{
    for (GamepadSlot& pad : Pads) {
        if (pad.controller != nullptr && pad.id == id) {
            return &pad;
        }
    }
    return nullptr;
}

// Opens the pad at SDL's device index, unless it is open already (the pads present at the start
// are announced again by events) or every slot is taken.
static void OpenPad(int deviceIndex)
{
    if (!SDL_IsGameController(deviceIndex)) {
        return;
    }
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || FindPad(id) != nullptr) {
        return;
    }
    for (GamepadSlot& pad : Pads) {
        if (pad.controller == nullptr) {
            pad.controller = SDL_GameControllerOpen(deviceIndex);
            pad.id = id;
            pad.buttons = 0;
            pad.stick = 0;
            return;
        }
    }
}

static void ClosePad(GamepadSlot& pad)
{
    SDL_GameControllerClose(pad.controller);
    pad = GamepadSlot{};
}

// The stick bit of one axis: a lean beyond GAMEPAD_STICK_PRESS presses the arrow that way, and
// an arrow already pressed holds until the stick is back inside GAMEPAD_STICK_RELEASE.
static std::uint8_t StickLean(int value, std::uint8_t held, std::uint8_t negative,
                              std::uint8_t positive)
{
    const std::uint8_t way = value < 0 ? negative : positive;
    const int edge = (held & way) != 0 ? GAMEPAD_STICK_RELEASE : GAMEPAD_STICK_PRESS;
    return std::abs(value) > edge ? way : 0;
}

static void MoveAxis(GamepadSlot& pad, const SDL_ControllerAxisEvent& e)
{
    if (e.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        pad.stick = (pad.stick & ~(STICK_LEFT | STICK_RIGHT)) |
                    StickLean(e.value, pad.stick, STICK_LEFT, STICK_RIGHT);
    } else if (e.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        // SDL's y axis grows downwards.
        pad.stick = (pad.stick & ~(STICK_UP | STICK_DOWN)) |
                    StickLean(e.value, pad.stick, STICK_UP, STICK_DOWN);
    }
}

int GamepadStart()
{
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
            return 0;
        }
        StartedHere = true;
    }
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        OpenPad(i);
    }
    return 1;
}

void GamepadStop()
{
    for (GamepadSlot& pad : Pads) {
        if (pad.controller != nullptr) {
            ClosePad(pad);
        }
    }
    UpdateKeys();
    if (StartedHere) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        StartedHere = false;
    }
}

void GamepadHandleEvent(const SDL_Event& e)
{
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
            OpenPad(e.cdevice.which); // here a device index, not an instance id
            return;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (GamepadSlot* pad = FindPad(e.cdevice.which)) {
                ClosePad(*pad);
            }
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (GamepadSlot* pad = FindPad(e.cbutton.which)) {
                if (e.cbutton.button < SDL_CONTROLLER_BUTTON_MAX) {
                    const std::uint32_t bit = std::uint32_t{1} << e.cbutton.button;
                    pad->buttons = e.type == SDL_CONTROLLERBUTTONDOWN ? pad->buttons | bit
                                                                      : pad->buttons & ~bit;
                }
            }
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (GamepadSlot* pad = FindPad(e.caxis.which)) {
                MoveAxis(*pad, e.caxis);
            }
            break;
        default:
            return;
    }
    UpdateKeys();
}
