// The editor's start-up and one keystroke in an open box, each ending with glFinish.
#include <benchmark/benchmark.h>

#include <SDL_opengl.h>

#include "editor/Game.h"
#include "editor/WindowSettings.h"

namespace {
// Opens a box as the user does: the pointer over its middle, a left click.
void ClickInto(Game& game, Rect box) {
    game.mousePos = {box.left + box.width * 0.5f, box.bottom + box.height * 0.5f};
    SDL_MouseButtonEvent click{};
    click.type = SDL_MOUSEBUTTONUP;
    click.button = SDL_BUTTON_LEFT;
    game.OnMouseUp(click);
}

SDL_KeyboardEvent KeyUp(SDL_Keycode key) {
    SDL_KeyboardEvent event{};
    event.type = SDL_KEYUP;
    event.keysym.sym = key;
    return event;
}

constexpr size_t kMostTypedDigits = 3;  // as many as a vertex count needs; keeps the text from growing

void BM_EditorStartup(benchmark::State& state) {
    for (auto _ : state) {
        Game game(EditorWindowSettings());
        benchmark::DoNotOptimize(game.regularStar.get());
        glFinish();
    }
}

void BM_NumericKeystroke(benchmark::State& state) {
    Game game(EditorWindowSettings());
    ClickInto(game, game.numericBoxes[0].rect);
    if (!game.numericBoxes[0].selected) return state.SkipWithError("the vertex-count box did not open");
    const SDL_KeyboardEvent digit = KeyUp(SDLK_7);
    for (auto _ : state) {
        if (game.editText.size() >= kMostTypedDigits) game.editText.clear();
        game.OnKeyUp(digit);
        glFinish();
    }
}

void BM_ColorKeystroke(benchmark::State& state) {
    Game game(EditorWindowSettings());
    ClickInto(game, game.bgBox);
    if (!game.bgBoxState.selected) return state.SkipWithError("the background colour box did not open");
    // At the caret's first place 1 and 2 are both accepted for red 216: 116, 216, 116, ...
    const SDL_KeyboardEvent digits[] = {KeyUp(SDLK_1), KeyUp(SDLK_2)};
    size_t next = 0;
    for (auto _ : state) {
        game.OnKeyUp(digits[next]);
        next = 1 - next;
        glFinish();
    }
}
}  // namespace

BENCHMARK(BM_EditorStartup)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NumericKeystroke)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ColorKeystroke)->Unit(benchmark::kMillisecond)->UseRealTime();
