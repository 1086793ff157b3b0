// Worked values and limits of the tail series, the step search and the sigma coefficient.
#include "stats/distributions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(StudentTUpperTail, WorkedValuesCauchyTailAndSymmetry) {
  const double cases[][3] = {  // n, t, tail
      {1, 1.0, 0.25}, {2, 1.0, 0.211324865405187}, {10, 0.0, 0.5}, {5, -2.0, 0.949030260585071}};
  for (const auto& c : cases) {
    EXPECT_NEAR(static_cast<double>(StudentTUpperTail(static_cast<int>(c[0]), c[1])), c[2], 1e-15)
        << "n=" << c[0] << " t=" << c[1];
  }
  for (double t : {0.25, 1.0, 3.0, 40.0}) {
    const double cauchy = 0.5 - std::atan(t) / 3.141592653589793;
    EXPECT_NEAR(static_cast<double>(StudentTUpperTail(1, t)), cauchy, 1e-15);
    EXPECT_NEAR(static_cast<double>(StudentTUpperTail(7, -t) + StudentTUpperTail(7, t)), 1, 1e-15);
    EXPECT_GT(StudentTUpperTail(8, -t), 0.5L);
  }
}

// The searches end on the grid point below the exact percentile, up to the noise of the
// repeated additions.
TEST(Percentiles, WorkedValuesAreTheTruncatedGridPoints) {
  const double t[][3] = {  // n, p, grid value
      {9, 0.10, 1.83311}, {1, 0.10, 6.31375}, {1, 0.05, 12.7062}, {10, 0.05, 2.22813},
      {999, 0.05, 1.96234}};
  for (const auto& c : t) {
    EXPECT_NEAR(StudentTPercentile(static_cast<int>(c[0]), c[1]), c[2], 1e-12)
        << "n=" << c[0] << " p=" << c[1];
  }
  // 16.91897: exact 16.918978, truncated, not rounded. 5.99146: the search ends 1e-14 below
  // it (exact 5.9914645), so that the value cut to 5 decimals reads 5.99145.
  const double chi[][3] = {
      {9, 0.95, 3.32511}, {9, 0.05, 16.91897}, {1, 0.975, 0.00098}, {2, 0.05, 5.99146}};
  for (const auto& c : chi) {
    EXPECT_NEAR(ChiSquarePercentile(static_cast<int>(c[0]), c[1]), c[2], 1e-12)
        << "n=" << c[0] << " p=" << c[1];
  }
  EXPECT_EQ(StudentTPercentile(9, 0.10), 1.8331100000000007);
  EXPECT_EQ(ChiSquarePercentile(2, 0.05), 5.9914599999999902);
}

TEST(ChiSquareUpperTail, ExponentialNormalAndOneAtZero) {
  for (double x : {0.0, 1e-5, 0.5, 1.0, 3.84, 10.0, 100.0, 500.0, 1400.0}) {
    const double exponential = static_cast<double>(std::exp(-0.5L * x));
    EXPECT_EQ(static_cast<double>(ChiSquareUpperTail(2, x)), exponential) << "x=" << x;
    EXPECT_EQ(ChiSquareUpperTail(1, x), 2 * NormalUpperTail(std::sqrt(x))) << "x=" << x;
  }
  for (int n : {1, 2, 3, 4, 9, 10, 999, 1000, 29998, 29999})
    EXPECT_EQ(ChiSquareUpperTail(n, 0.0), 1.0L) << "n=" << n;
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
  EXPECT_EQ(NormalUpperTail(1.0), 1 - NormalLowerTail(1.0));
  for (double x : {15.0, 20.0, 38.0, 38.7, 40.0, 1e3, 1e10, 1e200}) {
    EXPECT_EQ(NormalLowerTail(x), 1.0L) << "x=" << x;
    EXPECT_EQ(NormalLowerTail(-x), 0.0L) << "x=" << x;
    EXPECT_EQ(NormalUpperTail(x), 0.0L) << "x=" << x;
  }
}

TEST(SigmaCoefficient, WorkedValuesAndFallTowardsOne) {
  const struct { int n; double expected; } cases[] = {
      {-5, 0.0}, {0, 0.0}, {1, 0.0}, {2, 1.7724538509055159}, {3, 1.381976597885342},
      {4, 1.2533141373155003}, {5, 1.189416077435181}, {10, 1.083722307939144},
      {1000, 1.0007507820668549}};
  for (const auto& c : cases) EXPECT_EQ(SigmaCoefficient(c.n), c.expected) << "n=" << c.n;
  double previous = SigmaCoefficient(2);
  for (int n = 3; n <= 30000; n += (n < 100 ? 1 : 997)) {
    const double c = SigmaCoefficient(n);
    EXPECT_TRUE(c < previous && c > 1.0) << "n=" << n;
    previous = c;
  }
}

}  // namespace
