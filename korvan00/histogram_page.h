// The histogram page of korvan00 as pure layout: from the client size, the last results and
// the working conditions to the text lines, the base line, the bar outlines and fills and the
// markers, in page pixels. Draw Graph only walks this layout with GDI.
//
// The page covers the client area below the 21-pixel icon bar: W = client width wide and
// client height - 21 high; page y 0 is client y 21. With T = client height - 116 (the top of
// the text block) and B = T - 20 (the base line), the bars stand on B between x = 24 and
// x = W - 24; the tallest reaches T - 40 pixels up. Draw order: white page, text lines,
// base line and bars (each outline, then its fill), markers (solid, then the dashed ones).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "korvan00/conditions.h"
#include "stats/sample_statistics.h"

namespace korvan00 {

constexpr int kIconBarStripHeight = 21;
constexpr int kPageTextLeft = 10;
constexpr int kPageTextLineHeight = 14;
constexpr int kPageLineCount = 6;
constexpr int kBarAreaMargin = 24;   // bars from x = 24 to x = W - 24
constexpr int kBaseLineMargin = 10;  // base line from x = 10 to x = W - 10
constexpr int kMarkerTop = 15;       // markers rise from B to y = 15
constexpr int kMarkerMargin = 10;    // dashed markers only with 10 <= x <= W - 10

struct PagePoint {
  int x, y;
  bool operator==(const PagePoint&) const = default;
};

// Pixels from left to right - 1 and top to bottom - 1 (empty when right <= left or
// bottom <= top).
struct PageRect {
  int left, top, right, bottom;
  bool operator==(const PageRect&) const = default;
};

// The page font: height -MulDiv(points, LOGPIXELSY, 72), weight 400, DEFAULT_CHARSET, the
// face in code page 932 bytes ("Helv" 8 in English, "ＭＳ ゴシック" 9 in Japanese).
struct PageFont {
  int points;
  const char* face;
};
PageFont PageFontFor(int useJapanese);
// -MulDiv(points, pixelsPerInch, 72): the point size rounded to the nearest pixel height.
int PageFontHeight(int points, int pixelsPerInch);

struct PageTextLine {
  int x, y;
  std::string text;
};

// One bar: its outline runs (left, B) -> (left, top) -> (right, top) -> (right, B) in black
// (neighbours share their vertical side). A bar at least two pixels high is filled blue: the
// flood fill from fillSeed up to the black outline colours exactly the interior.
struct HistogramBar {
  int left, right, top;
  int height;        // B - top: the bar height truncated to whole pixels
  bool filled;
  PagePoint fillSeed;
  PageRect interior; // the pixels the fill colours; empty when not filled
};

// A red vertical line at x from y = bottom (B) up to y = top: solid at m, dashed at m - s and
// at m + s.
struct HistogramMarker {
  int x, top, bottom;
  bool dashed;
};

struct HistogramPage {
  int width = 0, height = 0;  // W x (client height - 21)
  int textTop = 0;            // T
  int baseLine = 0;           // B
  PageFont font{8, ""};
  std::array<PageTextLine, kPageLineCount> lines;
  bool histogram = false;     // base line and bars are drawn (min < max and a frequency > 0)
  int baseLineLeft = 0, baseLineRight = 0;
  std::vector<HistogramBar> bars;        // interval 0 (lowest values) at the left
  std::vector<HistogramMarker> markers;  // solid first, then left and right dashed
};

// The layout for a client area of clientWidth x clientHeight. The text lines are the six
// results lines (count, mean and deviation of the basis, P, the two intervals) at x = 10,
// y = T + 14 n. Bar i spans trunc(i xw) + 24 to trunc((i + 1) xw) + 24 with xw = (W - 48) / k,
// and rises trunc((T - 40) f_i / fmax). Markers only when conditions.showMarkers and the
// histogram is drawn: a value v lies at X(v) = ((W - 48) v + 24 max - (W - 24) min) /
// (max - min); s is the sample deviation or sigma hat by the basis, the centre m in both.
HistogramPage LayoutHistogramPage(int clientWidth, int clientHeight, const AnalysisResults& results,
                                  const AnalysisConditions& conditions, int useJapanese);

// X(v) of the markers, as a double (not truncated).
double MarkerPosition(int pageWidth, double value, double minimum, double maximum);

}  // namespace korvan00
