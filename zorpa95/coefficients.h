// The distribution routines of the confidence-coefficient calculator and the coefficients
// computed from them. This engine is private to zorpa95: closed approximations, a
// Cornish-Fisher expansion, one Newton step and a two-sided decimal search, all in plain
// doubles. It is deliberately not the engine of stats/ (the two give different digits); the
// exact tails of stats/ serve only to check each approximate quantile and to replace the ones
// that are more than 1 % off (CheckedQuantile).
#pragma once

#include <string>

// z with P(Z <= z) = p for the standard normal distribution (0 < p < 1).
double NormalQuantileApprox(double p);
// P(Z <= u) for the standard normal distribution, by polynomials.
double NormalLowerTailPoly(double u);
// P(X > x) for chi-square with n degrees of freedom, 3 <= n <= 10, x >= 0.
double ChiSquareTailSeries(double x, int n);
// x with P(X > x) = p for chi-square with n >= 1 degrees of freedom. Returns 0 when the
// start of the Newton step is clamped to 0 (the density there is 0 and no step is possible),
// which the callers treat as a quantile beyond the computable range.
double ChiSquareQuantileApprox(double p, int n);
// P(|T| > |t|) for Student's t with n >= 1 degrees of freedom.
double TTwoSidedTail(double t, int n);
// The series part of TTwoSidedTail.
double TTailSeries(double start, int n, double term, double offset, double s);
// t with P(|T| > t) = a by decimal stepping from step 10000 down to the tolerance.
// Returns 0 (never a result of a finished search) when the search is given up after
// kTQuantileSearchMaxSteps probabilities, which happens when a lies below the smallest
// probability the tail routine can reach.
double TQuantileSearch(double a, int n);
// t with P(|T| > t) = a: the expansion for n > 5 with a > 0.005 or n > 13, else the search.
double TQuantileTwoSided(double a, int n);

constexpr long kTQuantileSearchMaxSteps = 1000000L;

// The three quantiles the coefficients are made of.
enum class QuantileKind {
  kStudentT,          // t with P(|T| > t) = alpha: the mean coefficient
  kChiSquareLarger,   // chi2_L with P(X > x) = alpha/2: the variance coefficient Cl
  kChiSquareSmaller   // chi2_U with P(X < x) = alpha/2: the variance coefficient Cu
};

// The quantile of this calculator's own approximations for cf in percent and the sample size
// n (n - 1 degrees of freedom), exactly as computed before any check.
double ApproximateQuantile(QuantileKind kind, double cf, int n);

// The smaller tail beyond x (P(T > x), P(X > x) or P(X < x)) by the exact tails of stats/,
// and the probability it should have: alpha/2 for every kind.
long double SmallerTail(QuantileKind kind, int n, double x);
double TargetTail(double cf);

// Tails below this lie within the rounding of the exact tails (whose sums are stored as
// doubles, so a tail near 1 or 1/2 is known to about n * 1e-16) and are not resolved: a
// quantile for them is not shown.
double SmallestResolvedTail(int n);

// Whether x passes the check: finite, positive, its smaller tail within 1 % (relative) of the
// target, and the exact root within a factor 1.01 of x (so the coefficient is within 1 %).
// A t quantile too close to 0 for the exact tail to tell apart passes unchecked.
bool PassesTailCheck(QuantileKind kind, double cf, int n, double x);

// The root of the exact tail for cf and n: bracketed from the start point, then bisected down
// to adjacent doubles. Returns 0 when the target is not resolved or no bracket is found.
double ExactQuantile(QuantileKind kind, double cf, int n, double start);

enum class QuantileSource {
  kApproximation,  // the approximation passed the check and is kept unchanged
  kExactRoot,      // replaced by the root of the exact tail
  kUnresolved      // the exact tail cannot resolve the target: no quantile
};

struct CheckedQuantileResult {
  double value;
  QuantileSource source;
};

// The quantile that is shown. The approximation is kept while it passes the check; from the
// first cf at which it fails, going out from cf = 50 toward 100 (or toward 0) over a ladder
// of 32 rungs a decade, the exact root is used for every cf further out as well, so the two
// are joined at one place on each side. There the exact root is held no nearer to the middle
// than the last kept approximation, so the quantile is monotone in cf across the join.
CheckedQuantileResult CheckedQuantile(QuantileKind kind, double cf, int n);

enum CoefficientStatus {
  kCoefficientOutOfRange = 0,  // the value cannot be computed for this cf and n
  kCoefficientOk = 1
};

// The mean coefficient Cl = t / sqrt(n) for the confidence probability cf in percent
// (1.0E-5 <= cf < 100) and the sample size n (2 to 10000).
CoefficientStatus MeanCoefficient(double cf, int n, double &cl);
// The variance coefficients Cl = (n - 1) / chi2_L and Cu = (n - 1) / chi2_U for cf in percent
// (0 < cf < 100) and the sample size n (2 to 10000).
CoefficientStatus VarianceCoefficients(double cf, int n, double &cl, double &cu);

// A coefficient as the result boxes show it: "%-16.6f".
std::string FormatCoefficient(double value);

// The message shown when a coefficient is beyond the computable range, and its caption.
const char *CoefficientRangeMessage(int useJapanese);
