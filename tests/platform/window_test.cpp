// Tests of the window stand-ins: class registration, window creation and destruction, the
// built-in icon and the cursor count.
#include "platform_fixture.h"

#include "platform/timer.h"
#include "platform/window_sdl.h"

#include <cstdlib>
#include <cstring>
#include <set>

using WindowTest = PlatformTest;

TEST_F(WindowTest, RegisterClassKeepsItsRecordAndRefusesBadOnes)
{
    EXPECT_EQ(RegisterClassEx(nullptr), 0);
    for (auto spoil :
         {+[](WNDCLASSEX& c) { c.cbSize -= 4; }, +[](WNDCLASSEX& c) { c.lpfnWndProc = nullptr; },
          +[](WNDCLASSEX& c) { c.lpszClassName = nullptr; },
          +[](WNDCLASSEX& c) { c.lpszClassName = ""; }}) {
        WNDCLASSEX bad = TestClass();
        spoil(bad);
        EXPECT_EQ(RegisterClassEx(&bad), 0);
    }

    // The caller's name buffer goes out of scope in real code; the record must keep its own copy.
    char name[16];
    std::strcpy(name, TEST_CLASS);
    WNDCLASSEX good = TestClass();
    good.lpszClassName = name;
    EXPECT_NE(RegisterClassEx(&good), 0);
    EXPECT_EQ(RegisterClassEx(&good), 0) << "a second class of the same name";
    std::strcpy(name, "overwritten");

    WNDCLASSEX stored{};
    ASSERT_EQ(GetClassInfoEx(PlatformInstance(), TEST_CLASS, &stored), 1);
    const WNDCLASSEX expected = TestClass();
    EXPECT_EQ(stored.style, 0x2Bu);
    EXPECT_EQ(std::memcmp(&stored, &expected, offsetof(WNDCLASSEX, lpszMenuName)), 0);
    EXPECT_STREQ(stored.lpszClassName, TEST_CLASS);
    EXPECT_EQ(GetClassInfoEx(PlatformInstance(), "overwritten", &stored), 0);

    // Once unregistered, the name is free again.
    EXPECT_EQ(UnregisterClass(TEST_CLASS, PlatformInstance()), 1);
    EXPECT_EQ(GetClassInfoEx(PlatformInstance(), TEST_CLASS, &stored), 0);
    EXPECT_NE(RegisterClassEx(&expected), 0);
}

TEST_F(WindowTest, WmCreateReachesTheProcedureBeforeCreateReturns)
{
    EXPECT_EQ(Create("NoSuchClass"), nullptr);
    EXPECT_EQ(Create(nullptr), nullptr);
    WNDCLASSEX c = TestClass();
    ASSERT_NE(RegisterClassEx(&c), 0);
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(Received.empty());
    EXPECT_EQ(Received.front().message, WM_CREATE);
    EXPECT_EQ(Received.front().window, window);
    EXPECT_EQ(IsWindow(window), 1);
    EXPECT_NE(PlatformSdlWindow(window), nullptr);
    RECT area{};
    ASSERT_EQ(GetWindowRect(window, &area), 1);
    EXPECT_EQ(area.right - area.left, 640);
    EXPECT_EQ(area.bottom - area.top, 480);
}

TEST_F(WindowTest, MinusOneFromWmCreateRefusesTheWindowAndFreesItsPlace)
{
    WNDCLASSEX c = TestClass();
    ASSERT_NE(RegisterClassEx(&c), 0);
    CreateAnswer = -1;
    EXPECT_EQ(Create(), nullptr);
    ASSERT_FALSE(Received.empty());
    EXPECT_EQ(Received.front().message, WM_CREATE);
    EXPECT_EQ(IsWindow(Received.front().window), 0);

    // A refused window must not keep one of the few window places.
    CreateAnswer = 0;
    for (int i = 0; i < PLATFORM_MAX_WINDOWS; ++i) {
        EXPECT_NE(Create(TEST_CLASS, 64, 48), nullptr) << "window " << i;
    }
}

TEST_F(WindowTest, DestroyWindowEndsEverythingTheWindowHad)
{
    PlatformUseFakeClock(1000);
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(SetTimer(window, 1, 100, nullptr), 1u);
    ASSERT_EQ(PostMessage(window, WM_USER, 1, 0), 1);
    ASSERT_EQ(PostMessage(nullptr, WM_USER, 2, 0), 1);

    EXPECT_EQ(DestroyWindow(window), 1);
    EXPECT_EQ(CountReceived(window, WM_DESTROY), 1);
    EXPECT_EQ(IsWindow(window), 0);
    EXPECT_EQ(PlatformSdlWindow(window), nullptr);

    // Only the thread message survives; the stopped timer adds nothing later either.
    PlatformFakeClockAdvance(1000);
    const MSG m = Take();
    EXPECT_EQ(m.hwnd, nullptr);
    EXPECT_EQ(m.wParam, 2u);
    EXPECT_EQ(Take().message, 0u);

    EXPECT_EQ(DestroyWindow(window), 0);
    EXPECT_EQ(CountReceived(window, WM_DESTROY), 1) << "no second WM_DESTROY";

    // A new window may take the freed place and handle; the old timer must not tick for it.
    ASSERT_NE(MakeWindow(), nullptr);
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(Take().message, 0u);
}

TEST_F(WindowTest, CreateWindowFailsWhenVideoCannotStart)
{
    WNDCLASSEX c = TestClass();
    ASSERT_NE(RegisterClassEx(&c), 0);
    ASSERT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    setenv("SDL_VIDEODRIVER", "nosuchdriver", 1);
    HWND window = Create();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    EXPECT_EQ(window, nullptr);
    EXPECT_TRUE(Received.empty()) << "no WM_CREATE for a window that was never made";
    EXPECT_NE(MakeWindow(), nullptr) << "the failure leaves nothing that stops a later start";
}

TEST_F(WindowTest, HelixIconIsA16Colour32x32PictureWithATransparentBackground)
{
    EXPECT_EQ(LoadIcon(PlatformInstance(), 102), nullptr);
    HICON icon = LoadIcon(PlatformInstance(), ICON_RESOURCE_HELIX);
    ASSERT_NE(icon, nullptr);
    SDL_Surface* s = PlatformIconSurface(icon);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ((std::array{s->w, s->h, int(s->format->BitsPerPixel)}), (std::array{32, 32, 8}));
    ASSERT_NE(s->format->palette, nullptr);
    Uint32 key = 0;
    ASSERT_EQ(SDL_GetColorKey(s, &key), 0) << "the icon needs a colour key";

    std::set<Uint8> used;
    int transparent = 0;
    for (int y = 0; y < s->h; ++y) {
        for (int x = 0; x < s->w; ++x) {
            used.insert(static_cast<const Uint8*>(s->pixels)[y * s->pitch + x]);
            transparent += static_cast<const Uint8*>(s->pixels)[y * s->pitch + x] == key;
        }
    }
    EXPECT_LE(used.size(), 16u);
    EXPECT_GT(transparent, 0);
    EXPECT_LT(transparent, 32 * 32);
    EXPECT_LT(*used.rbegin(), s->format->palette->ncolors);
}

TEST_F(WindowTest, ShowCursorCountsAndHidesTheCursorBelowZero)
{
    EXPECT_EQ(ShowCursor(0), -1);
    EXPECT_EQ(ShowCursor(0), -2);
    EXPECT_EQ(ShowCursor(1), -1);

    // A window made while the count is below zero starts with the cursor hidden.
    ASSERT_NE(MakeWindow(), nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(ShowCursor(1), 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    EXPECT_EQ(ShowCursor(1), 1);
}
