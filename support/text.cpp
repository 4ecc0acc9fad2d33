// Text drawing with SDL_ttf: crisp (not smoothed) glyphs written straight into the surface's
// pixels in one colour, the picture behind them left as it was.
#include "support/text.h"

#include "graphics/palette.h"
#include "support/error_log.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <cstring>

const char* TextFontPath = TEXT_FONT_FILE;

static bool TextTtfStarted = false; // TTF_Init has succeeded and TTF_Quit is still due
static TTF_Font* TextFont = nullptr;
static bool TextFontMissing = false; // the last attempt to open the font failed; not retried

// The palette index chosen for the latest colour, valid while PaletteEntries still equals the
// copy taken when it was chosen: the screens draw each line in one of a handful of colours, and
// the palette changes only at set-up.
static std::array<PALETTEENTRY, PALETTE_SIZE> NearestPalette{};
static COLORREF NearestColour = 0;
static int NearestIndex = -1; // -1: nothing chosen yet

// Opens the font on first use. A missing font is reported once to the error log; the calls then
// draw nothing until TextShutdown, and the rest of the program goes on.
static TTF_Font* TextOpenFont()
{
    if (TextFont != nullptr || TextFontMissing) {
        return TextFont;
    }
    if (!TextTtfStarted) {
        if (TTF_Init() != 0) {
            TextFontMissing = true;
            ErrorLogWrite("\ntext: %s", TTF_GetError());
            return nullptr;
        }
        TextTtfStarted = true;
    }
    TextFont = TTF_OpenFont(TextFontPath, TEXT_FONT_POINTS);
    if (TextFont == nullptr) {
        TextFontMissing = true;
        ErrorLogWrite("\ntext: no font %s", TextFontPath);
    }
    return TextFont;
}

// The palette entry closest to the colour (least squared distance in red, green and blue; the
// lowest index among equals), as GDI picks a colour on a palettised surface.
static int NearestPaletteIndex(COLORREF colour)
{
    if (NearestIndex >= 0 && colour == NearestColour &&
        std::memcmp(NearestPalette.data(), PaletteEntries, sizeof(PaletteEntries)) == 0) {
        return NearestIndex;
    }
    int red = colour & 0xFF;
    int green = (colour >> 8) & 0xFF;
    int blue = (colour >> 16) & 0xFF;
    int best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (int i = 0; i < PALETTE_SIZE && bestDistance > 0; ++i) {
        int dr = PaletteEntries[i].peRed - red;
        int dg = PaletteEntries[i].peGreen - green;
        int db = PaletteEntries[i].peBlue - blue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    std::memcpy(NearestPalette.data(), PaletteEntries, sizeof(PaletteEntries));
    NearestColour = colour;
    NearestIndex = best;
    return best;
}

// Sets every pixel of the surface under a glyph pixel of the mask (an 8-bit surface, non-zero
// where the glyphs are) placed at (x, y) to value, inside the surface's clip rectangle.
static void TextPaint(SDL_Surface* surface, const SDL_Surface* mask, int x, int y, Uint32 value)
{
    SDL_Rect placed{x, y, mask->w, mask->h};
    SDL_Rect visible;
    if (!SDL_IntersectRect(&placed, &surface->clip_rect, &visible)) {
        return;
    }
    int bytes = surface->format->BytesPerPixel;
    for (int row = visible.y; row < visible.y + visible.h; ++row) {
        const auto* glyphs = static_cast<const Uint8*>(mask->pixels) + (row - y) * mask->pitch;
        auto* target = static_cast<Uint8*>(surface->pixels) + row * surface->pitch;
        for (int column = visible.x; column < visible.x + visible.w; ++column) {
            if (glyphs[column - x] == 0) {
                continue;
            }
            if (bytes == 1) {
                target[column] = static_cast<Uint8>(value);
            } else if (bytes == 2) {
                reinterpret_cast<Uint16*>(target)[column] = static_cast<Uint16>(value);
            } else {
                reinterpret_cast<Uint32*>(target)[column] = value;
            }
        }
    }
}

int DrawTextRGB(const char* text, int x, int y, COLORREF colour, DisplaySurface surface)
{
    // A surface held locked cannot take text, as a locked surface gives out no device context.
    if (text == nullptr || surface == nullptr || surface->locked > 0) {
        return 0;
    }
    int bytes = surface->format->BytesPerPixel;
    if (bytes != 1 && bytes != 2 && bytes != 4) {
        return 0;
    }
    TTF_Font* font = TextOpenFont();
    if (font == nullptr) {
        return 0;
    }
    if (text[0] == '\0') {
        return 1;
    }
    Uint32 value;
    if (bytes == 1) {
        value = static_cast<Uint32>(NearestPaletteIndex(colour));
    } else {
        value =
            SDL_MapRGB(surface->format, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    }
    // Solid rendering gives hinted one-bit glyphs, index 0 around them: crisp on a palette
    // screen, where smoothed edges would need colours the palette may not have.
    SDL_Surface* mask = TTF_RenderText_Solid(font, text, SDL_Color{255, 255, 255, 255});
    if (mask == nullptr) {
        return 0;
    }
    SDL_LockSurface(mask);
    SDL_LockSurface(surface);
    TextPaint(surface, mask, x, y, value);
    SDL_UnlockSurface(surface);
    SDL_UnlockSurface(mask);
    SDL_FreeSurface(mask);
    return 1;
}

int DrawTextPaletteIndex(const char* text, int x, int y, unsigned index, DisplaySurface surface)
{
    if (index >= PALETTE_SIZE) {
        return 0;
    }
    const PALETTEENTRY& entry = PaletteEntries[index];
    return DrawTextRGB(text, x, y, RGB(entry.peRed, entry.peGreen, entry.peBlue), surface);
}

void TextShutdown()
{
    if (TextFont != nullptr) {
        TTF_CloseFont(TextFont);
        TextFont = nullptr;
    }
    if (TextTtfStarted) {
        TTF_Quit();
        TextTtfStarted = false;
    }
    TextFontMissing = false;
    NearestIndex = -1;
}
