// The one analysis of a data set that korvan95, korvan00, the command-line analyser and the
// benchmarks run: interval number, frequencies with the equal-values test, then the sample
// statistics with both confidence intervals. Pure: no state, no messages.
#pragma once

#include "stats/sample_statistics.h"

enum class AnalysisOutcome { kDone, kAllEqual, kTooLarge };

struct AnalysisRequest {
  int intervalMode = kIntervalChoice;  // kIntervalChoice or kIntervalStandard
  const char* intervalText = "6";      // the interval text of Choice mode
  double confidencePercent = 90;       // 0 < P < 100
  // The percentile searches; null for the engine's own. The benchmarks pass the step-by-step
  // reference here, whose results are the same bits.
  const PercentileSearches* searches = nullptr;
};

// Clears results, then fills the interval number, minimum, maximum, width and frequencies
// (slots from k on zero) and, unless every value is the same, the statistics with both
// intervals. kAllEqual when every value is the same: results then hold the count, k,
// minimum, maximum and width 0, and no statistics. kTooLarge when a result lies beyond the
// range of a double (ResultsWithinRange): nothing of them is to be shown. Needs count >= 3
// finite values.
AnalysisOutcome AnalyzeData(const double* data, int count, const AnalysisRequest& request,
                            AnalysisResults& results);
