#include "render/Texture.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "render/GlCompat.h"
#include "render/PixelScale.h"

namespace {
constexpr float kMinRectSize = 0.001f;
constexpr Uint32 kRedInLowByte = 0x000000FF;
constexpr unsigned kNotRendered = ~0u;  // no context's generation

bool HasSize(Rect r) { return r.width > kMinRectSize && r.height > kMinRectSize; }

// Truncates, so 1.0 gives 255 and 0.999 gives 254; the low eight bits are kept.
Uint8 ToByte(float component) { return static_cast<Uint8>(static_cast<int>(component * 255.0f) & 0xFF); }

// The nearest whole point size, at least 1; exactly the given one at a scale of 1.
int32_t ScaledPointSize(int32_t pointSize, float scale) {
    if (scale == 1.0f) return pointSize;
    const long scaled = std::lround(static_cast<double>(pointSize) * scale);
    return scaled < 1 ? 1 : static_cast<int32_t>(std::min<long>(scaled, INT32_MAX));
}
}  // namespace

Texture::Texture(const std::string& text, const std::string& fontPath, int32_t pointSize, Rgba textColor)
    : source{text, fontPath, pointSize, textColor} {
    Render();
}

// A name of a context the browser took away is no longer this program's to delete.
Texture::~Texture() {
    if (renderedGeneration == ContextGeneration()) DeleteTexture(id);
}

void Texture::Render() const {
    if (renderedGeneration != ContextGeneration()) id = 0;  // the name went with the context it was made in
    renderedScale = PixelScale();
    renderedGeneration = ContextGeneration();
    if (!ContextAvailable()) {
        renderedGeneration = kNotRendered;  // rendered once the browser gives a context back
        return;
    }
    PauseIfLong();  // the start-up renders sixteen texts, each in up to three short tasks
    TTF_Font* font = OpenFont(source.fontPath.c_str(), ScaledPointSize(source.pointSize, renderedScale));
    if (font == nullptr) {
        std::fprintf(stderr, "Texture::CreateFromString, error when calling TTF_OpenFont: %s\n", SDL_GetError());
        std::fflush(stderr);
        creationOk = false;
        return;
    }
    RenderString(source.text, font, source.color);
    TTF_CloseFont(font);
}

void Texture::RenderIfStale() const {
    if (source.fontPath.empty()) return;
    if (renderedScale != PixelScale() || renderedGeneration != ContextGeneration()) Render();
}

void Texture::CreateFromString(const std::string& text, TTF_Font* font, Rgba textColor) {
    RenderString(text, font, textColor);
}

void Texture::CreateFromSurface(SDL_Surface* surface) { Upload(surface); }

void Texture::RenderString(const std::string& text, TTF_Font* font, Rgba textColor) const {
    creationOk = true;
    if (font == nullptr) {
        std::fputs("Texture::CreateFromString, invalid TTF_Font pointer\n", stderr);
        creationOk = false;
        return;
    }
    const SDL_Color color{ToByte(textColor.r), ToByte(textColor.g), ToByte(textColor.b), ToByte(textColor.a)};
    PauseIfLong();
    SDL_Surface* surface = TTF_RenderText_Blended(font, text.c_str(), color);
    PauseIfLong();
    if (surface == nullptr) {
        std::fprintf(stderr, "Texture::CreateFromString, error when calling TTF_RenderText_Blended: %s\n",
                     SDL_GetError());
        std::fflush(stderr);
        creationOk = false;
        return;
    }
    Upload(surface);
    SDL_FreeSurface(surface);
}

