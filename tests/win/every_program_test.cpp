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
#include "korvan95/ids.h"
#include "quibe95/ids.h"
#include "tests/win/program_fixture.h"
#include "zorpa95/ids.h"

namespace {

struct Program {
  const char* name;
  const char* exe;  // as shipped
  const char* className;
  int width, height;         // the fixed window (height below the caption), centred on the screen
  std::vector<int> on, off;  // icon-bar buttons enabled and disabled at the start
  int about, help, exit;     // their control ids
  const char* title[2];      // English, Japanese
  const char* aboutLine[2];  // a text of the About box
  const char* manual[2];     // opened by Help: a PDF by the shell, a text by Notepad
  const char* missing[2];    // Help's message when the manual is missing
};

constexpr int K95(int button) { return ButtonControlId(button); }

const Program kPrograms[] = {
    {.name = "korvan95", .exe = "KORVAN95.EXE", .className = "KORVAN95", .width = 0, .height = 0,
     .on = {K95(kButtonDataInput), K95(kButtonAbout), K95(kButtonHowToUse), K95(kButtonExit)},
     .off = {K95(kButtonSaveAs), K95(kButtonPrint), K95(kButtonCopy), K95(kButtonDataRead), K95(kButtonPreviousPage),
             K95(kButtonNextPage), K95(kButtonAnalysis)},
     .about = K95(kButtonAbout), .help = K95(kButtonHowToUse), .exit = K95(kButtonExit),
     .title = {"Korvan", "コルヴァン"}, .aboutLine = {"Korvan (V 2.34)", "コルヴァン (V 2.34)"},
     .manual = {"KORVAN_E.PDF", "KORVAN_J.PDF"},
     .missing = {"Install the readme file (KORVAN_E.PDF)\nin the same directory.",
                 "説明書ファイル（KORVAN_J.PDF）を同じ\nフォルダーに入れてください."}},
    {.name = "korvan00", .exe = "KORVAN00.EXE", .className = "KORVAN00", .width = 480, .height = 383,
     .on = {korvan00::kButtonSetConditions, korvan00::kButtonAnalysis, korvan00::kButtonAbout, korvan00::kButtonHelp,
            korvan00::kButtonExit},
     .off = {korvan00::kButtonDrawGraph, korvan00::kButtonCopyGraph, korvan00::kButtonSaveGraph,
             korvan00::kButtonPrintGraph},
     .about = korvan00::kButtonAbout, .help = korvan00::kButtonHelp, .exit = korvan00::kButtonExit,
     .title = {"Korvan [II]", "コルヴァン [II]"}, .aboutLine = {"Korvan (V 2.14)", "コルヴァン (V 2.14)"},
     .manual = {"KORVAN0E.PDF", "KORVAN0J.PDF"},
     .missing = {"Install the readme file (KORVAN0E.PDF)\nin the same directory.",
                 "説明書ファイル（KORVAN0J.PDF）を同じ\nフォルダーに入れてください."}},
    {.name = "zorpa95", .exe = "ZORPA95.EXE", .className = "ZORPA_CLASS", .width = 336, .height = 205,
     .on = {zorpa95::kButtonMean, zorpa95::kButtonVariance, zorpa95::kButtonAbout, zorpa95::kButtonHelp, zorpa95::kButtonExit},
     .off = {}, .about = zorpa95::kButtonAbout, .help = zorpa95::kButtonHelp, .exit = zorpa95::kButtonExit,
     .title = {"Zorpa", "ゾルパ"}, .aboutLine = {"Version 1.09", "ゾルパ"}, .manual = {"ZORPA95.TXT", "ZORPA95.TXT"},
     .missing = {"Install the readme file (ZORPA95.TXT)\nin the same directory.",
                 "説明ファイル(ZORPA95.TXT)を、本フォルダに\nインストールしてください."}},
    {.name = "quibe95", .exe = "QUIBE95.EXE", .className = "QUIBE_CLASS", .width = 336, .height = 161,
     .on = {quibe95::kButtonGet, quibe95::kButtonAbout, quibe95::kButtonHelp, quibe95::kButtonExit},
     .off = {}, .about = quibe95::kButtonAbout, .help = quibe95::kButtonHelp, .exit = quibe95::kButtonExit,
     .title = {"Quibe", "クイベ"}, .aboutLine = {"Version 1.08", "クイベ"}, .manual = {"QUIBE95.TXT", "QUIBE95.TXT"},
     .missing = {"Install the readme file (QUIBE95.TXT)\nin the same directory.",
                 "説明ファイル(QUIBE95.TXT)を、本フォルダに\nインストールしてください."}},
};

// The version resource of a program: the numbers and texts of the suite's VERSION file, the
// product and the licence holder, and the file name the program is shipped under.
void CheckVersion(const std::string& path, const char* fileName) {
  SCOPED_TRACE(path);
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(std::sscanf(SUITE_VERSION, "%u.%u.%u", &major, &minor, &patch), 3) << SUITE_VERSION;
  const std::wstring file = Wide(path);
  std::vector<char> block(GetFileVersionInfoSizeW(file.c_str(), nullptr));
  ASSERT_FALSE(block.empty()) << "no version resource";
  ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO));
  const VS_FIXEDFILEINFO& f = *static_cast<const VS_FIXEDFILEINFO*>(value);
  const DWORD ms = (major << 16) | minor, ls = patch << 16;
  EXPECT_EQ((std::vector<DWORD>{f.dwSignature, f.dwFileVersionMS, f.dwFileVersionLS, f.dwProductVersionMS,
                                f.dwProductVersionLS, f.dwFileType}),
            (std::vector<DWORD>{0xFEEF04BD, ms, ls, ms, ls, VFT_APP}));
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
    for (int id : p.on) EXPECT_TRUE(IsWindowEnabled(IconBarButton(main_, id))) << id;
    for (int id : p.off) EXPECT_FALSE(IsWindowEnabled(IconBarButton(main_, id))) << id;

    // A second start ends at once (exit code 0) and leaves one window.
    RunningProgram second;
    ASSERT_TRUE(LaunchProgram(folder + "\\" + p.exe, second));
    EXPECT_TRUE(ProcessEnded(second, kWaitMs)) << "the second start runs on";
    EXPECT_EQ(TopLevelWindows(p.className).size(), 1u);
    EXPECT_EQ(StopProgram(second), 0u);

    // About closes with OK, or its close box (here in Japanese), but not with Esc.
    ClickIconBarButton(main_, p.about);
    HWND about = WaitForDialog(ProcessId());
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(TextOf(about), language ? "御案内" : "About");
    EXPECT_NE(ChildWithText(about, p.aboutLine[language]), nullptr) << p.aboutLine[language];
    DWORD_PTR result = 0;
    SendMessageTimeoutA(about, WM_COMMAND, IDCANCEL, 0, SMTO_NORMAL, kWaitMs, &result);  // what Esc sends
    EXPECT_TRUE(IsWindowVisible(about)) << "Esc closed About";
    if (language) {
      PostMessageA(about, WM_CLOSE, 0, 0);
    } else {
      PressDialogButton(about, IDOK);
    }
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));

    // Help opens the manual beside the program: the shell is asked to open a PDF, Notepad is
    // started with a text (each recorded instead of run). Without it: the message.
    const std::string manual = folder + "\\" + p.manual[language];
    ASSERT_TRUE(RecordOpens());
    ClickIconBarButton(main_, p.help);
    EXPECT_EQ(RecordedOpen(), manual);
    ASSERT_TRUE(MoveFileTo(manual, manual + ".away"));
    EXPECT_EQ(ClickAndAnswer(p.help), (BoxContent{language ? "エラー" : "Error", p.missing[language]}));
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

std::string NameOf(const ::testing::TestParamInfo<Program>& info) {
  return info.param.name;
}
INSTANTIATE_TEST_SUITE_P(, EveryProgram, ::testing::ValuesIn(kPrograms), NameOf);
INSTANTIATE_TEST_SUITE_P(, EveryProgramJapanese, ::testing::ValuesIn(kPrograms), NameOf);
INSTANTIATE_TEST_SUITE_P(, Release, ::testing::ValuesIn(kPrograms), NameOf);

}  // namespace
