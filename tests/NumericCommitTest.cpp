// Committing typed digits to the figures: ranges, the density rule, angles in radians, and saturation.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/EditorDriver.h"

using namespace editor_driver;

namespace {
using NumericCommit = EditorTest;

constexpr Pixel kFigureAreaPixel{216, 229, 204, 255};
constexpr Pixel kBlackPixel{0, 0, 0, 255};
constexpr Pixel kMagentaPixel{255, 0, 255, 255};
constexpr uint8_t kChromeByte = 38;  // 0.15 of 255, rounded as the fill reads back
constexpr double kTau = 6.283185307179586;
constexpr float kRegularRadius = 250.0f;
constexpr Vec2 kRegularCentre{300.0f, 550.0f};
constexpr float kIsotoxalRadius = 200.0f;
constexpr Vec2 kIsotoxalCentre{900.0f, 550.0f};

// How the editor stores a whole number of degrees: single precision, the product first.
float Radians(float degrees) { return degrees * 3.1415927f / 180.0f; }

Vec2 OnCircle(Vec2 centre, float radius, double angle) {
    return {static_cast<float>(centre.x + radius * std::cos(angle)),
            static_cast<float>(centre.y + radius * std::sin(angle))};
}

// The pixel whose centre is nearest to p, so it lies well inside any 5-pixel line or 1.5-pixel dot through p.
Pixel PixelAt(Vec2 p) { return ReadPixel(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y))); }

std::string Zeros(size_t count) { return std::string(count, '0'); }
}  // namespace

TEST_F(NumericCommit, TypingOneTwoEnterShowsTwelveAndDrawsTwelvePoints) {
    ClickAt(*game, 30.0f, 215.0f);  // inside the left vertex-count box (19, 210, 430, 28)
    Type(*game, {SDLK_1});
    Type(*game, {SDLK_2});
    const std::string text = "Number Of Vertices:  12";
    EXPECT_TRUE(Shows(NumericTexture(*game, kRegularVertices), text, kEditTextColor));

    Type(*game, {SDLK_RETURN});
    EXPECT_FALSE(game->isEditing);
    EXPECT_FALSE(game->numericBoxes[0].selected);
    EXPECT_EQ(game->editText, "");
    EXPECT_EQ(game->regularStar->vertexCount, 12);
    EXPECT_EQ(game->regularStar->density, 3);
    ASSERT_EQ(game->regularStar->vertices.size(), 12u);

    const Texture& shown = NumericTexture(*game, kRegularVertices);
    EXPECT_TRUE(Shows(shown, text, kTextColor));
    TTF_Font* font = TTF_OpenFont(kFontPath, kLabelPointSize);
    ASSERT_NE(font, nullptr);
    int width = 0;
    int height = 0;
    TTF_SizeText(font, text.c_str(), &width, &height);
    TTF_CloseFont(font);
    EXPECT_EQ(shown.width, static_cast<float>(width));

    game->Draw();
    SaveFramePng("editing_twelve_points");

    // The text is drawn over the dark panel: every pixel is the panel, the text colour, or a blend of the two
    // (the glyphs' coverage is their alpha), and the solid parts are exactly the text colour.
    const int left = static_cast<int>(game->regularLabelTextures[0].pos.x);
    const int bottom = static_cast<int>(game->regularLabelTextures[0].pos.y);
    int solid = 0;
    int offBlend = 0;
    for (int y = bottom; y < bottom + static_cast<int>(shown.height); ++y) {
        for (int x = left; x < left + width; ++x) {
            const Pixel p = ReadPixel(x, y);
            const double a = (p[1] - kChromeByte) / double(kTextRgb[1] - kChromeByte);
            const double r = kChromeByte + a * (kTextRgb[0] - kChromeByte);
            const double b = kChromeByte + a * (kTextRgb[2] - kChromeByte);
            if (std::fabs(p[0] - r) > 2.0 || std::fabs(p[2] - b) > 2.0 || a < -0.01 || a > 1.01) ++offBlend;
            if (p[0] == kTextRgb[0] && p[1] == kTextRgb[1] && p[2] == kTextRgb[2]) ++solid;
        }
    }
    EXPECT_EQ(offBlend, 0);
    EXPECT_GT(solid, 200);

    // {12/3}: twelve points 30 degrees apart, each joined to the one 90 degrees on. The chords of {12/3} stay
    // 176.8 pixels from the centre and those of {7/3} 55.6, so their midpoints tell the figures apart.
    for (int i = 0; i < 12; ++i) {
        const Vec2 point = OnCircle(kRegularCentre, kRegularRadius, kTau * i / 12);
        const Vec2 to = OnCircle(kRegularCentre, kRegularRadius, kTau * (i + 3) / 12);
        EXPECT_EQ(PixelAt(point), kBlackPixel) << "point " << i;
        EXPECT_EQ(PixelAt({(point.x + to.x) / 2, (point.y + to.y) / 2}), kBlackPixel) << "chord " << i;
    }
    for (int i = 1; i < 7; ++i) {
        const Vec2 oldPoint = OnCircle(kRegularCentre, kRegularRadius, kTau * i / 7);
        const Vec2 oldTo = OnCircle(kRegularCentre, kRegularRadius, kTau * (i + 3) / 7);
        EXPECT_EQ(PixelAt(oldPoint), kFigureAreaPixel) << "old point " << i;
        EXPECT_EQ(PixelAt({(oldPoint.x + oldTo.x) / 2, (oldPoint.y + oldTo.y) / 2}), kFigureAreaPixel)
            << "old chord " << i;
    }
}

