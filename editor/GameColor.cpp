// The two colour boxes: a typed digit overwrites the digit at the caret of the current component.
#include <cstdlib>

#include "editor/Game.h"
#include "editor/TextForms.h"

namespace {
constexpr int kMaxComponent = 255;
}  // namespace

void Game::TypeBgColorDigit(int digit) { TypeColorDigit(ColorBoxAt(kBgOrder), digit); }
void Game::TypeStarColorDigit(int digit) { TypeColorDigit(ColorBoxAt(kStarOrder), digit); }
void Game::RefreshBgColor(bool selected) { RefreshColor(ColorBoxAt(kBgOrder), selected); }
void Game::RefreshStarColor(bool selected) { RefreshColor(ColorBoxAt(kStarOrder), selected); }

Game::ColorBox Game::ColorBoxAt(int order) {
    if (order == kBgOrder)
        return {bgLabel, backgroundRgb, backgroundColor, bgBoxState, bgLabelTexture, bgValueTextures};
    return {starLabel, starRgb, starColor, starBoxState, starLabelTexture, starValueTextures};
}

int Game::CurrentComponent(const ColorBoxState& state) {
    if (!state.redEntered) return 0;
    return state.greenEntered ? 2 : 1;
}

// The digit is taken only if the three-digit number it makes is still a component (at most 255).
void Game::TypeColorDigit(ColorBox box, int digit) {
    float& component = box.rgb[static_cast<size_t>(CurrentComponent(box.state))];
    std::string text = ComponentToText(component);
    if (caretIndex >= 0 && caretIndex < static_cast<int32_t>(text.size()) && digit >= 0 && digit <= 9) {
        std::string candidate = text;
        candidate[static_cast<size_t>(caretIndex)] = static_cast<char>('0' + digit);
        if (std::atoi(candidate.c_str()) <= kMaxComponent) text = candidate;
    }
    component = std::strtof(text.c_str(), nullptr);
}

void Game::RefreshColor(ColorBox box, bool selected) {
    box.labelTexture.reset();
    for (auto& texture : box.valueTextures) texture.reset();
    const Rgba color = TextColorFor(selected);
    box.labelTexture = std::make_unique<Texture>(box.label, fontPath, labelFontSize, color);
    for (size_t k = 0; k < 3; ++k)
        box.valueTextures[k] = std::make_unique<Texture>(ComponentToText(box.rgb[k]), fontPath, labelFontSize, color);
    box.color = FromRgb255(box.rgb[0], box.rgb[1], box.rgb[2]);
}
