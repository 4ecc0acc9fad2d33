// The display over SDL2: 8-bit surfaces sharing one palette (or 16-bit 5.6.5 surfaces), clippers,
// fills, keyed and stretched copies, locks, and the flip that puts the tiles of the back surface
// that changed on screen: scaled into the window's own surface without a GPU, through a streaming
// texture and the renderer with one.
#include "graphics/display.h"

#include "graphics/palette.h"
#include "graphics/scaler.h"
#include "platform/message.h"
#include "platform/time.h"
#include "platform/window.h"
#include "platform/window_sdl.h"
#include "support/data_folder.h"
#include "support/error_log.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cstring>
#include <iterator>
#include <new>
#include <string>
#include <vector>

int DisplayScaleMode = DISPLAY_SCALE_SHARP;
int DisplayForceRenderer = 0;

DisplaySurface PrimarySurface = nullptr;
DisplaySurface BackSurface = nullptr;
SDL_Palette* DisplayPalette = nullptr;
DisplayClipper* BackClipper = nullptr;
DisplayClipper* WindowClipper = nullptr;
int ScreenWidth = 640;
int ScreenHeight = 480;
int ScreenBpp = 8;
int PixelFormat = 16;
int Windowed = 0;
int DisplayWindowedWidth = 640;
int DisplayWindowedHeight = 480;
int DisplayEndedWindowed = -1;
int ClipMinX = 0;
int ClipMinY = 0;
int ClipMaxX = 639;
int ClipMaxY = 479;

uint8_t* PrimaryMemory = nullptr;
int PrimaryPitch = 0;
uint8_t* BackMemory = nullptr;
int BackPitch = 0;

// Surfaces, clip lists and copies larger than this on a side are refused as nonsense.
constexpr int DISPLAY_MAX_SIDE = 16384;
constexpr int DISPLAY_MAX_CLIP_RECTS = 65536;
// A flip that fails is tried this often, with the way to the window (its surface or the
// renderer) made anew after each failure, before it gives up for this frame (the next flip
// starts again).
constexpr int DISPLAY_FLIP_ATTEMPTS = 3;
// The region bound before any rectangle widens it.
constexpr LONG CLIP_BOUND_START = 64000;

static SDL_Window* DisplayWindow = nullptr;      // the SDL window of MainWindow while set up
static SDL_Renderer* Renderer = nullptr;         // with a GPU (vsync'd), or when no surface works
static SDL_Texture* ScreenTexture = nullptr;     // streaming, ScreenWidth x ScreenHeight
static SDL_Texture* SharpTexture = nullptr;      // render target, Plan.factor x the screen; sharp
static SDL_PixelFormat* TextureFormat = nullptr; // of ScreenTexture in 8-bit mode: 32 bits a pixel
// How the picture reaches the window, chosen once per set-up: through the window's own surface
// (no GPU) or through Renderer; OutputMade while the chosen way is ready for a flip.
static bool OutputChosen = false;
static bool SurfaceOutput = false;
static bool OutputMade = false;
// Put in the userdata of the window surface the flip drew into: a surface without it is new
// (SDL makes one after every resize) and holds nothing of the picture.
static int WindowSurfaceMark = 0;
// Display palette index to an output pixel (of LookupFormat), and two indices (first in the low
// byte) to two pixels (first at the lower address); valid for PaletteVersion == LookupVersion.
static std::array<Uint32, PALETTE_SIZE> FlipLookup{};
static std::array<uint64_t, PALETTE_SIZE * PALETTE_SIZE> FlipPairLookup{};
// A 16-bit display's 5.6.5 pixel to an output pixel, for the window surface.
static std::vector<uint32_t> Lookup16;
static unsigned LookupVersion = 0;
static Uint32 LookupFormat = SDL_PIXELFORMAT_UNKNOWN;
static bool LookupValid = false;
// The flip compares the picture with the last one in tiles of this many pixels and draws again
// only what changed in them: of the sizes from 8 x 4 to 32 x 16 this drew least for the least
// bookkeeping in a play frame.
constexpr int DISPLAY_TILE_W = 16;
constexpr int DISPLAY_TILE_H = 8;
// One byte a tile, row by row: 1 when the tile changed since the output last showed it; and for a
// changed tile the box of its pixels that changed, in pixels from its corner (right and bottom
// exclusive).
static std::vector<uint8_t> TileChanged;
struct TileBox {
    uint8_t left, top, right, bottom;
};
static std::vector<TileBox> TileBoxes;
static int TileColumns = 0, TileRows = 0;
// The output does not show PrimarySurface (a new palette, output, scale mode or renderer, a
// failed present, drawing into the primary): the next flip draws all of it.
static bool RedrawAll = true;
// The output is right but the window lost it (exposed): the next flip sends all of it again.
static bool ShowAll = true;
// Reused every flip: the changed areas of the picture and the rectangles sent to the window.
static std::vector<ScalerRect> ChangedAreas;
static std::vector<SDL_Rect> SentRects;
// How the picture reaches an output of outW x outH; PlanScaling makes it anew when the output's
// size or the scale mode changes.
struct ScalePlan {
    int outW, outH;   // the output size it was made for; -1 before the first
    SDL_Rect picture; // where the picture lands on the output, in output pixels
    int factor;       // > 1: drawn first into SharpTexture at this many times the screen's size
    bool bars;        // the picture leaves part of the output uncovered, to clear each frame
};
static constexpr ScalePlan NO_PLAN{-1, -1, {0, 0, 0, 0}, 1, true};
static ScalePlan Plan = NO_PLAN;
static bool PresentFailureReported = false; // a failed flip was told to the player, none since
static char DisplayErrorText[256] = "";     // why the latest DisplayInit stopped, "" if it did not

// ---- surfaces and clippers ----

static Uint32 SurfaceFormat()
{
    return ScreenBpp == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_INDEX8;
}

static DisplayClipper* ClipperOf(const SDL_Surface* surface)
{
    return static_cast<DisplayClipper*>(surface->userdata);
}

static void FreeClipper(DisplayClipper* clipper)
{
    if (clipper != nullptr) {
        delete[] clipper->rects;
        delete clipper;
    }
}

DisplaySurface DisplayCreateSurface(int width, int height, unsigned, int colourKey)
{
    // Every surface lives in system memory, so the memory flags choose nothing here.
    if (width <= 0 || height <= 0 || width > DISPLAY_MAX_SIDE || height > DISPLAY_MAX_SIDE) {
        return nullptr;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 0, SurfaceFormat());
    if (surface == nullptr) {
        return nullptr;
    }
    if (DisplayPalette != nullptr && surface->format->palette != nullptr) {
        SDL_SetSurfacePalette(surface, DisplayPalette);
    }
    surface->userdata = nullptr;
    // A key wider than the pixel could never match; the pixel's own bits are what is compared.
    Uint32 key = static_cast<Uint32>(colourKey) & 0xFFFF;
    if (surface->format->BytesPerPixel == 1) {
        key &= 0xFF;
    }
    SDL_SetColorKey(surface, SDL_TRUE, key);
    return surface;
}

void DisplayDestroySurface(DisplaySurface surface)
{
    if (surface == nullptr) {
        return;
    }
    DisplayClipper* clipper = ClipperOf(surface);
    if (clipper == BackClipper) {
        BackClipper = nullptr;
    }
    if (clipper == WindowClipper) {
        WindowClipper = nullptr;
    }
    FreeClipper(clipper);
    surface->userdata = nullptr;
    SDL_FreeSurface(surface);
}

