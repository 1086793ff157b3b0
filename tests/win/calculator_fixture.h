// Common steps of the calculator tests: a started program, its controls by id, and the
// Help and tooltip checks both calculators share.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/win/program_fixture.h"

class CalculatorTest : public ProgramTest {
 protected:
  CalculatorTest(const char* exeName, const char* className) : ProgramTest(exeName, className) {}

  HWND Control(int id) const { return GetDlgItem(main_, id); }

  // Clicks an icon-bar button and returns the message box that follows (empty if none).
  BoxContent ClickAndAnswer(int buttonId) {
    ClickIconBarButton(main_, buttonId);
    return AnswerMessageBox(program_);
  }

  // Waits until an edit box shows the text.
  bool Shows(int id, const std::string& text) {
    return WaitUntil([&] { return TextOf(Control(id)) == text; }, 5000);
  }

  // The fixed window: 336 pixels wide, the caption plus clientHeight high, centred.
  void CheckWindowPlace(int clientHeight) {
    RECT area;
    GetWindowRect(main_, &area);
    const int height = GetSystemMetrics(SM_CYCAPTION) + clientHeight;
    EXPECT_EQ(area.right - area.left, 336);
    EXPECT_EQ(area.bottom - area.top, height);
    EXPECT_EQ(area.left, (GetSystemMetrics(SM_CXSCREEN) - 336) / 2);
    EXPECT_EQ(area.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    EXPECT_FALSE(GetWindowLongA(main_, GWL_STYLE) & WS_THICKFRAME) << "the window must not be sizable";
  }

  // A second start ends at once (exit code 0) and leaves one window.
  void CheckSecondStart() {
    RunningProgram second;
    ASSERT_TRUE(LaunchProgram(BesideDriver(exeName_), second));
    EXPECT_TRUE(ProcessEnded(second, kWaitMs));
    EXPECT_EQ(TopLevelWindows(className_).size(), 1u);
    EXPECT_EQ(StopProgram(second), 0u);
  }

  // The Exit button ends the program.
  void CheckExit(int exitButton) {
    ClickIconBarButton(main_, exitButton);
    ExpectEnded();
    EXPECT_TRUE(ProcessEnded(program_, kWaitMs));
  }

  // A copy of the program in a folder of its own, with or without its readme beside it.
  std::string CopyProgram(const char* folderName, const char* readmeName) {
    const std::string folder = MakeTestFolder(folderName);
    EXPECT_TRUE(CopyInto(BesideDriver(exeName_), folder));
    if (readmeName) {
      EXPECT_TRUE(CopyInto(BesideDriver(readmeName), folder));
    }
    return folder + "\\" + exeName_;
  }

  // Help with the readme missing gives the install message; with it present (in a folder
  // whose path has blanks) Notepad opens it and no message comes.
  void CheckHelp(int helpButton, const char* readmeName, const std::string& missingText,
                 const std::string& errorCaption);

  // The tooltip boxes of the first two buttons appear over the window, the pixels under
  // them come back, and a click on the first button (which must run without a message box)
  // removes its box.
  void CheckTooltip(int buttonCount, int firstButtonId);
};

// A result box text as the calculators format it: six decimals, left-justified in 16.
std::string Formatted(const char* digits);
