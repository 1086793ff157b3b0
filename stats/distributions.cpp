// Tail probabilities by the closed finite series for integer degrees of freedom, percentiles by
// the decimal step search. Arithmetic runs in long double (the x87 extended format, 64-bit
// mantissa); every named intermediate is stored as a double at the point the algorithm names,
// through Store(), so the native and the Windows builds give the same bits.
#include "stats/distributions.h"

#include <cfloat>
#include <cmath>

#include "stats/stored_log_walk.h"

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


// ---- Paired tail evaluations ----------------------------------------------------------------
// The searches below check two points at a time. Each pair routine runs the operations of the
// single routine (StudentTUpperTailAt, ChiSquareUpperTailAt) for both points in one loop, so
// the two dependency chains overlap; every operation, and so every bit, is that of the single
// routine for each point.

// The t series of StudentTUpperTail for two arguments.
void StudentTUpperTailPair(int n, const double t[2], Extended q[2]) {
  double k[2], s[2], sum[2] = {0, 0};
  for (int j = 0; j < 2; ++j) {
    k[j] = Store(static_cast<Extended>(n) / (n + static_cast<Extended>(t[j]) * t[j]));
    s[j] = Store(std::sqrt(1 - static_cast<Extended>(k[j])));
    if (t[j] < 0) s[j] = -s[j];
  }
  double s0 = s[0], s1 = s[1], sum0 = 0, sum1 = 0;
  const Extended k0 = k[0], k1 = k[1];
  for (int i = (n % 2 == 0) ? 2 : 3; i <= n; i += 2) {
    sum0 = Store(static_cast<Extended>(sum0) + s0);
    sum1 = Store(static_cast<Extended>(sum1) + s1);
    const Extended previous = static_cast<Extended>(i - 1);
    s0 = Store(previous * k0 / i * s0);
    s1 = Store(previous * k1 / i * s1);
  }
  sum[0] = sum0;
  sum[1] = sum1;
  for (int j = 0; j < 2; ++j) {
    if (n % 2 == 0) {
      q[j] = 0.5L - 0.5L * sum[j];
    } else {
      const double g = Store(std::sqrt(static_cast<Extended>(k[j])) * sum[j]);
      const double rootN = Store(std::sqrt(static_cast<Extended>(n)));
      q[j] = 0.5L - (std::atan(static_cast<Extended>(t[j]) / rootN) + g) * kInversePi;
    }
  }
}

// ScaledTailSeries for two arguments with the same i0 and n.
void ScaledTailSeriesPair(const double x[2], int i0, int n, const Extended logFirst[2],
                          const Extended start[2], Extended result[2]) {
  constexpr int kRescaleBits = 8000;
  const Extended rescaleLimit = std::ldexp(1.0L, kRescaleBits);
  const Extended x0 = x[0], x1 = x[1];
  Extended term0 = 1, term1 = 1;
  Extended sum0 = start[0], sum1 = start[1];
  long long exponent0 = 0, exponent1 = 0;
  for (int i = i0; i < n; i += 2) {
    const Extended divisor = static_cast<Extended>(i);
    term0 = x0 / divisor * term0;
    term1 = x1 / divisor * term1;
    sum0 = term0 + sum0;
    sum1 = term1 + sum1;
    if (sum0 > rescaleLimit || sum1 > rescaleLimit) {
      if (sum0 > rescaleLimit) {
        term0 = std::ldexp(term0, -kRescaleBits);
        sum0 = std::ldexp(sum0, -kRescaleBits);
        exponent0 += kRescaleBits;
      }
      if (sum1 > rescaleLimit) {
        term1 = std::ldexp(term1, -kRescaleBits);
        sum1 = std::ldexp(sum1, -kRescaleBits);
        exponent1 += kRescaleBits;
      }
    }
  }
  result[0] = std::exp(logFirst[0] + static_cast<Extended>(exponent0) * kLn2 + std::log(sum0));
  result[1] = std::exp(logFirst[1] + static_cast<Extended>(exponent1) * kLn2 + std::log(sum1));
}

// The stored-term series of ChiSquareUpperTail for two arguments (terms and sums stored as
// doubles): the sum of first * x^j / (i0 (i0 + 2) ...) over i = i0, i0 + 2, ... < n.
void StoredTailSeriesPair(const double x[2], int i0, int n, double term[2], double sum[2]) {
  for (int i = i0; i < n; i += 2) {
    term[0] = Store(x[0] / static_cast<Extended>(i) * term[0]);
    term[1] = Store(x[1] / static_cast<Extended>(i) * term[1]);
    sum[0] = Store(static_cast<Extended>(term[0]) + sum[0]);
    sum[1] = Store(static_cast<Extended>(term[1]) + sum[1]);
  }
}

}  // namespace

