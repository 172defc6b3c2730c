// The editor's screen: its state after construction, the sixteen start-up texts, the drawn frame and the caret.
#include <gtest/gtest.h>

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/Game.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {
constexpr double kPiDouble = 3.14159265358979323846;

// What solid fills read back as, byte by byte.
constexpr Pixel kChrome{38, 38, 38, 255};  // 0.15
constexpr Pixel kFigureArea{216, 229, 204, 255};
constexpr Pixel kBlack{0, 0, 0, 255};
constexpr Pixel kTextBytes{98, 146, 99, 255};
constexpr Pixel kEditTextBytes{98, 99, 146, 255};
constexpr Pixel kMagenta{255, 0, 255, 255};

std::string Bytes(Pixel p) {
    return "(" + std::to_string(p[0]) + ", " + std::to_string(p[1]) + ", " + std::to_string(p[2]) + ", " +
           std::to_string(p[3]) + ")";
}

// The start-up screen as it should read: text, point size and bottom-left corner, in the order of creation.
struct StartupText {
    const char* name;
    const char* text;
    int pointSize;
    Vec2 pos;
};
const StartupText kStartupTexts[] = {
    {"regularTitle", "Regular Star Polygon", 50, {55.0f, 837.5f}},
    {"isotoxalTitle", "Isotoxal Star Polygon", 50, {655.0f, 837.5f}},
    {"regularLabelTextures[0]", "Number Of Vertices:  7", 40, {20.0f, 190.0f}},
    {"regularLabelTextures[1]", "Density:  3", 40, {20.0f, 130.0f}},
    {"regularLabelTextures[2]", "Angle Offset: 0", 40, {20.0f, 70.0f}},
    {"isotoxalLabelTextures[0]", "Number Of Vertices:  7", 40, {620.0f, 190.0f}},
    {"isotoxalLabelTextures[1]", "Alpha:  24", 40, {620.0f, 130.0f}},
    {"isotoxalLabelTextures[2]", "Angle Offset: 36", 40, {620.0f, 70.0f}},
    {"bgLabelTexture", "BG Color: ", 40, {20.0f, 0.0f}},
    {"bgValueTextures[0]", "216", 40, {200.0f, 0.0f}},
    {"bgValueTextures[1]", "229", 40, {280.0f, 0.0f}},
    {"bgValueTextures[2]", "204", 40, {360.0f, 0.0f}},
    {"starLabelTexture", "Star Color: ", 40, {620.0f, 0.0f}},
    {"starValueTextures[0]", "000", 40, {825.0f, 0.0f}},
    {"starValueTextures[1]", "000", 40, {905.0f, 0.0f}},
    {"starValueTextures[2]", "000", 40, {985.0f, 0.0f}},
};
constexpr size_t kTextCount = std::size(kStartupTexts);

struct ShownText {
    const Texture* texture;
    Vec2 pos;
};

// The sixteen textures with the positions they are drawn at, in drawing order.
std::vector<ShownText> ShownTexts(const Game& game) {
    std::vector<ShownText> texts{{game.regularTitle.get(), game.regularTitlePos},
                                 {game.isotoxalTitle.get(), game.isotoxalTitlePos}};
    for (const PlacedTexture& placed : game.regularLabelTextures) texts.push_back({placed.texture.get(), placed.pos});
    for (const PlacedTexture& placed : game.isotoxalLabelTextures) texts.push_back({placed.texture.get(), placed.pos});
    texts.push_back({game.bgLabelTexture.get(), game.bgLabelPos});
    for (size_t k = 0; k < 3; ++k) texts.push_back({game.bgValueTextures[k].get(), game.bgValuePos[k]});
    texts.push_back({game.starLabelTexture.get(), game.starLabelPos});
    for (size_t k = 0; k < 3; ++k) texts.push_back({game.starValueTextures[k].get(), game.starValuePos[k]});
    return texts;
}

// The screen area a text's quad covers.
Rect QuadOf(const ShownText& text) { return {text.pos.x, text.pos.y, text.texture->width, text.texture->height}; }

// The read-back frame, addressed as the drawing is: (0, 0) is the bottom-left pixel.
class Frame {
public:
    Frame() : pixels(ReadFrame()) {}

    Pixel At(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * kWindowWidth + static_cast<size_t>(x)) * 4;
        return {pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
    }

    // Whether some pixel whose centre lies inside the area has exactly this colour.
    bool AnyInside(Rect area, Pixel colour) const {
        const int left = std::max(0, static_cast<int>(std::ceil(area.left - 0.5f)));
        const int bottom = std::max(0, static_cast<int>(std::ceil(area.bottom - 0.5f)));
        const int right = std::min(kWindowWidth, static_cast<int>(std::ceil(area.left + area.width - 0.5f)));
        const int top = std::min(kWindowHeight, static_cast<int>(std::ceil(area.bottom + area.height - 0.5f)));
        for (int y = bottom; y < top; ++y)
            for (int x = left; x < right; ++x)
                if (At(x, y) == colour) return true;
        return false;
    }

    int Count(Pixel colour) const {
        int count = 0;
        for (int y = 0; y < kWindowHeight; ++y)
            for (int x = 0; x < kWindowWidth; ++x) count += At(x, y) == colour ? 1 : 0;
        return count;
    }

private:
    std::vector<uint8_t> pixels;
};

Frame DrawnFrame(const Game& game) {
    game.Draw();
    return Frame();
}

bool InsideAnyText(const Game& game, int x, int y) {
    const Vec2 centre{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
    for (const ShownText& text : ShownTexts(game))
        if (QuadOf(text).Contains(centre)) return true;
    return false;
}

// The pixel under a point given in window coordinates.
struct PixelPos {
    int x, y;
};
PixelPos PixelAt(double x, double y) { return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))}; }

