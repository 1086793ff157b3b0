// The coefficient of the standard deviation, from sums of logarithms of the gamma products.
#include "quibe95/deviation.h"

#include <cmath>
#include <cstdio>
#include <vector>

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

std::string FormatDeviationCoefficient(double value) {
  char buffer[64];
  int length = std::snprintf(buffer, sizeof buffer, "%-16.6f", value);
  if (length < 0) return std::string();
  if (static_cast<size_t>(length) < sizeof buffer) return std::string(buffer, length);
  std::vector<char> large(static_cast<size_t>(length) + 1);
  std::snprintf(large.data(), large.size(), "%-16.6f", value);
  return std::string(large.data(), static_cast<size_t>(length));
}
