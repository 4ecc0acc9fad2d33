// Surface dumps and region checks for the drawing tests.
#include "tests/graphics/surface_dump.h"

#include <SDL.h>

#include <cstring>
#include <filesystem>
#include <sstream>

std::string SurfaceDump(DisplaySurface surface, const char* tag)
{
    if (surface == nullptr) {
        return "no surface to dump";
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path dir = HELIX_SURFACE_DUMP_DIR;
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    std::string name = std::string(test ? test->test_suite_name() : "none") + "." +
                       (test ? test->name() : "none") + "-" + (tag ? tag : "surface") + ".bmp";
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    const std::string path = (dir / name).string();
    if (SDL_SaveBMP(surface, path.c_str()) != 0) {
        return "surface not saved to " + path + ": " + SDL_GetError();
    }
    return "surface saved to " + path;
}

int SurfacePixel(DisplaySurface surface, int x, int y)
{
    if (surface == nullptr || x < 0 || y < 0 || x >= surface->w || y >= surface->h) {
        return -1;
    }
    const bool lock = SDL_MUSTLOCK(surface);
    if (lock && SDL_LockSurface(surface) != 0) {
        return -1;
    }
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    int value = -1;
    if (surface->format->BytesPerPixel == 1) {
        value = row[x];
    } else if (surface->format->BytesPerPixel == 2) {
        Uint16 p;
        std::memcpy(&p, row + 2 * x, 2);
        value = p;
    }
    if (lock) {
        SDL_UnlockSurface(surface);
    }
    return value;
}

::testing::AssertionResult SurfaceRegionIs(DisplaySurface surface, int left, int top, int w, int h,
                                           const std::function<int(int, int)>& expected,
                                           const char* tag)
{
    std::ostringstream wrong;
    int mismatches = 0;
    for (int y = top; y < top + h; ++y) {
        for (int x = left; x < left + w; ++x) {
            const int got = SurfacePixel(surface, x, y);
            const int want = expected(x, y);
            if (got != want && ++mismatches <= 5) {
                wrong << " (" << x << ", " << y << ") is " << got << ", expected " << want << ";";
            }
        }
    }
    if (mismatches == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << mismatches << " pixel(s) differ:" << wrong.str() << " " << SurfaceDump(surface, tag);
}
