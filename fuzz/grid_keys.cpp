// Fuzz target of korvan95's data grid: the key roles and the grid state machine driven by a
// sequence of key presses and releases, clicks, page commands, resizes, Data Input, Data Read
// and the results page, as the main window feeds them.
//
// The input is read as events, one byte each unless told (so seeds are readable texts):
//   '0'...'9' '.' '-'  the main-keyboard keys;  '\n' Enter;  '\r' keypad Enter;
//   '<' Backspace;  '^' 'v' '!' the dedicated Up, Down and Delete keys;  '+' '*' '/' keypad;
//   'S' 's' Shift down / up;  'C' 'c' Ctrl down / up;
//   'P' Previous Page;  'N' Next Page;  'W' the results page replaces the grid;
//   'K' x y   a left click at x = byte x, y = 40 + (y - '0') quarter lines;
//   'R' a b   a resize;  'I' a b  Data Input;  (a b: the window metrics, see MetricsOf)
//   'D' d d d d s a b  Data Read of dddd (decimal, 1001 for more) values (i + 1) * (s - 64) / 8;
//   'B' n     n times: a digit and Enter;
//   'X' v / 'x' v  key down of virtual key v without / with the extended bit;  'U' v  key up;
//   0x80 ... 0xFF  key down of kKeys[byte & 0x3F], extended when bit 6 is set;
//   any other byte does nothing.
// A leading '#' starts without a grid; otherwise Data Input on an 11-line page comes first.
//
// Promises checked after every event: the typed text holds at most 10 characters (the 11th
// stores the number at once), is a sign, digits and at most one point, and agrees with the
// typing flags; the grid holds at most 1000 values, each finite and equal to what its typed
// text parses to (or to the value read); the caret lies on a data line of the page shown,
// the current cell is the caret's cell and lies within the data set + 1; page numbers are in
// range and the last page is the one of the first empty cell; ignored keys change nothing;
// the effect tells the window the state it must show.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "korvan95/grid.h"
#include "korvan95/grid_keys.h"
#include "korvan95/grid_layout.h"
#include "korvan95/main_window.h"

