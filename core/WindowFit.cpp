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
}  // namespace

Drawable FitDrawable(const WindowSettings& settings, float width, float height, float maxPixelsPerUnit) {
    const double unitsWide = settings.width, unitsHigh = settings.height;
    double scale = std::min({static_cast<double>(maxPixelsPerUnit), width / unitsWide, height / unitsHigh});
    if (!(scale >= kMinPixelsPerUnit)) scale = kMinPixelsPerUnit;  // also a NaN from an empty screen

    const AspectSteps steps = StepsOf(settings.width, settings.height);
    double pixelsWide = 0.0, pixelsHigh = 0.0;
    if (steps.perUnitScale > 0.0) {
        // In whole steps, rounded down, so the drawable never outgrows the room; the minimum is rounded up.
        const double least = std::ceil(kMinPixelsPerUnit * steps.perUnitScale);
        const double count = std::max(least, std::floor(scale * steps.perUnitScale + 1e-9));
        if (count == steps.perUnitScale) return {static_cast<int>(settings.width), static_cast<int>(settings.height)};
        pixelsWide = count * steps.width;
        pixelsHigh = count * steps.height;
    } else {
        if (scale == 1.0) return {static_cast<int>(settings.width), static_cast<int>(settings.height)};
        pixelsWide = std::floor(unitsWide * scale);
        pixelsHigh = std::floor(unitsHigh * scale);
    }
    return {static_cast<int>(pixelsWide), static_cast<int>(pixelsHigh),
            static_cast<float>(pixelsWide / unitsWide)};
}

Drawable FitWindowToScreen(const WindowSettings& settings, const ScreenRoom& room) {
    const WindowBorders& b = room.borders;
    return FitDrawable(settings, static_cast<float>(room.usableWidth - b.left - b.right),
                       static_cast<float>(room.usableHeight - b.top - b.bottom), room.displayScale);
}
