// The segment test and both forms of the self-intersection test.
#include <gtest/gtest.h>

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
    EXPECT_EQ(Intersect({0, 0}, {2, 0}, {1, 0}, {1, 1}), 1);        // T-junction
    EXPECT_EQ(Intersect({0, 0}, {2, 0}, {1, 0}, {3, 0}), 2);        // collinear, overlapping
    EXPECT_EQ(Intersect({0, 0}, {0, 0}, {0, 0}, {0, 0}), 2);        // degenerate points
    EXPECT_EQ(Intersect({0, 0}, {1, 0}, {2, 0}, {3, 0}), 0);        // collinear, x ranges apart
    EXPECT_EQ(Intersect({0, 0}, {2, 0}, {0, 1}, {2, 1}), 0);        // parallel, y ranges apart
    EXPECT_EQ(Intersect({0, 0}, {2, 2}, {0, 0.5f}, {2, 2.5f}), 0);  // parallel, ranges overlap
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
    const Point2 shape[9] = {{0, 0},   {2, 0},   {2, 2}, {1.5f, 2}, {1, 0},
                             {0.5f, 2}, {0, 2}, {-0.5f, 1}, {0, 0}};
    for (int i = 0; i < 9; ++i) section.points[i] = shape[i];
    EXPECT_TRUE(section.SelfIntersects());
    EXPECT_EQ(section.crossI, 3u);
    EXPECT_EQ(section.crossJ, 0u);
    section.points[4] = Point2{1, 0.2f};
    EXPECT_FALSE(section.SelfIntersects());
}

}  // namespace
