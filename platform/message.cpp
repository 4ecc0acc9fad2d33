// The message queue: a fixed ring of posted messages fed from SDL's events, the program's posts
// and the window timers.
#include "platform/message.h"

#include "platform/gamepad.h"
#include "platform/keyboard.h"
#include "platform/time.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "platform/window_sdl.h"

static MSG Queue[MESSAGE_QUEUE_SIZE]; // ring buffer of waiting messages
static int QueueHead = 0;             // index of the oldest waiting message
static int QueueCount = 0;            // messages waiting
static bool QuitPending = false;      // PostQuitMessage was called and WM_QUIT not yet taken
static int QuitCode = 0;              // the exit code WM_QUIT carries
static void (*AltEnterHandler)() = nullptr;
static void (*ExposeHandler)() = nullptr;

int PauseWhenInactive = 1;
static constexpr int PAUSED_SLEEP_MS = 50;
// Why the window is in the background: its focus went elsewhere, it was minimised, or both.
static constexpr unsigned INACTIVE_UNFOCUSED = 1;
static constexpr unsigned INACTIVE_MINIMISED = 2;
static unsigned WindowInactive = 0;

// Stops or resumes the program's time to match PlatformPaused.
static void FollowPause()
{
    if (PlatformPaused()) {
        PlatformTimeStop();
    } else {
        PlatformTimeResume();
    }
}

bool PlatformPaused()
{
    return PauseWhenInactive != 0 && WindowInactive != 0;
}

void PlatformWaitWhilePaused()
{
    PlatformSleep(PAUSED_SLEEP_MS);
}

static MSG& QueueAt(int i)
{
    return Queue[(QueueHead + i) % MESSAGE_QUEUE_SIZE];
}

static bool QueueAppend(const MSG& m)
{
    if (QueueCount == MESSAGE_QUEUE_SIZE) {
        return false;
    }
    QueueAt(QueueCount) = m;
    ++QueueCount;
    return true;
}

static bool QueuePrepend(const MSG& m)
{
    if (QueueCount == MESSAGE_QUEUE_SIZE) {
        return false;
    }
    QueueHead = (QueueHead + MESSAGE_QUEUE_SIZE - 1) % MESSAGE_QUEUE_SIZE;
    Queue[QueueHead] = m;
    ++QueueCount;
    return true;
}

static void QueueRemoveAt(int index)
{
    for (int i = index; i + 1 < QueueCount; ++i) {
        QueueAt(i) = QueueAt(i + 1);
    }
    --QueueCount;
}

template <typename Match>
static void QueueRemoveIf(Match match)
{
    int kept = 0;
    for (int i = 0; i < QueueCount; ++i) {
        if (!match(QueueAt(i))) {
            QueueAt(kept++) = QueueAt(i);
        }
    }
    QueueCount = kept;
}

static MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MSG{window, message, wParam, lParam, PlatformTicks()};
}

// ---- SDL events into messages ----

static int VirtualKeyOf(const SDL_Keysym& key)
{
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) {
        return 'A' + (key.sym - SDLK_a);
    }
    if (key.sym >= SDLK_0 && key.sym <= SDLK_9) {
        return '0' + (key.sym - SDLK_0);
    }
    switch (key.scancode) {
        case SDL_SCANCODE_BACKSPACE:
            return VK_BACK;
        case SDL_SCANCODE_TAB:
            return VK_TAB;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
            return VK_RETURN;
        case SDL_SCANCODE_LSHIFT:
        case SDL_SCANCODE_RSHIFT:
            return VK_SHIFT;
        case SDL_SCANCODE_LCTRL:
        case SDL_SCANCODE_RCTRL:
            return VK_CONTROL;
        case SDL_SCANCODE_LALT:
        case SDL_SCANCODE_RALT:
            return VK_MENU;
        case SDL_SCANCODE_PAUSE:
            return VK_PAUSE;
        case SDL_SCANCODE_ESCAPE:
            return VK_ESCAPE;
        case SDL_SCANCODE_SPACE:
            return VK_SPACE;
        case SDL_SCANCODE_PAGEUP:
            return VK_PRIOR;
        case SDL_SCANCODE_PAGEDOWN:
            return VK_NEXT;
        case SDL_SCANCODE_END:
            return VK_END;
        case SDL_SCANCODE_HOME:
            return VK_HOME;
        case SDL_SCANCODE_LEFT:
            return VK_LEFT;
        case SDL_SCANCODE_UP:
            return VK_UP;
        case SDL_SCANCODE_RIGHT:
            return VK_RIGHT;
        case SDL_SCANCODE_DOWN:
            return VK_DOWN;
        case SDL_SCANCODE_INSERT:
            return VK_INSERT;
        case SDL_SCANCODE_DELETE:
            return VK_DELETE;
        case SDL_SCANCODE_KP_0:
            return VK_NUMPAD0;
        default:
            break;
    }
    if (key.scancode >= SDL_SCANCODE_KP_1 && key.scancode <= SDL_SCANCODE_KP_9) {
        return VK_NUMPAD0 + 1 + (key.scancode - SDL_SCANCODE_KP_1);
    }
    if (key.scancode >= SDL_SCANCODE_F1 && key.scancode <= SDL_SCANCODE_F12) {
        return VK_F1 + (key.scancode - SDL_SCANCODE_F1);
    }
    return 0;
}

