// Sample statistics and confidence limits, interval numbers and frequency counts. The worked
// analysis of 1, 2, 3, 4, 5 is held once, in tests/data/five-values*.out and *.xls.
#include "stats/sample_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

#include "stats/analysis.h"

namespace {

using Data = std::vector<double>;

// A pattern of deviations repeated around an offset.
Data Around(double offset, std::initializer_list<double> pattern, int repeats) {
  Data data;
  for (int i = 0; i < repeats; ++i)
    for (double d : pattern) data.push_back(offset + d);
  return data;
}

// The deviation keeps its digits where the data share a large offset, which a one-pass
// sum(x^2) - N m^2 cancels away, and where many small squares follow two large ones (each
// below half a last place of the sum in doubles, together a relative 1.5e-12 of it). The
// exact deviations of the data as stored, in rational arithmetic (Python's fractions).
TEST(ComputeSampleStatistics, DeviationKeepsItsDigitsAtLargeOffsets) {
  Data farAndNear(30000);
  for (int i = 0; i < 30000; ++i) farAndNear[i] = (i % 2 ? 1 : -1) * (i < 2 ? 1e4 : 1e-4);
  const struct { Data data; double exact, tolerance; } cases[] = {
      {{-3.5, 12.25, 0.001, -7, 1e3, 42}, 405.06936545917663, 1e-15},
      {Around(0, {-3e-3, -1e-3, 1e-3, 3e-3}, 125), 0.0022383074051792262, 1e-15},
      {Around(-50, {-30, -10, 10, 30}, 7500), 22.361052462311356, 1e-15}, {farAndNear, 81.651018954490353, 1e-15},
      {Around(1e7, {-0.5, -0.25, 0.25, 0.5}, 250), 0.39548249823020791, 1e-15},
      {Around(1e8, {-0.5, -0.25, 0.25, 0.5}, 250), 0.39548249823020791, 1e-15},
      {Around(1e9, {-10, -5, 5, 10}, 7500), 7.9058259152842527, 1e-15},
      {Around(1000000.123, {-0.003, -0.001, 0.001, 0.003}, 250), 0.0022371868788412399, 1e-12}};
  for (const auto& c : cases) {
    AnalysisResults r;
    ComputeSampleStatistics(c.data.data(), static_cast<int>(c.data.size()), 95, r);
    EXPECT_NEAR(r.sampleDeviation, c.exact, c.tolerance * c.exact) << "row " << &c - cases << ": " << r.sampleDeviation;
  }
}

// Data near both ends of the range of a double. Every result of data scaled by a power of two
// is that of the data scaled alike, so the analysis of the data times 2^-64 (2^64 for the
// subnormal rows), where nothing comes near the ends, scaled back gives each true result:
// beyond the range (refused), or the bits shown (a few steps apart among the subnormals, where
// the stored s and the scaled-back values lose bits).
TEST(AnalyzeData, ResultsBeyondTheRangeOfADoubleRefuseTheAnalysis) {
  const double kMax = DBL_MAX, kTiny = std::numeric_limits<double>::denorm_min();
  auto padded = [](Data data, int zeros) { return data.resize(data.size() + zeros), data; };
  const struct { const char* name; Data data; const char* k; bool refused; } rows[] = {
      {"sum overflows, mean 1.6e308", {1.7e308, 1.6e308, 1.5e308}, "6", false},
      {"sum overflows, mean -1.6e308", {-1.5e308, -1.7e308, -1.6e308}, "3", false},
      {"running sum overflows, then comes back", padded({1.7e308, 1.7e308, -1.7e308, -1.6e308}, 12), "6", false},
      {"mixed signs: the mean limits beyond", {-1.7e308, 1.7e308, 1}, "6", true},
      {"the upper mean limit alone beyond", {1.79e308, 1.75e308, 1.7e308}, "6", true},
      {"the upper deviation limit alone beyond", {0, -4.3e307, 4.3e307}, "6", true},
      {"s within, sigma hat and its upper limit beyond", {-1.5e308, -1.5e308, 1.5e308, 1.5e308}, "6", true},
      {"s beyond", {-kMax, kMax, kMax}, "2", true}, {"max - min beyond, one interval", padded({-1e308, 1e308}, 6), "1", true},
      {"max - min beyond, two intervals", padded({-1e308, 1e308}, 6), "2", false},
      {"both ends of the doubles, many values", padded({kMax, -kMax}, 60), "20", false},
      {"subnormal, width below the smallest step", {kTiny, 2 * kTiny, 2 * kTiny}, "2", false},
      {"subnormal and normal, mixed signs", {-2.2e-308, kTiny, 3 * kTiny, 2.2e-308, 7e-310}, "4", false}};
  using R = AnalysisResults;
  constexpr double R::*kShown[] = {&R::mean, &R::sampleDeviation, &R::unbiasedDeviation, &R::meanLower, &R::meanUpper,
                                   &R::deviationLower, &R::deviationUpper, &R::minimum, &R::maximum, &R::width};
  for (const auto& row : rows) {
    const int e = std::fabs(row.data[1]) < 1 ? 64 : -64, n = static_cast<int>(row.data.size());
    Data scaled = row.data;
    for (double& x : scaled) x = std::ldexp(x, e);
    R r, reference;
    const bool refused = AnalyzeData(row.data.data(), n, {kIntervalChoice, row.k, 90}, r) == AnalysisOutcome::kTooLarge;
    ASSERT_EQ(AnalyzeData(scaled.data(), n, {kIntervalChoice, row.k, 90}, reference), AnalysisOutcome::kDone);
    const bool beyond = std::ranges::any_of(kShown, [&](auto field) { return !std::isfinite(std::ldexp(reference.*field, -e)); });
    ASSERT_EQ(std::pair(refused, beyond), std::pair(row.refused, row.refused)) << row.name << " (refused, beyond)";
    if (refused) continue;
    for (const auto& field : kShown)
      EXPECT_LE(std::fabs(r.*field - std::ldexp(reference.*field, -e)), e > 0 ? 4 * kTiny : 0)
          << row.name << ", result " << &field - kShown;
    EXPECT_TRUE(std::ranges::equal(r.twiceFrequencies, reference.twiceFrequencies)) << row.name;
  }
}

TEST(ComputeIntervalNumber, StandardRuleAndLenientChoiceText) {
  // 3.3 log10 N passes 10 between 1072 and 1073.
  for (const auto& [count, k] : {std::pair{3, 2}, {10, 4}, {31, 5}, {100, 7}, {999, 10}, {1072, 10}, {1073, 11}, {30000, 15}})
    EXPECT_EQ(ComputeIntervalNumber(kIntervalStandard, "6", count), k) << count;
  const struct { const char* text; int k; } choice[] = {
      {"6", 6}, {"20", 20}, {"  12", 12}, {"7abc", 7}, {"abc", 0}, {"", 0}, {"+5", 5}, {"-3", -3}, {"20.9", 20}, {"\t 4 ", 4},
      {"1e1", 1}, {"010", 10}, {"0x1A", 0}, {nullptr, 0}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}};
  for (const auto& c : choice)
    EXPECT_EQ(ComputeIntervalNumber(kIntervalChoice, c.text, 100), c.k) << (c.text ? c.text : "null");
}

