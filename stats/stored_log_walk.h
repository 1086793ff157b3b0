// The logarithms of one gamma product, x = first, first + 1, first + 2, ..., each rounded to
// the double it is stored as: the same bits as Store(log(x)) in long double, for a fraction of
// its cost. Pure: no allocation; one walk serves one run of the product.
//
// The walk carries ln x in about twice the long double precision: ln x = ln(x - 1) +
// 2 atanh(1/(2x - 1)), the increments (below 1/64) added to a running sum whose rounding errors
// are kept exactly (two-sum) and added up apart, so the error of the estimate is the anchor's
// (one library logarithm) plus the increments' own rounding errors: below one ulp up to kEnd.
// A value is rounded to double directly when it lies more than kGuard long double ulps from
// the midpoint between two doubles; the library logarithm, within a few ulps of ln x as well,
// then rounds to the same double. Values closer to a midpoint take the library logarithm.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

static_assert(LDBL_MANT_DIG == 64, "the walk is made for the x87 extended format");

class StoredLogWalk {
 public:
  // first is a whole or half number from 0.5 on.
  explicit StoredLogWalk(long double first) : x_(first) {}

  // static_cast<double>(std::log(x)) for the next x of the walk.
  double Next() {
    const long double x = x_;
    x_ += 1;
    if (!(x > kStart && x <= kEnd && anchored_)) return Anchor(x);
    // ln x = ln(x - 1) + 2 atanh(u), u = 1 / (2x - 1) <= 1/129, by its series to u^9: the
    // first term left out, u^11 / 11, is below 2^-70 of the increment.
    const long double u = 1 / (2 * x - 1);
    const long double u2 = u * u;
    const long double increment =
        2 * u * (1 + u2 * (1 / 3.0L + u2 * (1 / 5.0L + u2 * (1 / 7.0L + u2 * (1 / 9.0L)))));
    // Two-sum with |high_| > increment: the rounding error of the sum, exactly.
    const long double sum = high_ + increment;
    low_ += increment - (sum - high_);
    high_ = sum;

    const double rounded = static_cast<double>(high_);
    std::uint64_t bits;
    std::memcpy(&bits, &rounded, sizeof bits);
    // A power of two has a finer spacing below it; such rare values take the library logarithm.
    if ((bits & kFractionBits) == 0) return Literal(x);
    // The ulp of the rounded value: its exponent lowered by 52 (ln x > ln 64 > 4 here).
    const std::uint64_t ulpBits = (bits & kExponentBits) - (std::uint64_t{52} << 52);
    double ulp;
    std::memcpy(&ulp, &ulpBits, sizeof ulp);
    const long double offset = (high_ - rounded) + low_;  // high_ - rounded is exact
    if (std::fabs(offset) < kSafeFraction * ulp) return rounded;
    return Literal(x);
  }

  // How many values so far came from the library logarithm (the first steps, the values too
  // close to a rounding boundary of doubles, and the steps beyond the proven range).
  int LiteralCount() const { return literalCount_; }

  // The walk estimates from above this x, and up to kEnd: every value in that range, from
  // both starts (0.5 and 1), is checked against the library logarithm bit for bit by the tests.
  static constexpr long double kStart = 64;
  static constexpr long double kEnd = 32768;

 private:
  // The guard in long double ulps (2048 to a double ulp, 1024 to a midpoint): 32, so the
  // estimate could be wrong by tens of ulps and still round as the library logarithm does.
  static constexpr int kGuard = 32;
  // Values closer to their double than this fraction of the double's ulp round directly.
  static constexpr long double kSafeFraction = static_cast<long double>(1024 - kGuard) / 2048;
  static constexpr std::uint64_t kExponentBits = 0x7FF0000000000000u;
  static constexpr std::uint64_t kFractionBits = 0x000FFFFFFFFFFFFFu;

  // The library logarithm, and from kStart on the start of the sum.
  double Anchor(long double x);
  double Literal(long double x);

  long double x_;
  long double high_ = 0;  // ln x as high_ + low_
  long double low_ = 0;
  bool anchored_ = false;
  int literalCount_ = 0;
};
