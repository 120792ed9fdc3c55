// Display lists of the tunnel mesh: one per ring slot, each holding the
// primitives of that slot's segment as the current drawing state draws them;
// the state around them (texturing, colour material, shade model) is set by
// Orbalt2::Draw once for all the lists it calls. The vertex data are copied
// into a list when it is compiled, so a slot's list is recompiled whenever
// the builder writes new geometry into it.
#include <algorithm>

#include "platform/gl_headers.h"
#include "tunnel/orbalt2.h"

void Orbalt2::SetDisplayLists(bool on) {
    // Lists already there were compiled from an older state (or would leak
    // when switched on twice): they go first either way.
    DeleteLists();
    if (on && lists) {
        // Errors left by others are not the lists'.
        while (glGetError() != GL_NO_ERROR) {
        }
        // A failed glGenLists gives 0. The names then stay 0 and nothing of
        // the tunnel is drawn until lists are switched off again; numbering
        // them 1, 2, ... instead would call lists that belong to others.
        const GLuint base = glGenLists(static_cast<GLsizei>(nSegments));
        if (base != 0)
            for (uint32_t i = 0; i < nSegments; ++i) lists[i] = base + i;
        CompileLists(0, nSegments);
    }
    listsActive = on;
    if (on) CheckLists();
}

bool Orbalt2::CheckLists() {
    if (!listsActive) return true;
    GLenum first = GL_NO_ERROR;
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        if (first == GL_NO_ERROR) first = error;
    if (first == GL_NO_ERROR) return true;
    DeleteLists();
    listsActive = 0;
    listsError = first;
    return false;
}

void Orbalt2::CompileLists(int32_t first, uint32_t count) {
    if (!lists || lists[0] == 0) return;
    if (count > nSegments) count = nSegments;
    const bool arrays = method == RenderMethod::VertexArrays;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t s = SlotOf(static_cast<uint32_t>(first) + i);
        // The arrays are read while a list is compiled, not when it is
        // called; each slot's compile hands them over and locks them as a
        // frame's draw does.
        if (arrays) EnableClientArrays();
        glNewList(lists[s], GL_COMPILE);
        (this->*drawRoutine)(s, 1);
        glEndList();
        if (arrays) DisableClientArrays();
    }
}

void Orbalt2::DeleteLists() {
    if (!lists) return;
    if (lists[0] != 0) glDeleteLists(lists[0], static_cast<GLsizei>(nSegments));
    std::fill(lists.get(), lists.get() + nSegments, 0u);
}