// Declared here, defined below with the public routines (they are the single forms).
namespace {
void ChiSquareUpperTailPair(int n, const double x[2], Extended q[2]);
}  // namespace

namespace {

// ---- Accurate estimates of the percentiles ---------------------------------------------------
// The fast search predicts the outcome of the continue condition at every point of the search
// from an accurate estimate of where the condition changes, and checks the prediction with the
// engine's own tails. The estimates below solve tail(x) = p by Newton's method on closed
// approximations of the two tails that cost a few hundred terms instead of n / 2; their error
// is far below the grid (about 1e-12 relative), and only decides how many points are checked.

// ln of the Poisson-like term e^-y y^m / Gamma(m + 1), m >= 9 (m whole or half), in a form
// that keeps its digits when y is near m; ln Gamma(m + 1) by Stirling's series (Abramowitz and
// Stegun 6.1.41), error below 1e-14 from m = 9.
Extended LogPoissonTerm(Extended m, Extended y) {
  const Extended z = m + 1;
  const Extended w = 1 / (z * z);
  const Extended series =
      (1.0L / 12 - w * (1.0L / 360 - w * (1.0L / 1260 - w * (1.0L / 1680 - w / 1188)))) / z;
  constexpr Extended kHalfLogTwoPi = 0.918938533204672741780329736405617639861L;
  // m ln y - (z - 1/2) ln z + z - y = m ln(y / z) - ln(z) / 2 + (z - y)
  return m * std::log1p((y - z) / z) - 0.5L * std::log(z) + (z - y) - kHalfLogTwoPi - series;
}

// The chi-square upper tail Q(n/2, x/2) and the density at x, summed from the terms next to
// the crossing outwards (the lower tail 1 - Q below the mean, the upper tail above it) until
// they no longer count. n >= 20.
void ChiSquareTailApprox(int n, Extended x, Extended& tail, Extended& density) {
  const Extended a = 0.5L * n;
  const Extended y = 0.5L * x;
  const Extended termBelow = std::exp(LogPoissonTerm(a - 1, y));  // e^-y y^(a-1) / Gamma(a)
  density = 0.5L * termBelow;
  constexpr Extended kNegligible = 1e-22L;
  if (y < a) {
    // 1 - Q = sum over j >= 0 of e^-y y^(a+j) / Gamma(a+j+1)
    Extended term = termBelow * y / a;
    Extended lower = term;
    for (Extended m = a + 1; term > kNegligible * lower; m += 1) {
      term *= y / m;
      lower += term;
    }
    tail = 1 - lower;
  } else {
    Extended term = termBelow;
    Extended upper = term;
    Extended m = a - 1;
    while (m >= 1 && term > kNegligible * upper) {
      term *= m / y;
      upper += term;
      m -= 1;
    }
    if (n % 2 != 0 && m < 1 && term > kNegligible * upper) upper += std::erfc(std::sqrt(y));
    tail = upper;
  }
}

// The continued fraction of the incomplete beta function (modified Lentz; Numerical Recipes,
// betacf), for x below (a + 1) / (a + b + 2), where it converges in about sqrt(a) steps.
Extended BetaContinuedFraction(Extended a, Extended b, Extended x) {
  constexpr Extended kTiny = 1e-4000L;
  const Extended qab = a + b, qap = a + 1, qam = a - 1;
  Extended c = 1, d = 1 - qab * x / qap;
  if (std::fabs(d) < kTiny) d = kTiny;
  d = 1 / d;
  Extended h = d;
  for (int m = 1; m <= 2000; ++m) {
    const int m2 = 2 * m;
    Extended aa = m * (b - m) * x / ((qam + m2) * (a + m2));
    d = 1 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1 / d;
    h *= d * c;
    aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
    d = 1 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1 / d;
    const Extended delta = d * c;
    h *= delta;
    if (std::fabs(delta - 1) < 1e-19L) break;
  }
  return h;
}

// The Student t upper tail P(T > t) = I_x(n/2, 1/2) / 2 with x = n / (n + t^2), and the
// density at t, for t >= 0.
void StudentTTailApprox(int n, Extended t, Extended& tail, Extended& density) {
  const Extended a = 0.5L * n, b = 0.5L;
  const Extended ratio = t * t / n;
  const Extended logX = -std::log1p(ratio);                    // ln(n / (n + t^2))
  const Extended logOneMinusX = std::log(ratio) + logX;        // ln(t^2 / (n + t^2))
  const Extended logBeta = std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b);
  const Extended x = std::exp(logX);
  const Extended oneMinusX = ratio / (1 + ratio);
  Extended incomplete;  // I_x(a, b)
  if (t == 0) {
    incomplete = 1;
  } else if (x < (a + 1) / (a + b + 2)) {
    incomplete = std::exp(a * logX + b * logOneMinusX - logBeta) *
                 BetaContinuedFraction(a, b, x) / a;
  } else {
    incomplete = 1 - std::exp(a * logX + b * logOneMinusX - logBeta) *
                         BetaContinuedFraction(b, a, oneMinusX) / b;
  }
  tail = 0.5L * incomplete;
  density = std::exp((a + b) * logX - logBeta) / std::sqrt(static_cast<Extended>(n));
}

