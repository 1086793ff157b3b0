// The analysis of 1, 2, 3, 4, 5 at 90 % with 6 intervals, filled by hand for the tests of
// the texts that show it.
#pragma once

#include <cmath>

#include "stats/sample_statistics.h"

// From the worked values: t = 2.13184, chi-square quantiles 0.71072 and 9.48772.
inline AnalysisResults FiveValues() {
  AnalysisResults r;
  r.count = 5;
  r.mean = 3;
  r.unbiasedMean = 3;
  r.sampleDeviation = std::sqrt(2.5);
  r.factorR = std::sqrt(4.0 / 5.0);
  const double coefficient = std::sqrt(2.5) * std::tgamma(2.0) / std::tgamma(2.5);
  r.unbiasedDeviation = coefficient * r.sampleDeviation * r.factorR;
  r.confidence = 90;
  r.tValue = 2.13184;
  const double half = r.tValue * r.sampleDeviation * r.factorR / std::sqrt(4.0);
  r.meanLower = r.mean - half;
  r.meanUpper = r.mean + half;
  r.chiSquareSmall = 0.71072;
  r.chiSquareLarge = 9.48772;
  r.deviationUpper = std::sqrt(5 / r.chiSquareSmall) * (r.sampleDeviation * r.factorR);
  r.deviationLower = std::sqrt(5 / r.chiSquareLarge) * (r.sampleDeviation * r.factorR);
  r.intervalCount = 6;
  r.minimum = 1;
  r.maximum = 5;
  r.width = 4.0 / 6.0;
  const double frequencies[] = {1, 1, 0.5, 0.5, 1, 1};
  for (int i = 0; i < 6; ++i) {
    r.frequencies[i] = frequencies[i];
    r.twiceFrequencies[i] = static_cast<int>(2 * frequencies[i]);
  }
  return r;
}

