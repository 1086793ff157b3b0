// korvan95's results page layout, analysis conditions and main-window rules.
#include "korvan95/conditions.h"
#include "korvan95/ids.h"
#include "korvan95/main_window.h"
#include "korvan95/results_layout.h"
#include "stats/analysis.h"
#include "stats/sample_statistics.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
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

using Bar = std::tuple<int, int, int, bool, int, int>;  // left, right, height, filled, fill x, y
std::vector<Bar> Bars(const ResultsLayout& layout) {
  std::vector<Bar> bars;
  for (const ResultsBar& b : layout.bars) bars.emplace_back(b.left, b.right, b.height, b.filled, b.fillX, b.fillY);
  return bars;
}

// The x of each marker shown, -1 for one left out: mean, m - d, m + d.
std::vector<int> Markers(const ResultsLayout& layout) {
  std::vector<int> xs;
  for (const ResultsMarker& m : {layout.meanMarker, layout.lowerMarker, layout.upperMarker})
    xs.push_back(m.shown ? m.x : -1);
  return xs;
}

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
  EXPECT_EQ(std::tuple(233, 359, 60, 540), std::tuple(g.plotHeight, g.baseY, g.axisLeft, g.axisRight));
  EXPECT_EQ((std::vector<Bar>{{90, 160, 233, true, 125, 243}, {160, 230, 233, true, 195, 243},
                              {230, 300, 116, true, 265, 301}, {300, 370, 116, true, 335, 301},
                              {370, 440, 233, true, 405, 243}, {440, 510, 233, true, 475, 243}}),
            Bars(g));
  // Markers 5 pixels above the tallest bar: the mean in the middle, m -/+ s (s = 1.581139)
  // at 90 + 420 (v - 1) / 4; the unbiased basis uses sigma hat = 1.682088.
  EXPECT_EQ(121, g.markerTopY);
  EXPECT_EQ((std::vector<int>{300, 133, 466}), Markers(g));
  EXPECT_EQ((std::vector<int>{300, 123, 476}),
            Markers(LayoutResultsPage(600, 400, Analyse(kFive, 6), kBasisUnbiased, true, 0)));
  EXPECT_EQ((std::vector<int>{-1, -1, -1}),
            Markers(LayoutResultsPage(600, 400, Analyse(kFive, 6), kBasisSample, false, 0)));
  // The dashed markers stay on the axis 60 ... 540, its ends included (X(v) = 90 + 105 (v - 1)).
  AnalysisResults wide = Analyse(kFive, 6);
  for (const auto& [s, xs] : {std::pair{2.285, std::vector<int>{300, 60, 539}}, std::pair{2.29, std::vector<int>{300, -1, 540}}}) {
    wide.sampleDeviation = s;
    EXPECT_EQ(xs, Markers(LayoutResultsPage(600, 400, wide, kBasisSample, true, 0))) << s;
  }
}

TEST(ResultsLayout, OneIntervalEmptyIntervalsAndLeftOutMarkers) {
  // k = 1 spans x_0 to x_0 + floor(0.7 W): 601 wide gives 90 ... 510.
  EXPECT_EQ((std::vector<Bar>{{90, 510, 233, true, 300, 243}}),
            Bars(LayoutResultsPage(601, 400, Analyse(kFive, 1), kBasisSample, true, 0)));
  // 1, 2, 9, 10 over 3 intervals: the middle one is empty, an outline on the base line.
  const ResultsLayout gap = LayoutResultsPage(600, 400, Analyse({1, 2, 9, 10}, 3), kBasisSample, true, 0);
  EXPECT_EQ(std::tuple(0, false, true), std::tuple(gap.bars[1].height, gap.bars[1].filled, gap.bars[0].filled));
  // A bar of one pixel stays an outline, one of two is filled (h_max 233: 1/233 and 2/233).
  AnalysisResults thin = Analyse(kFive, 3);
  thin.twiceFrequencies[0] = 233;
  thin.twiceFrequencies[1] = 1;
  thin.twiceFrequencies[2] = 2;
  const ResultsLayout low = LayoutResultsPage(600, 400, thin, kBasisSample, true, 0);
  EXPECT_EQ(std::tuple(1, false, 2, true), std::tuple(low.bars[1].height, low.bars[1].filled, low.bars[2].height, low.bars[2].filled));

  // Nine zeros and a 10: m = 1, s = sqrt(10); m - s falls left of x_a and is left out,
  // m + s (at 90 + 42 * 4.162) stays; the mean marker is always drawn.
  std::vector<double> skewed(9, 0.0);
  skewed.push_back(10);
  EXPECT_EQ((std::vector<int>{132, -1, 264}), Markers(LayoutResultsPage(600, 400, Analyse(skewed, 4), kBasisSample, true, 0)));
  std::vector<double> mirrored(9, 10.0);
  mirrored.push_back(0);
  EXPECT_EQ((std::vector<int>{468, 335, -1}), Markers(LayoutResultsPage(600, 400, Analyse(mirrored, 4), kBasisSample, true, 0)));
}

