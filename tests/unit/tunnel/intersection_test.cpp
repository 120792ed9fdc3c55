// The segment test and both forms of the self-intersection test, and the
// tree search against the edge-by-edge comparison it replaces.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tunnel/additive_random.h"
#include "tunnel/section.h"
#include "tunnel_fixtures.h"

namespace {

int Intersect(Point2 a, Point2 b, Point2 c, Point2 d, Point2* out = nullptr) {
    Point2 ignored;
    return IntersectSegments(a, b, c, d, out ? *out : ignored);
}

TEST(IntersectSegments, CrossingTouchingParallelAndApart) {
    Point2 at;
    EXPECT_EQ(Intersect({0, 0}, {2, 2}, {0, 2}, {2, 0}, &at), 1);
    EXPECT_FLOAT_EQ(at.x, 1.0f);
    EXPECT_FLOAT_EQ(at.y, 1.0f);
    EXPECT_EQ(Intersect({0, 0}, {1, 0}, {1, 0}, {2, 1}, &at), 1);  // end points meet
    EXPECT_FLOAT_EQ(at.x, 1.0f);
    EXPECT_EQ(Intersect({0, 0}, {2, 0}, {1, 0}, {1, 1}), 1);           // T-junction
    EXPECT_EQ(Intersect({0, 0}, {2, 0}, {1, 0}, {3, 0}), 2);           // collinear, overlapping
    EXPECT_EQ(Intersect({0, 0}, {0, 0}, {0, 0}, {0, 0}), 2);           // degenerate points
    EXPECT_EQ(Intersect({0, 0}, {1, 0}, {2, 0}, {3, 0}), 0);           // collinear, x ranges apart
    EXPECT_EQ(Intersect({0, 0}, {2, 0}, {0, 1}, {2, 1}), 0);           // parallel, y ranges apart
    EXPECT_EQ(Intersect({0, 0}, {2, 2}, {0, 0.5f}, {2, 2.5f}), 0);     // parallel, ranges overlap
    EXPECT_EQ(Intersect({0, 0}, {1, 1}, {1.5f, 0}, {0.6f, 0.5f}), 0);  // lines meet beyond the ends
    EXPECT_EQ(Intersect({0, 0}, {1, 1}, {2, 0}, {0.6f, 0.5f}), 0);
}

class SelfIntersection : public ::testing::TestWithParam<uint32_t> {
protected:
    // Tests with the form the section uses and, for sectioned profiles, with
    // the plain form too; both must agree.
    bool Crosses(Section& section) {
        EXPECT_TRUE(section.Evaluate());
        const bool result = section.SelfIntersects();
        if (section.nSubBoxes != 0) {
            section.nSubBoxes = 0;
            EXPECT_EQ(section.SelfIntersects(), result);
            section.nSubBoxes = 8;
        }
        return result;
    }
};

TEST_P(SelfIntersection, CircleAndLobedProfilesAreSimple) {
    Section section;
    ASSERT_TRUE(section.Resize(GetParam()));
    section.params = tunnel_test::CircleFile(0.5f).params;
    EXPECT_FALSE(Crosses(section));
    tunnel_test::SetComponent(section.params, 1, 0, 0.1f, 0, 3, 0, 1);
    tunnel_test::SetComponent(section.params, 2, 0.2f, 0, 0, 0, 30, 0);
    EXPECT_FALSE(Crosses(section));
}

TEST_P(SelfIntersection, FigureEightCrosses) {
    Section section;
    ASSERT_TRUE(section.Resize(GetParam()));
    // x = 0.5 sin(t), y = 0.25 sin(2t): two components with a fixed angle.
    tunnel_test::SetComponent(section.params, 0, 0, 0.5f, 0, 1, 0, 0);
    tunnel_test::SetComponent(section.params, 1, 0, 0.25f, 0, 2, 90, 0);
    EXPECT_TRUE(Crosses(section));
    EXPECT_NE(section.crossI, section.crossJ);
}

TEST_P(SelfIntersection, LoopsOfAWaveThatIsTooDeepCross) {
    Section section;
    ASSERT_TRUE(section.Resize(GetParam()));
    section.limits = Box2{-3, -3, 3, 3};
    // r = 0.2 + 0.5 sin(3t) goes negative: the curve loops through the centre.
    tunnel_test::SetComponent(section.params, 0, 0.2f, 0.5f, 0, 3, 0, 1);
    EXPECT_TRUE(Crosses(section));
}

TEST_P(SelfIntersection, ACircleFinerThanTheFloatGridFoldsBack) {
    Section section;
    ASSERT_TRUE(section.Resize(GetParam()));
    section.limits = Box2{-4000, -1, 1, 1};
    // A circle of radius 0.0003 moved 2857.7 along x, where floats lie
    // 0.00024 apart: its top points share one x and the profile runs up that
    // line and back down over itself, where the boxes of two chunks touch.
    tunnel_test::SetComponent(section.params, 0, 0.0003f, 0, 0, 0, 0, 1);
    tunnel_test::SetComponent(section.params, 1, -2857.7f, 0, 0, 0, 0, 0);
    EXPECT_TRUE(Crosses(section));
    section.params.components[1][kRadius] = -0.5f;  // the same circle where floats are fine
    EXPECT_FALSE(Crosses(section));
}

TEST_P(SelfIntersection, AgreesOnManyRandomProfiles) {
    AdditiveRandom random;
    random.Seed(12345);
    auto uniform = [&](float low, float high) {
        return low + (high - low) * static_cast<float>(random.Next() / 4294967296.0);
    };
    Section section;
    ASSERT_TRUE(section.Resize(GetParam()));
    section.limits = Box2{-10, -10, 10, 10};
    int crossing = 0;
    for (int n = 0; n < 300; ++n) {
        section.params = SectionParams{};
        tunnel_test::SetComponent(section.params, 0, uniform(0.2f, 0.6f), uniform(0, 0.4f), uniform(0, 360), 3, 0,
                                  1);
        tunnel_test::SetComponent(section.params, 1, uniform(0, 0.2f), uniform(0, 0.2f), uniform(0, 360), 2,
                                  uniform(0, 360), 1);
        tunnel_test::SetComponent(section.params, 2, uniform(0, 0.3f), 0, 0, 0, uniform(0, 360), 0);
        const bool result = Crosses(section);
        std::vector<Point2> polygon(section.points.get(), section.points.get() + section.nPoints);
        EXPECT_EQ(result, tunnel_test::PolygonCrossesItself(polygon)) << "profile " << n;
        crossing += result;
    }
    EXPECT_GT(crossing, 20);  // both outcomes are exercised
    EXPECT_LT(crossing, 280);
}

INSTANTIATE_TEST_SUITE_P(PlainAndSubBoxes, SelfIntersection, ::testing::Values(16u, 32u, 64u, 256u));

TEST(SelfIntersectionEdges, NonAdjacentEdgesThatOnlyTouchCount) {
    // Point 4 dips down onto the middle of edge 0; with eight points the
    // plain form runs.
    Section section;
    ASSERT_TRUE(section.Resize(8));
    const Point2 shape[9] = {{0, 0}, {2, 0}, {2, 2}, {1.5f, 2}, {1, 0}, {0.5f, 2}, {0, 2}, {-0.5f, 1}, {0, 0}};
    for (int i = 0; i < 9; ++i) section.points[i] = shape[i];
    EXPECT_TRUE(section.SelfIntersects());
    EXPECT_EQ(section.crossI, 3u);
    EXPECT_EQ(section.crossJ, 0u);
    section.points[4] = Point2{1, 0.2f};
    EXPECT_FALSE(section.SelfIntersects());
}

// Profiles given point by point: component 0 alone, its layer holding the
// points, so that Combine bounds them as it bounds any profile.
class FirstCrossingPair : public ::testing::TestWithParam<uint32_t> {
protected:
    void SetUp() override {
        random.Seed(GetParam());
        ASSERT_TRUE(section.Resize(GetParam()));
        section.limits = Box2{-1e30f, -1e30f, 1e30f, 1e30f};
        section.params = SectionParams{};
        section.params.enabled[0] = 1;
    }

