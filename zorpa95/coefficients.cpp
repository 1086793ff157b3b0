// The distribution routines and coefficients of the confidence-coefficient calculator.
// Every quantity is a double; the order of the operations is part of the result.
#include "zorpa95/coefficients.h"

#include "common/text_format.h"
#include "stats/distributions.h"

#include <cmath>

namespace {

// Coefficients of the normal quantile approximation, b0 ... b10.
constexpr double kQuantileCoefficients[11] = {
    1.570796288,      0.03706987906,   -0.0008364353589, -0.0002250947176,
    6.841218299e-06,  5.824238515e-06, -1.04527497e-06,  8.360937017e-08,
    -3.231081277e-09, 3.657763036e-11, 6.936233982e-13};

// Polynomial of the normal probability for |u|/2 < 1 (A0 ... A8).
constexpr double kTailInner[9] = {
    0.000124818987,  -0.001075204047, 0.005198775019, -0.019198292004, 0.059054035642,
    -0.151968751364, 0.319152932694,  -0.5319230073,  0.797884560593};

// Polynomial of the normal probability for 1 <= |u|/2 < 3 (B0 ... B14).
constexpr double kTailOuter[15] = {
    -4.5255659e-05,  0.00015252929,   -1.9538132e-05,  -0.000676904986, 0.001390604284,
    -0.00079462082,  -0.002034254874, 0.006549791214,  -0.010557625006, 0.011630447319,
    -0.009279453341, 0.005353579108,  -0.002141268741, 0.000535310549,  0.999936657524};

// Close to 2/3.141592654; deliberately not 2/pi to full precision.
constexpr double kTwoOverPi = 0.636619772284456;
// Close to sqrt(2/3.141592654).
constexpr double kRootTwoOverPi = 0.797884560750774;
constexpr double kRootPi = 1.772453850905516;

// The steps of the decimal search, each the double nearest to its power of ten, indexed by
// the exponent + 5 (10^-5 ... 10^4).
constexpr int kLowestStepExponent = -5;
constexpr int kHighestStepExponent = 4;
constexpr double kStepOfExponent[] = {1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,
                                      1e1,  1e2,  1e3,  1e4};

double SearchStep(int exponent) {
  return kStepOfExponent[exponent - kLowestStepExponent];
}

}  // namespace

double NormalQuantileApprox(double p) {
  if (p == 0.5) return 0.0;
  double q = p;
  if (p > 0.5) q = 1.0 - p;
  double y = -std::log(4.0 * q * (1.0 - q));
  double sum = kQuantileCoefficients[0];
  for (int i = 1; i <= 10; ++i)
    sum = sum + kQuantileCoefficients[i] * std::pow(y, static_cast<double>(i));
  double z = std::sqrt(sum * y);
  return p >= 0.5 ? z : -z;
}

double NormalLowerTailPoly(double u) {
  double z;
  if (u == 0.0) {
    z = 0.0;
  } else {
    double y = std::fabs(u) * 0.5;
    if (y >= 3.0) {
      z = 1.0;
    } else if (y >= 1.0) {
      y = y - 2.0;
      z = kTailOuter[0];
      for (int i = 1; i <= 14; ++i) z = z * y + kTailOuter[i];
    } else {
      double w = y * y;
      z = kTailInner[0];
      for (int i = 1; i <= 8; ++i) z = z * w + kTailInner[i];
      z = 2.0 * y * z;
    }
  }
  return u >= 0.0 ? (1.0 + z) * 0.5 : (1.0 - z) * 0.5;
}

double ChiSquareTailSeries(double x, int n) {
  if (!(x > 0.0)) return 1.0;
  double e = std::exp(-x / 2.0);
  double r = std::sqrt(x);
  double q, term, d;
  if (n % 2 == 0) {
    q = e;
    term = e;
    d = 2.0;
  } else {
    q = 2.0 * (1.0 - NormalLowerTailPoly(r));
    term = kRootTwoOverPi * e / r;
    d = 1.0;
  }
  while (d <= n - 2) {
    term = x / d * term;
    q = q + term;
    d = d + 2.0;
  }
  return q;
}

