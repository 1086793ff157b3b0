// The frame's decisions: language and version classes from the registry texts, the names the
// class selects, the tooltip hit test and box geometry.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

#include "common/texts.h"
#include "frame/platform_class.h"
#include "frame/tooltip_layout.h"

std::ostream& operator<<(std::ostream& out, const TooltipBox& b) {
  return out << "(" << b.left << ", " << b.top << ")-(" << b.right << ", " << b.bottom << ")";
}

namespace {

TEST(Language, OnlyCodePage932IsJapaneseAndItsTextsAreCodePage932Bytes) {
  EXPECT_EQ(LanguageFromCodePage(932), 1);
  for (unsigned codePage : {936u, 949u, 1252u, 65001u, 0u}) EXPECT_EQ(LanguageFromCodePage(codePage), 0) << codePage;
  EXPECT_STREQ(TextFor(kCaptionError, 0), "Error");
  EXPECT_STREQ(TextFor(kCaptionError, 1), "\x83\x47\x83\x89\x81\x5b");  // エラー
}

// The tests are substring tests tried in order: "4.0" wins over a later "5.1".
TEST(VersionClass, NtVersionsInBothVariants) {
  const struct { const char* version; int full, shortVariant; } cases[] = {
      {"4.0", 3, 3}, {"5.0", 4, 4}, {"5.1", 5, 5}, {"5.2", 5, 5},  {"6.0", 6, 5},
      {"6.1", 6, 5}, {"6.2", 7, 5}, {"6.3", 7, 5}, {"10.0", 7, 5}, {"", 7, 5}, {"5.1 4.0", 3, 3}};
  for (const auto& c : cases)
    EXPECT_EQ(std::pair(VersionClassFromNtVersion(c.version, 1), VersionClassFromNtVersion(c.version, 0)),
              std::pair(c.full, c.shortVariant)) << c.version;
}

TEST(VersionClass, ProductNamesWithoutNtKey) {
  const struct { const char* name; int versionClass; } cases[] = {
      {"Microsoft Windows 98", 1}, {"Microsoft Windows ME", 2}, {"Microsoft Windows ME and Windows 98", 2},
      {"Microsoft Windows 95", 0}, {"", 0},                      {nullptr, 0}};
  for (const auto& c : cases) EXPECT_EQ(VersionClassFromProductName(c.name), c.versionClass) << (c.name ? c.name : "null");
}

TEST(VersionClass, NamesOfBitmapsAndPictures) {
  EXPECT_EQ(BitmapName("SaveAs", 5, "Dn") + " " + BitmapName("Gap", 2, "Up") + " " + BitmapName("Help", 4, "In") + " " +
                BitmapName("AnaW3", 6, "Up") + " " + StartPictureName(2, 1) + " " + StartPictureName(7, 0),
            "SaveAsXDn Gap9Up Help8In AnaW3Up IBMP_MEJ IBMP_98E");
  // The longest stem of the suite fits the 12-byte name fields of the icon bar in every class.
  for (int versionClass = 0; versionClass < 8; ++versionClass)
    EXPECT_LE(BitmapName("SaveAs", versionClass, "Up").size(), 11u) << versionClass;
}

TEST(Tooltip, HitTestAndBoxGeometry) {
  const int cyBorder = 1, rowEnd = 176;  // five buttons
  const struct { int x, y, button; } cases[] = {
      {16, 2, 1},  {47, 21, 1}, {48, 10, 2}, {175, 10, 5},  // inside the band
      {15, 10, 0}, {176, 10, 0},                            // left of the row, past its end
      {30, 1, 0},  {30, 22, 0}, {30, 0, 0}};                // above and below the band
  for (const auto& c : cases) EXPECT_EQ(TooltipButtonAt(c.x, c.y, cyBorder, rowEnd), c.button) << c.x << "," << c.y;
  // Borders 1, caption 18, a font of extra width 2.
  // Button 2, a 60-pixel label in a 14-pixel font; the program with a menu bar: 19 rows lower; a font with external
  // leading: 3 rows higher; too wide and too high: clipped to the 400 x 32 store.
  const struct { int button, textWidth, textHeight, externalLeading, menuHeight; TooltipBox box; } boxes[] = {
      {2, 60, 14, 0, 0, {50, 51, 117, 71}}, {1, 60, 14, 0, 19, {18, 70, 85, 90}}, {2, 60, 14, 3, 0, {50, 51, 117, 74}},
      {11, 1000, 60, 0, 0, {338, 51, 737, 82}}};
  for (const auto& b : boxes) {
    const TooltipMetrics metrics{.textWidth = b.textWidth, .textHeight = b.textHeight, .externalLeading = b.externalLeading,
                                 .extraWidth = 2, .cxBorder = 1, .cyBorder = 1, .cyCaption = 18, .menuHeight = b.menuHeight};
    EXPECT_EQ(TooltipBoxFor(b.button, metrics), b.box) << "button " << b.button;
  }
}

}  // namespace
