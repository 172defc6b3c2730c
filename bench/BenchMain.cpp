// Starts the real Core once on the offscreen context, runs the benchmarks on it, tears it down.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "core/WindowSettings.h"
#include "core/Core.h"

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
    // No display and no sound card needed; a caller's own choice wins.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!FontIsReachable()) {
        std::cerr << "star-bench: " << kFontPath << " not found; run from the repository root\n";
        return 1;
    }
    auto core = std::make_unique<Core>(EditorWindowSettings());
    if (!core->initialized) {
        std::cerr << "star-bench: the Core did not start\n";
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    core.reset();  // after every Game: their textures belong to its context
    return 0;
}
