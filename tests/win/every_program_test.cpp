// What the four programs do alike, one row each: the start (title, place, the icon-bar buttons
// enabled at first), a second start, About, Help with and without the manual beside the
// program, and Exit, in English and in Japanese; the version resource. The Release tests run
// the same on the unpacked release archives when tests/check-dist.sh names their folders in
// KORVAN_RELEASE_WIN64 and KORVAN_RELEASE_WIN32 (Windows paths); without them they are skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "korvan00/ids.h"
#include "quibe95/ids.h"
#include "tests/win/korvan95_steps.h"
#include "tests/win/program_fixture.h"
#include "zorpa95/ids.h"

namespace {

struct Program {
  const char* name;
  const char* exe;  // as shipped
  const char* className;
  int width, height;         // the fixed window (height below the caption), centred on the screen
  int about, help, exit;     // their control ids
  const char* title[2];      // English, Japanese
  const char* aboutLine[2];  // a text of the About box
  const char* manual[2];     // opened by Help: a PDF by the shell, a text by Notepad
  const char* missing[2];    // Help's message when the manual is missing
  const char* failed[2];     // and when nothing opens it
  const char* bar[2];        // the icon bar at the start: "|" after each button's name, "-" after a
                             // spacer, "*" before either when it is disabled
};

const Program kPrograms[] = {
    {.name = "korvan95", .exe = "KORVAN95.EXE", .className = "KORVAN95", .width = 0, .height = 0,
     .about = K95(kButtonAbout), .help = K95(kButtonHowToUse), .exit = K95(kButtonExit),
     .title = {"Korvan", "コルヴァン"}, .aboutLine = {"Korvan (V 2.34)", "コルヴァン (V 2.34)"},
     .manual = {"KORVAN_E.PDF", "KORVAN_J.PDF"},
     .missing = {"Install the readme file (KORVAN_E.PDF)\nin the same directory.",
                 "説明書ファイル（KORVAN_J.PDF）を同じ\nフォルダーに入れてください."},
     .failed = {"Unable to open the readme file (KORVAN_E.PDF)\nbecause of being NO software to read PDF documents.",
                "PDF 文書の閲覧ソフトが無いので、\n説明書（KORVAN_J.PDF）を開けません."},
     .bar = {"*-Save As*|Print*|Copy*|Data Input|Data Read*|Previous Page*|Next Page*|Analysis*|About|How to Use|"
             "Exit|*-",
             "*-画面の保存*|印刷*|コピー*|データ入力|データ読込*|前ページ*|次ページ*|データ解析*|御案内|使い方|終了|*-"}},
    {.name = "korvan00", .exe = "KORVAN00.EXE", .className = "KORVAN00", .width = 480, .height = 383,
     .about = korvan00::kButtonAbout, .help = korvan00::kButtonHelp, .exit = korvan00::kButtonExit,
     .title = {"Korvan [II]", "コルヴァン [II]"}, .aboutLine = {"Korvan (V 2.14)", "コルヴァン (V 2.14)"},
     .manual = {"KORVAN0E.PDF", "KORVAN0J.PDF"},
     .missing = {"Install the readme file (KORVAN0E.PDF)\nin the same directory.",
                 "説明書ファイル（KORVAN0J.PDF）を同じ\nフォルダーに入れてください."},
     .failed = {"Unable to open the readme file (KORVAN0E.PDF)\nbecause of being NO software to read PDF documents.",
                "PDF 文書の閲覧ソフトが無いので、\n説明書（KORVAN0J.PDF）を開けません."},
     .bar = {"*-Set Conditions|Analysis|Draw Graph*|Copy Graph*|Save Graph*|Print Graph*|About|Help|Exit|*-",
             "*-条件設定|データ解析|グラフ作成*|グラフコピー*|グラフ保存*|グラフ印刷*|御案内|ヘルプ|終了|*-"}},
    {.name = "zorpa95", .exe = "ZORPA95.EXE", .className = "ZORPA_CLASS", .width = 336, .height = 205,
     .about = zorpa95::kButtonAbout, .help = zorpa95::kButtonHelp, .exit = zorpa95::kButtonExit,
     .title = {"Zorpa", "ゾルパ"}, .aboutLine = {"Version 1.09", "ゾルパ"}, .manual = {"ZORPA95.TXT", "ZORPA95.TXT"},
     .missing = {"Install the readme file (ZORPA95.TXT)\nin the same directory.",
                 "説明ファイル(ZORPA95.TXT)を、本フォルダに\nインストールしてください."},
     .failed = {"Unable to open the readme file (ZORPA95.TXT) by Notepad.", "説明ファイル(ZORPA95.TXT)をメモ帳で開けません."},
     .bar = {"m Coeff.(Cl)|s Coeff.(Cl,Cu)|About|Help|Exit|", "平均係数(Cl)|分散係数(Cl,Cu)|御案内|ヘルプ|終了|"}},
    {.name = "quibe95", .exe = "QUIBE95.EXE", .className = "QUIBE_CLASS", .width = 336, .height = 161,
     .about = quibe95::kButtonAbout, .help = quibe95::kButtonHelp, .exit = quibe95::kButtonExit,
     .title = {"Quibe", "クイベ"}, .aboutLine = {"Version 1.08", "クイベ"}, .manual = {"QUIBE95.TXT", "QUIBE95.TXT"},
     .missing = {"Install the readme file (QUIBE95.TXT)\nin the same directory.",
                 "説明ファイル(QUIBE95.TXT)を、本フォルダに\nインストールしてください."},
     .failed = {"Unable to open the readme file (QUIBE95.TXT) by Notepad.", "説明ファイル(QUIBE95.TXT)をメモ帳で開けません."},
     .bar = {"Get Coeff.|About|Help|Exit|", "係数の取得|御案内|ヘルプ|終了|"}},
};

// The version resource of a program: the numbers and texts of the suite's VERSION file, the
// product and the licence holder, and the file name the program is shipped under.
void CheckVersion(const std::string& path, const char* fileName) {
  SCOPED_TRACE(path);
  const std::wstring file = Wide(path);
  std::vector<char> block(GetFileVersionInfoSizeW(file.c_str(), nullptr));
  ASSERT_FALSE(block.empty()) << "no version resource";
  ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO));
  const VS_FIXEDFILEINFO& f = *static_cast<const VS_FIXEDFILEINFO*>(value);
  const auto version = [](DWORD ms, DWORD ls) {
    return std::to_string(HIWORD(ms)) + "." + std::to_string(LOWORD(ms)) + "." + std::to_string(HIWORD(ls)) + "." +
           std::to_string(LOWORD(ls));
  };
  EXPECT_EQ(version(f.dwFileVersionMS, f.dwFileVersionLS), SUITE_VERSION ".0") << "file version";
  EXPECT_EQ(version(f.dwProductVersionMS, f.dwProductVersionLS), SUITE_VERSION ".0") << "product version";
  EXPECT_EQ(f.dwFileType, static_cast<DWORD>(VFT_APP)) << "file type";
  const std::pair<const char*, std::string> texts[] = {
      {"FileVersion", SUITE_VERSION}, {"ProductVersion", SUITE_VERSION}, {"ProductName", "Korvan suite"},
      {"CompanyName", "the Korvan suite developers"},
      {"LegalCopyright", "Copyright (c) 2026 the Korvan suite developers"}, {"OriginalFilename", fileName},
      {"FileDescription", ""}};  // any text
  for (const auto& [name, expected] : texts) {
    const std::wstring key = Wide(std::string("\\StringFileInfo\\040904B0\\") + name);
    const bool found = VerQueryValueW(block.data(), key.c_str(), &value, &length) && value;
    const std::string text =
        found ? Utf8(std::wstring(static_cast<const wchar_t*>(value), length > 0 ? length - 1 : 0)) : "";
    EXPECT_TRUE(found && (expected.empty() || text == expected)) << name << ": \"" << text << "\"";
  }
}

