// korvan00 driven through its window: data pasted on the real clipboard, the results file
// written through the real save dialog, the graph buttons by page state, the drawn page saved
// as BMP and copied, the system-menu Print Zoom, the 30000-value limit and the Japanese
// interface.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "korvan00/ids.h"
#include "tests/win/driver.h"

namespace {

using namespace korvan00;

const char kClass[] = "KORVAN00";
const char kResultsTitle[] = "Assign a file to save the results.";
const char kSaveGraphTitle[] = "Assign a file to save the graph.";

std::uint32_t Field(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

class Korvan00 : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartProgram(BesideDriver("korvan00.exe"), kClass, program_));
    main_ = program_.window;
  }
  void TearDown() override { StopProgram(program_); }
  DWORD Pid() const { return program_.process.dwProcessId; }
  bool Enabled(int controlId) const { return IsWindowEnabled(IconBarButton(main_, controlId)) != FALSE; }
  // The four graph buttons (Draw, Copy, Save, Print) as enabled flags.
  std::vector<bool> GraphButtons() const {
    return {Enabled(kButtonDrawGraph), Enabled(kButtonCopyGraph), Enabled(kButtonSaveGraph),
            Enabled(kButtonPrintGraph)};
  }
  // Pastes the text and runs Analysis up to the results file dialog, which is answered with
  // path (cancelled when empty); the box that follows is returned.
  BoxContent AnalyseAndSave(const std::string& text, const std::string& path) {
    EXPECT_TRUE(SetClipboardText(text));
    PostCommand(main_, kCommandAnalysis);
    EXPECT_TRUE(AnswerFileDialog(Pid(), kResultsTitle, path));
    return AnswerMessageBox(program_);
  }
  void AnalyseOneToFiveAndDraw() {
    EXPECT_EQ(AnalyseAndSave("1\r\n2\r\n3\r\n4\r\n5\r\n", "").caption, "Success");
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonDrawGraph); }));
    PostCommand(main_, kCommandDrawGraph);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonSaveGraph); })) << "no page drawn";
  }

  RunningProgram program_;
  HWND main_ = nullptr;
};

class Korvan00Japanese : public Korvan00 {};
class Korvan00FailedWrite : public Korvan00 {};

TEST_F(Korvan00, StartsFixedAndCentredWithTheGraphButtonsOff) {
  EXPECT_EQ(TextOf(main_), "Korvan [II]");
  RECT window, client;
  GetWindowRect(main_, &window);
  GetClientRect(main_, &client);
  const int height = GetSystemMetrics(SM_CYCAPTION) + 383;
  EXPECT_EQ(window.right - window.left, 480);
  EXPECT_EQ(window.bottom - window.top, height);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 480) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  EXPECT_EQ(GetWindowLongA(main_, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(GraphButtons(), (std::vector<bool>{false, false, false, false}));
  for (int id : {kButtonSetConditions, kButtonAnalysis, kButtonAbout, kButtonHelp, kButtonExit}) {
    EXPECT_TRUE(Enabled(id)) << id;
  }
  SaveScreenshot(main_, BesideDriver("korvan00-start.bmp"));
}

TEST_F(Korvan00, SecondStartEndsAndExitEndsTheProgram) {
  RunningProgram second;
  ASSERT_TRUE(LaunchProgram(BesideDriver("korvan00.exe"), second));
  EXPECT_TRUE(ProcessEnded(second, kWaitMs));
  EXPECT_EQ(TopLevelWindows(kClass).size(), 1u);
  StopProgram(second);
  ClickIconBarButton(main_, kButtonExit);
  EXPECT_TRUE(ProcessEnded(program_, kWaitMs));
}

TEST_F(Korvan00, OneToFiveExportsTheWorkedExample) {
  const std::string folder = MakeTestFolder("k00-export");
  const std::string path = folder + "\\five";  // the dialog adds ".xls"
  const BoxContent box = AnalyseAndSave("1\r\n2\r\n3\r\n4\r\n5\r\n", path);
  EXPECT_EQ(box.caption, "Success");
  EXPECT_NE(box.text.find(path + ".xls"), std::string::npos) << box.text;
  EXPECT_EQ(ReadWholeFile(path + ".xls"), ReadWholeFile(BesideDriver("five-values.xls")));
  EXPECT_TRUE(WaitUntil([&] { return Enabled(kButtonDrawGraph); }));
}

TEST_F(Korvan00, RefusedDataShowTheirMessageAndChangeNothing) {
  struct Case {
    const char* name;
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"too few", "1\r\n2\r\n", "Too few data! (Data < 3)"},
      {"45 characters", "1\r\n2\r\n" + std::string(45, '1') + "\r\n",
       "More than 44 characters forming the numerical value."},
      {"no number", "1\r\nabc\r\n3\r\n", "No proper data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF)."},
      {"no line end", "1\t2\t3", "Incorrect Clipboard data.\nNot copied data from Excel."},
      {"exponent", "1\r\n2e101\r\n3\r\n", "E-100 <= exponent of the numerical value <= E100"},
      {"all equal", "4\r\n4\r\n4\r\n", "All data have a same value!"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetClipboardText(c.text));
    PostCommand(main_, kCommandAnalysis);
    const BoxContent box = AnswerMessageBox(program_);
    EXPECT_EQ(box.text, c.message) << c.name;
    EXPECT_EQ(box.caption, "Error") << c.name;
    EXPECT_TRUE(NoDialogWithin(Pid(), 300)) << c.name << ": no save dialog after a refusal";
    EXPECT_FALSE(Enabled(kButtonDrawGraph)) << c.name;
  }
}

