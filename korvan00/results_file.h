// The results export file of korvan00: tab-separated text with CR LF line ends that a
// spreadsheet opens (extension ".xls"). Pure: the content is formed in memory, the caller
// writes the bytes unchanged (mode "wb").
#pragma once

#include "common/text_format.h"
#include "common/texts.h"

#include <cstddef>
#include <string>

#include "stats/sample_statistics.h"

// Appends the whole file content to out: the pasted cells of pastedText[0, pastedLength) as
// they were pasted, the count and the statistics in the given basis (0 sample, 1 unbiased),
// the confidence intervals and the histogram table, in English (useJapanese 0) or Japanese
// (code page 932). The count is results.count. Lines of any length are carried whole.
void AppendResultsFile(std::string& out, const char* pastedText, std::size_t pastedLength,
                       const AnalysisResults& results, int statisticsBasis, int useJapanese);

// The same content as a new string.
std::string FormatResultsFile(const char* pastedText, std::size_t pastedLength,
                              const AnalysisResults& results, int statisticsBasis,
                              int useJapanese);

// The pasted-cells section alone: each non-empty cell as it stood, followed by CR LF when
// its separator was followed by LF, else by TAB.
void AppendPastedCells(std::string& out, const char* pastedText, std::size_t pastedLength);

// Lower and upper bound of histogram interval i: min + i * w and min + (i + 1) * w, formed in
// extended precision and rounded to double; a last bound that the rounding of w carries past
// the range of a double is the maximum.
double IntervalLowerBound(const AnalysisResults& results, int i);
double IntervalUpperBound(const AnalysisResults& results, int i);

// One histogram row as the file and the command-line analyser write it:
// "%f - %f" TAB "%f" (no line end).
void AppendHistogramRow(std::string& out, const AnalysisResults& results, int i);
// Every interval row of the histogram table, each followed by lineEnd.
void AppendHistogramTable(std::string& out, const AnalysisResults& results, const char* lineEnd);

// The six lines of results text under the histogram page (line 0 to 5): the count, the mean
// and standard deviation of the basis (0 sample, 1 unbiased), the confidence probability and
// the two confidence intervals, every value but the count as %.7g writes it.
constexpr int kResultsPageLines = 6;
std::string ResultsPageLine(const AnalysisResults& results, int line, int statisticsBasis,
                            int useJapanese);

// The message boxes of saving the results.
enum ResultsFileMessage {
  kResultsFileNotSaved = 0,      // the user closed the save dialog without a file
  kResultsFileDialogError,       // "GetSaveFileName error 0x%lx" (a format with the code)
  kResultsFileRemoteDisk,        // refused drive
  kResultsFileNoFreeSpace,       // not enough free bytes
  kResultsFileXlsExtension,      // the path does not end in .xls
  kResultsFileUnableToCreate,    // the file cannot be created
  kResultsFileMessageCount
};

// The message in English (useJapanese 0) or Japanese (code page 932 bytes); values out of
// range give empty texts and icon 0.
MessageBoxText GetResultsFileMessage(ResultsFileMessage message, int useJapanese);

// The text of the success box after the file was written, with "%s" where the box shows the
// file's path; its caption is "Success" ("成功"), its icon MB_ICONINFORMATION.
std::string ResultsSavedText(int useJapanese);
const char* ResultsSavedCaption(int useJapanese);