// Point i of the default {7/3} figure, computed here in double precision.
PixelPos RegularPoint(int i, double fraction = 0.0, int towards = 0) {
    auto point = [](int k) {
        const double a = 2.0 * kPiDouble * k / 7.0;
        return std::pair{300.0 + 250.0 * std::cos(a), 550.0 + 250.0 * std::sin(a)};
    };
    const auto [x0, y0] = point(i);
    const auto [x1, y1] = point(towards);
    return PixelAt(x0 + (x1 - x0) * fraction, y0 + (y1 - y0) * fraction);
}

// A point of the default isotoxal star's plane, at an angle in degrees and a distance from its centre (900, 550).
PixelPos IsotoxalPolar(double degrees, double distance) {
    const double a = degrees * kPiDouble / 180.0;
    return PixelAt(900.0 + distance * std::cos(a), 550.0 + distance * std::sin(a));
}

class EditorScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(SharedCore(), nullptr);
        game = std::make_unique<Game>(EditorWindowSettings());
    }
    std::unique_ptr<Game> game;
};

void ExpectRect(const Rect& actual, const Rect& expected, const char* name) {
    EXPECT_EQ(actual.left, expected.left) << name;
    EXPECT_EQ(actual.bottom, expected.bottom) << name;
    EXPECT_EQ(actual.width, expected.width) << name;
    EXPECT_EQ(actual.height, expected.height) << name;
}

void ExpectColor(const Rgba& actual, const Rgba& expected, const char* name) {
    EXPECT_EQ(actual.r, expected.r) << name;
    EXPECT_EQ(actual.g, expected.g) << name;
    EXPECT_EQ(actual.b, expected.b) << name;
    EXPECT_EQ(actual.a, expected.a) << name;
}

void ExpectVec(Vec2 actual, Vec2 expected, const std::string& name) {
    EXPECT_EQ(actual.x, expected.x) << name;
    EXPECT_EQ(actual.y, expected.y) << name;
}
}  // namespace

// ---- State after construction ----

TEST_F(EditorScreen, TheThreeStripsTileTheWindowFromTopToBottom) {
    ExpectRect(game->titleBarRect, {0, 850, 1200, 50}, "titleBarRect");
    ExpectRect(game->figureAreaRect, {0, 250, 1200, 600}, "figureAreaRect");
    ExpectRect(game->panelRect, {0, 0, 1200, 250}, "panelRect");
    EXPECT_EQ(game->panelRect.bottom + game->panelRect.height, game->figureAreaRect.bottom);
    EXPECT_EQ(game->figureAreaRect.bottom + game->figureAreaRect.height, game->titleBarRect.bottom);
    EXPECT_EQ(game->titleBarRect.bottom + game->titleBarRect.height, 900.0f);
}

