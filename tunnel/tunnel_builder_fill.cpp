// A new ring: the checks and loading that start a build, and the ring's
// generation around the camera, spread over as many calls as its budget needs.
#include <cstring>
#include <initializer_list>

#include "tunnel/tunnel_builder.h"
#include "tunnel/zeroed_array.h"

namespace {

// Each drift's velocity bound, as a fraction of its parameter's range.
constexpr float kWalkRate = 0.2f;

}  // namespace

bool TunnelBuilder::Create(Orbalt2* targetMesh, uint32_t margin) {
    Reset();
    if (targetMesh == nullptr || margin == 0 || targetMesh->nSegments < 8) return false;
    const uint32_t n = targetMesh->nSegments;
    mesh = targetMesh;
    paramRing = NewZeroedArray<SectionParams>(n);
    sectionBoxes = NewZeroedArray<Box2>(n);
    sectionSubBoxes = NewZeroedArray<Box2>(size_t{n} * mesh->nSubBoxes);
    // Sections sized differently from the mesh would copy too few points.
    const bool sized = paramRing && sectionBoxes && sectionSubBoxes && sectionBehind.Resize(mesh->nSegPoints) &&
                       sectionAhead.Resize(mesh->nSegPoints);
    if (!sized) {
        Reset();
        return false;
    }
    // Unsigned arithmetic, so a margin that wrapped below zero is cut too.
    lookahead = std::min(margin, (n - 3) / 2 - 1);
    ringSize = n;
    ringPoints = mesh->nSegPoints;
    return true;
}

bool TunnelBuilder::Init(uint32_t walkSeed, float cameraZ, float sectionSpacing, const char* path,
                         const TunnelMessages& messages) {
    if (!StartBuild(walkSeed, cameraZ, sectionSpacing, path, messages)) return false;
    ContinueBuild();
    return true;
}

bool TunnelBuilder::StartBuild(uint32_t walkSeed, float cameraZ, float sectionSpacing, const char* path,
                               const TunnelMessages& messages) {
    phase = Phase::Failed;  // until the checks and the loading pass
    if (mesh == nullptr || !paramRing || !SizesMatch()) return false;
    // A spacing that is zero, negative or not a number cannot place sections,
    // one out of range cannot give them normals, and a camera too many
    // segments from the origin cannot be indexed.
    if (!(sectionSpacing >= kSmallestSpacing && sectionSpacing <= kLargestSpacing)) return false;
    seed = walkSeed;
    spacing = sectionSpacing;
    pending = 0;
    int32_t cameraSegment = 0;
    if (!SegmentOf(cameraZ, cameraSegment)) return false;
    if (path == nullptr || *path == '\0') {
        messages.Show("TunnelBuilder::Init() path not implemented");
        return false;
    }
    if (!sectionAhead.LoadParams(path, walkerAhead.stepScale, messages)) {
        messages.Show("TunnelBuilder::Init() section load failure");
        return false;
    }
    // Both directions start from the file's section: it is read and judged
    // once, which at thousands of points per section takes milliseconds.
    std::memcpy(walkerBehind.stepScale, walkerAhead.stepScale, sizeof walkerBehind.stepScale);
    sectionBehind.limits = sectionAhead.limits;
    sectionBehind.ReplaceParams(sectionAhead.params);
    walkerBehind.Init(seed, kWalkRate);
    walkerAhead.Init(seed, kWalkRate);

    const int32_t n = static_cast<int32_t>(ringSize);
    current = cameraSegment;
    start = current - n / 2 + 2;
    end = start + n - 4;
    nextFilled = start - 1;
    phase = Phase::Building;
    return true;
}

// The ring is walked forward from the section behind the window's start to
// the last one after its end, as the walker ahead goes on from there.
bool TunnelBuilder::ContinueBuild() {
    if (!Building()) return Ready();
    WorkBudget budget(buildBudget);
    while (nextFilled <= end + 2) {
        if (!SearchWithin(sectionAhead, walkerAhead, budget)) return false;
        StoreSection(nextFilled, sectionAhead);
        FinishSectionsBefore(nextFilled);
        ++nextFilled;
    }
    FinishRing();
    phase = Phase::Serving;
    return true;
}

// Once section i is stored: the faces and bounds of segment i - 1, the vertex
// normals of section i - 1, whose faces on both sides are there now, and the
// display list of segment i - 2, whose ends both have their normals. The
// first section's normals wait for the segment that closes the ring.
void TunnelBuilder::FinishSectionsBefore(int32_t i) {
    if (i < start) return;
    mesh->ComputeFaceNormals(i - 1, 1);
    BoundSegment(i - 1);
    if (i == start) return;
    mesh->ComputeVertexNormals(i - 1, 1);
    if (i > start + 1 && mesh->listsActive) mesh->CompileLists(i - 2, 1);
}

// The last section's segment joins it to the slot of the first (start - 1):
// with its faces, the normals of both and the lists of the segments that
// end at them complete the ring.
void TunnelBuilder::FinishRing() {
    const int32_t last = end + 2;
    mesh->ComputeFaceNormals(last, 1);
    mesh->ComputeVertexNormals(last, 1);
    mesh->ComputeVertexNormals(start - 1, 1);
    BoundSegment(last);
    if (!mesh->listsActive) return;
    for (int32_t i : {start - 1, last - 1, last}) mesh->CompileLists(i, 1);
    // Once a build, never in flight: every list of the new ring was compiled.
    mesh->CheckLists();
}
