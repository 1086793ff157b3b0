#include "tests/win/program_fixture.h"

#include <cstdio>

namespace {

std::string Hex(DWORD code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(code));
  return text;
}

// A failed ASSERT ends the test at once, also in a step helper several calls down, instead of
// letting it wait on for what the step did not bring. GoogleTest takes this exception as the
// failure already reported.
class StopAtFatalFailure : public ::testing::EmptyTestEventListener {
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (result.fatally_failed()) throw ::testing::AssertionException(result);
  }
};

}  // namespace

void ProgramTest::SetUp() {
  [[maybe_unused]] static const bool stopping =
      (::testing::UnitTest::GetInstance()->listeners().Append(new StopAtFatalFailure), true);
  if (exeName_) {
    ASSERT_TRUE(StartAnother(ProgramPath(exeName_))) << exeName_;
  }
}

bool ProgramTest::StartAnother(const std::string& exePath, const char* className) {
  FinishProgram();
  path_ = exePath;
  if (!LaunchProgram(exePath, program_)) return false;
  WatchProgram(program_.process.hProcess, [this](const std::source_location& where) {
    if (endExpected_) return;
    endExpected_ = endReported_ = true;
    const std::string file = where.file_name();
    FAIL() << path_ << " ended during the test with exit code " << ExitCode() << ", seen by the wait at "
           << file.substr(file.find_last_of("\\/") + 1) << ":" << where.line();
  });
  WaitForInputIdle(program_.process.hProcess, kWaitMs);
  WaitUntil([&] {
    const std::vector<HWND> windows = TopLevelWindows(className ? className : className_, ProcessId());
    return (main_ = program_.window = windows.empty() ? nullptr : windows.front()) != nullptr;
  });
  return main_ != nullptr;
}

HWND ProgramTest::OpenDialog(int command, const char* title, UINT message) {
  PostMessageA(main_, message, static_cast<WPARAM>(command), 0);
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(ProcessId())) != nullptr && (!title || TextOf(dialog) == title); });
  return dialog;
}

void ProgramTest::CancelDialog(HWND dialog) {
  PressDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog " << TextOf(dialog) << " stays";
}

::testing::AssertionResult ProgramTest::ButtonsBecome(std::initializer_list<NamedButton> buttons,
                                                      const std::string& enabled) const {
  std::string shown;
  const bool became = WaitUntil([&] {
    shown.clear();
    for (const NamedButton& button : buttons) {
      if (!IsWindowEnabled(IconBarButton(main_, button.controlId))) continue;
      shown.append(shown.empty() ? "" : " ").append(button.name);
    }
    return shown == enabled;
  });
  if (became) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the buttons enabled are \"" << shown << "\", not \"" << enabled << '"';
}

void ProgramTest::CopyAndPrint(const Bitmap4& saved, int copyCommand, int printCommand) {
  ASSERT_TRUE(SetClipboardText("not a picture"));
  // Sent, not posted: the clipboard is read only after the copy, so the two never race for it
  // (a copy that cannot open the clipboard says so in a box).
  ASSERT_TRUE(SendCommand(main_, copyCommand, kWaitMs)) << ReadMessageBox(FindDialog(ProcessId())).text;
  Bitmap4 copied;
  ASSERT_TRUE(copied.LoadDib(ClipboardDib())) << "no 4-bit picture on the clipboard";
  EXPECT_EQ(copied.bytes.substr(40), saved.bytes.substr(54)) << "palette and pixels";
  EXPECT_EQ(PrintIntoQueue(program_, printCommand), "");
}

std::string ProgramTest::ExitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(program_.process.hProcess, &code);
  return Hex(code);
}

void ProgramTest::FinishProgram() {
  WatchProgram(nullptr);
  if (!program_.process.hProcess) return;
  if (ProcessEnded(program_, endExpected_ ? kWaitMs : 0)) {
    if (!endExpected_) ADD_FAILURE() << path_ << " is no longer running at the end of the test";
  } else {
    if (endExpected_) ADD_FAILURE() << path_ << " still runs although the test ended it";
    // A box the test has just answered may take a moment to go.
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindDialog(ProcessId())) == nullptr; }, 2000)) {
      ADD_FAILURE() << path_ << " shows an unexpected box at the end: " << ::testing::PrintToString(ReadMessageBox(box));
    }
    PostMessageA(main_, WM_CLOSE, 0, 0);
    WaitUntil([&] { return ProcessEnded(program_, 0) || (box = FindDialog(ProcessId())) != nullptr; });
    if (box) PressDialogButton(box, IDNO);
  }
  const DWORD code = StopProgram(program_);
  if (code != 0 && !endReported_) {
    ADD_FAILURE() << path_ << (code == kStoppedByForce ? " did not end when closed and was terminated"
                                                       : " ended with exit code " + Hex(code));
  }
  main_ = nullptr;
  endExpected_ = endReported_ = false;
}
