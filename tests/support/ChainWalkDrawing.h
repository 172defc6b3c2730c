// The regular figure drawn as first designed, step for step: m + 1 chains of n steps, so every edge and dot
// m + 1 times, the dot of step j at point j. The oracle for the drawing that replaced it, and its old cost.
#pragma once

#include <SDL_opengl.h>

#include "figures/RegularStarPolygon.h"
#include "render/Primitives.h"

inline void DrawByChainWalk(const RegularStarPolygon& star) {
    const int n = star.vertexCount;
    const int m = star.density;
    const auto wrap = [n](int k) { return k >= n ? k - n : k; };
    const auto& v = star.vertices;
    for (int s = 0; s <= m; ++s) {
        int cur = s;
        int next = wrap(s + m);
        for (int j = 0; j < n; ++j) {
            glLineWidth(star.lineWidth);
            glBegin(GL_LINES);
            glVertex2f(v[static_cast<size_t>(cur)].x, v[static_cast<size_t>(cur)].y);
            glVertex2f(v[static_cast<size_t>(next)].x, v[static_cast<size_t>(next)].y);
            glEnd();
            cur = next;
            FillEllipse(v[static_cast<size_t>(j)].x, v[static_cast<size_t>(j)].y, star.dotRadius, star.dotRadius);
            next = wrap(next + m);
        }
    }
}