DisplayClipper* DisplayAttachClipper(DisplaySurface surface, int rectCount, const RECT* rects)
{
    if (surface == nullptr || rectCount < 0 || rectCount > DISPLAY_MAX_CLIP_RECTS ||
        (rectCount > 0 && rects == nullptr)) {
        return nullptr;
    }
    auto* clipper = new (std::nothrow) DisplayClipper{};
    if (clipper == nullptr) {
        return nullptr;
    }
    clipper->rects = new (std::nothrow) RECT[std::max(rectCount, 1)]{};
    if (clipper->rects == nullptr) {
        delete clipper;
        return nullptr;
    }
    RGNDATAHEADER& h = clipper->header;
    h.dwSize = sizeof(RGNDATAHEADER);
    h.iType = RDH_RECTANGLES;
    h.nCount = static_cast<uint32_t>(rectCount);
    h.nRgnSize = static_cast<uint32_t>(rectCount) * sizeof(RECT);
    h.rcBound = RECT{CLIP_BOUND_START, CLIP_BOUND_START, -CLIP_BOUND_START, -CLIP_BOUND_START};
    for (int i = 0; i < rectCount; ++i) {
        const RECT& r = rects[i];
        clipper->rects[i] = r;
        h.rcBound.left = std::min(h.rcBound.left, r.left);
        h.rcBound.top = std::min(h.rcBound.top, r.top);
        h.rcBound.right = std::max(h.rcBound.right, r.right);
        h.rcBound.bottom = std::max(h.rcBound.bottom, r.bottom);
    }
    // The new clipper takes the place of the one before; the globals follow it, so they never
    // name a freed clipper.
    DisplayClipper* old = ClipperOf(surface);
    surface->userdata = clipper;
    if (old != nullptr) {
        if (BackClipper == old) {
            BackClipper = clipper;
        }
        if (WindowClipper == old) {
            WindowClipper = clipper;
        }
        FreeClipper(old);
    }
    return clipper;
}

// ---- clipping ----

// A rectangle with exclusive right and bottom edges, wide enough for any RECT's extent.
struct Area {
    long long left, top, right, bottom;
    bool Empty() const
    {
        return left >= right || top >= bottom;
    }
};

