// korvan95 driven through its window: start and placement, typing into the grid, paging,
// Data Read and Data Save through the real file dialogs, the conditions dialog, the results
// page saved as BMP, copied and printed, Print Zoom, a second start, the screen saver and the
// Japanese interface.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "korvan95/ids.h"
#include "tests/win/program_fixture.h"

namespace {

const char kClass[] = "KORVAN95";
const char kSaveDataTitle[] = "Assign a file to save the data.";
const char kReadDataTitle[] = "Select a data file.";
const char kSaveGraphTitle[] = "Assign a file to save the graph.";

class Korvan95 : public ProgramTest {
 protected:
  Korvan95() : ProgramTest("korvan95.exe", kClass) {}
  // Closing may ask about unsaved data: answer No.
  void Close() override {
    PostMessageA(main_, WM_CLOSE, 0, 0);
    HWND box = nullptr;
    WaitUntil([&] { return ProcessEnded(program_, 0) || (box = FindDialog(ProcessId())) != nullptr; }, 1500);
    if (box) PressDialogButton(box, IDNO);
  }
  // Icon-bar buttons by the command they send.
  bool Enabled(int buttonId) const {
    return IsWindowEnabled(IconBarButton(main_, ButtonControlId(buttonId))) != FALSE;
  }
  void Click(int buttonId) { ClickIconBarButton(main_, ButtonControlId(buttonId)); }

  // The grid's caret is in the main window (the program's thread owns a caret there).
  bool HasCaret() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(program_.process.dwThreadId, &info) && info.hwndCaret == main_;
  }
  // Answers "Save the data set?" with `button`; false when the question did not come.
  bool AnswerSaveQuestion(int button) {
    HWND box = WaitForDialog(ProcessId());
    if (box == nullptr || ReadMessageBox(box).text != "Save the data set?") return false;
    PressDialogButton(box, button);
    return WaitUntil([&] { return !IsWindow(box); });
  }
  void Type(const std::string& keys) { TypeKeys(main_, keys); }
  void StartDataInput() {
    PostCommand(main_, kCmdDataInput);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonAnalysis); })) << "no grid after Data Input";
  }
  // Data Save through the dialog; the content of the file written.
  std::string SaveData(const std::string& folder, const char* name = "data.txt") {
    const std::string path = folder + "\\" + name;
    PostCommand(main_, kCmdDataSave);
    EXPECT_TRUE(AnswerFileDialog(ProcessId(), kSaveDataTitle, path));
    WaitUntil([&] { return !ReadWholeFile(path).empty() || FindDialog(ProcessId()) != nullptr; }, 3000);
    return ReadWholeFile(path);
  }
  void ReadData(const std::string& path) {
    PostCommand(main_, kCmdDataRead);
    ASSERT_TRUE(AnswerFileDialog(ProcessId(), kReadDataTitle, path));
  }
  // The conditions dialog after Analysis, or null.
  HWND OpenConditions() {
    PostCommand(main_, kCmdAnalysis);
    return WaitForDialog(ProcessId());
  }
  void AnalyseOneToFive() {
    StartDataInput();
    Type("1\r2\r3\r4\r5\r");
    HWND dialog = OpenConditions();
    ASSERT_NE(dialog, nullptr);
    PressDialogButton(dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonSaveAs); })) << "no results page";
  }
  Bitmap4 SaveGraph(const std::string& path) {
    PostCommand(main_, kCmdSaveAs);
    EXPECT_TRUE(AnswerFileDialog(ProcessId(), kSaveGraphTitle, path));
    Bitmap4 image;
    WaitUntil([&] { return image.Load(ReadWholeFile(path)); }, 5000);
    return image;
  }
};

class Korvan95Japanese : public Korvan95 {};
class Korvan95FailedWrite : public Korvan95 {};

