// korvan95: the data-entry program. The window carries out what the pure core decides:
// the grid state machine and its layout (korvan95/grid*.h), the conditions dialog model
// (korvan95/conditions.h), the results page layout (korvan95/results_layout.h) and the main
// window rules (korvan95/main_window.h); the graph output comes from output/.
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/text_rules.h"
#include "frame/frame.h"
#include "frame/gdi_guard.h"
#include "frame/wide_text.h"
#include "korvan95/command_guard.h"
#include "korvan95/conditions.h"
#include "korvan95/data_file.h"
#include "korvan95/grid.h"
#include "korvan95/grid_layout.h"
#include "korvan95/ids.h"
#include "korvan95/main_window.h"
#include "korvan95/results_layout.h"
#include "output/drive_rules.h"
#include "output/output.h"
#include "stats/analysis.h"

namespace {

// ---- Window state -------------------------------------------------------------------------
struct Korvan95Window {
  GridState grid;
  PageState page;
  AnalysisConditions conditions;
  AnalysisResults results;
  PrintState print{};
  // The page canvas: the drawn grid or results page, and the client size it was drawn for.
  PageCanvasOwner canvas;
  // The start picture, shown until the first page.
  HDC startPictureDC = nullptr;
  HBITMAP startPicture = nullptr;
  HGDIOBJ startPrevious = nullptr;
  bool created = false;  // the creation steps have run: sizes may be enforced
  bool ended = false;    // the program end has run
  bool screenSaverWasActive = false;
  int frameExtraWidth = 0;
  int frameExtraHeight = 0;
  HCURSOR cellCursor = nullptr;
  // Conditions dialog: how it ended, and whether it is being taken down.
  ConditionsDialogResult dialogResult = kConditionsOk;
  ConditionsDialogView dialogView{};
  bool dialogEnded = false;
  bool dialogOutOfMemory = false;  // an allocation failed in the dialog, which then ended
};

Korvan95Window& Self(HWND window) { return ProgramStateOf<Korvan95Window>(window); }

HINSTANCE InstanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

int Say(HWND owner, const MessageBoxText& message, UINT extraStyle = 0) {
  return MessageBoxA(owner, message.text, message.caption, MB_OK | message.icon | extraStyle);
}

void SayDataFile(HWND window, DataFileMessage message) {
  Say(window, GetDataFileMessage(message, UseJapanese(window)));
}

// A message with the %lx of a file-dialog error code filled in.
void SayDialogError(HWND window, DataFileMessage message, unsigned long code) {
  const MessageBoxText row = GetDataFileMessage(message, UseJapanese(window));
  char text[258];
  std::snprintf(text, sizeof text, row.text, code);
  MessageBoxA(window, text, row.caption, MB_OK | row.icon);
}

CommandView ViewOf(HWND window) { return ViewOf(Self(window).page, Self(window).grid); }

OutputContext OutputOf(HWND window) {
  OutputContext context;
  context.window = window;
  context.instance = InstanceOf(window);
  context.program = kKorvan95;
  context.useJapanese = UseJapanese(window);
  context.windowsVersionClass = FrameOf(window).windowsVersionClass;
  return context;
}

PageCanvas CanvasOf(HWND window) { return Self(window).canvas.view(); }

SIZE ClientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return SIZE{client.right - client.left, client.bottom - client.top};
}

void Repaint(HWND window, const RECT* area, bool erase) {
  InvalidateRect(window, area, erase ? TRUE : FALSE);
  UpdateWindow(window);
}

// ---- Page canvas --------------------------------------------------------------------------
// Releases the canvas of the page shown, or before any page the start picture.
void ReleasePageCanvas(HWND window) {
  Korvan95Window& self = Self(window);
  if (self.startPictureDC) {
    SelectObject(self.startPictureDC, self.startPrevious);
    DeleteDC(self.startPictureDC);
    self.startPictureDC = nullptr;
  }
  if (self.startPicture) {
    DeleteObject(self.startPicture);
    self.startPicture = nullptr;
  }
  self.canvas.Release();
}

// A new white canvas of the client width x (client height - 21); the size is recorded.
HDC NewPageCanvas(HWND window, SIZE client) { return Self(window).canvas.Renew(window, client.cx, client.cy); }

// ---- Grid page ----------------------------------------------------------------------------
GridMetrics MeasureWindow(HWND window) {
  WindowDc dc(window, false);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc.get(), &metrics);
  return MeasureGrid(metrics.tmHeight, metrics.tmExternalLeading, ClientSize(window).cy);
}

void DrawGridText(HDC dc, const GridText& text) {
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, text.x, text.y, text.text.c_str(), static_cast<int>(text.text.size()));
}

