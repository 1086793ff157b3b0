// The graph output on a real window: a page drawn into a memory DC is captured, written as a
// BMP file, copied to the clipboard, printed to the PDF printer; the safe write keeps a good
// file when a write fails; the Print Zoom dialog is driven from a second thread. Message
// boxes are routed to a recorder instead of being shown.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "output/drive_rules.h"
#include "output/output.h"

namespace {

// ---- Message recorder ---------------------------------------------------------------------

struct RecordedBox {
  std::string text;
  std::string caption;
  UINT style;
  HWND owner;
};
std::vector<RecordedBox> recordedBoxes;

int WINAPI RecordMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  recordedBoxes.push_back({text, caption, style, owner});
  return IDOK;
}

// ---- A window with a drawn page -----------------------------------------------------------

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  RECT area = {left, top, right, bottom};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

class OutputWindow : public ::testing::Test {
 protected:
  // One window for all tests: creating a window and sizing it takes Wine a moment.
  static void SetUpTestSuite() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OutputTestWindow";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&windowClass);
    RECT frame = {0, 0, 640, 421};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    window_ = CreateWindowExA(0, "OutputTestWindow", "Output test", WS_OVERLAPPEDWINDOW, 10, 10,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
  }
  static void TearDownTestSuite() { DestroyWindow(window_); }

  void SetUp() override {
    recordedBoxes.clear();
    ASSERT_NE(window_, nullptr);
    SetClientSize(640, 421);
    context_.window = window_;
    context_.instance = GetModuleHandleA(nullptr);
    context_.program = kKorvan95;
    context_.windowsVersionClass = 6;
    context_.showMessage = RecordMessage;
  }

  void TearDown() override { ReleaseCanvas(); }

  void SetClientSize(int width, int height) {
    RECT now = {};
    GetClientRect(window_, &now);
    if (now.right == width && now.bottom == height) return;
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client = {};
    GetClientRect(window_, &client);
    ASSERT_EQ(client.right, width);
    ASSERT_EQ(client.bottom, height);
  }

  // A page for the present client size: white, a black band at the top left, a blue square,
  // a red square at the bottom right.
  void DrawPage(COLORREF background = kWhite) {
    ReleaseCanvas();
    RECT client = {};
    GetClientRect(window_, &client);
    HDC windowDc = GetDC(window_);
    canvas_.dc = CreateCompatibleDC(windowDc);
    bitmap_ = CreateCompatibleBitmap(windowDc, client.right, client.bottom - kIconBarStrip);
    ReleaseDC(window_, windowDc);
    oldBitmap_ = SelectObject(canvas_.dc, bitmap_);
    canvas_.width = client.right;
    canvas_.height = client.bottom;
    const int w = client.right, h = client.bottom - kIconBarStrip;
    Fill(canvas_.dc, 0, 0, w, h, background);
    Fill(canvas_.dc, 0, 0, w / 2, 20, kBlack);
    Fill(canvas_.dc, 100, 100, 200, 200, kBlue);
    Fill(canvas_.dc, w - 100, h - 100, w, h, kRed);
  }

  void ReleaseCanvas() {
    if (!canvas_.dc) return;
    SelectObject(canvas_.dc, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(canvas_.dc);
    canvas_ = PageCanvas{};
  }

  static HWND window_;
  PageCanvas canvas_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  OutputContext context_;
};

HWND OutputWindow::window_ = nullptr;

// ---- Helpers ------------------------------------------------------------------------------

std::uint32_t Field(const std::vector<unsigned char>& b, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | b.at(at + i);
  return value;
}

// Palette index of pixel (x, y), counted from the top, of 4-bit rows starting at `pixels`.
int IndexAt(const std::vector<unsigned char>& bytes, std::size_t pixels, int width, int height,
            int x, int y) {
  const std::size_t row = (static_cast<std::size_t>(width) * 4 + 31) / 32 * 4;
  const unsigned char byte = bytes.at(pixels + row * static_cast<std::size_t>(height - 1 - y) + x / 2);
  return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

std::vector<unsigned char> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {});
}

