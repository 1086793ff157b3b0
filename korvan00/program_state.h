// What korvan00 keeps for the whole run, and the small types its commands hand to the
// window: the page state, a message box to show, a strip of the icon bar to repaint. Pure.
#pragma once

#include <string>
#include <vector>

#include "common/texts.h"
#include "korvan00/conditions.h"
#include "stats/sample_statistics.h"

namespace korvan00 {

// What the client area below the icon bar shows, and so which graph commands are usable.
enum class PageState {
  kStartPicture = 0,  // the start picture; no results to draw
  kResultsReady = 1,  // the start picture; the last analysis can be drawn
  kGraphDrawn = 2,    // the histogram page, held in an off-screen bitmap
};

// The data of one analysis: the clipboard text (its SheetTextLength bytes) and the
// values read from it. Held from a successful import until the analysis has ended (its
// results file written, refused or declined, or its values found all equal).
struct ImportBlocks {
  bool held = false;
  std::string clipText;
  std::vector<double> dataValues;
};

// The state of korvan00's main window.
struct ProgramState {
  ConditionsStore conditions;
  PageState pageState = PageState::kStartPicture;
  // The count of the last import that reached the end of its cell loop (also one refused for
  // too few values); it stays when the import blocks are released. The conditions dialog
  // shows the standard interval number of this count.
  int dataCount = 0;
  // The last analysis that passed the import and the equal-values test; a refused analysis
  // leaves the previous one whole.
  AnalysisResults results;
  ImportBlocks import;
};

// A message box: MessageBoxA with an OK button and the icon; owned by the main window, or
// with no owner and MB_SYSTEMMODAL when systemModal is set. A notice that names a file holds
// its UTF-16 path, shown whole where the text has "%s" (the box is then the wide one).
struct Notice {
  std::string text;
  std::string caption;
  unsigned icon = 0;
  bool systemModal = false;
  std::wstring path = {};

  bool operator==(const Notice&) const = default;
};

// The row's text and caption in the language (useJapanese 1: Japanese).
Notice NoticeOf(const MessageEntry& entry, int useJapanese, bool systemModal = false);
Notice NoticeOf(const MessageBoxText& message);

// Strips of the icon bar that a command repaints (with erase) so that the main window's
// WM_PAINT applies the button rule to the buttons in them; y from 0 to 20.
enum class IconBarStrip {
  kAnalysisButton,  // x 47 to 79: after the results file dialog
  kDrawGraph,       // x 79 to 111: after an analysis made the results drawable
  kGraphButtons,    // x 79 to 207: Draw, Copy, Save and Print Graph, after a page reset
  kSaveGraph,       // x 143 to 175: after the file dialog of Save Graph
};

struct StripRect {
  int left, top, right, bottom;
  bool operator==(const StripRect&) const = default;
};
StripRect RectOf(IconBarStrip strip);

struct ClientSize {
  int width, height;
  bool operator==(const ClientSize&) const = default;
};

}  // namespace korvan00
