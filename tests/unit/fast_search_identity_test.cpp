// The engine's percentile search finds its whole-number stage by bisection; the literal search
// (bench/literal_search.cpp) steps through every whole number. Both must give the same bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "bench/literal_search.h"
#include "stats/distributions.h"

namespace {

constexpr double kProbabilities[] = {0.001, 0.01, 0.025, 0.05, 0.1,
                                     0.5,   0.9,  0.95,  0.975, 0.995};
constexpr int kProbabilityCount = sizeof kProbabilities / sizeof kProbabilities[0];

void ExpectSame(bool chiSquare, int n, double p) {
  const double fast = chiSquare ? ChiSquarePercentile(n, p) : StudentTPercentile(n, p);
  const double literal =
      chiSquare ? LiteralChiSquarePercentile(n, p) : LiteralStudentTPercentile(n, p);
  std::uint64_t bits[2];
  std::memcpy(&bits[0], &fast, sizeof fast);
  std::memcpy(&bits[1], &literal, sizeof literal);
  EXPECT_EQ(bits[0], bits[1]) << (chiSquare ? "chi-square" : "t") << " n=" << n << " p=" << p;
}

TEST(FastSearchIdentity, StudentTEveryDegreeUpTo1000AndLargeDegrees) {
  for (int n = 1; n <= 1000; ++n) {
    for (double p : kProbabilities) ExpectSame(false, n, p);
  }
  for (int n : {1, 2, 3, 5, 1500, 5000, 29999}) {
    for (double p : kProbabilities) ExpectSame(false, n, p);
    for (double p : {1e-4, 2e-5}) ExpectSame(false, n, p);
  }
}

// The literal chi-square search costs about n^2 / 2 series terms, so beyond 200 degrees each
// degree is run at two of the probabilities, taken in turn, which covers all of them. Then
// samples up to the largest sample size, across the point (x about 1417) from which the tail
// series is summed scaled.
TEST(FastSearchIdentity, ChiSquareEveryDegreeUpTo1000AndSamplesUpTo29999) {
  for (int n = 1; n <= 1000; ++n) {
    if (n <= 200) {
      for (double p : kProbabilities) ExpectSame(true, n, p);
    } else {
      ExpectSame(true, n, kProbabilities[n % kProbabilityCount]);
      ExpectSame(true, n, kProbabilities[(n + kProbabilityCount / 2) % kProbabilityCount]);
    }
  }
  const struct { int n; double p; } cases[] = {
      {1300, 0.005}, {1350, 0.05},  {1400, 0.5},    {1417, 0.5},    {1418, 0.3},   {1450, 0.95},
      {1500, 0.995}, {2000, 0.001}, {2000, 0.975},  {3001, 0.1},    {5000, 0.05},  {5000, 0.95},
      {10000, 0.5},  {15001, 0.025}, {29998, 0.05}, {29999, 0.005}, {29999, 0.995}};
  for (const auto& c : cases) ExpectSame(true, c.n, c.p);
}

}  // namespace
