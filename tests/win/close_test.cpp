// A close request (as from Task Manager's "End task" or the end of the session) or a second
// command that reaches a program while one of its boxes or dialogs is open, one row for every
// box of the four programs, most opened by both clicks of a double-click arriving at once: the
// program keeps running with the one box in front, its window disabled, and the session is
// asked to wait; the box can be answered as usual, and a close afterwards ends the program
// normally, asking about typed values that are not saved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvan00/ids.h"
#include "korvan95/ids.h"
#include "quibe95/ids.h"
#include "tests/win/korvan95_steps.h"
#include "tests/win/program_fixture.h"
#include "zorpa95/ids.h"

namespace {

enum Exe { kKorvan95, kKorvan00, kZorpa, kQuibe };
const char* const kExe[][2] = {
    {"korvan95.exe", "KORVAN95"}, {"korvan00.exe", "KORVAN00"}, {"zorpa95.exe", "ZORPA_CLASS"}, {"quibe95.exe", "QUIBE_CLASS"}};

// A row: its name and program; the steps that leave one box or dialog open; the command sent
// again while it is open (the one that opened it, or About); whether typed values wait unsaved
// after the box (the end asks); the boxes that follow the answer (a cancelled results file is
// told).
struct CloseCase {
  const char* name; Exe exe; void (*open)(HWND); int command;
  bool asksAtEnd = false; int follows = 0;
};

// Icons double-clicked, both clicks arriving at once.
void Twice(HWND w, int controlId) { DoubleClickIconBarButton(w, controlId); }

const CloseCase kCases[] = {
    {"korvan95_grid_warning", kKorvan95, [](HWND w) { Grid(w, "\r"); }, kCmdAbout},
    {"korvan95_fix_before_saving", kKorvan95, [](HWND w) { Grid(w, "1\r2"); PostCommand(w, kCmdDataSave); },
     kCmdDataSave, true},
    {"korvan95_save_question", kKorvan95, [](HWND w) { Grid(w, "1\r"); Twice(w, K95(kButtonDataInput)); }, kCmdDataInput},
    {"korvan95_too_few_data", kKorvan95, [](HWND w) { Grid(w, "1\r"); PostCommand(w, kCmdAnalysis); }, kCmdAnalysis, true},
    {"korvan95_analysis_conditions", kKorvan95, [](HWND w) { Grid(w, "1\r2\r3\r"); Twice(w, K95(kButtonAnalysis)); },
     kCmdAnalysis, true},
    {"korvan95_data_read_dialog", kKorvan95, [](HWND w) { Grid(w, ""); Twice(w, K95(kButtonDataRead)); }, kCmdDataRead},
    {"korvan95_data_save_dialog", kKorvan95, [](HWND w) { Grid(w, "1\r"); PostCommand(w, kCmdDataSave); }, kCmdDataSave,
     true},
    {"korvan95_save_as_dialog", kKorvan95, [](HWND w) { Results(w); Twice(w, K95(kButtonSaveAs)); }, kCmdSaveAs, true},
    {"korvan95_print_dialog", kKorvan95, [](HWND w) { Results(w); Twice(w, K95(kButtonPrint)); }, kCmdPrint, true},
    {"korvan95_print_zoom", kKorvan95, [](HWND w) { PostCommand(w, kCmdPrintZoom); }, kCmdPrintZoom},
    {"korvan95_printer_setup", kKorvan95, [](HWND w) { PostCommand(w, kCmdPrinterSetup); }, kCmdPrinterSetup},
    {"korvan95_about", kKorvan95, [](HWND w) { Twice(w, K95(kButtonAbout)); }, kCmdAbout},
    {"korvan00_conditions", kKorvan00, [](HWND w) { Twice(w, korvan00::kButtonSetConditions); },
     korvan00::kCommandSetConditions},
    {"korvan00_refused_data", kKorvan00,
     [](HWND w) { SetClipboardText("1\r\n2\r\n"); Twice(w, korvan00::kButtonAnalysis); }, korvan00::kCommandAnalysis},
    {"korvan00_results_file_dialog", kKorvan00,
     [](HWND w) { SetClipboardText("1\r\n2\r\n3\r\n4\r\n5\r\n"); PostCommand(w, korvan00::kCommandAnalysis); },
     korvan00::kCommandAnalysis, false, 1},
    {"korvan00_print_zoom", kKorvan00, [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, korvan00::kSysPrintZoom, 0); },
     korvan00::kCommandAbout},
    {"korvan00_printer_setup", kKorvan00,
     [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, korvan00::kSysPrinterSetup, 0); }, korvan00::kCommandAbout},
    {"korvan00_about", kKorvan00, [](HWND w) { Twice(w, korvan00::kButtonAbout); }, korvan00::kCommandAbout},
    {"zorpa95_refused_input", kZorpa,
     [](HWND w) {
       SetTextOf(GetDlgItem(w, zorpa95::kCfBox), "100");
       Twice(w, zorpa95::kButtonMean);
     },
     zorpa95::kCommandMean},
    {"zorpa95_about", kZorpa, [](HWND w) { Twice(w, zorpa95::kButtonAbout); }, zorpa95::kCommandAbout},
    {"quibe95_about", kQuibe, [](HWND w) { Twice(w, quibe95::kButtonAbout); }, quibe95::kCommandAbout},
};

