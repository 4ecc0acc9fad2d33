// The entry point and the main loop.
#include "app/winmain.h"

#include "app/window_proc.h"
#include "game/front_screens.h"
#include "game/play.h"
#include "game/score_screen.h"
#include "game/setup.h"
#include "game/world.h"
#include "platform/keyboard.h"
#include "platform/message.h"
#include "platform/window.h"
#include "sound/sound.h"
#include "support/error_log.h"

void (*MainLoopPassHook)() = nullptr;

static constexpr const char* WINDOW_CLASS_NAME = "WINCLASS1";
// What the desktop shows in the title bar, the task list and the window switcher.
static constexpr const char* WINDOW_TITLE = "HELIX DASH";
static constexpr int WINDOW_WIDTH = 640;
static constexpr int WINDOW_HEIGHT = 480;
// The most messages one pass handles before its frame: more than a full queue holds.
static constexpr int MESSAGES_PER_PASS_MAX = 2 * MESSAGE_QUEUE_SIZE;

// One frame of the screen that GameState names. The score screen runs first and the others test
// GameState as it stands after it; since nothing leaves the score screen, one frame runs a pass.
static void RunScreenFrame()
{
    if (GameState == STATE_SCORES) {
        ScoreScreenFrame();
    }
    if (GameState == STATE_PLAY) {
        PlayFrame();
    } else if (GameState == STATE_TITLE) {
        TitleFrame();
    } else if (GameState == STATE_OPENING) {
        OpeningFrame();
    }
}

int WinMain(HINSTANCE instance, HINSTANCE, char*, int)
{
    WNDCLASSEX windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEX);
    windowClass.style = CS_DBLCLKS | CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIcon(instance, ICON_RESOURCE_HELIX);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetStockObject(BLACK_BRUSH);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = WINDOW_CLASS_NAME;
    windowClass.hIconSm = LoadIcon(instance, ICON_RESOURCE_HELIX);
    if (RegisterClassEx(&windowClass) == 0) {
        return 0;
    }

    HWND window = CreateWindowEx(0, WINDOW_CLASS_NAME, WINDOW_TITLE, WS_POPUP | WS_VISIBLE, 0, 0,
                                 WINDOW_WIDTH, WINDOW_HEIGHT, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 0;
    }
    MainWindow = window;

    // A set-up that could not build the game has told the player why; nothing of it may be
    // drawn, so what was made is released and the program ends.
    if (GameInit() == SETUP_FAILED) {
        GameShutdown();
        return EXIT_CANNOT_START;
    }

    // Each pass handles every message waiting before its frame, in order, so typing and the quit
    // never queue up behind each other; the bound only keeps a frame from waiting for ever on a
    // procedure that posts as fast as it handles.
    MSG msg{};
    bool paused = false;
    for (;;) {
        bool quit = false;
        for (int handled = 0; handled < MESSAGES_PER_PASS_MAX; ++handled) {
            if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                break;
            }
            if (msg.message == WM_QUIT) {
                quit = true;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (quit) {
            break;
        }
        if (PlatformPaused() != paused) {
            paused = PlatformPaused();
            SoundPauseAll(paused ? 1 : 0);
        }
        if (paused) {
            // The window is in the background: no frame, no game time, no sound, next to no
            // processor.
            PlatformWaitWhilePaused();
        } else {
            RunScreenFrame();
            // A tap reaches exactly the frame after it, never a later screen.
            KeyboardEndFrame();
        }
        if (MainLoopPassHook != nullptr) {
            MainLoopPassHook();
        }
    }

    GameShutdown();
    return static_cast<int>(msg.wParam);
}
