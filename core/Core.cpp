#include "core/Core.h"

#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_opengl.h>
#include <SDL_ttf.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#include <emscripten/html5.h>
#endif

#include "core/Console.h"
#include "core/EventRouting.h"
#include "core/X11Desktop.h"
#include "editor/Game.h"
#include "render/GlCompat.h"
#include "render/PixelScale.h"

#ifdef __EMSCRIPTEN__
// A page must hand control back to the browser after every frame: the loop waits for the next animation frame, in
// which the browser has shown the last one and delivered the input meanwhile. The wait unwinds the program's stack
// and resumes it there (Asyncify), so the loop reads as the desktop's.
EM_JS(void, WaitForAnimationFrame, (), {
    Asyncify.handleSleep(function(wakeUp) { requestAnimationFrame(function() { callUserCallback(wakeUp); }); });
});
#endif

namespace {
// One line per failed step: the step's fixed text, then SDL's own explanation.
void ReportStartupFailure(const char* call) {
    std::fprintf(stderr, "%s%s: %s\n", kStartupFailurePrefix, call, SDL_GetError());
    std::fflush(stderr);
}

constexpr int kAudioFrequency = 44100;
constexpr int kAudioChannels = 2;
constexpr int kAudioChunkSize = 2048;

#ifdef __EMSCRIPTEN__
// A phone takes a page's context away when it needs the GPU elsewhere (an app switch, a GPU reset, a page long in
// the background). The loss is declined, so that the browser may give the context back; the objects made in it are
// gone, the editor's state is not.
EM_BOOL OnContextLost(int /*eventType*/, const void* /*reserved*/, void* /*core*/) {
    ForgetGlObjects();
    return EM_TRUE;
}

EM_BOOL OnContextRestored(int /*eventType*/, const void* /*reserved*/, void* core) {
    static_cast<Core*>(core)->RestoreContext();
    return EM_TRUE;
}

#else
// Decorations a window manager could add that would decide whether the window fits: a title bar and a frame.
constexpr int kRoomForDecorations = 96;
constexpr Uint32 kDecorationWaitMs = 250;

bool OnWayland() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "wayland") == 0;
}

// X11 learns a window's decorations from the window manager, and without a window manager there are none; so they
// are waited for briefly, and only when asked to. Platforms that cannot tell (the offscreen driver) have none.
Insets BordersOf(SDL_Window* sdlWindow, bool wait) {
    Insets b;
    const Uint32 start = SDL_GetTicks();
    while (SDL_GetWindowBordersSize(sdlWindow, &b.top, &b.left, &b.bottom, &b.right) == 0) {
        if (!b.Empty()) return b;
        if (!wait || SDL_GetTicks() - start >= kDecorationWaitMs) break;
        SDL_Delay(10);
        SDL_PumpEvents();  // the frame extents arrive as a property change
    }
    return {};
}
#endif

// Made hidden, a desktop window is shown once it has its final size and place, so it appears once. On Wayland a
// window's coordinates are the output's logical pixels: the window asks for the output's own pixels, so that it is
// sharp on a scaled output. X11 and Windows give a window pixels anyway; a page shows its canvas itself.
Uint32 WindowFlags() {
#ifdef __EMSCRIPTEN__
    return SDL_WINDOW_OPENGL;
#else
    const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    return OnWayland() ? flags | SDL_WINDOW_ALLOW_HIGHDPI : flags;
#endif
}
}  // namespace

Core::Core(const WindowSettings& settings) : window(settings) { Initialize(); }

Core::Core(const WindowSettings& settings, float displayScale)
    : window(settings), displayScaleOverride(displayScale) {
    Initialize();
}

void Core::Initialize() {
    DisableConsoleClose();
    AllowStartupPauses(true);  // in the browser, the long steps below and the texts run in tasks of their own
#ifdef __EMSCRIPTEN__
    // The loop waits for the browser's animation frames itself: SDL's own wait in every swap would come through a
    // function pointer, which the rewritten program cannot wait in.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
#endif

    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0) return ReportStartupFailure("SDL_Init");
    PauseIfLong();

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
#ifdef __EMSCRIPTEN__
    // The editor draws flat shapes in order: a depth buffer would only be allocated and cleared.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
