#include "render/GlCompat.h"

#include <cmath>
#include <iostream>
#include <memory>

#include "render/PixelScale.h"

namespace {
// One segment as OpenGL draws it at the current line width.
void DrawGlLine(Vec2 from, Vec2 to) {
    glBegin(GL_LINES);
    glVertex2f(from.x, from.y);
    glVertex2f(to.x, to.y);
    glEnd();
}
}  // namespace

#ifndef __EMSCRIPTEN__

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

void SetLinePixels(float width) { glLineWidth(width); }

void DrawLineSegment(Vec2 from, Vec2 to) { DrawGlLine(from, to); }

void DropPendingGlErrors() {}

bool UploadSurfacePixels(const SDL_Surface& surface, GLenum layoutOnDesktop) {
    // The caller's unpack settings are neither used nor lost.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    SetUnpackLayout(surface, surface.format->BytesPerPixel);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, surface.w, surface.h, 0, layoutOnDesktop, GL_UNSIGNED_BYTE,
                 surface.pixels);
    glPopClientAttrib();
    return true;
}

#else

namespace {
// WebGL rasterises every line 1 pixel wide, so the width is kept here, as OpenGL keeps it on the desktop.
float linePixels = 1.0f;

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
}  // namespace

void SetLinePixels(float width) { linePixels = width; }

// Each call clears one of the few error flags WebGL keeps; the bound only guards against a context that keeps
// answering with an error.
void DropPendingGlErrors() {
    constexpr int kMostPendingErrors = 16;
    for (int i = 0; i < kMostPendingErrors && glGetError() != GL_NO_ERROR; ++i) {
    }
}

// A wide line as desktop OpenGL rasterises it: the segment moved half the width to each side along its minor axis,
// a parallelogram whose short edges pass through the end points.
void DrawLineSegment(Vec2 from, Vec2 to) {
    const float width = std::round(linePixels);  // aliased lines take whole pixel widths
    if (width <= 1.0f) return DrawGlLine(from, to);
    const float half = width * 0.5f / PixelScale();  // in drawing units
    const bool xMajor = std::fabs(to.x - from.x) >= std::fabs(to.y - from.y);
    const float dx = xMajor ? 0.0f : half;
    const float dy = xMajor ? half : 0.0f;
    glBegin(kConvexPolygon);
    glVertex2f(from.x - dx, from.y - dy);
    glVertex2f(to.x - dx, to.y - dy);
    glVertex2f(to.x + dx, to.y + dy);
    glVertex2f(from.x + dx, from.y + dy);
    glEnd();
}

// WebGL takes RGBA bytes only, and WebGL 1 cannot skip row padding: the pixels are converted into a new surface,
// whose rows of 4-byte pixels SDL packs tightly. It also samples a texture whose sides are not powers of two as
// black unless it is clamped to its edges.
bool UploadSurfacePixels(const SDL_Surface& surface, GLenum /*layoutOnDesktop*/) {
    const std::unique_ptr<SDL_Surface, SurfaceFree> rgba(
        SDL_ConvertSurfaceFormat(const_cast<SDL_Surface*>(&surface), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba) {
        std::cerr << "Texture::CreateFromSurface, error when calling SDL_ConvertSurfaceFormat: " << SDL_GetError()
                  << std::endl;
        return false;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, rgba->w, rgba->h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return true;
}

#endif
