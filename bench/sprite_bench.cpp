// Sprite drawing cost: a full-screen colour-keyed picture (the title and play backgrounds) and a
// 64 x 64 sprite (catcher, pieces), drawn into the back surface as every frame does. Beside them,
// the same pictures through SDL's RLE-accelerated keyed blit, the figure that tells whether
// handing keyed frames to SDL would pay.
#include "graphics/sprite.h"

#include "graphics/display.h"
#include "platform/message.h"
#include "platform/window.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

constexpr int BENCH_KEY = 6;

static LRESULT SpriteBenchProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(window, message, wParam, lParam);
}

// The game's display on a hidden window, made on first use (unless another benchmark made it)
// and kept for the whole run.
static bool SpriteBenchDisplay()
{
    if (BackSurface != nullptr) {
        return true;
    }
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    WNDCLASSEX c{};
    WNDCLASSEX probe;
    if (!GetClassInfoEx(PlatformInstance(), "WINCLASS1", &probe)) {
        c.cbSize = sizeof(WNDCLASSEX);
        c.lpfnWndProc = SpriteBenchProcedure;
        c.lpszClassName = "WINCLASS1";
        RegisterClassEx(&c);
    }
    if (!IsWindow(MainWindow)) {
        MainWindow = CreateWindowEx(0, "WINCLASS1", "sprite bench", WS_POPUP, 0, 0, 640, 480,
                                    nullptr, nullptr, PlatformInstance(), nullptr);
    }
    return MainWindow != nullptr && DisplayInit(640, 480, 8, 0) == 1;
}

// A one-frame sprite whose picture is like the game's art: a shape on a keyed background. Pixels
// outside an ellipse filling the frame, and a stripe through it, are the key (about a third of
// the frame).
static bool MakeBenchSprite(Sprite* sprite, int width, int height)
{
    if (SpriteCreate(sprite, 0, 0, width, height, 1, SPRITE_STILL | SPRITE_VISIBLE,
                     DDSCAPS_SYSTEMMEMORY, BENCH_KEY, 8) != 1) {
        return false;
    }
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double dx = (x + 0.5) / width * 2 - 1, dy = (y + 0.5) / height * 2 - 1;
            bool shape = dx * dx + dy * dy < 1.0 && (y * 8 / height) != 3;
            pixels[static_cast<size_t>(y) * width + x] =
                shape ? static_cast<uint8_t>(16 + (x ^ y) % 200) : BENCH_KEY;
        }
    }
    BitmapImage image{};
    image.infoHeader.biWidth = width;
    image.infoHeader.biHeight = height;
    image.infoHeader.biBitCount = 8;
    image.pixels = pixels.data();
    return SpriteLoadFrame(sprite, &image, 0, 0, 0, 1) == 1;
}

static void SpriteDrawBench(benchmark::State& state, int width, int height, int x, int y)
{
    Sprite sprite{};
    if (!SpriteBenchDisplay() || !MakeBenchSprite(&sprite, width, height)) {
        state.SkipWithError("no display");
        return;
    }
    SpriteSetPosition(&sprite, x, y);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SpriteDraw(&sprite, BackSurface));
    }
    state.SetBytesProcessed(state.iterations() * width * height);
    SpriteDestroy(&sprite);
}

static void BM_SpriteDrawFullScreen(benchmark::State& state)
{
    SpriteDrawBench(state, 640, 480, 0, 0);
}
BENCHMARK(BM_SpriteDrawFullScreen);

static void BM_SpriteDraw64x64(benchmark::State& state)
{
    SpriteDrawBench(state, 64, 64, 300, 200);
}
BENCHMARK(BM_SpriteDraw64x64);

// The same frame copied by SDL_BlitSurface with RLE acceleration (encoded once, on the first
// blit), clipped by the back surface's SDL clip rectangle.
static void SdlRleBlitBench(benchmark::State& state, int width, int height, int x, int y)
{
    Sprite sprite{};
    if (!SpriteBenchDisplay() || !MakeBenchSprite(&sprite, width, height)) {
        state.SkipWithError("no display");
        return;
    }
    SDL_Surface* frame = sprite.frames[0];
    SDL_SetSurfaceRLE(frame, 1);
    SDL_Rect to{x, y, width, height};
    for (auto _ : state) {
        SDL_Rect target = to;
        benchmark::DoNotOptimize(SDL_BlitSurface(frame, nullptr, BackSurface, &target));
    }
    state.SetBytesProcessed(state.iterations() * width * height);
    SpriteDestroy(&sprite);
}

static void BM_SdlRleBlitFullScreen(benchmark::State& state)
{
    SdlRleBlitBench(state, 640, 480, 0, 0);
}
BENCHMARK(BM_SdlRleBlitFullScreen);

static void BM_SdlRleBlit64x64(benchmark::State& state)
{
    SdlRleBlitBench(state, 64, 64, 300, 200);
}
BENCHMARK(BM_SdlRleBlit64x64);
