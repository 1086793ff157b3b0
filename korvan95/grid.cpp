// The data-entry grid's state machine.
#include "korvan95/grid.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Indexed by GridMessage.
constexpr MessageEntry kMessages[kGridMessageCount] = {
    {"", "", "", "", 0},
    {"Don't press Enter-key first!", "Warning", "数値入力なしでEnterキーを押さないで下さい!",
     "警告", kIconError},
    {"Overwrite a new datum in the cell!", "Warning", "新しいデータは重ね書き入力して下さい!",
     "警告", kIconError},
    {"Press Enter-key to fix the input figure!", "Warning",
     "Enterキーを押して入力数値を確定して下さい!", "警告", kIconError},
    {"Total digits <= 11", "Warning", "トータルの文字数は11以下です!", "警告", kIconError},
    {"Number of data <= 1000.", "Warning", "トータルのデータ数は1000以下です.", "警告",
     kIconError},
    {"Too small Window's height!\nPlease expand Window's height.", "Warning",
     "Windowの高さを小さくし過ぎています!\n縦方向に拡大してください.", "警告", kIconError},
};

int ValuesPerPage(const GridState& s) { return s.rowsPerPage - 1; }

// Index of the next empty cell.
int NextEmptyIndex(const GridState& s) { return s.dataSetPresent ? s.lastDataIndex + 1 : 0; }

int PageOfIndex(const GridState& s, int index) { return index / ValuesPerPage(s) + 1; }

// Page line of an index on page `page` (lines outside 1 ... rowsPerPage - 1 are off the page).
int LineOfIndex(const GridState& s, int index, int page) {
  return index - ValuesPerPage(s) * (page - 1) + 1;
}

void PlaceCaret(GridEffect& e, const GridState& s) {
  e.caretPlaced = true;
  e.caretRow = s.caretRow;
  e.caretText = s.cellText;
}

void DrawCell(GridEffect& e, const GridState& s) {
  e.cellDrawn = true;
  e.cellRow = s.caretRow;
  e.cellText = s.cellText;
}

void ClearTyping(GridState& s) {
  s.charPosition = 1;
  s.cellText.clear();
  s.pointTyped = false;
  s.minusTyped = false;
}

// Enter, or the eleventh character: the typed text becomes the value of currentCell.
void StoreTypedValue(GridState& s, GridEffect& e) {
  if (s.currentCell < 0 || s.currentCell >= kGridMaxValues) return;
  s.dataValues[s.currentCell] = std::strtod(s.cellText.c_str(), nullptr);
  e.storedIndex = s.currentCell;
  if (s.currentCell >= s.lastDataIndex) s.lastDataIndex = s.currentCell;
  ++s.currentCell;
  s.dataSetPresent = true;
  s.inputFixed = true;
  if (s.caretRow < ValuesPerPage(s)) {
    ++s.caretRow;
  } else {
    ++s.currentPage;
    s.caretRow = 1;
    e.pageDrawn = true;
  }
  if (s.lastDataIndex >= kGridMaxValues - 1) e.message = kGridTooManyData;
  s.lastPage = std::max(s.lastPage, s.currentPage);
  s.dataEntered = true;
  s.unsavedValues = true;
  ClearTyping(s);
  PlaceCaret(e, s);
}

// Appends one typed character; the eleventh stores the number.
void AppendCharacter(GridState& s, GridEffect& e, char c) {
  s.cellText += c;
  if (c == '.') s.pointTyped = true;
  if (c == '-') s.minusTyped = true;
  ++s.charPosition;
  DrawCell(e, s);
  PlaceCaret(e, s);
  if (s.charPosition > kGridMaxTypedChars) {
    e.warningBeforeStore = kGridTotalDigits;
    StoreTypedValue(s, e);
  }
}

GridEffect KeyOnEmptyCell(GridState& s, const GridKey& key) {
  GridEffect e;
  switch (key.keyClass) {
    case GridKeyClass::kEnter:
      e.message = kGridEnterFirst;
      return e;
    case GridKeyClass::kCharacter:
      AppendCharacter(s, e, key.character);
      return e;
    case GridKeyClass::kKeypadOther:
      PlaceCaret(e, s);
      return e;
    case GridKeyClass::kUp:
      if (s.caretRow >= 2) {
        --s.caretRow;
        --s.currentCell;
      }
      break;
    case GridKeyClass::kDown: {
      bool moves = s.caretRow <= s.rowsPerPage - 2;
      if (moves && s.currentPage >= s.lastPage) {
        // On the last page the caret stops at the first empty cell.
        moves = s.dataSetPresent &&
                s.caretRow < LineOfIndex(s, NextEmptyIndex(s), s.currentPage);
      }
      if (moves) {
        ++s.caretRow;
        ++s.currentCell;
      }
      break;
    }
    case GridKeyClass::kDelete:
      e.message = kGridOverwrite;
      break;
    default:
      break;
  }
  s.inputFixed = true;
  PlaceCaret(e, s);
  return e;
}

