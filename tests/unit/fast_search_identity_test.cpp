// The engine's percentile search finds its whole-number stage by bisection; the literal search
// (bench/literal_search.cpp) steps through every whole number. Both must give the same bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "bench/literal_search.h"
#include "stats/distributions.h"

namespace {

std::uint64_t Bits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

constexpr double kProbabilities[] = {0.001, 0.01, 0.025, 0.05, 0.1,
                                     0.5,   0.9,  0.95,  0.975, 0.995};
constexpr int kProbabilityCount = sizeof kProbabilities / sizeof kProbabilities[0];

void ExpectSameT(int n, double p) {
  EXPECT_EQ(Bits(StudentTPercentile(n, p)), Bits(LiteralStudentTPercentile(n, p)))
      << "t n=" << n << " p=" << p;
}

void ExpectSameChiSquare(int n, double p) {
  EXPECT_EQ(Bits(ChiSquarePercentile(n, p)), Bits(LiteralChiSquarePercentile(n, p)))
      << "chi-square n=" << n << " p=" << p;
}

TEST(FastSearchIdentity, StudentTEveryDegreeUpTo1000) {
  for (int n = 1; n <= 1000; ++n) {
    for (double p : kProbabilities) ExpectSameT(n, p);
  }
}

TEST(FastSearchIdentity, StudentTLargeDegreesAndSmallProbabilities) {
  const int degrees[] = {1, 2, 3, 5, 1500, 5000, 29999};
  const double small[] = {1e-4, 2e-5};
  for (int n : degrees) {
    for (double p : kProbabilities) ExpectSameT(n, p);
    for (double p : small) ExpectSameT(n, p);
  }
}

// The literal chi-square search costs about n^2 / 2 series terms, so beyond 200 degrees each
// degree is run at two of the probabilities, taken in turn, which covers all of them.
TEST(FastSearchIdentity, ChiSquareEveryDegreeUpTo1000) {
  for (int n = 1; n <= 1000; ++n) {
    if (n <= 200) {
      for (double p : kProbabilities) ExpectSameChiSquare(n, p);
    } else {
      ExpectSameChiSquare(n, kProbabilities[n % kProbabilityCount]);
      ExpectSameChiSquare(n, kProbabilities[(n + kProbabilityCount / 2) % kProbabilityCount]);
    }
  }
}

// Samples up to the largest sample size, across the point (x about 1417) from which the tail
// series is summed scaled.
TEST(FastSearchIdentity, ChiSquareSamplesUpTo29999) {
  const struct {
    int n;
    double p;
  } cases[] = {
      {1300, 0.005}, {1350, 0.05}, {1400, 0.5},  {1417, 0.5},   {1418, 0.3},  {1450, 0.95},
      {1500, 0.995}, {2000, 0.001}, {2000, 0.975}, {3001, 0.1},  {5000, 0.05}, {5000, 0.95},
      {10000, 0.5},  {15001, 0.025}, {29998, 0.05}, {29999, 0.005}, {29999, 0.995},
  };
  for (const auto& c : cases) ExpectSameChiSquare(c.n, c.p);
}

}  // namespace
