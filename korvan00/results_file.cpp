// The results export file of korvan00.
#include "korvan00/results_file.h"

#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/result_labels.h"
#include "korvan00/sheet_text.h"

namespace {

constexpr Text kInputtedData = {"Inputted Data", "入力データ"};
constexpr Text kHistogramData = {"Data for Histogram", "ヒストグラム用データ"};
constexpr Text kIntervals = {"Intervals", "区間"};
constexpr Text kFrequencies = {"Frequencies", "頻度"};

// Indexed by ResultsFileMessage.
constexpr MessageEntry kMessages[kResultsFileMessageCount] = {
    {"The solution not saved.\nBut the calculation done.", "Success",
     "解は保存されませんでしたが、\n計算は行われました.", "成功", kIconInformation},
    {"GetSaveFileName error 0x%lx", "Error", "GetSaveFileName エラー 0x%lx", "エラー",
     kIconError},
    {"Unable to save the solution to the remote disk.", "Warning",
     "リモート・ディスクへは解をセーブできません.", "警告", kIconWarning},
    {"Not enough free diskspace.", "Warning", "ディスクの空容量が不足です.", "警告",
     kIconWarning},
    {"Assign a file with XLS extension.", "Error", "ファイルは拡張子 XLS を持つ必要があります.",
     "エラー", kIconWarning},
    {"Unable to create a file to save the solution.", "Error",
     "解を保存するためのファイルを作成できません.", "エラー", kIconError},
};

void AppendLine(std::string& out, const char* text) {
  out += text;
  out += "\r\n";
}

}  // namespace


namespace {

// 1 when the cell walk writes the text back unchanged: it ends with CR LF, every CR is followed
// by LF, no LF follows a TAB, and no cell is longer than the 256 bytes a cell gathers. That is
// how a spreadsheet copies a range, and the section is then one copy.
int WrittenAsPasted(const char* text, std::size_t length) {
  if (length < 2 || text[length - 2] != '\r' || text[length - 1] != '\n') return 0;
  std::size_t cellStart = 0;
  std::size_t i = 0;
#if defined(__SSE2__)
  // Sixteen bytes at a time while seventeen are left (each byte with the one after it): the
  // TABs and CRs, and which of them a LF follows. A cell is checked for its length where the
  // first separator of a block ends it; the cells inside a block are shorter than 16 bytes.
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  for (; i + 17 <= length; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 1));
    const unsigned tabs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, tab)));
    const unsigned crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, cr)));
    const unsigned lineFeeds = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(next, lf)));
    if ((crs & ~lineFeeds) != 0 || (tabs & lineFeeds) != 0) return 0;
    const unsigned separators = tabs | crs;
    if (separators == 0) continue;
    const std::size_t first = i + static_cast<std::size_t>(__builtin_ctz(separators));
    if (first - cellStart > static_cast<std::size_t>(kMaxCellLength)) return 0;
    const unsigned lastBit = 31u - static_cast<unsigned>(__builtin_clz(separators));
    cellStart = i + lastBit + 1 + ((crs >> lastBit) & 1u);
  }
  // The walk below goes on from the first byte after the blocks (a LF there, after a CR
  // that ended the last block, is stepped over as a cell byte).
#endif
  for (; i < length; ++i) {
    const char c = text[i];
    if (c != '\t' && c != '\r') continue;
    if (i - cellStart > static_cast<std::size_t>(kMaxCellLength)) return 0;
    const bool lineFeed = i + 1 < length && text[i + 1] == '\n';
    if (c == '\t' ? lineFeed : !lineFeed) return 0;
    i += c == '\r';
    cellStart = i + 1;
  }
  return 1;
}

}  // namespace

void AppendPastedCells(std::string& out, const char* pastedText, std::size_t pastedLength) {
  if (WrittenAsPasted(pastedText, pastedLength)) {
    out.append(pastedText, pastedLength);
    return;
  }
  std::size_t position = 0;
  while (position < pastedLength) {
    std::size_t cellLength = 0;
    int lineEnd = 0;
    const std::size_t next = NextSheetCell(pastedText, pastedLength, position, cellLength,
                                           lineEnd);
    out.append(pastedText + position, cellLength);
    out += lineEnd ? "\r\n" : "\t";
    position = next;
  }
}

namespace {

// min + i w in extended precision, stored. Only the last upper bound, which stands for the
// maximum, can pass the range of a double: by the rounding of the width, where the maximum
// lies near the end of that range. It is the maximum then.
double Bound(const AnalysisResults& results, int i) {
  const double bound = static_cast<double>(static_cast<long double>(results.minimum) +
                                           static_cast<long double>(i) * results.width);
  return std::isfinite(bound) ? bound : results.maximum;
}

}  // namespace

double IntervalLowerBound(const AnalysisResults& results, int i) { return Bound(results, i); }

double IntervalUpperBound(const AnalysisResults& results, int i) { return Bound(results, i + 1); }

void AppendHistogramRow(std::string& out, const AnalysisResults& results, int i) {
  AppendFormat(out, "%f - %f\t%f", IntervalLowerBound(results, i),
               IntervalUpperBound(results, i), results.frequencies[i]);
}

