// Opening and closing the eight boxes with the mouse, through motion and button-up events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/EditorDriver.h"

using namespace editor_driver;

namespace {
using EditorMouse = EditorTest;

// A left click at a point in drawing coordinates, sent as SDL sends it: y counted from the top.
void LeftClickAt(Game& game, int x, int y) {
    Route(game, {MotionTo(x, kWindowHeight - y), ButtonUp(SDL_BUTTON_LEFT)});
}

struct Point { int x, y; };

struct Edges { int left, bottom, right, top; };

// Every box has whole-pixel edges, so its corners are points a pointer can reach.
Edges EdgesOf(const Rect& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.bottom), static_cast<int>(r.left + r.width),
            static_cast<int>(r.bottom + r.height)};
}

std::vector<Point> Corners(const Rect& r) {
    const Edges e = EdgesOf(r);
    return {{e.left, e.bottom}, {e.right, e.bottom}, {e.left, e.top}, {e.right, e.top}};
}

// For each corner, the two points one pixel beyond it.
std::vector<Point> JustOutside(const Rect& r) {
    const Edges e = EdgesOf(r);
    return {{e.left - 1, e.bottom}, {e.left, e.bottom - 1}, {e.right + 1, e.bottom}, {e.right, e.bottom - 1},
            {e.left - 1, e.top},    {e.left, e.top + 1},    {e.right + 1, e.top},    {e.right, e.top + 1}};
}

const std::array<const char*, 6> kStartValues{"7", "3", "0", "7", "24", "36"};
}  // namespace

TEST_F(EditorMouse, EveryCornerOfEveryBoxIsInsideAndOnePixelBeyondIsNot) {
    for (int order = 0; order < kBoxCount; ++order) {
        const Rect& rect = kBoxRects[static_cast<size_t>(order)];
        for (const Point p : Corners(rect)) {
            LeftClickAt(*game, p.x, p.y);
            EXPECT_EQ(OpenBoxOf(*game), order) << kBoxNames[static_cast<size_t>(order)] << " corner " << p.x << ","
                                               << p.y;
            EXPECT_TRUE(game->isEditing);
            ClickNowhere(*game);
            ASSERT_FALSE(game->isEditing);
        }
        for (const Point p : JustOutside(rect)) {
            LeftClickAt(*game, p.x, p.y);
            EXPECT_EQ(OpenBoxOf(*game), -1) << kBoxNames[static_cast<size_t>(order)] << " beyond at " << p.x << ","
                                            << p.y;
            EXPECT_FALSE(game->isEditing);
            if (game->isEditing) ClickNowhere(*game);
        }
    }
}

TEST_F(EditorMouse, AClickOutsideClosesWithoutOpeningAnother) {
    for (int open = 0; open < kBoxCount; ++open) {
        for (int target = -1; target < kBoxCount; ++target) {
            if (target == open) continue;
            ClickBox(*game, open);
            ASSERT_EQ(OpenBoxOf(*game), open);
            MarkAllStale(*game);
            if (target == -1) ClickNowhere(*game);
            else ClickBox(*game, target);
            const std::string where = target == -1 ? "no box" : kBoxNames[static_cast<size_t>(target)];
            EXPECT_EQ(OpenBoxOf(*game), -1) << kBoxNames[static_cast<size_t>(open)] << " then " << where;
            EXPECT_FALSE(game->isEditing);
            EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{open}) << kBoxNames[static_cast<size_t>(open)];
        }
    }
}

TEST_F(EditorMouse, AClickInNoBoxWhileIdleChangesNothing) {
    const std::string before = Describe(*game);
    MarkAllStale(*game);
    for (const Point p : {Point{600, 600}, Point{5, 5}, Point{500, 230}, Point{1100, 30}, Point{300, 140}}) {
        LeftClickAt(*game, p.x, p.y);
    }
    EXPECT_EQ(Describe(*game), before);
    EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{});
}

TEST_F(EditorMouse, OnlyTheLeftButtonOpensOrCloses) {
    const uint8_t others[] = {SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1, SDL_BUTTON_X2};
    for (const uint8_t button : others) {
        Restart();
        SCOPED_TRACE("button " + std::to_string(button));
        const Vec2 inside = CentreOf(kRegularVertices);
        Route(*game, {MotionTo(static_cast<int>(inside.x), kWindowHeight - static_cast<int>(inside.y)),
                      ButtonUp(button)});
        EXPECT_FALSE(game->isEditing);
        EXPECT_EQ(OpenBoxOf(*game), -1);

        ClickBox(*game, kRegularVertices);
        TypeDigits(*game, "12");
        const std::string open = Describe(*game);
        MarkAllStale(*game);
        Route(*game, {MotionTo(600, 300), ButtonUp(button)});
        EXPECT_EQ(Describe(*game), open);
        EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{});
    }
}

