// Process-wide start-up and teardown: SDL, the window, the OpenGL context, the projection and the media libraries;
// and the main loop that runs the editor.
#pragma once

#include <SDL.h>

#include <optional>

#include "core/WindowFit.h"
#include "editor/WindowSettings.h"

class Game;

// How every line about a failed start-up step begins; the step's name and SDL's explanation follow.
inline constexpr char kStartupFailurePrefix[] = "Core::Initialize( ), error when calling ";

class Core {
public:
    // The window takes the display's own scale (Windows' scaling setting, an X11 desktop's Xft.dpi; 1 elsewhere),
    // reduced to fit the screen.
    explicit Core(const WindowSettings& settings);
    // The window takes the given display scale instead, reduced to fit the screen: a screen simulated for a test.
    Core(const WindowSettings& settings, float displayScale);
    ~Core();

    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    void Initialize();
    void Run();
    // One pass of the main loop: every queued event routed, then a frame drawn and shown (in a page only when
    // something changed). False once a quit came.
    bool RunPass(Game& game);
    // One frame, not shown yet: the drawing in its area and, where the drawable is larger, margins around it.
    void DrawFrame(const Game& game) const;

    WindowSettings window;  // in drawing units; the projection maps them onto the drawable
    SDL_Window* sdlWindow = nullptr;
    SDL_GLContext glContext = nullptr;
    bool initialized = false;
    Drawable drawable;  // where the drawing sits in the window's pixels, and its scale, once the window is open

#ifdef __EMSCRIPTEN__
    // The browser gave back the context it took away: the drawing objects and state are made again, and the next
    // pass draws the editor as it is now.
    void RestoreContext();
#endif

private:
    float DisplayScale(int display) const;
    Drawable InitialDrawable() const;
    void ShowWindowFitted();
    bool FitWindowToScreen(bool centre, bool waitForDecorations);
    void FitCanvasToPage();
    void SetUpDrawing();
    void FollowDrawable();
    void ApplyDrawable(const Drawable& fitted);
    void OnWindowEvent(const SDL_WindowEvent& event);
    bool OpenAudio();
#ifdef __EMSCRIPTEN__
    std::optional<Drawable> CanvasDrawable() const;
    void WatchContextLoss();
    void OpenAudioAtFirstGesture();
#endif

    float displayScaleOverride = 0.0f;  // 0: the platform's own
    Drawable asked;                     // the window the program asked for, in window coordinates
    bool frameStale = true;             // the last frame shown is not the editor as it is now (a page draws then only)
    bool audioAsked = false;            // a page has tried to open its audio, at the first gesture
};
