// The results export file of korvan00 and the result lines of its page. The worked analysis
// of 1, 2, 3, 4, 5 is compared byte for byte with tests/data/five-values*.xls by the
// analyser's runs (cli/CMakeLists.txt) and korvan00's command tests.
#include "korvan00/results_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <random>
#include <string>
#include <tuple>

#include "stats/analysis.h"
#include "tests/unit/fields.h"

namespace {

const std::string kFiveValuesColumn = "1\r\n2\r\n3\r\n4\r\n5\r\n";

// The analysis of 1, 2, 3, 4, 5 on the default conditions (Choice 6, 90 %).
AnalysisResults FiveValues() {
  const double five[] = {1, 2, 3, 4, 5};
  AnalysisResults r;
  AnalyzeData(five, 5, AnalysisRequest{}, r);
  return r;
}

// The pasted-cells section checks its fast path (a text a spreadsheet wrote is copied whole)
// against the plain cell walk, written out here as the import walks the cells (whose worked
// values are in sheet_text_test): a cell is the bytes up to the next TAB or CR, at most 256 of
// them; the byte that stopped it is passed, and a LF after it; the cell is written, then CR LF
// when that LF was there, else TAB. Random texts of cells up to 300 bytes (so some are cut)
// with every kind of separator, most of them as a spreadsheet writes them, and with and
// without a final CR LF.
TEST(ResultsFile, PastedCellsFollowTheCellWalkOnRandomText) {
  auto walk = [](const std::string& text) {
    std::string out;
    for (std::size_t p = 0, start = 0; p < text.size(); start = p) {
      while (p < text.size() && text[p] != '\t' && text[p] != '\r' && p - start < 256) ++p;
      const bool lineFeed = p + 1 < text.size() && text[p + 1] == '\n';
      out += text.substr(start, p - start) + (lineFeed ? "\r\n" : "\t");
      p += 1 + lineFeed;
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
    ASSERT_EQ(out, "head" + walk(text)) << "round " << round;
  }
  // Spreadsheet texts with one cell of 255 to 258 bytes at every offset within sixteen bytes,
  // after a TAB or a CR LF, between short cells: a cell of 257 bytes and more is cut, so the
  // text is not written as pasted.
  for (int offset = 0; offset < 32; ++offset) {
    for (int length = 255; length <= 258; ++length) {
      const std::string text = std::string(offset % 16, '5') + (offset < 16 ? "\t" : "\r\n") + std::string(length, '7') +
                               "\t12\r\n3.25\t-1\r\n3.25\t-1\r\n3.25\t-1\r\n3.25\t-1\r\n";
      std::string out;
      AppendPastedCells(out, text.data(), text.size());
      ASSERT_EQ(out, walk(text)) << "offset " << offset << " length " << length;
      EXPECT_EQ(out == text, length <= 256) << "offset " << offset << " length " << length;
    }
  }
}

// The confidence probability and the values of the page lines with seven significant digits,
// lines beyond the six empty. (Lines far longer than a format buffer, carried whole: the
// analyser's large-values export, tests/data/large-values.xls.)
TEST(ResultsFile, SevenDigitsOfConfidenceAndPageValues) {
  AnalysisResults r = FiveValues();
  r.confidence = 99.99999;
  r.mean = r.unbiasedMean = 1234567.8;
  const std::string text = FormatResultsFile(kFiveValuesColumn.data(), kFiveValuesColumn.size(), r, 1, 0);
  EXPECT_NE(text.find("\r\n  ** Under 99.99999% Confidence Probability **\r\n"), std::string::npos);
  EXPECT_FIELDS(std::tuple("  ** Under 99.99999% Confidence Probability **", "Sample Mean (m) = 1234568",
                           "Unbiased Estimate of Population Mean (m) = 1234568", ""),
                ResultsPageLine(r, 3, 1, 0), ResultsPageLine(r, 1, 0, 0), ResultsPageLine(r, 1, 1, 0), ResultsPageLine(r, 6, 1, 0));
}

// The bounds are rounded once from extended precision: 0.1 + 3 * 0.3 is 1, where doubles give
// 0.9999999999999999 (0.3 * 3 rounded, then the sum). Three intervals up to the largest double
// (w = DBL_MAX / 3 rounded up) end there, not at infinity. The table has at most 20 rows,
// whatever the record says.
TEST(ResultsFile, IntervalBoundsInExtendedPrecisionAndTheNumberOfRows) {
  AnalysisResults r{.maximum = DBL_MAX, .width = static_cast<double>(static_cast<long double>(DBL_MAX) / 3)};
  EXPECT_EQ(IntervalUpperBound(r, 2), DBL_MAX);
  r.minimum = 0.1;
  r.width = 0.3;
  EXPECT_EQ(std::pair(IntervalLowerBound(r, 3), IntervalUpperBound(r, 2)), std::pair(1.0, 1.0));
  for (const auto& [count, rows] : {std::pair{25, 20}, {20, 20}, {-1, 0}}) {
    r.intervalCount = count;
    std::string table;
    AppendHistogramTable(table, r, "\n");
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), rows) << count;
  }
}

}  // namespace
