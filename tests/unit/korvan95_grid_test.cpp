// The data grid of korvan95: key roles, typing rules, paging, limits, clicks, the data-file
// outcomes and the page geometry.
#include "korvan95/command_guard.h"
#include "korvan95/grid.h"
#include "korvan95/grid_keys.h"
#include "korvan95/grid_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "tests/allocation_watch.h"
#include "tests/unit/fields.h"

namespace {

using namespace std::string_literals;

// A key script: digits, "." and "-" on the main keyboard, '\n' Enter, '<' Backspace, '^' Up,
// 'v' Down, '!' Delete, '+' keypad plus, 'S'/'s' Shift down/up, 'f' the focus lost, '[' and ']' the
// previous and next page. The keypad with Num Lock off: 'E' End (1), 'D' Num Del (.), 'C' Clear (5); with
// Num Lock on: 'm' minus, 'p' point, 'R' Enter.
GridKey KeyOf(char c) {
  static const std::map<char, std::pair<unsigned, bool>> keys = {
      {'.', {kVkOemPeriod, false}}, {'-', {kVkOemMinus, false}}, {'\n', {kVkReturn, false}}, {'<', {kVkBack, false}},
      {'^', {kVkUp, true}}, {'v', {kVkDown, true}}, {'!', {kVkDelete, true}}, {'+', {kVkAdd, false}},
      {'S', {kVkShift, false}}, {'s', {kVkShift, false}}, {'E', {kVkEnd, false}}, {'D', {kVkDelete, false}},
      {'C', {kVkClear, false}}, {'m', {kVkSubtract, false}}, {'p', {kVkDecimal, false}}, {'R', {kVkReturn, true}}};
  const auto key = keys.find(c);
  return key == keys.end() ? IdentifyGridKey(c, false) : IdentifyGridKey(key->second.first, key->second.second);
}

// A message as the window shows it in English.
std::string Said(GridMessage message) { return GetGridMessage(message, 0).text; }
const std::string kFixInput = "Press Enter-key to fix the input figure!", kTotalDigits = "Total digits <= 11";
const std::string kTooMany = "Number of data <= 1000.";
const std::string kTooSmall = "Too small Window's height!\nPlease expand Window's height.";

// The messages of a key script in the order the window shows them, and its last effect.
struct KeyRun { std::vector<std::string> messages; GridEffect last; };

KeyRun Press(GridState& s, const std::string& keys) {
  KeyRun run;
  for (const char c : keys) {
    if (c == 's' || c == 'f') {
      c == 's' ? OnKeyUp(s, KeyOf(c)) : OnFocusLost(s);
      continue;
    }
    run.last = c == '[' ? PreviousPage(s) : c == ']' ? NextPage(s) : OnKeyDown(s, KeyOf(c));
    for (GridMessage m : {run.last.warningBeforeStore, run.last.message})
      if (m != kGridNoMessage) run.messages.push_back(Said(m));
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

std::vector<double> Stored(const GridState& s) { return {s.dataValues.begin(), s.dataValues.begin() + GridValueCount(s)}; }

// Where the grid stands: page shown, last page, caret line, cell that Enter writes.
#define AT(s) s.currentPage, s.lastPage, s.caretRow, s.currentCell

std::vector<std::string> Texts(const GridPageLayout& layout) {
  std::vector<std::string> texts;
  for (const GridText& t : layout.texts) texts.push_back(t.text);
  return texts;
}

TEST(GridKeys, RolesFromVirtualKeyAndExtendedBit) {
  // Num Lock off: the keypad sends navigation codes without the extended bit (Wine's KP_End ...).
  using C = GridKeyClass;
  const struct { C keyClass; char character; std::vector<std::pair<unsigned, bool>> keys; } roles[] = {
      {C::kCharacter, '7', {{0x37, 0}, {kVkHome, 0}}}, {C::kCharacter, '9', {{0x69, 0}, {kVkPrior, 0}}},
      {C::kCharacter, '.', {{kVkOemPeriod, 0}, {kVkDecimal, 0}, {kVkDelete, 0}}},
      {C::kCharacter, '-', {{kVkOemMinus, 0}, {kVkSubtract, 0}}}, {C::kCharacter, '1', {{kVkEnd, 0}}},
      {C::kCharacter, '0', {{kVkNumpad0, 0}, {kVkInsert, 0}}}, {C::kCharacter, '5', {{kVkClear, 0}}},
      {C::kCharacter, '8', {{kVkUp, 0}}},
      {C::kKeypadOther, 0, {{kVkAdd, 0}, {kVkMultiply, 0}, {kVkDivide, 1}, {kVkNumLock, 0}, {kVkSeparator, 0}}},
      {C::kEnter, 0, {{kVkReturn, 0}, {kVkReturn, 1}}}, {C::kBackspace, 0, {{kVkBack, 0}}}, {C::kUp, 0, {{kVkUp, 1}}},
      {C::kDown, 0, {{kVkDown, 1}}}, {C::kDelete, 0, {{kVkDelete, 1}}},
      {C::kModifier, 0, {{kVkShift, 0}, {kVkControl, 0}, {kVkRControl, 1}, {kVkLShift, 0}}},
      {C::kOther, 0, {{kVkEnd, 1}, {kVkLeft, 1}, {0x41, 0}, {0x70, 0}, {0xBB, 0}}}};
  for (const auto& role : roles) {
    for (const auto& [vk, extended] : role.keys) {
      const GridKey key = IdentifyGridKey(vk, extended);
      EXPECT_EQ(std::tuple(role.keyClass, role.character), std::tuple(key.keyClass, key.character)) << vk << extended;
    }
  }
  // Bit 24 of the key data is the extended bit: 0x01480001 is the dedicated Up arrow.
  EXPECT_EQ(GridKeyClass::kUp, IdentifyGridKeyFromData(kVkUp, 0x01480001ull).keyClass);
  EXPECT_EQ('8', IdentifyGridKeyFromData(kVkUp, 0x00480001ull).character);
}

TEST(Grid, TypingRules) {
  // The keys, the values stored, the messages, the text still pending, input fixed, caret line.
  const struct { const char* keys; std::vector<double> stored; std::vector<std::string> messages;
                 std::string pending; bool inputFixed; int caretRow; } cases[] = {
      {"12.5\n", {12.5}, {}, "", true, 2}, {"\n", {}, {"Don't press Enter-key first!"}, "", false, 1},
      {"-\n", {}, {}, "-", false, 1}, {".\n", {}, {}, ".", false, 1}, {"-.\n", {}, {}, "-.", false, 1},
      {"-5\n", {-5}, {}, "", true, 2}, {"-.5\n", {-0.5}, {}, "", true, 2}, {".5\n", {0.5}, {}, "", true, 2},
      {"12345678901", {12345678901.0}, {kTotalDigits}, "", true, 2},
      {"-1234567890", {-1234567890.0}, {kTotalDigits}, "", true, 2},
      // Deleting the point allows another; Backspace on an empty cell only fixes; a second point
      // and a minus after the first character are ignored; nothing types while Shift is down (up
      // again when the window lost the focus).
      {"-<5\n", {5}, {}, "", true, 2}, {"1.<.5\n", {1.5}, {}, "", true, 2}, {"5<<", {}, {}, "", true, 1},
      {"5..5\n", {5.5}, {}, "", true, 2}, {"5-5\n", {55}, {}, "", true, 2}, {"S55s7\n", {7}, {}, "", true, 2},
      {"S5f7\n", {7}, {}, "", true, 2}, {"!", {}, {"Overwrite a new datum in the cell!"}, "", true, 1},
      {"5^", {}, {kFixInput}, "5", false, 1},
      // A keypad key that types nothing ("+") leaves the cell open.
      {"5v", {}, {kFixInput}, "5", false, 1}, {"+", {}, {}, "", false, 1}, {"5+\n", {5}, {}, "", true, 2},
      {"1\n2\n^^^", {1, 2}, {}, "", true, 1},
      {"mEDCp2R", {-1.52}, {}, "", true, 2}};  // the keypad types with Num Lock on and off
  for (const auto& c : cases) {
    GridState s = Started();
    const KeyRun run = Press(s, c.keys);
    EXPECT_FIELDS(std::tuple(c.stored, c.messages, c.pending, c.inputFixed, c.caretRow, !c.stored.empty()), Stored(s),
                  run.messages, s.cellText, s.inputFixed, s.caretRow, s.dataEntered && s.dataSetPresent && s.unsavedValues)
        << c.keys;
  }
}

// Eleven lines a page: ten values. Each step: where the grid stands afterwards, and whether it
// drew a page.
TEST(Grid, PagesWithElevenRows) {
  GridState s = Started(11);
  const struct { const char* keys; std::tuple<int, int, int, int> at; bool pageDrawn; } steps[] = {
      {"1\n2\n3\n4\n5\n6\n7\n8\n9\n", {1, 1, 10, 9}, false}, {"10\n", {2, 2, 1, 10}, true},
      {"[", {1, 2, 10, 9}, true}, {"[", {1, 2, 10, 9}, false},  // page 1 is the first
      {"v", {1, 2, 10, 9}, false},                              // the last line of a full page
      {"^", {1, 2, 9, 8}, false}, {"]", {2, 2, 1, 10}, true}, {"]", {2, 2, 1, 10}, false},
      {"v", {2, 2, 1, 10}, false},      // on the last page Down stops at the first empty cell
      {"[99\n", {2, 2, 1, 10}, true}};  // overwriting the last value of page 1 moves on to page 2
  for (const auto& step : steps) {
    const bool drawn = Press(s, step.keys).last.pageDrawn;
    EXPECT_FIELDS(std::tuple_cat(step.at, std::tuple(step.pageDrawn)), AT(s), drawn) << step.keys;
  }
  // A resize to five values a page shows the page of the first empty cell; pending text moves along with the caret.
  Press(s, "[7");
  const GridEffect e = GridAfterResize(s, Rows(6));
  const std::vector<std::string> texts = Texts(LayoutGridPage(s, 600, 0));
  EXPECT_FIELDS(std::tuple(99.0, 9, true, 3, 3, 1, 10, "7"s, "  11"s, "7"s), s.dataValues[9], s.lastDataIndex, e.pageDrawn,
                AT(s), e.caretText, texts[2], texts[3]);
  // Minimized: no lines fit, the page stays.
  EXPECT_FALSE(GridAfterResize(s, MeasureGrid(16, 0, 0)).pageDrawn);
  EXPECT_EQ(std::tuple(6, 3), std::tuple(s.rowsPerPage, s.currentPage));
}

TEST(Grid, ClicksSelectCellsUpToTheFirstEmptyOne) {
  GridState s = Started(11);  // rowHeight 16: line n spans y 40 + 16 n ... 55 + 16 n
  EXPECT_EQ(0, GridCellLineAt(s, 100, 60));  // an empty grid offers no cell
  Press(s, "1\n2\n3\n");
  const struct { int x, y, line; } cases[] = {{100, 57, 1}, {100, 56, 0}, {71, 77, 2},   {70, 77, 0}, {169, 77, 2},
                                               {170, 77, 0}, {100, 119, 4}, {100, 120, 0}, {100, 30, 0}};
  for (const auto& c : cases) EXPECT_EQ(c.line, GridCellLineAt(s, c.x, c.y)) << c.x << "," << c.y;
  OnClick(s, 100, 77);
  const GridEffect typed = Press(s, "78<").last;  // each key redraws the cell and the caret text
  const GridMessage refused = OnClick(s, 100, 60).message;
  EXPECT_EQ(kFixInput, Said((Press(s, "<"), OnClick(s, 100, 60)).message)) << "a cell emptied by Backspace";
  Press(s, "7");
  EXPECT_FIELDS(std::tuple(true, 2, "7"s, "7"s, kFixInput, 1), typed.cellDrawn, typed.cellRow, typed.cellText,
                typed.caretText, Said(refused), s.currentCell);
  const GridEffect stored = Press(s, "\n").last;
  EXPECT_FIELDS(std::tuple(std::vector<double>{1, 7, 3}, 1, false, 3, ""s), Stored(s), stored.storedIndex,
                stored.pageDrawn, stored.caretRow, stored.caretText);
  Press(s, "5\n5\n5\n5\n5\n5\n5\n5\n5\n5\n[");  // a page before the last: every line down to the bottom rule
  EXPECT_EQ(std::tuple(10, 0), std::tuple(GridCellLineAt(s, 100, 215), GridCellLineAt(s, 100, 216)));
}

TEST(Grid, DataInputAndDataRead) {
  GridState s;
  PageState page;
  EXPECT_EQ(kGridNoMessage, NextPage(s).message);  // before any grid: nothing
  EXPECT_EQ(kTooSmall, Said(DataInputStart(s, page, Rows(2)).message));
  EXPECT_EQ(std::tuple(PageShown::kStartPicture, false), std::tuple(page.pageShown, s.gridActive));
  EXPECT_EQ(kGridNoMessage, DataInputStart(s, page, Rows(3)).message);  // three lines do

  // 999 values: ready for the 1000th on page 100, line 10; a pending text is dropped.
  Press(s, "8");
  EXPECT_TRUE(ApplyDataRead(s, page, std::vector<double>(999, 2.0), Rows(11)).pageDrawn);
  EXPECT_FIELDS(std::tuple(true, 100, 100, 10, 999, ""s, false, true), page.dataModeEntered, AT(s), s.cellText,
                ExitAsksToSave(s), DataInputAsksToSave(s));
  // The eleventh character stores the 1000th value: both warnings, in order. It filled page 100; page 101 shows no
  // line past 1000.
  EXPECT_EQ((std::vector{kTotalDigits, kTooMany}), Press(s, "12345678901").messages);
  const GridMessage clicked = OnClick(s, 100, 80).message;
  EXPECT_FIELDS(std::tuple(12345678901.0, true, true, kGridNoMessage, 101), s.dataValues[999], ExitAsksToSave(s),
                GridIsFull(s), clicked, s.currentPage);
  EXPECT_EQ((std::vector<std::string>{"No.", "Data"}), Texts(LayoutGridPage(s, 600, 0)));

  // 1000 values: full, no typing, saving allowed.
  ApplyDataRead(s, page, std::vector<double>(1000, 2.0), Rows(11));
  const bool placed = Press(s, "5\n").last.caretPlaced;
  EXPECT_FIELDS(std::tuple(false, false, 2.0, kDataFileOk), GridTakesInput(s), placed, s.dataValues[999],
                DataSaveRefusal(s));

  // A file of comments only: an empty data set that typing extends.
  ApplyDataRead(s, page, {}, Rows(11));
  EXPECT_FIELDS(std::tuple(-1, 0, 1), s.lastDataIndex, GridValueCount(s), s.caretRow);
  Press(s, "4\n");
  EXPECT_FIELDS(std::tuple(std::vector<double>{4}, true), Stored(s), ExitAsksToSave(s));
  // A read counts as saved; refusals change nothing.
  ApplyDataRead(s, page, std::vector<double>(3, 2.0), Rows(11));
  const GridMessage tooMany = ApplyDataRead(s, page, std::vector<double>(1001, 2.0), Rows(11)).message;
  const GridMessage tooSmall = ApplyDataRead(s, page, std::vector<double>(5, 2.0), Rows(2)).message;
  EXPECT_FIELDS(std::tuple(false, kTooMany, kTooSmall, std::vector<double>(3, 2.0)), ExitAsksToSave(s), Said(tooMany),
                Said(tooSmall), Stored(s));

  // Data Input empties the grid; nothing saved or pending.
  DataInputStart(s, page, Rows(11));
  EXPECT_FIELDS(std::tuple(0, kDataFileNoDataToSave), GridValueCount(s), DataSaveRefusal(s));
  Press(s, "5\n6");
  EXPECT_EQ(kDataFileFixBeforeSaving, DataSaveRefusal(s));

  // Data Read where memory runs out, as the window runs it once the file is in memory (the
  // values read, put into the grid, the grid page laid out), each allocation refused in turn:
  // the grid (a typed number pending) and the page state stay as they were; then it succeeds.
  const std::tuple<GridState, PageState> before(s, page);
  for (int refuse = 1, done = 0; !done; ++refuse) {
    Watch(1, refuse);
    done = RunKeepingParts(
        [&] { ApplyDataRead(s, page, ReadDataText("1.5\r\n-2\r\n").values, Rows(11)), LayoutGridPage(s, 600, 0); }, s, page);
    watch.on = false;
    ASSERT_TRUE(done || std::tie(s, page) == before) << "allocation " << refuse;
  }
  EXPECT_EQ(Stored(s), (std::vector<double>{1.5, -2}));
}

TEST(GridLayout, MetricsRectanglesRulesTextsAndValueFormat) {
  const struct { int height, leading, client, rowHeight, textLead, rows; } cases[] = {
      {16, 0, 390, 17, 1, 20}, {13, 3, 390, 17, 4, 20}, {16, 0, 100, 17, 1, 2}, {16, 0, 0, 17, 1, -3}};
  for (const auto& c : cases) {
    const GridMetrics m = MeasureGrid(c.height, c.leading, c.client);
    EXPECT_FIELDS(std::tuple(c.rowHeight, c.textLead, c.rows), m.rowHeight, m.textLead, m.rowsPerPage) << c.client;
  }
  const GridState s = Started(11);
  const auto tie = [](const auto& r) { return std::tuple(r.left, r.top, r.right, r.bottom); };
  const CaretPlace empty = GridCaretPlace(s, 2, true, 0);
  EXPECT_FIELDS(std::tuple(73, 72, 2, 16, 95), empty.x, empty.y, empty.width, empty.height,
                GridCaretPlace(s, 2, false, 20).x);
  EXPECT_EQ(std::tuple(74, 73, 499, 87), tie(GridCellRepaintRect(s, 2, 600)));
  EXPECT_EQ(std::tuple(71, 52, 500, 67), tie(GridCellInterior(s, 2, 600)));
  EXPECT_EQ(std::tuple(75, 52), std::tuple(GridCellText(s, 2, "12").x, GridCellText(s, 2, "12").y));

  GridState four = Started(4);
  Press(four, "1\n-2\n");
  const GridPageLayout page = LayoutGridPage(four, 600, 0);
  ASSERT_EQ(8u, page.rules.size());  // 5 horizontal, 3 vertical
  const auto ends = [](const GridRule& r) { return std::tuple(r.x1, r.y1, r.x2, r.y2); };
  EXPECT_EQ(std::tuple(20, 19 + 4 * 16, 500, 19 + 4 * 16), ends(page.rules[4]));
  EXPECT_EQ(std::tuple(500, 19, 500, 19 + 4 * 16), ends(page.rules[7]));
  EXPECT_EQ((std::vector<std::string>{"No.", "Data", "   1", "1", "   2", "-2", "   3"}), Texts(page));
  EXPECT_EQ(std::tuple(75, 19 + 2 * 16 + 1), std::tuple(page.texts[5].x, page.texts[5].y));
  EXPECT_EQ("入力データ", LayoutGridPage(four, 600, 1).texts[1].text);

  const struct { double value; const char* text; } values[] = {
      {12345678901.0, "12345678901"}, {5, "5"}, {-2, "-2"}, {-1.5, "-1.5"}, {1.0 / 3, "0.3333333333"},
      {-1.0 / 3, "-0.333333333"}, {-1234567890, "-1234567890"}, {123456789012.0, "1.2345678901e+11"}, {1e-5, "1e-05"}};
  for (const auto& c : values) EXPECT_EQ(c.text, FormatGridValue(c.value)) << c.text;
}

}  // namespace
