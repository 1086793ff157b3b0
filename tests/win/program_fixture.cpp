#include "tests/win/program_fixture.h"

#include <cstdio>

namespace {

std::string Hex(DWORD code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(code));
  return text;
}

}  // namespace

void ProgramTest::SetUp() {
  if (exeName_) {
    ASSERT_TRUE(StartAnother(ProgramPath(exeName_))) << exeName_;
  }
}

bool ProgramTest::StartAnother(const std::string& exePath, const char* className) {
  FinishProgram();
  path_ = exePath;
  const bool started = StartProgram(exePath, className ? className : className_, program_);
  main_ = program_.window;
  return started;
}

void ProgramTest::FinishProgram() {
  if (!program_.process.hProcess) return;
  const bool endedInTheTest = ProcessEnded(program_, endExpected_ ? kWaitMs : 0);
  if (endedInTheTest) {
    DWORD code = 0;
    GetExitCodeProcess(program_.process.hProcess, &code);
    if (!endExpected_) {
      ADD_FAILURE() << path_ << " is no longer running at the end of the test (exit code " << Hex(code) << ")";
    } else if (code != 0) {
      ADD_FAILURE() << path_ << " ended with exit code " << Hex(code);
    }
  } else {
    if (endExpected_) ADD_FAILURE() << path_ << " still runs although the test ended it";
    // A box the test has just answered may take a moment to go.
    HWND box = nullptr;
    if (!boxExpected_ && !WaitUntil([&] { return (box = FindDialog(ProcessId())) == nullptr; }, 2000)) {
      const BoxContent content = ReadMessageBox(box);
      ADD_FAILURE() << path_ << " shows an unexpected box at the end of the test: caption \"" << content.caption
                    << "\", text \"" << content.text << "\"";
    }
    Close();
  }
  const DWORD exitCode = StopProgram(program_);
  if (!endedInTheTest && exitCode != 0) {
    ADD_FAILURE() << path_ << (exitCode == kStoppedByForce ? " did not end when closed and was terminated"
                                                           : " ended with exit code " + Hex(exitCode) + " when closed");
  }
  main_ = nullptr;
  endExpected_ = boxExpected_ = false;
}
