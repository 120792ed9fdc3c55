// Section files, component evaluation, closure and the limit test.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <vector>

#include "platform/stub/stub_control.h"
#include "tunnel/component_curve.h"
#include "tunnel/section.h"
#include "tunnel/section_file.h"
#include "tunnel_fixtures.h"

namespace {

using tunnel_test::CircleFile;
using tunnel_test::WriteSectionFile;

class SectionFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::stub::Reset();
        ASSERT_TRUE(section.Resize(64));
    }
    // Loading must fail with exactly this one message and change nothing.
    void ExpectRefused(const std::string& path, const char* message) {
        const SectionParams before = section.params;
        float steps[6] = {7, 7, 7, 7, 7, 7};
        EXPECT_FALSE(section.LoadParams(path.c_str(), steps));
        const auto& shown = platform::stub::state().shownMessages;
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, message);
        EXPECT_EQ(shown[0].caption, "Section::LoadParams()");
        EXPECT_EQ(std::memcmp(&before, &section.params, sizeof before), 0);
        EXPECT_EQ(steps[0], 7.0f);
        EXPECT_EQ(section.limits.xmax, 0.9f);
        platform::stub::Reset();
    }
    TempDir dir;
    Section section;
};

TEST_F(SectionFileTest, ReadsEveryFieldAndEvaluatesTheProfile) {
    SectionFile file = CircleFile(0.5f);
    const float steps[6] = {0.1f, 0.2f, 3, 4, 5, 6};
    std::memcpy(file.stepScale, steps, sizeof steps);
    file.limits = Box2{-0.7f, -0.8f, 0.75f, 0.85f};
    tunnel_test::SetComponent(file.params, 3, 0.1f, 0.2f, 30, 2, 45, 0);
    file.params.enabled[3] = 2;  // any nonzero byte is on
    const std::string path = WriteSectionFile(dir, "good.sct", file);
    ASSERT_EQ(TempDir::Read(path).size(), 144u);

    float read[6] = {};
    ASSERT_TRUE(section.LoadParams(path.c_str(), read));
    EXPECT_EQ(std::memcmp(read, steps, sizeof steps), 0);
    EXPECT_EQ(section.limits.ymin, -0.8f);
    EXPECT_EQ(section.limits.xmax, 0.75f);
    EXPECT_EQ(section.params.components[3][kAnglePhase], 45.0f);
    EXPECT_EQ(section.params.enabled[3], 2);
    EXPECT_EQ(section.params.enabled[1], 0);
    // The profile belongs to the loaded parameters at once.
    const Point2 expected = section.PointAt(5);
    EXPECT_NEAR(section.points[5].x, expected.x, 1e-6f);
    EXPECT_NEAR(section.points[5].y, expected.y, 1e-6f);
    EXPECT_TRUE(platform::stub::state().shownMessages.empty());
}

TEST_F(SectionFileTest, BytesPastTheEndAreIgnoredAndAMissingFileIsSilent) {
    const std::string path = dir.Write("long.sct", EncodeSectionFile(CircleFile()) + "trailing bytes");
    float steps[6];
    EXPECT_TRUE(section.LoadParams(path.c_str(), steps));
    EXPECT_FALSE(section.LoadParams(dir.File("missing.sct").c_str(), steps));
    EXPECT_TRUE(platform::stub::state().shownMessages.empty());
}

