// korvan00's commands over a recording host: Analysis, the results file, Set Conditions and
// the page reset, each checked by what the window is asked to do, in order.
#include "korvan00/commands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <string>
#include <tuple>
#include <vector>

#include "korvan00/main_window_rules.h"

// ---- Allocation watch -------------------------------------------------------------------
// This test program's operator new and delete, over malloc and free (so the sanitizers see
// matching pairs). While a test watches, the blocks of at least `least` bytes are numbered
// from 1, their live bytes and the peak of those kept, and the block numbered `refuse` is
// refused as on a machine whose memory has run out.
namespace {
struct AllocationWatch {
  bool on = false;
  std::size_t least = 0;
  int refuse = 0;  // 0: none
  int count = 0;
  std::size_t live = 0, peak = 0;
  struct Block {
    void* at;
    std::size_t size;
  } blocks[32] = {};
  int held = 0;
} watch;

void Watch(std::size_t least, int refuse = 0) {
  watch = AllocationWatch{.on = true, .least = least, .refuse = refuse};
}

void* Allocate(std::size_t size) {
  const bool watched = watch.on && size >= watch.least;
  if (watched && ++watch.count == watch.refuse) return nullptr;
  void* at = std::malloc(size == 0 ? 1 : size);
  if (at != nullptr && watched && watch.held < 32) {
    watch.blocks[watch.held++] = {at, size};
    watch.live += size;
    if (watch.live > watch.peak) watch.peak = watch.live;
  }
  return at;
}

void Release(void* at) {
  for (int i = 0; i < watch.held; ++i) {
    if (watch.blocks[i].at == at) {
      watch.live -= watch.blocks[i].size;
      watch.blocks[i] = watch.blocks[--watch.held];
      break;
    }
  }
  std::free(at);
}
}  // namespace

void* operator new(std::size_t size) {
  if (void* at = Allocate(size)) return at;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* at) noexcept { Release(at); }
void operator delete[](void* at) noexcept { Release(at); }
void operator delete(void* at, std::size_t) noexcept { Release(at); }
void operator delete[](void* at, std::size_t) noexcept { Release(at); }
void operator delete(void* at, const std::nothrow_t&) noexcept { Release(at); }
void operator delete[](void* at, const std::nothrow_t&) noexcept { Release(at); }

