#include "tunnel/section.h"

#include <cmath>

#include "tunnel/power_of_two.h"
#include "tunnel/zeroed_array.h"

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

// One component's curve at running parameter t (degrees): a radius following
// a sine wave, at an angle that grows linearly with t.
Point2 ComponentPoint(const float* c, float t) {
    const float waveAngle = (c[kWaveFreq] * t + c[kWavePhase]) * kDegreesToRadians;
    const float r = static_cast<float>(c[kRadius] + c[kWave] * std::sin(static_cast<double>(waveAngle)));
    const double theta = static_cast<double>((c[kAngleFreq] * t + c[kAnglePhase]) * kDegreesToRadians);
    return Point2{static_cast<float>(r * std::cos(theta)), static_cast<float>(r * std::sin(theta))};
}

// Moves one side of a box outward by a point, the way the combined profile's
// sub-boxes grow: a point can extend only one side per axis.
void ExtendSubBox(Box2& b, const Point2& p) {
    if (p.x < b.xmin)
        b.xmin = p.x;
    else if (p.x > b.xmax)
        b.xmax = p.x;
    if (p.y < b.ymin)
        b.ymin = p.y;
    else if (p.y > b.ymax)
        b.ymax = p.y;
}

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

    points = std::move(newPoints);
    layers = std::move(newLayers);
    subBoxes = std::move(newSubBoxes);
    nSubBoxes = newSubBoxCount;
    nPoints = n;
    crossI = crossJ = outsideIndex = 0;
    angleStep = 360.0f / static_cast<float>(n);
    return true;
}

void Section::EvaluateComponent(int c) {
    if (!params.enabled[c]) {
        for (uint32_t i = 0; i <= nPoints; ++i) LayerPoint(c, i) = Point2{};
        return;
    }
    const float* component = params.components[c];
    float t = 0.0f;
    for (uint32_t i = 0; i <= nPoints; ++i) {
        LayerPoint(c, i) = ComponentPoint(component, t);
        t += angleStep;
    }
}

bool Section::Evaluate() {
    for (int c = 0; c < kComponents; ++c)
        if (params.enabled[c]) EvaluateComponent(c);
    return Combine();
}

bool Section::Combine() {
    for (uint32_t i = 0; i <= nPoints; ++i) {
        Point2 sum;
        for (int c = 0; c < kComponents; ++c) {
            if (!params.enabled[c]) continue;
            sum.x += LayerPoint(c, i).x;
            sum.y += LayerPoint(c, i).y;
        }
        points[i] = sum;
    }
    if (nSubBoxes == 0) {
        for (uint32_t i = 0; i <= nPoints; ++i) {
            if (!limits.Contains(points[i])) {
                outsideIndex = i;
                return false;
            }
        }
        return true;
    }
    const uint32_t per = nPoints / nSubBoxes;
    box = Box2::At(points[0]);
    for (uint32_t s = 0; s < nSubBoxes; ++s) {
        Box2& sub = subBoxes[s];
        sub = Box2::At(points[s * per]);
        for (uint32_t i = s * per; i <= (s + 1) * per; ++i) {
            if (!limits.Contains(points[i])) {
                outsideIndex = i;
                return false;
            }
            ExtendSubBox(sub, points[i]);
        }
        box.Widen(sub);
    }
    return true;
}

Point2 Section::PointAt(uint32_t i) const {
    const float t = static_cast<float>(i) * angleStep;
    Point2 sum;
    for (int c = 0; c < kComponents; ++c) {
        if (!params.enabled[c]) continue;
        const Point2 p = ComponentPoint(params.components[c], t);
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
    box = Box2::At(points[0]);
    for (uint32_t i = 1; i <= nPoints; ++i) box.Widen(points[i]);
    if (nSubBoxes == 0) return;
    const uint32_t per = nPoints / nSubBoxes;
    for (uint32_t s = 0; s < nSubBoxes; ++s) {
        subBoxes[s] = Box2::At(points[s * per]);
        for (uint32_t i = s * per + 1; i <= (s + 1) * per; ++i) subBoxes[s].Widen(points[i]);
    }
}
