// Worked values and limits of the tail series and the sigma coefficient. The percentile
// searches are checked against exact values in percentile_reference_test and bit for bit
// against the literal search in fast_search_identity_test.
#include "stats/distributions.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// sigma coefficient: sqrt(n/2) Gamma((n-1)/2) / Gamma(n/2), 0 below two values.
TEST(Distributions, WorkedValues) {
  const struct { long double got; double expected, tolerance; } cases[] = {
      {StudentTUpperTail(1, 1.0), 0.25, 1e-15}, {StudentTUpperTail(1, 3.0), 0.102416382349567, 1e-15},
      {StudentTUpperTail(2, 1.0), 0.211324865405187, 1e-15}, {StudentTUpperTail(10, 0.0), 0.5, 1e-15},
      {StudentTUpperTail(5, -2.0), 0.949030260585071, 1e-15}, {StudentTUpperTail(7, 2.5), 0.0204961092928764, 1e-15},
      {StudentTUpperTail(8, -3.0), 0.991464159383109, 1e-15}, {NormalLowerTail(0.0), 0.5, 0},
      {NormalLowerTail(1e-300), 0.5, 0}, {NormalLowerTail(1.0), 0.841344746068543, 1e-15},
      {NormalLowerTail(-2.0), 0.0227501319481792, 1e-16}, {NormalUpperTail(2.0), 0.0227501319481792, 1e-16},
      {SigmaCoefficient(-5), 0, 0}, {SigmaCoefficient(0), 0, 0}, {SigmaCoefficient(1), 0, 0},
      {SigmaCoefficient(2), 1.7724538509055159, 0}, {SigmaCoefficient(3), 1.381976597885342, 0},
      {SigmaCoefficient(4), 1.2533141373155003, 0}, {SigmaCoefficient(5), 1.189416077435181, 0},
      {SigmaCoefficient(10), 1.083722307939144, 0}, {SigmaCoefficient(1000), 1.0007507820668549, 0}};
  for (const auto& c : cases) EXPECT_NEAR(static_cast<double>(c.got), c.expected, c.tolerance) << "row " << &c - cases;
  // From |x| of about 14.1 the normal series does not settle within its 99 terms and gives its
  // limit; beyond about 38.6 its first term underflows, and the limit still holds.
  for (double x : {15.0, 20.0, 38.0, 38.7, 40.0, 1e3, 1e10, 1e200})
    EXPECT_TRUE(NormalLowerTail(x) == 1.0L && NormalLowerTail(-x) == 0.0L) << x;
}

// The tail is 1 at 0. Beyond x of about 1417 exp(-x/2) is no longer a normal double; the tail
// keeps falling there for every number of degrees of freedom, across that point and far beyond.
TEST(ChiSquareUpperTail, OneAtZeroThenFallsWhereTheExponentialUnderflows) {
  for (int n : {1, 2, 3, 4, 9, 10, 999, 1000, 29998, 29999}) EXPECT_EQ(ChiSquareUpperTail(n, 0.0), 1.0L) << n;
  for (const auto& [degrees, from, to, step] :
       {std::tuple{std::vector<int>{2, 3, 4, 5, 7, 100, 1000, 1417, 1418, 1500, 5000, 29998, 29999}, 1300, 1700, 0.5},
        {{20000, 29998, 29999}, 25000, 40000, 10}}) {
    for (int n : degrees) {
      long double previous = ChiSquareUpperTail(n, from);
      for (double x = from + step; x <= to; x += step) {
        const long double q = ChiSquareUpperTail(n, x);
        // Near 1 the tail may stay level within its noise; below it must fall and stay above 0.
        ASSERT_TRUE(q > 0 && q <= previous * (1 + 1e-14L) && (previous >= 0.999L || q < previous)) << n << " " << x;
        previous = q;
      }
    }
  }
}

}  // namespace
