// korvan-cli: the analysis of korvan00 (and of korvan95's data files) on the command line.
// Reads a spreadsheet text or a data text file, prints the results text and the histogram
// rows, and can write the results export file.
#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/cli_options.h"
#include "common/messages.h"
#include "korvan00/results_file.h"
#include "korvan95/data_file.h"
#include "stats/analysis.h"

namespace {

// Reads the whole stream in binary; 1 on success.
int ReadStream(std::FILE* stream, std::string& content) {
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) content.append(buffer, got);
  return std::ferror(stream) ? 0 : 1;
}

int ReadInput(const std::string& path, std::string& content) {
  if (path.empty() || path == "-") {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    return ReadStream(stdin, content);
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  const int ok = ReadStream(file, content);
  std::fclose(file);
  return ok;
}

int WriteExport(const std::string& path, const std::string& content) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  const std::size_t written = std::fwrite(content.data(), 1, content.size(), file);
  const int closed = std::fclose(file);
  return written == content.size() && closed == 0;
}

}  // namespace

int main(int argc, char** argv) {
  CliOptions options;
  std::string error;
  if (ParseCliOptions(argc, argv, options, error) != kCliSuccess) {
    std::fprintf(stderr, "korvan-cli: %s\n%s", error.c_str(), CliUsageLine());
    return kCliUsageError;
  }
  if (options.showHelp) {
    std::fputs(CliHelpText(), stdout);
    return kCliSuccess;
  }

  std::string input;
  if (!ReadInput(options.inputPath, input)) {
    const DataFileMessage message =
        options.inputPath.empty() || options.inputPath == "-" ? kDataFileUnableToRead
                                                              : kDataFileUnableToOpen;
    std::fprintf(stderr, "%s\n", GetDataFileMessage(message, options.useJapanese).text);
    return kCliDataError;
  }

  CliData data;
  std::string messages;
  const int loaded = LoadCliData(options, input, data, messages);
  std::fputs(messages.c_str(), stderr);
  if (loaded != kCliSuccess) return loaded;

  // As korvan00 does: interval number, frequencies with the equal-values test, statistics.
  const int count = static_cast<int>(data.values.size());
  const std::string intervalText = std::to_string(options.intervalCount);
  AnalysisRequest request;
  request.intervalMode = options.intervalMode;
  request.intervalText = intervalText.c_str();
  request.confidencePercent = options.confidence;
  AnalysisResults results;
  switch (AnalyzeData(data.values.data(), count, request, results)) {
    case AnalysisOutcome::kAllEqual:
      std::fprintf(stderr, "%s\n", CliSameValueMessage(options));
      return kCliDataError;
    case AnalysisOutcome::kTooLarge:
      std::fprintf(stderr, "%s\n", MessageOf(kDataTooLarge, options.useJapanese).text);
      return kCliDataError;
    case AnalysisOutcome::kDone:
      break;
  }

  const std::string printed = FormatCliResults(results, options);
  std::fwrite(printed.data(), 1, printed.size(), stdout);
  std::fflush(stdout);

  if (!options.exportPath.empty()) {
    const std::string content =
        FormatResultsFile(data.pastedText.data(), data.pastedText.size(), results,
                          options.statisticsBasis, options.useJapanese);
    if (!WriteExport(options.exportPath, content)) {
      std::fprintf(stderr, "%s\n",
                   GetResultsFileMessage(kResultsFileUnableToCreate, options.useJapanese).text);
      return kCliDataError;
    }
  }
  return kCliSuccess;
}
