// One line of text rendered from a TrueType font into an OpenGL texture, drawn at a bottom-left point. Sizes are in
// drawing units: the text is rendered at the point size times the pixel scale, so it stays sharp on any drawable.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <string>

#include "figures/Types.h"

class Texture {
public:
    // Opens the font, renders the text, closes the font. Failures are reported on stderr and leave creationOk false.
    Texture(const std::string& text, const std::string& fontPath, int32_t pointSize, Rgba textColor);
    ~Texture();

    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    void CreateFromString(const std::string& text, TTF_Font* font, Rgba textColor);
    // The surface's pixels become the image, one pixel of the drawable each.
    void CreateFromSurface(SDL_Surface* surface);

    // Whole texture at its natural size when srcRect is empty; the editor's form.
    void Draw(Vec2 dstBottomLeft, Rect srcRect) const;
    // The part srcRect of the image stretched over dstRect.
    void Draw(Rect dstRect, Rect srcRect) const;

    // The image is a rendering of the text at the pixel scale and in the context it was made in: a Draw after the
    // scale has changed (a browser window resized) or after the browser gave back a context it took away renders
    // the text anew first, so these change under a const Draw.
    mutable uint32_t id = 0;
    mutable float width = 10.0f;
    mutable float height = 10.0f;
    mutable bool creationOk = true;

private:
    // What a texture made from a text needs to render it again; empty for one made from a surface.
    struct Source {
        std::string text;
        std::string fontPath;
        int32_t pointSize = 0;
        Rgba color;
    };
    void Render() const;
    void RenderIfStale() const;
    void RenderString(const std::string& text, TTF_Font* font, Rgba textColor) const;
    void Upload(SDL_Surface* surface) const;

    Source source;
    mutable float renderedScale = 1.0f;
    mutable unsigned renderedGeneration = 0;  // of the context the image and its name belong to
};
