// The fixture every program test builds on: the program under test, started before the test
// and checked after it. Whatever the test itself looked at, it fails when its program is no
// longer running at the end (unless the test ended it on purpose, and then with exit code 0),
// when a box of the program is still open that the test did not leave open on purpose, or when
// the program does not end with exit code 0 once it is closed.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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
  // Said by a test that leaves a box of its program open on purpose.
  void ExpectBoxLeftOpen() { boxExpected_ = true; }

  DWORD ProcessId() const { return program_.process.dwProcessId; }
  HWND Control(int id) const { return GetDlgItem(main_, id); }
  // Waits until a control shows the text.
  bool Shows(int id, const std::string& text) {
    return WaitUntil([&] { return TextOf(Control(id)) == text; });
  }
  // Clicks an icon-bar button and returns the message box that follows (empty if none).
  BoxContent ClickAndAnswer(int controlId) {
    ClickIconBarButton(main_, controlId);
    return AnswerMessageBox(program_);
  }

  // Closing steps of the program beyond WM_CLOSE (korvan95 asks about unsaved data).
  virtual void Close() {}

  const char* exeName_;
  const char* className_;
  RunningProgram program_;
  HWND main_ = nullptr;

 private:
  // The checks at the end of the program under test, then its closing.
  void FinishProgram();

  std::string path_;  // of the program under test, for the messages
  bool endExpected_ = false;
  bool boxExpected_ = false;
};

// A result box text as the calculators format it: six decimals, left-justified in 16.
inline std::string Formatted(std::string digits) {
  digits.resize(std::max<std::size_t>(digits.size(), 16), ' ');
  return digits;
}
