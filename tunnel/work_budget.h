#pragma once
// Time allowed to one call's work, given in units that each run whole (one
// walker try, one stored section). The first unit always runs, so every call
// makes progress however small the budget; the time is wall-clock time.
#include <chrono>

class WorkBudget {
public:
    // No limit when seconds is zero or less.
    explicit WorkBudget(double seconds) : limit(seconds), begun(Clock::now()) {}

    // True when another unit may start.
    bool Allows() {
        if (first || limit <= 0.0) {
            first = false;
            return true;
        }
        return std::chrono::duration<double>(Clock::now() - begun).count() < limit;
    }

private:
    using Clock = std::chrono::steady_clock;
    double limit;
    Clock::time_point begun;
    bool first = true;
};
