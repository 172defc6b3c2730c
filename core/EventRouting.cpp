#include "core/EventRouting.h"

#include "editor/Game.h"

Vec2 ToDrawingUnits(const Drawable& drawable, int x, int y) {
    // Window coordinates become the drawable's pixels, then the drawing's: the margins come off, and the drawing's
    // top row becomes its height, its bottom row 1. In double precision: no coordinate an event can carry
    // overflows. Without margins, at one pixel per point and a scale of 1 nothing changes.
    const double pixelsPerPoint = drawable.pixelsPerPoint;
    const double scale = drawable.pixelsPerUnit;
    const double fromLeft = static_cast<double>(x) * pixelsPerPoint - drawable.margins.left;
    const double fromBottom = static_cast<double>(drawable.margins.top) + drawable.height -
                              static_cast<double>(y) * pixelsPerPoint;
    return {static_cast<float>(fromLeft / scale), static_cast<float>(fromBottom / scale)};
}

bool RouteEvent(Game& game, const SDL_Event& event, const Drawable& drawable,
                const WindowEventHandler& onWindowEvent) {
    switch (event.type) {
        case SDL_QUIT: return true;
        case SDL_KEYUP: game.OnKeyUp(event.key); break;
        case SDL_MOUSEBUTTONUP: game.OnMouseUp(event.button); break;
        case SDL_MOUSEMOTION: game.mousePos = ToDrawingUnits(drawable, event.motion.x, event.motion.y); break;
        case SDL_WINDOWEVENT: if (onWindowEvent) onWindowEvent(event.window); break;
        default: break;
    }
    return false;
}

bool RouteEvents(Game& game, const Drawable& drawable, const WindowEventHandler& onWindowEvent) {
    SDL_Event event{};
    bool quit = false;
    while (SDL_PollEvent(&event) != 0) {
        if (RouteEvent(game, event, drawable, onWindowEvent)) quit = true;
    }
    return quit;
}
