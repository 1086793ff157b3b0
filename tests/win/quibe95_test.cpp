// quibe95 driven through its window: start, the coefficient for the worked sample sizes,
// clearing, About, Help, tooltips, a second start and the Japanese interface.
#include <gtest/gtest.h>

#include "tests/win/calculator_fixture.h"

namespace {

constexpr int kGetButton = 105;
constexpr int kAboutButton = 106;
constexpr int kHelpButton = 107;
constexpr int kExitButton = 108;
constexpr int kCombo = 110;
constexpr int kResult = 111;

class Quibe : public CalculatorTest {
 protected:
  Quibe() : CalculatorTest("quibe95.exe", "QUIBE_CLASS") {}
};

class QuibeJapanese : public Quibe {};

TEST_F(Quibe, StartsEmptyAndShowsTheCoefficientOfTwo) {
  EXPECT_EQ(TextOf(main_), "Quibe");
  CheckWindowPlace(161);
  EXPECT_EQ(ComboSelection(Control(kCombo)), 0);
  EXPECT_EQ(TextOf(Control(kResult)), "");
  EXPECT_FALSE(IsWindowEnabled(Control(kResult)));
  for (int id = kGetButton; id <= kExitButton; ++id) EXPECT_TRUE(IsWindowEnabled(IconBarButton(main_, id))) << id;
  ClickIconBarButton(main_, kGetButton);
  EXPECT_TRUE(Shows(kResult, Formatted("1.253314")));
  Screenshot(main_, "quibe95-english");
}

TEST_F(Quibe, ShowsTheWorkedCoefficientsAndClearsOnEveryChoice) {
  struct Case {
    int n;
    const char* k;
  } cases[] = {{3, "1.128379"}, {4, "1.085402"}, {10, "1.028109"}, {100, "1.002528"}, {10000, "1.000025"}};
  for (const Case& c : cases) {
    SelectComboItem(Control(kCombo), c.n - 2);
    EXPECT_EQ(TextOf(Control(kResult)), "");
    ClickIconBarButton(main_, kGetButton);
    EXPECT_TRUE(Shows(kResult, Formatted(c.k))) << c.n << ": " << TextOf(Control(kResult));
    if (c.n == 10) {  // the picture of the README, once the boxes have repainted
      Screenshot(main_, "quibe95-results");
    }
  }
  // Opening the list without changing the selection clears the value too.
  SendMessageA(main_, WM_COMMAND, MAKEWPARAM(kCombo, CBN_DROPDOWN), reinterpret_cast<LPARAM>(Control(kCombo)));
  EXPECT_EQ(TextOf(Control(kResult)), "");
}

TEST_F(Quibe, AboutClosesWithOkButNotWithEscape) {
  ClickIconBarButton(main_, kAboutButton);
  HWND about = WaitForDialog(ProcessId());
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(about), "About");
  EXPECT_NE(FindWindowExA(about, nullptr, "Static", "Quibe"), nullptr);
  EXPECT_NE(FindWindowExA(about, nullptr, "Static", "Version 1.08"), nullptr);
  PressDialogButton(about, IDCANCEL);
  Sleep(300);
  EXPECT_TRUE(IsWindow(about));
  PostMessageA(about, WM_CLOSE, 0, 0);  // the close box
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

TEST_F(Quibe, HelpOpensTheReadmeOrSaysItIsMissing) {
  CheckHelp(kHelpButton, "QUIBE95.TXT", "Install the readme file (QUIBE95.TXT)\nin the same directory.", "Error");
}

TEST_F(Quibe, TooltipsAppearAndLeaveNoTrace) {
  CheckTooltip(4, kGetButton);
}

TEST_F(Quibe, ASecondStartLeavesOneWindow) {
  CheckSecondStart();
}

TEST_F(Quibe, ExitEndsTheProgram) {
  CheckExit(kExitButton);
}

TEST_F(QuibeJapanese, ShowsJapaneseTitleAboutAndHelpMessage) {
  EXPECT_EQ(TextOf(main_), "クイベ");
  ClickIconBarButton(main_, kAboutButton);
  HWND about = WaitForDialog(ProcessId());
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(about), "御案内");
  EXPECT_NE(FindWindowExW(about, nullptr, L"Static", L"クイベ"), nullptr);
  PressDialogButton(about, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  CheckHelp(kHelpButton, "QUIBE95.TXT", "説明ファイル(QUIBE95.TXT)を、本フォルダに\nインストールしてください.",
            "エラー");
}

}  // namespace