static Area Intersect(const Area& a, const Area& b)
{
    return Area{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

static Area AreaOf(const RECT& r)
{
    return Area{r.left, r.top, r.right, r.bottom};
}

static Area WholeOf(const SDL_Surface* surface)
{
    return Area{0, 0, surface->w, surface->h};
}

// Calls draw(area) for each part of target that the surface's clipper lets through, each part
// inside the surface.
template <typename Draw>
static void ForEachClipPart(const SDL_Surface* surface, const Area& target, Draw draw)
{
    const Area inside = Intersect(target, WholeOf(surface));
    if (inside.Empty()) {
        return;
    }
    const DisplayClipper* clipper = ClipperOf(surface);
    if (clipper == nullptr) {
        draw(inside);
        return;
    }
    for (uint32_t i = 0; i < clipper->header.nCount; ++i) {
        const Area part = Intersect(inside, AreaOf(clipper->rects[i]));
        if (!part.Empty()) {
            draw(part);
        }
    }
}

// ---- fills ----

static int FillClipped(DisplaySurface surface, const RECT* rect, Uint32 colour)
{
    if (surface == nullptr) {
        return 0;
    }
    if (surface == PrimarySurface) {
        RedrawAll = true; // the output no longer shows what the primary holds
    }
    const Area target = rect != nullptr ? AreaOf(*rect) : WholeOf(surface);
    const bool eightBit = surface->format->BytesPerPixel == 1 && !SDL_MUSTLOCK(surface);
    ForEachClipPart(surface, target, [&](const Area& a) {
        SDL_Rect r{static_cast<int>(a.left), static_cast<int>(a.top),
                   static_cast<int>(a.right - a.left), static_cast<int>(a.bottom - a.top)};
        if (!eightBit) {
            SDL_FillRect(surface, &r, colour);
            return;
        }
        // SDL fills large areas with non-temporal stores that bypass the cache; the back surface
        // is cleared every frame and drawn over at once, so plain stores that leave it in the
        // cache cost a fraction of that.
        auto* row =
            static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(r.y) * surface->pitch;
        for (int y = 0; y < r.h; ++y, row += surface->pitch) {
            std::memset(row + r.x, static_cast<int>(colour & 0xFF), static_cast<size_t>(r.w));
        }
    });
    return 1;
}

int DisplayFill(DisplaySurface surface, int colour, const RECT* rect)
{
    return FillClipped(surface, rect, static_cast<Uint32>(colour) & 0xFFFF);
}

int DisplayFillRect(int left, int top, int right, int bottom, int colour, DisplaySurface surface)
{
    const RECT rect{left, top, right, bottom};
    return FillClipped(surface, &rect, static_cast<Uint32>(colour));
}

// ---- copies ----

// Copies n pixels of one 8-bit row, skipping those equal to key: eight at a time, whole words of
// key pixels skipped and words without one copied at once, since sprites are mostly one or the
// other.
static void CopyRowKeyed8(uint8_t* to, const uint8_t* from, int n, uint8_t key)
{
    constexpr uint64_t ONES = 0x0101010101010101ull;
    constexpr uint64_t LOW7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr uint64_t HIGH = ~LOW7;
    const uint64_t keys = ONES * key;
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t v;
        std::memcpy(&v, from + i, 8);
        const uint64_t x = v ^ keys; // zero bytes where the pixel is the key
        const uint64_t shown = (((x & LOW7) + LOW7) | x) & HIGH; // top bit per non-key byte
        if (shown == 0) {
            continue;
        }
        if (shown != HIGH) {
            const uint64_t mask = (shown >> 7) * 0xFF;
            uint64_t old;
            std::memcpy(&old, to + i, 8);
            v = (v & mask) | (old & ~mask);
        }
        std::memcpy(to + i, &v, 8);
    }
    for (; i < n; ++i) {
        if (from[i] != key) {
            to[i] = from[i];
        }
    }
}

static void CopyRowKeyed16(uint8_t* to, const uint8_t* from, int n, Uint32 key)
{
    for (int i = 0; i < n; ++i) {
        uint16_t p;
        std::memcpy(&p, from + 2 * i, 2);
        if (p != key) {
            std::memcpy(to + 2 * i, &p, 2);
        }
    }
}

// One visible part of a copy: dst pixels of part come from the source rectangle s mapped onto
// the destination rectangle d (nearest neighbour when their sizes differ).
struct CopyJob {
    const SDL_Surface* src;
    SDL_Surface* dst;
    Area s;
    Area d;
    bool keyed;
    Uint32 key;
};

static void CopyPart(const CopyJob& job, const Area& part)
{
    const int bytes = job.dst->format->BytesPerPixel;
    const long long sw = job.s.right - job.s.left, sh = job.s.bottom - job.s.top;
    const long long dw = job.d.right - job.d.left, dh = job.d.bottom - job.d.top;
    const int width = static_cast<int>(part.right - part.left);
    const auto* srcPixels = static_cast<const uint8_t*>(job.src->pixels);
    auto* dstPixels = static_cast<uint8_t*>(job.dst->pixels);
    const bool stretched = sw != dw || sh != dh;
    std::vector<int> columns; // source column of each destination column of the part
    if (stretched) {
        columns.resize(width);
        for (int i = 0; i < width; ++i) {
            columns[i] = static_cast<int>(job.s.left + (part.left + i - job.d.left) * sw / dw);
        }
    }
    for (long long y = part.top; y < part.bottom; ++y) {
        const long long sy = job.s.top + (y - job.d.top) * sh / dh;
        const uint8_t* from = srcPixels + sy * job.src->pitch;
        uint8_t* to = dstPixels + y * job.dst->pitch + part.left * bytes;
        if (!stretched) {
            from += (job.s.left + part.left - job.d.left) * bytes;
            if (!job.keyed) {
                std::memmove(to, from, static_cast<size_t>(width) * bytes);
            } else if (bytes == 1) {
                CopyRowKeyed8(to, from, width, static_cast<uint8_t>(job.key));
            } else {
                CopyRowKeyed16(to, from, width, job.key);
            }
        } else if (bytes == 1) {
            for (int i = 0; i < width; ++i) {
                const uint8_t p = from[columns[i]];
                if (!job.keyed || p != job.key) {
                    to[i] = p;
                }
            }
        } else {
            for (int i = 0; i < width; ++i) {
                uint16_t p;
                std::memcpy(&p, from + 2 * columns[i], 2);
                if (!job.keyed || p != job.key) {
                    std::memcpy(to + 2 * i, &p, 2);
                }
            }
        }
    }
}

int DisplayBlit(DisplaySurface src, const RECT* srcRect, DisplaySurface dst, const RECT* dstRect,
                int useColourKey)
{
    if (src == nullptr || dst == nullptr) {
        return 0;
    }
    const int bytes = src->format->BytesPerPixel;
    if (bytes != dst->format->BytesPerPixel || (bytes != 1 && bytes != 2)) {
        return 0;
    }
    CopyJob job{src,
                dst,
                srcRect ? AreaOf(*srcRect) : WholeOf(src),
                dstRect ? AreaOf(*dstRect) : WholeOf(dst),
                false,
                0};
    // The source rectangle must lie inside the source; an empty or absurd rectangle is refused.
    const Area inSource = Intersect(job.s, WholeOf(src));
    const long long dw = job.d.right - job.d.left, dh = job.d.bottom - job.d.top;
    if (job.s.Empty() || inSource.left != job.s.left || inSource.top != job.s.top ||
        inSource.right != job.s.right || inSource.bottom != job.s.bottom || dw <= 0 || dh <= 0 ||
        dw > DISPLAY_MAX_SIDE * 16 || dh > DISPLAY_MAX_SIDE * 16) {
        return 0;
    }
    if (useColourKey) {
        job.keyed = SDL_GetColorKey(src, &job.key) == 0;
    }
    // An RLE-accelerated source keeps its pixels encoded until it is locked.
    const bool lockSource = SDL_MUSTLOCK(src) && src != dst;
    if (lockSource && SDL_LockSurface(src) != 0) {
        return 0;
    }
    if (SDL_MUSTLOCK(dst) && SDL_LockSurface(dst) != 0) {
        if (lockSource) {
            SDL_UnlockSurface(src);
        }
        return 0;
    }
    if (dst == PrimarySurface) {
        RedrawAll = true; // the output no longer shows what the primary holds
    }
    ForEachClipPart(dst, job.d, [&](const Area& part) { CopyPart(job, part); });
    if (SDL_MUSTLOCK(dst)) {
        SDL_UnlockSurface(dst);
    }
    if (lockSource) {
        SDL_UnlockSurface(src);
    }
    return 1;
}

// ---- locks ----

uint8_t* DisplayLockSurface(DisplaySurface surface, int* pitch)
{
    if (surface == nullptr || SDL_LockSurface(surface) != 0) {
        return nullptr;
    }
    // The flip's comparison holds only while the primary is what the output shows.
    if (surface == PrimarySurface) {
        RedrawAll = true;
    }
    if (pitch != nullptr) {
        *pitch = surface->pitch;
    }
    return static_cast<uint8_t*>(surface->pixels);
}

int DisplayUnlockSurface(DisplaySurface surface)
{
    if (surface == nullptr) {
        return 0;
    }
    SDL_UnlockSurface(surface);
    return 1;
}

uint8_t* DisplayLockPrimary()
{
    if (PrimaryMemory == nullptr) {
        PrimaryMemory = DisplayLockSurface(PrimarySurface, &PrimaryPitch);
    }
    return PrimaryMemory;
}

int DisplayUnlockPrimary()
{
    if (PrimaryMemory == nullptr) {
        return 0;
    }
    DisplayUnlockSurface(PrimarySurface);
    PrimaryMemory = nullptr;
    PrimaryPitch = 0;
    // Drawing into the primary is drawing onto the screen.
    DisplayShowPrimary();
    return 1;
}

uint8_t* DisplayLockBack()
{
    if (BackMemory == nullptr) {
        BackMemory = DisplayLockSurface(BackSurface, &BackPitch);
    }
    return BackMemory;
}

int DisplayUnlockBack()
{
    if (BackMemory == nullptr) {
        return 0;
    }
    DisplayUnlockSurface(BackSurface);
    BackMemory = nullptr;
    BackPitch = 0;
    return 1;
}

int DisplayWaitVBlank()
{
    // SDL tells when a refresh begins only through a vsync'd present, so this waits for the next
    // refresh period of the tick counter instead (60 Hz when the display does not say).
    int hertz = 60;
    SDL_DisplayMode mode{};
    if (DisplayWindow != nullptr && SDL_GetWindowDisplayMode(DisplayWindow, &mode) == 0 &&
        mode.refresh_rate > 0) {
        hertz = mode.refresh_rate;
    }
    const uint32_t period = std::max(1, 1000 / hertz);
    const uint32_t now = PlatformTicks();
    const uint32_t next = now - now % period + period;
    while (static_cast<int32_t>(PlatformTicks() - next) < 0) {
        PlatformNap();
    }
    return 1;
}

// ---- the picture on screen ----

static void DestroyRenderer()
{
    if (SharpTexture != nullptr) {
        SDL_DestroyTexture(SharpTexture);
        SharpTexture = nullptr;
    }
    Plan = NO_PLAN;
    if (ScreenTexture != nullptr) {
        SDL_DestroyTexture(ScreenTexture);
        ScreenTexture = nullptr;
    }
    if (Renderer != nullptr) {
        SDL_DestroyRenderer(Renderer);
        Renderer = nullptr;
    }
    if (TextureFormat != nullptr) {
        SDL_FreeFormat(TextureFormat);
        TextureFormat = nullptr;
    }
    LookupValid = false;
    OutputMade = false;
    RedrawAll = true;
}

// The texture's pixel format: the one the renderer copies fastest. A software renderer copies
// the texture into the window's own surface, where the window's format makes that a plain copy;
// an accelerated renderer names its favourite first.
static Uint32 ChooseTextureFormat()
{
    if (ScreenBpp == 16) {
        return SDL_PIXELFORMAT_RGB565;
    }
    Uint32 format = SDL_PIXELFORMAT_ARGB8888;
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(Renderer, &info) == 0) {
        if (info.flags & SDL_RENDERER_SOFTWARE) {
            format = SDL_GetWindowPixelFormat(DisplayWindow);
        } else if (info.num_texture_formats > 0) {
            format = info.texture_formats[0];
        }
    }
    if (SDL_ISPIXELFORMAT_FOURCC(format) || SDL_ISPIXELFORMAT_INDEXED(format) ||
        SDL_BYTESPERPIXEL(format) != 4) {
        format = SDL_PIXELFORMAT_ARGB8888;
    }
    return format;
}

