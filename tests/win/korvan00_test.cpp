// korvan00 driven through its window: data pasted on the real clipboard, the results file
// written through the real save dialog and its refusals, the graph buttons by page state, the
// drawn page saved as BMP, copied and printed, the system menu, Help, the 30000-value limit
// and the Japanese interface.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "korvan00/ids.h"
#include "tests/win/program_fixture.h"

namespace {

using namespace korvan00;

const char kClass[] = "KORVAN00";
const char kResultsTitle[] = "Assign a file to save the results.";
const char kSaveGraphTitle[] = "Assign a file to save the graph.";
const char kNoProperData[] = "No proper data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).";
const char kNotFromSheet[] = "Incorrect Clipboard data.\nNot copied data from Excel.";

// The lines of an export that follow the pasted cells.
std::string AfterPastedCells(const std::string& file) {
  const std::size_t at = file.find("\r\n\r\nNumber of Data\r\n");
  return at == std::string::npos ? std::string() : file.substr(at + 4);
}

class Korvan00 : public ProgramTest {
 protected:
  Korvan00() : ProgramTest("korvan00.exe", kClass) {}
  bool Enabled(int controlId) const { return IsWindowEnabled(IconBarButton(main_, controlId)) != FALSE; }
  // The four graph buttons (Draw, Copy, Save, Print) as enabled flags.
  std::vector<bool> GraphButtons() const {
    return {Enabled(kButtonDrawGraph), Enabled(kButtonCopyGraph), Enabled(kButtonSaveGraph),
            Enabled(kButtonPrintGraph)};
  }
  // The buttons follow the page state on the next paint: waits until they show these flags.
  bool GraphButtonsBecome(const std::vector<bool>& flags) const {
    return WaitUntil([&] { return GraphButtons() == flags; });
  }
  // Pastes the text and runs Analysis up to the results file dialog, which is answered with
  // path (cancelled when empty); the box that follows is returned.
  BoxContent AnalyseAndSave(const std::string& text, const std::string& path) {
    EXPECT_TRUE(SetClipboardText(text));
    PostCommand(main_, kCommandAnalysis);
    EXPECT_TRUE(AnswerFileDialog(ProcessId(), kResultsTitle, path));
    return AnswerMessageBox(program_);
  }
  // The export written for the pasted text (empty when none was written).
  std::string ExportOf(const std::string& text) {
    const std::string path = MakeTestFolder("k00-export-of") + "\\results.xls";
    const BoxContent box = AnalyseAndSave(text, path);
    EXPECT_EQ(box.caption, "Success") << box.text;
    return ReadWholeFile(path);
  }
  void AnalyseOneToFiveAndDraw() {
    EXPECT_EQ(AnalyseAndSave("1\r\n2\r\n3\r\n4\r\n5\r\n", "").caption, "Success");
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonDrawGraph); }));
    PostCommand(main_, kCommandDrawGraph);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonSaveGraph); })) << "no page drawn";
  }
};

class Korvan00Japanese : public Korvan00 {};
class Korvan00FailedWrite : public Korvan00 {};

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
      {"45-character half", "1\r\n2/" + std::string(45, '4') + "\r\n3\r\n",
       "More than 44 characters forming the numerical value."},
      {"heading", "Height\r\n1\r\n2\r\n3\r\n", kNoProperData},
      {"trailing blank", "1\r\n5 \r\n3\r\n", kNoProperData},
      {"thousands separator", "1\r\n1,000\r\n3\r\n", kNoProperData},
      {"percent", "1\r\n5%\r\n3\r\n", kNoProperData},
      {"zero denominator", "1\r\n1/0\r\n3\r\n", kNoProperData},
      {"empty denominator", "1\r\n1/\r\n3\r\n", kNoProperData},
      {"two slashes", "1\r\n1/2/3\r\n3\r\n", kNoProperData},
      {"no line end", "1\t2\t3", kNotFromSheet},
      {"0xFF before the line end", "1\r\n2\r\n3\xFF\r\n", kNotFromSheet},
      {"0xFF between rows", "1\r\n2\r\n3\r\n\xFF" "4\r\n5\r\n", kNotFromSheet},
      {"exponent", "1\r\n2e101\r\n3\r\n", "E-100 <= exponent of the numerical value <= E100"},
      {"small exponent", "1\r\n1E-101\r\n3\r\n", "E-100 <= exponent of the numerical value <= E100"},
      {"all equal", "4\r\n4\r\n4\r\n", "All data have a same value!"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetClipboardText(c.text));
    PostCommand(main_, kCommandAnalysis);
    const BoxContent box = AnswerMessageBox(program_);
    EXPECT_EQ(box.text, c.message) << c.name;
    EXPECT_EQ(box.caption, "Error") << c.name;
    EXPECT_TRUE(NoDialogWithin(ProcessId(), 300)) << c.name << ": no save dialog after a refusal";
    EXPECT_FALSE(Enabled(kButtonDrawGraph)) << c.name;
  }
}

