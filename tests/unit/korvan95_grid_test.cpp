// The data grid of korvan95: key roles, typing rules, paging, limits, clicks, the data-file
// outcomes and the page geometry.
#include "korvan95/grid.h"
#include "korvan95/grid_keys.h"
#include "korvan95/grid_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A key sequence as text: digits, "." and "-" on the main keyboard, '\n' Enter, '<'
// Backspace, '^' Up, 'v' Down, '!' Delete, '+' keypad plus, 'S'/'s' Shift down/up.
GridKey KeyOf(char c) {
  switch (c) {
    case '.': return IdentifyGridKey(kVkOemPeriod, false);
    case '-': return IdentifyGridKey(kVkOemMinus, false);
    case '\n': return IdentifyGridKey(kVkReturn, false);
    case '<': return IdentifyGridKey(kVkBack, false);
    case '^': return IdentifyGridKey(kVkUp, true);
    case 'v': return IdentifyGridKey(kVkDown, true);
    case '!': return IdentifyGridKey(kVkDelete, true);
    case '+': return IdentifyGridKey(kVkAdd, false);
    case 'S': case 's': return IdentifyGridKey(kVkShift, false);
    default: return IdentifyGridKey(static_cast<unsigned>(c), false);
  }
}

struct KeyRun {
  std::vector<GridMessage> messages;  // in the order the window shows them
  std::vector<GridEffect> effects;
};

void Collect(KeyRun& run, const GridEffect& e) {
  if (e.warningBeforeStore != kGridNoMessage) run.messages.push_back(e.warningBeforeStore);
  if (e.message != kGridNoMessage) run.messages.push_back(e.message);
  run.effects.push_back(e);
}

KeyRun Press(GridState& s, const std::string& keys) {
  KeyRun run;
  for (const char c : keys) {
    if (c == 's') {
      OnKeyUp(s, KeyOf(c));
      continue;
    }
    Collect(run, OnKeyDown(s, KeyOf(c)));
  }
  return run;
}

GridMetrics Rows(int rowsPerPage) { return {16, 1, rowsPerPage}; }

GridState Started(int rowsPerPage = 11) {
  GridState s;
  PageState page;
  DataInputStart(s, page, Rows(rowsPerPage));
  return s;
}

std::vector<double> Stored(const GridState& s) {
  return {s.dataValues.begin(), s.dataValues.begin() + GridValueCount(s)};
}

std::vector<double> Numbers(int count) {
  std::vector<double> values;
  for (int i = 1; i <= count; ++i) values.push_back(i);
  return values;
}

TEST(GridKeys, RolesFromVirtualKeyAndExtendedBit) {
  using C = GridKeyClass;
  const struct { const char* what; unsigned vk; bool extended; C keyClass; char character; } cases[] = {
      {"main 7", 0x37, false, C::kCharacter, '7'},
      {"main period", kVkOemPeriod, false, C::kCharacter, '.'},
      {"main minus", kVkOemMinus, false, C::kCharacter, '-'},
      {"keypad 0 (Num Lock on)", kVkNumpad0, false, C::kCharacter, '0'},
      {"keypad 9 (Num Lock on)", 0x69, false, C::kCharacter, '9'},
      {"keypad decimal", kVkDecimal, false, C::kCharacter, '.'},
      {"keypad minus", kVkSubtract, false, C::kCharacter, '-'},
      {"Wine KP_End = keypad 1, Num Lock off", kVkEnd, false, C::kCharacter, '1'},
      {"Wine KP_Delete = Num Del", kVkDelete, false, C::kCharacter, '.'},
      {"keypad 5, Num Lock off", kVkClear, false, C::kCharacter, '5'},
      {"keypad 8, Num Lock off", kVkUp, false, C::kCharacter, '8'},
      {"keypad 0, Num Lock off", kVkInsert, false, C::kCharacter, '0'},
      {"keypad 9, Num Lock off", kVkPrior, false, C::kCharacter, '9'},
      {"keypad plus", kVkAdd, false, C::kKeypadOther, 0},
      {"keypad times", kVkMultiply, false, C::kKeypadOther, 0},
      {"keypad divide", kVkDivide, true, C::kKeypadOther, 0},
      {"Num Lock", kVkNumLock, false, C::kKeypadOther, 0},
      {"Enter (Wine Return)", kVkReturn, false, C::kEnter, 0},
      {"keypad Enter (Wine KP_Enter)", kVkReturn, true, C::kEnter, 0},
      {"Backspace (Wine BackSpace)", kVkBack, false, C::kBackspace, 0},
      {"Up arrow", kVkUp, true, C::kUp, 0},
      {"Down arrow", kVkDown, true, C::kDown, 0},
      {"Delete key", kVkDelete, true, C::kDelete, 0},
      {"End key", kVkEnd, true, C::kOther, 0},
      {"Left arrow", kVkLeft, true, C::kOther, 0},
      {"Shift", kVkShift, false, C::kModifier, 0},
      {"Ctrl (Wine Control)", kVkControl, false, C::kModifier, 0},
      {"right Ctrl", kVkRControl, true, C::kModifier, 0},
      {"left Shift", kVkLShift, false, C::kModifier, 0},
      {"letter A", 0x41, false, C::kOther, 0},
      {"F1", 0x70, false, C::kOther, 0},
      {"OEM plus", 0xBB, false, C::kOther, 0},
  };
  for (const auto& c : cases) {
    const GridKey key = IdentifyGridKey(c.vk, c.extended);
    EXPECT_EQ(c.keyClass, key.keyClass) << c.what;
    EXPECT_EQ(c.character, key.character) << c.what;
  }
  // Bit 24 of the key data is the extended bit: 0x01480001 is the dedicated Up arrow.
  EXPECT_EQ(GridKeyClass::kUp, IdentifyGridKeyFromData(kVkUp, 0x01480001ull).keyClass);
  EXPECT_EQ('8', IdentifyGridKeyFromData(kVkUp, 0x00480001ull).character);
}