TEST_F(EditorScreen, BoxesValuePositionsAndCentresHaveTheirFixedPlaces) {
    const struct { const char* name; Rect expected; } boxes[] = {
        {"left vertices", {19, 210, 430, 28}}, {"left density", {19, 151, 210, 28}},
        {"left offset", {19, 90, 320, 28}},    {"right vertices", {617, 210, 430, 28}},
        {"right alpha", {617, 151, 210, 28}},  {"right offset", {617, 90, 320, 28}},
    };
    for (size_t i = 0; i < 6; ++i) {
        ExpectRect(game->numericBoxes[i].rect, boxes[i].expected, boxes[i].name);
        EXPECT_FALSE(game->numericBoxes[i].selected) << boxes[i].name;
    }
    ExpectRect(game->bgBox, {12, 20, 415, 28}, "bgBox");
    ExpectRect(game->starBox, {616, 20, 415, 28}, "starBox");

    const float bgX[] = {200, 280, 360};
    const float starX[] = {825, 905, 985};
    for (size_t k = 0; k < 3; ++k) {
        ExpectVec(game->bgValuePos[k], {bgX[k], 0}, "bgValuePos[" + std::to_string(k) + "]");
        ExpectVec(game->starValuePos[k], {starX[k], 0}, "starValuePos[" + std::to_string(k) + "]");
    }
    EXPECT_EQ(game->charWidth, 20.0f);
    ExpectVec(game->regularCenter, {300, 550}, "regularCenter");
    ExpectVec(game->isotoxalCenter, {900, 550}, "isotoxalCenter");
}

TEST_F(EditorScreen, ColoursStartAsTheDefaultScene) {
    ExpectColor(game->chromeColor, {0.15f, 0.15f, 0.15f, 1}, "chromeColor");
    ExpectColor(game->textColor, {98 / 255.0f, 146 / 255.0f, 99 / 255.0f, 1}, "textColor");
    ExpectColor(game->editTextColor, {98 / 255.0f, 99 / 255.0f, 146 / 255.0f, 1}, "editTextColor");
    ExpectColor(game->backgroundColor, {216 / 255.0f, 229 / 255.0f, 204 / 255.0f, 1}, "backgroundColor");
    ExpectColor(game->starColor, {0, 0, 0, 1}, "starColor");
    EXPECT_EQ(game->backgroundRgb, (std::array<float, 3>{216, 229, 204}));
    EXPECT_EQ(game->starRgb, (std::array<float, 3>{0, 0, 0}));
}

TEST_F(EditorScreen, LabelsKeepTheirTrailingBlanks) {
    const struct { const std::string& label; const char* expected; size_t length; } cases[] = {
        {game->regularLabels[0], "Number Of Vertices:  ", 21}, {game->regularLabels[1], "Density:  ", 10},
        {game->regularLabels[2], "Angle Offset: ", 14},        {game->isotoxalLabels[0], "Number Of Vertices:  ", 21},
        {game->isotoxalLabels[1], "Alpha:  ", 8},              {game->isotoxalLabels[2], "Angle Offset: ", 14},
        {game->bgLabel, "BG Color: ", 10},                     {game->starLabel, "Star Color: ", 12},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.label, c.expected);
        EXPECT_EQ(c.label.size(), c.length) << '"' << c.expected << '"';
    }
}

TEST_F(EditorScreen, StartsIdleWithItsFontAndSizes) {
    EXPECT_EQ(game->window.width, 1200.0f);
    EXPECT_EQ(game->window.height, 900.0f);
    ExpectVec(game->mousePos, {0, 0}, "mousePos");
    EXPECT_FALSE(game->isEditing);
    EXPECT_EQ(game->caretIndex, 0);
    EXPECT_EQ(game->editText, "");
    EXPECT_FALSE(game->bgBoxState.selected || game->bgBoxState.redEntered || game->bgBoxState.greenEntered);
    EXPECT_FALSE(game->starBoxState.selected || game->starBoxState.redEntered || game->starBoxState.greenEntered);
    EXPECT_EQ(game->fontPath, "Resources/Baloo.ttf");
    EXPECT_EQ(game->titleFontSize, 50);
    EXPECT_EQ(game->labelFontSize, 40);
}

