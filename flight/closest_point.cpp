// The point of a triangle nearest to a point in space, by the seven regions of
// the triangle's plane around it (inside, three edges, three corners).
#include <cmath>

#include "flight/collision.h"

namespace {

// Triangle parameters (s, t) of the nearest point: V0 + s E0 + t E1.
struct Parameters {
    double s, t;
};

// The dot products of the region method: E0 = V1 - V0, E1 = V2 - V0, D = V0 - P.
struct Products {
    double a, b, c, d, e;
};

// Clamps the parameter of an edge or corner: 0 when the nearest point lies
// before the edge's start, 1 beyond its end, else the projection.
double EdgeParameter(double numerator, double length) {
    if (numerator >= 0.0) return 0.0;
    if (-numerator >= length) return 1.0;
    return -numerator / length;
}

// s + t <= det: inside, or nearest to the edges or corners at V0.
Parameters BelowFarEdge(const Products& k, double s, double t, double det) {
    if (s < 0.0 && t < 0.0) {  // region 4: corner V0
        if (k.d < 0.0) return {EdgeParameter(k.d, k.a), 0.0};
        return {0.0, EdgeParameter(k.e, k.c)};
    }
    if (s < 0.0) return {0.0, EdgeParameter(k.e, k.c)};  // region 3: edge V0 V2
    if (t < 0.0) return {EdgeParameter(k.d, k.a), 0.0};  // region 5: edge V0 V1
    return {s / det, t / det};                           // region 0: inside
}

// s + t > det: beyond the edge V1 V2, or nearest to the corners at its ends.
Parameters BeyondFarEdge(const Products& k, double s, double t) {
    const double den = k.a - 2.0 * k.b + k.c;  // squared length of V1 V2
    if (s < 0.0) {                             // region 2: corner V2
        double u = k.b + k.d, v = k.c + k.e;
        if (v > u) {
            double num = v - u;
            if (num >= den) return {1.0, 0.0};
            return {num / den, 1.0 - num / den};
        }
        if (v <= 0.0) return {0.0, 1.0};
        return {0.0, EdgeParameter(k.e, k.c)};
    }
    if (t < 0.0) {  // region 6: corner V1
        double u = k.b + k.e, v = k.a + k.d;
        if (v > u) {
            double num = v - u;
            if (num >= den) return {0.0, 1.0};
            return {1.0 - num / den, num / den};
        }
        if (v <= 0.0) return {1.0, 0.0};
        return {EdgeParameter(k.d, k.a), 0.0};
    }
    double num = k.c + k.e - k.b - k.d;  // region 1: edge V1 V2
    if (num <= 0.0) return {0.0, 1.0};
    if (num >= den) return {1.0, 0.0};
    return {num / den, 1.0 - num / den};
}

double Dot(const double x[3], const double y[3]) { return x[0] * y[0] + x[1] * y[1] + x[2] * y[2]; }

// The nearest point of the segment a b to p.
Vector3 NearestOnSegment(const Vector3& a, const Vector3& b, const Vector3& p) {
    double ab[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
    double ap[3] = {double(p.x) - a.x, double(p.y) - a.y, double(p.z) - a.z};
    double length = Dot(ab, ab);
    double u = length > 0.0 ? Dot(ap, ab) / length : 0.0;
    u = u < 0.0 ? 0.0 : (u > 1.0 ? 1.0 : u);
    return Vector3{float(a.x + u * ab[0]), float(a.y + u * ab[1]), float(a.z + u * ab[2])};
}

float SquaredDistance(const Vector3& a, const Vector3& b) {
    Vector3 d{a.x - b.x, a.y - b.y, a.z - b.z};
    return d.SquaredLength();
}

}  // namespace

// Products in double precision: the region decisions then follow the exact
// geometry of the float corners closely, and only the point is rounded.
bool ClosestPointOnFace(const Vector3& v0, const Vector3& v1, const Vector3& v2, const Vector3& p, Vector3& out) {
    const double e0[3] = {double(v1.x) - v0.x, double(v1.y) - v0.y, double(v1.z) - v0.z};
    const double e1[3] = {double(v2.x) - v0.x, double(v2.y) - v0.y, double(v2.z) - v0.z};
    const double dv[3] = {double(v0.x) - p.x, double(v0.y) - p.y, double(v0.z) - p.z};
    Products k{Dot(e0, e0), Dot(e0, e1), Dot(e1, e1), Dot(e0, dv), Dot(e1, dv)};
    const double det = std::fabs(k.a * k.c - k.b * k.b);
    // No area: the inside case would divide by zero.
    if (!(det > 0.0) || !std::isfinite(det)) return false;
    const double s = k.b * k.e - k.c * k.d;
    const double t = k.b * k.d - k.a * k.e;
    Parameters r = s + t <= det ? BelowFarEdge(k, s, t, det) : BeyondFarEdge(k, s, t);
    out.Set(static_cast<float>(v0.x + r.s * e0[0] + r.t * e1[0]),
            static_cast<float>(v0.y + r.s * e0[1] + r.t * e1[1]),
            static_cast<float>(v0.z + r.s * e0[2] + r.t * e1[2]));
    return true;
}

void ClosestPointOnTriangle(const Vector3& v0, const Vector3& v1, const Vector3& v2, const Vector3& p,
                            Vector3& out) {
    if (ClosestPointOnFace(v0, v1, v2, p, out)) return;
    // A triangle without area is a segment or a point: its edges hold it all.
    const Vector3 candidates[3] = {NearestOnSegment(v0, v1, p), NearestOnSegment(v1, v2, p),
                                   NearestOnSegment(v2, v0, p)};
    out = candidates[0];
    for (const Vector3& c : candidates)
        if (SquaredDistance(c, p) < SquaredDistance(out, p)) out = c;
}