// The window that input goes to: the event's own window, else the main window.
static HWND InputWindow(Uint32 windowId)
{
    HWND window = PlatformWindowFromSdlId(windowId);
    if (window == nullptr && IsWindow(MainWindow)) {
        window = MainWindow;
    }
    return window;
}

static void QueueKey(const SDL_KeyboardEvent& e, bool down)
{
    int vk = VirtualKeyOf(e.keysym);
    if (vk == 0) {
        return;
    }
    KeyboardSetKey(vk, down);
    HWND window = InputWindow(e.windowID);
    if (window == nullptr) {
        return;
    }
    bool alt = (e.keysym.mod & KMOD_ALT) != 0;
    if (down && alt && vk == VK_RETURN) {
        if (!e.repeat && AltEnterHandler != nullptr) {
            AltEnterHandler();
        }
        return;
    }
    // lParam as Windows builds it: repeat count 1, bit 30 set for an auto-repeat, bits 30 and
    // 31 set for a release.
    LPARAM lParam = 1;
    if (e.repeat || !down) {
        lParam |= LPARAM{1} << 30;
    }
    if (!down) {
        lParam |= LPARAM{1} << 31;
    }
    UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    QueueAppend(MakeMessage(window, message, static_cast<WPARAM>(vk), lParam));
}

// Typed text arrives as UTF-8; each printable Latin-1 character becomes one WM_CHAR byte, and
// anything else (control codes, characters beyond Latin-1) is dropped.
static void QueueText(const SDL_TextInputEvent& e)
{
    HWND window = InputWindow(e.windowID);
    if (window == nullptr) {
        return;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(e.text);
    while (*p != 0) {
        unsigned int code;
        int length;
        if (*p < 0x80) {
            code = *p;
            length = 1;
        } else if ((*p & 0xE0) == 0xC0) {
            code = *p & 0x1F;
            length = 2;
        } else if ((*p & 0xF0) == 0xE0) {
            code = *p & 0x0F;
            length = 3;
        } else if ((*p & 0xF8) == 0xF0) {
            code = *p & 0x07;
            length = 4;
        } else {
            ++p; // a stray continuation byte
            continue;
        }
        bool complete = true;
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                complete = false;
                length = i;
                break;
            }
            code = (code << 6) | (p[i] & 0x3F);
        }
        p += length;
        bool printable = (code >= 0x20 && code <= 0x7E) || (code >= 0xA0 && code <= 0xFF);
        if (complete && printable) {
            QueueAppend(MakeMessage(window, WM_CHAR, code, 1));
        }
    }
}

static void QueueWindowEvent(const SDL_WindowEvent& e)
{
    HWND window = PlatformWindowFromSdlId(e.windowID);
    if (window == nullptr) {
        return;
    }
    switch (e.event) {
        case SDL_WINDOWEVENT_CLOSE:
            if (!MessageQueueHas(window, WM_CLOSE, 0)) {
                QueueAppend(MakeMessage(window, WM_CLOSE, 0, 0));
            }
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            if (ExposeHandler != nullptr) {
                ExposeHandler();
            }
            if (!MessageQueueHas(window, WM_PAINT, 0)) {
                QueueAppend(MakeMessage(window, WM_PAINT, 0, 0));
            }
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // Keys released while another window has the focus never reach us.
            KeyboardClear();
            WindowInactive |= INACTIVE_UNFOCUSED;
            FollowPause();
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            WindowInactive &= ~INACTIVE_UNFOCUSED;
            FollowPause();
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            WindowInactive |= INACTIVE_MINIMISED;
            FollowPause();
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            WindowInactive &= ~INACTIVE_MINIMISED;
            FollowPause();
            break;
        default:
            break;
    }
}

static void PumpEvents()
{
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) {
        return;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_KEYDOWN:
                QueueKey(e.key, true);
                break;
            case SDL_KEYUP:
                QueueKey(e.key, false);
                break;
            case SDL_TEXTINPUT:
                QueueText(e.text);
                break;
            case SDL_WINDOWEVENT:
                QueueWindowEvent(e.window);
                break;
            case SDL_CONTROLLERDEVICEADDED:
            case SDL_CONTROLLERDEVICEREMOVED:
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP:
            case SDL_CONTROLLERAXISMOTION:
                GamepadHandleEvent(e);
                break;
            case SDL_QUIT:
                // The desktop asks the program to end (last window closed, or a signal).
                if (IsWindow(MainWindow) && !MessageQueueHas(MainWindow, WM_CLOSE, 0)) {
                    QueueAppend(MakeMessage(MainWindow, WM_CLOSE, 0, 0));
                }
                break;
            default:
                break;
        }
    }
}

// ---- the queue's operations ----

