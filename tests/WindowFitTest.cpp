// The window's size for the screens people have, and where the drawing goes in the window a desktop gives it: the
// sizes below are worked out by hand from the usable area, the decorations and the display's scale, in whole steps
// of 4 x 3 pixels.
#include <gtest/gtest.h>

#include <cmath>

#include "core/EventRouting.h"
#include "core/WindowFit.h"

namespace {
struct ScreenCase {
    const char* screen;
    ScreenRoom room;
    int width;
    int height;
};

// Decorations as measured: a window manager's title bar on X11, Windows' at 96 and 144 DPI.
constexpr Insets kOpenbox{21, 1, 5, 1};
constexpr Insets kWindows100{22, 1, 1, 1};
constexpr Insets kWindows125{27, 1, 1, 1};
constexpr Insets kWindows150{31, 1, 1, 1};
constexpr Insets kWindows200{40, 2, 2, 2};

const ScreenCase kScreens[] = {
    // 768 - 26 = 742 rows for 900: 247 steps (741 rows).
    {"1366x768 laptop, window manager", {1366, 768, kOpenbox, 1.0f}, 988, 741},
    // 900 - 26 = 874 rows: 291 steps.
    {"1440x900, window manager", {1440, 900, kOpenbox, 1.0f}, 1164, 873},
    {"1280x1024, window manager", {1280, 1024, kOpenbox, 1.0f}, 1200, 900},
    {"1920x1080 at 100 %, task bar", {1920, 1040, kWindows100, 1.0f}, 1200, 900},
    // 1.25 would be 1500 x 1125; 1040 - 28 = 1012 rows allow 337 steps.
    {"1920x1080 at 125 %, task bar", {1920, 1040, kWindows125, 1.25f}, 1348, 1011},
    {"3840x2160 at 150 %, task bar", {3840, 2100, kWindows150, 1.5f}, 1800, 1350},
    {"3840x2160 at 200 %, task bar", {3840, 2100, kWindows200, 2.0f}, 2400, 1800},
    // 768 - 32 = 736 rows: 245 steps; the display's 1.5 cannot be had.
    {"1366x768 at 150 %", {1366, 768, kWindows150, 1.5f}, 980, 735},
    // Half the drawing is the least: 600 x 450, though only 400 rows are there.
    {"640x400, below any sensible size", {640, 400, kOpenbox, 1.0f}, 600, 450},
    {"no usable area at all", {0, 0, {}, 1.0f}, 600, 450},
};

TEST(WindowFit, EachScreenGetsTheLargestWholeWindowThatFitsInFourByThree) {
    for (const ScreenCase& c : kScreens) {
        const Drawable d = FitWindowToScreen(EditorWindowSettings(), c.room);
        EXPECT_EQ(d.width, c.width) << c.screen;
        EXPECT_EQ(d.height, c.height) << c.screen;
        EXPECT_EQ(d.width * 3, d.height * 4) << c.screen;
        EXPECT_FLOAT_EQ(d.pixelsPerUnit, static_cast<float>(c.width) / 1200.0f) << c.screen;
        const Insets& b = c.room.borders;
        if (c.width > 600) {
            EXPECT_LE(d.height + b.top + b.bottom, c.room.usableHeight) << c.screen;
            EXPECT_LE(d.width + b.left + b.right, c.room.usableWidth) << c.screen;
        }
    }
}

// A page's canvas: its CSS size times the device pixel ratio, with no cap but the room.
TEST(WindowFit, ACanvasBufferIsTheLargestFourByThreeInsideItsDevicePixels) {
    const struct {
        float width, height;
        int expectedWidth, expectedHeight;
    } cases[] = {
        {1122.0f, 842.0f, 1120, 840},    // a 390-pixel-wide phone at 3 device pixels per CSS pixel
        {2400.0f, 1800.0f, 2400, 1800},  // 1200 x 900 CSS pixels at 2
        {1200.0f, 900.0f, 1200, 900},
        {836.0f, 627.0f, 836, 627},
    };
    for (const auto& c : cases) {
        const Drawable d = FitDrawable(EditorWindowSettings(), c.width, c.height, HUGE_VALF);
        EXPECT_EQ(d.width, c.expectedWidth) << c.width << " x " << c.height;
        EXPECT_EQ(d.height, c.expectedHeight) << c.width << " x " << c.height;
    }
}
}  // namespace

