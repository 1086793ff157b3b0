// The data text file of korvan95: grammar, limits, refusals, warnings and the writer.
#include "korvan95/data_file.h"

#include <gtest/gtest.h>

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

// Each content with its outcome, its values and the offsets of the digits dropped with a warning:
// only significant digits count, not the sign, the point, leading zeros or the exponent, and the
// warnings given before a refusal stay reported.
TEST(DataFile, ReadsTheGrammarKeepsElevenDigitsAndRefusesEverythingElse) {
  const auto OK = kDataFileOk, BAD = kDataFileFormatError, OPEN = kDataFileNotTerminated, MANY = kDataFileTooMany;
  const struct { std::string content; DataFileMessage outcome; std::vector<double> values = {};
                 std::vector<std::size_t> dropped = {}; } cases[] = {
      {"; first\r\n   ;second\r\n  ", OK}, {"   ", OK}, {"12.5\r\n-3\r\n", OK, {12.5, -3}}, {"-.5\r\n", OK, {-0.5}},
      {"   7\r\n  8\r\n", OK, {7, 8}}, {"-\r\n", OK, {0}}, {".\r\n", OK, {0}}, {"5.\r\n", OK, {5}},
      {"1\r\n;end\r\n", OK, {1}}, {"1\rX2\r\n", OK, {1, 2}}, {"1\r\n2\r", OK, {1, 2}},  // any byte after CR is skipped
      {"1e5\r\n", OK, {1e5}}, {"2.5E+3\r\n", OK, {2500}}, {"1e-05\r\n", OK, {1e-05}}, {"-1.5e-2\r\n", OK, {-0.015}},
      {"5.e2\r\n", OK, {500}}, {"1e-400\r\n", OK, {0}}, {"1e-99999999999\r\n", OK, {0}},
      {"1e-5\r\n2e5\r\n", OK, {1e-5, 2e5}},  // each line's exponent sign is its own
      {"  123456789012345\r\n1.5\r\n", OK, {12345678901.0, 1.5}, {13, 14, 15, 16}},
      {"-0.123456789\r\n", OK, {-0.123456789}}, {"-0.00012345678901\r\n", OK, {-0.00012345678901}},
      {"0001234567890.1\r\n", OK, {1234567890.1}}, {"1.2345678901e-05\r\n", OK, {1.2345678901e-05}},
      {"-0.000123456789012\r\n", OK, {-0.00012345678901}, {17}}, {"1.23456789012e5\r\n", OK, {123456.789010}, {12}},
      {"123456789012\r\nx", BAD, {}, {11}}, {"1.2345678901.\r\n", BAD},  // dropped characters are still checked
      {"", BAD}, {"7 \r\n", BAD}, {"1\r\n\r\n2\r\n", BAD}, {"   \r\n", BAD}, {"1\n2\n", BAD}, {"1.2.3\r\n", BAD},
      {"1-2\r\n", BAD}, {"+1\r\n", BAD}, {"1\t\r\n", BAD}, {"\t1\r\n", BAD}, {"abc\r\n", BAD}, {"-.\r\n", BAD},
      {"1;x\r\n2\r\n", BAD}, {"1\r\nx", BAD}, {"1e\r\n", BAD}, {"1e+\r\n", BAD}, {"e5\r\n", BAD}, {"-e5\r\n", BAD},
      {".e5\r\n", BAD}, {"1e5.\r\n", BAD}, {"1e5e1\r\n", BAD}, {"1e--5\r\n", BAD}, {"1e5-\r\n", BAD}, {"1e 5\r\n", BAD},
      {"1e5 \r\n", BAD}, {"1e400\r\n", BAD}, {"1e99999999999\r\n", BAD}, {"1e4294967297\r\n", BAD},
      {Many(1000) + "x", BAD}, {Many(1001), MANY}, {Many(1001) + "x", MANY},
      {"12.5\r\n-3", OPEN}, {"1\r\n; last", OPEN}, {"1e5", OPEN}};
  for (const auto& c : cases) {
    const DataReadResult read = ReadDataText(c.content);
    EXPECT_EQ(std::tuple(c.outcome, c.values, c.values.size(), c.dropped),
              std::tuple(read.outcome, read.values, read.valueTexts.size(), read.droppedOffsets))
        << c.content.substr(0, 20);
  }
  const DataTextSpan span = ReadDataText("  123456789012345\r\n").valueTexts[0];
  EXPECT_EQ(std::tuple(2u, 15u), std::tuple(span.offset, span.length));
}

TEST(DataFile, EveryDataSetTheGridHoldsIsSavedAndReadBackWhole) {
  EXPECT_EQ("1e-05\r\n2.5\r\n100\r\n-0.5\r\n1e+20\r\n12345678901\r\n3.1415926536\r\n0\r\n",
            WriteDataText(std::vector<double>{0.00001, 2.50, 100, -0.5, 1e20, 12345678901.0, 3.14159265358979, 0}));
  EXPECT_EQ("", WriteDataText(std::vector<double>{}));
  // Values the grid holds: typed numbers (as strtod reads them) and values read from files, of
  // up to 11 significant digits.
  std::mt19937 random(20261207);
  auto pick = [&](const char* from) { return from[random() % std::strlen(from)]; };
  std::vector<double> values = {-0.0, 1.7976931348e308, -1.7976931348e308, 4.9406564584e-324};
  for (int n = 0; n < 6600; ++n) {
    std::string number = random() % 2 ? "-" : "";
    for (int d = 1 + static_cast<int>(random() % kMaxNumberChars); d > 0; --d) number += pick("0123456789");
    const bool typed = n % 2;  // typed: up to 10 places after the point; read: any exponent in the range
    number += 'e' + std::to_string(typed ? -static_cast<int>(random() % 11) : static_cast<int>(random() % 638) - 340);
    const DataReadResult read = ReadDataText(number + "\r\n");
    ASSERT_EQ(kDataFileOk, read.outcome) << number;
    values.push_back(typed ? std::strtod(number.c_str(), nullptr) : read.values[0]);
  }
  for (std::size_t at = 0; at < values.size(); at += kMaxDataValues) {
    const std::vector<double> set(values.begin() + at, values.begin() + std::min(values.size(), at + kMaxDataValues));
    // Equal values and the same text again (the text tells -0 from 0).
    const std::string text = WriteDataText(set);
    const DataReadResult read = ReadDataText(text);
    EXPECT_EQ(std::tuple(kDataFileOk, 0u, set, text),
              std::tuple(read.outcome, read.droppedOffsets.size(), read.values, WriteDataText(read.values)))
        << at;
  }
}

}  // namespace