TEST_F(EditorScreen, FiguresStartWithTheirParameters) {
    ASSERT_TRUE(game->regularStar && game->isotoxalStar);
    const RegularStarPolygon& regular = *game->regularStar;
    ExpectVec(regular.center, {300, 550}, "regular centre");
    EXPECT_EQ(regular.vertexCount, 7);
    EXPECT_EQ(regular.density, 3);
    EXPECT_EQ(regular.radius, 250.0f);
    EXPECT_EQ(regular.lineWidth, 5.0f);
    EXPECT_EQ(regular.dotRadius, 1.5f);
    EXPECT_EQ(regular.angleOffset, 0.0f);
    ASSERT_EQ(regular.vertices.size(), 7u);
    ExpectVec(regular.vertices[0], {550, 550}, "regular point 0");

    const IsotoxalStarPolygon& isotoxal = *game->isotoxalStar;
    ExpectVec(isotoxal.center, {900, 550}, "isotoxal centre");
    EXPECT_EQ(isotoxal.vertexCount, 7);
    EXPECT_EQ(isotoxal.alpha, 24.0f * 3.1415927f / 180.0f);
    EXPECT_EQ(isotoxal.alpha, 0.41887903f);
    EXPECT_EQ(isotoxal.radius, 200.0f);
    EXPECT_EQ(isotoxal.angleOffset, 36.0f * 3.1415927f / 180.0f);
    EXPECT_EQ(isotoxal.angleOffset, 0.62831855f);
    EXPECT_EQ(isotoxal.vertices.size(), 14u);
}

// ---- The sixteen start-up texts ----

TEST_F(EditorScreen, AllSixteenTexturesAndBothFiguresExist) {
    const std::vector<ShownText> texts = ShownTexts(*game);
    ASSERT_EQ(texts.size(), kTextCount);
    for (size_t i = 0; i < kTextCount; ++i) {
        ASSERT_NE(texts[i].texture, nullptr) << kStartupTexts[i].name;
        EXPECT_TRUE(texts[i].texture->creationOk) << kStartupTexts[i].name;
    }
    EXPECT_NE(game->regularStar, nullptr);
    EXPECT_NE(game->isotoxalStar, nullptr);
}

TEST_F(EditorScreen, EachTextStandsAtItsStartupPosition) {
    const std::vector<ShownText> texts = ShownTexts(*game);
    for (size_t i = 0; i < kTextCount; ++i) ExpectVec(texts[i].pos, kStartupTexts[i].pos, kStartupTexts[i].name);
}

// The font's own measure of each expected string tells the texts apart, trailing blanks included.
TEST_F(EditorScreen, EachTextureHasTheSizeOfItsTextAtItsPointSize) {
    const std::vector<ShownText> texts = ShownTexts(*game);
    for (size_t i = 0; i < kTextCount; ++i) {
        const StartupText& expected = kStartupTexts[i];
        TTF_Font* font = TTF_OpenFont("Resources/Baloo.ttf", expected.pointSize);
        ASSERT_NE(font, nullptr) << SDL_GetError();
        int w = 0, h = 0;
        ASSERT_EQ(TTF_SizeText(font, expected.text, &w, &h), 0);
        TTF_CloseFont(font);
        EXPECT_EQ(texts[i].texture->width, static_cast<float>(w)) << expected.name << " \"" << expected.text << '"';
        EXPECT_EQ(texts[i].texture->height, static_cast<float>(h)) << expected.name << " \"" << expected.text << '"';
    }
}

// Digits of one width measure alike, so the uploaded image itself is compared with the expected text rendered here.
TEST_F(EditorScreen, EachTextureHoldsItsTextInTheTextColour) {
    const std::vector<ShownText> texts = ShownTexts(*game);
    const SDL_Color textBytes{98, 146, 99, 255};
    for (size_t i = 0; i < kTextCount; ++i) {
        const StartupText& expected = kStartupTexts[i];
        TTF_Font* font = TTF_OpenFont("Resources/Baloo.ttf", expected.pointSize);
        ASSERT_NE(font, nullptr) << SDL_GetError();
        SDL_Surface* rendered = TTF_RenderText_Blended(font, expected.text, textBytes);
        TTF_CloseFont(font);
        ASSERT_NE(rendered, nullptr) << SDL_GetError();
        SDL_Surface* rgba = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_RGBA32, 0);
        SDL_FreeSurface(rendered);
        ASSERT_NE(rgba, nullptr) << SDL_GetError();

        const Texture& texture = *texts[i].texture;
        ASSERT_EQ(texture.width, static_cast<float>(rgba->w)) << expected.name;
        ASSERT_EQ(texture.height, static_cast<float>(rgba->h)) << expected.name;
        std::vector<uint8_t> uploaded(static_cast<size_t>(rgba->w) * static_cast<size_t>(rgba->h) * 4);
        glBindTexture(GL_TEXTURE_2D, texture.id);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, uploaded.data());

        int differing = 0;
        const size_t row = static_cast<size_t>(rgba->w) * 4;
        for (int y = 0; y < rgba->h; ++y) {
            const auto* wanted = static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch;
            for (size_t b = 0; b < row; ++b) differing += uploaded[static_cast<size_t>(y) * row + b] != wanted[b];
        }
        SDL_FreeSurface(rgba);
        EXPECT_EQ(differing, 0) << expected.name << " \"" << expected.text << '"';
    }
}