TEST_F(Korvan00, GraphButtonsFollowThePageState) {
  // 1: the save declined, the results drawable.
  const BoxContent box = AnalyseAndSave("1\r\n2\r\n3\r\n4\r\n5\r\n", "");
  EXPECT_EQ(box.text, "The solution not saved.\nBut the calculation done.");
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonDrawGraph); }));
  EXPECT_EQ(GraphButtons(), (std::vector<bool>{true, false, false, false}));
  // 2: the page drawn.
  PostCommand(main_, kCommandDrawGraph);
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonPrintGraph); }));
  EXPECT_EQ(GraphButtons(), (std::vector<bool>{true, true, true, true}));
  SaveScreenshot(main_, BesideDriver("korvan00-page.bmp"));
  // 0: OK in the conditions dialog drops the page.
  PostCommand(main_, kCommandSetConditions);
  HWND dialog = WaitForDialog(Pid());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "Set Analysis Conditions");
  EXPECT_EQ(IsDlgButtonChecked(dialog, kRadioUnbiased), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kRadioChoice), BST_CHECKED);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, kIntervalCombo)), 6 - 2);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kConfidenceEdit)), "90");
  PressDialogButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !Enabled(kButtonDrawGraph); }));
  EXPECT_EQ(GraphButtons(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(Korvan00, ConditionsDialogModesAndRefusedConfidence) {
  auto click = [](HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  };
  // The conditions dialog once it is on show (a message box may still be closing).
  auto conditions = [&] {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDialog(Pid())) != nullptr && TextOf(dialog) == "Set Analysis Conditions"; });
    return dialog;
  };
  auto open = [&] {
    PostCommand(main_, kCommandSetConditions);
    return conditions();
  };
  HWND dialog = open();
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, kIntervalCombo);
  // No data yet: Standard hides the list; Choice shows it again.
  click(dialog, kRadioStandard);
  EXPECT_FALSE(IsWindowVisible(list));
  click(dialog, kRadioChoice);
  EXPECT_TRUE(IsWindowVisible(list) && IsWindowEnabled(list));
  // 100 is refused at once: the warning, then the dialog again with the committed "90".
  SetTextOf(GetDlgItem(dialog, kConfidenceEdit), "100");
  const BoxContent warning = AnswerMessageBox(program_);
  EXPECT_EQ(warning.text, "Input a proper value!\n        (0<P<100)");
  EXPECT_EQ(warning.caption, "WARNING");
  dialog = conditions();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kConfidenceEdit)), "90");
  PressDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return FindDialog(Pid()) == nullptr; }));

  // After 1000 values Standard shows their standard number, 10, in a disabled list.
  std::string values;
  for (int i = 1; i <= 1000; ++i) values += std::to_string(i) + "\r\n";
  EXPECT_EQ(AnalyseAndSave(values, "").caption, "Success");
  dialog = open();
  ASSERT_NE(dialog, nullptr);
  list = GetDlgItem(dialog, kIntervalCombo);
  click(dialog, kRadioStandard);
  EXPECT_EQ(ComboSelection(list), 10 - 2);
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_FALSE(IsWindowEnabled(list));
  PressDialogButton(dialog, IDCANCEL);
}

