#include "flight/frame_timer.h"

float SecondsPerCount(int64_t frequency) {
    uint32_t low = static_cast<uint32_t>(frequency);
    return low == 0 ? 0.0f : static_cast<float>(1.0 / low);
}

FrameTimer::FrameTimer(int64_t startReading) : currentReading(startReading) {}

float FrameTimer::Advance(int64_t reading, float secondsPerCount) {
    previousValue = static_cast<uint32_t>(currentReading);
    currentReading = reading;
    uint32_t elapsed = static_cast<uint32_t>(currentReading) - previousValue;
    frameTime = static_cast<float>(elapsed) * secondsPerCount;
    return frameTime;
}
