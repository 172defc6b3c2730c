// Renders the application icon with the editor's own figures and drawing, offscreen, at every size the desktop
// asks for (or at the sizes given), and writes one PNG per size into the folder given: <folder>/<size>x<size>.png.
//
//   render-icons FOLDER [SIZE...]
//
// Each size is drawn at a multiple of itself and averaged down, so the edges are smooth; the lines are drawn as
// wide as suits that size, not scaled down from the largest. Transparency comes from a second pass that draws only
// the tile's outline, in white on black.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Core.h"
#include "figures/IsotoxalStarPolygon.h"
#include "figures/RegularStarPolygon.h"
#include "render/Primitives.h"
#include "render/StarDrawing.h"

namespace {
// Every drawing is made this many drawing units wide, at a whole number of pixels per unit that makes the drawing
// a multiple of each icon size: one for the desktop's sizes, two for the page's 512.
constexpr int kCanvas = 768;
constexpr int kDesktopSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int kLargestScale = 2;  // a 1536-pixel drawing still fits the 2400 x 1800 window of that scale

// The editor's own colours: its panel, its figure area and its figures.
constexpr Rgba kChrome{0.15f, 0.15f, 0.15f, 1.0f};
const Rgba kFigureArea = FromRgb255(216, 229, 204);
constexpr Rgba kFigure{0.0f, 0.0f, 0.0f, 1.0f};
const Rgba kFill = FromRgb255(98, 146, 99);  // the editor's text colour
constexpr Rgba kWhite{1.0f, 1.0f, 1.0f, 1.0f};

// A square with rounded corners, inset by margin on every side of the canvas.
void FillRoundedSquare(float margin, float cornerRadius) {
    const float low = margin, high = kCanvas - margin, size = high - low;
    FillRect(low + cornerRadius, low, size - 2 * cornerRadius, size);
    FillRect(low, low + cornerRadius, size, size - 2 * cornerRadius);
    for (const float x : {low + cornerRadius, high - cornerRadius})
        for (const float y : {low + cornerRadius, high - cornerRadius}) FillEllipse(x, y, cornerRadius, cornerRadius);
}

// The tile: the editor's dark frame around its light figure area and both its figures, one on the other: the {7/3}
// star in lines over the isotoxal star whose tip angle, 180/7 degrees, makes its outline the same as the {7/3}
// star's. A point faces straight up. lineWidth is in canvas pixels.
void DrawIcon(float lineWidth) {
    constexpr float kHalf = kCanvas / 2.0f;
    SetColor(kChrome);
    FillRoundedSquare(kCanvas * 0.02f, kCanvas * 0.18f);
    SetColor(kFigureArea);
    FillRoundedSquare(kCanvas * 0.07f, kCanvas * 0.13f);

    constexpr float kRadius = kCanvas * 0.37f;
    SetColor(kFill);
    DrawIsotoxalStar(IsotoxalStarPolygon({kHalf, kHalf}, 7, kPi / 7.0f, kRadius, kPi / 2.0f));

    SetColor(kFigure);
    RegularStarPolygon regular({kHalf, kHalf}, 7, 3, kRadius, lineWidth);
    regular.angleOffset = kPi / 2.0f;
    regular.dotRadius = lineWidth / 2.0f;  // round joins at the points
    regular.UpdateVertices();
    DrawRegularStar(regular);
}

std::vector<uint8_t> ReadCanvas(int pixels) {
    std::vector<uint8_t> rgba(static_cast<size_t>(pixels) * pixels * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, pixels, pixels, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

std::vector<uint8_t> DrawnCanvas(int pixels, const std::function<void()>& draw) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    draw();
    glFinish();
    return ReadCanvas(pixels);
}

// Averages factor x factor blocks of a drawing `pixels` wide; colour comes from the full drawing, coverage from the
// outline pass. The colour drawing has black outside the tile, so its average is the colour already multiplied by
// the coverage.
std::vector<uint8_t> Downsample(const std::vector<uint8_t>& colour, const std::vector<uint8_t>& mask, int pixels,
                                int size) {
    const int factor = pixels / size;
    std::vector<uint8_t> icon(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double sum[3] = {0, 0, 0}, coverage = 0;
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx) {
                    const size_t at = (static_cast<size_t>(y * factor + dy) * pixels + x * factor + dx) * 4;
                    for (int c = 0; c < 3; ++c) sum[c] += colour[at + c];
                    coverage += mask[at];
                }
            // Read-back rows run bottom to top, PNG rows top to bottom.
            uint8_t* out = &icon[(static_cast<size_t>(size - 1 - y) * size + x) * 4];
            const double alpha = coverage / (factor * factor);
            for (int c = 0; c < 3; ++c)
                out[c] = alpha > 0 ? static_cast<uint8_t>(std::min(255.0, sum[c] / coverage * 255.0 + 0.5)) : 0;
            out[3] = static_cast<uint8_t>(alpha + 0.5);
        }
    return icon;
}

bool SavePng(std::vector<uint8_t>& icon, int size, const std::string& path) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(icon.data(), size, size, 32, size * 4, SDL_PIXELFORMAT_RGBA32);
    const bool saved = surface != nullptr && IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

// The smallest whole number of pixels per drawing unit at which every size divides the drawing; 0 if none does.
int ScaleFor(const std::vector<int>& sizes) {
    for (int scale = 1; scale <= kLargestScale; ++scale) {
        const auto divides = [&](int size) { return kCanvas * scale % size == 0; };
        if (std::all_of(sizes.begin(), sizes.end(), divides)) return scale;
    }
    return 0;
}
}  // namespace

int main(int argc, char* argv[]) {
    std::vector<int> sizes(std::begin(kDesktopSizes), std::end(kDesktopSizes));
    if (argc > 2) sizes.clear();
    for (int arg = 2; arg < argc; ++arg) sizes.push_back(std::atoi(argv[arg]));
    const int scale = ScaleFor(sizes);
    if (argc < 2 || std::any_of(sizes.begin(), sizes.end(), [](int size) { return size <= 0; }) || scale == 0) {
        std::fprintf(stderr, "usage: render-icons FOLDER [SIZE...]   (each SIZE dividing %d or %d)\n", kCanvas,
                     kCanvas * kLargestScale);
        return 2;
    }
    // A screen with room for the window at that scale, whatever the environment simulates.
    SDL_SetHintWithPriority(SDL_HINT_DISPLAY_USABLE_BOUNDS, "0,0,7680,4320", SDL_HINT_OVERRIDE);
    const auto core = std::make_unique<Core>(EditorWindowSettings(), static_cast<float>(scale));
    if (!core->initialized) return 1;
    const int pixels = kCanvas * scale;

    for (const int size : sizes) {
        // About one pixel and a half of line in the icon at every size, a little more in the largest.
        const float lineWidth = std::max(1.5f, size / 48.0f) * (kCanvas / static_cast<float>(size));
        const std::vector<uint8_t> colour = DrawnCanvas(pixels, [&] { DrawIcon(lineWidth); });
        const std::vector<uint8_t> mask = DrawnCanvas(pixels, [] {
            SetColor(kWhite);
            FillRoundedSquare(kCanvas * 0.02f, kCanvas * 0.18f);
        });
        std::vector<uint8_t> icon = Downsample(colour, mask, pixels, size);
        const std::string path = std::string(argv[1]) + "/" + std::to_string(size) + "x" + std::to_string(size) + ".png";
        if (!SavePng(icon, size, path)) {
            std::fprintf(stderr, "render-icons: cannot write %s: %s\n", path.c_str(), SDL_GetError());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
