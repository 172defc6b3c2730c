// The editor's construction: defaults, the fixed screen layout, the two figures and the sixteen texts; and teardown.
#include "editor/Game.h"

#include "editor/TextForms.h"

namespace {
constexpr float kTitleBarHeight = 50.0f;
constexpr float kPanelHeight = 250.0f;    // also the top of the panel that the label rows hang from
constexpr float kFigureAreaHeight = 600.0f;
constexpr float kFigureAreaTop = 850.0f;  // the title row hangs from it
constexpr float kFigureCenterY = 550.0f;
constexpr Rgba kChromeColor{0.15f, 0.15f, 0.15f, 1.0f};
constexpr std::array<float, 3> kDefaultBackgroundRgb{216.0f, 229.0f, 204.0f};
constexpr std::array<float, 3> kDefaultStarRgb{0.0f, 0.0f, 0.0f};

constexpr int32_t kRegularVertexCount = 7;
constexpr int32_t kRegularDensity = 3;
constexpr float kRegularRadius = 250.0f;
constexpr float kRegularLineWidth = 5.0f;
constexpr int32_t kIsotoxalVertexCount = 7;
constexpr float kIsotoxalAlphaDegrees = 24.0f;
constexpr float kIsotoxalRadius = 200.0f;
constexpr float kIsotoxalOffsetDegrees = 36.0f;

constexpr float kTitleLeft = 55.0f;
constexpr float kLabelLeft = 20.0f;
}  // namespace

Game::Game(const WindowSettings& settings)
    : window(settings),
      fontPath("Resources/Baloo.ttf"),
      regularLabels{"Number Of Vertices:  ", "Density:  ", "Angle Offset: "},
      bgLabel("BG Color: "),
      bgBox{12.0f, 20.0f, 415.0f, 28.0f},
      bgValuePos{{{200.0f, 0.0f}, {280.0f, 0.0f}, {360.0f, 0.0f}}},
      starLabel("Star Color: "),
      starBox{616.0f, 20.0f, 415.0f, 28.0f},
      starValuePos{{{825.0f, 0.0f}, {905.0f, 0.0f}, {985.0f, 0.0f}}},
      numericBoxes{{{{19.0f, 210.0f, 430.0f, 28.0f}},
                    {{19.0f, 151.0f, 210.0f, 28.0f}},
                    {{19.0f, 90.0f, 320.0f, 28.0f}},
                    {{617.0f, 210.0f, 430.0f, 28.0f}},
                    {{617.0f, 151.0f, 210.0f, 28.0f}},
                    {{617.0f, 90.0f, 320.0f, 28.0f}}}},
      isotoxalLabels{"Number Of Vertices:  ", "Alpha:  ", "Angle Offset: "} {
    Initialize();
}

void Game::Initialize() {
    const float width = window.width;
    titleBarRect = {0.0f, window.height - kTitleBarHeight, width, kTitleBarHeight};
    panelRect = {0.0f, 0.0f, width, kPanelHeight};
    chromeColor = kChromeColor;
    figureAreaRect = {0.0f, kPanelHeight, width, kFigureAreaHeight};
    backgroundRgb = kDefaultBackgroundRgb;
    backgroundColor = FromRgb255(backgroundRgb[0], backgroundRgb[1], backgroundRgb[2]);
    starRgb = kDefaultStarRgb;
    starColor = FromRgb255(starRgb[0], starRgb[1], starRgb[2]);
    regularCenter = {width * 0.25f, kFigureCenterY};
    isotoxalCenter = {(width * 0.25f) * 3.0f, kFigureCenterY};

    regularStar = std::make_unique<RegularStarPolygon>(regularCenter, kRegularVertexCount, kRegularDensity,
                                                       kRegularRadius, kRegularLineWidth);
    isotoxalStar = std::make_unique<IsotoxalStarPolygon>(isotoxalCenter, kIsotoxalVertexCount,
                                                         DegreesToRadians(kIsotoxalAlphaDegrees), kIsotoxalRadius,
                                                         DegreesToRadians(kIsotoxalOffsetDegrees));

    textColor = {98.0f / 255.0f, 146.0f / 255.0f, 99.0f / 255.0f, 1.0f};
    editTextColor = {98.0f / 255.0f, 99.0f / 255.0f, 146.0f / 255.0f, 1.0f};

    // Sixteen textures, in this order: titles, left boxes, right boxes, background colour, star colour.
    regularTitle = std::make_unique<Texture>("Regular Star Polygon", fontPath, titleFontSize, textColor);
    isotoxalTitle = std::make_unique<Texture>("Isotoxal Star Polygon", fontPath, titleFontSize, textColor);
    for (int box = 0; box < 6; ++box) RefreshNumeric(box, false);
    RefreshBgColor(false);
    RefreshStarColor(false);

    const float titleSize = static_cast<float>(titleFontSize);
    const float labelSize = static_cast<float>(labelFontSize);
    const float halfWidth = width * 0.5f;
    regularTitlePos = {kTitleLeft, kFigureAreaTop - titleSize * 0.25f};
    isotoxalTitlePos = {halfWidth + kTitleLeft, kFigureAreaTop - titleSize * 0.25f};
    float rowY = kPanelHeight;
    for (int row = 0; row < 3; ++row) {
        rowY = rowY - labelSize - labelSize * 0.5f;
        regularLabelTextures[static_cast<size_t>(row)].pos = {kLabelLeft, rowY};
        isotoxalLabelTextures[static_cast<size_t>(row)].pos = {halfWidth + kLabelLeft, rowY};
    }
    bgLabelPos = {kLabelLeft, 0.0f};
    starLabelPos = {halfWidth + kLabelLeft, 0.0f};
}

// Every texture is an OpenGL object: all of them go here, while Core still holds the context.
Game::~Game() {
    regularTitle.reset();
    isotoxalTitle.reset();
    regularStar.reset();
    isotoxalStar.reset();
    for (PlacedTexture& placed : regularLabelTextures) placed.texture.reset();
    for (PlacedTexture& placed : isotoxalLabelTextures) placed.texture.reset();
    bgLabelTexture.reset();
    for (auto& texture : bgValueTextures) texture.reset();
    starLabelTexture.reset();
    for (auto& texture : starValueTextures) texture.reset();
}

Rgba Game::TextColorFor(bool selected) const { return selected ? editTextColor : textColor; }
