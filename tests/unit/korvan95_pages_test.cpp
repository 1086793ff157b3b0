// korvan95's results page layout, analysis conditions and main-window rules.
#include "korvan95/conditions.h"
#include "korvan95/ids.h"
#include "korvan95/main_window.h"
#include "korvan95/results_layout.h"
#include "stats/analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/unit/fields.h"

namespace {

using namespace std::string_literals;

// The analysis as the Analysis command runs it, with k intervals.
AnalysisResults Analyse(const std::vector<double>& data, int k = 6, double confidence = 90) {
  AnalysisResults r;
  const std::string text = std::to_string(k);
  AnalyzeData(data.data(), static_cast<int>(data.size()), {kIntervalChoice, text.c_str(), confidence}, r);
  return r;
}

// The results page of 600 x 400 (or width x 400).
ResultsLayout Page(const AnalysisResults& r, int basis = kBasisSample, bool markers = true, int ja = 0, int w = 600) {
  return LayoutResultsPage(w, 400, r, basis, markers, ja);
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
  const ResultsLayout unbiased = Page(Analyse(kFive), kBasisUnbiased);
  EXPECT_EQ((std::vector<std::string>{
                "Number of Data = 5", "Unbiased Estimate of Population Mean (m) = 3",
                "Unbiased Estimate of Population Standard Deviation (s) = 1.682088",
                "  ** Under 90% Confidence Probability **",
                "Confidence Interval of Population Mean : 1.492561 < mu < 4.507439",
                "Confidence Interval of Population Standard Deviation : 1.026642 < sigma < 3.751032"}),
            std::vector(unbiased.lines, std::end(unbiased.lines)));
  EXPECT_EQ((std::vector<int>{10, 26, 42, 58, 74, 90}), std::vector(unbiased.lineY, std::end(unbiased.lineY)));
  EXPECT_EQ("Sample Standard Deviation (s) = 1.581139", Page(Analyse(kFive)).lines[2]);
  EXPECT_EQ("母標準偏差の不偏推定値 (s) = 1.682088", Page(Analyse(kFive), kBasisUnbiased, true, 1).lines[2]);
  // A probability with many digits keeps seven.
  EXPECT_EQ("  ** Under 99.12345% Confidence Probability **", Page(Analyse(kFive, 6, 99.12345)).lines[3]);
}

TEST(ResultsLayout, GraphGeometryOneIntervalEmptyIntervalsAndLeftOutMarkers) {
  // 600 x 400: h_max 233, base line 359, axis 60 ... 540, bars from 90, b = 420 / 6 = 70.
  // Frequencies of 1 ... 5 over 6 intervals: 1, 1, 1/2, 1/2, 1, 1.
  const ResultsLayout g = Page(Analyse(kFive));
  EXPECT_FIELDS(std::tuple(233, 359, 60, 540, 121), g.plotHeight, g.baseY, g.axisLeft, g.axisRight, g.markerTopY);
  EXPECT_EQ((std::vector<Bar>{{90, 160, 233, true, 125, 243}, {160, 230, 233, true, 195, 243},
                              {230, 300, 116, true, 265, 301}, {300, 370, 116, true, 335, 301},
                              {370, 440, 233, true, 405, 243}, {440, 510, 233, true, 475, 243}}),
            Bars(g));
  // Markers 5 pixels above the tallest bar (121): the mean in the middle, m -/+ s (s = 1.581139)
  // at 90 + 420 (v - 1) / 4; the unbiased basis uses sigma hat = 1.682088.
  EXPECT_EQ((std::vector<int>{300, 133, 466}), Markers(g));
  EXPECT_EQ((std::vector<int>{300, 123, 476}), Markers(Page(Analyse(kFive), kBasisUnbiased)));
  EXPECT_EQ((std::vector<int>{-1, -1, -1}), Markers(Page(Analyse(kFive), kBasisSample, false)));
  // The dashed markers stay on the axis 60 ... 540, its ends included (X(v) = 90 + 105 (v - 1)).
  AnalysisResults wide = Analyse(kFive);
  wide.sampleDeviation = 2.285;
  EXPECT_EQ((std::vector<int>{300, 60, 539}), Markers(Page(wide)));
  wide.sampleDeviation = 2.29;
  EXPECT_EQ((std::vector<int>{300, -1, 540}), Markers(Page(wide)));

  // k = 1 spans x_0 to x_0 + floor(0.7 W): 601 wide gives 90 ... 510.
  EXPECT_EQ((std::vector<Bar>{{90, 510, 233, true, 300, 243}}),
            Bars(Page(Analyse(kFive, 1), kBasisSample, true, 0, 601)));
  // 1, 2, 9, 10 over 3 intervals: the middle one is empty, an outline on the base line.
  const ResultsLayout gap = Page(Analyse({1, 2, 9, 10}, 3));
  EXPECT_EQ(std::tuple(0, false, true), std::tuple(gap.bars[1].height, gap.bars[1].filled, gap.bars[0].filled));
  // A bar of one pixel stays an outline, one of two is filled (h_max 233: 1/233 and 2/233).
  AnalysisResults thin = Analyse(kFive, 3);
  std::ranges::copy(std::initializer_list<int>{233, 1, 2}, thin.twiceFrequencies);
  const ResultsLayout low = Page(thin);
  EXPECT_EQ(std::tuple(1, false, 2, true),
            std::tuple(low.bars[1].height, low.bars[1].filled, low.bars[2].height, low.bars[2].filled));
  // Nine zeros and a 10: m = 1, s = sqrt(10); m - s falls left of x_a and is left out,
  // m + s (at 90 + 42 * 4.162) stays; the mean marker is always drawn.
  EXPECT_EQ((std::vector<int>{132, -1, 264}), Markers(Page(Analyse({0, 0, 0, 0, 0, 0, 0, 0, 0, 10}, 4))));
  EXPECT_EQ((std::vector<int>{468, 335, -1}), Markers(Page(Analyse({10, 10, 10, 10, 10, 10, 10, 10, 10, 0}, 4))));
  // Near the ends of the double range the map overflows; halved, it places m = 1.6e308 and m -/+ s
  // (s = 1e307) on the ends of the bars.
  EXPECT_EQ((std::vector<int>{300, 90, 510}), Markers(Page(Analyse({1.7e308, 1.6e308, 1.5e308}))));
}

TEST(Conditions, FieldValidation) {
  // Each text typed into the interval field and into the probability field: a refused one
  // leaves the working text as it was.
  const struct { const char* text; bool interval, confidence; } texts[] = {
      {"1", 1, 1}, {"2", 1, 1}, {"20", 1, 1}, {"10.0", 1, 1}, {" 5", 1, 1}, {"7x", 1, 1}, {"21", 0, 1}, {"2.5", 0, 1},
      {"1e1", 0, 1}, {"5e1", 0, 1}, {"99.9", 0, 1}, {"0.001", 0, 1}, {" 95", 0, 1}, {"50%", 0, 1}, {"0", 0, 0},
      {"", 0, 0}, {"-3", 0, 0}, {"0x5", 0, 0}, {"100", 0, 0}, {"1e2", 0, 0}, {"nan", 0, 0}, {"inf", 0, 0},
      {"0x10", 0, 0}, {"-.", 0, 0}};
  for (const auto& c : texts) {
    AnalysisConditions conditions;
    const auto interval = OnIntervalEdit(conditions, c.text);
    const auto confidence = OnConfidenceEdit(conditions, c.text);
    EXPECT_FIELDS(std::tuple(c.interval ? kConditionsOk : kConditionsBadInterval, c.interval ? c.text : "6",
                             c.confidence ? kConditionsOk : kConditionsBadConfidence, c.confidence ? c.text : "90"),
                  interval, conditions.working.intervalText, confidence, conditions.working.confidenceText) << c.text;
  }
  AnalysisConditions standard;  // in Standard mode the field is computed, never refused
  standard.working.intervalMode = kIntervalStandard;
  EXPECT_EQ(kConditionsOk, OnIntervalEdit(standard, ""));
  EXPECT_EQ(std::tuple(true, false), std::tuple(TooFewForAnalysis(2), TooFewForAnalysis(3)));
}

// What the dialog shows: basis button, markers button, mode button, interval text, interval field enabled, probability text.
#define SHOWN(v) v.basisButton, v.markersButton, v.modeButton, v.intervalText, v.intervalEnabled, v.confidenceText

TEST(Conditions, InvalidFieldsReopenTheDialogCancelKeepsAndOkCommits) {
  AnalysisConditions c;
  BeginConditionsDialog(c);
  ConditionsDialogView view = ConditionsDialogOpens(c, 3);
  EXPECT_FIELDS(std::tuple(kDlgBasisUnbiased, kDlgMarkersDisplay, kDlgModeChoice, "6"s, true, "90"s), SHOWN(view));
  // Radio choices, then an invalid interval: the warning, the dialog again with the choices
  // kept and the committed interval number.
  for (int id : {kDlgBasisSample, kDlgMarkersHide}) OnConditionsRadio(c, view, id, 3);
  OnConfidenceEdit(c, "95");
  for (const char* text : {"8", "21"}) OnIntervalEdit(c, text);
  EXPECT_EQ(ConditionsNext::kWarnAndReopen, AfterConditionsDialog(c, kConditionsBadInterval, 0).next);
  view = ConditionsDialogOpens(c, 3);
  EXPECT_FIELDS(std::tuple(kDlgBasisSample, kDlgMarkersHide, kDlgModeChoice, "6"s, true, "95"s), SHOWN(view));
  // An invalid probability: only the probability returns to the committed text.
  OnIntervalEdit(c, "8");
  const ConditionsStep step = AfterConditionsDialog(c, kConditionsBadConfidence, 1);
  EXPECT_EQ(std::tuple(ConditionsNext::kWarnAndReopen, "警告"s, "90"s, "8"s),
            std::tuple(step.next, std::string(step.message.caption), c.working.confidenceText, c.working.intervalText));
  // Standard mode shows the computed number in a disabled field, Choice the working text.
  OnConditionsRadio(c, view, kDlgModeStandard, 1000);
  EXPECT_FIELDS(std::tuple(kDlgBasisSample, kDlgMarkersHide, kDlgModeStandard, "10"s, false, "95"s), SHOWN(view));
  const ConditionsDialogView reopened = ConditionsDialogOpens(c, 10);
  EXPECT_FIELDS(std::tuple(kDlgBasisSample, kDlgMarkersHide, kDlgModeStandard, "4"s, false, "90"s), SHOWN(reopened));
  OnConditionsRadio(c, view, kDlgModeChoice, 1000);
  EXPECT_EQ(std::tuple("8"s, true), std::tuple(view.intervalText, view.intervalEnabled));
  // Cancel returns to the committed choices; OK keeps the working ones.
  EXPECT_EQ(ConditionsNext::kStop, AfterConditionsDialog(c, kConditionsCancelled, 0).next);
  EXPECT_EQ(std::tuple(kBasisUnbiased, "6"s), std::tuple(c.working.statisticsBasis, c.working.intervalText));
  BeginConditionsDialog(c);
  OnConditionsRadio(c, view, kDlgBasisSample, 3);
  OnIntervalEdit(c, "12");
  CommitConditions(c);
  EXPECT_EQ(ConditionsNext::kAnalyse, AfterConditionsDialog(c, kConditionsOk, 0).next);
  EXPECT_EQ(std::tuple(kBasisSample, "12"s), std::tuple(c.committed.statisticsBasis, c.committed.intervalText));
}

TEST(MainWindow, MarginsPlacementMinimumSizeMenusAndButtons) {
  const auto tie = [](const WorkAreaMargins& m) { return std::tuple(m.left, m.right, m.top, m.bottom); };
  // Taskbar at the bottom, the right, the top, the left; none; an icon window off both edges.
  const struct { ScreenRect r; std::tuple<int, int, int, int> margins; } icons[] = {
      {{0, 0, 1024, 738}, {0, 0, 0, 30}}, {{0, 0, 960, 768}, {0, 64, 0, 0}}, {{0, 30, 1024, 768}, {0, 0, 30, 0}},
      {{64, 0, 1024, 768}, {64, 0, 0, 0}}, {{0, 0, 1024, 768}, {0, 0, 0, 0}}, {{10, 10, 1024, 768}, {0, 0, 0, 0}}};
  for (const auto& c : icons) EXPECT_EQ(c.margins, tie(MarginsFromDesktopIcons(c.r, 1024, 768))) << &c - icons;
  EXPECT_EQ(std::tuple(0, 0, 0, 40), tie(MarginsFromWorkArea({0, 0, 1920, 1040}, 1920, 1080)));
  EXPECT_EQ(std::tuple(64, 0, 0, 0), tie(MarginsFromWorkArea({64, 0, 1024, 768}, 1024, 768)));

  const struct { int sw, sh; WorkAreaMargins m; std::tuple<int, int, int, int> place; } placements[] = {
      {1024, 768, {0, 0, 0, 30}, {51, 37, 921, 664}}, {1024, 768, {}, {51, 38, 921, 691}},
      {800, 600, {64}, {101, 30, 662, 540}}};
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
    EXPECT_EQ(std::tuple(c.resize, c.width, c.height), std::tuple(fix.resize, fix.width, fix.height)) << &c - sizes;
  }

