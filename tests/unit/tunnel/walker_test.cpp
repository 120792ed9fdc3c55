// The random generator, the drifts and the walker's guarantees.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/stub/stub_control.h"
#include "tunnel/additive_random.h"
#include "tunnel/drift.h"
#include "tunnel/section_walker.h"
#include "tunnel_fixtures.h"

namespace {

TEST(AdditiveRandom, SeedEightGivesTheKnownSequence) {
    AdditiveRandom random;
    random.Seed(8);
    EXPECT_EQ(random.Next(), 4016131392u);
    EXPECT_EQ(random.Next(), 1521496711u);
    EXPECT_EQ(random.Next(), 863981154u);
}

TEST(AdditiveRandom, ReseedingRestartsTheSequenceAndSeedsDiffer) {
    AdditiveRandom a, b;
    a.Seed(8);
    std::vector<uint32_t> first;
    for (int i = 0; i < 200; ++i) first.push_back(a.Next());  // past both lags' wrap
    a.Seed(8);
    b.Seed(9);
    int same = 0;
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(a.Next(), first[static_cast<size_t>(i)]);
        same += b.Next() == first[static_cast<size_t>(i)];
    }
    EXPECT_LT(same, 3);
}

TEST(AdditiveRandom, SeedZeroIsAccepted) {
    AdditiveRandom random;
    random.Seed(0);  // every seeding draw is 2147483647
    EXPECT_EQ(random.Next(), 2u * 2147483647u + 2u * 2147483647u);
}

TEST(Drift, StaysWithinItsRangeAndItsVelocityBound) {
    AdditiveRandom random;
    random.Seed(3);
    Drift drift(random);
    drift.min = -0.5f;
    drift.max = 0.25f;
    drift.rate = 0.2f;
    const float bound = 0.75f * 0.2f;
    float previous = drift.value;
    bool reachedMin = false, reachedMax = false;
    for (int i = 0; i < 20000; ++i) {
        const float value = drift.Next();
        EXPECT_GE(value, -0.5f);
        EXPECT_LE(value, 0.25f);
        EXPECT_LE(std::fabs(drift.velocity), bound + 1e-7f);
        EXPECT_LE(std::fabs(value - previous), bound + 1e-6f);
        reachedMin |= value == -0.5f;
        reachedMax |= value == 0.25f;
        previous = value;
    }
    EXPECT_TRUE(reachedMin);
    EXPECT_TRUE(reachedMax);
}

class WalkerTest : public ::testing::Test {
protected:
    void SetUp() override { platform::stub::Reset(); }
    void Load(Section& section, SectionWalker& walker, uint32_t points, const std::string& path) {
        ASSERT_TRUE(section.Resize(points));
        ASSERT_TRUE(section.LoadParams(path.c_str(), walker.stepScale));
    }
    TempDir dir;
};

// Every profile the walk leaves behind is inside its limits, does not cross
// itself (by an independent brute-force test) and belongs to the section's
// final parameters, not to a rejected candidate.
TEST_F(WalkerTest, EveryProfileStaysInsideTheLimitsAndSimple) {
    for (uint32_t points : {16u, 64u}) {
        Section section, check;
        SectionWalker walker;
        Load(section, walker, points, tunnel_test::DefaultSectionPath());
        ASSERT_TRUE(check.Resize(points));
        check.limits = section.limits;
        walker.Init(8, 0.2f);
        int changed = 0;
        for (int n = 0; n < 1500; ++n) {
            const SectionParams before = section.params;
            walker.Advance(section);
            changed += std::memcmp(&before, &section.params, sizeof before) != 0;
            std::vector<Point2> profile(section.points.get(), section.points.get() + points);
            for (const Point2& p : profile) ASSERT_TRUE(section.limits.Contains(p)) << "section " << n;
            ASSERT_FALSE(tunnel_test::PolygonCrossesItself(profile)) << "section " << n;
            check.ReplaceParams(section.params);
            ASSERT_EQ(std::memcmp(check.points.get(), section.points.get(), sizeof(Point2) * (points + 1)), 0)
                << "section " << n << " holds another profile than its parameters'";
            for (const Point2& p : profile) ASSERT_TRUE(section.box.Contains(p));
        }
        EXPECT_GT(changed, 1400) << points;  // the default file leaves the walk room to move
    }
}

