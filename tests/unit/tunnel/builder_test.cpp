// The tunnel builder: window arithmetic, lazy extension, long flights with
// their invariants, shifting, and refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/stub/stub_control.h"
#include "tunnel/standard_tunnel.h"
#include "tunnel/tunnel_builder.h"
#include "tunnel_fixtures.h"

namespace {

using tunnel_test::DefaultSectionPath;

class BuilderTest : public ::testing::Test {
protected:
    void SetUp() override { platform::stub::Reset(); }

    void Build(uint32_t sections, uint32_t points, float z = 0.0f,
               const std::string& path = DefaultSectionPath()) {
        ASSERT_TRUE(mesh.Init(points, sections));
        ASSERT_TRUE(AttachStandardBuilder(builder, mesh));
        ASSERT_TRUE(builder.Init(kStandardWalkSeed, z, spacing, path.c_str()));
        SnapshotPositions();
    }
    void SnapshotPositions() { before.assign(mesh.pos.get(), mesh.pos.get() + mesh.nVertices); }
    // Slots whose positions changed since the last snapshot.
    std::vector<uint32_t> ChangedSlots() {
        std::vector<uint32_t> slots;
        for (uint32_t s = 0; s < mesh.nSegments; ++s)
            if (std::memcmp(&before[mesh.VertexOf(s, 0)], &mesh.pos[mesh.VertexOf(s, 0)],
                            sizeof(Vector3) * mesh.nSegPoints) != 0)
                slots.push_back(s);
        SnapshotPositions();
        return slots;
    }

