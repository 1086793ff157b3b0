// zorpa95 driven through its window: the first state, results, clearing, refusals and the live
// filter of the cf box. (Start, About, Help and Exit: every_program_test.cpp; the values and the
// rules of the box: the native tests.)
#include <gtest/gtest.h>

#include "tests/win/program_fixture.h"
#include "zorpa95/ids.h"

namespace {

using zorpa95::kCfBox;
constexpr int kMeanButton = zorpa95::kButtonMean;
constexpr int kVarianceButton = zorpa95::kButtonVariance;
constexpr int kCombo = zorpa95::kSampleSizeCombo;
constexpr int kResult1 = zorpa95::kResult1Box;
constexpr int kResult2 = zorpa95::kResult2Box;

class Zorpa : public ProgramTest {
 protected:
  Zorpa() : ProgramTest("zorpa95.exe", "ZORPA_CLASS") {}
  void Enter(int n, const char* cf) {
    SelectComboItem(Control(kCombo), n - 2);
    SetTextOf(Control(kCfBox), cf);
  }
};

TEST_F(Zorpa, StartsEmptyShowsTheWorkedValuesAndClearsThemOnAChange) {
  EXPECT_EQ(ComboSelection(Control(kCombo)), 0);
  EXPECT_EQ(SendMessageA(Control(kCombo), CB_GETCOUNT, 0, 0), 9999);
  EXPECT_EQ(TextOf(Control(kCfBox)) + TextOf(Control(kResult1)) + TextOf(Control(kResult2)), "");
  EXPECT_FALSE(IsWindowEnabled(Control(kResult1)) || IsWindowEnabled(Control(kResult2)));
  // Wine reports NT 6.1: the calculators' class 5, the XP colour behind the pictures.
  POINT inside = {320, 150};
  ClientToScreen(main_, &inside);
  EXPECT_EQ(ScreenPixel(inside.x, inside.y), RGB(236, 233, 216));

  // The mean and the variance from their keys, F5 and F6.
  Enter(2, "9.5E1");
  ASSERT_TRUE(PressKeys(main_, "F5"));
  EXPECT_TRUE(Shows(kResult1, Formatted("8.984647"))) << TextOf(Control(kResult1));
  EXPECT_EQ(TextOf(Control(kResult2)), "");
  Enter(10, "95");
  ASSERT_TRUE(PressKeys(main_, "F6"));
  EXPECT_TRUE(Shows(kResult1, Formatted("0.473117"))) << TextOf(Control(kResult1));
  EXPECT_TRUE(Shows(kResult2, Formatted("3.332521"))) << TextOf(Control(kResult2));
  Screenshot(main_, "zorpa95-results");
  // Changing an input clears the results.
  SelectComboItem(Control(kCombo), 5);
  EXPECT_EQ(TextOf(Control(kResult1)) + TextOf(Control(kResult2)), "");
  ClickIconBarButton(main_, kVarianceButton);
  ASSERT_TRUE(WaitUntil([&] { return !TextOf(Control(kResult1)).empty(); }));
  TypeInto(Control(kCfBox), "5");
  EXPECT_EQ(TextOf(Control(kResult1)), "");
}

// A refused input shows its message and brings back the last accepted input and its results;
// before any accepted input, an empty box and n = 2.
TEST_F(Zorpa, RefusedInputsBringBackTheLastAcceptedInput) {
  Enter(7, "100");
  EXPECT_EQ(ClickAndAnswer(kMeanButton).text, "Numerical value (cf) in the Editbox is 1.0E-5<=cf<100 !");
  EXPECT_TRUE(Shows(kCfBox, ""));
  EXPECT_EQ(ComboSelection(Control(kCombo)), 0);

  Enter(10, "95");
  ClickIconBarButton(main_, kMeanButton);
  ASSERT_TRUE(Shows(kResult1, Formatted("0.715357")));
  const struct {
    const char* cf;
    int button;
    const char* message;
  } cases[] = {
      {"", kMeanButton, "No numerical value in the Editbox!"},
      {"12345678901234567x", kVarianceButton, "No normal numerical value in the Editbox!"},  // x past the filter's 17
      {"100", kVarianceButton, "Numerical value (cf) in the Editbox is 0<cf<100 !"},
  };
  for (const auto& c : cases) {
    Enter(20, c.cf);
    EXPECT_EQ(ClickAndAnswer(c.button), (BoxContent{"Error", c.message}));
    EXPECT_TRUE(Shows(kCfBox, "95"));
    EXPECT_EQ(ComboSelection(Control(kCombo)), 8);
    EXPECT_TRUE(Shows(kResult1, Formatted("0.715357")));
  }
}

// An accepted cf too close to 100 for the coefficient: the message instead of a hang, the input
// stays (a refused input would be replaced) and no result shows.
TEST_F(Zorpa, CfTooCloseToHundredGetsAMessageInsteadOfAHang) {
  for (int button : {kMeanButton, kVarianceButton}) {
    Enter(button == kMeanButton ? 2 : 4, "99.9999999999999");
    EXPECT_EQ(ClickAndAnswer(button),
              (BoxContent{"Error", "Unable to compute the coefficient for this value (cf too close to 100)!"}));
    EXPECT_EQ(TextOf(Control(kCfBox)) + "|" + TextOf(Control(kResult1)) + TextOf(Control(kResult2)), "99.9999999999999|");
  }
}

// Typed, inserted and pasted characters that make no number are taken out again; the box holds
// 16 characters.
TEST_F(Zorpa, TheLiveFilterKeepsOnlyNumbers) {
  HWND box = Control(kCfBox);
  TypeInto(box, "1.0E-5q");
  EXPECT_EQ(TextOf(box), "1.0E-5");
  SetTextOf(box, "15");
  SendMessageA(box, EM_SETSEL, 1, 1);
  TypeInto(box, "9");
  EXPECT_EQ(TextOf(box), "195");
  SetTextOf(box, "");
  TypeInto(box, "12345678901234567890");
  EXPECT_EQ(TextOf(box), "1234567890123456");
  SetTextOf(box, "12a");
  EXPECT_EQ(TextOf(box), "12");
}

}  // namespace
