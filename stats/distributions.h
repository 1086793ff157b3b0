// Tail probabilities and percentiles of the Student t, normal and chi-square distributions,
// and the coefficient of the unbiased standard deviation. Pure functions: no state, no
// allocation. Arithmetic runs in extended precision (long double) between the intermediates
// that are stored as doubles; the tail routines return their result in extended precision.
#pragma once

// P(T > t) for Student's t with n degrees of freedom (n >= 1).
long double StudentTUpperTail(int n, double t);
// t with P(|T| > t) = p (two-sided, 0 < p < 1), truncated to the 0.00001 grid.
double StudentTPercentile(int n, double p);

// P(Z <= x) for the standard normal distribution, and its complement. From |x| of about 14.1
// the series gives its limits 1 and 0, and keeps them where its first term underflows.
long double NormalLowerTail(double x);
long double NormalUpperTail(double x);

// P(X > x) for chi-square with n degrees of freedom (n >= 1, x >= 0). Where exp(-x/2) leaves
// the range of normal doubles (x above about 1417) the series is summed scaled, so the tail
// stays correct and falling down to the smallest long double; for n = 1 it stays
// 2 NormalUpperTail(sqrt(x)), which is 0 there.
long double ChiSquareUpperTail(int n, double x);
// x with P(X > x) = p (one-sided upper tail, 0 < p < 1), truncated to the 0.00001 grid.
// Both searches find their whole-number stage by bisection, with the same result as stepping.
double ChiSquarePercentile(int n, double p);

// sqrt(n/2) * Gamma((n-1)/2) / Gamma(n/2); 0 for n <= 1.
double SigmaCoefficient(int n);
