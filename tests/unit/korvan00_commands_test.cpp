// korvan00's commands over a recording host: Analysis, the results file, Set Conditions and
// the page reset, each checked by what the window is asked to do, in order.
#include "korvan00/commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "korvan00/main_window_rules.h"
#include "korvan00/sheet_text.h"
#include "tests/allocation_watch.h"
#include "tests/test_support.h"
#include "tests/unit/fields.h"

namespace korvan00 {
namespace {

SaveDialogAnswer Chosen(const wchar_t* path) { return {true, path, 0}; }
SaveDialogAnswer NoFile(unsigned long code) { return {false, L"", code}; }
const std::string kFiveValues = "1\r\n2\r\n3\r\n4\r\n5\r\n";

// Plays the window: answers from its settings and writes down every request.
struct RecordingHost : CommandHost {
  std::optional<std::string> clipboard = kFiveValues;
  SaveDialogAnswer answer = Chosen(L"C:\\r.xls");
  bool refusedDrive = false, enoughSpace = true;
  FileWriteOutcome write = FileWriteOutcome::kWritten;
  // One entry per run of the conditions dialog; an empty function: the dialog fails to open.
  std::vector<std::function<void(ConditionsDialog&)>> dialogRuns;
  std::vector<std::string> log;
  std::vector<Notice> notices;
  std::string written;
  std::wstring writtenPath;
  std::size_t runs = 0, liveAtNotice = 0;  // liveAtNotice: the watched bytes held while the last box was on show
  HistogramPage drawn;

