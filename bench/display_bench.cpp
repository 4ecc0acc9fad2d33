// Measures the flip: DisplayFlip's palette lookup straight into a streaming texture, against the
// path most SDL ports take (blit the 8-bit surface into a 32-bit one, upload it, present) and
// against a bare copy of a 640 x 480 x 4 picture, and the flip in each scale mode at common output
// sizes. Goal: DisplayFlip at most 0.6 x the common path.
#include "graphics/display.h"

#include "graphics/palette.h"
#include "platform/message.h"
#include "platform/window.h"
#include "platform/window_sdl.h"

#include <benchmark/benchmark.h>

#include <SDL.h>

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

static void BM_DisplayFlip(benchmark::State& state)
{
    if (!DisplayReady()) {
        state.SkipWithError("no display");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(DisplayFlip());
    }
    state.SetLabel(SDL_GetCurrentVideoDriver());
}
BENCHMARK(BM_DisplayFlip)->Unit(benchmark::kMicrosecond);

// A flip after every palette change (fades, blinkers): the lookup is rebuilt each time.
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

// One flip in each scale mode (sharp, nearest, integer) into a window of each output size: the
// cost the scaling adds on top of the conversion, which is the same for all.
static void BM_DisplayFlipScaled(benchmark::State& state)
{
    static constexpr int SIZES[][2] = {{640, 480}, {1024, 768}, {1280, 1024}, {1920, 1080}};
    static constexpr const char* MODES[] = {"sharp", "nearest", "integer"};
    const int mode = static_cast<int>(state.range(0));
    const int* size = SIZES[state.range(1)];
    if (!DisplayReady()) {
        state.SkipWithError("no display");
        return;
    }
    SDL_Window* window = PlatformSdlWindow(MainWindow);
    SDL_SetWindowSize(window, size[0], size[1]);
    DisplaySetScaleMode(mode);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DisplayFlip());
    }
    state.SetLabel(std::string(MODES[mode]) + " " + std::to_string(size[0]) + "x" +
                   std::to_string(size[1]));
    SDL_SetWindowSize(window, 640, 480);
    DisplaySetScaleMode(DISPLAY_SCALE_SHARP);
}
BENCHMARK(BM_DisplayFlipScaled)
    ->ArgsProduct({{DISPLAY_SCALE_SHARP, DISPLAY_SCALE_NEAREST, DISPLAY_SCALE_INTEGER},
                   {0, 1, 2, 3}})
    ->ArgNames({"mode", "size"})
    ->Unit(benchmark::kMicrosecond);

// The common port: SDL converts the 8-bit picture into a 32-bit surface, SDL_UpdateTexture copies
// that into the texture, then clear, copy and present on the same renderer.
static void BM_CommonSdlPath(benchmark::State& state)
{
    SDL_Renderer* renderer =
        DisplayReady() ? SDL_GetRenderer(PlatformSdlWindow(MainWindow)) : nullptr;
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