// Files are named in UTF-8, whatever characters their folders hold. A file
// that cannot be opened shows no box: it is noted, with the system's reason,
// for the caller that asked.
TEST_F(SectionFileTest, FoldersOfAnyCharactersAndAFailedOpenNotedForTheCaller) {
    for (const char* folder : {"Демо папка", "デモ"}) {
        std::filesystem::create_directory(dir.File(folder));
        const std::string path = WriteSectionFile(dir, std::string(folder) + "/テスト.sct", CircleFile(0.25f));
        float steps[6] = {};
        ASSERT_TRUE(section.LoadParams(path.c_str(), steps)) << folder;
        EXPECT_EQ(section.params.components[0][kRadius], 0.25f);
    }
    platform::stub::state().lastError = {2, "The system cannot find the file specified."};
    platform::OpenFailure failure;
    TunnelMessages messages;
    messages.openFailure = &failure;
    float steps[6] = {};
    EXPECT_FALSE(section.LoadParams(dir.File("デモ/missing.sct").c_str(), steps, messages));
    EXPECT_TRUE(failure.failed);
    EXPECT_EQ(failure.error.code, 2u);
    EXPECT_EQ(failure.error.text, "The system cannot find the file specified.");
    EXPECT_TRUE(platform::stub::state().shownMessages.empty());
    // A file that opens but is refused is no failed open.
    platform::OpenFailure refusal;
    messages.openFailure = &refusal;
    EXPECT_FALSE(section.LoadParams(dir.Write("デモ/short.sct", "SECT").c_str(), steps, messages));
    EXPECT_FALSE(refusal.failed);
}

TEST_F(SectionFileTest, RefusesWrongMagicShortFilesAndUnusableValues) {
    std::string bytes = EncodeSectionFile(CircleFile());
    std::string swapped = bytes;
    swapped.replace(0, 4, "TCES");
    ExpectRefused(dir.Write("swapped.sct", swapped), "not a section file");
    ExpectRefused(dir.Write("text.sct", "hello"), "not a section file");
    ExpectRefused(dir.Write("short.sct", bytes.substr(0, 143)), "section file shorter than 144 bytes");
    ExpectRefused(dir.Write("magic.sct", "SECT"), "section file shorter than 144 bytes");
    ExpectRefused(dir.Write("empty.sct", ""), "section file shorter than 144 bytes");

    const struct {
        float value;
        const char* message;
    } bad[] = {{std::numeric_limits<float>::quiet_NaN(), "section file holds a value that is not a finite number"},
               {std::numeric_limits<float>::infinity(), "section file holds a value that is not a finite number"},
               {-3.0e7f, "section file holds a value too large for a tunnel"}};
    for (const auto& value : bad) {
        SectionFile file = CircleFile();
        file.params.components[2][kWave] = value.value;  // even in a disabled component
        ExpectRefused(WriteSectionFile(dir, "values.sct", file), value.message);
        file = CircleFile();
        file.stepScale[1] = value.value;
        ExpectRefused(WriteSectionFile(dir, "steps.sct", file), value.message);
    }
    SectionFile inverted = CircleFile();
    inverted.limits = Box2{0.9f, -0.9f, -0.9f, 0.9f};
    ExpectRefused(WriteSectionFile(dir, "inverted.sct", inverted), "section file limits enclose no area");
}

