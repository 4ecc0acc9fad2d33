// Measures the flip of a picture that changes as a play frame does (a few sprites moving over a
// still background) and of one that changes everywhere, against the path most SDL ports take
// (blit the 8-bit surface into a 32-bit one, upload it, present) and a bare copy of a
// 640 x 480 x 4 picture, and the flip in each scale mode at common output sizes. Goal: the play
// frame's flip at most 0.5 x the common path.
#include "graphics/display.h"

#include "graphics/palette.h"
#include "platform/message.h"
#include "platform/window.h"
#include "platform/window_sdl.h"

#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static LRESULT BenchProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(window, message, wParam, lParam);
}

// The game's display, windowed at 640 x 480 so a present is a plain copy, with a full palette and
// a busy picture in the back surface. Vsync is off so the figures are the work, not the refresh.
static bool DisplayReady()
{
    static bool ready = false;
    if (ready) {
        return true;
    }
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    WNDCLASSEX c{};
    c.cbSize = sizeof(WNDCLASSEX);
    c.lpfnWndProc = BenchProcedure;
    c.lpszClassName = "WINCLASS1";
    RegisterClassEx(&c);
    MainWindow = CreateWindowEx(0, "WINCLASS1", "HELIX DASH bench", WS_POPUP, 0, 0, 640, 480,
                                nullptr, nullptr, PlatformInstance(), nullptr);
    if (MainWindow == nullptr || DisplayInit(640, 480, 8, 1) == 0) {
        return false;
    }
    PALETTEENTRY colours[PALETTE_SIZE];
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        colours[i] = PALETTEENTRY{static_cast<uint8_t>(i), static_cast<uint8_t>(i * 3),
                                  static_cast<uint8_t>(255 - i), 0};
    }
    PaletteSetAll(colours);
    int pitch = 0;
    uint8_t* p = DisplayLockSurface(BackSurface, &pitch);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            p[y * pitch + x] = static_cast<uint8_t>(x * 7 + y * 13 + (x * y >> 5));
        }
    }
    DisplayUnlockSurface(BackSurface);
    ready = true;
    return true;
}

// The still background of the play-like frames, and its copy shifted by one pixel for frames
// that change everywhere.
static DisplaySurface Background = nullptr;
static DisplaySurface ShiftedBackground = nullptr;
static DisplaySurface SpritePicture = nullptr;

// A play frame's changes: twelve 32 x 32 pieces and a 48 x 48 catcher, each moving a few pixels
// a frame and bouncing off the edges, drawn keyed over the background after the places they
// left are put back (the cost of that is a few microseconds of the figure).
struct BenchSprite {
    int x, y, dx, dy, size;
};
static BenchSprite Sprites[13];

static bool SpritesReady()
{
    if (Background != nullptr) {
        return true;
    }
    Background = DisplayCreateSurface(640, 480, 0, 0);
    ShiftedBackground = DisplayCreateSurface(640, 480, 0, 0);
    SpritePicture = DisplayCreateSurface(48, 48, 0, 0);
    if (Background == nullptr || ShiftedBackground == nullptr || SpritePicture == nullptr) {
        return false;
    }
    DisplayBlit(BackSurface, nullptr, Background, nullptr, 0);
    const RECT from{1, 0, 640, 480}, to{0, 0, 639, 480};
    DisplayBlit(Background, &from, ShiftedBackground, &to, 0);
    int pitch = 0;
    uint8_t* p = DisplayLockSurface(SpritePicture, &pitch);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const int dx = x - 24, dy = y - 24;
            p[y * pitch + x] = dx * dx + dy * dy < 520 ? static_cast<uint8_t>(40 + x + y) : 0;
        }
    }
    DisplayUnlockSurface(SpritePicture);
    for (int i = 0; i < 13; ++i) {
        Sprites[i] =
            BenchSprite{40 + i * 43, 30 + (i * 97) % 400, 1 + i % 3, 2 - i % 4, i == 12 ? 48 : 32};
    }
    return true;
}

static void MoveSprites()
{
    for (BenchSprite& s : Sprites) {
        const RECT was{s.x, s.y, s.x + s.size, s.y + s.size};
        DisplayBlit(Background, &was, BackSurface, &was, 0);
    }
    for (BenchSprite& s : Sprites) {
        if (s.x + s.dx < 0 || s.x + s.dx + s.size > 640) {
            s.dx = -s.dx;
        }
        if (s.y + s.dy < 0 || s.y + s.dy + s.size > 480) {
            s.dy = -s.dy;
        }
        s.x += s.dx;
        s.y += s.dy;
        const RECT part{0, 0, s.size, s.size}, at{s.x, s.y, s.x + s.size, s.y + s.size};
        DisplayBlit(SpritePicture, &part, BackSurface, &at, 1);
    }
}

// Every pixel new: the background and its shifted copy by turns.
static void ChangeEverything()
{
    static int turn = 0;
    turn ^= 1;
    DisplayBlit(turn ? ShiftedBackground : Background, nullptr, BackSurface, nullptr, 0);
}

static void BM_DisplayFlip(benchmark::State& state)
{
    if (!DisplayReady() || !SpritesReady()) {
        state.SkipWithError("no display");
        return;
    }
    for (auto _ : state) {
        MoveSprites();
        benchmark::DoNotOptimize(DisplayFlip());
    }
    state.SetLabel(SDL_GetCurrentVideoDriver());
}
BENCHMARK(BM_DisplayFlip)->Unit(benchmark::kMicrosecond);

