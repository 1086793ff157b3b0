// The layout of korvan00's histogram page.
#include "korvan00/histogram_page.h"

#include <cmath>
#include <cstdlib>

#include "korvan00/results_file.h"

namespace korvan00 {

PageFont PageFontFor(int useJapanese) {
  return useJapanese ? PageFont{9, "ＭＳ ゴシック"} : PageFont{8, "Helv"};
}

int PageFontHeight(int points, int pixelsPerInch) {
  // MulDiv(points, pixelsPerInch, 72): rounded half away from zero.
  const long long product = static_cast<long long>(points) * pixelsPerInch;
  const long long magnitude = (std::llabs(product) + 36) / 72;
  const long long rounded = product < 0 ? -magnitude : magnitude;
  return static_cast<int>(-rounded);
}

double MarkerPosition(int pageWidth, double value, double minimum, double maximum) {
  const double span = pageWidth - 2 * kBarAreaMargin;
  return (span * value + kBarAreaMargin * maximum - (pageWidth - kBarAreaMargin) * minimum) /
         (maximum - minimum);
}

HistogramPage LayoutHistogramPage(int clientWidth, int clientHeight, const AnalysisResults& results,
                                  const AnalysisConditions& conditions, int useJapanese) {
  HistogramPage page;
  const int W = clientWidth;
  const int T = clientHeight - 116;
  const int B = T - 20;
  page.width = W;
  page.height = clientHeight - kIconBarStripHeight;
  page.textTop = T;
  page.baseLine = B;
  page.font = PageFontFor(useJapanese);
  const int basis = static_cast<int>(conditions.statisticsBasis);
  for (int n = 0; n < kPageLineCount; ++n) {
    page.lines[n] = {kPageTextLeft, T + kPageTextLineHeight * n,
                     ResultsPageLine(results, n, basis, useJapanese)};
  }

  // Bars need a range of values, an interval number the results can hold, and room: a page
  // too small for bars (a minimised window) shows the text only.
  const int k = results.intervalCount;
  const int barSpan = W - 2 * kBarAreaMargin;
  const int barRise = T - 40;
  if (!(results.minimum < results.maximum) || k < 1 || k > kMaxIntervals || barSpan <= 0 || barRise <= 0)
    return page;
  double fmax = 0;
  for (int i = 0; i < k; ++i)
    if (fmax < results.frequencies[i]) fmax = results.frequencies[i];
  if (fmax == 0) return page;

  page.histogram = true;
  page.baseLineLeft = kBaseLineMargin;
  page.baseLineRight = W - kBaseLineMargin;
  const double xw = static_cast<double>(barSpan) / k;
  for (int i = 0; i < k; ++i) {
    const double h = static_cast<double>(barRise) * results.frequencies[i] / fmax;
    HistogramBar bar;
    bar.left = static_cast<int>(i * xw) + kBarAreaMargin;
    bar.right = static_cast<int>((i + 1) * xw) + kBarAreaMargin;
    bar.height = static_cast<int>(h);
    bar.top = B - bar.height;
    bar.fillSeed = {static_cast<int>((i + 0.5) * xw) + kBarAreaMargin, B - static_cast<int>(h * 0.5)};
    // The fill spreads from the seed up to the black outline; a seed on the outline (a bar
    // under two pixels high, or one pixel wide) fills nothing.
    bar.filled = h != 0 && bar.fillSeed.x > bar.left && bar.fillSeed.x < bar.right &&
                 bar.fillSeed.y > bar.top && bar.fillSeed.y < B;
    bar.interior = bar.filled ? PageRect{bar.left + 1, bar.top + 1, bar.right, B} : PageRect{0, 0, 0, 0};
    page.bars.push_back(bar);
  }

  if (!conditions.showMarkers) return page;
  const bool sample = conditions.statisticsBasis == StatisticsBasis::kSample;
  const double m = sample ? results.mean : results.unbiasedMean;
  const double s = sample ? results.sampleDeviation : results.unbiasedDeviation;
  const double centre = MarkerPosition(W, m, results.minimum, results.maximum);
  // m lies between min and max, so its line lies on the bar area; the test only keeps a
  // broken record from reaching the integer conversion.
  if (centre >= 0 && centre <= W)
    page.markers.push_back({static_cast<int>(centre), kMarkerTop, B, false});
  // trunc(X) >= 10 exactly when X >= 10; trunc(X) <= W - 10 exactly when X < W - 9.
  const double left = MarkerPosition(W, m - s, results.minimum, results.maximum);
  if (left >= kMarkerMargin && left <= W)
    page.markers.push_back({static_cast<int>(left), kMarkerTop, B, true});
  const double right = MarkerPosition(W, m + s, results.minimum, results.maximum);
  if (right < W - kMarkerMargin + 1 && right >= 0)
    page.markers.push_back({static_cast<int>(right), kMarkerTop, B, true});
  return page;
}

}  // namespace korvan00