// The normal quantile by Abramowitz and Stegun 26.2.23 (error below 4.5e-4), for 0 < p < 1:
// the z with P(Z > z) = p.
double NormalUpperQuantileRough(double p) {
  const double tail = p < 0.5 ? p : 1 - p;
  const double u = std::sqrt(-2 * std::log(tail));
  const double z = u - (2.515517 + 0.802853 * u + 0.010328 * u * u) /
                           (1 + 1.432788 * u + 0.189269 * u * u + 0.001308 * u * u * u);
  return p < 0.5 ? z : -z;
}

// An estimate of the point at which a tail crosses the probability target, with the density
// there; valid false when Newton's method did not settle.
struct CrossingEstimate {
  bool valid = false;
  Extended x = 0;
  Extended density = 0;
  Extended tail = 0;
};

// Newton's method on tail(x) = target from start, x kept above zero.
template <typename Tail>
CrossingEstimate SolveCrossing(Tail tail, Extended target, Extended start) {
  CrossingEstimate estimate;
  Extended x = start;
  for (int iteration = 0; iteration < 30; ++iteration) {
    Extended q, f;
    tail(x, q, f);
    if (!(f > 0) || !std::isfinite(q)) return estimate;
    Extended next = x + (q - target) / f;
    if (!(next > 0)) next = 0.5L * x;
    if (!(next < 4 * x + 10)) next = 4 * x + 10;
    const Extended change = std::fabs(next - x);
    x = next;
    if (change <= 1e-13L * (1 + x)) {
      tail(x, q, f);
      estimate.valid = std::isfinite(q) && f > 0;
      estimate.x = x;
      estimate.density = f;
      estimate.tail = q;
      return estimate;
    }
  }
  return estimate;
}

// ---- The predicted search ---------------------------------------------------------------------

// Evaluates the continue condition at up to two points, the two in one paired pass.
void ConditionPair(TailKind kind, int n, double p, const double x[2], bool holds[2]) {
  Extended q[2];
  if (kind == TailKind::kStudentT) {
    StudentTUpperTailPair(n, x, q);
    for (int j = 0; j < 2; ++j) holds[j] = 2 * Store(q[j]) > p;
  } else {
    ChiSquareUpperTailPair(n, x, q);
    for (int j = 0; j < 2; ++j) holds[j] = Store(q[j]) > p;
  }
}

// The step search as worded (from 0 with steps 1, 0.1, ... 0.00001), with the outcome of the
// condition at each point predicted from an estimate of where it changes: below low it holds,
// from high on it fails, and in between it is evaluated. The prediction is then checked at the
// largest point predicted to hold and at the smallest predicted to fail; the condition holds
// below the percentile and fails above it, so when both agree, every prediction was right and
// the result is that of the worded search, bit for bit. found is false when a check failed.
double PredictedSearch(TailKind kind, int n, double p, double low, double high, bool& found) {
  found = false;
  constexpr double kLargestWhole = 4503599627370496.0;  // 2^52
  if (low < 0) low = 0;
  if (!(high < kLargestWhole && low <= high)) return 0;
  double largestHold = -1;               // largest point predicted to hold (-1: none)
  double smallestFail = kLargestWhole;   // smallest point predicted to fail
  bool anyFail = false;
  int evaluations = 0;
  // Whole numbers are exact: every one below low holds, so the worded search reaches
  // floor(low) with all the ones below it predicted to hold.
  double x = std::floor(low);
  if (x >= 1) largestHold = x - 1;
  double step = 1.0;
  for (;;) {
    bool holds;
    if (x < low) {
      holds = true;
      if (x > largestHold) largestHold = x;
    } else if (x >= high) {
      holds = false;
      anyFail = true;
      if (x < smallestFail) smallestFail = x;
    } else {
      if (++evaluations > 24) return 0;  // the estimate is too rough to be worth it
      holds = SearchContinues(kind, n, p, x);
    }
    x = Store(static_cast<Extended>(x) + step);
    if (holds) continue;
    x = Store(static_cast<Extended>(x) - 2 * static_cast<Extended>(step));
    step = Store(step * kStepFactor);
    if (step < kSearchLimit) break;
  }
  const bool checkHold = largestHold >= 0, checkFail = anyFail;
  if (checkHold && checkFail) {
    const double points[2] = {largestHold, smallestFail};
    bool outcomes[2];
    ConditionPair(kind, n, p, points, outcomes);
    if (!outcomes[0] || outcomes[1]) return 0;
  } else if (checkHold) {
    if (!SearchContinues(kind, n, p, largestHold)) return 0;
  } else if (checkFail) {
    if (SearchContinues(kind, n, p, smallestFail)) return 0;
  }
  found = true;
  return x;
}

