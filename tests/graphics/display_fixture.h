// The shared set-up of the drawing tests: a hidden game window, each test in its own empty
// working folder (so "mainPalette.PAL" is whatever the test writes there), and the display and
// platform (and the clock, the scale mode and the way to the window) put back to their starting
// state afterwards.
#pragma once

#include "graphics/display.h"
#include "graphics/palette.h"
#include "platform/message.h"
#include "platform/time.h"
#include "platform/window.h"
#include "tests/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

class DisplayTest : public ::testing::Test {
protected:
    std::filesystem::path previousDir;
    std::filesystem::path workDir;

    static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return DefWindowProc(window, message, wParam, lParam);
    }

    void SetUp() override
    {
        PlatformShutdown();
        previousDir = std::filesystem::current_path();
        workDir = TestTempDir("helix-display");
        std::filesystem::current_path(workDir);

        WNDCLASSEX c{};
        c.cbSize = sizeof(WNDCLASSEX);
        c.lpfnWndProc = Procedure;
        c.lpszClassName = "WINCLASS1";
        ASSERT_NE(RegisterClassEx(&c), 0);
        MainWindow = CreateWindowEx(0, "WINCLASS1", "HELIX DASH test", WS_POPUP, 0, 0, 640, 480,
                                    nullptr, nullptr, PlatformInstance(), nullptr);
        ASSERT_NE(MainWindow, nullptr);
    }

    void TearDown() override
    {
        DisplayShutdown();
        DisplayScaleMode = DISPLAY_SCALE_SHARP;
        DisplayForceRenderer = 0;
        PlatformShutdown();
        PlatformUseRealClock();
        std::filesystem::current_path(previousDir);
        std::filesystem::remove_all(workDir);
    }
};
