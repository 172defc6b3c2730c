// Keys released into the open box: digits, both Enter keys, the caret arrows, and everything else ignored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/EditorDriver.h"

using namespace editor_driver;

namespace {
using EditorKeyboard = EditorTest;

const std::vector<SDL_Keycode> kMainDigits{SDLK_0, SDLK_1, SDLK_2, SDLK_3, SDLK_4,
                                           SDLK_5, SDLK_6, SDLK_7, SDLK_8, SDLK_9};
const std::vector<SDL_Keycode> kKeypadDigits{SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                             SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
const std::vector<SDL_Keycode> kIgnoredKeys{SDLK_BACKSPACE, SDLK_ESCAPE,   SDLK_MINUS,    SDLK_PERIOD, SDLK_a,
                                            SDLK_z,         SDLK_UP,       SDLK_DOWN,     SDLK_TAB,    SDLK_SPACE,
                                            SDLK_DELETE,    SDLK_KP_MINUS, SDLK_KP_PERIOD, SDLK_HOME,  SDLK_F1,
                                            SDLK_KP_PLUS,   SDLK_KP_00,    SDLK_LSHIFT,   SDLK_e,     SDLK_PLUS};

std::vector<SDL_Keycode> Concat(std::vector<SDL_Keycode> a, const std::vector<SDL_Keycode>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

TEST_F(EditorKeyboard, KeysWithNoBoxOpenChangeNothing) {
    game->caretIndex = 1;
    const std::string before = Describe(*game);
    MarkAllStale(*game);
    Type(*game, Concat(Concat(kMainDigits, kKeypadDigits), {SDLK_RETURN, SDLK_KP_ENTER, SDLK_LEFT, SDLK_RIGHT}));
    Type(*game, kIgnoredKeys);
    EXPECT_EQ(Describe(*game), before);
    EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{});
}

TEST_F(EditorKeyboard, OtherKeysDoNothingInAnOpenBox) {
    for (int order = 0; order < kBoxCount; ++order) {
        Restart();
        ClickBox(*game, order);
        if (order >= kRegularVertices) TypeDigits(*game, "12");
        else Type(*game, {SDLK_RIGHT, SDLK_RETURN});  // caret 1 on green
        const std::string open = Describe(*game);
        MarkAllStale(*game);
        for (const SDL_Keycode key : kIgnoredKeys) {
            Type(*game, {key});
            EXPECT_EQ(Describe(*game), open) << kBoxNames[static_cast<size_t>(order)] << ", " << SDL_GetKeyName(key);
        }
        EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{}) << kBoxNames[static_cast<size_t>(order)];
    }
}

TEST_F(EditorKeyboard, DigitsAppendWithoutCheckAndShowInTheEditColour) {
    ClickBox(*game, kRegularVertices);
    const struct { SDL_Keycode key; const char* editText; } steps[] = {
        {SDLK_0, "0"}, {SDLK_0, "00"}, {SDLK_7, "007"}, {SDLK_9, "0079"}, {SDLK_KP_0, "00790"}};
    for (const auto& step : steps) {
        MarkAllStale(*game);
        Type(*game, {step.key});
        EXPECT_EQ(game->editText, step.editText);
        EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{kRegularVertices});
        EXPECT_TRUE(Shows(NumericTexture(*game, kRegularVertices), LabelOf(kRegularVertices) + step.editText,
                          kEditTextColor));
    }
    EXPECT_EQ(game->regularStar->vertexCount, 7);  // nothing is committed before Enter
}

TEST_F(EditorKeyboard, EnterWithNothingTypedCommitsTheEmptyTextValue) {
    const struct { int order; const char* shown; } cases[] = {
        {kRegularVertices, "2"}, {kRegularDensity, "1"}, {kRegularOffset, "0"},
        {kIsotoxalVertices, "2"}, {kIsotoxalAlpha, "5"}, {kIsotoxalOffset, "0"}};
    for (const auto& c : cases) {
        Restart();
        ClickBox(*game, c.order);
        Type(*game, {SDLK_RETURN});
        SCOPED_TRACE(kBoxNames[static_cast<size_t>(c.order)]);
        EXPECT_FALSE(game->isEditing);
        EXPECT_EQ(OpenBoxOf(*game), -1);
        EXPECT_TRUE(Shows(NumericTexture(*game, c.order), LabelOf(c.order) + c.shown, kTextColor));
    }
    // The left vertex count of 2 also brings the density down to 1.
    Restart();
    ClickBox(*game, kRegularVertices);
    Type(*game, {SDLK_RETURN});
    EXPECT_EQ(game->regularStar->vertexCount, 2);
    EXPECT_EQ(game->regularStar->density, 1);
}

TEST_F(EditorKeyboard, ThreeEntersCloseAColourBoxAndAFourthDoesNothing) {
    const struct { int order; ColorBoxState* state; } cases[] = {{kBg, &game->bgBoxState},
                                                                 {kStar, &game->starBoxState}};
    for (const auto& c : cases) {
        SCOPED_TRACE(kBoxNames[static_cast<size_t>(c.order)]);
        ClickBox(*game, c.order);
        const std::array<float, 3> bg = game->backgroundRgb;
        const std::array<float, 3> star = game->starRgb;
        const struct { bool selected, red, green, editing; std::vector<int> rebuilt; } afterEnter[] = {
            {true, true, false, true, {}},
            {true, true, true, true, {}},
            {false, false, false, false, {c.order}},
            {false, false, false, false, {}}};
        for (const auto& expected : afterEnter) {
            MarkAllStale(*game);
            Type(*game, {SDLK_RETURN});
            EXPECT_EQ(c.state->selected, expected.selected);
            EXPECT_EQ(c.state->redEntered, expected.red);
            EXPECT_EQ(c.state->greenEntered, expected.green);
            EXPECT_EQ(game->isEditing, expected.editing);
            EXPECT_EQ(RebuiltBoxes(*game), expected.rebuilt);
            if (!expected.rebuilt.empty()) {
                EXPECT_TRUE(Shows(*TexturesOf(*game, c.order)[0], c.order == kBg ? "BG Color: " : "Star Color: ",
                                  kTextColor));
            }
        }
        EXPECT_EQ(game->backgroundRgb, bg);
        EXPECT_EQ(game->starRgb, star);
    }
}