    float Uniform(float low, float high) {
        return low + (high - low) * static_cast<float>(random.Next() / 4294967296.0);
    }
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(random.Next() % n); }
    // Coarse grid coordinates: shared x values, vertical and collinear edges,
    // repeated points and exact touches are common.
    float OnGrid(int cells) { return static_cast<float>(Below(static_cast<uint32_t>(cells))) * 0.25f; }

    std::vector<Point2> Circle(float wobble) {
        std::vector<Point2> profile;
        const uint32_t n = section.nPoints;
        for (uint32_t i = 0; i <= n; ++i) {
            const double t = 6.283185307179586 * i / n;
            const float r = 1.0f + Uniform(-wobble, wobble);
            profile.push_back(Point2{static_cast<float>(r * std::cos(t)), static_cast<float>(r * std::sin(t))});
        }
        return profile;
    }

    // Both forms must find the same first pair or none; the reference does
    // not reset crossI and crossJ when it finds none, so both start alike.
    bool ExpectSameFirstPair(const std::vector<Point2>& profile, const std::string& what) {
        for (uint32_t i = 0; i <= section.nPoints; ++i) section.LayerPoint(0, i) = profile[i];
        section.Combine();
        section.crossI = section.crossJ = 7777;
        const bool fast = section.SelfIntersects();
        const uint32_t fastI = section.crossI, fastJ = section.crossJ;
        section.crossI = section.crossJ = 7777;
        const bool reference = section.SelfIntersectsEdgeByEdge();
        EXPECT_EQ(fast, reference) << what;
        EXPECT_EQ(fastI, section.crossI) << what;
        EXPECT_EQ(fastJ, section.crossJ) << what;
        return reference;
    }