    float spacing = 0.03125f;
    Orbalt2 mesh;
    TunnelBuilder builder;
    std::vector<Vector3> before;
};

TEST_F(BuilderTest, DefaultBuildPlacesTheWindowAroundTheCamera) {
    Build(256, 64);
    EXPECT_EQ(builder.current, 0);
    EXPECT_EQ(builder.start, -126);
    EXPECT_EQ(builder.end, 126);
    EXPECT_EQ(builder.lookahead, 122u);
    for (int32_t i = -127; i <= 128; ++i)
        EXPECT_EQ(mesh.pos[mesh.VertexOf(mesh.SlotOf(i), 3)].z, static_cast<float>(i) * spacing) << i;
    EXPECT_TRUE(platform::stub::state().shownMessages.empty());
}

TEST_F(BuilderTest, MovingForwardGeneratesOnlyPastTheMargin) {
    Build(256, 64);
    builder.Update(0.1f);  // segment 3: end 126 is not below 3 + 122 + 1
    EXPECT_EQ(builder.current, 3);
    EXPECT_TRUE(ChangedSlots().empty());
    builder.Update(0.125f);  // segment 4: section 129 replaces section -127 in slot 129
    EXPECT_EQ(builder.current, 4);
    EXPECT_EQ(builder.start, -125);
    EXPECT_EQ(builder.end, 127);
    EXPECT_EQ(ChangedSlots(), std::vector<uint32_t>{129});
    EXPECT_EQ(mesh.pos[mesh.VertexOf(129, 0)].z, 129 * spacing);
}

TEST_F(BuilderTest, MovingBackwardGeneratesOnlyPastTheMargin) {
    Build(256, 64);
    builder.Update(-0.09f);  // segment -3
    EXPECT_EQ(builder.current, -3);
    EXPECT_TRUE(ChangedSlots().empty());
    builder.Update(-0.125f);  // segment -4: section -128 replaces section 128 in slot 128
    EXPECT_EQ(builder.current, -4);
    EXPECT_EQ(builder.start, -127);
    EXPECT_EQ(builder.end, 125);
    EXPECT_EQ(ChangedSlots(), std::vector<uint32_t>{128});
    EXPECT_EQ(mesh.pos[mesh.VertexOf(128, 0)].z, -128 * spacing);
}

// On a change of direction the generator takes over the stored parameters of
// the section ending the window; its profile must be theirs at once, or the
// walk's first candidates would be tested against an old section.
TEST_F(BuilderTest, ChangeOfDirectionEvaluatesTheRestoredSection) {
    Build(256, 64);
    builder.Update(0.125f);  // forward: one section generated
    ChangedSlots();
    builder.Update(0.1f);  // back one segment: the behind section is restored, nothing generated
    EXPECT_TRUE(ChangedSlots().empty());
    const SectionParams& stored = builder.paramRing[mesh.SlotOf(builder.start - 1)];
    ASSERT_EQ(std::memcmp(&stored, &builder.sectionBehind.params, sizeof stored), 0);
    Section expected;
    ASSERT_TRUE(expected.Resize(64));
    expected.params = stored;
    expected.Evaluate();
    for (uint32_t i = 0; i <= 64; ++i) {
        EXPECT_EQ(builder.sectionBehind.points[i].x, expected.points[i].x) << i;
        EXPECT_EQ(builder.sectionBehind.LayerPoint(3, i).y, expected.LayerPoint(3, i).y) << i;
    }
    // The section's profile is the one stored in the mesh for that section.
    EXPECT_EQ(builder.sectionBehind.points[7].x, mesh.pos[mesh.VertexOf(mesh.SlotOf(builder.start - 1), 7)].x);
}

TEST_F(BuilderTest, CameraSegmentIsTheFloorOfZOverSpacing) {
    Build(256, 64);
    builder.Update(2 * spacing);
    EXPECT_EQ(builder.current, 2);
    builder.Update(-0.01f);
    EXPECT_EQ(builder.current, -1);
    builder.Update(std::nanf(""));  // ignored
    EXPECT_EQ(builder.current, -1);
}

TEST_F(BuilderTest, ShiftMovesIndicesAndVerticesButNotSlots) {
    Build(256, 64);
    const std::vector<Vector3> positions(mesh.pos.get(), mesh.pos.get() + mesh.nVertices);
    builder.Shift(-512.0f);
    EXPECT_EQ(builder.start, -126 - 16384);
    EXPECT_EQ(builder.end, 126 - 16384);
    EXPECT_EQ(builder.current, -16384);
    for (uint32_t v = 0; v < mesh.nVertices; ++v) {
        EXPECT_EQ(mesh.pos[v].x, positions[v].x);
        EXPECT_EQ(mesh.pos[v].z, positions[v].z - 512.0f);
    }
    builder.Shift(512.0f);
    EXPECT_EQ(builder.start, -126);
    EXPECT_EQ(mesh.pos[mesh.VertexOf(mesh.SlotOf(-127), 0)].z, -127 * spacing);
    // The window goes on from the shifted position: nothing is regenerated.
    builder.Shift(512.0f);
    SnapshotPositions();
    builder.Update(512.0f + 0.1f);
    EXPECT_EQ(builder.current, 16384 + 3);
    EXPECT_TRUE(ChangedSlots().empty());
}

// Checks the invariants after an update: window size and margins, every
// newly stored section inside its limits, simple, at its z and equal to the
// profile of its stored parameters; normals and boxes of the valid range as
// a fresh computation gives them.
class FlightCheck {
public:
    FlightCheck(Orbalt2& checkedMesh, TunnelBuilder& checkedBuilder) : mesh(checkedMesh), builder(checkedBuilder) {
        EXPECT_TRUE(profile.Resize(mesh.nSegPoints));
        profile.limits = builder.sectionAhead.limits;
    }
    void AfterUpdate(float z, int direction, const std::vector<uint32_t>& changed) {
        const int32_t n = static_cast<int32_t>(mesh.nSegments);
        ASSERT_EQ(builder.end, builder.start + n - 4);
        ASSERT_EQ(builder.current, static_cast<int32_t>(std::floor(z / builder.spacing)));
        ASSERT_EQ(builder.Reachable(z), z);  // without a budget the window always reaches the camera
        const int32_t margin = static_cast<int32_t>(builder.lookahead) + 1;
        if (direction > 0) {
            ASSERT_GE(builder.end, builder.current + margin);
        } else if (direction < 0) {
            ASSERT_LE(builder.start, builder.current - margin);
        }
        for (uint32_t slot : changed) CheckSection(slot);
    }
    void CheckSection(uint32_t slot) {
        const std::vector<Point2> points = tunnel_test::SlotProfile(mesh, slot);
        for (const Point2& p : points) ASSERT_TRUE(profile.limits.Contains(p)) << "slot " << slot;
        ASSERT_FALSE(tunnel_test::PolygonCrossesItself(points)) << "slot " << slot;
        profile.ReplaceParams(builder.paramRing[slot]);
        for (uint32_t j = 0; j < mesh.nSegPoints; ++j) {
            ASSERT_EQ(points[j].x, profile.points[j].x) << "slot " << slot;
            ASSERT_EQ(points[j].y, profile.points[j].y) << "slot " << slot;
        }
        ++sectionsChecked;
    }
    // Normals and boxes as a complete recomputation gives them.
    void CheckWholeWindow() {
        const std::vector<Vector3> triN(mesh.triN.get(), mesh.triN.get() + mesh.nTriangles);
        const std::vector<Vector3> norm(mesh.norm.get(), mesh.norm.get() + mesh.nVertices);
        const std::vector<Box2> boxes(mesh.segBoxes.get(), mesh.segBoxes.get() + mesh.nSegments);
        mesh.ComputeFaceNormals(builder.start - 1, mesh.nSegments - 2);
        mesh.ComputeVertexNormals(builder.start, mesh.nSegments - 3);
        for (int32_t i = builder.start - 1; i <= builder.end + 1; ++i) {
            const uint32_t first = 2 * mesh.VertexOf(mesh.SlotOf(i), 0);
            ASSERT_EQ(std::memcmp(&triN[first], &mesh.triN[first], sizeof(Vector3) * 2 * mesh.nSegPoints), 0)
                << "face normals of segment " << i;
        }
        for (int32_t i = builder.start; i <= builder.end + 1; ++i) {
            const uint32_t first = mesh.VertexOf(mesh.SlotOf(i), 0);
            ASSERT_EQ(std::memcmp(&norm[first], &mesh.norm[first], sizeof(Vector3) * mesh.nSegPoints), 0)
                << "vertex normals of section " << i;
            ASSERT_TRUE(tunnel_test::IsFinite(mesh.norm[first]));
        }
        for (int32_t i = builder.start; i <= builder.end; ++i) CheckBoxes(i, boxes[mesh.SlotOf(i)]);
    }
    void CheckBoxes(int32_t i, const Box2& box) {
        const uint32_t s = mesh.SlotOf(i), t = mesh.SlotOf(i + 1), p = mesh.nSegPoints;
        for (uint32_t j = 0; j < p; ++j)
            for (uint32_t slot : {s, t}) {
                const Vector3& v = mesh.pos[mesh.VertexOf(slot, j)];
                ASSERT_TRUE(box.Contains(Point2{v.x, v.y})) << "segment " << i;
                // Sub-box k holds points k p / 8 ... (k + 1) p / 8 of both sections.
                for (uint32_t k = 0; k < 8; ++k) {
                    if (j < k * p / 8 || j > (k + 1) * p / 8) continue;
                    ASSERT_TRUE(mesh.subBoxes[s * 8 + k].Contains(Point2{v.x, v.y})) << "segment " << i;
                }
            }
    }
    int sectionsChecked = 0;

private:
    Orbalt2& mesh;
    TunnelBuilder& builder;
    Section profile;
};

class BuilderFlight : public BuilderTest, public ::testing::WithParamInterface<uint32_t> {
protected:
    // Flies the camera through the given positions, checking after each frame.
    void Fly(const std::vector<float>& path) {
        FlightCheck check(mesh, builder);
        float previous = 0.0f;
        for (size_t f = 0; f < path.size(); ++f) {
            builder.Update(path[f]);
            const int direction = path[f] > previous ? 1 : path[f] < previous ? -1 : 0;
            check.AfterUpdate(path[f], direction, ChangedSlots());
            if (HasFatalFailure()) return;
            if (f % 100 == 0 || f + 1 == path.size()) check.CheckWholeWindow();
            if (HasFatalFailure()) return;
            previous = path[f];
        }
        EXPECT_GT(check.sectionsChecked, 500);
    }
};

TEST_P(BuilderFlight, LongFlightsForwardAndBackward) {
    Build(32, GetParam());
    std::vector<float> path;
    float z = 0.0f;
    for (int f = 0; f < 900; ++f) path.push_back(z += 0.6f * spacing);
    for (int f = 0; f < 1800; ++f) path.push_back(z -= 0.7f * spacing);
    Fly(path);
}

TEST_P(BuilderFlight, HundredsOfDirectionChanges) {
    Build(32, GetParam());
    AdditiveRandom random;
    random.Seed(77);
    std::vector<float> path;
    float z = 0.0f;
    // Legs of 1 to 40 frames, alternating direction, drifting forward overall.
    for (int leg = 0; leg < 300; ++leg) {
        const int frames = 1 + static_cast<int>(random.Next() % 40);
        const float step = (leg % 2 == 0 ? 0.8f : -0.6f) * spacing;
        for (int f = 0; f < frames; ++f) path.push_back(z += step);
    }
    Fly(path);
}

INSTANTIATE_TEST_SUITE_P(PlainAndSubBoxes, BuilderFlight, ::testing::Values(16u, 32u));

// A budget of almost nothing lets each update do one walker try: the window
// falls far behind a camera flying 13 segments a frame, and both turns come
// with a section half searched. The camera, held where the window reaches,
// never stands in a segment the window does not serve, and the builder makes
// the very tunnel an unbudgeted one makes for the segments it went through.
// Held back, the camera still only moves toward where it was going, never
// the other way, except in a ring of 8, which serves one segment at a time.
class BudgetedFlight : public BuilderTest, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(BudgetedFlight, HoldsTheCameraAndMakesTheUnspreadTunnel) {
    const uint32_t sections = GetParam();
    spacing = 0.001f;
    Build(sections, 32);
    Orbalt2 plainMesh;
    TunnelBuilder plain;
    ASSERT_TRUE(plainMesh.Init(32, sections));
    ASSERT_TRUE(AttachStandardBuilder(plain, plainMesh));
    ASSERT_TRUE(plain.Init(kStandardWalkSeed, 0.0f, spacing, DefaultSectionPath().c_str()));
    builder.updateBudget = 1e-12;
    const int32_t margin = static_cast<int32_t>(builder.lookahead) + 1;
    float z = 0.0f;
    int held = 0, turnsWhileSearching = 0, lastDirection = 1;
    int32_t generatedAhead = 0, generatedBehind = 0;
    for (int tick = 0; tick < 6000; ++tick) {
        const int direction = tick < 1500 || tick >= 4500 ? 1 : -1;
        if (direction != lastDirection && builder.Generating()) ++turnsWhileSearching;
        lastDirection = direction;
        const float wanted = z + static_cast<float>(direction) * 0.4f / 30.0f;
        builder.Update(wanted);
        const float reached = builder.Reachable(wanted);
        held += reached != wanted;
        if (sections > 8) {
            ASSERT_LE(std::fabs(reached - z), std::fabs(wanted - z)) << "tick " << tick;
            ASSERT_GE((reached - z) * static_cast<float>(direction), 0.0f) << "tick " << tick;
        }
        z = reached;
        const int32_t segment = static_cast<int32_t>(std::floor(z / spacing));
        ASSERT_GE(segment, builder.start + margin) << "tick " << tick;
        ASSERT_LE(segment, builder.end - margin) << "tick " << tick;

        generatedAhead = std::max(generatedAhead, builder.end);
        generatedBehind = std::min(generatedBehind, builder.start);
        plain.Update((static_cast<float>(builder.current) + 0.5f) * spacing);
        ASSERT_EQ(plain.start, builder.start) << "tick " << tick;
        // A half-searched section is not in the mesh yet.
        if (tick % 50 != 0) continue;
        ASSERT_EQ(std::memcmp(plainMesh.pos.get(), mesh.pos.get(), sizeof(Vector3) * mesh.nVertices), 0) << tick;
        ASSERT_EQ(std::memcmp(plainMesh.norm.get(), mesh.norm.get(), sizeof(Vector3) * mesh.nVertices), 0) << tick;
        ASSERT_EQ(std::memcmp(plainMesh.subBoxes.get(), mesh.subBoxes.get(),
                              sizeof(Box2) * mesh.nSegments * mesh.nSubBoxes),
                  0)
            << tick;
    }
    EXPECT_GT(held, 5000);
    EXPECT_EQ(turnsWhileSearching, 2);
    EXPECT_GT(generatedAhead, 60);    // it went on generating ahead...
    EXPECT_LT(generatedBehind, -60);  // ...and behind
    FlightCheck check(mesh, builder);
    check.CheckWholeWindow();
}

// A new ring made one walker try a call: a start generates nothing, nothing
// is ready and updates wait until the ring is whole, and then it is the ring
// made at once, normals, boxes and parameters alike, ready to fly.
TEST_P(BudgetedFlight, ARingMadeOverManyCallsIsTheRingMadeAtOnce) {
    const uint32_t sections = GetParam();
    Orbalt2 plainMesh;
    TunnelBuilder plain;
    ASSERT_TRUE(plainMesh.Init(32, sections) && AttachStandardBuilder(plain, plainMesh));
    ASSERT_TRUE(plain.Init(kStandardWalkSeed, 0.3f, spacing, DefaultSectionPath().c_str()));
    ASSERT_TRUE(mesh.Init(32, sections) && AttachStandardBuilder(builder, mesh));
    builder.buildBudget = 1e-12;
    EXPECT_EQ(builder.CurrentPhase(), TunnelBuilder::Phase::Idle);
    ASSERT_TRUE(builder.StartBuild(kStandardWalkSeed, 0.3f, spacing, DefaultSectionPath().c_str()));
    EXPECT_EQ(builder.CurrentPhase(), TunnelBuilder::Phase::Building);
    EXPECT_TRUE(std::all_of(mesh.pos.get(), mesh.pos.get() + mesh.nVertices,
                            [](const Vector3& p) { return p.x == 0.0f && p.y == 0.0f && p.z == 0.0f; }));
    int calls = 0;
    while (builder.Building()) {
        ASSERT_FALSE(builder.Ready());
        builder.Update(1.0f);
        ASSERT_EQ(builder.current, plain.current);
        ASSERT_EQ(builder.Reachable(1.0f), 1.0f);
        builder.ContinueBuild();
        ++calls;
    }
    EXPECT_TRUE(builder.Ready());
    EXPECT_EQ(builder.CurrentPhase(), TunnelBuilder::Phase::Serving);
    EXPECT_TRUE(builder.ContinueBuild());  // nothing left to do
    EXPECT_GT(calls, static_cast<int>(sections));
    EXPECT_EQ(builder.start, plain.start);
    EXPECT_EQ(std::memcmp(plainMesh.pos.get(), mesh.pos.get(), sizeof(Vector3) * mesh.nVertices), 0);
    EXPECT_EQ(std::memcmp(plainMesh.norm.get(), mesh.norm.get(), sizeof(Vector3) * mesh.nVertices), 0);
    EXPECT_EQ(std::memcmp(plainMesh.triN.get(), mesh.triN.get(), sizeof(Vector3) * mesh.nTriangles), 0);
    EXPECT_EQ(std::memcmp(plainMesh.segBoxes.get(), mesh.segBoxes.get(), sizeof(Box2) * mesh.nSegments), 0);
    EXPECT_EQ(
        std::memcmp(plainMesh.subBoxes.get(), mesh.subBoxes.get(), sizeof(Box2) * mesh.nSegments * mesh.nSubBoxes),
        0);
    EXPECT_EQ(std::memcmp(plain.paramRing.get(), builder.paramRing.get(), sizeof(SectionParams) * sections), 0);
    builder.Update(1.0f);
    plain.Update(1.0f);
    EXPECT_EQ(builder.current, plain.current);
    EXPECT_EQ(std::memcmp(plainMesh.pos.get(), mesh.pos.get(), sizeof(Vector3) * mesh.nVertices), 0);
}

INSTANTIATE_TEST_SUITE_P(RingSizes, BudgetedFlight, ::testing::Values(8u, 32u));

TEST_F(BuilderTest, CreateRefusesMissingSmallOrUnsizedMeshesAndZeroMargins) {
    EXPECT_FALSE(builder.Create(nullptr, 10));
    ASSERT_TRUE(mesh.Init(64, 4));
    EXPECT_FALSE(builder.Create(&mesh, 10));
    ASSERT_TRUE(mesh.Init(64, 8));
    EXPECT_FALSE(builder.Create(&mesh, 0));
    EXPECT_EQ(builder.mesh, nullptr);
    EXPECT_EQ(builder.paramRing, nullptr);
    EXPECT_TRUE(builder.Create(&mesh, 8u / 2 - 6));  // the wrapped margin is cut to the limit
    EXPECT_EQ(builder.lookahead, 1u);
    mesh.Init(100, 100);  // rejected: the mesh is left empty
    EXPECT_FALSE(builder.Create(&mesh, 44));
    EXPECT_TRUE(platform::stub::state().shownMessages.empty());
}

TEST_F(BuilderTest, InitReportsAMissingPathAndUnreadableFiles) {
    ASSERT_TRUE(mesh.Init(16, 16));
    EXPECT_FALSE(builder.Init(8, 0, spacing, nullptr));  // no Create yet: refused silently
    ASSERT_TRUE(builder.Create(&mesh, 2));
    EXPECT_FALSE(builder.Init(8, 0, 0.0f, DefaultSectionPath().c_str()));
    EXPECT_FALSE(builder.Init(8, 0, -0.5f, DefaultSectionPath().c_str()));
    EXPECT_FALSE(builder.Init(8, 1.0e9f, 0.5f, DefaultSectionPath().c_str()));  // camera beyond indexing
    EXPECT_TRUE(platform::stub::state().shownMessages.empty());

    // The boxes go to the owner and under the caption the caller's hook names.
    const TunnelMessages messages{reinterpret_cast<platform::WindowHandle>(0x5150), "orbalt"};
    EXPECT_FALSE(builder.Init(8, 0, spacing, nullptr, messages));
    TempDir dir;
    EXPECT_FALSE(builder.Init(8, 0, spacing, dir.File("missing.sct").c_str(), messages));
    EXPECT_FALSE(builder.Init(8, 0, spacing, dir.Write("bad.sct", std::string(144, 'x')).c_str(), messages));
    const auto& shown = platform::stub::state().shownMessages;
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].text, "TunnelBuilder::Init() path not implemented");
    EXPECT_EQ(shown[1].text, "TunnelBuilder::Init() section load failure");
    EXPECT_EQ(shown[2].text, "not a section file");
    EXPECT_EQ(shown[3].text, "TunnelBuilder::Init() section load failure");
    EXPECT_EQ(shown[0].caption, "orbalt");
    EXPECT_EQ(shown[2].caption, "Section::LoadParams()");
    for (const auto& box : shown) EXPECT_EQ(box.owner, messages.owner);

    // A failed build is not updated or shifted.
    const int32_t start = builder.start;
    builder.Update(5.0f);
    builder.Shift(512.0f);
    EXPECT_EQ(builder.start, start);
}

