#include "figures/RegularStarPolygon.h"

#include <cmath>

RegularStarPolygon::RegularStarPolygon(Vec2 center, int32_t vertexCount, int32_t density, float radius,
                                       float lineWidth)
    : center(center),
      vertexCount(vertexCount),
      density(density),
      radius(radius),
      lineWidth(lineWidth),
      dotRadius(lineWidth * 0.5f - 1.0f) {
    UpdateVertices();
}

void RegularStarPolygon::UpdateVertices() {
    const float n = static_cast<float>(vertexCount);
    angleStep = ((360.0f / n) * kPi) / 180.0f;
    vertices.clear();
    for (int32_t i = 0; i < vertexCount; ++i) {
        const float a = static_cast<float>(i) * angleStep + angleOffset;
        vertices.push_back({std::cos(a) * radius + center.x, std::sin(a) * radius + center.y});
    }
}
