#pragma once
// A bounded random walk whose velocity itself drifts, so that a parameter
// changes smoothly from one section to the next instead of jittering.
#include "tunnel/additive_random.h"

class Drift {
public:
    Drift() = default;
    explicit Drift(AdditiveRandom& generator) : rng(&generator) {}
    // Advances the walk and returns the new value.
    float Next();

    float value = 0.0f;
    float min = -1.0f;
    float max = 1.0f;
    float rate = 0.0f;  // velocity bound as a fraction of the range
    float velocity = 0.0f;
    AdditiveRandom* rng = nullptr;  // the walker's generator, not owned
};
