// The cruise pilot's centre line: the wall distance and the climb to a deep
// point of one profile, and the line of such points along a tube.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "flight/centre_line.h"
#include "test_meshes.h"

namespace {

constexpr float kSpacing = 0.03125f;

Profile ProfileOf(const std::vector<Vector3>& points) {
    return Profile{points.data(), static_cast<uint32_t>(points.size())};
}

// The square of half-width 1 about the origin, counter-clockwise.
std::vector<Vector3> Square() { return {{1, -1, 0}, {1, 1, 0}, {-1, 1, 0}, {-1, -1, 0}}; }

// Two squares of half-width 1 about x = -2 and x = +2, joined by a neck 0.2 wide.
std::vector<Vector3> Dumbbell() {
    return {{-3, -1, 0}, {-1, -1, 0}, {-1, -0.1f, 0}, {1, -0.1f, 0}, {1, -1, 0}, {3, -1, 0},
            {3, 1, 0},   {1, 1, 0},   {1, 0.1f, 0},   {-1, 0.1f, 0}, {-1, 1, 0}, {-3, 1, 0}};
}

TEST(DeepPoint, DistanceAndInsideFollowTheWalls) {
    const std::vector<Vector3> square = Square();
    EXPECT_FLOAT_EQ(DistanceToWall(ProfileOf(square), Point2{0.2f, 0.0f}), 0.8f);
    EXPECT_FLOAT_EQ(DistanceToWall(ProfileOf(square), Point2{3.0f, 5.0f}), std::hypot(2.0f, 4.0f));
    EXPECT_TRUE(InsideProfile(ProfileOf(square), Point2{0.9f, -0.9f}));
    EXPECT_FALSE(InsideProfile(ProfileOf(square), Point2{1.1f, 0.0f}));
    const Point2 mean = ProfileMean(ProfileOf(square));
    EXPECT_FLOAT_EQ(mean.x, 0.0f);
    EXPECT_FLOAT_EQ(mean.y, 0.0f);
}

TEST(DeepPoint, ClimbsWellInsideFromInsideAndFromOutside) {
    const std::vector<Vector3> square = Square();
    for (const Point2 start :
         {Point2{0.7f, -0.4f}, Point2{-0.95f, 0.95f}, Point2{2.5f, 0.3f}, Point2{1.0f, 0.0f}}) {
        const DeepPoint deep = ClimbFromWall(ProfileOf(square), start);
        EXPECT_GT(deep.room, 0.9f) << start.x << " " << start.y;
        EXPECT_FLOAT_EQ(deep.room, DistanceToWall(ProfileOf(square), deep.at));
        EXPECT_TRUE(InsideProfile(ProfileOf(square), deep.at));
    }
}

TEST(DeepPoint, StaysInTheLobeItStartsIn) {
    const std::vector<Vector3> dumbbell = Dumbbell();
    const DeepPoint right = ClimbFromWall(ProfileOf(dumbbell), Point2{2.8f, 0.9f});
    const DeepPoint left = ClimbFromWall(ProfileOf(dumbbell), Point2{-1.2f, -0.5f});
    EXPECT_NEAR(right.at.x, 2.0f, 0.1f);
    EXPECT_NEAR(left.at.x, -2.0f, 0.1f);
    EXPECT_GT(right.room, 0.9f);
    EXPECT_GT(left.room, 0.9f);
}

// A rhombus 0.16 by 0.04: widest at its middle, 0.0194 from the wall; its ridge runs along x.
std::vector<Vector3> Rhombus() { return {{0.08f, 0, 0}, {0, 0.02f, 0}, {-0.08f, 0, 0}, {0, -0.02f, 0}}; }

TEST(DeepPoint, ANarrowSectionIsClimbedAlongItsRidgeToItsWidest) {
    const std::vector<Vector3> narrow = Rhombus();
    const float widest = DistanceToWall(ProfileOf(narrow), Point2{0.0f, 0.0f});
    const DeepPoint deep = ClimbFromWall(ProfileOf(narrow), Point2{0.07f, 0.001f});
    EXPECT_GT(deep.room, 0.98f * widest);
    EXPECT_NEAR(deep.at.x, 0.0f, 0.002f);
}

TEST(DeepPoint, AProfileWithoutAreaHasNoRoom) {
    const std::vector<Vector3> line = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    EXPECT_EQ(ClimbFromWall(ProfileOf(line), Point2{0.5f, 0.5f}).room, 0.0f);
}

// A tube whose circles of radius 0.5 move 0.01 along x per section.
class CentreLineAlongATube : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test_meshes::MakeTube(mesh, 32, 128, kSpacing,
                                          [](uint32_t j, uint32_t n) { return test_meshes::Circle(j, n, 0.5f); }));
        for (uint32_t s = 0; s < mesh.nSegments; ++s)
            for (uint32_t j = 0; j < mesh.nSegPoints; ++j) mesh.pos[mesh.VertexOf(s, j)].x += 0.01f * s;
    }
    Orbalt2 mesh;
    CentreLine line;
};

