// The frame's decisions: language and version classes from the registry texts, the names
// and colours the class selects, the tooltip hit test and box geometry.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/platform_class.h"
#include "common/texts.h"
#include "frame/tooltip_layout.h"

TEST(Language, OnlyCodePage932IsJapanese) {
  EXPECT_EQ(LanguageFromCodePage(932), 1);
  for (unsigned codePage : {1252u, 936u, 949u, 437u, 65001u, 0u}) EXPECT_EQ(LanguageFromCodePage(codePage), 0) << codePage;
}

TEST(VersionClass, NtVersionsInBothVariants) {
  struct Case {
    const char* version;
    int full;
    int shortVariant;
  } cases[] = {
      {"4.0", 3, 3}, {"5.0", 4, 4}, {"5.1", 5, 5}, {"5.2", 5, 5}, {"6.0", 6, 5},
      {"6.1", 6, 5}, {"6.2", 7, 5}, {"6.3", 7, 5}, {"10.0", 7, 5}, {"", 7, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VersionClassFromNtVersion(c.version, 1), c.full) << c.version;
    EXPECT_EQ(VersionClassFromNtVersion(c.version, 0), c.shortVariant) << c.version;
  }
  // The tests are substring tests tried in order: "4.0" wins over a later "5.1".
  EXPECT_EQ(VersionClassFromNtVersion("5.1 4.0", 1), 3);
}

TEST(VersionClass, ProductNamesWithoutNtKey) {
  EXPECT_EQ(VersionClassFromProductName("Microsoft Windows 98"), 1);
  EXPECT_EQ(VersionClassFromProductName("Microsoft Windows ME"), 2);
  EXPECT_EQ(VersionClassFromProductName("Microsoft Windows ME and Windows 98"), 2);
  EXPECT_EQ(VersionClassFromProductName("Microsoft Windows 95"), 0);
  EXPECT_EQ(VersionClassFromProductName(""), 0);
  EXPECT_EQ(VersionClassFromProductName(nullptr), 0);
}

TEST(VersionClass, SelectsBitmapsPicturesAndColours) {
  const char* suffixes[] = {"", "", "9", "", "8", "X", "", ""};
  for (int versionClass = 0; versionClass < 8; ++versionClass) {
    EXPECT_STREQ(BitmapSuffix(versionClass), suffixes[versionClass]) << versionClass;
  }
  EXPECT_EQ(BitmapName("SaveAs", 5, "Dn"), "SaveAsXDn");
  EXPECT_EQ(BitmapName("Gap", 2, "Up"), "Gap9Up");
  EXPECT_EQ(BitmapName("AnaW3", 6, "In"), "AnaW3In");
  // Every stem of the suite fits the 12-byte name fields of the icon bar.
  for (const char* stem : {"SaveAs", "Print", "Copy", "DataW", "Read", "Prev", "Next", "AnaW", "About", "Help", "Exit",
                           "Gap", "Space", "AvePr", "AnaW3", "StCom", "StCos", "Quibe"}) {
    for (int versionClass = 0; versionClass < 8; ++versionClass) {
      EXPECT_LE(BitmapName(stem, versionClass, "Up").size(), 11u) << stem;
    }
  }
  EXPECT_EQ(StartPictureName(2, 0), "IBMP_MEE");
  EXPECT_EQ(StartPictureName(4, 1), "IBMP_2KJ");
  EXPECT_EQ(StartPictureName(5, 0), "IBMP_XPE");
  EXPECT_EQ(StartPictureName(0, 1), "IBMP_98J");
  EXPECT_EQ(StartPictureName(6, 0), "IBMP_98E");

  const Rgb xp = CalculatorFrameColour(5);
  EXPECT_EQ(xp.red, 236);
  EXPECT_EQ(xp.green, 233);
  EXPECT_EQ(xp.blue, 216);
  const Rgb classic = CalculatorFrameColour(3);
  EXPECT_EQ(classic.red, 192);
  EXPECT_EQ(CalculatorFrameColour(2).red, 216);
  EXPECT_EQ(CalculatorFrameColour(4).blue, 206);
}

