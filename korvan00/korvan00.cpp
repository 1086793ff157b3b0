// korvan00: the clipboard analysing program. The window carries out what the pure core
// decides (korvan00/commands.h over the CommandHost below, the histogram page layout, the
// conditions dialog model and the main window rules); the graph output comes from output/.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "frame/frame.h"
#include "frame/gdi_guard.h"
#include "frame/wide_text.h"
#include "korvan00/commands.h"
#include "korvan00/conditions.h"
#include "korvan00/histogram_page.h"
#include "korvan00/ids.h"
#include "korvan00/main_window_rules.h"
#include "korvan00/program_state.h"
#include "output/output.h"

namespace {

using namespace korvan00;

// ---- Window state -------------------------------------------------------------------------
struct Korvan00Window {
  ProgramState program;
  PrintState print{};
  // The start picture, held while pageState is 0 or 1.
  HDC startPictureContext = nullptr;
  HBITMAP startPicture = nullptr;
  HGDIOBJ startPrevious = nullptr;
  // The drawn page, held while pageState is 2, and the client size it was drawn for.
  PageCanvasOwner canvas;
  bool ended = false;
};

Korvan00Window& Self(HWND window) { return ProgramStateOf<Korvan00Window>(window); }

HINSTANCE InstanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

OutputContext OutputOf(HWND window) {
  OutputContext context;
  context.window = window;
  context.instance = InstanceOf(window);
  context.program = kKorvan00;
  context.useJapanese = UseJapanese(window);
  context.windowsVersionClass = FrameOf(window).windowsVersionClass;
  return context;
}

PageCanvas CanvasOf(HWND window) { return Self(window).canvas.view(); }

// ---- Page objects -------------------------------------------------------------------------
void ReleaseStartPicture(Korvan00Window& self) {
  if (self.startPictureContext) {
    SelectObject(self.startPictureContext, self.startPrevious);
    DeleteDC(self.startPictureContext);
    self.startPictureContext = nullptr;
  }
  if (self.startPicture) {
    DeleteObject(self.startPicture);
    self.startPicture = nullptr;
  }
}

// Loads the start picture into its memory context and copies it below the icon bar.
void MakeStartPicture(HWND window) {
  Korvan00Window& self = Self(window);
  ReleaseStartPicture(self);
  self.startPicture = LoadBitmapA(InstanceOf(window), "IBMP_1");
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  WindowDc dc(window, false);
  self.startPictureContext = CreateCompatibleDC(dc.get());
  if (self.startPicture) self.startPrevious = SelectObject(self.startPictureContext, self.startPicture);
  BitBlt(dc.get(), 0, kIconBarStripHeight, kPageWidth, kPageHeight, self.startPictureContext, 0, 0, SRCCOPY);
}

// Draws the page on its new white canvas.
void DrawLayout(HWND window, HDC dc, const HistogramPage& page) {
  // The six results lines, black on opaque white.
  {
    WindowDc screen(window, false);
    LOGFONTA description = {};
    description.lfHeight = PageFontHeight(page.font.points, GetDeviceCaps(screen.get(), LOGPIXELSY));
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(description.lfFaceName, page.font.face, LF_FACESIZE);
    GdiObject<HFONT> font(CreateFontIndirectA(&description));
    Selection selectedFont(dc, font.get());
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    for (const PageTextLine& line : page.lines) {
      TextOutA(dc, line.x, line.y, line.text.c_str(), static_cast<int>(line.text.size()));
    }
  }
  if (!page.histogram) return;
  {
    GdiObject<HPEN> black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    GdiObject<HBRUSH> blue(CreateSolidBrush(RGB(0, 0, 255)));
    Selection selectedPen(dc, black.get());
    Selection selectedBrush(dc, blue.get());
    MoveToEx(dc, page.baseLineLeft, page.baseLine, nullptr);
    LineTo(dc, page.baseLineRight, page.baseLine);
    for (const HistogramBar& bar : page.bars) {
      MoveToEx(dc, bar.left, page.baseLine, nullptr);
      LineTo(dc, bar.left, bar.top);
      LineTo(dc, bar.right, bar.top);
      LineTo(dc, bar.right, page.baseLine);
      if (bar.filled) FloodFill(dc, bar.fillSeed.x, bar.fillSeed.y, RGB(0, 0, 0));
    }
  }
  for (const HistogramMarker& marker : page.markers) {
    GdiObject<HPEN> red(CreatePen(marker.dashed ? PS_DASH : PS_SOLID, 1, RGB(255, 0, 0)));
    Selection selectedPen(dc, red.get());
    MoveToEx(dc, marker.x, marker.bottom, nullptr);
    LineTo(dc, marker.x, marker.top);
  }
}

// ---- Conditions dialog --------------------------------------------------------------------
void ApplyDialogView(HWND dialog, const ConditionsDialogView& view) {
  CheckRadioButton(dialog, kRadioSample, kRadioUnbiased, view.basisButton);
  CheckRadioButton(dialog, kRadioDisplay, kRadioNotDisplay, view.markersButton);
  CheckRadioButton(dialog, kRadioStandard, kRadioChoice, view.modeButton);
  HWND list = GetDlgItem(dialog, kIntervalCombo);
  if (SendMessageA(list, CB_GETCURSEL, 0, 0) != view.listSelection) {
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(view.listSelection), 0);
  }
  if ((IsWindowEnabled(list) != FALSE) != view.listEnabled) EnableWindow(list, view.listEnabled ? TRUE : FALSE);
  if ((IsWindowVisible(list) != FALSE) != view.listVisible) ShowWindow(list, view.listVisible ? SW_SHOWNA : SW_HIDE);
}

