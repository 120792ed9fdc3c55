// Drawing a range of the tunnel mesh: the range is split where it crosses the
// end of the ring, and around the chosen routine or the slots' display lists
// the vertex arrays, the compiled-array lock, texturing, colour material and
// flat shading are switched on and off again, so that nothing of it leaks
// into the rest of the frame.
#include <type_traits>

#include "display/extensions.h"
#include "platform/gl_headers.h"
#include "tunnel/orbalt2.h"

// The arrays are handed to OpenGL as they are, with stride 0.
static_assert(sizeof(Vector3) == 3 * sizeof(GLfloat) && std::is_standard_layout_v<Vector3>);
static_assert(sizeof(Color4) == 4 * sizeof(GLfloat) && std::is_standard_layout_v<Color4>);
static_assert(sizeof(TexCoord2) == 2 * sizeof(GLfloat) && std::is_standard_layout_v<TexCoord2>);
static_assert(sizeof(uint32_t) == sizeof(GLuint));

namespace {

void OutlineBox(const Box2& box, float z) {
    glBegin(GL_LINE_LOOP);
    glVertex3f(box.xmin, box.ymin, z);
    glVertex3f(box.xmax, box.ymin, z);
    glVertex3f(box.xmax, box.ymax, z);
    glVertex3f(box.xmin, box.ymax, z);
    glEnd();
}

}  // namespace

void Orbalt2::Draw(int32_t first, uint32_t count) {
    if (nSegments == 0) return;  // not sized, or a failed sizing
    if (count > nSegments) count = nSegments;
    const uint32_t slot = SlotOf(first);
    EnableDrawingState();
    if (listsActive) {
        // Name 0 is no list (sized while lists were on, or none could be
        // had): there is nothing to call, and GL would report an error.
        for (uint32_t i = 0; i < count; ++i)
            if (const GLuint name = lists[SlotOf(slot + i)]) glCallList(name);
    } else {
        if (method == RenderMethod::VertexArrays) EnableClientArrays();
        DrawParts(slot, count);
        if (method == RenderMethod::VertexArrays) DisableClientArrays();
    }
    DisableDrawingState();
}

// The state the drawing state needs around its primitives, set once a Draw
// rather than once a list: every change of it costs the renderer a
// revalidation, and a display list holds only the primitives.
void Orbalt2::EnableDrawingState() const {
    if (texcoords) glEnable(GL_TEXTURE_2D);
    if (normals && colors) glEnable(GL_COLOR_MATERIAL);
    // With flat shading the vertex that completes a strip triangle gives the
    // shade: the routines send each face normal just before it.
    if (renderMode == RenderMode::SolidFlat) glShadeModel(GL_FLAT);
}

void Orbalt2::DisableDrawingState() const {
    if (renderMode == RenderMode::SolidFlat) glShadeModel(GL_SMOOTH);
    if (normals && colors) glDisable(GL_COLOR_MATERIAL);
    if (texcoords) glDisable(GL_TEXTURE_2D);
}

// The routines draw unwrapped ranges only: a range past the last slot is
// drawn as slot ... nSegments - 1 and then from slot 0 on.
void Orbalt2::DrawParts(uint32_t slot, uint32_t count) {
    if (slot + count > nSegments) {
        const uint32_t k = nSegments - slot;
        (this->*drawRoutine)(slot, k);
        (this->*drawRoutine)(0, count - k);
    } else {
        (this->*drawRoutine)(slot, count);
    }
}

// The lock covers the whole mesh, not just the range: every routine may
// reach into the next slot, and the wireframe loops wrap to slot 0.
void Orbalt2::EnableClientArrays() {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, pos.get());
    if (normals && renderMode != RenderMode::SolidFlat) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, norm.get());
    }
    if (colors) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, 0, clr.get());
    }
    if (texcoords) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, texc.get());
    }
    if (arrayLock.lock) arrayLock.lock(0, static_cast<GLsizei>(nVertices));
}

void Orbalt2::DisableClientArrays() {
    if (arrayLock.unlock) arrayLock.unlock();
    if (texcoords) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    if (colors) glDisableClientState(GL_COLOR_ARRAY);
    if (normals && renderMode != RenderMode::SolidFlat) glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void Orbalt2::DrawBoxes(int32_t first, uint32_t count) const {
    if (nSegments == 0) return;
    if (count > nSegments) count = nSegments;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t s = SlotOf(static_cast<uint32_t>(first) + i);
        const float grey = (s & 1) == 0 ? 1.0f : 0.0f;
        const float z = pos[VertexOf(s, 0)].z;
        glColor3f(grey, grey, grey);
        OutlineBox(segBoxes[s], z);
        for (uint32_t k = 0; k < nSubBoxes; ++k) OutlineBox(subBoxes[size_t{s} * nSubBoxes + k], z);
    }
}
