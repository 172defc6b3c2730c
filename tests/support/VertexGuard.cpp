// Every glVertex2f of a program that links this file passes through here on its way to OpenGL. Feedback mode only
// reports what is left after clipping, which silently drops non-finite corners; this counts them before OpenGL
// sees them.
#include <SDL_opengl.h>

#include <cmath>

#include "tests/support/Invariants.h"

namespace invariants {
VertexTally vertexTally;
}  // namespace invariants

extern "C" GLAPI void GLAPIENTRY glVertex2f(GLfloat x, GLfloat y) {
    ++invariants::vertexTally.sent;
    if (!std::isfinite(x) || !std::isfinite(y)) ++invariants::vertexTally.nonFinite;
    const GLfloat v[2] = {x, y};
    glVertex2fv(v);
}
