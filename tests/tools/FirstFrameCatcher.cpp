// Preloaded into the real editor (LD_PRELOAD), this writes its first frame as a PNG to $STAR_FIRST_FRAME just
// before that frame is shown, so a check from outside can see what an installed program draws, with no display.
#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/FramePng.h"

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    static bool caught = false;
    const char* path = std::getenv("STAR_FIRST_FRAME");
    if (!caught && path != nullptr) {
        caught = true;
        int width = 0, height = 0;
        SDL_GL_GetDrawableSize(window, &width, &height);
        // Written aside and renamed, so whoever waits for the file never reads half a picture.
        const std::string partial = std::string(path) + ".partial";
        if (testing_support::WriteFramePng(partial, width, height)) std::rename(partial.c_str(), path);
    }
    using Swap = void (*)(SDL_Window*);
    static const auto realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    realSwap(window);
}
