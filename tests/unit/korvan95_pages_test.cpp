// korvan95's results page layout, analysis conditions and main-window rules.
#include "korvan95/conditions.h"
#include "korvan95/ids.h"
#include "korvan95/main_window.h"
#include "korvan95/results_layout.h"
#include "stats/analysis.h"
#include "stats/sample_statistics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The analysis as the Analysis command runs it: statistics, interval number, frequencies.
AnalysisResults Analyse(const std::vector<double>& data, int k, double confidence = 90) {
  AnalysisResults r;
  const int n = static_cast<int>(data.size());
  ComputeSampleStatistics(data.data(), n, confidence, r);
  EXPECT_EQ(1, ComputeFrequencies(data.data(), n, k, r));
  return r;
}

const std::vector<double> kFive = {1, 2, 3, 4, 5};

TEST(ResultsLayout, TextLinesOfTheWorkedExample) {
  const AnalysisResults r = Analyse(kFive, 6);
  const ResultsLayout unbiased = LayoutResultsPage(600, 400, r, kBasisUnbiased, true, 0);
  const char* expected[] = {
      "Number of Data = 5",
      "Unbiased Estimate of Population Mean (m) = 3",
      "Unbiased Estimate of Population Standard Deviation (s) = 1.682088",
      "  ** Under 90% Confidence Probability **",
      "Confidence Interval of Population Mean : 1.492561 < mu < 4.507439",
      "Confidence Interval of Population Standard Deviation : 1.026642 < sigma < 3.751032"};
  for (int i = 0; i < kResultsLineCount; ++i) {
    EXPECT_EQ(expected[i], unbiased.lines[i]) << i;
    EXPECT_EQ(10 + 16 * i, unbiased.lineY[i]) << i;
  }
  const ResultsLayout sample = LayoutResultsPage(600, 400, r, kBasisSample, true, 0);
  EXPECT_EQ("Sample Mean (m) = 3", sample.lines[1]);
  EXPECT_EQ("Sample Standard Deviation (s) = 1.581139", sample.lines[2]);
  const ResultsLayout japanese = LayoutResultsPage(600, 400, r, kBasisUnbiased, true, 1);
  EXPECT_EQ("データ数 = 5", japanese.lines[0]);
  EXPECT_EQ("母標準偏差の不偏推定値 (s) = 1.682088", japanese.lines[2]);
  EXPECT_EQ("  ** 90% の信頼区間において **", japanese.lines[3]);
  EXPECT_EQ("母平均の区間推定 : 1.492561 < mu < 4.507439", japanese.lines[4]);
  // A probability with many digits keeps seven.
  EXPECT_EQ("  ** Under 99.12345% Confidence Probability **",
            LayoutResultsPage(600, 400, Analyse(kFive, 6, 99.12345), kBasisUnbiased, true, 0).lines[3]);
}

TEST(ResultsLayout, GraphGeometry) {
  // 600 x 400: h_max 233, base line 359, axis 60 ... 540, bars from 90, b = 420 / 6 = 70.
  // Frequencies of 1 ... 5 over 6 intervals: 1, 1, 1/2, 1/2, 1, 1.
  const ResultsLayout g = LayoutResultsPage(600, 400, Analyse(kFive, 6), kBasisSample, true, 0);
  EXPECT_EQ(233, g.plotHeight);
  EXPECT_EQ(359, g.baseY);
  EXPECT_EQ(60, g.axisLeft);
  EXPECT_EQ(540, g.axisRight);
  ASSERT_EQ(6u, g.bars.size());
  const struct { int left, right, height, fillX, fillY; } bars[] = {
      {90, 160, 233, 125, 243}, {160, 230, 233, 195, 243}, {230, 300, 116, 265, 301},
      {300, 370, 116, 335, 301}, {370, 440, 233, 405, 243}, {440, 510, 233, 475, 243}};
  for (int j = 0; j < 6; ++j) {
    EXPECT_EQ(bars[j].left, g.bars[j].left) << j;
    EXPECT_EQ(bars[j].right, g.bars[j].right) << j;
    EXPECT_EQ(bars[j].height, g.bars[j].height) << j;
    EXPECT_EQ(bars[j].fillX, g.bars[j].fillX) << j;
    EXPECT_EQ(bars[j].fillY, g.bars[j].fillY) << j;
    EXPECT_TRUE(g.bars[j].filled) << j;
  }
  // Markers: the mean in the middle; m -/+ s (s = 1.581139) at 90 + 420 (v - 1) / 4.
  EXPECT_EQ(121, g.markerTopY);  // 5 pixels above the tallest bar (359 - 233)
  EXPECT_TRUE(g.meanMarker.shown);
  EXPECT_EQ(300, g.meanMarker.x);
  EXPECT_EQ(133, g.lowerMarker.x);
  EXPECT_EQ(466, g.upperMarker.x);
  // The unbiased basis uses sigma hat = 1.682088.
  const ResultsLayout u = LayoutResultsPage(600, 400, Analyse(kFive, 6), kBasisUnbiased, true, 0);
  EXPECT_EQ(123, u.lowerMarker.x);
  EXPECT_EQ(476, u.upperMarker.x);
  const ResultsLayout hidden = LayoutResultsPage(600, 400, Analyse(kFive, 6), kBasisSample, false, 0);
  EXPECT_FALSE(hidden.meanMarker.shown || hidden.lowerMarker.shown || hidden.upperMarker.shown);
}

