#include "tests/win/calculator_fixture.h"

#include <cstring>
#include <vector>

std::string Formatted(const char* digits) {
  std::string text(digits);
  if (text.size() < 16) text.append(16 - text.size(), ' ');
  return text;
}

void CalculatorTest::CheckHelp(int helpButton, const char* readmeName, const std::string& missingText,
                               const std::string& errorCaption) {
  ASSERT_TRUE(StartAnother(CopyProgram("suite-no-readme", nullptr)));
  ClickIconBarButton(main_, helpButton);
  const BoxContent missing = AnswerMessageBox(program_);
  EXPECT_EQ(missing.text, missingText);
  EXPECT_EQ(missing.caption, errorCaption);

  for (HWND notepad : TopLevelWindows("Notepad")) PostMessageA(notepad, WM_CLOSE, 0, 0);
  ASSERT_TRUE(StartAnother(CopyProgram("suite with readme", readmeName)));
  ClickIconBarButton(main_, helpButton);
  HWND notepad = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    const std::vector<HWND> windows = TopLevelWindows("Notepad");
    notepad = windows.empty() ? nullptr : windows.front();
    return notepad != nullptr;
  })) << "Notepad did not open the readme";
  if (notepad) {
    std::string title = TextOf(notepad);
    for (char& c : title) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    std::string name(readmeName);
    EXPECT_NE(title.find(name.substr(0, name.size() - 4)), std::string::npos) << title;
    PostMessageA(notepad, WM_CLOSE, 0, 0);
  }
  EXPECT_TRUE(NoDialogWithin(ProcessId(), 300));
}

namespace {

struct Region {
  int left, top, width, height;
  std::vector<COLORREF> pixels;
};

Region Capture(int left, int top, int width, int height) {
  Region region = {left, top, width, height, {}};
  HDC screen = GetDC(nullptr);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) region.pixels.push_back(GetPixel(screen, left + x, top + y));
  }
  ReleaseDC(nullptr, screen);
  return region;
}

// Moves the pointer to a point of the main window's client area and lets the program see it.
void PointAt(HWND mainWindow, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(mainWindow, &point);
  SetCursorPos(point.x, point.y);
  PostMessageA(mainWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(mainWindow), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

}  // namespace

void CalculatorTest::CheckTooltip(int buttonCount, int firstButtonId) {
  RECT window;
  GetWindowRect(main_, &window);
  // The box lies at the height below the caption the programs compute, from the button's x.
  const int boxTop = window.top + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYCAPTION) + 32;
  const int boxLeft = window.left + GetSystemMetrics(SM_CXBORDER) + 17;
  const int bandY = GetSystemMetrics(SM_CYBORDER) + 10;
  const int width = 32 * buttonCount + 100;
  auto pixelIs = [](int x, int y, COLORREF colour) {
    return WaitUntil([&] { return ScreenPixel(x, y) == colour; }, 3000);
  };

  PointAt(main_, 300, 150);  // away from the bar
  const Region before = Capture(boxLeft, boxTop, width, 22);

  PointAt(main_, 30, bandY);  // over button 1
  EXPECT_TRUE(pixelIs(boxLeft, boxTop, RGB(0, 0, 0))) << "no box frame over button 1";
  EXPECT_EQ(ScreenPixel(boxLeft + 1, boxTop + 1), RGB(255, 255, 255));

  PointAt(main_, 30 + 32, bandY);  // over button 2: the first box goes, the second comes
  EXPECT_TRUE(pixelIs(boxLeft, boxTop, before.pixels[0])) << "the first box was not restored";
  EXPECT_EQ(ScreenPixel(boxLeft + 32, boxTop), RGB(0, 0, 0)) << "no box frame over button 2";

  PointAt(main_, 300, 150);  // leaving the band restores every pixel
  EXPECT_TRUE(pixelIs(boxLeft + 32, boxTop, before.pixels[32]));
  EXPECT_EQ(Capture(boxLeft, boxTop, width, 22).pixels, before.pixels);

  // A click on the button removes the box.
  PointAt(main_, 30, bandY);
  EXPECT_TRUE(pixelIs(boxLeft, boxTop, RGB(0, 0, 0)));
  ClickIconBarButton(main_, firstButtonId);
  EXPECT_TRUE(pixelIs(boxLeft, boxTop, before.pixels[0])) << "the box stayed after the click";
}
