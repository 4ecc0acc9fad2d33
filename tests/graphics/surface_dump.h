// Pixel checks for tests that draw: compares part of a surface with the expected pixels and, when
// they differ, saves the whole surface as a BMP so the picture can be looked at.
#pragma once

#include "graphics/display.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// Saves the surface as <build>/surface-dumps/<test name>-<tag>.bmp and returns a line naming the
// file (or why it could not be written), to stream into a failing check (gtest builds the text
// only on failure): EXPECT_EQ(SurfacePixel(s, 3, 4), 7) << SurfaceDump(s, "after-blit");
std::string SurfaceDump(DisplaySurface surface, const char* tag);

// The pixel at (x, y): the palette index of an 8-bit surface, the 16-bit value otherwise.
int SurfacePixel(DisplaySurface surface, int x, int y);

// Checks the w x h region at (left, top) against expected(x, y); a mismatch names the first few
// wrong pixels and the dump file (numbered, so several failures in one test keep their dumps).
::testing::AssertionResult SurfaceRegionIs(DisplaySurface surface, int left, int top, int w, int h,
                                           const std::function<int(int, int)>& expected);