TEST(Grid, TypingRules) {
  const struct {
    const char* keys;
    std::vector<double> stored;
    std::vector<GridMessage> messages;
    std::string pending;  // cellText afterwards
    bool inputFixed;
    int caretRow;
  } cases[] = {
      {"12.5\n", {12.5}, {}, "", true, 2},
      {"\n", {}, {kGridEnterFirst}, "", false, 1},
      {"-\n", {}, {}, "-", false, 1},
      {".\n", {}, {}, ".", false, 1},
      {"-.\n", {}, {}, "-.", false, 1},
      {"-5\n", {-5}, {}, "", true, 2},
      {"-.5\n", {-0.5}, {}, "", true, 2},
      {".5\n", {0.5}, {}, "", true, 2},
      {"12345678901", {12345678901.0}, {kGridTotalDigits}, "", true, 2},
      {"-1234567890", {-1234567890.0}, {kGridTotalDigits}, "", true, 2},
      {"-<5\n", {5}, {}, "", true, 2},
      {"1.<.5\n", {1.5}, {}, "", true, 2},  // deleting the point allows another
      {"5<<", {}, {}, "", true, 1},           // Backspace on an empty cell only fixes
      {"5..5\n", {5.5}, {}, "", true, 2},     // a second point is ignored
      {"5-5\n", {55}, {}, "", true, 2},       // a minus after the first character too
      {"S55s7\n", {7}, {}, "", true, 2},      // nothing types while Shift is down
      {"!", {}, {kGridOverwrite}, "", true, 1},
      {"5^", {}, {kGridFixInput}, "5", false, 1},
      {"5v", {}, {kGridFixInput}, "5", false, 1},
      {"+", {}, {}, "", false, 1},  // a keypad key that types nothing leaves the cell open
      {"5+\n", {5}, {}, "", true, 2},
      {"1\n2\n^^^", {1, 2}, {}, "", true, 1},
  };
  for (const auto& c : cases) {
    GridState s = Started();
    const KeyRun run = Press(s, c.keys);
    EXPECT_EQ(c.stored, Stored(s)) << c.keys;
    EXPECT_EQ(c.messages, run.messages) << c.keys;
    EXPECT_EQ(c.pending, s.cellText) << c.keys;
    EXPECT_EQ(c.inputFixed, s.inputFixed) << c.keys;
    EXPECT_EQ(c.caretRow, s.caretRow) << c.keys;
    EXPECT_EQ(!c.stored.empty(), s.dataEntered && s.dataSetPresent && s.unsavedValues) << c.keys;
  }
}

