// Sample statistics and confidence limits, interval numbers and frequency counts.
#include "stats/sample_statistics.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "stats/distributions.h"

namespace {

std::string Shown(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.7g", value);
  return text;
}

// Deterministic normal deviates (64-bit LCG, Box-Muller), the same on every build.
class Deviates {
 public:
  explicit Deviates(std::uint64_t seed) : state_(seed) {}
  double Uniform() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return (static_cast<double>(state_ >> 11) + 0.5) * (1.0 / 9007199254740992.0);
  }
  double Normal() {
    const double u = Uniform();
    const double v = Uniform();
    return std::sqrt(-2 * std::log(u)) * std::cos(6.283185307179586 * v);
  }

 private:
  std::uint64_t state_;
};

std::vector<double> NormalData(int count, double offset, double spread, std::uint64_t seed) {
  Deviates deviates(seed);
  std::vector<double> data(count);
  for (double& x : data) x = offset + spread * deviates.Normal();
  return data;
}

// The expanded one-pass form of the sum of squared deviations, as the statistics were once
// computed: sum(x^2) - 2 sum(x) m + N m^2 in extended precision.
double ExpandedFormDeviation(const std::vector<double>& data) {
  const int n = static_cast<int>(data.size());
  double sumX = 0;
  double sumSquares = 0;
  for (double x : data) {
    sumX = static_cast<double>(static_cast<long double>(sumX) + x);
    sumSquares = static_cast<double>(sumSquares + static_cast<long double>(x) * x);
  }
  const double m = static_cast<double>(static_cast<long double>(sumX) / n);
  const long double numerator = sumSquares - 2 * static_cast<long double>(sumX) * m +
                                static_cast<long double>(n) * m * m;
  return static_cast<double>(std::sqrt(numerator / (n - 1)));
}

// The sample deviation computed from the data less an offset that they share: the differences
// are exact, so no digit is lost to the offset.
double ShiftedDeviation(const std::vector<double>& data, double offset) {
  long double sum = 0;
  for (double x : data) sum += x - offset;
  const long double mean = sum / data.size();
  long double squares = 0;
  for (double x : data) squares += ((x - offset) - mean) * ((x - offset) - mean);
  return static_cast<double>(std::sqrt(squares / (data.size() - 1)));
}

void ExpectNoNaN(const AnalysisResults& r) {
  const double fields[] = {r.mean,          r.unbiasedMean,    r.sampleDeviation, r.factorR,
                           r.unbiasedDeviation, r.tValue,      r.meanLower,       r.meanUpper,
                           r.chiSquareSmall, r.chiSquareLarge, r.deviationLower, r.deviationUpper};
  for (double value : fields) EXPECT_FALSE(std::isnan(value));
}

TEST(ComputeSampleStatistics, WorkedExampleOneToFive) {
  const double data[] = {1, 2, 3, 4, 5};
  AnalysisResults r;
  ComputeSampleStatistics(data, 5, 90, r);
  EXPECT_EQ(r.count, 5);
  EXPECT_EQ(r.confidence, 90);
  const struct {
    const char* name;
    double value;
    const char* shown;
  } cases[] = {
      {"m", r.mean, "3"},
      {"unbiased mean", r.unbiasedMean, "3"},
      {"s", r.sampleDeviation, "1.581139"},
      {"r", r.factorR, "0.8944272"},
      {"sigma hat", r.unbiasedDeviation, "1.682088"},
      {"t", r.tValue, "2.13184"},
      {"mean lower", r.meanLower, "1.492561"},
      {"mean upper", r.meanUpper, "4.507439"},
      {"chi-square small", r.chiSquareSmall, "0.71072"},
      {"chi-square large", r.chiSquareLarge, "9.48772"},
      {"deviation lower", r.deviationLower, "1.026642"},
      {"deviation upper", r.deviationUpper, "3.751032"},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(c.value), c.shown) << c.name;
}

