// One complete frame: strips, divider, panel rule, both figures, the sixteen texts and the caret.
#include <SDL_opengl.h>

#include "editor/Game.h"
#include "render/Primitives.h"
#include "render/StarDrawing.h"

namespace {
constexpr float kDividerWidth = 10.0f;
constexpr float kRuleWidth = 5.0f;
constexpr Rgba kRuleColor{0.0f, 0.0f, 0.0f, 1.0f};
constexpr float kCaretWidth = 5.0f;
constexpr float kCaretY = 15.0f;  // below the colour boxes, which start at y 20
constexpr Rect kWholeTexture{};

void DrawAt(const std::unique_ptr<Texture>& texture, Vec2 pos) {
    if (texture) texture->Draw(pos, kWholeTexture);
}
}  // namespace

void Game::Draw() const {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    SetColor(backgroundColor);
    FillRect(figureAreaRect);
    SetColor(chromeColor);
    FillRect(titleBarRect);
    FillRect(panelRect);

    // Over the strips the divider has their colour, so it shows only across the figure area.
    const float middle = window.width * 0.5f;
    SetLineWidth(kDividerWidth);
    DrawLine({middle, 0.0f}, {middle, window.height});

    const float labelSize = static_cast<float>(labelFontSize);
    const float ruleY = labelSize / 3.0f + labelSize;
    SetColor(kRuleColor);
    SetLineWidth(kRuleWidth);
    DrawLine({0.0f, ruleY}, {window.width, ruleY});

    SetColor(starColor);
    if (regularStar) DrawRegularStar(*regularStar);
    if (isotoxalStar) DrawIsotoxalStar(*isotoxalStar);

    DrawTexts();
    DrawCaret();
}

void Game::DrawTexts() const {
    DrawAt(regularTitle, regularTitlePos);
    DrawAt(isotoxalTitle, isotoxalTitlePos);
    for (const PlacedTexture& placed : regularLabelTextures) DrawAt(placed.texture, placed.pos);
    for (const PlacedTexture& placed : isotoxalLabelTextures) DrawAt(placed.texture, placed.pos);
    DrawAt(bgLabelTexture, bgLabelPos);
    for (size_t k = 0; k < 3; ++k) DrawAt(bgValueTextures[k], bgValuePos[k]);
    DrawAt(starLabelTexture, starLabelPos);
    for (size_t k = 0; k < 3; ++k) DrawAt(starValueTextures[k], starValuePos[k]);
}

// Only an open colour box has a caret: half a character wide, under the digit the next key replaces.
void Game::DrawCaret() const {
    if (!isEditing) return;
    const ColorBoxState* state = nullptr;
    const std::array<Vec2, 3>* valuePos = nullptr;
    if (bgBoxState.selected) {
        state = &bgBoxState;
        valuePos = &bgValuePos;
    } else if (starBoxState.selected) {
        state = &starBoxState;
        valuePos = &starValuePos;
    } else {
        return;
    }
    SetColor(editTextColor);
    const size_t component = static_cast<size_t>(CurrentComponent(*state));
    const float x = static_cast<float>(caretIndex) * charWidth + (*valuePos)[component].x;
    SetLineWidth(kCaretWidth);
    DrawLine({x, kCaretY}, {charWidth * 0.5f + x, kCaretY});
}