class EveryProgram : public ProgramTest, public ::testing::WithParamInterface<Program> {
 protected:
  EveryProgram() : ProgramTest(nullptr, nullptr) {}

  // The program copied into a folder with blanks in its path, its manual beside it. The
  // folder's name lies outside the code page: in English beside the look-alike that code page
  // 1252 makes of it, which holds a manual too; in Japanese with an emoji that no code page holds.
  std::string CopyWithManual(int language) {
    const Program& p = GetParam();
    const std::string folder = MakeTestFolder(std::string(language ? "日本語 😀 " : "Łukasz ") + p.name);
    const std::string manual = p.manual[language];
    EXPECT_TRUE(CopyInto(ProgramPath(p.exe), folder, p.exe));
    EXPECT_TRUE(WriteWholeFile(folder + "\\" + manual, manual.ends_with(".PDF") ? "%PDF-1.4\n" : "readme\r\n"));
    EXPECT_TRUE(language || WriteWholeFile(MakeTestFolder(std::string("Lukasz ") + p.name) + "\\" + manual, "decoy"));
    return folder;
  }

  // The program started from the folder: its start, a second start, About, Help and Exit.
  void Check(const std::string& folder, int language) {
    const Program& p = GetParam();
    ASSERT_TRUE(StartAnother(folder + "\\" + p.exe, p.className)) << "no main window";
    EXPECT_EQ(TextOf(main_), p.title[language]);
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, window;
    int width = p.width, height = GetSystemMetrics(SM_CYCAPTION) + p.height;
    if (width == 0) {
      // korvan95 finds no desktop icon window under this shell: 9/10 of the work area, centred in it.
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
      width = (area.right - area.left) * 9 / 10;
      height = (area.bottom - area.top) * 9 / 10;
    } else {
      EXPECT_EQ(GetWindowLongA(main_, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << "sizable";
    }
    GetWindowRect(main_, &window);
    EXPECT_EQ(std::tuple(window.left, window.top, window.right - window.left, window.bottom - window.top),
              std::tuple(area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2,
                         width, height));
    // The buttons enabled at first; each bears its command's name, which screen readers say; a
    // spacer is no button.
    std::string bar;
    for (HWND element = GetWindow(IconBarButton(main_, p.about), GW_HWNDFIRST); element;
         element = GetWindow(element, GW_HWNDNEXT)) {
      char kind[16] = {};
      GetClassNameA(element, kind, sizeof kind);
      bar += TextOf(element) + (IsWindowEnabled(element) ? "" : "*") + (std::string(kind) == "Button" ? "|" : "-");
    }
    EXPECT_EQ(bar, p.bar[language]);

    // A second start ends at once (exit code 0) and leaves one window.
    RunningProgram second;
    ASSERT_TRUE(LaunchProgram(folder + "\\" + p.exe, second));
    EXPECT_TRUE(ProcessEnded(second, kWaitMs)) << "the second start runs on";
    EXPECT_EQ(TopLevelWindows(p.className).size(), 1u);
    EXPECT_EQ(StopProgram(second), 0u);

    // About (from its key) closes with OK, or its close box (here in Japanese), but not with Esc.
    ASSERT_TRUE(PressKeys(main_, "Shift+F1"));
    HWND about = WaitForDialog(ProcessId());
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(TextOf(about), language ? "御案内" : "About");
    EXPECT_TRUE(FindWindowExW(about, nullptr, nullptr, Wide(p.aboutLine[language]).c_str())) << p.aboutLine[language];
    EXPECT_TRUE(SendCommand(about, IDCANCEL) && IsWindowVisible(about)) << "Esc closed About";  // what Esc sends
    PostMessageA(about, language ? WM_CLOSE : WM_COMMAND, language ? 0 : IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "About stays";

    // Help opens the manual beside the program: the shell is asked to open a PDF, Notepad is
    // started with a text (each recorded instead of run). With nothing to open it, and without
    // it: the messages.
    const std::string manual = folder + "\\" + p.manual[language];
    const char* error = language ? "エラー" : "Error";
    ASSERT_TRUE(RecordOpens() && PressKeys(main_, "F1"));  // the key of Help
    EXPECT_EQ(RecordedOpen(), manual);
    ASSERT_TRUE(RecordOpens(false));
    EXPECT_EQ(ClickAndAnswer(p.help), (BoxContent{error, p.failed[language]}));
    ASSERT_TRUE(MoveFileTo(manual, manual + ".away"));
    EXPECT_EQ(ClickAndAnswer(p.help), (BoxContent{error, p.missing[language]}));
    MoveFileTo(manual + ".away", manual);

    ClickIconBarButton(main_, p.exit);
    ExpectEnded();
    EXPECT_TRUE(ProcessEnded(program_, kWaitMs)) << "Exit did not end the program";
  }
};

class EveryProgramJapanese : public EveryProgram {};
class Release : public EveryProgram {};

TEST_P(EveryProgram, StartsAndAnswersAboutHelpAndExit) {
  CheckVersion(ProgramPath(GetParam().exe), GetParam().exe);
  Check(CopyWithManual(0), 0);
}

TEST_P(EveryProgramJapanese, StartsAndAnswersAboutHelpAndExit) {
  Check(CopyWithManual(1), 1);
}

// Both archives carry the version; the 64-bit programs run from the unpacked folder, where Help
// finds the real manuals.
TEST_P(Release, UnpackedProgramCarriesTheVersionAndRuns) {
  const std::string win64 = Environment("KORVAN_RELEASE_WIN64"), win32 = Environment("KORVAN_RELEASE_WIN32");
  if (win64.empty() || win32.empty()) GTEST_SKIP() << "no unpacked release named";
  for (const std::string& folder : {win64, win32}) CheckVersion(folder + "\\" + GetParam().exe, GetParam().exe);
  Check(win64, 0);
}

// ---- Keys ---------------------------------------------------------------------------------
// The keys of the four programs pressed as the keyboard presses them, in the order a user meets
// them, and what each brings (F1 and Shift+F1: EveryProgram; the calculators' F5 and F6: their
// own tests): a dialog (closed, "OK" pressed, or a file of the test folder chosen, "" cancels;
// then maybe a box), an icon-bar button enabled or disabled, the keyboard focus on the field
// after a label, the end; nothing while its command is disabled, and the page on the clipboard,
// both seen once Shift+F1 pressed next has shown the About box (the copy is done by then).
enum class What { kNothing, kDialog, kButtonOn, kButtonOff, kClipboard, kFocus, kEnded };

// A row: the program (in kPrograms), the keys, what they bring; the dialog's title, the field's
// label or the button's name and id; the answer to the dialog, and the box after it.
struct KeyRow {
  int program; const char* keys; What what;
  const char* text = nullptr; int id = 0; const char* answer = nullptr; const char* then = nullptr;
};

const char kGraphTitle[] = "Assign a file to save the graph.";
const KeyRow kKeyRows[] = {
    {0, "F5", What::kNothing},  // Analysis: no data yet
    {0, "Ctrl+N", What::kButtonOn, "Data Read", K95(kButtonDataRead)},  // the grid page
    {0, "Ctrl+O", What::kDialog, "Select a data file.", 0, "hundred.txt"},  // three pages, the last shown
    {0, "Ctrl+Page Up", What::kButtonOn, "Next Page", K95(kButtonNextPage)},
    {0, "Ctrl+Page Down", What::kButtonOff, "Next Page", K95(kButtonNextPage)},
    {0, "Ctrl+S", What::kDialog, "Assign a file to save the data.", 0, "saved.txt"},
    {0, "F5", What::kDialog, "Set Analysis Conditions", 0, "OK"},
    {0, "Ctrl+C", What::kClipboard}, {0, "Ctrl+P", What::kDialog, "Print"},
    {0, "Ctrl+Shift+S", What::kDialog, kGraphTitle, 0, "page.bmp"},
    {0, "Alt+F4", What::kEnded},  // the system's, in every program
    {1, "F6", What::kDialog, "Set Analysis Conditions"},
    {1, "F5", What::kDialog, "Assign a file to save the results.", 0, "",
     "The solution not saved.\nBut the calculation done."},
    {1, "F7", What::kButtonOn, "Copy Graph", korvan00::kButtonCopyGraph},
    {1, "Ctrl+C", What::kClipboard}, {1, "Ctrl+P", What::kDialog, "Print"},
    {1, "Ctrl+Shift+S", What::kDialog, kGraphTitle, 0, "graph.bmp"},
    {2, "Tab", What::kFocus, "Sample size n"},  // from the cf box
    {2, "Tab", What::kFocus, "Confidence %"}, {2, "Shift+Tab", What::kFocus, "Sample size n"},
    {2, "Shift+F1", What::kDialog, "About"},      // gives the focus back to the list
    {2, "Tab", What::kFocus, "Confidence %"},
    {3, "Tab", What::kFocus, "Sample size n"},  // from no field
    {3, "Tab", What::kFocus, "Sample size n"},  // the result box takes no focus
};

class Keys : public ProgramTest {
 protected:
  Keys() : ProgramTest(nullptr, nullptr) {}
};

TEST_F(Keys, EveryKeyRunsItsCommandWhileItIsEnabled) {
  const std::string folder = MakeTestFolder("keys");
  std::string hundred;
  for (int i = 1; i <= 100; ++i) hundred += std::to_string(i) + "\r\n";
  ASSERT_TRUE(WriteWholeFile(folder + "\\hundred.txt", hundred));
  int running = -1;
  for (const KeyRow& row : kKeyRows) {
    const Program& p = kPrograms[row.program];
    SCOPED_TRACE(std::string(p.name) + ": " + row.keys);
    if (row.program != running) {
      ASSERT_TRUE(StartAnother(BesideDriver(p.exe), p.className));
      running = row.program;
      SetClipboardText(hundred.substr(0, 15));  // 1 to 5: korvan00's data
    }
    if (row.what == What::kClipboard) SetClipboardText("not a picture");
    const bool thenAbout = row.what == What::kNothing || row.what == What::kClipboard;
    ASSERT_TRUE(PressKeys(main_, row.keys) && (!thenAbout || PressKeys(main_, "Shift+F1")));
    if (thenAbout || row.what == What::kDialog) {
      HWND dialog = WaitForDialog(ProcessId());
      ASSERT_NE(dialog, nullptr) << "no dialog";
      EXPECT_EQ(TextOf(dialog), row.text ? row.text : "About") << ReadMessageBox(dialog).text;
      const std::string answer = row.answer ? row.answer : "", path = answer.empty() ? "" : folder + "\\" + answer;
      if (row.answer && answer != "OK") {
        ASSERT_TRUE(AnswerFileDialog(ProcessId(), row.text, path) &&
                    (path.empty() || WaitUntil([&] { return FileExists(path); })));
      } else {
        PostMessageA(dialog, row.answer ? WM_COMMAND : WM_CLOSE, row.answer ? IDOK : 0, 0);
      }
      ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog stays";
      EXPECT_EQ(row.then ? AnswerMessageBox(program_).text : "", row.then ? row.then : "");
    }
    const auto label = [&] { return TextOf(GetWindow(ThreadState().hwndFocus, GW_HWNDPREV)); };  // of the focused field
    if (row.what == What::kButtonOn || row.what == What::kButtonOff) {
      EXPECT_TRUE(ButtonsBecome({{row.text, row.id}}, row.what == What::kButtonOn ? row.text : ""));
    } else if (row.what == What::kFocus) {
      EXPECT_TRUE(WaitUntil([&] { return label() == row.text; })) << "the focus is on the field of \"" << label() << '"';
    } else if (row.what == What::kClipboard) {
      EXPECT_TRUE(WaitUntil([&] { return !ClipboardDib().empty(); })) << "no page on the clipboard";
    } else if (row.what == What::kEnded) {
      EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(program_, 0); })) << "the program runs on";
      ExpectEnded();
    }
  }
}

std::string NameOf(const ::testing::TestParamInfo<Program>& info) { return info.param.name; }
INSTANTIATE_TEST_SUITE_P(, EveryProgram, ::testing::ValuesIn(kPrograms), NameOf);
INSTANTIATE_TEST_SUITE_P(, EveryProgramJapanese, ::testing::ValuesIn(kPrograms), NameOf);
INSTANTIATE_TEST_SUITE_P(, Release, ::testing::ValuesIn(kPrograms), NameOf);

}  // namespace
