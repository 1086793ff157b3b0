// Geometry of the grid page: what the window draws where. Pure arithmetic and text; the
// window only walks the layout with GDI.
//
// The page is drawn into an image of client width W x (client height - 21) pixels, which
// the window shows kPageImageTop pixels lower (below the icon bar). Rules and texts are in
// image coordinates; the caret and the repaint rectangle are in client coordinates.
#pragma once

#include "korvan95/grid.h"

#include <string>
#include <vector>

constexpr int kPageImageTop = 21;

// A line from (x1, y1) to (x2, y2), as MoveToEx/LineTo draw it (the end point left out).
struct GridRule {
  int x1, y1, x2, y2;
};

// A text drawn with its top-left corner at (x, y).
struct GridText {
  int x, y;
  std::string text;
};

// A rectangle; right and bottom are outside it (as RECT).
struct PixelRect {
  int left, top, right, bottom;
};

struct GridPageLayout {
  // Horizontal rules at y = 19 + i * rowHeight (i = 0 ... rowsPerPage) from x 20 to W - 100,
  // then vertical rules at x = 20, 70 and W - 100 from y 19 to 19 + rowsPerPage * rowHeight.
  std::vector<GridRule> rules;
  // The header ("No."/"Data" or "番号"/"入力データ"), the line numbers ("%4d" at x 24, only
  // for numbers up to 1000), the stored values of the page (display format, x 75) and a
  // pending typed text in the caret's cell (x 75) in place of that cell's value.
  std::vector<GridText> texts;
};

// The page currentPage of the grid for the client width W.
// Line numbers: line i of page p shows i + (rowsPerPage - 1) * (p - 1) wherever that number
// is at most 1000; there is no line 1001. Values: the stored values of the page, indices
// up to lastDataIndex, while the grid holds a data set.
GridPageLayout LayoutGridPage(const GridState& state, int width, int useJapanese);

// A value as the grid shows it: %g with 11 significant digits for a non-negative whole
// number, 10 for a non-negative fraction or a negative whole number, 9 for a negative
// fraction (a fraction differs from its floor): the minus sign and the point take the
// place of digits.
std::string FormatGridValue(double value);

// The cell of page line `row`, inside the rules, in image coordinates: the area to blank
// before its text is drawn again.
PixelRect GridCellInterior(const GridState& state, int row, int width);
// Where the cell's text goes (image coordinates).
GridText GridCellText(const GridState& state, int row, const std::string& text);
// The client rectangle to repaint after the cell of `row` changed: left 74, top
// row * rowHeight + 41, right W - 101, bottom (row + 1) * rowHeight + 39.
PixelRect GridCellRepaintRect(const GridState& state, int row, int width);

// The caret (client coordinates): 2 pixels wide, rowHeight high, top at 40 + row *
// rowHeight; x = 73 in front of an empty text, else 75 + the text's width in pixels.
struct CaretPlace {
  int x, y, width, height;
};
CaretPlace GridCaretPlace(const GridState& state, int row, bool textEmpty, int textWidth);
