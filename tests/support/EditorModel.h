// An independent account of the editor's state after each routed event: which box is open, what is typed, and
// every committed value. Compared with the real Game after every event, it is the check that no value is lost.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <sstream>
#include <string>

#include "editor/Game.h"
#include "tests/support/EditorDriver.h"
#include "tests/support/Invariants.h"

namespace editor_model {

enum Box { kBg, kStar, kRegularVertices, kRegularDensity, kRegularOffset, kIsotoxalVertices, kIsotoxalAlpha,
           kIsotoxalOffset, kBoxCount, kNone = -1 };

// The clickable rectangles, in the order clicks examine them: the same table the editing tests use.
inline constexpr const auto& kBoxRects = editor_driver::kBoxRects;

inline constexpr int kWindowHeight = 900;

inline bool Inside(const Rect& r, Vec2 p) {
    return r.left <= p.x && p.x <= r.left + r.width && r.bottom <= p.y && p.y <= r.bottom + r.height;
}

// The digit a released key types, or -1.
inline int DigitOf(SDL_Keycode key) {
    if (key >= SDLK_0 && key <= SDLK_9) return key - SDLK_0;
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return key - SDLK_KP_1 + 1;
    return key == SDLK_KP_0 ? 0 : -1;
}

inline bool IsEnter(SDL_Keycode key) { return key == SDLK_RETURN || key == SDLK_KP_ENTER; }

// Typed digits as a number; anything beyond the cap is the cap, which is beyond every box's range.
inline int64_t ValueOf(const std::string& digits) {
    constexpr int64_t kCap = 1'000'000'000'000;
    int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > kCap) return kCap;
    }
    return value;
}

class EditorModel {
public:
    // Applies one routed event; returns true for a quit.
    bool Apply(const SDL_Event& event) {
        switch (event.type) {
            case SDL_QUIT: return true;
            case SDL_MOUSEMOTION:
                mouse = {static_cast<float>(event.motion.x), static_cast<float>(kWindowHeight - event.motion.y)};
                break;
            case SDL_MOUSEBUTTONUP:
                if (event.button.button == SDL_BUTTON_LEFT) Click();
                break;
            case SDL_KEYUP: Key(event.key.keysym.sym); break;
            default: break;
        }
        return false;
    }

    int OpenBox() const { return open; }
    int Commits() const { return commits; }

    // Every field the model accounts for, against the real editor.
    ::testing::AssertionResult Matches(const Game& game) const {
        using invariants::Radians;
        std::ostringstream diff;
        auto expect = [&](bool same, const char* what) {
            if (!same) diff << "\n  " << what;
        };
        expect(game.mousePos.x == mouse.x && game.mousePos.y == mouse.y, "mousePos");
        expect(game.isEditing == (open != kNone), "isEditing");
        expect(game.bgBoxState.selected == (open == kBg), "background box selection");
        expect(game.starBoxState.selected == (open == kStar), "star box selection");
        for (int k = 0; k < 6; ++k)
            expect(game.numericBoxes[static_cast<size_t>(k)].selected == (open == kRegularVertices + k),
                   "numeric box selection");
        expect(game.bgBoxState.redEntered == (open == kBg && stage >= 1) &&
                   game.bgBoxState.greenEntered == (open == kBg && stage >= 2),
               "background box stage");
        expect(game.starBoxState.redEntered == (open == kStar && stage >= 1) &&
                   game.starBoxState.greenEntered == (open == kStar && stage >= 2),
               "star box stage");
        expect(game.caretIndex == caret, "caretIndex");
        expect(game.editText == typed, "editText");
        expect(game.regularStar->vertexCount == regularVertices, "left vertex count");
        expect(game.regularStar->density == regularDensity, "left density");
        expect(game.regularStar->angleOffset == Radians(static_cast<float>(regularOffset)), "left angle offset");
        expect(game.isotoxalStar->vertexCount == isotoxalVertices, "right vertex count");
        expect(game.isotoxalStar->alpha == Radians(static_cast<float>(isotoxalAlpha)), "right tip angle");
        expect(game.isotoxalStar->angleOffset == Radians(static_cast<float>(isotoxalOffset)), "right angle offset");
        for (size_t k = 0; k < 3; ++k) {
            expect(game.backgroundRgb[k] == static_cast<float>(rgb[kBg][k]), "background component");
            expect(game.starRgb[k] == static_cast<float>(rgb[kStar][k]), "star component");
        }
        if (diff.str().empty()) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "differs from the model in:" << diff.str() << "\n  model: " << Describe();
    }