// Draws the grid page currentPage afresh and paints it.
void DrawGridPage(HWND window) {
  Korvan95Window& self = Self(window);
  const SIZE client = ClientSize(window);
  // Laid out before the page shown is released: where memory runs out, that page stays.
  const GridPageLayout layout = LayoutGridPage(self.grid, client.cx, UseJapanese(window));
  DestroyCaret();
  ReleasePageCanvas(window);
  Repaint(window, nullptr, true);
  HDC dc = NewPageCanvas(window, client);
  for (const GridRule& rule : layout.rules) {
    MoveToEx(dc, rule.x1, rule.y1, nullptr);
    LineTo(dc, rule.x2, rule.y2);
  }
  for (const GridText& text : layout.texts) DrawGridText(dc, text);
  Repaint(window, nullptr, false);
}

void PlaceCaret(HWND window, int row, const std::string& text) {
  const Korvan95Window& self = Self(window);
  SIZE extent = {0, 0};
  if (!text.empty()) {
    WindowDc dc(window, false);
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  }
  const CaretPlace place = GridCaretPlace(self.grid, row, text.empty(), extent.cx);
  DestroyCaret();
  CreateCaret(window, nullptr, place.width, place.height);
  SetCaretPos(place.x, place.y);
  ShowCaret(window);
  SetFocus(window);
}

// Carries out a grid effect in its order: cell, warning, page, caret, message.
void ApplyGridEffect(HWND window, const GridEffect& effect) {
  Korvan95Window& self = Self(window);
  const int japanese = UseJapanese(window);
  HDC canvas = self.canvas.dc();
  if (effect.cellDrawn && canvas) {
    const int width = self.canvas.view().width;
    const PixelRect inside = GridCellInterior(self.grid, effect.cellRow, width);
    const GridText text = GridCellText(self.grid, effect.cellRow, effect.cellText);
    PatBlt(canvas, inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top, WHITENESS);
    DrawGridText(canvas, text);
    const PixelRect repaint = GridCellRepaintRect(self.grid, effect.cellRow, width);
    const RECT area = {repaint.left, repaint.top, repaint.right, repaint.bottom};
    Repaint(window, &area, false);
  }
  if (effect.warningBeforeStore != kGridNoMessage) {
    HideCaret(window);
    Say(window, GetGridMessage(effect.warningBeforeStore, japanese));
    ShowCaret(window);
  }
  if (effect.pageDrawn) DrawGridPage(window);
  if (effect.caretPlaced) PlaceCaret(window, effect.caretRow, effect.caretText);
  if (effect.message != kGridNoMessage) Say(window, GetGridMessage(effect.message, japanese));
}

