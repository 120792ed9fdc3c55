#pragma once
// The tunnel mesh: a ring of nSegments section slots of nSegPoints vertices
// each, as flat arrays ready for OpenGL (tightly packed, stride 0). The
// topology (triangles, strips, texture coordinates) is fixed when the mesh is
// sized; the tunnel builder writes positions and boxes slot by slot and asks
// for the normals of what it wrote.
//
// Vertex of point j of slot s: s * nSegPoints + j. Segment s joins slot s to
// slot s + 1 (the last one wraps to slot 0); quad j of a segment is bounded by
// points j and j + 1 of both sections, and its triangles are
// 2 * (s * nSegPoints + j) and that + 1.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "display/extensions.h"
#include "platform/console.h"
#include "tunnel/box2.h"
#include "tunnel/render_options.h"
#include "tunnel/vector3.h"

struct Color4 {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

struct TexCoord2 {
    float s = 0.0f, t = 0.0f;
};

// Vertex indices of one triangle, in winding order.
struct Triangle {
    uint32_t v[3] = {0, 0, 0};
};

class Orbalt2 {
public:
    // Largest vertex count accepted: far beyond what can be drawn at a frame
    // rate, and it keeps every index and byte count well inside 32 bits.
    static constexpr uint32_t kMaxVertices = 1u << 24;
    static constexpr uint32_t kSubBoxesPerSegment = 8;

    Orbalt2() = default;
    ~Orbalt2();
    Orbalt2(const Orbalt2&) = delete;
    Orbalt2& operator=(const Orbalt2&) = delete;

    // Sizes the mesh for nSegments slots of nSegPoints points (note the
    // order: points first). Both must be powers of two, at least 4 points and
    // 2 segments. On a bad count or a failed allocation everything is
    // released and the result is false.
    bool Init(uint32_t pointsPerSection, uint32_t segmentCount);
    void Release();

    // Normals of segments (faces) or sections (vertices) first ... first +
    // count - 1, numbered as the builder numbers them (any sign); count is
    // cut to nSegments.
    void ComputeFaceNormals(int32_t first, uint32_t count);
    void ComputeVertexNormals(int32_t first, uint32_t count);
    // Mirrored texture coordinates: `around` repeats around each section,
    // `along` repeats along the ring.
    void ComputeTexCoords(float around, float along);
    // Writes the mesh's statistics to the console.
    void Dump(Console& console) const;

    // Drawing state. Each setter takes effect from the next Draw; while
    // display lists are active it deletes them and compiles a fresh set, as
    // the lists hold what the old state drew.
    void SetRenderMode(RenderMode mode);  // a value outside the enumeration draws solid smooth
    void SetMethod(RenderMethod m);       // a value outside the enumeration keeps the routine
    void SetNormals(bool on);
    void SetColors(bool on);
    void SetTexCoords(bool on);
    // The compiled-array lock of the context the mesh draws in, around each
    // vertex-array draw; an empty one draws without. Lists need no new
    // compile: the lock is client state, never compiled into them.
    void SetArrayLock(const ArrayLock& contextLock) { arrayLock = contextLock; }
    // One display list per slot, compiled from the current drawing state.
    // Switching on asks GL whether the whole set was made (see CheckLists).
    void SetDisplayLists(bool on);
    // Asks GL, once after a whole set of lists was compiled (never in a
    // frame: the question stalls drivers), whether they all were made. On an
    // error (out of memory on a huge tunnel) the lists go and the mesh draws
    // without them; the error stays in listsError for the program to report.
    // True when the lists are fine or there are none.
    bool CheckLists();
    // Recompiles the display lists of the given segments after their
    // geometry changed; nothing to do while no lists exist.
    void CompileLists(int32_t first, uint32_t count);

    // Draws segments first ... first + count - 1, numbered as the builder
    // numbers them (any sign); a range across the end of the ring is drawn as
    // two parts. count is cut to nSegments. Needs a current GL context.
    void Draw(int32_t first, uint32_t count);
    // Outlines the x-y box and the sub-boxes of each given segment at the z
    // of its first section, white for even slots and black for odd ones.
    void DrawBoxes(int32_t first, uint32_t count) const;