    std::string Describe() const {
        std::ostringstream out;
        out << "open " << open << " stage " << stage << " caret " << caret << " typed \"" << typed.substr(0, 40)
            << (typed.size() > 40 ? "..." : "") << "\" left {" << regularVertices << "/" << regularDensity << "} "
            << regularOffset << "deg, right " << isotoxalVertices << " tips " << isotoxalAlpha << "deg "
            << isotoxalOffset << "deg, bg " << rgb[kBg][0] << "," << rgb[kBg][1] << "," << rgb[kBg][2] << " star "
            << rgb[kStar][0] << "," << rgb[kStar][1] << "," << rgb[kStar][2];
        return out.str();
    }

private:
    // Opens the first box under the pointer, or closes the open one when the click is outside it.
    void Click() {
        if (open == kNone) {
            for (int box = 0; box < kBoxCount; ++box) {
                if (Inside(kBoxRects[static_cast<size_t>(box)], mouse)) {
                    open = box;
                    stage = 0;
                    return;
                }
            }
            return;
        }
        if (Inside(kBoxRects[static_cast<size_t>(open)], mouse)) return;
        typed.clear();  // a numeric box drops its digits; a colour box kept each digit already
        Close();
    }

    void Close() {
        open = kNone;
        stage = 0;
    }

    void Key(SDL_Keycode key) {
        if (open == kNone) return;
        const bool colour = open == kBg || open == kStar;
        if (const int digit = DigitOf(key); digit >= 0) {
            if (colour) {
                TypeComponentDigit(rgb[static_cast<size_t>(open)][static_cast<size_t>(stage)], digit);
            } else {
                typed.push_back(static_cast<char>('0' + digit));
            }
        } else if (IsEnter(key)) {
            if (!colour) {
                Commit();
                Close();
            } else if (stage < 2) {
                ++stage;
            } else {
                Close();
            }
        } else if (colour && key == SDLK_RIGHT) {
            caret = caret == 2 ? 0 : caret + 1;
        } else if (colour && key == SDLK_LEFT) {
            caret = caret == 0 ? 2 : caret - 1;
        }
    }

    // The digit replaces the one under the caret unless the component would pass 255.
    void TypeComponentDigit(int& component, int digit) const {
        std::array<int, 3> digits{component / 100, component / 10 % 10, component % 10};
        digits[static_cast<size_t>(caret)] = digit;
        const int candidate = digits[0] * 100 + digits[1] * 10 + digits[2];
        if (candidate <= 255) component = candidate;
    }

    void Commit() {
        const bool countBox = open == kRegularVertices || open == kIsotoxalVertices;
        const int64_t v = ValueOf(typed.empty() ? (countBox ? "2" : "0") : typed);
        typed.clear();
        ++commits;
        switch (open) {
            case kRegularVertices: {
                regularVertices = static_cast<int>(std::clamp<int64_t>(v, 2, 100));
                regularDensity = regularVertices <= 4 ? 1 : std::min(regularDensity, (regularVertices - 1) / 2);
                break;
            }
            case kRegularDensity:
                regularDensity = static_cast<int>(std::clamp<int64_t>(v, 1, std::max(1, (regularVertices - 1) / 2)));
                break;
            case kRegularOffset: regularOffset = static_cast<int>(std::min<int64_t>(v, 360)); break;
            case kIsotoxalVertices: isotoxalVertices = static_cast<int>(std::clamp<int64_t>(v, 2, 250)); break;
            case kIsotoxalAlpha: isotoxalAlpha = static_cast<int>(std::clamp<int64_t>(v, 5, 180)); break;
            default: isotoxalOffset = static_cast<int>(std::min<int64_t>(v, 360)); break;
        }
    }

    Vec2 mouse;
    int open = kNone;
    int stage = 0;  // component of an open colour box: 0 red, 1 green, 2 blue
    int caret = 0;
    std::string typed;
    int regularVertices = 7;
    int regularDensity = 3;
    int regularOffset = 0;  // degrees, as committed
    int isotoxalVertices = 7;
    int isotoxalAlpha = 24;
    int isotoxalOffset = 36;
    std::array<std::array<int, 3>, 2> rgb{{{216, 229, 204}, {0, 0, 0}}};
    int commits = 0;
};

}  // namespace editor_model
