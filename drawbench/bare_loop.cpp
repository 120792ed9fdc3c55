#include "drawbench/bare_loop.h"

#include <iterator>

BareLoop::BareLoop(const Orbalt2& mesh, int32_t first, uint32_t count)
    : normals(mesh.normals != 0),
      colors(mesh.colors != 0),
      texcoords(mesh.texcoords != 0),
      pos(mesh.pos.get()),
      norm(mesh.norm.get()),
      clr(mesh.clr.get()),
      texc(mesh.texc.get()) {
    if (count > mesh.nSegments) count = mesh.nSegments;
    const bool direct = mesh.method == RenderMethod::DirectVertices;
    switch (mesh.renderMode) {
        case RenderMode::Points:
            primitive = GL_POINTS;
            for (uint32_t i = 0; i < count; ++i) {
                const uint32_t base = mesh.VertexOf(mesh.SlotOf(first + static_cast<int32_t>(i)), 0);
                for (uint32_t v = base; v < base + mesh.nSegPoints; ++v) indices.push_back(v);
            }
            break;
        case RenderMode::Sections:
            primitive = GL_LINES;
            AddOutlines(mesh, first, count, direct);
            break;
        case RenderMode::Wireframe:
            primitive = GL_LINES;
            AddOutlines(mesh, first, count + 1, direct);
            AddZigzags(mesh, first, count);
            break;
        case RenderMode::SolidFlat: AddFlatTriangles(mesh, first, count); break;
        default: AddTriangles(mesh, first, count); break;
    }
}

// The edges of each outline in point order; a closed one adds the edge from
// the last point back to point 0.
void BareLoop::AddOutlines(const Orbalt2& mesh, int32_t first, uint32_t count, bool closed) {
    const uint32_t points = mesh.nSegPoints;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t base = mesh.VertexOf(mesh.SlotOf(first + static_cast<int32_t>(i)), 0);
        for (uint32_t j = 0; j + 1 < points; ++j) indices.insert(indices.end(), {base + j, base + j + 1});
        if (closed) indices.insert(indices.end(), {base + points - 1, base});
    }
}

// Each segment's loop a0 b0 a1 b1 ... back to a0, as separate edges.
void BareLoop::AddZigzags(const Orbalt2& mesh, int32_t first, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t slot = mesh.SlotOf(first + static_cast<int32_t>(i));
        const uint32_t next = mesh.SlotOf(first + static_cast<int32_t>(i) + 1);
        std::vector<GLuint> loop;
        for (uint32_t j = 0; j < mesh.nSegPoints; ++j)
            loop.insert(loop.end(), {mesh.VertexOf(slot, j), mesh.VertexOf(next, j)});
        for (size_t k = 0; k < loop.size(); ++k)
            indices.insert(indices.end(), {loop[k], loop[(k + 1) % loop.size()]});
    }
}

// A segment's triangles are numbered in strip order from twice its first vertex.
void BareLoop::AddTriangles(const Orbalt2& mesh, int32_t first, uint32_t count) {
    const uint32_t perSegment = 2 * mesh.nSegPoints;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t base = 2 * mesh.VertexOf(mesh.SlotOf(first + static_cast<int32_t>(i)), 0);
        for (uint32_t t = base; t < base + perSegment; ++t)
            indices.insert(indices.end(), std::begin(mesh.triV[t].v), std::end(mesh.triV[t].v));
    }
}

// Three vertices of its own per triangle, in the order of the mesh's
// triangles, each with the triangle's face normal: under GL_FLAT the last one
// gives the shade, as the strip's last vertex does.
void BareLoop::AddFlatTriangles(const Orbalt2& mesh, int32_t first, uint32_t count) {
    flat = true;
    const uint32_t perSegment = 2 * mesh.nSegPoints;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t base = 2 * mesh.VertexOf(mesh.SlotOf(first + static_cast<int32_t>(i)), 0);
        for (uint32_t t = base; t < base + perSegment; ++t)
            for (uint32_t v : mesh.triV[t].v) {
                indices.push_back(static_cast<GLuint>(flatPos.size()));
                flatPos.push_back(mesh.pos[v]);
                flatNorm.push_back(mesh.triN[t]);
                flatClr.push_back(mesh.clr[v]);
                flatTexc.push_back(mesh.texc[v]);
            }
    }
    pos = flatPos.data();
    norm = flatNorm.data();
    clr = flatClr.data();
    texc = flatTexc.data();
}

void BareLoop::Draw() const {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, pos);
    if (normals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, norm);
    }
    if (colors) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, 0, clr);
    }
    if (texcoords) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, texc);
        glEnable(GL_TEXTURE_2D);
    }
    if (normals && colors) glEnable(GL_COLOR_MATERIAL);
    if (flat) glShadeModel(GL_FLAT);
    glDrawElements(primitive, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
    if (flat) glShadeModel(GL_SMOOTH);
    if (normals && colors) glDisable(GL_COLOR_MATERIAL);
    if (texcoords) {
        glDisable(GL_TEXTURE_2D);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (colors) glDisableClientState(GL_COLOR_ARRAY);
    if (normals) glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
