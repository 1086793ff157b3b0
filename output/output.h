// The graph output of korvan95 and korvan00: capture of the drawn page into a 16-colour
// bitmap, the BMP file and the Save Graph command, the Print Zoom dialog, Printer Setup and
// Print, and the clipboard copy. The programs keep all state (their page canvas, their
// PrintState) and pass it in; nothing here is program-wide.
//
// The decisions live in the pure output_core (output/page_bitmap.h, output/print_rules.h,
// output/drive_rules.h, output/output_texts.h); the drive checks and the safe write are in
// output/safe_write.h. Each program's .rc includes output/print_zoom.rc for the dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstddef>

#include "output/output_texts.h"
#include "output/page_bitmap.h"
#include "output/print_rules.h"
#include "output/safe_write.h"

// How message boxes are shown: MessageBoxA unless a test routes them elsewhere.
using MessageFunction = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT style);

// The caller of a graph-output command and what it decided at start-up.
struct OutputContext {
  HWND window = nullptr;         // the main window: owner of boxes and dialogs, clipboard owner
  HINSTANCE instance = nullptr;  // the module that holds PRINTZOOM_DLG / PRINTZOOM_DLG_J
  OutputProgram program = kKorvan95;
  int useJapanese = 0;
  int windowsVersionClass = 0;   // 0 to 7, chooses the free-space query
  MessageFunction showMessage = MessageBoxA;
};

// Shows message `message` of the program in its language, with an OK button; owned by the
// main window (no owner for the system-modal dialog failure). `argument` fills the %lx of the
// file-dialog error.
void ShowOutputMessage(const OutputContext& context, OutputMessage message,
                       unsigned long argument = 0);

// The page canvas of a program: the memory DC that holds the drawn page and the client size
// recorded when the page was drawn; the page itself is width × (height − 21) pixels.
struct PageCanvas {
  HDC dc = nullptr;
  int width = 0;
  int height = 0;
};

// The page canvas a program owns: a memory DC with a bitmap of client width × (client height
// − 21) pixels, at least 1 × 1, compatible with the window's DC, and the client size it was
// made for. What it made is selected out and deleted when it is renewed, released or ends.
class PageCanvasOwner {
 public:
  PageCanvasOwner() = default;
  ~PageCanvasOwner() { Release(); }
  PageCanvasOwner(const PageCanvasOwner&) = delete;
  PageCanvasOwner& operator=(const PageCanvasOwner&) = delete;

  // Releases the canvas held, then makes a white one for a client area of clientWidth ×
  // clientHeight (stretch mode COLORONCOLOR) and records that size. Returns its DC, null when
  // GDI could not make it.
  HDC Renew(HWND window, int clientWidth, int clientHeight);
  void Release();
  // Shows the page in a client area of clientWidth × clientHeight below the icon-bar strip,
  // stretched with COLORONCOLOR; nothing while there is no canvas.
  void Paint(HDC target, int clientWidth, int clientHeight) const;

