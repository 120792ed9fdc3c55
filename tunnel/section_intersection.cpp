// Self-intersection of a section profile and the segment test it rests on.
#include <algorithm>

#include "tunnel/section.h"

namespace {

// Closed ranges: ranges that only touch overlap.
bool RangesOverlap(float a1, float a2, float b1, float b2) {
    return std::max(a1, a2) >= std::min(b1, b2) && std::max(b1, b2) >= std::min(a1, a2);
}

bool BoxesOverlapStrictly(const Box2& a, const Box2& b) {
    return a.xmin < b.xmax && a.xmax > b.xmin && a.ymin < b.ymax && a.ymax > b.ymin;
}

}  // namespace

int IntersectSegments(const Point2& p1, const Point2& p2, const Point2& p3, const Point2& p4, Point2& out) {
    if (!RangesOverlap(p1.x, p2.x, p3.x, p4.x)) return 0;
    if (!RangesOverlap(p1.y, p2.y, p3.y, p4.y)) return 0;
    const Point2 d1{p2.x - p1.x, p2.y - p1.y};
    const Point2 d2{p4.x - p3.x, p4.y - p3.y};
    const float denominator = d1.x * d2.y - d1.y * d2.x;
    const Point2 e{p1.x - p3.x, p1.y - p3.y};
    const float tNumerator = e.y * d2.x - e.x * d2.y;
    if (denominator == 0.0f && tNumerator == 0.0f) return 2;
    // Parallel but apart (denominator 0) gives an infinite t, rejected here.
    const float t = tNumerator / denominator;
    if (!(t >= 0.0f && t <= 1.0f)) return 0;
    const float u = (e.y * d1.x - e.x * d1.y) / denominator;
    if (!(u >= 0.0f && u <= 1.0f)) return 0;
    out = Point2{p1.x + t * d1.x, p1.y + t * d1.y};
    return 1;
}

bool Section::EdgesCross(uint32_t a, uint32_t b) const {
    Point2 ignored;
    return IntersectSegments(points[a], points[a + 1], points[b], points[b + 1], ignored) != 0;
}

bool Section::SelfIntersects() {
    return nSubBoxes != 0 ? SelfIntersectsBySubBoxes() : SelfIntersectsPlain();
}

// Each new edge is tested against every earlier non-adjacent one, except when
// its end point runs on outward in the direction of its predecessor: then it
// lies beyond everything drawn so far.
bool Section::SelfIntersectsPlain() {
    box = Box2::At(points[0]);
    extendX = extendY = 0;
    ExtendBox(points[1]);
    ExtendBox(points[2]);
    for (uint32_t i = 2; i < nPoints; ++i) {
        if (ExtendBox(points[i + 1])) continue;
        // The last edge ends on point 0, so it is adjacent to edge 0.
        const uint32_t lowest = i == nPoints - 1 ? 1 : 0;
        for (uint32_t j = i - 2; j + 1 > lowest; --j) {
            if (EdgesCross(i, j)) {
                crossI = i;
                crossJ = j;
                return true;
            }
        }
    }
    return false;
}

// Edges are grouped into eight chunks whose points the sub-boxes bound; only
// chunks whose boxes overlap are compared edge by edge.
bool Section::SelfIntersectsBySubBoxes() {
    for (uint32_t s = 0; s < nSubBoxes; ++s) {
        if (ChunkCrossesItself(s)) return true;
        for (uint32_t t = s + 1; t < nSubBoxes; ++t)
            if (BoxesOverlapStrictly(subBoxes[s], subBoxes[t]) && ChunksCross(s, t)) return true;
    }
    return false;
}

bool Section::ChunkCrossesItself(uint32_t chunk) {
    const uint32_t per = nPoints / nSubBoxes;
    const uint32_t first = chunk * per, last = first + per - 1;
    for (uint32_t a = first; a <= last; ++a)
        for (uint32_t b = a + 2; b <= last; ++b)
            if (EdgesCross(a, b)) {
                crossI = a;
                crossJ = b;
                return true;
            }
    return false;
}

bool Section::ChunksCross(uint32_t chunkA, uint32_t chunkB) {
    const uint32_t per = nPoints / nSubBoxes;
    for (uint32_t a = chunkA * per; a < (chunkA + 1) * per; ++a)
        for (uint32_t b = chunkB * per; b < (chunkB + 1) * per; ++b) {
            // Adjacent edges share a point; the last edge is adjacent to edge 0.
            const uint32_t gap = a > b ? a - b : b - a;
            if (gap == 1 || gap == nPoints - 1) continue;
            if (EdgesCross(a, b)) {
                crossI = a;
                crossJ = b;
                return true;
            }
        }
    return false;
}
