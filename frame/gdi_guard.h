// Scope guards for GDI objects and device contexts: whatever path a handler takes, what it
// selected is selected back and what it created is deleted.
#pragma once

#include <windows.h>

// Deletes a pen, brush, font or bitmap at the end of the scope.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_;
};

// Selects an object into a DC and selects the previous one back at the end of the scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (old_) SelectObject(dc_, old_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  bool ok() const { return old_ != nullptr; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// GetDC / GetWindowDC, released at the end of the scope.
class WindowDc {
 public:
  WindowDc(HWND window, bool wholeWindow)
      : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC compatible with another, deleted at the end of the scope.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};
