// Sample statistics and confidence limits, interval numbers and frequency counts.
#include "stats/sample_statistics.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "stats/analysis.h"
#include "stats/distributions.h"

namespace {

std::string Shown(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.7g", value);
  return text;
}

// Deterministic normal deviates (64-bit LCG, Box-Muller), the same on every build.
std::vector<double> NormalData(int count, double offset, double spread, std::uint64_t state) {
  auto uniform = [&state] {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (static_cast<double>(state >> 11) + 0.5) * (1.0 / 9007199254740992.0);
  };
  std::vector<double> data(count);
  for (double& x : data) {
    const double u = uniform();
    const double normal = std::sqrt(-2 * std::log(u)) * std::cos(6.283185307179586 * uniform());
    x = offset + spread * normal;
  }
  return data;
}

// The sample deviation of the data less an offset they share, two-pass in extended precision.
double ShiftedDeviation(const std::vector<double>& data, double offset) {
  long double sum = 0, squares = 0;
  for (double x : data) sum += x - offset;
  const long double mean = sum / data.size();
  for (double x : data) squares += ((x - offset) - mean) * ((x - offset) - mean);
  return static_cast<double>(std::sqrt(squares / (data.size() - 1)));
}

// The sample deviation by the expanded one-pass form the statistics once used:
// sum(x^2) - 2 sum(x) m + N m^2 in extended precision over running double sums.
double ExpandedFormDeviation(const std::vector<double>& data) {
  double sum = 0, squares = 0;
  for (double x : data) {
    sum = static_cast<double>(static_cast<long double>(sum) + x);
    squares = static_cast<double>(static_cast<long double>(squares) + static_cast<long double>(x) * x);
  }
  const double n = static_cast<double>(data.size());
  const double mean = static_cast<double>(static_cast<long double>(sum) / n);
  const long double spread =
      static_cast<long double>(squares) - 2.0L * sum * mean + n * static_cast<long double>(mean) * mean;
  return static_cast<double>(std::sqrt(spread / (n - 1)));
}

AnalysisResults Analyse(const std::vector<double>& data, double confidence) {
  AnalysisResults r;
  ComputeSampleStatistics(data.data(), static_cast<int>(data.size()), confidence, r);
  for (double value : {r.mean, r.unbiasedMean, r.sampleDeviation, r.factorR, r.unbiasedDeviation,
                       r.tValue, r.meanLower, r.meanUpper, r.chiSquareSmall, r.chiSquareLarge,
                       r.deviationLower, r.deviationUpper})
    EXPECT_FALSE(std::isnan(value));
  return r;
}

TEST(ComputeSampleStatistics, WorkedExampleOneToFive) {
  const AnalysisResults r = Analyse({1, 2, 3, 4, 5}, 90);
  EXPECT_EQ(r.count, 5);
  EXPECT_EQ(r.confidence, 90);
  const double values[] = {r.mean, r.unbiasedMean, r.sampleDeviation, r.factorR,
                           r.unbiasedDeviation, r.tValue, r.meanLower, r.meanUpper,
                           r.chiSquareSmall, r.chiSquareLarge, r.deviationLower, r.deviationUpper};
  const char* shown[] = {"3", "3", "1.581139", "0.8944272", "1.682088", "2.13184", "1.492561",
                         "4.507439", "0.71072", "9.48772", "1.026642", "3.751032"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(Shown(values[i]), shown[i]) << i;
}

TEST(ComputeSampleStatistics, ThreeValuesAreEnough) {
  const AnalysisResults r = Analyse({2, 4, 9}, 95);
  EXPECT_EQ(r.count, 3);
  const long double confidence = 0.95;  // the double 0.95, widened
  EXPECT_EQ(r.tValue, StudentTPercentile(2, static_cast<double>(1 - confidence)));
  EXPECT_TRUE(r.meanLower < r.mean && r.mean < r.meanUpper);
  EXPECT_TRUE(r.deviationLower < r.sampleDeviation && r.sampleDeviation < r.deviationUpper);
}

// Equal values leave no spread: every limit collapses, and nothing is NaN (the equal-values
// message is the caller's).
TEST(ComputeSampleStatistics, EqualValuesGiveZeroSpreadAndNoNaN) {
  const std::vector<std::vector<double>> sets = {
      {7, 7, 7}, {1e8 + 0.5, 1e8 + 0.5, 1e8 + 0.5, 1e8 + 0.5}, {-2.5, -2.5, -2.5}};
  for (double confidence : {50.0, 90.0, 99.9999}) {
    for (const auto& data : sets) {
      const AnalysisResults r = Analyse(data, confidence);
      EXPECT_EQ(r.sampleDeviation, 0.0);
      EXPECT_EQ(r.unbiasedDeviation, 0.0);
      EXPECT_EQ(r.meanLower, data[0]);
      EXPECT_EQ(r.meanUpper, data[0]);
      EXPECT_EQ(r.deviationLower, 0.0);
      EXPECT_EQ(r.deviationUpper, 0.0);
    }
    // 0.1 three times: the rounded mean differs from the values in the last digit.
    EXPECT_LT(Analyse({0.1, 0.1, 0.1}, confidence).sampleDeviation, 1e-16);
  }
}

// The deviation against a two-pass reference, also where the data share a large offset that
// the expanded one-pass form cancels away; the sigma limits follow from it.
TEST(ComputeSampleStatistics, DeviationKeepsItsDigitsAtLargeOffsets) {
  std::vector<double> nearMillion(1000);
  for (int i = 0; i < 1000; ++i) nearMillion[i] = 1000000.123 + 0.001 * (i % 7);
  const struct { const char* name; double offset, tolerance; std::vector<double> data; } cases[] = {
      {"one to five", 0, 1e-12, {1, 2, 3, 4, 5}},
      {"mixed signs", 0, 1e-12, {-3.5, 12.25, 0.001, -7, 1e3, 42}},
      {"normal 0, 1e-3", 0, 1e-12, NormalData(500, 0, 1e-3, 2)},
      {"normal -50, 30", 0, 1e-12, NormalData(30000, -50, 30, 3)},
      {"1e7 + N(0, 0.5)", 1e7, 1e-9, NormalData(1000, 1e7, 0.5, 11)},
      {"1e8 + N(0, 0.5)", 1e8, 1e-9, NormalData(1000, 1e8, 0.5, 12)},
      {"1e9 + N(0, 10), 30000 values", 1e9, 1e-9, NormalData(30000, 1e9, 10, 13)},
      {"1000000.123 + steps of 0.001", 1e6, 1e-9, nearMillion},
  };
  for (const auto& c : cases) {
    const AnalysisResults r = Analyse(c.data, 95);
    const double reference = ShiftedDeviation(c.data, c.offset);
    EXPECT_NEAR(r.sampleDeviation, reference, c.tolerance * reference) << c.name;
    // Without a large offset the old expanded form was right, and the deviation agrees with it.
    if (c.offset == 0) {
      EXPECT_NEAR(r.sampleDeviation, ExpandedFormDeviation(c.data), 1e-12 * reference) << c.name;
    }
    const double sr = r.sampleDeviation * r.factorR;
    const double n = static_cast<double>(c.data.size());
    EXPECT_NEAR(r.deviationUpper, std::sqrt(n / r.chiSquareSmall) * sr, 1e-12 * sr) << c.name;
    EXPECT_NEAR(r.deviationLower, std::sqrt(n / r.chiSquareLarge) * sr, 1e-12 * sr) << c.name;
  }
}

TEST(ComputeSampleStatistics, LargeSampleUsesTheWholeRangeOfTheChiSquareSearch) {
  const AnalysisResults r = Analyse(NormalData(30000, 5, 2, 21), 99);
  // Quantiles of chi-square with 29999 degrees of freedom at 0.995 and 0.005.
  EXPECT_NEAR(r.chiSquareSmall, 29371.82076, 1.1e-5);
  EXPECT_NEAR(r.chiSquareLarge, 30633.69237, 1.1e-5);
  EXPECT_TRUE(r.deviationLower < r.sampleDeviation && r.sampleDeviation < r.deviationUpper);
}

TEST(ComputeIntervalNumber, StandardRuleAndLenientChoiceText) {
  const int standard[][2] = {{3, 2},   {10, 4},   {31, 5},    {100, 7},
                             {999, 10}, {1000, 10}, {1001, 10}, {30000, 15}};
  for (const auto& c : standard)
    EXPECT_EQ(ComputeIntervalNumber(kIntervalStandard, "6", c[0]), c[1]) << "N=" << c[0];
  const struct { const char* text; int k; } choice[] = {
      {"6", 6},   {"20", 20},   {"  12", 12}, {"7abc", 7},   {"abc", 0}, {"", 0},   {"+5", 5},
      {"-3", -3}, {"20.9", 20}, {"\t 4 ", 4}, {"1e1", 1}, {nullptr, 0},
      {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}};
  for (const auto& c : choice)
    EXPECT_EQ(ComputeIntervalNumber(kIntervalChoice, c.text, 100), c.k) << (c.text ? c.text : "");
}

int SumOfTwice(const AnalysisResults& r) {
  int sum = 0;
  for (int j = 0; j < r.intervalCount; ++j) sum += r.twiceFrequencies[j];
  return sum;
}

TEST(ComputeFrequencies, ValuesOnInnerBoundariesCountHalfInEachNeighbour) {
  const struct { std::vector<double> data; int k; std::vector<int> twice; } cases[] = {
      {{0, 1, 2, 3, 4}, 4, {3, 2, 2, 3}}, {{0, 1, 2, 3, 4}, 2, {5, 5}},
      {{0, 0.5, 1, 1, 4}, 4, {6, 2, 0, 2}}, {{-2, -2, 6}, 1, {6}}, {{10, 20, 30, 40}, 3, {3, 2, 3}},
  };
  for (const auto& c : cases) {
    AnalysisResults r;
    ASSERT_EQ(ComputeFrequencies(c.data.data(), static_cast<int>(c.data.size()), c.k, r), 1);
    ASSERT_EQ(r.intervalCount, c.k);
    for (int j = 0; j < c.k; ++j) {
      EXPECT_EQ(r.twiceFrequencies[j], c.twice[j]) << "k=" << c.k << " j=" << j;
      EXPECT_EQ(r.frequencies[j], c.twice[j] * 0.5) << "k=" << c.k << " j=" << j;
    }
  }
  // A k outside 1 ... 20 is kept within it.
  const double six[] = {1, 2, 3, 4, 5, 6};
  const int clamped[][2] = {{0, 1}, {-4, 1}, {21, kMaxIntervals}, {1000, kMaxIntervals}};
  for (const auto& c : clamped) {
    AnalysisResults r;
    ASSERT_EQ(ComputeFrequencies(six, 6, c[0], r), 1);
    EXPECT_EQ(r.intervalCount, c[1]);
    EXPECT_EQ(SumOfTwice(r), 12);
  }
}

// Every k on normal data and on a lattice that puts many values on inner boundaries: the
// up-count and the down-count each hold every value once.
TEST(ComputeFrequencies, MinMaxWidthAndTheTwoConventionsSumToTheCount) {
  std::vector<double> lattice;
  for (int i = 0; i < 1008; ++i) lattice.push_back(i % 21);
  for (const std::vector<double>& data : {NormalData(30000, 3, 1.5, 31), lattice}) {
    const int n = static_cast<int>(data.size());
    double low = data[0], high = data[0];
    for (double x : data) low = std::fmin(low, x), high = std::fmax(high, x);
    for (int k = 1; k <= kMaxIntervals; ++k) {
      AnalysisResults r;
      ASSERT_EQ(ComputeFrequencies(data.data(), n, k, r), 1);
      EXPECT_EQ(r.minimum, low);
      EXPECT_EQ(r.maximum, high);
      EXPECT_EQ(r.width, static_cast<double>((static_cast<long double>(high) - low) / k));
      EXPECT_EQ(SumOfTwice(r), 2 * n) << "k=" << k;
      double halves = 0;
      for (int j = 0; j < k; ++j) halves += r.frequencies[j];
      EXPECT_EQ(halves, n) << "k=" << k;
      for (int j = k; j <= kMaxIntervals; ++j) EXPECT_EQ(r.twiceFrequencies[j], 0);
      if (n == 1008) {  // symmetric data read alike from both ends
        for (int j = 0; j < k; ++j)
          EXPECT_EQ(r.twiceFrequencies[j], r.twiceFrequencies[k - 1 - j]) << "k=" << k;
      }
    }
  }
}

// The counts against the comparisons as worded, value by value and interval by interval with
// the bounds min + j w and max - j w formed in extended precision: data on a lattice that puts
// values on inner bounds and one last place beside them, a large offset with a spread of a few
// last places, a spread near the smallest normal double, mixed signs and magnitudes.
TEST(ComputeFrequencies, EveryValueCountsAsTheWordedBoundsSay) {
  std::vector<double> lattice, beside, offset, tiny, mixed;
  for (int i = 0; i < 2100; ++i) {
    lattice.push_back((i % 61) * 0.1);
    const double on = 1 + (i % 41) * (1.0 / 3);
    beside.push_back(i % 3 == 0 ? on : std::nextafter(on, i % 3 == 1 ? 0.0 : 100.0));
    offset.push_back(1e15 + (i % 17) * 0.125);
    tiny.push_back((i % 13) * 2.2250738585072014e-308 * 3);
    mixed.push_back((i % 2 ? -1 : 1) * std::pow(10.0, (i % 29) - 14) * (1 + i % 7));
  }
  for (const std::vector<double>* data : {&lattice, &beside, &offset, &tiny, &mixed}) {
    const int n = static_cast<int>(data->size());
    for (int k = 1; k <= kMaxIntervals; ++k) {
      AnalysisResults r;
      ASSERT_EQ(ComputeFrequencies(data->data(), n, k, r), 1);
      const long double low = r.minimum, high = r.maximum, w = r.width;
      for (int j = 0; j < k; ++j) {
        int up = 0, down = 0;
        const int jd = k - 1 - j;  // the down-interval read from the top
        for (double x : *data) {
          if (j == k - 1 ? (j * w + low <= x) : (j * w + low <= x && x < (j + 1) * w + low)) ++up;
          if (jd == k - 1 ? (x <= high - jd * w)
                          : (high - (jd + 1) * w < x && x <= high - jd * w))
            ++down;
        }
        ASSERT_EQ(r.twiceFrequencies[j], up + down) << "data " << (data - &lattice) << " k=" << k
                                                     << " j=" << j;
      }
    }
  }
}

// Equal values are reported, and no count of an earlier analysis stays in the record.
TEST(ComputeFrequencies, EqualValuesAreReportedAndLeaveNoStaleCounts) {
  for (const auto& data : std::vector<std::vector<double>>{{7, 7, 7}, {-1e300, -1e300}, {0.1}}) {
    AnalysisResults r;
    const double spread[] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(ComputeFrequencies(spread, 8, 8, r), 1);
    EXPECT_EQ(ComputeFrequencies(data.data(), static_cast<int>(data.size()), 6, r), 0);
    EXPECT_EQ(r.width, 0.0);
    for (int j = 0; j <= kMaxIntervals; ++j) {
      EXPECT_EQ(r.twiceFrequencies[j], 0) << j;
      EXPECT_EQ(r.frequencies[j], 0.0) << j;
    }
  }
  AnalysisResults r;
  EXPECT_EQ(ComputeFrequencies(nullptr, 0, 6, r), 0);
}

// One results record reused for analyses with fewer intervals: the counts of the earlier,
// larger k must not survive in the slots from the new k on (the histogram and the export
// read only k slots, the graph scale reads them all).
TEST(AnalyzeData, ARecordReusedWithASmallerIntervalNumberHoldsNoStaleSlots) {
  const std::vector<double> data = NormalData(1000, 10, 2, 41);
  AnalysisResults r;
  const struct { const char* text; int k; } runs[] = {{"20", 20}, {"13", 13}, {"4", 4}, {"2", 2}};
  for (const auto& run : runs) {
    AnalysisRequest request;
    request.intervalText = run.text;
    ASSERT_EQ(AnalyzeData(data.data(), 1000, request, r), AnalysisOutcome::kDone);
    ASSERT_EQ(r.intervalCount, run.k);
    int sum = 0;
    for (int j = 0; j < run.k; ++j) sum += r.twiceFrequencies[j];
    EXPECT_EQ(sum, 2000) << "k=" << run.k;
    for (int j = run.k; j <= kMaxIntervals; ++j) {
      EXPECT_EQ(r.twiceFrequencies[j], 0) << "k=" << run.k << " j=" << j;
      EXPECT_EQ(r.frequencies[j], 0.0) << "k=" << run.k << " j=" << j;
    }
  }
}

// The entry point runs the three steps of korvan00 in its order: the worked example through
// it, Standard and Choice interval numbers, and equal values that stop before the statistics
// and leave none of an earlier analysis behind.
TEST(AnalyzeData, WorkedExampleIntervalModesAndEqualValues) {
  const double five[] = {1, 2, 3, 4, 5};
  AnalysisResults r;
  AnalysisRequest request;  // Choice with "6", 90 %: the default conditions
  ASSERT_EQ(AnalyzeData(five, 5, request, r), AnalysisOutcome::kDone);
  EXPECT_EQ(r.intervalCount, 6);
  EXPECT_EQ(Shown(r.deviationLower), "1.026642");
  EXPECT_EQ(Shown(r.deviationUpper), "3.751032");
  EXPECT_EQ(Shown(r.meanLower), "1.492561");
  const double halves[] = {1, 1, 0.5, 0.5, 1, 1};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(r.frequencies[j], halves[j]) << j;

  request.intervalMode = kIntervalStandard;
  request.intervalText = nullptr;
  request.confidencePercent = 95;
  ASSERT_EQ(AnalyzeData(five, 5, request, r), AnalysisOutcome::kDone);
  EXPECT_EQ(r.intervalCount, 3);  // ceil(3.3 log10 5) = ceil(2.31)
  EXPECT_EQ(r.confidence, 95);

  const double sevens[] = {7, 7, 7, 7};
  EXPECT_EQ(AnalyzeData(sevens, 4, request, r), AnalysisOutcome::kAllEqual);
  EXPECT_EQ(r.count, 4);
  EXPECT_EQ(r.minimum, 7);
  EXPECT_EQ(r.maximum, 7);
  EXPECT_EQ(r.width, 0.0);
  for (double value : {r.mean, r.sampleDeviation, r.tValue, r.meanLower, r.meanUpper,
                       r.deviationLower, r.deviationUpper, r.confidence})
    EXPECT_EQ(value, 0.0);
  for (int j = 0; j <= kMaxIntervals; ++j) EXPECT_EQ(r.twiceFrequencies[j], 0) << j;
}

}  // namespace
