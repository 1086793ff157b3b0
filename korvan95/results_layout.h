// The results page of korvan95 as pure layout: the six text lines and the frequency graph
// for a client area of W x H pixels, from the analysis results and the conditions. The
// window draws what this says (TextOutA, LineTo, FloodFill); nothing here touches GDI.
//
// Coordinates are those of the page image (W x (H - 21)), which the window shows 21 pixels
// lower.
#pragma once

#include "korvan95/conditions.h"
#include "stats/sample_statistics.h"

#include <string>
#include <vector>

constexpr int kResultsTextX = 30;
constexpr int kResultsLineCount = 6;

// One bar of the graph: outline from (left, baseY) up to (left, baseY - height), across to
// (right, baseY - height), down to (right, baseY). Adjacent bars share their vertical edge.
// When filled, FloodFill at (fillX, fillY) with the black boundary paints the inside blue.
struct ResultsBar {
  int left, right, height;
  bool filled;
  int fillX, fillY;
};

// A vertical marker line at x from baseY up to topY (red; solid for the mean, dashed for
// m - d and m + d).
struct ResultsMarker {
  bool shown;
  int x;
};

struct ResultsLayout {
  std::string lines[kResultsLineCount];  // at (kResultsTextX, lineY[i])
  int lineY[kResultsLineCount];          // 10 + 16 * i
  int plotHeight;                        // h_max = H - 167
  int baseY;                             // y_b = H - 41
  int axisLeft, axisRight;               // x_a = floor(0.1 W) and W - x_a, at baseY
  int barLeft;                           // x_0 = floor(0.15 W)
  double barUnit;                        // b = 0.7 W / k
  std::vector<ResultsBar> bars;          // k bars, from the lowest interval
  // Markers (only when showMarkers): the mean at floor(X(m)), shown then unless m is no
  // finite number; m - d and m + d (d = s or sigma hat by the basis) left out outside
  // [x_a, W - x_a] and where they are no finite number.
  ResultsMarker meanMarker, lowerMarker, upperMarker;
  int markerTopY;  // baseY - plotHeight - 5
};

// Lays out the page. results holds a complete analysis (count >= 3, k >= 1, max > min);
// basis is kBasisSample or kBasisUnbiased. Numbers are shown as %.7g, the count in decimal.
// Bar j spans x_0 + floor(j b) to x_0 + floor((j + 1) b) with height floor(h_j), h_j =
// h_max f_j / f_max (f the frequencies); a bar is filled when it has an inside (height of
// at least 2 pixels), at (x_0 + floor((j + 0.5) b), y_b - floor(h_j / 2)). A marker of the
// value v stands at X(v) = ((W - 2 x_0) v + x_0 max - (W - x_0) min) / (max - min), which maps
// min to x_0 and max to W - x_0.
ResultsLayout LayoutResultsPage(int width, int height, const AnalysisResults& results, int basis,
                                bool showMarkers, int useJapanese);
