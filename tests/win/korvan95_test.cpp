// korvan95 driven through its window: keys and clicks on the grid, paging by the window size,
// Data Read and Data Save through the real file dialogs, the conditions dialog, the results
// page saved as BMP, copied and printed, Print Zoom, the save question, failed writes and the
// Japanese interface. (Start, About, Help and Exit: every_program_test.cpp.) The files are read
// and written in folders named outside the code page, which the ANSI calls would turn into a
// look-alike ("Łukasz" into "Lukasz") or into question marks ("日本語 😀").
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "korvan95/ids.h"
#include "tests/win/korvan95_steps.h"
#include "tests/win/program_fixture.h"

namespace {

class Korvan95 : public ProgramTest {
 protected:
  Korvan95() : ProgramTest("korvan95.exe", "KORVAN95") {}
  // Icon-bar buttons by the command they send.
  bool Enabled(int buttonId) const { return IsWindowEnabled(IconBarButton(main_, K95(buttonId))) != FALSE; }
  void Click(int buttonId) { ClickIconBarButton(main_, K95(buttonId)); }
  ::testing::AssertionResult PageButtonsBecome(const std::string& enabled) const {
    return ButtonsBecome({{"SaveAs", K95(kButtonSaveAs)}, {"Print", K95(kButtonPrint)}, {"Copy", K95(kButtonCopy)},
                          {"Previous", K95(kButtonPreviousPage)}, {"Next", K95(kButtonNextPage)}}, enabled);
  }
  // The grid's caret is in the main window (the program's thread owns a caret there).
  bool HasCaret() const { return ThreadState().hwndCaret == main_; }
  BoxContent Command(int command) { PostCommand(main_, command); return AnswerMessageBox(program_); }
  void Type(const std::string& keys) { TypeKeys(main_, keys); }
  // A command whose file dialog is answered with path (cancelled when empty).
  void Choose(int command, const std::string& path) {
    const char* title = command == kCmdDataSave   ? "Assign a file to save the data."
                        : command == kCmdDataRead ? "Select a data file."
                                                  : "Assign a file to save the graph.";
    PostCommand(main_, command);
    ASSERT_TRUE(AnswerFileDialog(ProcessId(), title, path)) << "no dialog \"" << title << '"';
  }
  // Data Save into the folder; the content of the file written.
  std::string SaveData(const std::string& folder, const char* name = "data.txt") {
    const std::string path = folder + "\\" + name;
    Choose(kCmdDataSave, path);
    WaitUntil([&] { return !ReadWholeFile(path).empty() || FindDialog(ProcessId()) != nullptr; });
    return ReadWholeFile(path);
  }
  // Analysis on the conditions as they stand (OK in their dialog).
  void Analyse() {
    HWND dialog = OpenDialog(kCmdAnalysis);
    ASSERT_NE(dialog, nullptr) << "no conditions dialog";
    PressDialogButton(dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the conditions dialog stays";
  }
  int RowHeight() const {
    HDC dc = GetDC(main_);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(main_, dc);
    return metrics.tmHeight + metrics.tmExternalLeading + 1;
  }
};

class Korvan95Japanese : public Korvan95 {};
class Korvan95FailedWrite : public Korvan95 {};
class Korvan95OutOfMemory : public Korvan95 {};

// The keys of the main keyboard and the keypad reach the grid; Shift held blocks digits, also
// when it is released in another window; a navigation key with a number pending and an
// eleventh character show their boxes, and keys typed ahead behind a box are dropped; a click
// selects a cell for overwriting.
TEST_F(Korvan95, KeysAndClicksTypeIntoTheGrid) {
  const std::string folder = MakeTestFolder("k95-typing");
  Grid(main_, "12.5\r7..2-\r-\b5\r-.5\r");
  for (const UINT key : {VK_NUMPAD3, VK_DECIMAL, VK_NUMPAD5}) PressKey(main_, key);
  PressKey(main_, VK_RETURN, true);
  HoldKey(main_, VK_SHIFT, true);
  Type("99");
  HoldKey(main_, VK_SHIFT, false);
  Type("8\r");
  HoldKey(main_, VK_SHIFT, true);
  Click(kButtonAbout);
  HWND about = WaitForDialog(ProcessId());
  ASSERT_NE(about, nullptr);
  HoldKey(about, VK_SHIFT, false);
  PressDialogButton(about, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  SetForegroundWindow(main_);
  Type("6\r4");
  PressKey(main_, VK_UP, true);
  EXPECT_EQ(AnswerMessageBox(program_).text, "Press Enter-key to fix the input figure!");
  // Typed faster than the program answers: the keys behind the box are dropped, not typed.
  TypeKeys(main_, "\r1234567890123\r", true);
  EXPECT_EQ(AnswerMessageBox(program_), (BoxContent{"Warning", "Total digits <= 11"}));
  Screenshot(main_, "korvan95-grid");
  // A click on a cell is refused while a number is pending; then it selects the cell, and the
  // next number overwrites it.
  const int rowHeight = RowHeight();
  auto clickLine = [&](int line) {
    POINT point = {120, 40 + line * rowHeight + rowHeight / 2};
    ClientToScreen(main_, &point);
    SetCursorPos(point.x, point.y);
    PostMessageA(main_, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageA(main_, WM_LBUTTONUP, 0, 0);
  };
  Type("7");
  clickLine(1);
  EXPECT_EQ(AnswerMessageBox(program_).text, "Press Enter-key to fix the input figure!");
  Type("\b");
  PressKey(main_, VK_DOWN, true);  // an empty cell again: navigation fixes the input
  clickLine(1);
  Type("9\r");
  EXPECT_EQ(SaveData(folder), "9\r\n7.2\r\n5\r\n-0.5\r\n3.5\r\n8\r\n6\r\n4\r\n12345678901\r\n");
}

// Data Save wants a fixed figure, a TXT name, a drive that is not remote and a name the dialog can
// return whole; a refused one writes nothing. Typed values are offered for saving before Data
// Input and Data Read: a cancelled save keeps them, No goes on to the file (a refused one keeps
// them), Yes saves them first.
TEST_F(Korvan95, DataSaveAndTheSaveQuestion) {
  const std::string folder = MakeTestFolder("k95-save 日本語 😀");
  ASSERT_TRUE(WriteWholeFile(folder + "\\bad.txt", "+1\r\n"));
  ASSERT_TRUE(WriteWholeFile(folder + "\\good.txt", "7\r\n8\r\n"));
  Grid(main_, "");
  EXPECT_EQ(Command(kCmdDataSave).text, "NO data to save!");
  Type("1\r2");
  EXPECT_EQ(Command(kCmdDataSave).text, "Press Enter-key to fix the data before saving!");
  Type("\r");
  // R: is a network drive in the test prefix; the dialog adds ".txt" to a name of 256 characters.
  const std::pair<std::string, BoxContent> refused[] = {
      {folder + "\\data.text", {"Error", "Assign a file with TXT extension."}},
      {"R:\\data.txt", {"Warning", "Unable to save the data to the remote disk."}},
      {folder + "\\" + std::string(255 - Wide(folder).size(), 'n'), {"Error", "GetSaveFileName error 0x3003"}}};
  for (const auto& [path, box] : refused) {
    DeleteFileW(Wide(path).c_str());
    Choose(kCmdDataSave, path);
    EXPECT_EQ(AnswerMessageBox(program_), box) << path;
    EXPECT_FALSE(FileExists(path) || FileExists(path + ".txt")) << path;
  }
  PostCommand(main_, kCmdDataInput);
  ASSERT_EQ(AnswerMessageBox(program_, IDYES).text, "Save the data set?");
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "Assign a file to save the data.", ""));  // cancelled
  PostCommand(main_, kCmdDataRead);
  ASSERT_EQ(AnswerMessageBox(program_, IDNO).text, "Save the data set?");
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "Select a data file.", folder + "\\bad.txt"));
  EXPECT_EQ(AnswerMessageBox(program_).text, "File does not have a proper format.");
  PostCommand(main_, kCmdDataRead);
  ASSERT_EQ(AnswerMessageBox(program_, IDYES).text, "Save the data set?");
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "Assign a file to save the data.", folder + "\\typed.Txt"));
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "Select a data file.", folder + "\\good.txt"));
  EXPECT_EQ(ReadWholeFile(folder + "\\typed.Txt"), "1\r\n2\r\n");
  EXPECT_EQ(SaveData(folder, "read.txt"), "7\r\n8\r\n");
}

