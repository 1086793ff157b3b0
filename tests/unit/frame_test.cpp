// The frame's decisions: language and version classes from the registry texts, the names the
// class selects, the tooltip hit test and box geometry; the command keys of the four programs
// (no key twice in a table and none that the grid, the calculators' fields, the dialogs or the
// system take; the key data that run a command; the tooltips with their keys, which the store
// holds at their widest).
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/texts.h"
#include "frame/platform_class.h"
#include "frame/program_tables.h"
#include "frame/tooltip_layout.h"
#include "korvan00/main_window_rules.h"
#include "korvan95/grid_keys.h"
#include "korvan95/main_window.h"
#include "quibe95/tables.h"
#include "zorpa95/tables.h"

std::ostream& operator<<(std::ostream& out, const TooltipBox& b) {
  return out << "(" << b.left << ", " << b.top << ")-(" << b.right << ", " << b.bottom << ")";
}

namespace {

TEST(Detection, LanguageAndVersionClassFromTheRegistryTextsAndTheNamesTheClassSelects) {
  EXPECT_EQ(LanguageFromCodePage(932), 1);
  for (unsigned codePage : {936u, 949u, 1252u, 65001u, 0u}) EXPECT_EQ(LanguageFromCodePage(codePage), 0) << codePage;
  EXPECT_STREQ(TextFor(kCaptionError, 1), "\x83\x47\x83\x89\x81\x5b");  // エラー

// NT versions in both variants (substring tests tried in order: "4.0" wins over a later "5.1"),
// product names where there is no NT key, and the names of bitmaps and pictures by class.
  const struct { const char* version; int full, shortVariant; } versions[] = {
      {"4.0", 3, 3}, {"5.0", 4, 4}, {"5.1", 5, 5}, {"5.2", 5, 5},  {"6.0", 6, 5},
      {"6.1", 6, 5}, {"6.2", 7, 5}, {"6.3", 7, 5}, {"10.0", 7, 5}, {"", 7, 5}, {"5.1 4.0", 3, 3}};
  for (const auto& c : versions)
    EXPECT_EQ(std::pair(VersionClassFromNtVersion(c.version, 1), VersionClassFromNtVersion(c.version, 0)),
              std::pair(c.full, c.shortVariant)) << c.version;
  const struct { const char* name; int versionClass; } names[] = {
      {"Microsoft Windows 98", 1}, {"Microsoft Windows ME", 2}, {"Microsoft Windows ME and Windows 98", 2},
      {"Microsoft Windows 95", 0}, {"", 0},                      {nullptr, 0}};
  for (const auto& c : names) EXPECT_EQ(VersionClassFromProductName(c.name), c.versionClass) << (c.name ? c.name : "null");
  EXPECT_EQ(BitmapName("SaveAs", 5, "Dn") + " " + BitmapName("Gap", 2, "Up") + " " + BitmapName("Help", 4, "In") + " " +
                BitmapName("AnaW3", 6, "Up") + " " + StartPictureName(2, 1) + " " + StartPictureName(7, 0),
            "SaveAsXDn Gap9Up Help8In AnaW3Up IBMP_MEJ IBMP_98E");
  // The longest stem of the suite fits the 12-byte name fields of the icon bar in every class.
  for (int versionClass = 0; versionClass < 8; ++versionClass)
    EXPECT_LE(BitmapName("SaveAs", versionClass, "Up").size(), 11u) << versionClass;
}

// Borders 1, caption 18, a font of extra width 2.
TooltipMetrics Metrics(int textWidth, int textHeight = 14, int externalLeading = 0, int menuHeight = 0) {
  return {.textWidth = textWidth, .textHeight = textHeight, .externalLeading = externalLeading, .extraWidth = 2,
          .cxBorder = 1, .cyBorder = 1, .cyCaption = 18, .menuHeight = menuHeight};
}

TEST(Tooltip, HitTestAndBoxGeometry) {
  const int cyBorder = 1, rowEnd = 176;  // five buttons
  const struct { int x, y, button; } cases[] = {
      {16, 2, 1},  {47, 21, 1}, {48, 10, 2}, {175, 10, 5},  // inside the band
      {15, 10, 0}, {176, 10, 0},                            // left of the row, past its end
      {30, 1, 0},  {30, 22, 0}, {30, 0, 0}};                // above and below the band
  for (const auto& c : cases) EXPECT_EQ(TooltipButtonAt(c.x, c.y, cyBorder, rowEnd), c.button) << c.x << "," << c.y;
  // Button 2, a 60-pixel label in a 14-pixel font; the program with a menu bar: 19 rows lower; a font with external
  // leading: 3 rows higher; too wide and too high: clipped to the 400 x 32 store.
  const struct { int button, textWidth, textHeight, externalLeading, menuHeight; TooltipBox box; } boxes[] = {
      {2, 60, 14, 0, 0, {50, 51, 117, 71}}, {1, 60, 14, 0, 19, {18, 70, 85, 90}}, {2, 60, 14, 3, 0, {50, 51, 117, 74}},
      {11, 1000, 60, 0, 0, {338, 51, 737, 82}}, {2, 60, 26, 0, 0, {50, 51, 117, 82}}};
  for (const auto& b : boxes)
    EXPECT_EQ(TooltipBoxFor(b.button, Metrics(b.textWidth, b.textHeight, b.externalLeading, b.menuHeight)), b.box)
        << "button " << b.button;
}

// ---- Command keys ---------------------------------------------------------------------------
constexpr unsigned kTab = 0x09, kEnter = 0x0D, kEsc = 0x1B, kSpace = 0x20, kEnd = 0x23, kHome = 0x24, kLeft = 0x25;
constexpr unsigned kRight = 0x27, kInsert = 0x2D, kDelete = 0x2E, kBack = 0x08, kF10 = 0x79;
constexpr unsigned kShift = kModShift, kCtrl = kModCtrl, kAlt = kModAlt;

// What dialogs and the system take in every window (Alt keys: below), and what the calculators'
// edit boxes and sample-size list take while they have the focus.
const std::set<std::pair<unsigned, unsigned>> kDialogKeys = {{kTab, 0},  {kTab, kShift}, {kEnter, 0},
                                                             {kEsc, 0},  {kSpace, 0},    {kF10, 0}, {kF10, kShift}};
const std::set<std::pair<unsigned, unsigned>> kFieldKeys = {
    {'C', kCtrl}, {'V', kCtrl}, {'X', kCtrl}, {'Z', kCtrl}, {'A', kCtrl}, {kInsert, kShift}, {kInsert, kCtrl},
    {kDelete, kShift}, {kDelete, 0}, {kBack, 0}, {kBack, kCtrl}, {kKeyF4, 0}, {kHome, 0}, {kEnd, 0}, {kHome, kShift},
    {kEnd, kShift}, {kLeft, kCtrl}, {kRight, kCtrl}, {kLeft, kShift}, {kRight, kShift}, {kKeyPageUp, 0}, {kKeyPageDown, 0}};

// grid, fields: the grid, or edit boxes and the list, take keys in the main window.
struct Program { const char* name; const CommandKey* keys; int count; bool grid, fields; };
const Program kPrograms[] = {{"korvan95", kCommandKeys, std::size(kCommandKeys), true, false},
                             {"korvan00", korvan00::kCommandKeys, std::size(korvan00::kCommandKeys), false, false},
                             {"zorpa95", zorpa95::kCommandKeys, std::size(zorpa95::kCommandKeys), false, true},
                             {"quibe95", quibe95::kCommandKeys, std::size(quibe95::kCommandKeys), false, true}};

TEST(CommandKeys, EachTableTakesNoKeyTwiceAndNoneThatAnotherPartUses) {
  for (const Program& p : kPrograms) {
    std::set<std::pair<unsigned, unsigned>> seen;
    for (int i = 0; i < p.count; ++i) {
      const CommandKey& k = p.keys[i];
      const std::pair key(k.key, k.modifiers);
      SCOPED_TRACE(std::string(p.name) + " " + KeyText(k));
      EXPECT_TRUE(seen.insert(key).second) << "twice";
      EXPECT_FALSE(kDialogKeys.count(key) || (p.fields && kFieldKeys.count(key)));
      // Alt with a key is the menu's or the system's: only Alt+F4, which closes the window.
      EXPECT_TRUE((k.modifiers & kAlt) == 0 || key == std::pair(kKeyF4, kAlt));
      // The grid types nothing while Shift or Ctrl is held; without them the key has no role.
      for (bool extended : {false, true})
        EXPECT_TRUE(!p.grid || k.modifiers != 0 || IdentifyGridKey(k.key, extended).keyClass == GridKeyClass::kOther);
    }
  }
}

// Key data as the window gets them: the virtual key, the extended-key bit, the modifiers held.
TEST(CommandKeys, KeyDataRunTheCommandOfExactlyTheirKey) {
  const struct { unsigned key; bool extended; unsigned modifiers; int command; } cases[] = {
      {kKeyPageUp, true, kCtrl, kCmdPreviousPage}, {kKeyPageDown, true, kCtrl, kCmdNextPage}, {'N', false, 0, 0},
      {kKeyPageUp, true, 0, 0}, {kKeyPageUp, true, kCtrl | kShift, 0}, {kKeyF5, true, 0, kCmdAnalysis},
      {'S', false, kCtrl, kCmdDataSave}, {'S', false, kCtrl | kShift, kCmdSaveAs}, {kKeyF1, false, 0, kCmdHowToUse},
      {kKeyF1, false, kShift, kCmdAbout}, {kKeyF4, false, kAlt, 0}, {'C', false, kCtrl | kAlt, 0},  // system; AltGr
      {kKeyPageUp, false, kCtrl, 0}, {kKeyPageDown, false, kCtrl, 0}};  // keypad 9 and 3 with Num Lock off
  for (const auto& c : cases)
    EXPECT_EQ(CommandForKey(kCommandKeys, std::size(kCommandKeys), c.key, c.extended, c.modifiers), c.command)
        << std::hex << c.key << " extended " << c.extended << " modifiers " << c.modifiers;
}

// The tooltip of every button with the key of its command (korvan95's keys run its menu ids).
std::vector<std::string> Tooltips(int japanese) {
  std::vector<std::string> tips;
  const auto add = [&](const Text& label, const Program& p, int command) {
    tips.push_back(LabelWithKey(TextFor(label, japanese), KeyOfCommand(p.keys, p.count, command)));
  };
  for (const IconBarButton& b : kIconBarButtons)
    if (b.command) add(b.label, kPrograms[0], CommandForButton(b.command));
  for (const korvan00::CommandRow& row : korvan00::kCommandRows) add(row.tooltip, kPrograms[1], row.command);
  for (const IconBarButton& b : zorpa95::kIconBarButtons) add(b.label, kPrograms[2], b.command);
  for (const IconBarButton& b : quibe95::kIconBarButtons) add(b.label, kPrograms[3], b.command);
  return tips;
}

TEST(CommandKeys, TooltipsNameTheKeyAndFitTheStoreAtTheirWidest) {
  std::string korvan95;
  for (int i = 0; i < 11; ++i) korvan95 += Tooltips(0)[i] + "|";
  EXPECT_EQ(korvan95, "Save As (Ctrl+Shift+S)|Print (Ctrl+P)|Copy (Ctrl+C)|Data Input (Ctrl+N)|Data Read (Ctrl+O)|"
                      "Previous Page (Ctrl+Page Up)|Next Page (Ctrl+Page Down)|Analysis (F5)|About (Shift+F1)|"
                      "How to Use (F1)|Exit (Alt+F4)|");
  EXPECT_EQ(TooltipTextWidthLimit(Tooltips(1)[5], 12), 19 * 12);  // 前ページ (Ctrl+Page Up)
  // Each in both languages at the widest a 14-pixel font draws it: the last pixel of text still
  // widens the box, so the store does not cut it.
  for (int japanese : {0, 1}) {
    for (const std::string& text : Tooltips(japanese)) {
      EXPECT_NE(text.rfind(" ("), std::string::npos) << text << " names no key";
      const int widest = TooltipTextWidthLimit(text, 14);
      EXPECT_EQ(TooltipBoxFor(1, Metrics(widest)).right, TooltipBoxFor(1, Metrics(widest - 1)).right + 1) << text;
    }
  }
}

}  // namespace
