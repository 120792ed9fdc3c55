#include "flight/deep_point.h"

#include <array>
#include <cmath>

#include "tunnel/orbalt2.h"

namespace {

// Walls up to this share farther than the nearest count as near and push
// the climb too, so that it runs along the ridge between two walls instead
// of zigzagging across it.
constexpr float kNearWallBand = 0.25f;
constexpr int kClimbTries = 32;
// The climb stops once its step is this small a share of the room it has.
constexpr float kSettledStep = 1.0e-3f;
// Below this room (world units) a section counts as narrow.
constexpr float kNarrowRoom = 0.1f;
// A start outside the profile enters this share of the entry edge's length.
constexpr float kEntryDepth = 1.0e-3f;

Point2 PointOf(const Profile& profile, uint32_t i) {
    const Vector3& v = profile.points[i == profile.count ? 0 : i];
    return Point2{v.x, v.y};
}

// The point of edge a b nearest to p.
Point2 NearestOnEdge(const Point2& a, const Point2& b, const Point2& p) {
    const float ex = b.x - a.x, ey = b.y - a.y;
    const float length = ex * ex + ey * ey;
    float t = length > 0.0f ? ((p.x - a.x) * ex + (p.y - a.y) * ey) / length : 0.0f;
    t = std::fmin(1.0f, std::fmax(0.0f, t));
    return Point2{a.x + t * ex, a.y + t * ey};
}

float Distance(const Point2& a, const Point2& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

// Unit normal of edge a b toward the inside of a counter-clockwise profile.
Point2 InwardNormal(const Point2& a, const Point2& b) {
    const float ex = b.x - a.x, ey = b.y - a.y;
    const float length = std::hypot(ex, ey);
    if (!(length > 0.0f)) return Point2{0.0f, 0.0f};
    return Point2{-ey / length, ex / length};
}

struct NearestEdge {
    uint32_t edge = 0;
    Point2 at;
    float distance = INFINITY;
};

NearestEdge FindNearestEdge(const Profile& profile, const Point2& p) {
    NearestEdge nearest;
    for (uint32_t e = 0; e < profile.count; ++e) {
        const Point2 q = NearestOnEdge(PointOf(profile, e), PointOf(profile, e + 1), p);
        const float d = Distance(p, q);
        if (d < nearest.distance) nearest = NearestEdge{e, q, d};
    }
    return nearest;
}

// What the climb reads at a point: the distance to the wall and three ways
// away from it. `away` is the mean way away from the walls near it (nearly
// as near as the nearest), zero where they balance; `uphill` weighs each of
// them the less the farther it is, so that it still leads on along a ridge
// between two walls that draw apart; `nearest` is the way away from the
// nearest wall alone.
struct WallReading {
    float distance = 0.0f;
    Point2 away;
    Point2 uphill;
    Point2 nearest;
};

// The unit vector along (x, y); zero when that is shorter than `shortest`.
Point2 Unit(float x, float y, float shortest) {
    const float length = std::sqrt(x * x + y * y);
    if (!(length > shortest)) return Point2{0.0f, 0.0f};
    return Point2{x / length, y / length};
}

WallReading ReadWalls(const Profile& profile, const Point2& p) {
    const NearestEdge nearest = FindNearestEdge(profile, p);
    WallReading reading{nearest.distance, Point2{}, Point2{}, Point2{}};
    if (!(nearest.distance > 0.0f)) {
        // On the wall itself: only the wall's own side says where inside is.
        const Point2 inward = InwardNormal(PointOf(profile, nearest.edge), PointOf(profile, nearest.edge + 1));
        reading.away = reading.uphill = reading.nearest = inward;
        return reading;
    }
    reading.nearest = Point2{(p.x - nearest.at.x) / nearest.distance, (p.y - nearest.at.y) / nearest.distance};
    const float band = nearest.distance * kNearWallBand;
    float ax = 0.0f, ay = 0.0f, ux = 0.0f, uy = 0.0f;
    for (uint32_t e = 0; e < profile.count; ++e) {
        const Point2 q = NearestOnEdge(PointOf(profile, e), PointOf(profile, e + 1), p);
        const float d = Distance(p, q);
        const float nearness = 1.0f - (d - nearest.distance) / band;
        if (!(nearness >= 0.0f)) continue;
        const float wx = (p.x - q.x) / d, wy = (p.y - q.y) / d;
        ax += wx;
        ay += wy;
        ux += nearness * wx;
        uy += nearness * wy;
    }
    // Below this length the pushes of opposite walls cancel: the point is on the ridge.
    constexpr float kBalanced = 1.0e-3f;
    reading.away = Unit(ax, ay, kBalanced);
    reading.uphill = Unit(ux, uy, 0.0f);
    return reading;
}

// A point just inside the wall of edge e, at its middle.
Point2 InsideEdge(const Profile& profile, uint32_t e, const Point2& on) {
    const Point2 a = PointOf(profile, e), b = PointOf(profile, e + 1);
    const Point2 n = InwardNormal(a, b);
    const float depth = kEntryDepth * Distance(a, b);
    return Point2{on.x + n.x * depth, on.y + n.y * depth};
}

// The start itself when inside; else just inside the nearest wall, or
// failing that just inside the middle of the longest edge. False when
// neither is inside (a profile with hardly any area).
bool StepInside(const Profile& profile, const Point2& start, Point2& inside) {
    if (InsideProfile(profile, start)) {
        inside = start;
        return true;
    }
    const NearestEdge nearest = FindNearestEdge(profile, start);
    inside = InsideEdge(profile, nearest.edge, nearest.at);
    if (InsideProfile(profile, inside)) return true;
    uint32_t longest = 0;
    float longestLength = -1.0f;
    for (uint32_t e = 0; e < profile.count; ++e) {
        const float length = Distance(PointOf(profile, e), PointOf(profile, e + 1));
        if (length > longestLength) {
            longest = e;
            longestLength = length;
        }
    }
    const Point2 a = PointOf(profile, longest), b = PointOf(profile, longest + 1);
    inside = InsideEdge(profile, longest, Point2{(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f});
    return InsideProfile(profile, inside);
}

// A step of `length` from p in the given way, where it has more room.
bool StepUp(const Profile& profile, const Point2& p, const Point2& way, float length, float room, Point2& next,
            WallReading& there) {
    if (way.x == 0.0f && way.y == 0.0f) return false;
    next = Point2{p.x + way.x * length, p.y + way.y * length};
    there = ReadWalls(profile, next);
    return there.distance > room;
}

// Climbs from p, within the room it has at each step, for as long as a step
// in one of the ways `ways` gives (here, p) finds more room.
template <class Ways>
void Climb(const Profile& profile, Ways ways, Point2& p, WallReading& here) {
    float step = 0.5f * here.distance;
    for (int i = 0; i < kClimbTries && step > kSettledStep * here.distance; ++i) {
        // Every step stays within the circle of the room it starts from,
        // which no wall enters: the climb never leaves the profile.
        const float length = std::fmin(step, here.distance);
        bool up = false;
        for (const Point2& way : ways(here)) {
            Point2 next;
            WallReading there;
            if (!StepUp(profile, p, way, length, here.distance, next, there)) continue;
            p = next;
            here = there;
            up = true;
            break;
        }
        step = up ? 2.0f * length : 0.5f * length;
    }
}

}  // namespace

Profile SectionProfile(const Orbalt2& mesh, int32_t section) {
    return Profile{&mesh.pos[mesh.VertexOf(mesh.SlotOf(section), 0)], mesh.nSegPoints};
}

float DistanceToWall(const Profile& profile, const Point2& p) { return FindNearestEdge(profile, p).distance; }

bool InsideProfile(const Profile& profile, const Point2& p) {
    bool inside = false;
    for (uint32_t e = 0; e < profile.count; ++e) {
        const Point2 a = PointOf(profile, e), b = PointOf(profile, e + 1);
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
    }
    return inside;
}

DeepPoint ClimbFromWall(const Profile& profile, const Point2& start) {
    Point2 p;
    if (!StepInside(profile, start, p)) return DeepPoint{start, 0.0f};
    WallReading here = ReadWalls(profile, p);
    // Away from the walls until those around balance.
    Climb(
        profile, [](const WallReading& r) { return std::array<Point2, 1>{r.away}; }, p, here);
    // A narrow section is climbed on along the ridge between two walls to
    // where it is widest: there the room decides whether the camera gets
    // through. A wide section keeps the balanced point, which moves least
    // from one section to the next (a line climbed on to the widest place of
    // every section wanders, and the camera with it).
    if (here.distance < kNarrowRoom) {
        Climb(
            profile,
            [](const WallReading& r) {
                const Point2 along{-r.nearest.y, r.nearest.x};
                return std::array<Point2, 3>{r.uphill, along, Point2{-along.x, -along.y}};
            },
            p, here);
    }
    return DeepPoint{p, here.distance};
}

Point2 ProfileMean(const Profile& profile) {
    double sx = 0.0, sy = 0.0;
    for (uint32_t i = 0; i < profile.count; ++i) {
        sx += static_cast<double>(profile.points[i].x);
        sy += static_cast<double>(profile.points[i].y);
    }
    const double n = profile.count > 0 ? static_cast<double>(profile.count) : 1.0;
    return Point2{static_cast<float>(sx / n), static_cast<float>(sy / n)};
}
