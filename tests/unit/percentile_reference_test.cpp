// The percentiles and far chi-square tails against exact values (tests/data/percentiles.txt,
// written by tools/make_percentile_table.cpp with 50-digit arithmetic).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
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

const std::vector<Reference>& Table() {
  static const std::vector<Reference> table = [] {
    std::vector<Reference> rows;
    std::FILE* file = std::fopen(SUITE_TEST_DATA_DIR "/percentiles.txt", "r");
    char line[256], kind[16], argument[64], value[64];
    int df = 0;
    while (file != nullptr && std::fgets(line, sizeof line, file) != nullptr) {
      if (line[0] != '#' &&
          std::sscanf(line, "%15s %d %63s %63s", kind, &df, argument, value) == 4)
        rows.push_back({kind, df, std::strtod(argument, nullptr), std::strtod(value, nullptr)});
    }
    if (file != nullptr) std::fclose(file);
    return rows;
  }();
  return table;
}

// The search result is the largest grid point below the exact percentile: the exact value
// lies in (x, x + 0.00001], up to the noise the repeated additions leave on a grid point.
// The rows include the largest sample (29999 degrees of freedom), where the chi-square
// search runs far beyond the point at which exp(-x/2) underflows.
TEST(PercentileReference, TruncatedPercentilesLieWithinOneGridStepBelowTheExactValue) {
  constexpr double kNoise = 1e-9, kGrid = 0.00001;
  int tCount = 0, chiCount = 0, chiLargest = 0;
  for (const Reference& r : Table()) {
    if (r.kind != "t" && r.kind != "chi") continue;
    const bool t = r.kind == "t";
    const double x =
        t ? StudentTPercentile(r.df, r.argument) : ChiSquarePercentile(r.df, r.argument);
    (t ? tCount : chiCount) += 1;
    if (!t && r.df == 29999) ++chiLargest;
    EXPECT_GT(x, r.value - kGrid - kNoise) << r.kind << " df=" << r.df << " p=" << r.argument;
    EXPECT_LE(x, r.value + kNoise) << r.kind << " df=" << r.df << " p=" << r.argument;
  }
  EXPECT_GT(tCount, 1000);
  EXPECT_GT(chiCount, 1000);
  EXPECT_EQ(chiLargest, 20);  // p from 0.001 to 0.999
}

// The upper tail far out, where its value lies below the range of doubles: compared by its
// logarithm (and 0 where it is below the range of long double as well). One degree of
// freedom keeps the identity with the normal routine, whose limit 0 holds out there; its
// exact tail is then below the smallest double.
TEST(PercentileReference, ChiSquareTailBeyondTheExponentialRange) {
  constexpr double kLogSmallestExtended = -11390;  // ln 3.6e-4951, with a margin
  int count = 0;
  for (const Reference& r : Table()) {
    if (r.kind != "chisf") continue;
    ++count;
    const long double q = ChiSquareUpperTail(r.df, r.argument);
    if (r.df == 1) {
      EXPECT_EQ(q, 2 * NormalUpperTail(std::sqrt(r.argument)));
      EXPECT_TRUE(r.value >= -745.2 || static_cast<double>(q) == 0.0) << "x=" << r.argument;
    } else if (r.value < kLogSmallestExtended) {
      EXPECT_EQ(q, 0.0L) << "df=" << r.df << " x=" << r.argument;
    } else {
      ASSERT_GT(q, 0.0L) << "df=" << r.df << " x=" << r.argument;
      EXPECT_NEAR(static_cast<double>(std::log(q)), r.value,
                  1e-11 * std::fmax(1.0, std::fabs(r.value)))
          << "df=" << r.df << " x=" << r.argument;
    }
  }
  EXPECT_GT(count, 100);
}

}  // namespace
