#include "tunnel/profile_check.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "tunnel/section.h"

namespace {

// A gap between the last and the first point larger than this share of the
// profile's size is a profile that does not close: the mesh joins its last
// point to its first, so the drawn wall would differ from the tested one.
constexpr double kClosingTolerance = 1e-3;
// Each component's curve must close to this share of its size, a little above
// float rounding at high frequencies: the walk can shrink the profile while
// its components keep their size, and their gaps then add up to a gap the
// profile's own tolerance would not allow.
constexpr double kComponentClosingTolerance = 1e-4;
// Points this close to one line, relative to the profile's size, enclose no
// area worth a tunnel wall. A thinner sliver folds back on itself so sharply
// that whether it runs clockwise is decided by rounding, and the walk can
// flip it.
constexpr double kFlatTolerance = 1e-3;

struct Vec {
    double x, y;
};

Vec Between(const Point2& from, const Point2& to) {
    return Vec{double{to.x} - double{from.x}, double{to.y} - double{from.y}};
}

double Cross(const Vec& a, const Vec& b) { return a.x * b.y - a.y * b.x; }
double Length(const Vec& v) { return std::hypot(v.x, v.y); }

// The largest distance of a profile point from point 0.
double Reach(const Section& s) {
    double reach = 0.0;
    for (uint32_t i = 1; i < s.nPoints; ++i) reach = std::max(reach, Length(Between(s.points[0], s.points[i])));
    return reach;
}

double ClosingGap(const Section& s) { return Length(Between(s.points[0], s.points[s.nPoints])); }

bool Closes(const Section& s, double reach) { return ClosingGap(s) <= kClosingTolerance * reach; }

// True when every point lies on one line through point 0 (or on point 0).
bool EnclosesNoArea(const Section& s, double reach) {
    if (!(reach > 0.0)) return true;
    uint32_t farthest = 0;
    for (uint32_t i = 1; i < s.nPoints; ++i)
        if (Length(Between(s.points[0], s.points[i])) == reach) farthest = i;
    const Vec axis = Between(s.points[0], s.points[farthest]);
    for (uint32_t i = 1; i < s.nPoints; ++i)
        if (std::fabs(Cross(axis, Between(s.points[0], s.points[i]))) > kFlatTolerance * reach * reach)
            return false;
    return true;
}

// How many whole turns the direction of travel makes around the closed
// polygon of points 0 ... nPoints - 1: +1 for a simple counter-clockwise
// profile, -1 for a clockwise one, anything else for a profile that loops
// over itself. Edges of zero length have no direction and are skipped.
long TurningNumber(const Section& s) {
    const uint32_t n = s.nPoints;
    const auto edge = [&](uint32_t i) { return Between(s.points[i], s.points[(i + 1) % n]); };
    const auto hasLength = [](const Vec& v) { return v.x != 0.0 || v.y != 0.0; };
    uint32_t first = 0;
    while (first < n && !hasLength(edge(first))) ++first;
    if (first == n) return 0;
    double turning = 0.0;
    Vec previous = edge(first);
    for (uint32_t k = 1; k <= n; ++k) {  // ends on the first edge again, closing the sum
        const Vec next = edge((first + k) % n);
        if (!hasLength(next)) continue;
        turning += std::atan2(Cross(previous, next), previous.x * next.x + previous.y * next.y);
        previous = next;
    }
    return std::lround(turning / (2.0 * 3.14159265358979323846));
}

// The walk changes the radius, the wave and the wave's phase of every enabled
// component whose step allows it, so a component whose curve closes only for
// its present values (a fractional frequency at zero amplitude, or a gap
// cancelled by another component's) opens the profile later. The gap between
// a curve's last and first point is linear in its radius and in the sine and
// cosine parts of its wave, so the curve of radius 1 alone, and the curves of
// wave 1 alone at its phase and 90 degrees on, stand for every value the walk
// can reach. Each gap is measured against the reach of its group together: a
// wave sampled in step with the points can shrink one phase's reach to
// nothing while the other's keeps the measure.
struct CurveClosing {
    double gap, reach;
};

bool ComponentsStayClosed(const SectionFile& file, uint32_t points) {
    Section probe;
    if (!probe.Resize(points)) return false;
    probe.limits = Box2{-2.0f, -2.0f, 2.0f, 2.0f};  // the probes are judged by their gap only
    const auto gapAndReach = [&](const float* component, float radius, float wave, float phaseShift) {
        probe.params = SectionParams{};
        probe.params.enabled[0] = 1;
        float* curve = probe.params.components[0];
        std::copy(component, component + kComponentParameters, curve);
        curve[kRadius] = radius;
        curve[kWave] = wave;
        curve[kWavePhase] += phaseShift;
        probe.Evaluate();
        return CurveClosing{ClosingGap(probe), Reach(probe)};
    };
    const auto closes = [](std::initializer_list<CurveClosing> group, double leastReach = 0.0) {
        double reach = 0.0;
        for (const CurveClosing& curve : group) reach += curve.reach;
        reach = std::max(reach, leastReach);
        for (const CurveClosing& curve : group)
            if (!(curve.gap <= kComponentClosingTolerance * reach)) return false;
        return true;
    };
    for (int c = 0; c < kComponents; ++c) {
        if (!file.params.enabled[c]) continue;
        const float* k = file.params.components[c];
        // A radius-only curve with (nearly) no angle rate is an offset of the
        // whole profile, which the limits bound: its gap counts against its
        // unit radius even where the curve's own reach is next to nothing.
        if ((k[kRadius] != 0.0f || file.stepScale[kRadius] != 0.0f) && !closes({gapAndReach(k, 1, 0, 0)}, 1.0))
            return false;
        if (k[kWave] == 0.0f && file.stepScale[kWave] == 0.0f) continue;
        const CurveClosing atPhase = gapAndReach(k, 0, 1, 0);
        if (file.stepScale[kWavePhase] == 0.0f ? !closes({atPhase}) : !closes({atPhase, gapAndReach(k, 0, 1, 90)}))
            return false;
    }
    return true;
}

}  // namespace

const char* JudgeStartingProfile(const SectionFile& file, uint32_t points) {
    Section section;
    if (!section.Resize(points)) return "section file profile cannot be evaluated at this resolution";
    section.limits = file.limits;
    section.params = file.params;
    if (!section.AmplitudesFit()) return "section file component larger than its limits";
    if (!section.Evaluate()) return "section file profile leaves its limits";
    const double reach = Reach(section);
    if (!Closes(section, reach)) return "section file profile does not close";
    if (EnclosesNoArea(section, reach)) return "section file profile encloses no area";
    if (reach < kSmallestProfileReach) return "section file profile too small for a tunnel";
    const long turns = TurningNumber(section);
    if ((turns != 1 && turns != -1) || section.SelfIntersects()) return "section file profile crosses itself";
    if (turns == -1) return "section file profile runs clockwise";
    if (!ComponentsStayClosed(file, points)) return "section file component curve does not close";
    return nullptr;
}
