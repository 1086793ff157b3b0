// The analysis of one data set in the order korvan00 runs it. korvan95 computes the
// statistics before the frequencies, but shows nothing when the values are all equal, so the
// results it shows are the same.
#include "stats/analysis.h"

#include "stats/distributions.h"

AnalysisOutcome AnalyzeData(const double* data, int count, const AnalysisRequest& request,
                            AnalysisResults& results) {
  results = AnalysisResults{};
  results.count = count;
  const int k = ComputeIntervalNumber(request.intervalMode, request.intervalText, count);
  if (!ComputeFrequencies(data, count, k, results)) return AnalysisOutcome::kAllEqual;
  const PercentileSearches engine = {StudentTPercentile, ChiSquarePercentile};
  ComputeSampleStatisticsWith(data, count, request.confidencePercent, results,
                              request.searches != nullptr ? *request.searches : engine);
  return ResultsWithinRange(results) ? AnalysisOutcome::kDone : AnalysisOutcome::kTooLarge;
}
