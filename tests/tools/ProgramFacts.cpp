// Prints what the checks of the shipped builds look for in the running program, read from the program's own
// definitions rather than copied into each script: the window's title and size, the colour of the margins around
// the drawing in a window of another shape (as #rrggbb, the 8-bit value OpenGL clears to), the points to click to
// open the left "Number Of Vertices" box (and, in the JSON, the left "Density", "Angle Offset" and "BG Color" boxes;
// window pixels from the top-left corner, as X and the browser count them), and how the line about a failed
// start-up step begins.
//
//   program-facts          shell assignments (STAR_WINDOW_TITLE=...), for eval
//   program-facts --json   one JSON object, for the page check
//
// The editor lays its boxes out when it is built, so this starts it offscreen: run it from the folder that holds
// Resources/, with SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "core/Core.h"
#include "editor/Game.h"

namespace {
// A point in window pixels from the top-left corner.
struct Point {
    int x = 0;
    int y = 0;
};

struct Facts {
    std::string title;
    std::string chromeColor;
    int width = 0;
    int height = 0;
    Point vertexBox;   // the left "Number Of Vertices" box
    Point densityBox;  // the left "Density" box
    Point angleBox;    // the left "Angle Offset" box
    Point bgBox;       // the "BG Color" box
    std::string startupFailurePrefix;
};

// A box's centre; the editor counts y from the bottom of the window.
Point CentreOf(const Game& game, Rect box) {
    return {static_cast<int>(std::lround(box.left + box.width / 2.0f)),
            static_cast<int>(std::lround(game.window.height - (box.bottom + box.height / 2.0f)))};
}

// OpenGL stores a colour channel as the nearest 8-bit level.
std::string HexColor(const Rgba& color) {
    char hex[8];
    const auto level = [](float channel) {
        return static_cast<int>(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255.0f));
    };
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", level(color.r), level(color.g), level(color.b));
    return hex;
}

Facts ReadFacts(const Game& game) {
    return {game.window.title,
            HexColor(game.chromeColor),
            static_cast<int>(game.window.width),
            static_cast<int>(game.window.height),
            CentreOf(game, game.numericBoxes[0].rect),
            CentreOf(game, game.numericBoxes[1].rect),
            CentreOf(game, game.numericBoxes[2].rect),
            CentreOf(game, game.bgBox),
            kStartupFailurePrefix};
}

std::string ShellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string JsonQuoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

void PrintShell(const Facts& facts) {
    std::printf("STAR_WINDOW_TITLE=%s\n", ShellQuoted(facts.title).c_str());
    std::printf("STAR_CHROME_COLOR='%s'\n", facts.chromeColor.c_str());
    std::printf("STAR_WINDOW_WIDTH=%d\nSTAR_WINDOW_HEIGHT=%d\n", facts.width, facts.height);
    std::printf("STAR_VERTEX_BOX_X=%d\nSTAR_VERTEX_BOX_Y=%d\n", facts.vertexBox.x, facts.vertexBox.y);
    std::printf("STAR_STARTUP_FAILURE_PREFIX=%s\n", ShellQuoted(facts.startupFailurePrefix).c_str());
}

std::string JsonPoint(Point p) { return "{\"x\": " + std::to_string(p.x) + ", \"y\": " + std::to_string(p.y) + "}"; }

void PrintJson(const Facts& facts) {
    std::printf("{\"title\": %s, \"width\": %d, \"height\": %d, \"vertexBox\": %s, \"densityBox\": %s, "
                "\"angleBox\": %s, \"bgBox\": %s, \"startupFailurePrefix\": %s}\n",
                JsonQuoted(facts.title).c_str(), facts.width, facts.height, JsonPoint(facts.vertexBox).c_str(),
                JsonPoint(facts.densityBox).c_str(), JsonPoint(facts.angleBox).c_str(), JsonPoint(facts.bgBox).c_str(),
                JsonQuoted(facts.startupFailurePrefix).c_str());
}
}  // namespace

int main(int argc, char* argv[]) {
    const bool json = argc == 2 && std::string_view(argv[1]) == "--json";
    if (argc > 2 || (argc == 2 && !json)) {
        std::fprintf(stderr, "usage: program-facts [--json]\n");
        return 2;
    }
    const auto core = std::make_unique<Core>(EditorWindowSettings());
    if (!core->initialized) return 1;
    const Facts facts = ReadFacts(Game(core->window));
    if (json)
        PrintJson(facts);
    else
        PrintShell(facts);
    return 0;
}
