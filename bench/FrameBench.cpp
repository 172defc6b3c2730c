// Frames of the editor, each timed up to glFinish: the default scene, the largest figures, and their ratio.
#include <benchmark/benchmark.h>

#include <SDL_opengl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>
#include <vector>

#include "editor/Game.h"
#include "editor/WindowSettings.h"
#include "figures/RegularStarPolygon.h"
#include "render/Primitives.h"
#include "tests/support/ChainWalkDrawing.h"

namespace {
using Clock = std::chrono::steady_clock;

// The most the editor draws: left {100/49}, right 250 tips, committed as typed values are.
bool MakeWorstCase(Game& game) {
    game.editText = "100";
    game.CommitRegularVertexCount();
    game.RefreshRegularVertexCount(false);
    game.editText = "49";
    game.CommitRegularDensity();
    game.RefreshRegularDensity(false);
    game.editText = "250";
    game.CommitIsotoxalVertexCount();
    game.RefreshIsotoxalVertexCount(false);
    return game.regularStar->vertexCount == 100 && game.regularStar->density == 49 &&
           game.isotoxalStar->vertexCount == 250;
}

// The same frame with the regular figure drawn the old way: last instead of before the isotoxal figure and the
// texts, which it does not overlap, so the cost is that of the old frame.
void DrawFrameByChainWalk(Game& game) {
    std::unique_ptr<RegularStarPolygon> regular = std::move(game.regularStar);
    game.Draw();
    SetColor(game.starColor);
    DrawByChainWalk(*regular);
    game.regularStar = std::move(regular);
}

void Frame(Game& game) {
    game.Draw();
    glFinish();
}

void FrameByChainWalk(Game& game) {
    DrawFrameByChainWalk(game);
    glFinish();
}

double SecondsOf(void (*frame)(Game&), Game& game) {
    const Clock::time_point start = Clock::now();
    frame(game);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_FrameDefault(benchmark::State& state) {
    Game game(EditorWindowSettings());
    for (auto _ : state) Frame(game);
}

void BM_FrameWorstCase(benchmark::State& state) {
    Game game(EditorWindowSettings());
    if (!MakeWorstCase(game)) return state.SkipWithError("the largest figures were not accepted");
    for (auto _ : state) Frame(game);
}

void BM_FrameWorstCaseChainWalk(benchmark::State& state) {
    Game game(EditorWindowSettings());
    if (!MakeWorstCase(game)) return state.SkipWithError("the largest figures were not accepted");
    for (auto _ : state) FrameByChainWalk(game);
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// Default and largest frames alternate on the same context, so both see the same machine; medians, so that a
// burst of load from elsewhere does not decide the ratio.
void MeasureRatio(benchmark::State& state, void (*worstFrame)(Game&)) {
    Game defaultScene(EditorWindowSettings());
    Game worstScene(EditorWindowSettings());
    if (!MakeWorstCase(worstScene)) return state.SkipWithError("the largest figures were not accepted");
    std::vector<double> defaultSeconds;
    std::vector<double> worstSeconds;
    for (auto _ : state) {
        defaultSeconds.push_back(SecondsOf(Frame, defaultScene));
        worstSeconds.push_back(SecondsOf(worstFrame, worstScene));
    }
    if (defaultSeconds.empty()) return;
    const double defaultMedian = Median(defaultSeconds);
    const double worstMedian = Median(worstSeconds);
    state.counters["default_ms"] = defaultMedian * 1e3;
    state.counters["worst_ms"] = worstMedian * 1e3;
    state.counters["ratio"] = worstMedian / defaultMedian;
}

void BM_FrameRatio(benchmark::State& state) { MeasureRatio(state, Frame); }
void BM_FrameRatioChainWalk(benchmark::State& state) { MeasureRatio(state, FrameByChainWalk); }
}  // namespace

BENCHMARK(BM_FrameDefault)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameWorstCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameRatio)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameWorstCaseChainWalk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameRatioChainWalk)->Unit(benchmark::kMillisecond)->UseRealTime();
