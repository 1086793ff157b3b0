// quibe95: the standard-deviation coefficient calculator window.
#include <windows.h>

#include <string>

#include "frame/calculator_window.h"
#include "frame/frame.h"
#include "quibe95/deviation.h"
#include "quibe95/ids.h"
#include "quibe95/tables.h"

namespace {

using namespace quibe95;

struct QuibeWindow : CalculatorWindow {
  HWND sampleSizeBox = nullptr;
  HWND resultBox = nullptr;
};

QuibeWindow& QuibeOf(HWND window) { return static_cast<QuibeWindow&>(CalculatorOf(window)); }

void GetCoefficient(HWND window) {
  const QuibeWindow& quibe = QuibeOf(window);
  const std::string text = FormatDeviationCoefficient(DeviationCoefficient(SelectedSampleSize(quibe.sampleSizeBox)));
  SendMessageA(quibe.resultBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CreateCalculator(HWND window) {
  if (CalculatorAlreadyRunning("Quibe", L"クイベ")) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    return;
  }
  QuibeWindow& quibe = QuibeOf(window);
  PrepareCalculatorBackground(window);
  SetWindowTextA(window, UseJapanese(window) ? "クイベ" : "Quibe");
  FrameOf(window).readmePath = BuildSiblingPath(L"QUIBE95.EXE", 3, L"TXT");
  LoadCalculatorPictures(window, 49);
  quibe.sampleSizeBox = CreateSampleSizeBox(window, kSampleSizeCombo);
  quibe.resultBox = CreateCalculatorEdit(window, kResultBox, 133, kResultLabel);
  SetCalculatorFont(window, quibe.resultBox);
  MakeResultBox(quibe.resultBox);
}

// A new sample size empties the result.
void ControlChanged(HWND window, int id, int) {
  if (id == kSampleSizeCombo) ClearEditText(QuibeOf(window).resultBox);
}

void Exit(HWND window) { EndCalculator(window); }

constexpr Command kCommands[] = {
    {0, kCommandGet, GetCoefficient, nullptr, nullptr},
    {0, kCommandAbout, ShowAbout, nullptr, nullptr},
    {0, kCommandHelp, ShowReadme, nullptr, nullptr},
    {0, kCommandExit, Exit, nullptr, nullptr},
};

RECT Place(int screenWidth, int screenHeight) { return CalculatorPlace(screenWidth, screenHeight, 161); }

const ProgramDefinition kProgram = {
    .className = "QUIBE_CLASS",
    .windowName = "Quibe_Window",
    .classMenu = nullptr,
    .whiteBackground = false,
    .classArrowCursor = true,
    .style = kCalculatorStyle,
    .initialPlace = Place,
    .fullVersionVariant = 0,
    .buttons = kIconBarButtons,
    .buttonCount = static_cast<int>(sizeof kIconBarButtons / sizeof kIconBarButtons[0]),
    .rowRightEnd = 144,
    .hasMenuBar = false,
    .barHasArrowCursor = true,
    .line = kLineFrameColour,
    .commands = kCommands,
    .commandCount = static_cast<int>(sizeof kCommands / sizeof kCommands[0]),
    .keys = kCommandKeys,
    .keyCount = static_cast<int>(sizeof kCommandKeys / sizeof kCommandKeys[0]),
    .tabBetweenFields = true,
    .viewer = ReadmeViewer::kNotepad,
    .readmeMissing = {"Install the readme file (QUIBE95.TXT)\nin the same directory.",
                      "説明ファイル(QUIBE95.TXT)を、本フォルダに\nインストールしてください."},
    .readmeFailed = {"Unable to open the readme file (QUIBE95.TXT) by Notepad.",
                     "説明ファイル(QUIBE95.TXT)をメモ帳で開けません."},
    .aboutFailed = {"Unable to open a dialog box.", "ダイヤログを表示できません."},
    .create = CreateCalculator,
    .handle = HandleCalculatorMessage,
    .control = ControlChanged,
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  QuibeWindow quibe;
  quibe.comboId = kSampleSizeCombo;
  return RunMainWindow(instance, showCommand, kProgram, static_cast<CalculatorWindow*>(&quibe));
}
