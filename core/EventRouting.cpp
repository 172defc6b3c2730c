#include "core/EventRouting.h"

#include <cstdint>

#include "editor/Game.h"

bool RouteEvent(Game& game, const SDL_Event& event, int windowHeight) {
    switch (event.type) {
        case SDL_QUIT: return true;
        case SDL_KEYUP: game.OnKeyUp(event.key); break;
        case SDL_MOUSEBUTTONUP: game.OnMouseUp(event.button); break;
        case SDL_MOUSEMOTION:
            // SDL's row 0 is the top; the top row becomes windowHeight, the bottom row 1.
            // In 64 bits: no y a motion event can carry overflows the subtraction.
            game.mousePos = {static_cast<float>(event.motion.x),
                             static_cast<float>(static_cast<int64_t>(windowHeight) - event.motion.y)};
            break;
        default: break;
    }
    return false;
}

bool RouteEvents(Game& game, int windowHeight) {
    SDL_Event event{};
    bool quit = false;
    while (SDL_PollEvent(&event) != 0) {
        if (RouteEvent(game, event, windowHeight)) quit = true;
    }
    return quit;
}
