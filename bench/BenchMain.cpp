// Starts the real Core once on the offscreen context, runs the benchmarks on it, tears it down.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "core/Core.h"
#include "editor/WindowSettings.h"

namespace {
constexpr const char* kFontPath = "Resources/Baloo.ttf";

// Without the font every text is a magenta placeholder and the timings would describe another program.
bool FontIsReachable() {
    std::FILE* file = std::fopen(kFontPath, "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    // No display and no sound card needed; a caller's own choice wins. The screen is large enough for the window
    // at any scale STAR_BENCH_SCALE asks for (2: the drawable a 200 % display gets, four times the pixels).
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_DISPLAY_USABLE_BOUNDS", "0,0,7680,4320", 0);
    const char* scale = std::getenv("STAR_BENCH_SCALE");
    const float displayScale = scale != nullptr ? std::strtof(scale, nullptr) : 1.0f;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!FontIsReachable()) {
        std::cerr << "star-bench: " << kFontPath << " not found; run from the repository root\n";
        return 1;
    }
    auto core = std::make_unique<Core>(EditorWindowSettings(), displayScale > 0.0f ? displayScale : 1.0f);
    if (!core->initialized) {
        std::cerr << "star-bench: the Core did not start\n";
        return 1;
    }
    std::cerr << "star-bench: drawable " << core->drawable.width << " x " << core->drawable.height << "\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    core.reset();  // after every Game: their textures belong to its context
    return 0;
}