// Eleven typed characters are saved with a leading 0 (twelve) and read back whole: no warning,
// the same bytes on a second save. Then one file for each message of Data Read (the native tests
// hold every refused content), a file over 64 MiB, refused whole, and a file that cannot be
// opened: the data set read stays. Values all equal, or near the end of the range of a double,
// cannot be analysed.
TEST_F(Korvan95, DataReadReadsSavedValuesWholeAndRefusesBadFiles) {
  const std::string folder = MakeTestFolder("k95-read Łukasz");
  Grid(main_, "-.123456789");
  AnswerMessageBox(program_);  // the eleventh character stores the number
  EXPECT_EQ(SaveData(folder), "-0.123456789\r\n");
  Choose(kCmdDataRead, folder + "\\data.txt");
  EXPECT_TRUE(SettlesWithoutBox(program_));
  std::string thousand;
  for (int i = 1; i <= 1001; ++i) thousand += std::to_string(i % 97) + "\r\n";
  const struct { const char* name; std::string content; const char* message; } bad[] = {
      {"plus.txt", "+1\r\n", "File does not have a proper format."},
      {"unterminated.txt", "12.5\r\n-3", "File is not terminated by Enter-key."},
      {"over.txt", thousand, "Number of data <= 1000"},
      {"huge.txt", "1\r\n;" + std::string(64 << 20, ' ') + "\r\n", "File does not have a proper format."},
      {"missing.txt", "", "Unable to open file."},  // not written
  };
  for (const auto& c : bad) {
    ASSERT_TRUE(c.content.empty() || WriteWholeFile(folder + "\\" + c.name, c.content));
    Choose(kCmdDataRead, folder + "\\" + c.name);
    EXPECT_EQ(AnswerMessageBox(program_), (BoxContent{"Error", c.message})) << c.name;
  }
  EXPECT_EQ(SaveData(folder, "kept.txt"), "-0.123456789\r\n");
  // Fifteen digits: four warnings, the first eleven digits kept.
  ASSERT_TRUE(WriteWholeFile(folder + "\\long.txt", "123456789012345\r\n"));
  Choose(kCmdDataRead, folder + "\\long.txt");
  const char kOver[] = "Over 11 digit(s) are ignored\nso that the file may not correctly be read.";
  for (int i = 0; i < 4; ++i) EXPECT_EQ(AnswerMessageBox(program_).text, kOver) << i;
  EXPECT_EQ(SaveData(folder, "after-long.txt"), "12345678901\r\n");
  // Analysis refuses with its box, and the grid page keeps the values.
  const std::pair<const char*, BoxContent> unanalysable[] = {
      {"4\r\n4\r\n4\r\n", {"Warning", "All data have a same value!"}},
      {"-1.7e+308\r\n1.7e+308\r\n1\r\n", {"Error", "The data are too large to analyse."}}};
  for (const auto& [values, box] : unanalysable) {
    ASSERT_TRUE(WriteWholeFile(folder + "\\values.txt", values));
    Choose(kCmdDataRead, folder + "\\values.txt");
    Analyse();
    EXPECT_EQ(AnswerMessageBox(program_), box);
    EXPECT_TRUE(WaitUntil([&] { return HasCaret(); })) << "no grid page";
    EXPECT_TRUE(PageButtonsBecome(""));
    EXPECT_EQ(SaveData(folder, values[0] == '4' ? "same-kept.txt" : "large-kept.txt"), values);
  }
}

