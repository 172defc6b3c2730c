// Text textures on the real font and Mesa's OpenGL: what is uploaded, how it is drawn, how failures show.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_opengl.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "render/Texture.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

// The byte orders below are those of the packed 32-bit formats on a little-endian machine.
static_assert(SDL_BYTEORDER == SDL_LIL_ENDIAN, "the layout tables assume a little-endian machine");

namespace {
constexpr const char* kFontPath = "Resources/Baloo.ttf";
constexpr const char* kMissingFontPath = "Resources/NoSuchFont.ttf";
constexpr const char* kOpenFontMessage = "Texture::CreateFromString, error when calling TTF_OpenFont: ";
constexpr int32_t kLabelSize = 40;  // the editor's two point sizes
constexpr int32_t kTitleSize = 50;
constexpr Rgba kWhite{1.0f, 1.0f, 1.0f, 1.0f};
constexpr int kLeft = 100;  // where the tests draw, well inside the window
constexpr int kBottom = 200;
constexpr Vec2 kAt{static_cast<float>(kLeft), static_cast<float>(kBottom)};

using Rgb = std::array<uint8_t, 3>;
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kMagenta{255, 0, 255};

// ---- What the window shows

// The colour expected at a pixel of a drawn area: column from the left, row counted down from the top (image order).
using Expected = std::function<Rgb(int column, int rowFromTop)>;

// The colours of the w x h area whose bottom-left pixel is (left, bottom), bottom row first. Red, green and blue
// only: the window has no alpha channel.
std::vector<Rgb> ReadArea(int left, int bottom, int w, int h) {
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(left, bottom, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<Rgb> area;
    for (size_t i = 0; i < rgba.size(); i += 4) area.push_back({rgba[i], rgba[i + 1], rgba[i + 2]});
    return area;
}

// Compares the w x h area whose bottom-left pixel is (left, bottom) with expected, and the ring of pixels around it
// with the black background. Returns a description of the differences, empty when there are none.
std::string CompareArea(int left, int bottom, int w, int h, const Expected& expected) {
    const int readW = w + 2;
    const int readH = h + 2;
    const std::vector<Rgb> area = ReadArea(left - 1, bottom - 1, readW, readH);
    int differing = 0;
    std::ostringstream first;
    for (int ry = 0; ry < readH; ++ry) {
        for (int rx = 0; rx < readW; ++rx) {
            const int column = rx - 1;
            const int rowFromTop = h - ry;  // the read-back runs bottom to top
            const bool inside = column >= 0 && column < w && rowFromTop >= 0 && rowFromTop < h;
            const Rgb want = inside ? expected(column, rowFromTop) : kBlack;
            const Rgb got = area[static_cast<size_t>(ry) * static_cast<size_t>(readW) + static_cast<size_t>(rx)];
            if (got == want) continue;
            if (++differing <= 4) {
                first << " window (" << left + column << "," << bottom - 1 + ry << ") got " << +got[0] << ","
                      << +got[1] << "," << +got[2] << " want " << +want[0] << "," << +want[1] << "," << +want[2]
                      << ";";
            }
        }
    }
    if (differing == 0) return "";
    return std::to_string(differing) + " of " + std::to_string(readW * readH) + " pixels differ:" + first.str();
}

Expected Solid(Rgb colour) {
    return [colour](int, int) { return colour; };
}

// ---- Surfaces made by hand

// Where red, green, blue and alpha sit within one pixel (-1: not stored).
struct Layout {
    const char* name;
    Uint32 format;
    int bytesPerPixel;
    std::array<int, 4> offset;
};
constexpr Layout kRgb24{"RGB24", SDL_PIXELFORMAT_RGB24, 3, {0, 1, 2, -1}};
constexpr Layout kBgr24{"BGR24", SDL_PIXELFORMAT_BGR24, 3, {2, 1, 0, -1}};
constexpr Layout kRgbaBytes{"ABGR8888 (RGBA bytes)", SDL_PIXELFORMAT_ABGR8888, 4, {0, 1, 2, 3}};
constexpr Layout kBgraBytes{"ARGB8888 (BGRA bytes)", SDL_PIXELFORMAT_ARGB8888, 4, {2, 1, 0, 3}};

// A colour that tells the pixel's place: red grows with the column, green with the row. Opaque, never black.
std::array<uint8_t, 4> ImageColour(int column, int rowFromTop) {
    return {static_cast<uint8_t>(20 + 23 * column), static_cast<uint8_t>(20 + 23 * rowFromTop),
            static_cast<uint8_t>(200 - 11 * (column + rowFromTop)), 255};
}

Rgb ImageRgb(int column, int rowFromTop) {
    const auto c = ImageColour(column, rowFromTop);
    return {c[0], c[1], c[2]};
}

// Writes ImageColour into every pixel, byte by byte in the layout's memory order; padding is left alone.
void Paint(SDL_Surface& surface, const Layout& layout) {
    for (int y = 0; y < surface.h; ++y) {
        for (int x = 0; x < surface.w; ++x) {
            uint8_t* pixel = static_cast<uint8_t*>(surface.pixels) + y * surface.pitch + x * layout.bytesPerPixel;
            const auto colour = ImageColour(x, y);
            for (int channel = 0; channel < 4; ++channel)
                if (layout.offset[channel] >= 0) pixel[layout.offset[channel]] = colour[channel];
        }
    }
}

// A pixel as SDL itself reads it from the surface's format.
std::array<uint8_t, 4> SurfaceColour(const SDL_Surface& surface, int x, int y) {
    const int bytesPerPixel = surface.format->BytesPerPixel;
    Uint32 value = 0;
    std::memcpy(&value, static_cast<const uint8_t*>(surface.pixels) + y * surface.pitch + x * bytesPerPixel,
                static_cast<size_t>(bytesPerPixel));
    std::array<uint8_t, 4> c{};
    SDL_GetRGBA(value, surface.format, &c[0], &c[1], &c[2], &c[3]);
    return c;
}

// White text over the black background blends to its coverage, exactly: the drawn grey is the surface's alpha.
Expected CoverageOf(const SDL_Surface& surface) {
    return [&surface](int column, int rowFromTop) {
        const uint8_t alpha = SurfaceColour(surface, column, rowFromTop)[3];
        return Rgb{alpha, alpha, alpha};
    };
}

SurfacePtr RenderWhite(const std::string& text, int32_t pointSize) {
    FontPtr font(TTF_OpenFont(kFontPath, pointSize));
    if (font == nullptr) return nullptr;
    return SurfacePtr(TTF_RenderText_Blended(font.get(), text.c_str(), SDL_Color{255, 255, 255, 255}));
}

// ---- Textures

// A texture that holds no name yet, ready for CreateFromSurface: only a font that cannot be opened gives one.
std::unique_ptr<Texture> EmptyTexture() {
    StderrCapture quiet;
    return std::make_unique<Texture>("x", kMissingFontPath, kLabelSize, kWhite);
}

std::unique_ptr<Texture> FromSurface(SDL_Surface& surface) {
    auto texture = EmptyTexture();
    texture->CreateFromSurface(&surface);
    return texture;
}

// The 8 x 6 opaque picture the draw-form tests cut from and stretch.
constexpr int kImageW = 8;
constexpr int kImageH = 6;
std::unique_ptr<Texture> PictureTexture() {
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, kImageW, kImageH, 32, kRgbaBytes.format));
    Paint(*surface, kRgbaBytes);
    return FromSurface(*surface);
}

