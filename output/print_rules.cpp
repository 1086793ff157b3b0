#include "output/print_rules.h"

namespace {

// 0.8 / 25.4: millimetres to inches, times the 80 % of the page that the picture may use.
constexpr double kUsedInchesPerMm = 0.031496062992125984;

int Clamp(int value) {
  return value < kZoomMin ? kZoomMin : (value > kZoomMax ? kZoomMax : value);
}

}  // namespace

PrintedPicture ComputePrintedPicture(const PrinterPage& page, int clientWidth, int clientHeight,
                                     int zoomFactor) {
  const int w = clientWidth < 0 ? -clientWidth : clientWidth;
  const int h = clientHeight < 0 ? -clientHeight : clientHeight;
  const double pw = page.widthMm * kUsedInchesPerMm * page.pixelsPerInchX;
  const double ph = page.heightMm * kUsedInchesPerMm * page.pixelsPerInchY;
  const double wMax = zoomFactor * pw * 0.01;
  const double hMax = zoomFactor * ph * 0.01;
  const double widthForHeight = (w + 1) * hMax / (h + 1);
  const double heightForWidth = (h + 1) * wMax / (w + 1);
  PrintedPicture picture{static_cast<int>(0.1 * wMax), static_cast<int>(0.1 * hMax), 0, 0};
  const bool wideWindow = w >= h;
  const bool widePaper = pw > ph;
  const bool fullWidth = static_cast<int>(wMax) < static_cast<int>(widthForHeight);
  if (wideWindow == widePaper) {
    // Window and paper of the same orientation: whichever side reaches its limit first.
    if (fullWidth) {
      picture.width = static_cast<int>(wMax);
      picture.height = static_cast<int>(heightForWidth);
    } else {
      picture.width = static_cast<int>(widthForHeight);
      picture.height = static_cast<int>(hMax);
    }
  } else if (wideWindow) {
    picture.width = static_cast<int>(wMax);
    picture.height = static_cast<int>(heightForWidth);
  } else {
    picture.width = static_cast<int>(widthForHeight);
    picture.height = static_cast<int>(hMax);
  }
  return picture;
}

void ZoomDialogOpened(ZoomState& state) {
  state.zoomAtOpen = state.zoomFactor;
  state.zoomTyped = state.zoomFactor;
}

ZoomControls ZoomScrolled(ZoomState& state, int code, int thumbPosition) {
  int value = state.zoomFactor;
  switch (code) {
    case kScrollLineLeft: value -= 1; break;
    case kScrollLineRight: value += 1; break;
    case kScrollPageLeft: value -= 10; break;
    case kScrollPageRight: value += 10; break;
    case kScrollThumbPosition:
    case kScrollThumbTrack: value = thumbPosition; break;
    default: break;
  }
  state.zoomTyped = Clamp(value);
  ZoomControls controls;
  if (state.zoomTyped != state.zoomFactor) {
    state.zoomFactor = state.zoomTyped;
    controls = {true, true, state.zoomFactor};
  }
  return controls;
}

ZoomControls ZoomEdited(ZoomState& state, int typed) {
  state.zoomTyped = typed;
  ZoomControls controls;
  if (state.zoomTyped != state.zoomFactor) {
    const int clamped = Clamp(typed);
    if (clamped != state.zoomFactor) controls = {true, false, clamped};
    state.zoomFactor = clamped;
  }
  return controls;
}

int ZoomOk(ZoomState&) { return kZoomEndOk; }

int ZoomCancelled(ZoomState& state) {
  state.zoomFactor = state.zoomTyped = state.zoomAtOpen;
  return kZoomEndCancel;
}

ZoomControls ZoomClosed(ZoomState& state) {
  ZoomControls controls;
  if (state.zoomTyped != state.zoomAtOpen || state.zoomFactor != state.zoomAtOpen) {
    controls = {true, true, state.zoomAtOpen};
  }
  state.zoomFactor = state.zoomTyped = state.zoomAtOpen;
  return controls;
}

int ZoomAfterDialog(ZoomState& state) {
  if (state.zoomTyped >= kZoomMin && state.zoomTyped <= kZoomMax) {
    state.zoomTyped = state.zoomFactor;
    return 0;
  }
  state.zoomFactor = state.zoomTyped = state.zoomAtOpen;
  return 1;
}
