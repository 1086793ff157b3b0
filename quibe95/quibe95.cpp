// quibe95: the standard-deviation coefficient calculator window.
#include <windows.h>

#include <cstring>

#include "frame/calculator_window.h"
#include "frame/frame.h"
#include "quibe95/deviation.h"

namespace {

constexpr int kCommandGet = 101;
constexpr int kCommandAbout = 102;
constexpr int kCommandHelp = 103;
constexpr int kCommandExit = 104;
constexpr int kComboId = 110;
constexpr int kResultId = 111;

constexpr IconBarButton kButtons[] = {
    {16, 32, 105, "Quibe", kCommandGet, {"Get Coeff.", "係数の取得"}, 0},
    {48, 32, 106, "About", kCommandAbout, {"About", "御案内"}, 0},
    {80, 32, 107, "Help", kCommandHelp, {"Help", "ヘルプ"}, 0},
    {112, 32, 108, "Exit", kCommandExit, {"Exit", "終了"}, 0},
};

HWND sampleSizeBox = nullptr;
HWND resultBox = nullptr;
int sampleSize = 2;
char readmePath[258];

}  // namespace

const FrameProgram frameProgram = {
    0,
    kButtons,
    static_cast<int>(sizeof kButtons / sizeof kButtons[0]),
    144,
    0,
    1,
    kLineFrameColour,
    {"Install the readme file (QUIBE95.TXT)\nin the same directory.",
     "説明ファイル(QUIBE95.TXT)を、本フォルダに\nインストールしてください."},
    {"Unable to open the readme file (QUIBE95.TXT) by Notepad.", "説明ファイル(QUIBE95.TXT)をメモ帳で開けません."},
    {"Unable to open a dialog box.", "ダイヤログを表示できません."},
};

void GetCoefficient() {
  sampleSize = SelectedSampleSize(sampleSizeBox);
  const std::string text = FormatDeviationCoefficient(DeviationCoefficient(sampleSize));
  SendMessageA(resultBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ClearResult() {
  ClearEditText(resultBox);
}

namespace {

void CreateCalculator(HWND window) {
  if (CalculatorAlreadyRunning("Quibe", L"クイベ")) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    return;
  }
  PrepareCalculatorBackground(window);
  SetWindowTextA(window, useJapanese ? "クイベ" : "Quibe");
  BuildSiblingPath("QUIBE95.EXE", 3, "TXT", readmePath, sizeof readmePath);
  LoadCalculatorPictures(window, 49);
  sampleSizeBox = CreateSampleSizeBox(window, kComboId);
  resultBox = CreateCalculatorEdit(window, kResultId, 133);
  SetCalculatorFont(resultBox);
  sampleSize = 2;
  MakeResultBox(resultBox);
}

void RunCommand(HWND window, int id) {
  switch (id) {
    case kCommandGet:
      HideTooltip(window);
      GetCoefficient();
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
      ClearResult();
      break;
    default:
      break;
  }
}

const CalculatorWindowClass kWindowClass = {"QUIBE_CLASS", "Quibe_Window", 161, kComboId, CreateCalculator, RunCommand};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return RunCalculator(instance, showCommand, kWindowClass);
}