  HDC dc() const { return dc_; }
  PageCanvas view() const { return {dc_, width_, height_}; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// ---- Captured page image ------------------------------------------------------------------

// One captured page: a movable global block of info header, graph palette and 4-bit pixel
// rows (output/page_bitmap.h), freed when the object ends or the next capture starts.
class PageImage {
 public:
  PageImage() = default;
  ~PageImage();
  PageImage(const PageImage&) = delete;
  PageImage& operator=(const PageImage&) = delete;

  // Captures the page of `canvas` scaled to the present client area of `window` below the
  // icon-bar strip, every pixel turned into the nearest colour of the graph palette. The
  // header states 0 colours used (all 16). kNothing when there is nothing to capture (no
  // canvas, a client area no higher than the icon bar), kFailed when memory or GDI fail.
  enum class Outcome { kCaptured, kNothing, kFailed };
  Outcome Capture(HWND window, const PageCanvas& canvas);
  // Capture for a command: a failure of memory or GDI is reported (kOutputCaptureMemory).
  // True when the page was captured.
  bool CaptureFor(const OutputContext& context, const PageCanvas& canvas);
  void Free();

  HGLOBAL block() const { return block_; }
  std::size_t bytes() const { return bytes_; }  // the block's size as allocated: 104 + rows
  PageImageSize size() const { return size_; }

 private:
  HGLOBAL block_ = nullptr;
  std::size_t bytes_ = 0;
  PageImageSize size_{0, 0};
};

// Locks a global memory block on first use and unlocks it when it ends.
class GlobalBlockLock {
 public:
  explicit GlobalBlockLock(HGLOBAL block) : block_(block) {}
  ~GlobalBlockLock() { Unlock(); }
  GlobalBlockLock(const GlobalBlockLock&) = delete;
  GlobalBlockLock& operator=(const GlobalBlockLock&) = delete;
  // The locked address (null when the block cannot be locked); the same on later calls.
  unsigned char* Address();
  std::size_t Size() const { return block_ ? GlobalSize(block_) : 0; }
  void Unlock();

 private:
  HGLOBAL block_;
  unsigned char* address_ = nullptr;
};

// Opens the clipboard (owner: the given window) on first use and closes it when it ends.
class ClipboardGuard {
 public:
  explicit ClipboardGuard(HWND owner) : owner_(owner) {}
  ~ClipboardGuard() {
    if (opened_) CloseClipboard();
  }
  ClipboardGuard(const ClipboardGuard&) = delete;
  ClipboardGuard& operator=(const ClipboardGuard&) = delete;
  // Each returns the system's result; a failed open leaves the guard closed.
  int Open();
  int Empty();
  // On success the clipboard owns `data` from then on.
  HANDLE SetData(UINT format, HANDLE data);

 private:
  HWND owner_;
  BOOL opened_ = FALSE;
};

// ---- BMP file and Save Graph --------------------------------------------------------------

// Writes the captured image as a BMP file (14-byte file header, then the block with its
// header completed: 16 colours used) through the safe write. A bad info header is reported
// ("Illegal structure size ...") and the file written all the same; a failed write is
// reported ("Unable to open file." / "Unable to write to file.") and leaves any existing file
// at `path` as it was. Returns 1 when the file was written, else 0.
int WriteBitmapFile(const OutputContext& context, const PageImage& image, const std::wstring& path);

// The Save As / Save Graph command: asks for a ".bmp" file name, refuses a remote or
// CD-ROM drive, a drive without room for the file, a name without the BMP extension (each
// with its message), then captures the page and writes the file. The program's icon-bar strip
// of the button (TraitsOf) is repainted after the file dialog. Returns 1 when a file was
// written, else 0.
int SaveGraphAs(const OutputContext& context, const PageCanvas& canvas);

// ---- Printing -----------------------------------------------------------------------------

// The printing state of a program's window: the zoom values and the print-dialog record,
// which keeps the chosen printer and its settings for the whole run.
struct PrintState {
  ZoomState zoom;
  PRINTDLGA settings;
};
// Prepares the state once at start-up: zoom 100, a cleared print-dialog record owned by
// `window` with PD_RETURNDC, PD_NOPAGENUMS, PD_NOSELECTION and PD_SHOWHELP.
void PreparePrintState(PrintState& state, HWND window);
// Releases the printer settings the print dialogs allocated (at the end of the program).
void ReleasePrintState(PrintState& state);

// The Print Zoom command: runs PRINTZOOM_DLG (PRINTZOOM_DLG_J in Japanese) from
// context.instance, modal to the main window, with the program's control ids; then a typed
// value left out of 20..100 restores the value the dialog opened with and the warning is
// shown. A dialog that cannot be shown is reported ("Unable to display dialog.").
void ShowPrintZoom(const OutputContext& context, ZoomState& zoom);
// Its dialog procedure; DialogBoxParamA's parameter points to a PrintZoomDialogData.
struct PrintZoomDialogData {
  ZoomState* zoom;
  int editId;
  int scrollId;
  // Set when the dialog ends: the edit box's notifications while the dialog is taken down
  // (losing the focus) change nothing, so Cancel and close keep the value they restored.
  bool ended = false;
};
INT_PTR CALLBACK PrintZoomDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The Printer Setup command: the system's print setup dialog on the state's record. A printer
// DC it returns is released.
void PrinterSetup(PrintState& state);

// The Print command: captures the page, asks for the printer (the print dialog; cancel ends
// silently) and prints the picture as one page of a document "Korvan" at the size and place
// ComputePrintedPicture gives for the client area and the zoom factor. A document that cannot
// be started is reported ("Unable to start print job."). Returns 1 when a page was printed.
int PrintPage(const OutputContext& context, const PageCanvas& canvas, PrintState& state);

// ---- Clipboard ----------------------------------------------------------------------------

// The Copy command: captures the page and puts it on the emptied clipboard as one CF_DIB
// (16 colours used and important). A block that cannot be allocated is reported ("Unable to
// allocate clipboard memory."); a clipboard that cannot be opened or set, too ("Unable to
// copy the graph to the clipboard."). Returns 1 when the clipboard holds the picture.
int CopyGraph(const OutputContext& context, const PageCanvas& canvas);