// Values near the ends of the double range (a data file may hold them in exponent form): the
// analysis and the page stay defined, a marker that has no place on the axis is left out.
TEST(ResultsLayout, ExtremeValuesGiveADefinedPage) {
  const struct { std::vector<double> data; const char* meanLine; int meanX; } cases[] = {
      {{1.7e308, -1.7e308, 0}, "Sample Mean (m) = 0", 300},
      {{1.7e308, 1.6e308, 1.5e308}, "Sample Mean (m) = inf", -1},  // the stored sum overflows
      {{-1.7e308, -1.7e308, 1.7e308, 1.7e308}, "Sample Mean (m) = -inf", -1},
      {{2.2e-308, 0, -2.2e-308}, "Sample Mean (m) = 0", 300}};
  for (const auto& c : cases) {
    AnalysisResults r;
    ASSERT_EQ(AnalysisOutcome::kDone, AnalyzeData(c.data.data(), static_cast<int>(c.data.size()), {}, r));
    const ResultsLayout sample = LayoutResultsPage(600, 400, r, kBasisSample, true, 0);
    EXPECT_EQ(std::tuple(std::string(c.meanLine), c.meanX), std::tuple(sample.lines[1], Markers(sample)[0]));
    for (int basis : {kBasisSample, kBasisUnbiased}) {
      const ResultsLayout page = LayoutResultsPage(600, 400, r, basis, true, 0);
      EXPECT_EQ(6u, page.bars.size()) << c.meanLine;
      for (const ResultsMarker& m : {page.meanMarker, page.lowerMarker, page.upperMarker})
        EXPECT_TRUE(!m.shown || (m.x >= 0 && m.x <= 600)) << c.meanLine << " " << m.x;
    }
  }
}

TEST(Conditions, FieldValidation) {
  const struct { const char* text; bool valid; } intervals[] = {
      {"21", false}, {"2.5", false}, {"0", false}, {"", false}, {"1", true}, {"7x", true}, {"20", true},
      {"10.0", true}, {" 5", true}, {"1e1", false}, {"0x5", false}, {"-3", false}, {"2", true}};
  for (const auto& c : intervals) {
    AnalysisConditions conditions;
    EXPECT_EQ(c.valid ? kConditionsOk : kConditionsBadInterval, OnIntervalEdit(conditions, c.text)) << c.text;
    EXPECT_EQ(c.valid ? c.text : "6", conditions.working.intervalText) << c.text;
  }
  EXPECT_EQ(7, ComputeIntervalNumber(kIntervalChoice, "7x", 10));  // "7x" is analysed with 7
  AnalysisConditions standard;  // in Standard mode the field is computed, never refused
  standard.working.intervalMode = kIntervalStandard;
  EXPECT_EQ(kConditionsOk, OnIntervalEdit(standard, ""));
  const struct { int count; const char* text; } standardTexts[] = {{3, "2"}, {10, "4"}, {31, "5"}, {1000, "10"}};
  for (const auto& s : standardTexts) EXPECT_EQ(s.text, StandardIntervalText(s.count)) << s.count;
  EXPECT_EQ(std::tuple(true, false), std::tuple(TooFewForAnalysis(2), TooFewForAnalysis(3)));

  const struct { const char* text; bool valid; } confidences[] = {
      {"100", false}, {"0", false}, {"-5", false}, {"", false}, {"99.9", true}, {"0.001", true}, {" 95", true},
      {"5e1", true}, {"1e2", false}, {"nan", false}, {"inf", false}, {"0x10", false}, {"50%", true}};
  for (const auto& c : confidences) {
    AnalysisConditions conditions;
    EXPECT_EQ(c.valid ? kConditionsOk : kConditionsBadConfidence, OnConfidenceEdit(conditions, c.text)) << c.text;
    EXPECT_EQ(c.valid ? c.text : "90", conditions.working.confidenceText) << c.text;
  }
  EXPECT_DOUBLE_EQ(99.9, LenientDecimal("99.9"));
  EXPECT_EQ(0, LenientDecimal("-."));
}

