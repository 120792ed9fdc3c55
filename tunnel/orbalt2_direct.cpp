// The direct-vertex drawing routines: every attribute of every vertex is its
// own GL call in immediate mode. Each routine draws slots first ... first +
// count - 1, wrapping at the end of the ring.
#include "platform/gl_headers.h"
#include "tunnel/orbalt2.h"

void Orbalt2::SendNormalColorTexCoord(uint32_t v) const {
    if (normals) glNormal3fv(&norm[v].x);
    if (colors) glColor4fv(&clr[v].r);
    if (texcoords) glTexCoord2fv(&texc[v].s);
}

void Orbalt2::SendColorNormalTexCoord(uint32_t v) const {
    if (colors) glColor4fv(&clr[v].r);
    if (normals) glNormal3fv(&norm[v].x);
    if (texcoords) glTexCoord2fv(&texc[v].s);
}

void Orbalt2::SendColorTexCoord(uint32_t v) const {
    if (colors) glColor4fv(&clr[v].r);
    if (texcoords) glTexCoord2fv(&texc[v].s);
}

// With flat shading the last vertex of each strip triangle gives the shade,
// so the normal set just before it is the one the whole triangle is lit with.
// Vertex 1 completes nothing and keeps the first triangle's normal.
void Orbalt2::SendFlatNormal(uint32_t slot, uint32_t m) const {
    if (!normals || m == 1) return;
    const uint32_t triangle = 2 * VertexOf(slot, 0) + (m < 2 ? 0 : m - 2);
    glNormal3fv(&triN[triangle].x);
}

void Orbalt2::DrawPointsDirect(uint32_t first, uint32_t count) const {
    glBegin(GL_POINTS);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t base = VertexOf(SlotOf(first + i), 0);
        for (uint32_t v = base; v < base + nSegPoints; ++v) {
            SendNormalColorTexCoord(v);
            glVertex3fv(&pos[v].x);
        }
    }
    glEnd();
}

void Orbalt2::DrawSectionsDirect(uint32_t first, uint32_t count) const {
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t base = VertexOf(SlotOf(first + i), 0);
        glBegin(GL_LINE_LOOP);
        for (uint32_t v = base; v < base + nSegPoints; ++v) {
            SendColorNormalTexCoord(v);
            glVertex3fv(&pos[v].x);
        }
        glEnd();
    }
}

// The outlines of both ends of every segment, then per segment one loop that
// zigzags between its two sections.
void Orbalt2::DrawWireframeDirect(uint32_t first, uint32_t count) const {
    DrawSectionsDirect(first, count + 1);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t base = VertexOf(SlotOf(first + i), 0);
        glBegin(GL_LINE_LOOP);
        for (uint32_t v = base; v < base + nSegPoints; ++v) {
            SendNormalColorTexCoord(v);
            glVertex3fv(&pos[v].x);
            const uint32_t w = NextSlotVertex(v);
            SendNormalColorTexCoord(w);
            glVertex3fv(&pos[w].x);
        }
        glEnd();
    }
}

// One triangle strip per segment, each triangle after its face normal (Draw
// sets flat shading around it); the vertices come from the arrays or are sent
// one call per attribute.
void Orbalt2::DrawFlatStrips(uint32_t first, uint32_t count, bool fromArrays) const {
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t slot = SlotOf(first + i);
        const uint32_t* strip = StripOf(slot);
        glBegin(GL_TRIANGLE_STRIP);
        for (uint32_t m = 0; m < StripLength(); ++m) {
            SendFlatNormal(slot, m);
            if (fromArrays) {
                glArrayElement(static_cast<GLint>(strip[m]));
            } else {
                SendColorTexCoord(strip[m]);
                glVertex3fv(&pos[strip[m]].x);
            }
        }
        glEnd();
    }
}

void Orbalt2::DrawFlatDirect(uint32_t first, uint32_t count) const { DrawFlatStrips(first, count, false); }

void Orbalt2::DrawSmoothDirect(uint32_t first, uint32_t count) const {
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t* strip = StripOf(SlotOf(first + i));
        glBegin(GL_TRIANGLE_STRIP);
        for (uint32_t m = 0; m < StripLength(); ++m) {
            SendNormalColorTexCoord(strip[m]);
            glVertex3fv(&pos[strip[m]].x);
        }
        glEnd();
    }
}