TEST(ResultsLayout, OneIntervalEmptyIntervalsAndLeftOutMarkers) {
  // k = 1 spans x_0 to x_0 + floor(0.7 W): 601 wide gives 90 ... 510.
  const ResultsLayout one = LayoutResultsPage(601, 400, Analyse(kFive, 1), kBasisSample, true, 0);
  ASSERT_EQ(1u, one.bars.size());
  EXPECT_EQ(90, one.bars[0].left);
  EXPECT_EQ(510, one.bars[0].right);
  EXPECT_EQ(233, one.bars[0].height);

  // 1, 2, 9, 10 over 3 intervals: the middle one is empty, an outline on the base line.
  const ResultsLayout gap = LayoutResultsPage(600, 400, Analyse({1, 2, 9, 10}, 3), kBasisSample, true, 0);
  EXPECT_EQ(0, gap.bars[1].height);
  EXPECT_FALSE(gap.bars[1].filled);
  EXPECT_TRUE(gap.bars[0].filled);

  // Nine zeros and a 10: m = 1, s = sqrt(10); m - s falls left of x_a and is left out,
  // m + s (at 90 + 42 * 4.162) stays; the mean marker is always drawn.
  std::vector<double> skewed(9, 0.0);
  skewed.push_back(10);
  const ResultsLayout left = LayoutResultsPage(600, 400, Analyse(skewed, 4), kBasisSample, true, 0);
  EXPECT_FALSE(left.lowerMarker.shown);
  EXPECT_TRUE(left.upperMarker.shown);
  EXPECT_EQ(264, left.upperMarker.x);
  EXPECT_TRUE(left.meanMarker.shown);
  EXPECT_EQ(132, left.meanMarker.x);
  std::vector<double> mirrored(9, 10.0);
  mirrored.push_back(0);
  const ResultsLayout right = LayoutResultsPage(600, 400, Analyse(mirrored, 4), kBasisSample, true, 0);
  EXPECT_TRUE(right.lowerMarker.shown);
  EXPECT_FALSE(right.upperMarker.shown);
}

// Values near the ends of the double range (a data file may hold them in exponent form): the
// analysis and the page stay defined, a marker that has no place on the axis is left out.
TEST(ResultsLayout, ExtremeValuesGiveADefinedPage) {
  const struct { std::vector<double> data; const char* meanLine; } cases[] = {
      {{1.7e308, -1.7e308, 0}, "Sample Mean (m) = 0"},
      {{1.7e308, 1.6e308, 1.5e308}, "Sample Mean (m) = inf"},  // the stored sum overflows
      {{-1.7e308, -1.7e308, 1.7e308, 1.7e308}, "Sample Mean (m) = -inf"},
      {{2.2e-308, 0, -2.2e-308}, "Sample Mean (m) = 0"}};
  for (const auto& c : cases) {
    AnalysisResults r;
    ASSERT_EQ(AnalysisOutcome::kDone, AnalyzeData(c.data.data(), static_cast<int>(c.data.size()), {}, r));
    for (int basis : {kBasisSample, kBasisUnbiased}) {
      const ResultsLayout page = LayoutResultsPage(600, 400, r, basis, true, 0);
      if (basis == kBasisSample) {
        EXPECT_EQ(c.meanLine, page.lines[1]);
      }
      EXPECT_EQ(6u, page.bars.size()) << c.meanLine;
      for (const ResultsMarker& marker : {page.meanMarker, page.lowerMarker, page.upperMarker}) {
        if (marker.shown) {
          EXPECT_TRUE(marker.x >= 0 && marker.x <= 600) << c.meanLine << " " << marker.x;
        }
      }
    }
  }
}

