// Writes 32-bit RGBA PNG pictures (8 bits a channel, non-interlaced) for the desktop icons: the
// same bytes for the same picture on every run.
#pragma once

#include <cstdint>

// rgba: height rows of width pixels, top row first, four bytes a pixel (red, green, blue, straight
// alpha). 1 when written, 0 on a bad size or a failed write.
int PngWriteRgba(const char* path, int width, int height, const uint8_t* rgba);
