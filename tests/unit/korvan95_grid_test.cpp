// The data grid of korvan95: key roles, typing rules, paging, limits, clicks, the data-file
// outcomes and the page geometry.
#include "korvan95/grid.h"
#include "korvan95/grid_keys.h"
#include "korvan95/grid_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
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

// The messages of a key sequence in the order the window shows them, and its last effect.
struct KeyRun {
  std::vector<GridMessage> messages;
  GridEffect last;
};

KeyRun Press(GridState& s, const std::string& keys) {
  KeyRun run;
  for (const char c : keys) {
    if (c == 's') {
      OnKeyUp(s, KeyOf(c));
      continue;
    }
    run.last = OnKeyDown(s, KeyOf(c));
    for (GridMessage m : {run.last.warningBeforeStore, run.last.message})
      if (m != kGridNoMessage) run.messages.push_back(m);
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

// Where the grid stands: page shown, last page, caret line, cell that Enter writes.
std::tuple<int, int, int, int> At(const GridState& s) {
  return {s.currentPage, s.lastPage, s.caretRow, s.currentCell};
}

std::vector<std::string> Texts(const GridPageLayout& layout) {
  std::vector<std::string> texts;
  for (const GridText& t : layout.texts) texts.push_back(t.text);
  return texts;
}

TEST(GridKeys, RolesFromVirtualKeyAndExtendedBit) {
  using C = GridKeyClass;
  const struct { unsigned vk; bool extended; C keyClass; char character; } cases[] = {
      {0x37, false, C::kCharacter, '7'}, {kVkOemPeriod, false, C::kCharacter, '.'},
      {kVkOemMinus, false, C::kCharacter, '-'}, {kVkNumpad0, false, C::kCharacter, '0'},
      {0x69, false, C::kCharacter, '9'}, {kVkDecimal, false, C::kCharacter, '.'},
      {kVkSubtract, false, C::kCharacter, '-'},
      // Num Lock off: the keypad sends navigation codes without the extended bit (Wine's
      // KP_End, KP_Delete ...).
      {kVkEnd, false, C::kCharacter, '1'}, {kVkDelete, false, C::kCharacter, '.'},
      {kVkClear, false, C::kCharacter, '5'}, {kVkUp, false, C::kCharacter, '8'},
      {kVkInsert, false, C::kCharacter, '0'}, {kVkPrior, false, C::kCharacter, '9'},
      {kVkHome, false, C::kCharacter, '7'},
      {kVkAdd, false, C::kKeypadOther, 0}, {kVkMultiply, false, C::kKeypadOther, 0},
      {kVkDivide, true, C::kKeypadOther, 0}, {kVkNumLock, false, C::kKeypadOther, 0},
      {kVkSeparator, false, C::kKeypadOther, 0},
      {kVkReturn, false, C::kEnter, 0}, {kVkReturn, true, C::kEnter, 0},
      {kVkBack, false, C::kBackspace, 0}, {kVkUp, true, C::kUp, 0}, {kVkDown, true, C::kDown, 0},
      {kVkDelete, true, C::kDelete, 0}, {kVkEnd, true, C::kOther, 0}, {kVkLeft, true, C::kOther, 0},
      {kVkShift, false, C::kModifier, 0}, {kVkControl, false, C::kModifier, 0},
      {kVkRControl, true, C::kModifier, 0}, {kVkLShift, false, C::kModifier, 0},
      {0x41, false, C::kOther, 0}, {0x70, false, C::kOther, 0}, {0xBB, false, C::kOther, 0}};
  for (const auto& c : cases) {
    const GridKey key = IdentifyGridKey(c.vk, c.extended);
    EXPECT_EQ(std::tuple(c.keyClass, c.character), std::tuple(key.keyClass, key.character))
        << std::hex << c.vk << " extended " << c.extended;
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
    EXPECT_EQ(std::tuple(c.pending, c.inputFixed, c.caretRow), std::tuple(s.cellText, s.inputFixed, s.caretRow))
        << c.keys;
    EXPECT_EQ(!c.stored.empty(), s.dataEntered && s.dataSetPresent && s.unsavedValues) << c.keys;
  }
  // The keypad types with Num Lock on and off: "-", End, Num Del, Clear, ".", 2, keypad Enter.
  GridState s = Started();
  for (const GridKey& key : {IdentifyGridKey(kVkSubtract, false), IdentifyGridKey(kVkEnd, false),
                             IdentifyGridKey(kVkDelete, false), IdentifyGridKey(kVkClear, false),
                             IdentifyGridKey(kVkDecimal, false), IdentifyGridKey(0x62, false),
                             IdentifyGridKey(kVkReturn, true)})
    OnKeyDown(s, key);
  EXPECT_EQ(std::vector<double>{-1.52}, Stored(s));
}

TEST(Grid, EffectsOfTypingAndStoring) {
  GridState s = Started();
  GridEffect e = OnKeyDown(s, KeyOf('4'));
  EXPECT_EQ(std::tuple(true, 1, std::string("4"), std::string("4")),
            std::tuple(e.cellDrawn, e.cellRow, e.cellText, e.caretText));
  e = OnKeyDown(s, KeyOf('\n'));
  EXPECT_EQ(std::tuple(0, false, 2, std::string()), std::tuple(e.storedIndex, e.pageDrawn, e.caretRow, e.caretText));
  Press(s, "12.<");
  e = OnKeyDown(s, KeyOf('<'));
  EXPECT_EQ(std::tuple(2, std::string("1")), std::tuple(e.cellRow, e.cellText));
}

TEST(Grid, PagesWithElevenRows) {
  GridState s = Started(11);
  for (int i = 1; i <= 9; ++i) Press(s, std::to_string(i) + "\n");
  EXPECT_TRUE(Press(s, "10\n").last.pageDrawn);
  EXPECT_EQ(std::tuple(2, 2, 1, 10), At(s));
  EXPECT_EQ("  11", LayoutGridPage(s, 600, 0).texts[2].text);

  EXPECT_TRUE(PreviousPage(s).pageDrawn);
  EXPECT_EQ(std::tuple(1, 2, 10, 9), At(s));
  EXPECT_FALSE(PreviousPage(s).pageDrawn);  // page 1 is the first
  Press(s, "v");                            // the last line of a full page
  EXPECT_EQ(10, s.caretRow);
  Press(s, "^");
  EXPECT_EQ(std::tuple(1, 2, 9, 8), At(s));

  EXPECT_TRUE(NextPage(s).pageDrawn);
  EXPECT_EQ(std::tuple(2, 2, 1, 10), At(s));
  EXPECT_FALSE(NextPage(s).pageDrawn);
  Press(s, "v");  // on the last page Down stops at the first empty cell
  EXPECT_EQ(1, s.caretRow);

  // Overwriting the last value of page 1 moves on to line 1 of page 2.
  PreviousPage(s);
  Press(s, "99\n");
  EXPECT_EQ(std::tuple(99.0, 9), std::tuple(s.dataValues[9], s.lastDataIndex));
  EXPECT_EQ(std::tuple(2, 2, 1, 10), At(s));
}

TEST(Grid, ThousandValues) {
  GridState s = Started(11);
  for (int i = 0; i < 999; ++i) Press(s, "1\n");
  EXPECT_TRUE(GridTakesInput(s));
  EXPECT_EQ((std::vector<GridMessage>{kGridTotalDigits, kGridTooManyData}), Press(s, "12345678901").messages);
  EXPECT_TRUE(GridIsFull(s));
  EXPECT_TRUE(Press(s, "5\n").messages.empty());
  EXPECT_EQ(1000, GridValueCount(s));
  EXPECT_EQ(kGridNoMessage, OnClick(s, 100, 80).message);
  EXPECT_EQ(kDataFileOk, DataSaveRefusal(s));
  // The 1000th value filled page 100; page 101 shows no line past 1000.
  EXPECT_EQ(101, s.currentPage);
  EXPECT_EQ((std::vector<std::string>{"No.", "Data"}), Texts(LayoutGridPage(s, 600, 0)));
}

TEST(Grid, ClicksSelectCellsUpToTheFirstEmptyOne) {
  GridState s = Started(11);  // rowHeight 16: line n spans y 40 + 16 n ... 55 + 16 n
  EXPECT_EQ(0, GridCellLineAt(s, 100, 60));  // an empty grid offers no cell
  Press(s, "1\n2\n3\n");
  const struct { int x, y, line; } cases[] = {
      {100, 57, 1}, {100, 56, 0}, {71, 77, 2}, {70, 77, 0}, {169, 77, 2}, {170, 77, 0},
      {100, 119, 4}, {100, 120, 0}, {100, 30, 0}};
  for (const auto& c : cases) EXPECT_EQ(c.line, GridCellLineAt(s, c.x, c.y)) << c.x << "," << c.y;

  OnClick(s, 100, 77);
  EXPECT_EQ(std::tuple(2, 1), std::tuple(s.caretRow, s.currentCell));
  Press(s, "7");
  EXPECT_EQ(kGridFixInput, OnClick(s, 100, 60).message);
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
  EXPECT_EQ(kGridNoMessage, DataInputStart(s, page, Rows(3)).message);  // three lines do

  // 999 values: ready for the 1000th on page 100, line 10; a pending text is dropped.
  Press(s, "8");
  EXPECT_TRUE(ApplyDataRead(s, page, Numbers(999), Rows(11)).pageDrawn);
  EXPECT_TRUE(page.dataModeEntered);
  EXPECT_EQ(std::tuple(100, 100, 10, 999), At(s));
  EXPECT_EQ("", s.cellText);
  EXPECT_FALSE(ExitAsksToSave(s));
  EXPECT_TRUE(DataInputAsksToSave(s));
  EXPECT_EQ((std::vector<GridMessage>{kGridTooManyData}), Press(s, "7\n").messages);
  EXPECT_EQ(7, s.dataValues[999]);
  EXPECT_TRUE(ExitAsksToSave(s));
  MarkDataSaved(s);
  EXPECT_FALSE(ExitAsksToSave(s));

  // 1000 values: full, no typing, saving allowed; a read counts as saved.
  ApplyDataRead(s, page, Numbers(1000), Rows(11));
  EXPECT_FALSE(GridTakesInput(s));
  EXPECT_FALSE(Press(s, "5\n").last.caretPlaced);
  EXPECT_EQ(1000, s.dataValues[999]);
  EXPECT_EQ(kDataFileOk, DataSaveRefusal(s));

  // A file of comments only: an empty data set that typing extends.
  ApplyDataRead(s, page, {}, Rows(11));
  EXPECT_EQ(std::tuple(-1, 0, 1), std::tuple(s.lastDataIndex, GridValueCount(s), s.caretRow));
  Press(s, "4\n");
  EXPECT_EQ(std::vector<double>{4}, Stored(s));
  EXPECT_TRUE(ExitAsksToSave(s));
  ApplyDataRead(s, page, Numbers(3), Rows(11));
  EXPECT_FALSE(ExitAsksToSave(s));

  // Refusals change nothing.
  const GridState before = s;
  EXPECT_EQ(kGridTooManyData, ApplyDataRead(s, page, Numbers(1001), Rows(11)).message);
  EXPECT_EQ(kGridTooSmallHeight, ApplyDataRead(s, page, Numbers(5), Rows(2)).message);
  EXPECT_EQ(Stored(before), Stored(s));

  // Data Input empties the grid; nothing saved or pending.
  DataInputStart(s, page, Rows(11));
  EXPECT_EQ(0, GridValueCount(s));
  EXPECT_EQ(kDataFileNoDataToSave, DataSaveRefusal(s));
  Press(s, "5\n6");
  EXPECT_EQ(kDataFileFixBeforeSaving, DataSaveRefusal(s));
}

TEST(Grid, ResizeShowsThePageOfTheFirstEmptyCell) {
  GridState s = Started(11);
  for (int i = 0; i < 15; ++i) Press(s, "3\n");
  PreviousPage(s);
  Press(s, "7");  // pending text moves along with the caret
  const GridEffect e = GridAfterResize(s, Rows(6));
  EXPECT_TRUE(e.pageDrawn);
  EXPECT_EQ(std::tuple(4, 4, 1, 15), At(s));
  EXPECT_EQ("7", e.caretText);
  const GridPageLayout layout = LayoutGridPage(s, 600, 0);
  EXPECT_EQ("  16", layout.texts[2].text);
  EXPECT_EQ("7", layout.texts[3].text);

  const GridState before = s;  // minimized: no lines fit, the page stays
  EXPECT_FALSE(GridAfterResize(s, MeasureGrid(16, 0, 0)).pageDrawn);
  EXPECT_EQ(std::tuple(before.rowsPerPage, before.currentPage), std::tuple(s.rowsPerPage, s.currentPage));
}

TEST(GridLayout, MetricsAndRectangles) {
  const struct { int height, leading, client, rowHeight, textLead, rows; } cases[] = {
      {16, 0, 390, 17, 1, 20}, {13, 3, 390, 17, 4, 20}, {16, 0, 100, 17, 1, 2}, {16, 0, 0, 17, 1, -3}};
  for (const auto& c : cases) {
    const GridMetrics m = MeasureGrid(c.height, c.leading, c.client);
    EXPECT_EQ(std::tuple(c.rowHeight, c.textLead, c.rows), std::tuple(m.rowHeight, m.textLead, m.rowsPerPage))
        << c.client;
  }
  const GridState s = Started(11);
  const auto tie = [](const auto& r) { return std::tuple(r.left, r.top, r.right, r.bottom); };
  const CaretPlace empty = GridCaretPlace(s, 2, true, 0);
  EXPECT_EQ(std::tuple(73, 72, 2, 16), std::tuple(empty.x, empty.y, empty.width, empty.height));
  EXPECT_EQ(95, GridCaretPlace(s, 2, false, 20).x);
  EXPECT_EQ(std::tuple(74, 73, 499, 87), tie(GridCellRepaintRect(s, 2, 600)));
  EXPECT_EQ(std::tuple(71, 52, 500, 67), tie(GridCellInterior(s, 2, 600)));
  const GridText text = GridCellText(s, 2, "12");
  EXPECT_EQ(std::tuple(75, 52), std::tuple(text.x, text.y));
}

TEST(GridLayout, PageRulesTextsAndValueFormat) {
  GridState s = Started(4);
  Press(s, "1\n-2\n");
  const GridPageLayout page = LayoutGridPage(s, 600, 0);
  ASSERT_EQ(8u, page.rules.size());  // 5 horizontal, 3 vertical
  const auto tie = [](const GridRule& r) { return std::tuple(r.x1, r.y1, r.x2, r.y2); };
  EXPECT_EQ(std::tuple(20, 19 + 4 * 16, 500, 19 + 4 * 16), tie(page.rules[4]));
  EXPECT_EQ(std::tuple(500, 19, 500, 19 + 4 * 16), tie(page.rules[7]));
  EXPECT_EQ((std::vector<std::string>{"No.", "Data", "   1", "1", "   2", "-2", "   3"}), Texts(page));
  EXPECT_EQ(std::tuple(75, 19 + 2 * 16 + 1), std::tuple(page.texts[5].x, page.texts[5].y));
  const std::vector<std::string> japanese = Texts(LayoutGridPage(s, 600, 1));
  EXPECT_EQ((std::vector<std::string>{"番号", "入力データ"}), std::vector(japanese.begin(), japanese.begin() + 2));

  const struct { double value; const char* text; } values[] = {
      {12345678901.0, "12345678901"}, {5, "5"}, {-2, "-2"}, {-1.5, "-1.5"},
      {1.0 / 3, "0.3333333333"}, {-1.0 / 3, "-0.333333333"}, {-1234567890, "-1234567890"},
      {123456789012.0, "1.2345678901e+11"}, {0.00001, "1e-05"}};
  for (const auto& c : values) EXPECT_EQ(c.text, FormatGridValue(c.value)) << c.text;
}

}  // namespace
