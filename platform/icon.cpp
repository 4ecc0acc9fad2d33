// Draws the window icon: two strands of a double helix twisting once down the icon, joined by
// rungs in the colours of the base pairs, the strand in front drawn brighter than the one behind.
#include "platform/icon.h"

#include "platform/window_sdl.h"

#include <array>
#include <cmath>

struct PlatformIcon {
    int resourceId;
    SDL_Surface* surface;
};

static PlatformIcon HelixIcon{ICON_RESOURCE_HELIX, nullptr};

enum IconColour : Uint8 {
    ICON_CLEAR = 0, // colour key: transparent
    ICON_OUTLINE,
    ICON_CYAN_FRONT,
    ICON_CYAN_MID,
    ICON_CYAN_BACK,
    ICON_PINK_FRONT,
    ICON_PINK_MID,
    ICON_PINK_BACK,
    ICON_GREEN,
    ICON_RED,
    ICON_BLUE,
    ICON_AMBER,
    ICON_WHITE,
};

static constexpr std::array<SDL_Color, ICON_COLOURS> IconPalette{{
    {0, 0, 0, 255},
    {16, 18, 40, 255},
    {140, 230, 255, 255},
    {60, 160, 230, 255},
    {30, 80, 150, 255},
    {255, 160, 235, 255},
    {215, 90, 185, 255},
    {120, 40, 110, 255},
    {70, 210, 90, 255},
    {235, 70, 60, 255},
    {80, 120, 245, 255},
    {245, 185, 40, 255},
    {255, 255, 255, 255},
    {96, 96, 96, 255},
    {160, 160, 160, 255},
    {208, 208, 208, 255},
}};

static void Plot(SDL_Surface* s, int x, int y, Uint8 colour)
{
    if (x >= 0 && x < ICON_SIZE && y >= 0 && y < ICON_SIZE) {
        static_cast<Uint8*>(s->pixels)[y * s->pitch + x] = colour;
    }
}

// One bead of a strand: a 3 x 3 dot with a dark rim where it meets the background.
static void Bead(SDL_Surface* s, int cx, int y, Uint8 colour)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            bool rim = dx == -2 || dx == 2;
            if (rim) {
                int px = cx + dx, py = y + dy;
                if (px >= 0 && px < ICON_SIZE && py >= 0 && py < ICON_SIZE &&
                    static_cast<Uint8*>(s->pixels)[py * s->pitch + px] == ICON_CLEAR) {
                    Plot(s, px, py, ICON_OUTLINE);
                }
            } else {
                Plot(s, cx + dx, y + dy, colour);
            }
        }
    }
}

static Uint8 Shade(double depth, Uint8 front, Uint8 mid, Uint8 back)
{
    return depth > 0.35 ? front : (depth > -0.35 ? mid : back);
}

static SDL_Surface* DrawHelix()
{
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, ICON_SIZE, ICON_SIZE, 8, SDL_PIXELFORMAT_INDEX8);
    if (s == nullptr) {
        return nullptr;
    }
    SDL_SetPaletteColors(s->format->palette, IconPalette.data(), 0, ICON_COLOURS);
    SDL_FillRect(s, nullptr, ICON_CLEAR);
    SDL_SetColorKey(s, SDL_TRUE, ICON_CLEAR);

    constexpr double kPi = 3.14159265358979323846;
    constexpr int top = 2, bottom = 29;
    auto angle = [&](int y) { return (y - top) * 2.0 * kPi / (bottom - top); };

    // Rungs behind the strands: each half in the colour of one base of its pair.
    static constexpr Uint8 pairs[4][2] = {{ICON_GREEN, ICON_RED},
                                          {ICON_BLUE, ICON_AMBER},
                                          {ICON_RED, ICON_GREEN},
                                          {ICON_AMBER, ICON_BLUE}};
    for (int y = top + 2, n = 0; y <= bottom - 2; y += 4, ++n) {
        double t = angle(y);
        int xa = static_cast<int>(std::lround(16 + 10 * std::sin(t)));
        int xb = static_cast<int>(std::lround(16 - 10 * std::sin(t)));
        int lo = std::min(xa, xb), hi = std::max(xa, xb);
        int middle = (lo + hi) / 2;
        for (int x = lo; x <= hi; ++x) {
            Plot(s, x, y, pairs[n % 4][x <= middle ? 0 : 1]);
        }
    }
    // Strands, the one behind first.
    for (int y = top; y <= bottom; ++y) {
        double t = angle(y);
        int xa = static_cast<int>(std::lround(16 + 10 * std::sin(t)));
        int xb = static_cast<int>(std::lround(16 - 10 * std::sin(t)));
        double za = std::cos(t);
        Uint8 ca = Shade(za, ICON_CYAN_FRONT, ICON_CYAN_MID, ICON_CYAN_BACK);
        Uint8 cb = Shade(-za, ICON_PINK_FRONT, ICON_PINK_MID, ICON_PINK_BACK);
        if (za >= 0) {
            Bead(s, xb, y, cb);
            Bead(s, xa, y, ca);
        } else {
            Bead(s, xa, y, ca);
            Bead(s, xb, y, cb);
        }
    }
    // A glint on the front strand's nearest point.
    Plot(s, 15, top + 1, ICON_WHITE);
    return s;
}

HICON IconHelix()
{
    return &HelixIcon;
}

void IconRelease()
{
    if (HelixIcon.surface != nullptr) {
        SDL_FreeSurface(HelixIcon.surface);
        HelixIcon.surface = nullptr;
    }
}

SDL_Surface* PlatformIconSurface(HICON icon)
{
    if (icon == nullptr) {
        return nullptr;
    }
    if (icon->surface == nullptr) {
        icon->surface = DrawHelix();
    }
    return icon->surface;
}
