// The virtual-key table read by GetAsyncKeyState.
#include "platform/keyboard.h"

#include <cstring>

std::uint8_t KeyTable[VK_KEY_COUNT] = {};
std::uint8_t PadKeyTable[VK_KEY_COUNT] = {};
std::uint8_t KeyLatched[VK_KEY_COUNT] = {};

SHORT GetAsyncKeyState(int vk)
{
    if (vk < 0 || vk >= VK_KEY_COUNT) {
        return 0;
    }
    return KeyTable[vk] || PadKeyTable[vk] || KeyLatched[vk] ? static_cast<SHORT>(0x8000) : 0;
}

// Holds or lets go of a key in one device's table, latching a press.
static void SetKeyIn(std::uint8_t* table, int vk, bool down)
{
    if (vk < 0 || vk >= VK_KEY_COUNT) {
        return;
    }
    table[vk] = down ? 1 : 0;
    if (down) {
        KeyLatched[vk] = 1;
    }
}

void KeyboardSetKey(int vk, bool down)
{
    SetKeyIn(KeyTable, vk, down);
}

void KeyboardSetPadKey(int vk, bool down)
{
    SetKeyIn(PadKeyTable, vk, down);
}

void KeyboardEndFrame()
{
    std::memset(KeyLatched, 0, sizeof KeyLatched);
}

void KeyboardClear()
{
    std::memset(KeyTable, 0, sizeof KeyTable);
    KeyboardEndFrame();
}
