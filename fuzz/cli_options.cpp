// Fuzz target of korvan-cli's arguments and data loading.
//
// The input is split at line feeds into arguments (so the seeds are readable text files). A parse either fails with a message or gives
// options within their ranges, and those options written back as a canonical argument list
// parse to the same options. The whole input is then loaded as the data of the chosen kind:
// on success there are at least 3 values and the pasted text has the promised form.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "fuzz/fuzz_check.h"

namespace {

bool SameOptions(const CliOptions& a, const CliOptions& b) {
  return a.inputKind == b.inputKind && a.confidence == b.confidence &&
         a.intervalMode == b.intervalMode &&
         (a.intervalMode == kIntervalStandard || a.intervalCount == b.intervalCount) &&
         a.statisticsBasis == b.statisticsBasis && a.exportPath == b.exportPath &&
         a.useJapanese == b.useJapanese && a.showHelp == b.showHelp &&
         a.inputPath == b.inputPath;
}

int Parse(const std::vector<std::string>& arguments, CliOptions& options, std::string& error) {
  std::vector<const char*> argv{"korvan-cli"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  return ParseCliOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> arguments;
  for (std::size_t start = 0; start <= input.size() && arguments.size() < 16;) {
    std::size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    arguments.push_back(input.substr(start, end - start));
    start = end + 1;
  }

  CliOptions options;
  std::string error;
  const int status = Parse(arguments, options, error);
  FUZZ_CHECK(status == kCliSuccess || status == kCliUsageError);
  if (status != kCliSuccess) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  FUZZ_CHECK(error.empty());
  FUZZ_CHECK(options.inputKind == kCliSheetInput || options.inputKind == kCliTextInput);
  FUZZ_CHECK(options.confidence > 0 && options.confidence < 100);
  FUZZ_CHECK(options.intervalMode == kIntervalChoice || options.intervalMode == kIntervalStandard);
  FUZZ_CHECK(options.intervalCount >= 1 && options.intervalCount <= kMaxIntervals);
  FUZZ_CHECK(options.statisticsBasis == 0 || options.statisticsBasis == 1);
  FUZZ_CHECK(options.useJapanese == 0 || options.useJapanese == 1);

  // The canonical argument list of these options parses back to them.
  char confidence[40];
  std::snprintf(confidence, sizeof confidence, "%.17g", options.confidence);
  std::vector<std::string> canonical{
      options.inputKind == kCliTextInput ? "--text" : "--sheet", "-p", confidence, "-k",
      options.intervalMode == kIntervalStandard ? "standard" : std::to_string(options.intervalCount),
      "--basis", options.statisticsBasis ? "unbiased" : "sample"};
  if (!options.exportPath.empty()) canonical.push_back("--export=" + options.exportPath);
  if (options.useJapanese) canonical.push_back("--japanese");
  if (options.showHelp) canonical.push_back("--help");
  if (!options.inputPath.empty()) {
    canonical.push_back("--");
    canonical.push_back(options.inputPath);
  }
  CliOptions again;
  std::string againError;
  FUZZ_CHECK(Parse(canonical, again, againError) == kCliSuccess);
  FUZZ_CHECK(SameOptions(options, again));

  // The whole input as the data of the chosen kind.
  CliData loaded;
  std::string messages;
  const int loadStatus = LoadCliData(options, input, loaded, messages);
  FUZZ_CHECK(loadStatus == kCliSuccess || loadStatus == kCliDataError);
  if (loadStatus != kCliSuccess) {
    FUZZ_CHECK(!messages.empty() && messages.back() == '\n');
    return 0;
  }
  FUZZ_CHECK(loaded.values.size() >= 3);
  for (double value : loaded.values) FUZZ_CHECK(std::isfinite(value));
  if (options.inputKind == kCliSheetInput) {
    FUZZ_CHECK(input.compare(0, loaded.pastedText.size(), loaded.pastedText) == 0);
  } else {
    std::size_t lines = 0;
    for (std::size_t at = loaded.pastedText.find("\r\n"); at != std::string::npos;
         at = loaded.pastedText.find("\r\n", at + 2))
      ++lines;
    FUZZ_CHECK(lines == loaded.values.size());
  }
  return 0;
}