void Texture::Upload(SDL_Surface* surface) const {
    creationOk = true;
    width = static_cast<float>(surface->w) / PixelScale();
    height = static_cast<float>(surface->h) / PixelScale();

    const int bytesPerPixel = surface->format->BytesPerPixel;
    const bool redFirst = surface->format->Rmask == kRedInLowByte;
    GLenum layout = 0;
    if (bytesPerPixel == 3) {
        layout = redFirst ? GL_RGB : GL_BGR;
    } else if (bytesPerPixel == 4) {
        layout = redFirst ? GL_RGBA : GL_BGRA;
    } else {
        std::fprintf(stderr, "Texture::CreateFromSurface, unknow pixel format, BytesPerPixel: %d\n"
                     "Use 32 bit or 24 bit images.\n", bytesPerPixel);
        creationOk = false;
        return;
    }

    DeleteTexture(id);  // a texture created again keeps one name, not two
    glGenTextures(1, &id);
    renderedGeneration = ContextGeneration();
    glBindTexture(GL_TEXTURE_2D, id);
    const GLenum bindError = TakeGlError();
    if (bindError != GL_NO_ERROR) {
        std::fprintf(stderr,
                     "Texture::CreateFromSurface, error binding textures, Error id = %u\n"
                     "Can happen if a texture is created before performing the initialization code (e.g. a static "
                     "Texture object).\n"
                     "There might be a white rectangle instead of the image.\n",
                     bindError);
    }

    if (!UploadSurfacePixels(*surface, layout)) creationOk = false;
    // An image the driver refuses (wider than the largest texture, out of memory) would leave an incomplete
    // texture that draws as a bare quad in the current colour; show the placeholder instead.
    if (const GLenum uploadError = TakeGlError(); uploadError != GL_NO_ERROR) {
        std::fprintf(stderr,
                     "Texture::CreateFromSurface, error when calling glTexImage2D, Error id = %u, image %d x %d\n",
                     uploadError, surface->w, surface->h);
        std::fflush(stderr);
        creationOk = false;
    }

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void Texture::Draw(Rect dstRect, Rect srcRect) const {
    RenderIfStale();
    if (!creationOk) {
        SetDrawColor(1.0f, 0.0f, 1.0f, 1.0f);
        BeginShape(GL_POLYGON);
        ShapeVertex(dstRect.left, dstRect.bottom);
        ShapeVertex(dstRect.left + dstRect.width, dstRect.bottom);
        ShapeVertex(dstRect.left + dstRect.width, dstRect.bottom + dstRect.height);
        ShapeVertex(dstRect.left, dstRect.bottom + dstRect.height);
        EndShape();
        return;
    }

    // Source in the units of width and height, y counted down from the image's top row, which maps to t = 0.
    float sLeft = 0.0f, sRight = 1.0f, tTop = 0.0f, tBottom = 1.0f;
    float defaultWidth = width, defaultHeight = height;
    if (HasSize(srcRect)) {
        sLeft = srcRect.left / width;
        sRight = (srcRect.left + srcRect.width) / width;
        tTop = (srcRect.bottom - srcRect.height) / height;
        tBottom = srcRect.bottom / height;
        defaultWidth = srcRect.width;
        defaultHeight = srcRect.height;
    }
    const bool dstHasSize = HasSize(dstRect);
    const float left = dstRect.left;
    const float bottom = dstRect.bottom;
    const float right = left + (dstHasSize ? dstRect.width : defaultWidth);
    const float top = bottom + (dstHasSize ? dstRect.height : defaultHeight);

    BeginTexturing(id);
    BeginShape(GL_QUADS);
    ShapeTexCoord(sLeft, tBottom);
    ShapeVertex(left, bottom);
    ShapeTexCoord(sLeft, tTop);
    ShapeVertex(left, top);
    ShapeTexCoord(sRight, tTop);
    ShapeVertex(right, top);
    ShapeTexCoord(sRight, tBottom);
    ShapeVertex(right, bottom);
    EndShape();
    EndTexturing();
}

void Texture::Draw(Vec2 dstBottomLeft, Rect srcRect) const {
    RenderIfStale();  // the natural size below is the new rendering's
    const bool srcHasSize = HasSize(srcRect);
    const Rect dst{dstBottomLeft.x, dstBottomLeft.y, srcHasSize ? srcRect.width : width,
                   srcHasSize ? srcRect.height : height};
    // The placeholder and the image both take the size chosen here.
    Draw(dst, srcRect);
}