TEST(Conditions, InitialValuesAndStandardText) {
  const AnalysisConditions c;
  for (const ConditionValues* v : {&c.working, &c.committed}) {
    EXPECT_EQ(kBasisUnbiased, v->statisticsBasis);
    EXPECT_EQ(1, v->showMarkers);
    EXPECT_EQ(kIntervalChoice, v->intervalMode);
    EXPECT_EQ("6", v->intervalText);
    EXPECT_EQ("90", v->confidenceText);
  }
  const struct { int count; const char* text; } standard[] = {{3, "2"}, {10, "4"}, {31, "5"}, {1000, "10"}};
  for (const auto& s : standard) EXPECT_EQ(s.text, StandardIntervalText(s.count)) << s.count;
  EXPECT_TRUE(TooFewForAnalysis(2));
  EXPECT_FALSE(TooFewForAnalysis(3));
}

TEST(Conditions, FieldValidation) {
  const struct { const char* text; bool valid; } intervals[] = {
      {"21", false}, {"2.5", false}, {"0", false}, {"", false}, {"1", true}, {"7x", true},
      {"20", true}, {"10.0", true}, {" 5", true}, {"1e1", false}, {"0x5", false}, {"-3", false},
      {"2", true}};
  for (const auto& c : intervals) {
    AnalysisConditions conditions;
    const ConditionsDialogResult result = OnIntervalEdit(conditions, c.text);
    EXPECT_EQ(c.valid ? kConditionsOk : kConditionsBadInterval, result) << c.text;
    EXPECT_EQ(c.valid ? c.text : "6", conditions.working.intervalText) << c.text;
  }
  // "7x" is analysed with 7 intervals.
  EXPECT_EQ(7, ComputeIntervalNumber(kIntervalChoice, "7x", 10));
  // In Standard mode the field is computed, never refused.
  AnalysisConditions standard;
  standard.working.intervalMode = kIntervalStandard;
  EXPECT_EQ(kConditionsOk, OnIntervalEdit(standard, ""));

  const struct { const char* text; bool valid; } confidences[] = {
      {"100", false}, {"0", false}, {"-5", false}, {"", false}, {"99.9", true}, {"0.001", true},
      {" 95", true}, {"5e1", true}, {"1e2", false}, {"nan", false}, {"inf", false},
      {"0x10", false}, {"50%", true}};
  for (const auto& c : confidences) {
    AnalysisConditions conditions;
    EXPECT_EQ(c.valid ? kConditionsOk : kConditionsBadConfidence, OnConfidenceEdit(conditions, c.text))
        << c.text;
    EXPECT_EQ(c.valid ? c.text : "90", conditions.working.confidenceText) << c.text;
  }
  EXPECT_DOUBLE_EQ(99.9, LenientDecimal("99.9"));
  EXPECT_EQ(0, LenientDecimal("-."));
}