    AdditiveRandom random;
    Section section;
};

TEST_P(FirstCrossingPair, GridScribblesAndWalks) {
    const uint32_t n = section.nPoints;
    const int rounds = n <= 256 ? 60 : 8;
    int crossing = 0, late = 0;
    for (int round = 0; round < rounds; ++round) {
        // Points anywhere on a small grid: crossings, overlaps and repeated
        // points almost everywhere.
        std::vector<Point2> scribble;
        const int cells = 3 + round % 4;
        for (uint32_t i = 0; i <= n; ++i) scribble.push_back(Point2{OnGrid(cells), OnGrid(cells)});
        if (round % 2 == 0) scribble[n] = scribble[0];
        crossing += ExpectSameFirstPair(scribble, "scribble " + std::to_string(round));

        // A zigzag running right over grid heights with one point thrown
        // back over the columns behind it: its first crossing, if any, falls
        // anywhere along it.
        std::vector<Point2> zigzag;
        for (uint32_t i = 0; i <= n; ++i) zigzag.push_back(Point2{0.25f * static_cast<float>(i), OnGrid(3)});
        zigzag[2 + Below(n - 2)].x -= 0.25f * static_cast<float>(1 + Below(4));
        crossing += ExpectSameFirstPair(zigzag, "zigzag " + std::to_string(round));
        late += section.crossI >= n / 4 && section.crossI != 7777;
    }
    EXPECT_GT(crossing, rounds);
    EXPECT_GT(late, 0);  // some first crossings lie beyond the first chunks
}