// One run of the conditions dialog: the model, and whether an allocation failed in the
// dialog procedure (an exception must not cross the system's dialog loop; the host throws
// it again once the dialog has ended).
struct ConditionsDialogRun {
  ConditionsDialog& model;
  bool outOfMemory = false;
};

INT_PTR HandleConditionsDialog(HWND dialog, UINT message, WPARAM wParam, ConditionsDialog& model) {
  switch (message) {
    case WM_INITDIALOG: {
      model.Init();
      HWND list = GetDlgItem(dialog, kIntervalCombo);
      SendMessageA(list, CB_RESETCONTENT, 0, 0);
      for (const char* item : IntervalItems()) SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
      ApplyDialogView(dialog, model.View());
      SetDlgItemTextA(dialog, kConfidenceEdit, model.InitialConfidenceText().c_str());
      SendDlgItemMessageA(dialog, kConfidenceEdit, EM_LIMITTEXT, kConfidenceEditLimit, 0);
      return TRUE;
    }
    case WM_COMMAND: {
      if (model.Ended()) return TRUE;
      ConditionsDialogInput input;
      input.listSelection = static_cast<int>(SendDlgItemMessageA(dialog, kIntervalCombo, CB_GETCURSEL, 0, 0));
      char text[kConfidenceReadLimit + 1] = {};
      GetDlgItemTextA(dialog, kConfidenceEdit, text, sizeof text);
      input.confidenceText = text;
      model.OnCommand(LOWORD(wParam), input);
      if (model.Ended()) {
        EndDialog(dialog, model.EndCode());
      } else {
        ApplyDialogView(dialog, model.View());
      }
      return TRUE;
    }
    case WM_CLOSE:
      model.OnClose();
      EndDialog(dialog, model.EndCode());
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK ConditionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  auto* run = reinterpret_cast<ConditionsDialogRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (run == nullptr) return FALSE;
  try {
    return HandleConditionsDialog(dialog, message, wParam, run->model);
  } catch (const std::bad_alloc&) {
    run->outOfMemory = true;
    run->model.OnClose();
    EndDialog(dialog, 0);
    return TRUE;
  }
}

// ---- The window's side of the commands ----------------------------------------------------
class WindowHost : public CommandHost {
 public:
  explicit WindowHost(HWND window) : window_(window) {}

  std::optional<std::string> ReadClipboardText() override {
    // Closed on every path, an allocation that fails for a large text included.
    ClipboardGuard clipboard(window_);
    if (!clipboard.Open()) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      GlobalBlockLock lock(data);
      if (const unsigned char* bytes = lock.Address()) {
        // CF_TEXT ends at its NUL; the block's size bounds the search.
        const std::size_t size = lock.Size();
        const void* nul = std::memchr(bytes, 0, size);
        const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - bytes) : size;
        text.emplace(reinterpret_cast<const char*>(bytes), length);
      }
    }
    return text;
  }

  void SetWaitCursor(bool wait) override { SetCursor(LoadCursor(nullptr, wait ? IDC_WAIT : IDC_ARROW)); }

  void ShowNotice(const Notice& notice) override {
    const UINT style = MB_OK | notice.icon | (notice.systemModal ? MB_SYSTEMMODAL : 0);
    const HWND owner = notice.systemModal ? nullptr : window_;
    const std::size_t at = notice.text.find("%s");
    if (notice.path.empty() || at == std::string::npos) {
      MessageBoxA(owner, notice.text.c_str(), notice.caption.c_str(), style);
      return;
    }
    // The path as the file system has it, whatever the code page can show.
    const std::wstring text =
        WideText(notice.text.substr(0, at)) + notice.path + WideText(notice.text.substr(at + 2));
    MessageBoxW(owner, text.c_str(), WideText(notice.caption).c_str(), style);
  }

  void ShowStartPicture() override {
    Self(window_).canvas.Release();
    MakeStartPicture(window_);
  }

  void Repaint(IconBarStrip strip) override {
    const StripRect r = RectOf(strip);
    const RECT area = {r.left, r.top, r.right, r.bottom};
    InvalidateRect(window_, &area, TRUE);
    UpdateWindow(window_);
  }

  void BringToForeground() override { SetForegroundWindow(window_); }

  bool RunConditionsDialog(ConditionsDialog& dialog) override {
    ConditionsDialogRun run{dialog};
    const INT_PTR shown =
        DialogBoxParamA(InstanceOf(window_), UseJapanese(window_) ? "ANALYSIS_DLG_J" : "ANALYSIS_DLG", window_,
                        ConditionsDialogProc, reinterpret_cast<LPARAM>(&run));
    if (run.outOfMemory) throw std::bad_alloc();
    if (shown == -1) return false;
    if (!dialog.Ended()) dialog.OnClose();  // ended by the system: as if closed
    return true;
  }

  SaveDialogAnswer AskResultsFileName(int useJapanese) override {
    // A name longer than the buffer is the dialog's error (FNERR_BUFFERTOOSMALL), never a cut path.
    wchar_t name[MAX_PATH] = {};
    const std::wstring title =
        WideText(useJapanese ? "結果を保存するファイル名の設定" : "Assign a file to save the results.");
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = window_;
    request.lpstrFilter = L"Excel file (*.xls)\0*.xls\0";
    request.nFilterIndex = 1;
    request.lpstrFile = name;
    request.nMaxFile = MAX_PATH;
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    request.lpstrDefExt = L"xls";
    SaveDialogAnswer answer;
    if (GetSaveFileNameW(&request)) {
      answer.chosen = true;
      answer.path = name;
    } else {
      answer.extendedError = CommDlgExtendedError();
    }
    return answer;
  }

  bool IsRefusedDrive(const std::string& root) override { return ::IsRefusedDrive(root.c_str()) != 0; }

  bool HasEnoughFreeSpace(const std::string& root, unsigned long long bytes) override {
    return ::HasEnoughFreeSpace(root.c_str(), bytes, FrameOf(window_).windowsVersionClass) != 0;
  }

  FileWriteOutcome WriteResultsFile(const std::wstring& path, const std::string& content) override {
    switch (WriteFileSafely(path, content.data(), content.size())) {
      case SafeWriteOutcome::kWritten: return FileWriteOutcome::kWritten;
      case SafeWriteOutcome::kUnableToOpen: return FileWriteOutcome::kNotCreated;
      case SafeWriteOutcome::kUnableToWrite: return FileWriteOutcome::kWriteFailed;
    }
    return FileWriteOutcome::kWriteFailed;
  }

  korvan00::ClientSize ClientAreaSize() override {
    RECT client;
    GetClientRect(window_, &client);
    return {client.right - client.left, client.bottom - client.top};
  }

  void DrawPage(PageState, const HistogramPage& page) override {
    Korvan00Window& self = Self(window_);
    ReleaseStartPicture(self);
    const korvan00::ClientSize client = ClientAreaSize();
    if (HDC dc = self.canvas.Renew(window_, client.width, client.height)) DrawLayout(window_, dc, page);
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
  }

 private:
  HWND window_;
};

