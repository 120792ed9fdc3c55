#pragma once
// One wave component's curve over a section profile: a radius following a
// sine wave, at an angle that grows linearly with the running parameter t
// (degrees, point i at t = i * 360 / n).
//
// The walker changes one parameter of one component at a time, and most
// changes (radius, wave) leave every sine and cosine of the curve as it was.
// The curve therefore keeps the sines of its wave angles and the cosines and
// sines of its point angles, each table tagged with the frequency and phase
// it was computed from, and computes a table again only when those change.
// The tables hold exactly the doubles the direct formula uses, so a point
// from them is bit for bit the point computed directly.
#include <cstdint>
#include <memory>

#include "tunnel/point2.h"

class ComponentCurve {
public:
    // Profiles finer than this are evaluated directly: their tables would
    // cost 24 bytes a point for each component.
    static constexpr uint32_t kMaxTabledPoints = 1u << 16;

    // Sizes the tables for points 0 ... n at angleStep degrees apart. Without
    // tables (a profile too fine, a failed allocation) the curve is computed
    // directly; the points are the same either way.
    void Resize(uint32_t n, float angleStep);

    // Points 0 ... n of the curve with the given six parameters into out.
    void Evaluate(const float* component, Point2* out);
    // Point i of the curve, the same value Evaluate writes for it.
    Point2 PointAt(const float* component, uint32_t i) const;

    bool HasTables() const { return waveSines != nullptr; }

private:
    // The frequency and phase, bit for bit, a table was computed from.
    struct TableKey {
        uint32_t frequency = 0;
        uint32_t phase = 0;
        bool valid = false;
    };

    static TableKey KeyOf(float frequency, float phase);
    static bool Matches(const TableKey& key, float frequency, float phase);
    void FillWaveSines(const float* component);
    void FillAngles(const float* component);

    uint32_t nPoints = 0;
    float step = 0.0f;
    std::unique_ptr<double[]> waveSines;
    std::unique_ptr<double[]> angleCosines;
    std::unique_ptr<double[]> angleSines;
    TableKey waveKey;
    TableKey angleKey;
};