TEST(TooltipFont, ByLanguageAndClass) {
  EXPECT_EQ(TooltipFontFor(0, 2).height, 12);
  EXPECT_EQ(TooltipFontFor(0, 3).height, 14);
  EXPECT_EQ(TooltipFontFor(0, 3).textOffsetX, 1);
  EXPECT_EQ(TooltipFontFor(1, 7).height, 12);
  EXPECT_EQ(TooltipFontFor(1, 7).charset, 128);
  // "ＭＳゴシック" in code page 932.
  EXPECT_STREQ(TooltipFontFor(1, 0).face, "\x82\x6c\x82\x72\x83\x53\x83\x56\x83\x62\x83\x4e");
}

TEST(Texts, JapaneseTextsAreCodePage932Bytes) {
  constexpr Text error = kCaptionError;
  EXPECT_STREQ(TextFor(error, 0), "Error");
  EXPECT_STREQ(TextFor(error, 1), "\x83\x47\x83\x89\x81\x5b");  // エラー
  EXPECT_STREQ(TextFor(kCaptionSystemError, 1), "\x83\x56\x83\x58\x83\x65\x83\x80\x81\x45\x83\x47\x83\x89\x81\x5b");
}

TEST(TooltipHitTest, BandAndRow) {
  const int cyBorder = 1;
  const int rowEnd = 176;  // five buttons
  struct Case {
    int x, y, button;
  } cases[] = {
      {16, 2, 1},  {47, 21, 1}, {48, 10, 2}, {175, 10, 5},  // inside the band
      {15, 10, 0}, {176, 10, 0},                            // left of the row, past its end
      {30, 1, 0},  {30, 22, 0}, {30, 0, 0},                 // above and below the band
  };
  for (const Case& c : cases) EXPECT_EQ(TooltipButtonAt(c.x, c.y, cyBorder, rowEnd), c.button) << c.x << "," << c.y;
}

TEST(TooltipBox, GeometryAndTheStoreLimit) {
  // Button 2 of a calculator, a 60-pixel label in a 14-pixel font: the box in window
  // coordinates is (50, 51)-(117, 71).
  TooltipMetrics metrics = {60, 14, 0, 2, 1, 1, 18, 0};
  TooltipBox box = TooltipBoxFor(2, metrics);
  EXPECT_EQ(box.left, 50);
  EXPECT_EQ(box.top, 51);
  EXPECT_EQ(box.right, 117);
  EXPECT_EQ(box.bottom, 71);
  metrics.menuHeight = 19;  // the program with a menu bar: 19 rows lower
  EXPECT_EQ(TooltipBoxFor(1, metrics).top, 70);
  EXPECT_EQ(TooltipBoxFor(1, metrics).bottom, 90);
  metrics.menuHeight = 0;
  metrics.externalLeading = 3;  // a font with external leading: a box 3 rows higher
  EXPECT_EQ(TooltipBoxFor(2, metrics).top, 51);
  EXPECT_EQ(TooltipBoxFor(2, metrics).bottom, 74);
  metrics.externalLeading = 0;

  // A label wider than the store, or a font higher than it, is clipped: never an overflow.
  metrics.textWidth = 400;
  metrics.textHeight = 60;
  box = TooltipBoxFor(11, metrics);
  EXPECT_EQ(box.right - box.left + 1, kTooltipStoreColumns);
  EXPECT_EQ(box.bottom - box.top + 1, kTooltipStoreRows);
  // A label of 115 pixels still fits unclipped: 115 + 2 extra + 5 + both edges = 123 columns.
  metrics.textWidth = 115;
  metrics.textHeight = 14;
  box = TooltipBoxFor(1, metrics);
  EXPECT_EQ(box.right - box.left + 1, 123);
}