// The smallest number of degrees of freedom for which the searches run predicted; below it the
// tails are short and the bisecting search is as quick.
constexpr int kPredictedFromDegrees = 20;

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
  if (n >= kPredictedFromDegrees && p > 0 && p < 1) {
    const Extended target = 0.5L * p;  // 2 q > p compares the one-sided tail with p / 2
    const double z = NormalUpperQuantileRough(0.5 * p);
    const Extended start = z > 0 ? z + (z * z * z + z) / (4.0 * n) : 0.5L;
    const CrossingEstimate estimate = SolveCrossing(
        [n](Extended t, Extended& q, Extended& f) { StudentTTailApprox(n, t, q, f); }, target,
        start);
    if (estimate.valid) {
      // The t series carries the rounding of n stored terms and sums (absolute, since the
      // tail is 1/2 less a sum near 1/2), the estimate about 1e-14 of the tail; and the stored
      // k = n / (n + t^2) moves the crossing by up to n / t times half its last place.
      const Extended tailError = 1e-15L + 1e-16L * n + 1e-13L * estimate.tail;
      const Extended margin = 4 * tailError / estimate.density +
                              1e-16L * n / (estimate.x + 1e-300L) + 1e-12L * estimate.x;
      bool found = false;
      const double x = PredictedSearch(TailKind::kStudentT, n, p, Store(estimate.x - margin),
                                       Store(estimate.x + margin), found);
      if (found) return x;
    }
  }
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

namespace {

// The worded search ends at 0 when the percentile lies below the first grid step (small
// degrees of freedom at probabilities near 1), and sqrt(N / 0) would make an infinite limit.
// There the search goes on as worded with the steps 0.000001, 0.0000001, ... from 0 until its
// point is above 0 and has six significant digits: the largest point of that step at which
// the condition holds, as on the coarser grids, so the percentile lies within one step above
// it, a relative 1e-5 at most, and a limit sqrt(N / x) s r within a relative 5e-6. (Five
// digits would leave up to 1e-4 when the leading digit is 1.)
double ContinueBelowTheGrid(int n, double p) {
  double step = 1.0;
  while (step >= kSearchLimit) step = Store(step * kStepFactor);
  double x = 0;
  for (;;) {
    for (;;) {
      const bool holds = SearchContinues(TailKind::kChiSquare, n, p, x);
      x = Store(static_cast<Extended>(x) + step);
      if (!holds) break;
    }
    x = Store(static_cast<Extended>(x) - 2 * static_cast<Extended>(step));
    // Six significant digits: the step is a hundred-thousandth of x's leading decade.
    if (x > 0 && x >= 99999.5 * step) return x;
    step = Store(step * kStepFactor);
    if (step < 1e-300) return x;
  }
}

}  // namespace

double ChiSquarePercentile(int n, double p) {
  double x = 0;
  bool found = false;
  if (n >= kPredictedFromDegrees && p > 0 && p < 1) {
    const CrossingEstimate estimate = SolveCrossing(
        [n](Extended at, Extended& q, Extended& f) { ChiSquareTailApprox(n, at, q, f); }, p,
        ChiSquareGuess(n, p));
    if (estimate.valid) {
      // The series carries a relative error of about 1e-15 (the stored terms below x of 1417,
      // the logarithms of the scaled sums above), the estimate about 1e-14 of the tail.
      const Extended tailError = (1e-14L + 4e-16L * n) * estimate.tail + 1e-15L;
      const Extended margin = tailError / estimate.density + 1e-12L * estimate.x;
      x = PredictedSearch(TailKind::kChiSquare, n, p, Store(estimate.x - margin),
                          Store(estimate.x + margin), found);
    }
  }
  if (!found) x = PercentileSearch(TailKind::kChiSquare, n, p, ChiSquareGuess(n, p));
  if (x == 0 && p > 0 && p < 1) x = ContinueBelowTheGrid(n, p);
  return x;
}