// basis button, markers button, mode button, interval text, interval field enabled
auto Shown(const ConditionsDialogView& v) {
  return std::tuple(v.basisButton, v.markersButton, v.modeButton, v.intervalText, v.intervalEnabled);
}

TEST(Conditions, AnInvalidFieldReopensTheDialogWithTheChoicesKept) {
  AnalysisConditions c;
  BeginConditionsDialog(c);
  ConditionsDialogView view = ConditionsDialogOpens(c, 3);
  EXPECT_EQ(std::tuple(kDlgBasisUnbiased, kDlgMarkersDisplay, kDlgModeChoice, std::string("6"), true), Shown(view));
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
  EXPECT_EQ(std::tuple(kDlgBasisSample, kDlgMarkersHide, kDlgModeChoice, std::string("6"), true), Shown(view));
  EXPECT_EQ("95", view.confidenceText);
  // An invalid probability: only the probability returns to the committed text.
  OnIntervalEdit(c, "8");
  step = AfterConditionsDialog(c, kConditionsBadConfidence, 1);
  EXPECT_EQ(ConditionsNext::kWarnAndReopen, step.next);
  EXPECT_STREQ("警告", step.message.caption);
  EXPECT_EQ(std::tuple(std::string("90"), std::string("8")), std::tuple(c.working.confidenceText, c.working.intervalText));
  // Standard mode shows the computed number in a disabled field, Choice the working text.
  OnConditionsRadio(c, view, kDlgModeStandard, 1000);
  EXPECT_EQ(std::tuple(kDlgModeStandard, std::string("10"), false), std::tuple(view.modeButton, view.intervalText, view.intervalEnabled));
  EXPECT_EQ(std::tuple(kDlgBasisSample, kDlgMarkersHide, kDlgModeStandard, std::string("4"), false),
            Shown(ConditionsDialogOpens(c, 10)));
  OnConditionsRadio(c, view, kDlgModeChoice, 1000);
  EXPECT_EQ(std::tuple(std::string("8"), true), std::tuple(view.intervalText, view.intervalEnabled));
}

TEST(Conditions, CancelKeepsAndOkCommits) {
  AnalysisConditions c;
  BeginConditionsDialog(c);
  ConditionsDialogView view = ConditionsDialogOpens(c, 3);
  OnConditionsRadio(c, view, kDlgBasisSample, 3);
  OnIntervalEdit(c, "8");
  EXPECT_EQ(ConditionsNext::kStop, AfterConditionsDialog(c, kConditionsCancelled, 0).next);
  EXPECT_EQ(std::tuple(kBasisUnbiased, std::string("6")), std::tuple(c.working.statisticsBasis, c.working.intervalText));

  BeginConditionsDialog(c);
  OnConditionsRadio(c, view, kDlgBasisSample, 3);
  OnIntervalEdit(c, "12");
  CommitConditions(c);
  EXPECT_EQ(ConditionsNext::kAnalyse, AfterConditionsDialog(c, kConditionsOk, 0).next);
  EXPECT_EQ(std::tuple(kBasisSample, std::string("12")), std::tuple(c.committed.statisticsBasis, c.committed.intervalText));
  EXPECT_EQ(0x1010u, ConditionsDialogFailedMessage(0).icon);
}

