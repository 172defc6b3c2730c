// One line of text rendered from a TrueType font into an OpenGL texture, drawn at a bottom-left point.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <string>

#include "core/Types.h"

class Texture {
public:
    // Opens the font, renders the text, closes the font. Failures are reported on stderr and leave creationOk false.
    Texture(const std::string& text, const std::string& fontPath, int32_t pointSize, Rgba textColor);
    ~Texture();

    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    void CreateFromString(const std::string& text, TTF_Font* font, Rgba textColor);
    void CreateFromSurface(SDL_Surface* surface);

    // Whole texture at its natural size when srcRect is empty; the editor's form.
    void Draw(Vec2 dstBottomLeft, Rect srcRect) const;
    // The part srcRect of the image stretched over dstRect.
    void Draw(Rect dstRect, Rect srcRect) const;

    uint32_t id = 0;
    float width = 10.0f;
    float height = 10.0f;
    bool creationOk = true;
};
