// korvan00's histogram page layout, the conditions dialog model and the main-window rules,
// against worked pixel values and the dialog's documented behaviour.
#include "korvan00/histogram_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvan00/conditions.h"
#include "korvan00/main_window_rules.h"

namespace korvan00 {
namespace {

// Results with only what the page draws: k frequencies over [minimum, maximum].
AnalysisResults Histogram(std::vector<double> frequencies, double minimum = 1, double maximum = 5) {
  AnalysisResults r;
  r.count = 5;
  r.intervalCount = static_cast<int>(frequencies.size());
  r.minimum = minimum;
  r.maximum = maximum;
  for (std::size_t i = 0; i < frequencies.size(); ++i) r.frequencies[i] = frequencies[i];
  return r;
}

TEST(HistogramPage, WorkedGeometryOfTheFixedWindow) {
  const HistogramPage page = LayoutHistogramPage(474, 377, Histogram({1, 2, 4, 2, 1}), {}, 0);
  EXPECT_EQ(474, page.width);
  EXPECT_EQ(356, page.height);
  EXPECT_EQ(261, page.textTop);
  EXPECT_EQ(241, page.baseLine);
  EXPECT_EQ(10, page.baseLineLeft);
  EXPECT_EQ(464, page.baseLineRight);
  for (int n = 0; n < 6; ++n) {
    EXPECT_EQ(10, page.lines[n].x);
    EXPECT_EQ(261 + 14 * n, page.lines[n].y);
  }
  const struct { int left, right, height, top; PagePoint seed; } bars[] = {
      {24, 109, 55, 186, {66, 214}},   {109, 194, 110, 131, {151, 186}}, {194, 279, 221, 20, {237, 131}},
      {279, 364, 110, 131, {322, 186}}, {364, 450, 55, 186, {407, 214}},
  };
  ASSERT_EQ(5u, page.bars.size());
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const HistogramBar& bar = page.bars[i];
    EXPECT_EQ(bars[i].left, bar.left);
    EXPECT_EQ(bars[i].right, bar.right);
    EXPECT_EQ(bars[i].height, bar.height);
    EXPECT_EQ(bars[i].top, bar.top);
    EXPECT_EQ(bars[i].seed, bar.fillSeed);
    EXPECT_TRUE(bar.filled);
    EXPECT_EQ((PageRect{bars[i].left + 1, bars[i].top + 1, bars[i].right, 241}), bar.interior);
  }
}

TEST(HistogramPage, BarHeightsTruncateAndLowBarsStayOutlines) {
  const struct { std::vector<double> frequencies; std::vector<int> heights; std::vector<bool> filled; } cases[] = {
      {{1, 1, 0.5, 0.5, 1, 1}, {221, 221, 110, 110, 221, 221}, {true, true, true, true, true, true}},
      {{0.5, 300}, {0, 221}, {false, true}},                // 0.368 pixels: the base line only
      {{1, 0, 221}, {1, 0, 221}, {false, false, true}},     // one pixel: an outline
      {{2, 221}, {2, 221}, {true, true}},                   // two pixels: filled
  };
  for (const auto& c : cases) {
    const HistogramPage page = LayoutHistogramPage(474, 377, Histogram(c.frequencies), {}, 0);
    ASSERT_EQ(c.heights.size(), page.bars.size());
    for (std::size_t i = 0; i < c.heights.size(); ++i) {
      EXPECT_EQ(c.heights[i], page.bars[i].height) << "bar " << i << " of " << c.frequencies.size();
      EXPECT_EQ(c.filled[i], page.bars[i].filled) << "bar " << i << " of " << c.frequencies.size();
    }
  }
  // Six intervals of 71 pixels: neighbours share their sides, the last ends at W - 24.
  const HistogramPage six = LayoutHistogramPage(474, 377, Histogram({1, 1, 0.5, 0.5, 1, 1}), {}, 0);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(24 + 71 * i, six.bars[i].left) << i;
  EXPECT_EQ(450, six.bars[5].right);
  // Nothing to draw: no histogram, no markers, the text still there.
  for (const AnalysisResults& r : {Histogram({0, 0}), Histogram({1, 1}, 3, 3)}) {
    const HistogramPage page = LayoutHistogramPage(474, 377, r, {}, 0);
    EXPECT_FALSE(page.histogram);
    EXPECT_TRUE(page.bars.empty());
    EXPECT_TRUE(page.markers.empty());
    EXPECT_EQ("Number of Data = 5", page.lines[0].text);
  }
  EXPECT_FALSE(LayoutHistogramPage(0, 0, Histogram({1, 2}), {}, 0).histogram);  // minimised
}

TEST(HistogramPage, MarkersAtMeanAndOneDeviationLeftOutNearTheEdges) {
  // Over [0, 426] on a 474-pixel page a value v lies at x = v + 24.
  const struct { double m, s; bool show; std::vector<int> xs; } cases[] = {
      {213, 227, true, {237, 10, 464}},    // both dashed lines exactly on their bounds
      {213, 227.5, true, {237, 464}},      // m - s at 9.5: left out
      {213, 228, true, {237}},             // m + s at 465: left out too
      {213, 227, false, {}},
  };
  for (const auto& c : cases) {
    AnalysisResults r = Histogram({1, 1}, 0, 426);
    r.unbiasedMean = c.m;
    r.unbiasedDeviation = c.s;
    AnalysisConditions conditions;
    conditions.showMarkers = c.show;
    const HistogramPage page = LayoutHistogramPage(474, 377, r, conditions, 0);
    std::vector<int> xs;
    for (const HistogramMarker& marker : page.markers) {
      xs.push_back(marker.x);
      EXPECT_EQ(15, marker.top);
      EXPECT_EQ(241, marker.bottom);
      EXPECT_EQ(xs.size() > 1, marker.dashed);
    }
    EXPECT_EQ(c.xs, xs) << "s = " << c.s;
  }
}

TEST(HistogramPage, BasisChoosesTheLinesAndTheDeviationOfTheMarkers) {
  // The five values 1 ... 5 to seven digits: m = 3, s = 1.581139, sigma hat = 1.682088.
  AnalysisResults r = Histogram({1, 1, 0.5, 0.5, 1, 1});
  r.mean = r.unbiasedMean = 3;
  r.sampleDeviation = 1.581139;
  r.unbiasedDeviation = 1.682088;
  r.confidence = 99.5;
  AnalysisConditions conditions;
  const HistogramPage unbiased = LayoutHistogramPage(474, 377, r, conditions, 0);
  conditions.statisticsBasis = StatisticsBasis::kSample;
  const HistogramPage sample = LayoutHistogramPage(474, 377, r, conditions, 1);
  const auto xs = [](const HistogramPage& page) {
    std::vector<int> v;
    for (const HistogramMarker& marker : page.markers) v.push_back(marker.x);
    return v;
  };
  EXPECT_EQ((std::vector<int>{237, 57, 416}), xs(unbiased));
  EXPECT_EQ((std::vector<int>{237, 68, 405}), xs(sample));
  EXPECT_EQ("Unbiased Estimate of Population Standard Deviation (s) = 1.682088", unbiased.lines[2].text);
  EXPECT_EQ("  ** Under 99.5% Confidence Probability **", unbiased.lines[3].text);
  EXPECT_EQ("標本標準偏差 (s) = 1.581139", sample.lines[2].text);
  EXPECT_STREQ("ＭＳ ゴシック", sample.font.face);
  EXPECT_EQ(9, sample.font.points);
  EXPECT_STREQ("Helv", unbiased.font.face);
  r.unbiasedMean = 1234567.8;
  EXPECT_EQ("Unbiased Estimate of Population Mean (m) = 1234568",
            LayoutHistogramPage(474, 377, r, {}, 0).lines[1].text);
}

TEST(HistogramPage, FontHeightRoundsLikeMulDiv) {
  const struct { int points, dpi, height; } cases[] = {{8, 96, -11}, {9, 96, -12}, {8, 120, -13}, {9, 100, -13}, {8, 72, -8}};
  for (const auto& c : cases) EXPECT_EQ(c.height, PageFontHeight(c.points, c.dpi)) << c.points << " pt at " << c.dpi;
}

// ---- The conditions dialog ---------------------------------------------------------------
TEST(ConditionsDialogModel, OpensWithTheWorkingConditions) {
  const struct { int mode; int dataCount; ConditionsDialogView view; } cases[] = {
      {kIntervalChoice, 0, {kRadioUnbiased, kRadioDisplay, kRadioChoice, 4, true, true}},
      {kIntervalStandard, 0, {kRadioUnbiased, kRadioDisplay, kRadioStandard, 4, true, false}},
      {kIntervalStandard, 2, {kRadioUnbiased, kRadioDisplay, kRadioStandard, 4, true, false}},
      {kIntervalStandard, 3, {kRadioUnbiased, kRadioDisplay, kRadioStandard, 0, false, true}},
      {kIntervalStandard, 1000, {kRadioUnbiased, kRadioDisplay, kRadioStandard, 8, false, true}},
      {kIntervalStandard, 30000, {kRadioUnbiased, kRadioDisplay, kRadioStandard, 13, false, true}},
  };
  for (const auto& c : cases) {
    ConditionsStore store;
    store.working.intervalMode = c.mode;
    ConditionsDialog dialog(store, c.dataCount);
    dialog.Init();
    EXPECT_EQ(c.view, dialog.View()) << "mode " << c.mode << ", " << c.dataCount << " values";
    EXPECT_EQ("90", dialog.InitialConfidenceText());
  }
  EXPECT_STREQ("2", IntervalItems().front());
  EXPECT_STREQ("20", IntervalItems().back());
}

TEST(ConditionsDialogModel, StandardAndChoiceSwitchTheList) {
  for (const int dataCount : {0, 1000}) {
    ConditionsStore store;
    ConditionsDialog dialog(store, dataCount);
    dialog.Init();
    dialog.OnCommand(kIntervalCombo, {1, ""});  // "3"
    dialog.OnCommand(kRadioStandard, {});
    EXPECT_EQ(dataCount ? 8 : 1, dialog.View().listSelection);
    EXPECT_EQ(dataCount != 0, dialog.View().listVisible);
    EXPECT_FALSE(dataCount != 0 && dialog.View().listEnabled);
    dialog.OnCommand(kIntervalCombo, {10, ""});  // ignored in Standard mode
    dialog.OnCommand(kRadioChoice, {});
    EXPECT_EQ((ConditionsDialogView{kRadioUnbiased, kRadioDisplay, kRadioChoice, 1, true, true}), dialog.View());
    EXPECT_EQ("3", store.working.intervalText);
    EXPECT_FALSE(dialog.Ended());
  }
}

TEST(ConditionsDialogModel, EveryConfidenceNotificationIsJudgedByItsLeadingNumber) {
  const struct { const char* text; bool accepted; } cases[] = {
      {"99.5", true}, {"90", true},  {" 90", true},   {"50abc", true},  {"1e1", true},   {"5e", true},
      {".5", true},   {"100", false}, {"0", false},   {"", false},      {"-5", false},   {"abc", false},
      {"inf", false}, {"nan", false}, {"0x50", false}, {"99.99999", true}, {"1e2", false}, {"+", false},
  };
  for (const auto& c : cases) {
    ConditionsStore store;
    ConditionsDialog dialog(store, 0);
    dialog.Init();
    dialog.OnCommand(kConfidenceEdit, {-1, c.text});
    EXPECT_EQ(!c.accepted, dialog.Ended()) << '"' << c.text << '"';
    if (c.accepted) {
      EXPECT_EQ(c.text, store.working.confidenceText);
      dialog.OnCommand(kDialogOk, {});
      EXPECT_EQ(1, dialog.EndCode());
      EXPECT_EQ(c.text, store.committed.confidenceText);
    } else {
      EXPECT_EQ(ConditionsDialogResult::kBadConfidence, dialog.Result()) << '"' << c.text << '"';
      EXPECT_EQ(0, dialog.EndCode());
      dialog.OnCommand(kDialogOk, {});  // too late: nothing is committed
      EXPECT_EQ("90", store.committed.confidenceText);
    }
  }
}

// ---- The main window ---------------------------------------------------------------------
TEST(Korvan00Window, FixedSizeCentredOnTheScreen) {
  const struct { int screenWidth, screenHeight, caption; WindowPlace place; } cases[] = {
      {1024, 768, 19, {272, 183, 480, 402}},
      {800, 600, 18, {160, 99, 480, 401}},
      {479, 400, 19, {0, -1, 480, 402}},   // -1 / 2 and -2 / 2 round toward zero
      {400, 300, 19, {-40, -51, 480, 402}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.place, PlaceMainWindow(c.screenWidth, c.screenHeight, c.caption)) << c.screenWidth << "x" << c.screenHeight;
  EXPECT_EQ((ClientSize{474, 377}), ClientSizeForFrame(3, 3));
}

TEST(Korvan00Window, GraphButtonsFollowThePageState) {
  const struct { PageState state; bool draw, output; } cases[] = {
      {PageState::kStartPicture, false, false},
      {PageState::kResultsReady, true, false},
      {PageState::kGraphDrawn, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.state));
    EXPECT_EQ(c.draw, IsButtonEnabled(kButtonDrawGraph, c.state));
    for (const int id : {kButtonCopyGraph, kButtonSaveGraph, kButtonPrintGraph})
      EXPECT_EQ(c.output, IsButtonEnabled(id, c.state)) << id;
    for (const int id : {kButtonSetConditions, kButtonAnalysis, kButtonAbout, kButtonHelp, kButtonExit})
      EXPECT_TRUE(IsButtonEnabled(id, c.state)) << id;
    for (const int id : {kButtonGap, kButtonSpace}) EXPECT_FALSE(IsButtonEnabled(id, c.state)) << id;
    EXPECT_EQ(!c.output, ShowsStartPicture(c.state));
  }
  // The buttons disabled at start are those the start state disables.
  for (const CommandRow& row : kCommandRows)
    EXPECT_EQ(row.disabledAtStart, !IsButtonEnabled(row.button, PageState::kStartPicture)) << row.stem;
}

TEST(Korvan00Window, ReadmePathAndHelpOutcome) {
  EXPECT_EQ("C:\\Tools\\KORVAN0E.PDF", ReadmePathFor("C:\\Tools\\KORVAN00.EXE", 0));
  EXPECT_EQ("C:\\Tools\\KORVAN0J.PDF", ReadmePathFor("C:\\Tools\\KORVAN00.EXE", 1));
  EXPECT_EQ("", ReadmePathFor("", 0));  // the program file under another name
  const struct { const char* path; bool found; long long shell; HelpOutcome outcome; } cases[] = {
      {"", true, 42, HelpOutcome::kReadmeMissing},
      {"C:\\KORVAN0E.PDF", false, 42, HelpOutcome::kReadmeMissing},
      {"C:\\KORVAN0E.PDF", true, 32, HelpOutcome::kNoViewer},
      {"C:\\KORVAN0E.PDF", true, 33, HelpOutcome::kOpened},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.outcome, DecideHelp(c.path, c.found, c.shell)) << '"' << c.path << "\" " << c.found << " " << c.shell;
  const MessageEntry missing = HelpMessage(HelpOutcome::kReadmeMissing);
  EXPECT_STREQ("Install the readme file (KORVAN0E.PDF)\nin the same directory.", missing.english);
  EXPECT_STREQ("エラー", missing.japaneseCaption);
  EXPECT_EQ(kIconError, HelpMessage(HelpOutcome::kNoViewer).icon);
  EXPECT_EQ(0u, HelpMessage(HelpOutcome::kOpened).icon);
}

TEST(Korvan00Window, SystemMenuItemsAfterTheFifth) {
  ASSERT_EQ(3, kSystemMenuRowCount);
  EXPECT_EQ(5, kSystemMenuRows[0].position);
  EXPECT_EQ(0, kSystemMenuRows[0].id);
  EXPECT_EQ(130, kSystemMenuRows[1].id);
  EXPECT_STREQ("ﾌﾟﾘﾝﾀｰｾｯﾄｱｯﾌﾟ(&P)...", kSystemMenuRows[1].text.japanese);
  EXPECT_EQ(7, kSystemMenuRows[2].position);
  EXPECT_STREQ("Print &Zoom...", kSystemMenuRows[2].text.english);
}

}  // namespace
}  // namespace korvan00
