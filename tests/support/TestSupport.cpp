#include "tests/support/TestSupport.h"

#include <stdio_ext.h>
#include <unistd.h>

#include <sstream>

#include "core/EventRouting.h"
#include "editor/Game.h"
#include "tests/support/FramePng.h"

#ifndef STAR_TEST_OUTPUT_DIR
#define STAR_TEST_OUTPUT_DIR "."
#endif

namespace testing_support {

Pixel ReadPixel(int x, int y) {
    Pixel pixel{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

std::vector<uint8_t> ReadFrame() {
    std::vector<uint8_t> frame(static_cast<size_t>(kWindowWidth) * kWindowHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    return frame;
}

std::string SaveFramePng(const std::string& name) {
    const std::string path = std::string(STAR_TEST_OUTPUT_DIR) + "/" + name + ".png";
    WriteFramePng(path, kWindowWidth, kWindowHeight);
    return path;
}

Pixel ToPixel(Rgba color) {
    auto byte = [](float c) { return static_cast<uint8_t>(c * 255.0f + 0.5f); };
    return {byte(color.r), byte(color.g), byte(color.b), byte(color.a)};
}

std::vector<FeedbackPrimitive> CaptureFeedback(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_2D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);

    std::vector<FeedbackPrimitive> primitives;
    auto vertexAt = [&](GLint i) { return Vec2{buffer[static_cast<size_t>(i)], buffer[static_cast<size_t>(i) + 1]}; };
    for (GLint i = 0; i < used;) {
        const auto token = static_cast<GLenum>(buffer[static_cast<size_t>(i++)]);
        FeedbackPrimitive primitive;
        primitive.kind = token;
        GLint count = 0;
        if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
            token == GL_COPY_PIXEL_TOKEN) {
            count = 1;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            primitive.kind = GL_LINE_TOKEN;
            count = 2;
        } else if (token == GL_POLYGON_TOKEN) {
            count = static_cast<GLint>(buffer[static_cast<size_t>(i++)]);
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++i;
            continue;
        } else {
            break;  // unknown token: stop rather than misread
        }
        for (GLint v = 0; v < count; ++v, i += 2) primitive.vertices.push_back(vertexAt(i));
        primitives.push_back(std::move(primitive));
    }
    return primitives;
}

SDL_Event MotionTo(int x, int sdlY) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = sdlY;
    return event;
}

SDL_Event ButtonUp(uint8_t button) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = SDL_RELEASED;
    return event;
}

SDL_Event ButtonDown(uint8_t button) {
    SDL_Event event = ButtonUp(button);
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.state = SDL_PRESSED;
    return event;
}

SDL_Event KeyUp(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    event.key.keysym.sym = key;
    return event;
}

SDL_Event KeyDown(SDL_Keycode key) {
    SDL_Event event = KeyUp(key);
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    return event;
}

SDL_Event Quit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}

bool Route(Game& game, const std::vector<SDL_Event>& events) {
    for (SDL_Event event : events) SDL_PushEvent(&event);
    return RouteEvents(game, Drawable{kWindowWidth, kWindowHeight, 1.0f, {}, 1.0f});
}

void ClickAt(Game& game, float x, float y) {
    Route(game, {MotionTo(static_cast<int>(x), kWindowHeight - static_cast<int>(y)), ButtonUp(SDL_BUTTON_LEFT)});
}

void Type(Game& game, const std::vector<SDL_Keycode>& keys) {
    std::vector<SDL_Event> events;
    for (SDL_Keycode key : keys) events.push_back(KeyUp(key));
    Route(game, events);
}

void TypeDigits(Game& game, const std::string& digits) {
    std::vector<SDL_Keycode> keys;
    for (char c : digits) keys.push_back(static_cast<SDL_Keycode>(c));
    Type(game, keys);
}

StderrCapture::StderrCapture() : file(std::tmpfile()) {
    std::fflush(stderr);
    previous = dup(STDERR_FILENO);
    if (file != nullptr) dup2(fileno(file), STDERR_FILENO);
}

StderrCapture::~StderrCapture() {
    std::fflush(stderr);
    if (previous >= 0) {
        dup2(previous, STDERR_FILENO);
        close(previous);
    }
    if (file != nullptr) std::fclose(file);
}

std::string StderrCapture::Text() const {
    std::fflush(stderr);
    if (file == nullptr) return {};
    std::string text;
    char chunk[4096];
    for (off_t at = 0;;) {
        const ssize_t got = pread(fileno(file), chunk, sizeof chunk, at);
        if (got <= 0) break;
        text.append(chunk, static_cast<size_t>(got));
        at += got;
    }
    return text;
}

std::vector<std::string> StderrCapture::Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(Text());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

StdinFeed::StdinFeed(const std::string& text) : file(std::tmpfile()) {
    if (file == nullptr) return;
    std::fputs(text.c_str(), file);
    std::fflush(file);
    std::rewind(file);
    previous = dup(STDIN_FILENO);
    dup2(fileno(file), STDIN_FILENO);
    std::clearerr(stdin);
}

// What the stream still buffers of the feed is dropped with it.
StdinFeed::~StdinFeed() {
    __fpurge(stdin);
    if (previous >= 0) {
        dup2(previous, STDIN_FILENO);
        close(previous);
    }
    std::clearerr(stdin);
    if (file != nullptr) std::fclose(file);
}

}  // namespace testing_support
