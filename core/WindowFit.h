// How large the drawable is in pixels. The editor always draws in its own units (the window settings' width and
// height); the projection maps them onto the drawable with one uniform scale, chosen here from the room there is.
#pragma once

#include "core/WindowSettings.h"

// The drawable, and the scale from drawing units to its pixels. SDL's pixel row 0 is the drawable's top.
struct Drawable {
    int width = 0;
    int height = 0;
    float pixelsPerUnit = 1.0f;
};

// Space a window manager or a desktop takes around the client area, in pixels.
struct WindowBorders {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

// What a screen offers a window: its usable area (without panels and task bars), the decorations the window gets
// and the scale the user chose for the display (1.5 at 150 %; 1 where the platform scales nothing per window).
struct ScreenRoom {
    int usableWidth = 0;
    int usableHeight = 0;
    WindowBorders borders;
    float displayScale = 1.0f;
};

// Below this the panel's texts are too small to read: a smaller screen gets a window larger than itself.
inline constexpr float kMinPixelsPerUnit = 0.5f;

// The largest drawable of the settings' aspect that fits width x height pixels, at most maxPixelsPerUnit and at
// least kMinPixelsPerUnit. At a scale of exactly 1 it is the settings' size truncated, as the window always was.
Drawable FitDrawable(const WindowSettings& settings, float width, float height, float maxPixelsPerUnit);

// The window for a screen: the display's scale, reduced until the window and its decorations fit the usable area.
Drawable FitWindowToScreen(const WindowSettings& settings, const ScreenRoom& room);
