#include "tunnel/tunnel_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tunnel/zeroed_array.h"

namespace {

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
    built = false;
    filling = false;
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
    filling = true;
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
    filling = false;
    built = true;
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
}

bool TunnelBuilder::Ready() const { return built && SizesMatch(); }

bool TunnelBuilder::SizesMatch() const {
    return mesh != nullptr && mesh->nSegments == ringSize && mesh->nSegPoints == ringPoints;
}

bool TunnelBuilder::SegmentOf(float z, int32_t& segment) const {
    const double index = std::floor(z / spacing);
    if (!(std::fabs(index) <= kLargestSegment)) return false;  // also refuses NaN
    segment = static_cast<int32_t>(index);
    return true;
}

void TunnelBuilder::Update(float cameraZ) {
    int32_t c = 0;
    if (!Ready() || !SegmentOf(cameraZ, c)) return;
    WorkBudget budget(updateBudget);
    // A half-searched section belongs to the step it was begun for. Should
    // the camera have turned meanwhile, the window turns in the next update,
    // so that every update moves current one way only.
    if (pending != 0) {
        const int direction = pending;
        if (!StepToward(direction, budget) || (direction > 0 ? c < current : c > current)) return;
    }
    while (current != c)
        if (!StepToward(c > current ? 1 : -1, budget)) return;
}

float TunnelBuilder::Reachable(float cameraZ) const {
    int32_t c = 0;
    if (!Ready() || !SegmentOf(cameraZ, c)) return cameraZ;
    int32_t lowest = start + static_cast<int32_t>(lookahead) + 1;
    int32_t highest = end - static_cast<int32_t>(lookahead) - 1;
    // A half-searched section, once stored, moves the window on its side by
    // one: the segment that then leaves the other side is not offered, unless
    // it is the only one (a ring of 8 serves one segment at a time).
    if (lowest < highest) {
        if (pending > 0) ++lowest;
        if (pending < 0) --highest;
    }
    if (c >= lowest && c <= highest) return cameraZ;
    // The edge of the served segments on the camera's side, moved by whole
    // units in the last place until its segment is served: the quotient
    // z / spacing may round across the boundary.
    const bool ahead = c > highest;
    float z = static_cast<float>(ahead ? int64_t{highest} + 1 : int64_t{lowest}) * spacing;
    const float inward = ahead ? -INFINITY : INFINITY;
    for (int i = 0; i < 64 && SegmentOf(z, c) && (c < lowest || c > highest); ++i) z = std::nextafter(z, inward);
    return z;
}

bool TunnelBuilder::NeedsSection(int direction, int32_t c) const {
    if (direction > 0) return int64_t{end} < int64_t{c} + lookahead + 1;
    return int64_t{start} > int64_t{c} - lookahead - 1;
}

// Moves current one segment in the direction, generating what that needs.
// False when the budget ran out first; current then stays.
bool TunnelBuilder::StepToward(int direction, WorkBudget& budget) {
    const int32_t next = current + direction;
    Section& section = direction > 0 ? sectionAhead : sectionBehind;
    const SectionWalker& walker = direction > 0 ? walkerAhead : walkerBehind;
    if (!walker.Searching()) Restore(section, direction > 0 ? end + 2 : start - 1);
    while (NeedsSection(direction, next))
        if (!GenerateNext(direction, budget)) return false;
    current = next;
    return true;
}

// Searches the next section on the direction's side and stores it, or goes
// on with the one half searched. False when the budget ran out first.
bool TunnelBuilder::GenerateNext(int direction, WorkBudget& budget) {
    Section& section = direction > 0 ? sectionAhead : sectionBehind;
    SectionWalker& walker = direction > 0 ? walkerAhead : walkerBehind;
    pending = direction;
    if (!SearchWithin(section, walker, budget)) return false;
    pending = 0;
    if (direction > 0)
        StoreAhead();
    else
        StoreBehind();
    return true;
}

