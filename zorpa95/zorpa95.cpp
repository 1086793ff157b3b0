// zorpa95: the confidence-coefficient calculator window.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "frame/calculator_window.h"
#include "frame/frame.h"
#include "zorpa95/cf_input.h"
#include "zorpa95/coefficients.h"

namespace {

constexpr int kCommandMean = 101;
constexpr int kCommandVariance = 102;
constexpr int kCommandAbout = 103;
constexpr int kCommandHelp = 104;
constexpr int kCommandExit = 105;
constexpr int kComboId = 112;
constexpr int kCfBoxId = 113;
constexpr int kResult1Id = 114;
constexpr int kResult2Id = 115;

constexpr IconBarButton kButtons[] = {
    {16, 32, 106, "StCom", kCommandMean, {"m Coeff.(Cl)", "平均係数(Cl)"}, 0},
    {48, 32, 107, "StCos", kCommandVariance, {"s Coeff.(Cl,Cu)", "分散係数(Cl,Cu)"}, 0},
    {80, 32, 108, "About", kCommandAbout, {"About", "御案内"}, 0},
    {112, 32, 109, "Help", kCommandHelp, {"Help", "ヘルプ"}, 0},
    {144, 32, 110, "Exit", kCommandExit, {"Exit", "終了"}, 0},
};

HWND mainWindow = nullptr;
HWND sampleSizeBox = nullptr;
HWND cfBox = nullptr;
HWND resultBox1 = nullptr;
HWND resultBox2 = nullptr;
char readmePath[258];

// The last accepted input and the results shown for it.
int cfMode = 0;
double lastCf = 0;
int lastSampleSize = 2;
char lastCfText[64];
char lastResult1[64];
char lastResult2[64];

void CopyText(char (&target)[64], const std::string& text) {
  std::memset(target, 0, sizeof target);
  std::snprintf(target, sizeof target, "%s", text.c_str());
}

void SetBoxText(HWND box, const char* text) {
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

const FrameProgram frameProgram = {
    0,
    kButtons,
    static_cast<int>(sizeof kButtons / sizeof kButtons[0]),
    176,
    0,
    1,
    kLineFrameColour,
    {"Install the readme file (ZORPA95.TXT)\nin the same directory.",
     "説明ファイル(ZORPA95.TXT)を、本フォルダに\nインストールしてください."},
    {"Unable to open the readme file (ZORPA95.TXT) by Notepad.", "説明ファイル(ZORPA95.TXT)をメモ帳で開けません."},
    {"Unable to open a dialog box.", "ダイヤログを表示できません."},
};

// Reads and checks the cf box and the sample size; 1 when accepted (the last accepted state
// is updated), 0 after the message of the refusal.
int ReadCfInput(HWND window) {
  char text[64] = {};
  SendMessageA(cfBox, WM_GETTEXT, 62, reinterpret_cast<LPARAM>(text));
  double cf = 0;
  const CfInputCheck check = CheckCfInput(text, cfMode, cf);
  if (check != kCfAccepted) {
    MessageBoxA(window, CfInputMessage(check, useJapanese), CfErrorCaption(useJapanese), MB_OK | MB_ICONERROR);
    return 0;
  }
  lastCf = cf;
  lastSampleSize = SelectedSampleSize(sampleSizeBox);
  CopyText(lastCfText, text);
  return 1;
}

void RestoreLastInputs() {
  SelectSampleSize(sampleSizeBox, lastSampleSize);
  SetBoxText(cfBox, lastCfText);
  SetBoxText(resultBox1, lastResult1);
  SetBoxText(resultBox2, lastResult2);
}

// Shows results, or the out-of-range message when the coefficient cannot be computed for
// the accepted input (the result boxes then stay empty).
void ShowCoefficients(HWND window, CoefficientStatus status, const std::string& result1, const std::string& result2) {
  CopyText(lastResult1, "");
  CopyText(lastResult2, "");
  if (status != kCoefficientOk) {
    SetBoxText(resultBox1, "");
    SetBoxText(resultBox2, "");
    MessageBoxA(window, CoefficientRangeMessage(useJapanese), CfErrorCaption(useJapanese), MB_OK | MB_ICONERROR);
    return;
  }
  SetBoxText(resultBox1, result1.c_str());
  SetBoxText(resultBox2, result2.c_str());
  CopyText(lastResult1, result1);
  CopyText(lastResult2, result2);
}

void ComputeMeanCoefficient(HWND window) {
  cfMode = 1;
  if (ReadCfInput(window) != 1) {
    RestoreLastInputs();
    return;
  }
  double cl = 0;
  const CoefficientStatus status = MeanCoefficient(lastCf, lastSampleSize, cl);
  ShowCoefficients(window, status, FormatCoefficient(cl), "");
}

void ComputeVarianceCoefficients(HWND window) {
  cfMode = 0;
  if (ReadCfInput(window) != 1) {
    RestoreLastInputs();
    return;
  }
  double cl = 0;
  double cu = 0;
  const CoefficientStatus status = VarianceCoefficients(lastCf, lastSampleSize, cl, cu);
  ShowCoefficients(window, status, FormatCoefficient(cl), FormatCoefficient(cu));
}

void ClearResults() {
  ClearEditText(resultBox1);
  ClearEditText(resultBox2);
}

// Drops the last character of a text that is no number (or whose exponent is out of range);
// the change this makes runs the filter again, until the text is good.
void FilterCfText() {
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

namespace {

void CreateCalculator(HWND window) {
  mainWindow = window;
  if (CalculatorAlreadyRunning("Zorpa", L"ゾルパ")) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    return;
  }
  PrepareCalculatorBackground(window);
  SetWindowTextA(window, useJapanese ? "ゾルパ" : "Zorpa");
  BuildSiblingPath("ZORPA95.EXE", 3, "TXT", readmePath, sizeof readmePath);
  CopyText(lastCfText, "");
  CopyText(lastResult1, "");
  CopyText(lastResult2, "");
  LoadCalculatorPictures(window, 93);
  sampleSizeBox = CreateSampleSizeBox(window, kComboId);
  cfBox = CreateCalculatorEdit(window, kCfBoxId, 133);
  resultBox1 = CreateCalculatorEdit(window, kResult1Id, 155);
  resultBox2 = CreateCalculatorEdit(window, kResult2Id, 177);
  SetCalculatorFont(cfBox);
  SetCalculatorFont(resultBox1);
  SetCalculatorFont(resultBox2);
  lastSampleSize = 2;
  SendMessageA(cfBox, EM_LIMITTEXT, 16, 0);
  MakeResultBox(resultBox1);
  MakeResultBox(resultBox2);
  SetFocus(cfBox);
}

void RunCommand(HWND window, int id) {
  switch (id) {
    case kCommandMean:
      HideTooltip(window);
      ComputeMeanCoefficient(window);
      break;
    case kCommandVariance:
      HideTooltip(window);
      ComputeVarianceCoefficients(window);
      break;
    case kCommandAbout:
      HideTooltip(window);
      ShowAbout(window);
      break;
    case kCommandHelp:
      HideTooltip(window);
      ShowReadme(window, readmePath);
      break;
    case kCommandExit:
      HideTooltip(window);
      EndCalculator();
      break;
    case kComboId:
      ClearResults();
      break;
    case kCfBoxId:
      ClearResults();
      FilterCfText();
      break;
    default:
      break;
  }
}

const CalculatorWindowClass kWindowClass = {"ZORPA_CLASS", "Zorpa_Window", 205, kComboId, CreateCalculator, RunCommand};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return RunCalculator(instance, showCommand, kWindowClass);
}