TEST_F(Korvan95, KeepsItsMinimumClientSize) {
  SetWindowPos(main_, nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  EXPECT_TRUE(WaitUntil([&] {
    GetClientRect(main_, &client);
    return client.right == 492 && client.bottom == 390;
  })) << client.right << " x " << client.bottom;
}

TEST_F(Korvan95, TypedNumbersFollowTheCellRules) {
  const std::string folder = MakeTestFolder("k95-typing");
  StartDataInput();
  EXPECT_FALSE(Enabled(kButtonPreviousPage));
  // Enter on an empty cell.
  Type("\r");
  EXPECT_EQ(AnswerMessageBox(program_).text, "Don't press Enter-key first!");
  // 12.5; "-" "." Enter and "-" alone do nothing; a second point and a late minus are
  // ignored; "-", Backspace, 5 is 5; -0.5 from "-.5".
  Type("12.5\r");
  Type("-.\r\b\b");
  Type("-\r\b");
  Type("7..2-\r");
  Type("-\b5\r");
  Type("-.5\r");
  // The keypad: digits, decimal point and its Enter (extended key).
  PressKey(main_, VK_NUMPAD3);
  PressKey(main_, VK_DECIMAL);
  PressKey(main_, VK_NUMPAD5);
  PressKey(main_, VK_RETURN, true);
  // Shift held: digits type nothing; released, they type again.
  HoldKey(main_, VK_SHIFT, true);
  Type("99");
  HoldKey(main_, VK_SHIFT, false);
  Type("8\r");
  // Shift pressed here but released in another window (the About box): digits still arrive.
  HoldKey(main_, VK_SHIFT, true);
  Click(kButtonAbout);
  HWND about = WaitForDialog(ProcessId());
  ASSERT_NE(about, nullptr);
  HoldKey(about, VK_SHIFT, false);
  PressDialogButton(about, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  SetForegroundWindow(main_);
  Type("6\r");
  // Up and Down while a number is pending.
  Type("4");
  PressKey(main_, VK_UP, true);
  EXPECT_EQ(AnswerMessageBox(program_).text, "Press Enter-key to fix the input figure!");
  Type("\r");
  // Eleven characters: the warning, and the value is stored without Enter.
  Type("12345678901");
  const BoxContent eleven = AnswerMessageBox(program_);
  EXPECT_EQ(eleven.text, "Total digits <= 11");
  EXPECT_EQ(eleven.caption, "Warning");
  Screenshot(main_, "korvan95-grid");
  EXPECT_EQ(SaveData(folder), "12.5\r\n7.2\r\n5\r\n-0.5\r\n3.5\r\n8\r\n6\r\n4\r\n12345678901\r\n");
}

// A typed number of eleven characters is saved with a leading 0 (twelve characters) and
// read back whole: no warning, and a second save writes the same bytes.
TEST_F(Korvan95, TypedValuesSavedReadBackWhole) {
  const std::string folder = MakeTestFolder("k95-round-trip");
  StartDataInput();
  Type("-.123456789");
  AnswerMessageBox(program_);  // the eleventh character stores the number
  Type(".1234567891");
  AnswerMessageBox(program_);
  const std::string saved = SaveData(folder);
  EXPECT_EQ(saved, "-0.123456789\r\n0.1234567891\r\n");
  ReadData(folder + "\\data.txt");
  EXPECT_TRUE(NoDialogWithin(ProcessId(), 500));
  EXPECT_EQ(SaveData(folder, "again.txt"), saved);
}

// A click on a cell moves the caret there, and the next number overwrites that cell; while a
// number is pending the click is refused.
TEST_F(Korvan95, ClickOnACellSelectsItForOverwriting) {
  const std::string folder = MakeTestFolder("k95-click");
  StartDataInput();
  Type("1\r2\r3\r");
  HDC dc = GetDC(main_);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  ReleaseDC(main_, dc);
  const int rowHeight = metrics.tmHeight + metrics.tmExternalLeading + 1;
  auto clickLine = [&](int line) {
    POINT point = {120, 40 + line * rowHeight + rowHeight / 2};
    ClientToScreen(main_, &point);
    SetCursorPos(point.x, point.y);
    PostMessageA(main_, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageA(main_, WM_LBUTTONUP, 0, 0);
  };
  Type("4");
  clickLine(1);
  EXPECT_EQ(AnswerMessageBox(program_).text, "Press Enter-key to fix the input figure!");
  Type("\b");
  PressKey(main_, VK_DOWN, true);  // an empty cell again: navigation fixes the input
  clickLine(1);
  EXPECT_TRUE(NoDialogWithin(ProcessId(), 500));
  Type("9\r");
  EXPECT_EQ(SaveData(folder), "9\r\n2\r\n3\r\n");
}

TEST_F(Korvan95, SavingAsksForAFixedFigureAndRefusesOtherExtensions) {
  const std::string folder = MakeTestFolder("k95-save-rules");
  StartDataInput();
  PostCommand(main_, kCmdDataSave);
  EXPECT_EQ(AnswerMessageBox(program_).text, "NO data to save!");
  Type("1\r2");
  PostCommand(main_, kCmdDataSave);
  EXPECT_EQ(AnswerMessageBox(program_).text, "Press Enter-key to fix the data before saving!");
  Type("\r");
  PostCommand(main_, kCmdDataSave);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kSaveDataTitle, folder + "\\data.text"));
  const BoxContent refused = AnswerMessageBox(program_);
  EXPECT_EQ(refused.text, "Assign a file with TXT extension.");
  EXPECT_EQ(refused.caption, "Error");
  EXPECT_TRUE(ReadWholeFile(folder + "\\data.text").empty());
  // A point and Txt in mixed case passes.
  EXPECT_EQ(SaveData(folder, "mixed.Txt"), "1\r\n2\r\n");
}

TEST_F(Korvan95, DataReadTakesGoodFilesAndKeepsTheDataSetAfterBadOnes) {
  const std::string folder = MakeTestFolder("k95-read");
  struct Case {
    const char* name;
    const char* content;
    const char* message;
  } bad[] = {
      {"empty.txt", "", "File does not have a proper format."},
      {"trailing.txt", "1\r\n2 \r\n", "File does not have a proper format."},
      {"lf.txt", "1\n2\n", "File does not have a proper format."},
      {"plus.txt", "+1\r\n", "File does not have a proper format."},
      {"minuspoint.txt", "-.\r\n", "File does not have a proper format."},
      {"unterminated.txt", "12.5\r\n-3", "File is not terminated by Enter-key."},
      // Over 64 MiB: refused whole, not read in part.
      {"huge.txt", nullptr, "File does not have a proper format."},
  };
  ASSERT_TRUE(WriteWholeFile(folder + "\\good.txt", "; two values\r\n  12.5\r\n-3\r\n"));
  ReadData(folder + "\\good.txt");
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonAnalysis); }));
  for (const Case& c : bad) {
    const std::string content = c.content ? c.content : "1\r\n;" + std::string(64 << 20, ' ') + "\r\n";
    ASSERT_TRUE(WriteWholeFile(folder + "\\" + c.name, content));
    ReadData(folder + "\\" + c.name);
    const BoxContent box = AnswerMessageBox(program_);
    EXPECT_EQ(box.text, c.message) << c.name;
    EXPECT_EQ(box.caption, "Error") << c.name;
  }
  // Fifteen digits: four warnings, the first eleven digits kept.
  ASSERT_TRUE(WriteWholeFile(folder + "\\long.txt", "123456789012345\r\n"));
  ReadData(folder + "\\long.txt");
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(AnswerMessageBox(program_).text,
              "Over 11 digit(s) are ignored\nso that the file may not correctly be read.") << i;
  }
  EXPECT_EQ(SaveData(folder, "after-long.txt"), "12345678901\r\n");
  // After a refused file the data set read before stays.
  ReadData(folder + "\\good.txt");
  ReadData(folder + "\\plus.txt");
  AnswerMessageBox(program_);
  EXPECT_EQ(SaveData(folder, "kept.txt"), "12.5\r\n-3\r\n");
}

