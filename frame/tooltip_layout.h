// Where the program-drawn tooltip box of the icon bar goes. Pure arithmetic.
#pragma once

#include <string>

// The pixel store under the box: the box never grows beyond it. It holds the box of the
// longest label with its key ("Previous Page (Ctrl+Page Up)") at the widest it can be drawn
// (TooltipTextWidthLimit in the 14-pixel font: 392 pixels), so no label is ever cut.
constexpr int kTooltipStoreColumns = 400;
constexpr int kTooltipStoreRows = 32;

constexpr int kIconBarFirstButtonX = 16;
constexpr int kIconBarButtonWidth = 32;
constexpr int kIconBarButtonHeight = 20;

// The button under the cursor (client coordinates of the main window), counted from 1, or 0
// when the cursor is outside the button band or left or right of the button row.
int TooltipButtonAt(int x, int y, int cyBorder, int rowRightEnd);

// Box rectangle in window coordinates; both edges belong to the box.
struct TooltipBox {
  int left, top, right, bottom;
  bool operator==(const TooltipBox&) const = default;
};

struct TooltipMetrics {
  int textWidth;         // of the label, in the tooltip font
  int textHeight;        // font height
  int externalLeading;
  int extraWidth;        // of the font
  int cxBorder, cyBorder, cyCaption;
  int menuHeight;        // 0 without a menu bar
};

// The box of button k (from 1), clipped to the pixel store.
TooltipBox TooltipBoxFor(int button, const TooltipMetrics& metrics);

// The widest a text (code page 932 bytes) can be drawn in a tooltip font of this height: no
// character is wider than the font is high. The height holds the em with the internal leading,
// and the widest characters of the faces the fonts map to are about one em: "W" is 12 pixels
// at height 14 in DejaVu Sans (Wine's "Helv"), a full-width character 12 at height 12 in
// IPAex Gothic (Wine's "ＭＳゴシック") and in MS Gothic. A double-byte character counts once.
int TooltipTextWidthLimit(const std::string& text, int fontHeight);