  const CommandView start = {PageShown::kStartPicture, false, false, 1, 0}, grid = {PageShown::kPage, true, true, 1, 3},
                    results = {PageShown::kPage, false, true, 1, 3};
  const struct { int id; bool atStart, onGrid, onResults; } cases[] = {
      {kCmdDataRead, 0, 1, 1}, {kCmdAnalysis, 0, 1, 1}, {kCmdDataSave, 0, 1, 1}, {kCmdPreviousPage, 0, 1, 0},
      {kCmdNextPage, 0, 1, 0}, {kCmdSaveAs, 0, 0, 1}, {kCmdPrint, 0, 0, 1}, {kCmdCopy, 0, 0, 1},
      {kCmdDataInput, 1, 1, 1}, {kCmdExit, 1, 1, 1}, {kCmdPrinterSetup, 1, 1, 1}, {kCmdHowToUse, 1, 1, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(std::tuple(c.atStart, c.onGrid, c.onResults),
              std::tuple(MenuItemEnabled(c.id, start), MenuItemEnabled(c.id, grid), MenuItemEnabled(c.id, results)))
        << c.id;
  // Every button's command is named in its tooltip (frame_test); other ids have none.
  for (int button : {150, 0}) EXPECT_EQ(0, CommandForButton(button)) << button;

  // The buttons a paint turns on or off: Save As and Copy, Previous and Next Page, Data Read.
  using P = PageShown;
  const ButtonChange U = ButtonChange::kUnchanged, E = ButtonChange::kEnable, D = ButtonChange::kDisable;
  const struct { CommandView view; ButtonChange saveAs, previous, next, read; } paints[] = {
      {{P::kPage, true, true, 1, 3}, D, D, E, E}, {{P::kPage, true, true, 2, 3}, D, E, E, E},
      {{P::kPage, true, true, 3, 3}, D, E, D, E}, {{P::kPage, false, true, 2, 3}, E, D, D, E},
      {{P::kStartPicture, false, false, 1, 0}, U, U, U, U}, {{P::kRebuildingResults, false, true, 1, 1}, U, U, U, U}};
  for (const auto& c : paints) {
    const auto changes = ButtonChangesOnPaint(c.view);
    const auto at = [&](int id) { return changes[id - kButtonFirst]; };
    EXPECT_FIELDS(std::tuple(c.saveAs, c.saveAs, c.previous, c.next, c.read, U), at(kButtonSaveAs), at(kButtonCopy),
                  at(kButtonPreviousPage), at(kButtonNextPage), at(kButtonDataRead), at(kButtonExit))
        << "row " << &c - paints;
  }
}

}  // namespace
