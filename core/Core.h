// Process-wide start-up and teardown: SDL, the window, the OpenGL context, the pixel projection and the media libraries.
#pragma once

#include <SDL.h>

#include "core/WindowSettings.h"

// How every line about a failed start-up step begins; the step's name and SDL's explanation follow.
inline constexpr char kStartupFailurePrefix[] = "Core::Initialize( ), error when calling ";

class Core {
public:
    explicit Core(const WindowSettings& settings);
    ~Core();

    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    void Initialize();
    void Run();

    WindowSettings window;
    SDL_Window* sdlWindow = nullptr;
    SDL_GLContext glContext = nullptr;
    bool initialized = false;
};