TEST(ComputeSampleStatistics, ThreeValuesAreEnough) {
  const double data[] = {2, 4, 9};
  AnalysisResults r;
  ComputeSampleStatistics(data, 3, 95, r);
  EXPECT_EQ(r.count, 3);
  EXPECT_EQ(r.tValue, StudentTPercentile(2, static_cast<double>(1 - static_cast<long double>(0.95))));
  EXPECT_LT(r.meanLower, r.mean);
  EXPECT_GT(r.meanUpper, r.mean);
  EXPECT_LT(r.deviationLower, r.sampleDeviation);
  EXPECT_GT(r.deviationUpper, r.sampleDeviation);
  ExpectNoNaN(r);
}

// Equal values leave no spread: every limit collapses, and nothing is NaN (the equal-values
// message is the caller's).
TEST(ComputeSampleStatistics, EqualValuesGiveZeroSpreadAndNoNaN) {
  const double confidences[] = {50, 90, 99.9999};
  // Values whose mean is exact: no spread at all.
  const std::vector<std::vector<double>> exact = {
      {7, 7, 7}, {1e8 + 0.5, 1e8 + 0.5, 1e8 + 0.5, 1e8 + 0.5}, {-2.5, -2.5, -2.5}};
  for (const auto& data : exact) {
    for (double confidence : confidences) {
      AnalysisResults r;
      ComputeSampleStatistics(data.data(), static_cast<int>(data.size()), confidence, r);
      ExpectNoNaN(r);
      EXPECT_EQ(r.sampleDeviation, 0.0);
      EXPECT_EQ(r.unbiasedDeviation, 0.0);
      EXPECT_EQ(r.meanLower, data[0]);
      EXPECT_EQ(r.meanUpper, data[0]);
      EXPECT_EQ(r.deviationLower, 0.0);
      EXPECT_EQ(r.deviationUpper, 0.0);
    }
  }
  // 0.1 three times: the rounded mean differs from the values in the last digit.
  const double tenths[] = {0.1, 0.1, 0.1};
  for (double confidence : confidences) {
    AnalysisResults r;
    ComputeSampleStatistics(tenths, 3, confidence, r);
    ExpectNoNaN(r);
    EXPECT_LT(r.sampleDeviation, 1e-16);
  }
}

// For data without a large common offset the deviation is the one the expanded form gives,
// to 12 digits and better.
TEST(ComputeSampleStatistics, OrdinaryDataAgreeWithTheExpandedForm) {
  struct Case {
    const char* name;
    std::vector<double> data;
  };
  std::vector<Case> cases = {
      {"one to five", {1, 2, 3, 4, 5}},
      {"three values", {2, 4, 9}},
      {"mixed signs", {-3.5, 12.25, 0.001, -7, 1e3, 42}},
      {"normal 10, 2", NormalData(1000, 10, 2, 1)},
      {"normal 0, 1e-3", NormalData(500, 0, 1e-3, 2)},
      {"normal -50, 30", NormalData(30000, -50, 30, 3)},
      {"normal 100, 10", NormalData(999, 100, 10, 4)},
  };
  for (const Case& c : cases) {
    AnalysisResults r;
    ComputeSampleStatistics(c.data.data(), static_cast<int>(c.data.size()), 90, r);
    const double old = ExpandedFormDeviation(c.data);
    EXPECT_NEAR(r.sampleDeviation, old, 1e-12 * old) << c.name;
  }
}