// ---- Results page -------------------------------------------------------------------------
HFONT CreateResultsFont(HWND window) {
  WindowDc dc(window, false);
  const int japanese = UseJapanese(window);
  LOGFONTA font = {};
  font.lfHeight = -MulDiv(japanese ? 9 : 8, GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = 1;  // DEFAULT_CHARSET
  std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", japanese ? "ＭＳ ゴシック" : "Helv");
  return CreateFontIndirectA(&font);
}

// Computes the analysis of the data set with the working conditions and draws the results
// page; with all values equal only the message is shown and nothing changes.
void ShowResults(HWND window) {
  Korvan95Window& self = Self(window);
  const ConditionValues& working = self.conditions.working;
  const AnalysisRequest request = {working.intervalMode, working.intervalText.c_str(),
                                   LenientDecimal(working.confidenceText)};
  AnalysisResults results;
  const AnalysisOutcome outcome = AnalyzeData(self.grid.dataValues.data(), GridValueCount(self.grid), request, results);
  if (outcome != AnalysisOutcome::kDone) {
    self.page.pageShown = PageShown::kPage;
    if (outcome == AnalysisOutcome::kTooLarge) {
      Say(window, MessageOf(kDataTooLarge, UseJapanese(window)));
    } else {
      SayDataFile(window, kDataFileSameValue);
    }
    return;
  }
  self.results = results;
  DestroyCaret();
  const SIZE client = ClientSize(window);
  const ResultsLayout layout = LayoutResultsPage(client.cx, client.cy, results, working.statisticsBasis,
                                                 working.showMarkers != 0, UseJapanese(window));
  ReleasePageCanvas(window);
  EnterResultsPage(self.grid, self.page);
  Repaint(window, nullptr, true);
  HDC dc = NewPageCanvas(window, client);
  {
    GdiObject<HFONT> font(CreateResultsFont(window));
    Selection selectedFont(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < kResultsLineCount; ++i) {
      TextOutA(dc, kResultsTextX, layout.lineY[i], layout.lines[i].c_str(), static_cast<int>(layout.lines[i].size()));
    }
  }
  MoveToEx(dc, layout.axisLeft, layout.baseY, nullptr);
  LineTo(dc, layout.axisRight, layout.baseY);
  {
    GdiObject<HBRUSH> blue(CreateSolidBrush(RGB(0, 0, 255)));
    Selection selectedBrush(dc, blue.get());
    for (const ResultsBar& bar : layout.bars) {
      MoveToEx(dc, bar.left, layout.baseY, nullptr);
      LineTo(dc, bar.left, layout.baseY - bar.height);
      LineTo(dc, bar.right, layout.baseY - bar.height);
      LineTo(dc, bar.right, layout.baseY);
    }
    for (const ResultsBar& bar : layout.bars) {
      if (bar.filled) FloodFill(dc, bar.fillX, bar.fillY, RGB(0, 0, 0));
    }
  }
  if (layout.meanMarker.shown) {
    GdiObject<HPEN> solid(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    Selection selectedPen(dc, solid.get());
    MoveToEx(dc, layout.meanMarker.x, layout.baseY, nullptr);
    LineTo(dc, layout.meanMarker.x, layout.markerTopY);
  }
  {
    GdiObject<HPEN> dashed(CreatePen(PS_DASH, 1, RGB(255, 0, 0)));
    Selection selectedPen(dc, dashed.get());
    for (const ResultsMarker& marker : {layout.lowerMarker, layout.upperMarker}) {
      if (!marker.shown) continue;
      MoveToEx(dc, marker.x, layout.baseY, nullptr);
      LineTo(dc, marker.x, layout.markerTopY);
    }
  }
  self.page.pageShown = PageShown::kPage;
  Repaint(window, nullptr, false);
}

// ---- Painting, resizing, the cursor -------------------------------------------------------
void PaintPage(HWND window) {
  Korvan95Window& self = Self(window);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const SIZE client = ClientSize(window);
  if (self.page.pageShown == PageShown::kStartPicture && self.startPictureDC) {
    const int x = client.cx < 216 ? 0 : client.cx / 2 - 108;
    const int y = client.cy < 144 ? 0 : client.cy / 2 - 72;
    BitBlt(dc, x, y, 216, 144, self.startPictureDC, 0, 0, SRCCOPY);
  } else if (self.page.pageShown == PageShown::kPage) {
    self.canvas.Paint(dc, client.cx, client.cy);
  }
  EndPaint(window, &paint);
  const std::array<ButtonChange, 11> changes = ButtonChangesOnPaint(ViewOf(window));
  for (int i = 0; i < kButtonCount; ++i) {
    if (changes[i] == ButtonChange::kUnchanged) continue;
    HWND button = IconBarCommandButton(window, kButtonFirst + i);
    const BOOL enable = changes[i] == ButtonChange::kEnable ? TRUE : FALSE;
    if (button && (IsWindowEnabled(button) != FALSE) != (enable != FALSE)) EnableWindow(button, enable);
  }
}

void LayoutOnResize(HWND window) {
  Korvan95Window& self = Self(window);
  if (!self.created) return;
  RECT area;
  GetWindowRect(window, &area);
  const MinimumSizeFix fix = EnforceMinimumSize(area.right - area.left, area.bottom - area.top, self.frameExtraWidth,
                                                self.frameExtraHeight, IsIconic(window) != FALSE);
  if (fix.resize) {
    HDWP positions = BeginDeferWindowPos(1);
    if (positions) positions = DeferWindowPos(positions, window, nullptr, 0, 0, fix.width, fix.height, SWP_NOZORDER | SWP_NOMOVE);
    if (positions) EndDeferWindowPos(positions);
  }
  switch (RebuildOnResize(ViewOf(window))) {
    case ResizeRebuild::kGridPage:
      if (!IsIconic(window)) ApplyGridEffect(window, GridAfterResize(self.grid, MeasureWindow(window)));
      break;
    case ResizeRebuild::kResultsPage:
      if (!IsIconic(window)) {
        self.page.pageShown = PageShown::kRebuildingResults;
        ShowResults(window);
      }
      break;
    case ResizeRebuild::kNothing:
      break;
  }
  const RECT strip = {15, 0, 271, 20};
  Repaint(window, &strip, true);
}

void SetGridCursor(HWND window, LPARAM position) {
  const Korvan95Window& self = Self(window);
  const int x = static_cast<short>(LOWORD(position));
  const int y = static_cast<short>(HIWORD(position));
  const bool cell = self.page.pageShown == PageShown::kPage && GridShowsCellCursor(self.grid, x, y);
  SetCursor(cell && self.cellCursor ? self.cellCursor : LoadCursor(nullptr, IDC_ARROW));
}

void ClickGrid(HWND window) {
  Korvan95Window& self = Self(window);
  if (self.page.pageShown != PageShown::kPage || !self.grid.gridActive) return;
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(window, &cursor);
  ApplyGridEffect(window, OnClick(self.grid, cursor.x, cursor.y));
}

// ---- Data commands ------------------------------------------------------------------------
void RestoreCaret(HWND window, POINT caret) {
  const Korvan95Window& self = Self(window);
  if (!self.grid.gridActive) return;
  DestroyCaret();
  CreateCaret(window, nullptr, 2, self.grid.rowHeight);
  SetCaretPos(caret.x, caret.y);
  ShowCaret(window);
}

POINT CaretNow() {
  POINT caret = {0, 0};
  GetCaretPos(&caret);
  return caret;
}

// The record of a file dialog for data text files, its name written into `path` (MAX_PATH
// characters: a longer name is the dialog's error FNERR_BUFFERTOOSMALL, never a cut path).
OPENFILENAMEW TextFileDialog(HWND window, wchar_t (&path)[MAX_PATH], const std::wstring& title, DWORD flags) {
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.lpstrFilter = L"Texts (*.txt)\0*.txt\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = flags;
  return dialog;
}

// Data Save: true when the file was written.
bool DataSave(HWND window) {
  Korvan95Window& self = Self(window);
  const POINT caret = CaretNow();
  const DataFileMessage refusal = DataSaveRefusal(self.grid);
  if (refusal != kDataFileOk) {
    SayDataFile(window, refusal);
    RestoreCaret(window, caret);
    return false;
  }
  wchar_t path[MAX_PATH] = {};
  const std::wstring title =
      WideText(UseJapanese(window) ? "データを保存するファイル名の設定" : "Assign a file to save the data.");
  OPENFILENAMEW dialog =
      TextFileDialog(window, path, title, OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  dialog.lpstrDefExt = L"TXT";
  if (!GetSaveFileNameW(&dialog)) {
    const DWORD code = CommDlgExtendedError();
    if (code != 0) {
      SayDialogError(window, kDataFileSaveDialogError, code);
    } else {
      RestoreCaret(window, caret);
    }
    return false;
  }
  const int count = GridValueCount(self.grid);
  const std::string root = DriveRoot(path);
  DataFileMessage problem = kDataFileOk;
  if (IsRefusedDrive(root.c_str())) {
    problem = kDataFileRemoteDisk;
  } else if (!HasEnoughFreeSpace(root.c_str(), DataFileBytesAsked(count), FrameOf(window).windowsVersionClass)) {
    problem = kDataFileNoFreeSpace;
  } else if (!HasExtension(path, "TXT")) {
    problem = kDataFileTxtExtension;
  }
  bool written = false;
  if (problem != kDataFileOk) {
    SayDataFile(window, problem);
  } else {
    const std::string content = WriteDataText(self.grid.dataValues.data(), count);
    const SafeWriteOutcome outcome = WriteFileSafely(path, content.data(), content.size());
    if (outcome == SafeWriteOutcome::kWritten) {
      MarkDataSaved(self.grid);
      written = true;
    } else {
      SayDataFile(window, outcome == SafeWriteOutcome::kUnableToOpen ? kDataFileUnableToOpen : kDataFileUnableToWrite);
    }
  }
  RestoreCaret(window, caret);
  return written;
}

// The whole file, or false when it cannot be opened or read, or is too large to be a data
// file (refused whole: a part of a file is never read as if it were all of it).
bool ReadWholeFile(const wchar_t* path, std::string& content, DataFileMessage& failure) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    failure = kDataFileUnableToOpen;
    return false;
  }
  char buffer[65536];
  DWORD got = 0;
  failure = kDataFileOk;
  while (failure == kDataFileOk) {
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      failure = kDataFileUnableToRead;
    } else if (got == 0) {
      break;
    } else if (content.size() + got > kMaxDataFileBytes) {
      failure = kDataFileFormatError;
    } else {
      content.append(buffer, got);
    }
  }
  CloseHandle(file);
  return failure == kDataFileOk;
}

