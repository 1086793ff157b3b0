// The coefficient of the standard deviation, from sums of logarithms of the gamma products.
#include "quibe95/deviation.h"

#include "common/text_format.h"

#include <cmath>

double DeviationCoefficient(int n) {
  double r = std::sqrt(3.141592653589793);
  if (n == 2) return r / std::sqrt(2.0);
  if (n == 3) return 2.0 / r;

  double h = n * 0.5;
  double a;  // ln Gamma((n - 1)/2)
  double b;  // ln Gamma(n/2)
  if (static_cast<double>(static_cast<int>(h)) == h) {
    a = std::log(r);
    for (int i = 4; i <= n; i += 2) a = a + std::log((i - 3) * 0.5);
    b = 0.0;
    for (int i = 4; i <= n; i += 2) b = b + std::log((i - 2) * 0.5);
  } else {
    a = 0.0;
    for (int i = 5; i <= n; i += 2) a = a + std::log((i - 3) * 0.5);
    b = std::log(r);
    for (int i = 3; i <= n; i += 2) b = b + std::log((i - 2) * 0.5);
  }
  return std::sqrt(h - 0.5) * std::exp(a - b);
}

std::string FormatDeviationCoefficient(double value) { return FormatCalculatorValue(value); }
