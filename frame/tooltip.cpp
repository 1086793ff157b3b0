#include <cstdio>
#include <string>

#include "frame/frame.h"
#include "frame/gdi_guard.h"
#include "frame/platform_class.h"
#include "frame/tooltip_layout.h"

namespace {

HFONT CreateTooltipFont(const TooltipFont& font) {
  LOGFONTA description = {};
  description.lfHeight = font.height;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = static_cast<BYTE>(font.charset);
  std::snprintf(description.lfFaceName, sizeof description.lfFaceName, "%s", font.face);
  return CreateFontIndirectA(&description);
}

// The key of the command an icon-bar button sends, or null.
const CommandKey* KeyOfButton(const ProgramDefinition& program, int command) {
  for (int i = 0; i < program.commandCount; ++i) {
    if (program.commands[i].barId == command) return KeyOfCommandRow(program, program.commands[i]);
  }
  return nullptr;
}

// The label of the n-th command button (from 1), in the interface language, with its key.
std::string LabelOfButton(const FrameState& frame, int button) {
  int seen = 0;
  for (int i = 0; i < frame.program->buttonCount; ++i) {
    const IconBarButton& element = frame.program->buttons[i];
    if (element.command == 0 || ++seen != button) continue;
    return LabelWithKey(TextFor(element.label, frame.useJapanese), KeyOfButton(*frame.program, element.command));
  }
  return "";
}

void RestorePixels(HDC dc, const TooltipState& tooltip) {
  for (int y = tooltip.rect.top; y <= tooltip.rect.bottom; ++y) {
    for (int x = tooltip.rect.left; x <= tooltip.rect.right; ++x) {
      SetPixelV(dc, x, y, tooltip.pixels[y - tooltip.rect.top][x - tooltip.rect.left]);
    }
  }
}

void ForgetBox(TooltipState& tooltip) {
  SetRectEmpty(&tooltip.rect);
  tooltip.button = 0;
}

void DrawBox(HDC dc, FrameState& frame, int button, const TooltipFont& font) {
  TooltipState& tooltip = frame.tooltip;
  const std::string text = LabelOfButton(frame, button);
  const char* label = text.c_str();
  const int length = static_cast<int>(text.size());
  SIZE extent = {0, 0};
  GetTextExtentPoint32A(dc, label, length, &extent);
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
  layout.menuHeight = frame.program->hasMenuBar ? GetSystemMetrics(SM_CYMENU) : 0;
  const TooltipBox box = TooltipBoxFor(button, layout);
  SetRect(&tooltip.rect, box.left, box.top, box.right, box.bottom);

  for (int y = box.top; y <= box.bottom; ++y) {
    for (int x = box.left; x <= box.right; ++x) tooltip.pixels[y - box.top][x - box.left] = GetPixel(dc, x, y);
  }
  Rectangle(dc, box.left, box.top, box.right, box.bottom);
  // The text stays inside the box, also when the box was clipped to the pixel store.
  RECT inside = {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  ExtTextOutA(dc, box.left + font.textOffsetX + 3, box.top + font.textOffsetY + 3, ETO_CLIPPED, &inside,
              label, static_cast<UINT>(length), nullptr);
}

}  // namespace

void UpdateTooltip(HWND mainWindow) {
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(mainWindow, &cursor);
  if (GetActiveWindow() == nullptr || !IsWindowEnabled(mainWindow)) return;

  FrameState& frame = FrameOf(mainWindow);
  TooltipState& tooltip = frame.tooltip;
  WindowDc dc(mainWindow, true);
  const TooltipFont font = TooltipFontFor(frame.useJapanese, frame.windowsVersionClass);
  GdiObject<HFONT> tooltipFont(CreateTooltipFont(font));
  Selection selectedFont(dc.get(), tooltipFont.get());

  const int button = TooltipButtonAt(cursor.x, cursor.y, GetSystemMetrics(SM_CYBORDER), frame.program->rowRightEnd);
  if (button == 0) {
    if (tooltip.button != 0) {
      RestorePixels(dc.get(), tooltip);
      ForgetBox(tooltip);
    }
    return;
  }
  if (button == tooltip.button) return;
  if (tooltip.button != 0) RestorePixels(dc.get(), tooltip);
  DrawBox(dc.get(), frame, button, font);
  tooltip.button = button;
}

void HideTooltip(HWND mainWindow) {
  TooltipState& tooltip = FrameOf(mainWindow).tooltip;
  if (tooltip.button != 0) {
    WindowDc dc(mainWindow, true);
    RestorePixels(dc.get(), tooltip);
  }
  ForgetBox(tooltip);
}