TEST_F(NumericCommit, LeftVertexCountIsClampedAndLowersTheDensityFromSevenThree) {
    const struct { const char* typed; int32_t vertices, density; } cases[] = {
        {"0", 2, 1},  {"1", 2, 1},  {"2", 2, 1},    {"3", 3, 1},      {"4", 4, 1},    {"5", 5, 2},
        {"6", 6, 2},  {"7", 7, 3},  {"0007", 7, 3}, {"8", 8, 3},      {"100", 100, 3}, {"101", 100, 3},
        {"", 2, 1},   {"99", 99, 3}};
    for (const auto& c : cases) {
        Restart();
        Commit(*game, kRegularVertices, c.typed);
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        EXPECT_EQ(game->regularStar->vertexCount, c.vertices);
        EXPECT_EQ(game->regularStar->density, c.density);
        EXPECT_EQ(game->regularStar->vertices.size(), static_cast<size_t>(c.vertices));
        EXPECT_EQ(game->editText, "");
        EXPECT_TRUE(Shows(NumericTexture(*game, kRegularVertices),
                          "Number Of Vertices:  " + std::to_string(c.vertices), kTextColor));
        EXPECT_TRUE(Shows(NumericTexture(*game, kRegularDensity), "Density:  " + std::to_string(c.density),
                          kTextColor));
    }
}

TEST_F(NumericCommit, DensityIsKeptBelowHalfTheVertexCount) {
    const struct { const char* vertices; const char* typed; int32_t density; } cases[] = {
        {"7", "0", 1}, {"7", "1", 1}, {"7", "2", 2}, {"7", "3", 3}, {"7", "4", 3}, {"7", "9", 3},
        {"8", "4", 3}, {"8", "3", 3}, {"8", "2", 2}, {"9", "4", 4}, {"100", "49", 49}, {"100", "50", 49},
        {"2", "0", 1}, {"2", "1", 1}, {"2", "2", 1}, {"2", "9", 1}, {"3", "0", 1}, {"3", "1", 1},
        {"3", "2", 1}, {"3", "7", 1}, {"4", "0", 1}, {"4", "2", 1}, {"4", "3", 1}, {"4", "100", 1}};
    for (const auto& c : cases) {
        Restart();
        Commit(*game, kRegularVertices, c.vertices);
        const std::vector<Vec2> pointsBefore = game->regularStar->vertices;
        Commit(*game, kRegularDensity, c.typed);
        SCOPED_TRACE(std::string(c.vertices) + " vertices, typed \"" + c.typed + "\"");
        EXPECT_EQ(game->regularStar->density, c.density);
        EXPECT_TRUE(Shows(NumericTexture(*game, kRegularDensity), "Density:  " + std::to_string(c.density),
                          kTextColor));
        // The points do not depend on the density.
        ASSERT_EQ(game->regularStar->vertices.size(), pointsBefore.size());
        for (size_t i = 0; i < pointsBefore.size(); ++i) {
            EXPECT_EQ(game->regularStar->vertices[i].x, pointsBefore[i].x);
            EXPECT_EQ(game->regularStar->vertices[i].y, pointsBefore[i].y);
        }
    }
}

