// korvan00 driven through its window: data pasted on the real clipboard, the results file
// written through the real save dialog and its refusals, the graph buttons by page state, the
// drawn page saved as BMP, copied and printed, the system menu, the 30000-value limit, a failed
// write and the Japanese interface. (Start, About, Help and Exit: every_program_test.cpp; Printer
// Setup: close_test.cpp.) The files are written in folders named outside the code page (see
// korvan95_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvan00/ids.h"
#include "tests/win/program_fixture.h"

namespace {

using namespace korvan00;

const char kResultsTitle[] = "Assign a file to save the results.";
const char kFiveValues[] = "1\r\n2\r\n3\r\n4\r\n5\r\n";
const char kNotSaved[] = "The solution not saved.\nBut the calculation done.";
const char kLimit[] = "More than 30000 data so that data input is terminated.";

class Korvan00 : public ProgramTest {
 protected:
  Korvan00() : ProgramTest("korvan00.exe", "KORVAN00") {}
  bool Enabled(int controlId) const { return IsWindowEnabled(IconBarButton(main_, controlId)) != FALSE; }
  ::testing::AssertionResult GraphButtonsBecome(const std::string& enabled) const {
    return ButtonsBecome({{"Draw", kButtonDrawGraph}, {"Copy", kButtonCopyGraph}, {"Save", kButtonSaveGraph},
                          {"Print", kButtonPrintGraph}}, enabled);
  }
  // Pastes the text and runs Analysis; its results file dialog, where one comes (path not null),
  // is answered with path (cancelled when empty). The box that follows.
  BoxContent Analyse(const std::string& text, const char* path = nullptr) {
    EXPECT_TRUE(SetClipboardText(text));
    PostCommand(main_, kCommandAnalysis);
    if (path) [&] { ASSERT_TRUE(AnswerFileDialog(ProcessId(), kResultsTitle, path)) << "no results file dialog"; }();
    return AnswerMessageBox(program_);
  }
};

class Korvan00Japanese : public Korvan00 {};
class Korvan00FailedWrite : public Korvan00 {};

// The clipboard text is exported as pasted: in rows and columns, up to a NUL that ends it, all
// of 30001 values after the Information box when the first 30000 are analysed (the native
// tests hold the cell rules and the results); 1 to 5 gives the worked example byte for byte.
TEST_F(Korvan00, TheClipboardTextIsExportedAsPasted) {
  std::string many;
  for (int i = 1; i <= 30001; ++i) many += std::to_string(i) + "\r\n";
  const struct { std::string text, pasted; const char* count; } cases[] = {
      {kFiveValues, kFiveValues, "5"}, {"1\t\t2\r\n\r\n3\t4\r\n", "1\t\t2\r\n\r\n3\t4\r\n", "4"},
      {std::string("1\r\n2\r\n3\r\n\0" "9\r\n", 13), "1\r\n2\r\n3\r\n", "3"}, {many, many, "30000"}};
  const std::string folder = MakeTestFolder("k00-export Łukasz");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    const std::string path = folder + "\\" + c.count;  // the dialog adds ".xls"
    if (c.text == many) {
      EXPECT_EQ(Analyse(c.text), (BoxContent{"Information", kLimit}));
      ASSERT_TRUE(AnswerFileDialog(ProcessId(), kResultsTitle, path));
    }
    const BoxContent box = c.text == many ? AnswerMessageBox(program_) : Analyse(c.text, path.c_str());
    EXPECT_TRUE(box.caption == "Success" && box.text.find(path + ".xls") != std::string::npos) << box.text;
    const std::string start = "Inputted Data\r\n" + c.pasted + "\r\nNumber of Data\r\n" + c.count + "\r\n";
    EXPECT_EQ(ReadWholeFile(path + ".xls").rfind(start, 0), 0u);
  }
  EXPECT_EQ(ReadWholeFile(folder + "\\5.xls"), ReadWholeFile(BesideDriver("five-values.xls")));
  EXPECT_TRUE(GraphButtonsBecome("Draw"));
}

