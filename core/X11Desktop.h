// What an X11 desktop tells a window beyond what SDL reads from it: the decorations the window manager will give the
// window before it is mapped, the room docks reserve where no work area is published, and the scale the desktop
// asks of its programs. Elsewhere (Windows, Wayland, the offscreen driver, a page) each does nothing.
#pragma once

#include <SDL.h>

// Asks the window manager for the decorations it will give the window, which is not mapped yet
// (_NET_REQUEST_FRAME_EXTENTS); SDL reads the answer, a property change, into SDL_GetWindowBordersSize. Most answer
// at once (i3 without announcing it); KWin 5.27 does not, and tells a window's decorations once it is mapped. False
// where no window manager runs, so that no decorations are coming; true where there is nothing to ask (Windows
// knows them from the window's style).
bool RequestFrameExtents(SDL_Window* window);

// Takes from the usable area what docks reserve at the screen's edges (_NET_WM_STRUT_PARTIAL), where the window
// manager publishes no work area (_NET_WORKAREA) that would already leave it out: i3 and its bar.
void LeaveOutDockStruts(SDL_Window* window, SDL_Rect& usable);

// Xft.dpi over 96: the scale GNOME and KDE ask of X11 programs (Xft.dpi 192 at 200 %). 1 where none is set, and
// under XWayland, whose compositor scales X11 windows itself.
float DesktopScale(SDL_Window* window);
