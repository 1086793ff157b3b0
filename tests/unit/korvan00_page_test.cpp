// korvan00's histogram page layout, the conditions dialog model and the main-window rules,
// against worked pixel values and the dialog's documented behaviour.
#include "korvan00/histogram_page.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "korvan00/conditions.h"
#include "korvan00/main_window_rules.h"
#include "tests/unit/fields.h"

namespace korvan00 {

namespace {

// Results with only what the page draws: k frequencies over [minimum, maximum].
AnalysisResults Histogram(std::vector<double> frequencies, double minimum = 1, double maximum = 5) {
  AnalysisResults r{.count = 5, .intervalCount = static_cast<int>(frequencies.size()), .minimum = minimum, .maximum = maximum};
  for (std::size_t i = 0; i < frequencies.size(); ++i) r.frequencies[i] = frequencies[i];
  return r;
}

// Each bar's left, right, height, top, filled, fill seed and interior.
using Bar = std::tuple<int, int, int, int, bool, PagePoint, PageRect>;
void ExpectBars(const HistogramPage& page, const std::vector<Bar>& bars) {
  ASSERT_EQ(bars.size(), page.bars.size());
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const HistogramBar& b = page.bars[i];
    EXPECT_FIELDS(bars[i], b.left, b.right, b.height, b.top, b.filled, b.fillSeed, b.interior) << "bar " << i;
  }
}

// x, top, bottom, dashed of each marker
using Marker = std::tuple<int, int, int, bool>;
std::vector<Marker> Markers(const HistogramPage& page) {
  std::vector<Marker> markers;
  for (const HistogramMarker& m : page.markers) markers.emplace_back(m.x, m.top, m.bottom, m.dashed);
  return markers;
}

// The markers at these x, the first solid and the others dashed, from B = 241 up to 15.
std::vector<Marker> Solid(const std::vector<int>& xs) {
  std::vector<Marker> markers;
  for (int x : xs) markers.emplace_back(x, 15, 241, !markers.empty());
  return markers;
}

TEST(HistogramPage, WorkedGeometryOfTheFixedWindow) {
  const HistogramPage page = LayoutHistogramPage(474, 377, Histogram({1, 2, 4, 2, 1}), {}, 0);
  EXPECT_FIELDS(std::tuple(474, 356, 261, 241, true, 10, 464), page.width, page.height, page.textTop, page.baseLine,
                page.histogram, page.baseLineLeft, page.baseLineRight);
  for (int n = 0; n < 6; ++n) EXPECT_EQ(std::tuple(10, 261 + 14 * n), std::tuple(page.lines[n].x, page.lines[n].y));
  ExpectBars(page, {{24, 109, 55, 186, true, {66, 214}, {25, 187, 109, 241}},
                    {109, 194, 110, 131, true, {151, 186}, {110, 132, 194, 241}},
                    {194, 279, 221, 20, true, {237, 131}, {195, 21, 279, 241}},
                    {279, 364, 110, 131, true, {322, 186}, {280, 132, 364, 241}},
                    {364, 450, 55, 186, true, {407, 214}, {365, 187, 450, 241}}});
}

TEST(HistogramPage, BarHeightsTruncateAndLowBarsStayOutlines) {
  const struct { std::vector<double> frequencies; std::vector<std::pair<int, bool>> bars; } cases[] = {
      {{0.5, 300}, {{0, false}, {221, true}}},               // 0.368 pixels: the base line only
      {{1, 0, 221}, {{1, false}, {0, false}, {221, true}}},  // one pixel: an outline
      {{221, 2}, {{221, true}, {2, true}}}};                 // two pixels: filled
  for (const auto& c : cases) {
    std::vector<std::pair<int, bool>> bars;
    for (const HistogramBar& b : LayoutHistogramPage(474, 377, Histogram(c.frequencies), {}, 0).bars)
      bars.emplace_back(b.height, b.filled);
    EXPECT_EQ(c.bars, bars) << c.frequencies.size() << " intervals";
  }
  // Twenty intervals, the most the results hold, are all drawn.
  EXPECT_EQ(20u, LayoutHistogramPage(474, 377, Histogram(std::vector<double>(20, 1)), {}, 0).bars.size());
  // Nothing to draw: no histogram, no markers, the text still there.
  for (const AnalysisResults& r : {Histogram({0, 0}), Histogram({1, 1}, 3, 3), Histogram({})}) {
    const HistogramPage page = LayoutHistogramPage(474, 377, r, {}, 0);
    EXPECT_EQ(std::tuple(false, 0u, 0u, std::string("Number of Data = 5")),
              std::tuple(page.histogram, page.bars.size(), page.markers.size(), page.lines[0].text));
  }
  EXPECT_FALSE(LayoutHistogramPage(0, 0, Histogram({1, 2}), {}, 0).histogram);  // minimised
}

TEST(HistogramPage, MarkersAtMeanAndOneDeviationOfTheBasisLeftOutNearTheEdges) {
  // Over [0, 426] on a 474-pixel page a value v lies at x = v + 24.
  const struct { double m, s; bool show; std::vector<int> xs; } cases[] = {
      {213, 227, true, {237, 10, 464}},  // both dashed lines exactly on their bounds
      {213, 227.5, true, {237, 464}},    // m - s at 9.5: left out
      {213, 228, true, {237}},           // m + s at 465: left out too
      {213, 227, false, {}}};
  for (const auto& c : cases) {
    AnalysisResults r = Histogram({1, 1}, 0, 426);
    r.unbiasedMean = c.m;
    r.unbiasedDeviation = c.s;
    EXPECT_EQ(Solid(c.xs), Markers(LayoutHistogramPage(474, 377, r, {.showMarkers = c.show}, 0))) << "s = " << c.s;
  }

  // The five values 1 ... 5 to seven digits: m = 3, s = 1.581139, sigma hat = 1.682088.
  AnalysisResults r = Histogram({1, 1, 0.5, 0.5, 1, 1});
  r.mean = r.unbiasedMean = 3;
  r.sampleDeviation = 1.581139;
  r.unbiasedDeviation = 1.682088;
  r.confidence = 99.5;
  const HistogramPage unbiased = LayoutHistogramPage(474, 377, r, {}, 0);
  const HistogramPage sample = LayoutHistogramPage(474, 377, r, {.statisticsBasis = StatisticsBasis::kSample}, 1);
  EXPECT_EQ(std::tuple(Solid({237, 57, 416}), Solid({237, 68, 405})), std::tuple(Markers(unbiased), Markers(sample)));
  // The lines are the results page's (checked with the results file): in the basis and language asked for.
  EXPECT_EQ("標本標準偏差 (s) = 1.581139", sample.lines[2].text);
  // The font height is the point size rounded to whole pixels, as MulDiv rounds.
  const struct { int points, dpi, height; } fonts[] = {{8, 96, -11}, {9, 96, -12}, {8, 120, -13}, {9, 100, -13}, {8, 72, -8}};
  for (const auto& c : fonts) EXPECT_EQ(c.height, PageFontHeight(c.points, c.dpi)) << c.points << " pt at " << c.dpi;
}

// ---- The conditions dialog ---------------------------------------------------------------
// What the dialog shows: basis, markers and mode buttons, the list's selection, enabled, visible.
#define VIEW(v) v.basisButton, v.markersButton, v.modeButton, v.listSelection, v.listEnabled, v.listVisible
TEST(ConditionsDialogModel, OpensWithTheWorkingConditions) {
  // The list shows the interval number of the Standard rule once there are three values.
  const int choice = kIntervalChoice, standard = kIntervalStandard;
  const struct { int mode, dataCount, listSelection; bool listEnabled, listVisible; } cases[] = {
      {choice, 0, 4, true, true}, {standard, 0, 4, true, false}, {standard, 2, 4, true, false},
      {standard, 3, 0, false, true}, {standard, 1000, 8, false, true}, {standard, 30000, 13, false, true}};
  for (const auto& c : cases) {
    ConditionsStore store{.working = {.intervalMode = c.mode}, .committed = {}};
    ConditionsDialog dialog(store, c.dataCount);
    dialog.Init();
    EXPECT_FIELDS(std::tuple(kRadioUnbiased, kRadioDisplay, c.mode == choice ? kRadioChoice : kRadioStandard,
                             c.listSelection, c.listEnabled, c.listVisible, "90"),
                  VIEW(dialog.View()), dialog.InitialConfidenceText()) << "mode " << c.mode << ", " << c.dataCount;
  }
}

TEST(ConditionsDialogModel, StandardAndChoiceSwitchTheList) {
  for (const int dataCount : {0, 1000}) {
    ConditionsStore store;
    ConditionsDialog dialog(store, dataCount);
    dialog.Init();
    dialog.OnCommand(kIntervalCombo, {0, ""});   // "2", the first item
    dialog.OnCommand(kIntervalCombo, {-1, ""});  // no selection: nothing changes
    EXPECT_EQ("2", store.working.intervalText);
    dialog.OnCommand(kIntervalCombo, {18, ""});  // "20", the last
    EXPECT_EQ("20", store.working.intervalText);
    dialog.OnCommand(kIntervalCombo, {1, ""});   // "3"
    dialog.OnCommand(kRadioStandard, {});
    EXPECT_EQ(std::tuple(dataCount ? 8 : 1, dataCount != 0, dataCount == 0),
              std::tuple(dialog.View().listSelection, dialog.View().listVisible, dialog.View().listEnabled));
    dialog.OnCommand(kIntervalCombo, {10, ""});  // ignored in Standard mode
    dialog.OnCommand(kRadioChoice, {});
    EXPECT_FIELDS(std::tuple(kRadioUnbiased, kRadioDisplay, kRadioChoice, 1, true, true, false), VIEW(dialog.View()),
                  dialog.Ended());
    EXPECT_EQ("3", store.working.intervalText);
  }
}

TEST(ConditionsDialogModel, EveryConfidenceNotificationIsJudgedByItsLeadingNumber) {
  const struct { const char* text; bool accepted; } cases[] = {
      {"99.5", true}, {"90", true},  {" 90", true},   {"50abc", true},  {"1e1", true},   {"5e", true},
      {".5", true},   {"100", false}, {"0", false},   {"", false},      {"-5", false},   {"abc", false},
      {"inf", false}, {"nan", false}, {"0x50", false}, {"99.99999", true}, {"1e2", false}, {"+", false}};
  for (const auto& c : cases) {
    ConditionsStore store;
    ConditionsDialog dialog(store, 0);
    dialog.Init();
    dialog.OnCommand(kConfidenceEdit, {-1, c.text});
    dialog.OnCommand(kDialogOk, {});  // after a refusal too late: nothing is committed
    const auto result = c.accepted ? ConditionsDialogResult::kOk : ConditionsDialogResult::kBadConfidence;
    EXPECT_EQ(std::tuple(result, c.accepted ? 1 : 0, std::string(c.accepted ? c.text : "90")),
              std::tuple(dialog.Result(), dialog.EndCode(), store.committed.confidenceText))
        << '"' << c.text << '"';
  }
}

// ---- The main window ---------------------------------------------------------------------
TEST(Korvan00Window, FixedSizeCentredOnTheScreenAndTheReadmeBesideTheProgram) {
  const struct { int screenWidth, screenHeight, caption; WindowPlace place; } cases[] = {
      {1024, 768, 19, {272, 183, 480, 402}}, {800, 600, 18, {160, 99, 480, 401}},
      {479, 401, 19, {0, 0, 480, 402}} /* -1 / 2 rounds toward zero */, {400, 300, 19, {-40, -51, 480, 402}}};
  for (const auto& c : cases)
    EXPECT_EQ(c.place, PlaceMainWindow(c.screenWidth, c.screenHeight, c.caption)) << c.screenWidth << "x" << c.screenHeight;
  EXPECT_EQ((ClientSize{474, 377}), ClientSizeForFrame(3, 3));
  // The last character before ".EXE" becomes E or J; a path too short for that has no readme.
  const struct { const wchar_t* program; int japanese; const wchar_t* readme; } paths[] = {
      {L"C:\\Tools\\KORVAN00.EXE", 0, L"C:\\Tools\\KORVAN0E.PDF"},
      {L"C:\\日本語 😀\\KORVAN00.EXE", 1, L"C:\\日本語 😀\\KORVAN0J.PDF"},
      {L"", 0, L""}, {L"0.EXE", 0, L""}, {L"A0.EXE", 1, L"AJ.PDF"}};
  for (const auto& c : paths) EXPECT_TRUE(c.readme == ReadmePathFor(c.program, c.japanese)) << "row " << (&c - paths);
}

TEST(Korvan00Window, ButtonsFollowThePageState) {
  // The buttons 110 (the gap) to 120 (the space): Draw Graph needs results, Copy, Save and Print Graph a drawn page.
  const struct { PageState state; const char* enabled; bool startPicture; } cases[] = {
      {PageState::kStartPicture, "01100001110", true}, {PageState::kResultsReady, "01110001110", true},
      {PageState::kGraphDrawn, "01111111110", false}};
  const auto stem = [](int id) { for (const CommandRow& r : kCommandRows) if (r.button == id) return r.stem; return "-"; };
  for (const auto& c : cases) {
    EXPECT_EQ(c.startPicture, ShowsStartPicture(c.state)) << "state " << static_cast<int>(c.state);
    for (int id = kButtonGap; id <= kButtonSpace; ++id)
      EXPECT_EQ(c.enabled[id - kButtonGap] == '1', IsButtonEnabled(id, c.state))
          << "button " << id << " " << stem(id) << " in state " << static_cast<int>(c.state);
  }
  for (const CommandRow& row : kCommandRows)  // the buttons the start state disables
    EXPECT_EQ(row.disabledAtStart, !IsButtonEnabled(row.button, PageState::kStartPicture)) << row.stem;
}

}  // namespace
}  // namespace korvan00