TEST(Conditions, DialogRounds) {
  AnalysisConditions c;
  BeginConditionsDialog(c);
  ConditionsDialogView view = ConditionsDialogOpens(c, 3);
  EXPECT_EQ(kDlgBasisUnbiased, view.basisButton);
  EXPECT_EQ(kDlgMarkersDisplay, view.markersButton);
  EXPECT_EQ(kDlgModeChoice, view.modeButton);
  EXPECT_EQ("6", view.intervalText);
  EXPECT_TRUE(view.intervalEnabled);

  // Radio choices, then an invalid interval: the warning, the dialog again with the choices
  // kept and the committed interval number.
  OnConditionsRadio(c, view, kDlgBasisSample, 3);
  OnConditionsRadio(c, view, kDlgMarkersHide, 3);
  OnConfidenceEdit(c, "95");
  EXPECT_EQ(kConditionsBadInterval, OnIntervalEdit(c, "21"));
  ConditionsStep step = AfterConditionsDialog(c, kConditionsBadInterval, 0);
  EXPECT_EQ(ConditionsNext::kWarnAndReopen, step.next);
  EXPECT_STREQ("Input a proper value!\n  (N=2,3,..,20)", step.message.text);
  EXPECT_STREQ("Warning", step.message.caption);
  view = ConditionsDialogOpens(c, 3);
  EXPECT_EQ(kDlgBasisSample, view.basisButton);
  EXPECT_EQ(kDlgMarkersHide, view.markersButton);
  EXPECT_EQ("6", view.intervalText);
  EXPECT_EQ("95", view.confidenceText);

  // An invalid probability: only the probability returns to the committed text.
  OnIntervalEdit(c, "8");
  step = AfterConditionsDialog(c, kConditionsBadConfidence, 1);
  EXPECT_STREQ("警告", step.message.caption);
  EXPECT_EQ("90", c.working.confidenceText);
  EXPECT_EQ("8", c.working.intervalText);

  // Standard mode shows the computed number in a disabled field.
  OnConditionsRadio(c, view, kDlgModeStandard, 1000);
  EXPECT_EQ("10", view.intervalText);
  EXPECT_FALSE(view.intervalEnabled);
  OnConditionsRadio(c, view, kDlgModeChoice, 1000);
  EXPECT_EQ("8", view.intervalText);

  // Cancel: the next dialog shows the previous choices.
  EXPECT_EQ(ConditionsNext::kStop, AfterConditionsDialog(c, kConditionsCancelled, 0).next);
  EXPECT_EQ(kBasisUnbiased, c.working.statisticsBasis);
  EXPECT_EQ("6", c.working.intervalText);

  // OK commits.
  BeginConditionsDialog(c);
  OnConditionsRadio(c, view, kDlgBasisSample, 3);
  OnIntervalEdit(c, "12");
  CommitConditions(c);
  EXPECT_EQ(ConditionsNext::kAnalyse, AfterConditionsDialog(c, kConditionsOk, 0).next);
  EXPECT_EQ(kBasisSample, c.committed.statisticsBasis);
  EXPECT_EQ("12", c.committed.intervalText);
  EXPECT_EQ(0x1010u, ConditionsDialogFailedMessage(0).icon);
}

TEST(MainWindow, MarginsAndPlacement) {
  const struct { const char* what; ScreenRect r; int left, right, top, bottom; } icons[] = {
      {"taskbar at the bottom", {0, 0, 1024, 738}, 0, 0, 0, 30},
      {"taskbar at the right", {0, 0, 960, 768}, 0, 64, 0, 0},
      {"taskbar at the top", {0, 30, 1024, 768}, 0, 0, 30, 0},
      {"taskbar at the left", {64, 0, 1024, 768}, 64, 0, 0, 0},
      {"no taskbar", {0, 0, 1024, 768}, 0, 0, 0, 0},
      {"off both edges", {10, 10, 1024, 768}, 0, 0, 0, 0}};
  for (const auto& c : icons) {
    const WorkAreaMargins m = MarginsFromDesktopIcons(c.r, 1024, 768);
    EXPECT_EQ(c.left, m.left) << c.what;
    EXPECT_EQ(c.right, m.right) << c.what;
    EXPECT_EQ(c.top, m.top) << c.what;
    EXPECT_EQ(c.bottom, m.bottom) << c.what;
  }
  const WorkAreaMargins work = MarginsFromWorkArea({0, 0, 1920, 1040}, 1920, 1080);
  EXPECT_EQ(40, work.bottom);
  EXPECT_EQ(0, work.left + work.right + work.top);
  EXPECT_EQ(64, MarginsFromWorkArea({64, 0, 1024, 768}, 1024, 768).left);

  const struct { int sw, sh; WorkAreaMargins m; int x, y, width, height; } placements[] = {
      {1024, 768, {0, 0, 0, 30}, 51, 37, 921, 664},
      {1024, 768, {}, 51, 38, 921, 691},
      {800, 600, {64, 0, 0, 0}, 101, 30, 662, 540}};
  for (const auto& p : placements) {
    const WindowPlacement w = PlaceMainWindow(p.sw, p.sh, p.m);
    EXPECT_EQ(p.x, w.x) << p.sw << " " << p.m.left;
    EXPECT_EQ(p.y, w.y) << p.sw << " " << p.m.left;
    EXPECT_EQ(p.width, w.width) << p.sw << " " << p.m.left;
    EXPECT_EQ(p.height, w.height) << p.sw << " " << p.m.left;
  }
}