TEST_F(Korvan00, DrawnPageIsSavedAndCopied) {
  AnalyseOneToFiveAndDraw();
  const std::string folder = MakeTestFolder("k00-graph");
  const std::string path = folder + "\\page.bmp";
  PostCommand(main_, kCommandSaveGraph);
  ASSERT_TRUE(AnswerFileDialog(Pid(), kSaveGraphTitle, path));
  std::string bmp;
  ASSERT_TRUE(WaitUntil([&] { return (bmp = ReadWholeFile(path)).size() > 118; }, 5000));
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Field(bmp, 18, 4), 474u);
  EXPECT_EQ(Field(bmp, 22, 4), 356u);
  EXPECT_EQ(Field(bmp, 28, 2), 4u);
  EXPECT_EQ(bmp.size(), 118u + 356u * 4u * ((474u + 7u) / 8u));

  ASSERT_TRUE(SetClipboardText("not a picture"));
  PostCommand(main_, kCommandCopyGraph);
  std::vector<unsigned char> dib;
  ASSERT_TRUE(WaitUntil([&] { return !(dib = ClipboardDib()).empty(); }));
  const std::string block(dib.begin(), dib.end());
  EXPECT_EQ(Field(block, 0, 4), 40u);
  EXPECT_EQ(Field(block, 4, 4), 474u);
  EXPECT_EQ(Field(block, 8, 4), 356u);
  EXPECT_EQ(Field(block, 14, 2), 4u);
  EXPECT_EQ(Field(block, 32, 4), 16u);
}

TEST_F(Korvan00, CancelledSaveDialogSaysNotSaved) {
  const BoxContent box = AnalyseAndSave("3\t4\r\n5\t\r\n6\r\n", "");
  EXPECT_EQ(box.text, "The solution not saved.\nBut the calculation done.");
  EXPECT_EQ(box.caption, "Success");
}

TEST_F(Korvan00, SystemMenuOpensPrintZoom) {
  PostMessageA(main_, WM_SYSCOMMAND, kSysPrintZoom, 0);
  HWND dialog = WaitForDialog(Pid());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "Print Zoom");
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kZoomEdit)), "100");
  PressDialogButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return FindDialog(Pid()) == nullptr; }));
}

TEST_F(Korvan00, ThirtyThousandValuesAreTheLimit) {
  std::string text;
  for (int i = 1; i <= 30001; ++i) text += std::to_string(i) + "\r\n";
  ASSERT_TRUE(SetClipboardText(text));
  PostCommand(main_, kCommandAnalysis);
  const BoxContent limit = AnswerMessageBox(program_);
  EXPECT_EQ(limit.text, "More than 30000 data so that data input is terminated.");
  EXPECT_EQ(limit.caption, "Information");
  // The first 30000 values are analysed; the file carries the whole pasted text.
  const std::string path = MakeTestFolder("k00-limit") + "\\limit.xls";
  ASSERT_TRUE(AnswerFileDialog(Pid(), kResultsTitle, path));
  EXPECT_EQ(AnswerMessageBox(program_).caption, "Success");
  const std::string file = ReadWholeFile(path);
  EXPECT_NE(file.find("\r\n30001\r\n\r\nNumber of Data\r\n30000\r\n"), std::string::npos);
}

// Run by a separate test entry under a file-size limit of 8 KiB: a results file of 3000 rows
// cannot be written whole; the failure is reported (not the success box) and no partial file
// is left under the name.
TEST_F(Korvan00FailedWrite, AResultsFileThatCannotBeWrittenIsReported) {
  std::string values;
  for (int i = 1; i <= 3000; ++i) values += std::to_string(i) + "\r\n";
  const std::string path = MakeTestFolder("k00-failed-write") + "\\results.xls";
  const BoxContent box = AnalyseAndSave(values, path);
  EXPECT_EQ(box.text, "Unable to write to file.");
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(Enabled(kButtonDrawGraph));
}

TEST_F(Korvan00Japanese, TitleAndMessagesInJapanese) {
  EXPECT_EQ(TextOf(main_), "コルヴァン [II]");
  ASSERT_TRUE(SetClipboardText("1\r\n2\r\n"));
  PostCommand(main_, kCommandAnalysis);
  const BoxContent box = AnswerMessageBox(program_);
  EXPECT_EQ(box.text, "データ数が３未満で少な過ぎます!");
  EXPECT_EQ(box.caption, "エラー");
  PostMessageA(main_, WM_SYSCOMMAND, kSysPrintZoom, 0);
  HWND dialog = WaitForDialog(Pid());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "プリントズーム");
  PressDialogButton(dialog, IDCANCEL);
}

}  // namespace
