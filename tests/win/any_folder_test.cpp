// The commands that read or write a file the user names, in a folder whose name lies outside
// the code page: a name the ANSI calls would turn into a look-alike ("Łukasz" into "Lukasz",
// beside it as a decoy holding files of the same names) or into question marks ("日本語 😀":
// no code page holds the emoji). Each reads or writes the file in the folder chosen; the decoy
// stays as it was. (Help in such a folder: every_program_test.cpp.)
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "korvan00/ids.h"
#include "tests/win/korvan95_steps.h"
#include "tests/win/program_fixture.h"

namespace {

struct FolderCase {
  const char* name;
  const char* folder;
  const char* decoy;  // the look-alike the code page makes of it, or null
  int language;
};

// The titles of the file dialogs and the caption of korvan00's success box, by language.
struct Titles {
  const char *readData, *saveData, *saveGraph, *saveResults, *success;
};
const Titles kTitles[2] = {
    {"Select a data file.", "Assign a file to save the data.", "Assign a file to save the graph.",
     "Assign a file to save the results.", "Success"},
    {"データ・ファイルの選択", "データを保存するファイル名の設定", "グラフを保存するファイル名の設定",
     "結果を保存するファイル名の設定", "成功"}};

const char kValues[] = "1\r\n2\r\n3\r\n4\r\n";  // korvan95's data file, as Data Save writes it
const char kFive[] = "1\r\n2\r\n3\r\n4\r\n5\r\n";
const char* const kFileNames[] = {"values.txt", "saved.txt", "graph.bmp", "results.xls", "graph0.bmp"};

class AnyFolder : public ProgramTest, public ::testing::WithParamInterface<FolderCase> {
 protected:
  AnyFolder() : ProgramTest(nullptr, nullptr) {}
  void Start(const char* exe, const char* className) { ASSERT_TRUE(StartAnother(ProgramPath(exe), className)); }
  // A command whose file dialog is answered with the path (cancelled when empty).
  void Chose(int command, const char* title, const std::string& path) {
    PostCommand(main_, command);
    ASSERT_TRUE(AnswerFileDialog(ProcessId(), title, path)) << title;
  }
  bool Holds(const std::string& path, const std::string& start) {
    return WaitUntil([&] { return ReadWholeFile(path).rfind(start, 0) == 0; });
  }
  void Check();
};
class AnyFolderJapanese : public AnyFolder {};

void AnyFolder::Check() {
  const FolderCase& c = GetParam();
  const Titles& t = kTitles[c.language];
  const std::string folder = MakeTestFolder(c.folder), decoy = c.decoy ? MakeTestFolder(c.decoy) : "";
  const std::string readBack = MakeTestFolder("any-folder-read-back") + "\\read.txt";
  ASSERT_TRUE(WriteWholeFile(folder + "\\values.txt", kValues));
  for (const char* name : kFileNames) ASSERT_TRUE(!c.decoy || WriteWholeFile(decoy + "\\" + name, name));
  // Each row starts its program.
  const std::pair<const char*, std::function<void()>> rows[] = {
      {"korvan95 Data Read",
       [&] {
         Start("korvan95.exe", "KORVAN95");
         Chose(kCmdDataRead, t.readData, folder + "\\values.txt");
         Chose(kCmdDataSave, t.saveData, readBack);  // what was read, where the test reads it
         EXPECT_TRUE(Holds(readBack, kValues)) << ReadWholeFile(readBack);
       }},
      {"korvan95 Data Save",
       [&] {
         Start("korvan95.exe", "KORVAN95");
         Grid(main_, "1\r2\r3\r4\r");
         Chose(kCmdDataSave, t.saveData, folder + "\\saved.txt");
         EXPECT_TRUE(Holds(folder + "\\saved.txt", kValues));
       }},
      {"korvan95 Save As",
       [&] {
         Start("korvan95.exe", "KORVAN95");
         Results(main_);
         Chose(kCmdSaveAs, t.saveGraph, folder + "\\graph.bmp");
         EXPECT_TRUE(Holds(folder + "\\graph.bmp", "BM"));
       }},
      {"korvan00 results file",
       [&] {
         Start("korvan00.exe", "KORVAN00");
         ASSERT_TRUE(SetClipboardText(kFive));
         Chose(korvan00::kCommandAnalysis, t.saveResults, folder + "\\results.xls");
         const BoxContent box = AnswerMessageBox(program_);  // names the path whole
         EXPECT_TRUE(box.caption == t.success && box.text.find(folder + "\\results.xls") != std::string::npos)
             << box.text;
         EXPECT_TRUE(Holds(folder + "\\results.xls",
                           ReadWholeFile(BesideDriver(c.language ? "five-values-ja.xls" : "five-values.xls"))));
       }},
      {"korvan00 Save Graph",
       [&] {
         Start("korvan00.exe", "KORVAN00");
         ASSERT_TRUE(SetClipboardText(kFive));
         Chose(korvan00::kCommandAnalysis, t.saveResults, "");  // no results file
         AnswerMessageBox(program_);
         PostCommand(main_, korvan00::kCommandDrawGraph);
         ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(IconBarButton(main_, korvan00::kButtonSaveGraph)); }));
         Chose(korvan00::kCommandSaveGraph, t.saveGraph, folder + "\\graph0.bmp");
         EXPECT_TRUE(Holds(folder + "\\graph0.bmp", "BM"));
       }},
  };
  for (const auto& [name, run] : rows) {
    SCOPED_TRACE(name);
    run();
  }
  for (const char* name : kFileNames) {
    EXPECT_TRUE(!c.decoy || ReadWholeFile(decoy + "\\" + name) == name) << "the decoy's " << name;
  }
}

TEST_P(AnyFolder, EveryFileCommandUsesTheFolderAsNamed) { Check(); }
TEST_P(AnyFolderJapanese, EveryFileCommandUsesTheFolderAsNamed) { Check(); }

std::string NameOf(const ::testing::TestParamInfo<FolderCase>& info) { return info.param.name; }
INSTANTIATE_TEST_SUITE_P(, AnyFolder,
                         ::testing::Values(FolderCase{"polish_with_decoy", "Łukasz", "Lukasz", 0},
                                           FolderCase{"cjk_and_emoji", "日本語 😀", nullptr, 0}),
                         NameOf);
INSTANTIATE_TEST_SUITE_P(, AnyFolderJapanese, ::testing::Values(FolderCase{"cjk_and_emoji", "日本語 😀", nullptr, 1}),
                         NameOf);

}  // namespace