// The largest rectangle of the screen's shape inside the output, centred (the letterbox).
static SDL_Rect FitPicture(int outW, int outH)
{
    SDL_Rect r{0, 0, outW, outH};
    if (static_cast<long long>(outW) * ScreenHeight >= static_cast<long long>(outH) * ScreenWidth) {
        r.w = static_cast<int>(static_cast<long long>(ScreenWidth) * outH / ScreenHeight);
    } else {
        r.h = static_cast<int>(static_cast<long long>(ScreenHeight) * outW / ScreenWidth);
    }
    r.x = (outW - r.w) / 2;
    r.y = (outH - r.h) / 2;
    return r;
}

// Makes SharpTexture width x height, keeping one of that size; false (with no SharpTexture) when
// the renderer cannot draw into a texture or refuses one that large.
static bool MakeSharpTexture(int width, int height)
{
    if (SharpTexture != nullptr) {
        int w = 0, h = 0;
        if (SDL_QueryTexture(SharpTexture, nullptr, nullptr, &w, &h) == 0 && w == width &&
            h == height) {
            return true;
        }
        SDL_DestroyTexture(SharpTexture);
        SharpTexture = nullptr;
    }
    if (!SDL_RenderTargetSupported(Renderer)) {
        SDL_SetError("the renderer draws into no textures");
        return false;
    }
    if (width > DISPLAY_MAX_SIDE || height > DISPLAY_MAX_SIDE) {
        SDL_SetError("%d x %d is too large", width, height);
        return false;
    }
    SharpTexture =
        SDL_CreateTexture(Renderer, TextureFormat->format, SDL_TEXTUREACCESS_TARGET, width, height);
    if (SharpTexture == nullptr) {
        return false;
    }
    SDL_SetTextureScaleMode(SharpTexture, SDL_ScaleModeLinear);
    SDL_SetTextureBlendMode(SharpTexture, SDL_BLENDMODE_NONE);
    return true;
}

