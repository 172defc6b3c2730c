#include "render/PixelScale.h"

namespace {
float pixelScale = 1.0f;
}  // namespace

void SetPixelScale(float pixelsPerUnit) { pixelScale = pixelsPerUnit; }

float PixelScale() { return pixelScale; }