  std::optional<std::string> ReadClipboardText() override { return clipboard; }
  void SetWaitCursor(bool wait) override { log.push_back(wait ? "wait" : "arrow"); }
  void ShowNotice(const Notice& notice) override {
    liveAtNotice = watch.live;
    notices.push_back(notice);
    log.push_back("notice " + notice.caption);
  }
  void ShowStartPicture() override { log.push_back("start picture"); }
  void Repaint(IconBarStrip strip) override {
    log.push_back("repaint " + std::to_string(RectOf(strip).left) + "-" + std::to_string(RectOf(strip).right));
  }
  void BringToForeground() override { log.push_back("foreground"); }
  bool RunConditionsDialog(ConditionsDialog& dialog) override {
    log.push_back("dialog");
    const auto& run = dialogRuns.at(runs++);
    if (run) dialog.Init(), run(dialog);
    return static_cast<bool>(run);
  }
  SaveDialogAnswer AskResultsFileName(int) override { return log.push_back("save dialog"), answer; }
  bool IsRefusedDrive(const std::string& root) override { return log.push_back("drive " + root), refusedDrive; }
  bool HasEnoughFreeSpace(const std::string& root, unsigned long long bytes) override {
    return log.push_back("space " + root + " " + std::to_string(bytes)), enoughSpace;
  }
  FileWriteOutcome WriteResultsFile(const std::wstring& path, const std::string& content) override {
    log.push_back("write");
    std::tie(writtenPath, written) = std::tie(path, content);
    return write;
  }
  ClientSize ClientAreaSize() override { return {474, 377}; }
  void DrawPage(PageState before, const HistogramPage& page) override {
    log.push_back("draw after " + std::to_string(static_cast<int>(before)));
    drawn = page;
  }
};

using Log = std::vector<std::string>;
constexpr PageState kEveryPageState[] = {PageState::kStartPicture, PageState::kResultsReady, PageState::kGraphDrawn};

// The log of a command that starts on `before`: a drawn page is reset first.
Log From(PageState before, Log log) {
  if (before == PageState::kGraphDrawn) log.insert(log.begin(), {"start picture", "repaint 79-207"});
  return log;
}

// The state after the values 1 to 5 were analysed and the results file declined.
ProgramState AnalysedOneToFive() {
  ProgramState state;
  RecordingHost host;
  host.answer = NoFile(0);
  RunAnalysis(state, host, 0);
  return state;
}

// What a command that fails part-way must leave as it was.
#define KEPT(s)                                                                                                  \
  s.dataCount, s.results.count, s.results.mean, s.results.intervalCount,                                         \
      std::vector<double>(s.results.frequencies, s.results.frequencies + 6), s.pageState, s.conditions.working, \
      s.conditions.committed

TEST(Korvan00Analysis, RefusalsEndTheCommandWithTheirMessageAndKeepTheLastResults) {
  const std::string readme = "\nPlease refer to the readme file (KORVAN0E.PDF).", tooFew = "Too few data! (Data < 3)";
  const struct { std::optional<std::string> clipboard; std::string text; int dataCount; } cases[] = {
      {std::nullopt, "No text data on the Clipboard." + readme, 1000},
      {"1\r\n2\r\n3", "Incorrect Clipboard data.\nNot copied data from Excel.", 1000},
      {"Weight\r\n2\r\n3\r\n", "No proper data on the Clipboard." + readme, 1000},
      {"7\r\n7\r\n7\r\n", "All data have a same value!", 3},
      {"1\t\t2\r\n\r\n", tooFew, 2}, {"\t\r\n", tooFew, 0}};  // the count of the cells read
  for (const auto& c : cases) {
    for (const PageState before : kEveryPageState) {
      SCOPED_TRACE(c.text);
      ProgramState state;
      state.dataCount = state.results.count = 1000;
      state.pageState = before;
      RecordingHost host;
      host.clipboard = c.clipboard;
      RunAnalysis(state, host, 0);
      EXPECT_EQ(From(before, {"wait", "arrow", "notice Error"}), host.log);
      EXPECT_EQ((std::vector{Notice{c.text, "Error", kIconError}}), host.notices);
      EXPECT_EQ(before == PageState::kGraphDrawn ? PageState::kStartPicture : before, state.pageState);
      EXPECT_EQ(std::tuple(c.dataCount, 1000, false), std::tuple(state.dataCount, state.results.count, state.import.held));
    }
  }
}

TEST(Korvan00Analysis, InputLimitIsAnInformationBetweenCursorsAndTheAnalysisGoesOn) {
  for (const int count : {30000, 30001}) {
    ProgramState state;
    // The interval number follows the mode and the chosen text.
    state.conditions.working = {.intervalMode = count == 30000 ? kIntervalStandard : kIntervalChoice, .intervalText = "20"};
    RecordingHost host;
    host.clipboard = "";
    // Cells after the 30000th value are not read, not even when they are no numbers.
    for (int i = 0; i < count; ++i) *host.clipboard += (i < 30000 ? std::to_string(i % 97) : "x") + "\r\n";
    host.answer = NoFile(0);  // cancelled
    RunAnalysis(state, host, 1);
    EXPECT_EQ((Log{"wait", "arrow", "notice お知らせ", "wait", "arrow", "foreground", "save dialog", "repaint 47-79",
                   "notice 成功", "repaint 79-111"}),
              host.log) << count;
    EXPECT_FIELDS(std::tuple(kIconInformation, 30000, 30000, count == 30000 ? 15 : 20), host.notices.at(0).icon,
                  state.dataCount, state.results.count, state.results.intervalCount);
  }
}

// Analysis of four megabytes, the values and then a long row of empty cells, watching the
// large blocks only.
RecordingHost AnalyseLarge(ProgramState& state, const std::string& values, int refuse = 0) {
  RecordingHost host;
  host.clipboard = values + std::string(std::size_t{4} << 20, '\t') + "\r\n";
  Watch(host.clipboard->size() / 2, refuse);
  RunAnalysis(state, host, 0);
  watch.on = false;
  return host;
}

TEST(Korvan00Analysis, ALargeTextIsHeldAtMostTwiceAndLetGoBeforeARefusal) {
  // Values of 100 digits make long result lines.
  for (const char* values : {"10\r\n20\r\n30\r\n", "1e100\r\n-1e100\r\n1/1e-100\r\n"}) {
    ProgramState state;
    const RecordingHost host = AnalyseLarge(state, values);
    EXPECT_EQ("notice Success", host.log.at(host.log.size() - 2));
    EXPECT_EQ(0u, host.written.find("Inputted Data\r\n" + *host.clipboard + "\r\nNumber of Data\r\n3\r\n"));
    // The host's read, then the results file with the text in it (the host's copy of the
    // written file counted too): never more than two copies at once.
    EXPECT_LT(watch.peak, 2 * host.clipboard->size() + 100000) << values;
  }
  ProgramState state;
  const RecordingHost refused = AnalyseLarge(state, "x");
  EXPECT_EQ(std::tuple(std::string("notice Error"), std::size_t{0}), std::tuple(refused.log.back(), refused.liveAtNotice));
}

// Each answer of the save dialog and the drive and each outcome of the write. After the
// checks of the drive comes one step (the write, or the look at a refused drive), then the notice.
TEST(Korvan00ResultsFile, EveryPathReleasesTheImportAndSetsThePageStateOnlyWhenDone) {
  using W = FileWriteOutcome;
  const char* saved =
      "The solution has been saved in the file\n  %s.\nDouble click the file, then you can read the solution.";
  const struct { SaveDialogAnswer answer; bool refused, space; W write; const char* step; Notice notice; } cases[] = {
      {NoFile(0), 0, 1, W::kWritten, "", {"The solution not saved.\nBut the calculation done.", "Success", kIconInformation}},
      {NoFile(0x3003), 0, 1, W::kWritten, "", {"GetSaveFileName error 0x3003", "Error", kIconError}},
      {Chosen(L"Y:\\r.xls"), 1, 1, W::kWritten, "drive Y:\\",
       {"Unable to save the solution to the remote disk.", "Warning", kIconWarning}},
      {Chosen(L"C:\\r.xls"), 0, 0, W::kWritten, "", {"Not enough free diskspace.", "Warning", kIconWarning}},
      {Chosen(L"C:\\r.txt"), 0, 1, W::kWritten, "", {"Assign a file with XLS extension.", "Error", kIconWarning}},
      {Chosen(L"C:\\r.XLS"), 0, 1, W::kNotCreated, "write",
       {"Unable to create a file to save the solution.", "Error", kIconError}},
      {Chosen(L"C:\\r.xls"), 0, 1, W::kWriteFailed, "write", {"Unable to write to file.", "Error", kIconError}},
      // A name outside any code page reaches the write and the box whole.
      {Chosen(L"C:\\日本語 😀\\R.XlS"), 0, 1, W::kWritten, "write",
       {saved, "Success", kIconInformation, false, L"C:\\日本語 😀\\R.XlS"}}};
  for (const auto& c : cases) {
    for (const PageState before : kEveryPageState) {
      SCOPED_TRACE(c.notice.text);
      ProgramState state;
      state.pageState = before;
      RecordingHost host;
      std::tie(host.answer, host.refusedDrive, host.enoughSpace) = std::tie(c.answer, c.refused, c.space);
      host.write = c.write;
      RunAnalysis(state, host, 0);
      const bool done = c.notice.caption == "Success";
      Log expected = From(before, {"wait", "arrow", "foreground", "save dialog", "repaint 47-79"});
      if (c.answer.chosen && !c.refused) expected.insert(expected.end(), {"drive C:\\", "space C:\\ 1015"});
      if (*c.step) expected.push_back(c.step);
      expected.push_back("notice " + c.notice.caption);
      if (done) expected.push_back("repaint 79-111");
      EXPECT_EQ(expected, host.log);
      EXPECT_EQ(std::vector<Notice>{c.notice}, host.notices);
      EXPECT_EQ(*c.step == 'w' ? FileBytes(SUITE_TEST_DATA_DIR "/five-values.xls") : "", host.written);
      EXPECT_TRUE(host.writtenPath == (*c.step == 'w' ? c.answer.path : L"")) << "the path written";
      const PageState after = before == PageState::kGraphDrawn ? PageState::kStartPicture : before;
      EXPECT_FIELDS(std::tuple(done ? PageState::kResultsReady : after, false, 5), state.pageState, state.import.held,
                    state.results.count);
    }
  }
}

TEST(Korvan00ResultsFile, JapaneseFileAndMessagesAndTheBytesAskedOfTheDrive) {
  ProgramState state;
  RecordingHost host;
  host.clipboard = kFiveValues + std::string("\0 ignored", 9);  // 15 bytes before the NUL
  host.write = FileWriteOutcome::kWriteFailed;
  RunAnalysis(state, host, 1);
  EXPECT_EQ(std::tuple(std::string("space C:\\ 1015"), FileBytes(SUITE_TEST_DATA_DIR "/five-values-ja.xls")),
            std::tuple(host.log.at(6), host.written));
  EXPECT_EQ((Notice{"ファイルに書き込めません.", "エラー", kIconError}), host.notices.at(0));
  EXPECT_EQ("GetSaveFileName エラー 0xffff", SaveDialogErrorText(0xffff, 1));
}

TEST(Korvan00DrawGraph, DrawsTheLastResultsInTheWorkingBasisOnceThereAreAny) {
  ProgramState state;
  RecordingHost host;
  DrawGraph(state, host, 0);  // nothing analysed yet
  EXPECT_EQ(std::tuple(Log{}, PageState::kStartPicture), std::tuple(host.log, state.pageState));
  state = AnalysedOneToFive();
  state.conditions.working.statisticsBasis = StatisticsBasis::kSample;  // no new analysis
  for (const int before : {1, 2}) {
    host.log.clear();
    DrawGraph(state, host, 0);
    EXPECT_EQ(std::tuple(Log{"draw after " + std::to_string(before)}, PageState::kGraphDrawn),
              std::tuple(host.log, state.pageState));
  }
  EXPECT_EQ(std::tuple(std::string("Sample Standard Deviation (s) = 1.581139"), 241, std::size_t{6}),
            std::tuple(host.drawn.lines[2].text, host.drawn.baseLine, host.drawn.bars.size()));
}

// ---- Set Conditions ---------------------------------------------------------------------
// A run of the conditions dialog: its commands in turn (0: the close box).
using Step = std::pair<int, ConditionsDialogInput>;
std::function<void(ConditionsDialog&)> Played(std::vector<Step> steps) {
  return [steps](ConditionsDialog& d) { for (const auto& [id, input] : steps) id ? d.OnCommand(id, input) : d.OnClose(); };
}
Step Typed(const char* text) { return {kConfidenceEdit, {-1, text}}; }

// Set Conditions over a drawn page, the dialog played by `runs`.
RecordingHost SetConditions(ProgramState& state, decltype(RecordingHost::dialogRuns) runs, int japanese = 0) {
  state.pageState = PageState::kGraphDrawn;
  RecordingHost host;
  host.dialogRuns = std::move(runs);
  ShowConditionsDialog(state, host, japanese);
  return host;
}

TEST(Korvan00Conditions, OkCommitsAndResetsADrawnPageCancelAndCloseLeaveEverythingAsItWas) {
  for (const int end : {kDialogOk, kDialogCancel, 0}) {  // 0: the dialog closed
    ProgramState state;
    std::vector<Step> steps = {{kRadioSample, {}}, {kRadioNotDisplay, {}}, {kIntervalCombo, {18, ""}}, Typed("99.5")};
    if (end != kDialogOk) steps.push_back({kRadioStandard, {}});
    steps.push_back({end, {}});
    const RecordingHost host = SetConditions(state, {Played(steps)});
    const bool ok = end == kDialogOk;
    const AnalysisConditions expected =
        ok ? AnalysisConditions{StatisticsBasis::kSample, false, kIntervalChoice, "20", "99.5"} : AnalysisConditions{};
    EXPECT_EQ((ok ? Log{"dialog", "start picture", "repaint 79-207"} : Log{"dialog"}), host.log);
    EXPECT_FIELDS(std::tuple(expected, expected, ok ? PageState::kStartPicture : PageState::kGraphDrawn),
                  state.conditions.committed, state.conditions.working, state.pageState) << "end " << end;
  }
}

TEST(Korvan00Conditions, BadConfidenceWarnsAndReopensAndADialogThatCannotOpenIsASystemError) {
  ProgramState state;
  ConditionsDialogView reopened;
  std::string reopenedText;
  // The box emptied: the dialog ends at once. The second run notes how the dialog opens again.
  const RecordingHost host =
      SetConditions(state, {Played({{kRadioSample, {}}, Typed("9"), Typed(""), {kDialogOk, {}}}), [&](ConditionsDialog& d) {
                              reopened = d.View(), reopenedText = d.InitialConfidenceText(), d.OnCommand(kDialogOk, {});
                            }});
  EXPECT_EQ((Log{"dialog", "notice WARNING", "dialog", "start picture", "repaint 79-207"}), host.log);
  EXPECT_EQ((Notice{"Input a proper value!\n        (0<P<100)", "WARNING", kIconWarning}), host.notices.at(0));
  EXPECT_FIELDS(std::tuple(kRadioSample, "90", StatisticsBasis::kSample, "90"), reopened.basisButton, reopenedText,
                state.conditions.committed.statisticsBasis, state.conditions.committed.confidenceText);

  ProgramState failed;
  const RecordingHost system = SetConditions(failed, {Played({{kRadioSample, {}}, Typed("0")}), nullptr}, 1);
  EXPECT_EQ((Log{"dialog", "notice 警告", "dialog", "notice システム・エラー", "start picture", "repaint 79-207"}), system.log);
  EXPECT_EQ((Notice{"ダイアログを表示できません.", "システム・エラー", kIconError, true}), system.notices.at(1));
  EXPECT_EQ(std::tuple(failed.conditions.committed, PageState::kStartPicture),
            std::tuple(failed.conditions.working, failed.pageState));
}

// Each command with each of its allocations refused in turn (Analysis: the large blocks, from the
// host's read of the clipboard to its copy of the file written): the memory message, the state
// from before, no text held.
TEST(Korvan00Commands, ARefusedAllocationShowsTheMemoryMessageAndChangesNothing) {
  const ProgramState analysed = AnalysedOneToFive();
  const auto before = std::tuple(KEPT(analysed), false, std::size_t{0}, std::size_t{0});
  for (const int command : {0, 1, 2}) {  // Analysis, Set Conditions, Draw Graph
    int refuse = 1;
    for (;; ++refuse) {
      ProgramState state = AnalysedOneToFive();
      RecordingHost host;
      host.clipboard = "10\r\n20\r\n30\r\n" + std::string(std::size_t{4} << 20, '\t') + "\r\n";
      // Set Conditions: a bad confidence first, so a refusal may come after the dialog changed the conditions.
      host.dialogRuns = {Played({{kRadioSample, {}}, Typed("0"), {kDialogOk, {}}}),
                         Played({{kRadioSample, {}}, Typed("99.5"), {kDialogOk, {}}})};
      Watch(command ? 1 : host.clipboard->size() / 2, refuse);
      command == 0   ? RunAnalysis(state, host, 0)
      : command == 1 ? ShowConditionsDialog(state, host, 1)
                     : DrawGraph(state, host, 1);
      watch.on = false;
      if (watch.count < refuse) {
        EXPECT_EQ(command == 2 ? PageState::kGraphDrawn : PageState::kResultsReady, state.pageState);
        break;
      }
      SCOPED_TRACE("command " + std::to_string(command) + ", allocation " + std::to_string(refuse));
      EXPECT_EQ((command ? Notice{"メモリを確保できません.\n他のプログラムを閉じてもう一度実行してください.", "エラー", kIconError}
                        : Notice{"Unable to allocate memory.\nClose other programs and try again.", "Error", kIconError}),
                host.notices.back());
      EXPECT_LE(host.notices.size(), command == 1 ? 2u : 1u);  // the warning before it
      EXPECT_FIELDS(before, KEPT(state), state.import.held, state.import.clipText.size(), host.written.size());
      if (command == 0) {  // the arrow cursor before the message, no block of the text left
        EXPECT_EQ(std::tuple(std::string("arrow"), std::size_t{0}), std::tuple(host.log.at(host.log.size() - 2), watch.live));
      }
    }
    EXPECT_GE(refuse, command ? 2 : 4);  // Analysis: at least three blocks refused
  }
}

}  // namespace
}  // namespace korvan00
