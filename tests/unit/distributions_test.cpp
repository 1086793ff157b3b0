// Worked values and limits of the tail series, the step search and the sigma coefficient.
#include "stats/distributions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

struct TailCase {
  int n;
  double x;
  double expected;
};

TEST(StudentTUpperTail, WorkedValues) {
  const TailCase cases[] = {
      {1, 1.0, 0.25},
      {2, 1.0, 0.211324865405187},
      {10, 0.0, 0.5},
      {5, -2.0, 0.949030260585071},
  };
  for (const TailCase& c : cases) {
    EXPECT_NEAR(static_cast<double>(StudentTUpperTail(c.n, c.x)), c.expected, 1e-15)
        << "n=" << c.n << " t=" << c.x;
  }
}

TEST(StudentTUpperTail, OneDegreeIsTheCauchyTailAndNegativeArgumentsLieAboveOneHalf) {
  const double points[] = {0.25, 1.0, 3.0, 40.0};
  for (double t : points) {
    EXPECT_NEAR(static_cast<double>(StudentTUpperTail(1, t)), 0.5 - std::atan(t) / 3.141592653589793, 1e-15);
    EXPECT_NEAR(static_cast<double>(StudentTUpperTail(7, -t) + StudentTUpperTail(7, t)), 1.0, 1e-15);
    EXPECT_GT(StudentTUpperTail(8, -t), 0.5L);
  }
}

struct PercentileCase {
  int n;
  double p;
  double grid;  // the grid value the search ends at, up to accumulated noise
};

TEST(StudentTPercentile, WorkedValuesAreTheTruncatedGridPoints) {
  const PercentileCase cases[] = {
      {9, 0.10, 1.83311}, {1, 0.10, 6.31375}, {1, 0.05, 12.7062},
      {10, 0.05, 2.22813}, {999, 0.05, 1.96234},
  };
  for (const PercentileCase& c : cases) {
    EXPECT_NEAR(StudentTPercentile(c.n, c.p), c.grid, 1e-12) << "n=" << c.n << " p=" << c.p;
  }
  // The noise of the repeated additions, as the search leaves it.
  EXPECT_EQ(StudentTPercentile(9, 0.10), 1.8331100000000007);
}

TEST(ChiSquarePercentile, WorkedValuesAreTheTruncatedGridPoints) {
  const PercentileCase cases[] = {
      {9, 0.95, 3.32511},
      {9, 0.05, 16.91897},  // exact 16.918978: truncated, not rounded
      {1, 0.975, 0.00098},
      // The search ends 1e-14 below the grid point 5.99146 (exact percentile 5.9914645), so
      // that the value, cut to 5 decimals, reads 5.99145.
      {2, 0.05, 5.99146},
  };
  for (const PercentileCase& c : cases) {
    EXPECT_NEAR(ChiSquarePercentile(c.n, c.p), c.grid, 1e-12) << "n=" << c.n << " p=" << c.p;
  }
  EXPECT_EQ(ChiSquarePercentile(2, 0.05), 5.9914599999999902);
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", ChiSquarePercentile(2, 0.05));
  EXPECT_STREQ(text, "5.99145999999999");
}

TEST(ChiSquareUpperTail, TwoDegreesIsTheExponentialAndOneDegreeTheDoubledNormalTail) {
  const double points[] = {0.0, 1e-5, 0.5, 1.0, 3.84, 10.0, 100.0, 500.0, 1400.0};
  for (double x : points) {
    EXPECT_EQ(static_cast<double>(ChiSquareUpperTail(2, x)), static_cast<double>(std::exp(-0.5L * x)))
        << "x=" << x;
    EXPECT_EQ(ChiSquareUpperTail(1, x), 2 * NormalUpperTail(std::sqrt(x))) << "x=" << x;
  }
}

TEST(ChiSquareUpperTail, IsOneAtZeroForEveryDegree) {
  const int degrees[] = {1, 2, 3, 4, 9, 10, 999, 1000, 29998, 29999};
  for (int n : degrees) EXPECT_EQ(ChiSquareUpperTail(n, 0.0), 1.0L) << "n=" << n;
}

