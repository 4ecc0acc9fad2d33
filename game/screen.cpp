// The keys every screen polls: held keys and the Escape that ends the program.
#include "game/screen.h"

#include "platform/keyboard.h"
#include "platform/message.h"
#include "platform/window.h"

bool ScreenKeyDown(int vk)
{
    return (GetAsyncKeyState(vk) & 0x8000) != 0;
}

void ScreenEndOnEscape()
{
    if (ScreenKeyDown(VK_ESCAPE)) {
        PostMessage(MainWindow, WM_DESTROY, 0, 0);
    }
}
