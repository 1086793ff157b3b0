// korvan00's two commands that a user waits for, as the program runs them:
//  - Analysis with 30000 values on the clipboard, from the clipboard text up to the results
//    file dialog (import, analysis, the export text is formed only after the dialog);
//  - Draw Graph's page for the fixed 474 x 377 client area: the layout, the page's pixels
//    (white page, base line, bar outlines and fills, markers) and the BMP bytes of Save Graph.
// Every system call goes through a host that answers at once; the GDI calls themselves run
// under Windows only and are not measured here.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "korvan00/commands.h"
#include "korvan00/histogram_page.h"
#include "output/page_bitmap.h"

namespace {

using namespace korvan00;

std::string ThirtyThousandCells() {
  std::string text;
  char cell[32];
  for (int i = 0; i < 30000; ++i) {
    std::snprintf(cell, sizeof cell, "%.6f\r\n", 50 + 4 * std::sin(i * 0.7) + 0.001 * (i % 1000));
    text += cell;
  }
  return text;
}

// A host whose clipboard holds the text and whose save dialog is cancelled at once.
class QuickHost : public CommandHost {
 public:
  explicit QuickHost(const std::string& text) : text_(text) {}
  std::optional<std::string> ReadClipboardText() override { return text_; }
  void SetWaitCursor(bool) override {}
  void ShowNotice(const Notice&) override {}
  void ShowStartPicture() override {}
  void Repaint(IconBarStrip) override {}
  void BringToForeground() override {}
  bool RunConditionsDialog(ConditionsDialog&) override { return true; }
  SaveDialogAnswer AskResultsFileName(int) override {
    ++dialogs;
    return {};
  }
  bool IsRefusedDrive(const std::string&) override { return false; }
  bool HasEnoughFreeSpace(const std::string&, unsigned long long) override { return true; }
  FileWriteOutcome WriteResultsFile(const std::wstring&, const std::string&) override {
    return FileWriteOutcome::kWritten;
  }
  ClientSize ClientAreaSize() override { return {474, 377}; }
  void DrawPage(PageState, const HistogramPage&) override {}
  int dialogs = 0;

 private:
  const std::string& text_;
};

void BM_Korvan00AnalysisUpToTheFileDialog30000(benchmark::State& state) {
  const std::string text = ThirtyThousandCells();
  QuickHost host(text);
  for (auto _ : state) {
    ProgramState program;
    RunAnalysis(program, host, 0);
    benchmark::DoNotOptimize(program.results.mean);
  }
  if (host.dialogs != static_cast<int>(state.iterations())) state.SkipWithError("no file dialog reached");
}
BENCHMARK(BM_Korvan00AnalysisUpToTheFileDialog30000)->Unit(benchmark::kMillisecond);

// The page's palette indexes as the drawing leaves them (text lines left out).
void PaintPage(const HistogramPage& page, std::vector<unsigned char>& pixels) {
  constexpr unsigned char kBlack = 0, kRed = 9, kBlue = 12, kWhite = 15;
  pixels.assign(static_cast<std::size_t>(page.width) * page.height, kWhite);
  auto at = [&](int x, int y) -> unsigned char& { return pixels[static_cast<std::size_t>(y) * page.width + x]; };
  for (int x = page.baseLineLeft; x < page.baseLineRight; ++x) at(x, page.baseLine) = kBlack;
  for (const HistogramBar& bar : page.bars) {
    for (int y = bar.top; y < page.baseLine; ++y) at(bar.left, y) = at(bar.right, y) = kBlack;
    for (int x = bar.left; x <= bar.right; ++x) at(x, bar.top) = kBlack;
    for (int y = bar.interior.top; y < bar.interior.bottom; ++y) {
      for (int x = bar.interior.left; x < bar.interior.right; ++x) at(x, y) = kBlue;
    }
  }
  for (const HistogramMarker& marker : page.markers) {
    for (int y = marker.top + 1; y <= marker.bottom; ++y) {
      if (!marker.dashed || (y / 6) % 3 != 2) at(marker.x, y) = kRed;
    }
  }
}

void BM_Korvan00HistogramPage(benchmark::State& state) {
  AnalysisResults results;
  results.count = 30000;
  results.intervalCount = 20;
  results.minimum = 10;
  results.maximum = 90;
  results.width = 4;
  results.mean = 50;
  results.sampleDeviation = 12;
  results.unbiasedDeviation = 12.0002;
  results.meanLower = 49.9;
  results.meanUpper = 50.1;
  results.deviationLower = 11.9;
  results.deviationUpper = 12.1;
  results.confidence = 90;
  for (int i = 0; i < 20; ++i) results.frequencies[i] = 1500 + 700 * std::sin(i * 0.3);
  AnalysisConditions conditions;
  std::vector<unsigned char> pixels;
  std::vector<unsigned char> file;
  for (auto _ : state) {
    const HistogramPage page = LayoutHistogramPage(474, 377, results, conditions, 0);
    PaintPage(page, pixels);
    const PageImageSize size{page.width, page.height};
    const std::vector<unsigned char> block = EncodePageBlock(pixels, size, PageHeaderUse::kCapture);
    BuildBitmapFile(block.data(), block.size(), file);
    benchmark::DoNotOptimize(file.data());
  }
}
BENCHMARK(BM_Korvan00HistogramPage)->Unit(benchmark::kMicrosecond);

}  // namespace