// The counts against the comparisons as worded, value by value and interval by interval with
// the bounds min + j w and max - j w formed in extended precision (a value on an inner bound
// counts half in each neighbour): data on a lattice that puts values on inner bounds and one
// last place beside them, a large offset with a spread of a few last places, a spread near the
// smallest normal double, mixed signs and magnitudes.
TEST(ComputeFrequencies, EveryValueCountsAsTheWordedBoundsSay) {
  Data lattice, beside, offset, tiny, mixed;
  for (int i = 0; i < 2100; ++i) {
    lattice.push_back((i % 61) * 0.1);
    const double on = 1 + (i % 41) * (1.0 / 3);
    beside.push_back(i % 3 == 0 ? on : std::nextafter(on, i % 3 == 1 ? 0.0 : 100.0));
    offset.push_back(1e15 + (i % 17) * 0.125);
    tiny.push_back((i % 13) * 2.2250738585072014e-308 * 3);
    mixed.push_back((i % 2 ? -1 : 1) * std::pow(10.0, (i % 29) - 14) * (1 + i % 7));
  }
  for (const Data* data : {&lattice, &beside, &offset, &tiny, &mixed}) {
    const long double low = std::ranges::min(*data), high = std::ranges::max(*data);
    for (int k = 1; k <= kMaxIntervals; ++k) {
      AnalysisResults r;
      ASSERT_EQ(ComputeFrequencies(data->data(), static_cast<int>(data->size()), k, r), 1);
      ASSERT_TRUE(r.minimum == low && r.maximum == high);
      const long double w = r.width;
      for (int j = 0; j < k; ++j) {
        int up = 0, down = 0;
        const int jd = k - 1 - j;  // the down-interval read from the top
        for (double x : *data) {
          up += j * w + low <= x && (j == k - 1 || x < (j + 1) * w + low);
          down += x <= high - jd * w && (jd == k - 1 || high - (jd + 1) * w < x);
        }
        ASSERT_TRUE(r.twiceFrequencies[j] == up + down && r.frequencies[j] == 0.5 * (up + down))
            << "data " << (data - &lattice) << " k=" << k << " j=" << j << ": " << r.twiceFrequencies[j] << " not " << up + down;
      }
    }
  }
}

