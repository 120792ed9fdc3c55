#pragma once
// Boxes around runs of consecutive edges of a closed profile, as a complete
// binary tree over its n edges (n a power of two, at least kBucketEdges):
// node 1 holds all edges, node k's children are 2k and 2k + 1, and the
// deepest nodes, n / kBucketEdges ... 2n / kBucketEdges - 1, are buckets of
// kBucketEdges edges. Two edges can only meet where the boxes of all nodes
// holding them overlap, so a search that descends only into overlapping
// nodes compares the few edges that lie close together instead of all
// n^2 / 2 pairs.
//
// The boxes hold the exact minima and maxima of their points' coordinates:
// boxes apart mean edges whose coordinate ranges are apart. A bucket also
// records the directions in which its points run strictly monotonically: in
// such a run two edges that are not neighbours have coordinate ranges apart.
#include <cstdint>
#include <memory>

#include "tunnel/box2.h"
#include "tunnel/point2.h"

class EdgeBoxTree {
public:
    static constexpr uint32_t kBucketEdges = 8;

    // Sizes the tree for n edges; false when it cannot be allocated, and then
    // the tree is as it was.
    bool Resize(uint32_t n);
    // Boxes the edges of points 0 ... n. False when a coordinate is not a
    // number: such a point has no place in a box.
    bool Build(const Point2* points);

    uint32_t EdgeCount() const { return nEdges; }
    uint32_t FirstBucket() const { return nEdges / kBucketEdges; }
    bool NodesOverlap(uint32_t nodeA, uint32_t nodeB) const {
        const Box2 &a = nodeBoxes[nodeA], &b = nodeBoxes[nodeB];
        // Closed boxes: boxes that only touch overlap, as edges that only
        // touch meet.
        return a.xmin <= b.xmax && b.xmin <= a.xmax && a.ymin <= b.ymax && b.ymin <= a.ymax;
    }
    // True when no two edges of the bucket, or of it and the bucket after it,
    // that are not neighbours can meet: the points run strictly monotonically
    // in x or y through them.
    bool BucketIsMonotone(uint32_t node) const { return bucketDirections[node - FirstBucket()] != 0; }
    bool BucketsAreMonotone(uint32_t node, uint32_t nextNode) const {
        return (bucketDirections[node - FirstBucket()] & bucketDirections[nextNode - FirstBucket()]) != 0;
    }

private:
    uint32_t nEdges = 0;
    std::unique_ptr<Box2[]> nodeBoxes;            // nodes 1 ... 2n / kBucketEdges - 1
    std::unique_ptr<uint8_t[]> bucketDirections;  // bits: x rises, x falls, y rises, y falls
};