// Data that share a large offset: the expanded form cancels its digits away; the deviation
// must match the one computed from the data less the offset.
TEST(ComputeSampleStatistics, LargeCommonOffsetKeepsTheDeviation) {
  struct Case {
    const char* name;
    double offset;
    std::vector<double> data;
  };
  std::vector<double> nearMillion(1000);
  for (int i = 0; i < 1000; ++i) nearMillion[i] = 1000000.123 + 0.001 * (i % 7);
  std::vector<Case> cases = {
      {"1e7 + N(0, 0.5)", 1e7, NormalData(1000, 1e7, 0.5, 11)},
      {"1e8 + N(0, 0.5)", 1e8, NormalData(1000, 1e8, 0.5, 12)},
      {"1e9 + N(0, 10), 30000 values", 1e9, NormalData(30000, 1e9, 10, 13)},
      {"1000000.123 + steps of 0.001", 1000000.0, nearMillion},
  };
  for (const Case& c : cases) {
    AnalysisResults r;
    const int n = static_cast<int>(c.data.size());
    ComputeSampleStatistics(c.data.data(), n, 95, r);
    const double reference = ShiftedDeviation(c.data, c.offset);
    EXPECT_NEAR(r.sampleDeviation, reference, 1e-9 * reference) << c.name;
    // The expanded form is far off (or its sum negative) on the same data.
    EXPECT_FALSE(std::fabs(ExpandedFormDeviation(c.data) - reference) < 1e-3 * reference)
        << c.name;
    const double sr = r.sampleDeviation * r.factorR;
    EXPECT_NEAR(r.deviationUpper, std::sqrt(n / r.chiSquareSmall) * sr, 1e-12 * sr) << c.name;
    EXPECT_NEAR(r.deviationLower, std::sqrt(n / r.chiSquareLarge) * sr, 1e-12 * sr) << c.name;
    ExpectNoNaN(r);
  }
}

TEST(ComputeSampleStatistics, LargeSampleUsesTheWholeRangeOfTheChiSquareSearch) {
  const std::vector<double> data = NormalData(30000, 5, 2, 21);
  AnalysisResults r;
  ComputeSampleStatistics(data.data(), 30000, 99, r);
  // Quantiles of chi-square with 29999 degrees of freedom at 0.995 and 0.005.
  EXPECT_NEAR(r.chiSquareSmall, 29371.82076, 1.1e-5);
  EXPECT_NEAR(r.chiSquareLarge, 30633.69237, 1.1e-5);
  EXPECT_LT(r.deviationLower, r.sampleDeviation);
  EXPECT_GT(r.deviationUpper, r.sampleDeviation);
  ExpectNoNaN(r);
}

TEST(ComputeIntervalNumber, StandardRule) {
  const struct {
    int count;
    int k;
  } cases[] = {{3, 2}, {10, 4}, {31, 5}, {100, 7}, {999, 10}, {1000, 10}, {1001, 10}, {30000, 15}};
  for (const auto& c : cases) {
    EXPECT_EQ(ComputeIntervalNumber(kIntervalStandard, "6", c.count), c.k) << "N=" << c.count;
  }
}

TEST(ComputeIntervalNumber, ChoiceReadsTheTextLeniently) {
  const struct {
    const char* text;
    int k;
  } cases[] = {{"6", 6},   {"20", 20},    {"  12", 12}, {"7abc", 7},  {"abc", 0},
               {"", 0},    {"+5", 5},     {"-3", -3},   {"20.9", 20}, {"\t 4 ", 4},
               {"1e1", 1}, {"99999999999", INT_MAX},     {"-99999999999", INT_MIN}};
  for (const auto& c : cases) {
    EXPECT_EQ(ComputeIntervalNumber(kIntervalChoice, c.text, 100), c.k) << '"' << c.text << '"';
  }
  EXPECT_EQ(ComputeIntervalNumber(kIntervalChoice, nullptr, 100), 0);
}

int SumOfTwice(const AnalysisResults& r) {
  int sum = 0;
  for (int j = 0; j < r.intervalCount; ++j) sum += r.twiceFrequencies[j];
  return sum;
}

double SumOfHalves(const AnalysisResults& r) {
  double sum = 0;
  for (int j = 0; j < r.intervalCount; ++j) sum += r.frequencies[j];
  return sum;
}

