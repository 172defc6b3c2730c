#include "core/EventRouting.h"

#include <cstdint>

#include "editor/Game.h"

Vec2 ToDrawingUnits(const Drawable& drawable, int x, int y) {
    // SDL's row 0 is the top; the top row becomes the drawable's height, the bottom row 1. In 64 bits: no y an
    // event can carry overflows the subtraction. At a scale of 1 the division changes nothing.
    const float scale = drawable.pixelsPerUnit;
    return {static_cast<float>(x) / scale, static_cast<float>(static_cast<int64_t>(drawable.height) - y) / scale};
}

bool RouteEvent(Game& game, const SDL_Event& event, const Drawable& drawable) {
    switch (event.type) {
        case SDL_QUIT: return true;
        case SDL_KEYUP: game.OnKeyUp(event.key); break;
        case SDL_MOUSEBUTTONUP: game.OnMouseUp(event.button); break;
        case SDL_MOUSEMOTION: game.mousePos = ToDrawingUnits(drawable, event.motion.x, event.motion.y); break;
        default: break;
    }
    return false;
}

bool RouteEvents(Game& game, const Drawable& drawable) {
    SDL_Event event{};
    bool quit = false;
    while (SDL_PollEvent(&event) != 0) {
        if (RouteEvent(game, event, drawable)) quit = true;
    }
    return quit;
}