// The window keeps its minimum client size; the values of a page follow its height, and a
// resize rebuilds the grid on the page of the next empty cell.
TEST_F(Korvan95, PagesFollowTheWindowHeight) {
  SetWindowPos(main_, nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  EXPECT_TRUE(WaitUntil([&] {
    GetClientRect(main_, &client);
    return client.right == 492 && client.bottom == 390;
  })) << client.right << " x " << client.bottom;
  Grid(main_, "");
  const int valuesPerPage = (390 - 50) / RowHeight() - 1;
  for (int i = 0; i < valuesPerPage; ++i) Type("1\r");
  // The last value of page 1 opens page 2 with the caret on its first line.
  EXPECT_TRUE(PageButtonsBecome("Previous")) << valuesPerPage << " values a page";
  Click(kButtonPreviousPage);
  EXPECT_TRUE(PageButtonsBecome("Next"));
  RECT window;
  GetWindowRect(main_, &window);
  SetWindowPos(main_, nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top,
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(PageButtonsBecome("Previous"));
}

// Too few values, then the conditions dialog: a refused interval number warns and reopens the
// dialog with the committed one; Standard shows the standard number in a disabled field; Cancel
// keeps the previous choices and shows no results.
TEST_F(Korvan95, TheConditionsAndPrintZoomDialogs) {
  Grid(main_, "1\r2\r");
  EXPECT_EQ(Command(kCmdAnalysis), (BoxContent{"Warning", "Too few data! (Data < 3)"}));
  Type("3\r");
  HWND dialog = OpenDialog(kCmdAnalysis);
  ASSERT_NE(dialog, nullptr);
  const auto field = [&](int id) { return TextOf(GetDlgItem(dialog, id)); };
  EXPECT_EQ(TextOf(dialog) + ": " + field(kDlgIntervalEdit) + ", " + field(kDlgConfidenceEdit),
            "Set Analysis Conditions: 6, 90");
  Screenshot(dialog, "korvan95-conditions");
  SetTextOf(GetDlgItem(dialog, kDlgIntervalEdit), "21");
  EXPECT_EQ(AnswerMessageBox(program_).text, "Input a proper value!\n  (N=2,3,..,20)");
  ASSERT_NE(dialog = WaitForDialog(ProcessId()), nullptr);
  EXPECT_EQ(field(kDlgIntervalEdit), "6");
  PressDialogButton(dialog, kDlgModeStandard);
  EXPECT_TRUE(WaitUntil([&] { return field(kDlgIntervalEdit) == "2"; }));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kDlgIntervalEdit))) << "the standard number can be changed";
  CancelDialog(dialog);
  ASSERT_NE(dialog = OpenDialog(kCmdAnalysis), nullptr);
  EXPECT_EQ(field(kDlgIntervalEdit) + (IsWindowEnabled(GetDlgItem(dialog, kDlgIntervalEdit)) ? "" : " disabled"), "6");
  CancelDialog(dialog);
  EXPECT_TRUE(PageButtonsBecome("")) << "Cancel shows no results";
  // The dialogs that take the keyboard focus give the grid its caret back; Print Zoom keeps the
  // factor set (the output library's tests hold its limits).
  EXPECT_TRUE(WaitUntil([&] { return HasCaret(); })) << "after the conditions";
  ASSERT_NE(dialog = OpenDialog(kCmdPrintZoom), nullptr);
  EXPECT_EQ(TextOf(dialog) + ": " + field(kDlgZoomEdit), "Print Zoom: 100");
  SetTextOf(GetDlgItem(dialog, kDlgZoomEdit), "50");
  PressDialogButton(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && HasCaret(); })) << "after Print Zoom";
  ASSERT_NE(dialog = OpenDialog(kCmdPrintZoom), nullptr);
  EXPECT_EQ(field(kDlgZoomEdit), "50");
  CancelDialog(dialog);
}