void TunnelBuilder::StoreAhead() {
    StoreSection(end + 3, sectionAhead);
    mesh->ComputeFaceNormals(end + 2, 1);
    mesh->ComputeVertexNormals(end + 2, 1);
    UpdateBounds(end + 1);
    ++start;
    ++end;
}

void TunnelBuilder::StoreBehind() {
    StoreSection(start - 2, sectionBehind);
    mesh->ComputeFaceNormals(start - 2, 1);
    mesh->ComputeVertexNormals(start - 1, 1);
    UpdateBounds(start - 1);
    --start;
    --end;
}

// The generator continues from the section that ends the window now, which
// the other direction may have generated since this section last ran. A
// replaced block is evaluated at once, so that the walk's first candidates
// are tested against this profile and not an older one.
void TunnelBuilder::Restore(Section& section, int32_t i) {
    const SectionParams& stored = paramRing[mesh->SlotOf(i)];
    if (std::memcmp(&stored, &section.params, sizeof stored) != 0) section.ReplaceParams(stored);
}

void TunnelBuilder::Shift(float dz) {
    int32_t k = 0;
    if (!Ready() || !SegmentOf(dz, k)) return;
    const int64_t lowest = int64_t{start} + k, highest = int64_t{end} + k;
    if (std::max(std::fabs(static_cast<double>(lowest)), std::fabs(static_cast<double>(highest))) >
        kLargestSegment)
        return;
    start += k;
    end += k;
    current += k;
    for (uint32_t v = 0; v < mesh->nVertices; ++v) mesh->pos[v].z += dz;
    if (mesh->listsActive) mesh->CompileLists(start, ringSize);
}

// Runs the walker's search for the section's next parameters, begun here
// when none is under way, until it ends (true) or the budget does.
bool TunnelBuilder::SearchWithin(Section& section, SectionWalker& walker, WorkBudget& budget) {
    if (!walker.Searching()) walker.Begin(section);
    do {
        if (!budget.Allows()) return false;
    } while (!walker.Step(section));
    return true;
}

void TunnelBuilder::StoreSection(int32_t i, const Section& section) {
    const uint32_t s = mesh->SlotOf(i);
    paramRing[s] = section.params;
    sectionBoxes[s] = section.box;
    Box2* subs = &sectionSubBoxes[size_t{s} * mesh->nSubBoxes];
    for (uint32_t k = 0; k < mesh->nSubBoxes; ++k)
        // Profiles under 32 points have no sub-boxes: each eighth then gets
        // the whole profile's box, which bounds it as well.
        subs[k] = section.nSubBoxes == mesh->nSubBoxes ? section.subBoxes[k] : section.box;
    const float z = static_cast<float>(i) * spacing;
    Vector3* slot = &mesh->pos[mesh->VertexOf(s, 0)];
    for (uint32_t j = 0; j < mesh->nSegPoints; ++j) slot[j] = Vector3{section.points[j].x, section.points[j].y, z};
}

void TunnelBuilder::UpdateBounds(int32_t i) {
    BoundSegment(i);
    if (mesh->listsActive) mesh->CompileLists(i, 1);
}

// A segment's box covers both sections that bound it; its sub-box k covers
// the same eighth of the profile on both.
void TunnelBuilder::BoundSegment(int32_t i) {
    const uint32_t s = mesh->SlotOf(i), t = mesh->SlotOf(i + 1);
    mesh->segBoxes[s] = sectionBoxes[s];
    mesh->segBoxes[s].Widen(sectionBoxes[t]);
    const uint32_t count = mesh->nSubBoxes;
    for (uint32_t k = 0; k < count; ++k) {
        Box2& box = mesh->subBoxes[s * count + k];
        box = sectionSubBoxes[s * count + k];
        box.Widen(sectionSubBoxes[t * count + k]);
    }
}

void TunnelBuilder::Reset() {
    start = end = current = 0;
    lookahead = 0;
    spacing = 0.0f;
    mesh = nullptr;
    paramRing.reset();
    sectionBoxes.reset();
    sectionSubBoxes.reset();
    ringSize = ringPoints = 0;
    built = false;
    filling = false;
    pending = 0;
}
