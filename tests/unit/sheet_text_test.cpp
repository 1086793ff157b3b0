// The spreadsheet text of korvan00: cell walk, cell rules, import loop and messages.
#include "korvan00/sheet_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ImportCase {
  const char* name;
  std::string text;
  SheetMessage outcome;
  std::vector<double> values;
};

TEST(SheetText, ImportsCellsInRowOrderAndRefusesBadText) {
  const std::string fortyFour = "1." + std::string(42, '0');  // 44 characters
  const std::vector<ImportCase> cases = {
      {"two rows of two", "1\t2\r\n3\t4\r\n", kSheetOk, {1, 2, 3, 4}},
      {"empty cells and rows", "1\t\t2\r\n\r\n3\r\n", kSheetOk, {1, 2, 3}},
      {"one column", "1\r\n2\r\n3\r\n", kSheetOk, {1, 2, 3}},
      {"no final line end", "1\t2\r\n3\t4", kSheetNotFromSpreadsheet, {}},
      {"empty text", "", kSheetNotFromSpreadsheet, {}},
      {"one byte", "\n", kSheetNotFromSpreadsheet, {}},
      {"LF only", "1\n2\n3\n", kSheetNotFromSpreadsheet, {}},
      {"fractions", "1/4\r\n/4\r\n3/2\r\n", kSheetOk, {0.25, 0, 1.5}},
      {"zero denominator", "1/0\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"empty denominator", "1/\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"two slashes", "1/2/3\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"leading blank", " 5\r\n2\r\n3\r\n", kSheetOk, {5, 2, 3}},
      {"trailing blank", "5 \r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"thousands separator", "1,000\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"percent sign", "5%\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"heading word", "Weight\r\n2\r\n3\r\n4\r\n", kSheetNoProperData, {}},
      {"signs", "+5\r\n-2\r\n.5\r\n", kSheetOk, {5, -2, 0.5}},
      {"exponents accepted", "1.5E100\r\n2e-100\r\n1e+0100\r\n", kSheetOk,
       {1.5e100, 2e-100, 1e100}},
      {"exponent too large", "1\r\n1e101\r\n3\r\n", kSheetExponent, {}},
      {"exponent too small", "1\r\n1E-101\r\n3\r\n", kSheetExponent, {}},
      {"exponent of a fraction half", "1/1e101\r\n2\r\n3\r\n", kSheetExponent, {}},
      {"44 characters", fortyFour + "\r\n2\r\n3\r\n", kSheetOk, {1, 2, 3}},
      {"45 characters", fortyFour + "0\r\n2\r\n3\r\n", kSheetLength, {}},
      {"44 characters each half", fortyFour + "/" + fortyFour + "\r\n2\r\n3\r\n", kSheetOk,
       {1, 2, 3}},
      {"45 characters in the denominator", "1/" + fortyFour + "0\r\n2\r\n3\r\n", kSheetLength, {}},
      {"slashes before length", "1/2/" + fortyFour + "0\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"length before exponent", fortyFour + "e101\r\n2\r\n3\r\n", kSheetLength, {}},
      {"two values", "1\r\n2\r\n", kSheetTooFew, {}},
      {"three values", "1\r\n2\r\n3\r\n", kSheetOk, {1, 2, 3}},
      {"only empty cells", "\t\t\r\n\r\n", kSheetTooFew, {}},
      {"NUL ends the text", std::string("1\r\n2\r\n3\r\n\0junk", 13), kSheetOk, {1, 2, 3}},
      {"0xFF ends the text", "1\r\n2\r\n3\r\n\xffjunk", kSheetOk, {1, 2, 3}},
      {"NUL before the line end", std::string("1\r\n2\r\n3\0\r\n", 10),
       kSheetNotFromSpreadsheet, {}},
      {"LF after TAB", "1\t\n2\t\n3\r\n", kSheetOk, {1, 2, 3}},
      {"CR without LF ends a cell", "1\r2\r3\r\n", kSheetOk, {1, 2, 3}},
      // Infinity, NaN and hexadecimal forms are no proper data.
      {"INF", "INF\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"signed INF", "-INF\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"inf", "inf\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"infinity", "+infinity\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"NAN", "NAN\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"nan", "-nan\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"hexadecimal", "0x10\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"hexadecimal float", "0x1p3\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"hexadecimal in a fraction", "1/0x2\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"infinity in a fraction", "INF/2\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"blanks only", "  \r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"point only", ".\r\n2\r\n3\r\n", kSheetNoProperData, {}},
      {"dangling exponent", "1e\r\n2\r\n3\r\n", kSheetNoProperData, {}},
  };
  for (const ImportCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SheetImportResult result = ImportSheetText(c.text);
    EXPECT_EQ(c.outcome, result.outcome);
    EXPECT_EQ(c.values, result.values);
    EXPECT_EQ(0, result.limitReached);
  }
}

std::string Column(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += std::to_string(i) + "\r\n";
  return text;
}

TEST(SheetText, StopsAtThirtyThousandValues) {
  const SheetImportResult exact = ImportSheetText(Column(kMaxSheetValues));
  EXPECT_EQ(kSheetOk, exact.outcome);
  EXPECT_EQ(1, exact.limitReached);
  EXPECT_EQ(static_cast<std::size_t>(kMaxSheetValues), exact.values.size());

  // Cells after the 30000th value are not read, not even when they are no numbers.
  const SheetImportResult more = ImportSheetText(Column(kMaxSheetValues) + "x\r\n5\r\n");
  EXPECT_EQ(kSheetOk, more.outcome);
  EXPECT_EQ(1, more.limitReached);
  ASSERT_EQ(static_cast<std::size_t>(kMaxSheetValues), more.values.size());
  EXPECT_EQ(30000.0, more.values.back());

  const SheetImportResult fewer = ImportSheetText(Column(kMaxSheetValues - 1));
  EXPECT_EQ(0, fewer.limitReached);
  EXPECT_EQ(static_cast<std::size_t>(kMaxSheetValues - 1), fewer.values.size());
}

TEST(SheetText, CheckAndClassifyCodes) {
  struct Case {
    const char* text;
    int code;
  };
  const std::string long45(45, '1');
  const Case cases[] = {
      {"12", kCellNumber},       {"1/2", kCellFraction},     {"1/2/3", kCellSlashes},
      {"//", kCellSlashes},      {"1e100", kCellNumber},     {"1e101", kCellExponent},
      {"1e-101", kCellExponent}, {"1e+0100", kCellNumber},   {"1eX", kCellNumber},
      {"1e1e5", kCellExponent},  {"1e101/2", kCellExponent}, {"2/1E-101", kCellExponent},
      {long45.c_str(), kCellTooLong},
  };
  for (const Case& c : cases) {
    std::string numerator, denominator;
    EXPECT_EQ(c.code, ClassifyCellText(c.text, numerator, denominator)) << c.text;
  }
  std::string numerator, denominator;
  ASSERT_EQ(kCellFraction, ClassifyCellText(" 3/ 4", numerator, denominator));
  EXPECT_EQ(" 3", numerator);
  EXPECT_EQ(" 4", denominator);
  EXPECT_EQ(7, CheckNumberText("5", 7));
  EXPECT_EQ(kCellTooLong, CheckNumberText(long45.c_str(), 7));
  // The length counts leading blanks.
  EXPECT_EQ(kCellTooLong, CheckNumberText((" " + std::string(44, '1')).c_str(), 0));
}

TEST(SheetText, CellWalk) {
  const std::string text = "a\tbb\r\n\tc\rd\t\ne\r\n";
  struct Cell {
    std::string text;
    int lineEnd;
  };
  std::vector<Cell> cells;
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t length = 0;
    int lineEnd = 0;
    const std::size_t next = NextSheetCell(text.data(), text.size(), position, length, lineEnd);
    cells.push_back({text.substr(position, length), lineEnd});
    position = next;
  }
  const std::vector<std::pair<std::string, int>> expected = {
      {"a", 0}, {"bb", 1}, {"", 0}, {"c", 0}, {"d", 1}, {"e", 1}};
  ASSERT_EQ(expected.size(), cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    EXPECT_EQ(expected[i].first, cells[i].text) << i;
    EXPECT_EQ(expected[i].second, cells[i].lineEnd) << i;
  }
  // A cell takes at most 256 bytes; the byte that stops it is stepped over.
  const std::string longCell = std::string(300, '7') + "\r\n";
  std::size_t length = 0;
  int lineEnd = 0;
  EXPECT_EQ(257u, NextSheetCell(longCell.data(), longCell.size(), 0, length, lineEnd));
  EXPECT_EQ(256u, length);
  EXPECT_EQ(0, lineEnd);
  EXPECT_EQ(kSheetLength, ImportSheetText(longCell + "1\r\n2\r\n").outcome);
}

TEST(SheetText, TextLengthEndsAtNulOrFF) {
  EXPECT_EQ(3u, SheetTextLength("abc", 3));
  EXPECT_EQ(1u, SheetTextLength("a\0c", 3));
  EXPECT_EQ(2u, SheetTextLength("ab\xff" "c", 4));
  EXPECT_EQ(0u, SheetTextLength("", 0));
}

TEST(SheetText, DecimalNumberTexts) {
  for (const char* good : {"1", "-1", "+.5", "5.", " \n7", "1e5", "1E-05", "0.0"})
    EXPECT_EQ(1, IsDecimalNumberText(good)) << good;
  for (const char* bad : {"", " ", ".", "-", "e5", "1e", "1e+", "inf", "NaN", "0x1", "1 ",
                          "1.2.3", "--1", "1,5", "1d5"})
    EXPECT_EQ(0, IsDecimalNumberText(bad)) << bad;
}

TEST(SheetText, MessagesInBothLanguages) {
  struct Case {
    SheetMessage message;
    const char* text;
    const char* caption;
    unsigned icon;
  };
  const Case cases[] = {
      {kSheetNoText,
       "No text data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).",
       "Error", 0x10},
      {kSheetNotFromSpreadsheet, "Incorrect Clipboard data.\nNot copied data from Excel.",
       "Error", 0x10},
      {kSheetNoProperData,
       "No proper data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).",
       "Error", 0x10},
      {kSheetExponent, "E-100 <= exponent of the numerical value <= E100", "Error", 0x10},
      {kSheetLength, "More than 44 characters forming the numerical value.", "Error", 0x10},
      {kSheetInputLimit, "More than 30000 data so that data input is terminated.",
       "Information", 0x40},
      {kSheetTooFew, "Too few data! (Data < 3)", "Error", 0x10},
      {kSheetSameValue, "All data have a same value!", "Error", 0x10},
  };
  for (const Case& c : cases) {
    const MessageBoxText box = GetSheetMessage(c.message, 0);
    EXPECT_STREQ(c.text, box.text);
    EXPECT_STREQ(c.caption, box.caption);
    EXPECT_EQ(c.icon, box.icon);
    const MessageBoxText japanese = GetSheetMessage(c.message, 1);
    EXPECT_NE('\0', japanese.text[0]);
    EXPECT_EQ(c.icon, japanese.icon);
  }
  // "お知らせ" and "データ数が３未満で少な過ぎます!" as code page 932 bytes.
  EXPECT_STREQ("\x82\xa8\x92\x6d\x82\xe7\x82\xb9", GetSheetMessage(kSheetInputLimit, 1).caption);
  EXPECT_STREQ("\x83\x66\x81\x5b\x83\x5e\x90\x94\x82\xaa\x82\x52\x96\xa2\x96\x9e\x82\xc5\x8f"
               "\xad\x82\xc8\x89\xdf\x82\xac\x82\xdc\x82\xb7!",
               GetSheetMessage(kSheetTooFew, 1).text);
  EXPECT_STREQ("", GetSheetMessage(kSheetOk, 1).text);
}

}  // namespace
