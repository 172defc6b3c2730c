// A program that links VertexGuard.cpp sees every glVertex2f before OpenGL does. Feedback mode only reports
// what is left after clipping, which silently drops non-finite corners.
#pragma once

#include <cstdint>
#include <vector>

#include "figures/Types.h"

namespace vertex_guard {

struct VertexTally {
    uint64_t sent = 0;
    uint64_t nonFinite = 0;
};
extern VertexTally vertexTally;

// Collects the coordinates passed to glVertex2f while alive.
class VertexRecorder {
public:
    VertexRecorder();
    ~VertexRecorder();
    VertexRecorder(const VertexRecorder&) = delete;
    VertexRecorder& operator=(const VertexRecorder&) = delete;
    std::vector<Vec2> vertices;
};

}  // namespace vertex_guard