#endif

    asked = InitialDrawable();
    drawable = asked;
    sdlWindow = SDL_CreateWindow(window.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                 drawable.width, drawable.height, WindowFlags());
    if (sdlWindow == nullptr) return ReportStartupFailure("SDL_CreateWindow");
    ShowWindowFitted();
    PauseIfLong();

    glContext = SDL_GL_CreateContext(sdlWindow);
    if (glContext == nullptr) return ReportStartupFailure("SDL_GL_CreateContext");
    PauseIfLong();

    if (window.vsync) {
        if (SDL_GL_SetSwapInterval(1) < 0) return ReportStartupFailure("SDL_GL_SetSwapInterval");
    } else {
        SDL_GL_SetSwapInterval(0);
    }

#ifdef __EMSCRIPTEN__
    MakeGlObjects();
    WatchContextLoss();
#endif
    SetUpDrawing();
#ifdef __EMSCRIPTEN__
    WarmUpDrawing();
#endif

    if ((IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG) == 0) return ReportStartupFailure("IMG_Init");
    if (TTF_Init() == -1) return ReportStartupFailure("TTF_Init");
#ifndef __EMSCRIPTEN__
    if (!OpenAudio()) return ReportStartupFailure("Mix_OpenAudio");
#endif

    initialized = true;
}

bool Core::OpenAudio() {
    return Mix_OpenAudio(kAudioFrequency, AUDIO_S16LSB, kAudioChannels, kAudioChunkSize) == 0;
}

#ifdef __EMSCRIPTEN__
// A browser starts an audio context only after a gesture, and making one blocks the page for a long task (its audio
// service starting): the page opens its audio at the first key, click or touch instead of at start-up. Without
// sound the editor goes on; the reason goes to the console.
void Core::OpenAudioAtFirstGesture() {
    if (audioAsked) return;
    const auto queued = [](SDL_EventType type) {
        return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, type, type) > 0;
    };
    if (!queued(SDL_KEYDOWN) && !queued(SDL_MOUSEBUTTONDOWN) && !queued(SDL_FINGERDOWN)) return;
    audioAsked = true;
    if (!OpenAudio()) {
        std::fprintf(stderr, "Mix_OpenAudio: %s\n", SDL_GetError());
        std::fflush(stderr);
    }
}
#endif

float Core::DisplayScale(int display) const {
    if (displayScaleOverride > 0.0f) return displayScaleOverride;
#ifdef _WIN32
    // A program that declares itself DPI-aware is given pixels, not scaled ones: it scales itself, by the DPI the
    // user chose for the display over Windows' 96.
    constexpr float kUnscaledDpi = 96.0f;
    float dpi = 0.0f;
    if (SDL_GetDisplayDPI(display, nullptr, &dpi, nullptr) == 0 && dpi >= kUnscaledDpi) return dpi / kUnscaledDpi;
#else
    (void)display;  // X11 has one scale for all its screens
#endif
    // An X11 desktop's Xft.dpi, once the window exists; Wayland's compositor scales the window itself, and the
    // browser's scale is the device pixel ratio, read from the page.
    return sdlWindow != nullptr ? DesktopScale(sdlWindow) : 1.0f;
}

// The window's size before it exists: fitted to the screen as far as it is known without the decorations. A page's
// canvas takes its size on the page at once: resized once the context exists, its drawing buffer would be allocated
// anew.
Drawable Core::InitialDrawable() const {
    const Drawable unscaled = FitDrawable(window, window.width, window.height, 1.0f);
#ifdef __EMSCRIPTEN__
    return CanvasDrawable().value_or(unscaled);
#else
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return unscaled;
    return ::FitWindowToScreen(window, {usable.w, usable.h, {}, DisplayScale(0)});
#endif
}

// Shows the window at its size and place for the screen. Most window managers tell a window's decorations before
// it is mapped: it is fitted while still hidden and appears once. Where one tells them only once the window is
// mapped (KWin), the window is fitted again then.
void Core::ShowWindowFitted() {
#ifndef __EMSCRIPTEN__
    const bool decorationsMayCome = RequestFrameExtents(sdlWindow);
    const bool fitted = FitWindowToScreen(true, decorationsMayCome);
    SDL_ShowWindow(sdlWindow);
    if (!fitted) FitWindowToScreen(true, decorationsMayCome);
#endif
}

