// The colour boxes: the digit rule at the caret, the four texts, and the colours the frame is drawn in.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/EditorDriver.h"

using namespace editor_driver;

namespace {
using ColorBox = EditorTest;

// The rule as it reads per caret position, digits of the component a b c.
bool Accepts(int value, int caret, int digit) {
    const int a = value / 100;
    const int b = value / 10 % 10;
    const int c = value % 10;
    switch (caret) {
        case 0: return digit <= 1 || (digit == 2 && b * 10 + c <= 55);
        case 1: return a <= 1 || (c <= 5 ? digit <= 5 : digit <= 4);
        default: return !(a == 2 && b == 5) || digit <= 5;
    }
}

int WithDigit(int value, int caret, int digit) {
    const int place = caret == 0 ? 100 : caret == 1 ? 10 : 1;
    return value - (value / place % 10) * place + digit * place;
}

std::string ThreeDigits(int value) {
    std::string text = std::to_string(value);
    return std::string(3 - text.size(), '0') + text;
}

void SelectComponent(ColorBoxState& state, int component) {
    state = {true, component >= 1, component >= 2};
}

Pixel RgbPixel(int r, int g, int b) {
    return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), 255};
}
}  // namespace

TEST_F(ColorBox, DigitRuleKeepsEveryComponentAtMost255) {
    struct Box { int order; std::array<float, 3>* rgb; ColorBoxState* state; Rgba* color; };
    const Box boxes[] = {{kBg, &game->backgroundRgb, &game->bgBoxState, &game->backgroundColor},
                         {kStar, &game->starRgb, &game->starBoxState, &game->starColor}};
    int checked = 0;
    int wrong = 0;
    std::ostringstream firstWrong;
    for (const Box& box : boxes) {
        for (int component = 0; component < 3; ++component) {
            SelectComponent(*box.state, component);
            for (int value = 0; value <= 255; ++value) {
                for (int caret = 0; caret < 3; ++caret) {
                    for (int digit = 0; digit <= 9; ++digit) {
                        const std::array<float, 3> before{11.0f, 22.0f, 33.0f};
                        *box.rgb = before;
                        (*box.rgb)[static_cast<size_t>(component)] = static_cast<float>(value);
                        const Rgba colorBefore = *box.color;
                        game->caretIndex = caret;
                        if (box.order == kBg) game->TypeBgColorDigit(digit);
                        else game->TypeStarColorDigit(digit);

                        const int expected = Accepts(value, caret, digit) ? WithDigit(value, caret, digit) : value;
                        std::array<float, 3> expectedRgb = before;
                        expectedRgb[static_cast<size_t>(component)] = static_cast<float>(expected);
                        const bool same = *box.rgb == expectedRgb && game->caretIndex == caret &&
                                          box.state->selected && box.state->redEntered == (component >= 1) &&
                                          box.state->greenEntered == (component >= 2) &&
                                          box.color->r == colorBefore.r && box.color->g == colorBefore.g &&
                                          box.color->b == colorBefore.b;
                        ++checked;
                        if (!same && wrong++ < 10)
                            firstWrong << kBoxNames[static_cast<size_t>(box.order)] << " component " << component
                                       << " value " << value << " caret " << caret << " digit " << digit << " gave "
                                       << (*box.rgb)[static_cast<size_t>(component)] << ", expected " << expected
                                       << "\n";
                    }
                }
            }
        }
    }
    EXPECT_EQ(checked, 2 * 3 * 256 * 3 * 10);
    EXPECT_EQ(wrong, 0) << firstWrong.str();
}

TEST_F(ColorBox, ThePerPositionRuleIsTheBoundOf255) {
    // The per-position reading above and the plain bound are the same rule.
    for (int value = 0; value <= 255; ++value)
        for (int caret = 0; caret < 3; ++caret)
            for (int digit = 0; digit <= 9; ++digit)
                ASSERT_EQ(Accepts(value, caret, digit), WithDigit(value, caret, digit) <= 255)
                    << value << " caret " << caret << " digit " << digit;
}

