// The command-line analyser: arguments, data loading and printed text.
#include "cli/cli_options.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "korvan00/results_file.h"
#include "korvan00/sheet_text.h"
#include "korvan95/data_file.h"

namespace {

constexpr char kUsage[] =
    "usage: korvan-cli [--sheet|--text] [-p P] [-k N|standard] [--basis sample|unbiased]"
    " [--export FILE] [--japanese] [FILE]\n";

constexpr char kHelp[] =
    "usage: korvan-cli [options] [FILE]\n"
    "Analyses one data set: count, mean, standard deviation, confidence intervals of the\n"
    "population mean and standard deviation, and the frequencies of the histogram.\n"
    "FILE is read, or standard input when it is absent or '-'.\n"
    "\n"
    "  --sheet                 spreadsheet text (cells split by TAB, rows ended by CR LF),"
    " the default\n"
    "  --text                  data text file (one number per line)\n"
    "  -p, --confidence P      confidence probability in percent, 0 < P < 100 (default 90)\n"
    "  -k, --intervals N       interval number 1 to 20, or 'standard' (default 6)\n"
    "  --basis sample|unbiased which mean and standard deviation to show (default unbiased)\n"
    "  --export FILE           also write the results export file\n"
    "  --japanese              Japanese texts (code page 932) on standard output and in the"
    " export\n"
    "  -h, --help              this text\n"
    "\n"
    "Exit status: 0 success, 1 data refused or a file not read or written, 2 bad usage.\n";

// A confidence probability: a whole decimal number text with 0 < P < 100.
int ParseConfidence(const char* text, double& confidence) {
  if (!IsDecimalNumberText(text) || text[0] == ' ') return 0;
  const double value = std::strtod(text, nullptr);
  if (!(value > 0 && value < 100)) return 0;
  confidence = value;
  return 1;
}

// An interval number: digits only, 1 to 20.
int ParseIntervalNumber(const char* text, int& count) {
  const std::size_t length = std::strlen(text);
  if (length == 0 || length > 2) return 0;
  for (std::size_t i = 0; i < length; ++i)
    if (text[i] < '0' || text[i] > '9') return 0;
  const int value = std::atoi(text);
  if (value < 1 || value > kMaxIntervals) return 0;
  count = value;
  return 1;
}

}  // namespace

const char* CliUsageLine() { return kUsage; }
const char* CliHelpText() { return kHelp; }

int ParseCliOptions(int argc, const char* const* argv, CliOptions& options, std::string& error) {
  options = CliOptions();
  bool haveFile = false;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
      if (haveFile) {
        error = "more than one input file: " + argument;
        return kCliUsageError;
      }
      options.inputPath = argument;
      haveFile = true;
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    // A long option may carry its value after "=".
    std::string value;
    bool haveValue = false;
    const std::size_t equals = argument.find('=');
    if (argument.compare(0, 2, "--") == 0 && equals != std::string::npos) {
      value = argument.substr(equals + 1);
      argument.erase(equals);
      haveValue = true;
    }
    const bool takesValue = argument == "-p" || argument == "--confidence" || argument == "-k" ||
                            argument == "--intervals" || argument == "--basis" ||
                            argument == "--export";
    if (takesValue && !haveValue) {
      if (i + 1 >= argc) {
        error = "option " + argument + " needs a value";
        return kCliUsageError;
      }
      value = argv[++i];
      haveValue = true;
    }
    if (!takesValue && haveValue) {
      error = "option " + argument + " takes no value";
      return kCliUsageError;
    }

    if (argument == "--sheet") {
      options.inputKind = kCliSheetInput;
    } else if (argument == "--text") {
      options.inputKind = kCliTextInput;
    } else if (argument == "-p" || argument == "--confidence") {
      if (!ParseConfidence(value.c_str(), options.confidence)) {
        error = "confidence probability must be a number with 0 < P < 100: " + value;
        return kCliUsageError;
      }
    } else if (argument == "-k" || argument == "--intervals") {
      if (value == "standard") {
        options.intervalMode = kIntervalStandard;
      } else if (ParseIntervalNumber(value.c_str(), options.intervalCount)) {
        options.intervalMode = kIntervalChoice;
      } else {
        error = "interval number must be 1 to 20 or 'standard': " + value;
        return kCliUsageError;
      }
    } else if (argument == "--basis") {
      if (value == "sample") {
        options.statisticsBasis = 0;
      } else if (value == "unbiased") {
        options.statisticsBasis = 1;
      } else {
        error = "basis must be 'sample' or 'unbiased': " + value;
        return kCliUsageError;
      }
    } else if (argument == "--export") {
      if (value.empty()) {
        error = "option --export needs a file name";
        return kCliUsageError;
      }
      options.exportPath = value;
    } else if (argument == "--japanese") {
      options.useJapanese = 1;
    } else if (argument == "-h" || argument == "--help") {
      options.showHelp = 1;
    } else {
      error = "unknown option: " + argument;
      return kCliUsageError;
    }
  }
  return kCliSuccess;
}

int LoadCliData(const CliOptions& options, const std::string& input, CliData& data,
                std::string& messages) {
  data = CliData();
  if (options.inputKind == kCliSheetInput) {
    SheetImportResult imported = ImportSheetText(input);
    if (imported.outcome != kSheetOk) {
      messages += GetSheetMessage(imported.outcome, options.useJapanese).text;
      messages += '\n';
      return kCliDataError;
    }
    if (imported.limitReached) {
      messages += GetSheetMessage(kSheetInputLimit, options.useJapanese).text;
      messages += '\n';
    }
    data.values = std::move(imported.values);
    data.pastedText = input.substr(0, imported.textLength);
    return kCliSuccess;
  }

  DataReadResult read = ReadDataText(input);
  for (std::size_t i = 0; i < read.droppedOffsets.size(); ++i) {
    messages += GetDataFileMessage(kDataFileOverDigits, options.useJapanese).text;
    messages += '\n';
  }
  DataFileMessage outcome = read.outcome;
  if (outcome == kDataFileOk && read.values.size() < static_cast<std::size_t>(kMinSheetValues))
    outcome = kDataFileTooFew;
  if (outcome != kDataFileOk) {
    messages += GetDataFileMessage(outcome, options.useJapanese).text;
    messages += '\n';
    return kCliDataError;
  }
  for (const DataTextSpan& span : read.valueTexts) {
    data.pastedText.append(input, span.offset, span.length);
    data.pastedText += "\r\n";
  }
  data.values = std::move(read.values);
  return kCliSuccess;
}

const char* CliSameValueMessage(const CliOptions& options) {
  if (options.inputKind == kCliTextInput)
    return GetDataFileMessage(kDataFileSameValue, options.useJapanese).text;
  return GetSheetMessage(kSheetSameValue, options.useJapanese).text;
}

std::string FormatCliResults(const AnalysisResults& results, const CliOptions& options) {
  std::string out;
  for (int line = 0; line < kResultsPageLines; ++line) {
    out += ResultsPageLine(results, line, options.statisticsBasis, options.useJapanese);
    out += '\n';
  }
  AppendHistogramTable(out, results, "\n");
  return out;
}