// One text for each class of refusal (the native tests hold every refused text), and the
// refused targets of the results file: the message, nothing to draw, and no file where a
// dialog named one.
TEST_F(Korvan00, RefusalsShowTheirMessageAndLeaveNothingToDraw) {
  const std::string folder = MakeTestFolder("k00-refused");
  const char kError[] = "Error";
  // The text on the clipboard, the results file named when the dialog comes (else empty), the box.
  const struct { const char* text; std::string path; BoxContent box; } cases[] = {
      {"1\r\n2\r\n", "", {kError, "Too few data! (Data < 3)"}},
      {"Height\r\n1\r\n2\r\n3\r\n", "",
       {kError, "No proper data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF)."}},
      {"1\t2\t3", "", {kError, "Incorrect Clipboard data.\nNot copied data from Excel."}},
      {"4\r\n4\r\n4\r\n", "", {kError, "All data have a same value!"}},
      // R: is a network drive in the test session's Wine prefix.
      {"1\r\n2\r\n3\r\n", "R:\\results.xls", {"Warning", "Unable to save the solution to the remote disk."}},
      {"1\r\n2\r\n3\r\n", folder + "\\results.txt", {kError, "Assign a file with XLS extension."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + c.path);
    DeleteFileW(Wide(c.path).c_str());
    EXPECT_EQ(Analyse(c.text, c.path.empty() ? nullptr : c.path.c_str()), c.box);
    EXPECT_TRUE(SettlesWithoutBox(program_)) << "a box after the refusal: " << TextOf(FindDialog(ProcessId()));
    EXPECT_FALSE(Enabled(kButtonDrawGraph));
    EXPECT_TRUE(c.path.empty() || !FileExists(c.path)) << "a file was written";
  }
}

// A declined save still gives results to draw; the drawn page of 1 to 5 enables every graph
// button, is saved as BMP (its bars and mean marker; the native tests hold the geometry), copied
// and printed; OK in the conditions dialog drops the page.
TEST_F(Korvan00, TheDrawnPageIsSavedCopiedPrintedAndDroppedByNewConditions) {
  EXPECT_EQ(Analyse(kFiveValues, ""), (BoxContent{"Success", kNotSaved}));
  EXPECT_TRUE(GraphButtonsBecome("Draw"));
  PostCommand(main_, kCommandDrawGraph);
  ASSERT_TRUE(GraphButtonsBecome("Draw Copy Save Print")) << "no page drawn";
  Screenshot(main_, "korvan00-results");
  // A name of another extension is refused; without one, the dialog adds ".bmp".
  const std::string folder = MakeTestFolder("k00-graph 日本語 😀"), path = folder + "\\page.bmp";
  PostCommand(main_, kCommandSaveGraph);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "Assign a file to save the graph.", folder + "\\page.bitmap"));
  EXPECT_EQ(AnswerMessageBox(program_), (BoxContent{"Error", "Assign a file with BMP extension."}));
  EXPECT_TRUE(FilesIn(folder).empty());
  PostCommand(main_, kCommandSaveGraph);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "Assign a file to save the graph.", folder + "\\page"));
  Bitmap4 page;
  ASSERT_TRUE(WaitUntil([&] { return page.Load(ReadWholeFile(path)); })) << "no BMP file";
  EXPECT_EQ(std::pair(page.width, page.height), std::pair(474, 356));
  // Six intervals of 71 pixels: bars of 221, 221, 110, 110, 221, 221 pixels on the base line at
  // y = 241, the mean marker at x = 237.
  const int base = 241, heights[] = {221, 221, 110, 110, 221, 221};
  EXPECT_EQ(page.At(10, base), kBlack);
  for (int i = 0; i < 6; ++i) {
    const int x = static_cast<int>((i + 0.5) * 71) + 24;
    int y = base - 1;
    while (y > 0 && page.At(x, y) == kBlue) --y;
    EXPECT_EQ(base - y, heights[i]) << "bar " << i;
    EXPECT_EQ(page.At(x, y), kBlack) << "bar " << i;
  }
  EXPECT_EQ((std::vector{page.At(237, 16), page.At(237, 200), page.At(238, 200)}), (std::vector{kRed, kRed, kBlue}));
  CopyAndPrint(page, kCommandCopyGraph, kCommandPrintGraph);

  HWND dialog = OpenDialog(kCommandSetConditions, "Set Analysis Conditions");
  ASSERT_NE(dialog, nullptr);
  PressDialogButton(dialog, IDOK);
  EXPECT_TRUE(GraphButtonsBecome(""));
}

