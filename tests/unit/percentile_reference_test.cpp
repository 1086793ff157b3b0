// The percentiles and far chi-square tails against exact values (tests/data/percentiles.txt,
// written by tools/make_percentile_table.cpp with 50-digit arithmetic).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "stats/distributions.h"

namespace {

// The rows of the table: "t" or "chi", the degrees of freedom, the probability and the exact
// percentile; "chisf", the degrees of freedom, x and ln P(X > x).
//
// A search result is the largest grid point below the exact percentile: the exact value lies in
// (x, x + 0.00001], up to the noise the repeated additions leave on a grid point. The rows
// include the largest sample (29999 degrees of freedom), where the chi-square search runs far
// beyond the point at which exp(-x/2) underflows.
//
// The upper tail far out lies below the range of doubles: it is compared by its logarithm (and
// is 0 where it is below the range of long double as well). For one degree of freedom the
// normal routine's limit 0 holds out there (the exact tail is below the smallest normal double).
TEST(PercentileReference, PercentilesAndFarChiSquareTailsAgainstExactValues) {
  constexpr double kNoise = 1e-9, kGrid = 0.00001, kLogSmallestExtended = -11390;  // ln 3.6e-4951, with a margin
  std::FILE* file = std::fopen(SUITE_TEST_DATA_DIR "/percentiles.txt", "r");
  ASSERT_NE(file, nullptr);
  char line[256], kind[16], argument[64], value[64];
  int df = 0, percentiles = 0, tails = 0;
  while (std::fgets(line, sizeof line, file) != nullptr) {
    if (std::sscanf(line, "%15s %d %63s %63s", kind, &df, argument, value) != 4 || kind[0] == '#') continue;
    const double a = std::strtod(argument, nullptr), exact = std::strtod(value, nullptr);
    if (std::string(kind) == "chisf") {
      ++tails;
      const long double q = ChiSquareUpperTail(df, a);
      const bool zero = df == 1 || exact < kLogSmallestExtended;
      EXPECT_TRUE(zero ? q == 0 : q > 0 && std::fabs(std::log(q) - exact) <= 1e-11 * std::fmax(1.0, std::fabs(exact)))
          << line << "ln " << std::log(q);
    } else {
      ++percentiles;
      const double x = kind[0] == 't' ? StudentTPercentile(df, a) : ChiSquarePercentile(df, a);
      EXPECT_TRUE(x > exact - kGrid - kNoise && x <= exact + kNoise) << line << x;
    }
  }
  std::fclose(file);
  EXPECT_EQ(std::pair(percentiles, tails), std::pair(2918, 192));
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

// A percentile below the first grid step (0.00001) would come out as 0, and the upper limit
// of sigma, sqrt(N / a) s r, as infinity. The search goes on below the grid: the result is a
// point above 0 below the exact percentile, within a relative 1e-5 of it (so the limit is
// within 5e-6 of the exact one). The probabilities are those the statistics ask for
// at N = 3 to 8 and P from 99.999 % up. Beyond P of about 99.9999999 % the tail near 1, a
// double, resolves the lower tail only to its last place (1.1e-16), which then bounds the
// digits of x. The exact percentile, the x with lower tail 1 - p, by bisection on a logarithmic scale.
TEST(PercentileReference, ChiSquarePercentilesBelowTheFirstGridStepStayAboveZero) {
  int belowGrid = 0;
  for (int n = 2; n <= 7; ++n) {
    for (double percent : {99.999, 99.9999, 99.99999, 99.999999, 99.9999999, 99.99999999, 99.9999999999, 99.99999999999}) {
      const long double pp = static_cast<double>(static_cast<long double>(percent) * 0.01);
      const long double p = static_cast<double>((1 + pp) * 0.5L);
      long double low = 1e-40L, high = 1;
      for (int i = 0; i < 200; ++i) {
        const long double middle = std::sqrt(low * high);
        (ChiSquareLowerTailNearZero(n, middle) < 1 - p ? low : high) = middle;
      }
      const double exact = static_cast<double>(std::sqrt(low * high)), x = ChiSquarePercentile(n, static_cast<double>(p));
      ASSERT_GT(x, 0.0) << "n=" << n << " P=" << percent;
      if (exact >= 1e-5) continue;  // on the grid: covered by the table above
      ++belowGrid;
      // Two last places of the tail near 1, in x: the lower tail grows as x^(n/2).
      const double resolution = 4.5e-16 / (0.5 * n * static_cast<double>(1 - p));
      const double tolerance = resolution > 1e-6 ? 1e-5 + resolution : 1e-5;
      EXPECT_TRUE(x <= exact * (1 + resolution) && x > exact * (1 - tolerance)) << "n=" << n << " P=" << percent << ": " << x;
    }
  }
  EXPECT_EQ(belowGrid, 14);
}

}  // namespace
