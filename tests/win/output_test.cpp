// The graph output on a real window: a page drawn into a memory DC is captured, written as a
// BMP file, copied to the clipboard, printed to the PDF printer; the safe write replaces a file
// or refuses; the Print Zoom dialog is driven from a second thread; each failure is provoked and
// told. Message boxes are routed to a recorder instead of being shown. (The Save dialog and its
// refusals, a write that fails part-way, the Japanese dialog: the programs' tests.)
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "output/drive_rules.h"
#include "output/output.h"
#include "tests/win/driver.h"

namespace {

// ---- Message recorder ---------------------------------------------------------------------

struct RecordedBox {
  std::string text, caption;
  UINT style;
  HWND owner;
  bool operator==(const RecordedBox&) const = default;
};
void PrintTo(const RecordedBox& box, std::ostream* out) {
  *out << '"' << box.caption << "\": \"" << box.text << "\" style " << box.style << (box.owner ? " owned" : "");
}
std::vector<RecordedBox> recordedBoxes;

int WINAPI RecordMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  recordedBoxes.push_back({text, caption, style, owner});
  return IDOK;
}

// ---- A window with a drawn page -----------------------------------------------------------

constexpr COLORREF kBlackInk = RGB(0, 0, 0), kWhiteInk = RGB(255, 255, 255), kRedInk = RGB(255, 0, 0);

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  RECT area = {left, top, right, bottom};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

