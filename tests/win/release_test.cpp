// The version resource every program carries, and the release archives as a user unpacks
// them: the programs start from the unpacked folder and Help finds the manual or readme
// beside them.
//
// The Release tests run when tests/check-dist.sh names the unpacked folders in
// KORVAN_RELEASE_WIN64 and KORVAN_RELEASE_WIN32 (Windows paths); without them they are skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "korvan00/ids.h"
#include "korvan95/ids.h"
#include "tests/win/program_fixture.h"

namespace {

struct VersionResource {
  bool found = false;
  DWORD fileMS = 0, fileLS = 0, productMS = 0, productLS = 0;
  DWORD fileType = 0;
  std::string String(const char* name) const {
    void* value = nullptr;
    UINT length = 0;
    const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(block.data(), key.c_str(), &value, &length) || !value) return "(missing)";
    return std::string(static_cast<const char*>(value), length > 0 ? length - 1 : 0);
  }
  std::vector<char> block;
};

VersionResource ReadVersion(const std::string& path) {
  VersionResource version;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return version;
  version.block.resize(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, version.block.data())) return version;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(version.block.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
    return version;
  }
  const VS_FIXEDFILEINFO& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
  if (fixed.dwSignature != 0xFEEF04BD) return version;
  version.found = true;
  version.fileMS = fixed.dwFileVersionMS;
  version.fileLS = fixed.dwFileVersionLS;
  version.productMS = fixed.dwProductVersionMS;
  version.productLS = fixed.dwProductVersionLS;
  version.fileType = fixed.dwFileType;
  return version;
}

const char* const kPrograms[] = {"KORVAN95.EXE", "KORVAN00.EXE", "ZORPA95.EXE", "QUIBE95.EXE"};

// The version resource of one program: the numbers and texts of the suite's VERSION file,
// the product and the licence holder, and the file name the program is shipped under.
void CheckVersion(const std::string& path, const char* fileName) {
  SCOPED_TRACE(path);
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(std::sscanf(SUITE_VERSION, "%u.%u.%u", &major, &minor, &patch), 3) << SUITE_VERSION;
  const VersionResource version = ReadVersion(path);
  ASSERT_TRUE(version.found) << "no version resource";
  EXPECT_EQ(version.fileMS, (major << 16) | minor);
  EXPECT_EQ(version.fileLS, patch << 16);
  EXPECT_EQ(version.productMS, version.fileMS);
  EXPECT_EQ(version.productLS, version.fileLS);
  EXPECT_EQ(version.fileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(version.String("FileVersion"), SUITE_VERSION);
  EXPECT_EQ(version.String("ProductVersion"), SUITE_VERSION);
  EXPECT_EQ(version.String("ProductName"), "Korvan suite");
  EXPECT_EQ(version.String("CompanyName"), "the Korvan suite developers");
  EXPECT_EQ(version.String("LegalCopyright"), "Copyright (c) 2026 the Korvan suite developers");
  EXPECT_EQ(version.String("OriginalFilename"), fileName);
  EXPECT_NE(version.String("FileDescription"), "(missing)");
}

std::string ReleaseFolder(const char* variable) {
  const char* value = std::getenv(variable);
  return value ? value : "";
}

// The programs are started by the tests, one after the other.
class Release : public ProgramTest {
 protected:
  Release() : ProgramTest(nullptr, nullptr) {}
};

}  // namespace

TEST(Version, EveryProgramCarriesTheSuiteVersion) {
  for (const char* program : kPrograms) CheckVersion(BesideDriver(program), program);
}

TEST_F(Release, EveryUnpackedProgramCarriesTheSuiteVersion) {
  const std::string win64 = ReleaseFolder("KORVAN_RELEASE_WIN64");
  const std::string win32 = ReleaseFolder("KORVAN_RELEASE_WIN32");
  if (win64.empty() || win32.empty()) GTEST_SKIP() << "no unpacked release named";
  for (const std::string& folder : {win64, win32}) {
    for (const char* program : kPrograms) CheckVersion(folder + "\\" + program, program);
  }
}

// Each 64-bit program started from the unpacked folder shows its main window, and Help finds
// its manual beside it: the shell is asked to open the PDF manual there (its "open" recorded
// instead of a viewer started), a readme opens in Notepad; no box comes.
TEST_F(Release, EachProgramStartsAndHelpFindsItsManual) {
  const std::string folder = ReleaseFolder("KORVAN_RELEASE_WIN64");
  if (folder.empty()) GTEST_SKIP() << "no unpacked release named";
  struct Case {
    const char* exe;
    const char* className;
    int helpControl;
    const char* manual;  // a PDF opened by the shell, or nullptr
    const char* readme;  // opened in Notepad, or nullptr
  };
  const Case cases[] = {
      {"KORVAN95.EXE", "KORVAN95", ButtonControlId(kButtonHowToUse), "KORVAN_E.PDF", nullptr},
      {"KORVAN00.EXE", "KORVAN00", korvan00::kButtonHelp, "KORVAN0E.PDF", nullptr},
      {"ZORPA95.EXE", "ZORPA_CLASS", 109, nullptr, "ZORPA95"},
      {"QUIBE95.EXE", "QUIBE_CLASS", 107, nullptr, "QUIBE95"},
  };
  const std::string record = MakeTestFolder("release-help") + "\\opened.txt";
  ASSERT_TRUE(RecordShellOpens(".pdf", record));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.exe);
    for (HWND notepad : TopLevelWindows("Notepad")) PostMessageA(notepad, WM_CLOSE, 0, 0);
    DeleteFileA(record.c_str());
    ASSERT_TRUE(StartAnother(folder + "\\" + c.exe, c.className)) << "no main window";
    ClickIconBarButton(main_, c.helpControl);
    if (c.manual) {
      EXPECT_EQ(RecordedShellOpen(record), folder + "\\" + c.manual);
    } else {
      HWND notepad = nullptr;
      EXPECT_TRUE(WaitUntil([&] {
        for (HWND window : TopLevelWindows("Notepad")) {
          std::string title = TextOf(window);
          for (char& ch : title) ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
          if (title.find(c.readme) != std::string::npos) notepad = window;
        }
        return notepad != nullptr;
      })) << "Notepad did not open the readme";
      if (notepad) PostMessageA(notepad, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(NoDialogWithin(ProcessId(), 300)) << DialogTitle(ProcessId());
  }
}
