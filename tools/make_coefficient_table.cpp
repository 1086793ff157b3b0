// Writes the reference table of the calculator's coefficients (tests/data/coefficients.txt):
// for n = 2 ... 200 and nine confidence probabilities, the exact mean coefficient t / sqrt(n)
// and the exact variance coefficients (n - 1) / chi2_L and (n - 1) / chi2_U, from quantiles
// computed with Boost.Math in 50-digit arithmetic. Built only where Boost is found; run by hand:
//   cmake --build build/native --target make_coefficient_table
//   build/native/bin/make_coefficient_table > tests/data/coefficients.txt
// Lines: "n cf mean Cl Cu" (cf as typed, in percent); "#" starts a comment.
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>

#include <cstdio>
#include <string>

using Real = boost::multiprecision::cpp_bin_float_50;

namespace {

// The confidence probabilities in percent, as the user types them.
const char* const kConfidences[] = {"50",      "90",       "95",        "99",      "99.9",
                                    "99.99",   "99.999",   "99.9999",   "99.99999"};

std::string Text(const Real& value) { return value.str(17, std::ios_base::scientific); }

}  // namespace

int main() {
  std::printf("# Exact coefficients, Boost.Math with 50 decimal digits (tools/make_coefficient_table.cpp)\n");
  std::printf("# n cf mean:t/sqrt(n) Cl:(n-1)/chi2(alpha/2) Cu:(n-1)/chi2(1-alpha/2)\n");
  for (int n = 2; n <= 200; ++n) {
    const boost::math::students_t_distribution<Real> t(n - 1);
    const boost::math::chi_squared_distribution<Real> chi(n - 1);
    for (const char* cf : kConfidences) {
      const Real half = (Real(100) - Real(cf)) / 200;  // alpha / 2
      const Real mean = quantile(complement(t, half)) / sqrt(Real(n));
      const Real lower = Real(n - 1) / quantile(complement(chi, half));
      const Real upper = Real(n - 1) / quantile(chi, half);
      std::printf("%d %s %s %s %s\n", n, cf, Text(mean).c_str(), Text(lower).c_str(),
                  Text(upper).c_str());
    }
  }
  return 0;
}
