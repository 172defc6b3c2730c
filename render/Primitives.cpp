#include "render/Primitives.h"

#include <cmath>

#include "figures/Types.h"
#include "render/GlCompat.h"
#include "render/PixelScale.h"

void FillRect(float left, float bottom, float width, float height) {
    if (!(width > 0.0f && height > 0.0f)) return;  // also refuses NaN
    BeginShape(GL_POLYGON);
    ShapeVertex(left, bottom);
    ShapeVertex(left + width, bottom);
    ShapeVertex(left + width, bottom + height);
    ShapeVertex(left, bottom + height);
    EndShape();
}

void FillEllipse(float centerX, float centerY, float radiusX, float radiusY) {
    if (!(radiusX > 0.0f && radiusY > 0.0f)) return;
    if (!std::isfinite(radiusX) || !std::isfinite(radiusY)) return;  // no corner of an infinite ellipse is a number
    // About two corners per pixel of the larger radius; the walk accumulates in single precision,
    // so radius 3 gives a seventh corner just short of 2 pi.
    const float step = kPi / ((radiusX > radiusY ? radiusX : radiusY) * PixelScale());
    BeginShape(GL_POLYGON);
    for (float a = 0.0f; a < kTwoPi; a += step) {
        ShapeVertex(std::cos(a) * radiusX + centerX, std::sin(a) * radiusY + centerY);
        if (a + step == a) break;  // a radius so large the step vanishes would never reach 2 pi
    }
    EndShape();
}

void SetLineWidth(float width) { SetLinePixels(width * PixelScale()); }

void DrawLine(Vec2 from, Vec2 to) { DrawLineSegment(from, to); }

void SetColor(Rgba color) { SetDrawColor(color.r, color.g, color.b, color.a); }
