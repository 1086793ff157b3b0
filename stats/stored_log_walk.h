// The logarithms of one gamma product, x = first, first + 1, first + 2, ..., each rounded to
// the double it is stored as: the same bits as Store(log(x)) in long double, for a fraction of
// its cost. Pure: no allocation; one walk serves one run of the product.
//
// The walk carries ln x as a pair of doubles (about 106 bits): ln x = ln(x - 1) +
// 2 atanh(1/(2x - 1)), each increment (below 1/64) formed as a pair of doubles too and added
// exactly enough that the error of the sum is the anchor's (one library logarithm) plus the
// increments' own rounding errors: below one long double ulp up to kEnd. The sum rounded to
// double is the value when the sum lies more than kGuard long double ulps from the midpoint
// between two doubles; the library logarithm, within a few ulps of ln x as well, then rounds
// to the same double. Values closer to a midpoint take the library logarithm. Plain double
// arithmetic throughout (SSE2 on every build; a fused multiply-add would break the exact
// products, so none may be contracted).
#pragma once

#include <cfloat>
#include <cmath>

static_assert(LDBL_MANT_DIG == 64, "the walk is made for the x87 extended format");

class StoredLogWalk {
 public:
  // first is a whole or half number from 0.5 on.
  explicit StoredLogWalk(double first) : x_(first) {}

  // static_cast<double>(std::log(x)) for the next x of the walk.
  double Next() {
    const double x = x_;
    x_ += 1;
    if (!(x > kStart && x <= kEnd && anchored_)) return Anchor(x);
    // ln x = ln(x - 1) + 2 atanh(u), u = 1 / (2x - 1) <= 1/129, as 2u + t with
    // t = 2u (u^2/3 + u^4/5 + u^6/7 + u^8/9) (the first term left out, 2u^11/11, is below
    // 2^-70 of the increment). u is formed as the pair uHigh + uLow (uHigh rounded, uLow
    // from the residual 1 - uHigh d, computed exactly with uHigh split in halves of 26 bits);
    // t, below 2^-14 of 2u, needs no more than a double.
    const double d = 2 * x - 1;  // a whole number below 2^17
    const double uHigh = 1 / d;
    const double split = kSplitter * uHigh;
    const double uHead = split - (split - uHigh);  // 26 bits: uHead d is exact
    const double uTail = uHigh - uHead;            // 27 bits: uTail d is exact
    const double uLow = ((1 - uHead * d) - uTail * d) * uHigh;
    const double u2 = uHigh * uHigh;
    const double t = 2 * uHigh * u2 * (1 / 3.0 + u2 * (1 / 5.0 + u2 * (1 / 7.0 + u2 * (1 / 9.0))));
    const double incrementHigh = 2 * uHigh;
    const double incrementLow = 2 * uLow + t;
    // (high_, low_) + increment: the leading sum exactly (Fast2Sum, |high_| > increment), its
    // rounding error and the small parts gathered in low_ (well below high_'s ulp's worth of
    // error in all); the value is their sum rounded, and the exact rest tells its distance
    // from the midpoint.
    const double sum = high_ + incrementHigh;
    low_ += (incrementHigh - (sum - high_)) + incrementLow;
    high_ = sum;
    const double rounded = high_ + low_;
    const double rest = low_ - (rounded - high_);
    // Within the binade of the last value the ulp of doubles is fixed, and so is the limit.
    if (rounded > binadeStart_ && rounded < binadeEnd_ && std::fabs(rest) < limit_)
      return rounded;
    return Slow(x, rounded, rest);
  }

  // How many values so far came from the library logarithm (the first steps, the values too
  // close to a rounding boundary of doubles, and the steps beyond the proven range).
  int LiteralCount() const { return literalCount_; }

  // The walk estimates from above this x, and up to kEnd: every value in that range, from
  // both starts (0.5 and 1), is checked against the library logarithm bit for bit by the tests.
  static constexpr double kStart = 64;
  static constexpr double kEnd = 32768;

 private:
  // The guard in long double ulps (2048 to a double ulp, 1024 to a midpoint): 32, so the
  // estimate could be wrong by tens of ulps and still round as the library logarithm does.
  static constexpr int kGuard = 32;
  // Values closer to their double than this fraction of the double's ulp round directly.
  static constexpr double kSafeFraction = static_cast<double>(1024 - kGuard) / 2048;
  // Veltkamp's splitter 2^27 + 1: the high half of a double in 26 bits.
  static constexpr double kSplitter = 134217729.0;

  // The library logarithm, and from kStart on the start of the pair.
  double Anchor(double x);
  // A step whose value left the binade of the one before or lies near a midpoint.
  double Slow(double x, double rounded, double rest);
  // Sets the binade and the limit for a value that is no power of two (else returns false).
  bool SetBinade(double value);

  double x_;
  double high_ = 0;  // ln x as high_ + low_ (|low_| well below high_)
  double low_ = 0;
  // Values strictly between binadeStart_ and binadeEnd_ (powers of two) have the ulp of
  // doubles u; those closer to their double than limit_ = kSafeFraction u round directly.
  double binadeStart_ = 0;
  double binadeEnd_ = 0;
  double limit_ = 0;
  bool anchored_ = false;
  int literalCount_ = 0;
};
