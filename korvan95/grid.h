// The data-entry grid of korvan95 as a pure state machine: the grid state, what a key, a
// click or a page command does to it, and what the window must then do (the GridEffect).
// Pure: no window, caret or drawing calls; the window carries out the effect.
//
// Coordinates given to and returned by these functions are client coordinates of the main
// window (the page image is shown 21 pixels lower than it is drawn; see grid_layout.h).
#pragma once

#include "common/texts.h"
#include "korvan95/data_file.h"
#include "korvan95/grid_keys.h"

#include <array>
#include <string>
#include <vector>

// Slots of the value array (indices 0 ... 1000); at most kGridMaxValues are held.
constexpr int kGridValueSlots = 1001;
constexpr int kGridMaxValues = 1000;
// Characters of one typed number; the eleventh stores the number at once.
constexpr int kGridMaxTypedChars = 11;
// Fewest page lines (header line included) a grid page needs.
constexpr int kGridMinimumRows = 3;

// Which page the main window shows.
enum class PageShown {
  kStartPicture = 0,       // no page yet
  kPage = 1,               // the grid page (gridActive set) or the results page
  kRebuildingResults = 10  // the results page is being drawn again after a resize
};

// Page state of the main window that the grid commands change.
struct PageState {
  PageShown pageShown = PageShown::kStartPicture;
  bool dataModeEntered = false;  // set by Data Input and Data Read, never cleared
  friend bool operator==(const PageState&, const PageState&) = default;
};

// The row measures of a grid page for the window's font and client height.
struct GridMetrics {
  int rowHeight = 0;    // text height + external leading + 1
  int textLead = 0;     // external leading + 1: the text's offset inside a line
  int rowsPerPage = 0;  // floor((client height - 50) / rowHeight), header line included
};
GridMetrics MeasureGrid(int textHeight, int externalLeading, int clientHeight);

struct GridState {
  std::array<double, kGridValueSlots> dataValues{};  // the data set in entry order
  // Index of the last stored value: 0 for an empty grid and for one value (dataSetPresent
  // tells them apart), -1 after reading a file without values.
  int lastDataIndex = 0;
  int currentPage = 1;  // the page shown
  int lastPage = 0;     // the page holding the next empty cell (0 before any grid)
  int rowsPerPage = 0;  // page lines including the header; a page holds rowsPerPage - 1 values
  int rowHeight = 0;
  int textLead = 0;
  int caretRow = 0;     // page line of the caret, 1 = first data line
  int currentCell = 0;  // index that Enter writes
  int charPosition = 1; // position of the next typed character; 1 = cell empty
  std::string cellText; // the typed, not yet stored text (at most 11 characters)
  bool pointTyped = false;      // cellText holds a decimal point
  bool minusTyped = false;      // cellText begins with a minus sign
  bool gridActive = false;      // the grid page is shown and takes keys and clicks
  bool dataEntered = false;     // values were stored or read since Data Input
  bool dataSetPresent = false;  // the grid holds a data set
  bool inputFixed = false;      // no typed number is pending
  bool modifierHeld = false;    // Shift or Ctrl is down: keys type nothing
  // Values were typed since the last successful Data Save or Data Read: leaving the program
  // asks whether to save them.
  bool unsavedValues = false;
  friend bool operator==(const GridState&, const GridState&) = default;
};

// Every warning of the grid: caption "Warning", MB_ICONERROR.
enum GridMessage {
  kGridNoMessage = 0,
  kGridEnterFirst,      // "Don't press Enter-key first!"
  kGridOverwrite,       // "Overwrite a new datum in the cell!"
  kGridFixInput,        // "Press Enter-key to fix the input figure!"
  kGridTotalDigits,     // "Total digits <= 11"
  kGridTooManyData,     // "Number of data <= 1000."
  kGridTooSmallHeight,  // "Too small Window's height!\nPlease expand Window's height."
  kGridMessageCount
};
// The message in English (useJapanese 0) or Japanese; kGridNoMessage gives empty texts.
MessageBoxText GetGridMessage(GridMessage message, int useJapanese);

// What the window does after a grid event, in this order:
//  1. cellDrawn: blank the cell on line cellRow, draw cellText in it, repaint the cell;
//  2. warningBeforeStore: show it (the caret hidden meanwhile);
//  3. (storedIndex >= 0 tells that dataValues[storedIndex] was written);
//  4. pageDrawn: draw the grid page currentPage afresh (LayoutGridPage) and paint it;
//  5. caretPlaced: destroy the caret and create it on line caretRow after caretText
//     (GridCaretPlace; the window measures the text with GetTextExtentPoint32A);
//  6. message: show it.
// A default effect means: nothing to do.
struct GridEffect {
  bool cellDrawn = false;
  int cellRow = 0;
  std::string cellText;
  GridMessage warningBeforeStore = kGridNoMessage;
  int storedIndex = -1;
  bool pageDrawn = false;
  bool caretPlaced = false;
  int caretRow = 0;
  std::string caretText;
  GridMessage message = kGridNoMessage;
};

