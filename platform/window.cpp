// Window classes and the SDL window behind an HWND.
#include "platform/window.h"

#include "platform/gamepad.h"
#include "platform/icon.h"
#include "platform/window_sdl.h"

#include <cstdio>
#include <cstring>

struct PlatformInstanceRecord {
    int unused;
};
struct PlatformCursor {
    int id;
};
struct PlatformBrush {
    int id;
};
struct PlatformWindow {
    bool alive;
    SDL_Window* sdl;
    WNDPROC procedure;
};

struct ClassRecord {
    bool used;
    WNDCLASSEX record;
    char name[64]; // the record's lpszClassName points here
};

HWND MainWindow = nullptr;

static PlatformInstanceRecord TheInstance{};
static PlatformCursor ArrowCursor{IDC_ARROW};
static PlatformBrush BlackBrush{BLACK_BRUSH};
static ClassRecord Classes[PLATFORM_MAX_CLASSES];
static PlatformWindow Windows[PLATFORM_MAX_WINDOWS];
static bool VideoStartedHere = false;  // SDL video was started by CreateWindowEx
static char WindowErrorText[256] = ""; // why the latest CreateWindowEx made no window
static int CursorCount = 0;            // ShowCursor's display count

HINSTANCE PlatformInstance()
{
    return &TheInstance;
}

static ClassRecord* FindClass(const char* name)
{
    if (name == nullptr) {
        return nullptr;
    }
    for (ClassRecord& c : Classes) {
        if (c.used && std::strcmp(c.name, name) == 0) {
            return &c;
        }
    }
    return nullptr;
}

ATOM RegisterClassEx(const WNDCLASSEX* windowClass)
{
    if (windowClass == nullptr || windowClass->cbSize != sizeof(WNDCLASSEX) ||
        windowClass->lpfnWndProc == nullptr || windowClass->lpszClassName == nullptr ||
        windowClass->lpszClassName[0] == '\0' ||
        std::strlen(windowClass->lpszClassName) >= sizeof(ClassRecord::name) ||
        FindClass(windowClass->lpszClassName) != nullptr) {
        return 0;
    }
    for (int i = 0; i < PLATFORM_MAX_CLASSES; ++i) {
        ClassRecord& c = Classes[i];
        if (!c.used) {
            c.used = true;
            c.record = *windowClass;
            std::strcpy(c.name, windowClass->lpszClassName);
            c.record.lpszClassName = c.name;
            c.record.lpszMenuName = nullptr;
            return static_cast<ATOM>(0xC000 + i);
        }
    }
    return 0;
}

BOOL UnregisterClass(const char* className, HINSTANCE)
{
    ClassRecord* c = FindClass(className);
    if (c == nullptr) {
        return 0;
    }
    c->used = false;
    return 1;
}

BOOL GetClassInfoEx(HINSTANCE, const char* className, WNDCLASSEX* out)
{
    const ClassRecord* c = FindClass(className);
    if (c == nullptr || out == nullptr) {
        return 0;
    }
    *out = c->record;
    return 1;
}

static HWND RefuseWindow(const char* why)
{
    std::snprintf(WindowErrorText, sizeof WindowErrorText, "%s", why);
    return nullptr;
}

// Whether SDL settled on a video driver that shows nothing (its offscreen or dummy driver) on
// its own, because no display answered; one the user named in SDL_VIDEODRIVER is meant.
static bool VideoDriverShowsNothing()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) {
        return true;
    }
    if (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0) {
        return false;
    }
    const char* named = SDL_GetHint(SDL_HINT_VIDEODRIVER); // the environment, or a hint
    return named == nullptr || std::strstr(named, driver) == nullptr;
}

static bool StartVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        RefuseWindow(SDL_GetError());
        return false;
    }
    if (VideoDriverShowsNothing()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        RefuseWindow(PLATFORM_NO_DISPLAY);
        return false;
    }
    VideoStartedHere = true;
    return true;
}

const char* PlatformWindowError()
{
    return WindowErrorText;
}

