#pragma once
// Changes a section's parameters from one tunnel section to the next: small
// random amounts are added to the radius, wave, wave phase and angle phase of
// each enabled component, and only changes after which the profile stays
// inside its limits and does not cross itself are kept.
#include <cstdint>

#include "tunnel/additive_random.h"
#include "tunnel/drift.h"
#include "tunnel/section.h"

class SectionWalker {
public:
    static constexpr int kAttempts = 64;
    // A success after this many attempts is not kept: the section repeats.
    static constexpr int kKeptAttempts = 62;
    static constexpr int kTriesPerParameter = 32;

    SectionWalker();
    SectionWalker(const SectionWalker&) = delete;
    SectionWalker& operator=(const SectionWalker&) = delete;

    // Seeds the generator and sets each varied parameter's drift range from
    // stepScale. Drift velocities carry over from earlier walks.
    void Init(uint32_t seed, float rate);
    // Changes the section for the next section of the tunnel. Afterwards its
    // points, box and sub-boxes are those of its final parameters.
    void Advance(Section& section);
    // Re-tests the section's last recorded failure (point outside the limits,
    // pair of crossing edges) on its current parameters.
    bool StillFailing(const Section& section) const;

    Drift& DriftOf(int component, int parameter) { return drifts[component * kComponentParameters + parameter]; }

    float stepScale[kComponentParameters] = {0.001f, 0.001f, 1.0f, 1.0f, 1.0f, 1.0f};
    SectionParams backup;
    AdditiveRandom rng;
    Drift drifts[kComponents * kComponentParameters];

private:
    bool SearchStep(Section& section);
    bool TryParameter(Section& section, int component, int parameter);
};