TEST_F(Korvan00, AcceptedClipboardTextsGiveTheirCount) {
  const std::string digits42(42, '0');
  struct Case {
    const char* name;
    std::string text;
    std::string pasted;  // the export's first section, when checked
    const char* count;
    const char* mean;    // checked when given
  };
  const Case cases[] = {
      {"rows and columns", "1\t2\r\n3\t4\r\n", "1\t2\r\n3\t4\r\n", "4", "2.500000"},
      {"empty cells and rows", "1\t\t2\r\n\r\n3\r\n", "1\t\t2\r\n\r\n3\r\n", "3", "2.000000"},
      {"fractions", "1/4\r\n/4\r\n2\r\n", "", "3", "0.750000"},
      {"leading blank", " 5\r\n1\r\n3\r\n", "", "3", "3.000000"},
      {"exponents at the limits", "1.5E100\r\n2e-100\r\n1e+0100\r\n", "", "3", nullptr},
      {"44 characters", "1." + digits42 + "\r\n2." + digits42 + "/4." + digits42 + "\r\n3\r\n", "", "3", "1.500000"},
      {"NUL ends the text", std::string("1\r\n2\r\n3\r\n\0" "9\r\n", 13), "1\r\n2\r\n3\r\n", "3", "2.000000"},
      {"final 0xFF ends the text", "1\r\n2\r\n3\r\n\xFF", "1\r\n2\r\n3\r\n", "3", "2.000000"},
  };
  for (const Case& c : cases) {
    const std::string file = ExportOf(c.text);
    if (!c.pasted.empty()) {
      EXPECT_EQ(file.rfind("Inputted Data\r\n" + c.pasted + "\r\n", 0), 0u) << c.name;
    }
    const std::string results = AfterPastedCells(file);
    EXPECT_EQ(results.rfind(std::string("Number of Data\r\n") + c.count + "\r\n", 0), 0u) << c.name << results;
    if (c.mean != nullptr) {
      EXPECT_NE(results.find(std::string("(m)\r\n") + c.mean + "\r\n"), std::string::npos) << c.name << results;
    }
  }
}

TEST_F(Korvan00, RefusedTargetsLeaveDrawGraphUnusable) {
  struct Case {
    const char* name;
    std::string path;
    const char* text;
    const char* caption;
  };
  // R: is a network drive in the test session's Wine prefix.
  const Case cases[] = {
      {"network drive", "R:\\results.xls", "Unable to save the solution to the remote disk.", "Warning"},
      {"extension", MakeTestFolder("k00-extension") + "\\results.txt", "Assign a file with XLS extension.", "Error"},
  };
  for (const Case& c : cases) {
    DeleteFileA(c.path.c_str());
    const BoxContent box = AnalyseAndSave("1\r\n2\r\n3\r\n", c.path);
    EXPECT_EQ(box.text, c.text) << c.name;
    EXPECT_EQ(box.caption, c.caption) << c.name;
    EXPECT_TRUE(NoDialogWithin(ProcessId(), 300)) << c.name;
    EXPECT_FALSE(Enabled(kButtonDrawGraph)) << c.name;
    EXPECT_EQ(GetFileAttributesA(c.path.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
  }
}

TEST_F(Korvan00, GraphButtonsFollowThePageState) {
  // 1: the save declined, the results drawable.
  const BoxContent box = AnalyseAndSave("1\r\n2\r\n3\r\n4\r\n5\r\n", "");
  EXPECT_EQ(box.text, "The solution not saved.\nBut the calculation done.");
  EXPECT_TRUE(GraphButtonsBecome({true, false, false, false}));
  // 2: the page drawn.
  PostCommand(main_, kCommandDrawGraph);
  ASSERT_TRUE(GraphButtonsBecome({true, true, true, true}));
  Screenshot(main_, "korvan00-results");
  // 0: OK in the conditions dialog drops the page.
  PostCommand(main_, kCommandSetConditions);
  HWND dialog = WaitForDialog(ProcessId());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "Set Analysis Conditions");
  EXPECT_EQ(IsDlgButtonChecked(dialog, kRadioUnbiased), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kRadioChoice), BST_CHECKED);
  EXPECT_EQ(ComboSelection(GetDlgItem(dialog, kIntervalCombo)), 6 - 2);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kConfidenceEdit)), "90");
  PressDialogButton(dialog, IDOK);
  EXPECT_TRUE(GraphButtonsBecome({false, false, false, false}));
}

