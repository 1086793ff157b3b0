#include <cstdio>

#include "frame/frame.h"
#include "frame/gdi_guard.h"
#include "frame/platform_class.h"

namespace {

constexpr int kBarHeight = 20;

int ButtonCount(const FrameState& frame) {
  return frame.program->buttonCount < kMaxIconBarButtons ? frame.program->buttonCount : kMaxIconBarButtons;
}

int ButtonIndex(const FrameState& frame, int controlId) {
  for (int i = 0; i < ButtonCount(frame); ++i) {
    if (frame.program->buttons[i].controlId == controlId) return i;
  }
  return -1;
}

// The colour of the separator line; the main window may have set it already.
COLORREF LineColour(FrameState& frame) {
  if (!frame.lineColourSet) {
    switch (frame.program->line) {
      case kLineButtonFace:
        frame.lineColour = GetSysColor(COLOR_BTNFACE);
        break;
      case kLineFrameColour:
        frame.lineColour = CalculatorColour(frame.windowsVersionClass);
        break;
      case kLineBlack:
      default:
        frame.lineColour = RGB(0, 0, 0);
        break;
    }
    frame.lineColourSet = 1;
  }
  return frame.lineColour;
}

void DrawSeparatorLine(HWND bar) {
  RECT client;
  GetClientRect(bar, &client);
  WindowDc dc(bar, false);
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, LineColour(FrameOf(GetParent(bar)))));
  Selection selected(dc.get(), pen.get());
  MoveToEx(dc.get(), 0, 0, nullptr);
  LineTo(dc.get(), client.right - client.left, 0);
}

void CreateButtons(HWND bar) {
  FrameState& frame = FrameOf(GetParent(bar));
  if (!frame.platformDetected) {
    frame.windowsVersionClass = DetectWindowsVersion(frame.program->fullVersionVariant);
  }
  const int versionClass = frame.windowsVersionClass;
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(bar, GWLP_HINSTANCE));
  const int top = GetSystemMetrics(SM_CYBORDER);
  for (int i = 0; i < ButtonCount(frame); ++i) {
    const IconBarButton& button = frame.program->buttons[i];
    IconBarRecord& record = frame.records[i];
    std::snprintf(record.upName, sizeof record.upName, "%s", BitmapName(button.stem, versionClass, "Up").c_str());
    std::snprintf(record.downName, sizeof record.downName, "%s", BitmapName(button.stem, versionClass, "Dn").c_str());
    std::snprintf(record.inactiveName, sizeof record.inactiveName, "%s",
                  BitmapName(button.stem, versionClass, "In").c_str());
    const int width = button.width > 0 ? button.width : GetSystemMetrics(SM_CXSCREEN) - button.x;
    // A command button bears its command's name, which screen readers say (the bitmap is all
    // that shows); a spacer is a picture, no button.
    const bool command = button.command != 0;
    record.handle = CreateWindowExA(WS_EX_LEFT, command ? "BUTTON" : "STATIC",
                                    command ? TextFor(button.label, frame.useJapanese) : "",
                                    WS_CHILD | WS_VISIBLE | (command ? BS_OWNERDRAW : SS_OWNERDRAW), button.x, top,
                                    width, kBarHeight, bar,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.controlId)), instance, nullptr);
    if (button.disabledAtStart) EnableWindow(record.handle, FALSE);
  }
}

void DrawButton(HWND bar, const DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_BUTTON && item->CtlType != ODT_STATIC) return;
  const FrameState& frame = FrameOf(GetParent(bar));
  const int index = ButtonIndex(frame, static_cast<int>(item->CtlID));
  if (index < 0) return;
  const IconBarRecord& record = frame.records[index];
  const char* name = !IsWindowEnabled(record.handle)       ? record.inactiveName
                     : (item->itemState & ODS_SELECTED) != 0 ? record.downName
                                                             : record.upName;
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(bar, GWLP_HINSTANCE));
  GdiObject<HBITMAP> bitmap(LoadBitmapA(instance, name));
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    MemoryDc memory(item->hDC);
    Selection selected(memory.get(), bitmap.get());
    if (selected.ok()) {
      BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, item->rcItem.right - item->rcItem.left,
             item->rcItem.bottom - item->rcItem.top, memory.get(), 0, 0, SRCCOPY);
    }
  }
  DrawSeparatorLine(bar);
}

}  // namespace

COLORREF CalculatorColour(int windowsVersionClass) {
  const Rgb colour = CalculatorFrameColour(windowsVersionClass);
  return RGB(colour.red, colour.green, colour.blue);
}

HWND IconBarButtonWindow(HWND mainWindow, int controlId) {
  const FrameState& frame = FrameOf(mainWindow);
  const int index = ButtonIndex(frame, controlId);
  return index < 0 ? nullptr : frame.records[index].handle;
}

HWND IconBarCommandButton(HWND mainWindow, int command) {
  const FrameState& frame = FrameOf(mainWindow);
  for (int i = 0; i < ButtonCount(frame); ++i) {
    if (frame.program->buttons[i].command == command) return frame.records[i].handle;
  }
  return nullptr;
}

LRESULT CALLBACK IconBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateButtons(window);
      return 0;
    case WM_COMMAND: {
      const FrameState& frame = FrameOf(GetParent(window));
      const int index = ButtonIndex(frame, LOWORD(wParam));
      if (index >= 0 && frame.program->buttons[index].command != 0) {
        const HWND button = frame.records[index].handle;
        SendMessageA(GetParent(window), WM_COMMAND, static_cast<WPARAM>(frame.program->buttons[index].command), 0);
        InvalidateRect(button, nullptr, TRUE);
      }
      return 0;
    }
    case WM_DRAWITEM:
      DrawButton(window, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void CreateIconBar(HINSTANCE instance, HWND mainWindow) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_PARENTDC;
  windowClass.lpfnWndProc = IconBarWindowProc;
  windowClass.hInstance = instance;
  FrameState& frame = FrameOf(mainWindow);
  windowClass.hCursor = frame.program->barHasArrowCursor ? LoadCursor(nullptr, IDC_ARROW) : nullptr;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  windowClass.lpszClassName = "IconBarWindow";
  if (!RegisterClassA(&windowClass)) return;
  frame.iconBar = CreateWindowExA(WS_EX_LEFT, "IconBarWindow", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, mainWindow,
                                  nullptr, instance, nullptr);
  if (!frame.iconBar) return;
  SetWindowPos(frame.iconBar, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYBORDER) + kBarHeight,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
  ShowWindow(frame.iconBar, SW_SHOW);
  UpdateWindow(frame.iconBar);
}
