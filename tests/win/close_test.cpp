// A close request (as from Task Manager's "End task" or the end of the session) that reaches a
// program while one of its boxes or dialogs is open: the program keeps running with the box in
// front, the box can be answered as usual, and a close afterwards ends the program normally,
// asking about typed values that are not saved.
#include <gtest/gtest.h>

#include <string>

#include "korvan00/ids.h"
#include "korvan95/ids.h"
#include "tests/win/program_fixture.h"

namespace {

// The program a row has started: its main window and process.
struct Started {
  HWND window;
  DWORD id;
  HWND main() const { return window; }
  DWORD pid() const { return id; }
};

// korvan95: the grid after Data Input with keys typed (see TypeKeys).
void Korvan95Grid(const Started& s, const std::string& keys) {
  PostCommand(s.main(), kCmdDataInput);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(IconBarButton(s.main(), ButtonControlId(kButtonAnalysis))); }));
  TypeKeys(s.main(), keys);
}

void Korvan95Results(const Started& s) {
  Korvan95Grid(s, "1\r2\r3\r4\r5\r");
  PostCommand(s.main(), kCmdAnalysis);
  HWND dialog = WaitForDialog(s.pid());
  ASSERT_NE(dialog, nullptr);
  PressDialogButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(IconBarButton(s.main(), ButtonControlId(kButtonSaveAs))); }));
}

struct CloseCase {
  const char* name;
  const char* exe;
  const char* className;
  void (*open)(const Started&);  // leaves one box or dialog open
  bool asksAtEnd;                // typed values wait unsaved after the box: the end asks
};

const CloseCase kCases[] = {
    {"korvan95 grid warning", "korvan95.exe", "KORVAN95", [](const Started& s) { Korvan95Grid(s, "\r"); }, false},
    {"korvan95 fix before saving", "korvan95.exe", "KORVAN95",
     [](const Started& s) {
       Korvan95Grid(s, "1\r2");
       PostCommand(s.main(), kCmdDataSave);
     },
     true},
    {"korvan95 save question", "korvan95.exe", "KORVAN95",
     [](const Started& s) {
       Korvan95Grid(s, "1\r");
       PostCommand(s.main(), kCmdDataInput);
     },
     false},
    {"korvan95 too few data", "korvan95.exe", "KORVAN95",
     [](const Started& s) {
       Korvan95Grid(s, "1\r");
       PostCommand(s.main(), kCmdAnalysis);
     },
     true},
    {"korvan95 analysis conditions", "korvan95.exe", "KORVAN95",
     [](const Started& s) {
       Korvan95Grid(s, "1\r2\r3\r");
       PostCommand(s.main(), kCmdAnalysis);
     },
     true},
    {"korvan95 data read dialog", "korvan95.exe", "KORVAN95",
     [](const Started& s) {
       Korvan95Grid(s, "");
       PostCommand(s.main(), kCmdDataRead);
     },
     false},
    {"korvan95 data save dialog", "korvan95.exe", "KORVAN95",
     [](const Started& s) {
       Korvan95Grid(s, "1\r");
       PostCommand(s.main(), kCmdDataSave);
     },
     true},
    {"korvan95 save as dialog", "korvan95.exe", "KORVAN95",
     [](const Started& s) {
       Korvan95Results(s);
       PostCommand(s.main(), kCmdSaveAs);
     },
     true},
    {"korvan95 print dialog", "korvan95.exe", "KORVAN95",
     [](const Started& s) {
       Korvan95Results(s);
       PostCommand(s.main(), kCmdPrint);
     },
     true},
    {"korvan95 print zoom", "korvan95.exe", "KORVAN95", [](const Started& s) { PostCommand(s.main(), kCmdPrintZoom); },
     false},
    {"korvan95 about", "korvan95.exe", "KORVAN95", [](const Started& s) { PostCommand(s.main(), kCmdAbout); }, false},
    {"korvan00 conditions", "korvan00.exe", "KORVAN00",
     [](const Started& s) { PostCommand(s.main(), korvan00::kCommandSetConditions); }, false},
    {"korvan00 refused data", "korvan00.exe", "KORVAN00",
     [](const Started& s) {
       ASSERT_TRUE(SetClipboardText("1\r\n2\r\n"));
       PostCommand(s.main(), korvan00::kCommandAnalysis);
     },
     false},
    {"korvan00 results file dialog", "korvan00.exe", "KORVAN00",
     [](const Started& s) {
       ASSERT_TRUE(SetClipboardText("1\r\n2\r\n3\r\n4\r\n5\r\n"));
       PostCommand(s.main(), korvan00::kCommandAnalysis);
     },
     false},
    {"korvan00 about", "korvan00.exe", "KORVAN00",
     [](const Started& s) { PostCommand(s.main(), korvan00::kCommandAbout); }, false},
    {"zorpa95 refused input", "zorpa95.exe", "ZORPA_CLASS",
     [](const Started& s) {
       SetTextOf(GetDlgItem(s.main(), 113), "100");  // the cf box
       ClickIconBarButton(s.main(), 106);            // mean coefficient
     },
     false},
    {"zorpa95 about", "zorpa95.exe", "ZORPA_CLASS", [](const Started& s) { ClickIconBarButton(s.main(), 108); }, false},
    {"quibe95 about", "quibe95.exe", "QUIBE_CLASS", [](const Started& s) { ClickIconBarButton(s.main(), 106); }, false},
};

// Answers a box or dialog as its close box or Cancel would; the save question with No.
void Dismiss(HWND box) {
  if (GetDlgItem(box, IDNO) != nullptr) {
    PressDialogButton(box, IDNO);
  } else {
    PostMessageA(box, WM_CLOSE, 0, 0);
  }
}

class CloseWhileABoxIsOpen : public ProgramTest {
 protected:
  CloseWhileABoxIsOpen() : ProgramTest(nullptr, nullptr) {}
};

TEST_F(CloseWhileABoxIsOpen, TheProgramWaitsForTheBoxAndEndsNormallyAfter) {
  for (const CloseCase& c : kCases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(StartAnother(BesideDriver(c.exe), c.className));
    const Started started{main_, ProcessId()};
    c.open(started);
    HWND box = WaitForDialog(started.pid());
    ASSERT_NE(box, nullptr) << "no box opened";
    const std::string title = TextOf(box);
    PostMessageA(main_, WM_CLOSE, 0, 0);
    PostMessageA(main_, WM_QUERYENDSESSION, 0, 0);
    // The request waits: the program runs on with the same box and no other.
    EXPECT_FALSE(ProcessEnded(program_, 500));
    EXPECT_EQ(FindDialog(started.pid()), box);
    EXPECT_EQ(TextOf(box), title);
    Dismiss(box);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    // Boxes that follow the answer (a cancelled results file is told) are answered too.
    for (HWND next; (next = WaitForDialog(started.pid(), 500)) != nullptr && next != box;) {
      Dismiss(next);
      WaitUntil([&] { return !IsWindow(next); });
    }
    ASSERT_FALSE(ProcessEnded(program_, 0)) << "the program ended on the answer";
    // A close now ends the program (with exit code 0, checked when the next one starts),
    // after the save question where typed values wait.
    PostMessageA(main_, WM_CLOSE, 0, 0);
    HWND question = WaitForDialog(started.pid(), c.asksAtEnd ? kWaitMs : 500);
    EXPECT_EQ(question != nullptr, c.asksAtEnd);
    if (question != nullptr) {
      EXPECT_EQ(ReadMessageBox(question).text, "Save the data set?");
      PressDialogButton(question, IDNO);
    }
    ExpectEnded();
  }
}

}  // namespace
