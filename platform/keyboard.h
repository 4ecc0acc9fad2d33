// The key table behind GetAsyncKeyState: the platform layer keeps it from the key events it pumps,
// so a frame can poll whether a key is down without waiting on the message queue.
#pragma once

#include "platform/win_types.h"

#include <cstdint>

// ---- process lifetime ----
// KeyTable[vk] is 1 while the key with that virtual-key code is down, else 0.
extern std::uint8_t KeyTable[VK_KEY_COUNT];
// KeyLatched[vk] is 1 from a press of the key until the end of the frame after it, however soon
// the key was let go: a tap shorter than a frame still reaches the frame that polls for it.
extern std::uint8_t KeyLatched[VK_KEY_COUNT];

// The key's state with the top bit (0x8000) set while it is down or latched; 0 for a key that is
// up or a code outside 0..255.
SHORT GetAsyncKeyState(int vk);

// Marks a key down or up; a press also latches the key. The message pump calls it for every key
// event; tests call it to hold a key without going through SDL.
void KeyboardSetKey(int vk, bool down);

// Ends the latches: the main loop calls it after each frame, so a key tapped during one screen's
// frame does not carry over into a later one.
void KeyboardEndFrame();

// Releases every key and latch.
void KeyboardClear();
