#include "bench/literal_search.h"

#include "stats/distributions.h"

namespace {

using Extended = long double;

constexpr Extended kStepFactor = 0.1;  // exactly the double 0.1
constexpr double kSearchLimit = 1e-5;

template <typename Continues>
double LiteralSearch(Continues continues) {
  double x = 0.0;
  double step = 1.0;
  for (;;) {
    const bool holds = continues(x);
    x = static_cast<double>(static_cast<Extended>(x) + step);
    if (holds) continue;
    x = static_cast<double>(static_cast<Extended>(x) - 2 * static_cast<Extended>(step));
    step = static_cast<double>(step * kStepFactor);
    if (step < kSearchLimit) return x;
  }
}

}  // namespace

double LiteralStudentTPercentile(int n, double p) {
  return LiteralSearch([n, p](double x) {
    const double q = static_cast<double>(StudentTUpperTail(n, x));
    return 2 * q > p;
  });
}

double LiteralChiSquarePercentile(int n, double p) {
  return LiteralSearch([n, p](double x) {
    const double q = static_cast<double>(ChiSquareUpperTail(n, x));
    return q > p;
  });
}
