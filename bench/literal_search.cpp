#include "bench/literal_search.h"

#include <cmath>

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

namespace {

inline double Store(Extended value) { return static_cast<double>(value); }
inline double StoredLog(Extended value) { return Store(std::log(value)); }

}  // namespace

double LiteralSigmaCoefficient(int n) {
  if (n <= 1) return 0;
  const Extended sqrtPi = std::sqrt(static_cast<Extended>(3.141592653589793));
  if (n == 2) return Store(sqrtPi);
  if (n == 3) return Store(std::sqrt(1.5L) / (0.5L * sqrtPi));
  const double h = Store(0.5L * n);
  double a;  // ln Gamma((n - 1) / 2)
  double b;  // ln Gamma(n / 2)
  if (h == std::trunc(h)) {
    a = StoredLog(sqrtPi);
    b = 0;
    for (int i = 4; i <= n; i += 2) {
      a = Store(a + static_cast<Extended>(StoredLog(Store((i - 3) * 0.5L))));
      b = Store(b + static_cast<Extended>(StoredLog(Store((i - 2) * 0.5L))));
    }
  } else {
    a = 0;
    for (int i = 5; i <= n; i += 2) {
      a = Store(a + static_cast<Extended>(StoredLog(Store((i - 3) * 0.5L))));
    }
    b = StoredLog(sqrtPi);
    for (int i = 3; i <= n; i += 2) {
      b = Store(b + static_cast<Extended>(StoredLog(Store((i - 2) * 0.5L))));
    }
  }
  const double ratio = Store(std::exp(static_cast<Extended>(a) - b));
  const double rootH = Store(std::sqrt(static_cast<Extended>(h)));
  return Store(static_cast<Extended>(ratio) * rootH);
}