// Starting profiles the walker could never make valid: before they were
// refused, each of them made every section of the tunnel pay the full search.
TEST_F(SectionFileTest, RefusesStartingProfilesTheWalkerCannotStartFrom) {
    using tunnel_test::SetComponent;
    const struct {
        const char* name;
        float component[kComponentParameters];  // radius, wave, wavePhase, waveFreq, anglePhase, angleFreq
        const char* message;
    } cases[] = {
        {"figure eight", {0, 0.8f, 0, 1, 0, 2}, "section file profile crosses itself"},
        {"circle run twice", {0.5f, 0, 0, 0, 0, 2}, "section file profile crosses itself"},
        {"three-leaf rose", {0, 0.8f, 0, 3, 0, 1}, "section file profile crosses itself"},
        {"loop inside a loop", {0.2f, 0.5f, 0, 1, 0, 1}, "section file profile crosses itself"},
        {"two lobes meeting at the centre", {0, 0.8f, 0, 1, 0, 0.5f}, "section file profile crosses itself"},
        {"fractional wave", {0.5f, 0.2f, 90, 2.5f, 0, 1}, "section file profile does not close"},
        {"fractional angle", {0.5f, 0, 0, 0, 0, 1.5f}, "section file profile does not close"},
        {"clockwise", {0.5f, 0.05f, 0, 3, 0, -1}, "section file profile runs clockwise"},
        {"radius 0", {0, 0, 0, 0, 0, 1}, "section file profile encloses no area"},
        {"a ray out and back", {0.3f, 0.3f, 0, 1, 45, 0}, "section file profile encloses no area"},
        {"partly outside", {0.85f, 0.1f, 0, 3, 0, 1}, "section file profile leaves its limits"},
    };
    for (const auto& profile : cases) {
        SCOPED_TRACE(profile.name);
        SectionFile file;
        const float* c = profile.component;
        SetComponent(file.params, 0, c[0], c[1], c[2], c[3], c[4], c[5]);
        ExpectRefused(WriteSectionFile(dir, "profile.sct", file), profile.message);
    }
    SectionFile none = CircleFile();
    none.params.enabled[0] = 0;  // every point at the origin
    ExpectRefused(WriteSectionFile(dir, "none.sct", none), "section file profile encloses no area");
    SectionFile offset = CircleFile(0.5f);
    SetComponent(offset.params, 1, 0.5f, 0, 0, 0, 180, 0);  // the circle moved partly out of its limits
    ExpectRefused(WriteSectionFile(dir, "offset.sct", offset), "section file profile leaves its limits");
    // A sliver out and back three times, thinner than a thousandth of its
    // length: rounding decides which way it runs, and the walk flipped it.
    SectionFile sliver;
    SetComponent(sliver.params, 0, 0.45f, 0.05f, 0, 3, 0, 1.5258789e-5f);
    SetComponent(sliver.params, 1, 0.1f, 0, 0, 0, 0, 0);
    SetComponent(sliver.params, 2, 0.08f, 0, 0, 0, 90, 0);
    ASSERT_TRUE(section.Resize(16));
    ExpectRefused(WriteSectionFile(dir, "sliver.sct", sliver), "section file profile encloses no area");
    ASSERT_TRUE(section.Resize(64));
    // Two offsets larger than the limits that cancel each other.
    SectionFile cancelled = CircleFile(0.5f);
    SetComponent(cancelled.params, 1, 2.6f, 0, 0, 0, 0, 0);
    SetComponent(cancelled.params, 2, -2.6f, 0, 0, 0, 0, 0);
    ExpectRefused(WriteSectionFile(dir, "cancelled.sct", cancelled),
                  "section file component larger than its limits");
    for (float radius : {8.3e-40f, 5.0e-7f}) {  // normals of a wall this small underflow to zero
        SCOPED_TRACE(radius);
        ExpectRefused(WriteSectionFile(dir, "tiny.sct", CircleFile(radius)),
                      "section file profile too small for a tunnel");
    }
}

// Components the walk would open: the profile closes as loaded, but the walk
// gives each enabled component's radius and wave a value and moves the wave's
// phase, and then it would not.
TEST_F(SectionFileTest, RefusesComponentsThatOpenTheProfileAsTheyWalk) {
    using tunnel_test::SetComponent;
    const struct {
        const char* name;
        float component[kComponentParameters];  // radius, wave, wavePhase, waveFreq, anglePhase, angleFreq
    } cases[] = {
        {"fractional angle at radius 0", {0, 0, 0, 0, 0, 1.25f}},
        {"fractional wave at wave 0", {0, 0, 0, 2.5f, 0, 1}},
        // sin of a frequency this small is nearly flat: only a wave of
        // thousands (which the limits do not bound) opens the profile.
        {"wave of a tiny frequency", {0.1f, 0, 0, 4.8e-7f, 0, 0}},
        {"fractional wave at a phase where it closes", {0.05f, 0.05f, 0, 0.5f, 0, 1}},
        // closes to a ten-thousandth of its size; grown by the walk against
        // another component it cancels, the gap is large for what is left
        {"nearly whole angle rate", {0, 0, 0, 0, 0, 1.00004f}},
    };
    for (const auto& profile : cases) {
        SCOPED_TRACE(profile.name);
        SectionFile file = CircleFile(0.5f);
        const float* c = profile.component;
        SetComponent(file.params, 1, c[0], c[1], c[2], c[3], c[4], c[5]);
        ExpectRefused(WriteSectionFile(dir, "walk.sct", file), "section file component curve does not close");
    }
    // With the steps that would move them at zero the same files are sound.
    SectionFile still = CircleFile(0.5f);
    SetComponent(still.params, 1, 0, 0, 0, 2.5f, 0, 1.25f);
    still.stepScale[kRadius] = still.stepScale[kWave] = 0;
    float steps[6];
    EXPECT_TRUE(section.LoadParams(WriteSectionFile(dir, "still.sct", still).c_str(), steps));
    EXPECT_TRUE(platform::stub::state().shownMessages.empty());
}

