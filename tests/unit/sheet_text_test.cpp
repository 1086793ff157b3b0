// The spreadsheet text of korvan00: cell walk, cell rules and the import loop.
#include "korvan00/sheet_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "tests/test_support.h"

namespace {

// One cell in a column with the two good values 2 and 3 below it.
std::string Cell(const std::string& cell) { return cell + "\r\n2\r\n3\r\n"; }

// Each text with its values, or each refused text with its outcome: no values are kept.
TEST(SheetText, ImportsCellsInRowOrderAndRefusesBadText) {
  const std::string fortyFour = "1." + std::string(42, '0');  // 44 characters
  const struct { std::string text; std::vector<double> values; } accepted[] = {
      {"1\t2\r\n3\t4\r\n", {1, 2, 3, 4}}, {"1\t\t2\r\n\r\n3\r\n", {1, 2, 3}}, {"1/4\r\n/4\r\n3/2\r\n", {0.25, 0, 1.5}},
      {" 5\r\n2\r\n3\r\n", {5, 2, 3}}, {"+5\r\n-2\r\n.5\r\n", {5, -2, 0.5}}, {Cell(" 3/ 4"), {0.75, 2, 3}},
      {"1.5E100\r\n2e-100\r\n1e+0100\r\n", {1.5e100, 2e-100, 1e100}}, {Cell(fortyFour), {1, 2, 3}},
      {Cell(fortyFour + "/" + fortyFour), {1, 2, 3}}, {std::string("1\r\n2\r\n3\r\n\0junk", 13), {1, 2, 3}},
      {"1\t\n2\t\n3\r\n", {1, 2, 3}},  // LF after TAB
      {"1\r2\r3\r\n", {1, 2, 3}},      // CR without LF ends a cell
      // A 0xFF (the letter y with diaeresis under code page 1252) ends the text only as its
      // last byte (before a NUL); anywhere else it refuses the whole text.
      {"1\r\n2\r\n3\r\n\xff", {1, 2, 3}}, {std::string("1\r\n2\r\n3\r\n\xff\0junk", 14), {1, 2, 3}}};
  for (const auto& c : accepted) {
    const SheetImportResult result = ImportSheetText(c.text);
    EXPECT_EQ(std::tuple(kSheetOk, c.values, 0), std::tuple(result.outcome, result.values, result.limitReached)) << c.text;
  }
  const auto cells = [](std::initializer_list<std::string> cells) {
    std::vector<std::string> texts;
    for (const std::string& cell : cells) texts.push_back(Cell(cell));
    return texts;
  };
  const struct { SheetMessage outcome; std::vector<std::string> texts; } refused[] = {
      {kSheetNotFromSpreadsheet,
       {"1\t2\r\n3\t4", "", "\n", "1\n2\n3\n", "1\r\n2\r\n3\r\n\xff" "4\r\n", "1\r\n2\r\n3\r\n\xff\r\n",
        "1\r\n2\r\n3\r\n\xff\xff", "1\r\n\xff\r\n2\r\n3\r\n", "Z\xff\r\n1\r\n2\r\n3\r\n", "1\r\n2\r\n3\xff\r\n",
        {"1\r\n2\r\n3\0\r\n", 10}}},
      // Length first, counting leading blanks.
      {kSheetLength, cells({fortyFour + "0", "1/" + fortyFour + "0", fortyFour + "e101", " " + fortyFour})},
      {kSheetExponent, cells({"1e101", "1E-101", "1/1e101", "1e101/2", "1e5e5", "1e99999999999999"})},
      {kSheetTooFew, {"1\r\n2\r\n", "\t\t\r\n\r\n", "1\r\n2\r\n\xff"}},
      // No proper data: slashes (before the length), bad fractions, blanks, separators, words;
      // infinity, NaN and hexadecimal; a colon in a cell read eight bytes at a time.
      {kSheetNoProperData, cells({"1/2/" + fortyFour + "0", "//", "1/0", "1/", "1/2/3", "5 ", "1,000", "5%", "Weight", "INF",
                                  "-INF", "inf", "+infinity", "NAN", "-nan", "0x10", "0x1p3", "1/0x2", "INF/2", "  ", ".",
                                  "1e", "1eX", "12x", "-", "1.2.3", "1:2\r\n4\r\n5\r\n6"})}};
  for (const auto& c : refused) {
    for (const std::string& text : c.texts) {
      const SheetImportResult result = ImportSheetText(text);
      EXPECT_EQ(std::tuple(c.outcome, std::size_t{0}, 0), std::tuple(result.outcome, result.values.size(), result.limitReached))
          << text;
    }
  }
}

// The common cells convert on a quick path and every other cell on the general one; both must
// give strtod's value bit for bit. The cells at the edges of the quick path (19 and 20 digits,
// 2^53 + 1, powers of ten up to 22), then random number texts of every shape the grammar allows:
// up to 44 characters, long mantissas that need correct rounding, values halfway between two
// doubles, written exponents at and beyond the limits, signs, a leading blank, and near them
// texts that are refused.
TEST(SheetText, EveryNumberCellHasStrtodsValue) {
  std::mt19937_64 random(1206);
  auto digits = [&random](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  std::vector<std::string> cells = {
      "50.123456", "-0", "+0.0e+0", "7", "-7.", "+.5", ".5e1", "1e100", "1e-100", "1E+100", "1e0100", "-1e-0100",
      "2.5e-022", "9007199254740992", "9007199254740993", "9007199254740993e-5", "1234567890123456789",
      "12345678901234567890", "18446744073709551617", "0.1234567890123456789", "000000000000000000001.5", "1e22", "1e23",
      "1e000000000000000000000000001", "3e-22", "3e-23", "123456789e15", "4.9406564584124654e-99", " 12", "0.1",
      "9007199254740993.000000000000000000000000001", "2.2250738585072011e-100", "1.7976931348623157e100",
      "00000000000000000000000000000000000000000001", "123456789012345678901234567890123456789.1234"};
  // Every other cell short (up to 8 digits before and after a point), as spreadsheets write them.
  const char* signs[] = {"", "-", "+", " ", " -"};
  for (int i = 0; i < 6000; ++i) {
    const bool common = i % 2 == 0;
    std::string cell = signs[random() % (common ? 2 : 5)] + digits(static_cast<int>(random() % (common ? 9 : 25)));
    if (random() % 4) cell.append(".").append(digits(static_cast<int>(common ? random() % 9 : 1 + random() % 20)));
    if (cell.find_first_of("0123456789") == std::string::npos) continue;
    if (!common && random() % 2)
      cell.append(random() % 2 ? "e" : "E").append(signs[random() % 3]).append(std::to_string(random() % 120));
    cells.push_back(cell);
  }
  const char* separators[] = {"\t", "\r\n", "\r", "\t\n"};
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::string& cell = cells[i];
    const SheetImportResult result = ImportSheetText(Cell(cell));
    if (cell.size() > 44) {
      EXPECT_EQ(kSheetLength, result.outcome) << cell;
      continue;
    }
    const char* e = std::strpbrk(cell.c_str(), "Ee");
    if (e != nullptr && std::fabs(std::atof(e + 1)) > 100) {
      EXPECT_EQ(kSheetExponent, result.outcome) << cell;
      continue;
    }
    ASSERT_EQ(kSheetOk, result.outcome) << cell;
    const std::uint64_t expected = Bits(std::strtod(cell.c_str(), nullptr));
    EXPECT_EQ(expected, Bits(result.values[0])) << cell;
    // Far from the end of the text a cell is read eight bytes at a time, up to any separator.
    const SheetImportResult early = ImportSheetText(cell + separators[i % 4] + "4\r\n5\t6\r\n7\r\n8\r\n9\r\n10\r\n");
    ASSERT_EQ(kSheetOk, early.outcome) << cell;
    EXPECT_EQ(expected, Bits(early.values[0])) << cell;
  }
}

TEST(SheetText, DecimalNumberText) {
  for (const char* good : {"1", "-1", "+.5", "5.", " \n7", "1e5", "1E-05", "0.0"})
    EXPECT_EQ(1, IsDecimalNumberText(good)) << good;
  for (const char* bad : {"", " ", ".", "-", "e5", "1e", "1e+", "inf", "NaN", "0x1", "1 ", "1.2.3", "--1", "1,5", "1d5"})
    EXPECT_EQ(0, IsDecimalNumberText(bad)) << bad;
}

TEST(SheetText, CellWalk) {
  // A cell takes at most 256 bytes; the byte that stops it is stepped over.
  const std::string text = "a\tbb\r\n\tc\rd\t\ne\r\n" + std::string(300, '7') + "\r\n";
  const std::vector<std::pair<std::string, int>> expected = {
      {"a", 0}, {"bb", 1}, {"", 0}, {"c", 0}, {"d", 1}, {"e", 1}, {std::string(256, '7'), 0}, {std::string(43, '7'), 1}};
  std::vector<std::pair<std::string, int>> cells;
  for (std::size_t position = 0, length = 0; position < text.size();) {
    int lineEnd = 0;
    const std::size_t next = NextSheetCell(text.data(), text.size(), position, length, lineEnd);
    cells.push_back({text.substr(position, length), lineEnd});
    position = next;
  }
  EXPECT_EQ(expected, cells);
}

}  // namespace
