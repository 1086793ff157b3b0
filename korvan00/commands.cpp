// korvan00's deciding commands: Set Conditions, Analysis, the results file, the page reset.
#include "korvan00/commands.h"

#include <cstdio>
#include <new>
#include <utility>

#include "common/text_rules.h"
#include "korvan00/results_file.h"
#include "korvan00/sheet_text.h"
#include "output/drive_rules.h"
#include "stats/analysis.h"

namespace korvan00 {

namespace {

// The number of non-empty cells of a text that the import walked to its end (so every such
// cell held a value): the count of a data set refused for too few values.
int CountFilledCells(const std::string& text) {
  const std::size_t length = SheetTextLength(text.data(), text.size());
  int count = 0;
  std::size_t position = 0;
  while (position < length) {
    std::size_t cellLength = 0;
    int lineEnd = 0;
    const std::size_t next = NextSheetCell(text.data(), length, position, cellLength, lineEnd);
    if (cellLength > 0) ++count;
    position = next;
  }
  return count;
}

// Frees the blocks (an assignment from an empty string may keep the old one's buffer).
void ReleaseImportBlocks(ProgramState& state) {
  const ImportBlocks released = std::move(state.import);
  state.import = ImportBlocks();
}

void Show(CommandHost& host, SheetMessage message, int useJapanese) {
  host.ShowNotice(NoticeOf(GetSheetMessage(message, useJapanese)));
}

// Releases the import, then shows why the results were not saved; pageState stays.
void RefuseSave(ProgramState& state, CommandHost& host, const Notice& notice) {
  ReleaseImportBlocks(state);
  host.ShowNotice(notice);
}

}  // namespace

Notice NoticeOf(const MessageEntry& entry, int useJapanese, bool systemModal) {
  return useJapanese ? Notice{entry.japanese, entry.japaneseCaption, entry.icon, systemModal}
                     : Notice{entry.english, entry.englishCaption, entry.icon, systemModal};
}

Notice NoticeOf(const MessageBoxText& message) {
  return Notice{message.text, message.caption, message.icon, false};
}

StripRect RectOf(IconBarStrip strip) {
  switch (strip) {
    case IconBarStrip::kAnalysisButton: return {47, 0, 79, 20};
    case IconBarStrip::kDrawGraph: return {79, 0, 111, 20};
    case IconBarStrip::kGraphButtons: return {79, 0, 207, 20};
    case IconBarStrip::kSaveGraph: return {143, 0, 175, 20};
  }
  return {0, 0, 0, 0};
}

int ResetPage(ProgramState& state, CommandHost& host) {
  if (state.pageState != PageState::kGraphDrawn) return 0;
  // The state changes first, so a repaint during the change never looks for the old page.
  state.pageState = PageState::kStartPicture;
  host.ShowStartPicture();
  host.Repaint(IconBarStrip::kGraphButtons);
  return 1;
}

namespace {

void RunConditionsDialogs(ProgramState& state, CommandHost& host, int useJapanese) {
  ConditionsStore& store = state.conditions;
  store.working = store.committed;
  for (;;) {
    store.working.confidenceText = store.committed.confidenceText;
    ConditionsDialog dialog(store, state.dataCount);
    if (!host.RunConditionsDialog(dialog)) {
      host.ShowNotice(NoticeOf(kConditionsDialogFailed, useJapanese, true));
      store.working = store.committed;
      ResetPage(state, host);
      return;
    }
    switch (dialog.Result()) {
      case ConditionsDialogResult::kBadConfidence:
        host.ShowNotice(NoticeOf(kConfidenceWarning, useJapanese));
        continue;
      case ConditionsDialogResult::kCancelled:
        store.working = store.committed;
        return;
      case ConditionsDialogResult::kOk:
        ResetPage(state, host);
        return;
    }
  }
}

void ShowMemoryNotice(CommandHost& host, int useJapanese) {
  host.ShowNotice(NoticeOf(kNotEnoughMemory, useJapanese));
}

}  // namespace

void ShowConditionsDialog(ProgramState& state, CommandHost& host, int useJapanese) {
  std::optional<ConditionsStore> before;
  try {
    before = state.conditions;
    RunConditionsDialogs(state, host, useJapanese);
  } catch (const std::bad_alloc&) {
    if (before) state.conditions = std::move(*before);
    ShowMemoryNotice(host, useJapanese);
  }
}

AnalysisOutcome AnalyseValues(const std::vector<double>& values, const AnalysisConditions& conditions,
                              AnalysisResults& results) {
  // The suite's one analysis; its order (interval number, frequencies with the equal-values
  // test, statistics) is this program's. A refused data set leaves the previous results.
  AnalysisRequest request;
  request.intervalMode = conditions.intervalMode;
  request.intervalText = conditions.intervalText.c_str();
  request.confidencePercent = ConfidenceOf(conditions);
  AnalysisResults fresh;
  switch (AnalyzeData(values.data(), static_cast<int>(values.size()), request, fresh)) {
    case ::AnalysisOutcome::kAllEqual: return AnalysisOutcome::kAllEqual;
    case ::AnalysisOutcome::kTooLarge: return AnalysisOutcome::kTooLarge;
    case ::AnalysisOutcome::kDone: break;
  }
  results = fresh;
  return AnalysisOutcome::kAnalysed;
}

namespace {

// RunAnalysis after its page reset and wait cursor.
void AnalyseClipboard(ProgramState& state, CommandHost& host, int useJapanese) {
  std::optional<std::string> clipboard = host.ReadClipboardText();
  if (!clipboard) {
    host.SetWaitCursor(false);
    Show(host, kSheetNoText, useJapanese);
    return;
  }
  SheetImportResult import = ImportSheetText(*clipboard);
  if (import.limitReached) {
    host.SetWaitCursor(false);
    Show(host, kSheetInputLimit, useJapanese);
    host.SetWaitCursor(true);
  }
  if (import.outcome != kSheetOk) {
    if (import.outcome == kSheetTooFew) state.dataCount = CountFilledCells(*clipboard);
    clipboard.reset();  // not held while the message is on show
    host.SetWaitCursor(false);
    Show(host, import.outcome, useJapanese);
    return;
  }

  // The text itself moves into the import blocks: it is held once, not copied.
  clipboard->resize(import.textLength);
  state.import.held = true;
  state.import.clipText = std::move(*clipboard);
  state.import.dataValues = std::move(import.values);
  state.dataCount = static_cast<int>(state.import.dataValues.size());

  const AnalysisOutcome outcome = AnalyseValues(state.import.dataValues, state.conditions.working, state.results);
  if (outcome != AnalysisOutcome::kAnalysed) {
    ReleaseImportBlocks(state);
    host.SetWaitCursor(false);
    if (outcome == AnalysisOutcome::kTooLarge) {
      host.ShowNotice(NoticeOf(kDataTooLarge, useJapanese));
    } else {
      Show(host, kSheetSameValue, useJapanese);
    }
    return;
  }
  host.SetWaitCursor(false);
  host.BringToForeground();
  SaveResultsFile(state, host, useJapanese);
}

}  // namespace

void RunAnalysis(ProgramState& state, CommandHost& host, int useJapanese) {
  ResetPage(state, host);
  host.SetWaitCursor(true);
  // What an allocation that fails part-way puts back (copied without allocating).
  const AnalysisResults results = state.results;
  const int dataCount = state.dataCount;
  const PageState pageState = state.pageState;
  try {
    AnalyseClipboard(state, host, useJapanese);
  } catch (const std::bad_alloc&) {
    ReleaseImportBlocks(state);
    state.results = results;
    state.dataCount = dataCount;
    state.pageState = pageState;
    host.SetWaitCursor(false);
    ShowMemoryNotice(host, useJapanese);
  }
}

void DrawGraph(ProgramState& state, CommandHost& host, int useJapanese) {
  const PageState before = state.pageState;
  if (before == PageState::kStartPicture) return;
  try {
    const ClientSize client = host.ClientAreaSize();
    const HistogramPage page =
        LayoutHistogramPage(client.width, client.height, state.results, state.conditions.working, useJapanese);
    state.pageState = PageState::kGraphDrawn;
    host.DrawPage(before, page);
  } catch (const std::bad_alloc&) {
    state.pageState = before;
    ShowMemoryNotice(host, useJapanese);
  }
}

std::string SaveDialogErrorText(unsigned long code, int useJapanese) {
  // The table's text carries the code as "%lx"; it is filled here without a runtime format.
  std::string text = GetResultsFileMessage(kResultsFileDialogError, useJapanese).text;
  char hex[32] = {};
  std::snprintf(hex, sizeof hex, "%lx", code);
  const std::size_t at = text.find("%lx");
  if (at != std::string::npos) text.replace(at, 3, hex);
  return text;
}

void SaveResultsFile(ProgramState& state, CommandHost& host, int useJapanese) {
  const SaveDialogAnswer answer = host.AskResultsFileName(useJapanese);
  if (!answer.chosen) {
    ReleaseImportBlocks(state);
    host.Repaint(IconBarStrip::kAnalysisButton);
    if (answer.extendedError == 0) {
      host.ShowNotice(NoticeOf(GetResultsFileMessage(kResultsFileNotSaved, useJapanese)));
      state.pageState = PageState::kResultsReady;
      host.Repaint(IconBarStrip::kDrawGraph);
    } else {
      Notice notice = NoticeOf(GetResultsFileMessage(kResultsFileDialogError, useJapanese));
      notice.text = SaveDialogErrorText(answer.extendedError, useJapanese);
      host.ShowNotice(notice);
    }
    return;
  }

  host.Repaint(IconBarStrip::kAnalysisButton);
  const std::wstring& path = answer.path;
  const std::string root = DriveRoot(path);
  const auto refuse = [&](ResultsFileMessage message) {
    RefuseSave(state, host, NoticeOf(GetResultsFileMessage(message, useJapanese)));
  };
  if (host.IsRefusedDrive(root)) return refuse(kResultsFileRemoteDisk);
  if (!host.HasEnoughFreeSpace(root, ResultsFileBytesAsked(state.import.clipText.size())))
    return refuse(kResultsFileNoFreeSpace);
  if (!HasExtension(path, "XLS")) return refuse(kResultsFileXlsExtension);

  // Formed before the write, so nothing is allocated once the file is written.
  const Notice saved{ResultsSavedText(useJapanese), ResultsSavedCaption(useJapanese), kIconInformation, false,
                     path};
  FileWriteOutcome outcome;
  {
    const std::string content =
        FormatResultsFile(state.import.clipText.data(), state.import.clipText.size(), state.results,
                          static_cast<int>(state.conditions.working.statisticsBasis), useJapanese);
    // The content holds the text now: the import goes before the write, and the content
    // after it, so the text is never held more than twice.
    ReleaseImportBlocks(state);
    outcome = host.WriteResultsFile(path, content);
  }
  switch (outcome) {
    case FileWriteOutcome::kNotCreated:
      return refuse(kResultsFileUnableToCreate);
    case FileWriteOutcome::kWriteFailed:
      return RefuseSave(state, host, NoticeOf(kResultsWriteFailed, useJapanese));
    case FileWriteOutcome::kWritten:
      break;
  }
  host.ShowNotice(saved);
  state.pageState = PageState::kResultsReady;
  host.Repaint(IconBarStrip::kDrawGraph);
}

const MessageEntry kResultsWriteFailed = {"Unable to write to file.", kCaptionError.english,
                                          "ファイルに書き込めません.", kCaptionError.japanese,
                                          kIconError};

}  // namespace korvan00
