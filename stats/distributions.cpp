// Tail probabilities by the closed finite series for integer degrees of freedom, percentiles by
// the decimal step search. Arithmetic runs in long double (the x87 extended format, 64-bit
// mantissa); every named intermediate is stored as a double at the point the algorithm names,
// through Store(), so the native and the Windows builds give the same bits.
#include "stats/distributions.h"

#include <cfloat>
#include <cmath>

namespace {

using Extended = long double;

// The double nearest to 1/pi, held in extended precision.
constexpr Extended kInversePi = 0.318309886183790691216444201927515678107757568359375L;
// The search factor: exactly the value of the double 0.1, held in extended precision.
constexpr Extended kStepFactor = 0.1;
// The search ends once the step falls below this.
constexpr double kSearchLimit = 1e-5;
constexpr Extended kLn2 = 0.693147180559945309417232121458176568L;

// Rounds an extended intermediate to the double it is stored as.
inline double Store(Extended value) { return static_cast<double>(value); }

// sqrt(2 pi), from the double 6.283185307179586.
inline Extended SqrtTwoPi() { return std::sqrt(static_cast<Extended>(6.283185307179586)); }

// sqrt(pi), from the double 3.141592653589793.
inline Extended SqrtPi() { return std::sqrt(static_cast<Extended>(3.141592653589793)); }

// The chi-square tail series where its first term, exp(logFirst), is too small for a double:
// first * (start + x/i + x^2/(i (i+2)) + ...) over i = i0, i0 + 2, ... < n, where start is 1
// plus whatever the caller adds in units of the first term. The terms are carried relative to
// the first one in long double; whenever the running sum grows large, sum and term are scaled
// down by a power of two (exactly) and the exponent is kept, and the sum is scaled back through
// its logarithm at the end. The result may lie far below the smallest double; long double holds
// it down to about 1e-4950.
Extended ScaledTailSeries(double x, int i0, int n, Extended logFirst, Extended start) {
  constexpr int kRescaleBits = 8000;
  const Extended rescaleLimit = std::ldexp(1.0L, kRescaleBits);
  Extended term = 1;
  Extended sum = start;
  long long exponent = 0;  // sum and term are scaled by 2^-exponent
  for (int i = i0; i < n; i += 2) {
    term = x / static_cast<Extended>(i) * term;
    sum = term + sum;
    if (sum > rescaleLimit) {
      term = std::ldexp(term, -kRescaleBits);
      sum = std::ldexp(sum, -kRescaleBits);
      exponent += kRescaleBits;
    }
  }
  return std::exp(logFirst + static_cast<Extended>(exponent) * kLn2 + std::log(sum));
}

// Mills' ratio P(Z > r) / phi(r) for large r, by its continued fraction
// 1 / (r + 1 / (r + 2 / (r + 3 / (r + ...)))), which converges at once for r above 30.
Extended MillsRatio(Extended r) {
  Extended denominator = r;
  for (int k = 60; k >= 1; --k) denominator = r + k / denominator;
  return 1 / denominator;
}

// The natural logarithm of one factor of the gamma products, stored as a double before it is
// added to its running sum.
inline double StoredLog(Extended value) { return Store(std::log(value)); }

enum class TailKind { kStudentT, kChiSquare };

// The continue condition of the search at x: for t the doubled one-sided tail, for chi-square
// the upper tail itself, stored as a double and compared with p.
bool SearchContinues(TailKind kind, int n, double p, double x) {
  if (kind == TailKind::kStudentT) {
    const double q = Store(StudentTUpperTail(n, x));
    return 2 * q > p;
  }
  const double q = Store(ChiSquareUpperTail(n, x));
  return q > p;
}

// The whole-number stage of the search. Stepping by 1 from 0, the search visits 0, 1, 2, ...
// until the condition fails at some K and leaves x = K - 1 (or -1 when it fails at 0). Whole
// numbers are exact doubles and the condition holds below the percentile and fails above it,
// so K is found by bracketing from a first guess and bisecting on whole numbers: the same x
// with a few evaluations instead of K. The guess decides only where the bracketing starts.
double WholeNumberStage(TailKind kind, int n, double p, double guess) {
  constexpr double kLargestWhole = 4503599627370496.0;  // 2^52: every whole double below is exact
  guess = (guess >= 1 && guess < kLargestWhole) ? std::floor(guess) : 1;
  double holds = 0;  // the condition holds here
  double fails;      // and fails here
  if (SearchContinues(kind, n, p, guess)) {
    holds = guess;
    double width = 1;
    for (;;) {
      const double probe = holds + width;
      if (probe >= kLargestWhole || !SearchContinues(kind, n, p, probe)) {
        fails = probe;
        break;
      }
      holds = probe;
      width *= 2;
    }
  } else {
    fails = guess;
    double width = 1;
    for (;;) {
      const double probe = fails - width;
      if (probe <= 0) {
        if (!SearchContinues(kind, n, p, 0.0)) return -1.0;
        break;  // holds stays 0
      }
      if (SearchContinues(kind, n, p, probe)) {
        holds = probe;
        break;
      }
      fails = probe;
      width *= 2;
    }
  }
  while (fails - holds > 1) {
    const double middle = holds + std::floor((fails - holds) / 2);
    if (SearchContinues(kind, n, p, middle)) {
      holds = middle;
    } else {
      fails = middle;
    }
  }
  return holds;
}

// Where the whole-number stage of the chi-square search starts: Wilson and Hilferty's
// cube-root approximation of the percentile, with the normal quantile of Abramowitz and Stegun
// 26.2.23 (good to 5e-4). Within a unit or two of the percentile for large n.
double ChiSquareGuess(int n, double p) {
  if (!(p > 0 && p < 1) || n < 1) return 1;
  const double tail = p < 0.5 ? p : 1 - p;
  const double u = std::sqrt(-2 * std::log(tail));
  double z = u - (2.515517 + 0.802853 * u + 0.010328 * u * u) /
                     (1 + 1.432788 * u + 0.189269 * u * u + 0.001308 * u * u * u);
  if (p > 0.5) z = -z;  // p is an upper-tail probability
  const double c = 2.0 / (9.0 * n);
  const double cube = 1 - c + z * std::sqrt(c);
  return cube > 0 ? n * cube * cube * cube : 1;
}

// The decimal step search: steps 0.1, 0.01, ... 0.00001 from the last whole number at which
// the condition held. At each step size x advances while the condition holds, then goes back to
// the last point at which it held. The points a step size visits are x, x + step, ... each sum
// stored as a double; they are formed first (no tail needed), and the first point at which the
// condition fails is found by bisection between the start and the nearest point at or beyond a
// place where it is known to fail. The points, and so every bit of the result, are those of
// the step-by-step search.
double PercentileSearch(TailKind kind, int n, double p, double guess) {
  constexpr int kMaxPoints = 64;
  double x = WholeNumberStage(kind, n, p, guess);
  double knownFailure = x + 1;  // the whole-number stage saw the condition fail there
  double step = Store(1.0 * kStepFactor);
  while (step >= kSearchLimit) {
    double points[kMaxPoints];
    points[0] = x;
    int last = 0;
    while (points[last] < knownFailure && last + 1 < kMaxPoints) {
      points[last + 1] = Store(static_cast<Extended>(points[last]) + step);
      ++last;
    }
    double failure;  // the first point at which the condition fails
    if (points[last] < knownFailure) {
      // No known end within reach: step as worded.
      failure = x;
      while (SearchContinues(kind, n, p, failure)) failure = Store(static_cast<Extended>(failure) + step);
    } else if (!SearchContinues(kind, n, p, points[0])) {
      failure = points[0];
    } else {
      int holds = 0;
      int fails = last;
      while (fails - holds > 1) {
        const int middle = holds + (fails - holds) / 2;
        if (SearchContinues(kind, n, p, points[middle])) {
          holds = middle;
        } else {
          fails = middle;
        }
      }
      failure = points[fails];
    }
    knownFailure = failure;
    const double next = Store(static_cast<Extended>(failure) + step);
    x = Store(static_cast<Extended>(next) - 2 * static_cast<Extended>(step));
    step = Store(step * kStepFactor);
  }
  return x;
}

}  // namespace