TEST_F(Korvan95, AThousandValuesFromAFileFillTheGrid) {
  const std::string folder = MakeTestFolder("k95-thousand");
  std::string content;
  for (int i = 1; i <= 1000; ++i) content += std::to_string(i % 97) + "\r\n";
  ASSERT_TRUE(WriteWholeFile(folder + "\\full.txt", content));
  ReadData(folder + "\\full.txt");
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonAnalysis); }));
  // No typing beyond the 1000th value, and saving writes the same bytes back.
  Type("5\r");
  EXPECT_TRUE(NoDialogWithin(ProcessId(), 500));
  EXPECT_EQ(SaveData(folder, "again.txt"), content);
  ASSERT_TRUE(WriteWholeFile(folder + "\\over.txt", content + "1\r\n"));
  ReadData(folder + "\\over.txt");
  EXPECT_EQ(AnswerMessageBox(program_).text, "Number of data <= 1000");
}

TEST_F(Korvan95, PagesFollowTheWindowHeight) {
  SetWindowPos(main_, nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);  // springs back to 492 x 390
  WaitUntil([&] {
    RECT client;
    GetClientRect(main_, &client);
    return client.bottom == 390;
  });
  StartDataInput();
  HDC dc = GetDC(main_);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  ReleaseDC(main_, dc);
  const int rowHeight = metrics.tmHeight + metrics.tmExternalLeading + 1;
  const int valuesPerPage = (390 - 50) / rowHeight - 1;
  for (int i = 0; i < valuesPerPage; ++i) Type("1\r");
  // The last value of page 1 opens page 2 with the caret on its first line.
  EXPECT_TRUE(WaitUntil([&] { return Enabled(kButtonPreviousPage); })) << valuesPerPage << " values a page";
  EXPECT_FALSE(Enabled(kButtonNextPage));
  Click(kButtonPreviousPage);
  EXPECT_TRUE(WaitUntil([&] { return !Enabled(kButtonPreviousPage) && Enabled(kButtonNextPage); }));
  // A resize (wider, as high) rebuilds the grid on the page of the next empty cell.
  RECT window;
  GetWindowRect(main_, &window);
  SetWindowPos(main_, nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top,
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(WaitUntil([&] { return Enabled(kButtonPreviousPage) && !Enabled(kButtonNextPage); }));
}

TEST_F(Korvan95, AnalysisNeedsThreeValuesAndValidatesTheConditions) {
  StartDataInput();
  Type("1\r2\r");
  PostCommand(main_, kCmdAnalysis);
  const BoxContent few = AnswerMessageBox(program_);
  EXPECT_EQ(few.text, "Too few data! (Data < 3)");
  EXPECT_EQ(few.caption, "Warning");
  Type("3\r");
  HWND dialog = OpenConditions();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "Set Analysis Conditions");
  Screenshot(dialog, "korvan95-conditions");
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kDlgIntervalEdit)), "6");
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kDlgConfidenceEdit)), "90");
  // 21 intervals: the warning, then the dialog again with the committed number.
  SetTextOf(GetDlgItem(dialog, kDlgIntervalEdit), "21");
  EXPECT_EQ(AnswerMessageBox(program_).text, "Input a proper value!\n  (N=2,3,..,20)");
  dialog = WaitForDialog(ProcessId());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kDlgIntervalEdit)), "6");
  // A confidence of 100: the probability warning.
  SetTextOf(GetDlgItem(dialog, kDlgConfidenceEdit), "100");
  EXPECT_EQ(AnswerMessageBox(program_).text, "Input a proper value!\n        (0<P<100)");
  dialog = WaitForDialog(ProcessId());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kDlgConfidenceEdit)), "90");
  // Standard mode shows the standard number for 3 values and disables the field; Cancel
  // keeps the previous choices.
  PressDialogButton(dialog, kDlgModeStandard);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(dialog, kDlgIntervalEdit)) == "2"; }));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kDlgIntervalEdit)));
  PressDialogButton(dialog, IDCANCEL);
  WaitUntil([&] { return !IsWindow(dialog); });
  dialog = OpenConditions();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kDlgIntervalEdit)));
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kDlgIntervalEdit)), "6");
  PressDialogButton(dialog, IDCANCEL);
  WaitUntil([&] { return !IsWindow(dialog); });
  EXPECT_FALSE(Enabled(kButtonSaveAs)) << "Cancel shows no results";
}