static bool Matches(const MSG& m, HWND window, UINT minMsg, UINT maxMsg)
{
    if (window != nullptr && m.hwnd != window) {
        return false;
    }
    return (minMsg == 0 && maxMsg == 0) || (m.message >= minMsg && m.message <= maxMsg);
}

// A WM_TIMER for every due timer; a timer whose tick still waits gets no second one, and its
// period starts again.
static void PostDueTimers()
{
    HWND window = nullptr;
    UINT_PTR id = 0;
    while (TimerTakeDue(&window, &id)) {
        if (!MessageQueueHas(window, WM_TIMER, id)) {
            PostMessage(window, WM_TIMER, id, 0);
        }
    }
}

BOOL PeekMessage(MSG* msg, HWND window, UINT minMsg, UINT maxMsg, UINT removeFlag)
{
    if (msg == nullptr) {
        return 0;
    }
    PumpEvents();
    PostDueTimers();
    for (int i = 0; i < QueueCount; ++i) {
        if (Matches(QueueAt(i), window, minMsg, maxMsg)) {
            *msg = QueueAt(i);
            if (removeFlag & PM_REMOVE) {
                QueueRemoveAt(i);
            }
            return 1;
        }
    }
    bool quitWanted = (minMsg == 0 && maxMsg == 0) || (WM_QUIT >= minMsg && WM_QUIT <= maxMsg);
    if (QuitPending && quitWanted) {
        *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(QuitCode), 0);
        if (removeFlag & PM_REMOVE) {
            QuitPending = false;
        }
        return 1;
    }
    return 0;
}

BOOL TranslateMessage(const MSG* msg)
{
    if (msg == nullptr || msg->message != WM_KEYDOWN) {
        return 0;
    }
    WPARAM ch;
    switch (msg->wParam) {
        case VK_RETURN:
            ch = 13;
            break;
        case VK_BACK:
            ch = 8;
            break;
        case VK_ESCAPE:
            ch = 27;
            break;
        default:
            return 0;
    }
    return QueuePrepend(MakeMessage(msg->hwnd, WM_CHAR, ch, msg->lParam)) ? 1 : 0;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC procedure = PlatformWindowProcedure(window);
    return procedure != nullptr ? procedure(window, message, wParam, lParam) : 0;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (msg == nullptr) {
        return 0;
    }
    return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != nullptr && !IsWindow(window)) {
        return 0;
    }
    return QueueAppend(MakeMessage(window, message, wParam, lParam)) ? 1 : 0;
}

void PostQuitMessage(int exitCode)
{
    // The quit takes its place in the queue behind what is already waiting, so a frame that
    // keeps posting messages (Escape held down posts WM_DESTROY every frame) cannot hold it off.
    // Only when the queue is full does it wait, as a flag, for the queue to empty.
    if (!QueueAppend(MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0))) {
        QuitPending = true;
        QuitCode = exitCode;
    }
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    if (!TimerStop(window, id)) {
        return 0;
    }
    QueueRemoveIf(
        [&](const MSG& m) { return m.hwnd == window && m.message == WM_TIMER && m.wParam == id; });
    return 1;
}

BOOL DestroyWindow(HWND window)
{
    if (!IsWindow(window)) {
        return 0;
    }
    SendMessage(window, WM_DESTROY, 0, 0);
    if (IsWindow(window)) {
        TimerStopAll(window);
        QueueRemoveIf([&](const MSG& m) { return m.hwnd == window; });
        PlatformWindowClose(window);
    }
    return 1;
}

void PlatformShutdown()
{
    PlatformWindowShutdown(); // the windows go without messages
    TimerStopAll(nullptr);
    MessageQueueClear();
    PlatformSetAltEnterHandler(nullptr);
    PlatformSetExposeHandler(nullptr);
    KeyboardClear();
    GamepadStop();
}

LRESULT DefWindowProc(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        DestroyWindow(window);
    }
    return 0;
}

struct PlatformDeviceContext {
    int unused;
};
static PlatformDeviceContext PaintContext{}; // what BeginPaint hands out; nothing draws on it

HDC BeginPaint(HWND window, PAINTSTRUCT* paint)
{
    RECT area{};
    if (!GetWindowRect(window, &area)) {
        return nullptr;
    }
    if (paint != nullptr) {
        paint->hdc = &PaintContext;
        paint->fErase = 0;
        paint->rcPaint = RECT{0, 0, area.right - area.left, area.bottom - area.top};
    }
    return &PaintContext;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT*)
{
    return IsWindow(window);
}

void PlatformSetAltEnterHandler(void (*handler)())
{
    AltEnterHandler = handler;
}

void PlatformSetExposeHandler(void (*handler)())
{
    ExposeHandler = handler;
}

bool MessageQueueHas(HWND window, UINT message, WPARAM wParam)
{
    for (int i = 0; i < QueueCount; ++i) {
        const MSG& m = QueueAt(i);
        if (m.hwnd == window && m.message == message && m.wParam == wParam) {
            return true;
        }
    }
    return false;
}

void MessageQueueClear()
{
    QueueHead = 0;
    QueueCount = 0;
    QuitPending = false;
    QuitCode = 0;
    WindowInactive = 0;
    PlatformTimeResume();
}