// The distinct colours of the texels that are fully opaque.
std::set<Rgb> OpaqueTexelColours(const Texture& texture) {
    const int w = static_cast<int>(texture.width);
    const int h = static_cast<int>(texture.height);
    std::vector<uint8_t> texels(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    std::set<Rgb> colours;
    for (size_t i = 0; i < texels.size(); i += 4)
        if (texels[i + 3] == 255) colours.insert({texels[i], texels[i + 1], texels[i + 2]});
    return colours;
}

uint8_t LargestTexelAlpha(const Texture& texture) {
    std::vector<uint8_t> texels(static_cast<size_t>(texture.width) * static_cast<size_t>(texture.height) * 4);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    uint8_t largest = 0;
    for (size_t i = 3; i < texels.size(); i += 4) largest = std::max(largest, texels[i]);
    return largest;
}

std::string Describe(Rect r) {
    std::ostringstream out;
    out << "{" << r.left << ", " << r.bottom << ", " << r.width << ", " << r.height << "}";
    return out.str();
}

class TextTexture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(SharedCore(), nullptr);
        ClearWindow();
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }
    static void ClearWindow() {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
};
}  // namespace

// ---- Orientation and colour

TEST_F(TextTexture, TextIsDrawnUprightPixelForPixel) {
    const struct {
        const char* text;
        bool wideAtTop;  // the glyph's widest stroke: the bar of T and 7, the foot of L
    } cases[] = {{"T", true}, {"7", true}, {"L", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ClearWindow();
        const Texture texture(c.text, kFontPath, kTitleSize, kWhite);
        ASSERT_TRUE(texture.creationOk);
        texture.Draw(kAt, Rect{});

        // The shape alone: the lowest and the highest row with ink, and how wide the ink is there.
        const int w = static_cast<int>(texture.width);
        const int h = static_cast<int>(texture.height);
        const std::vector<Rgb> drawn = ReadArea(kLeft, kBottom, w, h);
        std::vector<int> inkPerRow(static_cast<size_t>(h), 0);  // drawn rows, bottom first
        for (size_t i = 0; i < drawn.size(); ++i) inkPerRow[i / static_cast<size_t>(w)] += drawn[i][0] >= 128;
        int lowest = 0;
        while (lowest < h && inkPerRow[static_cast<size_t>(lowest)] == 0) ++lowest;
        int highest = h - 1;
        while (highest >= 0 && inkPerRow[static_cast<size_t>(highest)] == 0) --highest;
        ASSERT_LT(lowest, highest) << "no ink drawn";
        const int topWidth = inkPerRow[static_cast<size_t>(highest)];
        const int bottomWidth = inkPerRow[static_cast<size_t>(lowest)];
        if (c.wideAtTop)
            EXPECT_GT(topWidth, 2 * bottomWidth);
        else
            EXPECT_GT(bottomWidth, 2 * topWidth);

        // And every pixel: the same text rendered here, its top row at the top of the quad.
        const SurfacePtr own = RenderWhite(c.text, kTitleSize);
        ASSERT_NE(own, nullptr);
        ASSERT_EQ(w, own->w);
        ASSERT_EQ(h, own->h);
        EXPECT_EQ(CompareArea(kLeft, kBottom, w, h, CoverageOf(*own)), "");
    }
    SaveFramePng("texture_upright_L");
}

TEST_F(TextTexture, ColourComponentsAreTruncatedToBytes) {
    const struct {
        float component;
        uint8_t byte;
    } cases[] = {{1.0f, 255}, {0.999f, 254}, {0.996f, 253}, {0.5f, 127}, {0.003f, 0}, {0.0f, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.component);
        const Texture texture("H", kFontPath, kLabelSize, Rgba{c.component, c.component, c.component, 1.0f});
        ASSERT_TRUE(texture.creationOk);
        EXPECT_EQ(OpaqueTexelColours(texture), (std::set<Rgb>{{c.byte, c.byte, c.byte}}));
    }
}

TEST_F(TextTexture, EveryByteValueSurvivesTheRoundTripThroughAFloat) {
    for (int k = 0; k < 256; ++k) {
        // Each channel a different k, so a swap of channels shows too.
        const int g = 255 - k;
        const int b = (k * 37) % 256;
        const Rgba colour{static_cast<float>(k) / 255.0f, static_cast<float>(g) / 255.0f,
                          static_cast<float>(b) / 255.0f, 1.0f};
        const Texture texture("H", kFontPath, kLabelSize, colour);
        ASSERT_TRUE(texture.creationOk) << k;
        const Rgb expected{static_cast<uint8_t>(k), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
        EXPECT_EQ(OpaqueTexelColours(texture), std::set<Rgb>{expected}) << "k = " << k;
    }
}

TEST_F(TextTexture, AlphaComponentIsTruncatedToo) {
    // A glyph's interior is fully covered, so its alpha is the text colour's own.
    const struct {
        float alpha;
        uint8_t byte;
    } cases[] = {{1.0f, 255}, {0.999f, 254}, {0.5f, 127}};
    for (const auto& c : cases) {
        const Texture texture("H", kFontPath, kLabelSize, Rgba{1.0f, 1.0f, 1.0f, c.alpha});
        ASSERT_TRUE(texture.creationOk);
        EXPECT_EQ(LargestTexelAlpha(texture), c.byte) << c.alpha;
    }
}

TEST_F(TextTexture, CurrentColourDoesNotTintTheText) {
    const Rgba textColour = FromRgb255(200.0f, 120.0f, 40.0f);
    const Texture texture("H", kFontPath, kLabelSize, textColour);
    ASSERT_TRUE(texture.creationOk);
    glColor4f(0.1f, 0.9f, 0.3f, 0.5f);
    texture.Draw(kAt, Rect{});

    // Where the glyph is fully covered the window shows the text colour itself.
    FontPtr font(TTF_OpenFont(kFontPath, kLabelSize));
    const SurfacePtr own(TTF_RenderText_Blended(font.get(), "H", SDL_Color{200, 120, 40, 255}));
    ASSERT_NE(own, nullptr);
    int interior = 0;
    for (int y = 0; y < own->h; ++y) {
        for (int x = 0; x < own->w; ++x) {
            if (SurfaceColour(*own, x, y)[3] != 255) continue;
            ++interior;
            const Pixel drawn = ReadPixel(kLeft + x, kBottom + own->h - 1 - y);
            ASSERT_EQ((Rgb{drawn[0], drawn[1], drawn[2]}), (Rgb{200, 120, 40})) << "surface pixel " << x << "," << y;
        }
    }
    EXPECT_GT(interior, 50);
}

// ---- Failures

TEST_F(TextTexture, MissingFontWritesOneLinePerTextureAndShowsTenByTenMagenta) {
    const Vec2 places[] = {{100.0f, 200.0f}, {300.0f, 50.0f}, {1189.0f, 889.0f}};
    std::vector<std::unique_ptr<Texture>> textures;
    std::vector<std::string> expectedLines;
    StderrCapture stderrCapture;
    for (size_t i = 0; i < std::size(places); ++i) {
        textures.push_back(std::make_unique<Texture>("Regular Star Polygon", kMissingFontPath, kTitleSize, kWhite));
        expectedLines.push_back(std::string(kOpenFontMessage) + SDL_GetError());
    }
    EXPECT_EQ(stderrCapture.Lines(), expectedLines);
    EXPECT_NE(std::string(SDL_GetError()), "") << "the line should carry SDL's own explanation";
    EXPECT_EQ(stderrCapture.Text().back(), '\n');

    for (size_t i = 0; i < textures.size(); ++i) {
        const Texture& texture = *textures[i];
        EXPECT_FALSE(texture.creationOk);
        EXPECT_EQ(texture.id, 0u);
        EXPECT_EQ(texture.width, 10.0f);
        EXPECT_EQ(texture.height, 10.0f);
        texture.Draw(places[i], Rect{});
        EXPECT_EQ(CompareArea(static_cast<int>(places[i].x), static_cast<int>(places[i].y), 10, 10, Solid(kMagenta)),
                  "")
            << "placeholder " << i;
    }
}

TEST_F(TextTexture, NullFontIsRefusedWithItsMessage) {
    auto texture = EmptyTexture();
    StderrCapture stderrCapture;
    texture->CreateFromString("7", nullptr, kWhite);
    EXPECT_EQ(stderrCapture.Text(), "Texture::CreateFromString, invalid TTF_Font pointer\n");
    EXPECT_FALSE(texture->creationOk);
    EXPECT_EQ(texture->id, 0u);
}

TEST_F(TextTexture, EmptyTextHasNoSurfaceAndReportsTheRenderer) {
    StderrCapture stderrCapture;
    const Texture texture("", kFontPath, kLabelSize, kWhite);
    const std::string sdlText = SDL_GetError();
    EXPECT_EQ(stderrCapture.Text(), "Texture::CreateFromString, error when calling TTF_RenderText_Blended: " + sdlText + "\n");
    EXPECT_FALSE(texture.creationOk);
    EXPECT_EQ(texture.id, 0u);
    EXPECT_EQ(texture.width, 10.0f);
    EXPECT_EQ(texture.height, 10.0f);
}

TEST_F(TextTexture, SurfacesOfOneOrTwoBytesPerPixelAreRefusedButKeepTheirSize) {
    const struct {
        Uint32 format;
        int bytesPerPixel;
    } cases[] = {{SDL_PIXELFORMAT_INDEX8, 1}, {SDL_PIXELFORMAT_RGB332, 1}, {SDL_PIXELFORMAT_RGB565, 2},
                 {SDL_PIXELFORMAT_ARGB4444, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(SDL_GetPixelFormatName(c.format));
        ClearWindow();
        SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, 13, 7, c.bytesPerPixel * 8, c.format));
        ASSERT_NE(surface, nullptr);
        ASSERT_EQ(surface->format->BytesPerPixel, c.bytesPerPixel);
        auto texture = EmptyTexture();
        StderrCapture stderrCapture;
        texture->CreateFromSurface(surface.get());
        EXPECT_EQ(stderrCapture.Text(), "Texture::CreateFromSurface, unknow pixel format, BytesPerPixel: " +
                                   std::to_string(c.bytesPerPixel) + "\nUse 32 bit or 24 bit images.\n");
        EXPECT_FALSE(texture->creationOk);
        EXPECT_EQ(texture->id, 0u) << "no texture name is generated";
        EXPECT_EQ(texture->width, 13.0f);
        EXPECT_EQ(texture->height, 7.0f);
        texture->Draw(kAt, Rect{});
        EXPECT_EQ(CompareArea(kLeft, kBottom, 13, 7, Solid(kMagenta)), "");
    }
}

TEST_F(TextTexture, ImageWiderThanTheLargestTextureShowsThePlaceholder) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, largest + 1, 2, 32, kRgbaBytes.format));
    ASSERT_NE(surface, nullptr);
    Paint(*surface, kRgbaBytes);
    StderrCapture stderrCapture;
    auto texture = FromSurface(*surface);
    EXPECT_EQ(stderrCapture.Text(), "Texture::CreateFromSurface, error when calling glTexImage2D, Error id = " +
                               std::to_string(GL_INVALID_VALUE) + ", image " + std::to_string(largest + 1) +
                               " x 2\n");
    EXPECT_FALSE(texture->creationOk);
    EXPECT_EQ(texture->width, static_cast<float>(largest + 1));
    EXPECT_EQ(texture->height, 2.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "the refusal is taken, not left for the next caller";

    // Two rows of magenta across the whole window, nothing above or below.
    const int row = 300;
    texture->Draw(Vec2{0.0f, static_cast<float>(row)}, Rect{});
    const std::vector<uint8_t> frame = ReadFrame();
    auto rgbAt = [&frame](int x, int y) {
        const size_t i = (static_cast<size_t>(y) * kWindowWidth + static_cast<size_t>(x)) * 4;
        return Rgb{frame[i], frame[i + 1], frame[i + 2]};
    };
    for (int x = 0; x < kWindowWidth; ++x) {
        ASSERT_EQ(rgbAt(x, row - 1), kBlack) << x;
        ASSERT_EQ(rgbAt(x, row), kMagenta) << x;
        ASSERT_EQ(rgbAt(x, row + 1), kMagenta) << x;
        ASSERT_EQ(rgbAt(x, row + 2), kBlack) << x;
    }
}