TEST(Grid, KeypadTypesWithNumLockOnAndOff) {
  GridState s = Started();
  const GridKey keys[] = {IdentifyGridKey(kVkSubtract, false), IdentifyGridKey(kVkEnd, false),
                          IdentifyGridKey(kVkDelete, false), IdentifyGridKey(kVkClear, false),
                          IdentifyGridKey(kVkDecimal, false), IdentifyGridKey(0x62, false),
                          IdentifyGridKey(kVkReturn, true)};
  for (const GridKey& key : keys) OnKeyDown(s, key);
  EXPECT_EQ(std::vector<double>{-1.52}, Stored(s));
}

TEST(Grid, EffectsOfTypingAndStoring) {
  GridState s = Started();
  GridEffect e = OnKeyDown(s, KeyOf('4'));
  EXPECT_TRUE(e.cellDrawn);
  EXPECT_EQ(1, e.cellRow);
  EXPECT_EQ("4", e.cellText);
  EXPECT_EQ("4", e.caretText);
  e = OnKeyDown(s, KeyOf('\n'));
  EXPECT_EQ(0, e.storedIndex);
  EXPECT_FALSE(e.pageDrawn);
  EXPECT_EQ(2, e.caretRow);
  EXPECT_EQ("", e.caretText);
  Press(s, "12.<");
  e = OnKeyDown(s, KeyOf('<'));
  EXPECT_EQ(2, e.cellRow);
  EXPECT_EQ("1", e.cellText);
}

TEST(Grid, PagesWithElevenRows) {
  GridState s = Started(11);
  for (int i = 1; i <= 9; ++i) Press(s, std::to_string(i) + "\n");
  const KeyRun tenth = Press(s, "10\n");
  EXPECT_TRUE(tenth.effects.back().pageDrawn);
  EXPECT_EQ(2, s.currentPage);
  EXPECT_EQ(2, s.lastPage);
  EXPECT_EQ(1, s.caretRow);
  EXPECT_EQ("  11", LayoutGridPage(s, 600, 0).texts[2].text);

  EXPECT_TRUE(PreviousPage(s).pageDrawn);
  EXPECT_EQ(1, s.currentPage);
  EXPECT_EQ(10, s.caretRow);
  EXPECT_EQ(9, s.currentCell);
  EXPECT_FALSE(PreviousPage(s).pageDrawn);  // page 1 is the first

  Press(s, "v");  // the last line of a full page
  EXPECT_EQ(10, s.caretRow);
  Press(s, "^");
  EXPECT_EQ(9, s.caretRow);
  EXPECT_EQ(8, s.currentCell);

  EXPECT_TRUE(NextPage(s).pageDrawn);
  EXPECT_EQ(2, s.currentPage);
  EXPECT_EQ(1, s.caretRow);
  EXPECT_EQ(10, s.currentCell);
  EXPECT_FALSE(NextPage(s).pageDrawn);
  Press(s, "v");  // on the last page Down stops at the first empty cell
  EXPECT_EQ(1, s.caretRow);

  // Overwriting the last value of page 1 moves on to line 1 of page 2.
  PreviousPage(s);
  Press(s, "99\n");
  EXPECT_EQ(99, s.dataValues[9]);
  EXPECT_EQ(9, s.lastDataIndex);
  EXPECT_EQ(2, s.currentPage);
  EXPECT_EQ(10, s.currentCell);
}

TEST(Grid, ThousandValues) {
  GridState s = Started(11);
  for (int i = 0; i < 999; ++i) Press(s, "1\n");
  EXPECT_TRUE(GridTakesInput(s));
  const KeyRun last = Press(s, "12345678901");
  EXPECT_EQ((std::vector<GridMessage>{kGridTotalDigits, kGridTooManyData}), last.messages);
  EXPECT_EQ(1000, GridValueCount(s));
  EXPECT_TRUE(GridIsFull(s));
  EXPECT_TRUE(Press(s, "5\n").messages.empty());
  EXPECT_EQ(1000, GridValueCount(s));
  EXPECT_EQ(kGridNoMessage, OnClick(s, 100, 80).message);
  EXPECT_EQ(kDataFileOk, DataSaveRefusal(s));
  // The 1000th value filled page 100; page 101 shows no line past 1000.
  EXPECT_EQ(101, s.currentPage);
  EXPECT_EQ(2u, LayoutGridPage(s, 600, 0).texts.size());  // the header only
}

