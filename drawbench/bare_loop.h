#pragma once
// The bare equivalent of one drawing path of the tunnel mesh: the primitives
// the path draws for a range of segments, as one glDrawElements call over an
// index array prepared once, in the render state the path draws them in.
// What it costs per frame is the floor the path is measured against.
//
// Per render mode:
//   points      GL_POINTS over the range's vertices;
//   sections    GL_LINES over the outline edges: closed outlines for direct
//               vertices (line loops), open ones for vertex arrays (line
//               strips), as each method draws them;
//   wireframe   the outlines of count + 1 sections as above, then each
//               segment's zigzag loop as GL_LINES;
//   solid flat  GL_TRIANGLES under GL_FLAT over vertices of its own, three a
//               triangle, each carrying the triangle's face normal: shared
//               vertices cannot give every triangle a normal of its own;
//   solid smooth GL_TRIANGLES over the mesh's triangles and arrays.
#include <cstdint>
#include <vector>

#include "platform/gl_headers.h"
#include "tunnel/orbalt2.h"

class BareLoop {
public:
    // Prepares the primitives of segments first ... first + count - 1 as
    // the mesh's current mode, method and attributes draw them. The mesh's
    // arrays must outlive the loop.
    BareLoop(const Orbalt2& mesh, int32_t first, uint32_t count);

    void Draw() const;

private:
    void AddOutlines(const Orbalt2& mesh, int32_t first, uint32_t count, bool closed);
    void AddZigzags(const Orbalt2& mesh, int32_t first, uint32_t count);
    void AddTriangles(const Orbalt2& mesh, int32_t first, uint32_t count);
    void AddFlatTriangles(const Orbalt2& mesh, int32_t first, uint32_t count);

    GLenum primitive = GL_TRIANGLES;
    bool flat = false;
    bool normals = false, colors = false, texcoords = false;
    std::vector<GLuint> indices;
    // The arrays drawn from: the mesh's own, or the unshared copies below.
    const Vector3* pos = nullptr;
    const Vector3* norm = nullptr;
    const Color4* clr = nullptr;
    const TexCoord2* texc = nullptr;
    std::vector<Vector3> flatPos, flatNorm;
    std::vector<Color4> flatClr;
    std::vector<TexCoord2> flatTexc;
};
