// Text drawing with SDL_ttf: crisp (not smoothed) glyphs written straight into the surface's
// pixels in one colour, the picture behind them left as it was.
#include "support/text.h"

#include "graphics/palette.h"
#include "support/error_log.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <array>
#include <cstring>
#include <string>

const char* TextFontPath = nullptr;

static bool TextTtfStarted = false; // TTF_Init has succeeded and TTF_Quit is still due
static TTF_Font* TextFont = nullptr;
static char TextFoundPath[TEXT_FONT_PATH_SIZE] = ""; // what TextFindFont found for TextOpenFont
// Why the last attempt to open the font failed (it is not retried until TextShutdown); "" while
// none did.
static char TextFontError[ERROR_REPORT_SIZE] = "";

// Rendered lines kept for reuse, with when each was last drawn.
struct TextMaskEntry {
    std::string text;
    SDL_Surface* mask = nullptr;
    unsigned long lastUse = 0;
};
static constexpr int TEXT_MASKS_KEPT = 16;
static std::array<TextMaskEntry, TEXT_MASKS_KEPT> MaskCache;
static unsigned long MaskClock = 0;

// The palette index chosen for the latest colour, valid while PaletteEntries still equals the
// copy taken when it was chosen: the screens draw each line in one of a handful of colours, and
// the palette changes only at set-up.
static std::array<PALETTEENTRY, PALETTE_SIZE> NearestPalette{};
static COLORREF NearestColour = 0;
static int NearestIndex = -1; // -1: nothing chosen yet

// A string property of a fontconfig pattern, or "" when it has none.
static const char* PatternText(FcPattern* pattern, const char* property, int index)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, property, index, &value) != FcResultMatch || value == nullptr) {
        return "";
    }
    return reinterpret_cast<const char*>(value);
}

// The best match of the configuration for the pattern's text, when it is a bold face of one of
// the families the pattern asked for (after the configuration's own aliases were applied); else
// nullptr. The caller destroys the match.
static FcPattern* MatchBoldFamily(FcConfig* config, const char* wanted)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(wanted));
    if (pattern == nullptr) {
        return nullptr;
    }
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    bool usable = false;
    int weight = 0;
    if (match != nullptr && result == FcResultMatch &&
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch &&
        weight >= FC_WEIGHT_BOLD && PatternText(match, FC_FILE, 0)[0] != '\0') {
        // A family the configuration lists for the request; the generic names themselves are
        // not families a font carries, so a match on them cannot happen by accident.
        const char* family = PatternText(match, FC_FAMILY, 0);
        for (int i = 0; !usable && PatternText(pattern, FC_FAMILY, i)[0] != '\0'; ++i) {
            usable = FcStrCmpIgnoreCase(
                         reinterpret_cast<const FcChar8*>(family),
                         reinterpret_cast<const FcChar8*>(PatternText(pattern, FC_FAMILY, i))) == 0;
        }
    }
    FcPatternDestroy(pattern);
    if (!usable && match != nullptr) {
        FcPatternDestroy(match);
        match = nullptr;
    }
    return match;
}

int TextFindFont(char* path, int size)
{
    if (path == nullptr || size <= 0) {
        return 0;
    }
    path[0] = '\0';
    // A configuration of our own, destroyed before returning, so nothing of fontconfig stays
    // allocated for the rest of the run.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return 0;
    }
    FcPattern* match = MatchBoldFamily(config, TEXT_FONT_NAME);
    if (match == nullptr) {
        match = MatchBoldFamily(config, "sans-serif:bold");
    }
    int found = 0;
    if (match != nullptr) {
        const char* file = PatternText(match, FC_FILE, 0);
        if (std::strlen(file) < static_cast<size_t>(size)) {
            std::strcpy(path, file);
            found = 1;
        }
        FcPatternDestroy(match);
    }
    FcConfigDestroy(config);
    return found;
}

// Keeps why the font cannot be had; the calls then draw nothing until TextShutdown.
static TTF_Font* FontMissing(const std::string& why)
{
    std::snprintf(TextFontError, sizeof TextFontError, "%s", why.c_str());
    return nullptr;
}

// Opens the font on first use.
static TTF_Font* TextOpenFont()
{
    if (TextFont != nullptr || TextFontError[0] != '\0') {
        return TextFont;
    }
    if (!TextTtfStarted) {
        if (TTF_Init() != 0) {
            return FontMissing(std::string("cannot draw text: ") + TTF_GetError());
        }
        TextTtfStarted = true;
    }
    const char* path = TextFontPath;
    if (path == nullptr) {
        if (TextFoundPath[0] == '\0' && !TextFindFont(TextFoundPath, sizeof TextFoundPath)) {
            return FontMissing("no usable font: install DejaVu Sans Bold (fonts-dejavu-core) or "
                               "another bold sans-serif font");
        }
        path = TextFoundPath;
    }
    TextFont = TTF_OpenFont(path, TEXT_FONT_POINTS);
    if (TextFont == nullptr) {
        return FontMissing("cannot open the font \"" + std::string(path) + "\": " + TTF_GetError());
    }
    return TextFont;
}

int TextOpen()
{
    return TextOpenFont() != nullptr ? 1 : 0;
}

const char* TextError()
{
    return TextFontError;
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

// The glyph mask of a text, rendered once and kept: the screens draw the same few lines every
// frame (the help line, the labels, the prompt), and rendering is most of a line's cost. The
// least recently used mask makes room for a new text.
static SDL_Surface* TextMask(TTF_Font* font, const char* text)
{
    MaskClock++;
    TextMaskEntry* oldest = &MaskCache[0];
    for (TextMaskEntry& entry : MaskCache) {
        if (entry.mask != nullptr && entry.text == text) {
            entry.lastUse = MaskClock;
            return entry.mask;
        }
        if (entry.lastUse < oldest->lastUse) {
            oldest = &entry;
        }
    }
    // Solid rendering gives hinted one-bit glyphs, index 0 around them: crisp on a palette
    // screen, where smoothed edges would need colours the palette may not have.
    SDL_Surface* mask = TTF_RenderText_Solid(font, text, SDL_Color{255, 255, 255, 255});
    if (mask == nullptr) {
        return nullptr;
    }
    SDL_FreeSurface(oldest->mask);
    *oldest = TextMaskEntry{text, mask, MaskClock};
    return mask;
}

static void TextForgetMasks()
{
    for (TextMaskEntry& entry : MaskCache) {
        SDL_FreeSurface(entry.mask);
        entry = TextMaskEntry{};
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
    SDL_Surface* mask = TextMask(font, text);
    if (mask == nullptr) {
        return 0;
    }
    SDL_LockSurface(mask);
    SDL_LockSurface(surface);
    TextPaint(surface, mask, x, y, value);
    SDL_UnlockSurface(surface);
    SDL_UnlockSurface(mask);
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
    TextForgetMasks();
    if (TextFont != nullptr) {
        TTF_CloseFont(TextFont);
        TextFont = nullptr;
    }
    if (TextTtfStarted) {
        TTF_Quit();
        TextTtfStarted = false;
    }
    TextFoundPath[0] = '\0';
    TextFontError[0] = '\0';
    NearestIndex = -1;
}