// The results page of 1 to 5 saved as BMP (not on a network drive): the size of the page, and
// the pixels of the drawn bars and mean marker (the native tests hold the geometry); copied, the
// same picture; printed.
TEST_F(Korvan95, ResultsPageSavedAsBitmapCopiedAndPrinted) {
  const std::string path = MakeTestFolder("k95-bmp 日本語 😀") + "\\page.Bmp";
  Results(main_);
  EXPECT_TRUE(PageButtonsBecome("SaveAs Print Copy"));
  Screenshot(main_, "korvan95-results");
  RECT client;
  GetClientRect(main_, &client);
  DeleteFileW(L"R:\\page.bmp");
  Choose(kCmdSaveAs, "R:\\page.bmp");  // R: is a network drive in the test prefix
  EXPECT_EQ(AnswerMessageBox(program_), (BoxContent{"Warning", "Unable to save the graph to the remote disk."}));
  EXPECT_FALSE(FileExists("R:\\page.bmp"));
  Choose(kCmdSaveAs, path);
  Bitmap4 image;
  ASSERT_TRUE(WaitUntil([&] { return image.Load(ReadWholeFile(path)); })) << "no BMP file";
  const int W = client.right, H = client.bottom;
  ASSERT_EQ(image.width, W);
  ASSERT_EQ(image.height, H - 21);
  // Frequencies 1, 1, 0.5, 0.5, 1, 1 in six intervals; the mean marker in the middle reaches 5
  // pixels above the tallest bar.
  const int x0 = static_cast<int>(0.15 * W), yb = H - 41, hMax = H - 167;
  const double heights[6] = {1, 1, 0.5, 0.5, 1, 1};
  for (int j = 0; j < 6; ++j) {
    const int middle = x0 + static_cast<int>((j + 0.5) * 0.7 * W / 6);
    const int top = yb - static_cast<int>(hMax * heights[j]);
    EXPECT_EQ(std::tuple(image.At(middle, top - 1), image.At(middle, top), image.At(middle, top + 1), image.At(middle, yb - 1)),
              std::tuple(kWhite, kBlack, kBlue, kBlue)) << "bar " << j;
  }
  EXPECT_TRUE(image.At(W / 2 - 1, yb - hMax - 4) == kRed || image.At(W / 2, yb - hMax - 4) == kRed ||
              image.At(W / 2 + 1, yb - hMax - 4) == kRed) << "no mean marker";
  CopyAndPrint(image, kCmdCopy, kCmdPrint);
}