TEST_F(EditorMouse, AClickInsideTheOpenBoxReRendersNothing) {
    for (int order = 0; order < kBoxCount; ++order) {
        Restart();
        ClickBox(*game, order);
        if (order >= kRegularVertices) TypeDigits(*game, "4");
        const std::string open = Describe(*game);
        MarkAllStale(*game);
        ClickBox(*game, order);
        const Rect& r = kBoxRects[static_cast<size_t>(order)];
        LeftClickAt(*game, static_cast<int>(r.left + r.width), static_cast<int>(r.bottom));
        EXPECT_EQ(Describe(*game), open) << kBoxNames[static_cast<size_t>(order)];
        EXPECT_EQ(RebuiltBoxes(*game), std::vector<int>{}) << kBoxNames[static_cast<size_t>(order)];
    }
}

TEST_F(EditorMouse, OpeningANumericBoxShowsItsLabelAloneInTheEditColour) {
    for (int order = kRegularVertices; order < kBoxCount; ++order) {
        ClickBox(*game, order);
        EXPECT_TRUE(Shows(NumericTexture(*game, order), LabelOf(order), kEditTextColor))
            << kBoxNames[static_cast<size_t>(order)];
        EXPECT_EQ(game->editText, "");
        ClickNowhere(*game);
    }
}

TEST_F(EditorMouse, ClosingANumericBoxByClickDropsTheTypedDigits) {
    for (int order = kRegularVertices; order < kBoxCount; ++order) {
        Restart();
        const std::string start = Describe(*game);
        ClickBox(*game, order);
        TypeDigits(*game, "12");
        EXPECT_TRUE(Shows(NumericTexture(*game, order), LabelOf(order) + "12", kEditTextColor));
        ClickBox(*game, kRegularDensity == order ? kRegularVertices : kRegularDensity);  // inside another box

        SCOPED_TRACE(kBoxNames[static_cast<size_t>(order)]);
        EXPECT_EQ(Describe(*game), start);  // figures unchanged, editText empty, nothing open
        const std::string shown = LabelOf(order) + kStartValues[static_cast<size_t>(NumericIndex(order))];
        EXPECT_TRUE(Shows(NumericTexture(*game, order), shown, kTextColor));

        ClickBox(*game, order);
        EXPECT_TRUE(Shows(NumericTexture(*game, order), LabelOf(order), kEditTextColor));
    }
}

TEST_F(EditorMouse, ClosingAColourBoxByClickKeepsItsValuesAndReopensAtRed) {
    struct Case {
        int order;
        std::array<float, 3>* rgb;
        ColorBoxState* state;
        Rgba* color;
        std::array<float, 3> typed;
        SDL_Keycode afterReopening;
        std::array<float, 3> reopened;
    };
    const Case cases[] = {
        // 216 229 204: red hundreds 1 -> 116, green hundreds 1 -> 129; reopened, 0 goes to red: 016.
        {kBg, &game->backgroundRgb, &game->bgBoxState, &game->backgroundColor, {116, 129, 204}, SDLK_0,
         {16, 129, 204}},
        // 000 000 000: red 100, green 100; reopened, 2 goes to red: 200.
        {kStar, &game->starRgb, &game->starBoxState, &game->starColor, {100, 100, 0}, SDLK_2, {200, 100, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(kBoxNames[static_cast<size_t>(c.order)]);
        ClickBox(*game, c.order);
        Type(*game, {SDLK_1, SDLK_RETURN, SDLK_1});
        ClickNowhere(*game);
        EXPECT_EQ(*c.rgb, c.typed);
        EXPECT_EQ(c.color->r, c.typed[0] / 255.0f);
        EXPECT_EQ(c.color->g, c.typed[1] / 255.0f);
        EXPECT_EQ(c.color->b, c.typed[2] / 255.0f);
        EXPECT_FALSE(c.state->selected);
        EXPECT_FALSE(c.state->redEntered);
        EXPECT_FALSE(c.state->greenEntered);
        EXPECT_FALSE(game->isEditing);

        ClickBox(*game, c.order);
        EXPECT_TRUE(c.state->selected);
        EXPECT_FALSE(c.state->redEntered);
        Type(*game, {c.afterReopening});
        EXPECT_EQ(*c.rgb, c.reopened);
        ClickNowhere(*game);
    }
}

TEST_F(EditorMouse, ClosingAColourBoxLeavesEditTextAlone) {
    game->editText = "55";  // never typed into a colour box; only numeric boxes use it
    ClickBox(*game, kStar);
    ClickNowhere(*game);
    EXPECT_EQ(game->editText, "55");
}

TEST_F(EditorMouse, BeforeAnyMotionTheClickIsAtTheOriginWhichIsInNoBox) {
    EXPECT_EQ(game->mousePos.x, 0.0f);
    EXPECT_EQ(game->mousePos.y, 0.0f);
    Route(*game, {ButtonUp(SDL_BUTTON_LEFT)});
    EXPECT_FALSE(game->isEditing);
    EXPECT_EQ(OpenBoxOf(*game), -1);
}

TEST_F(EditorMouse, TheButtonEventsOwnCoordinatesAreNotUsed) {
    SDL_Event up = ButtonUp(SDL_BUTTON_LEFT);
    const Vec2 inside = CentreOf(kRegularVertices);
    up.button.x = static_cast<int>(inside.x);
    up.button.y = kWindowHeight - static_cast<int>(inside.y);
    Route(*game, {MotionTo(600, 300), up});
    EXPECT_FALSE(game->isEditing);
}
