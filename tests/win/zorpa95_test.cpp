// zorpa95 driven through its window: the first state, results, clearing, refusals and the live
// filter of the cf box. (Start, About, Help and Exit: every_program_test.cpp; the values and the
// rules of the box: the native tests.)
#include <gtest/gtest.h>

#include "tests/win/program_fixture.h"
#include "zorpa95/ids.h"

namespace {

using namespace zorpa95;

class Zorpa : public ProgramTest {
 protected:
  Zorpa() : ProgramTest("zorpa95.exe", "ZORPA_CLASS") {}
  void Enter(int n, const char* cf) {
    SelectComboItem(Control(kSampleSizeCombo), n - 2);
    SetTextOf(Control(kCfBox), cf);
  }
  std::string Results() const { return TextOf(Control(kResult1Box)) + "|" + TextOf(Control(kResult2Box)); }
};

TEST_F(Zorpa, StartsEmptyShowsTheWorkedValuesAndClearsThemOnAChange) {
  EXPECT_EQ(ComboSelection(Control(kSampleSizeCombo)), 0);
  EXPECT_EQ(SendMessageA(Control(kSampleSizeCombo), CB_GETCOUNT, 0, 0), 9999);
  EXPECT_EQ(TextOf(Control(kCfBox)) + Results(), "|");
  EXPECT_FALSE(IsWindowEnabled(Control(kResult1Box)) || IsWindowEnabled(Control(kResult2Box)));
  // Wine reports NT 6.1: the calculators' class 5, the XP colour behind the pictures.
  POINT inside = {320, 150};
  ClientToScreen(main_, &inside);
  EXPECT_EQ(ScreenPixel(inside.x, inside.y), RGB(236, 233, 216));

  // The mean and the variance from their keys, F5 and F6.
  Enter(2, "9.5E1");
  ASSERT_TRUE(PressKeys(main_, "F5"));
  EXPECT_TRUE(WaitUntil([&] { return Results() == Formatted("8.984647") + "|"; })) << Results();
  Enter(10, "95");
  ASSERT_TRUE(PressKeys(main_, "F6"));
  EXPECT_TRUE(WaitUntil([&] { return Results() == Formatted("0.473117") + "|" + Formatted("3.332521"); })) << Results();
  Screenshot(main_, "zorpa95-results");
  // Changing an input clears the results.
  SelectComboItem(Control(kSampleSizeCombo), 5);
  EXPECT_EQ(Results(), "|");
  ClickIconBarButton(main_, kButtonVariance);
  ASSERT_TRUE(WaitUntil([&] { return Results() != "|"; }));
  TypeInto(Control(kCfBox), "5");
  EXPECT_EQ(Results(), "|");
}

// A refused input shows its message and brings back the last accepted input and its results;
// before any accepted input, an empty box and n = 2. An accepted cf too close to 100 for the
// coefficient gets a message instead of a hang: the input stays and no result shows.
TEST_F(Zorpa, RefusedInputsBringBackTheLastAcceptedInput) {
  Enter(7, "100");
  EXPECT_EQ(ClickAndAnswer(kButtonMean).text, "Numerical value (cf) in the Editbox is 1.0E-5<=cf<100 !");
  EXPECT_TRUE(Shows(kCfBox, ""));
  EXPECT_EQ(ComboSelection(Control(kSampleSizeCombo)), 0);

  Enter(10, "95");
  ClickIconBarButton(main_, kButtonMean);
  const std::string mean = Formatted("0.715357") + "|", tooClose = "99.9999999999999";
  ASSERT_TRUE(WaitUntil([&] { return Results() == mean; }));
  const char kTooClose[] = "Unable to compute the coefficient for this value (cf too close to 100)!";
  // The "x" lies past the 17 characters that the live filter reads.
  // n and cf entered, the button clicked, the message; n and cf shown after it, and the results.
  const struct {
    int n; const char* cf; int button; const char* message;
    int nShown; std::string cfShown, results;
  } cases[] = {
      {20, "", kButtonMean, "No numerical value in the Editbox!", 10, "95", mean},
      {20, "12345678901234567x", kButtonVariance, "No normal numerical value in the Editbox!", 10, "95", mean},
      {20, "100", kButtonVariance, "Numerical value (cf) in the Editbox is 0<cf<100 !", 10, "95", mean},
      {2, tooClose.c_str(), kButtonMean, kTooClose, 2, tooClose, "|"},
      {4, tooClose.c_str(), kButtonVariance, kTooClose, 4, tooClose, "|"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("cf ") + c.cf);
    Enter(c.n, c.cf);
    EXPECT_EQ(ClickAndAnswer(c.button), (BoxContent{"Error", c.message}));
    EXPECT_TRUE(Shows(kCfBox, c.cfShown)) << TextOf(Control(kCfBox));
    EXPECT_EQ(ComboSelection(Control(kSampleSizeCombo)), c.nShown - 2);
    EXPECT_TRUE(WaitUntil([&] { return Results() == c.results; })) << Results();
  }
}

// Typed and pasted characters that make no number are taken out again; the box holds 16
// characters.
TEST_F(Zorpa, TheLiveFilterKeepsOnlyNumbers) {
  HWND box = Control(kCfBox);
  TypeInto(box, "1.0E-5q");
  EXPECT_EQ(TextOf(box), "1.0E-5");
  SetTextOf(box, "");
  TypeInto(box, "12345678901234567890");
  EXPECT_EQ(TextOf(box), "1234567890123456");
  SetTextOf(box, "12a");
  EXPECT_EQ(TextOf(box), "12");
}

}  // namespace
