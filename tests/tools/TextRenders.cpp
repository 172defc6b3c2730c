// Every text the editor can show, as SDL_ttf renders it from Resources/Baloo.ttf at the point sizes the editor's
// scales give it. Built for the page (its SDL_ttf and its font, run by Node.js), it prints each rendering; built for
// the desktop, with --compare, it reads those from standard input and requires its own to match them.
//
// A rendering is its size and its alpha summed down each column: a glyph placed a pixel off moves a whole column's
// ink, while the page's FreeType, built for 32-bit WebAssembly, anti-aliases an edge pixel a level or two otherwise.
//
//   text-renders                 one line per rendering: point size, width, height, column sums
//   text-renders --compare < LINES   prints what differs; status 1 if anything does
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/EditorTexts.h"

namespace {
// The labels' 40 and the titles' 50 points at the scales of a small phone (0.5), a phone (0.95), a desktop (1 and
// 1.5) and dense screens (2 and 3), and between them.
constexpr int kPointSizes[] = {20, 25, 30, 38, 40, 48, 50, 60, 75, 80, 100, 120, 150};
constexpr SDL_Color kTextColor{98, 146, 99, 255};
// Alpha levels a column may differ by: a few edge pixels a level or two apart.
constexpr long kColumnTolerance = 12;

struct Rendering {
    int pointSize = 0;
    int width = 0;
    int height = 0;
    std::vector<long> columns;
};

bool Render(TTF_Font* font, int pointSize, const std::string& text, Rendering& out) {
    SDL_Surface* surface = TTF_RenderText_Blended(font, text.c_str(), kTextColor);
    if (surface == nullptr) return false;
    out = {pointSize, surface->w, surface->h, std::vector<long>(static_cast<size_t>(surface->w), 0)};
    for (int row = 0; row < surface->h; ++row) {
        const auto* pixels = reinterpret_cast<const Uint32*>(static_cast<const uint8_t*>(surface->pixels) +
                                                             static_cast<ptrdiff_t>(row) * surface->pitch);
        for (int column = 0; column < surface->w; ++column) {
            Uint8 r = 0, g = 0, b = 0, a = 0;
            SDL_GetRGBA(pixels[column], surface->format, &r, &g, &b, &a);
            out.columns[static_cast<size_t>(column)] += a;
        }
    }
    SDL_FreeSurface(surface);
    return true;
}

bool ReadRendering(std::istream& in, Rendering& out) {
    std::string line;
    if (!std::getline(in, line)) return false;
    std::istringstream fields(line);
    out = {};
    fields >> out.pointSize >> out.width >> out.height;
    for (long sum = 0; fields >> sum;) out.columns.push_back(sum);
    return static_cast<int>(out.columns.size()) == out.width;
}

// How far the given rendering is from the expected one: -1 for another size, else the largest column difference.
long Distance(const Rendering& expected, const Rendering& given) {
    if (expected.pointSize != given.pointSize || expected.width != given.width || expected.height != given.height)
        return -1;
    long largest = 0;
    for (size_t i = 0; i < expected.columns.size(); ++i)
        largest = std::max(largest, std::labs(expected.columns[i] - given.columns[i]));
    return largest;
}
}  // namespace

int main(int argc, char** argv) {
    const bool compare = argc > 1 && std::strcmp(argv[1], "--compare") == 0;
    // Relative to the working directory, as the editor opens it: the page's font in the page's build.
    constexpr const char* kFontPath = "Resources/Baloo.ttf";
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "text-renders: TTF_Init: %s\n", SDL_GetError());
        return 1;
    }
    const std::vector<std::string> texts = EditorTexts();
    int renderings = 0, differing = 0;
    long largest = 0;
    bool failed = false;
    for (const int pointSize : kPointSizes) {
        TTF_Font* font = TTF_OpenFont(kFontPath, pointSize);
        if (font == nullptr) {
            std::fprintf(stderr, "text-renders: %s at %d pt: %s\n", kFontPath, pointSize, SDL_GetError());
            failed = true;
            break;
        }
        for (const std::string& text : texts) {
            Rendering own;
            if (!Render(font, pointSize, text, own)) {
                std::fprintf(stderr, "text-renders: \"%s\" at %d pt: %s\n", text.c_str(), pointSize, SDL_GetError());
                failed = true;
                continue;
            }
            ++renderings;
            if (!compare) {
                std::printf("%d %d %d", own.pointSize, own.width, own.height);
                for (const long sum : own.columns) std::printf(" %ld", sum);
                std::printf("\n");
                continue;
            }
            Rendering given;
            if (!ReadRendering(std::cin, given)) {
                std::fprintf(stderr, "text-renders: no rendering given for \"%s\" at %d pt\n", text.c_str(), pointSize);
                failed = true;
                break;
            }
            const long distance = Distance(own, given);
            if (distance >= 0 && distance <= kColumnTolerance) {
                largest = std::max(largest, distance);
            } else if (++differing <= 5) {
                if (distance < 0)
                    std::printf("\"%s\" at %d pt: %dx%d given, %dx%d here\n", text.c_str(), pointSize, given.width,
                                given.height, own.width, own.height);
                else
                    std::printf("\"%s\" at %d pt: a column differs by %ld alpha levels\n", text.c_str(), pointSize,
                                distance);
            }
        }
        TTF_CloseFont(font);
        if (failed) break;
    }
    TTF_Quit();
    if (compare && !failed) {
        std::printf("%d renderings, %d differing; the others' columns at most %ld alpha levels apart\n", renderings,
                    differing, largest);
        std::string extra;
        if (std::getline(std::cin, extra)) {
            std::printf("more renderings given than made here\n");
            failed = true;
        }
    }
    return failed || differing > 0 ? 1 : 0;
}