GridEffect KeyWhileTyping(GridState& s, const GridKey& key) {
  GridEffect e;
  switch (key.keyClass) {
    case GridKeyClass::kEnter: {
      // A sign or a point alone is no number yet.
      const bool bare = (s.charPosition == 2 && (s.pointTyped || s.minusTyped)) ||
                        (s.charPosition == 3 && s.pointTyped && s.minusTyped);
      if (!bare) StoreTypedValue(s, e);
      return e;
    }
    case GridKeyClass::kCharacter:
      if (key.character != '-' && !(key.character == '.' && s.pointTyped))
        AppendCharacter(s, e, key.character);
      else
        PlaceCaret(e, s);
      return e;
    case GridKeyClass::kUp:
    case GridKeyClass::kDown:
      e.message = kGridFixInput;
      return e;
    case GridKeyClass::kBackspace: {
      if (s.cellText.empty()) return e;
      const char deleted = s.cellText.back();
      s.cellText.pop_back();
      --s.charPosition;
      if (deleted == '.') s.pointTyped = false;
      if (deleted == '-' && s.cellText.empty()) s.minusTyped = false;
      DrawCell(e, s);
      PlaceCaret(e, s);
      return e;
    }
    case GridKeyClass::kKeypadOther:
      PlaceCaret(e, s);
      return e;
    default:
      return e;
  }
}

void EnterGridPage(GridState& s, PageState& page, const GridMetrics& metrics) {
  s.rowHeight = metrics.rowHeight;
  s.textLead = metrics.textLead;
  s.rowsPerPage = metrics.rowsPerPage;
  s.gridActive = true;
  page.pageShown = PageShown::kPage;
  page.dataModeEntered = true;
}

// The caret goes to the first empty cell, on the page that holds it.
void GoToFirstEmptyCell(GridState& s) {
  const int next = NextEmptyIndex(s);
  s.currentPage = PageOfIndex(s, next);
  s.lastPage = s.currentPage;
  s.caretRow = LineOfIndex(s, next, s.currentPage);
  s.currentCell = next;
}

}  // namespace

MessageBoxText GetGridMessage(GridMessage message, int useJapanese) {
  return MessageFromTable(kMessages, kGridMessageCount, kGridNoMessage + 1, message, useJapanese);
}

GridMetrics MeasureGrid(int textHeight, int externalLeading, int clientHeight) {
  GridMetrics m;
  m.rowHeight = textHeight + externalLeading + 1;
  m.textLead = externalLeading + 1;
  if (m.rowHeight > 0)
    m.rowsPerPage = static_cast<int>(std::floor((clientHeight - 50.0) / m.rowHeight));
  return m;
}

int GridValueCount(const GridState& state) {
  return state.dataSetPresent ? state.lastDataIndex + 1 : 0;
}

bool GridIsFull(const GridState& state) { return GridValueCount(state) >= kGridMaxValues; }

bool GridTakesInput(const GridState& state) {
  return state.gridActive && state.rowsPerPage >= kGridMinimumRows && !GridIsFull(state);
}

GridEffect OnKeyDown(GridState& state, const GridKey& key) {
  if (key.keyClass == GridKeyClass::kModifier) {
    state.modifierHeld = true;
    return {};
  }
  if (state.modifierHeld || !GridTakesInput(state)) return {};
  state.inputFixed = false;
  if (state.charPosition <= 1) return KeyOnEmptyCell(state, key);
  return KeyWhileTyping(state, key);
}

void OnKeyUp(GridState& state, const GridKey& key) {
  if (key.keyClass == GridKeyClass::kModifier) state.modifierHeld = false;
}

void OnFocusLost(GridState& state) { state.modifierHeld = false; }

int GridCellLineAt(const GridState& state, int x, int y) {
  const GridState& s = state;
  if (s.rowsPerPage < kGridMinimumRows || s.rowHeight <= 0) return 0;
  if (x <= 70 || x >= 170 || y <= s.rowHeight + 40) return 0;
  int lastLine = 0;  // lowest selectable line
  if (s.currentPage < s.lastPage) {
    lastLine = ValuesPerPage(s);
  } else if (s.currentPage == s.lastPage && s.dataSetPresent) {
    lastLine = std::min(ValuesPerPage(s), LineOfIndex(s, NextEmptyIndex(s), s.currentPage));
  }
  const int line = (y - 40) / s.rowHeight;
  return line <= lastLine ? line : 0;
}