// Spacings so small that face normals underflow to zero, or so large that a
// section's z overflows (the dialog read "1e38"), build nothing; the bounds
// of the range build walls of unit normals.
TEST_F(BuilderTest, SpacingsOutsideTheRangeBuildNothingAndTheBoundsBuildSoundWalls) {
    ASSERT_TRUE(mesh.Init(64, 16));
    ASSERT_TRUE(AttachStandardBuilder(builder, mesh));
    const float below = std::nextafter(TunnelBuilder::kSmallestSpacing, 0.0f);
    const float above = std::nextafter(TunnelBuilder::kLargestSpacing, 1.0e30f);
    for (float outside : {1.0e-30f, below, above, 1.0e38f}) {
        EXPECT_FALSE(builder.Init(8, 0, outside, DefaultSectionPath().c_str())) << outside;
        EXPECT_EQ(builder.CurrentPhase(), TunnelBuilder::Phase::Failed);
    }
    EXPECT_TRUE(platform::stub::state().shownMessages.empty());
    for (float bound : {TunnelBuilder::kSmallestSpacing, TunnelBuilder::kLargestSpacing}) {
        SCOPED_TRACE(bound);
        ASSERT_TRUE(builder.Init(8, 0, bound, DefaultSectionPath().c_str()));
        EXPECT_EQ(builder.CurrentPhase(), TunnelBuilder::Phase::Serving);
        for (int32_t section = builder.start; section <= builder.end + 1; ++section)
            for (uint32_t j = 0; j < mesh.nSegPoints; ++j)
                ASSERT_NEAR(mesh.norm[mesh.VertexOf(mesh.SlotOf(section), j)].SquaredLength(), 1.0f, 1e-3f)
                    << section;
    }
}