// ---- A missing font ----

namespace {
// Runs in an empty temporary folder for the life of the object, so relative paths find nothing.
class InEmptyFolder {
public:
    InEmptyFolder() : previous(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "star-no-font-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) folder = pattern;
        if (!folder.empty()) std::filesystem::current_path(folder);
    }
    ~InEmptyFolder() {
        std::filesystem::current_path(previous);
        if (!folder.empty()) std::filesystem::remove_all(folder);
    }
    InEmptyFolder(const InEmptyFolder&) = delete;
    InEmptyFolder& operator=(const InEmptyFolder&) = delete;
    bool Entered() const { return !folder.empty(); }

private:
    std::filesystem::path previous;
    std::filesystem::path folder;
};
}  // namespace

TEST(MissingFont, EveryTextBecomesAMagentaSquareAndTheFiguresStillShow) {
    ASSERT_NE(SharedCore(), nullptr);
    std::unique_ptr<Game> game;
    std::vector<std::string> lines;
    {
        InEmptyFolder empty;
        ASSERT_TRUE(empty.Entered());
        StderrCapture stderrCapture;
        game = std::make_unique<Game>(EditorWindowSettings());
        lines = stderrCapture.Lines();
    }
    ASSERT_EQ(lines.size(), kTextCount);
    const std::string prefix = "Texture::CreateFromString, error when calling TTF_OpenFont: ";
    for (const std::string& line : lines) {
        EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
        EXPECT_GT(line.size(), prefix.size()) << "no SDL error text";
    }

    const std::vector<ShownText> texts = ShownTexts(*game);
    for (size_t i = 0; i < kTextCount; ++i) {
        ASSERT_NE(texts[i].texture, nullptr) << kStartupTexts[i].name;
        EXPECT_FALSE(texts[i].texture->creationOk) << kStartupTexts[i].name;
        ExpectVec(texts[i].pos, kStartupTexts[i].pos, kStartupTexts[i].name);
    }
    ASSERT_TRUE(game->regularStar && game->isotoxalStar);

    const Frame frame = DrawnFrame(*game);
    SaveFramePng("missing-font");
    for (const StartupText& text : kStartupTexts) {
        const int x = static_cast<int>(text.pos.x);
        const int y = static_cast<int>(std::ceil(text.pos.y));
        for (int dy = 1; dy < 9; ++dy)
            for (int dx = 1; dx < 9; ++dx)
                ASSERT_EQ(Bytes(frame.At(x + dx, y + dy)), Bytes(kMagenta)) << text.name << " +" << dx << ",+" << dy;
        EXPECT_NE(frame.At(x - 2, y + 5), kMagenta) << text.name;
        EXPECT_NE(frame.At(x + 12, y + 5), kMagenta) << text.name;
        EXPECT_NE(frame.At(x + 5, y + 12), kMagenta) << text.name;
    }
    // Sixteen separate 10 by 10 squares and nothing else in magenta.
    EXPECT_EQ(frame.Count(kMagenta), static_cast<int>(kTextCount) * 100);
    EXPECT_EQ(Bytes(frame.At(550, 550)), Bytes(kBlack)) << "regular point 0";
    EXPECT_EQ(Bytes(frame.At(900, 550)), Bytes(kBlack)) << "isotoxal centre";
}

// ---- The default frame ----

class DefaultFrame : public EditorScreen {
protected:
    void SetUp() override {
        EditorScreen::SetUp();
        frame = std::make_unique<Frame>(DrawnFrame(*game));
    }
    // The colour at a point that no text covers; the point is checked to be clear of every text quad.
    void ExpectClearPixel(int x, int y, Pixel colour, const std::string& what) const {
        ASSERT_FALSE(InsideAnyText(*game, x, y)) << what << " at (" << x << ", " << y << ") lies under a text";
        EXPECT_EQ(Bytes(frame->At(x, y)), Bytes(colour)) << what << " at (" << x << ", " << y << ")";
    }
    std::unique_ptr<Frame> frame;
};

