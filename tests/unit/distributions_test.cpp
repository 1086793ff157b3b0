// Worked values and limits of the tail series, the step search and the sigma coefficient.
#include "stats/distributions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(StudentTUpperTail, WorkedValues) {
  const double cases[][3] = {  // n, t, tail
      {1, 1.0, 0.25}, {1, 3.0, 0.102416382349567}, {2, 1.0, 0.211324865405187}, {10, 0.0, 0.5},
      {5, -2.0, 0.949030260585071}, {7, 2.5, 0.0204961092928764}, {8, -3.0, 0.991464159383109}};
  for (const auto& [n, t, tail] : cases)
    EXPECT_NEAR(static_cast<double>(StudentTUpperTail(static_cast<int>(n), t)), tail, 1e-15) << n << " " << t;
}

// The searches end on the grid point below the exact percentile, up to the noise of the
// repeated additions: 16.91897 is the exact 16.918978 cut, not rounded; 5.99146 is reached
// 1e-14 below (exact 5.9914645), so that the value cut to 5 decimals reads 5.99145.
TEST(Percentiles, WorkedValuesAreTheTruncatedGridPoints) {
  const double t[][3] = {  // n, p, grid value
      {9, 0.10, 1.83311}, {1, 0.10, 6.31375}, {1, 0.05, 12.7062}, {10, 0.05, 2.22813}, {999, 0.05, 1.96234}};
  for (const auto& [n, p, value] : t) EXPECT_NEAR(StudentTPercentile(static_cast<int>(n), p), value, 1e-12) << n << " " << p;
  const double chi[][3] = {{9, 0.95, 3.32511}, {9, 0.05, 16.91897}, {1, 0.975, 0.00098}, {2, 0.05, 5.99146}};
  for (const auto& [n, p, value] : chi) EXPECT_NEAR(ChiSquarePercentile(static_cast<int>(n), p), value, 1e-12) << n << " " << p;
  EXPECT_EQ(StudentTPercentile(9, 0.10), 1.8331100000000007);
  EXPECT_EQ(ChiSquarePercentile(2, 0.05), 5.9914599999999902);
}

TEST(ChiSquareUpperTail, OneAtZero) {
  for (int n : {1, 2, 3, 4, 9, 10, 999, 1000, 29998, 29999}) EXPECT_EQ(ChiSquareUpperTail(n, 0.0), 1.0L) << n;
}

// Beyond x of about 1417 exp(-x/2) is no longer a normal double; the tail keeps falling there
// for every number of degrees of freedom, across that point and far beyond it.
TEST(ChiSquareUpperTail, FallsThroughTheRangeWhereTheExponentialUnderflows) {
  const struct { std::vector<int> degrees; double from, to, step; } ranges[] = {
      {{2, 3, 4, 5, 7, 100, 1000, 1417, 1418, 1500, 5000, 29998, 29999}, 1300, 1700, 0.5},
      {{20000, 29998, 29999}, 25000, 40000, 10}};
  for (const auto& range : ranges) {
    for (int n : range.degrees) {
      long double previous = ChiSquareUpperTail(n, range.from);
      for (double x = range.from + range.step; x <= range.to; x += range.step) {
        const long double q = ChiSquareUpperTail(n, x);
        ASSERT_LE(q, previous * (1 + 1e-14L)) << "n=" << n << " x=" << x;  // noise near 1
        ASSERT_TRUE(previous >= 0.999L || q < previous) << "n=" << n << " x=" << x;
        ASSERT_GT(q, 0.0L) << "n=" << n << " x=" << x;
        previous = q;
      }
    }
  }
}

// From |x| of about 14.1 the series does not settle within its 99 terms and gives its limit;
// beyond about 38.6 its first term underflows, and the limit still holds.
TEST(NormalLowerTail, WorkedValuesAndLimitsFarOut) {
  EXPECT_EQ(NormalLowerTail(0.0), 0.5L);
  EXPECT_EQ(NormalLowerTail(1e-300), 0.5L);
  EXPECT_NEAR(static_cast<double>(NormalLowerTail(1.0)), 0.841344746068543, 1e-15);
  EXPECT_NEAR(static_cast<double>(NormalLowerTail(-2.0)), 0.0227501319481792, 1e-16);
  EXPECT_NEAR(static_cast<double>(NormalUpperTail(2.0)), 0.0227501319481792, 1e-16);
  for (double x : {15.0, 20.0, 38.0, 38.7, 40.0, 1e3, 1e10, 1e200}) {
    EXPECT_EQ(NormalLowerTail(x), 1.0L) << x;
    EXPECT_EQ(NormalLowerTail(-x), 0.0L) << x;
  }
}

// sqrt(n/2) Gamma((n-1)/2) / Gamma(n/2), 0 below two values.
TEST(SigmaCoefficient, WorkedValues) {
  const struct { int n; double expected; } cases[] = {
      {-5, 0.0}, {0, 0.0}, {1, 0.0}, {2, 1.7724538509055159}, {3, 1.381976597885342}, {4, 1.2533141373155003},
      {5, 1.189416077435181}, {10, 1.083722307939144}, {1000, 1.0007507820668549}};
  for (const auto& c : cases) EXPECT_EQ(SigmaCoefficient(c.n), c.expected) << "n=" << c.n;
}

}  // namespace
