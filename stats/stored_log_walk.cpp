// The walk's calls of the library logarithm, kept out of its inline step.
#include "stats/stored_log_walk.h"

double StoredLogWalk::Anchor(long double x) {
  const long double log = std::log(x);
  if (x > kStart && x <= kEnd) {
    high_ = log;
    low_ = 0;
    anchored_ = true;
  }
  ++literalCount_;
  return static_cast<double>(log);
}

double StoredLogWalk::Literal(long double x) {
  ++literalCount_;
  return static_cast<double>(std::log(x));
}