namespace korvan00 {
namespace {

SaveDialogAnswer Chosen(const char* path) { return {true, path, 0}; }
SaveDialogAnswer NoFile(unsigned long code) { return {false, "", code}; }

// Plays the window: answers from its settings and writes down every request.
struct RecordingHost : CommandHost {
  std::optional<std::string> clipboard;
  SaveDialogAnswer answer = Chosen("C:\\r.xls");
  bool refusedDrive = false;
  bool enoughSpace = true;
  FileWriteOutcome write = FileWriteOutcome::kWritten;
  // One entry per run of the conditions dialog; an empty function: the dialog fails to open.
  std::vector<std::function<void(ConditionsDialog&)>> dialogRuns;
  std::vector<std::string> log;
  std::vector<Notice> notices;
  std::string written;
  std::size_t liveAtNotice = 0;  // the watched bytes held while the last box was on show
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
    const StripRect r = RectOf(strip);
    log.push_back("repaint " + std::to_string(r.left) + "-" + std::to_string(r.right));
  }
  void BringToForeground() override { log.push_back("foreground"); }
  bool RunConditionsDialog(ConditionsDialog& dialog) override {
    log.push_back("dialog");
    const auto run = dialogRuns.front();
    dialogRuns.erase(dialogRuns.begin());
    if (!run) return false;
    dialog.Init();
    run(dialog);
    return true;
  }
  SaveDialogAnswer AskResultsFileName(int) override {
    log.push_back("save dialog");
    return answer;
  }
  bool IsRefusedDrive(const std::string& root) override {
    log.push_back("drive " + root);
    return refusedDrive;
  }
  bool HasEnoughFreeSpace(const std::string& root, unsigned long long bytes) override {
    log.push_back("space " + root + " " + std::to_string(bytes));
    return enoughSpace;
  }
  FileWriteOutcome WriteResultsFile(const std::string& path, const std::string& content) override {
    log.push_back("write " + path);
    written = content;
    return write;
  }
  ClientSize ClientAreaSize() override { return {474, 377}; }
  void DrawPage(PageState before, const HistogramPage& page) override {
    log.push_back("draw after " + std::to_string(static_cast<int>(before)));
    drawn = page;
  }
};

using Log = std::vector<std::string>;
const std::string kFiveValues = "1\r\n2\r\n3\r\n4\r\n5\r\n";
constexpr PageState kEveryPageState[] = {PageState::kStartPicture, PageState::kResultsReady, PageState::kGraphDrawn};

// The log of a command that starts on `before`: a drawn page is reset first.
Log From(PageState before, Log log) {
  if (before == PageState::kGraphDrawn) log.insert(log.begin(), {"start picture", "repaint 79-207"});
  return log;
}

std::string Golden(const char* name) {
  std::ifstream in(std::string(SUITE_TEST_DATA_DIR "/") + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The state after the values 1 to 5 were analysed and the results file declined.
ProgramState AnalysedOneToFive() {
  ProgramState state;
  RecordingHost host;
  host.clipboard = kFiveValues;
  host.answer = NoFile(0);
  RunAnalysis(state, host, 0);
  return state;
}

// What a command that fails part-way must leave as it was.
auto Kept(const ProgramState& s) {
  return std::tuple(s.dataCount, s.results.count, s.results.mean, s.results.intervalCount,
                    std::vector<double>(s.results.frequencies, s.results.frequencies + 6), s.pageState,
                    s.conditions.working, s.conditions.committed);
}

TEST(Korvan00Analysis, RefusalsEndTheCommandWithTheirMessage) {
  const struct { std::optional<std::string> clipboard; const char* text; int dataCount; } cases[] = {
      {std::nullopt, "No text data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).", 1000},
      {"1\r\n2\r\n3", "Incorrect Clipboard data.\nNot copied data from Excel.", 1000},
      {"Weight\r\n2\r\n3\r\n", "No proper data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).", 1000},
      {"1\t\t2\r\n\r\n", "Too few data! (Data < 3)", 2},  // the count of the cells read
      {"\t\r\n", "Too few data! (Data < 3)", 0},
      {"7\r\n7\r\n7\r\n", "All data have a same value!", 3}};
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
      EXPECT_EQ((std::vector<Notice>{{c.text, "Error", kIconError}}), host.notices);
      EXPECT_EQ(before == PageState::kGraphDrawn ? PageState::kStartPicture : before, state.pageState);
      // A refused analysis keeps the last results whole and holds no text.
      EXPECT_EQ(std::tuple(c.dataCount, 1000, false), std::tuple(state.dataCount, state.results.count, state.import.held));
    }
  }
}

TEST(Korvan00Analysis, FiveValuesAreSavedAsTheWorkedFile) {
  for (const int japanese : {0, 1}) {
    ProgramState state;
    RecordingHost host;
    host.clipboard = kFiveValues;
    RunAnalysis(state, host, japanese);
    EXPECT_EQ((Log{"wait", "arrow", "foreground", "save dialog", "repaint 47-79", "drive C:\\", "space C:\\ 1015",
                   "write C:\\r.xls", japanese ? "notice 成功" : "notice Success", "repaint 79-111"}),
              host.log);
    EXPECT_EQ(Golden(japanese ? "five-values-ja.xls" : "five-values.xls"), host.written);
    EXPECT_EQ(std::tuple(5, 5, PageState::kResultsReady, false),
              std::tuple(state.results.count, state.dataCount, state.pageState, state.import.held));
  }
}

TEST(Korvan00Analysis, IntervalNumberFollowsTheMode) {
  const struct { int mode; const char* text; int count; int k; } cases[] = {
      {kIntervalStandard, "6", 3, 2}, {kIntervalStandard, "6", 10, 4}, {kIntervalStandard, "6", 31, 5},
      {kIntervalStandard, "6", 1000, 10}, {kIntervalChoice, "2", 10, 2}, {kIntervalChoice, "20", 10, 20}};
  for (const auto& c : cases) {
    const AnalysisConditions conditions{.intervalMode = c.mode, .intervalText = c.text};
    std::vector<double> values;
    for (int i = 0; i < c.count; ++i) values.push_back(i);
    AnalysisResults results;
    ASSERT_EQ(AnalysisOutcome::kAnalysed, AnalyseValues(values, conditions, results));
    EXPECT_EQ(c.k, results.intervalCount) << c.count << " values, mode " << c.mode;
  }
}

TEST(Korvan00Analysis, InputLimitIsAnInformationBetweenCursorsAndTheAnalysisGoesOn) {
  for (const int count : {30000, 30001}) {
    ProgramState state;
    state.conditions.working.intervalMode = kIntervalStandard;
    RecordingHost host;
    host.clipboard = "";
    for (int i = 0; i < count; ++i) *host.clipboard += std::to_string(i % 97) + "\r\n";
    host.answer = NoFile(0);  // cancelled
    RunAnalysis(state, host, 1);
    EXPECT_EQ((Log{"wait", "arrow", "notice お知らせ", "wait", "arrow", "foreground", "save dialog", "repaint 47-79",
                   "notice 成功", "repaint 79-111"}),
              host.log) << count;
    EXPECT_EQ(kIconInformation, host.notices.at(0).icon);
    EXPECT_EQ(std::tuple(30000, 30000, 15), std::tuple(state.dataCount, state.results.count, state.results.intervalCount));
  }
}

TEST(Korvan00Analysis, ALargeTextIsHeldAtMostTwice) {
  // Four megabytes: three values, then a long row of empty cells. Values of 100 digits make
  // long result lines.
  const std::string emptyCells = std::string(std::size_t{4} << 20, '\t') + "\r\n";
  for (const char* values : {"10\r\n20\r\n30\r\n", "1e100\r\n-1e100\r\n1/1e-100\r\n"}) {
    const std::string text = values + emptyCells;
    ProgramState state;
    RecordingHost host;
    host.clipboard = text;
    Watch(text.size() / 2);
    RunAnalysis(state, host, 0);
    watch.on = false;
    EXPECT_EQ("notice Success", host.log.at(host.log.size() - 2));
    EXPECT_EQ(0u, host.written.find("Inputted Data\r\n" + text + "\r\nNumber of Data\r\n3\r\n"));
    // The host's read, then the results file with the text in it (the host's copy of the
    // written file counted too): never more than two copies at once.
    EXPECT_LT(watch.peak, 2 * text.size() + 100000) << values;
  }
  // A refused text is let go before its message is shown.
  ProgramState state;
  RecordingHost host;
  host.clipboard = "x" + emptyCells;
  Watch(emptyCells.size() / 2);
  RunAnalysis(state, host, 0);
  watch.on = false;
  EXPECT_EQ("notice Error", host.log.back());
  EXPECT_EQ(0u, host.liveAtNotice);
}

// Each large block refused in turn, from the host's read of the clipboard to its copy of the
// file written: the memory message, the analysis before as it was, no text held.
TEST(Korvan00Analysis, RunningOutOfMemoryKeepsThePreviousResults) {
  const std::string text = "10\r\n20\r\n30\r\n" + std::string(std::size_t{4} << 20, '\t') + "\r\n";
  const auto before = Kept(AnalysedOneToFive());
  int refusals = 0;
  for (int refuse = 1;; ++refuse) {
    ProgramState state = AnalysedOneToFive();
    RecordingHost host;
    host.clipboard = text;
    Watch(text.size() / 2, refuse);
    RunAnalysis(state, host, 0);
    watch.on = false;
    if (watch.count < refuse) break;
    SCOPED_TRACE(refuse);
    ++refusals;
    EXPECT_EQ("arrow", host.log.at(host.log.size() - 2));
    EXPECT_EQ((std::vector<Notice>{{"Unable to allocate memory.\nClose other programs and try again.", "Error", kIconError}}),
              host.notices);
    EXPECT_EQ(before, Kept(state));
    EXPECT_EQ(std::tuple(false, std::size_t{0}, std::size_t{0}, std::size_t{0}),
              std::tuple(state.import.held, state.import.clipText.size(), watch.live, host.written.size()));
  }
  EXPECT_GE(refusals, 3);
}

TEST(Korvan00ResultsFile, EveryPathReleasesTheImportAndSetsThePageStateOnlyWhenDone) {
  using W = FileWriteOutcome;
  const Log start = {"wait", "arrow", "foreground", "save dialog", "repaint 47-79"};
  const Log checks = {"drive C:\\", "space C:\\ 1015"};
  const struct {
    SaveDialogAnswer answer;
    bool refused, space;
    W write;
    Log tail;
    Notice notice;
    bool ready;  // pageState becomes 1
  } cases[] = {
      {NoFile(0), false, true, W::kWritten, {"notice Success", "repaint 79-111"},
       {"The solution not saved.\nBut the calculation done.", "Success", kIconInformation}, true},
      {NoFile(0x3003), false, true, W::kWritten, {"notice Error"}, {"GetSaveFileName error 0x3003", "Error", kIconError}, false},
      {Chosen("Y:\\r.xls"), true, true, W::kWritten, {"drive Y:\\", "notice Warning"},
       {"Unable to save the solution to the remote disk.", "Warning", kIconWarning}, false},
      {Chosen("C:\\r.xls"), false, false, W::kWritten, {"notice Warning"}, {"Not enough free diskspace.", "Warning", kIconWarning}, false},
      {Chosen("C:\\r.txt"), false, true, W::kWritten, {"notice Error"}, {"Assign a file with XLS extension.", "Error", kIconWarning}, false},
      {Chosen("C:\\r.XLS"), false, true, W::kNotCreated, {"write C:\\r.XLS", "notice Error"},
       {"Unable to create a file to save the solution.", "Error", kIconError}, false},
      {Chosen("C:\\r.xls"), false, true, W::kWriteFailed, {"write C:\\r.xls", "notice Error"},
       {"Unable to write to file.", "Error", kIconError}, false},
      {Chosen("C:\\R.XlS"), false, true, W::kWritten, {"write C:\\R.XlS", "notice Success", "repaint 79-111"},
       {"The solution has been saved in the file\n  C:\\R.XlS.\nDouble click the file, then you can read the solution.",
        "Success", kIconInformation}, true},
  };
  for (const auto& c : cases) {
    for (const PageState before : kEveryPageState) {
      SCOPED_TRACE(c.notice.text);
      ProgramState state;
      state.pageState = before;
      RecordingHost host;
      host.clipboard = kFiveValues;
      host.answer = c.answer;
      host.refusedDrive = c.refused;
      host.enoughSpace = c.space;
      host.write = c.write;
      RunAnalysis(state, host, 0);
      Log expected = From(before, start);
      if (c.answer.chosen && !c.refused) expected.insert(expected.end(), checks.begin(), checks.end());
      expected.insert(expected.end(), c.tail.begin(), c.tail.end());
      EXPECT_EQ(expected, host.log);
      EXPECT_EQ(std::vector<Notice>{c.notice}, host.notices);
      const PageState after = before == PageState::kGraphDrawn ? PageState::kStartPicture : before;
      EXPECT_EQ(std::tuple(c.ready ? PageState::kResultsReady : after, false, 5),
                std::tuple(state.pageState, state.import.held, state.results.count));
    }
  }
}

TEST(Korvan00ResultsFile, JapaneseMessagesAndTheBytesAskedOfTheDrive) {
  ProgramState state;
  RecordingHost host;
  host.clipboard = std::string("1\r\n2\r\n3\r\n\0 ignored", 18);  // 9 bytes before the NUL
  host.write = FileWriteOutcome::kWriteFailed;
  RunAnalysis(state, host, 1);
  EXPECT_EQ("space C:\\ 1009", host.log.at(6));
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
    EXPECT_EQ(Log{"draw after " + std::to_string(before)}, host.log);
    EXPECT_EQ(PageState::kGraphDrawn, state.pageState);
  }
  EXPECT_EQ("Sample Standard Deviation (s) = 1.581139", host.drawn.lines[2].text);
  EXPECT_EQ(std::tuple(241, std::size_t{6}), std::tuple(host.drawn.baseLine, host.drawn.bars.size()));
}

