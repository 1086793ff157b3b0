// The page canvas that korvan95 and korvan00 draw their pages on.
#include "output/output.h"

#include "frame/gdi_guard.h"

HDC PageCanvasOwner::Renew(HWND window, int clientWidth, int clientHeight) {
  Release();
  width_ = clientWidth;
  height_ = clientHeight;
  const int width = clientWidth > 0 ? clientWidth : 1;
  const int height = clientHeight - kIconBarStrip > 0 ? clientHeight - kIconBarStrip : 1;
  WindowDc windowDc(window, false);
  dc_ = CreateCompatibleDC(windowDc.get());
  bitmap_ = CreateCompatibleBitmap(windowDc.get(), width, height);
  if (!dc_ || !bitmap_) {
    Release();
    return nullptr;
  }
  previous_ = SelectObject(dc_, bitmap_);
  SetStretchBltMode(dc_, COLORONCOLOR);
  PatBlt(dc_, 0, 0, width, height, WHITENESS);
  return dc_;
}

void PageCanvasOwner::Release() {
  if (dc_) {
    if (previous_) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
}

void PageCanvasOwner::Paint(HDC target, int clientWidth, int clientHeight) const {
  if (!dc_) return;
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, 0, kIconBarStrip, clientWidth, clientHeight - kIconBarStrip, dc_, 0, 0, width_,
             height_ - kIconBarStrip, SRCCOPY);
}
