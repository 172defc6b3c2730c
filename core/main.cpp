// Entry point: build the window settings, start the core, run the editor, tear down.
#include <SDL.h>

#include <memory>

#include "core/Core.h"

int main(int /*argc*/, char* /*argv*/[]) {
    auto core = std::make_unique<Core>(EditorWindowSettings());
    core->Run();
    const bool started = core->initialized;
    core.reset();
    // A failed start-up is a failure, not a success.
    return started ? 0 : 1;
}
