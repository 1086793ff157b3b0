// The percentiles and far chi-square tails against exact values (tests/data/percentiles.txt,
// written by tools/make_percentile_table.cpp with 50-digit arithmetic).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

std::vector<Reference> ReadTable() {
  std::vector<Reference> table;
  std::FILE* file = std::fopen(SUITE_TEST_DATA_DIR "/percentiles.txt", "r");
  if (file == nullptr) return table;
  char line[256];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    if (line[0] == '#' || line[0] == '\n' || line[0] == '\r') continue;
    char kind[16] = {};
    int df = 0;
    char argument[64] = {};
    char value[64] = {};
    if (std::sscanf(line, "%15s %d %63s %63s", kind, &df, argument, value) != 4) continue;
    table.push_back({kind, df, std::strtod(argument, nullptr), std::strtod(value, nullptr)});
  }
  std::fclose(file);
  return table;
}

const std::vector<Reference>& Table() {
  static const std::vector<Reference> table = ReadTable();
  return table;
}

// Allowance for the noise that the repeated additions of the search leave on a grid point.
constexpr double kNoise = 1e-9;
constexpr double kGrid = 0.00001;
// ln of the smallest positive long double (about 3.6e-4951), with a margin.
constexpr double kLogSmallestExtended = -11390;

// The search result is the largest grid point below the exact percentile: the exact value
// lies in (x, x + 0.00001].
TEST(PercentileReference, TruncatedPercentilesLieWithinOneGridStepBelowTheExactValue) {
  int tCount = 0;
  int chiCount = 0;
  for (const Reference& r : Table()) {
    double x;
    if (r.kind == "t") {
      x = StudentTPercentile(r.df, r.argument);
      ++tCount;
    } else if (r.kind == "chi") {
      x = ChiSquarePercentile(r.df, r.argument);
      ++chiCount;
    } else {
      continue;
    }
    EXPECT_GT(x, r.value - kGrid - kNoise) << r.kind << " df=" << r.df << " p=" << r.argument;
    EXPECT_LE(x, r.value + kNoise) << r.kind << " df=" << r.df << " p=" << r.argument;
  }
  EXPECT_GT(tCount, 1000);
  EXPECT_GT(chiCount, 1000);
}

// The chi-square percentiles of the largest sample, where the search runs far beyond the
// point at which exp(-x/2) underflows.
TEST(PercentileReference, ChiSquareAtTheLargestDegreesOfFreedom) {
  const double probabilities[] = {0.005, 0.025, 0.05, 0.5, 0.95, 0.975, 0.995};
  for (double p : probabilities) {
    bool found = false;
    for (const Reference& r : Table()) {
      if (r.kind != "chi" || r.df != 29999 || r.argument != p) continue;
      found = true;
      const double x = ChiSquarePercentile(29999, p);
      EXPECT_GT(x, r.value - kGrid - kNoise) << "p=" << p;
      EXPECT_LE(x, r.value + kNoise) << "p=" << p;
    }
    EXPECT_TRUE(found) << "p=" << p;
  }
}

// The upper tail far out, where its value lies below the range of doubles: compared by its
// logarithm (and 0 where it is below the range of long double as well). One degree of freedom keeps the identity with the normal routine, whose limit 0
// holds out there; its exact tail is then below the smallest double.
TEST(PercentileReference, ChiSquareTailBeyondTheExponentialRange) {
  int count = 0;
  for (const Reference& r : Table()) {
    if (r.kind != "chisf") continue;
    ++count;
    const long double q = ChiSquareUpperTail(r.df, r.argument);
    if (r.df == 1) {
      EXPECT_EQ(q, 2 * NormalUpperTail(std::sqrt(r.argument)));
      if (r.value < -745.2) {
        EXPECT_EQ(static_cast<double>(q), 0.0) << "x=" << r.argument;
      }
      continue;
    }
    if (r.value < kLogSmallestExtended) {  // below the range of long double too
      EXPECT_EQ(q, 0.0L) << "df=" << r.df << " x=" << r.argument;
      continue;
    }
    ASSERT_GT(q, 0.0L) << "df=" << r.df << " x=" << r.argument;
    const double logQ = static_cast<double>(std::log(q));
    EXPECT_NEAR(logQ, r.value, 1e-11 * std::fmax(1.0, std::fabs(r.value)))
        << "df=" << r.df << " x=" << r.argument;
  }
  EXPECT_GT(count, 100);
}

}  // namespace