// ---- Set Conditions ---------------------------------------------------------------------
void Type(ConditionsDialog& d, const char* text) { d.OnCommand(kConfidenceEdit, {-1, text}); }
void Press(ConditionsDialog& d, int id) { d.OnCommand(id, {}); }

TEST(Korvan00Conditions, OkCommitsAndResetsADrawnPage) {
  ProgramState state;
  state.pageState = PageState::kGraphDrawn;
  RecordingHost host;
  host.dialogRuns = {[](ConditionsDialog& d) {
    Press(d, kRadioSample);
    Press(d, kRadioNotDisplay);
    d.OnCommand(kIntervalCombo, {18, ""});
    Type(d, "99.5");
    Press(d, kDialogOk);
  }};
  ShowConditionsDialog(state, host, 0);
  EXPECT_EQ((Log{"dialog", "start picture", "repaint 79-207"}), host.log);
  const AnalysisConditions expected{StatisticsBasis::kSample, false, kIntervalChoice, "20", "99.5"};
  EXPECT_EQ(std::tuple(expected, expected, PageState::kStartPicture),
            std::tuple(state.conditions.committed, state.conditions.working, state.pageState));
}

TEST(Korvan00Conditions, CancelAndCloseLeaveEverythingAsItWas) {
  for (const bool close : {false, true}) {
    ProgramState state;
    state.pageState = PageState::kGraphDrawn;
    RecordingHost host;
    host.dialogRuns = {[close](ConditionsDialog& d) {
      Press(d, kRadioSample);
      Press(d, kRadioNotDisplay);
      Press(d, kRadioStandard);
      Type(d, "50");
      close ? d.OnClose() : Press(d, kDialogCancel);
    }};
    ShowConditionsDialog(state, host, 0);
    EXPECT_EQ(Log{"dialog"}, host.log);
    EXPECT_EQ(std::tuple(AnalysisConditions{}, AnalysisConditions{}, PageState::kGraphDrawn),
              std::tuple(state.conditions.working, state.conditions.committed, state.pageState));
  }
}

