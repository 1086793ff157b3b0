// The percentile search exactly as the step search is worded, visiting every whole number from
// 0 up to the percentile: the reference that the engine's faster search must match bit for bit.
// The chi-square search, when it ends at 0 (a percentile below the first grid step), goes on
// as worded with the steps 0.000001, 0.0000001, ... until its point is above 0 and has six
// significant digits, as the engine's does.
#pragma once

double LiteralStudentTPercentile(int n, double p);
double LiteralChiSquarePercentile(int n, double p);

// sqrt(n/2) Gamma((n-1)/2) / Gamma(n/2) with every factor's logarithm from the library, as
// worded: the reference for the engine's SigmaCoefficient, whose logarithms come from a walk.
double LiteralSigmaCoefficient(int n);