TEST_F(DefaultFrame, StripsHaveTheirColoursAndMeetAt250And850) {
    const struct { int x, y; Pixel colour; const char* what; } cases[] = {
        {0, 899, kChrome, "title bar, top-left corner"},  {1199, 899, kChrome, "title bar, top-right corner"},
        {1190, 850, kChrome, "title bar, lowest row"},    {1190, 849, kFigureArea, "figure area, top row"},
        {1190, 250, kFigureArea, "figure area, bottom row"}, {1190, 249, kChrome, "panel, top row"},
        {5, 5, kChrome, "panel, bottom-left"},            {1199, 0, kChrome, "panel, bottom-right corner"},
        {100, 300, kFigureArea, "figure area"},           {1100, 800, kFigureArea, "figure area"},
        {700, 260, kFigureArea, "figure area"},           {0, 500, kFigureArea, "figure area, left edge"},
        {1199, 500, kFigureArea, "figure area, right edge"},
    };
    for (const auto& c : cases) ExpectClearPixel(c.x, c.y, c.colour, c.what);
}

TEST_F(DefaultFrame, DividerIsTenPixelsWideAcrossTheFigureAreaOnly) {
    for (int y : {250, 300, 450, 700, 849}) {
        for (int x = 595; x <= 604; ++x) ExpectClearPixel(x, y, kChrome, "divider");
        ExpectClearPixel(594, y, kFigureArea, "left of the divider");
        ExpectClearPixel(605, y, kFigureArea, "right of the divider");
    }
    // Over the strips it has their colour: the chrome goes on unbroken on both sides of x = 600.
    for (int y : {100, 240, 870}) {
        for (int x : {590, 594, 600, 605, 610}) ExpectClearPixel(x, y, kChrome, "strip across the divider");
    }
}

TEST_F(DefaultFrame, PanelRuleIsABlackLineFivePixelsWideAt53) {
    // y = 40 / 3 + 40 = 53.33: rows 51 to 55 are black wherever no text lies over them.
    int blackChecked = 0;
    for (int x = 0; x < kWindowWidth; ++x) {
        if (InsideAnyText(*game, x, 53)) continue;
        for (int y = 51; y <= 55; ++y) EXPECT_EQ(Bytes(frame->At(x, y)), Bytes(kBlack)) << x << ", " << y;
        EXPECT_EQ(Bytes(frame->At(x, 50)), Bytes(kChrome)) << x;
        EXPECT_EQ(Bytes(frame->At(x, 56)), Bytes(kChrome)) << x;
        ++blackChecked;
    }
    EXPECT_GT(blackChecked, 100);
}

TEST_F(DefaultFrame, RegularFigureIsDrawnInBlackOnItsSevenEdgesAndPoints) {
    for (int i = 0; i < 7; ++i) {
        const PixelPos point = RegularPoint(i);
        ExpectClearPixel(point.x, point.y, kBlack, "point " + std::to_string(i));
        const PixelPos middle = RegularPoint(i, 0.5, (i + 3) % 7);
        ExpectClearPixel(middle.x, middle.y, kBlack, "middle of edge " + std::to_string(i) + "-" +
                                                        std::to_string((i + 3) % 7));
    }
    // Lines only: the centre, 55 pixels inside the inner heptagon, keeps the background.
    ExpectClearPixel(300, 550, kFigureArea, "regular centre");
    ExpectClearPixel(300, 750, kFigureArea, "inside the circle, off every edge");
}

TEST_F(DefaultFrame, IsotoxalFigureIsAFilledBlackStar) {
    ExpectClearPixel(900, 550, kBlack, "isotoxal centre");
    for (int i = 0; i < 7; ++i) {
        const double tip = 36.0 + i * 360.0 / 7.0;
        const double notch = tip + 180.0 / 7.0;
        const PixelPos inTip = IsotoxalPolar(tip, 150.0);
        const PixelPos inBody = IsotoxalPolar(notch, 50.0);
        const PixelPos outside = IsotoxalPolar(notch, 100.0);
        ExpectClearPixel(inTip.x, inTip.y, kBlack, "tip " + std::to_string(i));
        ExpectClearPixel(inBody.x, inBody.y, kBlack, "body near notch " + std::to_string(i));
        ExpectClearPixel(outside.x, outside.y, kFigureArea, "beyond notch " + std::to_string(i));
    }
}

