// Compares a frame captured from a shipped build with the suite's own picture of the same frame.
//
//   compare-frames ACTUAL.png EXPECTED.png [--tolerance LEVELS] [--max-share FRACTION] [--solid RADIUS]
//
// A pixel is off when any channel differs by more than LEVELS (default 0). The frames match when at most FRACTION
// of all pixels are off (default 0: none), and, with --solid, no pixel differs at all whose square neighbourhood of
// that radius is one colour in the expected frame (the strips, the divider and the rule, away from text and figures).
// Prints one line of counts; exit status 0 on a match, 1 on a mismatch, 2 on a usage or file error.
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {
struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Surface LoadRgba(const char* path) {
    Surface loaded(IMG_Load(path));
    if (!loaded) {
        std::fprintf(stderr, "compare-frames: cannot read %s: %s\n", path, IMG_GetError());
        return nullptr;
    }
    return Surface(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

struct Image {
    const SDL_Surface& s;
    const uint8_t* At(int x, int y) const { return static_cast<const uint8_t*>(s.pixels) + y * s.pitch + x * 4; }
};

// Channels compared: colour only, since a window capture may carry no alpha.
int LevelDifference(const uint8_t* a, const uint8_t* b) {
    int most = 0;
    for (int c = 0; c < 3; ++c) most = std::max(most, std::abs(a[c] - b[c]));
    return most;
}

bool IsSolid(const Image& image, int x, int y, int radius) {
    if (x < radius || y < radius || x + radius >= image.s.w || y + radius >= image.s.h) return false;
    const uint8_t* centre = image.At(x, y);
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (LevelDifference(image.At(x + dx, y + dy), centre) != 0) return false;
    return true;
}
}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: compare-frames ACTUAL.png EXPECTED.png [--tolerance LEVELS] "
                             "[--max-share FRACTION] [--solid RADIUS]\n");
        return 2;
    }
    int tolerance = 0;
    double maxShare = 0.0;
    int solidRadius = -1;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--tolerance") tolerance = std::atoi(argv[i + 1]);
        else if (option == "--max-share") maxShare = std::atof(argv[i + 1]);
        else if (option == "--solid") solidRadius = std::atoi(argv[i + 1]);
        else return std::fprintf(stderr, "compare-frames: unknown option %s\n", option.c_str()), 2;
    }

    const Surface actual = LoadRgba(argv[1]);
    const Surface expected = LoadRgba(argv[2]);
    if (!actual || !expected) return 2;
    if (actual->w != expected->w || actual->h != expected->h) {
        std::printf("size differs: %d x %d, expected %d x %d\n", actual->w, actual->h, expected->w, expected->h);
        return 1;
    }

    const Image a{*actual}, e{*expected};
    long differing = 0, off = 0, solidOff = 0;
    for (int y = 0; y < e.s.h; ++y)
        for (int x = 0; x < e.s.w; ++x) {
            const int level = LevelDifference(a.At(x, y), e.At(x, y));
            if (level == 0) continue;
            ++differing;
            off += level > tolerance;
            if (solidRadius >= 0 && IsSolid(e, x, y, solidRadius)) {
                if (solidOff++ == 0) std::printf("first solid pixel that differs at %d, %d (row from the top)\n", x, y);
            }
        }
    const double share = static_cast<double>(off) / (static_cast<double>(e.s.w) * e.s.h);
    std::printf("%ld pixels differ, %ld by more than %d levels (%.3f%%), %ld in solid areas\n", differing, off,
                tolerance, 100.0 * share, solidOff);
    return share <= maxShare && solidOff == 0 ? 0 : 1;
}
