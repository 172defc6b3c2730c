// Routes SDL events to the editor; the main loop calls RouteEvents once per pass.
#pragma once

#include <SDL.h>

#include <functional>

#include "core/WindowFit.h"
#include "figures/Types.h"

class Game;

// Told of every window event as it comes, before the next event is routed: a change of the window's size, pixels or
// display changes the drawable that later pointer positions are mapped through.
using WindowEventHandler = std::function<void(const SDL_WindowEvent&)>;

// A pointer position in window coordinates (SDL's, row 0 at the top) in drawing units, origin bottom left.
Vec2 ToDrawingUnits(const Drawable& drawable, int x, int y);

// Routes one event; returns true for a quit event. The drawable maps pointer positions to drawing units.
bool RouteEvent(Game& game, const SDL_Event& event, const Drawable& drawable,
                const WindowEventHandler& onWindowEvent = {});

// Drains the queue, routing every event of the batch (also those after a quit); returns true if any was a quit.
bool RouteEvents(Game& game, const Drawable& drawable, const WindowEventHandler& onWindowEvent = {});
