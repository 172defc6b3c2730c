// The regular figure, drawn once per distinct edge and dot, against the chain walk it replaced: the same pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <sstream>
#include <vector>

#include "figures/RegularStarPolygon.h"
#include "tests/support/ChainWalkDrawing.h"
#include "render/Primitives.h"
#include "render/StarDrawing.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {
constexpr Vec2 kCenter{300.0f, 550.0f};
constexpr float kRadius = 250.0f;
constexpr float kLineWidth = 5.0f;

// The figure reaches at most radius + half the line width from its centre: a 520-pixel square holds it with room.
constexpr int kSquareSize = 520;
constexpr int kSquareLeft = static_cast<int>(kCenter.x) - kSquareSize / 2;
constexpr int kSquareBottom = static_cast<int>(kCenter.y) - kSquareSize / 2;

constexpr Rgba kBackground{216.0f / 255.0f, 229.0f / 255.0f, 204.0f / 255.0f, 1.0f};
constexpr Rgba kDefaultStar{0.0f, 0.0f, 0.0f, 1.0f};
constexpr Rgba kOtherStar{200.0f / 255.0f, 30.0f / 255.0f, 90.0f / 255.0f, 1.0f};
constexpr float kOffset37 = 37.0f * kPi / 180.0f;

struct NamedColor {
    const char* name;
    Rgba color;
};
constexpr NamedColor kColors[] = {{"black", kDefaultStar}, {"crimson", kOtherStar}};

struct Rotation {
    int degrees;
    float radians;
};
constexpr Rotation kBothRotations[] = {{0, 0.0f}, {37, kOffset37}};
constexpr Rotation kRotated[] = {{37, kOffset37}};

RegularStarPolygon MakeStar(int n, int m, float angleOffset) {
    RegularStarPolygon star(kCenter, n, m, kRadius, kLineWidth);
    star.angleOffset = angleOffset;
    star.UpdateVertices();
    return star;
}

using Draw = void (*)(const RegularStarPolygon&);
using Square = std::vector<uint8_t>;  // RGBA, kSquareSize x kSquareSize, bottom row first

void DrawOnBackground(const RegularStarPolygon& star, Rgba color, Draw draw) {
    glClearColor(kBackground.r, kBackground.g, kBackground.b, kBackground.a);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(color.r, color.g, color.b, color.a);
    draw(star);
}

