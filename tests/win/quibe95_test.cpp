// quibe95 driven through its window: the first state, the coefficient for two sample sizes,
// clearing, and the tooltips of the icon bar the programs draw themselves. (Start, About, Help
// and Exit: every_program_test.cpp; the values: the native tests.)
#include <gtest/gtest.h>

#include <vector>

#include "quibe95/ids.h"
#include "tests/win/program_fixture.h"

namespace {

using namespace quibe95;

class Quibe : public ProgramTest {
 protected:
  Quibe() : ProgramTest("quibe95.exe", "QUIBE_CLASS") {}
};

// Every choice in the list, and opening the list without a change, clears the value shown.
TEST_F(Quibe, ShowsTheCoefficientAndClearsOnEveryChoice) {
  EXPECT_EQ(ComboSelection(Control(kSampleSizeCombo)), 0);
  EXPECT_EQ(TextOf(Control(kResultBox)), "");
  EXPECT_FALSE(IsWindowEnabled(Control(kResultBox)));
  ASSERT_TRUE(PressKeys(main_, "F5"));  // the key of Get Coeff.
  EXPECT_TRUE(Shows(kResultBox, Formatted("1.253314")));
  SelectComboItem(Control(kSampleSizeCombo), 10 - 2);
  EXPECT_EQ(TextOf(Control(kResultBox)), "") << "not cleared by the choice";
  ClickIconBarButton(main_, kButtonGet);
  EXPECT_TRUE(Shows(kResultBox, Formatted("1.028109"))) << TextOf(Control(kResultBox));
  Screenshot(main_, "quibe95-results");
  HWND list = Control(kSampleSizeCombo);
  SendMessageA(main_, WM_COMMAND, MAKEWPARAM(kSampleSizeCombo, CBN_DROPDOWN), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(TextOf(Control(kResultBox)), "");
}

std::vector<COLORREF> Capture(int left, int top, int width, int height) {
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(screen, left + x, top + y));
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Moves the pointer to a point of the main window's client area and lets the program see it.
void PointAt(HWND mainWindow, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(mainWindow, &point);
  SetCursorPos(point.x, point.y);
  PostMessageA(mainWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(mainWindow), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

// The tooltip boxes of the first two buttons appear over the window, the pixels under them
// come back, and a click on the first button removes its box.
TEST_F(Quibe, TooltipsAppearAndLeaveNoTrace) {
  RECT window;
  GetWindowRect(main_, &window);
  // The box lies at the height below the caption the programs compute, from the button's x.
  const int boxTop = window.top + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYCAPTION) + 32;
  const int boxLeft = window.left + GetSystemMetrics(SM_CXBORDER) + 17;
  const int bandY = GetSystemMetrics(SM_CYBORDER) + 10;
  const int width = 32 * 4 + 100;
  auto pixelIs = [](int x, int y, COLORREF colour) {
    return WaitUntil([&] { return ScreenPixel(x, y) == colour; });
  };
  PointAt(main_, 300, 150);  // away from the bar
  const std::vector<COLORREF> before = Capture(boxLeft, boxTop, width, 22);
  PointAt(main_, 30, bandY);  // over button 1
  EXPECT_TRUE(pixelIs(boxLeft, boxTop, RGB(0, 0, 0))) << "no box frame over button 1";
  EXPECT_EQ(ScreenPixel(boxLeft + 1, boxTop + 1), RGB(255, 255, 255));
  PointAt(main_, 30 + 32, bandY);  // over button 2: the first box goes, the second comes
  EXPECT_TRUE(pixelIs(boxLeft, boxTop, before[0])) << "the first box was not restored";
  EXPECT_EQ(ScreenPixel(boxLeft + 32, boxTop), RGB(0, 0, 0)) << "no box frame over button 2";
  PointAt(main_, 300, 150);  // leaving the band restores every pixel
  EXPECT_TRUE(pixelIs(boxLeft + 32, boxTop, before[32]));
  EXPECT_EQ(Capture(boxLeft, boxTop, width, 22), before);
  PointAt(main_, 30, bandY);
  EXPECT_TRUE(pixelIs(boxLeft, boxTop, RGB(0, 0, 0)));
  ClickIconBarButton(main_, kButtonGet);  // runs without a box
  EXPECT_TRUE(pixelIs(boxLeft, boxTop, before[0])) << "the box stayed after the click";
}

}  // namespace
