#include "core/X11Desktop.h"

#ifdef STAR_X11_DESKTOP
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
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

// The four strips of the screen one dock reserves at its edges, in the order of kSides; empty ones have no size.
enum class Side { Left, Right, Top, Bottom };
constexpr Side kSides[] = {Side::Left, Side::Right, Side::Top, Side::Bottom};

std::vector<SDL_Rect> ReservedBy(Display* display, Window window, int screenWidth, int screenHeight) {
    std::vector<long> s = LongsOf(display, window, "_NET_WM_STRUT_PARTIAL", 12);
    if (s.size() < 12) {
        s = LongsOf(display, window, "_NET_WM_STRUT", 4);  // the older form: each strip the edge's whole length
        if (s.size() < 4) return {};
        s.resize(4);
        s.insert(s.end(), {0, screenHeight - 1, 0, screenHeight - 1, 0, screenWidth - 1, 0, screenWidth - 1});
    }
    auto at = [&s](size_t i) { return static_cast<int>(s[i]); };
    return {{0, at(4), at(0), at(5) - at(4) + 1},
            {screenWidth - at(1), at(6), at(1), at(7) - at(6) + 1},
            {at(8), 0, at(9) - at(8) + 1, at(2)},
            {at(10), screenHeight - at(3), at(11) - at(10) + 1, at(3)}};
}

// Moves the area's edge on that side past the part of the strip that covers it.
void CutOff(SDL_Rect& area, const SDL_Rect& strip, Side side) {
    SDL_Rect overlap{};
    if (strip.w <= 0 || strip.h <= 0 || SDL_IntersectRect(&area, &strip, &overlap) != SDL_TRUE) return;
    const int overlapRight = overlap.x + overlap.w, overlapBottom = overlap.y + overlap.h;
    switch (side) {
        case Side::Left: area.w -= overlapRight - area.x; area.x = overlapRight; break;
        case Side::Right: area.w = overlap.x - area.x; break;
        case Side::Top: area.h -= overlapBottom - area.y; area.y = overlapBottom; break;
        case Side::Bottom: area.h = overlap.y - area.y; break;
    }
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

void LeaveOutDockStruts(SDL_Window* sdlWindow, SDL_Rect& usable) {
    const X11Window x = X11Of(sdlWindow);
    if (x.display == nullptr) return;
    const Window root = DefaultRootWindow(x.display);
    if (!LongsOf(x.display, root, "_NET_WORKAREA", 4).empty()) return;
    const int width = DisplayWidth(x.display, DefaultScreen(x.display));
    const int height = DisplayHeight(x.display, DefaultScreen(x.display));
    // Docks are the root's children, or their children where the window manager puts them into frames.
    Window unusedRoot = 0, unusedParent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(x.display, root, &unusedRoot, &unusedParent, &children, &count) == 0) return;
    std::vector<Window> windows(children, children + count);
    if (children != nullptr) XFree(children);
    for (size_t i = 0, topLevel = windows.size(); i < topLevel; ++i) {
        if (XQueryTree(x.display, windows[i], &unusedRoot, &unusedParent, &children, &count) == 0) continue;
        windows.insert(windows.end(), children, children + count);
        if (children != nullptr) XFree(children);
    }
    for (Window window : windows) {
        const std::vector<SDL_Rect> strips = ReservedBy(x.display, window, width, height);
        for (size_t side = 0; side < strips.size(); ++side) CutOff(usable, strips[side], kSides[side]);
    }
}

float DesktopScale(SDL_Window* sdlWindow) {
    const X11Window x = X11Of(sdlWindow);
    if (x.display == nullptr) return 1.0f;
    // XWayland names its outputs so; its compositor scales X11 windows by the output's scale already.
    const char* output = SDL_GetDisplayName(std::max(0, SDL_GetWindowDisplayIndex(sdlWindow)));
    if (std::getenv("WAYLAND_DISPLAY") != nullptr || (output != nullptr && std::strncmp(output, "XWAYLAND", 8) == 0))
        return 1.0f;
    constexpr double kUnscaledDpi = 96.0, kLargestDpi = 960.0;
    const char* setting = XGetDefault(x.display, "Xft", "dpi");
    const double dpi = setting != nullptr ? std::strtod(setting, nullptr) : 0.0;
    return dpi > kUnscaledDpi && dpi <= kLargestDpi ? static_cast<float>(dpi / kUnscaledDpi) : 1.0f;
}

#else

bool RequestFrameExtents(SDL_Window* /*window*/) { return true; }
void LeaveOutDockStruts(SDL_Window* /*window*/, SDL_Rect& /*usable*/) {}
float DesktopScale(SDL_Window* /*window*/) { return 1.0f; }

#endif
