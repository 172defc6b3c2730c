// The isotoxal star: n tips on a circle, n inner corners between them, all 2n edges equally long. Geometry only.
#pragma once

#include <cstdint>
#include <vector>

#include "figures/Types.h"

class IsotoxalStarPolygon {
public:
    IsotoxalStarPolygon(Vec2 center, int32_t vertexCount, float alpha, float radius, float angleOffset);

    // Recomputes angleStep and the 2n corners (outer 0, inner 0, outer 1, ...); needed after any field changes.
    void UpdateVertices();

    Vec2 center;
    int32_t vertexCount = 0;
    float alpha = 0.0f;
    float radius = 0.0f;
    float angleStep = 0.0f;
    float angleOffset = 0.0f;
    std::vector<Vec2> vertices;
};
