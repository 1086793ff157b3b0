// Writes the reference table of the percentile and tail tests (tests/data/percentiles.txt):
// exact percentiles of Student's t (two-sided) and chi-square (upper tail), and logarithms of
// chi-square upper tails far out, computed with Boost.Math in 50-digit arithmetic.
// Run at development time only, not by the build:
//   g++ -O2 -std=c++17 tools/make_percentile_table.cpp -o /tmp/make_percentile_table
//   /tmp/make_percentile_table > tests/data/percentiles.txt
//   /usr/bin/python3 tools/check_percentile_table.py tests/data/percentiles.txt
// Lines: "t df p value", "chi df p value", "chisf df x ln(P(X > x))"; "#" starts a comment.
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>

#include <cstdio>
#include <string>
#include <vector>

using Real = boost::multiprecision::cpp_bin_float_50;

namespace {

const std::vector<int> kDegrees = {
    1,    2,    3,    4,    5,    6,    7,    8,    9,    10,   11,   12,    13,    14,   15,
    16,   17,   18,   19,   20,   21,   22,   23,   24,   25,   26,   27,    28,    29,   30,
    35,   40,   45,   50,   60,   70,   80,   90,   100,  120,  150,  200,   250,   300,  400,
    500,  600,  700,  800,  900,  998,  999,  1000, 1200, 1300, 1350, 1400,  1417,  1418, 1450,
    1500, 1550, 1600, 2000, 3000, 5000, 7500, 10000, 15000, 20000, 25000, 29998, 29999};

const std::vector<double> kProbabilities = {0.001, 0.002, 0.005, 0.01, 0.02, 0.025, 0.05,
                                            0.1,   0.2,   0.3,   0.5,  0.7,  0.8,   0.9,
                                            0.95,  0.975, 0.98,  0.99, 0.995, 0.999};

const std::vector<int> kTailDegrees = {1, 2, 3, 4, 5, 7, 9, 10, 11, 100, 1000, 1417, 1418,
                                       5000, 29998, 29999};
// All beyond the points (x about 1417 for even, 1423 for odd degrees) from which the series
// is summed scaled.
const std::vector<double> kTailPoints = {1425, 1450, 1489, 1500, 2000, 5000, 10000,
                                         29000, 30000, 30500, 31000, 40000};

std::string Text(const Real& value) { return value.str(25, std::ios_base::scientific); }

// A percentile whose exact value lies this close to a point of the 0.00001 grid cannot be told
// apart from the grid point at the noise of double sums; such pairs are left out.
bool NearGrid(const Real& value) {
  const Real scaled = value * 100000;
  const Real gap = abs(scaled - round(scaled));
  return gap < Real(1e-4);  // within 1e-9 of a grid point
}

}  // namespace

int main() {
  std::printf("# Exact values, Boost.Math with 50 decimal digits (tools/make_percentile_table.cpp)\n");
  int skipped = 0;
  for (int df : kDegrees) {
    const boost::math::students_t_distribution<Real> t(df);
    const boost::math::chi_squared_distribution<Real> chi(df);
    for (double p : kProbabilities) {
      const Real tValue = quantile(complement(t, Real(p) / 2));
      if (NearGrid(tValue)) {
        ++skipped;
      } else {
        std::printf("t %d %.17g %s\n", df, p, Text(tValue).c_str());
      }
      const Real chiValue = quantile(complement(chi, Real(p)));
      if (NearGrid(chiValue)) {
        ++skipped;
      } else {
        std::printf("chi %d %.17g %s\n", df, p, Text(chiValue).c_str());
      }
    }
  }
  for (int df : kTailDegrees) {
    const boost::math::chi_squared_distribution<Real> chi(df);
    for (double x : kTailPoints) {
      const Real tail = cdf(complement(chi, Real(x)));
      std::printf("chisf %d %.17g %s\n", df, x, Text(log(tail)).c_str());
    }
  }
  std::printf("# %d pairs left out: exact value within 1e-9 of a grid point\n", skipped);
  return 0;
}