// Asks "Save the data set?" and runs Data Save on Yes; true when the command may go on.
bool SaveQuestion(HWND window) {
  const int answer = MessageBoxA(window, GetDataFileMessage(kDataFileSaveQuestion, UseJapanese(window)).text,
                                 GetDataFileMessage(kDataFileSaveQuestion, UseJapanese(window)).caption,
                                 MB_YESNO | MB_ICONQUESTION);
  const bool yes = answer == IDYES;
  const bool written = yes && DataSave(window);
  return ProceedAfterSaveQuestion(yes, written);
}

void DataRead(HWND window) {
  Korvan95Window& self = Self(window);
  // Typed values not saved yet are offered for saving before a file may replace them.
  if (ExitAsksToSave(self.grid) && !SaveQuestion(window)) return;
  const POINT caret = CaretNow();
  wchar_t path[MAX_PATH] = {};
  const std::wstring title = WideText(UseJapanese(window) ? "データ・ファイルの選択" : "Select a data file.");
  OPENFILENAMEW dialog = TextFileDialog(window, path, title, OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
  const BOOL chosen = GetOpenFileNameW(&dialog);
  const RECT button = {143, 0, 175, 20};
  Repaint(window, &button, true);
  if (!chosen) {
    const DWORD code = CommDlgExtendedError();
    if (code != 0) {
      SayDialogError(window, kDataFileOpenDialogError, code);
    } else {
      RestoreCaret(window, caret);
    }
    return;
  }
  std::string content;
  DataFileMessage failure = kDataFileOk;
  if (!ReadWholeFile(path, content, failure)) {
    SayDataFile(window, failure);
    RestoreCaret(window, caret);
    return;
  }
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  const DataReadResult read = ReadDataText(content);
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  for (std::size_t i = 0; i < read.droppedOffsets.size(); ++i) SayDataFile(window, kDataFileOverDigits);
  if (read.outcome != kDataFileOk) {
    SayDataFile(window, read.outcome);
    RestoreCaret(window, caret);
    return;
  }
  const GridEffect effect = ApplyDataRead(self.grid, self.page, read.values, MeasureWindow(window));
  ApplyGridEffect(window, effect);
}

void DataInput(HWND window) {
  Korvan95Window& self = Self(window);
  if (DataInputAsksToSave(self.grid) && !SaveQuestion(window)) return;
  ApplyGridEffect(window, DataInputStart(self.grid, self.page, MeasureWindow(window)));
}

void PreviousPageCommand(HWND window) { ApplyGridEffect(window, PreviousPage(Self(window).grid)); }
void NextPageCommand(HWND window) { ApplyGridEffect(window, NextPage(Self(window).grid)); }

// ---- Analysis -----------------------------------------------------------------------------
void ShowDialogView(HWND dialog, const ConditionsDialogView& view) {
  SetDlgItemTextA(dialog, kDlgIntervalEdit, view.intervalText.c_str());
  EnableWindow(GetDlgItem(dialog, kDlgIntervalEdit), view.intervalEnabled ? TRUE : FALSE);
}

INT_PTR HandleConditionsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    HWND window = reinterpret_cast<HWND>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    Korvan95Window& self = Self(window);
    self.dialogEnded = false;
    self.dialogView = ConditionsDialogOpens(self.conditions, GridValueCount(self.grid));
    SendDlgItemMessageA(dialog, kDlgConfidenceEdit, EM_LIMITTEXT, kConfidenceTextLimit, 0);
    SetDlgItemTextA(dialog, kDlgConfidenceEdit, self.dialogView.confidenceText.c_str());
    CheckRadioButton(dialog, kDlgBasisSample, kDlgBasisUnbiased, self.dialogView.basisButton);
    CheckRadioButton(dialog, kDlgMarkersDisplay, kDlgMarkersHide, self.dialogView.markersButton);
    CheckRadioButton(dialog, kDlgModeStandard, kDlgModeChoice, self.dialogView.modeButton);
    ShowDialogView(dialog, self.dialogView);
    return TRUE;
  }
  HWND window = reinterpret_cast<HWND>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (window == nullptr) return FALSE;
  Korvan95Window& self = Self(window);
  auto end = [&](ConditionsDialogResult result) {
    self.dialogResult = result;
    self.dialogEnded = true;
    EndDialog(dialog, result);
  };
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (self.dialogEnded) return TRUE;
      char text[kConditionFieldReadLimit + 1] = {};
      if (id >= kDlgBasisSample && id <= kDlgModeChoice) {
        if (HIWORD(wParam) != BN_CLICKED) return TRUE;
        OnConditionsRadio(self.conditions, self.dialogView, id, GridValueCount(self.grid));
        const int first = id <= kDlgBasisUnbiased ? kDlgBasisSample : id <= kDlgMarkersHide ? kDlgMarkersDisplay : kDlgModeStandard;
        CheckRadioButton(dialog, first, first + 1, id);
        if (id >= kDlgModeStandard) ShowDialogView(dialog, self.dialogView);
      } else if (id == kDlgIntervalEdit) {
        GetDlgItemTextA(dialog, kDlgIntervalEdit, text, sizeof text);
        if (OnIntervalEdit(self.conditions, text) != kConditionsOk) end(kConditionsBadInterval);
      } else if (id == kDlgConfidenceEdit) {
        GetDlgItemTextA(dialog, kDlgConfidenceEdit, text, sizeof text);
        if (OnConfidenceEdit(self.conditions, text) != kConditionsOk) end(kConditionsBadConfidence);
      } else if (id == kDlgOk) {
        end(kConditionsOk);
      } else if (id == kDlgCancel) {
        end(kConditionsCancelled);
      }
      return TRUE;
    }
    case WM_CLOSE:
      if (!self.dialogEnded) end(kConditionsCancelled);
      return TRUE;
    default:
      return FALSE;
  }
}

