// The desktop's side of GlCompat: each call is the OpenGL 2.1 call it stands for. The browser's is GlCompatWeb.cpp.
#include "render/GlCompat.h"

#ifndef __EMSCRIPTEN__

#include <GL/glu.h>

#include <initializer_list>

namespace {
// The rows of a surface may be padded beyond width x bytes per pixel (SDL_ttf pads its blended surfaces),
// so the upload takes its row length from the pitch; an alignment that fits covers pitches that are not
// a whole number of pixels (24-bit rows padded to four bytes).
void SetUnpackLayout(const SDL_Surface& surface, int bytesPerPixel) {
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    if (surface.pitch % bytesPerPixel == 0) {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, surface.pitch / bytesPerPixel);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        return;
    }
    const int packedRow = surface.w * bytesPerPixel;
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    for (int alignment : {8, 4, 2}) {
        if ((packedRow + alignment - 1) / alignment * alignment == surface.pitch) {
            glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
            return;
        }
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}
}  // namespace

void SetDrawColor(float r, float g, float b, float a) { glColor4f(r, g, b, a); }
void BeginShape(GLenum mode) { glBegin(mode); }
void ShapeTexCoord(float s, float t) { glTexCoord2f(s, t); }
void ShapeVertex(float x, float y) { glVertex2f(x, y); }
void EndShape() { glEnd(); }

void BeginTexturing(GLuint id) {
    glBindTexture(GL_TEXTURE_2D, id);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_TEXTURE_2D);
}

void EndTexturing() { glDisable(GL_TEXTURE_2D); }

void DeleteTexture(GLuint id) { glDeleteTextures(1, &id); }

void SetDrawingProjection(float width, float height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, static_cast<double>(width), 0.0, static_cast<double>(height));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void SetLinePixels(float width) { glLineWidth(width); }

void DrawLineSegment(Vec2 from, Vec2 to) {
    glBegin(GL_LINES);
    glVertex2f(from.x, from.y);
    glVertex2f(to.x, to.y);
    glEnd();
}

void FinishDrawing() {}

bool UploadSurfacePixels(const SDL_Surface& surface, GLenum layoutOnDesktop) {
    // The caller's unpack settings are neither used nor lost.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    SetUnpackLayout(surface, surface.format->BytesPerPixel);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, surface.w, surface.h, 0, layoutOnDesktop, GL_UNSIGNED_BYTE,
                 surface.pixels);
    glPopClientAttrib();
    return true;
}

GLenum TakeGlError() { return glGetError(); }

unsigned ContextGeneration() { return 0; }

bool ContextAvailable() { return true; }

TTF_Font* OpenFont(const char* path, int pointSize) { return TTF_OpenFont(path, pointSize); }

void AllowStartupPauses(bool /*allowed*/) {}

void PauseIfLong() {}

#endif
