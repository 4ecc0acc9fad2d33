// Tests of the message queue: the order and filtering of PeekMessage, posting, quitting,
// TranslateMessage, and SDL's key, text and window events turned into messages.
#include "platform_fixture.h"

#include "platform/keyboard.h"
#include "platform/window_sdl.h"
#include "tests/sdl_events.h"

using MessageTest = PlatformTest;

TEST_F(MessageTest, PeekHandsOutOneMessageAtATimeInPostingOrderAndQuitTakesItsTurn)
{
    PlatformUseFakeClock(500);
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    MSG m;
    EXPECT_EQ(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE), 0) << "an empty queue answers at once";

    ASSERT_EQ(PostMessage(window, WM_USER, 1, 10), 1);
    PlatformFakeClockAdvance(7);
    ASSERT_EQ(PostMessage(nullptr, WM_USER + 1, 2, 20), 1);
    ASSERT_EQ(PostMessage(window, WM_USER + 2, 3, 30), 1);
    PostQuitMessage(3);
    // A frame that keeps posting (Escape held down posts WM_DESTROY every frame) must not be
    // able to hold the quit off.
    ASSERT_EQ(PostMessage(window, WM_USER + 3, 0, 0), 1);

    // Looking without removing shows the same first message again and again.
    EXPECT_EQ(Take(PM_NOREMOVE).message, WM_USER);
    EXPECT_EQ(Take(PM_NOREMOVE).hwnd, window);
    // A filter picks the first match and leaves the others in their order.
    EXPECT_EQ(Take(PM_REMOVE, nullptr, WM_USER + 2, WM_USER + 2).wParam, 3u);
    EXPECT_EQ(Take(PM_REMOVE, window, WM_USER + 1, WM_USER + 1).message, 0u)
        << "the thread message belongs to no window";

    m = Take();
    EXPECT_EQ((std::array{m.message, UINT(m.wParam), UINT(m.lParam), m.time}),
              (std::array{UINT(WM_USER), 1u, 10u, 500u}));
    m = Take();
    EXPECT_EQ((std::array{m.message, UINT(m.wParam), UINT(m.lParam), m.time}),
              (std::array{UINT(WM_USER + 1), 2u, 20u, 507u}));
    EXPECT_EQ(m.hwnd, nullptr);
    m = Take();
    EXPECT_EQ((std::array{m.message, UINT(m.wParam)}), (std::array{UINT(WM_QUIT), 3u}));
    EXPECT_EQ(m.hwnd, nullptr);
    EXPECT_EQ(Take().message, WM_USER + 3);
    EXPECT_EQ(Take().message, 0u) << "WM_QUIT is handed out once";
}

TEST_F(MessageTest, PostMessageRefusesADeadWindowAndAFullQueueButNotTheQuit)
{
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(DestroyWindow(window), 1);
    EXPECT_EQ(PostMessage(window, WM_USER, 0, 0), 0);

    // A character put in front moves the ring's start back past its first place, so filling the
    // queue afterwards runs across the ring's end.
    const MSG enter{nullptr, WM_KEYDOWN, VK_RETURN, 1, 0};
    ASSERT_EQ(TranslateMessage(&enter), 1);
    for (int i = 0; i + 1 < MESSAGE_QUEUE_SIZE; ++i) {
        ASSERT_EQ(PostMessage(nullptr, WM_USER, static_cast<WPARAM>(i), 0), 1) << i;
    }
    EXPECT_EQ(PostMessage(nullptr, WM_USER, 9999, 0), 0);
    EXPECT_EQ(TranslateMessage(&enter), 0);
    // No room for the quit either: it must still come once everything else has been taken.
    PostQuitMessage(5);

    EXPECT_EQ(Take().message, WM_CHAR);
    for (int i = 0; i + 1 < MESSAGE_QUEUE_SIZE; ++i) {
        const MSG m = Take();
        ASSERT_EQ(m.message, WM_USER);
        ASSERT_EQ(m.wParam, static_cast<WPARAM>(i));
    }
    const MSG quit = Take();
    EXPECT_EQ((std::array{quit.message, UINT(quit.wParam)}), (std::array{UINT(WM_QUIT), 5u}));
    EXPECT_EQ(Take().message, 0u);
}

