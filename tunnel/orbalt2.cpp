#include "tunnel/orbalt2.h"

#include <cstdint>

#include "display/power_of_two.h"
#include "tunnel/zeroed_array.h"

namespace {

// The console shows addresses in 32 bits, as the statistics lines always have.
unsigned AddressText(const void* address) { return static_cast<unsigned>(reinterpret_cast<uintptr_t>(address)); }

}  // namespace

Orbalt2::~Orbalt2() { Release(); }

bool Orbalt2::Init(uint32_t pointsPerSection, uint32_t segmentCount) {
    Release();
    if (segmentCount < 2 || !IsPowerOfTwo(segmentCount)) return false;
    if (pointsPerSection < 4 || !IsPowerOfTwo(pointsPerSection)) return false;
    // Both are powers of two, so the product exceeds the limit exactly when
    // the sum of their exponents does; testing by division avoids overflow.
    if (segmentCount > kMaxVertices / pointsPerSection) return false;

    nSegments = segmentCount;
    nSegPoints = pointsPerSection;
    nVertices = segmentCount * pointsPerSection;
    nTriangles = 2 * nVertices;
    nSubBoxes = kSubBoxesPerSegment;
    if (!Allocate()) {
        Release();
        return false;
    }
    BuildTriangles();
    BuildStrips();
    return true;
}

bool Orbalt2::Allocate() {
    pos = NewZeroedArray<Vector3>(nVertices);
    if (!pos) return false;
    clr = NewZeroedArray<Color4>(nVertices);
    if (!clr) return false;
    norm = NewZeroedArray<Vector3>(nVertices);
    if (!norm) return false;
    texc = NewZeroedArray<TexCoord2>(nVertices);
    if (!texc) return false;
    triV = NewZeroedArray<Triangle>(nTriangles);
    if (!triV) return false;
    triN = NewZeroedArray<Vector3>(nTriangles);
    if (!triN) return false;
    strips = NewZeroedArray<uint32_t>(size_t{nSegments} * StripLength());
    if (!strips) return false;
    lists = NewZeroedArray<uint32_t>(nSegments);
    if (!lists) return false;
    segBoxes = NewZeroedArray<Box2>(nSegments);
    if (!segBoxes) return false;
    subBoxes = NewZeroedArray<Box2>(size_t{nSegments} * nSubBoxes);
    return subBoxes != nullptr;
}

void Orbalt2::Release() {
    DeleteLists();
    pos.reset();
    clr.reset();
    norm.reset();
    texc.reset();
    triV.reset();
    triN.reset();
    strips.reset();
    lists.reset();
    segBoxes.reset();
    subBoxes.reset();
    nSegments = nSegPoints = nVertices = nTriangles = nSubBoxes = 0;
}

void Orbalt2::BuildTriangles() {
    const uint32_t pointMask = nSegPoints - 1;
    for (uint32_t s = 0; s < nSegments; ++s) {
        const uint32_t a = VertexOf(s, 0);
        const uint32_t b = VertexOf((s + 1) & (nSegments - 1), 0);
        for (uint32_t j = 0; j < nSegPoints; ++j) {
            const uint32_t next = (j + 1) & pointMask;
            const uint32_t first = 2 * (a + j);
            triV[first] = Triangle{{a + j, b + j, a + next}};
            triV[first + 1] = Triangle{{a + next, b + j, b + next}};
        }
    }
}

// Each strip starts with its segment's first triangle and then adds the third
// vertex of every following one, so drawn as a triangle strip it reproduces
// the triangles in order and with their winding.
void Orbalt2::BuildStrips() {
    for (uint32_t s = 0; s < nSegments; ++s) {
        const uint32_t a = VertexOf(s, 0);
        const uint32_t b = VertexOf((s + 1) & (nSegments - 1), 0);
        uint32_t* strip = &strips[size_t{s} * StripLength()];
        for (uint32_t j = 0; j < nSegPoints; ++j) {
            strip[2 * size_t{j}] = a + j;
            strip[2 * size_t{j} + 1] = b + j;
        }
        strip[2 * size_t{nSegPoints}] = a;
        strip[2 * size_t{nSegPoints} + 1] = b;
    }
}

void Orbalt2::Dump(Console& console) const {
    console.Printf("Orbalt2 @ 0x%X \n", AddressText(this));
    console.Printf("nSegments %d, nSegPoints %d, nVertices %d, nTriangles %d \n", static_cast<int>(nSegments),
                   static_cast<int>(nSegPoints), static_cast<int>(nVertices), static_cast<int>(nTriangles));
    console.Printf("pos @ 0x%X, clr @ 0x%X, norm @ 0x%X, texc @ 0x%X \n", AddressText(pos.get()),
                   AddressText(clr.get()), AddressText(norm.get()), AddressText(texc.get()));
    console.Printf("triV @ 0x%X, triN @ 0x%X \n", AddressText(triV.get()), AddressText(triN.get()));
}
