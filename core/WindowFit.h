// How large the drawable is in pixels and where the drawing sits in it. The editor always draws in its own units
// (the window settings' width and height); the projection maps them onto the drawing's area with one uniform scale,
// chosen here from the room there is.
#pragma once

#include "editor/WindowSettings.h"

// Space around a rectangle, in pixels: a window manager's decorations around a window, or the margins around the
// drawing in a drawable that is not of the drawing's aspect.
struct Insets {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;

    bool Empty() const { return top == 0 && left == 0 && bottom == 0 && right == 0; }
};

// The drawing's area in pixels and the scale from drawing units to them. It is the whole drawable, unless the
// window manager or the compositor gave the window another size than the one asked for: then the drawing is
// centred in the drawable with margins around it. SDL's pixel row 0 is the drawable's top.
struct Drawable {
    int width = 0;
    int height = 0;
    float pixelsPerUnit = 1.0f;
    Insets margins;
    // Pointer positions come in window coordinates: the drawable's pixels divided by this (2 on a Wayland output
    // at scale 2, 1 wherever a window's coordinates are its pixels).
    float pixelsPerPoint = 1.0f;
};

// What a screen offers a window: its usable area (without panels and task bars), the decorations the window gets
// and the scale the user chose for the display (1.5 at 150 %; 1 where the platform scales nothing per window).
struct ScreenRoom {
    int usableWidth = 0;
    int usableHeight = 0;
    Insets borders;
    float displayScale = 1.0f;
};

// Below this the panel's texts are too small to read: a smaller screen gets a window larger than itself.
inline constexpr float kMinPixelsPerUnit = 0.5f;

// The largest drawable of the settings' aspect that fits width x height pixels, at most maxPixelsPerUnit and at
// least kMinPixelsPerUnit. At a scale of exactly 1 it is the settings' size truncated, as the window always was.
Drawable FitDrawable(const WindowSettings& settings, float width, float height, float maxPixelsPerUnit);

// The window for a screen: the display's scale, reduced until the window and its decorations fit the usable area.
Drawable FitWindowToScreen(const WindowSettings& settings, const ScreenRoom& room);

// The drawing in the drawable a window has, width x height pixels. The size asked for keeps the drawing as asked,
// so nothing changes there; any other size gets the largest area of the drawing's aspect that fits, however small
// (a drawing cut off is worse than a small one), centred, the rest margins.
Drawable PlaceDrawing(const WindowSettings& settings, const Drawable& asked, int width, int height,
                      float pixelsPerPoint);
