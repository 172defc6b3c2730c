// Plain value types shared by every subsystem: points, rectangles and colours in window pixels.
#pragma once

struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;
};

// A point lies inside when left <= x <= left + width and bottom <= y <= bottom + height.
struct Rect {
    float left = 0.0f;
    float bottom = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    bool Contains(Vec2 p) const {
        return left <= p.x && p.x <= left + width && bottom <= p.y && p.y <= bottom + height;
    }
};

struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

// A colour given as components on the 0..255 scale, opaque.
inline Rgba FromRgb255(float r, float g, float b) { return {r / 255.0f, g / 255.0f, b / 255.0f, 1.0f}; }

// Single-precision constants of the angle conversions; kTwoPi is the bound of the ellipse walk.
inline constexpr float kPi = 3.1415927f;
inline constexpr float kTwoPi = 6.2831855f;