TEST_F(TextTexture, ErrorPendingAtBindingIsOnlyAWarning) {
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, kImageW, kImageH, 32, kRgbaBytes.format));
    Paint(*surface, kRgbaBytes);
    auto texture = EmptyTexture();
    glEnable(GL_RGBA);  // not a capability: leaves GL_INVALID_ENUM behind, as a call before start-up would
    StderrCapture stderrCapture;
    texture->CreateFromSurface(surface.get());
    EXPECT_EQ(stderrCapture.Text(),
              "Texture::CreateFromSurface, error binding textures, Error id = " + std::to_string(GL_INVALID_ENUM) +
                  "\nCan happen if a texture is created before performing the initialization code (e.g. a static "
                  "Texture object).\nThere might be a white rectangle instead of the image.\n");
    EXPECT_TRUE(texture->creationOk);
    texture->Draw(kAt, Rect{});
    EXPECT_EQ(CompareArea(kLeft, kBottom, kImageW, kImageH, ImageRgb), "");
}

// ---- Upload layouts

TEST_F(TextTexture, FourLayoutsAndOddWidthsComeBackUndistorted) {
    const struct {
        Layout layout;
        int w, h;
        int pitch;  // the pitch SDL chooses: 24-bit rows are padded to four bytes
    } cases[] = {
        {kRgb24, 4, 3, 12},     {kRgb24, 5, 3, 16},     {kRgb24, 7, 2, 24},     {kRgb24, 1, 4, 4},
        {kBgr24, 4, 3, 12},     {kBgr24, 5, 3, 16},     {kBgr24, 7, 2, 24},     {kBgr24, 3, 5, 12},
        {kRgbaBytes, 6, 4, 24}, {kRgbaBytes, 5, 3, 20}, {kBgraBytes, 6, 4, 24}, {kBgraBytes, 7, 5, 28},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.layout.name) + " " + std::to_string(c.w) + "x" + std::to_string(c.h));
        ClearWindow();
        SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, c.w, c.h, c.layout.bytesPerPixel * 8, c.layout.format));
        ASSERT_NE(surface, nullptr);
        ASSERT_EQ(surface->pitch, c.pitch);
        Paint(*surface, c.layout);
        ASSERT_EQ(SurfaceColour(*surface, c.w - 1, c.h - 1), ImageColour(c.w - 1, c.h - 1)) << "byte order table";

        const auto texture = FromSurface(*surface);
        ASSERT_TRUE(texture->creationOk);
        EXPECT_NE(texture->id, 0u);
        EXPECT_EQ(texture->width, static_cast<float>(c.w));
        EXPECT_EQ(texture->height, static_cast<float>(c.h));
        texture->Draw(kAt, Rect{});
        EXPECT_EQ(CompareArea(kLeft, kBottom, c.w, c.h, ImageRgb), "");
    }
}

