// Medians, percentiles, the refresh cap and pixel differences.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "drawbench/statistics.h"

namespace {

std::vector<double> OneToN(int n) {
    std::vector<double> values;
    // Descending, so that nothing passes by leaving the values unsorted.
    for (int i = n; i >= 1; --i) values.push_back(i);
    return values;
}

TEST(Statistics, MedianOfOddEvenAndNoValues) {
    EXPECT_EQ(Median({3, 1, 2}), 2);
    EXPECT_EQ(Median({4, 1, 3, 2}), 2.5);
    EXPECT_EQ(Median({7}), 7);
    EXPECT_EQ(Median({}), 0);
}

TEST(Statistics, NearestRankPercentiles) {
    const std::vector<double> hundred = OneToN(100);
    EXPECT_EQ(Percentile(hundred, 99), 99);
    EXPECT_EQ(Percentile(hundred, 50), 50);
    EXPECT_EQ(Percentile(hundred, 100), 100);
    EXPECT_EQ(Percentile(hundred, 0), 1);
    EXPECT_EQ(Percentile(hundred, 99.5), 100);
    EXPECT_EQ(Percentile(OneToN(10), 95), 10);
    EXPECT_EQ(Percentile(OneToN(20), 95), 19);
    EXPECT_EQ(Percentile(OneToN(4), 50), 2);
    EXPECT_EQ(Percentile({5}, 1), 5);
    EXPECT_EQ(Percentile({5}, 99), 5);
    EXPECT_EQ(Percentile({}, 50), 0);
    // Outside 0..100 the percentile is held to the ends.
    EXPECT_EQ(Percentile(hundred, -5), 1);
    EXPECT_EQ(Percentile(hundred, 250), 100);
}

TEST(Statistics, FrameTimesAndRatioRanges) {
    std::vector<double> ms(200, 10.0);
    ms[17] = 40.0;   // one slow frame in 200: above p99 (rank 198)
    ms[150] = 25.0;  // and another
    const FrameTimes times = SummariseFrameTimes(ms);
    EXPECT_EQ(times.p50, 10);
    EXPECT_EQ(times.p95, 10);
    EXPECT_EQ(times.p99, 10);
    EXPECT_EQ(times.max, 40);
    ms.push_back(30.0);  // 201 frames: p99 is rank 199, the 25 ms frame
    EXPECT_EQ(SummariseFrameTimes(ms).p99, 25);
    EXPECT_EQ(SummariseFrameTimes({}).max, 0);

    const RatioRange ratios = SummariseRatios({1.2, 0.9, 1.1, 1.0});
    EXPECT_DOUBLE_EQ(ratios.median, 1.05);
    EXPECT_EQ(ratios.min, 0.9);
    EXPECT_EQ(ratios.max, 1.2);
    const RatioRange none = SummariseRatios({});
    EXPECT_EQ(none.median + none.min + none.max, 0);
}

TEST(Statistics, CappedWithinThreePercentOfAKnownRefresh) {
    EXPECT_TRUE(CappedByRefresh(60.0, 60.0));
    EXPECT_TRUE(CappedByRefresh(59.94, 60.0));
    EXPECT_TRUE(CappedByRefresh(58.3, 60.0));
    EXPECT_TRUE(CappedByRefresh(61.7, 60.0));
    EXPECT_FALSE(CappedByRefresh(58.1, 60.0));
    EXPECT_FALSE(CappedByRefresh(62.0, 60.0));
    EXPECT_FALSE(CappedByRefresh(30.0, 60.0));
    EXPECT_TRUE(CappedByRefresh(143.0, 144.0));
    // An unknown refresh caps nothing.
    EXPECT_FALSE(CappedByRefresh(1.0, 1.0));
    EXPECT_FALSE(CappedByRefresh(0.0, 0.0));
    EXPECT_FALSE(CappedByRefresh(60.0, NAN));
    EXPECT_FALSE(CappedByRefresh(NAN, 60.0));
}

TEST(Statistics, DifferingPixels) {
    const std::vector<uint8_t> a = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    std::vector<uint8_t> b = a;
    EXPECT_EQ(CountDifferingPixels(a, b), 0);
    b[3] = 0;  // the first pixel's alpha
    EXPECT_EQ(CountDifferingPixels(a, b), 1);
    b[4] = b[7] = 0;  // two bytes of the second pixel
    EXPECT_EQ(CountDifferingPixels(a, b), 2);
    b[8] = 0;
    EXPECT_EQ(CountDifferingPixels(a, b), 3);
    // Frames of different sizes differ in every pixel of the larger.
    EXPECT_EQ(CountDifferingPixels(a, std::vector<uint8_t>(a.begin(), a.begin() + 8)), 3);
    EXPECT_EQ(CountDifferingPixels({}, a), 3);
    EXPECT_EQ(CountDifferingPixels({}, {}), 0);
}

}  // namespace
