// Tail probabilities and percentiles of the Student t, normal and chi-square distributions,
// and the coefficient of the unbiased standard deviation. Pure functions: no state, no
// allocation. Arithmetic runs in extended precision (long double) between the intermediates
// that are stored as doubles; the tail routines return their result in extended precision.
#pragma once

// P(T > t) for Student's t with n degrees of freedom (n >= 1).
long double StudentTUpperTail(int n, double t);
// t with P(|T| > t) = p (two-sided, 0 < p < 1), truncated to the 0.00001 grid.
double StudentTPercentile(int n, double p);

// P(Z <= x) for the standard normal distribution, and its complement.
long double NormalLowerTail(double x);
long double NormalUpperTail(double x);

// P(X > x) for chi-square with n degrees of freedom (n >= 1, x >= 0).
long double ChiSquareUpperTail(int n, double x);
// x with P(X > x) = p (one-sided upper tail, 0 < p < 1), truncated to the 0.00001 grid.
double ChiSquarePercentile(int n, double p);

// sqrt(n/2) * Gamma((n-1)/2) / Gamma(n/2); 0 for n <= 1.
double SigmaCoefficient(int n);