TEST_F(TextTexture, RowsPaddedBeyondTheImageAreSkipped) {
    const struct {
        Layout layout;
        int w, h, pitch;
    } cases[] = {
        {kRgb24, 5, 3, 24},      // eight whole pixels per row
        {kBgr24, 2, 3, 8},       // not a whole number of pixels
        {kRgbaBytes, 5, 3, 32},  // three pixels of padding
        {kBgraBytes, 3, 5, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.layout.name) + " pitch " + std::to_string(c.pitch));
        ClearWindow();
        std::vector<uint8_t> pixels(static_cast<size_t>(c.pitch) * static_cast<size_t>(c.h), 0xEE);
        SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), c.w, c.h, c.layout.bytesPerPixel * 8,
                                                              c.pitch, c.layout.format));
        ASSERT_NE(surface, nullptr);
        Paint(*surface, c.layout);
        const auto texture = FromSurface(*surface);
        ASSERT_TRUE(texture->creationOk);
        texture->Draw(kAt, Rect{});
        EXPECT_EQ(CompareArea(kLeft, kBottom, c.w, c.h, ImageRgb), "");
    }
}

TEST_F(TextTexture, PaddedTextSurfacesComeBackUndistorted) {
    // SDL_ttf 2.20 pads the rows of its blended surfaces beyond width x 4 bytes.
    const struct {
        const char* text;
        int32_t pointSize;
    } cases[] = {{"Regular Star Polygon", kTitleSize}, {"Number Of Vertices:  ", kLabelSize}, {"7", kLabelSize}};
    int bottom = kBottom;  // one line above the other, all kept for the saved frame
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const SurfacePtr surface = RenderWhite(c.text, c.pointSize);
        ASSERT_NE(surface, nullptr);
        ASSERT_GT(surface->pitch, surface->w * 4) << "width " << surface->w << ", pitch " << surface->pitch;
        const auto texture = FromSurface(*surface);
        ASSERT_TRUE(texture->creationOk);
        texture->Draw(Vec2{kAt.x, static_cast<float>(bottom)}, Rect{});
        EXPECT_EQ(CompareArea(kLeft, bottom, surface->w, surface->h, CoverageOf(*surface)), "")
            << "width " << surface->w << ", pitch " << surface->pitch;
        bottom += surface->h + 10;
    }
    SaveFramePng("texture_padded_text");
}

