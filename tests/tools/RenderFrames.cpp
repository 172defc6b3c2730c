// Renders the editor's reference frames on a drawable of a given width, offscreen, as a screen of that size would
// show them, each after the one before through the real event path: default-screen.png (the first frame),
// five-vertices.png (after a click on the left vertex box where it is drawn, 5 and Enter), density-typed.png (then a
// click on the left density box and 1: the box open with its 1) and density-one.png (then Enter). A shipped build
// shown at that size is compared with them.
//
//   render-frames FOLDER WIDTH      WIDTH in pixels; the height keeps the drawing's 4 : 3
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/Core.h"
#include "core/EventRouting.h"
#include "editor/Game.h"
#include "tests/support/FramePng.h"

namespace {
bool SaveFrame(Core& core, Game& game, const std::string& path) {
    game.Draw();
    const bool saved = testing_support::WriteFramePng(path, core.drawable.width, core.drawable.height);
    if (!saved) std::fprintf(stderr, "render-frames: cannot write %s: %s\n", path.c_str(), SDL_GetError());
    return saved;
}

SDL_Event Event(Uint32 type) {
    SDL_Event event{};
    event.type = type;
    return event;
}

SDL_Event Key(SDL_Keycode key) {
    SDL_Event event = Event(SDL_KEYUP);
    event.key.keysym.sym = key;
    return event;
}

// A click in the middle of a box, where the drawable shows it: the pointer moves there first, as a user's does.
void PushClick(const Core& core, Rect box) {
    const float scale = core.drawable.pixelsPerUnit;
    SDL_Event motion = Event(SDL_MOUSEMOTION);
    motion.motion.x = static_cast<int>((box.left + box.width * 0.5f) * scale);
    motion.motion.y = core.drawable.height - static_cast<int>((box.bottom + box.height * 0.5f) * scale);
    SDL_PushEvent(&motion);
    SDL_Event click = Event(SDL_MOUSEBUTTONUP);
    click.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&click);
}

// A frame after the one before: a click on a numeric box (or none) and keys.
struct Step {
    const char* name;
    int clickedBox;  // an index of Game::numericBoxes; -1: no click
    std::vector<SDL_Keycode> keys;
};
}  // namespace

int main(int argc, char* argv[]) {
    const int width = argc == 3 ? std::atoi(argv[2]) : 0;
    if (width <= 0) {
        std::fprintf(stderr, "usage: render-frames FOLDER WIDTH\n");
        return 2;
    }
    const std::string folder = argv[1];
    // A screen larger than any drawable asked for, so the width asked for is the one given.
    setenv("SDL_DISPLAY_USABLE_BOUNDS", "0,0,16384,16384", 1);
    const WindowSettings settings = EditorWindowSettings();
    // Half a pixel over the width: the drawable is the largest that fits, and a scale of exactly width / 1200
    // can round, as a float, to just under the last whole 4 x 3 step (1144 would give 1140).
    const auto core = std::make_unique<Core>(settings, (static_cast<float>(width) + 0.5f) / settings.width);
    if (!core->initialized) return 1;
    if (core->drawable.width != width) {
        std::fprintf(stderr, "render-frames: %d pixels keep no 4 : 3 drawable; the nearest is %d\n", width,
                     core->drawable.width);
        return 2;
    }

    auto game = std::make_unique<Game>(core->window);
    if (!SaveFrame(*core, *game, folder + "/default-screen.png")) return 1;

    const Step steps[] = {
        {"five-vertices", 0, {SDLK_5, SDLK_RETURN}},  // the left "Number Of Vertices" box
        {"density-typed", 1, {SDLK_1}},               // the left "Density" box
        {"density-one", -1, {SDLK_RETURN}},
    };
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (const Step& step : steps) {
        if (step.clickedBox >= 0) PushClick(*core, game->numericBoxes[static_cast<size_t>(step.clickedBox)].rect);
        for (const SDL_Keycode key : step.keys) {
            SDL_Event event = Key(key);
            SDL_PushEvent(&event);
        }
        RouteEvents(*game, core->drawable);
        if (!SaveFrame(*core, *game, folder + "/" + step.name + ".png")) return 1;
    }
    game.reset();  // before the Core: its textures belong to the context
    std::printf("%s\n", folder.c_str());
    return 0;
}
