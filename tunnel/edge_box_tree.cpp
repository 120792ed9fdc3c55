#include "tunnel/edge_box_tree.h"

#include "tunnel/zeroed_array.h"

namespace {

enum Direction : uint8_t { kXRises = 1, kXFalls = 2, kYRises = 4, kYFalls = 8 };

}  // namespace

bool EdgeBoxTree::Resize(uint32_t n) {
    if (n < kBucketEdges) return false;
    auto newBoxes = NewZeroedArray<Box2>(2 * size_t{n / kBucketEdges});
    auto newDirections = NewZeroedArray<uint8_t>(n / kBucketEdges);
    if (!newBoxes || !newDirections) return false;
    nodeBoxes = std::move(newBoxes);
    bucketDirections = std::move(newDirections);
    nEdges = n;
    return true;
}

bool EdgeBoxTree::Build(const Point2* points) {
    const uint32_t buckets = FirstBucket();
    bool numbers = points[0].x == points[0].x && points[0].y == points[0].y;
    for (uint32_t k = 0; k < buckets; ++k) {
        const Point2* run = points + size_t{k} * kBucketEdges;
        nodeBoxes[buckets + k] = Box2::Around(run, kBucketEdges + 1);
        bool xRises = true, xFalls = true, yRises = true, yFalls = true;
        for (uint32_t e = 0; e < kBucketEdges; ++e) {
            const Point2 p = run[e], q = run[e + 1];
            numbers &= q.x == q.x && q.y == q.y;
            xRises &= p.x < q.x;
            xFalls &= p.x > q.x;
            yRises &= p.y < q.y;
            yFalls &= p.y > q.y;
        }
        bucketDirections[k] = static_cast<uint8_t>((xRises ? kXRises : 0) | (xFalls ? kXFalls : 0) |
                                                   (yRises ? kYRises : 0) | (yFalls ? kYFalls : 0));
    }
    for (uint32_t k = buckets; k-- > 1;) {
        nodeBoxes[k] = nodeBoxes[2 * size_t{k}];
        nodeBoxes[k].Widen(nodeBoxes[2 * size_t{k} + 1]);
    }
    return numbers;
}