TEST(Grid, ClicksSelectCellsUpToTheFirstEmptyOne) {
  GridState s = Started(11);  // rowHeight 16: line n spans y 40 + 16 n ... 55 + 16 n
  EXPECT_EQ(0, GridCellLineAt(s, 100, 60));  // an empty grid offers no cell
  Press(s, "1\n2\n3\n");
  const struct { int x, y, line; } cases[] = {
      {100, 57, 1}, {100, 56, 0}, {71, 77, 2}, {70, 77, 0}, {169, 77, 2}, {170, 77, 0},
      {100, 119, 4}, {100, 120, 0}, {100, 30, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(c.line, GridCellLineAt(s, c.x, c.y)) << c.x << "," << c.y;

  OnClick(s, 100, 77);
  EXPECT_EQ(2, s.caretRow);
  EXPECT_EQ(1, s.currentCell);
  Press(s, "7");
  const GridEffect refused = OnClick(s, 100, 60);
  EXPECT_EQ(kGridFixInput, refused.message);
  EXPECT_EQ(2, s.caretRow);
  Press(s, "\n");
  EXPECT_EQ((std::vector<double>{1, 7, 3}), Stored(s));

  for (int i = 0; i < 10; ++i) Press(s, "5\n");
  PreviousPage(s);  // a page before the last: every line down to the bottom rule
  EXPECT_EQ(10, GridCellLineAt(s, 100, 215));
  EXPECT_EQ(0, GridCellLineAt(s, 100, 216));
}

TEST(Grid, DataInputAndDataRead) {
  GridState s;
  PageState page;
  EXPECT_EQ(kGridNoMessage, NextPage(s).message);  // before any grid: nothing
  EXPECT_EQ(kGridTooSmallHeight, DataInputStart(s, page, Rows(2)).message);
  EXPECT_EQ(PageShown::kStartPicture, page.pageShown);
  EXPECT_FALSE(s.gridActive);

  // 999 values: ready for the 1000th on page 100, line 10.
  EXPECT_TRUE(ApplyDataRead(s, page, Numbers(999), Rows(11)).pageDrawn);
  EXPECT_TRUE(page.dataModeEntered);
  EXPECT_EQ(100, s.currentPage);
  EXPECT_EQ(100, s.lastPage);
  EXPECT_EQ(10, s.caretRow);
  EXPECT_EQ(999, s.currentCell);
  EXPECT_FALSE(ExitAsksToSave(s));
  EXPECT_TRUE(DataInputAsksToSave(s));
  EXPECT_EQ((std::vector<GridMessage>{kGridTooManyData}), Press(s, "7\n").messages);
  EXPECT_EQ(7, s.dataValues[999]);
  EXPECT_TRUE(ExitAsksToSave(s));
  MarkDataSaved(s);
  EXPECT_FALSE(ExitAsksToSave(s));

  // 1000 values: full, no typing, saving allowed.
  ApplyDataRead(s, page, Numbers(1000), Rows(11));
  EXPECT_TRUE(GridIsFull(s));
  EXPECT_FALSE(GridTakesInput(s));
  EXPECT_FALSE(Press(s, "5\n").effects.back().caretPlaced);
  EXPECT_EQ(1000, s.dataValues[999]);
  EXPECT_EQ(kDataFileOk, DataSaveRefusal(s));

  // A file of comments only: an empty data set that typing extends.
  ApplyDataRead(s, page, {}, Rows(11));
  EXPECT_EQ(-1, s.lastDataIndex);
  EXPECT_EQ(0, GridValueCount(s));
  EXPECT_EQ(1, s.caretRow);
  Press(s, "4\n");
  EXPECT_EQ(std::vector<double>{4}, Stored(s));

  // Refusals change nothing.
  const GridState before = s;
  EXPECT_EQ(kGridTooManyData, ApplyDataRead(s, page, Numbers(1001), Rows(11)).message);
  EXPECT_EQ(kGridTooSmallHeight, ApplyDataRead(s, page, Numbers(5), Rows(2)).message);
  EXPECT_EQ(Stored(before), Stored(s));

  // Data Input empties the grid; nothing saved or pending.
  DataInputStart(s, page, Rows(11));
  EXPECT_EQ(0, GridValueCount(s));
  EXPECT_EQ(kDataFileNoDataToSave, DataSaveRefusal(s));
  Press(s, "5");
  Press(s, "\n");
  Press(s, "6");
  EXPECT_EQ(kDataFileFixBeforeSaving, DataSaveRefusal(s));
}

TEST(Grid, SaveQuestionOutcomes) {
  const struct { bool yes, wrote, proceed; } cases[] = {
      {false, false, true}, {true, true, true}, {true, false, false}};
  for (const auto& c : cases)
    EXPECT_EQ(c.proceed, ProceedAfterSaveQuestion(c.yes, c.wrote)) << c.yes << c.wrote;
}

TEST(Grid, ResizeShowsThePageOfTheFirstEmptyCell) {
  GridState s = Started(11);
  for (int i = 0; i < 15; ++i) Press(s, "3\n");
  PreviousPage(s);
  Press(s, "7");  // pending text moves along with the caret
  const GridEffect e = GridAfterResize(s, Rows(6));
  EXPECT_TRUE(e.pageDrawn);
  EXPECT_EQ(4, s.currentPage);
  EXPECT_EQ(4, s.lastPage);
  EXPECT_EQ(1, s.caretRow);
  EXPECT_EQ(15, s.currentCell);
  EXPECT_EQ("7", e.caretText);
  const GridPageLayout layout = LayoutGridPage(s, 600, 0);
  EXPECT_EQ("  16", layout.texts[2].text);
  EXPECT_EQ("7", layout.texts[3].text);

  const GridState before = s;  // minimized: no lines fit, the page stays
  EXPECT_FALSE(GridAfterResize(s, MeasureGrid(16, 0, 0)).pageDrawn);
  EXPECT_EQ(before.rowsPerPage, s.rowsPerPage);
  EXPECT_EQ(before.currentPage, s.currentPage);
}

TEST(GridLayout, MetricsAndRectangles) {
  const struct { int height, leading, client, rowHeight, textLead, rows; } cases[] = {
      {16, 0, 390, 17, 1, 20}, {13, 3, 390, 17, 4, 20}, {16, 0, 100, 17, 1, 2},
      {16, 0, 0, 17, 1, -3}};
  for (const auto& c : cases) {
    const GridMetrics m = MeasureGrid(c.height, c.leading, c.client);
    EXPECT_EQ(c.rowHeight, m.rowHeight) << c.client;
    EXPECT_EQ(c.textLead, m.textLead) << c.client;
    EXPECT_EQ(c.rows, m.rowsPerPage) << c.client;
  }
  GridState s = Started(11);
  const CaretPlace empty = GridCaretPlace(s, 2, true, 0);
  EXPECT_EQ(73, empty.x);
  EXPECT_EQ(72, empty.y);
  EXPECT_EQ(16, empty.height);
  EXPECT_EQ(95, GridCaretPlace(s, 2, false, 20).x);
  const PixelRect repaint = GridCellRepaintRect(s, 2, 600);
  EXPECT_EQ(74, repaint.left);
  EXPECT_EQ(73, repaint.top);
  EXPECT_EQ(499, repaint.right);
  EXPECT_EQ(87, repaint.bottom);
}

TEST(GridLayout, PageRulesAndTexts) {
  GridState s = Started(4);
  Press(s, "1\n-2\n");
  const GridPageLayout page = LayoutGridPage(s, 600, 0);
  ASSERT_EQ(8u, page.rules.size());  // 5 horizontal, 3 vertical
  EXPECT_EQ(19 + 4 * 16, page.rules[4].y1);
  EXPECT_EQ(500, page.rules[7].x1);
  EXPECT_EQ(19 + 4 * 16, page.rules[7].y2);
  const std::vector<std::string> texts = {"No.", "Data", "   1", "1", "   2", "-2", "   3"};
  ASSERT_EQ(texts.size(), page.texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i], page.texts[i].text) << i;
  EXPECT_EQ(19 + 2 * 16 + 1, page.texts[5].y);
  EXPECT_EQ(75, page.texts[5].x);
  const GridPageLayout japanese = LayoutGridPage(s, 600, 1);
  EXPECT_EQ("番号", japanese.texts[0].text);
  EXPECT_EQ("入力データ", japanese.texts[1].text);
}

TEST(GridLayout, ValueDisplayFormat) {
  const struct { double value; const char* text; } cases[] = {
      {12345678901.0, "12345678901"}, {5, "5"}, {-2, "-2"}, {-1.5, "-1.5"},
      {1.0 / 3, "0.3333333333"}, {-1.0 / 3, "-0.333333333"}, {-1234567890, "-1234567890"},
      {123456789012.0, "1.2345678901e+11"}, {0.00001, "1e-05"}};
  for (const auto& c : cases) EXPECT_EQ(c.text, FormatGridValue(c.value)) << c.text;
}

}  // namespace
