#include <cstdio>

#include "frame/frame.h"
#include "frame/gdi_guard.h"
#include "frame/platform_class.h"

HWND iconBarHandle = nullptr;
IconBarRecord iconBarRecords[kMaxIconBarButtons];
COLORREF frameColour = RGB(192, 192, 192);
int frameColourSet = 0;
COLORREF buttonFaceColour = RGB(192, 192, 192);
int buttonFaceColourSet = 0;

namespace {

constexpr int kBarHeight = 20;

int ButtonIndex(int controlId) {
  for (int i = 0; i < frameProgram.buttonCount && i < kMaxIconBarButtons; ++i) {
    if (frameProgram.buttons[i].controlId == controlId) return i;
  }
  return -1;
}

COLORREF LineColour() {
  switch (frameProgram.line) {
    case kLineButtonFace:
      if (!buttonFaceColourSet) {
        buttonFaceColour = GetSysColor(COLOR_BTNFACE);
        buttonFaceColourSet = 1;
      }
      return buttonFaceColour;
    case kLineFrameColour:
      if (!frameColourSet) {
        frameColour = CalculatorColour();
        frameColourSet = 1;
      }
      return frameColour;
    case kLineBlack:
    default:
      return RGB(0, 0, 0);
  }
}

void DrawSeparatorLine(HWND bar) {
  RECT client;
  GetClientRect(bar, &client);
  WindowDc dc(bar, false);
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, LineColour()));
  Selection selected(dc.get(), pen.get());
  MoveToEx(dc.get(), 0, 0, nullptr);
  LineTo(dc.get(), client.right - client.left, 0);
}

void CreateButtons(HWND bar) {
  if (!platformDetected) DetectWindowsVersion();
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(bar, GWLP_HINSTANCE));
  const int top = GetSystemMetrics(SM_CYBORDER);
  for (int i = 0; i < frameProgram.buttonCount && i < kMaxIconBarButtons; ++i) {
    const IconBarButton& button = frameProgram.buttons[i];
    IconBarRecord& record = iconBarRecords[i];
    std::snprintf(record.upName, sizeof record.upName, "%s", BitmapName(button.stem, windowsVersionClass, "Up").c_str());
    std::snprintf(record.downName, sizeof record.downName, "%s", BitmapName(button.stem, windowsVersionClass, "Dn").c_str());
    std::snprintf(record.inactiveName, sizeof record.inactiveName, "%s",
                  BitmapName(button.stem, windowsVersionClass, "In").c_str());
    const int width = button.width > 0 ? button.width : GetSystemMetrics(SM_CXSCREEN) - button.x;
    record.handle = CreateWindowExA(WS_EX_LEFT, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, button.x, top,
                                    width, kBarHeight, bar,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.controlId)), instance, nullptr);
    if (button.disabledAtStart) EnableWindow(record.handle, FALSE);
  }
}

void DrawButton(HWND bar, const DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_BUTTON) return;
  const int index = ButtonIndex(static_cast<int>(item->CtlID));
  if (index < 0) return;
  const IconBarRecord& record = iconBarRecords[index];
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

COLORREF CalculatorColour() {
  const Rgb colour = CalculatorFrameColour(windowsVersionClass);
  return RGB(colour.red, colour.green, colour.blue);
}

HWND IconBarButtonWindow(int controlId) {
  const int index = ButtonIndex(controlId);
  return index < 0 ? nullptr : iconBarRecords[index].handle;
}

LRESULT CALLBACK IconBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateButtons(window);
      return 0;
    case WM_COMMAND: {
      const int index = ButtonIndex(LOWORD(wParam));
      if (index >= 0 && frameProgram.buttons[index].command != 0) {
        SendMessageA(GetParent(window), WM_COMMAND, static_cast<WPARAM>(frameProgram.buttons[index].command), 0);
        InvalidateRect(iconBarRecords[index].handle, nullptr, TRUE);
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
  windowClass.hCursor = frameProgram.barHasArrowCursor ? LoadCursor(nullptr, IDC_ARROW) : nullptr;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  windowClass.lpszClassName = "IconBarWindow";
  if (!RegisterClassA(&windowClass)) return;
  iconBarHandle = CreateWindowExA(WS_EX_LEFT, "IconBarWindow", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, mainWindow,
                                  nullptr, instance, nullptr);
  if (!iconBarHandle) return;
  SetWindowPos(iconBarHandle, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYBORDER) + kBarHeight,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
  ShowWindow(iconBarHandle, SW_SHOW);
  UpdateWindow(iconBarHandle);
}
