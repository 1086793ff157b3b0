// Sample statistics, confidence limits, interval number and frequencies of one data set.
// Arithmetic runs in long double between the values that are stored as doubles.
#include "stats/sample_statistics.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <limits>

#include "stats/distributions.h"

namespace {

using Extended = long double;
// The squared deviations of doubles, and their sum over any count of values, stay far inside
// the range of the extended type (x87: exponents to 16383).
static_assert(std::numeric_limits<Extended>::max_exponent > 2 * std::numeric_limits<double>::max_exponent + 64);

inline double Store(Extended value) { return static_cast<double>(value); }

// The up- and down-counts as worded: for each interval, every value compared with the bounds
// formed afresh in extended precision.
void CountIntervalByInterval(const double* data, int count, int k, double minimum, double maximum,
                             Extended width, int* up, int* down) {
  for (int j = 0; j < k; ++j) {
    const Extended upLow = static_cast<Extended>(j) * width + minimum;
    const Extended upHigh = static_cast<Extended>(j + 1) * width + minimum;
    const Extended downLow = maximum - static_cast<Extended>(j + 1) * width;
    const Extended downHigh = maximum - static_cast<Extended>(j) * width;
    const bool last = j == k - 1;
    for (int i = 0; i < count; ++i) {
      const double x = data[i];
      if (last ? (upLow <= x && x <= maximum) : (upLow <= x && x < upHigh)) ++up[j];
      if (last ? (minimum <= x && x <= downHigh) : (downLow < x && x <= downHigh)) ++down[j];
    }
  }
}

// The smallest double not below v, and the largest not above it: for a double x,
// x >= v exactly when x >= CeilToDouble(v), and x <= v exactly when x <= FloorToDouble(v).
double CeilToDouble(Extended v) {
  double d = Store(v);
  if (static_cast<Extended>(d) < v) d = std::nextafter(d, HUGE_VAL);
  return d;
}
double FloorToDouble(Extended v) {
  double d = Store(v);
  if (static_cast<Extended>(d) > v) d = std::nextafter(d, -HUGE_VAL);
  return d;
}

// The same counts in one pass. The bounds min + j w and max - j w, formed in extended precision
// as above, become double thresholds with the same outcome of every comparison (CeilToDouble,
// FloorToDouble); they rise (fall) with j, so each value lies in the up-interval of the
// largest j whose lower threshold it reaches, and in the down-interval of the largest j whose
// upper threshold it does not pass. A first guess from (x - min) / w, moved to the thresholds,
// finds both. A NaN value counts nowhere, as in the comparisons above.
void CountByBounds(const double* data, int count, int k, double minimum, double maximum,
                   double width, int* up, int* down) {
  double upFrom[kMaxIntervals];    // x is in up-interval j or above when x >= upFrom[j]
  double downFrom[kMaxIntervals];  // x is in down-interval j or further down when x <= downFrom[j]
  for (int j = 0; j < k; ++j) {
    upFrom[j] = CeilToDouble(static_cast<Extended>(j) * width + minimum);
    downFrom[j] = FloorToDouble(maximum - static_cast<Extended>(j) * width);
  }
  const double perWidth = 1 / width;
  const int last = k - 1;
  for (int i = 0; i < count; ++i) {
    const double x = data[i];
    if (x != x) continue;
    const double fromBottom = (x - minimum) * perWidth;
    int u = fromBottom >= 0 ? (fromBottom < last ? static_cast<int>(fromBottom) : last) : 0;
    while (u < last && x >= upFrom[u + 1]) ++u;
    while (u > 0 && x < upFrom[u]) --u;
    const double fromTop = (maximum - x) * perWidth;
    int d = fromTop >= 0 ? (fromTop < last ? static_cast<int>(fromTop) : last) : 0;
    while (d < last && x <= downFrom[d + 1]) ++d;
    while (d > 0 && x > downFrom[d]) --d;
    ++up[u];
    ++down[d];
  }
}

// The mean where the running sum of the values leaves the range of a double: the same running
// sum of the values times 2^-e, with 2^e > 2N, so that no running sum can leave the range
// (|sum| <= N * DBL_MAX), and the quotient scaled back in extended precision. A power of two
// scales exactly, so each addition rounds as the plain one would with no upper limit to the
// exponent, as long as no scaled value or running sum falls below the normal range (2^-1022),
// whose last bits then go.
double ScaledMean(const double* data, int n) {
  const int e = std::ilogb(n) + 2;
  double scaledSum = 0;
  for (int i = 0; i < n; ++i) scaledSum = Store(static_cast<Extended>(scaledSum) + std::ldexp(data[i], -e));
  return Store(std::ldexp(static_cast<Extended>(scaledSum) / n, e));
}

}  // namespace

void ComputeSampleStatistics(const double* data, int count, double confidencePercent,
                             AnalysisResults& results) {
  ComputeSampleStatisticsWith(data, count, confidencePercent, results, {StudentTPercentile, ChiSquarePercentile});
}

