// The one place that knows which OpenGL the program draws with. The desktop draws with OpenGL 2.1 in immediate
// mode, and every call below is the OpenGL call it names. The browser has WebGL 1, which has no immediate mode, no
// polygons, only 1-pixel lines, no BGR(A) uploads and no unpack row length: there the shapes are collected into one
// vertex array, in the order they are drawn, and drawn with one small shader program (render/GlCompatWeb.cpp).
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>
#include <SDL_ttf.h>

#include "figures/Types.h"

// Immediate-mode shapes in drawing units: glColor4f, glBegin with GL_POLYGON (convex only), GL_TRIANGLES,
// GL_QUADS or GL_LINES, glTexCoord2f, glVertex2f, glEnd.
void SetDrawColor(float r, float g, float b, float a);
void BeginShape(GLenum mode);
void ShapeTexCoord(float s, float t);
void ShapeVertex(float x, float y);
void EndShape();

// The shapes between these two take their colours from the texture `id`, which replaces the current colour:
// glBindTexture, GL_TEXTURE_ENV_MODE GL_REPLACE and glEnable(GL_TEXTURE_2D); then glDisable(GL_TEXTURE_2D).
void BeginTexturing(GLuint id);
void EndTexturing();
// glDeleteTextures of one name; in the browser, shapes not yet drawn with it are drawn first.
void DeleteTexture(GLuint id);

// The drawing units: (0, 0) at the bottom-left corner, (width, height) at the top right: gluOrtho2D on the
// projection matrix, an identity model-view.
void SetDrawingProjection(float width, float height);

// The width of the lines DrawLineSegment draws from now on, in pixels of the drawable.
void SetLinePixels(float width);
// One segment, in drawing units, at that width: one GL_LINES segment on the desktop.
void DrawLineSegment(Vec2 from, Vec2 to);

// Before a frame is shown: in the browser, the shapes collected so far are drawn. On the desktop it issues no call.
void FinishDrawing();

// Uploads the pixels of a 3- or 4-byte surface into the bound 2D texture, rows as the surface stores them, top
// first. layoutOnDesktop (GL_RGB, GL_BGR, GL_RGBA or GL_BGRA) names the surface's byte order. Leaves any OpenGL
// error of the upload for the caller to read; false only when the pixels could not be prepared (reported).
bool UploadSurfacePixels(const SDL_Surface& surface, GLenum layoutOnDesktop);

// glGetError. In the browser that question waits for the GPU process to carry out every call before it; there the
// errors are the ones the program can tell itself: an image larger than the context's largest texture is not
// uploaded and gives GL_INVALID_VALUE.
GLenum TakeGlError();

// Counts the contexts the program has drawn with: a texture made in an earlier one has lost its image and its name,
// and renders its text again. Always 0 on the desktop, whose context is never taken away.
unsigned ContextGeneration();
// False while the browser has taken the context away: nothing can be made or drawn until it gives it back. Always
// true on the desktop.
bool ContextAvailable();

// TTF_OpenFont of the font at `path`. The page's one font is part of its code, with no file system to open it from:
// there it opens from memory, and any other path fails as a missing file does.
TTF_Font* OpenFont(const char* path, int pointSize);

// The browser's start-up runs as several short tasks, so that the page is never frozen for long: while pauses are
// allowed (from the start until the first frame), PauseIfLong hands control back to the browser once the current
// task has run for a while, and the program goes on where it was. On the desktop both do nothing.
void AllowStartupPauses(bool allowed);
void PauseIfLong();

#ifdef __EMSCRIPTEN__
// The shader program and vertex buffer the browser build draws with. MakeGlObjects makes them once the context
// exists, without waiting for the program to link: the browser links it while the start-up goes on. GlObjectsMade
// waits for it and is true when it linked (a failure is left in SDL_GetError); it comes before the first drawing. A
// lost context takes them along: ForgetGlObjects drops their names without deleting them, and MakeGlObjects, once
// the browser gives the context back, makes them anew and starts a new generation.
void MakeGlObjects();
bool GlObjectsMade();
void ForgetGlObjects();
// Once the drawing state is set up: has the browser prepare, meanwhile, what the first frame's drawing needs.
void WarmUpDrawing();
#endif
