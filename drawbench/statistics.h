#pragma once
// The figures a benchmark reports from its measurements: medians and
// percentiles of frame times and ratios, whether a frame rate is held at the
// display's refresh, and how many pixels two frames differ in.
#include <cstdint>
#include <vector>

// The middle value; the mean of the middle two for an even count; 0 for none.
double Median(std::vector<double> values);

// The nearest-rank percentile: the smallest value that at least p percent of
// the values are not above (p is held to 0..100); 0 for none.
double Percentile(std::vector<double> values, double p);

// Frame times in milliseconds.
struct FrameTimes {
    double p50 = 0, p95 = 0, p99 = 0, max = 0;
};
FrameTimes SummariseFrameTimes(std::vector<double> milliseconds);

// A path's ratios to its bare loop, one a round.
struct RatioRange {
    double median = 0, min = 0, max = 0;
};
RatioRange SummariseRatios(std::vector<double> ratios);

// Whether a frame rate is the display's refresh rate, so that swapping on
// the vertical retrace rather than drawing sets it. A refresh of 1 Hz or
// less means the rate is unknown: false.
bool CappedByRefresh(double fps, double refreshHz);

// The pixels in which two RGBA frames differ: a pixel differs when any of its
// four bytes does. Frames of different sizes differ in every pixel of the
// larger one.
int64_t CountDifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