static void BM_DisplayFlipFullChange(benchmark::State& state)
{
    if (!DisplayReady() || !SpritesReady()) {
        state.SkipWithError("no display");
        return;
    }
    for (auto _ : state) {
        ChangeEverything();
        benchmark::DoNotOptimize(DisplayFlip());
    }
    DisplayBlit(Background, nullptr, BackSurface, nullptr, 0);
}
BENCHMARK(BM_DisplayFlipFullChange)->Unit(benchmark::kMicrosecond);

// A flip after every palette change (fades, blinkers): the lookup is rebuilt and everything drawn.
static void BM_DisplayFlipNewPalette(benchmark::State& state)
{
    if (!DisplayReady()) {
        state.SkipWithError("no display");
        return;
    }
    PALETTEENTRY colour{0, 0, 0, 0};
    for (auto _ : state) {
        colour.peRed = static_cast<uint8_t>(colour.peRed + 1);
        PaletteSetDisplayEntries(17, 1, &colour);
        benchmark::DoNotOptimize(DisplayFlip());
    }
}
BENCHMARK(BM_DisplayFlipNewPalette)->Unit(benchmark::kMicrosecond);

// One flip in each scale mode (sharp, nearest, integer) into a window of each output size, of a
// play-like frame and of a frame new everywhere: what the scaling adds to the conversion.
static void BM_DisplayFlipScaled(benchmark::State& state)
{
    static constexpr int SIZES[][2] = {{640, 480}, {1024, 768}, {1280, 1024}, {1920, 1080}};
    static constexpr const char* MODES[] = {"sharp", "nearest", "integer"};
    const int mode = static_cast<int>(state.range(0));
    const int* size = SIZES[state.range(1)];
    const bool everything = state.range(2) != 0;
    if (!DisplayReady() || !SpritesReady()) {
        state.SkipWithError("no display");
        return;
    }
    SDL_Window* window = PlatformSdlWindow(MainWindow);
    SDL_SetWindowSize(window, size[0], size[1]);
    DisplaySetScaleMode(mode);
    for (auto _ : state) {
        if (everything) {
            ChangeEverything();
        } else {
            MoveSprites();
        }
        benchmark::DoNotOptimize(DisplayFlip());
    }
    state.SetLabel(std::string(MODES[mode]) + " " + std::to_string(size[0]) + "x" +
                   std::to_string(size[1]) + (everything ? " all new" : " sprites"));
    SDL_SetWindowSize(window, 640, 480);
    DisplaySetScaleMode(DISPLAY_SCALE_SHARP);
    DisplayBlit(Background, nullptr, BackSurface, nullptr, 0);
}
BENCHMARK(BM_DisplayFlipScaled)
    ->ArgsProduct({{DISPLAY_SCALE_SHARP, DISPLAY_SCALE_NEAREST, DISPLAY_SCALE_INTEGER},
                   {0, 1, 2, 3},
                   {0, 1}})
    ->ArgNames({"mode", "size", "all"})
    ->Unit(benchmark::kMicrosecond);

// The common port: SDL converts the 8-bit picture into a 32-bit surface, SDL_UpdateTexture copies
// that into the texture, then clear, copy and present on the window's renderer (the software one
// where the display presents without one).
static void BM_CommonSdlPath(benchmark::State& state)
{
    SDL_Window* window = DisplayReady() ? PlatformSdlWindow(MainWindow) : nullptr;
    SDL_Renderer* renderer = window ? SDL_GetRenderer(window) : nullptr;
    SDL_Renderer* own = nullptr;
    if (window != nullptr && renderer == nullptr) {
        renderer = own = SDL_CreateRenderer(window, -1, 0);
    }
    if (renderer == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    // The window's own format, as careful ports choose it, so the present is a plain copy too.
    Uint32 format = SDL_GetWindowPixelFormat(PlatformSdlWindow(MainWindow));
    if (SDL_BYTESPERPIXEL(format) != 4) {
        format = SDL_PIXELFORMAT_ARGB8888;
    }
    SDL_Surface* rgb = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, format);
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STREAMING, 640, 480);
    if (rgb == nullptr || texture == nullptr) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_SetColorKey(BackSurface, SDL_FALSE, 0); // a screen copy is never keyed
    for (auto _ : state) {
        SDL_BlitSurface(BackSurface, nullptr, rgb, nullptr);
        SDL_UpdateTexture(texture, nullptr, rgb->pixels, rgb->pitch);
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }
    SDL_SetColorKey(BackSurface, SDL_TRUE, 0);
    SDL_DestroyTexture(texture);
    SDL_FreeSurface(rgb);
    if (own != nullptr) {
        SDL_DestroyRenderer(own);
        DisplayShowPrimary(); // the window's surface holds the display's picture again
    }
}
BENCHMARK(BM_CommonSdlPath)->Unit(benchmark::kMicrosecond);

// The floor: moving one 32-bit picture once, with no conversion and no present.
static void BM_Memcpy640x480x4(benchmark::State& state)
{
    std::vector<uint8_t> from(640 * 480 * 4, 7), to(640 * 480 * 4);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(to.data());
}
BENCHMARK(BM_Memcpy640x480x4)->Unit(benchmark::kMicrosecond);