namespace {

// Virtual keys of the 0x80 ... 0xFF bytes: every code the grid gives a role, some it does not
// (letters, Tab, Escape, F1, Alt, the Windows key, OEM plus), and the typing keys again.
constexpr std::array<unsigned, 64> kKeys = {
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39,  // main digits
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,  // keypad digits
    kVkMultiply, kVkAdd, kVkSeparator, kVkSubtract, kVkDecimal, kVkDivide, kVkNumLock,
    kVkOemMinus, kVkOemPeriod, kVkBack, kVkClear, kVkReturn, kVkShift, kVkControl,
    kVkLShift, kVkRShift, kVkLControl, kVkRControl,
    kVkPrior, kVkNext, kVkEnd, kVkHome, kVkLeft, kVkUp, kVkRight, kVkDown, kVkInsert, kVkDelete,
    0x41, 0x09, 0x1B, 0x70, 0x12, 0x5B, 0xBB, 0x20,
    0x31, 0x35, kVkReturn, kVkReturn, kVkBack, kVkOemPeriod, 0x30, 0x39};

// Window metrics from two bytes: a text height of 8 ... 23 pixels with 0 ... 2 pixels of
// leading, and a client height for (b - '0') page lines plus a part of a line.
GridMetrics MetricsOf(std::uint8_t a, std::uint8_t b) {
  const int textHeight = 8 + a % 16;
  const int leading = (a / 16) % 3;
  const int rowHeight = textHeight + leading + 1;
  const int clientHeight = 50 + (static_cast<int>(b) - '0') * rowHeight + a % rowHeight;
  return MeasureGrid(textHeight, leading, clientHeight);
}

// The model the grid is checked against: what each held value must be.
struct Model {
  std::array<double, kGridValueSlots> values{};
  int count = 0;
  bool gridEntered = false;  // Data Input or Data Read succeeded once
};

bool IsTypedText(const std::string& text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  int points = 0;
  for (; i < text.size(); ++i) {
    if (text[i] == '.') {
      ++points;
    } else if (text[i] < '0' || text[i] > '9') {
      return false;
    }
  }
  return points <= 1;
}

// Every field but the values (the model watches those): copied and compared per event, where
// the 8 KB value array would cost most of the run.
struct Fields {
  explicit Fields(const GridState& s)
      : lastDataIndex(s.lastDataIndex), currentPage(s.currentPage), lastPage(s.lastPage),
        rowsPerPage(s.rowsPerPage), rowHeight(s.rowHeight), caretRow(s.caretRow),
        currentCell(s.currentCell), charPosition(s.charPosition), cellText(s.cellText),
        pointTyped(s.pointTyped), minusTyped(s.minusTyped), gridActive(s.gridActive),
        dataEntered(s.dataEntered), dataSetPresent(s.dataSetPresent),
        inputFixed(s.inputFixed), modifierHeld(s.modifierHeld),
        unsavedValues(s.unsavedValues) {}
  int lastDataIndex, currentPage, lastPage, rowsPerPage, rowHeight, caretRow, currentCell,
      charPosition;
  std::string cellText;
  bool pointTyped, minusTyped, gridActive, dataEntered, dataSetPresent, inputFixed,
      modifierHeld, unsavedValues;
};

bool SameFields(const Fields& a, const GridState& b) {
  return a.lastDataIndex == b.lastDataIndex && a.currentPage == b.currentPage &&
         a.lastPage == b.lastPage && a.rowsPerPage == b.rowsPerPage &&
         a.rowHeight == b.rowHeight && a.caretRow == b.caretRow &&
         a.currentCell == b.currentCell && a.charPosition == b.charPosition &&
         a.cellText == b.cellText && a.pointTyped == b.pointTyped &&
         a.minusTyped == b.minusTyped && a.gridActive == b.gridActive &&
         a.dataEntered == b.dataEntered && a.dataSetPresent == b.dataSetPresent &&
         a.inputFixed == b.inputFixed && a.unsavedValues == b.unsavedValues;
}

bool IsDefault(const GridEffect& e) {
  return !e.cellDrawn && e.warningBeforeStore == kGridNoMessage && e.storedIndex < 0 &&
         !e.pageDrawn && !e.caretPlaced && e.message == kGridNoMessage;
}

// The state promises that hold after every event. The held values are compared with the
// model after the events that replace them and at the end of the input (a stored value is
// compared when it is stored).
void CheckState(const GridState& s, const Model& m, bool values = false) {
  // The typed text.
  FUZZ_CHECK(s.cellText.size() < static_cast<std::size_t>(kGridMaxTypedChars));
  FUZZ_CHECK(s.charPosition == static_cast<int>(s.cellText.size()) + 1);
  FUZZ_CHECK(IsTypedText(s.cellText));
  FUZZ_CHECK(s.pointTyped == (s.cellText.find('.') != std::string::npos));
  FUZZ_CHECK(s.minusTyped == (!s.cellText.empty() && s.cellText[0] == '-'));
  if (!s.cellText.empty()) FUZZ_CHECK(!s.inputFixed);

  // The data set.
  const int count = GridValueCount(s);
  FUZZ_CHECK(count >= 0 && count <= kGridMaxValues);
  FUZZ_CHECK(count == m.count);
  FUZZ_CHECK(s.dataSetPresent ? s.lastDataIndex >= -1 && s.lastDataIndex < kGridMaxValues
                              : s.lastDataIndex == 0);
  FUZZ_CHECK(GridIsFull(s) == (count == kGridMaxValues));
  if (values) {
    for (int i = 0; i < count; ++i) FUZZ_CHECK(std::isfinite(s.dataValues[i]));
    FUZZ_CHECK(std::memcmp(s.dataValues.data(), m.values.data(), count * sizeof(double)) == 0);
  }

  // The page and the caret.
  FUZZ_CHECK(s.gridActive ? m.gridEntered : true);
  if (!m.gridEntered) return;
  FUZZ_CHECK(s.rowsPerPage >= kGridMinimumRows && s.rowHeight > 0);
  const int perPage = s.rowsPerPage - 1;
  FUZZ_CHECK(s.caretRow >= 1 && s.caretRow <= perPage);
  FUZZ_CHECK(s.currentPage >= 1 && s.currentPage <= s.lastPage);
  FUZZ_CHECK(s.lastPage == count / perPage + 1);
  FUZZ_CHECK(s.currentCell == (s.currentPage - 1) * perPage + s.caretRow - 1);
  FUZZ_CHECK(s.currentCell >= 0 && s.currentCell <= count);
}

// What the window is told after any event.
void CheckEffect(const GridState& s, const GridEffect& e) {
  FUZZ_CHECK(e.message >= kGridNoMessage && e.message < kGridMessageCount);
  FUZZ_CHECK(e.warningBeforeStore == kGridNoMessage || e.warningBeforeStore == kGridTotalDigits);
  if (e.caretPlaced) {
    FUZZ_CHECK(e.caretRow == s.caretRow);
    FUZZ_CHECK(e.caretText == s.cellText);
  }
  if (e.cellDrawn) {
    FUZZ_CHECK(e.cellRow >= 1 && e.cellRow < s.rowsPerPage);
    FUZZ_CHECK(e.cellText.size() <= static_cast<std::size_t>(kGridMaxTypedChars));
  }
  FUZZ_CHECK(e.storedIndex >= -1 && e.storedIndex < kGridMaxValues);
}

// The page as drawn: line numbers up to 1000 only, values of held cells only, a pending text
// in the caret's cell only.
void CheckLayout(const GridState& s) {
  if (!s.gridActive) return;
  const GridPageLayout layout = LayoutGridPage(s, kMinimumClientWidth, 0);
  const int perPage = s.rowsPerPage - 1;
  FUZZ_CHECK(layout.rules.size() == static_cast<std::size_t>(s.rowsPerPage + 4));
  FUZZ_CHECK(layout.texts.size() >= 2 && layout.texts.size() <= 2 + 2 * static_cast<std::size_t>(perPage));
  const int firstIndex = perPage * (s.currentPage - 1);
  int numbers = 0;
  for (std::size_t i = 2; i < layout.texts.size(); ++i) {
    const GridText& t = layout.texts[i];
    if (t.x == 24) {
      ++numbers;
      FUZZ_CHECK(std::atoi(t.text.c_str()) == firstIndex + numbers);
      FUZZ_CHECK(firstIndex + numbers <= kGridMaxValues);
    } else {
      FUZZ_CHECK(t.x == 75);
    }
  }
  FUZZ_CHECK(numbers == std::max(0, std::min(perPage, kGridMaxValues - firstIndex)));
}

class Run {
 public:
  Run(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  void Go() {
    if (size_ > 0 && data_[0] == '#') {
      ++at_;
    } else {
      Start({16, 1, 11});
    }
    CheckState(s_, m_, true);
    while (at_ < size_) Event(data_[at_++]);
    CheckState(s_, m_, true);
    CheckLayout(s_);
  }

 private:
  std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }

