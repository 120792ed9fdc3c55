// The closest point of a triangle: the documented cases, every region against
// an independent brute-force computation, and triangles without area.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "flight/collision.h"

namespace {

Vector3 Closest(const Vector3& v0, const Vector3& v1, const Vector3& v2, const Vector3& p) {
    Vector3 out{99.0f, 99.0f, 99.0f};
    ClosestPointOnTriangle(v0, v1, v2, p, out);
    return out;
}

void ExpectPoint(const Vector3& actual, float x, float y, float z) {
    EXPECT_FLOAT_EQ(actual.x, x);
    EXPECT_FLOAT_EQ(actual.y, y);
    EXPECT_FLOAT_EQ(actual.z, z);
}

TEST(ClosestPoint, UnitTriangleCases) {
    const Vector3 v0{0, 0, 0}, v1{1, 0, 0}, v2{0, 1, 0};
    ExpectPoint(Closest(v0, v1, v2, {0.25f, 0.25f, 1.0f}), 0.25f, 0.25f, 0.0f);  // inside
    ExpectPoint(Closest(v0, v1, v2, {1, 1, 0}), 0.5f, 0.5f, 0.0f);               // beyond the far edge
    ExpectPoint(Closest(v0, v1, v2, {2, -1, 0}), 1.0f, 0.0f, 0.0f);              // s + t equal to det: corner V1
    ExpectPoint(Closest(v0, v1, v2, {-1, 2, 0}), 0.0f, 1.0f, 0.0f);
    ExpectPoint(Closest(v0, v1, v2, {-1, -1, 5}), 0.0f, 0.0f, 0.0f);
    ExpectPoint(Closest(v0, v1, v2, {0.5f, -3, 0}), 0.5f, 0.0f, 0.0f);
    ExpectPoint(Closest(v0, v1, v2, {-2, 0.75f, -1}), 0.0f, 0.75f, 0.0f);
    ExpectPoint(Closest(v0, v1, v2, {3, 0.5f, 0}), 1.0f, 0.0f, 0.0f);
    ExpectPoint(Closest(v0, v1, v2, {0.5f, 3, 0}), 0.0f, 1.0f, 0.0f);
}

// --- Brute force: the nearest of the plane projection (when inside) and the
// nearest points of the three edges, in double precision.
struct D3 {
    double x, y, z;
};
D3 Sub(D3 a, D3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
D3 Add(D3 a, D3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
D3 Mul(D3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double Dot(D3 a, D3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
D3 Cross(D3 a, D3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
D3 ToD(const Vector3& v) { return {v.x, v.y, v.z}; }

D3 NearestOnSegment(D3 a, D3 b, D3 p) {
    D3 ab = Sub(b, a);
    double u = Dot(Sub(p, a), ab) / Dot(ab, ab);
    return Add(a, Mul(ab, std::fmin(1.0, std::fmax(0.0, u))));
}

double BruteForceDistance(D3 a, D3 b, D3 c, D3 p) {
    double best = 1e300;
    for (D3 q : {NearestOnSegment(a, b, p), NearestOnSegment(b, c, p), NearestOnSegment(c, a, p)})
        best = std::fmin(best, std::sqrt(Dot(Sub(q, p), Sub(q, p))));
    D3 n = Cross(Sub(b, a), Sub(c, a));
    double height = Dot(Sub(p, a), n) / Dot(n, n);
    D3 q = Sub(p, Mul(n, height));  // projection onto the plane
    // Inside when q lies on the inner side of all three edges.
    if (Dot(Cross(Sub(b, a), Sub(q, a)), n) >= 0 && Dot(Cross(Sub(c, b), Sub(q, b)), n) >= 0 &&
        Dot(Cross(Sub(a, c), Sub(q, c)), n) >= 0)
        best = std::fmin(best, std::sqrt(Dot(Sub(q, p), Sub(q, p))));
    return best;
}

// Where on the triangle a point lies: inside, on one of the edges, or at a corner.
enum Location { INSIDE, EDGE01, EDGE12, EDGE20, CORNER0, CORNER1, CORNER2, kLocations };

Location Locate(D3 a, D3 b, D3 c, D3 q) {
    const double eps = 1e-9;
    auto near = [&](D3 x) { return Dot(Sub(q, x), Sub(q, x)) < eps; };
    if (near(a)) return CORNER0;
    if (near(b)) return CORNER1;
    if (near(c)) return CORNER2;
    auto onEdge = [&](D3 x, D3 y) {
        D3 m = NearestOnSegment(x, y, q);
        return Dot(Sub(q, m), Sub(q, m)) < eps;
    };
    if (onEdge(a, b)) return EDGE01;
    if (onEdge(b, c)) return EDGE12;
    if (onEdge(c, a)) return EDGE20;
    return INSIDE;
}

TEST(ClosestPoint, AgreesWithBruteForceInEveryRegion) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> corner(-1.0f, 1.0f), point(-2.5f, 2.5f);
    int hits[kLocations] = {};
    for (int i = 0; i < 20000; ++i) {
        Vector3 v[3], p{point(random), point(random), point(random)};
        for (Vector3& c : v) c.Set(corner(random), corner(random), corner(random));
        D3 a = ToD(v[0]), b = ToD(v[1]), c = ToD(v[2]);
        if (Dot(Cross(Sub(b, a), Sub(c, a)), Cross(Sub(b, a), Sub(c, a))) < 1e-6) continue;  // needle-thin
        Vector3 q = Closest(v[0], v[1], v[2], p);
        double distance = std::sqrt(Dot(Sub(ToD(q), ToD(p)), Sub(ToD(q), ToD(p))));
        double expected = BruteForceDistance(a, b, c, ToD(p));
        ASSERT_NEAR(distance, expected, 1e-5 * (1.0 + expected)) << "case " << i;
        // The point is on the triangle, not merely at the right distance.
        ASSERT_NEAR(BruteForceDistance(a, b, c, ToD(q)), 0.0, 1e-5) << "case " << i;
        ++hits[Locate(a, b, c, ToD(q))];
    }
    for (int location = 0; location < kLocations; ++location)
        EXPECT_GT(hits[location], 200) << "location " << location;
}

TEST(ClosestPoint, TrianglesWithoutAreaGiveTheNearestPointOfTheirEdges) {
    // Three corners on one line.
    Vector3 q = Closest({0, 0, 0}, {2, 0, 0}, {1, 0, 0}, {1.5f, 1, 0});
    ExpectPoint(q, 1.5f, 0.0f, 0.0f);
    q = Closest({0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {5, 5, 5});
    ExpectPoint(q, 2.0f, 2.0f, 2.0f);
    // Two equal corners, and all three equal.
    q = Closest({1, 0, 0}, {1, 0, 0}, {1, 4, 0}, {0, 2, 0});
    ExpectPoint(q, 1.0f, 2.0f, 0.0f);
    q = Closest({3, 3, 3}, {3, 3, 3}, {3, 3, 3}, {0, 0, 0});
    ExpectPoint(q, 3.0f, 3.0f, 3.0f);

    Vector3 untouched{7, 7, 7};
    EXPECT_FALSE(ClosestPointOnFace({0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}, untouched));
    ExpectPoint(untouched, 7.0f, 7.0f, 7.0f);
    EXPECT_TRUE(ClosestPointOnFace({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 1, 0}, untouched));
}

}  // namespace
