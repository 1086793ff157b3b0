// The results export file of korvan00, byte for byte.
#include "korvan00/results_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "tests/unit/five_values.h"

namespace {

const std::string kFiveValuesColumn = "1\r\n2\r\n3\r\n4\r\n5\r\n";

const char kHistogramRows[] =
    "1.000000 - 1.666667\t1.000000\r\n1.666667 - 2.333333\t1.000000\r\n"
    "2.333333 - 3.000000\t0.500000\r\n3.000000 - 3.666667\t0.500000\r\n"
    "3.666667 - 4.333333\t1.000000\r\n4.333333 - 5.000000\t1.000000\r\n";

std::string Export(const AnalysisResults& r, int unbiased, int japanese) {
  return FormatResultsFile(kFiveValuesColumn.data(), kFiveValuesColumn.size(), r, unbiased,
                           japanese);
}

TEST(ResultsFile, FiveValuesInEnglish) {
  EXPECT_EQ(std::string("Inputted Data\r\n1\r\n2\r\n3\r\n4\r\n5\r\n\r\n"
                        "Number of Data\r\n5\r\n\r\n"
                        "Unbiased Estimate of Population Mean (m)\r\n3.000000\r\n\r\n"
                        "Unbiased Estimate of Population Standard Deviation (s)\r\n1.682088\r\n"
                        "\r\n  ** Under 90% Confidence Probability **\r\n"
                        "Confidence Interval of Population Mean\r\n"
                        "1.492561 < mu < 4.507439\r\n"
                        "Confidence Interval of Population Standard Deviation\r\n"
                        "1.026642 < sigma < 3.751032\r\n\r\n"
                        "Data for Histogram\r\nIntervals\tFrequencies\r\n") +
                kHistogramRows,
            Export(FiveValues(), 1, 0));
}

TEST(ResultsFile, SampleBasisConfidenceFormatAndJapanese) {
  AnalysisResults r = FiveValues();
  r.confidence = 99.5;
  const std::string text = Export(r, 0, 0);
  EXPECT_NE(std::string::npos, text.find("\r\n\r\nSample Mean (m)\r\n3.000000\r\n\r\n"));
  EXPECT_NE(std::string::npos,
            text.find("\r\n\r\nSample Standard Deviation (s)\r\n1.581139\r\n\r\n"));
  EXPECT_NE(std::string::npos, text.find("\r\n  ** Under 99.5% Confidence Probability **\r\n"));
  EXPECT_EQ(std::string::npos, text.find("Unbiased"));
  // Code page 932: "入力データ" first, then "区間" TAB "頻度" before the rows.
  const std::string japanese = Export(FiveValues(), 1, 1);
  EXPECT_EQ(0u, japanese.find("\x93\xfc\x97\xcd\x83\x66\x81\x5b\x83\x5e\r\n1\r\n"));
  EXPECT_NE(std::string::npos,
            japanese.find(std::string("\r\n\x8b\xe6\x8a\xd4\t\x95\x70\x93\x78\r\n") +
                          kHistogramRows));
  EXPECT_NE(std::string::npos, japanese.find("\r\n1.492561 < mu < 4.507439\r\n"));
}

TEST(ResultsFile, PastedCellsKeepTheirSeparators) {
  const char* cases[][2] = {
      {"1\t\r\n", "1\t\r\n"},       {"1\t\t3\r\n", "1\t\t3\r\n"},
      {"1\t2\r\n3\t4\r\n", "1\t2\r\n3\t4\r\n"}, {"\r\n\r\n7\r\n", "\r\n\r\n7\r\n"},
      {"1\r2\r\n", "1\t2\r\n"},     {"1\t\n2\r\n", "1\r\n2\r\n"}};  // CR alone; LF after TAB
  for (const auto& c : cases) {
    std::string out;
    AppendPastedCells(out, c[0], std::string(c[0]).size());
    EXPECT_EQ(c[1], out) << c[0];
  }
}

// The pasted-cells section against the walk written out here: a cell is the bytes up to the
// next TAB or CR, at most 256 of them; the byte that stopped it is passed, and a LF after it;
// the cell is written, then CR LF when that LF was there, else TAB. Random texts of cells up to
// 300 bytes (so some are cut) with every kind of separator, most of them as a spreadsheet
// writes them, and with and without a final CR LF.
TEST(ResultsFile, PastedCellsFollowTheCellWalkOnRandomText) {
  auto walk = [](const std::string& text) {
    std::string out;
    std::size_t p = 0;
    while (p < text.size()) {
      const std::size_t start = p;
      while (p < text.size() && text[p] != '\t' && text[p] != '\r' && p - start < 256) ++p;
      out += text.substr(start, p - start);
      ++p;
      const bool lineFeed = p < text.size() && text[p] == '\n';
      p += lineFeed;
      out += lineFeed ? "\r\n" : "\t";
    }
    return out;
  };
  std::mt19937 random(77);
  const char* separators[] = {"\t", "\r\n", "\t", "\r\n", "\r", "\t\n", "\n"};
  for (int round = 0; round < 400; ++round) {
    std::string text;
    const bool spreadsheet = round % 2 == 0;  // TAB and CR LF only, cells up to 256
    const int cells = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < cells; ++i) {
      const int length = static_cast<int>(random() % (random() % 8 == 0 ? 300 : 12));
      text += std::string(spreadsheet ? std::min(length, 256) : length, static_cast<char>('0' + i % 10));
      text += separators[random() % (spreadsheet ? 2 : 7)];
    }
    if (spreadsheet && text.back() != '\n') text += "\r\n";
    std::string out = "head";
    AppendPastedCells(out, text.data(), text.size());
    ASSERT_EQ("head" + walk(text), out) << "round " << round;
  }
  // Spreadsheet texts with one cell of 255 to 258 bytes at every offset within sixteen bytes,
  // between short cells: a cell of 257 bytes and more is cut, so the text is not written as
  // pasted.
  for (int offset = 0; offset < 16; ++offset) {
    for (int length = 255; length <= 258; ++length) {
      for (const char* before : {"\t", "\r\n"}) {
        std::string text = std::string(static_cast<std::size_t>(offset), '5') + before;
        text += std::string(static_cast<std::size_t>(length), '7') + "\t12\r\n";
        for (int row = 0; row < 4; ++row) text += "3.25\t-1\r\n";
        std::string out;
        AppendPastedCells(out, text.data(), text.size());
        ASSERT_EQ(walk(text), out) << "offset " << offset << " length " << length;
        EXPECT_EQ(length <= 256, out == text) << "offset " << offset << " length " << length;
      }
    }
  }
}