// The first choices (unbiased estimates, 6 intervals chosen in the list, 90 %); Standard hides
// the interval list before any data and shows the standard number, disabled, after them; a
// refused confidence warns and reopens the dialog with the committed one.
TEST_F(Korvan00, ConditionsDialogModesAndRefusedConfidence) {
  auto click = [](HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  };
  const char title[] = "Set Analysis Conditions";
  HWND dialog = OpenDialog(kCommandSetConditions, title);
  ASSERT_NE(dialog, nullptr);
  Screenshot(dialog, "korvan00-conditions");
  HWND list = GetDlgItem(dialog, kIntervalCombo);
  EXPECT_EQ(std::pair(IsDlgButtonChecked(dialog, kRadioUnbiased), IsDlgButtonChecked(dialog, kRadioChoice)),
            std::pair(UINT{BST_CHECKED}, UINT{BST_CHECKED})) << "unbiased, choice";
  EXPECT_EQ(ComboSelection(list), 6 - 2);
  click(dialog, kRadioStandard);
  EXPECT_FALSE(IsWindowVisible(list));
  click(dialog, kRadioChoice);
  EXPECT_TRUE(IsWindowVisible(list) && IsWindowEnabled(list));
  SetTextOf(GetDlgItem(dialog, kConfidenceEdit), "100");
  EXPECT_EQ(AnswerMessageBox(program_), (BoxContent{"WARNING", "Input a proper value!\n        (0<P<100)"}));
  ASSERT_NE(dialog = OpenDialog(0, title, WM_NULL), nullptr);  // reopened by itself
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kConfidenceEdit)), "90");
  CancelDialog(dialog);

  std::string values;
  for (int i = 1; i <= 1000; ++i) values += std::to_string(i) + "\r\n";
  EXPECT_EQ(Analyse(values, "").text, kNotSaved);
  ASSERT_NE(dialog = OpenDialog(kCommandSetConditions, title), nullptr);
  list = GetDlgItem(dialog, kIntervalCombo);
  click(dialog, kRadioStandard);
  EXPECT_EQ(ComboSelection(list), 10 - 2);
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_FALSE(IsWindowEnabled(list));
  CancelDialog(dialog);
}

// A program file under another name finds no manual, although it lies beside it.
TEST_F(Korvan00, HelpUnderAnotherFileNameAsksForTheManual) {
  const std::string folder = MakeTestFolder("k00-renamed");
  ASSERT_TRUE(CopyInto(ProgramPath("korvan00.exe"), folder, "stats.exe"));
  ASSERT_TRUE(WriteWholeFile(folder + "\\KORVAN0E.PDF", "%PDF-1.4\n"));
  ASSERT_TRUE(StartAnother(folder + "\\stats.exe"));
  EXPECT_EQ(ClickAndAnswer(kButtonHelp).text, "Install the readme file (KORVAN0E.PDF)\nin the same directory.");
}

// Run by a separate test entry under a file-size limit of 8 KiB: a results file of 3000 rows
// cannot be written whole; the failure is reported (not the success box) and no partial file
// is left under the name.
TEST_F(Korvan00FailedWrite, AResultsFileThatCannotBeWrittenIsReported) {
  std::string values;
  for (int i = 1; i <= 3000; ++i) values += std::to_string(i) + "\r\n";
  const std::string folder = MakeTestFolder("k00-failed-write");
  EXPECT_EQ(Analyse(values, (folder + "\\results.xls").c_str()), (BoxContent{"Error", "Unable to write to file."}));
  EXPECT_TRUE(FilesIn(folder).empty());
  EXPECT_FALSE(Enabled(kButtonDrawGraph));
}

TEST_F(Korvan00Japanese, ExportDialogsAndMessagesInJapanese) {
  // The worked example's export in code page 932, byte for byte.
  const std::string path = MakeTestFolder("k00-japanese 日本語 😀") + "\\five.xls";
  ASSERT_TRUE(SetClipboardText(kFiveValues));
  PostCommand(main_, kCommandAnalysis);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "結果を保存するファイル名の設定", path));
  EXPECT_EQ(AnswerMessageBox(program_),
            (BoxContent{"成功", "解は下記のファイルに保存されました;\n  " + path + "\nファイルをダブルクリックすると解を読めます."}));
  EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(BesideDriver("five-values-ja.xls")));
  ASSERT_TRUE(GraphButtonsBecome("Draw"));
  PostCommand(main_, kCommandDrawGraph);
  ASSERT_TRUE(GraphButtonsBecome("Draw Copy Save Print"));
  Screenshot(main_, "korvan00-results-ja");
  HWND dialog = OpenDialog(kCommandSetConditions, "解析条件の設定");
  ASSERT_NE(dialog, nullptr);
  Screenshot(dialog, "korvan00-conditions-ja");
  CancelDialog(dialog);
  EXPECT_EQ(Analyse("1\r\n2\r\n"), (BoxContent{"エラー", "データ数が３未満で少な過ぎます!"}));
  // Print Zoom from the system menu, with the factor set.
  ASSERT_NE(dialog = OpenDialog(kSysPrintZoom, "プリントズーム", WM_SYSCOMMAND), nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kZoomEdit)) + " " + TextOf(GetDlgItem(dialog, IDCANCEL)), "100 ｷｬﾝｾﾙ");
  CancelDialog(dialog);
}

}  // namespace
