// The decisions of korvan00's main window.
#include "korvan00/main_window_rules.h"

namespace korvan00 {

WindowPlace PlaceMainWindow(int screenWidth, int screenHeight, int captionHeight) {
  const int height = captionHeight + kWindowHeightBelowCaption;
  // C++ integer division rounds toward zero, as the halves must.
  return {(screenWidth - kWindowWidth) / 2, (screenHeight - height) / 2, kWindowWidth, height};
}

ClientSize ClientSizeForFrame(int frameWidth, int frameHeight) {
  return {kWindowWidth - 2 * frameWidth, kWindowHeightBelowCaption - 2 * frameHeight};
}

const CommandRow kCommandRows[kCommandCount] = {
    {.command = kCommandSetConditions, .button = kButtonSetConditions, .x = 16, .stem = "AvePr",
     .tooltip = {"Set Conditions", "条件設定"}, .disabledAtStart = false},
    {.command = kCommandAnalysis, .button = kButtonAnalysis, .x = 48, .stem = "AnaW",
     .tooltip = {"Analysis", "データ解析"}, .disabledAtStart = false},
    {.command = kCommandDrawGraph, .button = kButtonDrawGraph, .x = 80, .stem = "AnaW3",
     .tooltip = {"Draw Graph", "グラフ作成"}, .disabledAtStart = true},
    {.command = kCommandCopyGraph, .button = kButtonCopyGraph, .x = 112, .stem = "Copy",
     .tooltip = {"Copy Graph", "グラフコピー"}, .disabledAtStart = true},
    {.command = kCommandSaveGraph, .button = kButtonSaveGraph, .x = 144, .stem = "SaveAs",
     .tooltip = {"Save Graph", "グラフ保存"}, .disabledAtStart = true},
    {.command = kCommandPrintGraph, .button = kButtonPrintGraph, .x = 176, .stem = "Print",
     .tooltip = {"Print Graph", "グラフ印刷"}, .disabledAtStart = true},
    {.command = kCommandAbout, .button = kButtonAbout, .x = 208, .stem = "About",
     .tooltip = {"About", "御案内"}, .disabledAtStart = false},
    {.command = kCommandHelp, .button = kButtonHelp, .x = 240, .stem = "Help",
     .tooltip = {"Help", "ヘルプ"}, .disabledAtStart = false},
    {.command = kCommandExit, .button = kButtonExit, .x = 272, .stem = "Exit",
     .tooltip = {"Exit", "終了"}, .disabledAtStart = false},
};

bool IsButtonEnabled(int buttonId, PageState pageState) {
  switch (buttonId) {
    case kButtonDrawGraph:
      return pageState != PageState::kStartPicture;
    case kButtonCopyGraph:
    case kButtonSaveGraph:
    case kButtonPrintGraph:
      return pageState == PageState::kGraphDrawn;
    case kButtonSetConditions:
    case kButtonAnalysis:
    case kButtonAbout:
    case kButtonHelp:
    case kButtonExit:
      return true;
    default:
      return false;
  }
}

bool ShowsStartPicture(PageState pageState) { return pageState != PageState::kGraphDrawn; }

const SystemMenuRow kSystemMenuRows[kSystemMenuRowCount] = {
    {.position = 5, .id = 0, .text = {"", ""}},
    {.position = 6, .id = kSysPrinterSetup, .text = {"&Printer Setup...", "ﾌﾟﾘﾝﾀｰｾｯﾄｱｯﾌﾟ(&P)..."}},
    {.position = 7, .id = kSysPrintZoom, .text = {"Print &Zoom...", "ﾌﾟﾘﾝﾄｽﾞｰﾑ(&Z)..."}},
};

std::wstring ReadmePathFor(const std::wstring& foundProgramPath, int useJapanese) {
  constexpr std::size_t kCut = 5;  // "0.EXE"
  if (foundProgramPath.size() <= kCut) return std::wstring();
  return foundProgramPath.substr(0, foundProgramPath.size() - kCut) + (useJapanese ? L"J.PDF" : L"E.PDF");
}

const Text kReadmeMissingText = {"Install the readme file (KORVAN0E.PDF)\nin the same directory.",
                                 "説明書ファイル（KORVAN0J.PDF）を同じ\nフォルダーに入れてください."};
const Text kReadmeNoViewerText = {
    "Unable to open the readme file (KORVAN0E.PDF)\nbecause of being NO software to read PDF documents.",
    "PDF 文書の閲覧ソフトが無いので、\n説明書（KORVAN0J.PDF）を開けません."};

const Text kAboutTitle = {"Korvan (V 2.14)", "コルヴァン (V 2.14)"};
const Text kAboutBody = {
    "Analysis for Mean Value, Standard Deviation,\nand their Confidence Intervals.\n\n"
    "Report bugs and suggestions would be appreciated.",
    "平均値(標本平均値、母平均の不偏推定値)、標準偏差値(標本標準偏差値、母標準偏差の不偏推定値)、"
    "母平均の信頼区間推定、母標準偏差の信頼区間推定、を求める.\n\nバグ・レポート、コメントを歓迎します."};
const Text kAboutDialogFailed = {"Unable to display dialog box.", "ダイアログを表示できません"};

}  // namespace korvan00