std::string TestFolder(const char* name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + name;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const std::string file = folder + "\\" + found.cFileName;
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

int FilesIn(const std::string& folder) {
  int count = 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

// Runs `act` on the first visible dialog owned by `owner` once it shows, from a second thread.
class DialogHelper {
 public:
  template <typename Action>
  DialogHelper(HWND owner, Action act)
      : thread_([this, owner, act] {
          for (int i = 0; i < 300 && !done_; ++i) {
            HWND dialog = FindOwnedDialog(owner);
            if (dialog) {
              act(dialog);
              found_ = true;
              return;
            }
            Sleep(50);
          }
        }) {}
  ~DialogHelper() {
    done_ = true;
    thread_.join();
  }
  bool found() const { return found_; }

  static HWND FindOwnedDialog(HWND owner) {
    struct Search {
      HWND owner;
      HWND found;
    } search = {owner, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(parameter);
          char className[16] = {};
          GetClassNameA(window, className, sizeof className);
          if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window) &&
              GetWindow(window, GW_OWNER) == s.owner) {
            s.found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

 private:
  std::atomic<bool> done_{false};
  std::atomic<bool> found_{false};
  std::thread thread_;
};

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// ---- Capture and BMP file -----------------------------------------------------------------

TEST_F(OutputWindow, BitmapFileOfTheDrawnPage) {
  DrawPage();
  const std::string folder = TestFolder("output_bmp");
  const std::string path = folder + "\\page.bmp";
  PageImage image;
  ASSERT_EQ(image.Capture(window_, canvas_), PageImage::Outcome::kCaptured);
  EXPECT_EQ(image.bytes(), 128104u);
  ASSERT_EQ(WriteBitmapFile(context_, image, path.c_str()), 1);
  EXPECT_TRUE(recordedBoxes.empty());
  const std::vector<unsigned char> file = ReadFileBytes(path);
  ASSERT_EQ(file.size(), 128118u);
  const struct {
    std::size_t offset;
    int size;
    std::uint32_t value;
  } fields[] = {{0, 2, 0x4D42}, {2, 4, 128118}, {10, 4, 118}, {14, 4, 40}, {18, 4, 640},
                {22, 4, 400},   {26, 2, 1},     {28, 2, 4},   {30, 4, 0},  {34, 4, 128000},
                {46, 4, 16},    {50, 4, 0},     {54 + 4 * 7, 4, 0x808080},
                {54 + 4 * 8, 4, 0xC0C0C0},      {54 + 4 * 9, 4, 0xFF0000},
                {54 + 4 * 12, 4, 0x0000FF},     {54 + 4 * 15, 4, 0xFFFFFF}};
  for (const auto& f : fields) EXPECT_EQ(Field(file, f.offset, f.size), f.value) << f.offset;
  const struct {
    int x, y, index;
  } pixels[] = {{0, 0, 0},    {319, 19, 0},  {320, 19, 15}, {0, 20, 15},  {150, 150, 12},
                {100, 100, 12}, {99, 100, 15}, {199, 199, 12}, {200, 199, 15}, {639, 399, 9},
                {540, 300, 9},  {539, 300, 15}, {639, 0, 15}};
  for (const auto& p : pixels) {
    EXPECT_EQ(IndexAt(file, 118, 640, 400, p.x, p.y), p.index) << p.x << ", " << p.y;
  }
}

TEST_F(OutputWindow, ResizedWindowScalesThePage) {
  DrawPage();
  SetClientSize(320, 221);  // half the page width and height below the bar
  PageImage image;
  ASSERT_EQ(image.Capture(window_, canvas_), PageImage::Outcome::kCaptured);
  EXPECT_EQ(image.size().width, 320);
  EXPECT_EQ(image.size().height, 200);
  GlobalBlockLock lock(image.block());
  const unsigned char* block = lock.Address();
  ASSERT_NE(block, nullptr);
  const std::vector<unsigned char> bytes(block, block + image.bytes());
  EXPECT_EQ(IndexAt(bytes, 104, 320, 200, 5, 5), 0);
  EXPECT_EQ(IndexAt(bytes, 104, 320, 200, 75, 75), 12);
  EXPECT_EQ(IndexAt(bytes, 104, 320, 200, 310, 190), 9);
  EXPECT_EQ(IndexAt(bytes, 104, 320, 200, 250, 100), 15);
}

TEST_F(OutputWindow, BlackAndWhitePageGivesTwoIndexes) {
  ReleaseCanvas();
  DrawPage();
  Fill(canvas_.dc, 100, 100, 200, 200, kWhite);
  Fill(canvas_.dc, 540, 300, 640, 400, kBlack);
  PageImage image;
  ASSERT_EQ(image.Capture(window_, canvas_), PageImage::Outcome::kCaptured);
  GlobalBlockLock lock(image.block());
  const unsigned char* block = lock.Address();
  ASSERT_NE(block, nullptr);
  int others = 0;
  for (std::size_t i = 104; i < image.bytes(); ++i) {
    for (int nibble : {block[i] >> 4, block[i] & 0x0F}) others += nibble != 0 && nibble != 15;
  }
  EXPECT_EQ(others, 0);
}

TEST_F(OutputWindow, NothingToCaptureBelowTheBar) {
  DrawPage();
  SetClientSize(200, 21);
  PageImage image;
  EXPECT_EQ(image.Capture(window_, canvas_), PageImage::Outcome::kNothing);
  EXPECT_EQ(image.block(), nullptr);
  EXPECT_EQ(CopyGraph(context_, canvas_), 0);
  EXPECT_TRUE(recordedBoxes.empty());
}

// A page that cannot be captured (here its canvas is gone, as when GDI runs out) is told, and
// nothing reaches the clipboard or the printer.
TEST_F(OutputWindow, AFailedCaptureIsToldAndNothingIsOutput) {
  DrawPage();
  HDC gone = CreateCompatibleDC(nullptr);
  DeleteDC(gone);
  const PageCanvas broken{gone, canvas_.width, canvas_.height};
  PrintState print;
  PreparePrintState(print, window_);
  EXPECT_EQ(CopyGraph(context_, broken), 0);
  EXPECT_EQ(PrintPage(context_, broken, print), 0);
  ReleasePrintState(print);
  ASSERT_EQ(recordedBoxes.size(), 2u);
  for (const RecordedBox& box : recordedBoxes) {
    EXPECT_EQ(box.text, "Unable to allocate memory for the graph.");
    EXPECT_EQ(box.caption, "Error");
  }
}

// ---- Save Graph ---------------------------------------------------------------------------

// The file-name box of a save dialog: the edit of the combo box 0x47c (Explorer style), the
// edit 0x480 (older style), or else the first visible edit of the dialog (the item dialog).
HWND FileNameBox(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, 0x47c)) {
    if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) return edit;
  }
  if (HWND edit = GetDlgItem(dialog, 0x480)) return edit;
  HWND found = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM parameter) -> BOOL {
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        if (_stricmp(className, "Edit") != 0 || !IsWindowVisible(child)) return TRUE;
        *reinterpret_cast<HWND*>(parameter) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Puts `name` into the file-name box of a save dialog and presses Save until the dialog
// closes; an empty name presses Cancel. A dialog that will not close is cancelled, so that a
// failing test never hangs.
void AnswerSaveDialog(HWND dialog, const std::string& name) {
  HWND edit = nullptr;
  for (int i = 0; i < 100 && !(edit = FileNameBox(dialog)); ++i) Sleep(50);
  for (int i = 0; i < 100 && IsWindow(dialog); ++i) {
    if (name.empty() || !edit || i >= 60) {
      Press(dialog, IDCANCEL);
    } else if (i % 20 == 0) {
      SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
      Press(dialog, IDOK);
    }
    Sleep(50);
  }
}

TEST_F(OutputWindow, SaveGraphAsChecksTheName) {
  DrawPage();
  const std::string folder = TestFolder("output_save");
  const struct {
    OutputProgram program;
    const char* typed;     // file name typed into the dialog; "" cancels
    const char* written;   // the file that must exist afterwards, or null
    const char* message;   // the message shown, or null
  } cases[] = {
      {kKorvan95, "page.Bmp", "page.Bmp", nullptr},
      {kKorvan95, "noext", "noext.BMP", nullptr},  // the dialog adds the default extension
      {kKorvan00, "noext0", "noext0.bmp", nullptr},
      {kKorvan95, "page.bitmap", nullptr, "Assign a file with BMP extension."},
      {kKorvan00, "", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    recordedBoxes.clear();
    context_.program = c.program;
    std::string title;
    int saved = -1;
    {
      DialogHelper helper(window_, [&](HWND dialog) {
        char text[128] = {};
        GetWindowTextA(dialog, text, sizeof text);
        title = text;
        AnswerSaveDialog(dialog, *c.typed ? folder + "\\" + c.typed : std::string());
      });
      saved = SaveGraphAs(context_, canvas_);
    }
    EXPECT_EQ(title, "Assign a file to save the graph.") << c.typed;
    EXPECT_EQ(saved, c.written ? 1 : 0) << c.typed;
    if (c.written) {
      const std::string path = folder + "\\" + c.written;
      WIN32_FIND_DATAA found;
      HANDLE search = FindFirstFileA(path.c_str(), &found);
      ASSERT_NE(search, INVALID_HANDLE_VALUE) << path;
      FindClose(search);
      // The case of an added extension is the dialog's affair.
      EXPECT_EQ(_stricmp(found.cFileName, c.written), 0) << found.cFileName;
      EXPECT_EQ(ReadFileBytes(path).size(), 128118u) << path;
    }
    ASSERT_EQ(recordedBoxes.size(), c.message ? 1u : 0u) << c.typed;
    if (c.message) {
      EXPECT_EQ(recordedBoxes[0].text, c.message);
      EXPECT_EQ(recordedBoxes[0].caption, "Error");
      EXPECT_EQ(recordedBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    }
  }
  EXPECT_EQ(FilesIn(folder), 3);
}

// ---- Safe write ---------------------------------------------------------------------------

TEST_F(OutputWindow, SafeWriteReplacesOrRefuses) {
  const std::string folder = TestFolder("output_safe");
  const std::string path = folder + "\\data.txt";
  const std::string good = "good file\r\n";
  ASSERT_EQ(WriteFileSafely(path.c_str(), good.data(), good.size()), SafeWriteOutcome::kWritten);
  const std::string newer(100000, 'x');
  ASSERT_EQ(WriteFileSafely(path.c_str(), newer.data(), newer.size()), SafeWriteOutcome::kWritten);
  EXPECT_EQ(ReadFileBytes(path).size(), 100000u);
  EXPECT_EQ(FilesIn(folder), 1);
  // A read-only target is not replaced; a folder that does not exist takes nothing.
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(WriteFileSafely(path.c_str(), good.data(), good.size()), SafeWriteOutcome::kUnableToOpen);
  EXPECT_EQ(ReadFileBytes(path).size(), 100000u);
  EXPECT_EQ(FilesIn(folder), 1);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  const std::string missing = folder + "\\no such folder\\data.txt";
  EXPECT_EQ(WriteFileSafely(missing.c_str(), good.data(), good.size()),
            SafeWriteOutcome::kUnableToOpen);
  // A temporary name left by another writer is passed over.
  const std::string leftOver = TemporaryPathFor(path, 0);
  std::ofstream(leftOver) << "left over";
  EXPECT_EQ(WriteFileSafely(path.c_str(), good.data(), good.size()), SafeWriteOutcome::kWritten);
  EXPECT_EQ(ReadFileBytes(path).size(), good.size());
  EXPECT_EQ(ReadFileBytes(leftOver).size(), 9u);
}

// Runs only under a file-size limit of 8 KiB (the ctest entry output_write_failure): every
// write beyond it fails as on a full disk.
TEST_F(OutputWindow, FailedWriteKeepsTheGoodFile) {
  if (!std::getenv("OUTPUT_TEST_FILE_LIMIT")) GTEST_SKIP() << "needs the file-size limit";
  DrawPage();
  const std::string folder = TestFolder("output_full");
  const std::string path = folder + "\\page.bmp";
  const std::string good = "a good file that must survive";
  ASSERT_EQ(WriteFileSafely(path.c_str(), good.data(), good.size()), SafeWriteOutcome::kWritten);
  PageImage image;
  ASSERT_EQ(image.Capture(window_, canvas_), PageImage::Outcome::kCaptured);
  for (int japanese : {0, 1}) {
    recordedBoxes.clear();
    context_.useJapanese = japanese;
    EXPECT_EQ(WriteBitmapFile(context_, image, path.c_str()), 0);
    ASSERT_EQ(recordedBoxes.size(), 1u);
    EXPECT_EQ(recordedBoxes[0].text, japanese ? "ファイルに書き込めません." : "Unable to write to file.");
    EXPECT_EQ(recordedBoxes[0].caption, japanese ? "エラー" : "Error");
    EXPECT_EQ(recordedBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(recordedBoxes[0].owner, window_);
    const std::vector<unsigned char> kept = ReadFileBytes(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), good);
    EXPECT_EQ(FilesIn(folder), 1);
  }
}

// ---- Drive checks -------------------------------------------------------------------------

TEST(DriveChecksOnWine, FixedDrivesAndMissingLetters) {
  EXPECT_EQ(IsRefusedDrive("C:\\"), 0);
  EXPECT_EQ(IsRefusedDrive("Z:\\"), 0);
  EXPECT_EQ(IsRefusedDrive("Q:\\"), 1);  // no mapping: no root directory
  EXPECT_EQ(IsRefusedDrive("\\\\s"), 1);
  for (int versionClass : {0, 6}) {
    EXPECT_EQ(HasEnoughFreeSpace("C:\\", 1000, versionClass), 1) << versionClass;
    EXPECT_EQ(HasEnoughFreeSpace("C:\\", 0xFFFFFFFFFFFFull - 1000, versionClass), 0);
  }
  // A drive that cannot be asked does not block the write.
  EXPECT_EQ(HasEnoughFreeSpace("Q:\\", 1000, 6), 1);
}

// ---- Clipboard ----------------------------------------------------------------------------

std::vector<unsigned char> ClipboardDib(HWND owner) {
  std::vector<unsigned char> bytes;
  if (!OpenClipboard(owner)) return bytes;
  if (HANDLE data = GetClipboardData(CF_DIB)) {
    const auto* address = static_cast<const unsigned char*>(GlobalLock(data));
    if (address) bytes.assign(address, address + GlobalSize(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
}

TEST_F(OutputWindow, CopyPutsTheDibOnTheClipboard) {
  DrawPage();
  ASSERT_EQ(CopyGraph(context_, canvas_), 1);
  EXPECT_TRUE(recordedBoxes.empty());
  std::vector<unsigned char> dib = ClipboardDib(window_);
  ASSERT_EQ(dib.size(), 128104u);
  const struct {
    std::size_t offset;
    int size;
    std::uint32_t value;
  } fields[] = {{0, 4, 40},  {4, 4, 640}, {8, 4, 400},      {12, 2, 1},  {14, 2, 4},
                {16, 4, 0},  {20, 4, 128000}, {24, 4, 0},   {28, 4, 0},  {32, 4, 16},
                {36, 4, 16}, {40 + 4 * 7, 4, 0x808080},     {40 + 4 * 12, 4, 0x0000FF}};
  for (const auto& f : fields) EXPECT_EQ(Field(dib, f.offset, f.size), f.value) << f.offset;
  EXPECT_EQ(IndexAt(dib, 104, 640, 400, 150, 150), 12);
  EXPECT_EQ(IndexAt(dib, 104, 640, 400, 0, 0), 0);

  // A second copy replaces the first.
  DrawPage(kRed);
  ASSERT_EQ(CopyGraph(context_, canvas_), 1);
  dib = ClipboardDib(window_);
  ASSERT_EQ(dib.size(), 128104u);
  EXPECT_EQ(IndexAt(dib, 104, 640, 400, 300, 300), 9);
  EXPECT_EQ(IndexAt(dib, 104, 640, 400, 150, 150), 12);
}

TEST_F(OutputWindow, ClipboardHeldElsewhereIsReported) {
  DrawPage();
  std::atomic<bool> held{false}, release{false};
  std::thread holder([&] {
    HWND other = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    if (OpenClipboard(other)) {
      held = true;
      while (!release) Sleep(10);
      CloseClipboard();
    }
    DestroyWindow(other);
  });
  for (int i = 0; i < 200 && !held; ++i) Sleep(10);
  ASSERT_TRUE(held);
  for (int japanese : {0, 1}) {
    recordedBoxes.clear();
    context_.useJapanese = japanese;
    EXPECT_EQ(CopyGraph(context_, canvas_), 0);
    ASSERT_EQ(recordedBoxes.size(), 1u);
    EXPECT_EQ(recordedBoxes[0].text, japanese ? "グラフをクリップボードにコピーできません."
                                              : "Unable to copy the graph to the clipboard.");
    EXPECT_EQ(recordedBoxes[0].caption, japanese ? "エラー" : "Error");
    EXPECT_EQ(recordedBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
  }
  release = true;
  holder.join();
}

// ---- Print Zoom ---------------------------------------------------------------------------

struct ZoomRun {
  int opened;
  const char* typed;        // text put into the edit box, or null
  int pagesLeft;            // SB_PAGELEFT scroll events
  int endBy;                // IDOK, IDCANCEL or 0 for WM_CLOSE
  int scrollShown;          // scroll position before the dialog ends
  int factorAfter;
  bool warning;
};

TEST_F(OutputWindow, PrintZoomDialog) {
  const ZoomRun runs[] = {
      {100, "150", 0, IDOK, 100, 100, true},   {100, "50", 0, IDOK, 50, 50, false},
      {60, "5", 0, IDOK, 20, 60, true},        {50, nullptr, 5, IDOK, 20, 20, false},
      {80, "30", 0, IDCANCEL, 30, 80, false},  {80, nullptr, 2, 0, 60, 80, false},
  };
  for (const ZoomRun& run : runs) {
    recordedBoxes.clear();
    ZoomState zoom;
    zoom.zoomFactor = zoom.zoomTyped = run.opened;
    int scrollShown = -1;
    {
      DialogHelper helper(window_, [&](HWND dialog) {
        if (run.typed) SetDlgItemTextA(dialog, 116, run.typed);
        for (int i = 0; i < run.pagesLeft; ++i) {
          SendMessageA(dialog, WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(GetDlgItem(dialog, 115)));
        }
        scrollShown = GetScrollPos(GetDlgItem(dialog, 115), SB_CTL);
        if (run.endBy) {
          Press(dialog, run.endBy);
        } else {
          PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
      });
      ShowPrintZoom(context_, zoom);
      EXPECT_TRUE(helper.found());
    }
    const std::string what = std::string(run.typed ? run.typed : "scroll") + " end " +
                             std::to_string(run.endBy);
    EXPECT_EQ(zoom.zoomFactor, run.factorAfter) << what;
    EXPECT_EQ(zoom.zoomTyped, run.factorAfter) << what;
    EXPECT_EQ(scrollShown, run.scrollShown) << what;
    ASSERT_EQ(recordedBoxes.size(), run.warning ? 1u : 0u) << what;
    if (run.warning) {
      EXPECT_EQ(recordedBoxes[0].text,
                "Zoom out factor was out of the limits\nso that the previous value has been set.");
      EXPECT_EQ(recordedBoxes[0].caption, "Warning");
      EXPECT_EQ(recordedBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    }
  }
}

// Run under the Japanese code page (ctest entry output_win_japanese).
TEST_F(OutputWindow, JapanesePrintZoomTemplate) {
  if (GetACP() != 932) GTEST_SKIP() << "needs code page 932";
  context_.useJapanese = 1;
  ZoomState zoom;
  std::string title, label, cancel;
  {
    DialogHelper helper(window_, [&](HWND dialog) {
      char text[64] = {};
      GetWindowTextA(dialog, text, sizeof text);
      title = text;
      GetDlgItemTextA(dialog, IDCANCEL, text, sizeof text);
      cancel = text;
      SetDlgItemTextA(dialog, 116, "150");
      Press(dialog, IDOK);
    });
    ShowPrintZoom(context_, zoom);
  }
  EXPECT_EQ(title, "ズーム設定");
  EXPECT_EQ(cancel, "ｷｬﾝｾﾙ");
  EXPECT_EQ(zoom.zoomFactor, 100);
  ASSERT_EQ(recordedBoxes.size(), 1u);
  EXPECT_EQ(recordedBoxes[0].text, "ズーム係数が範囲外です.\n前の値にセットします.");
  EXPECT_EQ(recordedBoxes[0].caption, "警告");
}

TEST_F(OutputWindow, MissingDialogTemplateIsReported) {
  context_.instance = GetModuleHandleA("kernel32.dll");  // holds no Print Zoom template
  context_.program = kKorvan00;
  ZoomState zoom;
  ShowPrintZoom(context_, zoom);
  ASSERT_EQ(recordedBoxes.size(), 1u);
  EXPECT_EQ(recordedBoxes[0].text, "Unable to display dialog");
  EXPECT_EQ(recordedBoxes[0].caption, "System Error");
  EXPECT_EQ(recordedBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_SYSTEMMODAL));
  EXPECT_EQ(recordedBoxes[0].owner, nullptr);
}

// ---- Printing -----------------------------------------------------------------------------

// Prints the page to the default printer (the PDF queue) at zoom 50. The ctest entry
// output_printed_pdf then checks the PDF the queue wrote.
TEST_F(OutputWindow, PrintToTheDefaultPrinter) {
  if (!std::getenv("OUTPUT_TEST_PRINT")) GTEST_SKIP() << "run by output_printed_pdf";
  DrawPage();
  PrintState state;
  PreparePrintState(state, window_);
  state.zoom.zoomFactor = state.zoom.zoomTyped = 50;
  int printed = 0;
  {
    DialogHelper helper(window_, [](HWND dialog) { Press(dialog, IDOK); });
    printed = PrintPage(context_, canvas_, state);
    EXPECT_TRUE(helper.found());
  }
  EXPECT_EQ(printed, 1);
  EXPECT_TRUE(recordedBoxes.empty());
  EXPECT_EQ(state.settings.hDC, nullptr);
  ReleasePrintState(state);
}

}  // namespace