TEST_F(ColorBox, OpeningAndClosingReRenderTheFourTextsInTheirColours) {
    const struct { int order; const char* label; std::array<const char*, 3> values; } cases[] = {
        {kBg, "BG Color: ", {"216", "229", "204"}}, {kStar, "Star Color: ", {"000", "000", "000"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(kBoxNames[static_cast<size_t>(c.order)]);
        auto expectShownIn = [&](Rgba color) {
            EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{c.order});
            const std::vector<Texture*> textures = TexturesOf(*game, c.order);
            EXPECT_TRUE(Shows(*textures[0], c.label, color));
            for (size_t k = 0; k < 3; ++k) EXPECT_TRUE(Shows(*textures[k + 1], c.values[k], color));
        };
        MarkAllStale(*game);
        ClickBox(*game, c.order);
        expectShownIn(kEditTextColor);
        MarkAllStale(*game);
        ClickNowhere(*game);
        expectShownIn(kTextColor);
    }
}

TEST_F(ColorBox, ATypedDigitTakesEffectAtOnce) {
    ClickBox(*game, kBg);
    Type(*game, {SDLK_1});  // caret on the hundreds of red: 216 becomes 116
    EXPECT_EQ(game->backgroundRgb, (std::array<float, 3>{116.0f, 229.0f, 204.0f}));
    EXPECT_EQ(game->backgroundColor.r, 116.0f / 255.0f);
    EXPECT_EQ(game->backgroundColor.g, 229.0f / 255.0f);
    EXPECT_EQ(game->backgroundColor.b, 204.0f / 255.0f);
    EXPECT_EQ(game->backgroundColor.a, 1.0f);
    EXPECT_TRUE(Shows(*game->bgValueTextures[0], "116", kEditTextColor));
    EXPECT_TRUE(Shows(*game->bgValueTextures[1], "229", kEditTextColor));

    game->Draw();
    EXPECT_EQ(ReadPixel(100, 300), RgbPixel(116, 229, 204));  // the figure area, away from both figures
}

TEST_F(ColorBox, ARefusedDigitLeavesTheValueButStillReRenders) {
    const struct { SDL_Keycode key; std::array<float, 3> rgb; } cases[] = {
        {SDLK_3, {216, 229, 204}}, {SDLK_9, {216, 229, 204}}, {SDLK_KP_7, {216, 229, 204}}, {SDLK_4, {216, 229, 204}}};
    ClickBox(*game, kBg);
    for (const auto& c : cases) {
        MarkAllStale(*game);
        Type(*game, {c.key});
        EXPECT_EQ(game->backgroundRgb, c.rgb) << SDL_GetKeyName(c.key);
        EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{kBg}) << SDL_GetKeyName(c.key);
        EXPECT_TRUE(Shows(*game->bgValueTextures[0], "216", kEditTextColor));
    }
}

TEST_F(ColorBox, KeysAtEachCaretPositionObeyTheLimit) {
    // Starting value, keys moving the caret from the hundreds, the digit, the value that results.
    const struct { int start; int rights; SDL_Keycode digit; int result; } cases[] = {
        {45, 0, SDLK_3, 45},   {45, 0, SDLK_2, 245},  {45, 0, SDLK_1, 145},  {155, 0, SDLK_2, 255},
        {156, 0, SDLK_2, 156}, {160, 0, SDLK_2, 160}, {209, 1, SDLK_5, 209}, {209, 1, SDLK_4, 249},
        {205, 1, SDLK_5, 255}, {205, 1, SDLK_6, 205}, {250, 2, SDLK_6, 250}, {250, 2, SDLK_5, 255},
        {240, 2, SDLK_9, 249}, {0, 2, SDLK_9, 9}};
    for (const auto& c : cases) {
        Restart();
        game->starRgb[0] = static_cast<float>(c.start);
        ClickBox(*game, kStar);
        for (int i = 0; i < c.rights; ++i) Type(*game, {SDLK_RIGHT});
        Type(*game, {c.digit});
        EXPECT_EQ(game->starRgb[0], static_cast<float>(c.result)) << c.start << " caret " << c.rights;
        EXPECT_TRUE(Shows(*game->starValueTextures[0], ThreeDigits(c.result), kEditTextColor));
    }
}

TEST_F(ColorBox, TheStarColourDrawsBothFigures) {
    ClickBox(*game, kStar);
    // Red 000 -> 100 -> 120 -> 123; Enter; green at the units 004, tens 054; Enter; blue hundreds 200, tens 250.
    Type(*game, {SDLK_1, SDLK_RIGHT, SDLK_2, SDLK_RIGHT, SDLK_3, SDLK_RETURN, SDLK_4, SDLK_LEFT, SDLK_5,
                 SDLK_RETURN, SDLK_LEFT, SDLK_2, SDLK_RIGHT, SDLK_5});
    EXPECT_EQ(game->starRgb, (std::array<float, 3>{123.0f, 54.0f, 250.0f}));
    Type(*game, {SDLK_RETURN});
    EXPECT_FALSE(game->starBoxState.selected);
    EXPECT_FALSE(game->isEditing);

    EXPECT_EQ(game->starColor.r, 123.0f / 255.0f);
    EXPECT_EQ(game->starColor.g, 54.0f / 255.0f);
    EXPECT_EQ(game->starColor.b, 250.0f / 255.0f);
    EXPECT_EQ(game->starColor.a, 1.0f);
    const std::array<const char*, 3> shown{"123", "054", "250"};
    for (size_t k = 0; k < 3; ++k) EXPECT_TRUE(Shows(*game->starValueTextures[k], shown[k], kTextColor));

    game->Draw();
    SaveFramePng("editing_star_colour");
    EXPECT_EQ(ReadPixel(900, 550), RgbPixel(123, 54, 250));  // the middle of the filled star
    EXPECT_EQ(ReadPixel(549, 550), RgbPixel(123, 54, 250));  // the dot on the left figure's first point
}