// ---- Commands -----------------------------------------------------------------------------
void SetConditionsCommand(HWND window) {
  WindowHost host(window);
  ShowConditionsDialog(Self(window).program, host, UseJapanese(window));
}

void AnalysisCommand(HWND window) {
  WindowHost host(window);
  RunAnalysis(Self(window).program, host, UseJapanese(window));
}

void DrawGraphCommand(HWND window) {
  WindowHost host(window);
  DrawGraph(Self(window).program, host, UseJapanese(window));
}

// The graph output works on the drawn page only.
bool PageDrawn(HWND window) { return Self(window).program.pageState == PageState::kGraphDrawn; }

void CopyGraphCommand(HWND window) {
  if (PageDrawn(window)) CopyGraph(OutputOf(window), CanvasOf(window));
}
void SaveGraphCommand(HWND window) {
  if (PageDrawn(window)) SaveGraphAs(OutputOf(window), CanvasOf(window));
}
void PrintGraphCommand(HWND window) {
  if (PageDrawn(window)) PrintPage(OutputOf(window), CanvasOf(window), Self(window).print);
}

// The end of the program: the page objects released and the loop ended with code 0. The
// Exit command does not destroy the window first.
void EndProgram(HWND window) {
  Korvan00Window& self = Self(window);
  if (self.ended) return;
  self.ended = true;
  ReleaseStartPicture(self);
  self.canvas.Release();
  ReleasePrintState(self.print);
  PostQuitMessage(0);
}

