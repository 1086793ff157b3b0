#include "bench/literal_search.h"

#include "stats/distributions.h"

namespace {

using Extended = long double;

constexpr Extended kStepFactor = 0.1;  // exactly the double 0.1
constexpr double kSearchLimit = 1e-5;

// belowGrid: a result of 0 goes on with finer steps until it has six significant digits.
template <typename Continues>
double LiteralSearch(Continues continues, bool belowGrid) {
  double x = 0.0;
  double step = 1.0;
  bool finer = false;  // past the last grid step
  for (;;) {
    const bool holds = continues(x);
    x = static_cast<double>(static_cast<Extended>(x) + step);
    if (holds) continue;
    x = static_cast<double>(static_cast<Extended>(x) - 2 * static_cast<Extended>(step));
    if (finer && x > 0 && x >= 99999.5 * step) return x;
    step = static_cast<double>(step * kStepFactor);
    if (finer && step < 1e-300) return x;
    if (step < kSearchLimit && !finer) {
      if (!(belowGrid && x == 0)) return x;
      finer = true;
    }
  }
}

}  // namespace

double LiteralStudentTPercentile(int n, double p) {
  return LiteralSearch([n, p](double x) {
    const double q = static_cast<double>(StudentTUpperTail(n, x));
    return 2 * q > p;
  }, false);
}

double LiteralChiSquarePercentile(int n, double p) {
  return LiteralSearch([n, p](double x) {
    const double q = static_cast<double>(ChiSquareUpperTail(n, x));
    return q > p;
  }, true);
}