long double StudentTUpperTail(int n, double t) {
  const double k = Store(static_cast<Extended>(n) / (n + static_cast<Extended>(t) * t));
  double s = Store(std::sqrt(1 - static_cast<Extended>(k)));
  if (t < 0) s = -s;
  double sum = 0;
  for (int i = (n % 2 == 0) ? 2 : 3; i <= n; i += 2) {
    sum = Store(static_cast<Extended>(sum) + s);
    s = Store(static_cast<Extended>(i - 1) * k / i * s);
  }
  if (n % 2 == 0) return 0.5L - 0.5L * sum;
  const double g = Store(std::sqrt(static_cast<Extended>(k)) * sum);
  const double rootN = Store(std::sqrt(static_cast<Extended>(n)));
  return 0.5L - (std::atan(static_cast<Extended>(t) / rootN) + g) * kInversePi;
}

double StudentTPercentile(int n, double p) {
  return PercentileSearch(TailKind::kStudentT, n, p, 1.0);
}

long double NormalLowerTail(double x) {
  const double b = Store(static_cast<Extended>(x) * x);
  double term = Store(x * std::exp(-0.5L * b));
  term = Store(term / SqrtTwoPi());
  // Beyond |x| of about 38.6 the first term underflows to zero and the series would end at
  // 0.5; the limit values continue those that the capped series gives from |x| of about 14.1.
  if (term == 0 && b > 1) return x > 0 ? 1.0L : 0.0L;
  double sum = term;
  for (int i = 3; i < 200; i += 2) {
    const double previous = sum;
    term = Store(b / static_cast<Extended>(i) * term);
    sum = Store(static_cast<Extended>(term) + sum);
    if (sum == previous) return 0.5L + sum;
  }
  return x > 0 ? 1.0L : 0.0L;
}

