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

TEST(DataFile, ReadsTheGrammar) {
  const struct { std::string content; std::vector<double> values; } cases[] = {
      {"; first\r\n   ;second\r\n  ", {}}, {"   ", {}}, {"12.5\r\n-3\r\n", {12.5, -3}}, {"   7\r\n  8\r\n", {7, 8}},
      {"-.5\r\n", {-0.5}}, {"-\r\n", {0}}, {".\r\n", {0}}, {"5.\r\n", {5}},
      {"1\rX2\r\n", {1, 2}}, {"1\r\n2\r", {1, 2}},  // any byte after CR is skipped
      {"1\r\n;end\r\n", {1}}, {"1e5\r\n", {1e5}}, {"2.5E+3\r\n", {2500}}, {"1e-05\r\n", {1e-05}},
      {"-1.5e-2\r\n", {-0.015}}, {"5.e2\r\n", {500}}, {"1e-400\r\n", {0}}, {"1e-99999999999\r\n", {0}},
      {"1e-5\r\n2e5\r\n", {1e-5, 2e5}}};  // each line's exponent sign is its own
  for (const auto& c : cases) {
    const DataReadResult result = ReadDataText(c.content);
    EXPECT_EQ(kDataFileOk, result.outcome) << c.content;
    EXPECT_EQ(c.values, result.values) << c.content;
    EXPECT_EQ(result.values.size(), result.valueTexts.size());
  }
  EXPECT_EQ(999u, ReadDataText(Many(999)).values.size());  // 1000: the full grid below
}

TEST(DataFile, RefusesEverythingElse) {
  const struct { DataFileMessage outcome; std::vector<std::string> contents; } cases[] = {
      {kDataFileFormatError,
       {"", "7 \r\n", "1\r\n\r\n2\r\n", "   \r\n", "1\n2\n", "1.2.3\r\n", "1-2\r\n", "+1\r\n", "1\t\r\n", "\t1\r\n",
        "abc\r\n", "-.\r\n", "1;x\r\n2\r\n", "1\r\nx", "1e\r\n", "1e+\r\n", "e5\r\n", "-e5\r\n", ".e5\r\n",
        "1e5.\r\n", "1e5e1\r\n", "1e--5\r\n", "1e5-\r\n", "1e 5\r\n", "1e5 \r\n", "1e400\r\n",
        "1e99999999999\r\n", "1e4294967297\r\n", Many(1000) + "x"}},
      {kDataFileNotTerminated, {"12.5\r\n-3", "1\r\n; last", "1e5"}},
      {kDataFileTooMany, {Many(1001), Many(1001) + "x"}}};
  for (const auto& c : cases) {
    for (const std::string& content : c.contents) {
      const DataReadResult result = ReadDataText(content);
      EXPECT_EQ(c.outcome, result.outcome) << content.substr(0, 20);
      EXPECT_TRUE(result.values.empty() && result.valueTexts.empty()) << content.substr(0, 20);
    }
  }
}