  void Start(const GridMetrics& metrics) {
    const GridEffect e = DataInputStart(s_, page_, metrics);
    if (metrics.rowsPerPage < kGridMinimumRows) {
      FUZZ_CHECK(e.message == kGridTooSmallHeight && !e.pageDrawn);
    } else {
      FUZZ_CHECK(e.message == kGridNoMessage && e.pageDrawn);
      FUZZ_CHECK(s_.currentPage == 1 && s_.caretRow == 1 && s_.cellText.empty());
      m_.count = 0;
      m_.gridEntered = true;
    }
    CheckEffect(s_, e);
  }

  void KeyDown(unsigned virtualKey, bool extended) {
    const GridKey key = IdentifyGridKey(virtualKey, extended);
    FUZZ_CHECK((key.keyClass == GridKeyClass::kCharacter) == (key.character != 0));
    if (key.keyClass == GridKeyClass::kCharacter)
      FUZZ_CHECK((key.character >= '0' && key.character <= '9') || key.character == '.' ||
                 key.character == '-');
    const Fields before(s_);
    const bool takesInput = GridTakesInput(s_);
    const GridEffect e = OnKeyDown(s_, key);
    CheckEffect(s_, e);
    if (key.keyClass == GridKeyClass::kModifier) {
      FUZZ_CHECK(s_.modifierHeld && IsDefault(e) && SameFields(before, s_));
      return;
    }
    if (before.modifierHeld || !takesInput) {
      // An ignored key changes nothing.
      FUZZ_CHECK(IsDefault(e) && SameFields(before, s_));
      return;
    }
    if (e.storedIndex >= 0) {
      // Enter, or the eleventh character: the text typed so far becomes the value of the
      // cell the caret marked.
      FUZZ_CHECK(e.storedIndex == before.currentCell);
      std::string typed = before.cellText;
      if (key.keyClass == GridKeyClass::kCharacter) {
        typed += key.character;
        FUZZ_CHECK(typed.size() == static_cast<std::size_t>(kGridMaxTypedChars));
        FUZZ_CHECK(e.warningBeforeStore == kGridTotalDigits && e.cellText == typed);
      } else {
        FUZZ_CHECK(key.keyClass == GridKeyClass::kEnter);
      }
      char* end = nullptr;
      const double value = std::strtod(typed.c_str(), &end);
      FUZZ_CHECK(end == typed.c_str() + typed.size());  // the whole text is a number
      FUZZ_CHECK(std::isfinite(value));
      m_.values[e.storedIndex] = value;
      FUZZ_CHECK(std::memcmp(&s_.dataValues[e.storedIndex], &value, sizeof value) == 0);
      m_.count = std::max(m_.count, e.storedIndex + 1);
      FUZZ_CHECK(s_.inputFixed && s_.cellText.empty() && s_.unsavedValues);
    } else {
      FUZZ_CHECK(e.warningBeforeStore == kGridNoMessage);
      if (key.keyClass == GridKeyClass::kEnter && !before.cellText.empty()) {
        // Enter keeps only a text that is no number yet.
        const std::string& t = before.cellText;
        FUZZ_CHECK(t == "-" || t == "." || t == "-.");
      }
    }
    // The window is told what changed: a moved caret, another page, a changed cell text.
    if (s_.caretRow != before.caretRow || s_.currentPage != before.currentPage)
      FUZZ_CHECK(e.caretPlaced);
    if (s_.currentPage != before.currentPage) FUZZ_CHECK(e.pageDrawn);
    if (e.storedIndex < 0 && s_.cellText != before.cellText)
      FUZZ_CHECK(e.cellDrawn && e.cellText == s_.cellText && e.cellRow == s_.caretRow);
    // The grid fills with the 1000th value, and says so.
    if (GridIsFull(s_)) FUZZ_CHECK(e.message == kGridTooManyData);
    if (e.message == kGridTooManyData) FUZZ_CHECK(GridIsFull(s_));
  }

