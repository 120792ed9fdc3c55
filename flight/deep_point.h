#pragma once
// How far a point of the x-y plane lies from a section's wall, and a point
// deep inside the section reached by climbing away from the wall: what the
// cruise pilot aims for. A profile is the closed polygon of one mesh slot's
// points (their z is ignored), running counter-clockwise as every generated
// section does.
#include <cstdint>

#include "tunnel/point2.h"
#include "tunnel/vector3.h"

class Orbalt2;

struct Profile {
    const Vector3* points = nullptr;
    uint32_t count = 0;  // at least 3; the last point joins the first
};

// The profile of section i (any sign) of the mesh.
Profile SectionProfile(const Orbalt2& mesh, int32_t section);

// Distance from p to the nearest edge of the profile.
float DistanceToWall(const Profile& profile, const Point2& p);

// True when an odd number of the profile's edges crosses the ray from p toward +x.
bool InsideProfile(const Profile& profile, const Point2& p);

struct DeepPoint {
    Point2 at;
    float room = 0.0f;  // distance to the wall; 0 when no point inside was found
};

// A point inside the profile reached from `start` by climbing away from the
// nearest walls until those around it balance; in a narrow section (less
// than 0.1 from the wall) the climb goes on along the ridge between two
// walls to where the section is widest. A start in one lobe of the section therefore stays in that lobe. A
// start outside the profile first steps in across the nearest wall.
DeepPoint ClimbFromWall(const Profile& profile, const Point2& start);

// The mean of the profile's points: a start for a section with nothing
// known about it, deep inside most sections though not all.
Point2 ProfileMean(const Profile& profile);