TEST(ComputeFrequencies, ValuesOnInnerBoundariesCountHalfInEachNeighbour) {
  const struct {
    std::vector<double> data;
    int k;
    std::vector<int> twice;
  } cases[] = {
      {{0, 1, 2, 3, 4}, 4, {3, 2, 2, 3}},
      {{0, 1, 2, 3, 4}, 2, {5, 5}},
      {{0, 0.5, 1, 1, 4}, 4, {6, 2, 0, 2}},  // 1 lies on the first inner boundary: half each side
      {{-2, -2, 6}, 1, {6}},
      {{10, 20, 30, 40}, 3, {3, 2, 3}},
  };
  for (const auto& c : cases) {
    AnalysisResults r;
    const int n = static_cast<int>(c.data.size());
    ASSERT_EQ(ComputeFrequencies(c.data.data(), n, c.k, r), 1);
    EXPECT_EQ(r.intervalCount, c.k);
    for (int j = 0; j < c.k; ++j) {
      EXPECT_EQ(r.twiceFrequencies[j], c.twice[j]) << "k=" << c.k << " j=" << j;
      EXPECT_EQ(r.frequencies[j], c.twice[j] * 0.5) << "k=" << c.k << " j=" << j;
    }
    EXPECT_EQ(SumOfTwice(r), 2 * n);
  }
}

TEST(ComputeFrequencies, MinMaxWidthAndTheTwoConventionsSumToTheCount) {
  const std::vector<double> data = NormalData(30000, 3, 1.5, 31);
  for (int k = 1; k <= kMaxIntervals; ++k) {
    AnalysisResults r;
    ASSERT_EQ(ComputeFrequencies(data.data(), 30000, k, r), 1);
    double low = data[0], high = data[0];
    for (double x : data) low = std::fmin(low, x), high = std::fmax(high, x);
    EXPECT_EQ(r.minimum, low);
    EXPECT_EQ(r.maximum, high);
    EXPECT_EQ(r.width, (high - low) / k);
    EXPECT_EQ(SumOfTwice(r), 60000) << "k=" << k;
    EXPECT_EQ(SumOfHalves(r), 30000.0) << "k=" << k;
    for (int j = k; j <= kMaxIntervals; ++j) EXPECT_EQ(r.twiceFrequencies[j], 0);
  }
  // Data on a lattice put many values exactly on inner boundaries.
  std::vector<double> lattice;
  for (int i = 0; i < 1008; ++i) lattice.push_back(i % 21);
  for (int k = 1; k <= kMaxIntervals; ++k) {
    AnalysisResults r;
    ASSERT_EQ(ComputeFrequencies(lattice.data(), 1008, k, r), 1);
    EXPECT_EQ(SumOfTwice(r), 2016) << "k=" << k;
    EXPECT_EQ(SumOfHalves(r), 1008.0) << "k=" << k;
    for (int j = 0; j < k; ++j) {  // symmetric data read alike from both ends
      EXPECT_EQ(r.twiceFrequencies[j], r.twiceFrequencies[k - 1 - j]) << "k=" << k;
    }
  }
}

TEST(ComputeFrequencies, EqualValuesAreReported) {
  const std::vector<std::vector<double>> sets = {{7, 7, 7}, {-1e300, -1e300}, {0.1}};
  for (const auto& data : sets) {
    AnalysisResults r;
    r.twiceFrequencies[0] = 99;
    EXPECT_EQ(ComputeFrequencies(data.data(), static_cast<int>(data.size()), 6, r), 0);
    EXPECT_EQ(r.width, 0.0);
    EXPECT_EQ(r.twiceFrequencies[0], 99);
  }
  AnalysisResults r;
  EXPECT_EQ(ComputeFrequencies(nullptr, 0, 6, r), 0);
}

TEST(ComputeFrequencies, IntervalNumberOutsideItsRangeIsKeptWithinIt) {
  const double data[] = {1, 2, 3, 4, 5, 6};
  const struct {
    int k;
    int kept;
  } cases[] = {{0, 1}, {-4, 1}, {21, kMaxIntervals}, {1000, kMaxIntervals}};
  for (const auto& c : cases) {
    AnalysisResults r;
    ASSERT_EQ(ComputeFrequencies(data, 6, c.k, r), 1);
    EXPECT_EQ(r.intervalCount, c.kept);
    EXPECT_EQ(SumOfTwice(r), 12);
  }
}

}  // namespace