TEST(Korvan00Conditions, BadConfidenceWarnsAndReopensWithTheCommittedText) {
  ProgramState state;
  RecordingHost host;
  ConditionsDialogView reopened;
  std::string reopenedText;
  host.dialogRuns = {[](ConditionsDialog& d) {
                       Press(d, kRadioSample);
                       Type(d, "9");
                       Type(d, "");  // the box emptied: the dialog ends at once
                       Press(d, kDialogOk);
                     },
                     [&](ConditionsDialog& d) {
                       reopened = d.View();
                       reopenedText = d.InitialConfidenceText();
                       Press(d, kDialogOk);
                     }};
  ShowConditionsDialog(state, host, 0);
  EXPECT_EQ((Log{"dialog", "notice WARNING", "dialog"}), host.log);
  EXPECT_EQ((Notice{"Input a proper value!\n        (0<P<100)", "WARNING", kIconWarning}), host.notices.at(0));
  EXPECT_EQ(std::tuple(kRadioSample, std::string("90")), std::tuple(reopened.basisButton, reopenedText));
  EXPECT_EQ(std::tuple(StatisticsBasis::kSample, std::string("90")),
            std::tuple(state.conditions.committed.statisticsBasis, state.conditions.committed.confidenceText));
}

TEST(Korvan00Conditions, ADialogThatCannotOpenIsASystemErrorAndResetsThePage) {
  ProgramState state;
  state.pageState = PageState::kGraphDrawn;
  RecordingHost host;
  host.dialogRuns = {[](ConditionsDialog& d) { Press(d, kRadioSample); Type(d, "0"); }, nullptr};
  ShowConditionsDialog(state, host, 1);
  EXPECT_EQ((Log{"dialog", "notice 警告", "dialog", "notice システム・エラー", "start picture", "repaint 79-207"}), host.log);
  EXPECT_EQ((Notice{"ダイアログを表示できません.", "システム・エラー", kIconError, true}), host.notices.at(1));
  EXPECT_EQ(std::tuple(state.conditions.committed, PageState::kStartPicture), std::tuple(state.conditions.working, state.pageState));
}

