#include "frame/calculator_window.h"

#include <cstdio>
#include <string>

#include "frame/frame.h"
#include "frame/gdi_guard.h"
#include "frame/platform_class.h"

namespace {

constexpr int kWindowWidth = 336;
constexpr int kControlX = 116;
constexpr int kControlWidth = 110;

HFONT CreateControlFont() {
  LOGFONTA description = {};
  description.lfHeight = 12;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = ANSI_CHARSET;
  std::snprintf(description.lfFaceName, sizeof description.lfFaceName, "%s", "Helv");
  return CreateFontIndirectA(&description);
}

void KeepPicture(HWND mainWindow, int index, int x, int y, int width, int height) {
  CalculatorWindow& calculator = CalculatorOf(mainWindow);
  HDC windowDc = GetDC(mainWindow);
  calculator.pictureDc[index] = CreateCompatibleDC(windowDc);
  if (calculator.pictureDc[index] && calculator.pictureBitmap[index]) {
    calculator.pictureOld[index] = SelectObject(calculator.pictureDc[index], calculator.pictureBitmap[index]);
    BitBlt(windowDc, x, y, width, height, calculator.pictureDc[index], 0, 0, SRCCOPY);
  }
  ReleaseDC(mainWindow, windowDc);
}

void PaintCalculatorPictures(HWND mainWindow) {
  const CalculatorWindow& calculator = CalculatorOf(mainWindow);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(mainWindow, &paint);
  if (calculator.pictureDc[0]) BitBlt(dc, 0, 23, 330, 83, calculator.pictureDc[0], 0, 0, SRCCOPY);
  if (calculator.pictureDc[1]) {
    BitBlt(dc, 0, 106, 115, calculator.pictureHeight2, calculator.pictureDc[1], 0, 0, SRCCOPY);
  }
  EndPaint(mainWindow, &paint);
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
  GdiObject<HFONT> font(CreateControlFont());
  Selection selected(item->hDC, font.get());
  DrawTextA(item->hDC, text, -1, &area, 0);
  // The selection field with the keyboard focus shows it with a dotted frame, drawn outright
  // (the combobox paints the field's background before each drawing).
  if ((item->itemState & (ODS_COMBOBOXEDIT | ODS_FOCUS)) == (ODS_COMBOBOXEDIT | ODS_FOCUS)) {
    GdiObject<HPEN> dotted(CreatePen(PS_DOT, 1, GetSysColor(COLOR_WINDOWTEXT)));
    Selection pen(item->hDC, dotted.get());
    Selection brush(item->hDC, GetStockObject(NULL_BRUSH));
    Rectangle(item->hDC, item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom);
  }
}

// A field's label paints nothing: the label picture under it shows the same text.
LRESULT CALLBACK UnpaintedLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(label, &paint);
    EndPaint(label, &paint);
    return 0;
  }
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(label, GWLP_USERDATA));
  return CallWindowProcA(original, label, message, wParam, lParam);
}

// The label of the field at y, left of it over the label picture.
void CreateFieldLabel(HWND mainWindow, const Text& text, int y) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
  HWND label = CreateWindowExA(0, "STATIC", TextFor(text, UseJapanese(mainWindow)),
                               WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_NOPREFIX, 0, y, kControlX, 20, mainWindow,
                               nullptr, instance, nullptr);
  if (label == nullptr) return;
  const LONG_PTR original =
      SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UnpaintedLabelProc));
  SetWindowLongPtrA(label, GWLP_USERDATA, original);
}

}  // namespace

CalculatorWindow& CalculatorOf(HWND mainWindow) {
  static CalculatorWindow none;
  auto* calculator = static_cast<CalculatorWindow*>(FrameOf(mainWindow).programState);
  return calculator ? *calculator : none;
}

RECT CalculatorPlace(int screenWidth, int screenHeight, int clientHeight) {
  const int height = GetSystemMetrics(SM_CYCAPTION) + clientHeight;
  const int x = (screenWidth - kWindowWidth) / 2;
  const int y = (screenHeight - height) / 2;
  return RECT{x, y, x + kWindowWidth, y + height};
}

bool HandleCalculatorMessage(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  CalculatorWindow& calculator = CalculatorOf(mainWindow);
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && IsChild(mainWindow, GetFocus())) calculator.lastFocus = GetFocus();
      return false;
    case WM_SETFOCUS:
      if (calculator.lastFocus == nullptr || !IsWindow(calculator.lastFocus)) return false;
      SetFocus(calculator.lastFocus);
      return true;
    case WM_DESTROY:
      EndCalculator(mainWindow);
      return true;
    case WM_PAINT:
      PaintCalculatorPictures(mainWindow);
      return true;
    case WM_DRAWITEM:
      DrawSampleSizeItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), calculator.comboId);
      return true;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 14;
      return true;
    default:
      return false;
  }
}

