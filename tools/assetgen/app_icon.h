// The application icon, "helixdash.png" of the desktop's hicolor theme: the game's double helix
// with its coloured bases, drawn afresh for each size the desktop asks for.
#pragma once

#include <string>

#include "tools/assetgen/canvas.h"

// The square sizes in pixels, smallest first; each gets its own drawing, not a scaled copy.
constexpr int APP_ICON_SIZES[] = {32, 48, 64, 128, 256};

// Draws the icon of that size on the canvas (made size x size, clear round the picture). 0 for a
// size not in APP_ICON_SIZES.
int AppIconPaint(Canvas& canvas, int size);
// Writes every size as folder/<N>x<N>/apps/helixdash.png, making the folders. 1 when all are
// written.
int AppIconWriteAll(const std::string& folder);