// The same seed gives the same sections whether the search runs whole or one
// try at a time (as the builder spreads it over frames); another seed differs.
TEST_F(WalkerTest, IdenticalSeedsGiveIdenticalSequencesWholeOrStepwiseAndOthersDiffer) {
    Section a, b, c;
    SectionWalker wa, wb, wc;
    Load(a, wa, 32, tunnel_test::DefaultSectionPath());
    Load(b, wb, 32, tunnel_test::DefaultSectionPath());
    Load(c, wc, 32, tunnel_test::DefaultSectionPath());
    wa.Init(8, 0.2f);
    wb.Init(8, 0.2f);
    wc.Init(9, 0.2f);
    EXPECT_TRUE(wb.Step(b));  // nothing begun: nothing to do
    int steps = 0;
    for (int n = 0; n < 200; ++n) {
        wa.Advance(a);
        wb.Begin(b);
        for (steps += 1; !wb.Step(b); ++steps) ASSERT_TRUE(wb.Searching());
        ASSERT_FALSE(wb.Searching());
        wc.Advance(c);
        ASSERT_EQ(std::memcmp(&a.params, &b.params, sizeof a.params), 0) << n;
        ASSERT_EQ(std::memcmp(a.points.get(), b.points.get(), sizeof(Point2) * 33), 0) << n;
        ASSERT_EQ(std::memcmp(a.subBoxes.get(), b.subBoxes.get(), sizeof(Box2) * a.nSubBoxes), 0) << n;
    }
    EXPECT_GE(steps, 200 * 16);  // at least one try of each varied parameter per section
    EXPECT_NE(std::memcmp(&a.params, &c.params, sizeof a.params), 0);
}

TEST_F(WalkerTest, ZeroStepsRepeatTheSectionAndNegativeStepsPinTheChange) {
    SectionFile file = tunnel_test::CircleFile(0.3f);
    tunnel_test::SetComponent(file.params, 1, 0.05f, 0, 0, 0, 0, 0);
    for (float& step : file.stepScale) step = 0.0f;
    Section section;
    SectionWalker walker;
    Load(section, walker, 32, tunnel_test::WriteSectionFile(dir, "zero.sct", file));
    walker.Init(8, 0.2f);
    const SectionParams start = section.params;
    for (int n = 0; n < 20; ++n) walker.Advance(section);
    EXPECT_EQ(std::memcmp(&start, &section.params, sizeof start), 0);

    file.stepScale[kRadius] = -0.01f;
    file.stepScale[kAnglePhase] = -2.0f;
    Load(section, walker, 32, tunnel_test::WriteSectionFile(dir, "negative.sct", file));
    walker.Init(8, 0.2f);
    for (int n = 1; n <= 10; ++n) {
        walker.Advance(section);
        EXPECT_NEAR(section.params.components[0][kRadius], 0.3f - 0.01f * n, 1e-5f);
        EXPECT_NEAR(section.params.components[1][kRadius], 0.05f - 0.01f * n, 1e-5f);
        EXPECT_NEAR(section.params.components[1][kAnglePhase], -2.0f * n, 1e-4f);
        EXPECT_EQ(section.params.components[0][kWave], 0.0f);
    }
}

// No file gives such a section (its profile encloses no area), but the walk
// must still leave it alone.
TEST_F(WalkerTest, NoEnabledComponentLeavesEveryPointAtTheOrigin) {
    Section section;
    SectionWalker walker;
    ASSERT_TRUE(section.Resize(32));
    section.ReplaceParams(SectionParams{});
    walker.Init(8, 0.2f);
    walker.Advance(section);
    for (uint32_t i = 0; i <= 32; ++i) {
        EXPECT_EQ(section.points[i].x, 0.0f);
        EXPECT_EQ(section.points[i].y, 0.0f);
    }
}

// A walk that starts from parameters replaced behind its back (as the builder
// does when the camera turns) tests its candidates against the new profile.
TEST_F(WalkerTest, ReplacedParametersAreEvaluatedBeforeTheWalkContinues) {
    Section section;
    SectionWalker walker;
    Load(section, walker, 64, tunnel_test::DefaultSectionPath());
    walker.Init(8, 0.2f);
    SectionParams shifted = section.params;
    shifted.components[1][kRadius] = 0.17f;  // moves the whole profile sideways
    section.ReplaceParams(shifted);
    Section check;
    ASSERT_TRUE(check.Resize(64));
    check.params = shifted;
    check.Evaluate();
    for (uint32_t i = 0; i <= 64; ++i) {
        EXPECT_EQ(section.points[i].x, check.points[i].x);
        EXPECT_EQ(section.LayerPoint(1, i).x, check.LayerPoint(1, i).x);
    }
}