// Beyond x of about 1417 exp(-x/2) is no longer a normal double; the tail keeps falling there
// for every number of degrees of freedom, across that point and far beyond it.
TEST(ChiSquareUpperTail, FallsThroughTheRangeWhereTheExponentialUnderflows) {
  const int degrees[] = {2, 3, 4, 5, 7, 100, 1000, 1417, 1418, 1500, 5000, 29998, 29999};
  for (int n : degrees) {
    long double previous = ChiSquareUpperTail(n, 1300.0);
    for (double x = 1300.5; x <= 1700.0; x += 0.5) {
      const long double q = ChiSquareUpperTail(n, x);
      ASSERT_LE(q, previous * (1 + 1e-14L)) << "n=" << n << " x=" << x;  // noise near 1
      if (previous < 0.999L) {
        ASSERT_LT(q, previous) << "n=" << n << " x=" << x;
      }
      ASSERT_GT(q, 0.0L) << "n=" << n << " x=" << x;
      previous = q;
    }
  }
  const int large[] = {20000, 29998, 29999};
  for (int n : large) {
    long double previous = ChiSquareUpperTail(n, 25000.0);
    for (double x = 25010.0; x <= 40000.0; x += 10.0) {
      const long double q = ChiSquareUpperTail(n, x);
      if (previous < 0.999L) {
        ASSERT_LT(q, previous) << "n=" << n << " x=" << x;
      }
      ASSERT_LE(q, previous * (1 + 1e-14L)) << "n=" << n << " x=" << x;  // noise near 1
      ASSERT_GT(q, 0.0L) << "n=" << n << " x=" << x;
      previous = q;
    }
  }
}

TEST(NormalLowerTail, WorkedValues) {
  EXPECT_EQ(NormalLowerTail(0.0), 0.5L);
  EXPECT_NEAR(static_cast<double>(NormalLowerTail(1.0)), 0.841344746068543, 1e-15);
  EXPECT_NEAR(static_cast<double>(NormalLowerTail(-2.0)), 0.0227501319481792, 1e-16);
  EXPECT_EQ(NormalUpperTail(1.0), 1 - NormalLowerTail(1.0));
}

// From |x| of about 14.1 the series does not settle within its 99 terms and gives its limit;
// beyond about 38.6 its first term underflows, and the limit still holds.
TEST(NormalLowerTail, GivesItsLimitsFarOut) {
  const double points[] = {15.0, 20.0, 38.0, 38.7, 40.0, 1e3, 1e10, 1e200};
  for (double x : points) {
    EXPECT_EQ(NormalLowerTail(x), 1.0L) << "x=" << x;
    EXPECT_EQ(NormalLowerTail(-x), 0.0L) << "x=" << x;
    EXPECT_EQ(NormalUpperTail(x), 0.0L) << "x=" << x;
  }
  // Tiny arguments stay at one half.
  EXPECT_EQ(NormalLowerTail(1e-300), 0.5L);
}

TEST(SigmaCoefficient, WorkedValues) {
  const struct {
    int n;
    double expected;
  } cases[] = {
      {-5, 0.0}, {0, 0.0}, {1, 0.0}, {2, 1.7724538509055159}, {3, 1.381976597885342},
      {4, 1.2533141373155003}, {5, 1.189416077435181}, {10, 1.083722307939144},
      {1000, 1.0007507820668549},
  };
  for (const auto& c : cases) EXPECT_EQ(SigmaCoefficient(c.n), c.expected) << "n=" << c.n;
}

TEST(SigmaCoefficient, FallsTowardsOneAsTheSampleGrows) {
  double previous = SigmaCoefficient(2);
  for (int n = 3; n <= 30000; n += (n < 100 ? 1 : 997)) {
    const double c = SigmaCoefficient(n);
    EXPECT_LT(c, previous) << "n=" << n;
    EXPECT_GT(c, 1.0) << "n=" << n;
    previous = c;
  }
}

}  // namespace