TEST(DataFile, DropsDigitsBeyondTheEleventhWithOneWarningEach) {
  const DataReadResult result = ReadDataText("  123456789012345\r\n1.5\r\n");
  EXPECT_EQ((std::vector<double>{12345678901.0, 1.5}), result.values);
  EXPECT_EQ((std::vector<std::size_t>{13, 14, 15, 16}), result.droppedOffsets);
  EXPECT_EQ(std::tuple(2u, 15u), std::tuple(result.valueTexts[0].offset, result.valueTexts[0].length));
  // Dropped characters are still checked: a second point is refused.
  EXPECT_EQ(kDataFileFormatError, ReadDataText("1.2345678901.\r\n").outcome);
  // Only significant digits count: not the sign, the point, leading zeros or the exponent.
  const struct { const char* content; std::vector<std::size_t> dropped; double value; } counted[] = {
      {"-0.123456789\r\n", {}, -0.123456789}, {"-0.00012345678901\r\n", {}, -0.00012345678901},
      {"0001234567890.1\r\n", {}, 1234567890.1}, {"1.2345678901e-05\r\n", {}, 1.2345678901e-05},
      {"-0.000123456789012\r\n", {17}, -0.00012345678901}, {"1.23456789012e5\r\n", {12}, 123456.789010}};
  for (const auto& c : counted) {
    const DataReadResult read = ReadDataText(c.content);
    EXPECT_EQ(c.dropped, read.droppedOffsets) << c.content;
    EXPECT_EQ(std::vector<double>{c.value}, read.values) << c.content;
  }
  // The warnings given before a refusal stay reported.
  const DataReadResult refused = ReadDataText("123456789012\r\nx");
  EXPECT_EQ(std::tuple(kDataFileFormatError, std::size_t{1}), std::tuple(refused.outcome, refused.droppedOffsets.size()));
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
      if (typed != "-" && typed != "." && typed != "-.") values.push_back(std::strtod(typed.c_str(), nullptr));
      std::string file = random() % 2 ? "-" : "";
      for (int digits = 1 + static_cast<int>(random() % kMaxNumberChars); digits > 0; --digits) file += pick("0123456789");
      file += 'e';
      file += std::to_string(static_cast<int>(random() % 638) - 340);  // never beyond the range
      const DataReadResult read = ReadDataText(file + "\r\n");
      ASSERT_EQ(kDataFileOk, read.outcome) << file;
      values.push_back(read.values[0]);
    }
  }
  for (std::size_t at = 0; at < values.size(); at += kMaxDataValues) {
    const std::vector<double> set(values.begin() + at, values.begin() + std::min(values.size(), at + kMaxDataValues));
    const std::string text = WriteDataText(set);
    const DataReadResult read = ReadDataText(text);
    ASSERT_EQ(kDataFileOk, read.outcome);
    EXPECT_TRUE(read.droppedOffsets.empty());
    ASSERT_EQ(set.size(), read.values.size());
    for (std::size_t i = 0; i < set.size(); ++i)
      EXPECT_EQ(Bits(set[i]), Bits(read.values[i])) << text.substr(read.valueTexts[i].offset, read.valueTexts[i].length);
    EXPECT_EQ(text, WriteDataText(read.values));
  }
}

TEST(DataFile, Messages) {
  const struct { DataFileMessage message; const char* text; const char* caption; } cases[] = {
      {kDataFileFormatError, "File does not have a proper format.", "Error"},
      {kDataFileTooMany, "Number of data <= 1000", "Error"},
      {kDataFileNotTerminated, "File is not terminated by Enter-key.", "Error"},
      {kDataFileOverDigits, "Over 11 digit(s) are ignored\nso that the file may not correctly be read.", "Warning"}};
  for (const auto& c : cases) {
    const MessageBoxText box = GetDataFileMessage(c.message, 0);
    EXPECT_EQ(std::tuple(std::string(c.text), std::string(c.caption)), std::tuple(std::string(box.text), std::string(box.caption)));
  }
  EXPECT_STREQ("Too few data! (Data < 3)", GetDataFileMessage(kDataFileTooFew, 0).text);
  EXPECT_STREQ("All data have a same value!", GetDataFileMessage(kDataFileSameValue, 0).text);
  EXPECT_EQ(0x10u, GetDataFileMessage(kDataFileFormatError, 0).icon);
  // "最大データ数は1000です." in code page 932.
  EXPECT_STREQ("\x8d\xc5\x91\xe5\x83\x66\x81\x5b\x83\x5e\x90\x94\x82\xcd" "1000" "\x82\xc5\x82\xb7.",
               GetDataFileMessage(kDataFileTooMany, 1).text);
  for (int m = kDataFileOk + 1; m < kDataFileMessageCount; ++m) {
    for (int japanese = 0; japanese < 2; ++japanese) {
      const MessageBoxText box = GetDataFileMessage(static_cast<DataFileMessage>(m), japanese);
      EXPECT_TRUE(box.text[0] != '\0' && box.caption[0] != '\0' && box.icon != 0) << m;
    }
  }
  EXPECT_STREQ("", GetDataFileMessage(kDataFileOk, 0).text);
}

}  // namespace