TEST(WalkerInit, DriftRangesFollowTheStepMagnitudes) {
    SectionWalker walker;
    const float steps[6] = {0.002f, -0.5f, 3, 4, 0, 6};
    std::memcpy(walker.stepScale, steps, sizeof steps);
    walker.Init(8, 5.0f);
    EXPECT_EQ(walker.DriftOf(2, kRadius).min, -0.002f);
    EXPECT_EQ(walker.DriftOf(2, kRadius).max, 0.002f);
    EXPECT_EQ(walker.DriftOf(0, kWave).min, -0.5f);
    EXPECT_EQ(walker.DriftOf(0, kWave).max, -0.5f);
    EXPECT_EQ(walker.DriftOf(0, kWave).value, -0.5f);
    EXPECT_EQ(walker.DriftOf(3, kAnglePhase).max, 0.0f);
    EXPECT_EQ(walker.DriftOf(1, kWaveFreq).min, -1.0f);  // never varied: construction range
    EXPECT_EQ(walker.DriftOf(1, kWaveFreq).max, 1.0f);
    EXPECT_EQ(walker.DriftOf(1, kWaveFreq).rate, 1.0f);  // rate clamped to 1
}

// A wave sampled where it vanishes (32 waves over 32 points at phase 0)
// leaves the profile inside its limits at any amplitude; with a large step
// the walk would grow it until float rounding of its size opened the profile.
// Amplitudes stay within what the limits can hold.
TEST_F(WalkerTest, AmplitudesStayWithinTheLimitsEvenWhereTheyDoNotShow) {
    SectionFile file = tunnel_test::CircleFile(0.45f);
    tunnel_test::SetComponent(file.params, 1, 0, 0.04f, 0, 32, 0, 1);
    file.stepScale[kWave] = 4000.0f;
    Section section;
    SectionWalker walker;
    Load(section, walker, 32, tunnel_test::WriteSectionFile(dir, "aliased.sct", file));
    walker.Init(8, 0.2f);
    for (int n = 0; n < 50; ++n) {
        walker.Advance(section);
        ASSERT_TRUE(section.AmplitudesFit()) << n;
        ASSERT_LE(std::fabs(section.params.components[1][kWave]), 2.0f * std::hypot(0.9f, 0.9f)) << n;
    }
}

// A circle running counter-clockwise with a smaller one running clockwise: an
// ellipse. A radius step larger than their difference can make the clockwise
// circle the larger in one step, an ellipse just as simple but running the
// other way, whose faces would point out of the tunnel. The walk keeps the
// profile counter-clockwise (by the shoelace sum of its points).
TEST_F(WalkerTest, AClockwiseComponentNeverTurnsTheProfileRound) {
    SectionFile file = tunnel_test::CircleFile(0.3f);
    tunnel_test::SetComponent(file.params, 1, 0.2f, 0, 0, 0, 0, -1);
    file.stepScale[kRadius] = 0.3f;
    file.stepScale[kWave] = 0.0f;  // the radii alone size the circles
    Section section;
    SectionWalker walker;
    Load(section, walker, 64, tunnel_test::WriteSectionFile(dir, "ellipse.sct", file));
    walker.Init(8, 0.2f);
    float closest = 0.0f;  // how near the clockwise circle came to the other's size
    for (int n = 0; n < 400; ++n) {
        walker.Advance(section);
        double twiceArea = 0.0;
        for (uint32_t i = 0; i < 64; ++i) {
            const Point2 &p = section.points[i], &q = section.points[(i + 1) % 64];
            twiceArea += double{p.x} * q.y - double{q.x} * p.y;
        }
        ASSERT_GT(twiceArea, 0.0) << "section " << n;
        const float* radii[] = {section.params.components[0], section.params.components[1]};
        closest = std::max(closest, std::fabs(radii[1][kRadius]) / std::fabs(radii[0][kRadius]));
    }
    EXPECT_GT(closest, 0.8f);  // the walk went close to the turn
    EXPECT_LT(closest, 1.0f);
}

}  // namespace