// ---- Allocation failures ------------------------------------------------------------------
// The commands of the core put their state back and say so themselves; an allocation that
// fails anywhere else in a command (the graph output, Help, About, a host call) ends the
// command here, with the same message shown from the table's texts (nothing allocated).
void ShowMemoryMessage(HWND window) {
  const MessageEntry& message = kNotEnoughMemory;
  const bool japanese = UseJapanese(window) != 0;
  MessageBoxA(window, japanese ? message.japanese : message.english,
              japanese ? message.japaneseCaption : message.englishCaption, MB_OK | message.icon);
}

template <void (*kRun)(HWND)>
void Guarded(HWND window) {
  try {
    kRun(window);
  } catch (const std::bad_alloc&) {
    ShowMemoryMessage(window);
  }
}

void PrinterSetupCommand(HWND window) { PrinterSetup(Self(window).print); }
void PrintZoomCommand(HWND window) { ShowPrintZoom(OutputOf(window), Self(window).print.zoom); }

// ---- Painting and creation ----------------------------------------------------------------
void PaintMainWindow(HWND window) {
  Korvan00Window& self = Self(window);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (ShowsStartPicture(self.program.pageState)) {
    if (self.startPictureContext) {
      BitBlt(dc, 0, kIconBarStripHeight, kPageWidth, kPageHeight, self.startPictureContext, 0, 0, SRCCOPY);
    }
  } else {
    RECT client;
    GetClientRect(window, &client);
    self.canvas.Paint(dc, client.right, client.bottom);
  }
  EnableCommandButtons(window);
  EndPaint(window, &paint);
}

void CreateMainWindowParts(HWND window) {
  Korvan00Window& self = Self(window);
  const int japanese = UseJapanese(window);
  // One copy only: the new window still bears its initial name and never finds itself. The
  // Japanese caption is looked for in UTF-16, so it is found under every code page.
  if (FindWindowExA(nullptr, nullptr, nullptr, kMainCaption.english) ||
      FindWindowExW(nullptr, nullptr, nullptr, L"コルヴァン [II]")) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    return;
  }
  HMENU systemMenu = GetSystemMenu(window, FALSE);
  for (const SystemMenuRow& row : kSystemMenuRows) {
    if (row.id == 0) {
      InsertMenuA(systemMenu, static_cast<UINT>(row.position), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    } else {
      InsertMenuA(systemMenu, static_cast<UINT>(row.position), MF_BYPOSITION | MF_STRING,
                  static_cast<UINT_PTR>(row.id), japanese ? row.text.japanese : row.text.english);
    }
  }
  SetWindowTextA(window, japanese ? kMainCaption.japanese : kMainCaption.english);

  FrameOf(window).readmePath = ReadmePathFor(OwnProgramPath(kProgramFileName), japanese);

  PreparePrintState(self.print, window);
  MakeStartPicture(window);
  self.program.pageState = PageState::kStartPicture;
}

