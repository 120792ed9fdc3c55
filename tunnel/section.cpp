#include "tunnel/section.h"

#include <algorithm>
#include <cmath>

#include "display/power_of_two.h"
#include "tunnel/zeroed_array.h"

namespace {

// Which way a coordinate extends a range: 0 not at all, 1 below, 2 above.
uint8_t ExtendRange(float value, float& low, float& high) {
    if (value < low) {
        low = value;
        return 1;
    }
    if (value > high) {
        high = value;
        return 2;
    }
    return 0;
}

}  // namespace

bool Section::Resize(uint32_t n) {
    if (n < 4 || n > kMaxPoints || !IsPowerOfTwo(n)) return false;
    auto newPoints = NewZeroedArray<Point2>(size_t{n} + 1);
    auto newLayers = NewZeroedArray<Point2>(size_t{kComponents} * (n + 1));
    const uint32_t newSubBoxCount = n >= 32 ? kSubBoxes : 0;
    std::unique_ptr<Box2[]> newSubBoxes;
    if (newSubBoxCount != 0) newSubBoxes = NewZeroedArray<Box2>(newSubBoxCount);
    if (!newPoints || !newLayers || (newSubBoxCount != 0 && !newSubBoxes)) return false;
    // Last, as it commits on success: everything is sized after it.
    if (newSubBoxCount != 0 && !edgeTree.Resize(n)) return false;

    points = std::move(newPoints);
    layers = std::move(newLayers);
    subBoxes = std::move(newSubBoxes);
    nSubBoxes = newSubBoxCount;
    nPoints = n;
    crossI = crossJ = outsideIndex = 0;
    angleStep = 360.0f / static_cast<float>(n);
    for (ComponentCurve& curve : curves) curve.Resize(n, angleStep);
    return true;
}

void Section::EvaluateComponent(int c) {
    if (!params.enabled[c]) {
        for (uint32_t i = 0; i <= nPoints; ++i) LayerPoint(c, i) = Point2{};
        return;
    }
    curves[c].Evaluate(params.components[c], &LayerPoint(c, 0));
}

bool Section::Evaluate() {
    for (int c = 0; c < kComponents; ++c)
        if (params.enabled[c]) EvaluateComponent(c);
    return Combine();
}

bool Section::Combine() { return SumWithinLimits() && AmplitudesFit(); }

bool Section::AmplitudesFit() const {
    const double farthestX = std::max(std::fabs(limits.xmin), std::fabs(limits.xmax));
    const double farthestY = std::max(std::fabs(limits.ymin), std::fabs(limits.ymax));
    const double largest = 2.0 * std::hypot(farthestX, farthestY);
    for (int c = 0; c < kComponents; ++c) {
        if (!params.enabled[c]) continue;
        if (!(std::fabs(params.components[c][kRadius]) <= largest &&
              std::fabs(params.components[c][kWave]) <= largest))
            return false;
    }
    return true;
}

bool Section::SumWithinLimits() {
    SumLayers();
    if (nSubBoxes == 0) {
        for (uint32_t i = 0; i <= nPoints; ++i) {
            if (!limits.Contains(points[i])) {
                outsideIndex = i;
                return false;
            }
        }
        return true;
    }
    // Each sub-box bounds its eighth's points and box bounds the sub-boxes;
    // at a point outside the limits both stop where they have got to.
    const uint32_t per = nPoints / nSubBoxes;
    Box2 whole = Box2::At(points[0]);
    for (uint32_t s = 0; s < nSubBoxes; ++s) {
        const uint32_t first = s * per, last = first + per;
        const uint32_t outside = FirstOutside(first, last);
        const uint32_t bounded = outside > last ? last : std::max(first, outside - 1);
        subBoxes[s] = Box2::Around(&points[first], bounded - first + 1);
        if (outside <= last) {
            box = whole;
            outsideIndex = outside;
            return false;
        }
        whole.Widen(subBoxes[s]);
    }
    box = whole;
    return true;
}

// The first of points first ... last outside the limits, or last + 1.
uint32_t Section::FirstOutside(uint32_t first, uint32_t last) const {
    const Box2 bounds = limits;
    for (uint32_t i = first; i <= last; ++i)
        if (!bounds.Contains(points[i])) return i;
    return last + 1;
}

// Each point's sum starts at zero and adds the enabled layers in component
// order; adding layer by layer keeps that order and runs over whole arrays.
void Section::SumLayers() {
    for (uint32_t i = 0; i <= nPoints; ++i) points[i] = Point2{};
    for (int c = 0; c < kComponents; ++c) {
        if (!params.enabled[c]) continue;
        const Point2* layer = &LayerPoint(c, 0);
        for (uint32_t i = 0; i <= nPoints; ++i) {
            points[i].x += layer[i].x;
            points[i].y += layer[i].y;
        }
    }
}

// Twice the signed area as a fan of triangles from point 0, measured from it
// so that a profile far from the origin keeps its precision; four running
// sums let the additions overlap.
bool Section::RunsCounterClockwise() const {
    const double x0 = points[0].x, y0 = points[0].y;
    double sums[4] = {};
    double ax = double{points[1].x} - x0, ay = double{points[1].y} - y0;
    for (uint32_t i = 2; i < nPoints; ++i) {
        const double bx = double{points[i].x} - x0, by = double{points[i].y} - y0;
        sums[i & 3] += ax * by - ay * bx;
        ax = bx;
        ay = by;
    }
    return (sums[0] + sums[1]) + (sums[2] + sums[3]) > 0.0;
}

Point2 Section::PointAt(uint32_t i) const {
    Point2 sum;
    for (int c = 0; c < kComponents; ++c) {
        if (!params.enabled[c]) continue;
        const Point2 p = curves[c].PointAt(params.components[c], i);
        sum.x += p.x;
        sum.y += p.y;
    }
    return sum;
}

// True when the point extends the box in the same direction, along x or y,
// as the previous point did: the profile runs on outward, so its newest edge
// lies beyond everything before it.
bool Section::ExtendBox(const Point2& p) {
    const uint8_t alongX = ExtendRange(p.x, box.xmin, box.xmax);
    const uint8_t alongY = ExtendRange(p.y, box.ymin, box.ymax);
    const bool sameX = alongX != 0 && alongX == extendX;
    const bool sameY = alongY != 0 && alongY == extendY;
    extendX = alongX;
    extendY = alongY;
    return sameX || sameY;
}

void Section::ReplaceParams(const SectionParams& block) {
    params = block;
    if (nPoints == 0) return;
    for (int c = 0; c < kComponents; ++c)
        if (params.enabled[c]) EvaluateComponent(c);
    Recombine();
}

void Section::Recombine() {
    if (nPoints == 0) return;
    // A profile inside its limits got complete boxes from Combine; otherwise
    // Combine stopped at the first point outside.
    if (!Combine() || nSubBoxes == 0) BoundProfile();
}

void Section::BoundProfile() {
    box = Box2::Around(points.get(), size_t{nPoints} + 1);
    const uint32_t per = nSubBoxes == 0 ? 0 : nPoints / nSubBoxes;
    for (uint32_t s = 0; s < nSubBoxes; ++s) subBoxes[s] = Box2::Around(&points[size_t{s} * per], size_t{per} + 1);
}
