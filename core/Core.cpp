#include "core/Core.h"

#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_opengl.h>
#include <SDL_ttf.h>
#include <GL/glu.h>

#include <iostream>
#include <memory>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "core/Console.h"
#include "core/EventRouting.h"
#include "editor/Game.h"

namespace {
// One line per failed step: the step's fixed text, then SDL's own explanation.
void ReportStartupFailure(const char* call) {
    std::cerr << kStartupFailurePrefix << call << ": " << SDL_GetError() << std::endl;
}

constexpr int kAudioFrequency = 44100;
constexpr int kAudioChannels = 2;
constexpr int kAudioChunkSize = 2048;

#ifdef __EMSCRIPTEN__
// A page must hand control back to the browser after every frame, so the browser calls one pass of the loop per
// animation frame. The loop owns the Game from then on.
struct BrowserLoop {
    std::unique_ptr<Game> game;
    SDL_Window* window = nullptr;
    int flipHeight = 0;
};

void BrowserPass(void* arg) {
    auto* loop = static_cast<BrowserLoop*>(arg);
    if (RouteEvents(*loop->game, loop->flipHeight)) {
        // SDL sends no quit in a browser: closing the page ends the program with it. Should one come, the loop
        // stops and the Game goes first, while its context still exists.
        emscripten_cancel_main_loop();
        const std::unique_ptr<BrowserLoop> ended(loop);
        return;
    }
    loop->game->Draw();
    SDL_GL_SwapWindow(loop->window);
}
#endif
}  // namespace

Core::Core(const WindowSettings& settings) : window(settings) { Initialize(); }

void Core::Initialize() {
    DisableConsoleClose();

    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0) return ReportStartupFailure("SDL_Init");

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);

    const int pixelWidth = static_cast<int>(window.width);
    const int pixelHeight = static_cast<int>(window.height);
    sdlWindow = SDL_CreateWindow(window.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, pixelWidth,
                                 pixelHeight, SDL_WINDOW_OPENGL);
    if (sdlWindow == nullptr) return ReportStartupFailure("SDL_CreateWindow");

    glContext = SDL_GL_CreateContext(sdlWindow);
    if (glContext == nullptr) return ReportStartupFailure("SDL_GL_CreateContext");

    if (window.vsync) {
        if (SDL_GL_SetSwapInterval(1) < 0) return ReportStartupFailure("SDL_GL_SetSwapInterval");
    } else {
        SDL_GL_SetSwapInterval(0);
    }

    // One unit is one pixel, origin at the bottom-left corner, y upward.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, static_cast<double>(window.width), 0.0, static_cast<double>(window.height));
    glViewport(0, 0, pixelWidth, pixelHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // Every later drawing relies on this; nothing changes it afterwards.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    if ((IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG) == 0) return ReportStartupFailure("IMG_Init");
    if (TTF_Init() == -1) return ReportStartupFailure("TTF_Init");
    if (Mix_OpenAudio(kAudioFrequency, AUDIO_S16LSB, kAudioChannels, kAudioChunkSize) < 0)
        return ReportStartupFailure("Mix_OpenAudio");

    initialized = true;
}

void Core::Run() {
    if (!initialized) {
        std::cerr << "Core::Run( ), Core not correctly initialized, unable to run the game" << std::endl;
#ifndef __EMSCRIPTEN__
        std::cin.get();  // a page has no console to wait on: it shows the messages instead
#endif
        return;
    }

    auto game = std::make_unique<Game>(window);
    const int flipHeight = static_cast<int>(window.height);
#ifdef __EMSCRIPTEN__
    // Does not return: the browser runs the passes, one per animation frame, paced by the display like a swap.
    auto loop = std::make_unique<BrowserLoop>(BrowserLoop{std::move(game), sdlWindow, flipHeight});
    emscripten_set_main_loop_arg(BrowserPass, loop.release(), 0, true);
#else
    while (!RouteEvents(*game, flipHeight)) {
        game->Draw();
        SDL_GL_SwapWindow(sdlWindow);
    }
    game.reset();  // before the teardown: the editor's textures belong to glContext
#endif
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