TEST_F(Korvan00, ConditionsDialogModesAndRefusedConfidence) {
  auto click = [](HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  };
  // The conditions dialog once it is on show (a message box may still be closing).
  auto conditions = [&] {
    HWND dialog = nullptr;
    WaitUntil([&] {
      return (dialog = FindDialog(ProcessId())) != nullptr && TextOf(dialog) == "Set Analysis Conditions";
    });
    return dialog;
  };
  auto open = [&] {
    PostCommand(main_, kCommandSetConditions);
    return conditions();
  };
  HWND dialog = open();
  ASSERT_NE(dialog, nullptr);
  Screenshot(dialog, "korvan00-conditions");
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
  ASSERT_TRUE(WaitUntil([&] { return FindDialog(ProcessId()) == nullptr; }));

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
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kSaveGraphTitle, path));
  std::string bmp;
  ASSERT_TRUE(WaitUntil([&] { return (bmp = ReadWholeFile(path)).size() > 118; }, 5000));
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Field(bmp, 18, 4), 474u);
  EXPECT_EQ(Field(bmp, 22, 4), 356u);
  EXPECT_EQ(Field(bmp, 28, 2), 4u);
  EXPECT_EQ(bmp.size(), 118u + 356u * 4u * ((474u + 7u) / 8u));
  // 1 to 5 in six intervals of 71 pixels: bars of 221, 221, 110, 110, 221, 221 pixels on the
  // base line at y = 241, the mean marker at x = 237, the dashed ones at x = 57 and 416.
  Bitmap4 page;
  ASSERT_TRUE(page.Load(bmp));
  const int base = 241;
  EXPECT_EQ(page.At(10, base), kBlack);
  EXPECT_EQ(page.At(463, base), kBlack);
  const int heights[] = {221, 221, 110, 110, 221, 221};
  for (int i = 0; i < 6; ++i) {
    const int x = static_cast<int>((i + 0.5) * 71) + 24;
    int y = base - 1;
    while (y > 0 && page.At(x, y) == kBlue) --y;
    EXPECT_EQ(base - y, heights[i]) << "bar " << i;
    EXPECT_EQ(page.At(x, y), kBlack) << "bar " << i;
  }
  EXPECT_EQ(page.At(237, 100), kRed);
  EXPECT_EQ(page.At(237, 16), kRed);
  EXPECT_EQ(page.At(237, 200), kRed);
  EXPECT_EQ(page.At(236, 200), kBlue);
  EXPECT_EQ(page.At(238, 200), kBlue);
  for (int x : {57, 416}) {
    int red = 0;
    for (int y = 16; y < base; ++y) red += page.At(x, y) == kRed;
    EXPECT_GT(red, 40) << "dashed marker at " << x;
    EXPECT_LT(red, base - 16) << "dashed marker at " << x;
    EXPECT_NE(page.At(x + 1, 100), kRed);
  }

  ASSERT_TRUE(SetClipboardText("not a picture"));
  // Sent, not posted: the clipboard is read only after the copy, so the two never race
  // for it (a copy that cannot open the clipboard says so in a box).
  ASSERT_TRUE(SendCommand(main_, kCommandCopyGraph, kWaitMs)) << ReadMessageBox(FindDialog(ProcessId())).text;
  std::string dib;
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

TEST_F(Korvan00, PrintSendsThePageToThePrinter) {
  AnalyseOneToFiveAndDraw();
  EXPECT_EQ(PrintIntoQueue(program_, kCommandPrintGraph), "");
}

TEST_F(Korvan00, HelpUnderAnotherFileNameAsksForTheManual) {
  const std::string folder = MakeTestFolder("k00-renamed");
  ASSERT_TRUE(CopyFileA(BesideDriver("korvan00.exe").c_str(), (folder + "\\stats.exe").c_str(), FALSE));
  ASSERT_TRUE(WriteWholeFile(folder + "\\KORVAN0E.PDF", "%PDF-1.4\n"));
  ASSERT_TRUE(StartAnother(folder + "\\stats.exe"));
  ClickIconBarButton(main_, kButtonHelp);
  const BoxContent box = AnswerMessageBox(program_);
  EXPECT_EQ(box.text, "Install the readme file (KORVAN0E.PDF)\nin the same directory.");
  EXPECT_EQ(box.caption, "Error");
}

TEST_F(Korvan00, SystemMenuOpensPrinterSetup) {
  PostMessageA(main_, WM_SYSCOMMAND, kSysPrinterSetup, 0);
  HWND dialog = WaitForDialog(ProcessId());
  ASSERT_NE(dialog, nullptr) << "no printer setup dialog";
  PressDialogButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return FindDialog(ProcessId()) == nullptr; }));
}

