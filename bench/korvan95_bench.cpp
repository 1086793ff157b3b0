// korvan95's work behind one results page: the analysis of 1000 values with the layout of the
// page for an 800 x 600 client area, and the byte work of Save As for such a page (the
// captured 4-bit block from the palette indexes, then the BMP file). The GDI steps (drawing,
// StretchBlt, GetDIBits) run under Windows only and are not measured here.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "korvan95/results_layout.h"
#include "output/page_bitmap.h"
#include "stats/analysis.h"

namespace {

void BM_Korvan95AnalysisAndLayout1000(benchmark::State& state) {
  std::vector<double> values(1000);
  for (int i = 0; i < 1000; ++i) values[i] = 50 + 4 * std::sin(i * 0.7) + 0.001 * i;
  const AnalysisRequest request;  // Choice, 6 intervals, 90 %
  for (auto _ : state) {
    AnalysisResults results;
    AnalyzeData(values.data(), 1000, request, results);
    const ResultsLayout layout = LayoutResultsPage(800, 600, results, kBasisUnbiased, true, 0);
    benchmark::DoNotOptimize(layout.bars.data());
  }
}
BENCHMARK(BM_Korvan95AnalysisAndLayout1000)->Unit(benchmark::kMicrosecond);

void BM_Korvan95PageBitmap800x600(benchmark::State& state) {
  const PageImageSize size = PageImageSizeOf(800, 600);
  std::vector<unsigned char> indexes(static_cast<std::size_t>(size.width) * size.height, 15);
  for (std::size_t i = 0; i < indexes.size(); i += 7) indexes[i] = 12;
  for (auto _ : state) {
    const std::vector<unsigned char> block = EncodePageBlock(indexes, size, PageHeaderUse::kCapture);
    std::vector<unsigned char> file;
    BuildBitmapFile(block.data(), block.size(), file);
    benchmark::DoNotOptimize(file.data());
  }
}
BENCHMARK(BM_Korvan95PageBitmap800x600)->Unit(benchmark::kMicrosecond);

}  // namespace