TEST_F(NumericCommit, AnglesAreClampedStoredInRadiansAndShownInWholeDegrees) {
    const struct { int box; const char* typed; float degrees; const char* shown; } cases[] = {
        {kIsotoxalAlpha, "", 5, "5"},        {kIsotoxalAlpha, "3", 5, "5"},       {kIsotoxalAlpha, "5", 5, "5"},
        {kIsotoxalAlpha, "23", 23, "23"},    {kIsotoxalAlpha, "29", 29, "29"},    {kIsotoxalAlpha, "180", 180, "180"},
        {kIsotoxalAlpha, "200", 180, "180"}, {kRegularOffset, "400", 360, "360"}, {kRegularOffset, "", 0, "0"},
        {kRegularOffset, "360", 360, "360"}, {kRegularOffset, "45", 45, "45"},    {kRegularOffset, "023", 23, "23"},
        {kIsotoxalOffset, "400", 360, "360"}, {kIsotoxalOffset, "", 0, "0"},      {kIsotoxalOffset, "90", 90, "90"},
        {kIsotoxalOffset, "361", 360, "360"}};
    for (const auto& c : cases) {
        Restart();
        Commit(*game, c.box, c.typed);
        SCOPED_TRACE(std::string(kBoxNames[static_cast<size_t>(c.box)]) + ", typed \"" + c.typed + "\"");
        const float stored = c.box == kRegularOffset  ? game->regularStar->angleOffset
                             : c.box == kIsotoxalAlpha ? game->isotoxalStar->alpha
                                                       : game->isotoxalStar->angleOffset;
        EXPECT_EQ(stored, Radians(c.degrees));
        EXPECT_TRUE(Shows(NumericTexture(*game, c.box), LabelOf(c.box) + c.shown, kTextColor));

        // The figure recomputed its points from the new angle.
        if (c.box == kRegularOffset) {
            const Vec2 expected = OnCircle(kRegularCentre, kRegularRadius, Radians(c.degrees));
            EXPECT_NEAR(game->regularStar->vertices[0].x, expected.x, 1e-3);
            EXPECT_NEAR(game->regularStar->vertices[0].y, expected.y, 1e-3);
        } else if (c.box == kIsotoxalOffset) {
            const Vec2 expected = OnCircle(kIsotoxalCentre, kIsotoxalRadius, Radians(c.degrees));
            EXPECT_NEAR(game->isotoxalStar->vertices[0].x, expected.x, 1e-3);
            EXPECT_NEAR(game->isotoxalStar->vertices[0].y, expected.y, 1e-3);
        }
    }
}

TEST_F(NumericCommit, AlphaChangesTheInnerCornersAtOnce) {
    const Vec2 innerBefore = game->isotoxalStar->vertices[1];
    Commit(*game, kIsotoxalAlpha, "90");
    // Tip angle 90 with 7 tips: the law of sines in centre, tip, inner corner gives the inner radius.
    const double halfStep = kTau / 14;
    const double innerRadius = std::sin(kTau / 8) / std::sin(kTau / 2 - halfStep - kTau / 8) * kIsotoxalRadius;
    const Vec2 expected = OnCircle(kIsotoxalCentre, static_cast<float>(innerRadius), Radians(36) + halfStep);
    EXPECT_NEAR(game->isotoxalStar->vertices[1].x, expected.x, 1e-2);
    EXPECT_NEAR(game->isotoxalStar->vertices[1].y, expected.y, 1e-2);
    EXPECT_NE(game->isotoxalStar->vertices[1].x, innerBefore.x);
}

