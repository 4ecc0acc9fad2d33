// Gamepads played like the keyboard: SDL's game controllers, opened as they are plugged in, hold
// the arrow keys, Space and Escape in the key table (platform/keyboard.h) from their events.
#pragma once

#include <SDL.h>

// At most this many pads are open at once; one plugged in beyond them is left alone.
constexpr int GAMEPAD_MAX = 4;
// How far the left stick (of 32767) must lean to press an arrow key, and how far back towards
// the middle it must come to let go of it: the gap keeps a stick resting near the edge of the dead
// zone from tapping the key over and over.
constexpr int GAMEPAD_STICK_PRESS = 12000;
constexpr int GAMEPAD_STICK_RELEASE = 10000;

// ---- for the platform layer itself ----
// Starts SDL's game-controller subsystem, unless it runs already, and opens every pad present.
// The window calls it when SDL's video starts; the game plays on the keyboard alone when it
// fails (0).
int GamepadStart();
// Closes every pad, lets go of the keys they held and stops the subsystem when GamepadStart
// started it. PlatformShutdown calls it.
void GamepadStop();
// The message pump hands over SDL's controller events: a pad added (opened) or removed (closed,
// its keys let go), a button down or up, an axis moved. Pads make no messages, so typing a name
// stays on the keyboard; other events are ignored.
void GamepadHandleEvent(const SDL_Event& e);