TEST_F(TextTexture, UploadLeavesTheUnpackStateAsItFoundIt) {
    const struct {
        Layout layout;
        int w;
    } cases[] = {{kRgb24, 5}, {kRgb24, 4}, {kBgraBytes, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout.name);
        ClearWindow();
        SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, c.w, 3, c.layout.bytesPerPixel * 8, c.layout.format));
        Paint(*surface, c.layout);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);  // a caller's unusual settings, which the upload must neither
        glPixelStorei(GL_UNPACK_ALIGNMENT, 8);   // use nor lose
        const auto texture = FromSurface(*surface);
        GLint rowLength = 0;
        GLint alignment = 0;
        glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        EXPECT_EQ(rowLength, 3);
        EXPECT_EQ(alignment, 8);
        texture->Draw(kAt, Rect{});
        EXPECT_EQ(CompareArea(kLeft, kBottom, c.w, 3, ImageRgb), "");
    }
}

// ---- Draw forms

namespace {
enum class Form { AtPoint, IntoRect };

struct DrawCase {
    Form form;
    Rect dst;  // the point form uses its left and bottom only
    Rect src;
    int drawnW, drawnH;
    int scale;              // drawn pixels per image pixel
    int srcLeft, srcTop;    // the image pixel shown at the drawn area's top-left corner
};

void Draw(const Texture& texture, const DrawCase& c) {
    if (c.form == Form::AtPoint)
        texture.Draw(Vec2{c.dst.left, c.dst.bottom}, c.src);
    else
        texture.Draw(c.dst, c.src);
}

std::string Describe(const DrawCase& c) {
    return std::string(c.form == Form::AtPoint ? "at point" : "into rect ") +
           (c.form == Form::AtPoint ? "" : Describe(c.dst)) + ", src " + Describe(c.src);
}
}  // namespace