namespace {

void ChiSquareUpperTailPair(int n, const double x[2], Extended q[2]) {
  if (n == 1) {
    for (int j = 0; j < 2; ++j) q[j] = ChiSquareUpperTail(n, x[j]);
    return;
  }
  double term[2], r[2] = {0, 0};
  bool scaled[2];
  for (int j = 0; j < 2; ++j) {
    if (n % 2 != 0) {
      r[j] = Store(std::sqrt(static_cast<Extended>(x[j])));
      term[j] = Store(std::exp(-0.5L * x[j]) * r[j]);
      term[j] = Store(term[j] / SqrtTwoPi());
      scaled[j] = term[j] < DBL_MIN && x[j] > 1;
    } else {
      term[j] = Store(std::exp(-0.5L * x[j]));
      scaled[j] = term[j] < DBL_MIN;
    }
  }
  if (scaled[0] != scaled[1]) {
    for (int j = 0; j < 2; ++j) q[j] = ChiSquareUpperTail(n, x[j]);
    return;
  }
  if (scaled[0]) {
    Extended logFirst[2], start[2], sum[2];
    for (int j = 0; j < 2; ++j) {
      if (n % 2 != 0) {
        const Extended root = r[j];
        logFirst[j] = -0.5L * x[j] + std::log(root) - std::log(SqrtTwoPi());
        start[j] = 1 + MillsRatio(root) / root;
      } else {
        logFirst[j] = -0.5L * x[j];
        start[j] = 1;
      }
    }
    ScaledTailSeriesPair(x, n % 2 != 0 ? 3 : 2, n, logFirst, start, sum);
    for (int j = 0; j < 2; ++j) q[j] = n % 2 != 0 ? 2 * sum[j] : sum[j];
    return;
  }
  double sum[2] = {term[0], term[1]};
  StoredTailSeriesPair(x, n % 2 != 0 ? 3 : 2, n, term, sum);
  for (int j = 0; j < 2; ++j) q[j] = n % 2 != 0 ? (NormalUpperTail(r[j]) + sum[j]) * 2 : sum[j];
}

}  // namespace

double SigmaCoefficient(int n) {
  if (n <= 1) return 0;
  const Extended sqrtPi = SqrtPi();
  if (n == 2) return Store(sqrtPi);
  if (n == 3) return Store(std::sqrt(1.5L) / (0.5L * sqrtPi));
  const double h = Store(0.5L * n);
  double a;  // ln Gamma((n - 1) / 2)
  double b;  // ln Gamma(n / 2)
  // Each product's logarithms come from a walk over its factors, 0.5, 1.5, ... or 1, 2, ...
  // (the same bits as StoredLog of each factor), added in the same order.
  if (h == std::trunc(h)) {
    a = StoredLog(sqrtPi);
    b = 0;
    StoredLogWalk halves(0.5), wholes(1.0);
    for (int i = 4; i <= n; i += 2) {
      a = Store(a + static_cast<Extended>(halves.Next()));  // ln((i - 3) / 2)
      b = Store(b + static_cast<Extended>(wholes.Next()));  // ln((i - 2) / 2)
    }
  } else {
    // The two products in one loop, each added in its own order: b's first factor (i = 3)
    // has no partner in a.
    a = 0;
    b = StoredLog(sqrtPi);
    StoredLogWalk wholes(1.0), halves(0.5);
    b = Store(b + static_cast<Extended>(halves.Next()));  // ln(1 / 2)
    for (int i = 5; i <= n; i += 2) {
      a = Store(a + static_cast<Extended>(wholes.Next()));  // ln((i - 3) / 2)
      b = Store(b + static_cast<Extended>(halves.Next()));  // ln((i - 2) / 2)
    }
  }
  // exp(A - B) and sqrt(h) are stored as doubles before their product.
  const double ratio = Store(std::exp(static_cast<Extended>(a) - b));
  const double rootH = Store(std::sqrt(static_cast<Extended>(h)));
  return Store(static_cast<Extended>(ratio) * rootH);
}
