// The key table behind GetAsyncKeyState: the platform layer keeps it from the key and gamepad
// events it pumps, so a frame can poll whether a key is down without waiting on the message queue.
#pragma once

#include "platform/win_types.h"

#include <cstdint>

// ---- process lifetime ----
// KeyTable[vk] is 1 while the key with that virtual-key code is down, else 0.
extern std::uint8_t KeyTable[VK_KEY_COUNT];
// PadKeyTable[vk] is 1 while a gamepad holds the key (platform/gamepad.cpp keeps it). Apart from
// KeyTable so that letting go on one device never releases a key still held on the other.
extern std::uint8_t PadKeyTable[VK_KEY_COUNT];
// KeyLatched[vk] is 1 from a press of the key until the end of the frame after it, however soon
// the key was let go: a tap shorter than a frame still reaches the frame that polls for it.
extern std::uint8_t KeyLatched[VK_KEY_COUNT];

// The key's state with the top bit (0x8000) set while the keyboard or a gamepad holds it or it is
// latched; 0 for a key that is up or a code outside 0..255.
SHORT GetAsyncKeyState(int vk);

// Marks a key down or up; a press also latches the key. The message pump calls it for every key
// event; tests call it to hold a key without going through SDL.
void KeyboardSetKey(int vk, bool down);

// Marks a key held or let go by the gamepads; a press latches the key as a key press does.
void KeyboardSetPadKey(int vk, bool down);

// Ends the latches: the main loop calls it after each frame, so a key tapped during one screen's
// frame does not carry over into a later one.
void KeyboardEndFrame();

// Releases every key held on the keyboard and every latch. The gamepads' keys stay: SDL still
// reports a pad let go while the window is in the background, and the gamepad module releases
// a pad's keys when it is unplugged or closed.
void KeyboardClear();
