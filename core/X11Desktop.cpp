#include "core/X11Desktop.h"

#ifdef STAR_X11_DESKTOP
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <vector>

namespace {
struct X11Window {
    Display* display = nullptr;
    Window window = 0;
};

// The window's X11 connection and id; none when SDL runs on another video driver.
X11Window X11Of(SDL_Window* sdlWindow) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(sdlWindow, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return {};
    return {info.info.x11.display, info.info.x11.window};
}

// A property of 32-bit items of a type (which Xlib hands over as longs); empty when the window has none.
std::vector<long> LongsOf(Display* display, Window window, const char* name, long count, Atom type = XA_CARDINAL) {
    const Atom property = XInternAtom(display, name, True);
    if (property == None) return {};
    Atom actualType = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display, window, property, 0, count, False, type, &actualType, &format, &items,
                           &remaining, &data) == Success &&
        format == 32 && data != nullptr) {
        const long* items32 = reinterpret_cast<const long*>(data);
        values.assign(items32, items32 + items);
    }
    if (data != nullptr) XFree(data);
    return values;
}
}  // namespace

bool RequestFrameExtents(SDL_Window* sdlWindow) {
    const X11Window x = X11Of(sdlWindow);
    if (x.display == nullptr) return true;
    // An EWMH window manager names itself on the root window.
    if (LongsOf(x.display, DefaultRootWindow(x.display), "_NET_SUPPORTING_WM_CHECK", 1, XA_WINDOW).empty())
        return false;
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = x.window;
    request.xclient.message_type = XInternAtom(x.display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(x.display, DefaultRootWindow(x.display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &request);
    XFlush(x.display);
    return true;
}

#else

bool RequestFrameExtents(SDL_Window* /*window*/) { return true; }

#endif
