// Fuzz target of the results export file, fed by the spreadsheet text import and the
// analysis as korvan00 and korvan-cli run them.
//
// Input: byte 0 the conditions (bit 0 the statistics basis, bit 1 Japanese, bit 2 the
// standard interval number), byte 1 the chosen interval number (0 to 24, so out-of-range
// choices are seen too), bytes 2-3 the confidence probability (0.01 to 99.99), the rest the
// pasted text.
//
// Promises checked: the export is the results part around the pasted-cells section; that
// section re-imports to the same cells and values; the count line, the histogram rows and
// their bounds agree with the results; the frequencies add up to the count.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "korvan00/results_file.h"
#include "korvan00/sheet_text.h"
#include "stats/sample_statistics.h"

namespace {

// The non-empty cells of a text as the cell walk sees them.
std::vector<std::string> Cells(const std::string& text) {
  std::vector<std::string> cells;
  for (std::size_t p = 0; p < text.size();) {
    std::size_t cellLength = 0;
    int lineEnd = 0;
    const std::size_t next = NextSheetCell(text.data(), text.size(), p, cellLength, lineEnd);
    if (cellLength != 0) cells.push_back(text.substr(p, cellLength));
    p = next;
  }
  return cells;
}

std::size_t CountOf(const std::string& text, const char* what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++count;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int basis = data[0] & 1;
  const int japanese = (data[0] >> 1) & 1;
  const int intervalMode = (data[0] & 4) ? kIntervalStandard : kIntervalChoice;
  const std::string intervalText = std::to_string(data[1] % 25);
  const double confidence = ((data[2] | data[3] << 8) % 9999 + 1) / 100.0;
  const std::string input(reinterpret_cast<const char*>(data + 4), size - 4);

  const SheetImportResult imported = ImportSheetText(input);
  if (imported.outcome != kSheetOk) return 0;
  const std::string pasted = input.substr(0, imported.textLength);
  const std::vector<double>& values = imported.values;
  const int count = static_cast<int>(values.size());

  AnalysisResults results;
  const int k = ComputeIntervalNumber(intervalMode, intervalText.c_str(), count);
  if (!ComputeFrequencies(values.data(), count, k, results)) {
    // Refused only when every value is the same.
    for (double value : values) FUZZ_CHECK(value == values[0]);
    return 0;
  }
  ComputeSampleStatistics(values.data(), count, confidence, results);
  FUZZ_CHECK(results.count == count);
  FUZZ_CHECK(results.intervalCount >= 1 && results.intervalCount <= kMaxIntervals);
  int twice = 0;
  for (int i = 0; i < results.intervalCount; ++i) {
    FUZZ_CHECK(results.twiceFrequencies[i] >= 0);
    FUZZ_CHECK(results.frequencies[i] * 2 == results.twiceFrequencies[i]);
    twice += results.twiceFrequencies[i];
  }
  FUZZ_CHECK(twice == 2 * count);
  FUZZ_CHECK(IntervalLowerBound(results, 0) == results.minimum);
  for (int i = 0; i < results.intervalCount; ++i)
    FUZZ_CHECK(IntervalLowerBound(results, i) <= IntervalUpperBound(results, i));

  const std::string file = FormatResultsFile(pasted.data(), pasted.size(), results, basis,
                                             japanese);
  const std::string bare = FormatResultsFile("", 0, results, basis, japanese);

  // The file is the bare export with the pasted cells after its first line.
  const std::size_t headEnd = bare.find("\r\n") + 2;
  FUZZ_CHECK(file.size() >= bare.size());
  FUZZ_CHECK(file.compare(0, headEnd, bare, 0, headEnd) == 0);
  FUZZ_CHECK(file.compare(file.size() - (bare.size() - headEnd), std::string::npos, bare,
                          headEnd, std::string::npos) == 0);
  const std::string section = file.substr(headEnd, file.size() - bare.size());

  // The section re-reads to the same cells and values; it ends a row.
  FUZZ_CHECK(section.size() >= 2 && section.compare(section.size() - 2, 2, "\r\n") == 0);
  FUZZ_CHECK(Cells(section) == Cells(pasted));
  const SheetImportResult reread = ImportSheetText(section);
  FUZZ_CHECK(reread.outcome == kSheetOk && reread.textLength == section.size());
  FUZZ_CHECK(reread.values.size() == values.size());
  FUZZ_CHECK(std::memcmp(reread.values.data(), values.data(), values.size() * sizeof(double)) ==
             0);

  // The results part: the count after its heading, one row per interval, every line ended by
  // CR LF.
  const std::string countLine = std::string("\r\n") + std::to_string(count) + "\r\n";
  FUZZ_CHECK(bare.find(countLine) != std::string::npos);
  const std::size_t rowsStart = bare.find('\t') + 1;
  const std::size_t tableStart = bare.find("\r\n", rowsStart) + 2;
  const std::string table = bare.substr(tableStart);
  FUZZ_CHECK(CountOf(table, "\r\n") == static_cast<std::size_t>(results.intervalCount));
  FUZZ_CHECK(CountOf(table, " - ") == static_cast<std::size_t>(results.intervalCount));
  FUZZ_CHECK(bare.size() >= 2 && bare.compare(bare.size() - 2, 2, "\r\n") == 0);
  FUZZ_CHECK(CountOf(bare, "\r\n") == CountOf(bare, "\n"));
  return 0;
}