bool HandleMessage(HWND window, UINT message, WPARAM, LPARAM, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_PAINT:
      PaintMainWindow(window);
      return true;
    case WM_DESTROY:
      EndProgram(window);
      return true;
    default:
      return false;
  }
}

// ---- Tables -------------------------------------------------------------------------------
template <int kButton>
bool ButtonEnabled(HWND window) {
  return IsButtonEnabled(kButton, Self(window).program.pageState);
}

void ExitCommand(HWND window) { EndProgram(window); }

constexpr Command kCommands[] = {
    {0, kCommandSetConditions, Guarded<SetConditionsCommand>, nullptr, ButtonEnabled<kButtonSetConditions>},
    {0, kCommandAnalysis, Guarded<AnalysisCommand>, nullptr, ButtonEnabled<kButtonAnalysis>},
    {0, kCommandDrawGraph, Guarded<DrawGraphCommand>, nullptr, ButtonEnabled<kButtonDrawGraph>},
    {0, kCommandCopyGraph, Guarded<CopyGraphCommand>, nullptr, ButtonEnabled<kButtonCopyGraph>},
    {0, kCommandSaveGraph, Guarded<SaveGraphCommand>, nullptr, ButtonEnabled<kButtonSaveGraph>},
    {0, kCommandPrintGraph, Guarded<PrintGraphCommand>, nullptr, ButtonEnabled<kButtonPrintGraph>},
    {0, kCommandAbout, Guarded<ShowAbout>, nullptr, ButtonEnabled<kButtonAbout>},
    {0, kCommandHelp, Guarded<ShowReadme>, nullptr, ButtonEnabled<kButtonHelp>},
    {0, kCommandExit, ExitCommand, nullptr, ButtonEnabled<kButtonExit>},
    // The items of the system menu.
    {kSysPrinterSetup, 0, Guarded<PrinterSetupCommand>, nullptr, nullptr},
    {kSysPrintZoom, 0, Guarded<PrintZoomCommand>, nullptr, nullptr},
};

// The bar: "Gap", the nine command buttons of the rules' table, "Space".
constexpr int kBarElementCount = kCommandCount + 2;
const IconBarButton* BarButtons() {
  static IconBarButton buttons[kBarElementCount] = {};
  buttons[0] = {0, 16, kButtonGap, "Gap", 0, {"", ""}, 1};
  for (int i = 0; i < kCommandCount; ++i) {
    const CommandRow& row = kCommandRows[i];
    buttons[i + 1] = {row.x, 32, row.button, row.stem, row.command, row.tooltip, row.disabledAtStart ? 1 : 0};
  }
  buttons[kBarElementCount - 1] = {304, 0, kButtonSpace, "Space", 0, {"", ""}, 1};
  return buttons;
}

RECT InitialPlace(int screenWidth, int screenHeight) {
  const WindowPlace place = PlaceMainWindow(screenWidth, screenHeight, GetSystemMetrics(SM_CYCAPTION));
  return RECT{place.x, place.y, place.x + place.width, place.y + place.height};
}

ProgramDefinition Definition() {
  return ProgramDefinition{
      .className = kMainClassName,
      .windowName = kInitialWindowName,
      .classMenu = nullptr,
      .whiteBackground = true,
      .classArrowCursor = true,
      .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
      .initialPlace = InitialPlace,
      .fullVersionVariant = 1,
      .buttons = BarButtons(),
      .buttonCount = kBarElementCount,
      .rowRightEnd = 304,
      .hasMenuBar = false,
      .barHasArrowCursor = true,
      .line = kLineButtonFace,
      .commands = kCommands,
      .commandCount = static_cast<int>(sizeof kCommands / sizeof kCommands[0]),
      .keys = kCommandKeys,
      .keyCount = static_cast<int>(sizeof kCommandKeys / sizeof kCommandKeys[0]),
      .tabBetweenFields = false,
      .viewer = ReadmeViewer::kPdfViewer,
      .readmeMissing = kReadmeMissingText,
      .readmeFailed = kReadmeNoViewerText,
      .aboutFailed = kAboutDialogFailed,
      .create = CreateMainWindowParts,
      .handle = HandleMessage,
      .control = nullptr,
  };
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  static const ProgramDefinition program = Definition();
  Korvan00Window state;
  return RunMainWindow(instance, showCommand, program, &state);
}
