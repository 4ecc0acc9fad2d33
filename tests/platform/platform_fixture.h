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
    WPARAM wParam;
};

class PlatformTest : public ::testing::Test {
protected:
    static constexpr const char* TEST_CLASS = "WINCLASS1";

    // Every message the recording procedure was called with, in order.
    inline static std::vector<ReceivedMessage> Received;
    // The procedure's answer to WM_CREATE; -1 refuses the window.
    inline static LRESULT CreateAnswer = 0;

    // Records the message, then behaves like the game's procedure: the default handling, so a
    // WM_CLOSE destroys the window.
    static LRESULT RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Received.push_back({window, message, wParam});
        if (message == WM_CREATE) {
            return CreateAnswer;
        }
        return DefWindowProc(window, message, wParam, lParam);
    }

    void SetUp() override
    {
        PlatformShutdown();
        Received.clear();
        CreateAnswer = 0;
    }

    // Nothing may leak into the next test: windows, classes, queued messages, timers, keys, the
    // fake clock.
    void TearDown() override
    {
        PlatformShutdown();
        PlatformUseRealClock();
    }

    static WNDCLASSEX TestClass()
    {
        WNDCLASSEX c{};
        c.cbSize = sizeof(WNDCLASSEX);
        c.style = CS_DBLCLKS | CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
        c.lpfnWndProc = RecordingProcedure;
        c.hInstance = PlatformInstance();
        c.hIcon = LoadIcon(PlatformInstance(), ICON_RESOURCE_HELIX);
        c.hCursor = LoadCursor(nullptr, IDC_ARROW);
        c.hbrBackground = GetStockObject(BLACK_BRUSH);
        c.lpszClassName = TEST_CLASS;
        c.hIconSm = LoadIcon(PlatformInstance(), ICON_RESOURCE_HELIX);
        return c;
    }

    // A hidden 640 x 480 window of the test class (registered on first use), with whatever SDL
    // said about its creation already taken off the queue. nullptr when it cannot be made.
    static HWND MakeWindow()
    {
        WNDCLASSEX probe;
        if (!GetClassInfoEx(PlatformInstance(), TEST_CLASS, &probe)) {
            WNDCLASSEX c = TestClass();
            if (RegisterClassEx(&c) == 0) {
                return nullptr;
            }
        }
        HWND window = CreateWindowEx(0, TEST_CLASS, "HELIX DASH test", WS_POPUP, 0, 0, 640, 480,
                                     nullptr, nullptr, PlatformInstance(), nullptr);
        DrainQueue();
        Received.clear();
        return window;
    }

    static void DrainQueue()
    {
        MSG m;
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
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
