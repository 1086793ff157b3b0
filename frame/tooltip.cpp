#include <cstdio>
#include <cstring>

#include "frame/frame.h"
#include "frame/gdi_guard.h"
#include "frame/platform_class.h"
#include "frame/tooltip_layout.h"

namespace {

int tooltipButton = 0;  // 1-based button whose box is shown, 0 for none
RECT tooltipRect = {0, 0, 0, 0};
char tooltipLabel[258];
COLORREF tooltipPixels[kTooltipStoreRows][kTooltipStoreColumns];

HFONT CreateTooltipFont(const TooltipFont& font) {
  LOGFONTA description = {};
  description.lfHeight = font.height;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = static_cast<BYTE>(font.charset);
  std::snprintf(description.lfFaceName, sizeof description.lfFaceName, "%s", font.face);
  return CreateFontIndirectA(&description);
}

// The label of the n-th command button (from 1), in the interface language.
const char* LabelOfButton(int button) {
  int seen = 0;
  for (int i = 0; i < frameProgram.buttonCount; ++i) {
    if (frameProgram.buttons[i].command == 0) continue;
    if (++seen == button) return TextFor(frameProgram.buttons[i].label, useJapanese);
  }
  return "";
}

void RestorePixels(HDC dc) {
  for (int y = tooltipRect.top; y <= tooltipRect.bottom; ++y) {
    for (int x = tooltipRect.left; x <= tooltipRect.right; ++x) {
      SetPixelV(dc, x, y, tooltipPixels[y - tooltipRect.top][x - tooltipRect.left]);
    }
  }
}

void ForgetBox() {
  SetRectEmpty(&tooltipRect);
  tooltipButton = 0;
}

void DrawBox(HDC dc, int button, const TooltipFont& font) {
  std::snprintf(tooltipLabel, sizeof tooltipLabel, "%s", LabelOfButton(button));
  const int length = static_cast<int>(std::strlen(tooltipLabel));
  SIZE extent = {0, 0};
  GetTextExtentPoint32A(dc, tooltipLabel, length, &extent);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);

  TooltipMetrics layout;
  layout.textWidth = extent.cx;
  layout.textHeight = metrics.tmHeight;
  layout.externalLeading = metrics.tmExternalLeading;
  layout.extraWidth = font.extraWidth;
  layout.cxBorder = GetSystemMetrics(SM_CXBORDER);
  layout.cyBorder = GetSystemMetrics(SM_CYBORDER);
  layout.cyCaption = GetSystemMetrics(SM_CYCAPTION);
  layout.menuHeight = frameProgram.hasMenuBar ? GetSystemMetrics(SM_CYMENU) : 0;
  const TooltipBox box = TooltipBoxFor(button, layout);
  SetRect(&tooltipRect, box.left, box.top, box.right, box.bottom);

  for (int y = box.top; y <= box.bottom; ++y) {
    for (int x = box.left; x <= box.right; ++x) tooltipPixels[y - box.top][x - box.left] = GetPixel(dc, x, y);
  }
  Rectangle(dc, box.left, box.top, box.right, box.bottom);
  // The text stays inside the box, also when the box was clipped to the pixel store.
  RECT inside = {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  ExtTextOutA(dc, box.left + font.textOffsetX + 3, box.top + font.textOffsetY + 3, ETO_CLIPPED, &inside,
              tooltipLabel, static_cast<UINT>(length), nullptr);
}

}  // namespace

void UpdateTooltip(HWND mainWindow) {
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(mainWindow, &cursor);
  if (GetActiveWindow() == nullptr || !IsWindowEnabled(mainWindow)) return;

  WindowDc dc(mainWindow, true);
  const TooltipFont font = TooltipFontFor(useJapanese, windowsVersionClass);
  GdiObject<HFONT> tooltipFont(CreateTooltipFont(font));
  Selection selectedFont(dc.get(), tooltipFont.get());

  const int button = TooltipButtonAt(cursor.x, cursor.y, GetSystemMetrics(SM_CYBORDER), frameProgram.rowRightEnd);
  if (button == 0) {
    if (tooltipButton != 0) {
      RestorePixels(dc.get());
      ForgetBox();
    }
    return;
  }
  if (button == tooltipButton) return;
  if (tooltipButton != 0) RestorePixels(dc.get());
  tooltipLabel[0] = '\0';
  DrawBox(dc.get(), button, font);
  tooltipButton = button;
}

void HideTooltip(HWND mainWindow) {
  if (tooltipButton != 0) {
    WindowDc dc(mainWindow, true);
    RestorePixels(dc.get());
  }
  ForgetBox();
}
