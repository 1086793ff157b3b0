// The percentiles and far chi-square tails against exact values (tests/data/percentiles.txt,
// written by tools/make_percentile_table.cpp with 50-digit arithmetic).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "stats/distributions.h"

namespace {

struct Reference {
  std::string kind;  // "t", "chi" or "chisf"
  int df;
  double argument;   // the probability, or x for "chisf"
  double value;      // the exact percentile, or ln P(X > x) for "chisf"
};

const std::vector<Reference>& Table() {
  static const std::vector<Reference> table = [] {
    std::vector<Reference> rows;
    std::FILE* file = std::fopen(SUITE_TEST_DATA_DIR "/percentiles.txt", "r");
    char line[256], kind[16], argument[64], value[64];
    int df = 0;
    while (file != nullptr && std::fgets(line, sizeof line, file) != nullptr) {
      if (std::sscanf(line, "%15s %d %63s %63s", kind, &df, argument, value) == 4 && kind[0] != '#')
        rows.push_back({kind, df, std::strtod(argument, nullptr), std::strtod(value, nullptr)});
    }
    if (file != nullptr) std::fclose(file);
    return rows;
  }();
  return table;
}

// The search result is the largest grid point below the exact percentile: the exact value
// lies in (x, x + 0.00001], up to the noise the repeated additions leave on a grid point.
// The rows include the largest sample (29999 degrees of freedom), where the chi-square
// search runs far beyond the point at which exp(-x/2) underflows.
TEST(PercentileReference, TruncatedPercentilesLieWithinOneGridStepBelowTheExactValue) {
  constexpr double kNoise = 1e-9, kGrid = 0.00001;
  int count = 0;
  for (const Reference& r : Table()) {
    if (r.kind != "t" && r.kind != "chi") continue;
    ++count;
    const double x = r.kind == "t" ? StudentTPercentile(r.df, r.argument) : ChiSquarePercentile(r.df, r.argument);
    EXPECT_TRUE(x > r.value - kGrid - kNoise && x <= r.value + kNoise)
        << r.kind << " df=" << r.df << " p=" << r.argument << ": " << x << ", exact " << r.value;
  }
  EXPECT_EQ(count, 2918);
}

// The upper tail far out, where its value lies below the range of doubles: compared by its
// logarithm (and 0 where it is below the range of long double as well). For one degree of
// freedom the normal routine's limit 0 holds out there (the exact tail is below the smallest
// normal double).
TEST(PercentileReference, ChiSquareTailBeyondTheExponentialRange) {
  constexpr double kLogSmallestExtended = -11390;  // ln 3.6e-4951, with a margin
  int count = 0;
  for (const Reference& r : Table()) {
    if (r.kind != "chisf") continue;
    ++count;
    const long double q = ChiSquareUpperTail(r.df, r.argument);
    if (r.df == 1 || r.value < kLogSmallestExtended) {
      EXPECT_EQ(q, 0.0L) << "df=" << r.df << " x=" << r.argument;
    } else {
      ASSERT_GT(q, 0.0L) << "df=" << r.df << " x=" << r.argument;
      EXPECT_NEAR(static_cast<double>(std::log(q)), r.value, 1e-11 * std::fmax(1.0, std::fabs(r.value)))
          << "df=" << r.df << " x=" << r.argument;
    }
  }
  EXPECT_GT(count, 100);
}

// The lower tail P(X <= x) of chi-square with n degrees of freedom near 0, by the series of
// the lower incomplete gamma function (Abramowitz and Stegun 6.5.29):
// (x/2)^a e^(-x/2) / Gamma(a + 1) * (1 + y/(a+1) + y^2/((a+1)(a+2)) + ...), a = n/2, y = x/2.
// Accurate where the engine's upper tail is a number near 1.
long double ChiSquareLowerTailNearZero(int n, long double x) {
  const long double a = 0.5L * n, y = 0.5L * x;
  long double term = 1, sum = 1;
  for (int j = 1; j < 200 && term > 1e-22L * sum; ++j) {
    term *= y / (a + j);
    sum += term;
  }
  return std::exp(a * std::log(y) - y - std::lgamma(a + 1)) * sum;
}

// The exact percentile with upper tail p near 1: the x with lower tail 1 - p, by bisection on
// a logarithmic scale.
double ExactSmallPercentile(int n, double p) {
  const long double lower = 1 - static_cast<long double>(p);
  long double low = 1e-40L, high = 1;
  for (int i = 0; i < 200; ++i) {
    const long double middle = std::sqrt(low * high);
    (ChiSquareLowerTailNearZero(n, middle) < lower ? low : high) = middle;
  }
  return static_cast<double>(std::sqrt(low * high));
}

// A percentile below the first grid step (0.00001) would come out as 0, and the upper limit
// of sigma, sqrt(N / a) s r, as infinity. The search goes on below the grid: the result is a
// point above 0 below the exact percentile, within a relative 1e-5 of it (so the limit is
// within 5e-6 of the exact one). The probabilities are those the statistics ask for
// at N = 3 to 8 and P from 99.999 % up. Beyond P of about 99.9999999 % the tail near 1, a
// double, resolves the lower tail only to its last place (1.1e-16), which then bounds the
// digits of x.
TEST(PercentileReference, ChiSquarePercentilesBelowTheFirstGridStepStayAboveZero) {
  int belowGrid = 0;
  for (int count = 3; count <= 8; ++count) {
    const int n = count - 1;
    for (double percent : {99.999, 99.9999, 99.99999, 99.999999, 99.9999999, 99.99999999,
                           99.9999999999, 99.99999999999}) {
      const double pp = static_cast<double>(static_cast<long double>(percent) * 0.01);
      const double p = static_cast<double>((1 + static_cast<long double>(pp)) * 0.5L);
      const double exact = ExactSmallPercentile(n, p);
      const double x = ChiSquarePercentile(n, p);
      ASSERT_GT(x, 0.0) << "n=" << n << " P=" << percent;
      if (exact >= 1e-5) continue;  // on the grid: covered by the table above
      ++belowGrid;
      // Two last places of the tail near 1, in x: the lower tail grows as x^(n/2).
      const double resolution = 4.5e-16 / (0.5 * n * static_cast<double>(1 - static_cast<long double>(p)));
      const double tolerance = resolution > 1e-6 ? 1e-5 + resolution : 1e-5;
      EXPECT_LE(x, exact * (1 + resolution)) << "n=" << n << " P=" << percent;
      EXPECT_GT(x, exact * (1 - tolerance)) << "n=" << n << " P=" << percent;
    }
  }
  EXPECT_EQ(belowGrid, 14);
}

}  // namespace
