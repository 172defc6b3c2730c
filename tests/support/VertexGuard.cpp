// Every glVertex2f of a program that links this file passes through here on its way to OpenGL.
#include "tests/support/VertexGuard.h"

#include <SDL_opengl.h>

#include <cmath>

namespace vertex_guard {
VertexTally vertexTally;

namespace {
std::vector<Vec2>* recordedVertices = nullptr;
}  // namespace

VertexRecorder::VertexRecorder() { recordedVertices = &vertices; }
VertexRecorder::~VertexRecorder() { recordedVertices = nullptr; }
}  // namespace vertex_guard

extern "C" GLAPI void GLAPIENTRY glVertex2f(GLfloat x, GLfloat y) {
    ++vertex_guard::vertexTally.sent;
    if (!std::isfinite(x) || !std::isfinite(y)) ++vertex_guard::vertexTally.nonFinite;
    if (vertex_guard::recordedVertices != nullptr) vertex_guard::recordedVertices->push_back({x, y});
    const GLfloat v[2] = {x, y};
    glVertex2fv(v);
}
