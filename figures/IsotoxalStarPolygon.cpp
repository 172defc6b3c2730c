#include "figures/IsotoxalStarPolygon.h"

#include <cmath>

IsotoxalStarPolygon::IsotoxalStarPolygon(Vec2 center, int32_t vertexCount, float alpha, float radius,
                                         float angleOffset)
    : center(center), vertexCount(vertexCount), alpha(alpha), radius(radius), angleOffset(angleOffset) {
    UpdateVertices();
}

void IsotoxalStarPolygon::UpdateVertices() {
    const float n = static_cast<float>(vertexCount);
    angleStep = ((360.0f / n) * kPi) / 180.0f;
    vertices.clear();
    if (vertexCount <= 0) return;

    // Law of sines in the triangle centre - tip - neighbouring inner corner: half the step at the centre,
    // half the tip angle at the tip. Two tips at 180 degrees make the denominator 0: corners at infinity.
    const float innerRadius = std::sin(alpha * 0.5f) / std::sin(kPi - angleStep * 0.5f - alpha * 0.5f) * radius;

    vertices.reserve(2 * static_cast<size_t>(vertexCount));
    for (int32_t i = 0; i < vertexCount; ++i) {
        const float outer = static_cast<float>(i) * angleStep + angleOffset;
        const float inner = (static_cast<float>(i) * angleStep + angleStep * 0.5f) + angleOffset;
        vertices.push_back({std::cos(outer) * radius + center.x, std::sin(outer) * radius + center.y});
        vertices.push_back({std::cos(inner) * innerRadius + center.x, std::sin(inner) * innerRadius + center.y});
    }
}