// k is kept within 1 ... 20, and a record reused with a smaller k holds no counts from slot k on
// (the histogram and the export read k slots, the graph scale reads them all). Equal values are
// reported, and no count of an earlier analysis stays in the record; the entry point stops on
// them before the statistics, with none of an earlier analysis left in the record.
TEST(ComputeFrequencies, KIsKeptInRangeAndNoStaleCountsStay) {
  const double spread[] = {1, 2, 3, 4, 5, 6, 7, 8}, sevens[] = {7, 7, 7, 7};
  AnalysisResults r;
  // Summed over every slot: a count left from an earlier k adds to them.
  auto counts = [&r] {
    return std::pair(std::accumulate(r.twiceFrequencies, r.twiceFrequencies + kMaxIntervals + 1, 0),
                     std::accumulate(r.frequencies, r.frequencies + kMaxIntervals + 1, 0.0));
  };
  for (const auto& [k, kept] : {std::pair{1000, 20}, {0, 1}, {21, 20}, {-4, 1}, {20, 20}, {13, 13}, {2, 2}}) {
    ASSERT_EQ(ComputeFrequencies(spread, 6, k, r), 1);
    EXPECT_EQ(std::tuple(r.intervalCount, counts()), std::tuple(kept, std::pair(12, 6.0))) << "k=" << k;
  }
  for (const Data& data : {Data{7, 7, 7}, Data{-1e300, -1e300}, Data{0.1}}) {
    ASSERT_EQ(ComputeFrequencies(spread, 8, 8, r), 1);
    EXPECT_EQ(ComputeFrequencies(data.data(), static_cast<int>(data.size()), 6, r), 0);
    EXPECT_EQ(std::tuple(r.width, counts()), std::tuple(0.0, std::pair(0, 0.0))) << data[0];
  }
  EXPECT_EQ(ComputeFrequencies(nullptr, 0, 6, r), 0);
  const AnalysisRequest standard{.intervalMode = kIntervalStandard, .intervalText = nullptr, .confidencePercent = 95};
  // ceil(3.3 log10 5) = ceil(2.31)
  EXPECT_TRUE(AnalyzeData(spread, 5, standard, r) == AnalysisOutcome::kDone && r.intervalCount == 3 && r.confidence == 95);
  EXPECT_TRUE(AnalyzeData(sevens, 4, standard, r) == AnalysisOutcome::kAllEqual && r.count == 4 && r.minimum == 7 && r.maximum == 7);
  for (double zero : {r.mean, r.sampleDeviation, r.tValue, r.meanLower, r.meanUpper, r.deviationLower,
                      r.deviationUpper, r.confidence, r.width, r.frequencies[0]})
    EXPECT_EQ(zero, 0.0);
}

}  // namespace