class TextureDrawForms : public TextTexture {
protected:
    void Check(const DrawCase& c) {
        SCOPED_TRACE(Describe(c));
        ClearWindow();
        Draw(*picture, c);
        EXPECT_EQ(CompareArea(kLeft, kBottom, c.drawnW, c.drawnH,
                              [&c](int column, int rowFromTop) {
                                  return ImageRgb(c.srcLeft + column / c.scale, c.srcTop + rowFromTop / c.scale);
                              }),
                  "");
    }
    std::unique_ptr<Texture> picture = PictureTexture();
};

TEST_F(TextureDrawForms, RectanglesOfAThousandthOrLessFallBackToTheDefaultSize) {
    const float x = kAt.x;
    const float y = kAt.y;
    const DrawCase cases[] = {
        {Form::AtPoint, {x, y, 0, 0}, {0, 0, 0, 0}, kImageW, kImageH, 1, 0, 0},
        {Form::AtPoint, {x, y, 0, 0}, {0, 0, 0.001f, 6}, kImageW, kImageH, 1, 0, 0},
        {Form::AtPoint, {x, y, 0, 0}, {2, 5, 4, 0.001f}, kImageW, kImageH, 1, 0, 0},
        {Form::IntoRect, {x, y, 0, 0}, {0, 0, 0, 0}, kImageW, kImageH, 1, 0, 0},
        {Form::IntoRect, {x, y, 0.001f, 12}, {0, 0, 0, 0}, kImageW, kImageH, 1, 0, 0},
        {Form::IntoRect, {x, y, 16, 0.0005f}, {0, 0, 0, 0}, kImageW, kImageH, 1, 0, 0},
        {Form::IntoRect, {x, y, 16, 12}, {1, 1, 0.0005f, 0.0005f}, 16, 12, 2, 0, 0},
        // an empty destination takes the source rectangle's size
        {Form::IntoRect, {x, y, 0, 0}, {2, 4, 3, 2}, 3, 2, 1, 2, 2},
        {Form::IntoRect, {x, y, 0.001f, 0.001f}, {5, 1, 3, 1}, 3, 1, 1, 5, 0},
    };
    for (const DrawCase& c : cases) Check(c);
}

