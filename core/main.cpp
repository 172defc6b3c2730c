// Entry point: build the window settings, start the core, run the editor, tear down.
#include <SDL.h>

#include <memory>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "core/Core.h"

int main(int /*argc*/, char* /*argv*/[]) {
    auto core = std::make_unique<Core>(EditorWindowSettings());
    core->Run();
    const bool started = core->initialized;
    core.reset();
    // A failed start-up is a failure, not a success.
    const int status = started ? 0 : 1;
#ifdef __EMSCRIPTEN__
    // Resumed after a pause of the start-up, main returns to the browser rather than to the runtime, which would
    // then never end: the page learns of the end only from the runtime's.
    emscripten_force_exit(status);
#endif
    return status;
}