TEST(MainWindow, MinimumSize) {
  // Frame extras 16 x 58: the window keeps at least 508 x 448.
  const struct { int w, h; bool minimized, resize; int width, height; } cases[] = {
      {400, 500, false, true, 508, 500}, {600, 300, false, true, 600, 448},
      {300, 300, false, true, 508, 448}, {508, 448, false, false, 508, 448},
      {160, 30, true, false, 160, 30}};
  for (const auto& c : cases) {
    const MinimumSizeFix fix = EnforceMinimumSize(c.w, c.h, 16, 58, c.minimized);
    EXPECT_EQ(c.resize, fix.resize) << c.w << "x" << c.h;
    EXPECT_EQ(c.width, fix.width) << c.w << "x" << c.h;
    EXPECT_EQ(c.height, fix.height) << c.w << "x" << c.h;
  }
}

TEST(MainWindow, MenuEnabling) {
  const CommandView start = {PageShown::kStartPicture, false, false, 1, 0};
  const CommandView grid = {PageShown::kPage, true, true, 1, 3};
  const CommandView results = {PageShown::kPage, false, true, 1, 3};
  const struct { int id; bool atStart, onGrid, onResults; } cases[] = {
      {kCmdDataRead, false, true, true},    {kCmdAnalysis, false, true, true},
      {kCmdDataSave, false, true, true},    {kCmdPreviousPage, false, true, false},
      {kCmdNextPage, false, true, false},   {kCmdSaveAs, false, false, true},
      {kCmdPrint, false, false, true},      {kCmdCopy, false, false, true},
      {kCmdDataInput, true, true, true},    {kCmdExit, true, true, true},
      {kCmdPrinterSetup, true, true, true}, {kCmdHowToUse, true, true, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.atStart, MenuItemEnabled(c.id, start)) << c.id;
    EXPECT_EQ(c.onGrid, MenuItemEnabled(c.id, grid)) << c.id;
    EXPECT_EQ(c.onResults, MenuItemEnabled(c.id, results)) << c.id;
  }
  const struct { int button, command; } buttons[] = {
      {kButtonSaveAs, kCmdSaveAs}, {kButtonPreviousPage, kCmdPreviousPage}, {kButtonExit, kCmdExit},
      {kButtonAnalysis, kCmdAnalysis}, {150, 0}, {0, 0}};
  for (const auto& b : buttons) EXPECT_EQ(b.command, CommandForButton(b.button)) << b.button;
}

TEST(MainWindow, ButtonsOnPaint) {
  using B = ButtonChange;
  auto at = [](const std::array<B, 11>& changes, int id) { return changes[id - kButtonFirst]; };
  const struct { const char* what; CommandView view; B saveAs, previous, next, read; } cases[] = {
      {"first grid page", {PageShown::kPage, true, true, 1, 3}, B::kDisable, B::kDisable, B::kEnable, B::kEnable},
      {"middle grid page", {PageShown::kPage, true, true, 2, 3}, B::kDisable, B::kEnable, B::kEnable, B::kEnable},
      {"last grid page", {PageShown::kPage, true, true, 3, 3}, B::kDisable, B::kEnable, B::kDisable, B::kEnable},
      {"results", {PageShown::kPage, false, true, 2, 3}, B::kEnable, B::kDisable, B::kDisable, B::kEnable},
      {"start picture", {PageShown::kStartPicture, false, false, 1, 0}, B::kUnchanged, B::kUnchanged,
       B::kUnchanged, B::kUnchanged},
      {"rebuilding results", {PageShown::kRebuildingResults, false, true, 1, 1}, B::kUnchanged,
       B::kUnchanged, B::kUnchanged, B::kUnchanged}};
  for (const auto& c : cases) {
    const auto changes = ButtonChangesOnPaint(c.view);
    EXPECT_EQ(c.saveAs, at(changes, kButtonSaveAs)) << c.what;
    EXPECT_EQ(c.saveAs, at(changes, kButtonCopy)) << c.what;
    EXPECT_EQ(c.previous, at(changes, kButtonPreviousPage)) << c.what;
    EXPECT_EQ(c.next, at(changes, kButtonNextPage)) << c.what;
    EXPECT_EQ(c.read, at(changes, kButtonDataRead)) << c.what;
    EXPECT_EQ(B::kUnchanged, at(changes, kButtonExit)) << c.what;
  }
}

}  // namespace