// A wave sampled in step with the points (64 waves over 32 points) is a
// circle of radius wave x sin(phase): its closing must not depend on the
// phase, or the walk would carry an accepted file to a refused profile. Nor
// may an offset whose angle rate is next to zero be refused for a gap that is
// as small as its own reach.
TEST_F(SectionFileTest, ComponentsThatCloseAreAcceptedWhateverTheirPhaseOrReach) {
    SectionFile offset = CircleFile(0.5f);
    tunnel_test::SetComponent(offset.params, 1, 0.1f, 0, 0, 5, 32, 7.4e-44f);
    float offsetSteps[6];
    EXPECT_TRUE(section.LoadParams(WriteSectionFile(dir, "offset.sct", offset).c_str(), offsetSteps));
    ASSERT_TRUE(section.Resize(32));
    for (float phase : {0.0f, 0.001f, 45.0f, 180.0f}) {
        SCOPED_TRACE(phase);
        SectionFile file = CircleFile(0.5f);
        tunnel_test::SetComponent(file.params, 1, 0, 0.1f, phase, 64, 0, 1);
        float steps[6];
        EXPECT_TRUE(section.LoadParams(WriteSectionFile(dir, "aliased.sct", file).c_str(), steps));
        EXPECT_TRUE(platform::stub::state().shownMessages.empty());
    }
}

// A profile is judged at the resolution the section was sized for: a flower
// whose petals reach past the limits between the points of a 4-point section.
TEST_F(SectionFileTest, ProfilesAreJudgedAtTheSectionsResolution) {
    SectionFile flower;
    tunnel_test::SetComponent(flower.params, 0, 0.5f, 0.6f, 0, 4, 0, 1);
    const std::string path = WriteSectionFile(dir, "flower.sct", flower);
    ExpectRefused(path, "section file profile leaves its limits");
    ASSERT_TRUE(section.Resize(4));
    float steps[6];
    EXPECT_TRUE(section.LoadParams(path.c_str(), steps));
    EXPECT_TRUE(platform::stub::state().shownMessages.empty());
}

TEST(SectionResize, AcceptsPowersOfTwoFromFourAndKeepsTheSectionOtherwise) {
    Section section;
    EXPECT_EQ(section.nPoints, 0u);
    EXPECT_FALSE(section.Resize(2));
    EXPECT_FALSE(section.Resize(48));
    EXPECT_EQ(section.nPoints, 0u);
    ASSERT_TRUE(section.Resize(16));
    EXPECT_EQ(section.nSubBoxes, 0u);
    EXPECT_FLOAT_EQ(section.angleStep, 22.5f);
    section.crossI = 5;
    EXPECT_FALSE(section.Resize(0));
    EXPECT_FALSE(section.Resize(1u << 31));
    EXPECT_EQ(section.nPoints, 16u);
    EXPECT_EQ(section.crossI, 5u);
    ASSERT_TRUE(section.Resize(32));
    EXPECT_EQ(section.nSubBoxes, 8u);
    EXPECT_EQ(section.crossI, 0u);
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_FALSE(section.Resize(1u << 22));  // 32 MB of layers: above the test program's cap
    EXPECT_EQ(section.nPoints, 32u);
#endif
}