// The circles move on by more than their radius: a line that did not follow them would leave them.
TEST_F(CentreLineAlongATube, FollowsTheCircles) {
    ExtendCentreLine(mesh, 3, 62, Point2{0.4f, -0.3f}, line);
    ASSERT_EQ(line.first, 3);
    ASSERT_EQ(line.count, 60u);
    for (int32_t i = 3; i <= 62; ++i) {
        const DeepPoint& point = line.points[static_cast<uint32_t>(i) & (CentreLine::kCapacity - 1)];
        EXPECT_NEAR(point.at.x, 0.01f * static_cast<float>(i), 0.1f) << i;
        EXPECT_NEAR(point.at.y, 0.0f, 0.1f) << i;
        EXPECT_GT(point.room, 0.4f) << i;
    }
}

TEST_F(CentreLineAlongATube, KeepsWhatItHasAndStartsAgainAfterAGap) {
    ExtendCentreLine(mesh, 3, 10, Point2{0.03f, 0.0f}, line);
    const DeepPoint kept = line.points[8];
    // Dropping the first sections keeps the rest as they were.
    ExtendCentreLine(mesh, 8, 12, Point2{5.0f, 5.0f}, line);
    EXPECT_EQ(line.first, 8);
    EXPECT_EQ(line.count, 5u);
    EXPECT_EQ(line.points[8].at.x, kept.at.x);
    EXPECT_EQ(line.points[8].at.y, kept.at.y);
    // More than the ring holds: cut to its capacity.
    ExtendCentreLine(mesh, 8, 100, Point2{}, line);
    EXPECT_EQ(line.count, CentreLine::kCapacity);
    // A start beyond the line: the climb starts again from the given point.
    ExtendCentreLine(mesh, 100, 101, Point2{1.0f, 0.0f}, line);
    EXPECT_EQ(line.first, 100);
    EXPECT_EQ(line.count, 2u);
    ShiftCentreLine(-64, line);
    EXPECT_EQ(line.first, 36);
}

// A line of points on a straight line: x = 0.01 i, y = -0.02 i for sections 0 ... 20.
CentreLine StraightLine() {
    CentreLine line;
    line.first = 0;
    line.count = 21;
    for (uint32_t i = 0; i < line.count; ++i) line.points[i].at = Point2{0.01f * i, -0.02f * i};
    return line;
}

TEST(CentreLine, ReadsSmoothlyBetweenSectionsAndHoldsItsEnds) {
    const CentreLine line = StraightLine();
    // Points on a straight line read the line itself, whatever the reach.
    for (const float reach : {0.0f, kSpacing, 2.0f * kSpacing, 3.5f * kSpacing}) {
        const Point2 between = CentreAt(line, kSpacing, 10.25f * kSpacing, reach);
        EXPECT_NEAR(between.x, 0.1025f, 1e-6f) << reach;
        EXPECT_NEAR(between.y, -0.205f, 1e-6f) << reach;
    }
    // Near an end only the points there are averaged: the line bends toward its end point.
    EXPECT_NEAR(CentreAt(line, kSpacing, 0.0f, 2.0f * kSpacing).x, 0.01f / 3.0f, 1e-6f);
    EXPECT_EQ(CentreAt(line, kSpacing, -5.0f, kSpacing).x, 0.0f);
    EXPECT_EQ(CentreAt(line, kSpacing, 5.0f, kSpacing).x, line.points[20].at.x);
    EXPECT_EQ(CentreAt(CentreLine{}, kSpacing, 1.0f, kSpacing).x, 0.0f);
}

}  // namespace