TEST(ResultsFile, HugeValuesAreWrittenWhole) {
  AnalysisResults r = FiveValues();
  r.mean = r.unbiasedMean = r.meanUpper = 1e140;
  r.meanLower = r.minimum = -1e140;
  r.width = 1e140 / 3;
  const std::string text = Export(r, 1, 0);
  char big[400];
  std::snprintf(big, sizeof big, "%f", 1e140);
  const std::string value = big;
  EXPECT_NE(std::string::npos,
            text.find("Unbiased Estimate of Population Mean (m)\r\n" + value + "\r\n"));
  const std::string limits = "-" + value + " < mu < " + value + "\r\n";
  ASSERT_GT(limits.size(), 258u);
  EXPECT_NE(std::string::npos, text.find("\r\n" + limits));
  const long double low = r.minimum, width = r.width;
  std::snprintf(big, sizeof big, "%f - %f\t%f", static_cast<double>(low + 5 * width),
                static_cast<double>(low + 6 * width), 1.0);
  EXPECT_NE(std::string::npos, text.find(std::string("\r\n") + big + "\r\n"));
}

TEST(ResultsFile, IntervalBoundsInExtendedPrecision) {
  AnalysisResults r;
  r.minimum = 0.1;
  r.width = 0.2;
  // 0.1 + 2 * 0.2 rounded once from extended precision, not 0.1 + 0.4 in doubles.
  EXPECT_EQ(static_cast<double>(static_cast<long double>(0.1) + 2 * static_cast<long double>(0.2)),
            IntervalLowerBound(r, 2));
  EXPECT_EQ(IntervalLowerBound(r, 3), IntervalUpperBound(r, 2));
  std::string row;
  AppendHistogramRow(row, FiveValues(), 2);
  EXPECT_EQ("2.333333 - 3.000000\t0.500000", row);
}

TEST(ResultsFile, PageLinesWithSevenDigits) {
  AnalysisResults r = FiveValues();
  const char* unbiased[kResultsPageLines] = {
      "Number of Data = 5",
      "Unbiased Estimate of Population Mean (m) = 3",
      "Unbiased Estimate of Population Standard Deviation (s) = 1.682088",
      "  ** Under 90% Confidence Probability **",
      "Confidence Interval of Population Mean : 1.492561 < mu < 4.507439",
      "Confidence Interval of Population Standard Deviation : 1.026642 < sigma < 3.751032"};
  for (int line = 0; line < kResultsPageLines; ++line)
    EXPECT_EQ(unbiased[line], ResultsPageLine(r, line, 1, 0)) << line;
  EXPECT_EQ("Sample Standard Deviation (s) = 1.581139", ResultsPageLine(r, 2, 0, 0));
  EXPECT_EQ("", ResultsPageLine(r, 6, 1, 0));
  r.confidence = 99.5;
  r.mean = 1234567.8;
  EXPECT_EQ("  ** Under 99.5% Confidence Probability **", ResultsPageLine(r, 3, 1, 0));
  EXPECT_EQ("Sample Mean (m) = 1234568", ResultsPageLine(r, 1, 0, 0));
}

TEST(ResultsFile, SaveMessages) {
  EXPECT_STREQ("Unable to create a file to save the solution.",
               GetResultsFileMessage(kResultsFileUnableToCreate, 0).text);
  EXPECT_STREQ("Assign a file with XLS extension.",
               GetResultsFileMessage(kResultsFileXlsExtension, 0).text);
  EXPECT_EQ(0x30u, GetResultsFileMessage(kResultsFileXlsExtension, 0).icon);
  EXPECT_STREQ("The solution not saved.\nBut the calculation done.",
               GetResultsFileMessage(kResultsFileNotSaved, 0).text);
  EXPECT_EQ("The solution has been saved in the file\n  C:\\r.xls.\n"
            "Double click the file, then you can read the solution.",
            ResultsSavedText("C:\\r.xls", 0));
  EXPECT_STREQ("Success", ResultsSavedCaption(0));
}

}  // namespace
