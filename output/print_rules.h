// The decisions of printing: where and how large the page picture lands on the sheet, and the
// Print Zoom dialog as a state machine over the zoom values. Pure: no file, dialog or window
// calls; output/print.cpp carries out what these return.
#pragma once

// ---- Printed size -------------------------------------------------------------------------

// What the printer's device context reports: the physical page in millimetres (HORZSIZE,
// VERTSIZE) and its pixels per inch (LOGPIXELSX, LOGPIXELSY).
struct PrinterPage {
  int widthMm;
  int heightMm;
  int pixelsPerInchX;
  int pixelsPerInchY;
};

// Where the picture is printed, in printer pixels.
struct PrintedPicture {
  int x;
  int y;
  int width;
  int height;
  bool operator==(const PrintedPicture&) const = default;
};

// The picture of a page for a client area of clientWidth × clientHeight (the whole client
// area, icon-bar strip included, gives the aspect ratio) at zoomFactor percent. The largest
// picture is zoomFactor % of 80 % of the page (1/31.75 mm per printer pixel per inch); it keeps
// the window's aspect ratio ((W + 1) : (H + 1)) and starts at a tenth of that largest size
// from the top-left corner. A wide window on tall paper takes the full width, a tall window
// on wide paper the full height; otherwise the side that fits. Sizes are truncated.
PrintedPicture ComputePrintedPicture(const PrinterPage& page, int clientWidth, int clientHeight,
                                     int zoomFactor);

// ---- Print Zoom dialog --------------------------------------------------------------------

constexpr int kZoomMin = 20;
constexpr int kZoomMax = 100;

// The zoom values of a program, part of its window state. zoomFactor (20..100) is what Print
// uses; zoomTyped is the last value taken from the dialog (unclamped when typed) and equals
// zoomFactor outside the dialog; zoomAtOpen is zoomFactor when the dialog opened.
struct ZoomState {
  int zoomFactor = 100;
  int zoomTyped = 100;
  int zoomAtOpen = 100;
};

// Scroll-bar codes of WM_HSCROLL (the values of SB_LINELEFT ... SB_THUMBTRACK).
enum ZoomScrollCode {
  kScrollLineLeft = 0,
  kScrollLineRight = 1,
  kScrollPageLeft = 2,
  kScrollPageRight = 3,
  kScrollThumbPosition = 4,
  kScrollThumbTrack = 5,
};

// What the dialog must show after an event: the scroll position and/or the edit text set to
// `value`.
struct ZoomControls {
  bool setScroll = false;
  bool setEdit = false;
  int value = 0;
  bool operator==(const ZoomControls&) const = default;
};

// Values of the dialog's end (EndDialog): OK, Cancel, closed by the system menu.
constexpr int kZoomEndOk = 1;
constexpr int kZoomEndCancel = 2;
constexpr int kZoomEndClosed = 0;

// The dialog opens: remembers zoomFactor in zoomAtOpen and zoomTyped. The controls show
// zoomFactor.
void ZoomDialogOpened(ZoomState& state);
// A scroll event: ±1 by line, ±10 by page, the thumb position when dragged or dropped, other
// codes nothing; clamped to 20..100. A changed value moves the scroll bar and the edit text.
ZoomControls ZoomScrolled(ZoomState& state, int code, int thumbPosition);
// The edit text changed to `typed` (its signed value, 0 when it holds no number): zoomTyped
// takes it unclamped, zoomFactor clamped; the scroll bar follows, the edit text is left.
ZoomControls ZoomEdited(ZoomState& state, int typed);
// OK ends the dialog with 1.
int ZoomOk(ZoomState& state);
// Cancel restores the value the dialog opened with and ends with 2.
int ZoomCancelled(ZoomState& state);
// Closing by the system menu restores the value the dialog opened with (the controls show it
// when it changed) and ends with 0.
ZoomControls ZoomClosed(ZoomState& state);
// After the dialog has ended: a typed value left out of 20..100 (OK pressed over it) restores
// the value the dialog opened with; the result is 1 when the out-of-range warning is due.
int ZoomAfterDialog(ZoomState& state);
