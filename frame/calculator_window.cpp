#include "frame/calculator_window.h"

#include <cstdio>
#include <string>

#include "frame/frame.h"
#include "frame/platform_class.h"

namespace {

constexpr int kWindowWidth = 336;
constexpr int kControlX = 116;
constexpr int kControlWidth = 110;
constexpr int kMaxEdits = 3;

HDC mainDc = nullptr;
HBRUSH frameBrush = nullptr;
HGDIOBJ mainOldBrush = nullptr;
HDC pictureDc[2] = {nullptr, nullptr};
HBITMAP pictureBitmap[2] = {nullptr, nullptr};
HGDIOBJ pictureOld[2] = {nullptr, nullptr};
int pictureHeight2 = 0;
HFONT controlFont = nullptr;
HWND editWindow[kMaxEdits] = {};
HDC editDc[kMaxEdits] = {};
HGDIOBJ editOldFont[kMaxEdits] = {};
int editCount = 0;
const CalculatorWindowClass* calculatorClass = nullptr;

HFONT CreateControlFont() {
  LOGFONTA description = {};
  description.lfHeight = 12;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = ANSI_CHARSET;
  std::snprintf(description.lfFaceName, sizeof description.lfFaceName, "%s", "Helv");
  return CreateFontIndirectA(&description);
}

void KeepPicture(HWND mainWindow, int index, int x, int y, int width, int height) {
  HDC windowDc = GetDC(mainWindow);
  pictureDc[index] = CreateCompatibleDC(windowDc);
  if (pictureDc[index] && pictureBitmap[index]) {
    pictureOld[index] = SelectObject(pictureDc[index], pictureBitmap[index]);
    BitBlt(windowDc, x, y, width, height, pictureDc[index], 0, 0, SRCCOPY);
  }
  ReleaseDC(mainWindow, windowDc);
}

}  // namespace

int RunCalculator(HINSTANCE instance, int showCommand, const CalculatorWindowClass& windowClass) {
  WNDCLASSA description = {};
  description.style = CS_VREDRAW | CS_HREDRAW;
  calculatorClass = &windowClass;
  description.lpfnWndProc = CalculatorWindowProc;
  description.hInstance = instance;
  description.hIcon = LoadIconA(instance, "ICON_1");
  description.hCursor = LoadCursor(nullptr, IDC_ARROW);
  description.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  description.lpszClassName = windowClass.className;
  if (!RegisterClassA(&description)) return 0;

  const int height = GetSystemMetrics(SM_CYCAPTION) + windowClass.clientHeight;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND mainWindow = CreateWindowExA(WS_EX_LEFT, windowClass.className, windowClass.windowName,
                                    WS_SYSMENU | WS_MINIMIZEBOX, x, y, kWindowWidth, height, nullptr, nullptr,
                                    instance, nullptr);
  if (!mainWindow) return 0;
  ShowWindow(mainWindow, showCommand);
  UpdateWindow(mainWindow);
  CreateIconBar(instance, mainWindow);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK CalculatorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      DetectLanguage();
      DetectWindowsVersion();
      platformDetected = 1;
      calculatorClass->create(window);
      return 0;
    case WM_DESTROY:
      EndCalculator();
      return 0;
    case WM_PAINT:
      PaintCalculatorPictures(window);
      return 0;
    case WM_SETCURSOR: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      UpdateTooltip(window);
      return result;
    }
    case WM_DRAWITEM:
      DrawSampleSizeItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), calculatorClass->comboId);
      return 0;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 14;
      return 0;
    case WM_COMMAND:
      calculatorClass->command(window, LOWORD(wParam));
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int CalculatorAlreadyRunning(const char* englishTitle, const wchar_t* japaneseTitle) {
  // The Japanese title is looked up in UTF-16, so a running copy is found whatever the code
  // page of this one.
  return FindWindowExA(nullptr, nullptr, nullptr, englishTitle) != nullptr ||
         FindWindowExW(nullptr, nullptr, nullptr, japaneseTitle) != nullptr;
}

void PrepareCalculatorBackground(HWND mainWindow) {
  frameColour = CalculatorColour();
  frameColourSet = 1;
  mainDc = GetDC(mainWindow);
  frameBrush = CreateSolidBrush(frameColour);
  mainOldBrush = SelectObject(mainDc, frameBrush);
  SetClassLongPtrA(mainWindow, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(frameBrush));
}

