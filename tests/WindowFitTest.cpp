// The window's size for the screens people have: the sizes below are worked out by hand from the usable area, the
// decorations and the display's scale, in whole steps of 4 x 3 pixels.
#include <gtest/gtest.h>

#include <cmath>

#include "core/WindowFit.h"

namespace {
struct ScreenCase {
    const char* screen;
    ScreenRoom room;
    int width;
    int height;
};

// Decorations as measured: a window manager's title bar on X11, Windows' at 96 and 144 DPI.
constexpr WindowBorders kOpenbox{21, 1, 5, 1};
constexpr WindowBorders kWindows100{22, 1, 1, 1};
constexpr WindowBorders kWindows125{27, 1, 1, 1};
constexpr WindowBorders kWindows150{31, 1, 1, 1};
constexpr WindowBorders kWindows200{40, 2, 2, 2};

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
        const WindowBorders& b = c.room.borders;
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
