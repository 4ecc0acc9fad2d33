// Measures the raster routines on 640 x 480 8-bit memory, as the asset generator uses them:
// filled triangles against a plain memset of the same pixel count, clipped lines, and filled
// polygons. Shapes are drawn from a fixed seed so runs compare.
#include "graphics/display.h"
#include "support/raster/line.h"
#include "support/raster/polygon.h"
#include "support/raster/triangle.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

static constexpr int WIDTH = 640;
static constexpr int HEIGHT = 480;
static constexpr int SHAPES = 256;

struct Screen {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(WIDTH * HEIGHT);
    Screen()
    {
        ScreenWidth = WIDTH;
        ScreenHeight = HEIGHT;
        ClipMinX = 0;
        ClipMinY = 0;
        ClipMaxX = WIDTH - 1;
        ClipMaxY = HEIGHT - 1;
    }
};

struct Triangle {
    std::array<int, 6> v;
    long long pixels;                         // set when drawn alone
    std::vector<std::pair<int, int>> rowRuns; // (offset, count) of each row drawn
};

// Triangles inside the screen whose vertices lie within a box of the given size.
static std::vector<Triangle> MakeTriangles(int size)
{
    Screen screen;
    std::mt19937 random(size);
    std::uniform_int_distribution<int> cornerX(0, WIDTH - size), cornerY(0, HEIGHT - size);
    std::uniform_int_distribution<int> offset(0, size - 1);
    std::vector<Triangle> triangles;
    while (triangles.size() < SHAPES) {
        int x = cornerX(random), y = cornerY(random);
        Triangle t{{x + offset(random), y + offset(random), x + offset(random), y + offset(random),
                    x + offset(random), y + offset(random)},
                   0,
                   {}};
        std::fill(screen.pixels.begin(), screen.pixels.end(), 0);
        DrawTriangle8(t.v[0], t.v[1], t.v[2], t.v[3], t.v[4], t.v[5], 1, screen.pixels.data(),
                      WIDTH);
        t.pixels = std::count(screen.pixels.begin(), screen.pixels.end(), 1);
        for (int row = 0; row < HEIGHT; ++row) {
            const uint8_t* start = screen.pixels.data() + row * WIDTH;
            const uint8_t* first = std::find(start, start + WIDTH, 1);
            if (first != start + WIDTH) {
                int count = static_cast<int>(std::count(first, start + WIDTH, 1));
                t.rowRuns.push_back({static_cast<int>(first - screen.pixels.data()), count});
            }
        }
        if (t.pixels > 0) {
            triangles.push_back(t);
        }
    }
    return triangles;
}