// Lays the picture out on an output of outW x outH in DisplayScaleMode (an unknown mode counts as
// sharp): for the window surface as the scaler's tables, for a renderer as the textures' filters.
static void PlanScaling(int outW, int outH)
{
    const int w = ScreenWidth, h = ScreenHeight;
    ScalePlan plan{outW, outH, FitPicture(outW, outH), 1, true};
    SDL_Rect& p = plan.picture;
    int whole = 0; // sharp: the whole factor up before the linear step down; 0: nearest alone
    if (DisplayScaleMode == DISPLAY_SCALE_INTEGER) {
        const int f = std::max(1, std::min(outW / w, outH / h));
        p = SDL_Rect{(outW - w * f) / 2, (outH - h * f) / 2, w * f, h * f};
    } else if (DisplayScaleMode != DISPLAY_SCALE_NEAREST && (p.w != w || p.h != h)) {
        // Nearest neighbour by a whole factor keeps every pixel square and equal; the linear step
        // down from there blends only where two pixels meet, one output pixel wide at most.
        whole = std::max({1, (p.w + w - 1) / w, (p.h + h - 1) / h});
    }
    plan.bars = p.x > 0 || p.y > 0 || p.x + p.w < outW || p.y + p.h < outH;
    if (SurfaceOutput) {
        if (ScalerSetup(w, h, p.w, p.h, whole) == 0) {
            plan.picture = SDL_Rect{0, 0, 0, 0}; // no room to draw in: nothing is drawn
        }
        Plan = plan;
        return;
    }
    bool linear = false;
    if (whole == 1) {
        linear = true; // smaller than the screen: straight down
    } else if (whole > 1 && (p.w != w * whole || p.h != h * whole)) {
        if (MakeSharpTexture(w * whole, h * whole)) {
            plan.factor = whole;
        } else {
            ErrorLogWrite("\nscale = nearest: %s", SDL_GetError());
        }
    }
    if (plan.factor == 1 && SharpTexture != nullptr) {
        SDL_DestroyTexture(SharpTexture);
        SharpTexture = nullptr;
    }
    SDL_SetTextureScaleMode(ScreenTexture, linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    Plan = plan;
}

// True when the renderer draws on the processor: SDL's software renderer, or OpenGL whose driver
// is a software rasteriser (Mesa's llvmpipe or softpipe), asked while the renderer's context is
// current, as it is right after the renderer is made. name gets what the driver calls itself.
static bool RendererIsSoftware(SDL_Renderer* renderer, char* name, size_t nameSize)
{
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0) {
        return false;
    }
    std::snprintf(name, nameSize, "%s", info.name);
    if (info.flags & SDL_RENDERER_SOFTWARE) {
        return true;
    }
    if (std::strncmp(info.name, "opengl", 6) != 0 || SDL_GL_GetCurrentContext() == nullptr ||
        SDL_GL_GetCurrentWindow() != DisplayWindow) {
        return false;
    }
    constexpr unsigned GL_RENDERER_NAME = 0x1F01; // GL_RENDERER
    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* glName = getString ? getString(GL_RENDERER_NAME) : nullptr;
    if (glName == nullptr) {
        return false;
    }
    std::snprintf(name, nameSize, "%s %s", info.name, reinterpret_cast<const char*>(glName));
    std::string lower(reinterpret_cast<const char*>(glName));
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const char* soft : {"llvmpipe", "softpipe", "software rasterizer", "swrast"}) {
        if (lower.find(soft) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Chooses, once per set-up, how the picture reaches the window. Without a GPU the window's own
// surface costs least: the flip scales only the changed tiles straight into it and sends only
// those to the window system, where a software renderer or a software OpenGL would copy or
// rasterise the whole picture every frame. With a GPU the renderer stays (vsync, scaling on the
// GPU), and is left made in Renderer.
static bool ChooseSurfaceOutput()
{
    // Set before the window's first surface exists: otherwise SDL may build that surface on an
    // OpenGL texture of its own, which a software OpenGL makes the dearest way of all.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (DisplayForceRenderer) {
        return false;
    }
    char name[160] = "none";
    Renderer =
        SDL_CreateRenderer(DisplayWindow, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (Renderer != nullptr && !RendererIsSoftware(Renderer, name, sizeof name)) {
        ErrorLogWrite("\npresent = renderer (%s)", name);
        return false;
    }
    DestroyRenderer();
    ErrorLogWrite("\npresent = window surface (accelerated renderer: %s)", name);
    return true;
}

static bool MakeRenderer()
{
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    if (Renderer == nullptr) {
        Renderer = SDL_CreateRenderer(DisplayWindow, -1,
                                      SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    }
    if (Renderer == nullptr) {
        Renderer = SDL_CreateRenderer(DisplayWindow, -1, SDL_RENDERER_SOFTWARE);
    }
    if (Renderer == nullptr) {
        return false;
    }
    const Uint32 format = ChooseTextureFormat();
    TextureFormat = SDL_AllocFormat(format);
    ScreenTexture =
        SDL_CreateTexture(Renderer, format, SDL_TEXTUREACCESS_STREAMING, ScreenWidth, ScreenHeight);
    int outW = 0, outH = 0;
    if (TextureFormat == nullptr || ScreenTexture == nullptr ||
        SDL_GetRendererOutputSize(Renderer, &outW, &outH) != 0) {
        DestroyRenderer();
        return false;
    }
    SDL_SetTextureBlendMode(ScreenTexture, SDL_BLENDMODE_NONE);
    PlanScaling(outW, outH);
    OutputMade = true;
    return true;
}

// Makes the way to the window anew (the first time choosing it); the next flip draws everything.
static bool MakeOutput()
{
    DestroyRenderer();
    if (!OutputChosen) {
        OutputChosen = true;
        SurfaceOutput = ChooseSurfaceOutput();
    }
    if (SurfaceOutput) {
        const SDL_Surface* surface = SDL_GetWindowSurface(DisplayWindow);
        if (surface != nullptr && surface->format->BytesPerPixel == 4) {
            OutputMade = true;
            return true;
        }
        // A window system without a surface for windows (Wayland, for one), or a display of
        // other than 32 bits a pixel, which the scaler does not write: a renderer after all.
        ErrorLogWrite("\npresent = renderer: %s",
                      surface ? "the window's surface is not 32 bits a pixel" : SDL_GetError());
        SurfaceOutput = false;
    }
    return MakeRenderer();
}

// Makes the lookups for an output of format, when the palette or the format has changed since.
static void UpdateLookup(const SDL_PixelFormat* format)
{
    if (LookupValid && LookupFormat == format->format &&
        (ScreenBpp != 8 || LookupVersion == PaletteVersion)) {
        return;
    }
    if (ScreenBpp == 8) {
        std::array<PALETTEENTRY, PALETTE_SIZE> colours{};
        PaletteGetDisplayEntries(0, PALETTE_SIZE, colours.data());
        for (int i = 0; i < PALETTE_SIZE; ++i) {
            FlipLookup[i] =
                SDL_MapRGBA(format, colours[i].peRed, colours[i].peGreen, colours[i].peBlue, 255);
        }
        for (int second = 0; second < PALETTE_SIZE; ++second) {
            for (int first = 0; first < PALETTE_SIZE; ++first) {
                FlipPairLookup[second * PALETTE_SIZE + first] =
                    FlipLookup[first] | uint64_t{FlipLookup[second]} << 32;
            }
        }
    } else {
        // 5.6.5 widened to 8 bits a channel, the top bits repeated into the low ones.
        Lookup16.resize(65536);
        for (int p = 0; p < 65536; ++p) {
            const int r = p >> 11, g = (p >> 5) & 63, b = p & 31;
            Lookup16[p] = SDL_MapRGBA(format, static_cast<Uint8>(r << 3 | r >> 2),
                                      static_cast<Uint8>(g << 2 | g >> 4),
                                      static_cast<Uint8>(b << 3 | b >> 2), 255);
        }
    }
    LookupVersion = PaletteVersion;
    LookupFormat = format->format;
    LookupValid = true;
    RedrawAll = true;
}

// Copies the tiles of BackSurface that differ from PrimarySurface into it, marking them changed:
// the comparison is what makes a flip of an unchanged picture cost almost nothing.
// Which bytes of a tile's row differ: first and last, counted from the tile's start; -1 for
// none. Whole words are compared first, so an unchanged tile costs a few loads.
template <size_t TileBytes>
static void DifferingBytes(const uint8_t* from, const uint8_t* kept, int* first, int* last)
{
    *first = *last = -1;
    for (size_t at = 0; at < TileBytes; at += 8) {
        uint64_t a, b;
        std::memcpy(&a, from + at, 8);
        std::memcpy(&b, kept + at, 8);
        const uint64_t d = a ^ b;
        if (d == 0) {
            continue;
        }
        int low = 0, high = 7;
        if constexpr (std::endian::native == std::endian::little) {
            low = std::countr_zero(d) / 8;
            high = 7 - std::countl_zero(d) / 8;
        }
        if (*first < 0) {
            *first = static_cast<int>(at) + low;
        }
        *last = static_cast<int>(at) + high;
    }
}

// Widens a tile's box of changed pixels by the pixels first..last of its row y (within the tile),
// marking it changed; rows come top to bottom.
static void MarkChanged(size_t tile, int first, int last, int y, uint8_t* changed, TileBox* boxes)
{
    TileBox& b = boxes[tile];
    if (!changed[tile]) {
        changed[tile] = 1;
        b = TileBox{static_cast<uint8_t>(first), static_cast<uint8_t>(y),
                    static_cast<uint8_t>(last + 1), static_cast<uint8_t>(y + 1)};
        return;
    }
    b.left = std::min(b.left, static_cast<uint8_t>(first));
    b.right = std::max(b.right, static_cast<uint8_t>(last + 1));
    b.bottom = static_cast<uint8_t>(y + 1);
}

// One row of the picture: each tile's part of it that differs is copied and the tile's box of
// changed pixels widened. The tile's width in bytes is a constant here, so the comparisons are a
// few plain loads.
template <size_t TileBytes>
static void KeepChangedRow(const uint8_t* from, uint8_t* kept, size_t rowBytes, int y,
                           uint8_t* changed, TileBox* boxes)
{
    constexpr int PIXEL_BYTES = static_cast<int>(TileBytes) / DISPLAY_TILE_W;
    size_t at = 0, tile = 0;
    for (; at + TileBytes <= rowBytes; at += TileBytes, ++tile) {
        if (std::memcmp(from + at, kept + at, TileBytes) == 0) {
            continue;
        }
        if (changed[tile] && boxes[tile].left == 0 && boxes[tile].right == DISPLAY_TILE_W) {
            boxes[tile].bottom = static_cast<uint8_t>(y + 1); // as wide as it gets already
        } else {
            int first = 0, last = 0;
            DifferingBytes<TileBytes>(from + at, kept + at, &first, &last);
            MarkChanged(tile, first / PIXEL_BYTES, last / PIXEL_BYTES, y, changed, boxes);
        }
        std::memcpy(kept + at, from + at, TileBytes);
    }
    if (at < rowBytes && std::memcmp(from + at, kept + at, rowBytes - at) != 0) {
        // The narrower last tile of a screen whose width is no multiple of the tile's: all of it.
        std::memcpy(kept + at, from + at, rowBytes - at);
        MarkChanged(tile, 0, static_cast<int>(rowBytes - at) / PIXEL_BYTES - 1, y, changed, boxes);
    }
}

// Copies the parts of BackSurface that differ from PrimarySurface into it, marking the tiles
// they are in and the box of changed pixels within each: the comparison is what makes a flip of
// an unchanged picture cost almost nothing, and the boxes keep the redraw near what moved.
static void KeepChangedTiles()
{
    const int bytes = BackSurface->format->BytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(ScreenWidth) * bytes;
    for (int y = 0; y < ScreenHeight; ++y) {
        const uint8_t* from = static_cast<const uint8_t*>(BackSurface->pixels) +
                              static_cast<size_t>(y) * BackSurface->pitch;
        uint8_t* kept = static_cast<uint8_t*>(PrimarySurface->pixels) +
                        static_cast<size_t>(y) * PrimarySurface->pitch;
        const size_t rowOfTiles = static_cast<size_t>(y / DISPLAY_TILE_H) * TileColumns;
        uint8_t* changed = TileChanged.data() + rowOfTiles;
        TileBox* boxes = TileBoxes.data() + rowOfTiles;
        if (bytes == 1) {
            KeepChangedRow<DISPLAY_TILE_W>(from, kept, rowBytes, y % DISPLAY_TILE_H, changed,
                                           boxes);
        } else {
            KeepChangedRow<DISPLAY_TILE_W * 2>(from, kept, rowBytes, y % DISPLAY_TILE_H, changed,
                                               boxes);
        }
    }
}

// The changed parts of the picture as rectangles: for each run of changed tiles along a row of
// tiles, the box around their changed pixels, joined to the same columns' box just above when
// they meet. Clears the marks.
static void CollectChangedAreas()
{
    ChangedAreas.clear();
    size_t rowStart = 0; // the first area of the row of tiles above
    for (int ty = 0; ty < TileRows; ++ty) {
        const size_t thisRow = ChangedAreas.size();
        uint8_t* changed = TileChanged.data() + static_cast<size_t>(ty) * TileColumns;
        const TileBox* boxes = TileBoxes.data() + static_cast<size_t>(ty) * TileColumns;
        const int tileTop = ty * DISPLAY_TILE_H;
        for (int tx = 0; tx < TileColumns;) {
            if (!changed[tx]) {
                ++tx;
                continue;
            }
            const int start = tx;
            int top = DISPLAY_TILE_H, bottom = 0;
            for (; tx < TileColumns && changed[tx]; ++tx) {
                changed[tx] = 0;
                top = std::min(top, static_cast<int>(boxes[tx].top));
                bottom = std::max(bottom, static_cast<int>(boxes[tx].bottom));
            }
            const ScalerRect area{start * DISPLAY_TILE_W + boxes[start].left, tileTop + top,
                                  (tx - 1) * DISPLAY_TILE_W + boxes[tx - 1].right,
                                  tileTop + bottom};
            bool joined = false;
            for (size_t i = rowStart; i < thisRow && !joined; ++i) {
                ScalerRect& above = ChangedAreas[i];
                if (above.left == area.left && above.right == area.right &&
                    above.bottom == area.top) {
                    above.bottom = area.bottom;
                    joined = true;
                }
            }
            if (!joined) {
                ChangedAreas.push_back(area);
            }
        }
        // Areas that reach into this row of tiles are the only ones the next row can join;
        // areas are added in order, so skipping those that end above it is enough.
        while (rowStart < ChangedAreas.size() && ChangedAreas[rowStart].bottom <= tileTop) {
            ++rowStart;
        }
    }
}

static void ForgetChangedTiles()
{
    std::fill(TileChanged.begin(), TileChanged.end(), uint8_t{0});
}

// Scales the changed areas of the picture (all of it after RedrawAll) straight into the window's
// surface and sends only those rectangles to the window system.
static bool PresentToSurface(const SDL_Surface* picture)
{
    SDL_Surface* out = SDL_GetWindowSurface(DisplayWindow);
    if (out == nullptr || out->format->BytesPerPixel != 4) {
        return false; // made anew, by a renderer when the surface is not 32 bits a pixel
    }
    // A new surface (the first flip, a resize, a switch to or from full screen) holds nothing of
    // ours: it is laid out anew and drawn whole.
    if (out->userdata != &WindowSurfaceMark || out->w != Plan.outW || out->h != Plan.outH) {
        out->userdata = &WindowSurfaceMark;
        PlanScaling(out->w, out->h);
        RedrawAll = true;
    }
    UpdateLookup(out->format);
    const bool all = RedrawAll;
    if (all) {
        ForgetChangedTiles();
        if (Plan.bars && SDL_FillRect(out, nullptr, SDL_MapRGB(out->format, 0, 0, 0)) != 0) {
            return false;
        }
        ChangedAreas.assign(1, ScalerRect{0, 0, ScreenWidth, ScreenHeight});
    } else {
        CollectChangedAreas();
    }
    if (ChangedAreas.empty() && !ShowAll) {
        return true;
    }
    if (SDL_MUSTLOCK(out) && SDL_LockSurface(out) != 0) {
        return false;
    }
    // The part of the picture inside the output (all of it, unless integer scaling crops).
    const SDL_Rect& p = Plan.picture;
    const ScalerRect visible{std::max(0, -p.x), std::max(0, -p.y), std::min(p.w, out->w - p.x),
                             std::min(p.h, out->h - p.y)};
    SentRects.clear();
    const bool eightBit = picture->format->BytesPerPixel == 1;
    for (const ScalerRect& area : ChangedAreas) {
        ScalerRect o = ScalerOutputArea(area);
        o = ScalerRect{std::max(o.left, visible.left), std::max(o.top, visible.top),
                       std::min(o.right, visible.right), std::min(o.bottom, visible.bottom)};
        if (o.left >= o.right || o.top >= o.bottom) {
            continue;
        }
        ScalerDraw(static_cast<const uint8_t*>(picture->pixels), picture->pitch,
                   picture->format->BytesPerPixel, eightBit ? FlipLookup.data() : Lookup16.data(),
                   FlipPairLookup.data(), static_cast<uint32_t*>(out->pixels), out->pitch, p.x, p.y,
                   o);
        SentRects.push_back(
            SDL_Rect{o.left + p.x, o.top + p.y, o.right - o.left, o.bottom - o.top});
    }
    if (SDL_MUSTLOCK(out)) {
        SDL_UnlockSurface(out);
    }
    if (all || ShowAll) {
        return SDL_UpdateWindowSurface(DisplayWindow) == 0;
    }
    return SentRects.empty() ||
           SDL_UpdateWindowSurfaceRects(DisplayWindow, SentRects.data(),
                                        static_cast<int>(SentRects.size())) == 0;
}

// Converts rows top..bottom-1, columns left..right-1 of the picture into ScreenTexture.
static bool FillTexture(const SDL_Surface* picture, const SDL_Rect& r)
{
    void* texturePixels = nullptr;
    int texturePitch = 0;
    if (SDL_LockTexture(ScreenTexture, &r, &texturePixels, &texturePitch) != 0) {
        return false;
    }
    const int bytes = picture->format->BytesPerPixel;
    for (int y = 0; y < r.h; ++y) {
        const auto* from = static_cast<const uint8_t*>(picture->pixels) +
                           static_cast<size_t>(r.y + y) * picture->pitch + r.x * bytes;
        uint8_t* to = static_cast<uint8_t*>(texturePixels) + static_cast<size_t>(y) * texturePitch;
        if (bytes == 1) {
            ScalerConvertRow8(from, reinterpret_cast<uint32_t*>(to), r.w, FlipLookup.data(),
                              FlipPairLookup.data());
        } else {
            std::memcpy(to, from, static_cast<size_t>(r.w) * 2);
        }
    }
    SDL_UnlockTexture(ScreenTexture);
    return true;
}

// Puts the changed rows of tiles of the picture (all of it after RedrawAll) into the texture, one
// locked band of consecutive changed rows at a time, and presents when anything is new.
static bool PresentToRenderer(const SDL_Surface* picture)
{
    if (Renderer == nullptr || ScreenTexture == nullptr) {
        return false;
    }
    if (picture->format->BytesPerPixel == 1) {
        UpdateLookup(TextureFormat);
    }
    bool changed = RedrawAll;
    if (RedrawAll) {
        ForgetChangedTiles();
        if (!FillTexture(picture, SDL_Rect{0, 0, ScreenWidth, ScreenHeight})) {
            return false;
        }
    } else {
        for (int ty = 0; ty < TileRows;) {
            int left = TileColumns, right = -1, end = ty;
            for (; end < TileRows; ++end) {
                const uint8_t* row = TileChanged.data() + static_cast<size_t>(end) * TileColumns;
                const auto first = std::find(row, row + TileColumns, uint8_t{1});
                if (first == row + TileColumns) {
                    break;
                }
                const auto last = std::find(std::make_reverse_iterator(row + TileColumns),
                                            std::make_reverse_iterator(row), uint8_t{1});
                left = std::min(left, static_cast<int>(first - row));
                right = std::max(right, static_cast<int>(last.base() - row) - 1);
            }
            if (end == ty) {
                ++ty;
                continue;
            }
            const int x0 = left * DISPLAY_TILE_W, y0 = ty * DISPLAY_TILE_H;
            const SDL_Rect band{x0, y0, std::min((right + 1) * DISPLAY_TILE_W, ScreenWidth) - x0,
                                std::min(end * DISPLAY_TILE_H, ScreenHeight) - y0};
            if (!FillTexture(picture, band)) {
                return false;
            }
            changed = true;
            ty = end;
        }
        ForgetChangedTiles();
    }
    // A resized window or a full screen toggle shows here first.
    int outW = 0, outH = 0;
    if (SDL_GetRendererOutputSize(Renderer, &outW, &outH) != 0) {
        return false;
    }
    if (outW != Plan.outW || outH != Plan.outH) {
        PlanScaling(outW, outH);
        changed = true;
    }
    // Nothing new and nothing lost: the window keeps showing the last present.
    if (!changed && !ShowAll) {
        return true;
    }
    SDL_Texture* shown = ScreenTexture;
    if (Plan.factor > 1) {
        const bool drawn = SDL_SetRenderTarget(Renderer, SharpTexture) == 0 &&
                           SDL_RenderCopy(Renderer, ScreenTexture, nullptr, nullptr) == 0;
        if (SDL_SetRenderTarget(Renderer, nullptr) != 0) {
            return false;
        }
        if (drawn) {
            shown = SharpTexture;
        } else {
            // A renderer that offers texture targets but fails to draw into them still shows a
            // picture, nearest, until the output changes; a lost device fails the copy below too
            // and gets a fresh renderer.
            ErrorLogWrite("\nscale = nearest: %s", SDL_GetError());
            SDL_DestroyTexture(SharpTexture);
            SharpTexture = nullptr;
            Plan.factor = 1;
        }
    }
    // Bars are cleared only when the plan leaves some; the picture covers the rest.
    if (Plan.bars) {
        SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
        SDL_RenderClear(Renderer);
    }
    if (SDL_RenderCopy(Renderer, shown, nullptr, &Plan.picture) != 0) {
        return false;
    }
    SDL_RenderPresent(Renderer);
    return true;
}

// Shows PrimarySurface: its changed tiles, or all of it after RedrawAll. Any failure leaves the
// output unknown, so the next attempt draws everything.
static int PresentWithRetries()
{
    if (DisplayWindow == nullptr || PrimarySurface == nullptr) {
        return 0;
    }
    for (int attempt = 0; attempt < DISPLAY_FLIP_ATTEMPTS; ++attempt) {
        // A way out that failed (a lost device, a mode switch gone wrong) is made anew.
        if (attempt > 0 || !OutputMade) {
            if (!MakeOutput()) {
                continue;
            }
        }
        const bool shown =
            SurfaceOutput ? PresentToSurface(PrimarySurface) : PresentToRenderer(PrimarySurface);
        if (shown) {
            RedrawAll = ShowAll = false;
            PresentFailureReported = false;
            return 1;
        }
        RedrawAll = true;
    }
    // Said once, not thirty times a second, until a picture gets through again.
    if (!PresentFailureReported) {
        ErrorReport("cannot show the picture: %s", SDL_GetError());
        PresentFailureReported = true;
    }
    return 0;
}

int DisplayFlip()
{
    if (PrimaryMemory != nullptr || BackMemory != nullptr || BackSurface == nullptr ||
        BackSurface->locked > 0 || PrimarySurface == nullptr || PrimarySurface->locked > 0 ||
        DisplayWindow == nullptr) {
        return 0;
    }
    KeepChangedTiles();
    return PresentWithRetries();
}

int DisplaySetScaleMode(int mode)
{
    if (mode != DISPLAY_SCALE_SHARP && mode != DISPLAY_SCALE_NEAREST &&
        mode != DISPLAY_SCALE_INTEGER) {
        return 0;
    }
    DisplayScaleMode = mode;
    // Laid out and drawn anew at the next flip.
    Plan.outW = Plan.outH = -1;
    RedrawAll = true;
    return 1;
}

int DisplayShowPrimary()
{
    if (PrimarySurface == nullptr || PrimarySurface->locked > 0) {
        return 0;
    }
    // What changed in the primary is not known: all of it is drawn.
    RedrawAll = true;
    return PresentWithRetries();
}

int DisplayReadOutput(std::vector<uint32_t>* pixels, int* width, int* height)
{
    if (DisplayWindow == nullptr || !OutputMade || pixels == nullptr) {
        return 0;
    }
    int w = 0, h = 0;
    if (SurfaceOutput) {
        SDL_Surface* out = SDL_GetWindowSurface(DisplayWindow);
        if (out == nullptr) {
            return 0;
        }
        w = out->w;
        h = out->h;
        pixels->resize(static_cast<size_t>(w) * h);
        if (SDL_ConvertPixels(w, h, out->format->format, out->pixels, out->pitch,
                              SDL_PIXELFORMAT_ARGB8888, pixels->data(), w * 4) != 0) {
            return 0;
        }
    } else {
        if (SDL_GetRendererOutputSize(Renderer, &w, &h) != 0) {
            return 0;
        }
        pixels->resize(static_cast<size_t>(w) * h);
        if (SDL_RenderReadPixels(Renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels->data(),
                                 w * 4) != 0) {
            return 0;
        }
    }
    if (width != nullptr) {
        *width = w;
    }
    if (height != nullptr) {
        *height = h;
    }
    return 1;
}

// Desktop full screen, or the resizable bordered window; the picture is scaled to either.
// Keeps the window's size while it is a window, for the next switch into one and the next run.
static void RememberWindowSize()
{
    if (Windowed && DisplayWindow != nullptr &&
        (SDL_GetWindowFlags(DisplayWindow) & SDL_WINDOW_FULLSCREEN) == 0) {
        SDL_GetWindowSize(DisplayWindow, &DisplayWindowedWidth, &DisplayWindowedHeight);
    }
}

static bool ApplyWindowMode()
{
    if (Windowed) {
        if (SDL_SetWindowFullscreen(DisplayWindow, 0) != 0) {
            return false;
        }
        SDL_SetWindowBordered(DisplayWindow, SDL_TRUE);
        SDL_SetWindowResizable(DisplayWindow, SDL_TRUE);
        if (DisplayWindowedWidth > 0 && DisplayWindowedHeight > 0) {
            SDL_SetWindowSize(DisplayWindow, DisplayWindowedWidth, DisplayWindowedHeight);
        }
        return true;
    }
    return SDL_SetWindowFullscreen(DisplayWindow, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

int DisplayToggleFullScreen()
{
    if (DisplayWindow == nullptr) {
        return 0;
    }
    RememberWindowSize();
    Windowed = !Windowed;
    if (!ApplyWindowMode()) {
        Windowed = !Windowed;
        ApplyWindowMode();
        return 0;
    }
    return 1;
}

// The display's window is being destroyed before DisplayShutdown: the renderer and its texture
// go first (they would point into the dead window), and later flips report 0 instead of drawing.
static void ForgetClosingWindow(SDL_Window* window)
{
    if (window == nullptr || window != DisplayWindow) {
        return;
    }
    RememberWindowSize();
    DisplayEndedWindowed = Windowed;
    DestroyRenderer();
    PlatformSetAltEnterHandler(nullptr);
    PlatformSetExposeHandler(nullptr);
    DisplayWindow = nullptr;
}

static void ToggleOnAltEnter()
{
    DisplayToggleFullScreen();
}

// The window system lost what the window showed (another window was over it): the flips send
// nothing of an unchanged picture, so the next one sends it whole.
static void ShowAllOnExpose()
{
    ShowAll = true;
}

// ---- set-up and shutdown ----

// Keeps why DisplayInit stopped, for DisplayError, and reports the failure.
static int DisplayRefuse(const char* why)
{
    std::snprintf(DisplayErrorText, sizeof DisplayErrorText, "%s", why);
    return 0;
}

const char* DisplayError()
{
    return DisplayErrorText;
}

int DisplayInit(int width, int height, int bitsPerPixel, int windowed)
{
    if (DisplayWindow != nullptr || PrimarySurface != nullptr || BackSurface != nullptr) {
        DisplayShutdown();
    }
    DisplayErrorText[0] = '\0';
    // The service behind the display: the window's surface or renderer. The size and depth are
    // checked first, as a mode switch would refuse them.
    DisplayWindow = PlatformSdlWindow(MainWindow);
    if (DisplayWindow == nullptr) {
        return DisplayRefuse("there is no window");
    }
    if (width <= 0 || height <= 0 || width > DISPLAY_MAX_SIDE || height > DISPLAY_MAX_SIDE ||
        (bitsPerPixel != 8 && bitsPerPixel != 16)) {
        DisplayWindow = nullptr;
        return DisplayRefuse("the size or depth is not supported");
    }
    ScreenWidth = width;
    ScreenHeight = height;
    ScreenBpp = bitsPerPixel;
    Windowed = windowed ? 1 : 0;
    OutputChosen = false;
    if (!ApplyWindowMode() || !MakeOutput()) {
        return DisplayRefuse(SDL_GetError());
    }
    PlatformSetAltEnterHandler(ToggleOnAltEnter);
    PlatformSetWindowCloseHandler(ForgetClosingWindow);
    PlatformSetExposeHandler(ShowAllOnExpose);
    TileColumns = (width + DISPLAY_TILE_W - 1) / DISPLAY_TILE_W;
    TileRows = (height + DISPLAY_TILE_H - 1) / DISPLAY_TILE_H;
    TileChanged.assign(static_cast<size_t>(TileColumns) * TileRows, uint8_t{0});
    TileBoxes.assign(TileChanged.size(), TileBox{});

    if (ScreenBpp == 8) {
        DisplayPalette = SDL_AllocPalette(PALETTE_SIZE);
        if (DisplayPalette == nullptr) {
            return DisplayRefuse(SDL_GetError());
        }
    }
    PrimarySurface = DisplayCreateSurface(width, height, 0, 0);
    if (PrimarySurface == nullptr) {
        return DisplayRefuse(SDL_GetError());
    }
    PixelFormat = SDL_BITSPERPIXEL(PrimarySurface->format->format);
    ErrorLogWrite("\npixel format = %d", PixelFormat);
    if (PixelFormat == 15) {
        Rgb16Builder = Rgb16From555;
        ErrorLogWrite("\npixel format = 5.5.5");
    } else {
        Rgb16Builder = Rgb16From565;
        ErrorLogWrite("\npixel format = 5.6.5");
    }
    BackSurface = DisplayCreateSurface(width, height, 0, 0);
    if (BackSurface == nullptr) {
        return DisplayRefuse(SDL_GetError());
    }
    if (ScreenBpp == 8) {
        // A missing or short palette file leaves black entries; the game sets its own palette
        // from a picture later.
        std::memset(PaletteEntries, 0, sizeof PaletteEntries);
        PaletteLoadFile(DataPath(DISPLAY_PALETTE_FILE).c_str(), PaletteEntries);
        if (Windowed) {
            for (int i = 0; i < 10; ++i) {
                PaletteEntries[i].peFlags = PC_EXPLICIT;
                PaletteEntries[PALETTE_SIZE - 1 - i].peFlags = PC_EXPLICIT;
            }
        }
        PaletteSetDisplayEntries(0, PALETTE_SIZE, PaletteEntries);
    }
    DisplayFill(PrimarySurface, 0, nullptr);
    DisplayFill(BackSurface, 0, nullptr);
    ClipMinX = 0;
    ClipMaxX = width - 1;
    ClipMinY = 0;
    ClipMaxY = height - 1;
    const RECT screen{0, 0, width, height};
    BackClipper = DisplayAttachClipper(BackSurface, 1, &screen);
    if (Windowed) {
        WindowClipper = DisplayAttachClipper(PrimarySurface, 1, &screen);
        if (WindowClipper == nullptr) {
            return DisplayRefuse("the window's clipper cannot be made");
        }
    }
    return 1;
}

int DisplayShutdown()
{
    if (PrimaryMemory != nullptr) {
        DisplayUnlockSurface(PrimarySurface);
    }
    if (BackMemory != nullptr) {
        DisplayUnlockSurface(BackSurface);
    }
    PrimaryMemory = BackMemory = nullptr;
    PrimaryPitch = BackPitch = 0;
    // The clippers belong to their surfaces and go with them.
    DisplayDestroySurface(BackSurface);
    DisplayDestroySurface(PrimarySurface);
    BackSurface = PrimarySurface = nullptr;
    BackClipper = WindowClipper = nullptr;
    if (DisplayPalette != nullptr) {
        SDL_FreePalette(DisplayPalette);
        DisplayPalette = nullptr;
    }
    DestroyRenderer();
    if (DisplayWindow != nullptr) {
        RememberWindowSize();
        DisplayEndedWindowed = Windowed;
        if (PlatformSdlWindow(MainWindow) == DisplayWindow && !Windowed) {
            SDL_SetWindowFullscreen(DisplayWindow, 0);
        }
        PlatformSetAltEnterHandler(nullptr);
        PlatformSetExposeHandler(nullptr);
        DisplayWindow = nullptr;
    }
    PlatformSetWindowCloseHandler(nullptr);
    LookupValid = false;
    OutputChosen = SurfaceOutput = false;
    TileChanged.clear();
    TileBoxes.clear();
    TileColumns = TileRows = 0;
    ScreenWidth = 640;
    ScreenHeight = 480;
    ScreenBpp = 8;
    PixelFormat = 16;
    Windowed = 0;
    ClipMinX = ClipMinY = 0;
    ClipMaxX = 639;
    ClipMaxY = 479;
    Rgb16Builder = nullptr;
    return 1;
}
