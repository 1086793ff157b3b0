// korvan-cli: arguments, data loading and the printed text.
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "stats/analysis.h"
#include "tests/test_support.h"

// Options in the rows name only the fields that differ from the defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using Arguments = std::vector<const char*>;

int Parse(const Arguments& arguments, CliOptions& options, std::string& error) {
  Arguments argv = {"korvan-cli"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return ParseCliOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

// Every option field, in declaration order.
std::string Describe(const CliOptions& o) {
  return std::to_string(o.inputKind) + " P=" + std::to_string(o.confidence) + " mode=" + std::to_string(o.intervalMode) +
         " k=" + std::to_string(o.intervalCount) + " basis=" + std::to_string(o.statisticsBasis) + " export=" +
         o.exportPath + " jp=" + std::to_string(o.useJapanese) + " help=" + std::to_string(o.showHelp) + " in=" + o.inputPath;
}

TEST(CliOptions, DefaultsAndEveryOption) {
  const struct { Arguments arguments; CliOptions expected; } cases[] = {
      {{}, {}},
      {{"--text", "-p", "99.5", "-k", "20", "--basis", "sample", "--export", "out.xls", "--japanese", "data.txt"},
       {.inputKind = kCliTextInput, .confidence = 99.5, .intervalCount = 20, .statisticsBasis = 0,
        .exportPath = "out.xls", .useJapanese = 1, .inputPath = "data.txt"}},
      {{"--confidence=95", "--intervals=standard", "--basis=unbiased", "--text", "--sheet", "-"},
       {.confidence = 95, .intervalMode = kIntervalStandard, .inputPath = "-"}},
      {{"-k", "1", "-p", "0.001", "--", "-odd name"}, {.confidence = 0.001, .intervalCount = 1, .inputPath = "-odd name"}},
      {{"--help"}, {.showHelp = 1}},
      {{"-h"}, {.showHelp = 1}}};
  for (const auto& c : cases) {
    CliOptions options;
    std::string error;
    EXPECT_EQ(Parse(c.arguments, options, error), kCliSuccess) << Describe(c.expected);
    EXPECT_EQ(Describe(options), Describe(c.expected));
  }
}

TEST(CliOptions, RefusesBadUsage) {
  const std::vector<Arguments> refused = {
      {"-p", "0"}, {"-p", "100"}, {"-p", "abc"}, {"-p", "-5"}, {"-p", "90%"}, {"-p", "inf"}, {"-p", "nan"},
      {"-p", "0x10"}, {"-p", ""}, {"-p", " 5"}, {"-p"}, {"--confidence=100"}, {"-k", "0"}, {"-k", "21"},
      {"-k", "abc"}, {"-k", "6x"}, {"-k", "-1"}, {"-k", "Standard"}, {"-k"}, {"--basis", "mean"}, {"--basis"},
      {"--export"}, {"--export="}, {"--bogus"}, {"-x"}, {"--japanese=1"}, {"a.txt", "b.txt"}, {"--text=1"}};
  for (const auto& arguments : refused) {
    CliOptions options;
    std::string error;
    EXPECT_EQ(Parse(arguments, options, error), kCliUsageError) << arguments[0] << " " << arguments.size();
    EXPECT_FALSE(error.empty()) << arguments[0];
  }
  EXPECT_EQ(std::string(CliUsageLine()).find("usage: korvan-cli"), 0u);
}

// What one load gives.
struct Loaded {
  int result;
  std::vector<double> values;
  std::string pasted, messages;
  bool operator==(const Loaded&) const = default;
};
void PrintTo(const Loaded& l, std::ostream* out) {
  *out << "{" << l.result << ", " << l.values.size() << " values, pasted \"" << l.pasted.substr(0, 40)
       << "\", messages \"" << l.messages << "\"}";
}

TEST(CliData, SpreadsheetTextAndDataTextFile) {
  std::string many;
  for (int i = 0; i < 30001; ++i) many += "1\r\n";
  const std::string overDigits = "Over 11 digit(s) are ignored\nso that the file may not correctly be read.\n";
  const std::string tooFew = "Too few data! (Data < 3)\n", badFormat = "File does not have a proper format.\n";
  const struct { int kind; std::string input; Loaded expected; } cases[] = {
      {kCliSheetInput, std::string("1\t2\r\n3\r\n\0rest", 13), {kCliSuccess, {1, 2, 3}, "1\t2\r\n3\r\n", ""}},
      {kCliSheetInput, "1\r\nx\r\n3\r\n",
       {kCliDataError, {}, "", "No proper data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).\n"}},
      {kCliSheetInput, "1\r\n2\r\n", {kCliDataError, {}, "", tooFew}},
      {kCliSheetInput, many,
       {kCliSuccess, std::vector<double>(30000, 1.0), many, "More than 30000 data so that data input is terminated.\n"}},
      {kCliTextInput, "; heading\r\n  12\r\n1e-05\r\n-3.5\r\n", {kCliSuccess, {12, 1e-05, -3.5}, "12\r\n1e-05\r\n-3.5\r\n", ""}},
      {kCliTextInput, "1234567890123\r\n2\r\n3\r\n",
       {kCliSuccess, {12345678901.0, 2, 3}, "1234567890123\r\n2\r\n3\r\n", overDigits + overDigits}},
      {kCliTextInput, "1\r\n2\r\n", {kCliDataError, {}, "", tooFew}},
      {kCliTextInput, "", {kCliDataError, {}, "", badFormat}},
      {kCliTextInput, "1\r\n2\r\n3", {kCliDataError, {}, "", "File is not terminated by Enter-key.\n"}},
      {kCliTextInput, "1\r\n2 \r\n3\r\n", {kCliDataError, {}, "", badFormat}}};
  for (const auto& c : cases) {
    CliData data;
    Loaded loaded;
    loaded.result = LoadCliData({.inputKind = c.kind}, c.input, data, loaded.messages);
    loaded.values = data.values;
    loaded.pasted = data.pastedText;
    EXPECT_EQ(loaded, c.expected) << c.input.substr(0, 30);
  }
  CliOptions options;
  EXPECT_STREQ(CliSameValueMessage(options), "All data have a same value!");
  options.useJapanese = 1;
  // "すべてのデータが同じ値です!" in code page 932.
  EXPECT_STREQ(CliSameValueMessage(options),
               "\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83\x66\x81\x5b\x83\x5e\x82\xaa\x93\xaf\x82\xb6\x92\x6c\x82\xc5\x82\xb7!");
}

// The printed text of the analysis of 1, 2, 3, 4, 5 on the default conditions, in both bases.
TEST(CliOutput, ResultLinesThenHistogramRows) {
  const double five[] = {1, 2, 3, 4, 5};
  AnalysisResults r;
  ASSERT_EQ(AnalyzeData(five, 5, AnalysisRequest{}, r), AnalysisOutcome::kDone);
  for (const auto& [basis, file] : {std::pair{1, "five-values.out"}, {0, "five-values-sample.out"}}) {
    const std::string golden = FileBytes(SUITE_TEST_DATA_DIR "/" + std::string(file));
    ASSERT_FALSE(golden.empty()) << file;
    EXPECT_EQ(FormatCliResults(r, {.statisticsBasis = basis}), golden) << file;
  }
}

}  // namespace