int CalculatorAlreadyRunning(const char* englishTitle, const wchar_t* japaneseTitle) {
  // The Japanese title is looked up in UTF-16, so a running copy is found whatever the code
  // page of this one.
  return FindWindowExA(nullptr, nullptr, nullptr, englishTitle) != nullptr ||
         FindWindowExW(nullptr, nullptr, nullptr, japaneseTitle) != nullptr;
}

void PrepareCalculatorBackground(HWND mainWindow) {
  FrameState& frame = FrameOf(mainWindow);
  CalculatorWindow& calculator = CalculatorOf(mainWindow);
  frame.lineColour = CalculatorColour(frame.windowsVersionClass);
  frame.lineColourSet = 1;
  calculator.mainDc = GetDC(mainWindow);
  calculator.frameBrush = CreateSolidBrush(frame.lineColour);
  calculator.mainOldBrush = SelectObject(calculator.mainDc, calculator.frameBrush);
  SetClassLongPtrA(mainWindow, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(calculator.frameBrush));
}

void LoadCalculatorPictures(HWND mainWindow, int picture2Height) {
  const FrameState& frame = FrameOf(mainWindow);
  CalculatorWindow& calculator = CalculatorOf(mainWindow);
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
  calculator.pictureHeight2 = picture2Height;
  calculator.pictureBitmap[0] = LoadBitmapA(instance, frame.useJapanese ? "IBMP_1J" : "IBMP_1E");
  calculator.pictureBitmap[1] =
      LoadBitmapA(instance, StartPictureName(frame.windowsVersionClass, frame.useJapanese).c_str());
  ShowWindow(mainWindow, SW_SHOWNORMAL);
  UpdateWindow(mainWindow);
  KeepPicture(mainWindow, 0, 0, 23, 330, 83);
  KeepPicture(mainWindow, 1, 0, 106, 115, calculator.pictureHeight2);
}

HWND CreateSampleSizeBox(HWND mainWindow, int controlId) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
  CreateFieldLabel(mainWindow, kSampleSizeLabel, 111);
  HWND combo = CreateWindowExA(0, "COMBOBOX", nullptr,
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                   CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
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

HWND CreateCalculatorEdit(HWND mainWindow, int controlId, int y, const Text& label) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
  CreateFieldLabel(mainWindow, label, y);
  HWND edit = CreateWindowExA(WS_EX_STATICEDGE, "EDIT", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                              kControlX, y, kControlWidth, 20, mainWindow,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
  ShowWindow(edit, SW_SHOW);
  return edit;
}

void SetCalculatorFont(HWND mainWindow, HWND edit) {
  CalculatorWindow& calculator = CalculatorOf(mainWindow);
  if (calculator.editCount >= CalculatorWindow::kMaxEdits) return;
  if (!calculator.controlFont) calculator.controlFont = CreateControlFont();
  const int index = calculator.editCount++;
  calculator.editWindow[index] = edit;
  calculator.editDc[index] = GetDC(edit);
  calculator.editOldFont[index] = SelectObject(calculator.editDc[index], calculator.controlFont);
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(calculator.controlFont), TRUE);
}

void MakeResultBox(HWND edit) {
  const LONG_PTR style = GetWindowLongPtrA(edit, GWL_STYLE);
  SetWindowLongPtrA(edit, GWL_STYLE, style | WS_DISABLED | WS_VISIBLE);
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

void EndCalculator(HWND mainWindow) {
  CalculatorWindow& calculator = CalculatorOf(mainWindow);
  for (int i = 0; i < 2; ++i) {
    if (calculator.pictureDc[i]) {
      if (calculator.pictureOld[i]) SelectObject(calculator.pictureDc[i], calculator.pictureOld[i]);
      DeleteDC(calculator.pictureDc[i]);
      calculator.pictureDc[i] = nullptr;
    }
    if (calculator.pictureBitmap[i]) {
      DeleteObject(calculator.pictureBitmap[i]);
      calculator.pictureBitmap[i] = nullptr;
    }
  }
  for (int i = 0; i < calculator.editCount; ++i) {
    SelectObject(calculator.editDc[i], calculator.editOldFont[i]);
    ReleaseDC(calculator.editWindow[i], calculator.editDc[i]);
  }
  calculator.editCount = 0;
  if (calculator.controlFont) {
    DeleteObject(calculator.controlFont);
    calculator.controlFont = nullptr;
  }
  if (calculator.mainDc) {
    SelectObject(calculator.mainDc, calculator.mainOldBrush);
    ReleaseDC(mainWindow, calculator.mainDc);
    calculator.mainDc = nullptr;
  }
  if (calculator.frameBrush) {
    DeleteObject(calculator.frameBrush);
    calculator.frameBrush = nullptr;
  }
  PostQuitMessage(0);
}