// Set Conditions and Draw Graph with each of their allocations refused in turn: the memory
// message, the conditions and the page as they were.
TEST(Korvan00Commands, ARefusedAllocationShowsTheMemoryMessageAndChangesNothing) {
  const auto before = Kept(AnalysedOneToFive());
  for (const bool draw : {false, true}) {
    int refusals = 0;
    for (int refuse = 1;; ++refuse) {
      ProgramState state = AnalysedOneToFive();
      RecordingHost host;
      host.dialogRuns = {[](ConditionsDialog& d) {
        Press(d, kRadioSample);
        Type(d, "99.5");
        Press(d, kDialogOk);
      }};
      Watch(1, refuse);
      draw ? DrawGraph(state, host, 1) : ShowConditionsDialog(state, host, 1);
      watch.on = false;
      if (watch.count < refuse) {
        EXPECT_EQ(draw ? PageState::kGraphDrawn : PageState::kResultsReady, state.pageState);
        break;
      }
      SCOPED_TRACE(std::string(draw ? "draw " : "conditions ") + std::to_string(refuse));
      ++refusals;
      EXPECT_EQ((std::vector<Notice>{{"メモリを確保できません.\n他のプログラムを閉じてもう一度実行してください.", "エラー", kIconError}}),
                host.notices);
      EXPECT_EQ(before, Kept(state));
    }
    EXPECT_GE(refusals, 1);
  }
}

}  // namespace
}  // namespace korvan00