double ChiSquareQuantileApprox(double p, int n) {
  if (n == 1) {
    double u = NormalQuantileApprox(p * 0.5);
    return u * u;
  }
  if (n == 2) return -2.0 * std::log(p);

  double big = static_cast<double>(n);
  double u = -NormalQuantileApprox(p);
  double u2 = u * u;
  if (n > 10) {
    double r = std::sqrt(2.0 * big);
    double x = big + r * u + (u2 - 1.0) * 2.0 * (1.0 / 3.0) + (u2 - 7.0) * u / (9.0 * r) -
               ((3.0 * u2 + 7.0) * u2 - 16.0) * 2.0 / (405.0 * big);
    if (x < 0.0) x = 0.0;
    return x;
  }

  // Wilson-Hilferty start.
  double w = 2.0 / (9.0 * big);
  double v = std::sqrt(w) * u + (1.0 - w);
  double x = big * v * v * v;
  if (x < 0.0) x = 0.0;
  // g = Gamma(n/2).
  double g = (n % 2 == 0) ? 1.0 : kRootPi;
  double m = big / 2.0;
  int k = (n + 1) / 2 - 1;
  for (int i = 1; i <= k; ++i) g = g * (m - i);
  // One Newton step; the density times g.
  double h = x / 2.0;
  double density = std::pow(h, m - 1.0) * std::exp(-h) * 0.5;
  // A start clamped to 0 has density 0: no step can be taken from it, and the 0 is
  // returned as it is.
  if (!(density > 0.0)) return x;
  return x + (ChiSquareTailSeries(x, n) - p) * g / density;
}

double TTailSeries(double start, int n, double term, double offset, double s) {
  int k = (n - 2) / 2;
  for (int i = 1; i <= k; ++i) {
    double e = 2.0 * i - offset;
    term = s * e / (e + 1.0) * term;
    start = start - term;
  }
  return start;
}

double TTwoSidedTail(double t, int n) {
  t = std::fabs(t);
  double w = t / std::sqrt(static_cast<double>(n));
  double s = 1.0 / (w * w + 1.0);
  double p;
  if (n % 2 != 0) {
    p = 1.0 - kTwoOverPi * std::atan(w);
    if (n != 1) {
      double h = kTwoOverPi * w * s;
      p = p - h;
      if (n != 3) p = TTailSeries(p, n, h, 0.0, s);
    }
  } else {
    double h = w * std::sqrt(s);
    p = 1.0 - h;
    if (n != 2) p = TTailSeries(p, n, h, 1.0, s);
  }
  return p >= 0.0 ? p : 0.0;
}

double TQuantileSearch(double a, int n) {
  // The tolerance, as the exponent of its power of ten.
  int toleranceExponent = -5;
  if (n == 1 && a >= 0.001 && a < 0.01) {
    toleranceExponent = -4;
  } else if (n == 1 && a < 0.001) {
    toleranceExponent = -2;
  } else if (n == 2 && a < 0.0001) {
    toleranceExponent = -4;
  }
  double e = SearchStep(toleranceExponent);

  double t = 0.0;
  int exponent = kHighestStepExponent;
  for (long steps = 0;; ++steps) {
    double s = SearchStep(exponent);
    t = t + s;
    if (!(s > e)) return t;
    // Beyond the reach of the tail routine (or a quantile above 10^10): give up.
    if (steps >= kTQuantileSearchMaxSteps) return 0.0;
    double d = TTwoSidedTail(t, n) - a;
    if (d == 0.0) return t;
    if (d < 0.0) {
      t = t - s;
      exponent = exponent - 1;
    }
  }
}

double TQuantileTwoSided(double a, int n) {
  if (!(n > 5 && (a > 0.005 || n > 13))) return TQuantileSearch(a, n);

  // Cornish-Fisher expansion.
  double u = NormalQuantileApprox(1.0 - a * 0.5);
  double big = static_cast<double>(n);
  double u3 = std::pow(u, 3.0);
  double u5 = std::pow(u, 5.0);
  double u7 = std::pow(u, 7.0);
  double u9 = std::pow(u, 9.0);
  double u11 = std::pow(u, 11.0);
  double g1 = (u3 + u) / (4.0 * big);
  double g2 = (5.0 * u5 + 16.0 * u3 + 3.0 * u) / (96.0 * std::pow(big, 2.0));
  double g3 = (3.0 * u7 + 19.0 * u5 + 17.0 * u3 - 15.0 * u) / (384.0 * std::pow(big, 3.0));
  double g4 = (79.0 * u9 + 776.0 * u7 + 1482.0 * u5 - 1920.0 * u3 - 945.0 * u) /
              (92160.0 * std::pow(big, 4.0));
  double g5 =
      (27.0 * u11 + 339.0 * u9 + 930.0 * u7 - 1782.0 * u5 - 765.0 * u3 + 17955.0 * u) /
      (368640.0 * std::pow(big, 5.0));
  return u + g1 + g2 + g3 + g4 + g5;
}

namespace {

// A coefficient is shown only when it is a finite positive number.
bool IsShowable(double value) { return std::isfinite(value) && value > 0.0; }

}  // namespace