TEST_F(DefaultFrame, EveryTextShowsInTheTextColourInsideItsQuad) {
    const std::vector<ShownText> texts = ShownTexts(*game);
    for (size_t i = 0; i < kTextCount; ++i)
        EXPECT_TRUE(frame->AnyInside(QuadOf(texts[i]), kTextBytes)) << kStartupTexts[i].name;
    EXPECT_EQ(frame->Count(kEditTextBytes), 0) << "no caret and no text being edited";
    EXPECT_EQ(frame->Count(kMagenta), 0) << "no failed text";
}

TEST_F(DefaultFrame, IsSavedAsTheDefaultScreenPicture) {
    const std::string path = SaveFramePng("default-screen");
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr) << IMG_GetError();
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(rgba->w, kWindowWidth);
    EXPECT_EQ(rgba->h, kWindowHeight);
    // The picture runs top to bottom: its first row is the title bar, its last the panel.
    auto pictureAt = [&](int x, int rowFromTop) {
        const auto* p = static_cast<const uint8_t*>(rgba->pixels) + rowFromTop * rgba->pitch + x * 4;
        return Pixel{p[0], p[1], p[2], p[3]};
    };
    for (const auto& [x, y] : {std::pair{1190, 860}, {1190, 500}, {1190, 200}, {900, 550}, {5, 53}})
        EXPECT_EQ(Bytes(pictureAt(x, kWindowHeight - 1 - y)), Bytes(frame->At(x, y))) << x << ", " << y;
    SDL_FreeSurface(rgba);
}

// ---- The caret ----

namespace {
// The pixels that differ between two frames, as a bounding box and a count.
struct Difference {
    int count = 0;
    int left = kWindowWidth, bottom = kWindowHeight, right = -1, top = -1;
};
Difference Compare(const Frame& a, const Frame& b) {
    Difference d;
    for (int y = 0; y < kWindowHeight; ++y)
        for (int x = 0; x < kWindowWidth; ++x)
            if (a.At(x, y) != b.At(x, y)) {
                ++d.count;
                d.left = std::min(d.left, x), d.right = std::max(d.right, x);
                d.bottom = std::min(d.bottom, y), d.top = std::max(d.top, y);
            }
    return d;
}

// The frame with and without the caret: the caret alone is the difference.
struct CaretFrames {
    Frame withCaret;
    Frame withoutCaret;
};
CaretFrames DrawWithAndWithoutCaret(Game& game) {
    Frame withCaret = DrawnFrame(game);
    game.isEditing = false;
    Frame withoutCaret = DrawnFrame(game);
    game.isEditing = true;
    game.Draw();  // leave the caret frame in the buffer for a picture
    return {std::move(withCaret), std::move(withoutCaret)};
}

// The caret runs from x to x + 10 at y 15, 5 wide (12.5 to 17.5): columns x to x + 9, rows 12 to 16.
void ExpectCaretAt(const CaretFrames& frames, int x, const std::string& what) {
    const Difference d = Compare(frames.withCaret, frames.withoutCaret);
    EXPECT_EQ(d.left, x) << what;
    EXPECT_EQ(d.right, x + 9) << what;
    EXPECT_EQ(d.bottom, 12) << what;
    EXPECT_EQ(d.top, 16) << what;
    for (int y = 12; y <= 16; ++y)
        for (int cx = x; cx <= x + 9; ++cx)
            EXPECT_EQ(Bytes(frames.withCaret.At(cx, y)), Bytes(kEditTextBytes)) << what << " at " << cx << ", " << y;
    for (int y = 12; y <= 16; ++y) {
        EXPECT_NE(frames.withCaret.At(x - 5, y), kEditTextBytes) << what;
        EXPECT_NE(frames.withCaret.At(x + 15, y), kEditTextBytes) << what;
    }
}
}  // namespace