TEST_P(FirstCrossingPair, SimpleProfilesWithTouchesAndDents) {
    const uint32_t n = section.nPoints;
    const int rounds = n <= 256 ? 60 : 8;
    int crossing = 0, simple = 0;
    for (int round = 0; round < rounds; ++round) {
        std::vector<Point2> profile = Circle(round % 3 == 0 ? 0.0f : 0.02f);
        switch (round % 5) {
            case 0:  // a point moved exactly onto a far point: the edges touch at an end
                profile[Below(n / 2)] = profile[n / 2 + Below(n / 2)];
                break;
            case 1: {  // a point on the middle of a far edge: a T-junction
                const uint32_t e = n / 2 + Below(n / 2 - 1);
                profile[Below(n / 4) + 1] =
                    Point2{(profile[e].x + profile[e + 1].x) / 2, (profile[e].y + profile[e + 1].y) / 2};
                break;
            }
            case 2:  // a run of repeated points: zero-length edges side by side
                for (uint32_t i = n / 3; i < n / 3 + 4; ++i) profile[i] = profile[n / 3];
                break;
            case 3:  // a dent toward the centre that stays clear of everything
                profile[Below(n)].x *= 0.9f;
                break;
            default:  // the closing point exactly on point 0
                profile[n] = profile[0];
                break;
        }
        const bool crosses = ExpectSameFirstPair(profile, "profile " + std::to_string(round));
        crossing += crosses;
        simple += !crosses;
    }
    EXPECT_GT(crossing, 0);
    EXPECT_GT(simple, 0);
}

TEST_P(FirstCrossingPair, StraightLinesPointsThatAreNotNumbersAndStaleSubBoxes) {
    const uint32_t n = section.nPoints;
    // Every point on one horizontal line: collinear edges overlapping their
    // neighbours' neighbours, or running on monotonically.
    std::vector<Point2> line;
    for (uint32_t i = 0; i <= n; ++i) line.push_back(Point2{OnGrid(8), 0.5f});
    ExpectSameFirstPair(line, "scattered on a line");
    for (uint32_t i = 0; i <= n; ++i) line[i] = Point2{0.5f, static_cast<float>(i)};
    EXPECT_FALSE(ExpectSameFirstPair(line, "a vertical run"));
    line[n] = line[0];
    EXPECT_TRUE(ExpectSameFirstPair(line, "a vertical run back to its start"));

    std::vector<Point2> profile = Circle(0.0f);
    profile[n / 2 + 1].y = std::numeric_limits<float>::quiet_NaN();
    ExpectSameFirstPair(profile, "a point that is not a number");
    profile[n / 2 + 1] = profile[3];
    ExpectSameFirstPair(profile, "a point that is not a number, then a touch");

    // Sub-boxes that do not bound their chunks decide which chunks are
    // compared, for both forms alike.
    for (int round = 0; round < 20; ++round) {
        std::vector<Point2> scribble;
        for (uint32_t i = 0; i <= n; ++i) scribble.push_back(Point2{OnGrid(5), OnGrid(5)});
        for (uint32_t i = 0; i <= n; ++i) section.LayerPoint(0, i) = scribble[i];
        section.Combine();
        for (uint32_t s = 0; s < section.nSubBoxes; ++s)
            if (Below(2) == 0) section.subBoxes[s] = Box2{0, 0, 0.1f, 0.1f};
        section.crossI = section.crossJ = 7777;
        const bool fast = section.SelfIntersects();
        const uint32_t fastI = section.crossI, fastJ = section.crossJ;
        section.crossI = section.crossJ = 7777;
        EXPECT_EQ(fast, section.SelfIntersectsEdgeByEdge()) << round;
        EXPECT_EQ(fastI, section.crossI) << round;
        EXPECT_EQ(fastJ, section.crossJ) << round;
    }
}

INSTANTIATE_TEST_SUITE_P(ChunksSmallerThanEqualToAndLargerThanBuckets, FirstCrossingPair,
                         ::testing::Values(32u, 64u, 128u, 256u, 1024u));

}  // namespace