// An allocation that fails in the dialog ends it; Analysis then fails as if it had failed
// itself (the failure never crosses the system's dialog code).
INT_PTR CALLBACK ConditionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleConditionsDialog(dialog, message, wParam, lParam);
  } catch (const std::bad_alloc&) {
    if (HWND window = reinterpret_cast<HWND>(GetWindowLongPtrA(dialog, DWLP_USER))) {
      Self(window).dialogOutOfMemory = true;
      Self(window).dialogEnded = true;
    }
    EndDialog(dialog, kConditionsCancelled);
    return TRUE;
  }
}

void AnalysisCommand(HWND window) {
  Korvan95Window& self = Self(window);
  const int japanese = UseJapanese(window);
  if (TooFewForAnalysis(GridValueCount(self.grid))) {
    SayDataFile(window, kDataFileTooFew);
    return;
  }
  BeginConditionsDialog(self.conditions);
  for (;;) {
    self.dialogResult = kConditionsOk;
    const INT_PTR shown = DialogBoxParamA(InstanceOf(window), japanese ? "ANALYSIS_DLG_J" : "ANALYSIS_DLG", window,
                                          ConditionsDialogProc, reinterpret_cast<LPARAM>(window));
    if (self.dialogOutOfMemory) {
      self.dialogOutOfMemory = false;
      throw std::bad_alloc();
    }
    if (shown == -1) {
      Say(nullptr, ConditionsDialogFailedMessage(japanese));
      return;
    }
    if (self.dialogResult == kConditionsOk) CommitConditions(self.conditions);
    const ConditionsStep step = AfterConditionsDialog(self.conditions, self.dialogResult, japanese);
    if (step.next == ConditionsNext::kWarnAndReopen) {
      Say(window, step.message);
      continue;
    }
    if (step.next == ConditionsNext::kAnalyse) ShowResults(window);
    return;
  }
}

