// Speed of the data formats at their limits: the import of 30000 spreadsheet values, the
// results export listing them, and the read of a full data text file.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "korvan00/results_file.h"
#include "korvan00/sheet_text.h"
#include "korvan95/data_file.h"

namespace {

std::string SheetOf(int rows) {
  std::string text;
  for (int i = 0; i < rows; ++i)
    text += std::to_string(i * 0.37) + "\t" + std::to_string(i % 97) + "/4\r\n";
  return text;
}

void BM_ImportSheetText30000(benchmark::State& state) {
  const std::string text = SheetOf(15000);
  for (auto _ : state) {
    SheetImportResult result = ImportSheetText(text);
    benchmark::DoNotOptimize(result.values.data());
  }
}
BENCHMARK(BM_ImportSheetText30000)->Unit(benchmark::kMillisecond);

void BM_FormatResultsFile30000(benchmark::State& state) {
  const std::string text = SheetOf(15000);
  AnalysisResults results;
  results.count = 30000;
  results.intervalCount = 15;
  results.width = 1;
  for (auto _ : state) {
    std::string out = FormatResultsFile(text.data(), text.size(), results, 1, 0);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_FormatResultsFile30000)->Unit(benchmark::kMillisecond);

void BM_ReadDataText1000(benchmark::State& state) {
  std::vector<double> values(kMaxDataValues);
  for (int i = 0; i < kMaxDataValues; ++i) values[i] = i * 1.2345678e-3;
  const std::string text = WriteDataText(values);
  for (auto _ : state) {
    DataReadResult result = ReadDataText(text);
    benchmark::DoNotOptimize(result.values.data());
  }
}
BENCHMARK(BM_ReadDataText1000)->Unit(benchmark::kMicrosecond);

}  // namespace