bool GridShowsCellCursor(const GridState& state, int x, int y) {
  return GridTakesInput(state) && GridCellLineAt(state, x, y) > 0;
}

GridEffect OnClick(GridState& state, int x, int y) {
  GridEffect e;
  if (!GridTakesInput(state)) return e;
  const int line = GridCellLineAt(state, x, y);
  if (line == 0) return e;
  if (state.inputFixed) {
    state.currentCell += line - state.caretRow;
    state.caretRow = line;
  } else {
    e.message = kGridFixInput;
  }
  PlaceCaret(e, state);
  return e;
}

GridEffect DataInputStart(GridState& state, PageState& page, const GridMetrics& metrics) {
  GridEffect e;
  if (metrics.rowsPerPage < kGridMinimumRows) {
    e.message = kGridTooSmallHeight;
    return e;
  }
  GridState fresh;
  fresh.modifierHeld = state.modifierHeld;
  fresh.currentPage = fresh.lastPage = 1;
  fresh.caretRow = 1;
  fresh.inputFixed = true;
  state = fresh;
  EnterGridPage(state, page, metrics);
  e.pageDrawn = true;
  PlaceCaret(e, state);
  return e;
}

GridEffect PreviousPage(GridState& state) {
  GridEffect e;
  if (!state.gridActive || state.rowsPerPage < kGridMinimumRows || state.currentPage <= 1)
    return e;
  --state.currentPage;
  state.caretRow = ValuesPerPage(state);
  state.currentCell = ValuesPerPage(state) * state.currentPage - 1;
  e.pageDrawn = true;
  PlaceCaret(e, state);
  return e;
}

GridEffect NextPage(GridState& state) {
  GridEffect e;
  if (!state.gridActive || state.rowsPerPage < kGridMinimumRows) return e;
  if (state.currentPage < state.lastPage - 1) {
    ++state.currentPage;
    state.caretRow = ValuesPerPage(state);
    state.currentCell = ValuesPerPage(state) * state.currentPage - 1;
  } else if (state.currentPage == state.lastPage - 1) {
    state.currentPage = state.lastPage;
    state.caretRow = LineOfIndex(state, NextEmptyIndex(state), state.currentPage);
    state.currentCell = NextEmptyIndex(state);
  } else {
    return e;
  }
  e.pageDrawn = true;
  PlaceCaret(e, state);
  return e;
}

GridEffect ApplyDataRead(GridState& state, PageState& page, const std::vector<double>& values,
                         const GridMetrics& metrics) {
  GridEffect e;
  if (metrics.rowsPerPage < kGridMinimumRows) {
    e.message = kGridTooSmallHeight;
    return e;
  }
  if (values.size() > static_cast<std::size_t>(kGridMaxValues)) {
    e.message = kGridTooManyData;
    return e;
  }
  state.dataValues.fill(0);
  std::copy(values.begin(), values.end(), state.dataValues.begin());
  state.lastDataIndex = static_cast<int>(values.size()) - 1;
  state.dataSetPresent = true;
  state.dataEntered = true;
  state.inputFixed = true;
  state.unsavedValues = false;
  ClearTyping(state);
  EnterGridPage(state, page, metrics);
  GoToFirstEmptyCell(state);
  e.pageDrawn = true;
  PlaceCaret(e, state);
  return e;
}

GridEffect GridAfterResize(GridState& state, const GridMetrics& metrics) {
  GridEffect e;
  if (!state.gridActive || metrics.rowsPerPage < kGridMinimumRows) return e;
  state.rowHeight = metrics.rowHeight;
  state.textLead = metrics.textLead;
  state.rowsPerPage = metrics.rowsPerPage;
  GoToFirstEmptyCell(state);
  e.pageDrawn = true;
  PlaceCaret(e, state);
  return e;
}

void EnterResultsPage(GridState& state, PageState& page) {
  state.gridActive = false;
  page.pageShown = PageShown::kPage;
}

DataFileMessage DataSaveRefusal(const GridState& state) {
  if (!state.dataEntered) return kDataFileNoDataToSave;
  if (!state.inputFixed) return kDataFileFixBeforeSaving;
  return kDataFileOk;
}

void MarkDataSaved(GridState& state) { state.unsavedValues = false; }

bool DataInputAsksToSave(const GridState& state) { return state.dataSetPresent; }

bool ExitAsksToSave(const GridState& state) { return state.unsavedValues; }

bool ProceedAfterSaveQuestion(bool answeredYes, bool saveWroteFile) {
  return !answeredYes || saveWroteFile;
}
