#include "tunnel/component_curve.h"

#include <cmath>
#include <cstring>

#include "tunnel/angles.h"
#include "tunnel/section_params.h"
#include "tunnel/zeroed_array.h"

namespace {

// An angle that grows linearly with t (degrees), in radians. The phase
// counts only modulo a whole turn (fmod is exact): the walk can carry a
// phase far from zero, where a float sum with the angle along the profile
// would round away the degrees that close it.
float AngleAt(float frequency, float phase, float t) {
    return (frequency * t + std::fmod(phase, 360.0f)) * kDegreesToRadians;
}
float WaveAngle(const float* c, float t) { return AngleAt(c[kWaveFreq], c[kWavePhase], t); }
float PointAngle(const float* c, float t) { return AngleAt(c[kAngleFreq], c[kAnglePhase], t); }

uint32_t BitsOf(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Hands fill(i, angle, repeated) the angle of every point 0 ... n, t running
// by step. Consecutive points often share an angle (a frequency of zero gives
// every point the same one); repeated says so, and the point can then take
// the previous point's values instead of computing them again.
template <class Fill>
void ForEachAngle(uint32_t n, float step, float frequency, float phase, Fill fill) {
    float t = 0.0f;
    uint32_t lastBits = 0;
    for (uint32_t i = 0; i <= n; ++i, t += step) {
        const float angle = AngleAt(frequency, phase, t);
        fill(i, angle, i != 0 && BitsOf(angle) == lastBits);
        lastBits = BitsOf(angle);
    }
}

// The point from the sine of its wave angle and the cosine and sine of its
// angle; the radius is rounded to float before it scales them.
Point2 CurvePoint(const float* c, double waveSine, double angleCosine, double angleSine) {
    const float r = static_cast<float>(c[kRadius] + c[kWave] * waveSine);
    return Point2{static_cast<float>(r * angleCosine), static_cast<float>(r * angleSine)};
}

Point2 DirectPoint(const float* c, float t) {
    const double angle = static_cast<double>(PointAngle(c, t));
    return CurvePoint(c, std::sin(static_cast<double>(WaveAngle(c, t))), std::cos(angle), std::sin(angle));
}

}  // namespace

void ComponentCurve::Resize(uint32_t n, float angleStep) {
    nPoints = n;
    step = angleStep;
    waveKey = angleKey = TableKey{};
    waveSines.reset();
    angleCosines.reset();
    angleSines.reset();
    if (n > kMaxTabledPoints) return;
    // PointAt uses t = i * step, the tables the running sum of steps; they
    // agree for every profile this small, which this confirms.
    float t = 0.0f;
    for (uint32_t i = 0; i <= n; ++i, t += step)
        if (BitsOf(t) != BitsOf(static_cast<float>(i) * step)) return;
    auto sines = NewZeroedArray<double>(size_t{n} + 1);
    auto cosines = NewZeroedArray<double>(size_t{n} + 1);
    auto pointSines = NewZeroedArray<double>(size_t{n} + 1);
    if (!sines || !cosines || !pointSines) return;
    waveSines = std::move(sines);
    angleCosines = std::move(cosines);
    angleSines = std::move(pointSines);
}

ComponentCurve::TableKey ComponentCurve::KeyOf(float frequency, float phase) {
    return TableKey{BitsOf(frequency), BitsOf(phase), true};
}

bool ComponentCurve::Matches(const TableKey& key, float frequency, float phase) {
    return key.valid && key.frequency == BitsOf(frequency) && key.phase == BitsOf(phase);
}

void ComponentCurve::FillWaveSines(const float* c) {
    ForEachAngle(nPoints, step, c[kWaveFreq], c[kWavePhase], [this](uint32_t i, float angle, bool repeated) {
        waveSines[i] = repeated ? waveSines[i - 1] : std::sin(static_cast<double>(angle));
    });
    waveKey = KeyOf(c[kWaveFreq], c[kWavePhase]);
}

void ComponentCurve::FillAngles(const float* c) {
    ForEachAngle(nPoints, step, c[kAngleFreq], c[kAnglePhase], [this](uint32_t i, float angle, bool repeated) {
        angleCosines[i] = repeated ? angleCosines[i - 1] : std::cos(static_cast<double>(angle));
        angleSines[i] = repeated ? angleSines[i - 1] : std::sin(static_cast<double>(angle));
    });
    angleKey = KeyOf(c[kAngleFreq], c[kAnglePhase]);
}

void ComponentCurve::Evaluate(const float* c, Point2* out) {
    if (!HasTables()) {
        float t = 0.0f;
        for (uint32_t i = 0; i <= nPoints; ++i, t += step) out[i] = DirectPoint(c, t);
        return;
    }
    if (!Matches(waveKey, c[kWaveFreq], c[kWavePhase])) FillWaveSines(c);
    if (!Matches(angleKey, c[kAngleFreq], c[kAnglePhase])) FillAngles(c);
    for (uint32_t i = 0; i <= nPoints; ++i) out[i] = CurvePoint(c, waveSines[i], angleCosines[i], angleSines[i]);
}

Point2 ComponentCurve::PointAt(const float* c, uint32_t i) const {
    const float t = static_cast<float>(i) * step;
    if (!HasTables() || i > nPoints) return DirectPoint(c, t);
    double angleCosine = 0.0, angleSine = 0.0;
    if (Matches(angleKey, c[kAngleFreq], c[kAnglePhase])) {
        angleCosine = angleCosines[i];
        angleSine = angleSines[i];
    } else {
        const double angle = static_cast<double>(PointAngle(c, t));
        angleCosine = std::cos(angle);
        angleSine = std::sin(angle);
    }
    const double waveSine = Matches(waveKey, c[kWaveFreq], c[kWavePhase])
                                ? waveSines[i]
                                : std::sin(static_cast<double>(WaveAngle(c, t)));
    return CurvePoint(c, waveSine, angleCosine, angleSine);
}
