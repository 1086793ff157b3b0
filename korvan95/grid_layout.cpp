// Geometry of the grid page.
#include "korvan95/grid_layout.h"

#include "common/text_format.h"

#include <cmath>

namespace {

constexpr Text kHeaderNumber = {"No.", "番号"};
constexpr Text kHeaderData = {"Data", "入力データ"};

int TextY(const GridState& s, int line) { return 19 + line * s.rowHeight + s.textLead; }

}  // namespace

std::string FormatGridValue(double value) {
  const bool fraction = value != std::floor(value);
  int digits = 11;
  if (value < 0 && fraction) {
    digits = 9;
  } else if (value < 0 || fraction) {
    digits = 10;
  }
  std::string text;
  AppendFormat(text, "%.*g", digits, value);
  return text;
}

GridPageLayout LayoutGridPage(const GridState& s, int width, int useJapanese) {
  GridPageLayout layout;
  if (s.rowsPerPage < kGridMinimumRows || s.rowHeight <= 0) return layout;
  const int right = width - 100;
  const int bottom = 19 + s.rowsPerPage * s.rowHeight;
  for (int i = 0; i <= s.rowsPerPage; ++i) {
    const int y = 19 + i * s.rowHeight;
    layout.rules.push_back({20, y, right, y});
  }
  for (const int x : {20, 70, right}) layout.rules.push_back({x, 19, x, bottom});

  layout.texts.push_back({24, TextY(s, 0), TextFor(kHeaderNumber, useJapanese)});
  layout.texts.push_back({74, TextY(s, 0), TextFor(kHeaderData, useJapanese)});

  const int perPage = s.rowsPerPage - 1;
  const int count = GridValueCount(s);
  const bool pending = s.charPosition > 1 && !s.cellText.empty();
  for (int line = 1; line <= perPage; ++line) {
    const int index = line - 1 + perPage * (s.currentPage - 1);
    if (index < kGridMaxValues) {
      std::string number;
      AppendFormat(number, "%4d", index + 1);
      layout.texts.push_back({24, TextY(s, line), number});
    }
    if (pending && line == s.caretRow) {
      layout.texts.push_back({75, TextY(s, line), s.cellText});
    } else if (index < count) {
      layout.texts.push_back({75, TextY(s, line), FormatGridValue(s.dataValues[index])});
    }
  }
  return layout;
}

PixelRect GridCellInterior(const GridState& s, int row, int width) {
  return {71, 20 + row * s.rowHeight, width - 100, 19 + (row + 1) * s.rowHeight};
}

GridText GridCellText(const GridState& s, int row, const std::string& text) {
  return {75, TextY(s, row), text};
}

PixelRect GridCellRepaintRect(const GridState& s, int row, int width) {
  return {74, row * s.rowHeight + 41, width - 101, (row + 1) * s.rowHeight + 39};
}

CaretPlace GridCaretPlace(const GridState& s, int row, bool textEmpty, int textWidth) {
  return {textEmpty ? 73 : 75 + textWidth, 40 + row * s.rowHeight, 2, s.rowHeight};
}
