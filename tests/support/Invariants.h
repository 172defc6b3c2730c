// What the editor promises after any input whatsoever; the fuzz and bad-input tests check it after every event.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "editor/Game.h"
#include "tests/support/VertexGuard.h"

namespace invariants {

// Degrees to radians as angles are stored: single precision, pi as 3.1415927, the product first.
inline float Radians(float degrees) { return degrees * 3.1415927f / 180.0f; }

inline bool IsFinite(Vec2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }

namespace detail {

// Collects one line per broken promise.
class Findings {
public:
    void Expect(bool holds, const std::string& what) {
        if (!holds) lines << "\n  " << what;
    }
    ::testing::AssertionResult Result() const {
        if (lines.str().empty()) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "broken:" << lines.str();
    }

private:
    std::ostringstream lines;
};

inline void CheckSelection(const Game& game, Findings& f) {
    int selected = (game.bgBoxState.selected ? 1 : 0) + (game.starBoxState.selected ? 1 : 0);
    bool numericOpen = false;
    for (const InputBox& box : game.numericBoxes) {
        if (box.selected) ++selected, numericOpen = true;
    }
    f.Expect(selected <= 1, "more than one box is selected: " + std::to_string(selected));
    f.Expect(game.isEditing == (selected == 1), "isEditing is " + std::to_string(game.isEditing) + " with " +
                                                    std::to_string(selected) + " boxes selected");
    f.Expect(numericOpen || game.editText.empty(), "editText \"" + game.editText + "\" with no numeric box open");
    f.Expect(game.editText.find_first_not_of("0123456789") == std::string::npos,
             "editText holds a non-digit: \"" + game.editText + "\"");
    for (const ColorBoxState* state : {&game.bgBoxState, &game.starBoxState}) {
        f.Expect(state->selected || (!state->redEntered && !state->greenEntered), "a closed colour box keeps a stage");
        f.Expect(state->redEntered || !state->greenEntered, "green entered before red");
    }
    f.Expect(game.caretIndex >= 0 && game.caretIndex <= 2, "caretIndex " + std::to_string(game.caretIndex));
}

inline void CheckRegular(const RegularStarPolygon& star, Findings& f) {
    const int32_t n = star.vertexCount;
    const int32_t maxDensity = std::max(1, (n - 1) / 2);
    f.Expect(n >= 2 && n <= 100, "left vertex count " + std::to_string(n));
    f.Expect(star.density >= 1 && star.density <= maxDensity,
             "left density " + std::to_string(star.density) + " with " + std::to_string(n) + " vertices");
    f.Expect(star.vertices.size() == static_cast<size_t>(n),
             "left figure has " + std::to_string(star.vertices.size()) + " points for " + std::to_string(n));
    f.Expect(star.angleOffset >= 0.0f && star.angleOffset <= Radians(360.0f), "left angle offset out of range");
    for (const Vec2& p : star.vertices) f.Expect(IsFinite(p), "left figure has a non-finite point");
}

// With two tips and a straight tip angle the inner corners lie at infinity by construction; nowhere else.
inline void CheckIsotoxal(const IsotoxalStarPolygon& star, Findings& f) {
    const int32_t n = star.vertexCount;
    f.Expect(n >= 2 && n <= 250, "right vertex count " + std::to_string(n));
    f.Expect(star.vertices.size() == 2 * static_cast<size_t>(n),
             "right figure has " + std::to_string(star.vertices.size()) + " corners for " + std::to_string(n));
    f.Expect(star.alpha >= Radians(5.0f) && star.alpha <= Radians(180.0f), "tip angle out of range");
    f.Expect(star.angleOffset >= 0.0f && star.angleOffset <= Radians(360.0f), "right angle offset out of range");
    const bool degenerate = n == 2 && star.alpha == Radians(180.0f);
    if (!degenerate) {
        for (const Vec2& p : star.vertices) f.Expect(IsFinite(p), "right figure has a non-finite corner");
    }
}

inline void CheckColour(const char* name, const std::array<float, 3>& rgb, Rgba color, Findings& f) {
    for (float c : rgb) {
        f.Expect(c >= 0.0f && c <= 255.0f && c == std::floor(c),
                 std::string(name) + " component " + std::to_string(c) + " is not a whole number 0..255");
    }
    f.Expect(color.r == rgb[0] / 255.0f && color.g == rgb[1] / 255.0f && color.b == rgb[2] / 255.0f &&
                 color.a == 1.0f,
             std::string(name) + " scene colour is not its components over 255");
}

inline void CheckTextures(const Game& game, Findings& f) {
    int missing = 0;
    auto count = [&](const std::unique_ptr<Texture>& texture) { missing += texture ? 0 : 1; };
    count(game.regularTitle);
    count(game.isotoxalTitle);
    for (const PlacedTexture& placed : game.regularLabelTextures) count(placed.texture);
    for (const PlacedTexture& placed : game.isotoxalLabelTextures) count(placed.texture);
    count(game.bgLabelTexture);
    for (const auto& texture : game.bgValueTextures) count(texture);
    count(game.starLabelTexture);
    for (const auto& texture : game.starValueTextures) count(texture);
    f.Expect(missing == 0, std::to_string(missing) + " of the 16 text textures are null");
}

}  // namespace detail

// Selection, typed text, caret, both figures, both colours and all sixteen textures.
inline ::testing::AssertionResult HoldsInvariants(const Game& game) {
    detail::Findings f;
    detail::CheckSelection(game, f);
    f.Expect(game.regularStar != nullptr && game.isotoxalStar != nullptr, "a figure is missing");
    if (game.regularStar) detail::CheckRegular(*game.regularStar, f);
    if (game.isotoxalStar) detail::CheckIsotoxal(*game.isotoxalStar, f);
    detail::CheckColour("background", game.backgroundRgb, game.backgroundColor, f);
    detail::CheckColour("star", game.starRgb, game.starColor, f);
    detail::CheckTextures(game, f);
    return f.Result();
}

// Draws one frame: every coordinate it sends to OpenGL must be finite.
inline ::testing::AssertionResult DrawsOnlyFiniteVertices(const Game& game) {
    using vertex_guard::vertexTally;
    using vertex_guard::VertexTally;
    const VertexTally before = vertexTally;
    game.Draw();
    // The strips alone send twelve vertices; fewer would mean the calls bypass the counting glVertex2f.
    if (vertexTally.sent - before.sent < 12) return ::testing::AssertionFailure() << "the frame sent no vertices";
    if (vertexTally.nonFinite != before.nonFinite)
        return ::testing::AssertionFailure() << vertexTally.nonFinite - before.nonFinite << " of "
                                             << vertexTally.sent - before.sent << " vertices were not finite";
    return ::testing::AssertionSuccess();
}

}  // namespace invariants
