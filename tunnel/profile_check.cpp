#include "tunnel/profile_check.h"

#include <algorithm>
#include <cmath>

#include "tunnel/section.h"

namespace {

// A gap between the last and the first point larger than this share of the
// profile's size is a profile that does not close: the mesh joins its last
// point to its first, so the drawn wall would differ from the tested one.
constexpr double kClosingTolerance = 1e-3;
// Points this close to one line, relative to the profile's size, enclose no
// area worth a tunnel wall.
constexpr double kFlatTolerance = 1e-6;

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

bool Closes(const Section& s, double reach) {
    return Length(Between(s.points[0], s.points[s.nPoints])) <= kClosingTolerance * reach;
}

// True when every point lies on one line through point 0 (or on point 0).
bool EnclosesNoArea(const Section& s, double reach) {
    if (!(reach > 0.0)) return true;
    uint32_t farthest = 0;
    for (uint32_t i = 1; i < s.nPoints; ++i)
        if (Length(Between(s.points[0], s.points[i])) == reach) farthest = i;
    const Vec axis = Between(s.points[0], s.points[farthest]);
    for (uint32_t i = 1; i < s.nPoints; ++i)
        if (std::fabs(Cross(axis, Between(s.points[0], s.points[i]))) > kFlatTolerance * reach * reach) return false;
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

}  // namespace

const char* JudgeStartingProfile(const SectionFile& file, uint32_t points) {
    Section section;
    if (!section.Resize(points)) return "section file profile cannot be evaluated at this resolution";
    section.limits = file.limits;
    section.params = file.params;
    if (!section.Evaluate()) return "section file profile leaves its limits";
    const double reach = Reach(section);
    if (!Closes(section, reach)) return "section file profile does not close";
    if (EnclosesNoArea(section, reach)) return "section file profile encloses no area";
    const long turns = TurningNumber(section);
    if ((turns != 1 && turns != -1) || section.SelfIntersects()) return "section file profile crosses itself";
    if (turns == -1) return "section file profile runs clockwise";
    return nullptr;
}
