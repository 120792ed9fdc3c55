#include "flight/centre_line.h"

#include <algorithm>
#include <cmath>

namespace {

DeepPoint& PointOf(CentreLine& line, int32_t section) {
    return line.points[static_cast<uint32_t>(section) & (CentreLine::kCapacity - 1)];
}

const DeepPoint& PointOf(const CentreLine& line, int32_t section) {
    return line.points[static_cast<uint32_t>(section) & (CentreLine::kCapacity - 1)];
}

int32_t LastOf(const CentreLine& line) { return line.first + static_cast<int32_t>(line.count) - 1; }

}  // namespace

void ExtendCentreLine(const Orbalt2& mesh, int32_t from, int32_t to, const Point2& start, CentreLine& line) {
    Point2 previous = start;
    const bool continues = line.count > 0 && from >= line.first && from <= LastOf(line) + 1;
    if (continues) {
        // The last point stays the climb's start even when every point is dropped.
        previous = PointOf(line, LastOf(line)).at;
        line.count -= static_cast<uint32_t>(from - line.first);
    } else {
        line.count = 0;
    }
    line.first = from;
    for (int32_t i = LastOf(line) + 1; i <= to && line.count < CentreLine::kCapacity; ++i) {
        DeepPoint& point = PointOf(line, i);
        point = ClimbFromWall(SectionProfile(mesh, i), previous);
        previous = point.at;
        ++line.count;
    }
}

void ShiftCentreLine(int32_t sections, CentreLine& line) { line.first += sections; }

Point2 CentreAt(const CentreLine& line, float spacing, float z, float reach) {
    if (line.count == 0) return Point2{0.0f, 0.0f};
    const double first = line.first, last = LastOf(line);
    const double at = std::clamp(static_cast<double>(z) / spacing, first, last);
    // A whole number of sections: then the weights of points on a straight
    // line balance exactly at z, and the line reads as straight. More than
    // the line holds would add nothing.
    const double width = std::clamp(std::round(static_cast<double>(reach) / spacing), 1.0,
                                    static_cast<double>(CentreLine::kCapacity));
    const auto lowest = static_cast<int32_t>(std::max(first, std::ceil(at - width)));
    const auto highest = static_cast<int32_t>(std::min(last, std::floor(at + width)));
    // The section nearest `at` is at most half a section away, so weighs at least a half.
    double sx = 0.0, sy = 0.0, weights = 0.0;
    for (int32_t i = lowest; i <= highest; ++i) {
        const double weight = 1.0 - std::fabs(static_cast<double>(i) - at) / width;
        const Point2& p = PointOf(line, i).at;
        sx += weight * p.x;
        sy += weight * p.y;
        weights += weight;
    }
    return Point2{static_cast<float>(sx / weights), static_cast<float>(sy / weights)};
}