// ---- Graph output, Help, Exit -------------------------------------------------------------
void SaveAsCommand(HWND window) { SaveGraphAs(OutputOf(window), CanvasOf(window)); }
void PrintCommand(HWND window) { PrintPage(OutputOf(window), CanvasOf(window), Self(window).print); }
// Runs a command whose dialog takes the keyboard focus, and the grid's caret is back after it.
template <void (*kRun)(HWND)>
void KeepingCaret(HWND window) {
  const POINT caret = CaretNow();
  kRun(window);
  RestoreCaret(window, caret);
}
void PrinterSetupCommand(HWND window) { PrinterSetup(Self(window).print); }
void PrintZoomCommand(HWND window) { ShowPrintZoom(OutputOf(window), Self(window).print.zoom); }
void CopyCommand(HWND window) { CopyGraph(OutputOf(window), CanvasOf(window)); }

// The screen saver, switched off while the program runs, is back on.
void RestoreScreenSaver(Korvan95Window& self) {
  if (!self.screenSaverWasActive) return;
  self.screenSaverWasActive = false;
  SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_SENDWININICHANGE);
}

// The end of the program: canvas released, the screen saver back on, the loop ended.
void EndProgram(HWND window) {
  Korvan95Window& self = Self(window);
  if (self.ended) return;
  self.ended = true;
  ReleasePageCanvas(window);
  ReleasePrintState(self.print);
  RestoreScreenSaver(self);
  PostQuitMessage(0);
}

// Exit and the close box: typed values not saved since are offered for saving first.
bool MayEnd(HWND window) {
  return !ExitAsksToSave(Self(window).grid) || SaveQuestion(window);
}

void ExitCommand(HWND window) {
  if (MayEnd(window)) EndProgram(window);
}

// ---- Creation -----------------------------------------------------------------------------
struct DesktopSearch {
  HWND iconWindow = nullptr;
};

BOOL CALLBACK FindDesktopIcons(HWND candidate, LPARAM parameter) {
  auto& search = *reinterpret_cast<DesktopSearch*>(parameter);
  if (search.iconWindow) return TRUE;
  char name[258] = {};
  GetClassNameA(candidate, name, 256);
  if (std::string(name).find("Progman") == std::string::npos) return TRUE;
  HWND child = GetWindow(candidate, GW_CHILD);
  HWND grandchild = child ? GetWindow(child, GW_CHILD) : nullptr;
  if (grandchild) search.iconWindow = grandchild;
  return TRUE;
}

