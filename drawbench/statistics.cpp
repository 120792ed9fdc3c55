#include "drawbench/statistics.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The nearest-rank percentile of values already sorted, not empty.
double SortedPercentile(const std::vector<double>& sorted, double p) {
    const double count = static_cast<double>(sorted.size());
    // p * count / 100 rather than p / 100 * count: for whole p and counts the
    // product is exact, so p99 of 100 values is rank 99, not 100. The small
    // allowance keeps a fractional p from a rank too high by rounding alone.
    const double rank = std::ceil(std::clamp(p, 0.0, 100.0) * count / 100.0 - 1e-9);
    const size_t index = rank < 1.0 ? 0 : static_cast<size_t>(rank) - 1;
    return sorted[std::min(index, sorted.size() - 1)];
}

}  // namespace

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return SortedPercentile(values, std::isnan(p) ? 0.0 : p);
}

FrameTimes SummariseFrameTimes(std::vector<double> milliseconds) {
    if (milliseconds.empty()) return {};
    std::sort(milliseconds.begin(), milliseconds.end());
    return {SortedPercentile(milliseconds, 50), SortedPercentile(milliseconds, 95),
            SortedPercentile(milliseconds, 99), milliseconds.back()};
}

RatioRange SummariseRatios(std::vector<double> ratios) {
    if (ratios.empty()) return {};
    RatioRange range;
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    range.min = *low;
    range.max = *high;
    range.median = Median(std::move(ratios));
    return range;
}

bool CappedByRefresh(double fps, double refreshHz) {
    if (!(refreshHz > 1.0) || !std::isfinite(fps)) return false;
    // 3 %: Windows reports whole hertz (60 for a 59.94 Hz display), a round's
    // rate counts whole frames over a fraction of a second, and a missed
    // retrace now and then pulls it down by a frame or two; together these
    // stay well under 3 % of the refresh. A rate the drawing sets lands that
    // close to the refresh only by chance.
    return std::fabs(fps - refreshHz) <= 0.03 * refreshHz;
}

int64_t CountDifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    constexpr size_t kBytesPerPixel = 4;
    if (a.size() != b.size())
        return static_cast<int64_t>((std::max(a.size(), b.size()) + kBytesPerPixel - 1) / kBytesPerPixel);
    int64_t differing = 0;
    for (size_t i = 0; i < a.size(); i += kBytesPerPixel) {
        const size_t end = std::min(i + kBytesPerPixel, a.size());
        if (!std::equal(a.begin() + static_cast<std::ptrdiff_t>(i), a.begin() + static_cast<std::ptrdiff_t>(end),
                        b.begin() + static_cast<std::ptrdiff_t>(i)))
            ++differing;
    }
    return differing;
}
