// The program's window icon, resource 101: a 32 x 32, 16-colour double helix drawn in code.
#pragma once

#include "platform/win_types.h"

// The program's built-in icon resource (32 x 32, 16 colours, a small double helix).
constexpr int ICON_RESOURCE_HELIX = 101;
constexpr int ICON_SIZE = 32;
constexpr int ICON_COLOURS = 16;

// The icon's handle; its picture is drawn on first use.
HICON IconHelix();
// Frees the icon's picture (the handle stays valid and draws it again when next needed).
void IconRelease();
