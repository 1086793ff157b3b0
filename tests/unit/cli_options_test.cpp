// korvan-cli: arguments and data loading. What it prints is compared with tests/data by its
// runs (cli/CMakeLists.txt).
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <tuple>
#include <string>
#include <vector>

#include "tests/unit/fields.h"


// Options in the rows name only the fields that differ from the defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using Arguments = std::vector<const char*>;

// The arguments as typed, the row's name in a failure.
std::string Typed(const Arguments& a) { return testing::PrintToString(std::vector<std::string>(a.begin(), a.end())); }

// The status, the options and the error text of the arguments after the program name.
std::tuple<int, CliOptions, std::string> Parse(const Arguments& arguments) {
  Arguments argv = {"korvan-cli"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  CliOptions options;
  std::string error;
  const int status = ParseCliOptions(static_cast<int>(argv.size()), argv.data(), options, error);
  return {status, options, error};
}

// Every option field, in declaration order.
#define OPTIONS(o)                                                                                                  \
  o.inputKind, o.confidence, o.intervalMode, o.intervalCount, o.statisticsBasis, o.exportPath, o.useJapanese, o.showHelp, \
      o.inputPath

TEST(CliOptions, DefaultsEveryOptionAndBadUsage) {
  const struct { Arguments arguments; CliOptions expected; } accepted[] = {
      {{}, {}},
      {{"--text", "-p", "99.5", "-k", "20", "--basis", "sample", "--export", "out.xls", "--japanese", "data.txt"},
       {.inputKind = kCliTextInput, .confidence = 99.5, .intervalCount = 20, .statisticsBasis = 0,
        .exportPath = "out.xls", .useJapanese = 1, .inputPath = "data.txt"}},
      {{"--confidence=95", "--intervals=standard", "--basis=unbiased", "--text", "--sheet", "-"},
       {.confidence = 95, .intervalMode = kIntervalStandard, .inputPath = "-"}},
      {{"-k", "1", "-p", "0.001", "--", "-odd name"}, {.confidence = 0.001, .intervalCount = 1, .inputPath = "-odd name"}},
      {{"--help"}, {.showHelp = 1}},
      {{"-h"}, {.showHelp = 1}}};
  for (const auto& c : accepted) {
    const auto [status, options, error] = Parse(c.arguments);
    EXPECT_FIELDS(std::tuple(kCliSuccess, OPTIONS(c.expected)), status, OPTIONS(options)) << Typed(c.arguments);
  }
  const std::vector<Arguments> refused = {
      {"-p", "0"}, {"-p", "100"}, {"-p", "abc"}, {"-p", "-5"}, {"-p", "90%"}, {"-p", "inf"}, {"-p", "nan"},
      {"-p", "0x10"}, {"-p", ""}, {"-p", " 5"}, {"-p"}, {"--confidence=100"}, {"-k", "0"}, {"-k", "21"}, {"-k", "abc"},
      {"-k", "6x"}, {"-k", "-1"}, {"-k", "Standard"}, {"-k"}, {"--basis", "mean"}, {"--basis"}, {"--export"},
      {"--export="}, {"--bogus"}, {"-x"}, {"--japanese=1"}, {"a.txt", "b.txt"}, {"--text=1"}};
  for (const auto& arguments : refused) {
    const auto [status, options, error] = Parse(arguments);
    EXPECT_TRUE(status == kCliUsageError && !error.empty()) << Typed(arguments);
  }
}

TEST(CliData, SpreadsheetTextAndDataTextFile) {
  std::string many;
  for (int i = 0; i < 30001; ++i) many += "1\r\n";
  const std::string overDigits = "Over 11 digit(s) are ignored\nso that the file may not correctly be read.\n";
  const std::string tooFew = "Too few data! (Data < 3)\n", badFormat = "File does not have a proper format.\n";
  const struct { int kind; std::string input; int result; std::vector<double> values; std::string pasted, messages; } cases[] = {
      {kCliSheetInput, std::string("1\t2\r\n3\r\n\0rest", 13), kCliSuccess, {1, 2, 3}, "1\t2\r\n3\r\n", ""},
      {kCliSheetInput, "1\r\nx\r\n3\r\n", kCliDataError, {}, "",
       "No proper data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).\n"},
      {kCliSheetInput, "1\r\n2\r\n", kCliDataError, {}, "", tooFew},
      {kCliSheetInput, "1e101\r\n2\r\n3\r\n", kCliDataError, {}, "", "E-100 <= exponent of the numerical value <= E100\n"},
      {kCliSheetInput, std::string(45, '1') + "\r\n2\r\n3\r\n", kCliDataError, {}, "",
       "More than 44 characters forming the numerical value.\n"},
      {kCliSheetInput, many, kCliSuccess, std::vector<double>(30000, 1.0), many,
       "More than 30000 data so that data input is terminated.\n"},
      {kCliTextInput, "; heading\r\n  12\r\n1e-05\r\n-3.5\r\n", kCliSuccess, {12, 1e-05, -3.5}, "12\r\n1e-05\r\n-3.5\r\n", ""},
      {kCliTextInput, "1234567890123\r\n2\r\n3\r\n", kCliSuccess, {12345678901.0, 2, 3}, "1234567890123\r\n2\r\n3\r\n",
       overDigits + overDigits},
      {kCliTextInput, "", kCliDataError, {}, "", badFormat},
      {kCliTextInput, "1\r\n2\r\n3", kCliDataError, {}, "", "File is not terminated by Enter-key.\n"},
      {kCliTextInput, "1\r\n2 \r\n3\r\n", kCliDataError, {}, "", badFormat}};
  for (const auto& c : cases) {
    CliData data;
    std::string messages;
    const int result = LoadCliData({.inputKind = c.kind}, c.input, data, messages);
    // Compared whole, printed short: the input of 30001 values would fill the screen.
    EXPECT_TRUE(std::tie(result, data.values, data.pastedText, messages) == std::tie(c.result, c.values, c.pasted, c.messages))
        << c.input.substr(0, 30) << " -> " << result << ", " << data.values.size() << " values, " << messages;
  }
  // "すべてのデータが同じ値です!" in code page 932.
  EXPECT_STREQ(CliSameValueMessage({.useJapanese = 1}),
               "\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83\x66\x81\x5b\x83\x5e\x82\xaa\x93\xaf\x82\xb6\x92\x6c\x82\xc5\x82\xb7!");
}

}  // namespace