static void ReportPixels(benchmark::State& state, long long pixelsPerPass)
{
    state.counters["pixels/s"] = benchmark::Counter(
        static_cast<double>(pixelsPerPass) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["shapes/s"] = benchmark::Counter(
        static_cast<double>(SHAPES) * state.iterations(), benchmark::Counter::kIsRate);
}

// Runs passes over the shapes, each in a new colour, until the measurement is done.
template <typename Pass>
static void RunPasses(benchmark::State& state, Screen& screen, Pass pass)
{
    uint8_t colour = 0;
    for (auto _ : state) {
        pass(++colour);
        benchmark::DoNotOptimize(screen.pixels.data());
        benchmark::ClobberMemory();
    }
}

static long long TotalPixels(const std::vector<Triangle>& triangles)
{
    long long total = 0;
    for (const Triangle& t : triangles) {
        total += t.pixels;
    }
    return total;
}

template <void (*Draw)(int, int, int, int, int, int, uint8_t, uint8_t*, int)>
static void FillRate(benchmark::State& state)
{
    std::vector<Triangle> triangles = MakeTriangles(static_cast<int>(state.range(0)));
    Screen screen;
    RunPasses(state, screen, [&](uint8_t colour) {
        for (const Triangle& t : triangles) {
            Draw(t.v[0], t.v[1], t.v[2], t.v[3], t.v[4], t.v[5], colour, screen.pixels.data(),
                 WIDTH);
        }
    });
    ReportPixels(state, TotalPixels(triangles));
}

static void BM_DrawTriangle8(benchmark::State& state)
{
    FillRate<DrawTriangle8>(state);
}
BENCHMARK(BM_DrawTriangle8)->Arg(8)->Arg(32)->Arg(128)->Arg(400);

static void BM_DrawTriangleFixed8(benchmark::State& state)
{
    FillRate<DrawTriangleFixed8>(state);
}
BENCHMARK(BM_DrawTriangleFixed8)->Arg(8)->Arg(32)->Arg(128)->Arg(400);

// The floor for a fill: one memset per triangle of the pixel count that triangle sets.
static void BM_MemsetSamePixels(benchmark::State& state)
{
    std::vector<Triangle> triangles = MakeTriangles(static_cast<int>(state.range(0)));
    Screen screen;
    RunPasses(state, screen, [&](uint8_t colour) {
        for (const Triangle& t : triangles) {
            // Starting on the triangle's top row, moved up where the run would pass the end.
            std::size_t count = static_cast<std::size_t>(t.pixels);
            std::size_t start = std::min(static_cast<std::size_t>(t.v[1]) * WIDTH + t.v[0],
                                         screen.pixels.size() - count);
            std::memset(screen.pixels.data() + start, colour, count);
        }
    });
    ReportPixels(state, TotalPixels(triangles));
}
BENCHMARK(BM_MemsetSamePixels)->Arg(8)->Arg(32)->Arg(128)->Arg(400);

// The floor with the triangle's own shape: one memset per row of the rows that triangle sets, so
// what remains between this and BM_DrawTriangle8 is the edge stepping and clipping.
static void BM_MemsetSameRows(benchmark::State& state)
{
    std::vector<Triangle> triangles = MakeTriangles(static_cast<int>(state.range(0)));
    Screen screen;
    RunPasses(state, screen, [&](uint8_t colour) {
        for (const Triangle& t : triangles) {
            for (auto [offset, count] : t.rowRuns) {
                std::memset(screen.pixels.data() + offset, colour, static_cast<std::size_t>(count));
            }
        }
    });
    ReportPixels(state, TotalPixels(triangles));
}
BENCHMARK(BM_MemsetSameRows)->Arg(8)->Arg(32)->Arg(128)->Arg(400);

// Lines with ends anywhere from half a screen beyond each edge: most are cut, some rejected.
static void BM_DrawClippedLine8(benchmark::State& state)
{
    Screen screen;
    std::mt19937 random(640480);
    std::uniform_int_distribution<int> x(-WIDTH / 2, WIDTH + WIDTH / 2);
    std::uniform_int_distribution<int> y(-HEIGHT / 2, HEIGHT + HEIGHT / 2);
    std::vector<std::array<int, 4>> lines(SHAPES);
    for (auto& line : lines) {
        line = {x(random), y(random), x(random), y(random)};
    }
    // The pixels one pass sets, for the rate.
    long long pixels = 0;
    for (auto line : lines) {
        if (ClipLine(line[0], line[1], line[2], line[3])) {
            pixels += std::max(std::abs(line[2] - line[0]), std::abs(line[3] - line[1])) + 1;
        }
    }
    RunPasses(state, screen, [&](uint8_t colour) {
        for (const auto& line : lines) {
            DrawClippedLine8(line[0], line[1], line[2], line[3], colour, screen.pixels.data(),
                             WIDTH);
        }
    });
    ReportPixels(state, pixels);
}
BENCHMARK(BM_DrawClippedLine8);

// Regular polygons of the given number of corners with radii up to 200, some reaching past the
// screen's edge.
static void BM_FillPolygon8(benchmark::State& state)
{
    Screen screen;
    int corners = static_cast<int>(state.range(0));
    std::mt19937 random(static_cast<unsigned>(corners));
    std::uniform_int_distribution<int> x(0, WIDTH - 1), y(0, HEIGHT - 1), radius(10, 200);
    std::vector<std::vector<Vertex2D>> outlines(SHAPES);
    std::vector<Polygon2D> polygons(SHAPES);
    long long pixels = 0;
    for (int i = 0; i < SHAPES; ++i) {
        float r = static_cast<float>(radius(random));
        for (int c = 0; c < corners; ++c) {
            double angle = 2 * 3.14159265358979 * (c + 0.25 * i) / corners;
            outlines[i].push_back(
                {r * static_cast<float>(std::cos(angle)), r * static_cast<float>(std::sin(angle))});
        }
        polygons[i] = {1, corners, x(random), y(random), 1, outlines[i].data()};
        std::fill(screen.pixels.begin(), screen.pixels.end(), 0);
        FillPolygon8(&polygons[i], screen.pixels.data(), WIDTH);
        pixels += std::count(screen.pixels.begin(), screen.pixels.end(), 1);
    }
    RunPasses(state, screen, [&](uint8_t colour) {
        for (Polygon2D& polygon : polygons) {
            polygon.colour = colour;
            FillPolygon8(&polygon, screen.pixels.data(), WIDTH);
        }
    });
    ReportPixels(state, pixels);
}
BENCHMARK(BM_FillPolygon8)->Arg(3)->Arg(6)->Arg(16);
