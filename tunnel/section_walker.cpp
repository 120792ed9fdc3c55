#include "tunnel/section_walker.h"

#include <algorithm>

namespace {

// The parameters the walk varies, in the order they are tried; the
// frequencies never change.
constexpr int kVariedParameters[] = {kRadius, kWave, kWavePhase, kAnglePhase};

}  // namespace

SectionWalker::SectionWalker() {
    for (Drift& drift : drifts) drift.rng = &rng;
}

void SectionWalker::Init(uint32_t seed, float rate) {
    rng.Seed(seed);
    for (int c = 0; c < kComponents; ++c)
        for (int k : kVariedParameters) {
            Drift& drift = DriftOf(c, k);
            drift.max = stepScale[k];
            drift.min = std::min(stepScale[k], -stepScale[k]);
        }
    const float clampedRate = std::clamp(rate, -1.0f, 1.0f);
    for (Drift& drift : drifts) {
        drift.rng = &rng;
        drift.rate = clampedRate;
        drift.value = std::clamp(0.0f, drift.min, drift.max);
    }
}

void SectionWalker::Advance(Section& section) {
    backup = section.params;
    int succeededAt = 0;
    for (int attempt = 1; attempt <= kAttempts && succeededAt == 0; ++attempt)
        if (SearchStep(section)) succeededAt = attempt;
    if (succeededAt == 0 || succeededAt > kKeptAttempts) section.ReplaceParams(backup);
}

// One attempt: starting again from the saved parameters, each varied
// parameter gets up to 32 tries. An accepted change stays, so later
// parameters are tested against the profile it made.
bool SectionWalker::SearchStep(Section& section) {
    section.params = backup;
    bool changed = false;
    for (int c = 0; c < kComponents; ++c) {
        if (!section.params.enabled[c]) continue;
        for (int k : kVariedParameters)
            if (TryParameter(section, c, k)) changed = true;
    }
    // The last full evaluation may have been of a rejected candidate; the
    // section must hold the profile of the parameters it keeps.
    if (changed) section.Recombine();
    return changed;
}

bool SectionWalker::TryParameter(Section& section, int component, int parameter) {
    float& value = section.params.components[component][parameter];
    const float saved = backup.components[component][parameter];
    Drift& drift = DriftOf(component, parameter);
    for (int attempt = 0; attempt < kTriesPerParameter; ++attempt) {
        value = saved + drift.Next();
        if (StillFailing(section)) {
            value = saved;
            continue;
        }
        section.EvaluateComponent(component);
        if (!section.Combine() || section.SelfIntersects()) {
            value = saved;
            continue;
        }
        return true;
    }
    // The layer still holds the last rejected candidate's curve.
    section.EvaluateComponent(component);
    return false;
}

bool SectionWalker::StillFailing(const Section& section) const {
    if (!section.limits.Contains(section.PointAt(section.outsideIndex))) return true;
    if (section.crossI == 0) return false;
    const uint32_t a = section.crossI, b = section.crossJ;
    const uint32_t aEnd = a == section.nPoints - 1 ? 0 : a + 1;
    Point2 ignored;
    return IntersectSegments(section.PointAt(a), section.PointAt(aEnd), section.PointAt(b),
                             section.PointAt(b + 1), ignored) != 0;
}
