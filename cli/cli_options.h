// The command-line analyser korvan-cli: argument parsing, loading of the data from the
// spreadsheet text or the data text file, and the text it prints. Pure: the program reads
// the input and writes the outputs; the statistics come from the engine.
#pragma once

#include <string>
#include <vector>

#include "stats/sample_statistics.h"

// Exit statuses.
constexpr int kCliSuccess = 0;
constexpr int kCliDataError = 1;   // bad data, unreadable input, unwritable export
constexpr int kCliUsageError = 2;  // bad arguments

enum CliInputKind { kCliSheetInput = 0, kCliTextInput = 1 };

struct CliOptions {
  int inputKind = kCliSheetInput;
  double confidence = 90;           // P in percent, 0 < P < 100
  int intervalMode = kIntervalChoice;
  int intervalCount = 6;            // 1 to 20 when intervalMode is kIntervalChoice
  int statisticsBasis = 1;          // 0 sample, 1 unbiased
  std::string exportPath;           // empty: no export
  int useJapanese = 0;
  int showHelp = 0;
  std::string inputPath;            // empty or "-": standard input
};

// Parses argv[1..argc-1]. kCliSuccess with the options (showHelp set for -h/--help), or
// kCliUsageError with a one-line description of the fault in error.
int ParseCliOptions(int argc, const char* const* argv, CliOptions& options, std::string& error);

// The short usage line (ended by a line feed) and the full help text.
const char* CliUsageLine();
const char* CliHelpText();

// The data of one run, taken from the input bytes.
struct CliData {
  std::vector<double> values;
  // The text the results export lists as the pasted cells: the spreadsheet text up to its
  // end (a NUL or the end of the input, less a final 0xFF), or for a data text file the
  // number text of every value line, each followed by CR LF.
  std::string pastedText;
};

// Reads the values of the input as the options say. kCliSuccess, or kCliDataError with the
// system's message text in messages. Warnings that do not stop the reading (the input limit
// of the spreadsheet text, dropped characters of the data text file) are added to messages
// as well, each followed by a line feed.
int LoadCliData(const CliOptions& options, const std::string& input, CliData& data,
                std::string& messages);

// The message for values that are all equal, in the wording of the input kind.
const char* CliSameValueMessage(const CliOptions& options);

// What the analyser prints on standard output: the six lines of the results text, then one
// histogram row per interval ("%f - %f" TAB "%f"), each ended by a line feed.
std::string FormatCliResults(const AnalysisResults& results, const CliOptions& options);