// Run by a separate test entry under a file-size limit of 8 KiB: a thousand values read as "1e9"
// (5 bytes a line) and written as "1000000000" (12 bytes a line), or the page, cannot be
// written; the message says so, the good file of that name stays as it was and no temporary
// file is left.
TEST_F(Korvan95FailedWrite, ASaveThatCannotBeWrittenLeavesTheOldFile) {
  const std::string folder = MakeTestFolder("k95-failed-write");
  std::string content;
  for (int i = 0; i < 1000; ++i) content += i % 2 ? "1e9\r\n" : "2e9\r\n";
  ASSERT_TRUE(WriteWholeFile(folder + "\\big.txt", content));
  for (const char* name : {"data.txt", "page.bmp"}) ASSERT_TRUE(WriteWholeFile(folder + "\\" + name, "old\r\n"));
  Choose(kCmdDataRead, folder + "\\big.txt");
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonAnalysis); }));
  Choose(kCmdDataSave, folder + "\\data.txt");
  EXPECT_EQ(AnswerMessageBox(program_).text, "Unable to write to file.");
  Analyse();
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonSaveAs); })) << "no results page";
  Choose(kCmdSaveAs, folder + "\\page.bmp");
  EXPECT_EQ(AnswerMessageBox(program_), (BoxContent{"Error", "Unable to write to file."}));
  for (const char* name : {"data.txt", "page.bmp"}) EXPECT_EQ(ReadWholeFile(folder + "\\" + name), "old\r\n") << name;
  EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"big.txt", "data.txt", "page.bmp"})) << "a temporary file is left";
}

// Run by a separate test entry whose processes hold little memory (a data-segment limit, which
// Wine's committed memory counts against): a file of 48 MiB, which Data Read reads whole, cannot
// be held. The memory message; the data set read before and its grid page stay.
TEST_F(Korvan95OutOfMemory, AFileTooLargeForTheMemoryLeftChangesNothing) {
  const std::string folder = MakeTestFolder("k95-memory");
  ASSERT_TRUE(WriteWholeFile(folder + "\\values.txt", "1\r\n2\r\n3\r\n"));
  HANDLE file = CreateFileA((folder + "\\large.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_TRUE(SetFilePointerEx(file, {.QuadPart = 48 << 20}, nullptr, FILE_BEGIN) && SetEndOfFile(file) && CloseHandle(file));
  Choose(kCmdDataRead, folder + "\\values.txt");
  Choose(kCmdDataRead, folder + "\\large.txt");
  EXPECT_EQ(AnswerMessageBox(program_), (BoxContent{"Error", "Unable to allocate memory.\nClose other programs and try again."}));
  EXPECT_TRUE(WaitUntil([&] { return HasCaret() && Enabled(kButtonAnalysis); }));
  EXPECT_EQ(SaveData(folder), "1\r\n2\r\n3\r\n");
}

// The Japanese boxes and dialogs; the file dialogs return names outside code page 932 whole.
TEST_F(Korvan95Japanese, MessagesDialogAndPagesInJapanese) {
  const std::string folder = MakeTestFolder("k95-japanese 日本語 😀");
  ASSERT_TRUE(WriteWholeFile(folder + "\\values.txt", "1\r\n2\r\n3\r\n4\r\n5\r\n"));
  Grid(main_, "\r");
  EXPECT_EQ(AnswerMessageBox(program_), (BoxContent{"警告", "数値入力なしでEnterキーを押さないで下さい!"}));
  PostCommand(main_, kCmdDataRead);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "データ・ファイルの選択", folder + "\\values.txt"));
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonAnalysis); })) << "nothing read";
  Screenshot(main_, "korvan95-grid-ja");
  HWND dialog = OpenDialog(kCmdAnalysis);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), "解析条件の設定");
  Screenshot(dialog, "korvan95-conditions-ja");
  PressDialogButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return Enabled(kButtonSaveAs); }));
  Screenshot(main_, "korvan95-results-ja");
  PostCommand(main_, kCmdSaveAs);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "グラフを保存するファイル名の設定", folder + "\\page.bmp"));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(folder + "\\page.bmp").starts_with("BM"); })) << "no BMP file";
  // A data file that cannot be replaced (read-only): the data file's own message.
  const std::string path = folder + "\\data.txt";
  ASSERT_TRUE(WriteWholeFile(path, "1\r\n"));
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
  PostCommand(main_, kCmdDataSave);
  ASSERT_TRUE(AnswerFileDialog(ProcessId(), "データを保存するファイル名の設定", path));
  EXPECT_EQ(AnswerMessageBox(program_), (BoxContent{"エラー", "ファイルをオープンできません."}));
}

}  // namespace
