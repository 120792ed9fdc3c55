#pragma once
// Section files, profiles and independent checks shared by the tunnel tests.
#include <cmath>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tunnel/orbalt2.h"
#include "tunnel/section.h"
#include "tunnel/section_file.h"

namespace tunnel_test {

inline std::string DefaultSectionPath() { return std::string(ORBALT_DATA_DIR) + "/test.sct"; }

inline void SetComponent(SectionParams& params, int c, float radius, float wave, float wavePhase, float waveFreq,
                         float anglePhase, float angleFreq) {
    const float values[] = {radius, wave, wavePhase, waveFreq, anglePhase, angleFreq};
    for (int k = 0; k < kComponentParameters; ++k) params.components[c][k] = values[k];
    params.enabled[c] = 1;
}

// One component: a circle of the given radius, counter-clockwise seen from +z.
inline SectionFile CircleFile(float radius = 0.5f) {
    SectionFile file;
    SetComponent(file.params, 0, radius, 0, 0, 0, 0, 1);
    return file;
}

inline std::string WriteSectionFile(const TempDir& dir, const std::string& name, const SectionFile& file) {
    return dir.Write(name, EncodeSectionFile(file));
}

// Brute-force test of a closed polygon: any two non-adjacent edges that meet.
inline bool PolygonCrossesItself(const std::vector<Point2>& p) {
    const size_t n = p.size();
    for (size_t a = 0; a < n; ++a)
        for (size_t b = a + 2; b < n; ++b) {
            if (a == 0 && b == n - 1) continue;  // the closing edge meets edge 0
            Point2 ignored;
            if (IntersectSegments(p[a], p[(a + 1) % n], p[b], p[(b + 1) % n], ignored) != 0) return true;
        }
    return false;
}

inline std::vector<Point2> SlotProfile(const Orbalt2& mesh, uint32_t slot) {
    std::vector<Point2> profile;
    for (uint32_t j = 0; j < mesh.nSegPoints; ++j) {
        const Vector3& p = mesh.pos[mesh.VertexOf(slot, j)];
        profile.push_back(Point2{p.x, p.y});
    }
    return profile;
}

inline bool IsFinite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace tunnel_test
