#include "tunnel/drift.h"

#include <cmath>

float Drift::Next() {
    // A negative rate bounds the velocity by the same magnitude.
    const float bound = std::fabs((max - min) * rate);
    const double u = static_cast<double>(rng->Next()) / 4294967296.0;  // [0, 1)
    velocity += 0.25f * bound * static_cast<float>(u - 0.5);
    if (velocity < -bound)
        velocity = -bound;
    else if (velocity > bound)
        velocity = bound;
    const float moved = value + velocity;
    if (moved < min) {
        value = min;
        velocity = 0.0f;
    } else if (moved > max) {
        value = max;
        velocity = 0.0f;
    } else {
        value = moved;
    }
    return value;
}
