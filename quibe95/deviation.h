// The coefficient of the standard deviation: K(n) = sqrt((n-1)/2) * Gamma((n-1)/2) / Gamma(n/2),
// the reciprocal of the bias factor of the standard deviation with the divisor n - 1.
#pragma once

#include <string>

// K(n) for n >= 2 (n = 2 to 10000 in the calculator).
double DeviationCoefficient(int n);

// The coefficient as the result box shows it: "%-16.6f".
std::string FormatDeviationCoefficient(double value);
