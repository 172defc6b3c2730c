// The one place that knows which OpenGL the program draws with. The desktop gets OpenGL 2.1 calls as they are; the
// browser build draws on WebGL 1 through Emscripten's fixed-function emulation, which has no polygon primitive, only
// 1-pixel lines, no client attribute stack, no BGR(A) uploads and no unpack row length.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>

#include "core/Types.h"

#ifdef __EMSCRIPTEN__
// For the convex shapes drawn here a fan from the first corner covers the same pixels as a polygon.
inline constexpr GLenum kConvexPolygon = GL_TRIANGLE_FAN;
#else
inline constexpr GLenum kConvexPolygon = GL_POLYGON;
#endif

// The width of the lines DrawLineSegment draws from now on, in pixels of the drawable.
void SetLinePixels(float width);
// One segment, in drawing units, at that width: one GL_LINES segment on the desktop.
void DrawLineSegment(Vec2 from, Vec2 to);

// Uploads the pixels of a 3- or 4-byte surface into the bound 2D texture, rows as the surface stores them, top
// first. layoutOnDesktop (GL_RGB, GL_BGR, GL_RGBA or GL_BGRA) names the surface's byte order. Leaves any OpenGL
// error of the upload for the caller to read; false only when the pixels could not be prepared (reported).
bool UploadSurfacePixels(const SDL_Surface& surface, GLenum layoutOnDesktop);

// In the browser, drops the OpenGL errors that earlier calls left pending, so that the next glGetError reads only
// what follows: the fixed-function emulation leaves one of its own (it sets a vertex attribute at location -1, which
// some browsers record as GL_INVALID_VALUE) for whoever asks next. On the desktop it issues no call: a pending error
// there is a real one, and the caller reports it.
void DropPendingGlErrors();