TEST_F(EditorKeyboard, TheCaretWrapsBothWays) {
    ClickBox(*game, kBg);
    const struct { SDL_Keycode key; int32_t caret; } steps[] = {
        {SDLK_RIGHT, 1}, {SDLK_RIGHT, 2}, {SDLK_RIGHT, 0}, {SDLK_LEFT, 2}, {SDLK_LEFT, 1},
        {SDLK_LEFT, 0},  {SDLK_LEFT, 2},  {SDLK_RIGHT, 0}, {SDLK_RIGHT, 1}};
    for (const auto& step : steps) {
        MarkAllStale(*game);
        Type(*game, {step.key});
        EXPECT_EQ(game->caretIndex, step.caret);
        EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{});  // the caret is drawn, not rendered into a text
    }
    EXPECT_EQ(game->backgroundRgb, (std::array<float, 3>{216, 229, 204}));
}

TEST_F(EditorKeyboard, TheCaretStaysWhereItWasAcrossComponentsAndBoxes) {
    ClickBox(*game, kBg);
    Type(*game, {SDLK_RIGHT, SDLK_RIGHT, SDLK_RETURN, SDLK_7});  // units of green: 229 -> 227
    EXPECT_EQ(game->backgroundRgb, (std::array<float, 3>{216, 227, 204}));
    Type(*game, {SDLK_RETURN, SDLK_RETURN});  // blue, then closed
    ASSERT_FALSE(game->isEditing);
    EXPECT_EQ(game->caretIndex, 2);

    ClickBox(*game, kStar);
    EXPECT_EQ(game->caretIndex, 2);
    Type(*game, {SDLK_5});  // units of red
    EXPECT_EQ(game->starRgb, (std::array<float, 3>{5, 0, 0}));
    Type(*game, {SDLK_LEFT});
    ClickNowhere(*game);

    ClickBox(*game, kBg);
    EXPECT_EQ(game->caretIndex, 1);
    Type(*game, {SDLK_0});  // tens of red: 216 -> 206
    EXPECT_EQ(game->backgroundRgb[0], 206.0f);
}

TEST_F(EditorKeyboard, KeypadDigitsActLikeTheMainDigits) {
    for (size_t d = 0; d < 10; ++d) {
        const std::string digit(1, static_cast<char>('0' + d));
        SCOPED_TRACE("keypad " + digit);

        Restart();
        ClickBox(*game, kIsotoxalAlpha);
        Type(*game, {kKeypadDigits[d], kMainDigits[d]});
        EXPECT_EQ(game->editText, digit + digit);
        EXPECT_TRUE(Shows(NumericTexture(*game, kIsotoxalAlpha), LabelOf(kIsotoxalAlpha) + digit + digit,
                          kEditTextColor));

        ClickBox(*game, kStar);  // closes the numeric box
        ClickBox(*game, kStar);
        Type(*game, {SDLK_LEFT, kKeypadDigits[d]});  // units of red: 000 -> 00d
        EXPECT_EQ(game->starRgb[0], static_cast<float>(d));
        EXPECT_TRUE(Shows(*game->starValueTextures[0], "00" + digit, kEditTextColor));
    }
}

TEST_F(EditorKeyboard, KeypadEnterActsLikeEnter) {
    ClickBox(*game, kRegularVertices);
    Type(*game, {SDLK_KP_1, SDLK_KP_2, SDLK_KP_ENTER});
    EXPECT_FALSE(game->isEditing);
    EXPECT_EQ(game->regularStar->vertexCount, 12);
    EXPECT_TRUE(Shows(NumericTexture(*game, kRegularVertices), "Number Of Vertices:  12", kTextColor));

    ClickBox(*game, kBg);
    Type(*game, {SDLK_KP_ENTER});
    EXPECT_TRUE(game->bgBoxState.redEntered);
    Type(*game, {SDLK_KP_ENTER, SDLK_RETURN});
    EXPECT_FALSE(game->bgBoxState.selected);
    EXPECT_FALSE(game->isEditing);
}

TEST_F(EditorKeyboard, LeftAndRightChangeNothingInANumericBox) {
    game->caretIndex = 1;
    for (int order = kRegularVertices; order < kBoxCount; ++order) {
        ClickBox(*game, order);
        TypeDigits(*game, "12");
        const std::string open = Describe(*game);
        MarkAllStale(*game);
        Type(*game, {SDLK_LEFT, SDLK_RIGHT, SDLK_RIGHT, SDLK_LEFT, SDLK_LEFT});
        EXPECT_EQ(Describe(*game), open) << kBoxNames[static_cast<size_t>(order)];
        EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{}) << kBoxNames[static_cast<size_t>(order)];
        ClickNowhere(*game);
    }
}

TEST_F(EditorKeyboard, AKeyPressedBeforeOpeningActsWhenReleasedInTheOpenBox) {
    Route(*game, {KeyDown(SDLK_8)});
    ClickBox(*game, kRegularDensity);
    Route(*game, {KeyUp(SDLK_8)});
    EXPECT_EQ(game->editText, "8");
}
