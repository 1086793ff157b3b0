// The native half of the side-by-side benchmark (tools/side_by_side.py): the whole analysis of
// one pasted spreadsheet text as korvan00 runs it (import, interval number, frequencies,
// statistics with the t and the two chi-square percentiles, the results export text), repeated,
// with the median and the fastest time, the time of each step, the peak of the memory the
// analysis allocates, and the four limits as the results page shows them (%.7g).
//   korvan-side-bench FILE [REPETITIONS] [P]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "korvan00/results_file.h"
#include "korvan00/sheet_text.h"
#include "stats/analysis.h"

namespace {

// Bytes allocated through operator new now and at most since the last reset.
std::size_t allocatedNow = 0;
std::size_t allocatedPeak = 0;

struct alignas(std::max_align_t) BlockHeader {
  std::size_t size;
};

}  // namespace

void* operator new(std::size_t size) {
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
  if (header == nullptr) throw std::bad_alloc();
  header->size = size;
  allocatedNow += size;
  allocatedPeak = std::max(allocatedPeak, allocatedNow);
  return header + 1;
}

void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  BlockHeader* header = static_cast<BlockHeader*>(block) - 1;
  allocatedNow -= header->size;
  std::free(header);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::micro>(to - from).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: korvan-side-bench FILE [REPETITIONS] [P]\n");
    return 2;
  }
  std::FILE* file = std::fopen(argv[1], "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "cannot open %s\n", argv[1]);
    return 1;
  }
  std::string text;
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  std::fclose(file);
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 200;
  AnalysisRequest request;
  request.intervalMode = kIntervalStandard;
  request.confidencePercent = argc > 3 ? std::atof(argv[3]) : 90;

  std::vector<double> total, import, analysis, export_;
  AnalysisResults results;
  std::size_t exportSize = 0, valueCount = 0, peak = 0;
  for (int r = 0; r < repetitions; ++r) {
    const std::size_t base = allocatedNow;
    allocatedPeak = allocatedNow;
    const Clock::time_point t0 = Clock::now();
    const SheetImportResult data = ImportSheetText(text);
    const Clock::time_point t1 = Clock::now();
    const int count = static_cast<int>(data.values.size());
    if (data.outcome != kSheetOk ||
        AnalyzeData(data.values.data(), count, request, results) != AnalysisOutcome::kDone) {
      std::fprintf(stderr, "the data were refused\n");
      return 1;
    }
    const Clock::time_point t2 = Clock::now();
    const std::string content = FormatResultsFile(text.data(), data.textLength, results, 1, 0);
    const Clock::time_point t3 = Clock::now();
    total.push_back(Microseconds(t0, t3));
    import.push_back(Microseconds(t0, t1));
    analysis.push_back(Microseconds(t1, t2));
    export_.push_back(Microseconds(t2, t3));
    exportSize = content.size();
    valueCount = data.values.size();
    peak = allocatedPeak - base;
  }
  std::printf("count %zu\n", valueCount);
  std::printf("median_us %.1f\n", Median(total));
  std::printf("min_us %.1f\n", *std::min_element(total.begin(), total.end()));
  std::printf("import_us %.1f\nanalysis_us %.1f\nexport_us %.1f\n", Median(import),
              Median(analysis), Median(export_));
  std::printf("fastest_steps_us %.1f %.1f %.1f\n", *std::min_element(import.begin(), import.end()),
              *std::min_element(analysis.begin(), analysis.end()),
              *std::min_element(export_.begin(), export_.end()));
  std::printf("peak_bytes %zu\ndata_bytes %zu\ntext_bytes %zu\nexport_bytes %zu\n", peak,
              valueCount * sizeof(double), text.size(), exportSize);
  std::printf("t %.17g\nchi_small %.17g\nchi_large %.17g\n", results.tValue,
              results.chiSquareSmall, results.chiSquareLarge);
  std::printf("limits %.7g %.7g %.7g %.7g\n", results.meanLower, results.meanUpper,
              results.deviationLower, results.deviationUpper);
  return 0;
}