// The results page of 1 to 5 (six intervals, markers at m and m +/- sigma hat): saved as BMP,
// its bars and markers checked from the pixels.
TEST_F(Korvan95, ResultsPageSavedAsBitmapHasTheComputedGeometry) {
  const std::string folder = MakeTestFolder("k95-bmp");
  AnalyseOneToFive();
  // The buttons follow the results page one by one as it is painted.
  EXPECT_TRUE(WaitUntil([&] {
    return Enabled(kButtonSaveAs) && Enabled(kButtonPrint) && Enabled(kButtonCopy) && !Enabled(kButtonPreviousPage) &&
           !Enabled(kButtonNextPage);
  }));
  Screenshot(main_, "korvan95-results");
  RECT client;
  GetClientRect(main_, &client);
  const Bitmap4 image = SaveGraph(folder + "\\page.Bmp");
  ASSERT_EQ(image.width, client.right);
  ASSERT_EQ(image.height, client.bottom - 21);

  const int W = client.right, H = client.bottom;
  const int x0 = static_cast<int>(0.15 * W), yb = H - 41, hMax = H - 167;
  const double b = 0.7 * W / 6;
  // Frequencies 1, 1, 0.5, 0.5, 1, 1: the 3 lies on an inner bound and counts half on each side.
  const double heights[6] = {1, 1, 0.5, 0.5, 1, 1};
  for (int j = 0; j < 6; ++j) {
    const int middle = x0 + static_cast<int>((j + 0.5) * b);
    const int top = yb - static_cast<int>(hMax * heights[j]);
    EXPECT_EQ(image.At(middle, top), kBlack) << "bar " << j << " top";
    EXPECT_EQ(image.At(middle, top + 1), kBlue) << "bar " << j;
    EXPECT_EQ(image.At(middle, yb - 1), kBlue) << "bar " << j;
    EXPECT_EQ(image.At(middle, top - 1), kWhite) << "bar " << j << " above";
  }
  // The mean marker in the middle reaches 5 pixels above the tallest bar; the dashed ones
  // stand at m -/+ 1.682088 mapped from [1, 5] onto [x0, W - x0].
  const int xm = W / 2;
  bool redAboveBars = false;
  for (int dx = -1; dx <= 1; ++dx) redAboveBars |= image.At(xm + dx, yb - hMax - 4) == kRed;
  EXPECT_TRUE(redAboveBars) << "no mean marker at x " << xm;
  const double sigma = 1.682088;
  for (double v : {3 - sigma, 3 + sigma}) {
    const int x = static_cast<int>(((W - 2.0 * x0) * v + x0 * 5.0 - (W - x0) * 1.0) / 4.0);
    int red = 0;
    for (int y = yb - hMax - 5; y < yb; ++y) red += image.At(x, y) == kRed;
    EXPECT_GT(red, 0) << "no dashed marker at x " << x;
    EXPECT_LT(red, hMax) << "the marker at x " << x << " is not dashed";
  }
}

