// The whole analysis of 30000 pasted values as korvan00 runs it: import of the spreadsheet
// text, interval number, frequencies, statistics with the three percentiles at 29999 degrees
// of freedom, and the results export text; once with the engine's searches and once with the
// step-by-step reference searches (identical results).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "bench/literal_search.h"
#include "korvan00/results_file.h"
#include "korvan00/sheet_text.h"
#include "stats/analysis.h"
#include "stats/distributions.h"

namespace {

// count values in one column, spread like measurements around 50.
std::string MeasurementColumn(int count = 30000) {
  std::string text;
  char cell[32];
  for (int i = 0; i < count; ++i) {
    const double value = 50 + 4 * std::sin(i * 0.7) + 0.001 * (i % 1000);
    std::snprintf(cell, sizeof cell, "%.6f\r\n", value);
    text += cell;
  }
  return text;
}

void RunAnalysis(benchmark::State& state, const PercentileSearches& searches, int count = 30000) {
  const std::string text = MeasurementColumn(count);
  for (auto _ : state) {
    const SheetImportResult data = ImportSheetText(text);
    const int count = static_cast<int>(data.values.size());
    AnalysisRequest request;
    request.searches = &searches;
    AnalysisResults results;
    AnalyzeData(data.values.data(), count, request, results);
    const std::string file = FormatResultsFile(text.data(), text.size(), results, 1, 0);
    benchmark::DoNotOptimize(file.data());
  }
}

void BM_FullAnalysis30000(benchmark::State& state) {
  RunAnalysis(state, {StudentTPercentile, ChiSquarePercentile});
}
BENCHMARK(BM_FullAnalysis30000)->Unit(benchmark::kMillisecond);

void BM_FullAnalysis30000LiteralSearch(benchmark::State& state) {
  RunAnalysis(state, {LiteralStudentTPercentile, LiteralChiSquarePercentile});
}
BENCHMARK(BM_FullAnalysis30000LiteralSearch)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same whole analysis at 1000 and 10000 values.
void BM_FullAnalysis(benchmark::State& state) {
  RunAnalysis(state, {StudentTPercentile, ChiSquarePercentile}, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_FullAnalysis)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The steps of the whole analysis of 30000 values one by one.
void BM_ImportColumn30000(benchmark::State& state) {
  const std::string text = MeasurementColumn();
  for (auto _ : state) {
    const SheetImportResult data = ImportSheetText(text);
    benchmark::DoNotOptimize(data.values.data());
  }
}
BENCHMARK(BM_ImportColumn30000)->Unit(benchmark::kMicrosecond);

void BM_AnalyzeColumn30000(benchmark::State& state) {
  const std::string text = MeasurementColumn();
  const SheetImportResult data = ImportSheetText(text);
  AnalysisRequest request;
  for (auto _ : state) {
    AnalysisResults results;
    AnalyzeData(data.values.data(), static_cast<int>(data.values.size()), request, results);
    benchmark::DoNotOptimize(results.deviationLower);
  }
}
BENCHMARK(BM_AnalyzeColumn30000)->Unit(benchmark::kMicrosecond);

void BM_ExportColumn30000(benchmark::State& state) {
  const std::string text = MeasurementColumn();
  const SheetImportResult data = ImportSheetText(text);
  AnalysisRequest request;
  AnalysisResults results;
  AnalyzeData(data.values.data(), static_cast<int>(data.values.size()), request, results);
  for (auto _ : state) {
    const std::string file = FormatResultsFile(text.data(), text.size(), results, 1, 0);
    benchmark::DoNotOptimize(file.data());
  }
}
BENCHMARK(BM_ExportColumn30000)->Unit(benchmark::kMicrosecond);

void BM_SigmaCoefficient(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(SigmaCoefficient(n));
}
BENCHMARK(BM_SigmaCoefficient)->Arg(1000)->Arg(29999)->Arg(30000)->Unit(benchmark::kMicrosecond);

void BM_LiteralSigmaCoefficient(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(LiteralSigmaCoefficient(n));
}
BENCHMARK(BM_LiteralSigmaCoefficient)->Arg(30000)->Unit(benchmark::kMicrosecond);

}  // namespace
