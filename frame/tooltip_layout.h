// Where the program-drawn tooltip box of the icon bar goes. Pure arithmetic.
#pragma once

// The pixel store under the box: the box never grows beyond it.
constexpr int kTooltipStoreColumns = 130;
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