TEST_F(TextureDrawForms, SourceRectangleCountsRowsDownFromTheImageTop) {
    const float x = kAt.x;
    const float y = kAt.y;
    // srcRect.bottom is the part's lower edge, in rows from the image's top; the part reaches its height above it.
    const DrawCase cases[] = {
        {Form::AtPoint, {x, y, 0, 0}, {0, 6, 8, 6}, kImageW, kImageH, 1, 0, 0},
        {Form::AtPoint, {x, y, 0, 0}, {2, 4, 3, 2}, 3, 2, 1, 2, 2},
        {Form::AtPoint, {x, y, 0, 0}, {5, 1, 3, 1}, 3, 1, 1, 5, 0},
        {Form::AtPoint, {x, y, 0, 0}, {0, 6, 1, 1}, 1, 1, 1, 0, 5},
        {Form::AtPoint, {x, y, 0, 0}, {7, 6, 1, 6}, 1, 6, 1, 7, 0},
        {Form::IntoRect, {x, y, 6, 4}, {2, 4, 3, 2}, 6, 4, 2, 2, 2},
    };
    for (const DrawCase& c : cases) Check(c);
}

TEST_F(TextureDrawForms, DestinationRectangleStretchesTheImage) {
    const float x = kAt.x;
    const float y = kAt.y;
    const DrawCase cases[] = {
        {Form::IntoRect, {x, y, 16, 12}, {0, 0, 0, 0}, 16, 12, 2, 0, 0},
        {Form::IntoRect, {x, y, 24, 18}, {0, 0, 0, 0}, 24, 18, 3, 0, 0},
        {Form::IntoRect, {x, y, 8, 6}, {0, 0, 0, 0}, kImageW, kImageH, 1, 0, 0},
    };
    for (const DrawCase& c : cases) Check(c);
}