TEST_F(MessageTest, TranslateMakesCharactersOnlyForEnterBackspaceAndEscape)
{
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    for (auto [vk, ch] : {std::pair{VK_RETURN, 13u}, {VK_BACK, 8u}, {VK_ESCAPE, 27u}}) {
        ASSERT_EQ(PostMessage(window, WM_USER, 0, 0), 1);
        const MSG down{window, WM_KEYDOWN, static_cast<WPARAM>(vk), 1, 0};
        EXPECT_EQ(TranslateMessage(&down), 1);
        // The character comes next, ahead of what was already waiting.
        const MSG m = Take();
        EXPECT_EQ((std::array{m.message, UINT(m.wParam)}), (std::array{UINT(WM_CHAR), ch}));
        EXPECT_EQ(m.hwnd, window);
        EXPECT_EQ(Take().message, WM_USER);
    }
    for (const MSG& msg :
         {MSG{window, WM_KEYDOWN, 'A', 1, 0}, MSG{window, WM_KEYUP, VK_RETURN, 1, 0},
          MSG{window, WM_SYSKEYDOWN, VK_RETURN, 1, 0}}) {
        EXPECT_EQ(TranslateMessage(&msg), 0) << msg.message << " " << msg.wParam;
    }
    EXPECT_EQ(Take().message, 0u);
}

TEST_F(MessageTest, SdlKeyEventsBecomeKeyMessagesAndHoldTheKeyTable)
{
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    struct {
        SDL_Scancode scancode;
        SDL_Keycode sym;
        int vk;
    } const keys[] = {{SDL_SCANCODE_LEFT, SDLK_LEFT, 37},
                      {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, 13},
                      {SDL_SCANCODE_A, SDLK_a, 'A'},
                      {SDL_SCANCODE_Z, SDLK_z, 'Z'},
                      {SDL_SCANCODE_F1, SDLK_F1, VK_F1}};
    for (const auto& key : keys) {
        SCOPED_TRACE(key.vk);
        // A tap pressed and let go between two polls reads down until the frame ends.
        PushKey(window, key.scancode, key.sym, true);
        PushKey(window, key.scancode, key.sym, false);
        const MSG down = Take(), up = Take();
        EXPECT_EQ((std::array{down.message, UINT(down.wParam), up.message, UINT(up.wParam)}),
                  (std::array{UINT(WM_KEYDOWN), UINT(key.vk), UINT(WM_KEYUP), UINT(key.vk)}));
        EXPECT_EQ(down.hwnd, window);
        EXPECT_EQ((std::array{down.lParam >> 31 & 1, up.lParam >> 31 & 1}), (std::array{0L, 1L}));
        EXPECT_EQ(Take().message, 0u) << "no character from a key";
        EXPECT_EQ(GetAsyncKeyState(key.vk) & 0x8000, 0x8000);
        KeyboardEndFrame();
        EXPECT_EQ(GetAsyncKeyState(key.vk), 0);
    }
    // A key held when the focus goes is let go: its release goes to the other window.
    PushKey(window, SDL_SCANCODE_LEFT, SDLK_LEFT, true);
    PushWindowEvent(window, SDL_WINDOWEVENT_FOCUS_LOST);
    while (Take().message != 0) {
    }
    EXPECT_EQ(GetAsyncKeyState(VK_LEFT), 0);
}

TEST_F(MessageTest, TypedTextGivesLatin1CharactersAndTheCloseButtonWmClose)
{
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    // One WM_CHAR per printable Latin-1 character: a, e-acute, euro (beyond Latin-1), a control
    // byte, DEL, a C1 control, no-break space, y-diaeresis, a three-byte sequence cut short after
    // two (its bits so far would read as e-acute), a tilde, and a lead byte alone at the end.
    PushText(window, "a\xC3\xA9\xE2\x82\xAC\x01\x7F\xC2\x85\xC2\xA0\xC3\xBF\xE3\xA9~\xC3");
    for (WPARAM ch : {WPARAM{'a'}, WPARAM{0xE9}, WPARAM{0xA0}, WPARAM{0xFF}, WPARAM{'~'}}) {
        const MSG m = Take();
        EXPECT_EQ((std::array{m.message, UINT(m.wParam)}), (std::array{UINT(WM_CHAR), UINT(ch)}));
        EXPECT_EQ(m.hwnd, window);
    }
    EXPECT_EQ(Take().message, 0u);

    // The close button gives one WM_CLOSE while one waits; by default it destroys the window.
    PushWindowClose(window);
    PushWindowClose(window);
    const MSG close = Take();
    EXPECT_EQ(close.message, WM_CLOSE);
    EXPECT_EQ(Take(PM_NOREMOVE).message, 0u);
    DispatchMessage(&close);
    EXPECT_EQ(CountReceived(window, WM_DESTROY), 1);
    EXPECT_EQ(IsWindow(window), 0);
}