// Answers a box or dialog as its close box or Cancel would; the save question with No.
void Dismiss(HWND box) {
  const bool question = GetDlgItem(box, IDNO) != nullptr;
  PostMessageA(box, question ? WM_COMMAND : WM_CLOSE, question ? IDNO : 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the box stays";
}

class CloseWhileABoxIsOpen : public ProgramTest, public ::testing::WithParamInterface<CloseCase> {
 protected:
  CloseWhileABoxIsOpen() : ProgramTest(kExe[GetParam().exe][0], kExe[GetParam().exe][1]) {}
};

TEST_P(CloseWhileABoxIsOpen, CloseAndSecondCommandsWaitForTheBox) {
  const CloseCase& c = GetParam();
  c.open(main_);
  HWND box = WaitForDialog(ProcessId());
  ASSERT_NE(box, nullptr) << "no box opened";
  const std::string title = TextOf(box);
  // Sent, so that the program has handled them when the calls return.
  DWORD_PTR answer = 1;
  EXPECT_TRUE(SendMessageTimeoutA(main_, WM_CLOSE, 0, 0, SMTO_NORMAL, kWaitMs, &answer));
  EXPECT_TRUE(SendMessageTimeoutA(main_, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, kWaitMs, &answer));
  EXPECT_EQ(answer, 0u) << "the session was not asked to wait";
  // A second command (the second click of a double-click, the command sent again, korvan00's
  // system-menu items) is ignored: it returns at once, under the same box.
  EXPECT_FALSE(WaitUntil([&] { return TopLevelWindows("#32770", ProcessId()).size() > 1; }, 300)) << "a second box";
  EXPECT_TRUE(SendCommand(main_, c.command)) << "a second command runs under the box";
  for (const int item : {korvan00::kSysPrinterSetup, korvan00::kSysPrintZoom}) {
    EXPECT_TRUE(c.exe != kKorvan00 || SendMessageTimeoutA(main_, WM_SYSCOMMAND, item, 0, SMTO_NORMAL, 1500, &answer))
        << "system-menu item " << item << " runs under the box";
  }
  // The program runs on with the same box and no other, its window disabled until the answer.
  EXPECT_FALSE(ProcessEnded(program_, 0));
  EXPECT_EQ(TopLevelWindows("#32770", ProcessId()), std::vector<HWND>{box});
  EXPECT_EQ(TextOf(box), title);
  EXPECT_FALSE(IsWindowEnabled(main_));
  Dismiss(box);
  for (int i = 0; i < c.follows; ++i) {
    HWND next = WaitForDialog(ProcessId());
    ASSERT_NE(next, nullptr) << "no box followed the answer";
    Dismiss(next);
  }
  EXPECT_TRUE(SettlesWithoutBox(program_)) << TextOf(FindDialog(ProcessId()));
  ASSERT_FALSE(ProcessEnded(program_, 0)) << "the program ended on the answer";
  EXPECT_TRUE(IsWindowEnabled(main_));
  // A close now ends the program (with exit code 0, checked at the end of the test), after the
  // save question where typed values wait.
  PostMessageA(main_, WM_CLOSE, 0, 0);
  HWND question = nullptr;
  WaitUntil([&] { return ProcessEnded(program_, 0) || (question = FindDialog(ProcessId())) != nullptr; });
  EXPECT_EQ(question != nullptr, c.asksAtEnd);
  if (question != nullptr) {
    EXPECT_EQ(ReadMessageBox(question).text, "Save the data set?");
    PressDialogButton(question, IDNO);
  }
  ExpectEnded();
}

INSTANTIATE_TEST_SUITE_P(, CloseWhileABoxIsOpen, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

}  // namespace
