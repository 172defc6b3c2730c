// The editor: both figures, every text on the screen, the eight input boxes and the scene colours.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "editor/WindowSettings.h"
#include "figures/IsotoxalStarPolygon.h"
#include "figures/RegularStarPolygon.h"
#include "figures/Types.h"
#include "render/Texture.h"

struct InputBox {
    Rect rect;
    bool selected = false;
};

// The component being typed is red until redEntered, then green until greenEntered, then blue.
struct ColorBoxState {
    bool selected = false;
    bool redEntered = false;
    bool greenEntered = false;
};

struct PlacedTexture {
    std::unique_ptr<Texture> texture;
    Vec2 pos;
};

class Game {
public:
    explicit Game(const WindowSettings& settings);
    ~Game();

    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void Initialize();
    void Draw() const;
    void OnMouseUp(const SDL_MouseButtonEvent& event);
    void OnKeyUp(const SDL_KeyboardEvent& event);

    // Numeric boxes: commit editText to the figure, and re-render the box's one text.
    void CommitRegularVertexCount();
    void CommitRegularDensity();
    void CommitRegularAngleOffset();
    void CommitIsotoxalVertexCount();
    void CommitIsotoxalAlpha();
    void CommitIsotoxalAngleOffset();
    void RefreshRegularVertexCount(bool selected);
    void RefreshRegularDensity(bool selected);
    void RefreshRegularAngleOffset(bool selected);
    void RefreshIsotoxalVertexCount(bool selected);
    void RefreshIsotoxalAlpha(bool selected);
    void RefreshIsotoxalAngleOffset(bool selected);

    // Colour boxes: put a digit at the caret of the current component, and re-render the four texts.
    void TypeBgColorDigit(int digit);
    void TypeStarColorDigit(int digit);
    void RefreshBgColor(bool selected);
    void RefreshStarColor(bool selected);

    WindowSettings window;
    Vec2 mousePos;
    bool isEditing = false;
    int32_t titleFontSize = 50;
    int32_t labelFontSize = 40;
    Rgba textColor;
    Rgba editTextColor;
    Rect titleBarRect;
    Rect panelRect;
    Rgba chromeColor;
    Rect figureAreaRect;
    Rgba backgroundColor;
    std::array<float, 3> backgroundRgb{};
    Rgba starColor;
    std::array<float, 3> starRgb{};
    std::string fontPath;
    std::unique_ptr<Texture> regularTitle;
    Vec2 regularTitlePos;
    std::unique_ptr<Texture> isotoxalTitle;
    Vec2 isotoxalTitlePos;
    Vec2 regularCenter;
    std::unique_ptr<RegularStarPolygon> regularStar;
    Vec2 isotoxalCenter;
    std::unique_ptr<IsotoxalStarPolygon> isotoxalStar;
    std::array<std::string, 3> regularLabels;
    std::array<PlacedTexture, 3> regularLabelTextures;
    int32_t caretIndex = 0;
    std::string bgLabel;
    std::unique_ptr<Texture> bgLabelTexture;
    std::array<std::unique_ptr<Texture>, 3> bgValueTextures;
    Vec2 bgLabelPos;
    Rect bgBox;
    ColorBoxState bgBoxState;
    std::array<Vec2, 3> bgValuePos{};
    std::string starLabel;
    std::unique_ptr<Texture> starLabelTexture;
    std::array<std::unique_ptr<Texture>, 3> starValueTextures;
    Vec2 starLabelPos;
    Rect starBox;
    ColorBoxState starBoxState;
    std::array<Vec2, 3> starValuePos{};
    float charWidth = 20.0f;
    std::string editText;
    std::array<InputBox, 6> numericBoxes{};
    std::array<std::string, 3> isotoxalLabels;
    std::array<PlacedTexture, 3> isotoxalLabelTextures;

private:
    // The eight boxes in the order the mouse and the keyboard examine them.
    static constexpr int kBgOrder = 0;
    static constexpr int kStarOrder = 1;
    static constexpr int kFirstNumericOrder = 2;
    static constexpr int kBoxCount = 8;
    static constexpr int kNoBox = -1;

    bool& BoxSelected(int order);
    bool BoxSelected(int order) const;
    Rect BoxRect(int order) const;
    void RefreshBox(int order, bool selected);
    int OpenBox() const;
    void OpenBoxAt(int order);
    void CloseBoxByClick(int order);
    void OnColorBoxKey(int order, SDL_Keycode key);
    void OnNumericBoxKey(int box, SDL_Keycode key);

    // The two colour boxes differ only in which fields they use.
    struct ColorBox {
        const std::string& label;
        std::array<float, 3>& rgb;
        Rgba& color;
        ColorBoxState& state;
        std::unique_ptr<Texture>& labelTexture;
        std::array<std::unique_ptr<Texture>, 3>& valueTextures;
    };
    ColorBox ColorBoxAt(int order);
    static int CurrentComponent(const ColorBoxState& state);
    void TypeColorDigit(ColorBox box, int digit);
    void RefreshColor(ColorBox box, bool selected);

    // The six numeric boxes differ only in label, texture slot, shown value and commit.
    PlacedTexture& NumericTexture(int box);
    const std::string& NumericLabel(int box) const;
    std::string NumericValueText(int box) const;
    void RefreshNumeric(int box, bool selected);
    void CommitNumeric(int box);

    Rgba TextColorFor(bool selected) const;
    void DrawTexts() const;
    void DrawCaret() const;
};