ScreenRect ToScreenRect(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

void CreateMainWindow(HWND window) {
  Korvan95Window& self = Self(window);
  const int japanese = UseJapanese(window);
  DesktopSearch desktop;
  EnumWindows(FindDesktopIcons, reinterpret_cast<LPARAM>(&desktop));
  // One copy only. The new window is still named "Korvan_Main" and never finds itself.
  if (FindWindowExA(nullptr, nullptr, nullptr, "Korvan") || FindWindowExW(nullptr, nullptr, nullptr, L"コルヴァン")) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    return;
  }
  if (!japanese) {
    HMENU english = LoadMenuA(InstanceOf(window), "IMENU_1");
    HMENU previous = GetMenu(window);
    if (english && SetMenu(window, english)) {
      if (previous) DestroyMenu(previous);
      SetWindowTextA(window, "Korvan");
    }
  } else {
    SetWindowTextA(window, "コルヴァン");
  }
  FrameOf(window).readmePath =
      BuildSiblingPath(L"KORVAN95.EXE", 12, japanese ? L"KORVAN_J.PDF" : L"KORVAN_E.PDF");

  // The free area: from the desktop's icon window, or from the system's work area where the
  // desktop has none (other shells, Wine).
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  WorkAreaMargins margins;
  RECT area;
  if (desktop.iconWindow && GetWindowRect(desktop.iconWindow, &area)) {
    margins = MarginsFromDesktopIcons(ToScreenRect(area), screenWidth, screenHeight);
  } else if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    margins = MarginsFromWorkArea(ToScreenRect(area), screenWidth, screenHeight);
  }
  const WindowPlacement place = PlaceMainWindow(screenWidth, screenHeight, margins);
  HDWP positions = BeginDeferWindowPos(1);
  if (positions) positions = DeferWindowPos(positions, window, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER);
  if (positions) EndDeferWindowPos(positions);

  self.startPicture = LoadBitmapA(InstanceOf(window), "IBMP_1");
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  {
    WindowDc dc(window, false);
    self.startPictureDC = CreateCompatibleDC(dc.get());
    self.startPrevious = SelectObject(self.startPictureDC, self.startPicture);
    const SIZE client = ClientSize(window);
    BitBlt(dc.get(), client.cx / 2 - 108, client.cy / 2 - 72, 216, 144, self.startPictureDC, 0, 0, SRCCOPY);
  }
  RECT outer, inner;
  GetWindowRect(window, &outer);
  GetClientRect(window, &inner);
  self.frameExtraHeight = (outer.bottom - outer.top) - (inner.bottom - inner.top);
  self.frameExtraWidth = (outer.right - outer.left) - (inner.right - inner.left);
  self.page.pageShown = PageShown::kStartPicture;

  BOOL saverActive = FALSE;
  if (SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &saverActive, 0) && saverActive) {
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, SPIF_SENDWININICHANGE);
    self.screenSaverWasActive = true;
  }
  self.cellCursor = LoadCursorA(InstanceOf(window), "CURSOR_I");
  PreparePrintState(self.print, window);
  self.created = true;
}

// ---- Allocation failures ------------------------------------------------------------------
// A command, or a message that changes the data, runs so that an allocation failing in it
// changes nothing: the grid, the page state, the conditions and the results go back to how
// they were, the memory message is shown and the grid's caret is back. Pages are laid out
// before the page they replace is released, and files are written whole or not at all, so
// the page and the files stay too.
template <class Step>
bool KeepingData(HWND window, Step&& step) {
  Korvan95Window& self = Self(window);
  const POINT caret = CaretNow();
  if (RunKeepingParts(std::forward<Step>(step), self.grid, self.page, self.conditions, self.results)) return true;
  Say(window, MessageOf(kNotEnoughMemory, UseJapanese(window)));
  RestoreCaret(window, caret);
  return false;
}

template <void (*kRun)(HWND)>
void Guarded(HWND window) {
  KeepingData(window, [window] { kRun(window); });
}

bool HandleMessageAsIs(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  Korvan95Window& self = Self(window);
  result = 0;
  switch (message) {
    case WM_CLOSE:
      if (self.created && !self.ended && !MayEnd(window)) return true;
      return false;  // DefWindowProcA destroys the window
    case WM_QUERYENDSESSION:
      // The session ends: typed values not saved are offered for saving; a save that did not
      // write the file keeps the session waiting.
      result = !self.created || self.ended || MayEnd(window) ? TRUE : FALSE;
      return true;
    case WM_ENDSESSION:
      // The process ends with the session, without the usual end.
      if (wParam) RestoreScreenSaver(self);
      return true;
    case WM_DESTROY:
      EndProgram(window);
      return true;
    case WM_SIZE:
      LayoutOnResize(window);
      return true;
    case WM_PAINT:
      PaintPage(window);
      return true;
    case WM_KEYDOWN:
      // Keys typed ahead that arrive while a box of the program is open (it disables the
      // window) are dropped: typed into the grid under the box, they would make a value
      // nobody entered. After the box the user goes on from the cell as it was.
      if (!IsWindowEnabled(window)) return true;
      ApplyGridEffect(window, OnKeyDown(self.grid, IdentifyGridKeyFromData(static_cast<unsigned>(wParam),
                                                                           static_cast<unsigned long long>(lParam))));
      return true;
    case WM_KEYUP:
      OnKeyUp(self.grid, IdentifyGridKeyFromData(static_cast<unsigned>(wParam), static_cast<unsigned long long>(lParam)));
      return true;
    case WM_KILLFOCUS:
      OnFocusLost(self.grid);
      return false;
    case WM_MOUSEMOVE:
      SetGridCursor(window, lParam);
      return true;
    case WM_LBUTTONDOWN:
      ClickGrid(window);
      return true;
    default:
      return false;
  }
}

