#include "tunnel/section_walker.h"

#include <algorithm>
#include <iterator>

namespace {

// The parameters the walk varies, in the order they are tried; the
// frequencies never change.
constexpr int kVariedParameters[] = {kRadius, kWave, kWavePhase, kAnglePhase};

}  // namespace

SectionWalker::SectionWalker() {
    for (Drift& drift : drifts) drift.rng = &rng;
}

void SectionWalker::Init(uint32_t seed, float rate) {
    searching = false;
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
    Begin(section);
    while (!Step(section)) {
    }
}

void SectionWalker::Begin(Section& section) {
    backup = section.params;
    searching = true;
    cursor.attempt = 1;
    BeginAttempt(section);
}

// Each attempt starts again from the saved parameters, and each varied
// parameter of each enabled component gets up to 32 tries. An accepted
// change stays, so later parameters are tested against the profile it made.
void SectionWalker::BeginAttempt(Section& section) {
    section.params = backup;
    cursor.component = 0;
    cursor.parameter = 0;
    cursor.tryIndex = 0;
    cursor.changed = false;
    SkipDisabled(section);
}

void SectionWalker::SkipDisabled(const Section& section) {
    while (cursor.component < kComponents && !section.params.enabled[cursor.component]) ++cursor.component;
}

void SectionWalker::NextParameter(const Section& section) {
    cursor.tryIndex = 0;
    if (++cursor.parameter < static_cast<int>(std::size(kVariedParameters))) return;
    cursor.parameter = 0;
    ++cursor.component;
    SkipDisabled(section);
}

bool SectionWalker::Step(Section& section) {
    if (!searching) return true;
    if (cursor.component < kComponents) {
        const int component = cursor.component, parameter = kVariedParameters[cursor.parameter];
        if (TryCandidate(section, component, parameter)) {
            cursor.changed = true;
            NextParameter(section);
        } else if (++cursor.tryIndex == kTriesPerParameter) {
            // The layer still holds the last rejected candidate's curve.
            section.EvaluateComponent(component);
            NextParameter(section);
        }
        if (cursor.component < kComponents) return false;
    }
    return EndAttempt(section);
}

// After the last component: a changed attempt ends the search, kept only if
// it came early enough; an unchanged one starts the next attempt, and after
// the last the section repeats.
bool SectionWalker::EndAttempt(Section& section) {
    if (cursor.changed) {
        // The last full evaluation may have been of a rejected candidate; the
        // section must hold the profile of the parameters it keeps.
        section.Recombine();
        if (cursor.attempt > kKeptAttempts) section.ReplaceParams(backup);
        searching = false;
        return true;
    }
    if (cursor.attempt == kAttempts) {
        section.ReplaceParams(backup);
        searching = false;
        return true;
    }
    ++cursor.attempt;
    BeginAttempt(section);
    return false;
}

bool SectionWalker::TryCandidate(Section& section, int component, int parameter) {
    float& value = section.params.components[component][parameter];
    const float saved = backup.components[component][parameter];
    value = saved + DriftOf(component, parameter).Next();
    if (StillFailing(section)) {
        value = saved;
        return false;
    }
    section.EvaluateComponent(component);
    // One step can take a profile past the shapes in between: a component
    // running clockwise that outgrows the rest turns the whole profile round
    // without any tried profile crossing itself.
    if (!section.Combine() || section.SelfIntersects() || !section.RunsCounterClockwise()) {
        value = saved;
        return false;
    }
    return true;
}

bool SectionWalker::StillFailing(const Section& section) const {
    if (!section.limits.Contains(section.PointAt(section.outsideIndex))) return true;
    if (section.crossI == 0) return false;
    const uint32_t a = section.crossI, b = section.crossJ;
    const uint32_t aEnd = a == section.nPoints - 1 ? 0 : a + 1;
    Point2 ignored;
    return IntersectSegments(section.PointAt(a), section.PointAt(aEnd), section.PointAt(b), section.PointAt(b + 1),
                             ignored) != 0;
}
