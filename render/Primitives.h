// Immediate-mode shapes in window pixels, in the current colour; they change no other OpenGL state.
#pragma once

#include "core/Types.h"

void FillRect(float left, float bottom, float width, float height);
void FillEllipse(float centerX, float centerY, float radiusX, float radiusY);

inline void FillRect(Rect r) { FillRect(r.left, r.bottom, r.width, r.height); }

// One GL_LINES segment at the current line width.
void DrawLine(Vec2 from, Vec2 to);

void SetColor(Rgba color);