// ---------------------------------------------------------------- the check

namespace {

// The approximation is kept while its smaller tail lies within this (relative) of the target.
constexpr double kTailTolerance = 0.01;
// The ladder of cf values between 50 and the asked one at which the approximation is checked
// as well: rung 0 is cf = 50; above it alpha = 0.5 * 10^(-j/32), below it cf = 50 * 10^(-j/32)
// (32 rungs a decade, 7.5 % apart).
constexpr double kLadderStepsPerDecade = 32.0;
constexpr double kLadderMiddle = 50.0;

double LadderCf(int j, bool above) {
  const double factor = std::pow(10.0, -static_cast<double>(j) / kLadderStepsPerDecade);
  return above ? 100.0 - (100.0 - kLadderMiddle) * factor : kLadderMiddle * factor;
}

// t and chi2_L grow with cf; chi2_U falls.
bool GrowsWithCf(QuantileKind kind) { return kind != QuantileKind::kChiSquareSmaller; }

// The smaller tail falls as x grows for t and chi2_L, and grows for chi2_U.
bool TailFallsWithX(QuantileKind kind) { return kind != QuantileKind::kChiSquareSmaller; }

}  // namespace

double ApproximateQuantile(QuantileKind kind, double cf, int n) {
  switch (kind) {
    case QuantileKind::kStudentT:
      return TQuantileTwoSided((100.0 - cf) * 0.01, n - 1);
    case QuantileKind::kChiSquareLarger:
      return ChiSquareQuantileApprox((100.0 - cf) * 0.005, n - 1);
    case QuantileKind::kChiSquareSmaller:
      break;
  }
  return ChiSquareQuantileApprox((100.0 + cf) * 0.005, n - 1);
}

long double SmallerTail(QuantileKind kind, int n, double x) {
  switch (kind) {
    case QuantileKind::kStudentT:
      return StudentTUpperTail(n - 1, x);
    case QuantileKind::kChiSquareLarger:
      return ChiSquareUpperTail(n - 1, x);
    case QuantileKind::kChiSquareSmaller:
      break;
  }
  return 1.0L - ChiSquareUpperTail(n - 1, x);
}

double TargetTail(double cf) { return (100.0 - cf) * 0.005; }

double SmallestResolvedTail(int n) {
  // About n/2 stored sums near 1, each rounded by up to 2^-53, kept 1000 times smaller
  // than the tail so that the check and the root are good to 0.1 %.
  return 1000.0 * (n + 8) * std::ldexp(1.0, -53);
}

bool PassesTailCheck(QuantileKind kind, double cf, int n, double x) {
  const double target = TargetTail(cf);
  if (!(target >= SmallestResolvedTail(n))) return false;
  if (!std::isfinite(x) || !(x > 0.0)) return false;
  // The exact t tail holds n / (n + t^2) as a double, so it tells t apart only to about
  // n 2^-53 / t^2 (relative): a t this close to 0 (cf near 0 with a large n) cannot be
  // checked, and is kept.
  if (kind == QuantileKind::kStudentT && x * x < 100.0 * (n - 1) * std::ldexp(1.0, -53)) return true;
  const long double tail = SmallerTail(kind, n, x);
  if (!(std::fabs(tail - target) <= kTailTolerance * target)) return false;
  // Where the quantile moves faster than its tail (the lower chi-square tail of one degree
  // of freedom moves twice as fast), 1 % of the tail is more than 1 % of the coefficient:
  // the exact root must also lie within a factor 1.01 of x.
  const bool falls = TailFallsWithX(kind);
  auto below = [&](double y) { return (SmallerTail(kind, n, y) > target) == falls; };
  return below(x / (1.0 + kTailTolerance)) && !below(x * (1.0 + kTailTolerance));
}

double ExactQuantile(QuantileKind kind, double cf, int n, double start) {
  const long double target = TargetTail(cf);
  if (!(target >= SmallestResolvedTail(n)) || !(target < 0.5L)) return 0.0;
  const bool falls = TailFallsWithX(kind);
  // below(x): x lies below the root.
  auto below = [&](double x) { return (SmallerTail(kind, n, x) > target) == falls; };
  if (!std::isfinite(start) || !(start > 0.0)) start = 1.0;
  double low = start, high = start;
  if (below(start)) {
    do {
      low = high;
      high = 2.0 * high;
      if (!std::isfinite(high)) return 0.0;
    } while (below(high));
  } else {
    do {
      high = low;
      low = 0.5 * low;
      if (!(low > 0.0)) return 0.0;
    } while (!below(low));
  }
  // low lies below the root and high above it; halve (geometrically while the bracket spans
  // more than a factor of 2) until the two are adjacent doubles.
  for (;;) {
    const double middle =
        high > 2.0 * low ? std::sqrt(low) * std::sqrt(high) : low + 0.5 * (high - low);
    if (!(middle > low && middle < high)) break;
    (below(middle) ? low : high) = middle;
  }
  const long double lowMiss = std::fabs(SmallerTail(kind, n, low) - target);
  const long double highMiss = std::fabs(SmallerTail(kind, n, high) - target);
  return lowMiss <= highMiss ? low : high;
}

