#pragma once
// Keeps the window of generated sections around the camera. Section i (any
// sign) lives in mesh slot i & (nSegments - 1) at z = i * spacing; segment i
// joins sections i and i + 1. Moving forward generates new sections at the far
// end, overwriting the oldest behind, and moving backward does the opposite;
// each direction has its own section and walker and continues from the
// stored parameters of the section that ends the window on its side.
//
// Once a build is whole (Ready), and after every Update: end = start +
// nSegments - 4, and sections start - 1 ... end + 2 are generated; face
// normals are valid for segments start - 1 ... end + 1, vertex normals for
// sections start ... end + 1, and segment boxes and sub-boxes for segments
// start ... end. A build with a time budget may take several calls to be
// whole: the walker's search for one section can take tens of milliseconds
// on a file it struggles with, and the ring holds hundreds of sections.
//
// The camera segments the window serves without generating anything are
// start + lookahead + 1 ... end - lookahead - 1; Update moves current through
// them one segment at a time toward the camera's segment. With a time budget
// an update stops once the budget is spent, leaving current short of the
// camera and perhaps a section half searched; later updates go on from there,
// and a section begun is finished before the window moves the other way
// (in the next update). Reachable holds the camera inside the served
// segments meanwhile, so it never reaches one that was not generated. Each
// update moves current one way only, and the sections made are the same
// that unbudgeted updates to the segments current took make.
#include <cstdint>
#include <memory>

#include "tunnel/box2.h"
#include "tunnel/orbalt2.h"
#include "tunnel/section.h"
#include "tunnel/section_params.h"
#include "tunnel/section_walker.h"
#include "tunnel/tunnel_messages.h"
#include "tunnel/work_budget.h"

class TunnelBuilder {
public:
    // The section spacings Init accepts: far beyond any tunnel worth flying
    // on both sides, and far inside the range where single precision keeps
    // the walls' normals of unit length (closer sections make face normals
    // whose length underflows to zero) and the sections' z finite.
    static constexpr float kSmallestSpacing = 1.0e-4f;
    static constexpr float kLargestSpacing = 1.0e4f;

    TunnelBuilder() = default;
    // A builder whose updates and builds keep to these budgets.
    TunnelBuilder(double updateSeconds, double buildSeconds)
        : updateBudget(updateSeconds), buildBudget(buildSeconds) {}
    TunnelBuilder(const TunnelBuilder&) = delete;
    TunnelBuilder& operator=(const TunnelBuilder&) = delete;

    // Attaches a sized mesh of at least 8 segments and sizes the rings and
    // sections for it. The margin is cut to what the window leaves room for.
    bool Create(Orbalt2* targetMesh, uint32_t margin);
    // Loads the section file into both sections, seeds the walkers and
    // generates the whole window around cameraZ, within buildBudget: a ring
    // it could not finish is Building, and ContinueBuild finishes it. A
    // spacing outside the accepted range fails without a message, as a zero
    // one does.
    bool Init(uint32_t walkSeed, float cameraZ, float sectionSpacing, const char* path,
              const TunnelMessages& messages = TunnelMessages{});
    // Init's checks and loading, and the window placed around cameraZ, with
    // nothing generated yet: true when the builder can start from them.
    bool StartBuild(uint32_t walkSeed, float cameraZ, float sectionSpacing, const char* path,
                    const TunnelMessages& messages = TunnelMessages{});
    // Generates the ring of a build begun within buildBudget, each section's
    // normals, bounds and display list as soon as its neighbours are there;
    // true once the ring is whole and the builder Ready. The ring is the one
    // a build without a budget makes.
    bool ContinueBuild();
    // Where a builder stands: nothing begun (Idle), a ring being generated
    // (Building), a whole ring kept around the camera (Serving), or a start
    // that was refused (Failed; the builder serves nothing until a new start).
    enum class Phase { Idle, Building, Serving, Failed };
    Phase CurrentPhase() const { return phase; }
    // True from a successful start until the ring is whole.
    bool Building() const { return phase == Phase::Building && SizesMatch(); }
    // Extends the window ahead of or behind the camera's segment as needed,
    // within updateBudget.
    void Update(float cameraZ);
    // cameraZ when the window serves its segment (and still will once a
    // half-searched section is stored); otherwise the nearest z that it does.
    float Reachable(float cameraZ) const;
    // True while a section is half searched between updates.
    bool Generating() const { return pending != 0; }
    // Moves the whole tunnel by dz, a whole multiple of nSegments * spacing.
    void Shift(float dz);

    void UpdateBounds(int32_t i);
    void Reset();

    // True once Init has built a window that still fits the attached mesh.
    bool Ready() const;

    // Seconds of generation one Update may spend; 0 sets no limit. Kept
    // across Create and Init.
    double updateBudget = 0.0;
    // Seconds of generation Init and each ContinueBuild may spend on a new
    // ring; 0 sets no limit. Kept across Create and Init.
    double buildBudget = 0.0;
    int32_t start = 0;
    int32_t end = 0;
    int32_t current = 0;
    uint32_t lookahead = 0;
    uint32_t seed = 0;
    float spacing = 0.0f;
    Section sectionBehind;
    Section sectionAhead;
    SectionWalker walkerBehind;
    SectionWalker walkerAhead;
    Orbalt2* mesh = nullptr;  // not owned
    std::unique_ptr<SectionParams[]> paramRing;
    std::unique_ptr<Box2[]> sectionBoxes;
    std::unique_ptr<Box2[]> sectionSubBoxes;  // nSubBoxes per slot

private:
    // Segment numbers are kept this far inside the 32-bit range so that the
    // window's arithmetic never overflows.
    static constexpr double kLargestSegment = 1 << 30;

    bool SizesMatch() const;
    bool SegmentOf(float z, int32_t& segment) const;
    void FinishSectionsBefore(int32_t i);
    void FinishRing();
    void Restore(Section& section, int32_t i);
    void BoundSegment(int32_t i);
    bool NeedsSection(int direction, int32_t c) const;
    bool StepToward(int direction, WorkBudget& budget);
    bool GenerateNext(int direction, WorkBudget& budget);
    static bool SearchWithin(Section& section, SectionWalker& walker, WorkBudget& budget);
    void StoreAhead();
    void StoreBehind();
    void StoreSection(int32_t i, const Section& section);

    uint32_t ringSize = 0;    // nSegments the rings were made for
    uint32_t ringPoints = 0;  // nSegPoints the sections were sized for
    Phase phase = Phase::Idle;
    int32_t nextFilled = 0;  // the next section a build in progress generates
    int pending = 0;         // 1 a section ahead is half searched, -1 one behind, 0 none
};