TEST_F(NumericCommit, RightVertexCountIsClampedToTwoThroughTwoHundredFifty) {
    const struct { const char* typed; int32_t vertices; } cases[] = {
        {"1", 2}, {"0", 2}, {"", 2}, {"2", 2}, {"3", 3}, {"250", 250}, {"251", 250}, {"0250", 250}, {"999", 250}};
    for (const auto& c : cases) {
        Restart();
        Commit(*game, kIsotoxalVertices, c.typed);
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        EXPECT_EQ(game->isotoxalStar->vertexCount, c.vertices);
        EXPECT_EQ(game->isotoxalStar->vertices.size(), 2 * static_cast<size_t>(c.vertices));
        EXPECT_TRUE(Shows(NumericTexture(*game, kIsotoxalVertices),
                          "Number Of Vertices:  " + std::to_string(c.vertices), kTextColor));
    }
}

// A count beyond 2147483647 or an angle beyond the largest float behaves as the largest value.
TEST_F(NumericCommit, NumbersBeyondTheConversionSaturate) {
    const std::string beyondFloat = "1" + Zeros(39);  // 10^39 > 3.4028235e38
    const struct { const char* vertices; int box; std::string typed; const char* shown; } cases[] = {
        {"7", kRegularVertices, "2147483647", "100"},   {"7", kRegularVertices, "2147483648", "100"},
        {"7", kRegularVertices, "99999999999999999999", "100"}, {"7", kIsotoxalVertices, "2147483648", "250"},
        {"7", kIsotoxalVertices, "4294967298", "250"},  {"7", kRegularDensity, "2147483648", "3"},
        {"100", kRegularDensity, "2147483648", "49"},   {"8", kRegularDensity, "9999999999999", "3"},
        {"7", kRegularOffset, beyondFloat, "360"},      {"7", kIsotoxalOffset, beyondFloat, "360"},
        {"7", kIsotoxalAlpha, beyondFloat, "180"},      {"7", kIsotoxalAlpha, std::string(60, '9'), "180"},
        {"7", kRegularOffset, "340282350000000000000000000000000000000", "360"}};
    for (const auto& c : cases) {
        Restart();
        Commit(*game, kRegularVertices, c.vertices);
        Commit(*game, c.box, c.typed);
        SCOPED_TRACE(std::string(kBoxNames[static_cast<size_t>(c.box)]) + ", typed " + c.typed);
        EXPECT_FALSE(game->isEditing);
        EXPECT_EQ(game->editText, "");
        EXPECT_TRUE(Shows(NumericTexture(*game, c.box), LabelOf(c.box) + c.shown, kTextColor));
    }
}

TEST_F(NumericCommit, LeadingZerosNeverOverflow) {
    const std::string zeros = Zeros(50);  // more digits than any 32-bit value or float has
    const struct { int box; std::string typed; const char* shown; } cases[] = {
        {kRegularVertices, zeros + "12", "12"}, {kIsotoxalVertices, zeros + "9", "9"},
        {kIsotoxalAlpha, zeros + "45", "45"},   {kRegularOffset, zeros, "0"}};
    for (const auto& c : cases) {
        Restart();
        Commit(*game, c.box, c.typed);
        SCOPED_TRACE(kBoxNames[static_cast<size_t>(c.box)]);
        EXPECT_TRUE(Shows(NumericTexture(*game, c.box), LabelOf(c.box) + c.shown, kTextColor));
    }
}

