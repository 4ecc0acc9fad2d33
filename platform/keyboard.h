// The key table behind GetAsyncKeyState: the platform layer keeps it from the key events it pumps,
// so a frame can poll whether a key is down without waiting on the message queue.
#pragma once

#include "platform/win_types.h"

#include <cstdint>

// ---- process lifetime ----
// KeyTable[vk] is 1 while the key with that virtual-key code is down, else 0.
extern std::uint8_t KeyTable[VK_KEY_COUNT];

// The key's state with the top bit (0x8000) set while it is down; 0 for a key that is up or a
// code outside 0..255.
SHORT GetAsyncKeyState(int vk);

// Marks a key down or up. The message pump calls it for every key event; tests call it to hold
// a key without going through SDL.
void KeyboardSetKey(int vk, bool down);

// Releases every key.
void KeyboardClear();