  void KeyUp(unsigned virtualKey, bool extended) {
    const GridKey key = IdentifyGridKey(virtualKey, extended);
    const bool held = s_.modifierHeld;
    OnKeyUp(s_, key);
    FUZZ_CHECK(s_.modifierHeld == (held && key.keyClass != GridKeyClass::kModifier));
  }

  void Click(int x, int y) {
    const Fields before(s_);
    const bool takesInput = GridTakesInput(s_);
    const int line = GridCellLineAt(s_, x, y);
    FUZZ_CHECK(line >= 0 && line < std::max(1, s_.rowsPerPage));
    const GridEffect e = OnClick(s_, x, y);
    CheckEffect(s_, e);
    if (!takesInput || line == 0) {
      FUZZ_CHECK(IsDefault(e) && SameFields(before, s_));
    } else if (before.inputFixed) {
      FUZZ_CHECK(s_.caretRow == line && e.message == kGridNoMessage);
    } else {
      FUZZ_CHECK(e.message == kGridFixInput && SameFields(before, s_));
    }
  }

  void Page(bool next) {
    const Fields before(s_);
    const GridEffect e = next ? NextPage(s_) : PreviousPage(s_);
    CheckEffect(s_, e);
    FUZZ_CHECK(s_.cellText == before.cellText);  // a pending text stays
    if (e.pageDrawn) {
      FUZZ_CHECK(s_.currentPage == before.currentPage + (next ? 1 : -1));
      FUZZ_CHECK(e.caretPlaced);
    } else {
      FUZZ_CHECK(SameFields(before, s_));
    }
  }