CheckedQuantileResult CheckedQuantile(QuantileKind kind, double cf, int n) {
  if (!(TargetTail(cf) >= SmallestResolvedTail(n))) return {0.0, QuantileSource::kUnresolved};
  // Walk the ladder from cf = 50 out to the first rung at or beyond cf. Kept approximations
  // then lie only in steps whose both ends pass, and the last passing rung before cf bounds
  // them.
  const bool above = cf > kLadderMiddle;
  bool failed = false;
  double lastBefore = NAN;  // the approximation at the last passing rung before cf
  double firstBeyond = NAN;  // at the first rung at or beyond cf, when it passes
  for (int j = 0;; ++j) {
    const double rungCf = LadderCf(j, above);
    const double rung = ApproximateQuantile(kind, rungCf, n);
    if (!PassesTailCheck(kind, rungCf, n, rung)) {
      failed = true;
      break;
    }
    if (above ? !(rungCf < cf) : !(rungCf > cf)) {
      firstBeyond = rung;
      break;
    }
    lastBefore = rung;
  }
  const double approximation = ApproximateQuantile(kind, cf, n);
  if (!failed && PassesTailCheck(kind, cf, n, approximation))
    return {approximation, QuantileSource::kApproximation};

  double exact = ExactQuantile(kind, cf, n, approximation);
  if (!(exact > 0.0)) return {0.0, QuantileSource::kUnresolved};
  // Hold the root no nearer to the middle than the kept approximations between it and cf
  // (and, inside a passing step, no further out than the rung beyond), so the shown value
  // never turns back where the two join.
  const bool outwardGrows = GrowsWithCf(kind) == above;
  if (std::isfinite(lastBefore))
    exact = outwardGrows ? std::fmax(exact, lastBefore) : std::fmin(exact, lastBefore);
  if (std::isfinite(firstBeyond))
    exact = outwardGrows ? std::fmin(exact, firstBeyond) : std::fmax(exact, firstBeyond);
  return {exact, QuantileSource::kExactRoot};
}

// ---------------------------------------------------------------- the coefficients

CoefficientStatus MeanCoefficient(double cf, int n, double &cl) {
  cl = 0.0;
  const CheckedQuantileResult checked = CheckedQuantile(QuantileKind::kStudentT, cf, n);
  if (checked.source == QuantileSource::kUnresolved) return kCoefficientOutOfRange;
  double t = checked.value;
  if (!IsShowable(t)) return kCoefficientOutOfRange;
  double value = t / std::sqrt(static_cast<double>(n));
  if (!IsShowable(value)) return kCoefficientOutOfRange;
  cl = value;
  return kCoefficientOk;
}

CoefficientStatus VarianceCoefficients(double cf, int n, double &cl, double &cu) {
  cl = 0.0;
  cu = 0.0;
  const CheckedQuantileResult larger = CheckedQuantile(QuantileKind::kChiSquareLarger, cf, n);
  const CheckedQuantileResult smaller = CheckedQuantile(QuantileKind::kChiSquareSmaller, cf, n);
  if (larger.source == QuantileSource::kUnresolved || smaller.source == QuantileSource::kUnresolved)
    return kCoefficientOutOfRange;
  double lower = larger.value;
  double upper = smaller.value;
  // A quantile of 0 (or one the approximations could not produce) has no coefficient.
  if (!IsShowable(lower) || !IsShowable(upper)) return kCoefficientOutOfRange;
  double valueLower = (n - 1) / lower;
  double valueUpper = (n - 1) / upper;
  if (!IsShowable(valueLower) || !IsShowable(valueUpper)) return kCoefficientOutOfRange;
  cl = valueLower;
  cu = valueUpper;
  return kCoefficientOk;
}

std::string FormatCoefficient(double value) { return FormatCalculatorValue(value); }

const char *CoefficientRangeMessage(int useJapanese) {
  return useJapanese ? "数値(cf)が100に近すぎるため、係数を計算できません!"
                     : "Unable to compute the coefficient for this value (cf too close to 100)!";
}