TEST(MainWindow, MarginsPlacementAndMinimumSize) {
  const auto tie = [](const WorkAreaMargins& m) { return std::tuple(m.left, m.right, m.top, m.bottom); };
  const struct { ScreenRect r; std::tuple<int, int, int, int> margins; } icons[] = {
      {{0, 0, 1024, 738}, {0, 0, 0, 30}},  // taskbar at the bottom
      {{0, 0, 960, 768}, {0, 64, 0, 0}},   // at the right
      {{0, 30, 1024, 768}, {0, 0, 30, 0}}, // at the top
      {{64, 0, 1024, 768}, {64, 0, 0, 0}}, // at the left
      {{0, 0, 1024, 768}, {0, 0, 0, 0}},   // none
      {{10, 10, 1024, 768}, {0, 0, 0, 0}}};  // off both edges
  for (const auto& c : icons) EXPECT_EQ(c.margins, tie(MarginsFromDesktopIcons(c.r, 1024, 768))) << c.r.left << "," << c.r.top;
  EXPECT_EQ(std::tuple(0, 0, 0, 40), tie(MarginsFromWorkArea({0, 0, 1920, 1040}, 1920, 1080)));
  EXPECT_EQ(std::tuple(64, 0, 0, 0), tie(MarginsFromWorkArea({64, 0, 1024, 768}, 1024, 768)));

  const struct { int sw, sh; WorkAreaMargins m; std::tuple<int, int, int, int> place; } placements[] = {
      {1024, 768, {0, 0, 0, 30}, {51, 37, 921, 664}},
      {1024, 768, {}, {51, 38, 921, 691}},
      {800, 600, {64, 0, 0, 0}, {101, 30, 662, 540}}};
  for (const auto& p : placements) {
    const WindowPlacement w = PlaceMainWindow(p.sw, p.sh, p.m);
    EXPECT_EQ(p.place, std::tuple(w.x, w.y, w.width, w.height)) << p.sw << " " << p.m.left;
  }
  // Frame extras 16 x 58: the window keeps at least 508 x 448.
  const struct { int w, h; bool minimized, resize; int width, height; } sizes[] = {
      {400, 500, false, true, 508, 500}, {600, 300, false, true, 600, 448}, {300, 300, false, true, 508, 448},
      {508, 448, false, false, 508, 448}, {160, 30, true, false, 160, 30}};
  for (const auto& c : sizes) {
    const MinimumSizeFix fix = EnforceMinimumSize(c.w, c.h, 16, 58, c.minimized);
    EXPECT_EQ(std::tuple(c.resize, c.width, c.height), std::tuple(fix.resize, fix.width, fix.height)) << c.w << "x" << c.h;
  }
}

TEST(MainWindow, MenuEnabling) {
  const CommandView start = {PageShown::kStartPicture, false, false, 1, 0};
  const CommandView grid = {PageShown::kPage, true, true, 1, 3};
  const CommandView results = {PageShown::kPage, false, true, 1, 3};
  const struct { int id; bool atStart, onGrid, onResults; } cases[] = {
      {kCmdDataRead, false, true, true},    {kCmdAnalysis, false, true, true},   {kCmdDataSave, false, true, true},
      {kCmdPreviousPage, false, true, false}, {kCmdNextPage, false, true, false}, {kCmdSaveAs, false, false, true},
      {kCmdPrint, false, false, true},      {kCmdCopy, false, false, true},      {kCmdDataInput, true, true, true},
      {kCmdExit, true, true, true},         {kCmdPrinterSetup, true, true, true}, {kCmdHowToUse, true, true, true}};
  for (const auto& c : cases)
    EXPECT_EQ(std::tuple(c.atStart, c.onGrid, c.onResults),
              std::tuple(MenuItemEnabled(c.id, start), MenuItemEnabled(c.id, grid), MenuItemEnabled(c.id, results)))
        << c.id;
  const struct { int button, command; } buttons[] = {
      {kButtonSaveAs, kCmdSaveAs}, {kButtonPreviousPage, kCmdPreviousPage}, {kButtonExit, kCmdExit},
      {kButtonAnalysis, kCmdAnalysis}, {150, 0}, {0, 0}};
  for (const auto& b : buttons) EXPECT_EQ(b.command, CommandForButton(b.button)) << b.button;
}

TEST(MainWindow, ButtonsOnPaint) {
  using B = ButtonChange;
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
    const auto at = [&](int id) { return changes[id - kButtonFirst]; };
    EXPECT_EQ(std::tuple(c.saveAs, c.saveAs, c.previous, c.next, c.read, B::kUnchanged),
              std::tuple(at(kButtonSaveAs), at(kButtonCopy), at(kButtonPreviousPage), at(kButtonNextPage),
                         at(kButtonDataRead), at(kButtonExit)))
        << c.what;
  }
}

}  // namespace
