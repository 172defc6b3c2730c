// Driving a real Game through routed events, and checking what its text textures show.
#pragma once

#include <SDL_opengl.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <iomanip>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "editor/Game.h"
#include "figures/Types.h"
#include "tests/support/TestSupport.h"

namespace editor_driver {

using namespace testing_support;

inline constexpr const char* kFontPath = "Resources/Baloo.ttf";
inline constexpr int kLabelPointSize = 40;
inline constexpr Rgba kTextColor{98.0f / 255.0f, 146.0f / 255.0f, 99.0f / 255.0f, 1.0f};
inline constexpr Rgba kEditTextColor{98.0f / 255.0f, 99.0f / 255.0f, 146.0f / 255.0f, 1.0f};
inline constexpr std::array<uint8_t, 3> kTextRgb{98, 146, 99};

// The eight boxes in the order the editor examines them: the two colour boxes, then the six numeric ones.
enum BoxOrder { kBg, kStar, kRegularVertices, kRegularDensity, kRegularOffset, kIsotoxalVertices, kIsotoxalAlpha,
                kIsotoxalOffset };
inline constexpr int kBoxCount = 8;
inline constexpr std::array<Rect, kBoxCount> kBoxRects{{{12, 20, 415, 28},
                                                         {616, 20, 415, 28},
                                                         {19, 210, 430, 28},
                                                         {19, 151, 210, 28},
                                                         {19, 90, 320, 28},
                                                         {617, 210, 430, 28},
                                                         {617, 151, 210, 28},
                                                         {617, 90, 320, 28}}};
inline constexpr std::array<const char*, kBoxCount> kBoxNames{"bg colour",    "star colour",  "left vertices",
                                                              "left density", "left offset",  "right vertices",
                                                              "right alpha",  "right offset"};
inline constexpr std::array<const char*, 6> kNumericLabels{"Number Of Vertices:  ", "Density:  ", "Angle Offset: ",
                                                           "Number Of Vertices:  ", "Alpha:  ", "Angle Offset: "};
inline constexpr Vec2 kInNoBox{600.0f, 600.0f};  // the middle of the figure area

inline int NumericIndex(int order) { return order - kRegularVertices; }
inline std::string LabelOf(int order) { return kNumericLabels[static_cast<size_t>(NumericIndex(order))]; }

inline Vec2 CentreOf(int order) {
    const Rect& r = kBoxRects[static_cast<size_t>(order)];
    return {r.left + r.width * 0.5f, r.bottom + r.height * 0.5f};
}

inline void ClickBox(Game& game, int order) { ClickAt(game, CentreOf(order).x, CentreOf(order).y); }
inline void ClickNowhere(Game& game) { ClickAt(game, kInNoBox.x, kInNoBox.y); }

// Opens a numeric box by click, types the digits and presses Enter, all through the event queue.
inline void Commit(Game& game, int order, const std::string& digits) {
    ClickBox(game, order);
    TypeDigits(game, digits);
    Type(game, {SDLK_RETURN});
}

inline bool& SelectedFlag(Game& game, int order) {
    if (order == kBg) return game.bgBoxState.selected;
    if (order == kStar) return game.starBoxState.selected;
    return game.numericBoxes[static_cast<size_t>(NumericIndex(order))].selected;
}

// The box that is open, or -1; fails the test if more than one is.
inline int OpenBoxOf(Game& game) {
    int open = -1;
    for (int order = 0; order < kBoxCount; ++order) {
        if (!SelectedFlag(game, order)) continue;
        EXPECT_EQ(open, -1) << "two boxes open: " << kBoxNames[static_cast<size_t>(open)] << " and "
                            << kBoxNames[static_cast<size_t>(order)];
        open = order;
    }
    return open;
}

inline Texture& NumericTexture(Game& game, int order) {
    const int k = NumericIndex(order);
    auto& slots = k < 3 ? game.regularLabelTextures : game.isotoxalLabelTextures;
    return *slots[static_cast<size_t>(k % 3)].texture;
}

// Every texture a box re-renders.
inline std::vector<Texture*> TexturesOf(Game& game, int order) {
    if (order == kBg)
        return {game.bgLabelTexture.get(), game.bgValueTextures[0].get(), game.bgValueTextures[1].get(),
                game.bgValueTextures[2].get()};
    if (order == kStar)
        return {game.starLabelTexture.get(), game.starValueTextures[0].get(), game.starValueTextures[1].get(),
                game.starValueTextures[2].get()};
    return {&NumericTexture(game, order)};
}

// Everything the keys and the mouse may change, as text, so that "nothing changed" compares readably.
inline std::string Describe(Game& game) {
    std::ostringstream out;
    out << std::setprecision(9) << "left {" << game.regularStar->vertexCount << "/" << game.regularStar->density
        << "} offset " << game.regularStar->angleOffset << " points " << game.regularStar->vertices.size()
        << "; right n " << game.isotoxalStar->vertexCount << " alpha " << game.isotoxalStar->alpha << " offset "
        << game.isotoxalStar->angleOffset << "; bg " << game.backgroundRgb[0] << "," << game.backgroundRgb[1] << ","
        << game.backgroundRgb[2] << "; star " << game.starRgb[0] << "," << game.starRgb[1] << "," << game.starRgb[2]
        << "; caret " << game.caretIndex << "; editText \"" << game.editText << "\"; editing " << game.isEditing
        << "; bg flags " << game.bgBoxState.selected << game.bgBoxState.redEntered << game.bgBoxState.greenEntered
        << "; star flags " << game.starBoxState.selected << game.starBoxState.redEntered
        << game.starBoxState.greenEntered << "; numeric open";
    for (const InputBox& box : game.numericBoxes) out << " " << box.selected;
    return out.str();
}

// A re-render replaces the Texture object, and neither its address nor its GL name has to differ from the
// old one's; a width no rendered text has marks the old objects instead.
inline constexpr float kStaleWidth = -1.0f;
inline void MarkAllStale(Game& game) {
    for (int order = 0; order < kBoxCount; ++order)
        for (Texture* texture : TexturesOf(game, order)) texture->width = kStaleWidth;
}
inline bool IsRebuilt(const Texture& texture) { return texture.width != kStaleWidth; }
inline std::vector<int> RebuiltBoxes(Game& game) {
    std::vector<int> rebuilt;
    for (int order = 0; order < kBoxCount; ++order) {
        bool any = false;
        for (Texture* texture : TexturesOf(game, order)) any = any || IsRebuilt(*texture);
        if (any) rebuilt.push_back(order);
    }
    return rebuilt;
}

// The texture's image must equal what SDL_ttf renders from the text with the label font in the colour.
inline ::testing::AssertionResult Shows(const Texture& texture, const std::string& text, Rgba color) {
    if (!texture.creationOk) return ::testing::AssertionFailure() << "the texture failed to render";
    TTF_Font* font = TTF_OpenFont(kFontPath, kLabelPointSize);
    if (font == nullptr) return ::testing::AssertionFailure() << "the test cannot open " << kFontPath;
    const SDL_Color sdlColor{static_cast<Uint8>(color.r * 255.0f + 0.5f), static_cast<Uint8>(color.g * 255.0f + 0.5f),
                             static_cast<Uint8>(color.b * 255.0f + 0.5f), 255};
    SDL_Surface* rendered = TTF_RenderText_Blended(font, text.c_str(), sdlColor);
    TTF_CloseFont(font);
    if (rendered == nullptr) return ::testing::AssertionFailure() << "the test cannot render \"" << text << "\"";
    SDL_Surface* expected = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(rendered);
    const int w = expected->w;
    const int h = expected->h;
    if (texture.width != static_cast<float>(w) || texture.height != static_cast<float>(h)) {
        SDL_FreeSurface(expected);
        return ::testing::AssertionFailure() << "size " << texture.width << " x " << texture.height << ", \"" << text
                                             << "\" is " << w << " x " << h;
    }
    std::vector<uint8_t> actual(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, actual.data());
    int differing = 0;
    for (int y = 0; y < h; ++y) {
        const auto* row = static_cast<const uint8_t*>(expected->pixels) + static_cast<ptrdiff_t>(y) * expected->pitch;
        for (int i = 0; i < w * 4; ++i)
            if (row[i] != actual[static_cast<size_t>(y * w * 4 + i)]) ++differing;
    }
    SDL_FreeSurface(expected);
    if (differing != 0)
        return ::testing::AssertionFailure() << differing << " bytes differ from \"" << text << "\" rendered";
    return ::testing::AssertionSuccess();
}

// A fresh Game on the shared context for every test, with an empty event queue.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(SharedCore(), nullptr);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        game = std::make_unique<Game>(EditorWindowSettings());
    }
    void TearDown() override { game.reset(); }

    void Restart() { game = std::make_unique<Game>(EditorWindowSettings()); }

    std::unique_ptr<Game> game;
};

}  // namespace editor_driver
