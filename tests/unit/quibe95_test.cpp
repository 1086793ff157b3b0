// The standard-deviation coefficient: worked values, and every sample size against an
// independent log-gamma.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "quibe95/deviation.h"

namespace {

// Every sample size of the combobox shows the six decimals of the exact coefficient K(n), taken
// here from the C library's log-gamma in extended precision. The sums carry a rounding error of
// a few 1e-10 at the largest n; where the exact value lies that close to a rounding boundary of
// the sixth decimal the two texts may differ by one in the last digit (n = 9092: exact
// 1.00002750010, the sums 1.00002749999).
TEST(QuibeCoefficient, WorkedValuesAndEverySampleSizeShowTheExactDecimals) {
  const struct { int n; const char *shown; } cases[] = {{2, "1.253314        "},   {3, "1.128379        "},
                                                       {4, "1.085402        "},   {10, "1.028109        "},
                                                       {100, "1.002528        "}, {10000, "1.000025        "}};
  for (const auto &c : cases) EXPECT_EQ(FormatDeviationCoefficient(DeviationCoefficient(c.n)), c.shown) << c.n;
  EXPECT_EQ(FormatDeviationCoefficient(12345678.5), "12345678.500000 ");
  int ties = 0;
  for (int n = 2; n <= 10000; ++n) {
    const long double half = n / 2.0L, exact = std::sqrt(half - 0.5L) * std::exp(std::lgamma(half - 0.5L) - std::lgamma(half));
    const double value = DeviationCoefficient(n);
    ASSERT_NEAR(static_cast<long double>(value), exact, 1e-9L) << n;
    char shown[64];
    std::snprintf(shown, sizeof shown, "%-16.6f", static_cast<double>(exact));
    if (FormatDeviationCoefficient(value) == shown) continue;
    long double boundary = (std::floor(exact * 1e6L) + 0.5L) / 1e6L;
    EXPECT_LT(std::fabs(exact - boundary), 1e-9L) << n;
    ++ties;
  }
  EXPECT_LE(ties, 2);
}

}  // namespace