TEST_F(Korvan00, SystemMenuOpensPrintZoom) {
  PostMessageA(main_, WM_SYSCOMMAND, kSysPrintZoom, 0);
  HWND dialog = WaitForDialog(ProcessId());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "Print Zoom");
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kZoomEdit)), "100");
  PressDialogButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return FindDialog(ProcessId()) == nullptr; }));
}

// 30000 values, exactly the limit: the Information box, then all of them analysed; the export
// is the pasted text and the results computed for it, byte for byte.
TEST_F(Korvan00, ExactlyThirtyThousandValuesAreExported) {
  std::string text;
  char cell[16];
  for (int i = 1; i <= 30000; ++i) {
    const int v = i * 7919 % 10007;
    std::snprintf(cell, sizeof cell, "%d.%02d\r\n", v / 100, v % 100);
    text += cell;
  }
  ASSERT_TRUE(SetClipboardText(text));
  PostCommand(main_, kCommandAnalysis);
  const BoxContent limit = AnswerMessageBox(program_);
  EXPECT_EQ(limit.text, "More than 30000 data so that data input is terminated.");
  EXPECT_EQ(limit.caption, "Information");
  const std::string path = MakeTestFolder("k00-thirty-thousand") + "\\all.xls";
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kResultsTitle, path));
  EXPECT_EQ(AnswerMessageBox(program_).caption, "Success");
  const std::string results =
      "Number of Data\r\n30000\r\n\r\n"
      "Unbiased Estimate of Population Mean (m)\r\n50.032274\r\n\r\n"
      "Unbiased Estimate of Population Standard Deviation (s)\r\n28.887568\r\n\r\n"
      "  ** Under 90% Confidence Probability **\r\n"
      "Confidence Interval of Population Mean\r\n49.757935 < mu < 50.306612\r\n"
      "Confidence Interval of Population Standard Deviation\r\n28.694740 < sigma < 29.082727\r\n\r\n"
      "Data for Histogram\r\nIntervals\tFrequencies\r\n"
      "0.000000 - 16.676667\t5000.000000\r\n16.676667 - 33.353333\t5000.000000\r\n"
      "33.353333 - 50.030000\t4999.500000\r\n50.030000 - 66.706667\t4999.500000\r\n"
      "66.706667 - 83.383333\t5001.000000\r\n83.383333 - 100.060000\t5000.000000\r\n";
  EXPECT_TRUE(ReadWholeFile(path) == "Inputted Data\r\n" + text + "\r\n" + results);
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
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kResultsTitle, path));
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
  const std::string folder = MakeTestFolder("k00-failed-write");
  const BoxContent box = AnalyseAndSave(values, folder + "\\results.xls");
  EXPECT_EQ(box.text, "Unable to write to file.");
  EXPECT_EQ(box.caption, "Error");
  EXPECT_TRUE(FilesIn(folder).empty());
  EXPECT_FALSE(Enabled(kButtonDrawGraph));
}

TEST_F(Korvan00Japanese, TitleAndMessagesInJapanese) {
  EXPECT_EQ(TextOf(main_), "コルヴァン [II]");
  // The worked example's export in code page 932, byte for byte.
  const std::string path = MakeTestFolder("k00-japanese") + "\\five.xls";
  ASSERT_TRUE(SetClipboardText("1\r\n2\r\n3\r\n4\r\n5\r\n"));
  PostCommand(main_, kCommandAnalysis);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "結果を保存するファイル名の設定", path));
  const BoxContent saved = AnswerMessageBox(program_);
  EXPECT_EQ(saved.caption, "成功");
  EXPECT_EQ(saved.text, "解は下記のファイルに保存されました;\n  " + path + "\nファイルをダブルクリックすると解を読めます.");
  EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(BesideDriver("five-values-ja.xls")));
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonDrawGraph); }));
  PostCommand(main_, kCommandDrawGraph);
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonSaveGraph); }));
  Screenshot(main_, "korvan00-results-ja");
  PostCommand(main_, kCommandSetConditions);
  HWND conditions = WaitForDialog(ProcessId());
  ASSERT_NE(conditions, nullptr);
  EXPECT_EQ(TextOf(conditions), "解析条件の設定");
  Screenshot(conditions, "korvan00-conditions-ja");
  PressDialogButton(conditions, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return FindDialog(ProcessId()) == nullptr; }));

  ASSERT_TRUE(SetClipboardText("1\r\n2\r\n"));
  PostCommand(main_, kCommandAnalysis);
  const BoxContent box = AnswerMessageBox(program_);
  EXPECT_EQ(box.text, "データ数が３未満で少な過ぎます!");
  EXPECT_EQ(box.caption, "エラー");
  PostMessageA(main_, WM_SYSCOMMAND, kSysPrintZoom, 0);
  HWND dialog = WaitForDialog(ProcessId());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "プリントズーム");
  PressDialogButton(dialog, IDCANCEL);
}

}  // namespace