// Keys, clicks, a resize and the save question before the end run as the commands do; where
// memory runs out they count as handled, with nothing changed (the window stays open, the
// session waits).
bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_CLOSE && message != WM_QUERYENDSESSION && message != WM_SIZE && message != WM_KEYDOWN &&
      message != WM_LBUTTONDOWN)
    return HandleMessageAsIs(window, message, wParam, lParam, result);
  bool handled = false;
  if (KeepingData(window, [&] { handled = HandleMessageAsIs(window, message, wParam, lParam, result); }))
    return handled;
  result = 0;
  return true;
}

// ---- Tables -------------------------------------------------------------------------------
bool MenuEnabled(HWND window, int menuId) { return MenuItemEnabled(menuId, ViewOf(window)); }
template <int kMenuId>
bool EnabledByView(HWND window) {
  return MenuEnabled(window, kMenuId);
}

void DataSaveCommand(HWND window) { DataSave(window); }

constexpr Command kCommands[] = {
    {kCmdSaveAs, kButtonSaveAs, Guarded<SaveAsCommand>, EnabledByView<kCmdSaveAs>, nullptr},
    {kCmdPrinterSetup, 0, KeepingCaret<Guarded<PrinterSetupCommand>>, nullptr, nullptr},
    {kCmdPrintZoom, 0, KeepingCaret<Guarded<PrintZoomCommand>>, nullptr, nullptr},
    {kCmdPrint, kButtonPrint, Guarded<PrintCommand>, EnabledByView<kCmdPrint>, nullptr},
    {kCmdExit, kButtonExit, Guarded<ExitCommand>, nullptr, nullptr},
    {kCmdCopy, kButtonCopy, Guarded<CopyCommand>, EnabledByView<kCmdCopy>, nullptr},
    {kCmdDataInput, kButtonDataInput, Guarded<DataInput>, nullptr, nullptr},
    {kCmdDataRead, kButtonDataRead, Guarded<DataRead>, EnabledByView<kCmdDataRead>, nullptr},
    {kCmdPreviousPage, kButtonPreviousPage, Guarded<PreviousPageCommand>, EnabledByView<kCmdPreviousPage>, nullptr},
    {kCmdNextPage, kButtonNextPage, Guarded<NextPageCommand>, EnabledByView<kCmdNextPage>, nullptr},
    {kCmdAnalysis, kButtonAnalysis, KeepingCaret<Guarded<AnalysisCommand>>, EnabledByView<kCmdAnalysis>, nullptr},
    {kCmdAbout, kButtonAbout, Guarded<ShowAbout>, nullptr, nullptr},
    {kCmdHowToUse, kButtonHowToUse, Guarded<ShowReadme>, nullptr, nullptr},
    {kCmdDataSave, 0, Guarded<DataSaveCommand>, EnabledByView<kCmdDataSave>, nullptr},
};

RECT InitialPlace(int screenWidth, int screenHeight) {
  const int x = static_cast<int>(0.05 * screenWidth), y = static_cast<int>(0.05 * screenHeight);
  return RECT{x, y, x + static_cast<int>(0.9 * screenWidth), y + static_cast<int>(0.9 * screenHeight)};
}

const ProgramDefinition kProgram = {
    .className = "KORVAN95",
    .windowName = "Korvan_Main",
    .classMenu = "IMENU_1_J",
    .whiteBackground = true,
    .classArrowCursor = false,
    .style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX,
    .initialPlace = InitialPlace,
    .fullVersionVariant = 1,
    .buttons = kIconBarButtons,
    .buttonCount = static_cast<int>(sizeof kIconBarButtons / sizeof kIconBarButtons[0]),
    .rowRightEnd = 368,
    .hasMenuBar = true,
    .barHasArrowCursor = false,
    .line = kLineBlack,
    .commands = kCommands,
    .commandCount = static_cast<int>(sizeof kCommands / sizeof kCommands[0]),
    .keys = kCommandKeys,
    .keyCount = static_cast<int>(sizeof kCommandKeys / sizeof kCommandKeys[0]),
    .tabBetweenFields = false,
    .viewer = ReadmeViewer::kPdfViewer,
    .readmeMissing = {"Install the readme file (KORVAN_E.PDF)\nin the same directory.",
                      "説明書ファイル（KORVAN_J.PDF）を同じ\nフォルダーに入れてください."},
    .readmeFailed = {"Unable to open the readme file (KORVAN_E.PDF)\nbecause of being NO software to read PDF documents.",
                     "PDF 文書の閲覧ソフトが無いので、\n説明書（KORVAN_J.PDF）を開けません."},
    .aboutFailed = {"Unable to display dialog", "ダイアログを表示できません"},
    .create = CreateMainWindow,
    .handle = HandleMessage,
    .control = nullptr,
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  Korvan95Window state;
  return RunMainWindow(instance, showCommand, kProgram, &state);
}
