// zorpa95: the confidence-coefficient calculator window.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "frame/calculator_window.h"
#include "frame/frame.h"
#include "zorpa95/cf_input.h"
#include "zorpa95/coefficients.h"
#include "zorpa95/ids.h"
#include "zorpa95/tables.h"

namespace {

using namespace zorpa95;

// The window state: the controls, and the last accepted input with the results shown for it.
struct ZorpaWindow : CalculatorWindow {
  HWND sampleSizeBox = nullptr;
  HWND cfBox = nullptr;
  HWND resultBox1 = nullptr;
  HWND resultBox2 = nullptr;
  int cfMode = 0;
  double lastCf = 0;
  int lastSampleSize = 2;
  char lastCfText[64] = {};
  char lastResult1[64] = {};
  char lastResult2[64] = {};
};

ZorpaWindow& ZorpaOf(HWND window) { return static_cast<ZorpaWindow&>(CalculatorOf(window)); }

void CopyText(char (&target)[64], const std::string& text) {
  std::memset(target, 0, sizeof target);
  std::snprintf(target, sizeof target, "%s", text.c_str());
}

void SetBoxText(HWND box, const char* text) {
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Reads and checks the cf box and the sample size; 1 when accepted (the last accepted state
// is updated), 0 after the message of the refusal.
int ReadCfInput(HWND window) {
  ZorpaWindow& zorpa = ZorpaOf(window);
  const int japanese = UseJapanese(window);
  char text[64] = {};
  SendMessageA(zorpa.cfBox, WM_GETTEXT, 62, reinterpret_cast<LPARAM>(text));
  double cf = 0;
  const CfInputCheck check = CheckCfInput(text, zorpa.cfMode, cf);
  if (check != kCfAccepted) {
    MessageBoxA(window, CfInputMessage(check, japanese), CfErrorCaption(japanese), MB_OK | MB_ICONERROR);
    return 0;
  }
  zorpa.lastCf = cf;
  zorpa.lastSampleSize = SelectedSampleSize(zorpa.sampleSizeBox);
  CopyText(zorpa.lastCfText, text);
  return 1;
}

void RestoreLastInputs(HWND window) {
  const ZorpaWindow& zorpa = ZorpaOf(window);
  SelectSampleSize(zorpa.sampleSizeBox, zorpa.lastSampleSize);
  SetBoxText(zorpa.cfBox, zorpa.lastCfText);
  SetBoxText(zorpa.resultBox1, zorpa.lastResult1);
  SetBoxText(zorpa.resultBox2, zorpa.lastResult2);
}

// Shows results, or the out-of-range message when the coefficient cannot be computed for
// the accepted input (the result boxes then stay empty).
void ShowCoefficients(HWND window, CoefficientStatus status, const std::string& result1, const std::string& result2) {
  ZorpaWindow& zorpa = ZorpaOf(window);
  const int japanese = UseJapanese(window);
  CopyText(zorpa.lastResult1, "");
  CopyText(zorpa.lastResult2, "");
  if (status != kCoefficientOk) {
    SetBoxText(zorpa.resultBox1, "");
    SetBoxText(zorpa.resultBox2, "");
    MessageBoxA(window, CoefficientRangeMessage(japanese), CfErrorCaption(japanese), MB_OK | MB_ICONERROR);
    return;
  }
  SetBoxText(zorpa.resultBox1, result1.c_str());
  SetBoxText(zorpa.resultBox2, result2.c_str());
  CopyText(zorpa.lastResult1, result1);
  CopyText(zorpa.lastResult2, result2);
}

void ComputeMeanCoefficient(HWND window) {
  ZorpaWindow& zorpa = ZorpaOf(window);
  zorpa.cfMode = 1;
  if (ReadCfInput(window) != 1) {
    RestoreLastInputs(window);
    return;
  }
  double cl = 0;
  const CoefficientStatus status = MeanCoefficient(zorpa.lastCf, zorpa.lastSampleSize, cl);
  ShowCoefficients(window, status, FormatCoefficient(cl), "");
}

void ComputeVarianceCoefficients(HWND window) {
  ZorpaWindow& zorpa = ZorpaOf(window);
  zorpa.cfMode = 0;
  if (ReadCfInput(window) != 1) {
    RestoreLastInputs(window);
    return;
  }
  double cl = 0;
  double cu = 0;
  const CoefficientStatus status = VarianceCoefficients(zorpa.lastCf, zorpa.lastSampleSize, cl, cu);
  ShowCoefficients(window, status, FormatCoefficient(cl), FormatCoefficient(cu));
}

void ClearResults(HWND window) {
  ClearEditText(ZorpaOf(window).resultBox1);
  ClearEditText(ZorpaOf(window).resultBox2);
}

// Drops the last character of a text that is no number (or whose exponent is out of range);
// the change this makes runs the filter again, until the text is good.
void FilterCfText(HWND window) {
  const HWND cfBox = ZorpaOf(window).cfBox;
  char text[20] = {};
  SendMessageA(cfBox, WM_GETTEXT, 18, reinterpret_cast<LPARAM>(text));
  if (text[0] == '\0' || !IsBadCfText(text)) return;
  POINT caret = {0, 0};
  GetCaretPos(&caret);
  const std::string shorter(text, std::strlen(text) - 1);
  SetBoxText(cfBox, shorter.c_str());
  SetCapture(cfBox);
  SendMessageA(cfBox, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(caret.x + 1, caret.y + 3));
  ReleaseCapture();
}

void CreateCalculator(HWND window) {
  if (CalculatorAlreadyRunning("Zorpa", L"ゾルパ")) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    return;
  }
  ZorpaWindow& zorpa = ZorpaOf(window);
  PrepareCalculatorBackground(window);
  SetWindowTextA(window, UseJapanese(window) ? "ゾルパ" : "Zorpa");
  FrameOf(window).readmePath = BuildSiblingPath(L"ZORPA95.EXE", 3, L"TXT");
  LoadCalculatorPictures(window, 93);
  zorpa.sampleSizeBox = CreateSampleSizeBox(window, kSampleSizeCombo);
  zorpa.cfBox = CreateCalculatorEdit(window, kCfBox, 133, kCfLabel);
  zorpa.resultBox1 = CreateCalculatorEdit(window, kResult1Box, 155, kResult1Label);
  zorpa.resultBox2 = CreateCalculatorEdit(window, kResult2Box, 177, kResult2Label);
  SetCalculatorFont(window, zorpa.cfBox);
  SetCalculatorFont(window, zorpa.resultBox1);
  SetCalculatorFont(window, zorpa.resultBox2);
  SendMessageA(zorpa.cfBox, EM_LIMITTEXT, 16, 0);
  MakeResultBox(zorpa.resultBox1);
  MakeResultBox(zorpa.resultBox2);
  SetFocus(zorpa.cfBox);
}

// Notifications of the combobox and the cf box: a changed input empties the results.
void ControlChanged(HWND window, int id, int) {
  if (id == kSampleSizeCombo) {
    ClearResults(window);
  } else if (id == kCfBox) {
    ClearResults(window);
    FilterCfText(window);
  }
}

void Exit(HWND window) { EndCalculator(window); }

constexpr Command kCommands[] = {
    {0, kCommandMean, ComputeMeanCoefficient, nullptr, nullptr},
    {0, kCommandVariance, ComputeVarianceCoefficients, nullptr, nullptr},
    {0, kCommandAbout, ShowAbout, nullptr, nullptr},
    {0, kCommandHelp, ShowReadme, nullptr, nullptr},
    {0, kCommandExit, Exit, nullptr, nullptr},
};

RECT Place(int screenWidth, int screenHeight) { return CalculatorPlace(screenWidth, screenHeight, 205); }

const ProgramDefinition kProgram = {
    .className = "ZORPA_CLASS",
    .windowName = "Zorpa_Window",
    .classMenu = nullptr,
    .whiteBackground = false,
    .classArrowCursor = true,
    .style = kCalculatorStyle,
    .initialPlace = Place,
    .fullVersionVariant = 0,
    .buttons = kIconBarButtons,
    .buttonCount = static_cast<int>(sizeof kIconBarButtons / sizeof kIconBarButtons[0]),
    .rowRightEnd = 176,
    .hasMenuBar = false,
    .barHasArrowCursor = true,
    .line = kLineFrameColour,
    .commands = kCommands,
    .commandCount = static_cast<int>(sizeof kCommands / sizeof kCommands[0]),
    .keys = kCommandKeys,
    .keyCount = static_cast<int>(sizeof kCommandKeys / sizeof kCommandKeys[0]),
    .tabBetweenFields = true,
    .viewer = ReadmeViewer::kNotepad,
    .readmeMissing = {"Install the readme file (ZORPA95.TXT)\nin the same directory.",
                      "説明ファイル(ZORPA95.TXT)を、本フォルダに\nインストールしてください."},
    .readmeFailed = {"Unable to open the readme file (ZORPA95.TXT) by Notepad.",
                     "説明ファイル(ZORPA95.TXT)をメモ帳で開けません."},
    .aboutFailed = {"Unable to open a dialog box.", "ダイヤログを表示できません."},
    .create = CreateCalculator,
    .handle = HandleCalculatorMessage,
    .control = ControlChanged,
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  ZorpaWindow zorpa;
  zorpa.comboId = kSampleSizeCombo;
  return RunMainWindow(instance, showCommand, kProgram, static_cast<CalculatorWindow*>(&zorpa));
}
