// What every test program shares: the one real Core on the offscreen context, read-back, feedback and events.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>
#include <SDL_ttf.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/Core.h"
#include "figures/Types.h"

class Game;

namespace testing_support {

inline constexpr int kWindowWidth = 1200;
inline constexpr int kWindowHeight = 900;

// The Core started once for the whole test program (see GlTestMain.cpp); null if start-up failed.
Core* SharedCore();

using Pixel = std::array<uint8_t, 4>;

// Owners of the SDL surfaces and SDL_ttf fonts that tests make.
struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;
struct FontClose {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using FontPtr = std::unique_ptr<TTF_Font, FontClose>;

// Reads the back buffer; row 0 is the bottom row, as in the drawing coordinates.
Pixel ReadPixel(int x, int y);
std::vector<uint8_t> ReadFrame();  // RGBA, kWindowWidth x kWindowHeight, bottom row first

// Saves the current back buffer as a PNG in the build folder; returns the path written.
std::string SaveFramePng(const std::string& name);

Pixel ToPixel(Rgba color);  // the byte values a solid fill of this colour reads back as

// One primitive as OpenGL's feedback mode reports it.
struct FeedbackPrimitive {
    GLenum kind = 0;  // GL_POINT_TOKEN, GL_LINE_TOKEN (also GL_LINE_RESET_TOKEN), GL_POLYGON_TOKEN
    std::vector<Vec2> vertices;
};

// Runs draw in feedback mode (GL_2D) and returns what reached the rasteriser.
std::vector<FeedbackPrimitive> CaptureFeedback(const std::function<void()>& draw);

// Events built as SDL would deliver them; y is SDL's (0 at the top).
SDL_Event MotionTo(int x, int sdlY);
SDL_Event ButtonUp(uint8_t button);
SDL_Event KeyUp(SDL_Keycode key);
SDL_Event KeyDown(SDL_Keycode key);
SDL_Event ButtonDown(uint8_t button);
SDL_Event Quit();

// Pushes the events onto SDL's queue and routes the batch as the main loop does; returns the quit flag.
bool Route(Game& game, const std::vector<SDL_Event>& events);

// Moves the pointer to a point in drawing coordinates (y up) and left-clicks there.
void ClickAt(Game& game, float x, float y);
// Releases the keys in order, one batch.
void Type(Game& game, const std::vector<SDL_Keycode>& keys);
// Types a string of digits and presses nothing else.
void TypeDigits(Game& game, const std::string& digits);

// Captures what is written to the standard error stream while alive: its descriptor goes to a temporary file.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;
    std::string Text() const;
    std::vector<std::string> Lines() const;

private:
    std::FILE* file = nullptr;
    int previous = -1;
};

// Gives the standard input the bytes of `text` while alive, as a file the program reads from its descriptor.
class StdinFeed {
public:
    explicit StdinFeed(const std::string& text);
    ~StdinFeed();
    StdinFeed(const StdinFeed&) = delete;
    StdinFeed& operator=(const StdinFeed&) = delete;

private:
    std::FILE* file = nullptr;
    int previous = -1;
};

}  // namespace testing_support
