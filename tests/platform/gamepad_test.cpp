// Tests of the gamepads: a virtual pad's buttons and left stick pressing keys in the key table,
// and pads plugged in and out while the game runs.
#include "platform_fixture.h"

#include "platform/gamepad.h"
#include "platform/keyboard.h"

#include <SDL.h>

#include <vector>

namespace {

// The keys a pad can press that are down now, lowest code first.
std::vector<int> PadKeysDown()
{
    std::vector<int> down;
    for (int vk : {VK_ESCAPE, VK_SPACE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) {
        if (GetAsyncKeyState(vk) != 0) {
            down.push_back(vk);
        }
    }
    return down;
}

} // namespace

class GamepadTest : public PlatformTest {
protected:
    void TearDown() override
    {
        PlatformTest::TearDown();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK); // the test's own start; its end unplugs the pads
        SDL_ResetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS);
    }

    // Plugs in a virtual pad that SDL maps as a game controller with the standard buttons and
    // axes. Returns its device index, or -1.
    static int PlugPad()
    {
        // The dummy video driver never gives its window the keyboard focus, and SDL drops a
        // pad's presses while the program has no focus.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        return SDL_JoystickAttachVirtualEx(&desc);
    }
    // Takes what the pad did off the queue (a pad makes no messages) and ends the frame.
    static void EndFrame()
    {
        EXPECT_EQ(Take().message, 0u);
        KeyboardEndFrame();
    }
    // The pad at a device index once the game has seen it come; nullptr while it has not opened it.
    static SDL_Joystick* OpenedPad(int index)
    {
        Take();
        return SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
    }
};

TEST_F(GamepadTest, PadsHoldTheGameKeysApartFromTheKeyboardAndLetGoWhenUnplugged)
{
    // Joysticks run from before the window, so this pad is there when the game starts.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    const int first = PlugPad();
    ASSERT_GE(first, 0) << SDL_GetError();
    ASSERT_NE(MakeWindow(), nullptr);
    SDL_Joystick* pad = OpenedPad(first);
    ASSERT_NE(pad, nullptr) << "a pad present at the start is opened with the window";
    const auto button = [pad](int b, bool down) { SDL_JoystickSetVirtualButton(pad, b, down); };
    const auto stick = [pad](int axis, int lean) { SDL_JoystickSetVirtualAxis(pad, axis, lean); };

    constexpr int STICK = -1; // the case leans the stick rather than pressing a button
    struct {
        int button;
        int axis;
        int lean;
        std::vector<int> keys;
    } const cases[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0, 0, {VK_LEFT}},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0, 0, {VK_RIGHT}},
        {SDL_CONTROLLER_BUTTON_START, 0, 0, {VK_SPACE}},
        {SDL_CONTROLLER_BUTTON_BACK, 0, 0, {VK_ESCAPE}},
        {SDL_CONTROLLER_BUTTON_B, 0, 0, {}},
        {STICK, SDL_CONTROLLER_AXIS_LEFTX, -20000, {VK_LEFT}},
        {STICK, SDL_CONTROLLER_AXIS_LEFTY, -32768, {VK_UP}},
        {STICK, SDL_CONTROLLER_AXIS_LEFTX, -11000, {}}, // inside the dead zone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "button " << c.button << " axis " << c.axis);
        c.button != STICK ? button(c.button, true) : stick(c.axis, c.lean);
        EndFrame();
        EXPECT_EQ(PadKeysDown(), c.keys);
        c.button != STICK ? button(c.button, false) : stick(c.axis, 0);
        EndFrame();
        EXPECT_EQ(PadKeysDown(), std::vector<int>{}) << "let go";
    }

    // Once past the dead zone the stick holds its arrow until it is well back inside, so a stick
    // resting near the edge does not tap the key over and over.
    for (auto [lean, held] : {std::pair{13000, true}, {11000, true}, {9000, false}}) {
        stick(SDL_CONTROLLER_AXIS_LEFTX, lean);
        EndFrame();
        EXPECT_EQ(GetAsyncKeyState(VK_RIGHT) != 0, held) << lean;
    }

    // The pad letting go leaves a key held on the keyboard down.
    KeyboardSetKey(VK_LEFT, true);
    button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EndFrame();
    button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    EndFrame();
    EXPECT_EQ(PadKeysDown(), std::vector{VK_LEFT});
    KeyboardSetKey(VK_LEFT, false);

    // Pads come and go more often than there are places for open pads: each one unplugged gives
    // its place back.
    for (int i = 0; i < GAMEPAD_MAX; ++i) {
        const int passing = PlugPad();
        OpenedPad(passing);
        SDL_JoystickDetachVirtual(passing);
        Take();
    }
    SDL_Joystick* other = OpenedPad(PlugPad());
    ASSERT_NE(other, nullptr) << "a pad plugged in while the game runs is opened";

    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(other, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_PRESSED);
    Take();
    EXPECT_EQ(PadKeysDown(), (std::vector{VK_ESCAPE, VK_UP, VK_RIGHT}));
    SDL_JoystickDetachVirtual(first);
    EndFrame();
    EXPECT_EQ(PadKeysDown(), std::vector{VK_UP}) << "the other pad still holds its key";
    PlatformShutdown();
    EXPECT_EQ(PadKeysDown(), std::vector<int>{}) << "closing the pads lets go of their keys";
}
