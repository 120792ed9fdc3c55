// The vertex-array drawing routines: the mesh's arrays are handed to OpenGL
// by Orbalt2::Draw, and these only say which vertices make which primitives.
// Each routine draws slots first ... first + count - 1, wrapping at the end
// of the ring.
#include "platform/gl_headers.h"
#include "tunnel/orbalt2.h"

void Orbalt2::DrawPointsArrays(uint32_t first, uint32_t count) const {
    for (uint32_t i = 0; i < count; ++i)
        glDrawArrays(GL_POINTS, static_cast<GLint>(VertexOf(SlotOf(first + i), 0)),
                     static_cast<GLsizei>(nSegPoints));
}

// A line strip, not a loop: the edge from the last point back to point 0 is
// left out, which is what this path has always shown.
void Orbalt2::DrawSectionsArrays(uint32_t first, uint32_t count) const {
    for (uint32_t i = 0; i < count; ++i)
        glDrawArrays(GL_LINE_STRIP, static_cast<GLint>(VertexOf(SlotOf(first + i), 0)),
                     static_cast<GLsizei>(nSegPoints));
}

void Orbalt2::DrawWireframeArrays(uint32_t first, uint32_t count) const {
    DrawSectionsArrays(first, count + 1);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t base = VertexOf(SlotOf(first + i), 0);
        glBegin(GL_LINE_LOOP);
        for (uint32_t v = base; v < base + nSegPoints; ++v) {
            glArrayElement(static_cast<GLint>(v));
            glArrayElement(static_cast<GLint>(NextSlotVertex(v)));
        }
        glEnd();
    }
}

// The normal array is off in this mode: each triangle's face normal is given
// before the vertex that completes it.
void Orbalt2::DrawFlatArrays(uint32_t first, uint32_t count) const { DrawFlatStrips(first, count, true); }

void Orbalt2::DrawSmoothArrays(uint32_t first, uint32_t count) const {
    for (uint32_t i = 0; i < count; ++i)
        glDrawElements(GL_TRIANGLE_STRIP, static_cast<GLsizei>(StripLength()), GL_UNSIGNED_INT,
                       StripOf(SlotOf(first + i)));
}
