#include "core/WindowFit.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
// A whole-pixel size keeps the drawing's aspect exactly when both sides are multiples of the aspect's reduced
// terms: 4 x 3 pixels per step for 1200 x 900, 300 steps at scale 1. Sizes that are not whole pixels get steps of
// one pixel.
struct AspectSteps {
    double width = 1.0;
    double height = 1.0;
    double perUnitScale = 1.0;  // steps at a scale of 1
};

AspectSteps StepsOf(float width, float height) {
    const bool whole = width >= 1.0f && height >= 1.0f && std::floor(width) == width && std::floor(height) == height;
    if (!whole) return {1.0, 1.0, 0.0};
    const long w = std::lround(width), h = std::lround(height), g = std::gcd(w, h);
    return {static_cast<double>(w / g), static_cast<double>(h / g), static_cast<double>(g)};
}

// The settings' size truncated, at a scale of 1: the window as it always was.
Drawable AsSettings(const WindowSettings& settings) {
    Drawable asSettings;
    asSettings.width = static_cast<int>(settings.width);
    asSettings.height = static_cast<int>(settings.height);
    return asSettings;
}

// The largest drawable of the settings' aspect inside width x height pixels at a scale between the two bounds.
Drawable FitBetween(const WindowSettings& settings, float width, float height, double minPixelsPerUnit,
                    double maxPixelsPerUnit) {
    const double unitsWide = settings.width, unitsHigh = settings.height;
    double scale = std::min({maxPixelsPerUnit, width / unitsWide, height / unitsHigh});
    if (!(scale >= minPixelsPerUnit)) scale = minPixelsPerUnit;  // also a NaN from an empty screen

    const AspectSteps steps = StepsOf(settings.width, settings.height);
    double pixelsWide = 0.0, pixelsHigh = 0.0;
    if (steps.perUnitScale > 0.0) {
        // In whole steps, rounded down, so the drawable never outgrows the room; the minimum is rounded up, and
        // is one step at least.
        const double least = std::max(1.0, std::ceil(minPixelsPerUnit * steps.perUnitScale));
        const double count = std::max(least, std::floor(scale * steps.perUnitScale + 1e-9));
        if (count == steps.perUnitScale) return AsSettings(settings);
        pixelsWide = count * steps.width;
        pixelsHigh = count * steps.height;
    } else {
        if (scale == 1.0) return AsSettings(settings);
        pixelsWide = std::max(1.0, std::floor(unitsWide * scale));
        pixelsHigh = std::max(1.0, std::floor(unitsHigh * scale));
    }
    Drawable fitted;
    fitted.width = static_cast<int>(pixelsWide);
    fitted.height = static_cast<int>(pixelsHigh);
    fitted.pixelsPerUnit = static_cast<float>(pixelsWide / unitsWide);
    return fitted;
}
}  // namespace

Drawable FitDrawable(const WindowSettings& settings, float width, float height, float maxPixelsPerUnit) {
    return FitBetween(settings, width, height, kMinPixelsPerUnit, maxPixelsPerUnit);
}

Drawable FitWindowToScreen(const WindowSettings& settings, const ScreenRoom& room) {
    const Insets& b = room.borders;
    return FitDrawable(settings, static_cast<float>(room.usableWidth - b.left - b.right),
                       static_cast<float>(room.usableHeight - b.top - b.bottom), room.displayScale);
}

Drawable PlaceDrawing(const WindowSettings& settings, const Drawable& asked, int width, int height,
                      float pixelsPerPoint) {
    Drawable placed = width == asked.width && height == asked.height
                          ? asked
                          : FitBetween(settings, static_cast<float>(width), static_cast<float>(height), 0.0, HUGE_VAL);
    // An odd pixel left over goes to the right and the bottom margin.
    Insets& m = placed.margins;
    m.left = (width - placed.width) / 2;
    m.top = (height - placed.height) / 2;
    m.right = width - placed.width - m.left;
    m.bottom = height - placed.height - m.top;
    placed.pixelsPerPoint = pixelsPerPoint;
    return placed;
}