TEST_F(Korvan95, SaveAsRefusesOtherExtensions) {
  const std::string folder = MakeTestFolder("k95-bmp-refusals");
  AnalyseOneToFive();
  PostCommand(main_, kCmdSaveAs);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kSaveGraphTitle, folder + "\\page.bitmap"));
  EXPECT_EQ(AnswerMessageBox(program_).text, "Assign a file with BMP extension.");
  EXPECT_TRUE(ReadWholeFile(folder + "\\page.bitmap").empty());
}

TEST_F(Korvan95, CopyPutsTheResultsPageOnTheClipboard) {
  AnalyseOneToFive();
  RECT client;
  GetClientRect(main_, &client);
  const int W = client.right, H = client.bottom - 21;
  for (int round = 0; round < 2; ++round) {
    SetClipboardText("not a picture");
    // Sent, not posted: the clipboard is read only after the copy, so the two never race
    // for it (a copy that cannot open the clipboard says so in a box).
    ASSERT_TRUE(SendCommand(main_, kCmdCopy, kWaitMs)) << ReadMessageBox(FindDialog(ProcessId())).text;
    std::string dib;
    ASSERT_TRUE(WaitUntil([&] { return !(dib = ClipboardDib()).empty(); })) << "round " << round;
    const std::string block(dib.begin(), dib.end());
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(H) * 4 * ((W + 7) / 8);
    EXPECT_EQ(Field(block, 0, 4), 40u);
    EXPECT_EQ(Field(block, 4, 4), static_cast<std::uint32_t>(W));
    EXPECT_EQ(Field(block, 8, 4), static_cast<std::uint32_t>(H));
    EXPECT_EQ(Field(block, 14, 2), 4u);
    EXPECT_EQ(Field(block, 20, 4), imageBytes);
    EXPECT_EQ(Field(block, 32, 4), 16u);
    EXPECT_EQ(Field(block, 36, 4), 16u);
    EXPECT_GE(block.size(), imageBytes + 104);
    // Palette entry 12 is pure blue (blue, green, red, 0).
    EXPECT_EQ(Field(block, 40 + 4 * 12, 4), 0x000000FFu);
  }
}