// Clears and reads only the square around the figure: the rest of the frame would only cost time.
Square Render(const RegularStarPolygon& star, Rgba color, Draw draw) {
    glScissor(kSquareLeft, kSquareBottom, kSquareSize, kSquareSize);
    glEnable(GL_SCISSOR_TEST);
    DrawOnBackground(star, color, draw);
    glDisable(GL_SCISSOR_TEST);
    Square square(static_cast<size_t>(kSquareSize) * kSquareSize * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(kSquareLeft, kSquareBottom, kSquareSize, kSquareSize, GL_RGBA, GL_UNSIGNED_BYTE, square.data());
    return square;
}

Pixel PixelAt(const Square& square, size_t index) {
    return {square[index * 4], square[index * 4 + 1], square[index * 4 + 2], square[index * 4 + 3]};
}

// The square's outermost ring is untouched, so nothing of the figure lies outside the compared pixels.
bool BorderIsBackground(const Square& square) {
    const Pixel background = ToPixel(kBackground);
    const auto isBackground = [&](int x, int y) {
        return PixelAt(square, static_cast<size_t>(y * kSquareSize + x)) == background;
    };
    const int last = kSquareSize - 1;
    for (int i = 0; i < kSquareSize; ++i) {
        if (!isBackground(i, 0) || !isBackground(i, last) || !isBackground(0, i) || !isBackground(last, i)) return false;
    }
    return true;
}

::testing::AssertionResult SamePixels(const Square& expected, const Square& actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    size_t differing = 0;
    size_t first = 0;
    for (size_t i = 0; i < expected.size() / 4; ++i) {
        if (PixelAt(expected, i) == PixelAt(actual, i)) continue;
        if (differing++ == 0) first = i;
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ, the first at ("
                                         << kSquareLeft + static_cast<int>(first % kSquareSize) << ", "
                                         << kSquareBottom + static_cast<int>(first / kSquareSize) << ")";
}

// Lines and dots are not smoothed and the star colour is opaque, so every pixel is either untouched or exactly the
// star colour: the chain walk's picture in one colour gives its picture in any other by swapping that one value.
Square Recolored(const Square& square, Rgba from, Rgba to) {
    const Pixel fromPixel = ToPixel(from);
    const Pixel toPixel = ToPixel(to);
    Square recolored = square;
    for (size_t i = 0; i < square.size() / 4; ++i) {
        if (PixelAt(square, i) == fromPixel)
            std::copy(toPixel.begin(), toPixel.end(), recolored.begin() + static_cast<std::ptrdiff_t>(i * 4));
    }
    return recolored;
}

// What the chain walk drew must be a figure: some pixels in the star colour, the rest background, none at the border.
::testing::AssertionResult IsWholeFigure(const Square& square, Rgba ink) {
    const Pixel inkPixel = ToPixel(ink);
    const Pixel background = ToPixel(kBackground);
    size_t inked = 0;
    for (size_t i = 0; i < square.size() / 4; ++i) {
        const Pixel pixel = PixelAt(square, i);
        if (pixel == inkPixel) {
            ++inked;
        } else if (pixel != background) {
            return ::testing::AssertionFailure() << "a pixel neither star colour nor background";
        }
    }
    if (inked == 0) return ::testing::AssertionFailure() << "nothing drawn in the star colour";
    if (!BorderIsBackground(square)) return ::testing::AssertionFailure() << "the figure is not inside the square";
    return ::testing::AssertionSuccess();
}

// The chain walk once per rotation, in black; the drawing under test in black and in crimson.
void ExpectSameAsChainWalk(int n, int m, std::span<const Rotation> rotations) {
    for (const Rotation rotation : rotations) {
        const RegularStarPolygon star = MakeStar(n, m, rotation.radians);
        std::ostringstream what;
        what << "{" << n << "/" << m << "} at " << rotation.degrees << " degrees";
        const Square chainWalk = Render(star, kDefaultStar, DrawByChainWalk);
        ASSERT_TRUE(IsWholeFigure(chainWalk, kDefaultStar)) << what.str();
        for (const NamedColor& color : kColors) {
            const Square actual = Render(star, color.color, DrawRegularStar);
            EXPECT_TRUE(SamePixels(Recolored(chainWalk, kDefaultStar, color.color), actual))
                << what.str() << " in " << color.name;
        }
    }
}

int LargestValidDensity(int n) { return std::max(1, (n - 1) / 2); }
}  // namespace

TEST(RegularStarAgainstChainWalk, EveryValidDensityOfTwoToThirtyPointsGivesTheSamePixels) {
    for (int n = 2; n <= 30; ++n)
        for (int m = 1; m <= LargestValidDensity(n); ++m) ExpectSameAsChainWalk(n, m, kBothRotations);
}

// Densities the editor never keeps but the chain walk is defined for: 0, and from half of n up to n - 1.
TEST(RegularStarAgainstChainWalk, DensitiesOutsideTheEditorsRangeGiveTheSamePixels) {
    for (int n = 2; n <= 30; ++n)
        for (int m = 0; m < n; ++m)
            if (m < 1 || m > LargestValidDensity(n)) ExpectSameAsChainWalk(n, m, kRotated);
}

TEST(RegularStarAgainstChainWalk, EveryValidDensityOfTheLargestFiguresGivesTheSamePixels) {
    for (const int n : {50, 99, 100})
        for (int m = 1; m <= LargestValidDensity(n); ++m) ExpectSameAsChainWalk(n, m, kBothRotations);
}

TEST(RegularStarAgainstChainWalk, TheComparisonSeesADensityChange) {
    const RegularStarPolygon star = MakeStar(100, 49, 0.0f);
    const Square chainWalk = Render(star, kDefaultStar, DrawByChainWalk);
    const Square oneLess = Render(MakeStar(100, 48, 0.0f), kDefaultStar, DrawRegularStar);
    EXPECT_FALSE(SamePixels(chainWalk, oneLess));
}

TEST(RegularStarAgainstChainWalk, TheDensestFigureLooksTheSameInTheWholeFrameInAnotherColour) {
    const RegularStarPolygon star = MakeStar(100, 49, kOffset37);
    const auto wholeFrame = [&](Draw draw, const char* name) {
        DrawOnBackground(star, kOtherStar, draw);
        SaveFramePng(name);
        return ReadFrame();
    };
    const std::vector<uint8_t> expected = wholeFrame(DrawByChainWalk, "regular_100_49_chain_walk");
    const std::vector<uint8_t> actual = wholeFrame(DrawRegularStar, "regular_100_49_each_edge_once");
    EXPECT_TRUE(expected == actual);
}