long double NormalUpperTail(double x) { return 1 - NormalLowerTail(x); }

long double ChiSquareUpperTail(int n, double x) {
  if (n % 2 != 0) {
    const double r = Store(std::sqrt(static_cast<Extended>(x)));
    if (n == 1) return 2 * NormalUpperTail(r);
    double term = Store(std::exp(-0.5L * x) * r);
    term = Store(term / SqrtTwoPi());
    if (term < DBL_MIN && x > 1) {
      // exp(-x/2) has left the range of normal doubles: sum the series scaled, with the normal
      // tail P(Z > r) = phi(r) * Mills(r) in units of the first term phi(r) * r (the normal
      // routine gives only its limit 0 out here).
      const Extended root = r;
      const Extended logFirst = -0.5L * x + std::log(root) - std::log(SqrtTwoPi());
      return 2 * ScaledTailSeries(x, 3, n, logFirst, 1 + MillsRatio(root) / root);
    }
    double sum = term;
    for (int i = 3; i < n; i += 2) {
      term = Store(x / static_cast<Extended>(i) * term);
      sum = Store(static_cast<Extended>(term) + sum);
    }
    return (NormalUpperTail(r) + sum) * 2;
  }
  double term = Store(std::exp(-0.5L * x));
  if (term < DBL_MIN) return ScaledTailSeries(x, 2, n, -0.5L * x, 1);
  double sum = term;
  for (int i = 2; i < n; i += 2) {
    term = Store(x / static_cast<Extended>(i) * term);
    sum = Store(static_cast<Extended>(term) + sum);
  }
  return sum;
}

double ChiSquarePercentile(int n, double p) {
  return PercentileSearch(TailKind::kChiSquare, n, p, ChiSquareGuess(n, p));
}

double SigmaCoefficient(int n) {
  if (n <= 1) return 0;
  const Extended sqrtPi = SqrtPi();
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
  // exp(A - B) and sqrt(h) are stored as doubles before their product.
  const double ratio = Store(std::exp(static_cast<Extended>(a) - b));
  const double rootH = Store(std::sqrt(static_cast<Extended>(h)));
  return Store(static_cast<Extended>(ratio) * rootH);
}