// Sizes the window for its screen, decorations included (waiting for them briefly where they are on their way and
// could decide whether the window fits), and centres it in the usable area with the title bar on the screen, or
// leaves it where it is (on a move to another display). A window that already has that size is left where it is.
// On Wayland the compositor sizes and places windows. False when the window may not fit: its decorations could
// decide it, and they are not known yet.
bool Core::FitWindowToScreen(bool centre, bool waitForDecorations) {
#ifndef __EMSCRIPTEN__
    if (OnWayland()) return true;
    const int display = SDL_GetWindowDisplayIndex(sdlWindow);
    SDL_Rect usable{};
    if (display < 0 || SDL_GetDisplayUsableBounds(display, &usable) != 0) return true;
    LeaveOutDockStruts(sdlWindow, usable);
    const float scale = DisplayScale(display);
    const Drawable undecorated = ::FitWindowToScreen(window, {usable.w, usable.h, {}, scale});
    const bool nearTheEdges = usable.w - undecorated.width < kRoomForDecorations ||
                              usable.h - undecorated.height < kRoomForDecorations;
    const ScreenRoom room{usable.w, usable.h, BordersOf(sdlWindow, waitForDecorations && nearTheEdges), scale};
    const bool fits = !nearTheEdges || !room.borders.Empty();
    const Drawable fitted = ::FitWindowToScreen(window, room);
    if (fitted.width == asked.width && fitted.height == asked.height) return fits;
    asked = fitted;
    SDL_SetWindowSize(sdlWindow, asked.width, asked.height);
    if (!centre) return fits;
    const Insets& b = room.borders;
    SDL_SetWindowPosition(sdlWindow, usable.x + b.left + (usable.w - b.left - b.right - asked.width) / 2,
                          usable.y + b.top + (usable.h - b.top - b.bottom - asked.height) / 2);
    return fits;
#else
    (void)centre;
    (void)waitForDecorations;
    return true;
#endif
}

#ifdef __EMSCRIPTEN__
// The page decides the canvas's size on the screen (its CSS size); the drawing buffer behind it gets that size
// times the device pixel ratio, so the editor is as sharp as the screen. None while the canvas is hidden.
std::optional<Drawable> Core::CanvasDrawable() const {
    double cssWidth = 0.0, cssHeight = 0.0;
    if (emscripten_get_element_css_size("#canvas", &cssWidth, &cssHeight) != EMSCRIPTEN_RESULT_SUCCESS) {
        return std::nullopt;
    }
    if (!(cssWidth > 0.0 && cssHeight > 0.0)) return std::nullopt;
    const double ratio = emscripten_get_device_pixel_ratio();
    return FitDrawable(window, static_cast<float>(std::round(cssWidth * ratio)),
                       static_cast<float>(std::round(cssHeight * ratio)), HUGE_VALF);
}
#endif

// Checked every pass: the page follows rotations and resized windows.
void Core::FitCanvasToPage() {
#ifdef __EMSCRIPTEN__
    const std::optional<Drawable> fitted = CanvasDrawable();
    if (!fitted || (fitted->width == drawable.width && fitted->height == drawable.height)) return;
    // SDL then reports pointer positions in these pixels, whatever the canvas's size on the screen.
    SDL_SetWindowSize(sdlWindow, fitted->width, fitted->height);
    ApplyDrawable(*fitted);
#endif
}

// The drawing follows the drawable the window has, whatever size the window manager, the compositor or a tiling
// layout gave it; an empty one (a minimised window) keeps the last. A page sizes its canvas itself.
void Core::FollowDrawable() {
#ifndef __EMSCRIPTEN__
    int pixelsWide = 0, pixelsHigh = 0, pointsWide = 0, pointsHigh = 0;
    SDL_GL_GetDrawableSize(sdlWindow, &pixelsWide, &pixelsHigh);
    SDL_GetWindowSize(sdlWindow, &pointsWide, &pointsHigh);
    if (pixelsWide > 0 && pixelsHigh > 0 && pointsWide > 0) {
        const float pixelsPerPoint = static_cast<float>(pixelsWide) / static_cast<float>(pointsWide);
        drawable = PlaceDrawing(window, asked, pixelsWide, pixelsHigh, pixelsPerPoint);
    }
#endif
    ApplyDrawable(drawable);
}