// Each typed digit renders the whole line again, so the cost of a key grows with the text: ten thousand keys
// one by one would take minutes. Three hundred go through the event queue; the ten-thousand-digit texts are
// put in place and their last digits typed, which renders the long line and commits it as typed text.
TEST_F(NumericCommit, ThreeHundredTypedDigitsCommitToTheLargestCount) {
    ClickBox(*game, kRegularVertices);
    for (int batch = 0; batch < 10; ++batch) TypeDigits(*game, std::string(30, '9'));
    EXPECT_EQ(game->editText, std::string(300, '9'));
    Type(*game, {SDLK_RETURN});
    EXPECT_EQ(game->regularStar->vertexCount, 100);
    EXPECT_EQ(game->regularStar->density, 3);
}

TEST_F(NumericCommit, TenThousandDigitsCommitToTheSaturatedValueInEveryBox) {
    const struct { int box; const char* shown; } cases[] = {
        {kRegularVertices, "100"}, {kRegularDensity, "3"},  {kRegularOffset, "360"},
        {kIsotoxalVertices, "250"}, {kIsotoxalAlpha, "180"}, {kIsotoxalOffset, "360"}};
    for (const auto& c : cases) {
        Restart();
        ClickBox(*game, c.box);
        game->editText = std::string(9998, '8');
        TypeDigits(*game, "99");
        SCOPED_TRACE(kBoxNames[static_cast<size_t>(c.box)]);
        EXPECT_EQ(game->editText.size(), 10000u);
        EXPECT_TRUE(game->isEditing);
        EXPECT_FALSE(NumericTexture(*game, c.box).creationOk);  // far wider than any texture may be
        Type(*game, {SDLK_RETURN});
        EXPECT_EQ(game->editText, "");
        EXPECT_TRUE(Shows(NumericTexture(*game, c.box), LabelOf(c.box) + c.shown, kTextColor));
    }
}

// A line wider than the largest texture cannot be uploaded: it shows the magenta placeholder, and the
// digits typed after it still count.
TEST_F(NumericCommit, AnUnrenderableLineShowsThePlaceholderAndEditingGoesOn) {
    ClickBox(*game, kRegularVertices);
    game->editText = std::string(1999, '0');
    TypeDigits(*game, "0");
    EXPECT_FALSE(NumericTexture(*game, kRegularVertices).creationOk);
    game->Draw();
    SaveFramePng("editing_long_line_placeholder");
    EXPECT_EQ(ReadPixel(25, 195), kMagentaPixel);

    TypeDigits(*game, "12");
    EXPECT_EQ(game->editText.size(), 2002u);
    Type(*game, {SDLK_RETURN});
    EXPECT_EQ(game->regularStar->vertexCount, 12);
    EXPECT_TRUE(Shows(NumericTexture(*game, kRegularVertices), "Number Of Vertices:  12", kTextColor));
}

TEST_F(NumericCommit, OnlyTheLeftVertexCountReRendersASecondBox) {
    const struct { int box; const char* typed; std::vector<int> rebuilt; } cases[] = {
        {kRegularVertices, "5", {kRegularVertices, kRegularDensity}},
        {kRegularVertices, "9", {kRegularVertices}},
        {kRegularDensity, "2", {kRegularDensity}},
        {kRegularOffset, "10", {kRegularOffset}},
        {kIsotoxalVertices, "5", {kIsotoxalVertices}},
        {kIsotoxalAlpha, "50", {kIsotoxalAlpha}},
        {kIsotoxalOffset, "10", {kIsotoxalOffset}}};
    for (const auto& c : cases) {
        Restart();
        ClickBox(*game, c.box);
        TypeDigits(*game, c.typed);
        MarkAllStale(*game);
        Type(*game, {SDLK_RETURN});
        EXPECT_EQ(RebuiltBoxes(*game), c.rebuilt) << kBoxNames[static_cast<size_t>(c.box)] << " " << c.typed;
    }
}

TEST_F(NumericCommit, AfterACommitTheNextOpeningShowsTheLabelAlone) {
    for (int box = kRegularVertices; box < kBoxCount; ++box) {
        Commit(*game, box, "12");
        ClickBox(*game, box);
        EXPECT_TRUE(Shows(NumericTexture(*game, box), LabelOf(box), kEditTextColor))
            << kBoxNames[static_cast<size_t>(box)];
        ClickNowhere(*game);
    }
}
