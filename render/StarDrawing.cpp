#include "render/StarDrawing.h"

#include <algorithm>
#include <cmath>

#include "figures/IsotoxalStarPolygon.h"
#include "figures/RegularStarPolygon.h"
#include "render/GlCompat.h"
#include "render/Primitives.h"

void DrawRegularStar(const RegularStarPolygon& star) {
    // A figure whose density or count broke its contract still draws only points it has.
    const int n = std::min(star.vertexCount, static_cast<int>(star.vertices.size()));
    if (n <= 0) return;
    const int m = ((star.density % n) + n) % n;

    // The chains s, s + m, s + 2m, ... started at s = 0 .. m cover every point, so together they draw exactly
    // the n edges i -> i + m (mod n), each several times, and every dot m + 1 times. In one opaque colour the
    // repeats change no pixel, so each edge (same start, same end, same width) and each dot is drawn once:
    // the cost no longer grows with the density.
    SetLineWidth(star.lineWidth);
    for (int i = 0; i < n; ++i) {
        DrawLine(star.vertices[static_cast<size_t>(i)], star.vertices[static_cast<size_t>((i + m) % n)]);
    }
    for (int i = 0; i < n; ++i) {
        const Vec2 p = star.vertices[static_cast<size_t>(i)];
        FillEllipse(p.x, p.y, star.dotRadius, star.dotRadius);
    }
}

namespace {
bool IsFinite(Vec2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }
}  // namespace

void DrawIsotoxalStar(const IsotoxalStarPolygon& star) {
    // Two tips at 180 degrees put the inner corners at infinity: such a star has no drawable shape.
    if (!IsFinite(star.center) || !std::all_of(star.vertices.begin(), star.vertices.end(), IsFinite)) return;

    const size_t k = star.vertices.size();
    for (size_t i = 0; i < k; ++i) {
        const Vec2 a = star.vertices[i];
        const Vec2 b = star.vertices[i + 1 == k ? 0 : i + 1];
        BeginShape(GL_TRIANGLES);
        ShapeVertex(a.x, a.y);
        ShapeVertex(star.center.x, star.center.y);
        ShapeVertex(b.x, b.y);
        EndShape();
    }
}
