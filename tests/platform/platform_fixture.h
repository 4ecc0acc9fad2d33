// The shared set-up of the platform tests: a window class whose procedure records what it gets,
// and a platform layer and clock put back to their starting state after every test.
#pragma once

#include "platform/message.h"
#include "platform/time.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <vector>

struct ReceivedMessage {
    HWND window;
    UINT message;
};

class PlatformTest : public ::testing::Test {
protected:
    static constexpr const char* TEST_CLASS = "WINCLASS1";

    // Every message the recording procedure was called with, in order.
    inline static std::vector<ReceivedMessage> Received;
    // The procedure's answer to WM_CREATE; -1 refuses the window.
    inline static LRESULT CreateAnswer = 0;

    // Records the message, then handles it as the game's procedure does: by default, so a
    // WM_CLOSE destroys the window.
    static LRESULT RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Received.push_back({window, message});
        return message == WM_CREATE ? CreateAnswer : DefWindowProc(window, message, wParam, lParam);
    }

    // Nothing may leak into the next test: windows, classes, queued messages, timers, keys, the
    // fake clock.
    void SetUp() override
    {
        PlatformShutdown();
        Received.clear();
        CreateAnswer = 0;
    }
    void TearDown() override
    {
        PlatformShutdown();
        PlatformUseRealClock();
    }

    // The game's kind of class, with the built-in icon; the fields the game leaves to their
    // defaults are 0.
    static WNDCLASSEX TestClass()
    {
        WNDCLASSEX c{};
        c.cbSize = sizeof(WNDCLASSEX);
        c.style = CS_DBLCLKS | CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
        c.lpfnWndProc = RecordingProcedure;
        c.hInstance = PlatformInstance();
        c.hIcon = c.hIconSm = LoadIcon(PlatformInstance(), ICON_RESOURCE_HELIX);
        c.lpszClassName = TEST_CLASS;
        return c;
    }

    static HWND Create(const char* className = TEST_CLASS, int width = 640, int height = 480)
    {
        return CreateWindowEx(0, className, "HELIX DASH test", WS_POPUP, 0, 0, width, height,
                              nullptr, nullptr, PlatformInstance(), nullptr);
    }

    // A hidden window of the test class (registered on first use), with whatever SDL said about
    // its creation already taken off the queue. nullptr when it cannot be made.
    static HWND MakeWindow()
    {
        WNDCLASSEX c = TestClass();
        if (!GetClassInfoEx(PlatformInstance(), TEST_CLASS, &c) && RegisterClassEx(&c) == 0) {
            return nullptr;
        }
        HWND window = Create();
        while (Take().message != 0) {
        }
        Received.clear();
        return window;
    }

    // The next message (PM_REMOVE or PM_NOREMOVE), or one with message 0 when none waits.
    static MSG Take(UINT remove = PM_REMOVE, HWND window = nullptr, UINT first = 0, UINT last = 0)
    {
        MSG m{};
        return PeekMessage(&m, window, first, last, remove) ? m : MSG{};
    }

    static int CountReceived(HWND window, UINT message)
    {
        int n = 0;
        for (const ReceivedMessage& r : Received) {
            n += r.window == window && r.message == message;
        }
        return n;
    }
};
