#pragma once
// The centre line the cruise pilot follows: one deep point per section, from
// just behind the camera to some way ahead of it, each climbed to from the
// point of the section before. The line therefore runs on through the tunnel
// as its sections change shape and never jumps from one lobe of a section to
// another. The points are kept from tick to tick in a small ring, so that
// each section's point is found once.
#include <cstdint>

#include "flight/deep_point.h"

class Orbalt2;

struct CentreLine {
    static constexpr uint32_t kCapacity = 64;  // a power of two
    int32_t first = 0;                         // section of the first point kept
    uint32_t count = 0;                        // points kept: sections first ... first + count - 1
    DeepPoint points[kCapacity];               // section i's point at i & (kCapacity - 1)
};

// Keeps the points of sections from ... to, at most kCapacity of them: drops
// those before `from` and climbs to the missing ones after the last kept,
// each from the one before. A line that does not reach `from` starts again
// there, climbing from `start`.
void ExtendCentreLine(const Orbalt2& mesh, int32_t from, int32_t to, const Point2& start, CentreLine& line);

// Renumbers the line's sections after the tunnel moved by whole sections (the wrap-around).
void ShiftCentreLine(int32_t sections, CentreLine& line);

// The line at z: the mean of its points within `reach` of z along the
// tunnel (rounded to whole sections, at least one), each weighted by how
// near it lies, so that the result moves smoothly with z. Beyond the points kept it reads the nearest end. A line
// without points reads the axis.
Point2 CentreAt(const CentreLine& line, float spacing, float z, float reach);