// The state every drawing relies on; nothing changes it afterwards but a new drawable's size.
void Core::SetUpDrawing() {
    // One unit is one drawing unit whatever the drawable's size: origin at the bottom-left corner, y upward.
    SetDrawingProjection(window.width, window.height);
    FollowDrawable();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

#ifdef __EMSCRIPTEN__
void Core::WatchContextLoss() {
    emscripten_set_webglcontextlost_callback("#canvas", this, EM_FALSE, OnContextLost);
    emscripten_set_webglcontextrestored_callback("#canvas", this, EM_FALSE, OnContextRestored);
}

void Core::RestoreContext() {
    MakeGlObjects();
    if (!GlObjectsMade()) {
        std::fprintf(stderr, "Core::RestoreContext( ), error when calling glLinkProgram: %s\n", SDL_GetError());
        return;
    }
    SetUpDrawing();
}
#endif

void Core::ApplyDrawable(const Drawable& fitted) {
    drawable = fitted;
    frameStale = true;
    glViewport(drawable.margins.left, drawable.margins.bottom, drawable.width, drawable.height);
    SetPixelScale(drawable.pixelsPerUnit);
}

// A new size of the drawable, or another display (on Windows maybe another scale, on any screen another room).
void Core::OnWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED: FollowDrawable(); break;
        case SDL_WINDOWEVENT_DISPLAY_CHANGED: FitWindowToScreen(false, false); FollowDrawable(); break;
        default: break;
    }
}

void Core::Run() {
    if (!initialized) {
        std::fputs("Core::Run( ), Core not correctly initialized, unable to run the game\n", stderr);
        std::fflush(stderr);
#ifndef __EMSCRIPTEN__
        std::getchar();  // a page has no console to wait on: it shows the messages instead
#endif
        return;
    }

    auto game = std::make_unique<Game>(window);
#ifdef __EMSCRIPTEN__
    // The shader program has linked while the texts were rendered. A context lost meanwhile makes it anew when the
    // browser gives it back.
    if (ContextAvailable() && !GlObjectsMade()) return ReportStartupFailure("glLinkProgram");
    AllowStartupPauses(false);  // a pass runs to its end: the browser never shows half a frame
    // SDL sends no quit in a browser: closing the page ends the program with it.
    while (RunPass(*game)) WaitForAnimationFrame();
#else
    while (RunPass(*game)) {
    }
#endif
    game.reset();  // before the teardown: the editor's textures belong to glContext
}

bool Core::RunPass(Game& game) {
    FitCanvasToPage();
#ifdef __EMSCRIPTEN__
    // Only an event changes what the editor shows (beside a new drawable and a restored context, which mark the
    // frame themselves): a page that is only looked at draws nothing, and the browser goes on showing its last frame.
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) frameStale = true;
    OpenAudioAtFirstGesture();
#endif
    if (RouteEvents(game, drawable, [this](const SDL_WindowEvent& event) { OnWindowEvent(event); })) return false;
    // While the browser holds the context, the edit goes on and nothing is drawn.
    if (!ContextAvailable()) return true;
#ifdef __EMSCRIPTEN__
    if (!frameStale) return true;
    frameStale = false;
#endif
    DrawFrame(game);
    SDL_GL_SwapWindow(sdlWindow);
    return true;
}

void Core::DrawFrame(const Game& game) const {
    const Insets& m = drawable.margins;
    const bool inMargins = !m.Empty();
    if (inMargins) {
        // The margins take the chrome colour; the drawing's own clear stays inside its area.
        const Rgba& chrome = game.chromeColor;
        glClearColor(chrome.r, chrome.g, chrome.b, chrome.a);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(m.left, m.bottom, drawable.width, drawable.height);
    }
    game.Draw();
    FinishDrawing();  // in the browser the shapes are drawn here, still inside the scissor
    if (inMargins) glDisable(GL_SCISSOR_TEST);
}

Core::~Core() {
    SDL_GL_DeleteContext(glContext);
    SDL_DestroyWindow(sdlWindow);
    sdlWindow = nullptr;
    // The audio device opened by the last start-up step is closed before the libraries go.
    if (Mix_QuerySpec(nullptr, nullptr, nullptr) != 0) Mix_CloseAudio();
    Mix_Quit();
    TTF_Quit();
    IMG_Quit();
    SDL_Quit();
    EnableConsoleClose();
}
