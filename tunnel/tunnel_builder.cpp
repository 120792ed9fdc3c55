// Keeping a whole ring around the camera: the window moves with it one
// segment at a time, generating the sections it needs within the update's
// budget, and moves back with the camera when the flight wraps around.
#include "tunnel/tunnel_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

bool TunnelBuilder::Ready() const { return phase == Phase::Serving && SizesMatch(); }

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
    // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison): the block is restored bit for bit; it has no padding
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
    phase = Phase::Idle;
    pending = 0;
}