HWND CreateWindowEx(DWORD, const char* className, const char* title, DWORD style, int x, int y,
                    int width, int height, HWND, void*, HINSTANCE, void*)
{
    WindowErrorText[0] = '\0';
    const ClassRecord* c = FindClass(className);
    if (c == nullptr || width <= 0 || height <= 0) {
        return RefuseWindow("no such window class, or no size");
    }
    PlatformWindow* window = nullptr;
    for (PlatformWindow& w : Windows) {
        if (!w.alive) {
            window = &w;
            break;
        }
    }
    if (window == nullptr) {
        return RefuseWindow("too many windows");
    }
    if (!StartVideo()) {
        return nullptr;
    }
    // The pads start with the video, so their events come through the same pump from the first
    // frame; without them the game plays on the keyboard alone.
    GamepadStart();
    Uint32 flags = (style & WS_VISIBLE) ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
    if (style & WS_POPUP) {
        flags |= SDL_WINDOW_BORDERLESS;
    }
    SDL_Window* sdl = SDL_CreateWindow(title ? title : "", x, y, width, height, flags);
    if (sdl == nullptr) {
        return RefuseWindow(SDL_GetError());
    }
    if (SDL_Surface* icon = PlatformIconSurface(c->record.hIcon)) {
        SDL_SetWindowIcon(sdl, icon);
    }
    SDL_ShowCursor(CursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    SDL_StartTextInput();
    window->alive = true;
    window->sdl = sdl;
    window->procedure = c->record.lpfnWndProc;
    // As on Windows, a procedure that answers WM_CREATE with -1 refuses the window, which then
    // gets its WM_DESTROY and goes.
    if (window->procedure(window, WM_CREATE, 0, 0) == -1) {
        window->procedure(window, WM_DESTROY, 0, 0);
        PlatformWindowClose(window);
        return RefuseWindow("the window procedure refused the window");
    }
    return window;
}

BOOL IsWindow(HWND window)
{
    for (const PlatformWindow& w : Windows) {
        if (&w == window) {
            return w.alive ? 1 : 0;
        }
    }
    return 0;
}

static void (*WindowCloseHandler)(SDL_Window*) = nullptr;

void PlatformSetWindowCloseHandler(void (*handler)(SDL_Window* window))
{
    WindowCloseHandler = handler;
}

void PlatformWindowClose(HWND window)
{
    if (!IsWindow(window)) {
        return;
    }
    if (WindowCloseHandler != nullptr) {
        WindowCloseHandler(window->sdl);
    }
    SDL_DestroyWindow(window->sdl);
    window->sdl = nullptr;
    window->alive = false;
    window->procedure = nullptr;
}

BOOL GetWindowRect(HWND window, RECT* rect)
{
    if (!IsWindow(window) || rect == nullptr) {
        return 0;
    }
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window->sdl, &x, &y);
    SDL_GetWindowSize(window->sdl, &w, &h);
    *rect = RECT{x, y, x + w, y + h};
    return 1;
}

HICON LoadIcon(HINSTANCE, int resourceId)
{
    return resourceId == ICON_RESOURCE_HELIX ? IconHelix() : nullptr;
}

HCURSOR LoadCursor(HINSTANCE, int cursorId)
{
    return cursorId == IDC_ARROW ? &ArrowCursor : nullptr;
}

HBRUSH GetStockObject(int object)
{
    return object == BLACK_BRUSH ? &BlackBrush : nullptr;
}

int ShowCursor(BOOL show)
{
    CursorCount += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        SDL_ShowCursor(CursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    }
    return CursorCount;
}

WNDPROC PlatformWindowProcedure(HWND window)
{
    return IsWindow(window) ? window->procedure : nullptr;
}

SDL_Window* PlatformSdlWindow(HWND window)
{
    return IsWindow(window) ? window->sdl : nullptr;
}

HWND PlatformWindowFromSdlId(Uint32 windowId)
{
    for (PlatformWindow& w : Windows) {
        if (w.alive && SDL_GetWindowID(w.sdl) == windowId) {
            return &w;
        }
    }
    return nullptr;
}

void PlatformWindowShutdown()
{
    for (PlatformWindow& w : Windows) {
        PlatformWindowClose(&w);
    }
    for (ClassRecord& c : Classes) {
        c.used = false;
    }
    PlatformSetWindowCloseHandler(nullptr);
    IconRelease();
    MainWindow = nullptr;
    CursorCount = 0;
    if (VideoStartedHere) {
        SDL_StopTextInput();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        VideoStartedHere = false;
    }
}
