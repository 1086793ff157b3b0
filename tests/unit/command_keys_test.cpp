// The command keys of the four programs: no key twice in a table and none that the grid, the
// calculators' fields, the dialogs or the system take; the key data a key runs its command
// from; the key texts; and every tooltip text, at the widest it can be drawn, fits the store.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "frame/program_tables.h"
#include "frame/tooltip_layout.h"
#include "korvan00/main_window_rules.h"
#include "korvan95/grid_keys.h"
#include "korvan95/main_window.h"
#include "quibe95/tables.h"
#include "zorpa95/tables.h"

namespace {

constexpr unsigned kTab = 0x09, kEnter = 0x0D, kEsc = 0x1B, kSpace = 0x20, kEnd = 0x23, kHome = 0x24;
constexpr unsigned kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kInsert = 0x2D, kDelete = 0x2E;
constexpr unsigned kBack = 0x08, kF10 = 0x79, kShift = kModShift, kCtrl = kModCtrl, kAlt = kModAlt;

// What dialogs, menus and the system take in every window, and what the calculators' edit
// boxes and sample-size list take while they have the focus.
const std::set<std::pair<unsigned, unsigned>> kDialogKeys = {
    {kTab, 0}, {kTab, kShift}, {kEnter, 0}, {kEsc, 0}, {kSpace, 0}, {kSpace, kAlt}, {kF10, 0}, {kF10, kShift}};
const std::set<std::pair<unsigned, unsigned>> kFieldKeys = {
    {'C', kCtrl},   {'V', kCtrl},        {'X', kCtrl},         {'Z', kCtrl},        {'A', kCtrl},       {kInsert, kShift},
    {kInsert, kCtrl}, {kDelete, kShift}, {kDelete, 0},         {kBack, 0},          {kBack, kCtrl},     {kKeyF4, 0},
    {kDown, kAlt},  {kUp, kAlt},         {kHome, 0},           {kEnd, 0},           {kHome, kShift},    {kEnd, kShift},
    {kLeft, kCtrl}, {kRight, kCtrl},     {kLeft, kShift},      {kRight, kShift},    {kKeyPageUp, 0},    {kKeyPageDown, 0}};

struct Program {
  const char* name;
  const CommandKey* keys;
  int count;
  std::set<int> commands;                  // the ids its menu or its buttons send
  std::vector<std::pair<Text, int>> tips;  // each button's label and the command its key runs
  bool grid, fields;                       // the grid, edit boxes and the list take keys in the main window
  const CommandKey* KeyOf(int command) const { return KeyOfCommand(keys, count, command); }
};

template <std::size_t kCount>
void AddButtons(Program& p, const IconBarButton (&buttons)[kCount]) {
  for (const IconBarButton& b : buttons) {
    if (b.command == 0) continue;
    const int command = p.grid ? CommandForButton(b.command) : b.command;  // korvan95's keys send menu ids
    p.tips.emplace_back(b.label, command);
    if (!p.grid) p.commands.insert(command);
  }
}

const std::vector<Program>& Programs() {
  static const std::vector<Program> programs = [] {
    std::vector<Program> all = {{"korvan95", kCommandKeys, std::size(kCommandKeys), {}, {}, true, false},
                                {"korvan00", korvan00::kCommandKeys, std::size(korvan00::kCommandKeys), {}, {}, false, false},
                                {"zorpa95", zorpa95::kCommandKeys, std::size(zorpa95::kCommandKeys), {}, {}, false, true},
                                {"quibe95", quibe95::kCommandKeys, std::size(quibe95::kCommandKeys), {}, {}, false, true}};
    for (const CommandRow& row : kCommandTable) all[0].commands.insert(row.menuId);
    AddButtons(all[0], kIconBarButtons);
    for (const korvan00::CommandRow& row : korvan00::kCommandRows) {
      all[1].commands.insert(row.command);
      all[1].tips.emplace_back(row.tooltip, row.command);
    }
    AddButtons(all[2], zorpa95::kIconBarButtons);
    AddButtons(all[3], quibe95::kIconBarButtons);
    return all;
  }();
  return programs;
}

TEST(CommandKeys, EachTableTakesNoKeyTwiceAndNoneThatAnotherPartUses) {
  for (const Program& p : Programs()) {
    std::set<std::pair<unsigned, unsigned>> seen;
    for (int i = 0; i < p.count; ++i) {
      const CommandKey& k = p.keys[i];
      const std::pair key(k.key, k.modifiers);
      SCOPED_TRACE(std::string(p.name) + " " + KeyText(k));
      EXPECT_TRUE(seen.insert(key).second) << "twice";
      EXPECT_TRUE(p.commands.count(k.command) && k.command != 0) << "no command " << k.command;
      EXPECT_FALSE(kDialogKeys.count(key) || (p.fields && kFieldKeys.count(key)));
      // Alt with a key is the menu's or the system's: only Alt+F4, which closes the window.
      EXPECT_TRUE((k.modifiers & kAlt) == 0 || key == std::pair(kKeyF4, kAlt));
      // The grid types nothing while Shift or Ctrl is held; without them the key has no role.
      for (bool extended : {false, true}) {
        EXPECT_TRUE(!p.grid || k.modifiers != 0 || IdentifyGridKey(k.key, extended).keyClass == GridKeyClass::kOther);
      }
    }
  }
}

// Key data as the window gets them: the virtual key, the extended-key bit, the modifiers held.
TEST(CommandKeys, KeyDataRunTheCommandOfExactlyTheirKey) {
  const struct { unsigned key; bool extended; unsigned modifiers; int command; } cases[] = {
      {kKeyPageUp, true, kCtrl, kCmdPreviousPage},  {kKeyPageDown, true, kCtrl, kCmdNextPage},
      {kKeyPageUp, false, kCtrl, 0},                // keypad 9 with Num Lock off
      {kKeyPageUp, true, 0, 0},                     {kKeyPageUp, true, kCtrl | kShift, 0},
      {'S', false, kCtrl, kCmdDataSave},            {'S', false, kCtrl | kShift, kCmdSaveAs},
      {kKeyF1, false, 0, kCmdHowToUse},             {kKeyF1, false, kShift, kCmdAbout},
      {kKeyF4, false, kAlt, 0},                     // the system closes the window
      {'C', false, kCtrl | kAlt, 0},                // AltGr
      {'N', false, 0, 0},                           {kKeyF5, true, 0, kCmdAnalysis}};
  for (const auto& c : cases) {
    EXPECT_EQ(CommandForKey(kCommandKeys, std::size(kCommandKeys), c.key, c.extended, c.modifiers), c.command)
        << std::hex << c.key << " extended " << c.extended << " modifiers " << c.modifiers;
  }
}

TEST(CommandKeys, TooltipsNameTheKeyAndFitTheStoreAtTheirWidest) {
  std::string korvan95;
  for (const auto& [label, command] : Programs()[0].tips) korvan95 += LabelWithKey(label.english, Programs()[0].KeyOf(command)) + "|";
  EXPECT_EQ(korvan95, "Save As (Ctrl+Shift+S)|Print (Ctrl+P)|Copy (Ctrl+C)|Data Input (Ctrl+N)|Data Read (Ctrl+O)|"
                      "Previous Page (Ctrl+Page Up)|Next Page (Ctrl+Page Down)|Analysis (F5)|About (Shift+F1)|"
                      "How to Use (F1)|Exit (Alt+F4)|");
  EXPECT_EQ(TooltipTextWidthLimit(LabelWithKey("前ページ", Programs()[0].KeyOf(kCmdPreviousPage)), 12), 19 * 12);

  // Every tooltip with its key, in both languages, at the widest a 14-pixel font can draw it: the
  // last pixel of text still widens the box, so the store does not cut it.
  for (const Program& p : Programs()) {
    for (const auto& [label, command] : p.tips) {
      EXPECT_NE(p.KeyOf(command), nullptr) << p.name << ": " << label.english << " names no key";
      for (int japanese : {0, 1}) {
        const std::string text = LabelWithKey(TextFor(label, japanese), p.KeyOf(command));
        TooltipMetrics widest{.textWidth = TooltipTextWidthLimit(text, 14), .textHeight = 14, .externalLeading = 0,
                              .extraWidth = 2, .cxBorder = 1, .cyBorder = 1, .cyCaption = 18, .menuHeight = 0};
        TooltipMetrics narrower = widest;
        --narrower.textWidth;
        EXPECT_EQ(TooltipBoxFor(1, widest).right, TooltipBoxFor(1, narrower).right + 1) << p.name << ": " << text;
      }
    }
  }
}

}  // namespace
