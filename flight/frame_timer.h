#pragma once
// Frame timing from the high-resolution counter. Only the low 32 bits of each
// reading take part, so an interval shorter than 2^32 counts is measured
// correctly even when those bits wrap between two frames.
#include <cstdint>

// 1 / (low 32 bits of the counter frequency); 0 when there is no counter.
float SecondsPerCount(int64_t frequency);

struct FrameTimer {
    explicit FrameTimer(int64_t startReading);

    // Takes a new counter reading; returns and keeps the seconds since the
    // previous one.
    float Advance(int64_t reading, float secondsPerCount);

    int64_t currentReading;
    uint32_t previousValue = 0;
    float frameTime = 0.0f;
};
