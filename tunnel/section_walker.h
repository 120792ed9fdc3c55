#pragma once
// Changes a section's parameters from one tunnel section to the next: small
// random amounts are added to the radius, wave, wave phase and angle phase of
// each enabled component, and only changes after which the profile stays
// inside its limits, does not cross itself and still runs counter-clockwise
// are kept.
//
// The search can be run whole (Advance) or one try at a time (Begin, then
// Step until it reports the section finished), so that a caller with a time
// limit can spread one section over several calls; both give the same result.
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
    // Starts the search for the next section from the section's parameters.
    void Begin(Section& section);
    // One try of one parameter (or, once an attempt is over, its ending).
    // True when the section holds its final parameters, points and boxes;
    // also true when no search was begun.
    bool Step(Section& section);
    bool Searching() const { return searching; }
    // Re-tests the section's last recorded failure (point outside the limits,
    // pair of crossing edges) on its current parameters.
    bool StillFailing(const Section& section) const;

    Drift& DriftOf(int component, int parameter) { return drifts[component * kComponentParameters + parameter]; }

    float stepScale[kComponentParameters] = {0.001f, 0.001f, 1.0f, 1.0f, 1.0f, 1.0f};
    SectionParams backup;
    AdditiveRandom rng;
    Drift drifts[kComponents * kComponentParameters];

private:
    // Where the search stands: the attempt, and within it the component,
    // the varied parameter and the try to do next.
    struct Cursor {
        int attempt = 0;
        int component = 0;
        int parameter = 0;  // index into the varied parameters
        int tryIndex = 0;
        bool changed = false;  // a parameter of this attempt was accepted
    };

    void BeginAttempt(Section& section);
    void SkipDisabled(const Section& section);
    void NextParameter(const Section& section);
    bool TryCandidate(Section& section, int component, int parameter);
    bool EndAttempt(Section& section);

    Cursor cursor;
    bool searching = false;
};