namespace {

// The count, the statistics, the confidence intervals and the histogram table.
void AppendResultLines(std::string& out, const AnalysisResults& results, bool unbiased,
                       int useJapanese) {
  AppendLine(out, TextFor(kResultCount, useJapanese));
  AppendFormat(out, "%d\r\n", results.count);
  out += "\r\n";

  AppendLine(out, TextFor(unbiased ? kResultUnbiasedMean : kResultSampleMean, useJapanese));
  AppendFormat(out, "%f\r\n", unbiased ? results.unbiasedMean : results.mean);
  out += "\r\n";

  AppendLine(out, TextFor(unbiased ? kResultUnbiasedDeviation : kResultSampleDeviation, useJapanese));
  AppendFormat(out, "%f\r\n", unbiased ? results.unbiasedDeviation : results.sampleDeviation);
  out += "\r\n";

  AppendFormat(out, "%s%.7g%s\r\n", TextFor(kResultConfidenceBefore, useJapanese), results.confidence,
               TextFor(kResultConfidenceAfter, useJapanese));
  AppendLine(out, TextFor(kResultMeanInterval, useJapanese));
  AppendFormat(out, "%f%s%f\r\n", results.meanLower, kMeanIntervalMiddle, results.meanUpper);
  AppendLine(out, TextFor(kResultDeviationInterval, useJapanese));
  AppendFormat(out, "%f%s%f\r\n", results.deviationLower, kDeviationIntervalMiddle, results.deviationUpper);
  out += "\r\n";

  AppendLine(out, TextFor(kHistogramData, useJapanese));
  out += TextFor(kIntervals, useJapanese);
  out += '\t';
  AppendLine(out, TextFor(kFrequencies, useJapanese));
  AppendHistogramTable(out, results, "\r\n");
}

}  // namespace

void AppendResultsFile(std::string& out, const char* pastedText, std::size_t pastedLength,
                       const AnalysisResults& results, int statisticsBasis, int useJapanese) {
  const bool unbiased = statisticsBasis == 1;
  // The lines of the results come first into a string of their own, so the whole content is
  // sized once (the pasted section of a text that ends with CR LF, as every imported one
  // does, is never longer than the text): a large text is not copied again by growth.
  std::string lines;
  AppendResultLines(lines, results, unbiased, useJapanese);
  const char* heading = TextFor(kInputtedData, useJapanese);
  out.reserve(out.size() + std::strlen(heading) + 2 + pastedLength + 2 + lines.size());
  AppendLine(out, heading);
  AppendPastedCells(out, pastedText, pastedLength);
  out += "\r\n";
  out += lines;
}

void AppendHistogramTable(std::string& out, const AnalysisResults& results, const char* lineEnd) {
  const int k = results.intervalCount < 0 ? 0
                : results.intervalCount > kMaxIntervals ? kMaxIntervals
                                                        : results.intervalCount;
  for (int i = 0; i < k; ++i) {
    AppendHistogramRow(out, results, i);
    out += lineEnd;
  }
}

std::string FormatResultsFile(const char* pastedText, std::size_t pastedLength,
                              const AnalysisResults& results, int statisticsBasis,
                              int useJapanese) {
  std::string out;
  AppendResultsFile(out, pastedText, pastedLength, results, statisticsBasis, useJapanese);
  return out;
}

std::string ResultsPageLine(const AnalysisResults& results, int line, int statisticsBasis,
                            int useJapanese) {
  const bool unbiased = statisticsBasis == 1;
  const int j = useJapanese;
  std::string text;
  switch (line) {
    case 0:
      AppendFormat(text, "%s%d", ValueLabel(kResultCount, j).c_str(), results.count);
      break;
    case 1:
      AppendFormat(text, "%s%.7g", ValueLabel(unbiased ? kResultUnbiasedMean : kResultSampleMean, j).c_str(),
                   unbiased ? results.unbiasedMean : results.mean);
      break;
    case 2:
      AppendFormat(text, "%s%.7g",
                   ValueLabel(unbiased ? kResultUnbiasedDeviation : kResultSampleDeviation, j).c_str(),
                   unbiased ? results.unbiasedDeviation : results.sampleDeviation);
      break;
    case 3:
      AppendFormat(text, "%s%.7g%s", TextFor(kResultConfidenceBefore, j), results.confidence,
                   TextFor(kResultConfidenceAfter, j));
      break;
    case 4:
      AppendFormat(text, "%s%.7g%s%.7g", IntervalLabel(kResultMeanInterval, j).c_str(), results.meanLower,
                   kMeanIntervalMiddle, results.meanUpper);
      break;
    case 5:
      AppendFormat(text, "%s%.7g%s%.7g", IntervalLabel(kResultDeviationInterval, j).c_str(),
                   results.deviationLower, kDeviationIntervalMiddle, results.deviationUpper);
      break;
    default:
      break;
  }
  return text;
}

MessageBoxText GetResultsFileMessage(ResultsFileMessage message, int useJapanese) {
  return MessageFromTable(kMessages, kResultsFileMessageCount, 0, message, useJapanese);
}

std::string ResultsSavedText(int useJapanese) {
  return useJapanese ? "解は下記のファイルに保存されました;\n  %s\nファイルをダブルクリックすると解を読めます."
                     : "The solution has been saved in the file\n  %s.\nDouble click the file, then you can read the solution.";
}

const char* ResultsSavedCaption(int useJapanese) { return useJapanese ? "成功" : "Success"; }
