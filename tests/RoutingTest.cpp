// The main loop's routing of one polled batch, through SDL's real queue into a real Game.
#include <gtest/gtest.h>

#include "core/EventRouting.h"
#include "editor/Game.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {
class Routing : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        game = std::make_unique<Game>(EditorWindowSettings());
    }
    std::unique_ptr<Game> game;
};

constexpr float kVertexBoxX = 100.0f;  // inside the left vertex-count box (19, 210, 430, 28)
constexpr float kVertexBoxY = 220.0f;
}  // namespace

TEST_F(Routing, KeyUpAfterQuitInTheSameBatchIsStillRouted) {
    ClickAt(*game, kVertexBoxX, kVertexBoxY);
    ASSERT_TRUE(game->numericBoxes[0].selected);
    EXPECT_TRUE(Route(*game, {Quit(), KeyUp(SDLK_5)}));
    EXPECT_EQ(game->editText, "5");
}

TEST_F(Routing, ABatchWithoutQuitDoesNotEndTheLoop) {
    EXPECT_FALSE(Route(*game, {MotionTo(5, 5), KeyUp(SDLK_1)}));
    EXPECT_FALSE(Route(*game, {}));
}

TEST_F(Routing, MotionFlipsYToTheBottomLeftOrigin) {
    const struct { int x, sdlY; float expectedY; } cases[] = {
        {0, 0, 900.0f}, {17, 899, 1.0f}, {1199, 450, 450.0f}, {300, 680, 220.0f}};
    for (const auto& c : cases) {
        Route(*game, {MotionTo(c.x, c.sdlY)});
        EXPECT_EQ(game->mousePos.x, static_cast<float>(c.x));
        EXPECT_EQ(game->mousePos.y, c.expectedY) << "SDL y " << c.sdlY;
    }
}

TEST_F(Routing, TheLastMotionOfABatchWins) {
    Route(*game, {MotionTo(1, 1), MotionTo(2, 3), MotionTo(40, 800)});
    EXPECT_EQ(game->mousePos.x, 40.0f);
    EXPECT_EQ(game->mousePos.y, 100.0f);
}

TEST_F(Routing, KeyDownAndButtonDownChangeNothing) {
    Route(*game, {MotionTo(static_cast<int>(kVertexBoxX), 900 - static_cast<int>(kVertexBoxY)),
                  ButtonDown(SDL_BUTTON_LEFT)});
    EXPECT_FALSE(game->isEditing);
    ClickAt(*game, kVertexBoxX, kVertexBoxY);
    ASSERT_TRUE(game->isEditing);
    Route(*game, {KeyDown(SDLK_7), KeyDown(SDLK_RETURN), ButtonDown(SDL_BUTTON_LEFT)});
    EXPECT_EQ(game->editText, "");
    EXPECT_TRUE(game->numericBoxes[0].selected);
}

TEST_F(Routing, OtherEventTypesAreIgnored) {
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    EXPECT_FALSE(Route(*game, {wheel, text}));
    EXPECT_EQ(game->mousePos.x, 0.0f);
    EXPECT_EQ(game->mousePos.y, 0.0f);
}
