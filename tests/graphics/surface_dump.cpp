// Surface dumps and region checks for the drawing tests.
#include "tests/graphics/surface_dump.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>

std::string SurfaceDump(DisplaySurface surface, const char* tag)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test ? test->test_suite_name() : "none") + "." +
                       (test ? test->name() : "none") + "-" + tag + ".bmp";
    std::replace(name.begin(), name.end(), '/', '_'); // parameterised test names
    const std::filesystem::path dir = HELIX_SURFACE_DUMP_DIR;
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    const std::string path = (dir / name).string();
    if (surface == nullptr || SDL_SaveBMP(surface, path.c_str()) != 0) {
        return "surface not saved to " + path + ": " + SDL_GetError();
    }
    return "surface saved to " + path;
}

int SurfacePixel(DisplaySurface surface, int x, int y)
{
    if (surface == nullptr || x < 0 || y < 0 || x >= surface->w || y >= surface->h ||
        SDL_LockSurface(surface) != 0) {
        return -1;
    }
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint16 p = row[x];
    if (surface->format->BytesPerPixel == 2) {
        std::memcpy(&p, row + 2 * x, 2);
    }
    SDL_UnlockSurface(surface);
    return p;
}

::testing::AssertionResult SurfaceRegionIs(DisplaySurface surface, int left, int top, int w, int h,
                                           const std::function<int(int, int)>& expected)
{
    static int failures = 0;
    std::ostringstream wrong;
    int mismatches = 0;
    for (int y = top; y < top + h; ++y) {
        for (int x = left; x < left + w; ++x) {
            const int got = SurfacePixel(surface, x, y), want = expected(x, y);
            if (got != want && ++mismatches <= 5) {
                wrong << " (" << x << ", " << y << ") is " << got << ", expected " << want << ";";
            }
        }
    }
    if (mismatches == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << mismatches << " pixel(s) differ:" << wrong.str() << " "
           << SurfaceDump(surface, ("region" + std::to_string(++failures)).c_str());
}
