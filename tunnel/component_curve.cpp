#include "tunnel/component_curve.h"

#include <cmath>
#include <cstring>

#include "tunnel/section_params.h"
#include "tunnel/zeroed_array.h"

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

float WaveAngle(const float* c, float t) { return (c[kWaveFreq] * t + c[kWavePhase]) * kDegreesToRadians; }
float PointAngle(const float* c, float t) { return (c[kAngleFreq] * t + c[kAnglePhase]) * kDegreesToRadians; }

uint32_t BitsOf(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
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

// Consecutive points often share an angle (a frequency of zero gives every
// point the same one); the sine is then taken once.
void ComponentCurve::FillWaveSines(const float* c) {
    float t = 0.0f;
    uint32_t lastBits = 0;
    for (uint32_t i = 0; i <= nPoints; ++i, t += step) {
        const float angle = WaveAngle(c, t);
        if (i != 0 && BitsOf(angle) == lastBits) {
            waveSines[i] = waveSines[i - 1];
            continue;
        }
        waveSines[i] = std::sin(static_cast<double>(angle));
        lastBits = BitsOf(angle);
    }
    waveKey = KeyOf(c[kWaveFreq], c[kWavePhase]);
}

void ComponentCurve::FillAngles(const float* c) {
    float t = 0.0f;
    uint32_t lastBits = 0;
    for (uint32_t i = 0; i <= nPoints; ++i, t += step) {
        const float angle = PointAngle(c, t);
        if (i != 0 && BitsOf(angle) == lastBits) {
            angleCosines[i] = angleCosines[i - 1];
            angleSines[i] = angleSines[i - 1];
            continue;
        }
        angleCosines[i] = std::cos(static_cast<double>(angle));
        angleSines[i] = std::sin(static_cast<double>(angle));
        lastBits = BitsOf(angle);
    }
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