TEST_F(Korvan95, PrintSendsTheResultsPageToThePrinter) {
  AnalyseOneToFive();
  EXPECT_EQ(PrintIntoQueue(program_, kCmdPrint), "");
}

TEST_F(Korvan95, PrintZoomKeepsItsLimits) {
  auto openZoom = [&] {
    PostCommand(main_, kCmdPrintZoom);
    HWND dialog = WaitForDialog(ProcessId());
    EXPECT_NE(dialog, nullptr);
    if (dialog != nullptr) {
      EXPECT_EQ(TextOf(dialog), "Print Zoom");
    }
    return dialog;
  };
  HWND dialog = openZoom();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kDlgZoomEdit)), "100");
  SetTextOf(GetDlgItem(dialog, kDlgZoomEdit), "150");
  PressDialogButton(dialog, IDOK);
  WaitUntil([&] { return !IsWindow(dialog); });
  const BoxContent warning = AnswerMessageBox(program_);
  EXPECT_EQ(warning.text, "Zoom out factor was out of the limits\nso that the previous value has been set.");
  dialog = openZoom();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kDlgZoomEdit)), "100");
  SetTextOf(GetDlgItem(dialog, kDlgZoomEdit), "50");
  PressDialogButton(dialog, IDOK);
  WaitUntil([&] { return !IsWindow(dialog); });
  EXPECT_TRUE(NoDialogWithin(ProcessId(), 500));
  dialog = openZoom();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kDlgZoomEdit)), "50");
  SetTextOf(GetDlgItem(dialog, kDlgZoomEdit), "30");
  PressDialogButton(dialog, IDCANCEL);
  WaitUntil([&] { return !IsWindow(dialog); });
  dialog = openZoom();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kDlgZoomEdit)), "50");
  PressDialogButton(dialog, IDCANCEL);
}

TEST_F(Korvan95, ExitAsksAboutTypedValuesAndNoDiscardsThem) {
  StartDataInput();
  Type("1\r");
  Click(kButtonExit);
  HWND box = WaitForDialog(ProcessId());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ReadMessageBox(box).text, "Save the data set?");
  PressDialogButton(box, IDNO);
  ExpectEnded();
  EXPECT_TRUE(ProcessEnded(program_, kWaitMs));
}

TEST_F(Korvan95, DataInputKeepsTheDataSetWhenItsSaveWasCancelled) {
  const std::string folder = MakeTestFolder("k95-keep");
  StartDataInput();
  Type("4\r5\r");
  PostCommand(main_, kCmdDataInput);
  HWND box = WaitForDialog(ProcessId());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ReadMessageBox(box).text, "Save the data set?");
  PressDialogButton(box, IDYES);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kSaveDataTitle, ""));  // cancelled
  EXPECT_EQ(SaveData(folder), "4\r\n5\r\n");
}

// Data Read offers typed values for saving first: No goes on to the file (a refused file keeps
// them), Yes saves them and then reads.
TEST_F(Korvan95, DataReadAsksToSaveTypedValues) {
  const std::string folder = MakeTestFolder("k95-read-asks");
  ASSERT_TRUE(WriteWholeFile(folder + "\\bad.txt", "+1\r\n"));
  ASSERT_TRUE(WriteWholeFile(folder + "\\good.txt", "7\r\n8\r\n"));
  StartDataInput();
  Type("1\r2\r");
  PostCommand(main_, kCmdDataRead);
  ASSERT_TRUE(AnswerSaveQuestion(IDNO));
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kReadDataTitle, folder + "\\bad.txt"));
  EXPECT_EQ(AnswerMessageBox(program_).text, "File does not have a proper format.");
  PostCommand(main_, kCmdDataRead);
  ASSERT_TRUE(AnswerSaveQuestion(IDYES));
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kSaveDataTitle, folder + "\\typed.txt"));
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kReadDataTitle, folder + "\\good.txt"));
  EXPECT_EQ(ReadWholeFile(folder + "\\typed.txt"), "1\r\n2\r\n");
  EXPECT_EQ(SaveData(folder, "read.txt"), "7\r\n8\r\n");
}

