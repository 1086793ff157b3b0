// Layout of the results page.
#include "korvan95/results_layout.h"

#include "common/result_labels.h"
#include "common/text_format.h"

#include <algorithm>
#include <cmath>

namespace {

std::string Number(double value) {
  std::string text;
  AppendFormat(text, "%.7g", value);
  return text;
}

// Pixel column of a computed position; far-off values are kept in int range.
int Column(double x) { return static_cast<int>(std::floor(std::clamp(x, -1e8, 1e8))); }

}  // namespace

ResultsLayout LayoutResultsPage(int width, int height, const AnalysisResults& r, int basis,
                                bool showMarkers, int useJapanese) {
  const int W = width;
  const int H = height;
  const int j = useJapanese;
  ResultsLayout layout{};

  const bool unbiased = basis == kBasisUnbiased;
  layout.lines[0] = ValueLabel(kResultCount, j) + std::to_string(r.count);
  layout.lines[1] = ValueLabel(unbiased ? kResultUnbiasedMean : kResultSampleMean, j) +
                    Number(unbiased ? r.unbiasedMean : r.mean);
  const double deviation = unbiased ? r.unbiasedDeviation : r.sampleDeviation;
  layout.lines[2] = ValueLabel(unbiased ? kResultUnbiasedDeviation : kResultSampleDeviation, j) + Number(deviation);
  layout.lines[3] = TextFor(kResultConfidenceBefore, j) + Number(r.confidence) + TextFor(kResultConfidenceAfter, j);
  layout.lines[4] = IntervalLabel(kResultMeanInterval, j) + Number(r.meanLower) + kMeanIntervalMiddle +
                    Number(r.meanUpper);
  layout.lines[5] = IntervalLabel(kResultDeviationInterval, j) + Number(r.deviationLower) +
                    kDeviationIntervalMiddle + Number(r.deviationUpper);
  for (int i = 0; i < kResultsLineCount; ++i) layout.lineY[i] = 10 + 16 * i;

  layout.plotHeight = H - 167;
  layout.baseY = H - 41;
  layout.axisLeft = static_cast<int>(0.1 * W);
  layout.axisRight = W - layout.axisLeft;
  layout.barLeft = static_cast<int>(0.15 * W);
  const int k = std::clamp(r.intervalCount, 0, kMaxIntervals);
  layout.barUnit = k > 0 ? 0.7 * W / k : 0;
  layout.markerTopY = layout.baseY - layout.plotHeight - 5;

  double largest = 0;
  for (int i = 0; i < k; ++i) largest = std::max(largest, static_cast<double>(r.twiceFrequencies[i]));
  const int x0 = layout.barLeft;
  const double b = layout.barUnit;
  for (int i = 0; i < k; ++i) {
    const double h = largest > 0 ? layout.plotHeight * static_cast<double>(r.twiceFrequencies[i]) / largest : 0;
    ResultsBar bar;
    bar.left = x0 + static_cast<int>(i * b);
    bar.right = x0 + static_cast<int>((i + 1) * b);
    bar.height = static_cast<int>(h);
    bar.filled = bar.height >= 2;
    bar.fillX = x0 + static_cast<int>((i + 0.5) * b);
    bar.fillY = layout.baseY - static_cast<int>(h * 0.5);
    layout.bars.push_back(bar);
  }

  if (showMarkers && r.maximum > r.minimum) {
    const double span = r.maximum - r.minimum;
    // The marker of v; none where v is no finite number (a mean or deviation beyond the
    // range of a double).
    auto at = [&](double v) {
      double x = ((W - 2.0 * x0) * v + x0 * r.maximum - (W - static_cast<double>(x0)) * r.minimum) / span;
      // Values near the ends of the double range overflow that form: the same map, halved.
      if (!std::isfinite(x)) {
        x = x0 + (W - 2.0 * x0) * ((0.5 * v - 0.5 * r.minimum) / (0.5 * r.maximum - 0.5 * r.minimum));
      }
      return std::isfinite(x) ? ResultsMarker{true, Column(x)} : ResultsMarker{false, 0};
    };
    layout.meanMarker = at(r.mean);
    layout.lowerMarker = at(r.mean - deviation);
    layout.upperMarker = at(r.mean + deviation);
    layout.lowerMarker.shown = layout.lowerMarker.shown && layout.lowerMarker.x >= layout.axisLeft;
    layout.upperMarker.shown = layout.upperMarker.shown && layout.upperMarker.x <= layout.axisRight;
  }
  return layout;
}