class OutputWindow : public ::testing::Test {
 protected:
  // One window for all tests: creating a window and sizing it takes Wine a moment.
  static void SetUpTestSuite() {
    window_ = CreateWindowExA(0, "STATIC", "Output test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
  }
  static void TearDownTestSuite() { DestroyWindow(window_); }

  void SetUp() override {
    recordedBoxes.clear();
    ASSERT_NE(window_, nullptr);
    SetClientSize(640, 421);
    context_ = {window_, GetModuleHandleA(nullptr), kKorvan95, 0, 6, RecordMessage};
  }

  void SetClientSize(int width, int height) {
    RECT now = {};
    GetClientRect(window_, &now);
    if (now.right == width && now.bottom == height) return;
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(window_, &now);
    ASSERT_EQ(std::pair(now.right, now.bottom), (std::pair<LONG, LONG>(width, height))) << "client size";
  }

  // A page for the present client size: white, a black band at the top left, a blue square,
  // a red square at the bottom right.
  void DrawPage(COLORREF background = kWhiteInk) {
    RECT client = {};
    GetClientRect(window_, &client);
    HDC dc = owner_.Renew(window_, client.right, client.bottom);
    ASSERT_NE(dc, nullptr);
    canvas_ = owner_.view();
    const int w = client.right, h = client.bottom - kIconBarStrip;
    Fill(dc, 0, 0, w, h, background);
    Fill(dc, 0, 0, w / 2, 20, kBlackInk);
    Fill(dc, 100, 100, 200, 200, RGB(0, 0, 255));
    Fill(dc, w - 100, h - 100, w, h, kRedInk);
  }

  static HWND window_;
  PageCanvasOwner owner_;
  PageCanvas canvas_;
  OutputContext context_;
};

HWND OutputWindow::window_ = nullptr;

// ---- Helpers ------------------------------------------------------------------------------

// Calls `call`, which opens a dialog of this process and waits in it, and meanwhile runs `act`
// on the dialog from a second thread. A dialog `act` leaves open is cancelled, so that a
// failing test never hangs. False when no dialog came.
bool WithDialog(const std::function<void()>& call, const std::function<void(HWND)>& act) {
  std::atomic<bool> returned{false};
  HWND dialog = nullptr;
  std::thread helper([&] {
    WaitUntil([&] { return (dialog = FindDialog(GetCurrentProcessId())) != nullptr || returned; });
    if (dialog) act(dialog);
    while (!WaitUntil([&] { return returned.load(); }, 3000)) {
      if (HWND open = FindDialog(GetCurrentProcessId())) PressDialogButton(open, IDCANCEL);
    }
  });
  call();
  returned = true;
  helper.join();
  return dialog != nullptr;
}

// The captured page as a 4-bit picture.
Bitmap4 Captured(const PageImage& image) {
  GlobalBlockLock lock(image.block());
  Bitmap4 page;
  const char* block = reinterpret_cast<const char*>(lock.Address());
  EXPECT_TRUE(block && page.LoadDib(std::string(block, image.bytes())));
  return page;
}

// ---- Capture and BMP file (the native tests hold the byte layout) -------------------------

// Written as a BMP file and copied, the same picture; a second copy replaces the first.
TEST_F(OutputWindow, BitmapFileAndCopyOfTheDrawnPage) {
  DrawPage();
  const std::string path = MakeTestFolder("output_bmp") + "\\page.bmp";
  PageImage image;
  ASSERT_EQ(image.Capture(window_, canvas_), PageImage::Outcome::kCaptured);
  ASSERT_EQ(WriteBitmapFile(context_, image, Wide(path)), 1);
  Bitmap4 file;
  ASSERT_TRUE(file.Load(ReadWholeFile(path)));
  ASSERT_EQ(std::pair(file.width, file.height), std::pair(640, 400));
  const struct { int x, y, index; } pixels[] = {
      {0, 0, kBlack},   {319, 19, kBlack}, {320, 19, kWhite},  {0, 20, kWhite},    {150, 150, kBlue}, {100, 100, kBlue},
      {99, 100, kWhite}, {199, 199, kBlue}, {200, 199, kWhite}, {639, 399, kRed}, {540, 300, kRed},  {539, 300, kWhite},
      {639, 0, kWhite}};
  for (const auto& p : pixels) EXPECT_EQ(file.At(p.x, p.y), p.index) << p.x << ", " << p.y;
  ASSERT_EQ(CopyGraph(context_, canvas_), 1);
  Bitmap4 dib;
  ASSERT_TRUE(dib.LoadDib(ClipboardDib()));
  EXPECT_EQ(dib.bytes.substr(40), file.bytes.substr(54)) << "palette and pixels";
  DrawPage(kRedInk);
  ASSERT_EQ(CopyGraph(context_, canvas_), 1);
  ASSERT_TRUE(dib.LoadDib(ClipboardDib()));
  EXPECT_EQ(std::pair(dib.At(300, 300), dib.At(150, 150)), std::pair(kRed, kBlue));
  EXPECT_TRUE(recordedBoxes.empty());
}

// The page follows the window's size; black and white stay two indexes; with nothing below the
// bar there is no picture and Copy does nothing.
TEST_F(OutputWindow, CaptureScalesToTheWindowAndNeedsAPage) {
  DrawPage();
  Fill(canvas_.dc, 540, 300, 640, 400, kBlackInk);
  SetClientSize(320, 221);  // half the page width and height below the bar
  PageImage image;
  ASSERT_EQ(image.Capture(window_, canvas_), PageImage::Outcome::kCaptured);
  const Bitmap4 page = Captured(image);
  ASSERT_EQ(std::pair(page.width, page.height), std::pair(320, 200));
  EXPECT_EQ((std::vector{page.At(5, 5), page.At(75, 75), page.At(310, 190), page.At(250, 100)}),
            (std::vector{kBlack, kBlue, kBlack, kWhite}));
  Fill(canvas_.dc, 100, 100, 200, 200, kWhiteInk);
  ASSERT_EQ(image.Capture(window_, canvas_), PageImage::Outcome::kCaptured);
  const Bitmap4 blackAndWhite = Captured(image);
  int others = 0;
  for (int y = 0; y < page.height; ++y) {
    for (int x = 0; x < page.width; ++x) others += blackAndWhite.At(x, y) != kBlack && blackAndWhite.At(x, y) != kWhite;
  }
  EXPECT_EQ(others, 0);
  SetClientSize(200, 21);
  EXPECT_EQ(image.Capture(window_, canvas_), PageImage::Outcome::kNothing);
  EXPECT_EQ(image.block(), nullptr);
  EXPECT_EQ(CopyGraph(context_, canvas_), 0);
  EXPECT_TRUE(recordedBoxes.empty());
}

// ---- Safe write ---------------------------------------------------------------------------

TEST_F(OutputWindow, SafeWriteReplacesOrRefuses) {
  // A folder whose name holds characters of no code page, and CP932 ones whose second byte is "\\".
  const std::string folder = MakeTestFolder("output_safe 表ソ 😀");
  const std::string path = folder + "\\data.txt";
  const std::string good = "good file\r\n";
  ASSERT_EQ(WriteFileSafely(Wide(path), good.data(), good.size()), SafeWriteOutcome::kWritten);
  const std::string newer(100000, 'x');
  ASSERT_EQ(WriteFileSafely(Wide(path), newer.data(), newer.size()), SafeWriteOutcome::kWritten);
  // A read-only target is not replaced; a folder that does not exist takes nothing.
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(WriteFileSafely(Wide(path), good.data(), good.size()), SafeWriteOutcome::kUnableToOpen);
  EXPECT_EQ(ReadWholeFile(path), newer);
  EXPECT_EQ(FilesIn(folder).size(), 1u);
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  const std::string missing = folder + "\\no such folder\\data.txt";
  EXPECT_EQ(WriteFileSafely(Wide(missing), good.data(), good.size()), SafeWriteOutcome::kUnableToOpen);
  // A temporary name left by another writer is passed over.
  const std::string leftOver = Utf8(TemporaryPathFor(Wide(path), 0));
  ASSERT_TRUE(WriteWholeFile(leftOver, "left over"));
  EXPECT_EQ(WriteFileSafely(Wide(path), good.data(), good.size()), SafeWriteOutcome::kWritten);
  EXPECT_EQ(ReadWholeFile(path), good);
  EXPECT_EQ(ReadWholeFile(leftOver), "left over");
}

// ---- Drive checks -------------------------------------------------------------------------

TEST(DriveChecksOnWine, FixedDrivesAndMissingLetters) {
  // Q: has no mapping: no root directory.
  for (const auto& [root, refused] : {std::pair("C:\\", 0), {"Z:\\", 0}, {"Q:\\", 1}, {"\\\\s", 1}}) {
    EXPECT_EQ(IsRefusedDrive(root), refused) << root;
  }
  for (int versionClass : {0, 6}) {
    EXPECT_EQ(HasEnoughFreeSpace("C:\\", 1000, versionClass), 1) << versionClass;
    EXPECT_EQ(HasEnoughFreeSpace("C:\\", 0xFFFFFFFFFFFFull - 1000, versionClass), 0);
  }
  // A drive that cannot be asked does not block the write.
  EXPECT_EQ(HasEnoughFreeSpace("Q:\\", 1000, 6), 1);
}

// ---- Print Zoom (the native tests hold the rules) -----------------------------------------

// The factor the dialog opens with; a text typed into the edit box (or none) and SB_PAGELEFT
// scroll events; how it ends (IDOK, IDCANCEL, 0 for WM_CLOSE); the scroll position before it
// ends, the factor after it and whether the warning came.
TEST_F(OutputWindow, PrintZoomDialog) {
  const struct { int opened; const char* typed; int pagesLeft, endBy, scrollShown, factorAfter; bool warning; } runs[] = {
      {100, "150", 0, IDOK, 100, 100, true}, {50, nullptr, 5, IDOK, 20, 20, false},
      {80, "30", 0, IDCANCEL, 30, 80, false}, {80, nullptr, 2, 0, 60, 80, false}};
  for (const auto& run : runs) {
    recordedBoxes.clear();
    ZoomState zoom;
    zoom.zoomFactor = zoom.zoomTyped = run.opened;
    int scrollShown = -1;
    EXPECT_TRUE(WithDialog([&] { ShowPrintZoom(context_, zoom); }, [&](HWND dialog) {
      if (run.typed) SetDlgItemTextA(dialog, 116, run.typed);
      for (int i = 0; i < run.pagesLeft; ++i) {
        SendMessageA(dialog, WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(GetDlgItem(dialog, 115)));
      }
      scrollShown = GetScrollPos(GetDlgItem(dialog, 115), SB_CTL);
      if (run.endBy) {
        PressDialogButton(dialog, run.endBy);
      } else {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
      }
    }));
    SCOPED_TRACE(std::string(run.typed ? run.typed : "scroll") + " end " + std::to_string(run.endBy));
    EXPECT_EQ(std::tuple(zoom.zoomFactor, zoom.zoomTyped, scrollShown),
              std::tuple(run.factorAfter, run.factorAfter, run.scrollShown));
    const RecordedBox warning = {"Zoom out factor was out of the limits\nso that the previous value has been set.",
                                 "Warning", MB_OK | MB_ICONERROR, window_};
    EXPECT_EQ(recordedBoxes, run.warning ? std::vector{warning} : std::vector<RecordedBox>());
  }
}

// ---- Failures ----------------------------------------------------------------------------

// GlobalAlloc as the output library calls it (through this program's import table): while
// allocationsLeft is not negative, that many calls succeed, and the rest fail.
extern "C" decltype(&GlobalAlloc) __imp_GlobalAlloc;
decltype(&GlobalAlloc) systemGlobalAlloc = __imp_GlobalAlloc;
int allocationsLeft = -1;
HGLOBAL WINAPI CountedGlobalAlloc(UINT flags, SIZE_T bytes) {
  if (allocationsLeft == 0) return nullptr;
  if (allocationsLeft > 0) --allocationsLeft;
  return systemGlobalAlloc(flags, bytes);
}

// Each failure of an output command, provoked here, is told in its one box (owned by the window
// but for the system-modal one), and the command does nothing: a page that cannot be captured
// (its canvas gone, as when GDI runs out) is neither copied nor printed; the clipboard held by
// another window, or no memory for its block; no Print Zoom template in the module. A page whose
// header is bad is told, and written all the same.
TEST_F(OutputWindow, EachFailureIsToldInItsBox) {
  DrawPage();
  HDC gone = CreateCompatibleDC(nullptr);
  DeleteDC(gone);
  const PageCanvas broken{gone, canvas_.width, canvas_.height};
  const std::string path = MakeTestFolder("output_failures") + "\\page.bmp";
  const UINT error = MB_OK | MB_ICONERROR;
  const char kNoGraphMemory[] = "Unable to allocate memory for the graph.";
  // The command run, what it returns, and its box.
  const struct {
    const char* name; std::function<int()> run; int returned;
    const char *text, *caption; UINT style;
  } rows[] = {
      {"copy, no page", [&] { return CopyGraph(context_, broken); }, 0, kNoGraphMemory, "Error", error},
      {"print, no page", [&] {
         PrintState print;
         PreparePrintState(print, window_);
         return PrintPage(context_, broken, print);
       }, 0, kNoGraphMemory, "Error", error},
      {"clipboard held", [&] {  // by a window of another thread
         std::atomic<bool> held{false}, release{false};
         std::thread holder([&] {
           if ((held = OpenClipboard(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 9, 9, 0, 0, 0, 0)))) {
             WaitUntil([&] { return release.load(); });
             CloseClipboard();
           }
         });
         const int copied = WaitUntil([&] { return held.load(); }) ? CopyGraph(context_, canvas_) : -1;
         release = true;
         holder.join();
         return copied;
       }, 0, "Unable to copy the graph to the clipboard.", "Error", error},
      {"no clipboard memory", [&] {
         __imp_GlobalAlloc = CountedGlobalAlloc;
         allocationsLeft = 1;  // the captured page's block
         const int copied = CopyGraph(context_, canvas_);
         __imp_GlobalAlloc = systemGlobalAlloc;
         allocationsLeft = -1;
         return copied;
       }, 0, "Unable to allocate clipboard memory.", "Error", error},
      {"no dialog template", [&] {  // of korvan00, in a module that holds none
         context_ = {window_, GetModuleHandleA("kernel32.dll"), kKorvan00, 0, 6, RecordMessage};
         ZoomState zoom;
         ShowPrintZoom(context_, zoom);
         return zoom.zoomFactor;
       }, 100, "Unable to display dialog", "System Error", error | MB_SYSTEMMODAL},
      {"bad header", [&] {  // written (1), and the file is there (1)
         PageImage image;
         image.Capture(window_, canvas_);
         GlobalBlockLock lock(image.block());
         lock.Address()[0] = 12;  // the size field of the info header
         lock.Unlock();
         return WriteBitmapFile(context_, image, Wide(path)) + FileExists(path);
       }, 2, "Illegal structure size is found in info header.", "Error", error},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    recordedBoxes.clear();
    EXPECT_EQ(row.run(), row.returned);
    EXPECT_EQ(recordedBoxes, (std::vector<RecordedBox>{{row.text, row.caption, row.style,
                                                         row.style & MB_SYSTEMMODAL ? nullptr : window_}}));
  }
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
  EXPECT_TRUE(WithDialog([&] { printed = PrintPage(context_, canvas_, state); },
                         [](HWND dialog) { PressDialogButton(dialog, IDOK); }));
  EXPECT_EQ(printed, 1);
  EXPECT_TRUE(recordedBoxes.empty());
  EXPECT_EQ(state.settings.hDC, nullptr);
  ReleasePrintState(state);
}

}  // namespace
