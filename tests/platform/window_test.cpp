// Tests of the window stand-ins: class registration, window creation and destruction, the
// built-in icon and the cursor count.
#include "platform_fixture.h"

#include "platform/timer.h"
#include "platform/window_sdl.h"

#include <cstring>

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
    EXPECT_EQ(std::memcmp(&stored, &expected, offsetof(WNDCLASSEX, lpszMenuName)), 0);
    EXPECT_STREQ(stored.lpszClassName, TEST_CLASS);
}

TEST_F(WindowTest, WmCreateReachesTheProcedureBeforeCreateReturnsAndMayRefuseTheWindow)
{
    EXPECT_EQ(Create("NoSuchClass"), nullptr);
    WNDCLASSEX c = TestClass();
    ASSERT_NE(RegisterClassEx(&c), 0);
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(Received.size(), 1u);
    EXPECT_EQ(Received.front().message, WM_CREATE);
    EXPECT_EQ(Received.front().window, window);
    EXPECT_NE(PlatformSdlWindow(window), nullptr);
    // -1 from WM_CREATE refuses the window, and the refused window keeps none of the few places.
    CreateAnswer = -1;
    EXPECT_EQ(Create(), nullptr);
    EXPECT_EQ(IsWindow(Received.back().window), 0);
    CreateAnswer = 0;
    for (int i = 1; i < PLATFORM_MAX_WINDOWS; ++i) {
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
    EXPECT_EQ(DestroyWindow(window), 0);
    EXPECT_EQ(CountReceived(window, WM_DESTROY), 1);
    EXPECT_EQ(IsWindow(window), 0);
    EXPECT_EQ(PlatformSdlWindow(window), nullptr);

    // Only the thread message survives; the stopped timer adds nothing later, also not for a new
    // window that takes the freed place and handle.
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(Take().wParam, 2u);
    EXPECT_EQ(Take().message, 0u);
    ASSERT_NE(MakeWindow(), nullptr);
    PlatformFakeClockAdvance(1000);
    EXPECT_EQ(Take().message, 0u);
}

TEST_F(WindowTest, TheIconIsA32x32PictureWithAColourKeyAndTheCursorCountHidesBelowZero)
{
    EXPECT_EQ(LoadIcon(PlatformInstance(), 102), nullptr);
    SDL_Surface* s = PlatformIconSurface(LoadIcon(PlatformInstance(), ICON_RESOURCE_HELIX));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ((std::array{s->w, s->h, int(s->format->BitsPerPixel)}), (std::array{32, 32, 8}));
    Uint32 key = 0;
    EXPECT_EQ(SDL_GetColorKey(s, &key), 0) << "the icon needs a colour key";

    EXPECT_EQ(ShowCursor(0), -1);
    EXPECT_EQ(ShowCursor(0), -2);
    EXPECT_EQ(ShowCursor(1), -1);
    // A window made while the count is below zero starts with the cursor hidden.
    ASSERT_NE(MakeWindow(), nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(ShowCursor(1), 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}
