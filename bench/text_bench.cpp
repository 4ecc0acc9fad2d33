// Text drawing cost: one score line as the play screen draws it every frame, into an 8-bit
// 640 x 480 surface; and the same with the font opened afresh for every line, which is what
// keeping the font open saves.
#include "support/text.h"

#include "graphics/palette.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

static SDL_Surface* TextBenchSurface()
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 8, SDL_PIXELFORMAT_INDEX8);
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        PaletteEntries[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                             static_cast<uint8_t>(i * 7), 0};
    }
    return surface;
}

static void BM_DrawTextRGB(benchmark::State& state)
{
    SDL_Surface* surface = TextBenchSurface();
    DrawTextRGB("Score: 0", 0, 0, RGB(0, 255, 0), surface); // opens the font
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawTextRGB("Score: 12345", 460, 40, RGB(0, 255, 0), surface));
    }
    TextShutdown();
    SDL_FreeSurface(surface);
}
BENCHMARK(BM_DrawTextRGB);

static void BM_DrawTextRGBOpeningTheFont(benchmark::State& state)
{
    SDL_Surface* surface = TextBenchSurface();
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawTextRGB("Score: 12345", 460, 40, RGB(0, 255, 0), surface));
        TextShutdown();
    }
    SDL_FreeSurface(surface);
}
BENCHMARK(BM_DrawTextRGBOpeningTheFont);