TEST_F(EditorScreen, CaretUnderlinesTheDigitOfTheComponentBeingTyped) {
    enum Box { kBg, kStar };
    const struct { const char* picture; Box box; bool redEntered, greenEntered; int caretIndex; int x; } cases[] = {
        {"caret-bg-red-units", kBg, false, false, 2, 240},        // (240, 15) to (250, 15)
        {"caret-bg-green-hundreds", kBg, true, false, 0, 280},    // (280, 15) to (290, 15)
        {"caret-bg-blue-tens", kBg, true, true, 1, 380},
        {"caret-star-red-hundreds", kStar, false, false, 0, 825},
        {"caret-star-green-units", kStar, true, false, 2, 945},
        {"caret-star-blue-tens", kStar, true, true, 1, 1005},
    };
    for (const auto& c : cases) {
        ColorBoxState& state = c.box == kBg ? game->bgBoxState : game->starBoxState;
        game->isEditing = true;
        state = {true, c.redEntered, c.greenEntered};
        game->caretIndex = c.caretIndex;
        const CaretFrames frames = DrawWithAndWithoutCaret(*game);
        SaveFramePng(c.picture);
        ExpectCaretAt(frames, c.x, c.picture);
        EXPECT_EQ(frames.withCaret.Count(kEditTextBytes), 50) << c.picture << ": the caret is the only edited colour";
        state = {};
    }
}

TEST_F(EditorScreen, ClickingTheBackgroundBoxPutsTheCaretUnderItsFirstDigit) {
    ClickAt(*game, 100, 30);
    ASSERT_TRUE(game->isEditing);
    ASSERT_TRUE(game->bgBoxState.selected);
    const CaretFrames frames = DrawWithAndWithoutCaret(*game);
    SaveFramePng("caret-bg-clicked");
    ExpectCaretAt(frames, 200, "after the click");
    // The box's own texts are now in the editing colour too.
    const std::vector<ShownText> texts = ShownTexts(*game);
    for (size_t i = 8; i < 12; ++i)
        EXPECT_TRUE(frames.withoutCaret.AnyInside(QuadOf(texts[i]), kEditTextBytes)) << kStartupTexts[i].name;
}

TEST_F(EditorScreen, NoCaretWhileANumericBoxIsOpen) {
    for (size_t box = 0; box < 6; ++box) {
        game->isEditing = true;
        game->numericBoxes[box].selected = true;
        EXPECT_EQ(DrawnFrame(*game).Count(kEditTextBytes), 0) << "box " << box;
        game->numericBoxes[box].selected = false;
    }
    // Opened by a click, its own text turns to the editing colour, but the caret row stays as it was.
    game->isEditing = false;
    const Frame idle = DrawnFrame(*game);
    ClickAt(*game, 100, 220);
    ASSERT_TRUE(game->numericBoxes[0].selected);
    const Frame open = DrawnFrame(*game);
    SaveFramePng("numeric-box-open");
    for (int y = 10; y <= 20; ++y)
        for (int x = 0; x < kWindowWidth; ++x) ASSERT_EQ(open.At(x, y), idle.At(x, y)) << x << ", " << y;
}

TEST_F(EditorScreen, NoCaretWhenNothingIsBeingEdited) {
    game->bgBoxState.selected = true;  // a selection without isEditing draws no caret
    game->caretIndex = 1;
    EXPECT_EQ(DrawnFrame(*game).Count(kEditTextBytes), 0);
}

// ---- A frame after an edit ----

// The packaged builds replay this edit with real input and compare their frame with this picture.
TEST_F(EditorScreen, FiveTypedVerticesRedrawOnlyTheLeftHalfAsAFivePointStar) {
    const Frame before = DrawnFrame(*game);
    ClickAt(*game, 100, 220);
    Type(*game, {SDLK_5, SDLK_RETURN});
    ASSERT_EQ(game->regularStar->vertexCount, 5);
    ASSERT_EQ(game->regularStar->density, 2);
    const Frame after = DrawnFrame(*game);
    SaveFramePng("five-vertices");
    int changed = 0;
    for (int y = 0; y < kWindowHeight; ++y)
        for (int x = 0; x < kWindowWidth; ++x)
            if (after.At(x, y) != before.At(x, y)) {
                ++changed;
                ASSERT_LT(x, kWindowWidth / 2) << "the right half stays as it was, " << x << ", " << y;
            }
    EXPECT_GT(changed, 0);
    // Point 2 of {5/2} (at 144 degrees) is new; point 2 of {7/3} (at about 103 degrees) is gone.
    const PixelPos newPoint = PixelAt(300.0 + 250.0 * std::cos(0.8 * kPiDouble), 550.0 + 250.0 * std::sin(0.8 * kPiDouble));
    EXPECT_EQ(Bytes(after.At(newPoint.x, newPoint.y)), Bytes(kBlack));
    const PixelPos oldPoint = RegularPoint(2);
    EXPECT_EQ(Bytes(after.At(oldPoint.x, oldPoint.y)), Bytes(kFigureArea));
}
