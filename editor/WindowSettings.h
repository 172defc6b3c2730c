// The window the editor asks for: copied from the entry point into Core, which opens it, and from there into Game.
#pragma once

#include <string>

struct WindowSettings {
    std::string title;
    float width = 0.0f;
    float height = 0.0f;
    bool vsync = false;
};

// The window the program opens.
inline WindowSettings EditorWindowSettings() { return {"Kalvora - Dalmoren, Olix", 1200.0f, 900.0f, true}; }