TEST_F(TextureDrawForms, PlaceholderOfTheRectangleFormUsesTheDestinationUnchanged) {
    const auto failed = EmptyTexture();
    ASSERT_FALSE(failed->creationOk);
    const float x = kAt.x;
    const float y = kAt.y;
    // Only the form, the rectangles and the drawn size count here.
    const DrawCase cases[] = {
        {Form::AtPoint, {x, y, 0, 0}, {0, 0, 0, 0}, 10, 10, 1, 0, 0},
        {Form::AtPoint, {x, y, 0, 0}, {0, 0, 25, 15}, 25, 15, 1, 0, 0},
        {Form::AtPoint, {x, y, 0, 0}, {0, 0, 25, 0.001f}, 10, 10, 1, 0, 0},
        {Form::IntoRect, {x, y, 30, 20}, {0, 0, 0, 0}, 30, 20, 1, 0, 0},
        {Form::IntoRect, {x, y, 30, 20}, {2, 4, 3, 2}, 30, 20, 1, 0, 0},
        // the destination is not replaced by a default: a flat rectangle covers no pixel
        {Form::IntoRect, {x, y, 0, 0}, {0, 0, 0, 0}, 0, 0, 1, 0, 0},
        {Form::IntoRect, {x, y, 30, 0.001f}, {0, 0, 0, 0}, 0, 0, 1, 0, 0},
        {Form::IntoRect, {x, y, 0, 0}, {0, 0, 25, 15}, 0, 0, 1, 0, 0},
    };
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(Describe(c));
        ClearWindow();
        Draw(*failed, c);
        if (c.drawnW > 0)
            EXPECT_EQ(CompareArea(kLeft, kBottom, c.drawnW, c.drawnH, Solid(kMagenta)), "");
        else
            EXPECT_EQ(CompareArea(kLeft, kBottom, 32, 22, Solid(kBlack)), "");
    }
}

TEST_F(TextureDrawForms, CurrentColourDoesNotTintTheImage) {
    glColor4f(0.2f, 0.9f, 0.1f, 0.4f);
    picture->Draw(kAt, Rect{});
    EXPECT_EQ(CompareArea(kLeft, kBottom, kImageW, kImageH, ImageRgb), "");
}

TEST_F(TextureDrawForms, DrawLeavesTexturingOffAndTheCurrentColourAsSet) {
    const Rgba set{0.25f, 0.5f, 0.75f, 1.0f};
    glColor4f(set.r, set.g, set.b, set.a);
    for (bool rectForm : {false, true}) {
        if (rectForm)
            picture->Draw(Rect{kAt.x, kAt.y, 16, 12}, Rect{});
        else
            picture->Draw(kAt, Rect{});
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        std::array<GLfloat, 4> current{};
        glGetFloatv(GL_CURRENT_COLOR, current.data());
        EXPECT_EQ(current, (std::array<GLfloat, 4>{set.r, set.g, set.b, set.a}));
    }
    // The placeholder leaves its magenta as the current colour.
    EmptyTexture()->Draw(kAt, Rect{});
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    std::array<GLfloat, 4> current{};
    glGetFloatv(GL_CURRENT_COLOR, current.data());
    EXPECT_EQ(current, (std::array<GLfloat, 4>{1.0f, 0.0f, 1.0f, 1.0f}));
}

// ---- Lifetime

TEST_F(TextTexture, DestructionReleasesTheTextureName) {
    auto texture = std::make_unique<Texture>("7", kFontPath, kLabelSize, kWhite);
    const GLuint name = texture->id;
    ASSERT_NE(name, 0u);
    EXPECT_TRUE(glIsTexture(name));
    texture.reset();
    EXPECT_FALSE(glIsTexture(name));

    EmptyTexture().reset();  // holds no name: releasing name 0 is harmless
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
