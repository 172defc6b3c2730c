// Immediate-mode shapes in drawing units, in the current colour; they change no other OpenGL state.
#pragma once

#include "figures/Types.h"

void FillRect(float left, float bottom, float width, float height);
void FillEllipse(float centerX, float centerY, float radiusX, float radiusY);

inline void FillRect(Rect r) { FillRect(r.left, r.bottom, r.width, r.height); }

// The width of the lines DrawLine draws from now on, in drawing units: as many pixels at a pixel scale of 1.
void SetLineWidth(float width);
// One segment at that width (one GL_LINES segment on the desktop).
void DrawLine(Vec2 from, Vec2 to);

void SetColor(Rgba color);
