// Test programs only: keeps Mesa's EGL library and its software rasteriser mapped until the process ends.
//
// SDL_Quit unloads them, and LeakSanitizer reports at exit: the few kilobytes that the driver never frees then
// have allocation stacks in unmapped code ("<unknown module>"), which no suppression can name. Kept loaded
// (RTLD_NODELETE), the driver leaves a clean report, and what remains is what our own code leaves behind.
// Call before the first SDL_Init. A module that is not installed is skipped; the editor itself does not need this.
#pragma once

#include <dlfcn.h>
#include <link.h>

#include <string>

namespace sanitizer_support {

inline void KeepDriversLoaded() {
    constexpr int kKeep = RTLD_LAZY | RTLD_NODELETE;
    void* mesa = dlopen("libEGL_mesa.so.0", kKeep);
    if (mesa == nullptr) return;
    // The rasteriser lives in the dri/ folder beside Mesa's EGL library.
    link_map* map = nullptr;
    if (dlinfo(mesa, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return;
    const std::string path = map->l_name;
    dlopen((path.substr(0, path.find_last_of('/')) + "/dri/swrast_dri.so").c_str(), kKeep);
}

}  // namespace sanitizer_support
