// The data text file of korvan95: grammar, limits, refusals, warnings and the writer.
#include "korvan95/data_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct ReadCase {
  const char* name;
  std::string content;
  DataFileMessage outcome;
  std::vector<double> values;
};

std::string Many(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += std::to_string(i) + "\r\n";
  return text;
}

TEST(DataFile, ReadsTheGrammarAndRefusesEverythingElse) {
  const std::vector<ReadCase> cases = {
      {"empty file", "", kDataFileFormatError, {}},
      {"comments and spaces only", "; first\r\n   ;second\r\n  ", kDataFileOk, {}},
      {"spaces only", "   ", kDataFileOk, {}},
      {"two values", "12.5\r\n-3\r\n", kDataFileOk, {12.5, -3}},
      {"last line end missing", "12.5\r\n-3", kDataFileNotTerminated, {}},
      {"leading spaces", "   7\r\n  8\r\n", kDataFileOk, {7, 8}},
      {"trailing space", "7 \r\n", kDataFileFormatError, {}},
      {"empty line", "1\r\n\r\n2\r\n", kDataFileFormatError, {}},
      {"spaces then line end", "   \r\n", kDataFileFormatError, {}},
      {"LF line ends", "1\n2\n", kDataFileFormatError, {}},
      {"two points", "1.2.3\r\n", kDataFileFormatError, {}},
      {"minus inside", "1-2\r\n", kDataFileFormatError, {}},
      {"plus sign", "+1\r\n", kDataFileFormatError, {}},
      {"tab after", "1\t\r\n", kDataFileFormatError, {}},
      {"tab before", "\t1\r\n", kDataFileFormatError, {}},
      {"letter", "abc\r\n", kDataFileFormatError, {}},
      {"minus point alone", "-.\r\n", kDataFileFormatError, {}},
      {"minus point five", "-.5\r\n", kDataFileOk, {-0.5}},
      {"minus alone", "-\r\n", kDataFileOk, {0}},
      {"point alone", ".\r\n", kDataFileOk, {0}},
      {"trailing point", "5.\r\n", kDataFileOk, {5}},
      {"any byte after CR is skipped", "1\rX2\r\n", kDataFileOk, {1, 2}},
      {"CR as last byte", "1\r\n2\r", kDataFileOk, {1, 2}},
      {"comment after values", "1\r\n;end\r\n", kDataFileOk, {1}},
      {"semicolon after digits", "1;x\r\n2\r\n", kDataFileFormatError, {}},
      {"comment without line end", "1\r\n; last", kDataFileNotTerminated, {}},
      {"text after last line end", "1\r\nx", kDataFileFormatError, {}},
      // The exponent part.
      {"exponent", "1e5\r\n", kDataFileOk, {1e5}},
      {"exponent upper case plus", "2.5E+3\r\n", kDataFileOk, {2500}},
      {"negative exponent", "1e-05\r\n", kDataFileOk, {1e-05}},
      {"negative number exponent", "-1.5e-2\r\n", kDataFileOk, {-0.015}},
      {"point then exponent", "5.e2\r\n", kDataFileOk, {500}},
      {"exponent without digits", "1e\r\n", kDataFileFormatError, {}},
      {"exponent sign without digits", "1e+\r\n", kDataFileFormatError, {}},
      {"exponent without number", "e5\r\n", kDataFileFormatError, {}},
      {"exponent after minus", "-e5\r\n", kDataFileFormatError, {}},
      {"exponent after point", ".e5\r\n", kDataFileFormatError, {}},
      {"point in exponent", "1e5.\r\n", kDataFileFormatError, {}},
      {"second exponent", "1e5e1\r\n", kDataFileFormatError, {}},
      {"two exponent signs", "1e--5\r\n", kDataFileFormatError, {}},
      {"sign after exponent digits", "1e5-\r\n", kDataFileFormatError, {}},
      {"space in exponent", "1e 5\r\n", kDataFileFormatError, {}},
      {"space after exponent", "1e5 \r\n", kDataFileFormatError, {}},
      {"exponent beyond double", "1e400\r\n", kDataFileFormatError, {}},
      {"exponent underflow", "1e-400\r\n", kDataFileOk, {0}},
      {"exponent at end of file", "1e5", kDataFileNotTerminated, {}},
      // The number of values.
      {"1000 values", Many(1000), kDataFileOk, {}},
      {"1001 values", Many(1001), kDataFileTooMany, {}},
      {"1001st value then garbage", Many(1001) + "x", kDataFileTooMany, {}},
      {"1000 values then garbage", Many(1000) + "x", kDataFileFormatError, {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DataReadResult result = ReadDataText(c.content);
    EXPECT_EQ(c.outcome, result.outcome);
    if (c.outcome != kDataFileOk) {
      EXPECT_TRUE(result.values.empty());
      EXPECT_TRUE(result.valueTexts.empty());
    } else if (!c.values.empty()) {
      EXPECT_EQ(c.values, result.values);
    }
    EXPECT_EQ(result.values.size(), result.valueTexts.size());
  }
}

TEST(DataFile, ThousandValuesAreReadInOrder) {
  const DataReadResult result = ReadDataText(Many(1000));
  ASSERT_EQ(1000u, result.values.size());
  EXPECT_EQ(1.0, result.values.front());
  EXPECT_EQ(1000.0, result.values.back());
}

TEST(DataFile, DropsCharactersBeyondTheEleventhWithOneWarningEach) {
  const DataReadResult result = ReadDataText("  123456789012345\r\n1.5\r\n");
  EXPECT_EQ(kDataFileOk, result.outcome);
  ASSERT_EQ(2u, result.values.size());
  EXPECT_EQ(12345678901.0, result.values[0]);
  EXPECT_EQ((std::vector<std::size_t>{13, 14, 15, 16}), result.droppedOffsets);
  EXPECT_EQ(2u, result.valueTexts[0].offset);
  EXPECT_EQ(15u, result.valueTexts[0].length);

  // Dropped characters are still checked: a second point is refused.
  EXPECT_EQ(kDataFileFormatError, ReadDataText("1.2345678901.\r\n").outcome);
  // The exponent part does not count toward the eleven characters.
  const DataReadResult exponent = ReadDataText("1.2345678901e-05\r\n");
  EXPECT_EQ(kDataFileOk, exponent.outcome);
  EXPECT_EQ(std::vector<std::size_t>{11}, exponent.droppedOffsets);
  EXPECT_EQ(1.23456789e-05, exponent.values[0]);
  // The warnings given before a refusal stay reported.
  const DataReadResult refused = ReadDataText("123456789012\r\nx");
  EXPECT_EQ(kDataFileFormatError, refused.outcome);
  EXPECT_EQ(1u, refused.droppedOffsets.size());
}

TEST(DataFile, WritesElevenSignificantDigits) {
  const std::vector<double> values = {0.00001, 2.50, 100, -0.5, 1e20, 12345678901.0,
                                      3.14159265358979, 0};
  EXPECT_EQ("1e-05\r\n2.5\r\n100\r\n-0.5\r\n1e+20\r\n12345678901\r\n3.1415926536\r\n0\r\n",
            WriteDataText(values));
  EXPECT_EQ("", WriteDataText(std::vector<double>{}));
}

TEST(DataFile, ReadsBackWhatItWrites) {
  const std::vector<double> values = {1e-05,  1e+20, -0.5,  12345678901.0, 0.1, 1e-300,
                                      -2.5e-7, 1e100, 42,    -7.25,         0,   123.456};
  const std::string text = WriteDataText(values);
  const DataReadResult result = ReadDataText(text);
  ASSERT_EQ(kDataFileOk, result.outcome);
  EXPECT_TRUE(result.droppedOffsets.empty());
  ASSERT_EQ(values.size(), result.values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::string line = text.substr(result.valueTexts[i].offset, result.valueTexts[i].length);
    EXPECT_EQ(std::strtod(line.c_str(), nullptr), result.values[i]) << line;
    EXPECT_DOUBLE_EQ(values[i], result.values[i]) << line;
  }
  // A full grid saved is read back whole.
  std::vector<double> full(kMaxDataValues);
  for (int i = 0; i < kMaxDataValues; ++i) full[i] = (i - 500) * 0.25;
  const DataReadResult fullResult = ReadDataText(WriteDataText(full));
  ASSERT_EQ(kDataFileOk, fullResult.outcome);
  EXPECT_EQ(full, fullResult.values);
}

TEST(DataFile, MessagesInBothLanguages) {
  const MessageBoxText format = GetDataFileMessage(kDataFileFormatError, 0);
  EXPECT_STREQ("File does not have a proper format.", format.text);
  EXPECT_STREQ("Error", format.caption);
  EXPECT_EQ(0x10u, format.icon);
  EXPECT_STREQ("Number of data <= 1000", GetDataFileMessage(kDataFileTooMany, 0).text);
  EXPECT_STREQ("File is not terminated by Enter-key.",
               GetDataFileMessage(kDataFileNotTerminated, 0).text);
  EXPECT_STREQ("Over 11 digit(s) are ignored\nso that the file may not correctly be read.",
               GetDataFileMessage(kDataFileOverDigits, 0).text);
  EXPECT_STREQ("Warning", GetDataFileMessage(kDataFileOverDigits, 0).caption);
  EXPECT_STREQ("Too few data! (Data < 3)", GetDataFileMessage(kDataFileTooFew, 0).text);
  EXPECT_STREQ("All data have a same value!", GetDataFileMessage(kDataFileSameValue, 0).text);
  // Japanese texts are code page 932 bytes: "エラー" and "最大データ数は1000です.".
  EXPECT_STREQ("\x83\x47\x83\x89\x81\x5b", GetDataFileMessage(kDataFileFormatError, 1).caption);
  EXPECT_STREQ("\x8d\xc5\x91\xe5\x83\x66\x81\x5b\x83\x5e\x90\x94\x82\xcd" "1000"
               "\x82\xc5\x82\xb7.",
               GetDataFileMessage(kDataFileTooMany, 1).text);
  for (int m = kDataFileOk + 1; m < kDataFileMessageCount; ++m) {
    for (int japanese = 0; japanese < 2; ++japanese) {
      const MessageBoxText box = GetDataFileMessage(static_cast<DataFileMessage>(m), japanese);
      EXPECT_NE('\0', box.text[0]) << m;
      EXPECT_NE('\0', box.caption[0]) << m;
      EXPECT_NE(0u, box.icon) << m;
    }
  }
  EXPECT_STREQ("", GetDataFileMessage(kDataFileOk, 0).text);
}

TEST(DataFile, TxtExtensionRule) {
  EXPECT_EQ(1, HasTxtExtension("C:\\data\\a.Txt"));
  EXPECT_EQ(1, HasTxtExtension("a.TXT"));
  EXPECT_EQ(0, HasTxtExtension("a.text"));
  EXPECT_EQ(0, HasTxtExtension("atxt"));
  EXPECT_EQ(0, HasTxtExtension("txt"));
}

}  // namespace
