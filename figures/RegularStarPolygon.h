// The regular star polygon {n/m}: n points on a circle, each joined to the point m places further on. Geometry only.
#pragma once

#include <cstdint>
#include <vector>

#include "figures/Types.h"

class RegularStarPolygon {
public:
    RegularStarPolygon(Vec2 center, int32_t vertexCount, int32_t density, float radius, float lineWidth);

    // Recomputes angleStep and vertices; needed after vertexCount, radius, center or angleOffset change.
    void UpdateVertices();

    Vec2 center;
    int32_t vertexCount = 0;
    int32_t density = 0;
    float radius = 0.0f;
    float angleStep = 0.0f;
    float lineWidth = 0.0f;
    float dotRadius = 0.0f;
    float angleOffset = 0.0f;
    std::vector<Vec2> vertices;
};