  void Resize(const GridMetrics& metrics) {
    const Fields before(s_);
    const GridEffect e = GridAfterResize(s_, metrics);
    CheckEffect(s_, e);
    FUZZ_CHECK(s_.cellText == before.cellText);
    if (!e.pageDrawn) FUZZ_CHECK(SameFields(before, s_));
  }

  void Read(int count, double scale, const GridMetrics& metrics) {
    std::vector<double> values;
    for (int i = 0; i < count; ++i) values.push_back((i + 1) * scale);
    const Fields before(s_);
    const GridEffect e = ApplyDataRead(s_, page_, values, metrics);
    CheckEffect(s_, e);
    if (metrics.rowsPerPage < kGridMinimumRows) {
      FUZZ_CHECK(e.message == kGridTooSmallHeight && SameFields(before, s_));
    } else if (count > kGridMaxValues) {
      FUZZ_CHECK(e.message == kGridTooManyData && SameFields(before, s_));
    } else {
      FUZZ_CHECK(e.message == kGridNoMessage && e.pageDrawn);
      FUZZ_CHECK(!s_.unsavedValues && s_.inputFixed);
      std::copy(values.begin(), values.end(), m_.values.begin());
      m_.count = count;
      m_.gridEntered = true;
    }
  }

  void Event(std::uint8_t c) {
    switch (c) {
      case '0': case '1': case '2': case '3': case '4':
      case '5': case '6': case '7': case '8': case '9': KeyDown(c, false); break;
      case '.': KeyDown(kVkOemPeriod, false); break;
      case '-': KeyDown(kVkOemMinus, false); break;
      case '\n': KeyDown(kVkReturn, false); break;
      case '\r': KeyDown(kVkReturn, true); break;
      case '<': KeyDown(kVkBack, false); break;
      case '^': KeyDown(kVkUp, true); break;
      case 'v': KeyDown(kVkDown, true); break;
      case '!': KeyDown(kVkDelete, true); break;
      case '+': KeyDown(kVkAdd, false); break;
      case '*': KeyDown(kVkMultiply, false); break;
      case '/': KeyDown(kVkDivide, true); break;
      case 'S': KeyDown(kVkShift, false); break;
      case 's': KeyUp(kVkShift, false); break;
      case 'C': KeyDown(kVkControl, false); break;
      case 'c': KeyUp(kVkControl, false); break;
      case 'P': Page(false); break;
      case 'N': Page(true); break;
      case 'W': {
        EnterResultsPage(s_, page_);
        FUZZ_CHECK(!s_.gridActive && !GridTakesInput(s_));
        break;
      }
      case 'K': {
        const int x = Next();
        const int y = 40 + (static_cast<int>(Next()) - '0') * s_.rowHeight / 4;
        Click(x, y);
        break;
      }
      case 'R': {
        const std::uint8_t a = Next();
        Resize(MetricsOf(a, Next()));
        break;
      }
      case 'I': {
        const std::uint8_t a = Next();
        Start(MetricsOf(a, Next()));
        break;
      }
      case 'D': {
        int count = 0;
        for (int i = 0; i < 4; ++i) count = count * 10 + Next() % 10;
        count = std::min(count, kGridMaxValues + 1);  // more are refused the same way
        const double scale = (static_cast<int>(Next()) - 64) / 8.0;
        const std::uint8_t a = Next();
        Read(count, scale, MetricsOf(a, Next()));
        break;
      }
      case 'B': {
        const int n = Next();
        for (int i = 0; i < n; ++i) {
          KeyDown(kVk0 + static_cast<unsigned>(i % 10), false);
          CheckState(s_, m_);
          KeyDown(kVkReturn, false);
          CheckState(s_, m_);
        }
        break;
      }
      case 'X': KeyDown(Next(), false); break;
      case 'x': KeyDown(Next(), true); break;
      case 'U': KeyUp(Next(), false); break;
      default:
        if (c >= 0x80) KeyDown(kKeys[c & 0x3F], (c & 0x40) != 0);
        break;
    }
    CheckState(s_, m_, c == 'B' || c == 'I' || c == 'D');
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  GridState s_;
  PageState page_;
  Model m_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Run(data, size).Go();
  return 0;
}
