// Self-intersection of a section profile and the segment test it rests on.
#include <algorithm>

#include "tunnel/edge_box_tree.h"
#include "tunnel/section.h"

namespace {

// Closed ranges: ranges that only touch overlap.
bool RangesOverlap(float a1, float a2, float b1, float b2) {
    return std::max(a1, a2) >= std::min(b1, b2) && std::max(b1, b2) >= std::min(a1, a2);
}

// Closed boxes: chunks whose boxes only touch are compared too. Neighbouring
// chunks always touch at their shared point, and a profile that the float
// grid has folded back along the line where they touch (a run of points on
// one x or y going out and back) has overlapping edges only there.
bool BoxesMeet(const Box2& a, const Box2& b) {
    return a.xmin <= b.xmax && b.xmin <= a.xmax && a.ymin <= b.ymax && b.ymin <= a.ymax;
}

// The first pair (a, b), a < b, of non-adjacent edges that meet, in the
// order of a and then of b, among the pairs the searches visit. Nodes are
// descended into only where their boxes overlap, and a bucket's edges go to
// the segment test, which decides, unless their run is monotone.
class FirstCrossing {
public:
    FirstCrossing(const EdgeBoxTree& edgeTree, const Point2* profile, uint32_t edgeCount)
        : tree(edgeTree), points(profile), nEdges(edgeCount) {}

    // Pairs of edges both within a node of count edges, a bucket or larger.
    void Within(uint32_t node, uint32_t count) {
        if (count == EdgeBoxTree::kBucketEdges) {
            if (tree.BucketIsMonotone(node)) return;
            const uint32_t first = FirstEdge(node, count);
            for (uint32_t a = first; a < first + count; ++a) ComparePairs(a, a + 2, first + count);
            return;
        }
        const uint32_t half = count / 2;
        Within(2 * node, half);
        if (tree.NodesOverlap(2 * node, 2 * node + 1)) Between(2 * node, 2 * node + 1, half);
        Within(2 * node + 1, half);
    }

    // Pairs of an edge of nodeA and an edge of nodeB, nodes of count edges
    // with every edge of nodeA before every edge of nodeB.
    void Between(uint32_t nodeA, uint32_t nodeB, uint32_t count) {
        const uint32_t edgeA = FirstEdge(nodeA, count), edgeB = FirstEdge(nodeB, count);
        if (found && !Precedes(edgeA, edgeB)) return;
        if (count == EdgeBoxTree::kBucketEdges) {
            if (nodeB == nodeA + 1 && tree.BucketsAreMonotone(nodeA, nodeB)) return;
            for (uint32_t a = edgeA; a < edgeA + count; ++a) ComparePairs(a, edgeB, edgeB + count);
            return;
        }
        const uint32_t half = count / 2;
        for (uint32_t childA = 2 * nodeA; childA <= 2 * nodeA + 1; ++childA)
            for (uint32_t childB = 2 * nodeB; childB <= 2 * nodeB + 1; ++childB)
                if (tree.NodesOverlap(childA, childB)) Between(childA, childB, half);
    }

    bool found = false;
    uint32_t firstA = 0;
    uint32_t firstB = 0;

private:
    uint32_t FirstEdge(uint32_t node, uint32_t count) const { return node * count - nEdges; }
    bool Precedes(uint32_t a, uint32_t b) const { return a < firstA || (a == firstA && b < firstB); }

    // Edge a against edges from ... to - 1, all after it.
    void ComparePairs(uint32_t a, uint32_t from, uint32_t to) {
        for (uint32_t b = from; b < to; ++b) {
            // Adjacent edges share a point; the last edge is adjacent to edge 0.
            const uint32_t gap = b - a;
            if (gap == 1 || gap == nEdges - 1) continue;
            if (found && !Precedes(a, b)) return;
            Point2 ignored;
            if (IntersectSegments(points[a], points[a + 1], points[b], points[b + 1], ignored) == 0) continue;
            found = true;
            firstA = a;
            firstB = b;
            return;
        }
    }

    const EdgeBoxTree& tree;
    const Point2* points;
    const uint32_t nEdges;
};

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

bool Section::SelfIntersects() { return nSubBoxes != 0 ? SelfIntersectsBySubBoxes() : SelfIntersectsPlain(); }

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
// chunks whose boxes meet are compared. The first crossing is that of the
// first chunk, or pair of chunks, that holds one; within them, the pair of
// the lowest edge numbers.
bool Section::SelfIntersectsBySubBoxes() {
    // Chunk s is the tree's node nSubBoxes + s (eight chunks: its fourth
    // level). Chunks smaller than a bucket are compared edge by edge, and so
    // is a profile with a point that is not a number, which has no boxes.
    const uint32_t chunkEdges = nPoints / nSubBoxes;
    if (chunkEdges < EdgeBoxTree::kBucketEdges || !edgeTree.Build(points.get())) return SelfIntersectsEdgeByEdge();
    FirstCrossing search(edgeTree, points.get(), nPoints);
    for (uint32_t s = 0; s < nSubBoxes && !search.found; ++s) {
        search.Within(nSubBoxes + s, chunkEdges);
        for (uint32_t t = s + 1; t < nSubBoxes && !search.found; ++t)
            if (BoxesMeet(subBoxes[s], subBoxes[t])) search.Between(nSubBoxes + s, nSubBoxes + t, chunkEdges);
    }
    if (!search.found) return false;
    crossI = search.firstA;
    crossJ = search.firstB;
    return true;
}

// The same test comparing every pair of edges of the chunks, in the order
// that defines which crossing is first.
bool Section::SelfIntersectsEdgeByEdge() {
    for (uint32_t s = 0; s < nSubBoxes; ++s) {
        if (ChunkCrossesItself(s)) return true;
        for (uint32_t t = s + 1; t < nSubBoxes; ++t)
            if (BoxesMeet(subBoxes[s], subBoxes[t]) && ChunksCross(s, t)) return true;
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