TEST(SectionProfile, CircleClosesAndMatchesTheDirectPoints) {
    Section section;
    ASSERT_TRUE(section.Resize(64));
    section.params = CircleFile(0.5f).params;
    EXPECT_TRUE(section.Evaluate());
    EXPECT_NEAR(section.points[64].x, section.points[0].x, 1e-5f);
    EXPECT_NEAR(section.points[64].y, section.points[0].y, 1e-5f);
    for (uint32_t i = 0; i <= 64; ++i) {
        EXPECT_NEAR(std::hypot(section.points[i].x, section.points[i].y), 0.5f, 1e-6f);
        // At every size with tables, point i's t is the running sum of the
        // steps exactly, so the single point is the profile's bit for bit.
        const Point2 direct = section.PointAt(i);
        EXPECT_EQ(std::memcmp(&direct, &section.points[i], sizeof direct), 0) << i;
    }
    EXPECT_NEAR(section.points[16].x, 0.0f, 1e-6f);  // a quarter turn, counter-clockwise
    EXPECT_NEAR(section.points[16].y, 0.5f, 1e-6f);
    EXPECT_FALSE(section.SelfIntersects());
}

// The walk can carry a phase far from zero; whole turns more must not round
// away the degrees along the profile, or it would no longer close.
TEST(SectionProfile, PhasesWholeTurnsApartGiveTheSameProfile) {
    Section near, far;
    ASSERT_TRUE(near.Resize(64));
    ASSERT_TRUE(far.Resize(64));
    tunnel_test::SetComponent(near.params, 0, 0.5f, 0.1f, 30, 3, 45, 1);
    tunnel_test::SetComponent(far.params, 0, 0.5f, 0.1f, 30 + 360 * 1000, 3, 45 + 360 * 2000, 1);
    near.Evaluate();
    far.Evaluate();
    EXPECT_EQ(std::memcmp(near.points.get(), far.points.get(), sizeof(Point2) * 65), 0);
}

// The tables must give the direct formula's points bit for bit, whichever
// parameter changed since they were made. Point 2i of a profile too fine for
// tables lies at the same t as point i of one with half the points.
TEST(SectionProfile, TabledCurvesGiveTheDirectPointsBitForBit) {
    const uint32_t n = ComponentCurve::kMaxTabledPoints;
    ComponentCurve tabled, direct;
    tabled.Resize(n, 360.0f / static_cast<float>(n));
    direct.Resize(2 * n, 180.0f / static_cast<float>(n));
    ASSERT_TRUE(tabled.HasTables());
    ASSERT_FALSE(direct.HasTables());
    std::vector<Point2> fromTables(n + 1), computed(2 * n + 1);
    float c[kComponentParameters] = {0.45f, 0.05f, 0, 3, 0, 1};
    auto expectSame = [&](const char* change) {
        const uint32_t probe = n / 3 + 1;
        const Point2 single = tabled.PointAt(c, probe);  // before Evaluate: tables of the old values
        tabled.Evaluate(c, fromTables.data());
        direct.Evaluate(c, computed.data());
        uint32_t different = 0;
        for (uint32_t i = 0; i <= n; ++i)
            different += std::memcmp(&fromTables[i], &computed[2 * i], sizeof(Point2)) != 0;
        EXPECT_EQ(different, 0u) << change;
        EXPECT_EQ(std::memcmp(&single, &fromTables[probe], sizeof single), 0) << change;
        const Point2 again = tabled.PointAt(c, probe);
        EXPECT_EQ(std::memcmp(&again, &fromTables[probe], sizeof again), 0) << change;
    };
    expectSame("first evaluation");
    c[kRadius] = 0.46f;
    expectSame("radius");
    c[kWave] = -0.07f;
    expectSame("wave");
    c[kWavePhase] = 17.5f;
    expectSame("wave phase");
    c[kAnglePhase] = -33.25f;
    expectSame("angle phase");
    c[kWaveFreq] = 0;
    c[kAngleFreq] = 0;
    expectSame("zero frequencies: one angle for every point");
    c[kWavePhase] = -0.0f;
    c[kWaveFreq] = -0.0f;
    expectSame("negative zeros");
}