void LoadCalculatorPictures(HWND mainWindow, int picture2Height) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
  pictureHeight2 = picture2Height;
  pictureBitmap[0] = LoadBitmapA(instance, useJapanese ? "IBMP_1J" : "IBMP_1E");
  pictureBitmap[1] = LoadBitmapA(instance, StartPictureName(windowsVersionClass, useJapanese).c_str());
  ShowWindow(mainWindow, SW_SHOWNORMAL);
  UpdateWindow(mainWindow);
  KeepPicture(mainWindow, 0, 0, 23, 330, 83);
  KeepPicture(mainWindow, 1, 0, 106, 115, pictureHeight2);
}

void PaintCalculatorPictures(HWND mainWindow) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(mainWindow, &paint);
  if (pictureDc[0]) BitBlt(dc, 0, 23, 330, 83, pictureDc[0], 0, 0, SRCCOPY);
  if (pictureDc[1]) BitBlt(dc, 0, 106, 115, pictureHeight2, pictureDc[1], 0, 0, SRCCOPY);
  EndPaint(mainWindow, &paint);
}

HWND CreateSampleSizeBox(HWND mainWindow, int controlId) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
  HWND combo = CreateWindowExA(0, "COMBOBOX", nullptr,
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                   CBS_HASSTRINGS,
                               kControlX, 111, kControlWidth, 200, mainWindow,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
  ShowWindow(combo, SW_SHOW);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  char item[16];
  for (int n = 2; n <= 10000; ++n) {
    std::snprintf(item, sizeof item, "%d", n);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  return combo;
}

HWND CreateCalculatorEdit(HWND mainWindow, int controlId, int y) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
  HWND edit = CreateWindowExA(WS_EX_STATICEDGE, "EDIT", nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                              kControlX, y, kControlWidth, 20, mainWindow,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
  ShowWindow(edit, SW_SHOW);
  return edit;
}

void SetCalculatorFont(HWND edit) {
  if (editCount >= kMaxEdits) return;
  if (!controlFont) controlFont = CreateControlFont();
  editWindow[editCount] = edit;
  editDc[editCount] = GetDC(edit);
  editOldFont[editCount] = SelectObject(editDc[editCount], controlFont);
  ++editCount;
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), TRUE);
}

void MakeResultBox(HWND edit) {
  const LONG_PTR style = GetWindowLongPtrA(edit, GWL_STYLE);
  SetWindowLongPtrA(edit, GWL_STYLE, style | WS_DISABLED | WS_VISIBLE);
}

void DrawSampleSizeItem(const DRAWITEMSTRUCT* item, int comboId) {
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0) return;
  RECT area = item->rcItem;
  area.left += 2;
  area.right -= 2;
  char text[64] = {};
  if (static_cast<int>(item->CtlID) == comboId && item->itemID != static_cast<UINT>(-1)) {
    const LRESULT length = SendMessageA(item->hwndItem, CB_GETLBTEXTLEN, item->itemID, 0);
    if (length >= 0 && length < static_cast<LRESULT>(sizeof text)) {
      SendMessageA(item->hwndItem, CB_GETLBTEXT, item->itemID, reinterpret_cast<LPARAM>(text));
    }
  }
  HFONT font = CreateControlFont();
  HGDIOBJ old = SelectObject(item->hDC, font);
  DrawTextA(item->hDC, text, -1, &area, 0);
  SelectObject(item->hDC, old);
  DeleteObject(font);
}

int SelectedSampleSize(HWND combo) {
  const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  return index < 0 ? 2 : static_cast<int>(index) + 2;
}

void SelectSampleSize(HWND combo, int n) {
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(n - 2), 0);
}

void ClearEditText(HWND edit) {
  char text[64] = {};
  SendMessageA(edit, WM_GETTEXT, 62, reinterpret_cast<LPARAM>(text));
  if (text[0] != '\0') SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

void EndCalculator() {
  for (int i = 0; i < 2; ++i) {
    if (pictureDc[i]) {
      if (pictureOld[i]) SelectObject(pictureDc[i], pictureOld[i]);
      DeleteDC(pictureDc[i]);
      pictureDc[i] = nullptr;
    }
    if (pictureBitmap[i]) {
      DeleteObject(pictureBitmap[i]);
      pictureBitmap[i] = nullptr;
    }
  }
  for (int i = 0; i < editCount; ++i) {
    SelectObject(editDc[i], editOldFont[i]);
    ReleaseDC(editWindow[i], editDc[i]);
  }
  editCount = 0;
  if (controlFont) {
    DeleteObject(controlFont);
    controlFont = nullptr;
  }
  if (mainDc) {
    SelectObject(mainDc, mainOldBrush);
    ReleaseDC(WindowFromDC(mainDc), mainDc);
    mainDc = nullptr;
  }
  if (frameBrush) {
    DeleteObject(frameBrush);
    frameBrush = nullptr;
  }
  PostQuitMessage(0);
}
