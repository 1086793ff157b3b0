// The engine's percentile searches (from 20 degrees of freedom: the worded search with every
// outcome predicted from an accurate estimate and checked at the two points next to the
// crossing, by paired tail evaluations; below that, and whenever a check fails, bisection)
// against the literal search (bench/literal_search.cpp), which steps through every whole
// number and every decimal. Both must give the same bits.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "bench/literal_search.h"
#include "stats/distributions.h"
#include "stats/stored_log_walk.h"
#include "tests/test_support.h"

namespace {

constexpr double kProbabilities[] = {0.001, 0.01, 0.025, 0.05, 0.1, 0.5, 0.9, 0.95, 0.975, 0.995};
constexpr int kProbabilityCount = sizeof kProbabilities / sizeof kProbabilities[0];

void ExpectSame(bool chiSquare, int n, double p) {
  const double fast = chiSquare ? ChiSquarePercentile(n, p) : StudentTPercentile(n, p);
  const double literal = chiSquare ? LiteralChiSquarePercentile(n, p) : LiteralStudentTPercentile(n, p);
  EXPECT_EQ(Bits(fast), Bits(literal)) << (chiSquare ? "chi-square" : "t") << " n=" << n << " p=" << p;
}

// Every degree up to 1000 at every probability, for t, and for chi-square, whose literal search
// costs about n^2 / 2 series terms, up to 200; beyond that each degree is run at two of the
// probabilities, taken in turn, which covers all of them. Then samples up to the largest sample
// size, for chi-square across the point (x about 1417) from which the tail series is summed scaled.
TEST(FastSearchIdentity, EveryDegreeUpTo1000SamplesUpTo29999AndTheAnalysisProbabilities) {
  for (int n = 1; n <= 1000; ++n) {
    for (int i = 0; i < kProbabilityCount; ++i) {
      ExpectSame(false, n, kProbabilities[i]);
      if (n <= 200 || i == n % kProbabilityCount || i == (n + kProbabilityCount / 2) % kProbabilityCount)
        ExpectSame(true, n, kProbabilities[i]);
    }
  }
  for (int n : {1, 2, 3, 5, 1500, 5000, 29999})
    for (double p : {0.001, 0.01, 0.025, 0.05, 0.1, 0.5, 0.9, 0.95, 0.975, 0.995, 1e-4, 2e-5}) ExpectSame(false, n, p);
  const struct { int n; double p; } cases[] = {
      {1300, 0.005}, {1350, 0.05}, {1400, 0.5}, {1417, 0.5}, {1418, 0.3}, {1450, 0.95}, {1500, 0.995}, {2000, 0.001},
      {2000, 0.975}, {3001, 0.1}, {5000, 0.05}, {5000, 0.95}, {10000, 0.5}, {15001, 0.025}, {29998, 0.05},
      {29999, 0.005}, {29999, 0.995}};
  for (const auto& [n, p] : cases) ExpectSame(true, n, p);
  // The probabilities the analysis of 3 to 30000 values asks for at the usual confidence
  // probabilities: alpha for t, (1 + P) / 2 and (1 - P) / 2 for chi-square, formed as the
  // statistics form them.
  for (double percent : {50.0, 80.0, 90.0, 95.0, 99.0, 99.9, 99.99}) {
    const long double p = static_cast<double>(static_cast<long double>(percent) * 0.01);
    for (int n : {2, 19, 20, 21, 99, 999, 1999, 9999, 29999}) {
      ExpectSame(false, n, static_cast<double>(1 - p));
      if (n < 9999) ExpectSame(true, n, static_cast<double>((1 + p) * 0.5L));
      if (n < 9999) ExpectSame(true, n, static_cast<double>((1 - p) * 0.5L));
    }
  }
  // Percentiles below the first grid step (few degrees of freedom, probabilities near 1): the
  // search goes on below the grid, and the engine's continuation is the worded one.
  for (int n = 1; n <= 8; ++n)
    for (double tail : {1e-5, 5e-6, 1e-6, 3e-7, 1e-8, 1e-10, 1e-12, 1e-14, 1e-15, 2e-16}) ExpectSame(true, n, 1 - tail);
}

// Random degrees of freedom and probabilities over the whole range the programs reach, with
// probabilities spread evenly and on logarithmic scales towards 0 and 1 (t percentiles near 0,
// chi-square percentiles far in both tails). The literal chi-square search costs n^2 / 2 terms,
// so its random cases stay below 2500 degrees (the fixed cases above reach 29999).
TEST(FastSearchIdentity, RandomDegreesAndProbabilitiesAcrossThePredictedRange) {
  std::mt19937_64 random(20261206);
  for (int i = 0; i < 390; ++i) {
    const bool chiSquare = i >= 240;
    const double u = std::uniform_real_distribution<double>(0, 1)(random), tail = std::pow(10.0, -9 * u);
    const double p = i % 3 == 0 ? tail : i % 3 == 1 ? 1 - tail : u;  // towards 0, towards 1, evenly
    if (p > 0 && p < 1) ExpectSame(chiSquare, 20 + static_cast<int>(random() % (chiSquare ? 2480 : 29980)), p);
  }
}

// The sigma coefficient's logarithms: every value of both walks (from 0.5 and from 1) through
// the whole range where the walk estimates, and past it, against the library logarithm bit for
// bit. This covers every factor of every sample size up to 65536 values. Most values must come
// from the walk itself, not from its fallback to the library.
TEST(StoredLogWalkIdentity, EveryFactorFromBothStartsMatchesTheLibraryLogarithm) {
  for (const double first : {0.5, 1.0}) {
    StoredLogWalk walk(first);
    int steps = 0, mismatches = 0;
    for (double x = first; x <= StoredLogWalk::kEnd + 4; x += 1, ++steps) {
      const double literal = static_cast<double>(std::log(static_cast<long double>(x)));
      if (Bits(walk.Next()) != Bits(literal) && ++mismatches <= 10) ADD_FAILURE() << "first=" << first << " x=" << x;
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_LT(walk.LiteralCount(), steps / 20) << "first=" << first;
  }
}

// The whole coefficient against the one that takes every logarithm from the library: every
// sample size up to 2000, and samples up to the largest and beyond the walk's range.
TEST(StoredLogWalkIdentity, SigmaCoefficientMatchesTheLiteralProducts) {
  std::vector<int> sizes = {4095, 4096, 10000, 10001, 29999, 30000, 30001, 30002,
                            60001, 60002, 65536, 65537, 65538, 65539, 65540, 70001};
  for (int n = -1; n <= 2000; ++n) sizes.push_back(n);
  for (int n : sizes) EXPECT_EQ(Bits(SigmaCoefficient(n)), Bits(LiteralSigmaCoefficient(n))) << "n=" << n;
}

}  // namespace