void ComputeSampleStatisticsWith(const double* data, int count, double confidencePercent,
                                 AnalysisResults& results, const PercentileSearches& searches) {
  const int n = count;
  double sumX = 0;
  for (int i = 0; i < n; ++i) sumX = Store(static_cast<Extended>(sumX) + data[i]);
  const double mean = std::isfinite(sumX) ? Store(static_cast<Extended>(sumX) / n) : ScaledMean(data, n);

  // The sum of squared deviations from the mean, by a second pass in extended precision: the
  // expanded form sum(x^2) - 2 m sum(x) + N m^2 cancels every digit when the values share a
  // large offset. A sum that is not positive (all values equal) counts as zero.
  Extended squares = 0;
  for (int i = 0; i < n; ++i) {
    const Extended deviation = static_cast<Extended>(data[i]) - mean;
    squares += deviation * deviation;
  }
  if (!(squares > 0)) squares = 0;
  const double s = Store(std::sqrt(squares / (n - 1)));
  const double r = Store(std::sqrt(static_cast<Extended>(n - 1) / n));
  const double sigmaHat = Store(static_cast<Extended>(SigmaCoefficient(n)) * s * r);

  const double p = Store(static_cast<Extended>(confidencePercent) * 0.01);
  const double alpha = Store(1 - static_cast<Extended>(p));
  const double t = searches.studentT(n - 1, alpha);

  const Extended halfWidth = static_cast<Extended>(t) * s * r / std::sqrt(static_cast<Extended>(n - 1));
  const double meanUpper = Store(mean + halfWidth);
  const double meanLower = Store(mean - halfWidth);

  const double small = searches.chiSquare(n - 1, Store((1 + static_cast<Extended>(p)) * 0.5L));
  const double large = searches.chiSquare(n - 1, Store((1 - static_cast<Extended>(p)) * 0.5L));
  const Extended deviationN = static_cast<Extended>(s) * r;  // the deviation with divisor N
  double deviationUpper = 0;
  double deviationLower = 0;
  if (deviationN > 0) {  // with no spread both limits are 0, whatever the quantiles
    deviationUpper = Store(std::sqrt(n / static_cast<Extended>(small)) * deviationN);
    deviationLower = Store(std::sqrt(n / static_cast<Extended>(large)) * deviationN);
  }

  results.count = n;
  results.mean = mean;
  results.unbiasedMean = mean;
  results.sampleDeviation = s;
  results.factorR = r;
  results.unbiasedDeviation = sigmaHat;
  results.confidence = confidencePercent;
  results.tValue = t;
  results.meanLower = meanLower;
  results.meanUpper = meanUpper;
  results.chiSquareSmall = small;
  results.chiSquareLarge = large;
  results.deviationLower = deviationLower;
  results.deviationUpper = deviationUpper;
}

int ResultsWithinRange(const AnalysisResults& r) {
  for (double value : {r.mean, r.unbiasedMean, r.sampleDeviation, r.unbiasedDeviation, r.meanLower, r.meanUpper,
                       r.deviationLower, r.deviationUpper, r.minimum, r.maximum, r.width}) {
    if (!std::isfinite(value)) return 0;
  }
  return 1;
}

int ComputeIntervalNumber(int mode, const char* intervalText, int count) {
  if (mode == kIntervalStandard) {
    if (count < 1) return 0;
    const double ceiling = Store(std::ceil(static_cast<Extended>(3.3) * std::log10(static_cast<Extended>(count))));
    return static_cast<int>(ceiling);
  }
  // The integer value of the text, read leniently: leading blanks skipped, an optional sign,
  // the digits up to the first other character; no digits give 0.
  if (intervalText == nullptr) return 0;
  const long value = std::strtol(intervalText, nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int ComputeFrequencies(const double* data, int count, int k, AnalysisResults& results) {
  if (count < 1) return 0;
  if (k < 1) k = 1;
  if (k > kMaxIntervals) k = kMaxIntervals;

  double minimum = data[0];
  double maximum = data[0];
  for (int i = 0; i < count; ++i) {
    if (minimum > data[i]) minimum = data[i];
    if (maximum < data[i]) maximum = data[i];
  }
  const Extended span = static_cast<Extended>(maximum) - minimum;
  const double width = Store(span / k);
  results.intervalCount = k;
  results.minimum = minimum;
  results.maximum = maximum;
  results.width = width;
  if (!(minimum < maximum)) {
    for (int j = 0; j <= kMaxIntervals; ++j) {
      results.twiceFrequencies[j] = 0;
      results.frequencies[j] = 0;
    }
    return 0;
  }

  int up[kMaxIntervals] = {};    // counted from the bottom: [min + j w, min + (j + 1) w)
  int down[kMaxIntervals] = {};  // counted from the top: (max - (j + 1) w, max - j w]
  if (std::isfinite(minimum) && std::isfinite(maximum) && std::isfinite(width) && width > 0) {
    CountByBounds(data, count, k, minimum, maximum, width, up, down);
  } else {
    // A width beyond the range of a double, or below its smallest step: the values are
    // counted with the width as extended precision holds it.
    CountIntervalByInterval(data, count, k, minimum, maximum, span / k, up, down);
  }
  for (int j = 0; j < k; ++j) {
    const int twice = up[j] + down[k - 1 - j];
    results.twiceFrequencies[j] = twice;
    results.frequencies[j] = twice * 0.5;
  }
  for (int j = k; j <= kMaxIntervals; ++j) {
    results.twiceFrequencies[j] = 0;
    results.frequencies[j] = 0;
  }
  return 1;
}
