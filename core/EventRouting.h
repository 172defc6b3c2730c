// Routes SDL events to the editor; the main loop calls RouteEvents once per pass.
#pragma once

#include <SDL.h>

class Game;

// Routes one event; returns true for a quit event. windowHeight flips SDL's y to the bottom-left origin.
bool RouteEvent(Game& game, const SDL_Event& event, int windowHeight);

// Drains the queue, routing every event of the batch (also those after a quit); returns true if any was a quit.
bool RouteEvents(Game& game, int windowHeight);
