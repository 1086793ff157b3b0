#include "frame/tooltip_layout.h"

int TooltipButtonAt(int x, int y, int cyBorder, int rowRightEnd) {
  if (y <= cyBorder || y > cyBorder + kIconBarButtonHeight) return 0;
  if (x < kIconBarFirstButtonX || x >= rowRightEnd) return 0;
  return (x - kIconBarFirstButtonX) / kIconBarButtonWidth + 1;
}

TooltipBox TooltipBoxFor(int button, const TooltipMetrics& m) {
  const int a = kIconBarFirstButtonX + kIconBarButtonWidth * (button - 1) + 1;
  TooltipBox box;
  box.left = m.cxBorder + a;
  box.top = m.cyBorder + m.cyCaption + m.menuHeight + 32;
  box.right = box.left + m.textWidth + m.extraWidth + 5;
  box.bottom = m.cyBorder + m.cyCaption + m.menuHeight + m.externalLeading + m.textHeight + 38;
  // A label too long or a font too high for the store gets a clipped box, never an overflow.
  if (box.right - box.left + 1 > kTooltipStoreColumns) box.right = box.left + kTooltipStoreColumns - 1;
  if (box.bottom - box.top + 1 > kTooltipStoreRows) box.bottom = box.top + kTooltipStoreRows - 1;
  return box;
}

int TooltipTextWidthLimit(const std::string& text, int fontHeight) {
  int characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i, ++characters) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) ++i;  // a lead byte
  }
  return characters * fontHeight;
}