// Values the grid holds: lastDataIndex + 1 while dataSetPresent, else 0.
int GridValueCount(const GridState& state);
// All 1000 values are held: no key or click is taken until Data Input or Data Read.
bool GridIsFull(const GridState& state);
// Keys and clicks are taken: the grid page is shown and the grid is not full.
bool GridTakesInput(const GridState& state);

// A key press. The modifiers set modifierHeld; while it is set, or while the grid takes no
// input, every key is ignored. Otherwise the key acts by the typing rules:
//  - on an empty cell a digit, "." or "-" starts a number; Enter warns kGridEnterFirst;
//    Delete warns kGridOverwrite; Up/Down move the caret within the page (Down on the last
//    page stops at the first empty cell); keypad keys that type nothing do nothing and
//    leave inputFixed clear; every other key only sets inputFixed;
//  - while a number is typed, digits and one "." are appended (a "-" is ignored), Enter
//    stores the number unless the text is "-", "." or "-.", Backspace deletes the last
//    character, Up/Down warn kGridFixInput; the eleventh character warns kGridTotalDigits
//    and stores the number at once;
//  - storing writes dataValues[currentCell], moves the caret to the next line or to line 1
//    of the next page, and after the 1000th value warns kGridTooManyData (the grid is full).
GridEffect OnKeyDown(GridState& state, const GridKey& key);
// A key release: releasing Shift or Ctrl clears modifierHeld.
void OnKeyUp(GridState& state, const GridKey& key);
// The window lost the keyboard focus: a modifier released elsewhere never reaches it, so
// modifierHeld is cleared.
void OnFocusLost(GridState& state);

// The page line of the selectable cell at client point (x, y), or 0: 70 < x < 170, below
// line 1's top edge, and on a page before the last above the page's bottom rule, on the
// last page only down to the first empty cell. The click and the cell cursor share it.
int GridCellLineAt(const GridState& state, int x, int y);
// The cell cursor is shown at (x, y): the grid takes input and a cell lies there.
bool GridShowsCellCursor(const GridState& state, int x, int y);
// A left click: on a cell while no typed number is pending, the caret moves there; while a
// number is pending, kGridFixInput. Elsewhere nothing.
GridEffect OnClick(GridState& state, int x, int y);

// Data Input after its save question: an empty data set on page 1, the caret on line 1,
// page state set to the grid page. With fewer than three lines for the window height:
// kGridTooSmallHeight and nothing changes (the data set is kept).
GridEffect DataInputStart(GridState& state, PageState& page, const GridMetrics& metrics);

// Previous Page: from page p > 1 to p - 1, caret on its last line. Next Page: one page on,
// caret on the last line, or on the first empty cell when that page is the last. Nothing
// at the page bounds or while the grid page is not shown. A pending typed text stays and
// continues in the cell the caret now marks (the page layout shows it there).
GridEffect PreviousPage(GridState& state);
GridEffect NextPage(GridState& state);

// An accepted data file: its values replace the data set (at most 1000; more are refused
// with kGridTooManyData and nothing changes), the grid page of the first empty cell is
// shown with the caret there, typing state reset, the data counted as saved. With fewer
// than three lines: kGridTooSmallHeight and nothing changes. A refused file never reaches
// the grid, so the data set stays as it was.
GridEffect ApplyDataRead(GridState& state, PageState& page, const std::vector<double>& values,
                         const GridMetrics& metrics);

// The window was resized while the grid page is shown: new metrics, the page of the first
// empty cell, the caret there (after a pending typed text). A height for fewer than three
// lines (a minimized window, for one) keeps the previous page and metrics.
GridEffect GridAfterResize(GridState& state, const GridMetrics& metrics);

// The results page replaced the grid page.
void EnterResultsPage(GridState& state, PageState& page);

// Data Save: the refusal before its file dialog (kDataFileNoDataToSave when nothing was
// stored since Data Input, kDataFileFixBeforeSaving while a typed number is pending), or
// kDataFileOk. The values to write are dataValues[0 ... GridValueCount - 1].
DataFileMessage DataSaveRefusal(const GridState& state);
// Data Save wrote the file: the values count as saved.
void MarkDataSaved(GridState& state);

// Data Input asks "Save the data set?" when the grid holds a data set.
bool DataInputAsksToSave(const GridState& state);
// Exit, closing the window and Data Read ask "Save the data set?" (Yes/No) when values were
// typed since the last successful Data Save or Data Read.
bool ExitAsksToSave(const GridState& state);
// After the save question: go on (discard the data set, or exit) on No, or on Yes when
// Data Save wrote the file; stop the command, keeping the data, when it did not.
bool ProceedAfterSaveQuestion(bool answeredYes, bool saveWroteFile);
