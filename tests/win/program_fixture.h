// The fixture every program test builds on: the program under test, started before the test
// and checked after it. The test stops at its first failed ASSERT, also one in a step helper,
// and at once when a wait finds its program ended (unless the test ended it on purpose), naming
// that wait. Whatever the test itself looked at, it fails when its program is no longer running
// at the end (unless ended on purpose, and then with exit code 0), when a box of the program is
// still open, or when the program does not end with exit code 0 once it is closed (korvan95's
// question about unsaved values answered with No).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "tests/win/driver.h"

class ProgramTest : public ::testing::Test {
 protected:
  // The program exeName beside the driver, with its main window of the class; a fixture that
  // starts its programs itself passes nullptr.
  ProgramTest(const char* exeName, const char* className) : exeName_(exeName), className_(className) {}

  void SetUp() override;
  void TearDown() override { FinishProgram(); }

  // Finishes the program under test (as at the end of a test) and starts exePath in its
  // place; the class of the fixture unless given.
  bool StartAnother(const std::string& exePath, const char* className = nullptr);

  // Said by a test that ends its program on purpose (Exit, a No to the question on closing).
  void ExpectEnded() { endExpected_ = true; }

  DWORD ProcessId() const { return program_.process.dwProcessId; }
  // The state of the program's window thread: the windows with the keyboard focus and the caret.
  GUITHREADINFO ThreadState() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(program_.process.dwThreadId, &info);
    return info;
  }
  HWND Control(int id) const { return GetDlgItem(main_, id); }
  // Waits until a control shows the text.
  bool Shows(int id, const std::string& text) { return WaitUntil([&] { return TextOf(Control(id)) == text; }); }
  // Clicks an icon-bar button and returns the message box that follows (empty if none).
  BoxContent ClickAndAnswer(int id) { ClickIconBarButton(main_, id); return AnswerMessageBox(program_); }
  // Posts a command (or a system-menu item) and returns the dialog that opens, once its title is
  // `title` (any when null; a box may still be closing); null when none came.
  HWND OpenDialog(int command, const char* title = nullptr, UINT message = WM_COMMAND);
  // Closes a dialog with Cancel; the test stops when it stays.
  void CancelDialog(HWND dialog);
  // Waits until, of the icon-bar buttons given, the enabled ones are those named in `enabled`
  // (blank-separated, in the order given): the buttons follow the program's state on its next
  // paint. The failure names the buttons enabled.
  struct NamedButton {
    const char* name;
    int controlId;
  };
  ::testing::AssertionResult ButtonsBecome(std::initializer_list<NamedButton> buttons, const std::string& enabled) const;
  // The Copy command puts the page, as saved in a BMP file, on the clipboard in place of a text;
  // the Print command prints it into the PDF queue, and no box follows.
  void CopyAndPrint(const Bitmap4& saved, int copyCommand, int printCommand);

  const char* exeName_;
  const char* className_;
  RunningProgram program_;
  HWND main_ = nullptr;

 private:
  // The checks at the end of the program under test, then its closing (korvan95's question about
  // unsaved values answered with No).
  void FinishProgram();

  std::string ExitCode() const;  // of the program under test, in hexadecimal
  std::string path_;             // of the program under test, for the messages
  bool endExpected_ = false;
  bool endReported_ = false;  // by the wait that found it
};

// A result box text as the calculators format it: six decimals, left-justified in 16.
inline std::string Formatted(std::string digits) {
  digits.resize(std::max<std::size_t>(digits.size(), 16), ' ');
  return digits;
}