// The dialogs that take the keyboard focus give the grid its caret back.
TEST_F(Korvan95, TheCaretIsBackAfterDialogs) {
  StartDataInput();
  Type("1\r2\r3\r");
  ASSERT_TRUE(WaitUntil([&] { return HasCaret(); }));
  HWND dialog = OpenConditions();
  ASSERT_NE(dialog, nullptr);
  PressDialogButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && HasCaret(); })) << "after Analysis";
  PostCommand(main_, kCmdPrintZoom);
  dialog = WaitForDialog(ProcessId());
  ASSERT_NE(dialog, nullptr);
  PressDialogButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && HasCaret(); })) << "after Print Zoom";
}

// Run by a separate test entry under a file-size limit of 8 KiB: the page (far larger) cannot
// be written, the message says so, the good file of that name stays as it was and no temporary
// file is left.
TEST_F(Korvan95FailedWrite, ASaveThatCannotBeWrittenLeavesTheOldFile) {
  const std::string folder = MakeTestFolder("k95-failed-write");
  const std::string path = folder + "\\page.bmp";
  ASSERT_TRUE(WriteWholeFile(path, "the good old file"));
  AnalyseOneToFive();
  PostCommand(main_, kCmdSaveAs);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kSaveGraphTitle, path));
  const BoxContent box = AnswerMessageBox(program_);
  EXPECT_EQ(box.text, "Unable to write to file.");
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(ReadWholeFile(path), "the good old file");
  EXPECT_EQ(FilesIn(folder).size(), 1u) << "a temporary file is left";
}

// The same for Data Save: a thousand values read as "1e9" (5 bytes a line) are written as
// "1000000000" (12 bytes a line), more than the limit.
TEST_F(Korvan95FailedWrite, ADataSaveThatCannotBeWrittenLeavesTheOldFile) {
  const std::string folder = MakeTestFolder("k95-failed-data-write");
  std::string content;
  for (int i = 0; i < 1000; ++i) content += "1e9\r\n";
  ASSERT_TRUE(WriteWholeFile(folder + "\\big.txt", content));
  const std::string path = folder + "\\data.txt";
  ASSERT_TRUE(WriteWholeFile(path, "1\r\n2\r\n"));
  ReadData(folder + "\\big.txt");
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonAnalysis); }));
  PostCommand(main_, kCmdDataSave);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), kSaveDataTitle, path));
  const BoxContent box = AnswerMessageBox(program_);
  EXPECT_EQ(box.text, "Unable to write to file.");
  EXPECT_EQ(ReadWholeFile(path), "1\r\n2\r\n");
  EXPECT_EQ(FilesIn(folder).size(), 2u) << "a temporary file is left";
}

TEST_F(Korvan95Japanese, TitleMessagesAndDialogInJapanese) {
  EXPECT_EQ(TextOf(main_), "コルヴァン");
  StartDataInput();
  Type("\r");
  const BoxContent box = AnswerMessageBox(program_);
  EXPECT_EQ(box.text, "数値入力なしでEnterキーを押さないで下さい!");
  EXPECT_EQ(box.caption, "警告");
  Type("1\r2\r3\r4\r5\r");
  Screenshot(main_, "korvan95-grid-ja");
  HWND dialog = OpenConditions();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "解析条件の設定");
  Screenshot(dialog, "korvan95-conditions-ja");
  PressDialogButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonSaveAs); }));
  Screenshot(main_, "korvan95-results-ja");
  // A data file that cannot be replaced (read-only): the data file's own message.
  const std::string folder = MakeTestFolder("k95-japanese");
  const std::string path = folder + "\\data.txt";
  ASSERT_TRUE(WriteWholeFile(path, "1\r\n"));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  PostCommand(main_, kCmdDataSave);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "データを保存するファイル名の設定", path));
  const BoxContent refused = AnswerMessageBox(program_);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(refused.text, "ファイルをオープンできません.");
  EXPECT_EQ(refused.caption, "エラー");
}

}  // namespace