TEST(SectionProfile, ComponentsSumAndDisabledOnesContributeNothing) {
    Section section;
    ASSERT_TRUE(section.Resize(16));
    SectionParams& params = section.params;
    tunnel_test::SetComponent(params, 0, 0.4f, 0.1f, 90, 3, 0, 1);  // r = 0.4 + 0.1 cos(3t)
    tunnel_test::SetComponent(params, 1, 0.2f, 0, 0, 0, 180, 0);    // offset (-0.2, 0)
    tunnel_test::SetComponent(params, 2, 5.0f, 0, 0, 0, 0, 0);
    params.enabled[2] = 0;
    section.Evaluate();
    EXPECT_NEAR(section.points[0].x, 0.5f - 0.2f, 1e-6f);
    EXPECT_NEAR(section.points[0].y, 0.0f, 1e-6f);
    EXPECT_NEAR(section.points[4].x, -0.2f, 1e-6f);  // t = 90: r = 0.4 + 0.1 cos(270) = 0.4
    EXPECT_NEAR(section.points[4].y, 0.4f, 1e-6f);
    EXPECT_EQ(section.LayerPoint(2, 3).x, 0.0f);
}

TEST(SectionLimits, PointsOnTheBoundaryAreInsideAndTheFirstOutsideIsRecorded) {
    for (uint32_t n : {16u, 64u}) {
        Section section;
        ASSERT_TRUE(section.Resize(n));
        section.params = CircleFile(0.5f).params;
        section.limits = Box2{-0.5f, -0.6f, 0.5f, 0.6f};  // point 0 is exactly (0.5, 0)
        EXPECT_TRUE(section.Evaluate()) << n;
        section.limits.xmax = 0.49f;
        EXPECT_FALSE(section.Combine()) << n;
        EXPECT_EQ(section.outsideIndex, 0u);
        section.limits = Box2{-0.6f, -0.45f, 0.6f, 0.6f};
        EXPECT_FALSE(section.Combine());
        EXPECT_GT(section.outsideIndex, n / 2);  // the first point below y = -0.45
        EXPECT_LT(section.points[section.outsideIndex].y, -0.45f);
        EXPECT_GE(section.points[section.outsideIndex - 1].y, -0.45f);
    }
}

TEST(SectionLimits, SubBoxesBoundTheirEighthsAndTheBoxBoundsAll) {
    Section section;
    ASSERT_TRUE(section.Resize(64));
    tunnel_test::SetComponent(section.params, 0, 0.5f, 0.1f, 0, 3, 10, 1);
    ASSERT_TRUE(section.Evaluate());
    for (uint32_t s = 0; s < 8; ++s)
        for (uint32_t i = s * 8; i <= s * 8 + 8; ++i) {
            EXPECT_TRUE(section.subBoxes[s].Contains(section.points[i])) << s << " " << i;
            EXPECT_TRUE(section.box.Contains(section.points[i]));
        }
    Box2 tight = Box2::At(section.points[0]);
    for (uint32_t i = 1; i <= 64; ++i) tight.Widen(section.points[i]);
    EXPECT_EQ(std::memcmp(&tight, &section.box, sizeof tight), 0);
}

TEST(SectionLimits, AllComponentsDisabledPutsEveryPointAtTheOrigin) {
    Section section;
    ASSERT_TRUE(section.Resize(32));
    section.params = SectionParams{};
    EXPECT_TRUE(section.Evaluate());
    EXPECT_EQ(section.points[17].x, 0.0f);
    EXPECT_TRUE(section.SelfIntersects());  // collinear degenerate edges
}

}  // namespace