    // The slot of section or segment i, numbered as the builder numbers
    // them (any sign) or counted on from a slot.
    uint32_t SlotOf(int32_t i) const { return static_cast<uint32_t>(i) & (nSegments - 1); }
    uint32_t SlotOf(uint32_t i) const { return i & (nSegments - 1); }
    uint32_t VertexOf(uint32_t slot, uint32_t point) const { return slot * nSegPoints + point; }

    uint32_t nSegments = 0;
    uint32_t nSegPoints = 0;
    uint32_t nVertices = 0;
    uint32_t nTriangles = 0;
    std::unique_ptr<Vector3[]> pos;
    std::unique_ptr<Color4[]> clr;
    std::unique_ptr<Vector3[]> norm;
    std::unique_ptr<TexCoord2[]> texc;
    std::unique_ptr<Triangle[]> triV;
    std::unique_ptr<Vector3[]> triN;
    std::unique_ptr<uint32_t[]> strips;  // 2 * nSegPoints + 2 indices per segment
    std::unique_ptr<uint32_t[]> lists;   // display-list name per slot, 0 when none
    std::unique_ptr<Box2[]> segBoxes;
    std::unique_ptr<Box2[]> subBoxes;  // nSubBoxes per segment
    uint32_t nSubBoxes = 0;

    // Drawing state: survives sizing.
    RenderMode renderMode = RenderMode::SolidSmooth;
    RenderMethod method = RenderMethod::DirectVertices;
    uint8_t normals = 1;
    uint8_t colors = 0;
    uint8_t texcoords = 0;
    uint8_t listsActive = 0;
    uint32_t listsError = 0;  // the GL error that ended the display lists; 0 when none
    ArrayLock arrayLock;
    // Draws slots first ... first + count - 1 of one unwrapped part of a
    // range; chosen by renderMode and method.
    using DrawRoutine = void (Orbalt2::*)(uint32_t first, uint32_t count) const;
    DrawRoutine drawRoutine = &Orbalt2::DrawSmoothDirect;

    uint32_t StripLength() const { return 2 * nSegPoints + 2; }

private:
    // The ten drawing routines: direct vertices (one GL call per attribute)
    // and vertex arrays, for each render mode.
    void DrawPointsDirect(uint32_t first, uint32_t count) const;
    void DrawSectionsDirect(uint32_t first, uint32_t count) const;
    void DrawWireframeDirect(uint32_t first, uint32_t count) const;
    void DrawFlatDirect(uint32_t first, uint32_t count) const;
    void DrawSmoothDirect(uint32_t first, uint32_t count) const;
    void DrawPointsArrays(uint32_t first, uint32_t count) const;
    void DrawSectionsArrays(uint32_t first, uint32_t count) const;
    void DrawWireframeArrays(uint32_t first, uint32_t count) const;
    void DrawFlatArrays(uint32_t first, uint32_t count) const;
    void DrawSmoothArrays(uint32_t first, uint32_t count) const;
    // Per-vertex attributes of the direct routines, each when switched on.
    void SendNormalColorTexCoord(uint32_t v) const;
    void SendColorNormalTexCoord(uint32_t v) const;
    void SendColorTexCoord(uint32_t v) const;
    // Flat shading: the face normal of the triangle that strip vertex m of
    // the slot completes (the first triangle's before vertex 0).
    void SendFlatNormal(uint32_t slot, uint32_t m) const;
    void DrawFlatStrips(uint32_t first, uint32_t count, bool fromArrays) const;
    uint32_t NextSlotVertex(uint32_t v) const { return (v + nSegPoints) & (nVertices - 1); }
    const uint32_t* StripOf(uint32_t slot) const { return &strips[size_t{slot} * StripLength()]; }

    void EnableDrawingState() const;
    void DisableDrawingState() const;
    void DrawParts(uint32_t slot, uint32_t count);
    void EnableClientArrays();
    void DisableClientArrays();
    void RebuildListsIfActive();

    bool Allocate();
    void BuildTriangles();
    void BuildStrips();
    void DeleteLists();
    void ComputeFaceNormal(uint32_t triangle);
    Vector3 ProfileNormal(uint32_t slot, uint32_t j) const;
};