namespace {
// The window asked for: a whole drawable at its width over 1200 pixels a unit.
Drawable Asked(int width, int height) {
    Drawable asked;
    asked.width = width;
    asked.height = height;
    asked.pixelsPerUnit = static_cast<float>(width) / 1200.0f;
    return asked;
}

// Where each desktop put the window, measured, and a pointer on a box of the panel there. The areas are worked out
// by hand: the largest whole 4 x 3 steps in the drawable, centred, an odd pixel to the right and the bottom; the
// drawing units by hand from the pointer, the margins and the area's scale (its width over 1200).
struct PlaceCase {
    const char* desktop;
    Drawable asked;  // the window asked for
    int width;       // the drawable it got, in pixels
    int height;
    float pixelsPerPoint;
    int areaWidth;
    int areaHeight;
    Insets margins;
    int pointerX;  // window coordinates, row 0 at the top
    int pointerY;
    Vec2 units;
};

const PlaceCase kPlaces[] = {
    // 691 rows hold 230 steps: 920 x 690, (1276 - 920) / 2 = 178 to each side, one row left at the bottom. The
    // left vertex box: x (357 - 178) * 1200 / 920, y (690 - 518) * 1200 / 920.
    {"sway tile of a 1280x720 output", Asked(960, 720), 1276, 691, 1.0f, 920, 690, {0, 178, 1, 178}, 357, 518,
     {233.47826f, 224.34782f}},
    // i3 tiles it to 1362 x 728: 242 steps, 968 x 726, 197 to each side, a row above and below. The right vertex
    // box at 968 / 1200 pixels a unit: x (865 - 197) * 1200 / 968, y (727 - 546) * 1200 / 968.
    {"i3 tile of a 1366x768 screen", Asked(968, 726), 1362, 728, 1.0f, 968, 726, {1, 197, 1, 197}, 865,
     546, {828.09917f, 224.38016f}},
    // A 2560x1440 output at scale 2: the tile is 1276 x 672 in window coordinates, 2552 x 1344 pixels; 448 steps,
    // 1792 x 1344, 380 to each side. The right vertex box at 1792 / 1200: x (811 * 2 - 380) * 1200 / 1792,
    // y (1344 - 505 * 2) * 1200 / 1792.
    {"sway tile of a 2560x1440 output at scale 2", Asked(960, 720), 2552, 1344, 2.0f, 1792, 1344, {0, 380, 0, 380},
     811, 505, {831.69643f, 223.66071f}},
    // Half of a 1366x768 i3 screen, split side by side: 681 x 728, narrower than 4 : 3. 170 steps, 680 x 510,
    // 109 rows above and below, the odd column on the right. The left angle box: x 100 * 1200 / 680,
    // y (109 + 510 - 565) * 1200 / 680.
    {"i3 half of a 1366x768 screen", Asked(968, 726), 681, 728, 1.0f, 680, 510, {109, 0, 109, 1}, 100, 565,
     {176.47059f, 95.294118f}},
    // The size asked for is kept as it is, margins none: a 1366x768 screen's window, right vertex box at
    // x 685 * 1200 / 988, y (741 - 557) * 1200 / 988.
    {"the window asked for on a 1366x768 screen", Asked(988, 741), 988, 741, 1.0f, 988, 741, {}, 685,
     557, {831.98381f, 223.48178f}},
    // Windows at 150 %, as asked: the right vertex box at x 1248 / 1.5, y (1350 - 1014) / 1.5.
    {"the window asked for at 150 %", Asked(1800, 1350), 1800, 1350, 1.0f, 1800, 1350, {}, 1248, 1014,
     {832.0f, 224.0f}},
};

TEST(PlaceDrawing, TheDrawingTakesTheLargestCentredAreaAndPointersMapBackThroughIt) {
    for (const PlaceCase& c : kPlaces) {
        const Drawable d = PlaceDrawing(EditorWindowSettings(), c.asked, c.width, c.height, c.pixelsPerPoint);
        EXPECT_EQ(d.width, c.areaWidth) << c.desktop;
        EXPECT_EQ(d.height, c.areaHeight) << c.desktop;
        EXPECT_FLOAT_EQ(d.pixelsPerUnit, static_cast<float>(c.areaWidth) / 1200.0f) << c.desktop;
        EXPECT_EQ(d.margins.top, c.margins.top) << c.desktop;
        EXPECT_EQ(d.margins.left, c.margins.left) << c.desktop;
        EXPECT_EQ(d.margins.bottom, c.margins.bottom) << c.desktop;
        EXPECT_EQ(d.margins.right, c.margins.right) << c.desktop;
        const Vec2 p = ToDrawingUnits(d, c.pointerX, c.pointerY);
        EXPECT_NEAR(p.x, c.units.x, 1e-3) << c.desktop;
        EXPECT_NEAR(p.y, c.units.y, 1e-3) << c.desktop;
    }
}
}  // namespace
