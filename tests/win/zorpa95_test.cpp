// zorpa95 driven through its window: start, results, messages, the live filter, About,
// Help, tooltips, a second start and the Japanese interface.
#include <gtest/gtest.h>

#include "tests/win/calculator_fixture.h"

namespace {

constexpr int kMeanButton = 106;
constexpr int kVarianceButton = 107;
constexpr int kAboutButton = 108;
constexpr int kHelpButton = 109;
constexpr int kExitButton = 110;
constexpr int kCombo = 112;
constexpr int kCfBox = 113;
constexpr int kResult1 = 114;
constexpr int kResult2 = 115;

class Zorpa : public CalculatorTest {
 protected:
  Zorpa() : CalculatorTest("zorpa95.exe", "ZORPA_CLASS") {}

  void Enter(int n, const char* cf) {
    SelectComboItem(Control(kCombo), n - 2);
    SetTextOf(Control(kCfBox), cf);
  }
};

class ZorpaJapanese : public Zorpa {};

TEST_F(Zorpa, StartsEmptyWithSampleSizeTwoAndAllButtonsUsable) {
  EXPECT_EQ(TextOf(main_), "Zorpa");
  CheckWindowPlace(205);
  EXPECT_EQ(ComboSelection(Control(kCombo)), 0);
  EXPECT_EQ(SendMessageA(Control(kCombo), CB_GETCOUNT, 0, 0), 9999);
  EXPECT_EQ(TextOf(Control(kCfBox)), "");
  EXPECT_EQ(TextOf(Control(kResult1)), "");
  EXPECT_EQ(TextOf(Control(kResult2)), "");
  EXPECT_FALSE(IsWindowEnabled(Control(kResult1)));
  EXPECT_FALSE(IsWindowEnabled(Control(kResult2)));
  for (int id = kMeanButton; id <= kExitButton; ++id) EXPECT_TRUE(IsWindowEnabled(IconBarButton(main_, id))) << id;
  // Wine reports NT 6.1: the calculators' class 5, the XP colour behind the pictures.
  POINT inside = {320, 150};
  ClientToScreen(main_, &inside);
  EXPECT_EQ(ScreenPixel(inside.x, inside.y), RGB(236, 233, 216));
  Screenshot(main_, "zorpa95-english");
}

TEST_F(Zorpa, MeanCoefficientShowsTheWorkedValues) {
  struct Case {
    int n;
    const char* cf;
    const char* cl;
  } cases[] = {{2, "95", "8.984647"}, {10, "95", "0.715357"}, {2, "99.95", "900.295425"}, {10, "9.5E1", "0.715357"}};
  for (const Case& c : cases) {
    Enter(c.n, c.cf);
    ClickIconBarButton(main_, kMeanButton);
    EXPECT_TRUE(Shows(kResult1, Formatted(c.cl))) << c.n << " " << c.cf << ": " << TextOf(Control(kResult1));
    EXPECT_EQ(TextOf(Control(kResult2)), "");
  }
}

TEST_F(Zorpa, VarianceCoefficientsShowTheWorkedValues) {
  struct Case {
    int n;
    const char* cf;
    const char* cl;
    const char* cu;
  // n = 4 at 99: the approximation of Cu (37.388169) is 10.6 % off and is replaced by the
  // exact value; Cl is kept.
  } cases[] = {{2, "95", "0.199049", "1018.258294"}, {10, "95", "0.473117", "3.332521"},
               {4, "99", "0.233707", "41.828301"}};
  for (const Case& c : cases) {
    Enter(c.n, c.cf);
    ClickIconBarButton(main_, kVarianceButton);
    EXPECT_TRUE(Shows(kResult1, Formatted(c.cl))) << TextOf(Control(kResult1));
    EXPECT_TRUE(Shows(kResult2, Formatted(c.cu))) << TextOf(Control(kResult2));
    if (c.n == 10) {  // the picture of the README, once the boxes have repainted
      Screenshot(main_, "zorpa95-results");
    }
  }
}

TEST_F(Zorpa, ChangingAnInputClearsTheResults) {
  Enter(10, "95");
  ClickIconBarButton(main_, kVarianceButton);
  ASSERT_TRUE(Shows(kResult2, Formatted("3.332521")));
  SelectComboItem(Control(kCombo), 5);
  EXPECT_EQ(TextOf(Control(kResult1)), "");
  EXPECT_EQ(TextOf(Control(kResult2)), "");
  ClickIconBarButton(main_, kVarianceButton);
  ASSERT_TRUE(WaitUntil([&] { return !TextOf(Control(kResult1)).empty(); }));
  TypeInto(Control(kCfBox), "5");
  EXPECT_EQ(TextOf(Control(kResult1)), "");
}

TEST_F(Zorpa, RefusedInputsShowTheirMessageAndBringBackTheLastAcceptedInput) {
  struct Case {
    const char* cf;
    int button;
    const char* message;
  } cases[] = {
      {"", kMeanButton, "No numerical value in the Editbox!"},
      {"", kVarianceButton, "No numerical value in the Editbox!"},
      {"0.000009", kMeanButton, "Numerical value (cf) in the Editbox is 1.0E-5<=cf<100 !"},
      {"100", kMeanButton, "Numerical value (cf) in the Editbox is 1.0E-5<=cf<100 !"},
      {"0", kVarianceButton, "Numerical value (cf) in the Editbox is 0<cf<100 !"},
      {"100", kVarianceButton, "Numerical value (cf) in the Editbox is 0<cf<100 !"},
  };
  // Before any accepted input, a refusal empties the box and selects n = 2.
  Enter(7, "100");
  EXPECT_EQ(ClickAndAnswer(kMeanButton).text, "Numerical value (cf) in the Editbox is 1.0E-5<=cf<100 !");
  EXPECT_TRUE(Shows(kCfBox, ""));
  EXPECT_EQ(ComboSelection(Control(kCombo)), 0);

  Enter(10, "95");
  ClickIconBarButton(main_, kMeanButton);
  ASSERT_TRUE(Shows(kResult1, Formatted("0.715357")));
  for (const Case& c : cases) {
    Enter(20, c.cf);
    const BoxContent box = ClickAndAnswer(c.button);
    EXPECT_EQ(box.text, c.message) << c.cf;
    EXPECT_EQ(box.caption, "Error");
    EXPECT_TRUE(Shows(kCfBox, "95"));
    EXPECT_EQ(ComboSelection(Control(kCombo)), 8);
    EXPECT_TRUE(Shows(kResult1, Formatted("0.715357")));
  }
  // The smallest admitted values are accepted.
  Enter(10, "1.0E-5");
  ClickIconBarButton(main_, kMeanButton);
  EXPECT_TRUE(WaitUntil([&] { return !TextOf(Control(kResult1)).empty(); }));
  Enter(10, "0.000001");
  ClickIconBarButton(main_, kVarianceButton);
  EXPECT_TRUE(WaitUntil([&] { return !TextOf(Control(kResult2)).empty(); }));
  EXPECT_TRUE(NoDialogWithin(ProcessId(), 200));
}

TEST_F(Zorpa, CfTooCloseToHundredGetsAMessageInsteadOfAHang) {
  Enter(2, "99.9999999999999");
  const BoxContent mean = ClickAndAnswer(kMeanButton);
  Enter(4, "99.9999999999999");
  const BoxContent variance = ClickAndAnswer(kVarianceButton);
  EXPECT_EQ(mean.caption, "Error");
  EXPECT_FALSE(mean.text.empty());
  EXPECT_EQ(variance.caption, "Error");
  EXPECT_EQ(TextOf(Control(kResult1)), "");
}

TEST_F(Zorpa, TheLiveFilterKeepsOnlyNumbers) {
  HWND box = Control(kCfBox);
  std::string typed;
  for (char c : std::string("1.0E-5")) {
    TypeInto(box, std::string(1, c));
    typed += c;
    EXPECT_EQ(TextOf(box), typed);
  }
  TypeInto(box, "q");
  EXPECT_EQ(TextOf(box), "1.0E-5");

  struct Insert {
    const char* start;
    char typed;
    const char* result;
  } inserts[] = {{"15", '9', "195"}, {"15", 'x', "1"}};
  for (const Insert& insert : inserts) {
    SetTextOf(box, insert.start);
    SendMessageA(box, EM_SETSEL, 1, 1);
    TypeInto(box, std::string(1, insert.typed));
    EXPECT_EQ(TextOf(box), insert.result);
  }

  SetTextOf(box, "");
  TypeInto(box, "1E100");
  EXPECT_EQ(TextOf(box), "1E10");
  SetTextOf(box, "");
  TypeInto(box, "1E-100");
  EXPECT_EQ(TextOf(box), "1E-10");

  SetTextOf(box, "");
  TypeInto(box, "12345678901234567890");
  EXPECT_EQ(TextOf(box), "1234567890123456");
  // A pasted text is filtered like a typed one.
  SetTextOf(box, "12a");
  EXPECT_EQ(TextOf(box), "12");
}

TEST_F(Zorpa, AboutClosesWithOkButNotWithEscape) {
  ClickIconBarButton(main_, kAboutButton);
  HWND about = WaitForDialog(ProcessId());
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(about), "About");
  EXPECT_NE(FindWindowExA(about, nullptr, "Static", "Zorpa"), nullptr);
  EXPECT_NE(FindWindowExA(about, nullptr, "Static", "Version 1.09"), nullptr);
  PressDialogButton(about, IDCANCEL);  // what the Esc key sends
  Sleep(300);
  EXPECT_TRUE(IsWindow(about));
  PressDialogButton(about, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

TEST_F(Zorpa, HelpOpensTheReadmeOrSaysItIsMissing) {
  CheckHelp(kHelpButton, "ZORPA95.TXT", "Install the readme file (ZORPA95.TXT)\nin the same directory.", "Error");
}

TEST_F(Zorpa, TooltipsAppearAndLeaveNoTrace) {
  Enter(10, "95");  // so that the first button runs without a message box
  CheckTooltip(5, kMeanButton);
}

TEST_F(Zorpa, ASecondStartLeavesOneWindow) {
  CheckSecondStart();
}

TEST_F(Zorpa, ExitEndsTheProgram) {
  CheckExit(kExitButton);
}

TEST_F(ZorpaJapanese, ShowsJapaneseTitlesAndMessages) {
  EXPECT_EQ(TextOf(main_), "ゾルパ");
  const BoxContent box = ClickAndAnswer(kMeanButton);
  EXPECT_EQ(box.text, "エディットボックスに数値がありません!");
  EXPECT_EQ(box.caption, "エラー");
  Enter(10, "95");
  ClickIconBarButton(main_, kVarianceButton);
  EXPECT_TRUE(Shows(kResult1, Formatted("0.473117")));

  ClickIconBarButton(main_, kAboutButton);
  HWND about = WaitForDialog(ProcessId());
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(about), "御案内");
  EXPECT_NE(FindWindowExW(about, nullptr, L"Static", L"ゾルパ"), nullptr);
  PressDialogButton(about, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  Screenshot(main_, "zorpa95-japanese");
}

TEST_F(ZorpaJapanese, HelpSaysTheReadmeIsMissingInJapanese) {
  CheckHelp(kHelpButton, "ZORPA95.TXT",
            "説明ファイル(ZORPA95.TXT)を、本フォルダに\nインストールしてください.", "エラー");
}

}  // namespace
