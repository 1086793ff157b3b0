// The walk's calls of the library logarithm and its rare steps, kept out of its inline step.
#include "stats/stored_log_walk.h"

double StoredLogWalk::Anchor(double x) {
  const long double log = std::log(static_cast<long double>(x));
  const double rounded = static_cast<double>(log);
  if (x > kStart && x <= kEnd) {
    high_ = rounded;
    low_ = static_cast<double>(log - rounded);  // exact: the 11 bits below rounded
    anchored_ = true;
    SetBinade(rounded);
  }
  ++literalCount_;
  return rounded;
}

bool StoredLogWalk::SetBinade(double value) {
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);  // value = fraction 2^exponent
  if (fraction == 0.5) return false;
  binadeStart_ = std::ldexp(1.0, exponent - 1);
  binadeEnd_ = std::ldexp(1.0, exponent);
  limit_ = kSafeFraction * std::ldexp(1.0, exponent - 1 - 52);
  return true;
}

double StoredLogWalk::Slow(double x, double rounded, double rest) {
  if (!(rounded > binadeStart_ && rounded < binadeEnd_) && SetBinade(rounded) &&
      std::fabs(rest) < limit_)
    return rounded;
  ++literalCount_;
  return static_cast<double>(std::log(static_cast<long double>(x)));
}
