// The data text file of korvan95: grammar, limits, refusals, warnings and the writer.
#include "korvan95/data_file.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string Many(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += std::to_string(i) + "\r\n";
  return text;
}

TEST(DataFile, ReadsTheGrammarAndRefusesEverythingElse) {
  const struct { std::string content; std::vector<double> values; } cases[] = {
      {"; first\r\n   ;second\r\n  ", {}}, {"   ", {}}, {"12.5\r\n-3\r\n", {12.5, -3}}, {"   7\r\n  8\r\n", {7, 8}},
      {"-.5\r\n", {-0.5}}, {"-\r\n", {0}}, {".\r\n", {0}}, {"5.\r\n", {5}},
      {"1\rX2\r\n", {1, 2}}, {"1\r\n2\r", {1, 2}},  // any byte after CR is skipped
      {"1\r\n;end\r\n", {1}}, {"1e5\r\n", {1e5}}, {"2.5E+3\r\n", {2500}}, {"1e-05\r\n", {1e-05}},
      {"-1.5e-2\r\n", {-0.015}}, {"5.e2\r\n", {500}}, {"1e-400\r\n", {0}}, {"1e-99999999999\r\n", {0}},
      {"1e-5\r\n2e5\r\n", {1e-5, 2e5}}};  // each line's exponent sign is its own
  for (const auto& c : cases) {
    const DataReadResult result = ReadDataText(c.content);
    EXPECT_EQ(std::tuple(kDataFileOk, c.values, c.values.size()),
              std::tuple(result.outcome, result.values, result.valueTexts.size()))
        << c.content;
  }
  const struct { DataFileMessage outcome; std::vector<std::string> contents; } refusals[] = {
      {kDataFileFormatError,
       {"", "7 \r\n", "1\r\n\r\n2\r\n", "   \r\n", "1\n2\n", "1.2.3\r\n", "1-2\r\n", "+1\r\n", "1\t\r\n", "\t1\r\n",
        "abc\r\n", "-.\r\n", "1;x\r\n2\r\n", "1\r\nx", "1e\r\n", "1e+\r\n", "e5\r\n", "-e5\r\n", ".e5\r\n",
        "1e5.\r\n", "1e5e1\r\n", "1e--5\r\n", "1e5-\r\n", "1e 5\r\n", "1e5 \r\n", "1e400\r\n", "1e99999999999\r\n",
        "1e4294967297\r\n", Many(1000) + "x",
        "1.2345678901.\r\n"}},  // characters past the eleventh digit are still checked
      {kDataFileNotTerminated, {"12.5\r\n-3", "1\r\n; last", "1e5"}},
      {kDataFileTooMany, {Many(1001), Many(1001) + "x"}}};
  for (const auto& c : refusals) {
    for (const std::string& content : c.contents) {
      const DataReadResult result = ReadDataText(content);
      EXPECT_EQ(std::tuple(c.outcome, 0u, 0u), std::tuple(result.outcome, result.values.size(), result.valueTexts.size()))
          << content.substr(0, 20);
    }
  }
}

// Only significant digits count, not the sign, the point, leading zeros or the exponent; each
// one past the eleventh is dropped with a warning at its offset, kept when the file is refused.
TEST(DataFile, DropsDigitsBeyondTheEleventhWithOneWarningEach) {
  const struct { const char* content; std::vector<std::size_t> dropped; std::vector<double> values; } cases[] = {
      {"  123456789012345\r\n1.5\r\n", {13, 14, 15, 16}, {12345678901.0, 1.5}},
      {"-0.123456789\r\n", {}, {-0.123456789}}, {"-0.00012345678901\r\n", {}, {-0.00012345678901}},
      {"0001234567890.1\r\n", {}, {1234567890.1}}, {"1.2345678901e-05\r\n", {}, {1.2345678901e-05}},
      {"-0.000123456789012\r\n", {17}, {-0.00012345678901}}, {"1.23456789012e5\r\n", {12}, {123456.789010}},
      {"123456789012\r\nx", {11}, {}}};
  for (const auto& c : cases) {
    const DataReadResult read = ReadDataText(c.content);
    EXPECT_EQ(std::tuple(c.dropped, c.values), std::tuple(read.droppedOffsets, read.values)) << c.content;
  }
  const DataTextSpan span = ReadDataText("  123456789012345\r\n").valueTexts[0];
  EXPECT_EQ(std::tuple(2u, 15u), std::tuple(span.offset, span.length));
}

TEST(DataFile, EveryDataSetTheGridHoldsIsSavedAndReadBackWhole) {
  EXPECT_EQ("1e-05\r\n2.5\r\n100\r\n-0.5\r\n1e+20\r\n12345678901\r\n3.1415926536\r\n0\r\n",
            WriteDataText(std::vector<double>{0.00001, 2.50, 100, -0.5, 1e20, 12345678901.0, 3.14159265358979, 0}));
  EXPECT_EQ("", WriteDataText(std::vector<double>{}));
  // Values the grid holds: typed texts of 1 to 11 characters (digits, one point, a leading
  // minus), and values read from files (up to 11 significant digits and any exponent).
  std::mt19937 random(20261207);
  auto pick = [&](const char* from) { return from[random() % std::strlen(from)]; };
  std::vector<double> values = {-0.0, 1.7976931348e308, -1.7976931348e308, 4.9406564584e-324};
  for (int length = 1; length <= kMaxNumberChars; ++length) {
    for (int n = 0; n < 300; ++n) {
      std::string typed(1, pick("-.0123456789"));
      while (static_cast<int>(typed.size()) < length) {
        const char c = pick(".0123456789000");
        if (c != '.' || typed.find('.') == std::string::npos) typed += c;
      }
      values.push_back(std::strtod(typed.c_str(), nullptr));
      std::string file = random() % 2 ? "-" : "";
      for (int digits = 1 + static_cast<int>(random() % kMaxNumberChars); digits > 0; --digits) file += pick("0123456789");
      file += 'e' + std::to_string(static_cast<int>(random() % 638) - 340) + "\r\n";  // never beyond the range
      const DataReadResult read = ReadDataText(file);
      ASSERT_EQ(kDataFileOk, read.outcome) << file;
      values.push_back(read.values[0]);
    }
  }
  for (std::size_t at = 0; at < values.size(); at += kMaxDataValues) {
    const std::vector<double> set(values.begin() + at, values.begin() + std::min(values.size(), at + kMaxDataValues));
    const std::string text = WriteDataText(set);
    const DataReadResult read = ReadDataText(text);
    ASSERT_EQ(std::tuple(kDataFileOk, 0u, set.size()), std::tuple(read.outcome, read.droppedOffsets.size(), read.values.size()));
    for (std::size_t i = 0; i < set.size(); ++i)
      EXPECT_EQ(Bits(set[i]), Bits(read.values[i])) << text.substr(read.valueTexts[i].offset, read.valueTexts[i].length);
    EXPECT_EQ(text, WriteDataText(read.values));
  }
}

// The Windows tests show most of these in their message boxes; All data have a same value is
// only reached here.
TEST(DataFile, Messages) {
  const struct { DataFileMessage message; const char* text; } cases[] = {
      {kDataFileFormatError, "File does not have a proper format."}, {kDataFileTooMany, "Number of data <= 1000"},
      {kDataFileNotTerminated, "File is not terminated by Enter-key."}, {kDataFileTooFew, "Too few data! (Data < 3)"},
      {kDataFileSameValue, "All data have a same value!"}};
  for (const auto& c : cases) EXPECT_STREQ(c.text, GetDataFileMessage(c.message, 0).text);
}

}  // namespace
