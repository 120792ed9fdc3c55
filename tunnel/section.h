#pragma once
// A cross-section of the tunnel: a closed curve in the x-y plane summed from
// four polar wave components, with the tests the walker uses to accept a
// change of its parameters (inside the limits, not crossing itself, still
// running counter-clockwise).
//
// The profile has nPoints + 1 points; the last closes the curve. Edge e runs
// from point e to point e + 1.
#include <cstdint>
#include <memory>

#include "tunnel/box2.h"
#include "tunnel/component_curve.h"
#include "tunnel/edge_box_tree.h"
#include "tunnel/point2.h"
#include "tunnel/section_params.h"
#include "tunnel/tunnel_messages.h"

class Section {
public:
    static constexpr uint32_t kSubBoxes = 8;
    // Profiles this fine are useless and would need gigabytes.
    static constexpr uint32_t kMaxPoints = 1u << 24;

    Section() = default;
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    // Reads a 144-byte section file: six walker step magnitudes into
    // stepScale (six floats), then the limits and the parameter block. False
    // without a message when the file cannot be opened (noted in the
    // messages' openFailure, where they have one); false with a message
    // box for a file that cannot give a valid tunnel, its starting profile
    // judged at this section's resolution (64 points before any Resize).
    // Nothing changes on failure; on success the profile is evaluated from
    // the new parameters.
    bool LoadParams(const char* path, float* stepScale, const TunnelMessages& messages = TunnelMessages{});

    // Sizes the profile for n points, a power of two of at least 4.
    bool Resize(uint32_t n);

    void EvaluateComponent(int c);
    // Evaluates the enabled components and combines them.
    bool Evaluate();
    // Sums the enabled layers into points; true when every point is inside
    // the limits and the amplitudes fit them. With sub-boxes it also bounds
    // the profile as it goes.
    bool Combine();
    // True when no enabled component's radius or wave is larger than twice
    // the distance of the limits' farthest corner from the origin. A larger
    // one stays inside the limits only where another component cancels it or
    // the points sample its wave where it vanishes, and float rounding then
    // adds a share of its size to every point as noise.
    bool AmplitudesFit() const;
    // The summed profile at point i, computed from the parameters alone.
    Point2 PointAt(uint32_t i) const;
    bool ExtendBox(const Point2& p);
    // True when two non-adjacent edges cross or touch; crossI and crossJ
    // then name the first such pair.
    bool SelfIntersects();
    // The sub-box form of the test done by comparing every pair of edges in
    // the chunks it compares: quadratic, but needing no tree. Same result and
    // same pair.
    bool SelfIntersectsEdgeByEdge();
    // True when the polygon of points 0 ... nPoints - 1 encloses a positive
    // area running counter-clockwise seen from +z, so that the walls' faces
    // point in toward the camera.
    bool RunsCounterClockwise() const;

    // Takes a parameter block from outside (a file, a stored section) and
    // evaluates the whole profile from it, so that the layers, points and
    // boxes all belong to these parameters.
    void ReplaceParams(const SectionParams& block);
    // Points from the current layers, and box and sub-boxes over the whole
    // profile whether or not it is inside the limits.
    void Recombine();

    Point2& LayerPoint(int c, uint32_t i) { return layers[static_cast<uint32_t>(c) * (nPoints + 1) + i]; }

    uint32_t nPoints = 0;
    std::unique_ptr<Point2[]> points;
    std::unique_ptr<Point2[]> layers;
    float angleStep = 0.0f;  // degrees between points
    SectionParams params;
    Box2 box;
    Box2 limits{-0.9f, -0.9f, 0.9f, 0.9f};
    uint8_t extendX = 0;  // 0 not extended, 1 toward the minimum, 2 toward the maximum
    uint8_t extendY = 0;
    uint32_t nSubBoxes = 0;
    std::unique_ptr<Box2[]> subBoxes;
    uint32_t crossI = 0;  // the edges found crossing by the last self-intersection test
    uint32_t crossJ = 0;
    uint32_t outsideIndex = 0;  // the point found outside the limits by the last Combine

private:
    ComponentCurve curves[kComponents];
    EdgeBoxTree edgeTree;

    bool SumWithinLimits();
    bool SelfIntersectsPlain();
    bool SelfIntersectsBySubBoxes();
    bool ChunkCrossesItself(uint32_t chunk);
    bool ChunksCross(uint32_t chunkA, uint32_t chunkB);
    bool EdgesCross(uint32_t a, uint32_t b) const;
    void SumLayers();
    uint32_t FirstOutside(uint32_t first, uint32_t last) const;
    void BoundProfile();
};

// Tests segment p1-p2 against p3-p4: 0 apart, 1 crossing or touching (out
// receives the point), 2 collinear with overlapping ranges.
int IntersectSegments(const Point2& p1, const Point2& p2, const Point2& p3, const Point2& p4, Point2& out);
