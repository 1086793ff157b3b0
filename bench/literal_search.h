// The percentile search exactly as the step search is worded, visiting every whole number from
// 0 up to the percentile: the reference that the engine's faster search must match bit for bit.
#pragma once

double LiteralStudentTPercentile(int n, double p);
double LiteralChiSquarePercentile(int n, double p);