TEST_F(BuilderTest, UpdatesStopWhenTheMeshIsResizedBehindTheBuilder) {
    Build(16, 16);
    ASSERT_TRUE(mesh.Init(32, 16));
    builder.Update(10.0f);  // would write 16-point sections into a 32-point mesh
    EXPECT_EQ(builder.current, 0);
    EXPECT_FALSE(builder.Ready());
}

// A file whose profile the walker could never make valid builds no tunnel:
// before it was refused, the whole window took the full search per section.
TEST_F(BuilderTest, AStartingProfileThatCannotWalkBuildsNothing) {
    TempDir dir;
    SectionFile file = tunnel_test::CircleFile();
    tunnel_test::SetComponent(file.params, 0, 0.0f, 0.8f, 0, 1, 0, 2);  // r = 0.8 sin t at twice the angle
    ASSERT_TRUE(mesh.Init(64, 32));
    ASSERT_TRUE(builder.Create(&mesh, 10));
    EXPECT_FALSE(builder.Init(8, 0, spacing, tunnel_test::WriteSectionFile(dir, "eight.sct", file).c_str()));
    EXPECT_FALSE(builder.Ready());
    const auto& shown = platform::stub::state().shownMessages;
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "section file profile crosses itself");
    EXPECT_EQ(shown[1].text, "TunnelBuilder::Init() section load failure");
}

}  // namespace
