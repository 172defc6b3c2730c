#include "tests/support/FramePng.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace testing_support {

bool WriteFramePng(const std::string& path, int width, int height) {
    const size_t row = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> frame(row * static_cast<size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    // PNG rows run top to bottom; the read-back runs bottom to top.
    std::vector<uint8_t> flipped(frame.size());
    for (size_t y = 0; y < static_cast<size_t>(height); ++y)
        std::copy_n(frame.begin() + static_cast<std::ptrdiff_t>(y * row), row,
                    flipped.begin() + static_cast<std::ptrdiff_t>((height - 1 - y) * row));
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(flipped.data(), width, height, 32,
                                                              static_cast<int>(row), SDL_PIXELFORMAT_RGBA32);
    const bool written = surface != nullptr && IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return written;
}

}  // namespace testing_support
